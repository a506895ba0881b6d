#include "printjob/previewlayout.h"

#include "platform/convert.h"

#include <algorithm>

namespace formidor {

int ClampViewScale(int scale) {
    return std::clamp(scale, kMinViewScale, kMaxViewScale);
}

int ClampShadowSize(int size) {
    return std::clamp(size, 0, kMaxShadowSize);
}

int NextZoomIn(int scale) {
    for (int step : kZoomSteps)
        if (step > scale) return step;
    return scale;
}

int NextZoomOut(int scale) {
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
        if (*it < scale) return *it;
    return scale;
}

int ClampPageIndex(int index, bool hasJob, int pageCount) {
    if (!hasJob) return 1;
    return std::clamp(index, 1, std::max(1, pageCount));
}

std::string ScaleText(TViewMode mode, int scale) {
    const std::string pct = std::to_string(scale) + "%";
    switch (mode) {
    case vmWholePage:
        return "Whole page (" + pct + ")";
    case vmPageWidth:
        return "Page width (" + pct + ")";
    case vmCustom:
        break;
    }
    return pct;
}

std::string PageText(bool hasJob, int pageIndex, int pageCount) {
    if (!hasJob) return {};
    return "Page " + std::to_string(pageIndex) + " of " + std::to_string(pageCount);
}

namespace {

int roundToInt(double v) {
    return static_cast<int>(Round(v));
}

// Height of a panel of the given client width that holds the sheet at its aspect ratio plus
// the frame (2) and the shadow (s).
int heightForWidth(int width, int s, double W, double H) {
    return roundToInt((width - s - 2) * H / W) + s + 2;
}

int widthForHeight(int height, int s, double W, double H) {
    return roundToInt((height - s - 2) * W / H) + s + 2;
}

} // namespace

PreviewLayout LayoutPreview(const PreviewLayoutInput& in) {
    PreviewLayout out;
    const int s = in.shadow;
    // A sheet without extent cannot be laid out proportionally; show it as a square rather
    // than dividing by zero.
    const double W = in.sheetWidth > 0 ? in.sheetWidth : 1;
    const double H = in.sheetHeight > 0 ? in.sheetHeight : 1;
    // Never smaller than frame plus shadow, however small the window gets.
    const int minSize = s + 2;

    switch (in.mode) {
    case vmWholePage: {
        out.resetPositions = true;
        out.height = std::max(minSize, in.clientHeight - 16 - s);
        out.width = std::max(minSize, widthForHeight(out.height, s, W, H));
        if (in.clientWidth - 16 < out.width) {
            out.width = std::max(minSize, in.clientWidth - 16);
            out.height = std::max(minSize, heightForWidth(out.width, s, W, H));
        }
        out.left = (in.clientWidth - out.width) / 2;
        out.top = (in.clientHeight - out.height) / 2;
        break;
    }
    case vmPageWidth: {
        out.left = 8;
        out.top = 8;
        out.width = std::max(minSize, in.boxWidth - 20 - in.vScrollBarWidth);
        out.height = std::max(minSize, heightForWidth(out.width, s, W, H));
        out.vRange = out.height + 16;
        break;
    }
    case vmCustom: {
        out.resetPositions = true;
        const double ppiRatio = in.printerPpiX > 0 ? double(in.screenPpi) / in.printerPpiX : 1.0;
        out.width = std::max(minSize, roundToInt(W * in.viewScale * ppiRatio / 100) + 2);
        out.height = std::max(minSize, heightForWidth(out.width, s, W, H));
        out.hRange = out.width + 16;
        out.left = in.clientWidth > out.hRange ? (in.clientWidth - out.width) / 2 : 8;
        out.vRange = out.height + 16;
        out.top = in.clientHeight > out.vRange ? (in.clientHeight - out.height) / 2 : 8;
        out.viewScale = in.viewScale;
        break;
    }
    }
    if (in.mode != vmCustom) {
        const int ppi = in.screenPpi > 0 ? in.screenPpi : 96;
        out.viewScale = roundToInt(out.width * 100.0 * in.jobDpiX / W / ppi);
    }
    return out;
}

PanelRects PanelGeometry(int clientWidth, int clientHeight, int shadow, const SheetMetrics& m) {
    PanelRects r;
    r.page = {0, 0, clientWidth - shadow, clientHeight - shadow};
    r.content = {r.page.left + 1, r.page.top + 1, r.page.right - 1, r.page.bottom - 1};
    const int64_t pw = r.page.width();
    const int64_t ph = r.page.height();
    LayoutRect q = r.content;
    if (m.physicalWidth > 0 && m.physicalHeight > 0) {
        q.left += static_cast<int>(m.offsetX * pw / m.physicalWidth);
        q.top += static_cast<int>(m.offsetY * ph / m.physicalHeight);
        q.right = static_cast<int>(m.printableWidth * pw / m.physicalWidth) + q.left;
        q.bottom = static_cast<int>(m.printableHeight * ph / m.physicalHeight) + q.top;
    }
    r.printable = q;
    if (shadow > 0) r.shadow = {shadow, shadow, clientWidth, clientHeight};
    return r;
}

int ScrollAxis::clamp(int p) const {
    return std::clamp(p, 0, maxPosition());
}

KeyAction PreviewKeyAction(PreviewKey key, bool ctrl, const ScrollAxis& v, const ScrollAxis& h) {
    int vp = v.position;
    int hp = h.position;
    int step = 0;
    switch (key) {
    case PreviewKey::PageUp:
        if (ctrl)
            vp = 0;
        else if (v.position > 0)
            vp = v.position + v.increment - v.client;
        else
            step = -1;
        break;
    case PreviewKey::PageDown:
        if (ctrl)
            vp = v.range;
        else if (v.position < v.range - v.client)
            vp = v.client + v.position - v.increment;
        else
            step = +1;
        break;
    case PreviewKey::Up:
        vp = v.position - v.increment;
        break;
    case PreviewKey::Down:
        vp = v.position + v.increment;
        break;
    case PreviewKey::Left:
        hp = ctrl ? h.position + h.increment - h.client : h.position - h.increment;
        break;
    case PreviewKey::Right:
        hp = ctrl ? h.client + h.position - h.increment : h.position + h.increment;
        break;
    case PreviewKey::Home:
        hp = 0;
        if (ctrl) vp = 0;
        break;
    case PreviewKey::End:
        hp = h.range;
        if (ctrl) vp = v.range;
        break;
    }
    return {v.clamp(vp), h.clamp(hp), step};
}

int WheelScroll(int viewScale, int wheelDelta) {
    return -(viewScale * wheelDelta / 480);
}

const char* ButtonHint(TButtonKind k) {
    static constexpr const char* hints[kButtonKindCount] = {"Print",
                                                            "Print dialog",
                                                            "Printer setup dialog",
                                                            "First page",
                                                            "Previous page",
                                                            "Next page",
                                                            "Last page",
                                                            "Whole page",
                                                            "Page width",
                                                            "Zoom out",
                                                            "Zoom in",
                                                            "Refresh",
                                                            "Close",
                                                            ""};
    return hints[k];
}

ToolbarLayout LayoutToolbar(TButtons buttons, bool scaleBox, TButtonKind scaleBoxPos,
                            int scaleBoxWidth, bool designTime) {
    ToolbarLayout out;
    const bool withBox = scaleBox || designTime;
    int slot = 0;
    int boxSlot = -1;
    for (int k = 0; k < kButtonKindCount; ++k) {
        const auto kind = static_cast<TButtonKind>(k);
        if (withBox && boxSlot < 0 && k >= scaleBoxPos) boxSlot = slot;
        if (!designTime && !HasButton(buttons, kind)) continue;
        int left = kToolButtonSize * slot + 1;
        if (withBox && k >= scaleBoxPos) left += scaleBoxWidth + 4;
        out.left[k] = left;
        ++slot;
    }
    if (withBox) {
        if (boxSlot < 0) boxSlot = slot;
        out.scaleBoxLeft = 2 + kToolButtonSize * boxSlot + 1;
    }
    return out;
}

bool ButtonDependsOnPreview(TButtonKind k) {
    switch (k) {
    case btnFirstPage:
    case btnPrevPage:
    case btnNextPage:
    case btnLastPage:
    case btnZoomOut:
    case btnZoomIn:
        return true;
    default:
        return false;
    }
}

bool ButtonEnabledFor(TButtonKind k, int pageIndex, int pageCount, int viewScale) {
    switch (k) {
    case btnFirstPage:
    case btnPrevPage:
        return pageIndex > 1;
    case btnNextPage:
    case btnLastPage:
        return pageIndex < pageCount;
    case btnZoomOut:
        return viewScale > kMinViewScale;
    case btnZoomIn:
        return viewScale < kMaxViewScale;
    default:
        return true;
    }
}

std::vector<std::string> ScaleBoxItems() {
    std::vector<std::string> items = {"Whole page", "Page width"};
    for (int step : kZoomSteps) items.push_back(std::to_string(step) + "%");
    return items;
}

std::optional<int> ParseScaleInput(std::string_view text) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9') digits += c;
    int32_t value = 0;
    if (!TryStrToInt(digits, value)) return std::nullopt;
    return value;
}

bool ScaleBoxAcceptsChar(char32_t c) {
    return (c >= U'0' && c <= U'9') || c == U'.' || c == 8;
}

std::vector<int> StatusBarParts(TPanels panels, int pagePanelWidth, int scalePanelWidth,
                                int previewClientWidth) {
    std::vector<int> parts;
    const bool page = (panels & PanelBit(pnPage)) != 0;
    if (page) parts.push_back(pagePanelWidth);
    if (panels & PanelBit(pnScale)) parts.push_back(scalePanelWidth + (page ? pagePanelWidth : 0));
    parts.push_back(previewClientWidth);
    return parts;
}

} // namespace formidor
