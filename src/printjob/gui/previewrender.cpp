#include "printjob/gui/previewrender.h"

#include "platform/gui/paintercanvas.h"
#include "platform/metafile.h"
#include "platform/printer.h"

#include <QPainter>

namespace formidor {

PageRecording::PageRecording() = default;
PageRecording::~PageRecording() = default;

void PageRecording::record(TCustomPrintJob& job, TCustomPrintJob& J, int pageIndex) {
    const TRect sheet = J.GetSheetRect();
    const int w = std::max(1, sheet.Right);
    const int h = std::max(1, sheet.Bottom);
    Canvas& reference = ThePrinter().GetCanvas();
    if (!metafile_)
        metafile_ = std::make_unique<Metafile>(w, h, reference);
    else
        metafile_->Clear(w, h);
    Canvas& c = metafile_->GetCanvas();
    c.FillRect(TRect{0, 0, w, h});
    job.Draw(c, pageIndex, dtMetaPreview);
}

void PageRecording::play(QPainter& p, const QRect& target, const QRect* clip) const {
    if (!metafile_ || target.isEmpty()) return;
    gui::PainterCanvas canvas(p);
    if (clip)
        canvas.SelectClipRect(TRect{clip->left(), clip->top(), clip->left() + clip->width(),
                                    clip->top() + clip->height()});
    metafile_->Play(canvas, TRect{target.left(), target.top(), target.left() + target.width(),
                                  target.top() + target.height()});
}

QSize PageRecording::size() const {
    return metafile_ ? QSize(metafile_->Width(), metafile_->Height()) : QSize();
}

void PageRecording::clear() {
    metafile_.reset();
}

SheetMetrics SheetMetricsOf(TCustomPrintJob& J) {
    SheetMetrics m;
    (void)J;
    Printer* printer = &ThePrinter();
    if (!printer || !printer->HasPrinters()) return m;
    const DeviceCaps caps = printer->Caps();
    m.physicalWidth = caps.physicalWidth;
    m.physicalHeight = caps.physicalHeight;
    m.offsetX = caps.offsetX;
    m.offsetY = caps.offsetY;
    m.printableWidth = caps.horzRes;
    m.printableHeight = caps.vertRes;
    return m;
}

} // namespace formidor
