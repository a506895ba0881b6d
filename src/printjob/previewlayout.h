#pragma once
// The print preview's arithmetic, free of any widget: view modes and scales, zoom steps, page
// index rules, where the page panel goes inside the scroll box and how far it scrolls, the
// sheet and printable rectangles painted on the panel, what a key does to the scroll bars, the
// toolbar's button slots and enabling, the scale box's list and input, the status bar's parts.
// The widgets in printjob/gui call these and stay thin.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formidor {

enum TViewMode : uint8_t { vmWholePage, vmPageWidth, vmCustom };

// Zoom steps in percent; the first and the last bound the scale of vmCustom.
inline constexpr std::array<int, 11> kZoomSteps = {10,  25,  50,  75,  100, 150,
                                                   200, 300, 500, 700, 1000};
inline constexpr int kMinViewScale = 10;
inline constexpr int kMaxViewScale = 1000;
inline constexpr int kMaxShadowSize = 100;

int ClampViewScale(int scale);
int ClampShadowSize(int size);
// The first zoom step above scale (scale itself at 1000 or above).
int NextZoomIn(int scale);
// The last zoom step below scale (scale itself at 10 or below).
int NextZoomOut(int scale);
// 1…pageCount with a job, 1 without one.
int ClampPageIndex(int index, bool hasJob, int pageCount);

// "Whole page (31%)", "Page width (87%)", "150%".
std::string ScaleText(TViewMode mode, int scale);
// "Page 2 of 5", or empty without a linked job.
std::string PageText(bool hasJob, int pageIndex, int pageCount);

struct LayoutRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const LayoutRect&) const = default;
};

// What the page layout needs to know. All lengths in screen pixels unless said otherwise.
struct PreviewLayoutInput {
    TViewMode mode = vmWholePage;
    int viewScale = 0;      // used in vmCustom (already clamped)
    int shadow = 8;         // ShadowSize
    double sheetWidth = 0;  // W, the sheet in printer pixels
    double sheetHeight = 0; // H
    int clientWidth = 0;    // the scroll box's client area
    int clientHeight = 0;
    int boxWidth = 0;        // the scroll box's outer width
    int vScrollBarWidth = 0; // the system's vertical scroll bar width
    int screenPpi = 96;
    int printerPpiX = 300; // the printer's LOGPIXELSX
    int jobDpiX = 300;     // the job's DPIX
};

// Where the page panel goes. left/top are in content coordinates (scroll position 0); a range
// of 0 means that axis does not scroll.
struct PreviewLayout {
    int left = 8, top = 8, width = 0, height = 0;
    int hRange = 0, vRange = 0;
    bool resetPositions = false; // both scroll positions go back to 0
    int viewScale = 0;           // the scale that results (vmCustom: the input's)
};

PreviewLayout LayoutPreview(const PreviewLayoutInput& in);

// The printer facts the panel painting needs, in printer pixels.
struct SheetMetrics {
    int physicalWidth = 0, physicalHeight = 0;   // PHYSICALWIDTH / PHYSICALHEIGHT
    int offsetX = 0, offsetY = 0;                // PHYSICALOFFSETX / Y
    int printableWidth = 0, printableHeight = 0; // HORZRES / VERTRES
};

// The sheet on a panel whose client area is (0, 0, width, height): the sheet with its frame
// (right and bottom leave room for the shadow) and the printable part inside it.
struct PanelRects {
    LayoutRect page;      // P: frame included
    LayoutRect printable; // Q: the area the recorded page may paint into
    LayoutRect content;   // P shrunk by the frame: where the page recording is played
    LayoutRect shadow;    // filled with the shadow colour outside P (empty without a shadow)
};
PanelRects PanelGeometry(int clientWidth, int clientHeight, int shadow, const SheetMetrics& m);

// A scroll bar as the preview sees it: range is the content length, the position runs from 0
// to range − client (never below 0).
struct ScrollAxis {
    int position = 0;
    int range = 0;
    int client = 0;
    int increment = 8;
    int maxPosition() const { return range > client ? range - client : 0; }
    int clamp(int p) const;
};

enum class PreviewKey { PageUp, PageDown, Up, Down, Left, Right, Home, End };

// What a key does: the new (clamped) positions, and a page step of −1 or +1 when the key runs
// off the top or the bottom of the page.
struct KeyAction {
    int vPosition = 0;
    int hPosition = 0;
    int pageStep = 0;
};
KeyAction PreviewKeyAction(PreviewKey key, bool ctrl, const ScrollAxis& v, const ScrollAxis& h);

// The vertical scroll of a wheel turn: one notch (120) at 100 percent is 25 pixels.
int WheelScroll(int viewScale, int wheelDelta);

// ----- toolbar, scale box, status bar -----

enum TButtonKind : uint8_t {
    btnPrint,
    btnPrintDialog,
    btnPrinterSetupDialog,
    btnFirstPage,
    btnPrevPage,
    btnNextPage,
    btnLastPage,
    btnWholePage,
    btnPageWidth,
    btnZoomOut,
    btnZoomIn,
    btnRefresh,
    btnClose,
    btnUser
};
inline constexpr int kButtonKindCount = 14;

// A set of button kinds, bit n for ordinal n (two bytes).
using TButtons = uint16_t;
constexpr TButtons ButtonBit(TButtonKind k) {
    return TButtons(1u << k);
}
constexpr bool HasButton(TButtons set, TButtonKind k) {
    return (set & ButtonBit(k)) != 0;
}
// Print, printer setup, the four page buttons, zoom out and zoom in.
inline constexpr TButtons kDefaultButtons = 1661;

enum TPanelKind : uint8_t { pnPage, pnScale };
using TPanels = uint8_t;
constexpr TPanels PanelBit(TPanelKind k) {
    return TPanels(1u << k);
}
inline constexpr TPanels kDefaultPanels = PanelBit(pnPage) | PanelBit(pnScale);

inline constexpr int kToolButtonSize = 24;
inline constexpr int kToolbarHeight = 26;
inline constexpr int kGlyphSize = 16;

const char* ButtonHint(TButtonKind k); // empty for btnUser

struct ToolbarLayout {
    std::array<std::optional<int>, kButtonKindCount> left; // empty: the button is hidden
    std::optional<int> scaleBoxLeft;                       // empty: no scale box
};
// designTime shows every button and the scale box.
ToolbarLayout LayoutToolbar(TButtons buttons, bool scaleBox, TButtonKind scaleBoxPos,
                            int scaleBoxWidth, bool designTime = false);

// Enabled state of the buttons that depend on the preview (page and zoom buttons); the others
// are always enabled (the user button by its own flag).
bool ButtonEnabledFor(TButtonKind k, int pageIndex, int pageCount, int viewScale);
bool ButtonDependsOnPreview(TButtonKind k);

// The scale box's list: "Whole page", "Page width", "10%" … "1000%".
std::vector<std::string> ScaleBoxItems();
// The digits of a typed or chosen scale text as a number; empty when there are none or the
// number is out of range ("Invalid scale value").
std::optional<int> ParseScaleInput(std::string_view text);
inline constexpr const char* kInvalidScaleValue = "Invalid scale value";
inline constexpr const char* kNotLinked = "not linked";
// Characters typed into the scale box that are kept: digits, the full stop and Backspace.
bool ScaleBoxAcceptsChar(char32_t c);

// Right edges of the status bar's parts: page part, scale part (as present), then the last
// part ending at the preview's client width.
std::vector<int> StatusBarParts(TPanels panels, int pagePanelWidth, int scalePanelWidth,
                                int previewClientWidth);

} // namespace formidor
