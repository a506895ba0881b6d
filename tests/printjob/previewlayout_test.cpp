#include "printjob/previewlayout.h"

#include <gtest/gtest.h>

namespace formidor {
namespace {

TEST(PreviewScale, ClampsToTheZoomLimits) {
    EXPECT_EQ(ClampViewScale(5), 10);
    EXPECT_EQ(ClampViewScale(5000), 1000);
    EXPECT_EQ(ClampViewScale(150), 150);
    EXPECT_EQ(ClampShadowSize(-3), 0);
    EXPECT_EQ(ClampShadowSize(250), 100);
}

TEST(PreviewScale, ZoomStepsFromAnyScale) {
    struct Case {
        int from, in, out;
    };
    const Case cases[] = {
        {31, 50, 25},      {100, 150, 75},     {10, 25, 10},     {5, 10, 5},
        {1000, 1000, 700}, {1200, 1200, 1000}, {700, 1000, 500}, {74, 75, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(NextZoomIn(c.from), c.in);
        EXPECT_EQ(NextZoomOut(c.from), c.out);
    }
}

TEST(PreviewPageIndex, ClampedToTheJobsPages) {
    EXPECT_EQ(ClampPageIndex(0, true, 3), 1);
    EXPECT_EQ(ClampPageIndex(7, true, 3), 3);
    EXPECT_EQ(ClampPageIndex(2, true, 3), 2);
    EXPECT_EQ(ClampPageIndex(5, false, 3), 1);
}

TEST(PreviewTexts, ScaleAndPage) {
    EXPECT_EQ(ScaleText(vmWholePage, 31), "Whole page (31%)");
    EXPECT_EQ(ScaleText(vmPageWidth, 87), "Page width (87%)");
    EXPECT_EQ(ScaleText(vmCustom, 150), "150%");
    EXPECT_EQ(PageText(false, 1, 1), "");
    EXPECT_EQ(PageText(true, 2, 5), "Page 2 of 5");
}

// A4 at 300 dpi on a 96 dpi screen.
PreviewLayoutInput a4(TViewMode mode, int cw, int ch, int scale = 0) {
    PreviewLayoutInput in;
    in.mode = mode;
    in.viewScale = scale;
    in.shadow = 8;
    in.sheetWidth = 2480;
    in.sheetHeight = 3508;
    in.clientWidth = cw;
    in.clientHeight = ch;
    in.boxWidth = cw + 4;
    in.vScrollBarWidth = 16;
    in.screenPpi = 96;
    in.printerPpiX = 300;
    in.jobDpiX = 300;
    return in;
}

TEST(PreviewLayout, WholePageFitsTheHeightAndCentres) {
    const auto l = LayoutPreview(a4(vmWholePage, 400, 500));
    EXPECT_EQ(l.height, 476); // 500 − 16 − 8
    EXPECT_EQ(l.width, 339);  // (476 − 10) × 2480 / 3508 + 10
    EXPECT_EQ(l.left, 30);
    EXPECT_EQ(l.top, 12);
    EXPECT_EQ(l.hRange, 0);
    EXPECT_EQ(l.vRange, 0);
    EXPECT_TRUE(l.resetPositions);
    EXPECT_EQ(l.viewScale, 43); // 339 × 100 × 300 / 2480 / 96
}

TEST(PreviewLayout, WholePageInANarrowWindowFitsTheWidth) {
    const auto l = LayoutPreview(a4(vmWholePage, 200, 500));
    EXPECT_EQ(l.width, 184);  // 200 − 16
    EXPECT_EQ(l.height, 256); // (184 − 10) × 3508 / 2480 + 10
    EXPECT_EQ(l.left, 8);
    EXPECT_EQ(l.top, 122);
}

TEST(PreviewLayout, PageWidthScrollsVerticallyOnly) {
    const auto l = LayoutPreview(a4(vmPageWidth, 400, 300));
    EXPECT_EQ(l.left, 8);
    EXPECT_EQ(l.top, 8);
    EXPECT_EQ(l.width, 404 - 20 - 16);
    EXPECT_EQ(l.height, 516); // (368 − 10) × 3508 / 2480 + 10, rounded half to even
    EXPECT_EQ(l.vRange, l.height + 16);
    EXPECT_EQ(l.hRange, 0);
    EXPECT_FALSE(l.resetPositions);
}

TEST(PreviewLayout, CustomScaleCentresWhatFitsAndScrollsTheRest) {
    // 100 percent: the sheet at screen size, 794 + 2 pixels wide.
    auto l = LayoutPreview(a4(vmCustom, 1200, 600, 100));
    EXPECT_EQ(l.width, 796);
    EXPECT_EQ(l.hRange, 812);
    EXPECT_EQ(l.left, (1200 - 796) / 2);
    EXPECT_EQ(l.vRange, l.height + 16);
    EXPECT_EQ(l.top, 8);
    EXPECT_EQ(l.viewScale, 100);

    l = LayoutPreview(a4(vmCustom, 400, 500, 10));
    EXPECT_EQ(l.width, 81);
    EXPECT_EQ(l.left, (400 - 81) / 2);
    EXPECT_EQ(l.top, (500 - l.height) / 2);
}

TEST(PreviewLayout, TinyWindowsAndEmptySheetsStayPositive) {
    auto in = a4(vmWholePage, 10, 10);
    auto l = LayoutPreview(in);
    EXPECT_GE(l.width, 10);
    EXPECT_GE(l.height, 10);
    in.sheetWidth = 0;
    in.sheetHeight = 0;
    in.clientWidth = 400;
    in.clientHeight = 500;
    l = LayoutPreview(in);
    EXPECT_GT(l.width, 0);
    EXPECT_GE(l.viewScale, 0);
}

TEST(PanelGeometry, SheetFrameShadowAndPrintableArea) {
    // A sheet of 2000 × 3000 printer pixels with 100 pixels unprintable all round, on a
    // panel of 208 × 308 with an 8-pixel shadow: P is 200 × 300, one tenth of the sheet.
    const SheetMetrics m{2000, 3000, 100, 100, 1800, 2800};
    const auto r = PanelGeometry(208, 308, 8, m);
    EXPECT_EQ(r.page, (LayoutRect{0, 0, 200, 300}));
    EXPECT_EQ(r.content, (LayoutRect{1, 1, 199, 299}));
    EXPECT_EQ(r.printable, (LayoutRect{11, 11, 191, 291}));
    EXPECT_EQ(r.shadow, (LayoutRect{8, 8, 208, 308}));

    const auto flat = PanelGeometry(200, 300, 0, m);
    EXPECT_EQ(flat.page, (LayoutRect{0, 0, 200, 300}));
    EXPECT_EQ(flat.shadow, LayoutRect{});
}

TEST(PreviewKeys, ScrollOrTurnThePage) {
    // Vertical: 1000 pixels of content in a 300-pixel window; horizontal: 500 in 200.
    const ScrollAxis top{0, 1000, 300, 8};
    const ScrollAxis middle{400, 1000, 300, 8};
    const ScrollAxis bottom{700, 1000, 300, 8};
    const ScrollAxis h{100, 500, 200, 8};
    struct Case {
        const char* name;
        PreviewKey key;
        bool ctrl;
        ScrollAxis v;
        int vPos, hPos, step;
    };
    const Case cases[] = {
        {"PgDn scrolls", PreviewKey::PageDown, false, middle, 692, 100, 0},
        {"PgDn at bottom turns", PreviewKey::PageDown, false, bottom, 700, 100, +1},
        {"PgUp scrolls", PreviewKey::PageUp, false, middle, 108, 100, 0},
        {"PgUp at top turns", PreviewKey::PageUp, false, top, 0, 100, -1},
        {"Ctrl+PgUp", PreviewKey::PageUp, true, middle, 0, 100, 0},
        {"Ctrl+PgDn", PreviewKey::PageDown, true, middle, 700, 100, 0},
        {"Down", PreviewKey::Down, false, middle, 408, 100, 0},
        {"Up at top", PreviewKey::Up, false, top, 0, 100, 0},
        {"Left", PreviewKey::Left, false, middle, 400, 92, 0},
        {"Ctrl+Left", PreviewKey::Left, true, middle, 400, 0, 0},
        {"Right", PreviewKey::Right, false, middle, 400, 108, 0},
        {"Ctrl+Right", PreviewKey::Right, true, middle, 400, 292, 0},
        {"Home", PreviewKey::Home, false, middle, 400, 0, 0},
        {"Ctrl+Home", PreviewKey::Home, true, middle, 0, 0, 0},
        {"End", PreviewKey::End, false, middle, 400, 300, 0},
        {"Ctrl+End", PreviewKey::End, true, middle, 700, 300, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto a = PreviewKeyAction(c.key, c.ctrl, c.v, h);
        EXPECT_EQ(a.vPosition, c.vPos);
        EXPECT_EQ(a.hPosition, c.hPos);
        EXPECT_EQ(a.pageStep, c.step);
    }
    // Whole page view: nothing scrolls, so Page Down and Page Up turn the page at once.
    const ScrollAxis none{0, 0, 300, 8};
    EXPECT_EQ(PreviewKeyAction(PreviewKey::PageDown, false, none, none).pageStep, +1);
    EXPECT_EQ(PreviewKeyAction(PreviewKey::PageUp, false, none, none).pageStep, -1);
}

TEST(PreviewWheel, OneNotchAtFullScaleIs25Pixels) {
    EXPECT_EQ(WheelScroll(100, 120), -25);
    EXPECT_EQ(WheelScroll(100, -120), 25);
    EXPECT_EQ(WheelScroll(43, 120), -10);
}

TEST(ToolbarLayout, DefaultButtonsWithScaleBox) {
    const int box = 125;
    const auto l = LayoutToolbar(kDefaultButtons, true, btnZoomOut, box);
    const std::pair<TButtonKind, int> shown[] = {
        {btnPrint, 1},
        {btnPrinterSetupDialog, 25},
        {btnFirstPage, 49},
        {btnPrevPage, 73},
        {btnNextPage, 97},
        {btnLastPage, 121},
        {btnZoomOut, 145 + box + 4},
        {btnZoomIn, 169 + box + 4},
    };
    for (auto [kind, left] : shown) {
        SCOPED_TRACE(kind);
        ASSERT_TRUE(l.left[kind].has_value());
        EXPECT_EQ(*l.left[kind], left);
    }
    for (TButtonKind hidden :
         {btnPrintDialog, btnWholePage, btnPageWidth, btnRefresh, btnClose, btnUser})
        EXPECT_FALSE(l.left[hidden].has_value()) << int(hidden);
    EXPECT_EQ(l.scaleBoxLeft, 147);
}

TEST(ToolbarLayout, HiddenScaleBoxPositionButtonKeepsTheBoxInPlace) {
    const int box = 125;
    const auto l = LayoutToolbar(kDefaultButtons & ~ButtonBit(btnZoomOut), true, btnZoomOut, box);
    EXPECT_EQ(l.scaleBoxLeft, 147);
    EXPECT_EQ(l.left[btnZoomIn], 145 + box + 4);
    EXPECT_FALSE(l.left[btnZoomOut].has_value());

    const auto noBox = LayoutToolbar(kDefaultButtons, false, btnZoomOut, box);
    EXPECT_FALSE(noBox.scaleBoxLeft.has_value());
    EXPECT_EQ(noBox.left[btnZoomOut], 145);

    // Box behind every shown button.
    const auto last = LayoutToolbar(ButtonBit(btnPrint), true, btnUser, box);
    EXPECT_EQ(last.scaleBoxLeft, 2 + 25);

    const auto design = LayoutToolbar(0, false, btnZoomOut, box, true);
    EXPECT_EQ(design.left[btnUser], 24 * 13 + 1 + box + 4);
}

TEST(ToolbarEnabling, PageAndZoomButtons) {
    for (TButtonKind k : {btnFirstPage, btnPrevPage, btnNextPage, btnLastPage})
        EXPECT_FALSE(ButtonEnabledFor(k, 1, 1, 50)) << int(k);
    EXPECT_TRUE(ButtonEnabledFor(btnNextPage, 1, 2, 50));
    EXPECT_FALSE(ButtonEnabledFor(btnPrevPage, 1, 2, 50));
    EXPECT_TRUE(ButtonEnabledFor(btnLastPage, 2, 3, 50));
    EXPECT_FALSE(ButtonEnabledFor(btnZoomIn, 1, 1, 1000));
    EXPECT_TRUE(ButtonEnabledFor(btnZoomOut, 1, 1, 1000));
    EXPECT_FALSE(ButtonEnabledFor(btnZoomOut, 1, 1, 10));
    EXPECT_TRUE(ButtonDependsOnPreview(btnZoomIn));
    EXPECT_FALSE(ButtonDependsOnPreview(btnPrint));
}

TEST(ScaleBox, ListAndInput) {
    const auto items = ScaleBoxItems();
    ASSERT_EQ(items.size(), 13u);
    EXPECT_EQ(items[0], "Whole page");
    EXPECT_EQ(items[1], "Page width");
    EXPECT_EQ(items[2], "10%");
    EXPECT_EQ(items[12], "1000%");

    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"150", 150},
        {"1.5", 15},
        {"150%", 150},
        {"Whole page (31%)", 31},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseScaleInput(c.text), c.value);
    }
    EXPECT_TRUE(ScaleBoxAcceptsChar(U'7'));
    EXPECT_TRUE(ScaleBoxAcceptsChar(U'.'));
    EXPECT_TRUE(ScaleBoxAcceptsChar(8));
    EXPECT_FALSE(ScaleBoxAcceptsChar(U','));
    EXPECT_FALSE(ScaleBoxAcceptsChar(U'a'));
}

TEST(StatusBar, PartsFollowThePanels) {
    EXPECT_EQ(StatusBarParts(kDefaultPanels, 100, 120, 500), (std::vector<int>{100, 220, 500}));
    EXPECT_EQ(StatusBarParts(PanelBit(pnScale), 100, 120, 500), (std::vector<int>{120, 500}));
    EXPECT_EQ(StatusBarParts(0, 100, 120, 500), (std::vector<int>{500}));
}

} // namespace
} // namespace formidor
