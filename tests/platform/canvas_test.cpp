// The drawing surface, seen through recordings: where texts, lines and clips end up in device
// pixels of a printer-like reference device.
#include "platform/canvas.h"
#include "platform/metafile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace formidor {
namespace {

DeviceCaps printerCaps(int dpi) {
    DeviceCaps c;
    c.dpiX = c.dpiY = dpi;
    c.horzRes = dpi * 8;
    c.vertRes = dpi * 11;
    c.physicalWidth = c.horzRes + 100;
    c.physicalHeight = c.vertRes + 100;
    c.offsetX = c.offsetY = 50;
    return c;
}

struct Page {
    explicit Page(int dpi = 300)
        : mf(printerCaps(dpi).horzRes, printerCaps(dpi).vertRes, printerCaps(dpi)) {}
    Metafile mf;
    Canvas& c() { return mf.GetCanvas(); }
};

struct MappingCase {
    int dpi;
    TPoint logical;
    TPoint device;
};

TEST(CanvasMapping, LowMetricToDeviceAtPrinterResolutions) {
    const MappingCase cases[] = {
        {300, {700, -1000}, {827, 1181}}, // 70 mm, 100 mm
        {600, {700, -1000}, {1654, 2362}}, {300, {0, 0}, {0, 0}},
        {600, {254, -254}, {600, 600}}, // exactly one inch
        {300, {-100, 100}, {-118, -118}},
    };
    for (const MappingCase& m : cases) {
        Page p(m.dpi);
        p.c().SetMapMode(TMapMode::LoMetric);
        EXPECT_EQ(p.c().LPtoDP(m.logical), m.device) << m.dpi;
        p.c().TextOut(m.logical.X, m.logical.Y, "x");
        ASSERT_EQ(p.mf.Texts().size(), 1u);
        EXPECT_EQ(p.mf.Texts()[0].device, m.device);
        EXPECT_EQ(p.mf.Texts()[0].logical, m.logical);
        // Text aligned at its top-left corner: the cell starts at the point.
        EXPECT_NEAR(p.mf.Texts()[0].cellTopLeft().x, m.device.X, 1e-6);
        EXPECT_NEAR(p.mf.Texts()[0].cellTopLeft().y, m.device.Y, 1e-6);
    }
}

TEST(CanvasMapping, ViewportOriginAndExtents) {
    Page p;
    Canvas& c = p.c();
    EXPECT_EQ(c.GetViewportExt(), (TSize{1, 1}));
    c.SetMapMode(TMapMode::LoMetric);
    EXPECT_DOUBLE_EQ(c.ScaleX(), 300.0 / 254);
    EXPECT_DOUBLE_EQ(c.ScaleY(), -300.0 / 254);
    EXPECT_EQ(c.SetViewportOrg({100, 200}), (TPoint{0, 0}));
    EXPECT_EQ(c.LPtoDP(TPoint{254, -254}), (TPoint{400, 500}));
    EXPECT_EQ(c.DPtoLP(TPoint{400, 500}), (TPoint{254, -254}));
    c.SetMapMode(TMapMode::Text);
    EXPECT_EQ(c.LPtoDP(TPoint{5, 5}), (TPoint{105, 205}));
}

TEST(CanvasFont, PositiveHeightIsCellNegativeIsCharacterHeight) {
    Page p;
    Canvas& c = p.c();
    c.SetMapMode(TMapMode::LoMetric);
    c.Font().Name = "Arial";
    c.Font().Height = 52;
    const TTextMetric cell = c.GetTextMetrics();
    EXPECT_EQ(cell.tmHeight, 52);
    EXPECT_EQ(cell.tmAscent + cell.tmDescent, 52);
    const DeviceFont d = c.ResolveFont();
    c.TextOut(0, 0, "Hg");
    const MetaText& t = p.mf.Texts().back();
    EXPECT_NEAR(t.ascent + t.descent, 52 * 300.0 / 254, 1e-6);

    c.Font().Height = -52;
    const TTextMetric chr = c.GetTextMetrics();
    EXPECT_EQ(chr.tmHeight - chr.tmInternalLeading, 52);
    EXPECT_NEAR(c.ResolveFont().emPixels, 52 * 300.0 / 254, 1e-6);
    EXPECT_GT(c.ResolveFont().emPixels, d.emPixels);
}

TEST(CanvasFont, PointSizeFollowsPixelsPerInch) {
    TFont f;
    f.PixelsPerInch = 600;
    f.SetSize(10);
    EXPECT_EQ(f.Height, -83);
    EXPECT_EQ(f.Size(), 10);
}

TEST(CanvasText, AlignmentMovesTheTextAroundItsPoint) {
    Page p;
    Canvas& c = p.c();
    c.Font().Height = 40;
    const double w = c.Measurer()->textWidth(c.ResolveFont(), "Betrag");
    ASSERT_GT(w, 50);
    const TTextMetric tm = c.GetTextMetrics();
    struct Case {
        unsigned align;
        double x, y; // expected baseline start
    } cases[] = {
        {TA_LEFT | TA_TOP, 1000, 500 + double(tm.tmAscent)},
        {TA_RIGHT | TA_TOP, 1000 - w, 500 + double(tm.tmAscent)},
        {TA_CENTER | TA_TOP, 1000 - w / 2, 500 + double(tm.tmAscent)},
        {TA_LEFT | TA_BASELINE, 1000, 500},
        {TA_LEFT | TA_BOTTOM, 1000, 500 - double(tm.tmDescent)},
    };
    for (const Case& k : cases) {
        c.SetTextAlign(k.align);
        c.TextOut(1000, 500, "Betrag");
        const MetaText& t = p.mf.Texts().back();
        EXPECT_NEAR(t.baseline.x, k.x, 1e-6) << k.align;
        EXPECT_NEAR(t.baseline.y, k.y, 0.6) << k.align; // metrics are rounded to pixels
        EXPECT_EQ(t.align, k.align);
    }
}

TEST(CanvasText, TextCellBackgroundFollowsTheBrush) {
    Page p;
    Canvas& c = p.c();
    c.TextOut(0, 0, "a");
    c.Brush().Style = TBrushStyle::bsClear;
    c.TextOut(0, 0, "b");
    EXPECT_TRUE(p.mf.Texts()[0].opaque);
    EXPECT_FALSE(p.mf.Texts()[1].opaque);
}

TEST(CanvasText, MissingCharactersMeasureAsTheReplacement) {
    Page p;
    Canvas& c = p.c();
    const DeviceFont f = c.ResolveFont();
    const double one = c.Measurer()->textWidth(f, "\xE4\xB8\xAD"); // a CJK character
    EXPECT_GT(one, 0);
    EXPECT_DOUBLE_EQ(c.Measurer()->textWidth(f, "\xE4\xB8\xAD\xE4\xB8\xAD"), 2 * one);
    c.TextOut(0, 0, "\xE4\xB8\xAD \xF0\x9F\x98\x80 \xFF broken");
    EXPECT_EQ(p.mf.Texts().size(), 1u);
}

// DrawText in pixels of a 300 DPI page; the Arial stand-in is 2 px per em unit of 100.
class CanvasDrawText : public ::testing::Test {
protected:
    Page p;
    Canvas& c = p.c();
    void SetUp() override { c.Font().Height = -40; }
    double width(std::string_view s) { return c.Measurer()->textWidth(c.ResolveFont(), s); }
    std::vector<std::string> drawn() { return p.mf.TextStrings(); }
};

TEST_F(CanvasDrawText, WordBreakFillsLinesGreedily) {
    const std::string text = "Miete Januar und Februar 2021";
    const int boxWidth = int(width("Miete Januar und")) + 2;
    TRect r{100, 100, 100 + boxWidth, 1000};
    const int h = c.DrawText(text, r, DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_EQ(drawn(), (std::vector<std::string>{"Miete Januar und", "Februar 2021"}));
    const TTextMetric tm = c.GetTextMetrics();
    EXPECT_EQ(h, 2 * tm.tmHeight);
    EXPECT_NEAR(p.mf.Texts()[1].cellTopLeft().y - p.mf.Texts()[0].cellTopLeft().y,
                tm.tmAscent + tm.tmDescent, 1.0);
    // A word wider than the box keeps its own line; newlines always break.
    p.mf.Clear();
    c.Font().Height = -40;
    TRect narrow{0, 0, 10, 1000};
    c.DrawText("Verwendungszweck x\ny", narrow, DT_WORDBREAK);
    EXPECT_EQ(drawn(), (std::vector<std::string>{"Verwendungszweck", "x", "y"}));
}

TEST_F(CanvasDrawText, EndEllipsisCutsWhatDoesNotFit) {
    const int boxWidth = int(width("Sparkasse...")) + 1;
    TRect r{0, 0, boxWidth, 50};
    c.DrawText("Sparkasse Oberland", r, DT_SINGLELINE | DT_END_ELLIPSIS);
    ASSERT_EQ(drawn().size(), 1u);
    EXPECT_EQ(drawn()[0], "Sparkasse...");
    EXPECT_LE(p.mf.Texts()[0].width, boxWidth);
    // What fits stays whole.
    p.mf.Clear();
    c.Font().Height = -40;
    c.DrawText("Bank", r, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(drawn()[0], "Bank");
}

TEST_F(CanvasDrawText, HorizontalAndVerticalPlacementAndClip) {
    const TRect box{100, 200, 600, 400};
    const double w = width("42");
    const TTextMetric tm = c.GetTextMetrics();
    struct Case {
        unsigned flags;
        double left, top;
        bool clipped;
    } cases[] = {
        {DT_SINGLELINE, 100, 200, true},
        {DT_SINGLELINE | DT_RIGHT, 600 - w, 200, true},
        {DT_SINGLELINE | DT_CENTER, 100 + (500 - w) / 2, 200, true},
        {DT_SINGLELINE | DT_VCENTER, 100, 200 + (200 - (tm.tmAscent + tm.tmDescent)) / 2.0, true},
        {DT_SINGLELINE | DT_BOTTOM | DT_NOCLIP, 100, 400.0 - (tm.tmAscent + tm.tmDescent), false},
        {DT_WORDBREAK | DT_VCENTER, 100, 200, true}, // centring is for single lines only
    };
    for (const Case& k : cases) {
        p.mf.Clear();
        c.Font().Height = -40;
        TRect r = box;
        c.DrawText("42", r, k.flags);
        ASSERT_EQ(p.mf.Texts().size(), 1u);
        const MetaText& t = p.mf.Texts()[0];
        EXPECT_NEAR(t.cellTopLeft().x, k.left, 1e-6) << k.flags;
        EXPECT_NEAR(t.cellTopLeft().y, k.top, 1.0) << k.flags;
        EXPECT_EQ(t.clipped, k.clipped) << k.flags;
        if (k.clipped) {
            EXPECT_EQ(t.clipRect.left, 100);
            EXPECT_EQ(t.clipRect.bottom, 400);
        }
    }
}

TEST_F(CanvasDrawText, PrefixCharactersAndCalcRect) {
    TRect r{0, 0, 1000, 100};
    c.DrawText("Sch&ulze && Co", r, DT_SINGLELINE);
    c.DrawText("Sch&ulze", r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(drawn(), (std::vector<std::string>{"Schulze & Co", "Sch&ulze"}));
    TRect calc{10, 10, 10, 10};
    const int h = c.DrawText("Zeile eins\nZeile zwei", calc, DT_CALCRECT);
    EXPECT_EQ(drawn().size(), 2u); // nothing drawn
    EXPECT_EQ(calc.Right - calc.Left, int(std::lround(width("Zeile zwei"))));
    EXPECT_EQ(calc.Bottom - calc.Top, h);
    EXPECT_EQ(h, 2 * c.GetTextMetrics().tmHeight);
}

TEST(CanvasText, TabbedTextOutStopsEveryEightAverageWidths) {
    Page p;
    Canvas& c = p.c();
    c.Font().Height = -40;
    const double step = 8 * c.Measurer()->metrics(c.ResolveFont()).aveCharWidth;
    c.TabbedTextOut(100, 10, "a\tb\t\tc");
    ASSERT_EQ(p.mf.TextStrings(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_NEAR(p.mf.Texts()[1].baseline.x, step, 1e-6); // tabs count from the tab origin 0
    EXPECT_NEAR(p.mf.Texts()[2].baseline.x, 3 * step, 1e-6);
    // Given stops; past the last one the last distance repeats.
    p.mf.Clear();
    const TSize ext = c.TabbedTextOut(0, 0, "a\tb\tc\td", {300, 500}, 0);
    EXPECT_NEAR(p.mf.Texts()[1].baseline.x, 300, 1e-6);
    EXPECT_NEAR(p.mf.Texts()[2].baseline.x, 500, 1e-6);
    EXPECT_NEAR(p.mf.Texts()[3].baseline.x, 700, 1e-6);
    EXPECT_GT(ext.cx, 700);
}

TEST(CanvasLines, EndPointAndPenWidthInDevicePixels) {
    Page p;
    Canvas& c = p.c();
    c.SetMapMode(TMapMode::LoMetric);
    c.Pen().Width = 5;
    c.MoveTo(0, -50);
    c.LineTo(2100, -50);
    c.Pen().Width = 0;
    c.LineTo(2100, -120);
    ASSERT_EQ(p.mf.Lines().size(), 2u);
    const MetaLine& a = p.mf.Lines()[0];
    EXPECT_EQ(a.from.x, 0);
    EXPECT_EQ(a.from.y, 59);
    EXPECT_EQ(a.to.x, 2480);
    EXPECT_NEAR(a.pen.width, 5 * 300.0 / 254, 1e-9);
    EXPECT_EQ(p.mf.Lines()[1].pen.width, 1.0);
    EXPECT_EQ(c.PenPos(), (TPoint{2100, -120}));
    // A line of no length and a clear pen draw nothing.
    c.LineTo(2100, -120);
    c.Pen().Style = TPenStyle::psClear;
    c.LineTo(0, 0);
    EXPECT_EQ(p.mf.Lines().size(), 2u);
}

TEST(CanvasAreas, RectanglesNormaliseAndFollowPenAndBrush) {
    Page p;
    Canvas& c = p.c();
    c.SetMapMode(TMapMode::LoMetric);
    c.Rectangle(0, 0, 254, -254);
    c.Brush().Style = TBrushStyle::bsClear;
    c.FillRect(TRect{0, 0, 10, -10}); // a clear brush fills nothing
    c.FillRect(TRect{0, 0, 10, -10}, clRed);
    ASSERT_EQ(p.mf.Rectangles().size(), 2u);
    const MetaRectangle& r = p.mf.Rectangles()[0];
    EXPECT_EQ(r.rect.top, 0);
    EXPECT_EQ(r.rect.bottom, 300);
    EXPECT_TRUE(r.hasPen && r.hasFill);
    EXPECT_FALSE(p.mf.Rectangles()[1].hasPen);
    EXPECT_EQ(p.mf.Rectangles()[1].fill, clRed);
}

TEST(CanvasClip, IntersectExcludeAndReset) {
    Page p;
    Canvas& c = p.c();
    c.IntersectClipRect({0, 0, 100, 100});
    c.IntersectClipRect({50, 50, 200, 200});
    EXPECT_EQ(c.GetClipRegion().rects(), (std::vector<TRect>{{50, 50, 100, 100}}));
    c.ExcludeClipRect({60, 60, 90, 90});
    const ClipRegion& r = c.GetClipRegion();
    EXPECT_TRUE(r.contains({55, 55}));
    EXPECT_FALSE(r.contains({70, 70}));
    EXPECT_TRUE(r.contains({95, 95}));
    EXPECT_FALSE(r.contains({100, 100}));
    EXPECT_EQ(r.bounds(), (TRect{50, 50, 100, 100}));
    c.ResetClip();
    EXPECT_FALSE(c.HasClip());
    // Excluding without a region first leaves everything but the rectangle.
    c.ExcludeClipRect({0, 0, 10, 10});
    EXPECT_TRUE(c.GetClipRegion().contains({-5000, 20}));
    EXPECT_FALSE(c.GetClipRegion().contains({5, 5}));
    // The recording keeps each change for playback.
    int clips = 0;
    for (const Metafile::Record& rec : p.mf.Records()) clips += rec.kind == Metafile::Kind::Clip;
    EXPECT_EQ(clips, 5);
}

TEST(CanvasImages, StretchedImageKeepsItsSourcePart) {
    Page p;
    Canvas& c = p.c();
    TBitmap img;
    img.Width = 4;
    img.Height = 2;
    img.Pixels.assign(8, 0xFF0000);
    c.StretchDIBits(10, 20, 400, 200, 0, 0, 4, 2, img);
    c.StretchDIBits(10, 20, 400, 200, 2, 0, 10, 2, img); // clipped to the image
    TBitmap broken;
    broken.Width = 10;
    broken.Height = 10; // no pixels
    c.StretchDraw({0, 0, 5, 5}, broken);
    ASSERT_EQ(p.mf.Images().size(), 2u);
    EXPECT_EQ(p.mf.Images()[0].dest.right, 410);
    EXPECT_EQ(p.mf.Images()[1].source, (TRect{2, 0, 4, 2}));
}

} // namespace
} // namespace formidor
