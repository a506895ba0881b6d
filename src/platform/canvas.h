#pragma once
// The drawing surface every form printer, report, list and preview draws on: a device context
// in the manner of the printing interfaces the forms were laid out for. Logical coordinates go
// through a mapping mode (device pixels, or tenths of a millimetre with y upwards), a viewport
// origin and window / viewport extents to device pixels; fonts, pens and brushes are plain
// values read at every call.
//
// Canvas keeps all the state and does all the arithmetic (mapping, alignment, word breaks,
// ellipses, tabs, clip regions); a backend only puts finished primitives onto its device in
// device pixels and measures text. Backends: the metafile recorder (metafile.h), the printer
// stand-ins (printer.h) and, on the Qt side, PainterCanvas.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace formidor {

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TSize&) const = default;
};

// Left/Top inclusive, Right/Bottom exclusive, as everywhere on the surface.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    // Left ≤ Right and Top ≤ Bottom (a low-metric rectangle has Top above Bottom numerically).
    TRect Normalized() const;
    void Offset(int dx, int dy) {
        Left += dx;
        Right += dx;
        Top += dy;
        Bottom += dy;
    }
    bool operator==(const TRect&) const = default;
};

// Colours as 0x00BBGGRR, the way the forms' settings and the print job store them.
using TColor = uint32_t;
constexpr TColor RGB(unsigned r, unsigned g, unsigned b) {
    return TColor((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr unsigned GetRValue(TColor c) {
    return c & 0xFF;
}
constexpr unsigned GetGValue(TColor c) {
    return (c >> 8) & 0xFF;
}
constexpr unsigned GetBValue(TColor c) {
    return (c >> 16) & 0xFF;
}
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBlue = 0xFF0000;

// A font as the drawing code sets it. Height is in logical units at the moment of drawing:
// positive is the cell height (ascent + descent), negative the character height (cell minus
// internal leading), 0 a default of 10 points.
struct TFont {
    std::string Name = "Arial";
    int Height = -13;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    TColor Color = clBlack;
    // Resolution that Size converts with; drawing code sets it to the device's LOGPIXELSY so
    // point sizes come out true on that device.
    int PixelsPerInch = 96;

    // Point size: -Height × 72 / PixelsPerInch, rounded.
    int Size() const;
    // Height := -(points × PixelsPerInch / 72), rounded.
    void SetSize(int points);
    bool operator==(const TFont&) const = default;
};

enum class TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum class TPenMode : uint8_t { pmCopy, pmNot, pmXor, pmMerge };
struct TPen {
    TColor Color = clBlack;
    // Logical units; 0 is one device pixel whatever the mapping.
    int Width = 0;
    TPenStyle Style = TPenStyle::psSolid;
    TPenMode Mode = TPenMode::pmCopy;
    bool operator==(const TPen&) const = default;
};

enum class TBrushStyle : uint8_t { bsSolid, bsClear };
// A solid brush also paints the background of text cells, as the original surface did; a
// clear one leaves text transparent.
struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    bool operator==(const TBrush&) const = default;
};

// An RGB image, top row first, each pixel 0x00RRGGBB. PixelsPerInch is the resolution of the
// surface it was made for (bitmaps scale by it when placed on a printer).
struct TBitmap {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    int PixelsPerInchX = 96;
    int PixelsPerInchY = 96;
    bool Empty() const { return Width <= 0 || Height <= 0; }
    uint32_t Pixel(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
};

class Metafile;
// A recorded vector graphic, the thing StretchGraphic places.
using TGraphic = Metafile;

enum class TMapMode : uint8_t {
    Text,     // device pixels, y down
    LoMetric, // 0.1 mm, y up
};

// Text alignment (SetTextAlign): one horizontal and one vertical flag.
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;

// DrawText format flags.
inline constexpr unsigned DT_TOP = 0x0;
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_EXTERNALLEADING = 0x200;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// Device capabilities (GetDeviceCaps).
inline constexpr int HORZSIZE = 4; // printable width in mm
inline constexpr int VERTSIZE = 6; // printable height in mm
inline constexpr int HORZRES = 8;  // printable width in pixels
inline constexpr int VERTRES = 10; // printable height in pixels
inline constexpr int NUMCOLORS = 24;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int PHYSICALWIDTH = 110;   // sheet width in pixels
inline constexpr int PHYSICALHEIGHT = 111;  // sheet height in pixels
inline constexpr int PHYSICALOFFSETX = 112; // printable area's left edge on the sheet
inline constexpr int PHYSICALOFFSETY = 113; // printable area's top edge on the sheet

struct DeviceCaps {
    int dpiX = 96;
    int dpiY = 96;
    int horzRes = 0; // printable area in pixels
    int vertRes = 0;
    int physicalWidth = 0; // sheet in pixels
    int physicalHeight = 0;
    int offsetX = 0; // printable area's corner on the sheet
    int offsetY = 0;
    int numColors = -1; // -1: more than 256 (true colour), 2: black and white
    int get(int index) const;
    bool operator==(const DeviceCaps&) const = default;
};

// What GetTextMetrics reports, in logical units.
struct TTextMetric {
    int tmHeight = 0; // cell height = ascent + descent
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
};

// A font resolved for one device: the em size (character height) in device pixels.
// widthScale stretches glyphs horizontally (a stretched playback).
struct DeviceFont {
    std::string face;
    double emPixels = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    double widthScale = 1.0;
    bool operator==(const DeviceFont&) const = default;
};

// Font metrics of a device, in device pixels.
struct DeviceFontMetrics {
    double ascent = 0;
    double descent = 0;
    double internalLeading = 0;
    double externalLeading = 0;
    double aveCharWidth = 0;
    double maxCharWidth = 0;
};

// Measures text for one kind of device. Metrics scale linearly with the em size, so a
// recording made against one device's measurer lays out exactly as that device would.
class FontMeasurer {
public:
    virtual ~FontMeasurer() = default;
    virtual DeviceFontMetrics metrics(const DeviceFont& font) const = 0;
    // Advance width of a UTF-8 text; characters the face lacks measure as its replacement.
    virtual double textWidth(const DeviceFont& font, std::string_view utf8) const = 0;
};

// Built-in metrics of the faces the forms use (Liberation Sans for "Arial" and the sans
// serif faces, Liberation Mono for "Courier New"), so core code lays out without a toolkit.
std::shared_ptr<const FontMeasurer> builtinFontMeasurer();

// A clip region in device pixels: a set of disjoint rectangles.
class ClipRegion {
public:
    ClipRegion() = default;
    explicit ClipRegion(const TRect& r);
    const std::vector<TRect>& rects() const { return rects_; }
    bool empty() const { return rects_.empty(); }
    void intersect(const TRect& r);
    void intersect(const ClipRegion& other);
    void subtract(const TRect& r);
    // Adds the part of r not yet covered.
    void unite(const TRect& r);
    TRect bounds() const;
    bool contains(TPoint p) const;
    bool operator==(const ClipRegion&) const = default;

private:
    std::vector<TRect> rects_;
};

// A point in device pixels; fractional after a stretched playback.
struct DPoint {
    double x = 0;
    double y = 0;
};
// A rectangle in device pixels, right and bottom exclusive.
struct DRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};
// A pen resolved for a device: width in device pixels (at least 1).
struct DevicePen {
    TColor color = clBlack;
    double width = 1;
    TPenStyle style = TPenStyle::psSolid;
    TPenMode mode = TPenMode::pmCopy;
};

// Everything a surface remembers between calls (SaveDC / RestoreDC).
struct CanvasState {
    TFont font;
    TPen pen;
    TBrush brush;
    TPoint penPos;
    TMapMode mapMode = TMapMode::Text;
    TPoint viewportOrg;
    TPoint windowOrg;
    TSize windowExt{1, 1};
    TSize viewportExt{1, 1};
    unsigned textAlign = 0;
    bool hasClip = false;
    ClipRegion clip;
};

class Canvas {
public:
    explicit Canvas(DeviceCaps caps = {},
                    std::shared_ptr<const FontMeasurer> measurer = builtinFontMeasurer());
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    virtual ~Canvas();

    // ----- state -----
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& f) { font_ = f; }
    TPen& Pen() { return pen_; }
    void SetPen(const TPen& p) { pen_ = p; }
    TBrush& Brush() { return brush_; }
    void SetBrush(const TBrush& b) { brush_ = b; }
    TPoint PenPos() const { return penPos_; }
    void SetPenPos(TPoint p) { penPos_ = p; }

    // Text clears the extents to 1:1; LoMetric sets window 254 × 254 to viewport dpiX × −dpiY.
    // Both leave the viewport origin where it is (the device origin unless moved).
    void SetMapMode(TMapMode mode);
    TMapMode GetMapMode() const { return mapMode_; }
    TPoint GetViewportOrg() const { return viewportOrg_; }
    TPoint SetViewportOrg(TPoint org); // device pixels; returns the previous origin
    TPoint GetWindowOrg() const { return windowOrg_; }
    TPoint SetWindowOrg(TPoint org);
    TSize GetWindowExt() const { return windowExt_; }
    TSize GetViewportExt() const { return viewportExt_; }
    void SetWindowExt(TSize ext);
    void SetViewportExt(TSize ext);
    unsigned GetTextAlign() const { return textAlign_; }
    unsigned SetTextAlign(unsigned align); // returns the previous alignment

    // Logical to device pixels and back (rounded to whole pixels).
    TPoint LPtoDP(TPoint p) const;
    TPoint DPtoLP(TPoint p) const;
    TRect LPtoDP(const TRect& r) const; // normalised
    // Device pixels per logical unit, signed (negative for y in LoMetric).
    double ScaleX() const;
    double ScaleY() const;

    int GetDeviceCaps(int index) const { return caps_.get(index); }
    const DeviceCaps& Caps() const { return caps_; }
    const std::shared_ptr<const FontMeasurer>& Measurer() const { return measurer_; }

    // ----- text -----
    // One line at (x, y) aligned by the text alignment; no clipping but the clip region.
    void TextOut(int x, int y, std::string_view utf8);
    // Like TextOut, clipped to rect (logical) — the ETO_CLIPPED output.
    void TextRect(const TRect& rect, int x, int y, std::string_view utf8);
    // Formats text into rect by the DT_ flags; returns the height of the text in logical
    // units. With DT_CALCRECT nothing is drawn and rect's right/bottom grow or shrink to fit.
    int DrawText(std::string_view utf8, TRect& rect, unsigned format);
    // Writes text expanding tabs: tab stops at the given logical positions relative to
    // tabOrigin (the last distance repeats); none given means every 8 average character
    // widths. Returns the extent.
    TSize TabbedTextOut(int x, int y, std::string_view utf8, const std::vector<int>& tabStops = {},
                        int tabOrigin = 0);
    TSize TextExtent(std::string_view utf8) const;
    int TextWidth(std::string_view utf8) const { return TextExtent(utf8).cx; }
    int TextHeight(std::string_view utf8) const { return TextExtent(utf8).cy; }
    TTextMetric GetTextMetrics() const;

    // ----- lines and areas -----
    void MoveTo(int x, int y);
    // A line from the pen position to (x, y), the end point left out; the pen moves there.
    void LineTo(int x, int y);
    // Outline in the pen, inside filled with the brush; right and bottom edges left out.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    // Fills with the brush, right and bottom edges left out.
    void FillRect(const TRect& r);
    // Fills with a colour, whatever the brush.
    void FillRect(const TRect& r, TColor color);

    // ----- images -----
    // The source part (in image pixels) of image stretched into the destination (logical).
    void StretchDIBits(int destX, int destY, int destWidth, int destHeight, int srcX, int srcY,
                       int srcWidth, int srcHeight, const TBitmap& image);
    void StretchDraw(const TRect& dest, const TBitmap& image);

    // ----- clipping (the region lives in device pixels) -----
    // Replaces the region by a rectangle given in device pixels.
    void SelectClipRect(const TRect& deviceRect);
    void SelectClipRegion(const ClipRegion& region);
    void IntersectClipRect(const TRect& logical);
    void ExcludeClipRect(const TRect& logical);
    void ResetClip();
    bool HasClip() const { return hasClip_; }
    const ClipRegion& GetClipRegion() const { return clip_; }

    // Everything back to its fresh state: font, pen, brush, mapping, origins, alignment, clip.
    void ResetState();

    // Resolves the current font for this device.
    DeviceFont ResolveFont() const;

    CanvasState State() const;
    void SetState(const CanvasState& state);

protected:
    // What a backend implements, all in device pixels. Text origin is the left end of the
    // baseline. clip, where given, limits this one call in addition to the region.
    virtual void deviceText(DPoint baselineOrigin, std::string_view utf8, const DeviceFont& font,
                            TColor color, const DRect* background, TColor backgroundColor,
                            const DRect* clip) = 0;
    virtual void deviceLine(DPoint from, DPoint to, const DevicePen& pen) = 0;
    // Outline and/or fill of a rectangle; pen or fill may be absent.
    virtual void deviceRectangle(const DRect& r, const DevicePen* pen, const TColor* fill) = 0;
    virtual void deviceImage(const DRect& dest, const TBitmap& image, const TRect& source) = 0;
    // The clip region changed (nullptr: none).
    virtual void deviceClip(const ClipRegion* region) = 0;
    // While deviceText runs: what the drawing code asked for, for recorders.
    struct TextRequest {
        TPoint logical;
        TPoint device;
        unsigned align = 0;
    };
    const TextRequest& currentTextRequest() const { return request_; }
    // A backend may change capabilities (a new page of another size).
    void setCaps(const DeviceCaps& caps);
    void setMeasurer(std::shared_ptr<const FontMeasurer> m);

private:
    friend class Metafile;
    DPoint toDevice(double x, double y) const;
    DRect toDevice(const TRect& r) const; // normalised, whole pixels
    DevicePen resolvePen() const;
    const DeviceFont& deviceFont() const; // cached ResolveFont with its metrics
    const DeviceFontMetrics& deviceMetrics() const;
    void textAt(TPoint logical, DPoint reference, std::string_view utf8, unsigned align,
                const DRect* clip);
    void clipChanged();

    DeviceCaps caps_;
    std::shared_ptr<const FontMeasurer> measurer_;
    TFont font_;
    TPen pen_;
    TBrush brush_;
    TPoint penPos_;
    TMapMode mapMode_ = TMapMode::Text;
    TPoint viewportOrg_;
    TPoint windowOrg_;
    TSize windowExt_{1, 1};
    TSize viewportExt_{1, 1};
    unsigned textAlign_ = TA_LEFT | TA_TOP;
    ClipRegion clip_;
    bool hasClip_ = false;
    TextRequest request_;
    // ResolveFont is asked at every text call; most calls repeat the last font.
    mutable TFont cachedFont_;
    mutable double cachedScale_ = 0;
    mutable DeviceFont cachedDeviceFont_;
    mutable DeviceFontMetrics cachedMetrics_;
    mutable bool cacheValid_ = false;
};

// A surface that draws nowhere: measures and keeps state (a printer between documents).
class NullCanvas : public Canvas {
public:
    using Canvas::Canvas;
    using Canvas::setCaps;
    using Canvas::setMeasurer;

protected:
    void deviceText(DPoint, std::string_view, const DeviceFont&, TColor, const DRect*, TColor,
                    const DRect*) override {}
    void deviceLine(DPoint, DPoint, const DevicePen&) override {}
    void deviceRectangle(const DRect&, const DevicePen*, const TColor*) override {}
    void deviceImage(const DRect&, const TBitmap&, const TRect&) override {}
    void deviceClip(const ClipRegion*) override {}
};

} // namespace formidor
