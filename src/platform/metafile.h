#pragma once
// A vector recording of drawing calls, bound to a reference device: the recording surface has
// that device's resolution, capabilities and font metrics, so a page recorded against the
// printer lays out exactly as it will print. Every call is stored in reference device pixels
// and can be played back stretched into any rectangle of any surface.
//
// Tests read a recording to see what was drawn: which texts, where (logical and device),
// in which font.
#include "platform/canvas.h"

#include <memory>
#include <string>
#include <vector>

namespace formidor {

struct MetaText {
    std::string text;
    TPoint logical;     // the reference point the drawing code gave (TextOut's x, y)
    TPoint device;      // that point in reference device pixels
    unsigned align = 0; // text alignment it was placed by
    TMapMode mapMode = TMapMode::Text;
    TFont font; // the font as the drawing code set it
    DeviceFont deviceFont;
    DPoint baseline;   // left end of the baseline, device pixels
    double width = 0;  // advance width, device pixels
    double ascent = 0; // device pixels
    double descent = 0;
    TColor color = clBlack;
    bool opaque = false; // cell background painted in backgroundColor
    TColor backgroundColor = clWhite;
    bool clipped = false; // clipped to clipRect besides the region
    DRect clipRect;
    // Top-left of the text cell in device pixels.
    DPoint cellTopLeft() const { return {baseline.x, baseline.y - ascent}; }
};

struct MetaLine {
    DPoint from;
    DPoint to; // not drawn itself
    DevicePen pen;
};

struct MetaRectangle {
    DRect rect;
    bool hasPen = false;
    DevicePen pen;
    bool hasFill = false;
    TColor fill = clWhite;
};

struct MetaImage {
    DRect dest;
    std::shared_ptr<const TBitmap> image;
    TRect source;
};

class Metafile {
public:
    enum class Kind : uint8_t { Text, Line, Rectangle, Image, Clip };
    struct Record {
        Kind kind;
        uint32_t index; // into the list of its kind
    };

    // A recording of width × height reference pixels against the reference surface's
    // capabilities and metrics.
    Metafile(int width, int height, const Canvas& reference);
    Metafile(int width, int height, const DeviceCaps& caps,
             std::shared_ptr<const FontMeasurer> measurer = builtinFontMeasurer());
    ~Metafile();
    Metafile(const Metafile&) = delete;
    Metafile& operator=(const Metafile&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    const DeviceCaps& ReferenceCaps() const;

    // The recording surface. Its device origin is the recording's top-left corner.
    Canvas& GetCanvas();
    // Drops every record and gives the surface its fresh state; a new size may be given.
    void Clear();
    void Clear(int width, int height);

    // Plays the recording stretched into rect (logical units of target), clipped to rect and
    // to target's own clip region. Target's state (font, pen, clip, …) is left as it was.
    void Play(Canvas& target, const TRect& rect) const;

    const std::vector<Record>& Records() const { return records_; }
    const std::vector<MetaText>& Texts() const { return texts_; }
    const std::vector<MetaLine>& Lines() const { return lines_; }
    const std::vector<MetaRectangle>& Rectangles() const { return rects_; }
    const std::vector<MetaImage>& Images() const { return images_; }
    // The clip region a Clip record set; nullptr where the clip was removed.
    const ClipRegion* ClipOf(const Record& r) const { return clips_.at(r.index).get(); }
    // The drawn texts in drawing order.
    std::vector<std::string> TextStrings() const;
    // The first text record whose text is exactly s, or nullptr.
    const MetaText* FindText(std::string_view s) const;
    bool Empty() const { return records_.empty(); }

private:
    class Recorder;
    friend class Recorder;
    template <typename V, typename T>
    void push(Kind kind, V& list, T&& item);
    int width_;
    int height_;
    std::unique_ptr<Recorder> recorder_;
    std::vector<Record> records_;
    std::vector<MetaText> texts_;
    std::vector<MetaLine> lines_;
    std::vector<MetaRectangle> rects_;
    std::vector<MetaImage> images_;
    std::vector<std::unique_ptr<ClipRegion>> clips_; // nullptr: clip removed
};

} // namespace formidor
