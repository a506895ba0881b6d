#pragma once
// The drawing surface on a QPainter: printer pages, PDF files, images and widgets. Texts are
// measured with the real font metrics of the face Qt picks, scaled linearly from one large
// unhinted size, so that a layout measured for the printer matches what the PDF shows.
#include "platform/canvas.h"

#include <QFont>
#include <QPainter>
#include <memory>

class QImage;
class QPaintDevice;

namespace formidor::gui {

// Qt's metrics of the faces we print in; characters a face lacks measure as what Qt draws
// for them (a fallback face or the replacement glyph).
std::shared_ptr<const FontMeasurer> qtFontMeasurer();

// The Qt font for a device font: pixel size from the em size, unhinted, outline only.
QFont toQFont(const DeviceFont& font);
// The faces the forms name, mapped to the metric-compatible ones installed ("Arial" →
// "Liberation Sans", "Courier New" → "Liberation Mono", …); others pass through.
QString substituteFace(const std::string& face);

// Capabilities of a paint device as a page without margins: dpi from the device, printable
// area = sheet = the device's size.
DeviceCaps capsOf(const QPaintDevice& device);

class PainterCanvas : public Canvas {
public:
    // Draws through painter (which must stay active while the canvas is used) for a device
    // with caps.
    PainterCanvas(QPainter& painter, const DeviceCaps& caps,
                  std::shared_ptr<const FontMeasurer> measurer = qtFontMeasurer());
    // Caps taken from the painter's device.
    explicit PainterCanvas(QPainter& painter);
    ~PainterCanvas() override;

    QPainter& painter() { return *painter_; }
    // Repoints the canvas at another painter (a new printer page); state is kept.
    void setPainter(QPainter& painter);
    // Hands the canvas's clip region to the painter again (after the painter lost its state,
    // e.g. on a new printer page).
    void reapplyState();
    using Canvas::setCaps;

protected:
    void deviceText(DPoint baselineOrigin, std::string_view utf8, const DeviceFont& font,
                    TColor color, const DRect* background, TColor backgroundColor,
                    const DRect* clip) override;
    void deviceLine(DPoint from, DPoint to, const DevicePen& pen) override;
    void deviceRectangle(const DRect& r, const DevicePen* pen, const TColor* fill) override;
    void deviceImage(const DRect& dest, const TBitmap& image, const TRect& source) override;
    void deviceClip(const ClipRegion* region) override;

private:
    void applyFont(const DeviceFont& font);
    void applyPen(const DevicePen& pen);
    QPainter* painter_;
    DeviceFont lastFont_;
    bool haveFont_ = false;
    QFont qfont_;
};

// A TBitmap from a QImage and back (for the preview's bitmaps and for tests).
TBitmap toBitmap(const QImage& image);
QImage toQImage(const TBitmap& bitmap);

} // namespace formidor::gui
