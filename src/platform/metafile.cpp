#include "platform/metafile.h"

#include <algorithm>
#include <cmath>

namespace formidor {

// The recording surface: every primitive becomes a record in reference device pixels.
class Metafile::Recorder : public Canvas {
public:
    Recorder(Metafile& owner, const DeviceCaps& caps, std::shared_ptr<const FontMeasurer> m)
        : Canvas(caps, std::move(m)), owner_(owner) {}

protected:
    void deviceText(DPoint baselineOrigin, std::string_view utf8, const DeviceFont& font,
                    TColor color, const DRect* background, TColor backgroundColor,
                    const DRect* clip) override {
        MetaText t;
        t.text.assign(utf8);
        const TextRequest& req = currentTextRequest();
        t.logical = req.logical;
        t.device = req.device;
        t.align = req.align;
        t.mapMode = GetMapMode();
        t.font = Font();
        t.deviceFont = font;
        t.baseline = baselineOrigin;
        const DeviceFontMetrics m = Measurer()->metrics(font);
        t.ascent = m.ascent;
        t.descent = m.descent;
        t.width =
            background ? background->right - background->left : Measurer()->textWidth(font, utf8);
        t.color = color;
        t.opaque = background != nullptr;
        t.backgroundColor = backgroundColor;
        if (clip) {
            t.clipped = true;
            t.clipRect = *clip;
        }
        owner_.push(Kind::Text, owner_.texts_, std::move(t));
    }
    void deviceLine(DPoint from, DPoint to, const DevicePen& pen) override {
        owner_.push(Kind::Line, owner_.lines_, MetaLine{from, to, pen});
    }
    void deviceRectangle(const DRect& r, const DevicePen* pen, const TColor* fill) override {
        MetaRectangle m;
        m.rect = r;
        if (pen) {
            m.hasPen = true;
            m.pen = *pen;
        }
        if (fill) {
            m.hasFill = true;
            m.fill = *fill;
        }
        owner_.push(Kind::Rectangle, owner_.rects_, m);
    }
    void deviceImage(const DRect& dest, const TBitmap& image, const TRect& source) override {
        owner_.push(Kind::Image, owner_.images_,
                    MetaImage{dest, std::make_shared<const TBitmap>(image), source});
    }
    void deviceClip(const ClipRegion* region) override {
        owner_.push(Kind::Clip, owner_.clips_,
                    region ? std::make_unique<ClipRegion>(*region) : nullptr);
    }

private:
    Metafile& owner_;
};

template <typename V, typename T>
void Metafile::push(Kind kind, V& list, T&& item) {
    records_.push_back({kind, uint32_t(list.size())});
    list.push_back(std::forward<T>(item));
}

Metafile::Metafile(int width, int height, const Canvas& reference)
    : Metafile(width, height, reference.Caps(), reference.Measurer()) {}

Metafile::Metafile(int width, int height, const DeviceCaps& caps,
                   std::shared_ptr<const FontMeasurer> measurer)
    : width_(width), height_(height),
      recorder_(std::make_unique<Recorder>(*this, caps, std::move(measurer))) {}

Metafile::~Metafile() = default;

const DeviceCaps& Metafile::ReferenceCaps() const {
    return recorder_->Caps();
}

Canvas& Metafile::GetCanvas() {
    return *recorder_;
}

void Metafile::Clear() {
    records_.clear();
    texts_.clear();
    lines_.clear();
    rects_.clear();
    images_.clear();
    clips_.clear();
    recorder_->ResetState();
    // ResetState may have recorded the clip being removed; a fresh recording has no records.
    records_.clear();
    clips_.clear();
}

void Metafile::Clear(int width, int height) {
    width_ = width;
    height_ = height;
    Clear();
}

std::vector<std::string> Metafile::TextStrings() const {
    std::vector<std::string> out;
    out.reserve(texts_.size());
    for (const MetaText& t : texts_) out.push_back(t.text);
    return out;
}

const MetaText* Metafile::FindText(std::string_view s) const {
    for (const MetaText& t : texts_)
        if (t.text == s) return &t;
    return nullptr;
}

namespace {

struct Mapping {
    double ox, oy, sx, sy;
    DPoint operator()(DPoint p) const { return {ox + p.x * sx, oy + p.y * sy}; }
    DRect operator()(const DRect& r) const {
        return {ox + r.left * sx, oy + r.top * sy, ox + r.right * sx, oy + r.bottom * sy};
    }
    // Whole pixels covering r; "everything" regions stay within int range at any scale.
    TRect outer(const TRect& r) const {
        auto clampInt = [](double v) { return int(std::clamp(v, -1e9, 1e9)); };
        return {clampInt(std::floor(ox + r.Left * sx)), clampInt(std::floor(oy + r.Top * sy)),
                clampInt(std::ceil(ox + r.Right * sx)), clampInt(std::ceil(oy + r.Bottom * sy))};
    }
};

} // namespace

void Metafile::Play(Canvas& target, const TRect& rect) const {
    if (width_ <= 0 || height_ <= 0) return;
    const TRect dest = target.LPtoDP(rect);
    if (dest.IsEmpty()) return;
    const Mapping map{double(dest.Left), double(dest.Top), double(dest.Width()) / width_,
                      double(dest.Height()) / height_};
    const double penScale = std::sqrt(std::fabs(map.sx * map.sy));

    // Everything plays inside the destination and inside what the target already clips to.
    ClipRegion frame(dest);
    if (target.hasClip_) frame.intersect(target.clip_);
    target.deviceClip(&frame);

    const double fontScale = map.sy;
    const double widthScale = map.sy != 0 ? map.sx / map.sy : 1.0;
    try {
        for (const Record& rec : records_) {
            switch (rec.kind) {
            case Kind::Text: {
                const MetaText& t = texts_[rec.index];
                DeviceFont f = t.deviceFont;
                f.emPixels *= fontScale;
                f.widthScale *= widthScale;
                DRect bg;
                if (t.opaque)
                    bg = map(DRect{t.baseline.x, t.baseline.y - t.ascent, t.baseline.x + t.width,
                                   t.baseline.y + t.descent});
                DRect clip;
                if (t.clipped) clip = map(t.clipRect);
                target.request_ = {
                    target.DPtoLP(
                        {int(std::lround(map(t.baseline).x)), int(std::lround(map(t.baseline).y))}),
                    {int(std::lround(map(t.baseline).x)), int(std::lround(map(t.baseline).y))},
                    TA_LEFT | TA_BASELINE};
                target.deviceText(map(t.baseline), t.text, f, t.color, t.opaque ? &bg : nullptr,
                                  t.backgroundColor, t.clipped ? &clip : nullptr);
                break;
            }
            case Kind::Line: {
                const MetaLine& l = lines_[rec.index];
                DevicePen pen = l.pen;
                pen.width = std::max(1.0, pen.width * penScale);
                target.deviceLine(map(l.from), map(l.to), pen);
                break;
            }
            case Kind::Rectangle: {
                const MetaRectangle& r = rects_[rec.index];
                DevicePen pen = r.pen;
                pen.width = std::max(1.0, pen.width * penScale);
                target.deviceRectangle(map(r.rect), r.hasPen ? &pen : nullptr,
                                       r.hasFill ? &r.fill : nullptr);
                break;
            }
            case Kind::Image: {
                const MetaImage& i = images_[rec.index];
                target.deviceImage(map(i.dest), *i.image, i.source);
                break;
            }
            case Kind::Clip: {
                const ClipRegion* c = clips_[rec.index].get();
                if (!c) {
                    target.deviceClip(&frame);
                    break;
                }
                ClipRegion combined;
                for (const TRect& r : c->rects()) combined.unite(map.outer(r));
                combined.intersect(frame);
                target.deviceClip(&combined);
                break;
            }
            }
        }
    } catch (...) {
        target.deviceClip(target.hasClip_ ? &target.clip_ : nullptr);
        throw;
    }
    target.deviceClip(target.hasClip_ ? &target.clip_ : nullptr);
}

} // namespace formidor
