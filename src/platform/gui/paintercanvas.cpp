#include "platform/gui/paintercanvas.h"
#include "platform/text.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QRegion>

#include <cmath>
#include <map>
#include <tuple>

namespace formidor::gui {

namespace {

// Metrics are taken at this pixel size and scaled: unhinted outlines scale linearly, so every
// size and every device measures alike.
constexpr double kMeasureSize = 1000.0;
constexpr char32_t kAdvanceCacheSize = 0x3000;

QColor toQColor(TColor c) {
    return QColor(int(GetRValue(c)), int(GetGValue(c)), int(GetBValue(c)));
}

QFont baseFont(const DeviceFont& f) {
    QFont q(substituteFace(f.face));
    q.setBold(f.bold);
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStrikeOut(f.strikeOut);
    q.setHintingPreference(QFont::PreferNoHinting);
    q.setStyleStrategy(QFont::StyleStrategy(QFont::ForceOutline | QFont::NoSubpixelAntialias));
    q.setKerning(false);
    return q;
}

class QtMeasurer : public FontMeasurer {
public:
    DeviceFontMetrics metrics(const DeviceFont& font) const override {
        const Entry& e = entry(font);
        const double k = font.emPixels / kMeasureSize;
        DeviceFontMetrics m;
        m.ascent = e.ascent * k;
        m.descent = e.descent * k;
        m.internalLeading = (e.ascent + e.descent - kMeasureSize) * k;
        m.externalLeading = e.leading * k;
        m.aveCharWidth = e.average * k * font.widthScale;
        m.maxCharWidth = e.max * k * font.widthScale;
        return m;
    }
    double textWidth(const DeviceFont& font, std::string_view utf8) const override {
        if (utf8.empty()) return 0;
        Entry& e = entry(font);
        const double k = font.emPixels / kMeasureSize * font.widthScale;
        // Without kerning a text is as wide as its characters' advances together; those are
        // cached per face. Anything that shapes (combining marks, characters outside the
        // basic plane) is measured whole.
        double units = 0;
        for (size_t pos = 0; pos < utf8.size();) {
            const unsigned char b = static_cast<unsigned char>(utf8[pos]);
            char32_t c = b;
            if (b < 0x80)
                ++pos;
            else
                c = decodeUtf8(utf8, pos);
            if (c >= kAdvanceCacheSize || (c >= 0x300 && c < 0x370)) {
                const QString s = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
                return e.fm.horizontalAdvance(s) * k;
            }
            float& a = e.advances[c];
            if (a < 0) a = float(e.fm.horizontalAdvance(QString(QChar(char16_t(c)))));
            units += a;
        }
        return units * k;
    }

private:
    struct Entry {
        QFontMetricsF fm;
        double ascent, descent, leading, average, max;
        std::vector<float> advances = std::vector<float>(kAdvanceCacheSize, -1.0f);
    };
    Entry& entry(const DeviceFont& f) const {
        auto key = std::make_tuple(f.face, f.bold, f.italic);
        auto it = cache_.find(key);
        if (it != cache_.end()) return it->second;
        DeviceFont plain = f;
        plain.underline = plain.strikeOut = false;
        QFont q = baseFont(plain);
        q.setPixelSize(int(kMeasureSize));
        QFontMetricsF fm(q);
        // The Windows average: the weighted lowercase letters and the blank.
        static const std::pair<char, int> weights[] = {
            {'a', 64}, {'b', 14}, {'c', 27}, {'d', 35}, {'e', 100}, {'f', 20}, {'g', 14},
            {'h', 42}, {'i', 63}, {'j', 3},  {'k', 6},  {'l', 35},  {'m', 20}, {'n', 56},
            {'o', 56}, {'p', 17}, {'q', 4},  {'r', 49}, {'s', 56},  {'t', 71}, {'u', 31},
            {'v', 10}, {'w', 18}, {'x', 3},  {'y', 18}, {'z', 2},   {' ', 166}};
        double avg = 0;
        for (auto [c, w] : weights) avg += fm.horizontalAdvance(QChar(c)) * w;
        Entry e{fm, fm.ascent(), fm.descent(), fm.leading(), avg / 1000.0, fm.maxWidth()};
        return cache_.emplace(key, std::move(e)).first->second;
    }
    mutable std::map<std::tuple<std::string, bool, bool>, Entry> cache_;
};

} // namespace

std::shared_ptr<const FontMeasurer> qtFontMeasurer() {
    static const auto m = std::make_shared<QtMeasurer>();
    return m;
}

QString substituteFace(const std::string& face) {
    static const QHash<QString, QString> map = {
        {"arial", "Liberation Sans"},
        {"helvetica", "Liberation Sans"},
        {"ms sans serif", "Liberation Sans"},
        {"microsoft sans serif", "Liberation Sans"},
        {"tahoma", "Liberation Sans"},
        {"verdana", "Liberation Sans"},
        {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},
        {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},
    };
    const QString name = QString::fromStdString(face);
    auto it = map.find(name.toLower());
    if (it == map.end()) return name;
    static QHash<QString, bool> installed;
    auto have = installed.find(*it);
    if (have == installed.end()) have = installed.insert(*it, QFontDatabase::hasFamily(*it));
    return *have ? *it : name;
}

QFont toQFont(const DeviceFont& font) {
    QFont q = baseFont(font);
    q.setPixelSize(std::max(1, int(std::lround(font.emPixels))));
    return q;
}

DeviceCaps capsOf(const QPaintDevice& device) {
    DeviceCaps c;
    c.dpiX = device.logicalDpiX();
    c.dpiY = device.logicalDpiY();
    c.horzRes = c.physicalWidth = device.width();
    c.vertRes = c.physicalHeight = device.height();
    c.numColors = device.depth() <= 1 ? 2 : -1;
    return c;
}

PainterCanvas::PainterCanvas(QPainter& painter, const DeviceCaps& caps,
                             std::shared_ptr<const FontMeasurer> measurer)
    : Canvas(caps, std::move(measurer)), painter_(&painter) {}

PainterCanvas::PainterCanvas(QPainter& painter)
    : PainterCanvas(painter, painter.device() ? capsOf(*painter.device()) : DeviceCaps{}) {}

PainterCanvas::~PainterCanvas() = default;

void PainterCanvas::setPainter(QPainter& painter) {
    painter_ = &painter;
    haveFont_ = false;
}

void PainterCanvas::reapplyState() {
    haveFont_ = false;
    deviceClip(HasClip() ? &GetClipRegion() : nullptr);
}

void PainterCanvas::applyFont(const DeviceFont& font) {
    if (haveFont_ && font == lastFont_) {
        return;
    }
    QFont q = baseFont(font);
    // Point sizes keep the fractional em on every device: the painter's device turns points
    // into its own pixels.
    const int dpi = painter_->device() ? painter_->device()->logicalDpiY() : 96;
    q.setPointSizeF(std::max(0.01, font.emPixels * 72.0 / dpi));
    qfont_ = q;
    lastFont_ = font;
    haveFont_ = true;
}

void PainterCanvas::deviceText(DPoint origin, std::string_view utf8, const DeviceFont& font,
                               TColor color, const DRect* background, TColor backgroundColor,
                               const DRect* clip) {
    if (utf8.empty()) return;
    QPainter& p = *painter_;
    if (clip) {
        p.save();
        p.setClipRect(
            QRectF(clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top),
            p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    if (background)
        p.fillRect(QRectF(background->left, background->top, background->right - background->left,
                          background->bottom - background->top),
                   toQColor(backgroundColor));
    applyFont(font);
    p.setFont(qfont_);
    p.setPen(toQColor(color));
    const QString s = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    if (std::fabs(font.widthScale - 1.0) > 1e-3) {
        // A stretched playback: squeeze the glyphs as the recording's layout was squeezed.
        p.save();
        p.translate(origin.x, origin.y);
        p.scale(font.widthScale, 1.0);
        p.drawText(QPointF(0, 0), s);
        p.restore();
    } else {
        p.drawText(QPointF(origin.x, origin.y), s);
    }
    if (clip) {
        p.restore();
        haveFont_ = false; // restore() brought back the earlier font
    }
}

void PainterCanvas::applyPen(const DevicePen& pen) {
    QPen q(toQColor(pen.color));
    if (pen.width <= 1.5) {
        q.setWidth(0); // one device pixel
        q.setCosmetic(true);
    } else {
        q.setWidthF(pen.width);
        q.setCapStyle(Qt::RoundCap);
        q.setJoinStyle(Qt::RoundJoin);
    }
    switch (pen.style) {
    case TPenStyle::psSolid:
        q.setStyle(Qt::SolidLine);
        break;
    case TPenStyle::psDash:
        q.setStyle(Qt::DashLine);
        break;
    case TPenStyle::psDot:
        q.setStyle(Qt::DotLine);
        break;
    case TPenStyle::psDashDot:
        q.setStyle(Qt::DashDotLine);
        break;
    case TPenStyle::psDashDotDot:
        q.setStyle(Qt::DashDotDotLine);
        break;
    case TPenStyle::psClear:
        q.setStyle(Qt::NoPen);
        break;
    }
    painter_->setPen(q);
    // Raster operations exist only on images; vector devices draw such pens plainly.
    const bool raster = painter_->device() && painter_->device()->devType() == QInternal::Image;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    if (raster && pen.mode == TPenMode::pmXor) mode = QPainter::RasterOp_SourceXorDestination;
    if (raster && pen.mode == TPenMode::pmNot) mode = QPainter::RasterOp_NotDestination;
    painter_->setCompositionMode(mode);
}

void PainterCanvas::deviceLine(DPoint from, DPoint to, const DevicePen& pen) {
    applyPen(pen);
    painter_->setBrush(Qt::NoBrush);
    if (pen.width <= 1.5) {
        // The end point is not part of the line: stop one pixel short of it.
        const double dx = to.x - from.x, dy = to.y - from.y;
        const double steps = std::max(std::fabs(dx), std::fabs(dy));
        if (steps < 1.0) {
            painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
            return;
        }
        to = {to.x - dx / steps, to.y - dy / steps};
    }
    painter_->drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void PainterCanvas::deviceRectangle(const DRect& r, const DevicePen* pen, const TColor* fill) {
    const QRectF area(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (fill) painter_->fillRect(area, toQColor(*fill));
    if (pen && pen->style != TPenStyle::psClear) {
        applyPen(*pen);
        painter_->setBrush(Qt::NoBrush);
        // The outline runs on the outermost pixels inside the rectangle.
        painter_->drawRect(QRectF(r.left, r.top, std::max(0.0, r.right - r.left - 1),
                                  std::max(0.0, r.bottom - r.top - 1)));
        painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void PainterCanvas::deviceImage(const DRect& dest, const TBitmap& image, const TRect& source) {
    const QImage q = toQImage(image);
    painter_->drawImage(QRectF(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top),
                        q, QRectF(source.Left, source.Top, source.Width(), source.Height()));
}

void PainterCanvas::deviceClip(const ClipRegion* region) {
    if (!region) {
        painter_->setClipping(false);
        return;
    }
    QRegion q;
    for (const TRect& r : region->rects()) q += QRect(r.Left, r.Top, r.Width(), r.Height());
    painter_->setClipRegion(q);
}

TBitmap toBitmap(const QImage& image) {
    TBitmap b;
    if (image.isNull()) return b;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    b.Width = rgb.width();
    b.Height = rgb.height();
    b.Pixels.resize(size_t(b.Width) * size_t(b.Height));
    for (int y = 0; y < b.Height; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < b.Width; ++x) b.Pixels[size_t(y) * b.Width + x] = line[x] & 0xFFFFFF;
    }
    if (rgb.dotsPerMeterX() > 0) b.PixelsPerInchX = int(std::lround(rgb.dotsPerMeterX() * 0.0254));
    if (rgb.dotsPerMeterY() > 0) b.PixelsPerInchY = int(std::lround(rgb.dotsPerMeterY() * 0.0254));
    return b;
}

QImage toQImage(const TBitmap& b) {
    if (b.Empty() || b.Pixels.size() < size_t(b.Width) * size_t(b.Height)) return {};
    QImage q(b.Width, b.Height, QImage::Format_RGB32);
    for (int y = 0; y < b.Height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(q.scanLine(y));
        for (int x = 0; x < b.Width; ++x) line[x] = 0xFF000000u | b.Pixels[size_t(y) * b.Width + x];
    }
    q.setDotsPerMeterX(int(std::lround(b.PixelsPerInchX / 0.0254)));
    q.setDotsPerMeterY(int(std::lround(b.PixelsPerInchY / 0.0254)));
    return q;
}

} // namespace formidor::gui
