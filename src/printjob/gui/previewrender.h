#pragma once
// The preview's page recording: the page drawn once by its job into a metafile bound to the
// printer (printer pixels, the printer's font metrics) and replayed stretched into any rectangle
// of the screen or of a bitmap.
#include "printjob/PSJob.h"
#include "printjob/previewlayout.h"

#include <QRect>
#include <QSize>
#include <memory>

class QPainter;

namespace formidor {

class Metafile;

class PageRecording {
public:
    PageRecording();
    ~PageRecording();
    // Records page pageIndex of job (the linked job, which draws) on the sheet of J (its
    // active instance for that page).
    void record(TCustomPrintJob& job, TCustomPrintJob& J, int pageIndex);
    // Plays the recording stretched into target, limited to clip when one is given (the
    // painter's own clip is not used: the surface manages the clip itself).
    void play(QPainter& p, const QRect& target, const QRect* clip = nullptr) const;
    // The recorded sheet in printer pixels; empty before the first recording.
    QSize size() const;
    void clear();
    const Metafile* metafile() const { return metafile_.get(); }

private:
    std::unique_ptr<Metafile> metafile_;
};

// The printer facts of J's printer that the sheet on screen is drawn from.
SheetMetrics SheetMetricsOf(TCustomPrintJob& J);

} // namespace formidor
