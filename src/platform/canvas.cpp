#include "platform/canvas.h"

namespace formidor {

TRect TRect::Normalized() const {
    return *this;
}
int TFont::Size() const {
    return 0;
}
void TFont::SetSize(int) {}
int DeviceCaps::get(int) const {
    return 0;
}
ClipRegion::ClipRegion(const TRect& r) : rects_{r} {}
void ClipRegion::intersect(const TRect&) {}
void ClipRegion::intersect(const ClipRegion&) {}
void ClipRegion::subtract(const TRect&) {}
TRect ClipRegion::bounds() const {
    return {};
}
bool ClipRegion::contains(TPoint) const {
    return false;
}

std::shared_ptr<const FontMeasurer> builtinFontMeasurer() {
    return nullptr;
}

Canvas::Canvas(DeviceCaps caps, std::shared_ptr<const FontMeasurer> measurer)
    : caps_(caps), measurer_(std::move(measurer)) {}
Canvas::~Canvas() = default;
void Canvas::SetMapMode(TMapMode mode) {
    mapMode_ = mode;
}
TPoint Canvas::SetViewportOrg(TPoint org) {
    return viewportOrg_ = org;
}
TPoint Canvas::SetWindowOrg(TPoint org) {
    return windowOrg_ = org;
}
void Canvas::SetWindowExt(TSize ext) {
    windowExt_ = ext;
}
void Canvas::SetViewportExt(TSize ext) {
    viewportExt_ = ext;
}
unsigned Canvas::SetTextAlign(unsigned align) {
    return textAlign_ = align;
}
TPoint Canvas::LPtoDP(TPoint p) const {
    return p;
}
TPoint Canvas::DPtoLP(TPoint p) const {
    return p;
}
TRect Canvas::LPtoDP(const TRect& r) const {
    return r;
}
double Canvas::ScaleX() const {
    return 1;
}
double Canvas::ScaleY() const {
    return 1;
}
void Canvas::TextOut(int, int, std::string_view) {}
void Canvas::TextRect(const TRect&, int, int, std::string_view) {}
int Canvas::DrawText(std::string_view, TRect&, unsigned) {
    return 0;
}
TSize Canvas::TabbedTextOut(int, int, std::string_view, const std::vector<int>&, int) {
    return {};
}
TSize Canvas::TextExtent(std::string_view) const {
    return {};
}
TTextMetric Canvas::GetTextMetrics() const {
    return {};
}
void Canvas::MoveTo(int x, int y) {
    penPos_ = {x, y};
}
void Canvas::LineTo(int x, int y) {
    penPos_ = {x, y};
}
void Canvas::Rectangle(int, int, int, int) {}
void Canvas::FillRect(const TRect&) {}
void Canvas::FillRect(const TRect&, TColor) {}
void Canvas::StretchDIBits(int, int, int, int, int, int, int, int, const TBitmap&) {}
void Canvas::StretchDraw(const TRect&, const TBitmap&) {}
void Canvas::SelectClipRect(const TRect&) {}
void Canvas::SelectClipRegion(const ClipRegion&) {}
void Canvas::IntersectClipRect(const TRect&) {}
void Canvas::ExcludeClipRect(const TRect&) {}
void Canvas::ResetClip() {}
void Canvas::ResetState() {}
DeviceFont Canvas::ResolveFont() const {
    return {};
}
void Canvas::setCaps(const DeviceCaps& caps) {
    caps_ = caps;
}
void Canvas::setMeasurer(std::shared_ptr<const FontMeasurer> m) {
    measurer_ = std::move(m);
}

} // namespace formidor
