#include "platform/gui/paintercanvas.h"

#include <QImage>

namespace formidor::gui {

std::shared_ptr<const FontMeasurer> qtFontMeasurer() {
    return builtinFontMeasurer();
}
QFont toQFont(const DeviceFont&) {
    return QFont();
}
QString substituteFace(const std::string& face) {
    return QString::fromStdString(face);
}
DeviceCaps capsOf(const QPaintDevice&) {
    return {};
}

PainterCanvas::PainterCanvas(QPainter& painter, const DeviceCaps& caps,
                             std::shared_ptr<const FontMeasurer> measurer)
    : Canvas(caps, std::move(measurer)), painter_(&painter) {}
PainterCanvas::PainterCanvas(QPainter& painter) : PainterCanvas(painter, DeviceCaps{}) {}
PainterCanvas::~PainterCanvas() = default;
void PainterCanvas::setPainter(QPainter& painter) {
    painter_ = &painter;
}
void PainterCanvas::deviceText(DPoint, std::string_view, const DeviceFont&, TColor, const DRect*,
                               TColor, const DRect*) {}
void PainterCanvas::deviceLine(DPoint, DPoint, const DevicePen&) {}
void PainterCanvas::deviceRectangle(const DRect&, const DevicePen*, const TColor*) {}
void PainterCanvas::deviceImage(const DRect&, const TBitmap&, const TRect&) {}
void PainterCanvas::deviceClip(const ClipRegion*) {}
void PainterCanvas::applyFont(const DeviceFont&) {}
void PainterCanvas::applyPen(const DevicePen&) {}
TBitmap toBitmap(const QImage&) {
    return {};
}
QImage toQImage(const TBitmap&) {
    return {};
}

} // namespace formidor::gui
