#include "platform/canvas.h"
#include "platform/text.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace formidor {

namespace {

int roundToInt(double v) {
    return int(std::lround(v));
}

int mulDiv(int a, int b, int c) {
    return c == 0 ? 0 : int(std::lround(double(a) * double(b) / double(c)));
}

TRect intersection(const TRect& a, const TRect& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}

// "&&" is a literal ampersand; a single "&" marks the next character as a mnemonic, which
// paper has no use for, so it is dropped.
std::string stripPrefixes(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += s[i];
    }
    return out;
}

// Byte offsets where each code point starts, plus the end.
std::vector<size_t> codePointStarts(std::string_view s) {
    std::vector<size_t> starts;
    for (size_t pos = 0; pos < s.size();) {
        starts.push_back(pos);
        decodeUtf8(s, pos);
    }
    starts.push_back(s.size());
    return starts;
}

constexpr std::string_view kEllipsis = "...";

} // namespace

TRect TRect::Normalized() const {
    return {std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right),
            std::max(Top, Bottom)};
}

int TFont::Size() const {
    return -mulDiv(Height, 72, PixelsPerInch);
}
void TFont::SetSize(int points) {
    Height = -mulDiv(points, PixelsPerInch, 72);
}

int DeviceCaps::get(int index) const {
    switch (index) {
    case HORZSIZE:
        return dpiX > 0 ? roundToInt(horzRes * 25.4 / dpiX) : 0;
    case VERTSIZE:
        return dpiY > 0 ? roundToInt(vertRes * 25.4 / dpiY) : 0;
    case HORZRES:
        return horzRes;
    case VERTRES:
        return vertRes;
    case NUMCOLORS:
        return numColors;
    case LOGPIXELSX:
        return dpiX;
    case LOGPIXELSY:
        return dpiY;
    case PHYSICALWIDTH:
        return physicalWidth;
    case PHYSICALHEIGHT:
        return physicalHeight;
    case PHYSICALOFFSETX:
        return offsetX;
    case PHYSICALOFFSETY:
        return offsetY;
    default:
        return 0;
    }
}

// ----- clip regions -----

ClipRegion::ClipRegion(const TRect& r) {
    TRect n = r.Normalized();
    if (!n.IsEmpty()) rects_.push_back(n);
}

void ClipRegion::intersect(const TRect& r) {
    const TRect n = r.Normalized();
    std::vector<TRect> out;
    for (const TRect& a : rects_) {
        TRect i = intersection(a, n);
        if (!i.IsEmpty()) out.push_back(i);
    }
    rects_ = std::move(out);
}

void ClipRegion::intersect(const ClipRegion& other) {
    std::vector<TRect> out;
    for (const TRect& a : rects_)
        for (const TRect& b : other.rects_) {
            TRect i = intersection(a, b);
            if (!i.IsEmpty()) out.push_back(i);
        }
    rects_ = std::move(out);
}

void ClipRegion::subtract(const TRect& r) {
    const TRect n = r.Normalized();
    if (n.IsEmpty()) return;
    std::vector<TRect> out;
    for (const TRect& a : rects_) {
        const TRect i = intersection(a, n);
        if (i.IsEmpty()) {
            out.push_back(a);
            continue;
        }
        // Up to four pieces: above, below, left and right of the cut.
        if (a.Top < i.Top) out.push_back({a.Left, a.Top, a.Right, i.Top});
        if (i.Bottom < a.Bottom) out.push_back({a.Left, i.Bottom, a.Right, a.Bottom});
        if (a.Left < i.Left) out.push_back({a.Left, i.Top, i.Left, i.Bottom});
        if (i.Right < a.Right) out.push_back({i.Right, i.Top, a.Right, i.Bottom});
    }
    rects_ = std::move(out);
}

void ClipRegion::unite(const TRect& r) {
    ClipRegion rest(r);
    for (const TRect& have : rects_) rest.subtract(have);
    rects_.insert(rects_.end(), rest.rects_.begin(), rest.rects_.end());
}

TRect ClipRegion::bounds() const {
    if (rects_.empty()) return {};
    TRect b = rects_.front();
    for (const TRect& r : rects_) {
        b.Left = std::min(b.Left, r.Left);
        b.Top = std::min(b.Top, r.Top);
        b.Right = std::max(b.Right, r.Right);
        b.Bottom = std::max(b.Bottom, r.Bottom);
    }
    return b;
}

bool ClipRegion::contains(TPoint p) const {
    return std::any_of(rects_.begin(), rects_.end(), [&](const TRect& r) { return r.Contains(p); });
}

// ----- canvas -----

Canvas::Canvas(DeviceCaps caps, std::shared_ptr<const FontMeasurer> measurer)
    : caps_(caps), measurer_(measurer ? std::move(measurer) : builtinFontMeasurer()) {}

Canvas::~Canvas() = default;

void Canvas::setCaps(const DeviceCaps& caps) {
    caps_ = caps;
    if (mapMode_ == TMapMode::LoMetric) SetMapMode(TMapMode::LoMetric);
    cacheValid_ = false;
}

void Canvas::setMeasurer(std::shared_ptr<const FontMeasurer> m) {
    measurer_ = m ? std::move(m) : builtinFontMeasurer();
    cacheValid_ = false;
}

void Canvas::SetMapMode(TMapMode mode) {
    mapMode_ = mode;
    if (mode == TMapMode::Text) {
        windowExt_ = {1, 1};
        viewportExt_ = {1, 1};
    } else {
        windowExt_ = {254, 254};
        viewportExt_ = {caps_.dpiX, -caps_.dpiY};
    }
}

TPoint Canvas::SetViewportOrg(TPoint org) {
    TPoint old = viewportOrg_;
    viewportOrg_ = org;
    return old;
}

TPoint Canvas::SetWindowOrg(TPoint org) {
    TPoint old = windowOrg_;
    windowOrg_ = org;
    return old;
}

void Canvas::SetWindowExt(TSize ext) {
    if (ext.cx != 0 && ext.cy != 0) windowExt_ = ext;
}

void Canvas::SetViewportExt(TSize ext) {
    if (ext.cx != 0 && ext.cy != 0) viewportExt_ = ext;
}

unsigned Canvas::SetTextAlign(unsigned align) {
    unsigned old = textAlign_;
    textAlign_ = align;
    return old;
}

double Canvas::ScaleX() const {
    return double(viewportExt_.cx) / windowExt_.cx;
}
double Canvas::ScaleY() const {
    return double(viewportExt_.cy) / windowExt_.cy;
}

DPoint Canvas::toDevice(double x, double y) const {
    return {(x - windowOrg_.X) * ScaleX() + viewportOrg_.X,
            (y - windowOrg_.Y) * ScaleY() + viewportOrg_.Y};
}

TPoint Canvas::LPtoDP(TPoint p) const {
    DPoint d = toDevice(p.X, p.Y);
    return {roundToInt(d.x), roundToInt(d.y)};
}

TPoint Canvas::DPtoLP(TPoint p) const {
    return {roundToInt((p.X - viewportOrg_.X) / ScaleX() + windowOrg_.X),
            roundToInt((p.Y - viewportOrg_.Y) / ScaleY() + windowOrg_.Y)};
}

TRect Canvas::LPtoDP(const TRect& r) const {
    TPoint a = LPtoDP(TPoint{r.Left, r.Top});
    TPoint b = LPtoDP(TPoint{r.Right, r.Bottom});
    return TRect{a.X, a.Y, b.X, b.Y}.Normalized();
}

DRect Canvas::toDevice(const TRect& r) const {
    TRect d = LPtoDP(r);
    return {double(d.Left), double(d.Top), double(d.Right), double(d.Bottom)};
}

// ----- fonts -----

DeviceFont Canvas::ResolveFont() const {
    return deviceFont();
}

const DeviceFont& Canvas::deviceFont() const {
    const double scale = std::fabs(ScaleY());
    if (cacheValid_ && cachedScale_ == scale && cachedFont_ == font_) return cachedDeviceFont_;
    DeviceFont d;
    d.face = font_.Name;
    d.bold = font_.Bold;
    d.italic = font_.Italic;
    d.underline = font_.Underline;
    d.strikeOut = font_.StrikeOut;
    if (font_.Height < 0) {
        d.emPixels = -font_.Height * scale;
    } else if (font_.Height > 0) {
        // A cell height: the em is what remains after the face's ascent and descent ratio.
        d.emPixels = 1000.0;
        DeviceFontMetrics unit = measurer_->metrics(d);
        const double cellPerEm = (unit.ascent + unit.descent) / 1000.0;
        d.emPixels = font_.Height * scale / (cellPerEm > 0 ? cellPerEm : 1.0);
    } else {
        d.emPixels = 10.0 * caps_.dpiY / 72.0;
    }
    cachedFont_ = font_;
    cachedScale_ = scale;
    cachedDeviceFont_ = std::move(d);
    cachedMetrics_ = measurer_->metrics(cachedDeviceFont_);
    cacheValid_ = true;
    return cachedDeviceFont_;
}

const DeviceFontMetrics& Canvas::deviceMetrics() const {
    deviceFont();
    return cachedMetrics_;
}

TTextMetric Canvas::GetTextMetrics() const {
    const DeviceFontMetrics& m = deviceMetrics();
    const double sy = std::fabs(ScaleY()), sx = std::fabs(ScaleX());
    TTextMetric t;
    t.tmAscent = roundToInt(m.ascent / sy);
    t.tmDescent = roundToInt(m.descent / sy);
    t.tmHeight = t.tmAscent + t.tmDescent;
    t.tmInternalLeading = roundToInt(m.internalLeading / sy);
    t.tmExternalLeading = roundToInt(m.externalLeading / sy);
    t.tmAveCharWidth = roundToInt(m.aveCharWidth / sx);
    t.tmMaxCharWidth = roundToInt(m.maxCharWidth / sx);
    return t;
}

TSize Canvas::TextExtent(std::string_view utf8) const {
    const DeviceFontMetrics& m = deviceMetrics();
    const double w = measurer_->textWidth(deviceFont(), utf8);
    return {roundToInt(w / std::fabs(ScaleX())), roundToInt(m.ascent / std::fabs(ScaleY())) +
                                                     roundToInt(m.descent / std::fabs(ScaleY()))};
}

// ----- text -----

void Canvas::textAt(TPoint logical, DPoint ref, std::string_view utf8, unsigned align,
                    const DRect* clip) {
    const DeviceFont& font = deviceFont();
    const DeviceFontMetrics& m = cachedMetrics_;
    const unsigned horizontal = align & TA_CENTER;
    const unsigned vertical = align & TA_BASELINE;
    const bool opaque = brush_.Style == TBrushStyle::bsSolid;
    double width = 0;
    if (horizontal != TA_LEFT || opaque) width = measurer_->textWidth(font, utf8);
    DPoint base = ref;
    if (horizontal == TA_RIGHT)
        base.x -= width;
    else if (horizontal == TA_CENTER)
        base.x -= width / 2;
    if (vertical == TA_BASELINE) {
    } else if (vertical == TA_BOTTOM) {
        base.y -= m.descent;
    } else {
        base.y += m.ascent;
    }
    request_ = {logical, {roundToInt(ref.x), roundToInt(ref.y)}, align};
    DRect bg{base.x, base.y - m.ascent, base.x + width, base.y + m.descent};
    deviceText(base, utf8, font, font_.Color, opaque ? &bg : nullptr, brush_.Color, clip);
}

// The reference point of a text is a whole device pixel, as on every device context.
static DPoint whole(TPoint p) {
    return {double(p.X), double(p.Y)};
}

void Canvas::TextOut(int x, int y, std::string_view utf8) {
    textAt({x, y}, whole(LPtoDP(TPoint{x, y})), utf8, textAlign_, nullptr);
}

void Canvas::TextRect(const TRect& rect, int x, int y, std::string_view utf8) {
    DRect clip = toDevice(rect);
    textAt({x, y}, whole(LPtoDP(TPoint{x, y})), utf8, textAlign_, &clip);
}

int Canvas::DrawText(std::string_view utf8, TRect& rect, unsigned format) {
    const DeviceFont& font = deviceFont();
    const DeviceFontMetrics m = cachedMetrics_;
    const double sx = std::fabs(ScaleX());
    std::string text = (format & DT_NOPREFIX) ? std::string(utf8) : stripPrefixes(utf8);
    const DRect box = toDevice(rect);
    const double boxWidth = box.right - box.left;
    const double lineHeight =
        m.ascent + m.descent + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
    const double tabWidth = 8 * m.aveCharWidth;
    auto measure = [&](std::string_view s) {
        if (!(format & DT_EXPANDTABS) || s.find('\t') == std::string_view::npos)
            return measurer_->textWidth(font, s);
        double x = 0;
        size_t start = 0;
        for (;;) {
            size_t tab = s.find('\t', start);
            x += measurer_->textWidth(font, s.substr(start, tab - start));
            if (tab == std::string_view::npos) break;
            if (tabWidth > 0) x = (std::floor(x / tabWidth + 1e-9) + 1) * tabWidth;
            start = tab + 1;
        }
        return x;
    };

    // Split into paragraphs, then (with word break) into lines that fit the box.
    std::vector<std::string> lines;
    if (format & DT_SINGLELINE) {
        std::string one;
        for (char c : text)
            if (c == '\n')
                one += ' ';
            else if (c != '\r')
                one += c;
        lines.push_back(std::move(one));
    } else {
        size_t start = 0;
        for (;;) {
            size_t nl = text.find('\n', start);
            std::string para = text.substr(start, nl == std::string::npos ? nl : nl - start);
            if (!para.empty() && para.back() == '\r') para.pop_back();
            if (!(format & DT_WORDBREAK)) {
                lines.push_back(std::move(para));
            } else {
                // Greedy: as many words as fit; a word wider than the box stands alone.
                std::string line;
                size_t i = 0;
                while (i < para.size()) {
                    size_t wordEnd = para.find(' ', i);
                    if (wordEnd == std::string::npos) wordEnd = para.size();
                    std::string candidate = line + para.substr(i, wordEnd - i);
                    if (!line.empty() && measure(candidate) > boxWidth + 1e-6) {
                        while (!line.empty() && line.back() == ' ') line.pop_back();
                        lines.push_back(std::move(line));
                        line.clear();
                        continue; // the word starts the next line
                    }
                    line = std::move(candidate);
                    size_t next = wordEnd;
                    while (next < para.size() && para[next] == ' ') ++next;
                    line.append(para, wordEnd, next - wordEnd);
                    i = next;
                }
                while (!line.empty() && line.back() == ' ') line.pop_back();
                lines.push_back(std::move(line));
            }
            if (nl == std::string::npos) break;
            start = nl + 1;
        }
    }

    if (format & DT_END_ELLIPSIS) {
        for (std::string& line : lines) {
            if (measure(line) <= boxWidth + 1e-6) continue;
            // The longest start of the line that still fits with the ellipsis after it.
            std::vector<size_t> starts = codePointStarts(line);
            size_t keep = 0;
            size_t lo = 0, hi = starts.size() - 1;
            while (lo <= hi) {
                size_t mid = (lo + hi) / 2;
                std::string t = line.substr(0, starts[mid]) + std::string(kEllipsis);
                if (measure(t) <= boxWidth + 1e-6) {
                    keep = mid;
                    lo = mid + 1;
                } else {
                    if (mid == 0) break;
                    hi = mid - 1;
                }
            }
            line = line.substr(0, starts[keep]) + std::string(kEllipsis);
        }
    }

    double maxWidth = 0;
    std::vector<double> widths;
    widths.reserve(lines.size());
    for (const std::string& line : lines) {
        widths.push_back(measure(line));
        maxWidth = std::max(maxWidth, widths.back());
    }
    const TTextMetric tm = GetTextMetrics();
    const int heightLogical =
        int(lines.size()) *
        (tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0));

    if (format & DT_CALCRECT) {
        const int widthLogical = roundToInt(maxWidth / sx);
        const int dirX = ScaleX() < 0 ? -1 : 1, dirY = ScaleY() < 0 ? -1 : 1;
        rect.Right = rect.Left + dirX * widthLogical;
        rect.Bottom = rect.Top + dirY * heightLogical;
        return heightLogical;
    }

    double top = box.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = box.top + (box.bottom - box.top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = box.bottom - lineHeight;
    }
    const DRect* clip = (format & DT_NOCLIP) ? nullptr : &box;
    const unsigned savedAlign = textAlign_;
    for (size_t i = 0; i < lines.size(); ++i) {
        double left = box.left;
        if (format & DT_RIGHT)
            left = box.right - widths[i];
        else if (format & DT_CENTER)
            left = box.left + (boxWidth - widths[i]) / 2;
        const DPoint at{left, top + lineHeight * double(i)};
        const TPoint logical = DPtoLP({roundToInt(at.x), roundToInt(at.y)});
        if ((format & DT_EXPANDTABS) && lines[i].find('\t') != std::string::npos) {
            double x = at.x;
            size_t start = 0;
            const std::string& s = lines[i];
            for (;;) {
                size_t tab = s.find('\t', start);
                std::string_view piece = std::string_view(s).substr(start, tab - start);
                if (!piece.empty()) textAt(logical, {x, at.y}, piece, TA_LEFT | TA_TOP, clip);
                x += measurer_->textWidth(font, piece);
                if (tab == std::string::npos) break;
                if (tabWidth > 0)
                    x = at.x + (std::floor((x - at.x) / tabWidth + 1e-9) + 1) * tabWidth;
                start = tab + 1;
            }
        } else if (!lines[i].empty()) {
            textAt(logical, at, lines[i], TA_LEFT | TA_TOP, clip);
        }
    }
    textAlign_ = savedAlign;
    return heightLogical;
}

TSize Canvas::TabbedTextOut(int x, int y, std::string_view utf8, const std::vector<int>& tabStops,
                            int tabOrigin) {
    const DeviceFont& font = deviceFont();
    const double sx = std::fabs(ScaleX());
    const double ave = cachedMetrics_.aveCharWidth;
    const DPoint start = whole(LPtoDP(TPoint{x, y}));
    const double origin = toDevice(tabOrigin, y).x;
    // Tab positions in device pixels from the origin.
    std::vector<double> stops;
    for (int s : tabStops) stops.push_back(s * sx);
    auto nextStop = [&](double pos) {
        const double rel = pos - origin;
        if (stops.size() == 1 || stops.empty()) {
            const double step = stops.empty() ? 8 * ave : stops[0];
            if (step <= 0) return pos;
            return origin + (std::floor(rel / step + 1e-9) + 1) * step;
        }
        for (double s : stops)
            if (s > rel + 1e-9) return origin + s;
        const double step = stops.back() - stops[stops.size() - 2];
        double s = stops.back();
        if (step <= 0) return pos;
        while (s <= rel + 1e-9) s += step;
        return origin + s;
    };
    double cx = start.x;
    size_t pos = 0;
    const unsigned vertical = textAlign_ & TA_BASELINE;
    for (;;) {
        size_t tab = utf8.find('\t', pos);
        std::string_view piece = utf8.substr(pos, tab == std::string_view::npos ? tab : tab - pos);
        if (!piece.empty()) textAt({x, y}, {cx, start.y}, piece, TA_LEFT | vertical, nullptr);
        cx += measurer_->textWidth(font, piece);
        if (tab == std::string_view::npos) break;
        cx = nextStop(cx);
        pos = tab + 1;
    }
    const TTextMetric tm = GetTextMetrics();
    return {roundToInt((cx - start.x) / sx), tm.tmHeight};
}

// ----- lines and areas -----

DevicePen Canvas::resolvePen() const {
    DevicePen p;
    p.color = pen_.Color;
    p.style = pen_.Style;
    p.mode = pen_.Mode;
    p.width = pen_.Width <= 0 ? 1.0 : std::max(1.0, pen_.Width * std::fabs(ScaleX()));
    return p;
}

void Canvas::MoveTo(int x, int y) {
    penPos_ = {x, y};
}

void Canvas::LineTo(int x, int y) {
    const TPoint a = LPtoDP(penPos_), b = LPtoDP(TPoint{x, y});
    penPos_ = {x, y};
    if (pen_.Style == TPenStyle::psClear || a == b) return;
    deviceLine({double(a.X), double(a.Y)}, {double(b.X), double(b.Y)}, resolvePen());
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
    const DRect r = toDevice(TRect{left, top, right, bottom});
    if (r.right <= r.left || r.bottom <= r.top) return;
    const DevicePen pen = resolvePen();
    const TColor fill = brush_.Color;
    deviceRectangle(r, pen_.Style == TPenStyle::psClear ? nullptr : &pen,
                    brush_.Style == TBrushStyle::bsSolid ? &fill : nullptr);
}

void Canvas::FillRect(const TRect& r) {
    if (brush_.Style == TBrushStyle::bsClear) return;
    FillRect(r, brush_.Color);
}

void Canvas::FillRect(const TRect& r, TColor color) {
    const DRect d = toDevice(r);
    if (d.right <= d.left || d.bottom <= d.top) return;
    deviceRectangle(d, nullptr, &color);
}

// ----- images -----

void Canvas::StretchDIBits(int destX, int destY, int destWidth, int destHeight, int srcX, int srcY,
                           int srcWidth, int srcHeight, const TBitmap& image) {
    if (image.Empty() || int(image.Pixels.size()) < image.Width * image.Height) return;
    TRect src = TRect{srcX, srcY, srcX + srcWidth, srcY + srcHeight}.Normalized();
    src = intersection(src, TRect{0, 0, image.Width, image.Height});
    if (src.IsEmpty()) return;
    const DRect dest = toDevice(TRect{destX, destY, destX + destWidth, destY + destHeight});
    if (dest.right <= dest.left || dest.bottom <= dest.top) return;
    deviceImage(dest, image, src);
}

void Canvas::StretchDraw(const TRect& dest, const TBitmap& image) {
    StretchDIBits(dest.Left, dest.Top, dest.Width(), dest.Height(), 0, 0, image.Width, image.Height,
                  image);
}

// ----- clipping -----

void Canvas::clipChanged() {
    deviceClip(hasClip_ ? &clip_ : nullptr);
}

void Canvas::SelectClipRect(const TRect& deviceRect) {
    clip_ = ClipRegion(deviceRect);
    hasClip_ = true;
    clipChanged();
}

void Canvas::SelectClipRegion(const ClipRegion& region) {
    clip_ = region;
    hasClip_ = true;
    clipChanged();
}

void Canvas::IntersectClipRect(const TRect& logical) {
    const TRect d = LPtoDP(logical);
    if (hasClip_)
        clip_.intersect(d);
    else
        clip_ = ClipRegion(d);
    hasClip_ = true;
    clipChanged();
}

void Canvas::ExcludeClipRect(const TRect& logical) {
    // "Everything" is far beyond any device, yet small enough to scale without overflow.
    constexpr int kFar = 1 << 26;
    if (!hasClip_) clip_ = ClipRegion(TRect{-kFar, -kFar, kFar, kFar});
    clip_.subtract(LPtoDP(logical));
    hasClip_ = true;
    clipChanged();
}

void Canvas::ResetClip() {
    const bool had = hasClip_;
    hasClip_ = false;
    clip_ = ClipRegion();
    if (had) clipChanged();
}

// ----- state -----

CanvasState Canvas::State() const {
    return {font_,      pen_,       brush_,       penPos_,    mapMode_, viewportOrg_,
            windowOrg_, windowExt_, viewportExt_, textAlign_, hasClip_, clip_};
}

void Canvas::SetState(const CanvasState& s) {
    font_ = s.font;
    pen_ = s.pen;
    brush_ = s.brush;
    penPos_ = s.penPos;
    mapMode_ = s.mapMode;
    viewportOrg_ = s.viewportOrg;
    windowOrg_ = s.windowOrg;
    windowExt_ = s.windowExt;
    viewportExt_ = s.viewportExt;
    textAlign_ = s.textAlign;
    const bool clipDiffers = hasClip_ != s.hasClip || !(clip_ == s.clip);
    hasClip_ = s.hasClip;
    clip_ = s.clip;
    if (clipDiffers) clipChanged();
}

void Canvas::ResetState() {
    SetState(CanvasState{});
}

} // namespace formidor
