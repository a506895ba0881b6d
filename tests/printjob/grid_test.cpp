#include "jobtestsupport.h"

#include "printjob/PJSimpleTextGrid.h"
#include "printjob/PJTextGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace formidor {
namespace {

using test::recordPage;
using test::ScopedPrinter;

// A simple grid of 400-pixel columns whose cells read "r<row>c<col>", "H<col>" in the header.
struct Grid {
    TSimpleTextGridPrintJob job;
    std::vector<std::pair<int, int>> asked; // (row page, row) of every body text asked for
    explicit Grid(int rows, int perPage, int cols = 3) {
        job.SetColCount(cols);
        job.SetRowsPerPage(perPage);
        job.SetRowCount(rows);
        job.SetOnColWidth([](TCustomGridPrintJob&, Canvas&, int, int& w) { w = 400; });
        job.SetOnCellText([this](TCustomGridPrintJob&, int page, int col, int row, std::string& t) {
            if (row == HeaderRowIndex)
                t = "H" + std::to_string(col);
            else if (row == FooterRowIndex)
                t = "F" + std::to_string(col);
            else {
                t = "r" + std::to_string(row) + "c" + std::to_string(col);
                asked.push_back({page, row});
            }
        });
    }
};

std::vector<std::string> texts(const Metafile& mf) {
    return mf.TextStrings();
}

bool has(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

std::vector<double> horizontalLineYs(const Metafile& mf) {
    std::vector<double> ys;
    for (const MetaLine& l : mf.Lines())
        if (l.from.y == l.to.y) ys.push_back(l.from.y);
    return ys;
}

TEST(GridPagination, PageCountFollowsRowsAndSetterRules) {
    ScopedPrinter printer;
    TSimpleTextGridPrintJob job;
    int updates = 0;
    job.SetOnUpdate([&](TCustomPrintJob&) { ++updates; });
    job.SetColCount(0);
    EXPECT_EQ(job.ColCount(), 1);
    job.SetRowsPerPage(-5);
    EXPECT_EQ(job.RowsPerPage(), 1);
    job.SetRowsPerPage(25);
    EXPECT_EQ(updates, 1); // a change of RowsPerPage always updates
    job.SetRowCount(10);
    job.SetRowCount(20); // still one page: no update by itself
    EXPECT_EQ(job.PageCount(), 1);
    EXPECT_EQ(updates, 1);
    job.SetRowCount(26);
    EXPECT_EQ(job.PageCount(), 2);
    EXPECT_EQ(updates, 2);
    job.SetPagesPerRow(2);
    EXPECT_EQ(job.PageCount(), 4);
    EXPECT_EQ(updates, 3); // one update, not one per recomputation
}

TEST(GridPagination, TwentySixRowsLeaveOneRowOnPageTwoAndTheOutlineClosesUnderIt) {
    ScopedPrinter printer;
    Grid g(26, 25);
    g.job.SetTableBorders({cbBottom});
    ASSERT_EQ(g.job.PageCount(), 2);

    auto page1 = recordPage(g.job, 1);
    EXPECT_EQ(horizontalLineYs(*page1), (std::vector<double>{3508})); // the margins' bottom

    auto page2 = recordPage(g.job, 2);
    const auto t = texts(*page2);
    EXPECT_EQ(t, (std::vector<std::string>{"r25c0", "r25c1", "r25c2"}));
    // Row 25 sits in the first of 25 equal slots of the 3508-pixel body: y −1 … 139.
    const MetaText* cell = page2->FindText("r25c0");
    ASSERT_NE(cell, nullptr);
    EXPECT_GT(cell->cellTopLeft().y, -1);
    EXPECT_LT(cell->cellTopLeft().y + cell->ascent + cell->descent, 139);
    EXPECT_EQ(horizontalLineYs(*page2), (std::vector<double>{139}));
    for (const auto& a : g.asked) EXPECT_TRUE(a.first == 1 || a.first == 2);
}

TEST(GridPagination, FullLastPageClosesTwoPixelsAboveTheBodyBottom) {
    ScopedPrinter printer;
    Grid g(50, 25);
    g.job.SetTableBorders({cbBottom, cbRight});
    auto page2 = recordPage(g.job, 2);
    EXPECT_EQ(horizontalLineYs(*page2), (std::vector<double>{3506}));
    // The outline is as wide as the columns shown.
    const auto& lines = page2->Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].from.x, 1200);
}

TEST(GridPagination, ColumnSubpagesRepeatTheRowsWithTheirOwnColumns) {
    ScopedPrinter printer;
    Grid g(30, 25, 4);
    g.job.SetIndexColumn(true);
    g.job.SetPagesPerRow(2);
    g.job.SetOnColSubpage([](TCustomGridPrintJob&, int col, int& sub) { sub = col >= 2 ? 1 : 0; });
    ASSERT_EQ(g.job.PageCount(), 4);
    struct Case {
        int page;
        std::vector<std::string> present, absent;
    };
    const Case cases[] = {
        {1, {"r0c-1", "r0c0", "r24c1"}, {"r0c2", "r25c0"}},
        {2, {"r0c-1", "r0c2", "r24c3"}, {"r0c0", "r25c2"}},
        {3, {"r25c-1", "r25c0", "r29c1"}, {"r25c2", "r24c0"}},
        {4, {"r25c-1", "r29c3"}, {"r29c1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        const auto t = texts(*recordPage(g.job, c.page));
        for (const auto& s : c.present) EXPECT_TRUE(has(t, s)) << s;
        for (const auto& s : c.absent) EXPECT_FALSE(has(t, s)) << s;
    }
    // Subpage 1 starts its columns right after the index column, at the area's left edge.
    auto page2 = recordPage(g.job, 2);
    EXPECT_LT(page2->FindText("r0c2")->baseline.x, 800);
    EXPECT_GT(page2->FindText("r0c2")->baseline.x, 400);
}

TEST(GridDrawing, OutlineFollowsTheSubpageAndClosesOnTheLastRowPage) {
    ScopedPrinter printer;
    Grid g(30, 25, 3);
    g.job.SetPagesPerRow(2);
    g.job.SetOnColSubpage([](TCustomGridPrintJob&, int col, int& sub) { sub = col == 2 ? 1 : 0; });
    g.job.SetTableBorders({cbBottom, cbRight});
    struct Case {
        int page;
        double bottom; // y of the outline's bottom line
        double right;  // x of its right line
    };
    // Five rows of the last row page end on the line of slot 5: −1 + 3507 × 5 div 25.
    const Case cases[] = {{1, 3508, 800}, {2, 3508, 400}, {3, 700, 800}, {4, 700, 400}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        auto mf = recordPage(g.job, c.page);
        ASSERT_EQ(mf->Lines().size(), 2u);
        EXPECT_EQ(mf->Lines()[0].from.y, c.bottom);
        EXPECT_EQ(mf->Lines()[1].from.x, c.right);
    }
}

TEST(GridDrawing, OutlineStaysOnTheMarginsWithRelativeCoords) {
    ScopedPrinter printer;
    Grid g(3, 25, 1);
    g.job.SetHeader(200);
    g.job.SetOptions({joHeader});
    g.job.SetTableBorders({cbTop});
    const double plain = recordPage(g.job, 1)->Lines().at(0).from.y;
    g.job.SetRelativeCoords(true);
    auto mf = recordPage(g.job, 1);
    EXPECT_EQ(plain, 0);
    EXPECT_EQ(mf->Lines().at(0).from.y, plain);
    EXPECT_GT(mf->FindText("r0c0")->baseline.y, 200); // the body itself moved down
}

TEST(GridDrawing, BordersComeBeforeTheTextsOfTheirArea) {
    ScopedPrinter printer;
    Grid g(3, 25, 2);
    g.job.SetPageCellBorders(kAllCellBorders);
    auto mf = recordPage(g.job, 1);
    EXPECT_EQ(mf->Lines().size(), 3u * 2u * 4u);
    bool seenText = false;
    for (const auto& r : mf->Records()) {
        if (r.kind == Metafile::Kind::Text) seenText = true;
        if (r.kind == Metafile::Kind::Line) {
            EXPECT_FALSE(seenText);
        }
    }
}

TEST(GridDrawing, HeaderAndFooterRowsInTheirAreasWithTheirFonts) {
    ScopedPrinter printer;
    Grid g(3, 25, 2);
    g.job.SetHeader(200);
    g.job.SetFooter(200);
    g.job.SetOptions({joHeader, joFooter});
    TFont bold = g.job.HeaderFont();
    bold.Bold = true;
    bold.SetSize(14);
    g.job.SetHeaderFont(bold);
    auto mf = recordPage(g.job, 1);
    const MetaText* h = mf->FindText("H1");
    const MetaText* body = mf->FindText("r0c1");
    const MetaText* f = mf->FindText("F0");
    ASSERT_TRUE(h && body && f);
    EXPECT_LT(h->baseline.y, 200);
    EXPECT_GT(f->baseline.y, 3308);
    EXPECT_TRUE(h->font.Bold);
    EXPECT_EQ(h->font.Size(), 14);
    EXPECT_EQ(body->font.Size(), 12);
    EXPECT_EQ(body->font.Height, -50); // 12 pt at the printer's 300 DPI
    // The simple grid centres by default.
    EXPECT_NEAR(body->baseline.x + body->width / 2, 600, 2);
}

TEST(GridText, DefaultTextsNumberTheRowsAndCountThePages) {
    ScopedPrinter printer;
    TCustomTextGridPrintJob job;
    job.SetColCount(2);
    job.SetRowCount(30);
    job.SetRowsPerPage(25);
    job.SetIndexColumn(true);
    job.SetIndexStart(1);
    auto noFooter = texts(*recordPage(job, 2));
    EXPECT_EQ(noFooter, (std::vector<std::string>{"26", "27", "28", "29", "30"}));
    job.SetHeader(100);
    job.SetFooter(100);
    job.SetOptions({joHeader, joFooter});
    job.SetClipMode(cmNone); // data columns of the plain text grid are 0 wide
    auto t = texts(*recordPage(job, 2));
    EXPECT_TRUE(has(t, "#"));
    EXPECT_TRUE(has(t, "Page 2 of 2"));
    // With column subpages the counter stays in row pages, like the page it names.
    job.SetPagesPerRow(2);
    EXPECT_TRUE(has(texts(*recordPage(job, 3)), "Page 2 of 2"));
    job.SetPagesPerRow(1);
    auto mf = recordPage(job, 1);
    // Numbers are right-aligned in the index column, as wide as "    31" plus 2.
    const MetaText* one = mf->FindText("1");
    const MetaText* ten = mf->FindText("10");
    ASSERT_TRUE(one && ten);
    EXPECT_NEAR(one->baseline.x + one->width, ten->baseline.x + ten->width, 1);
}

TEST(GridText, SimpleGridShowsOnlyWhatItsEventSays) {
    ScopedPrinter printer;
    TSimpleTextGridPrintJob job;
    job.SetIndexColumn(true);
    job.SetRowCount(3);
    job.SetRowsPerPage(3);
    job.SetFooter(100);
    job.SetOptions({joFooter});
    job.SetOnColWidth([](TCustomGridPrintJob&, Canvas&, int, int& w) { w = 300; });
    EXPECT_TRUE(texts(*recordPage(job, 1)).empty());
    job.SetOnCellText([](TCustomGridPrintJob&, int, int col, int row, std::string& t) {
        if (col == -1 && row >= 0 && row < 3) t = "#" + std::to_string(row);
    });
    EXPECT_EQ(texts(*recordPage(job, 1)), (std::vector<std::string>{"#0", "#1", "#2"}));
}

TEST(GridText, LongTextsEndInAnEllipsisOrWrapWhenMultiline) {
    ScopedPrinter printer;
    Grid g(1, 10, 1);
    const std::string longText = "Sparkasse Musterstadt Hauptstelle Zweigstelle Nord";
    g.job.SetOnCellText([&](TCustomGridPrintJob&, int, int, int row, std::string& t) {
        if (row == 0) t = longText;
    });
    auto cut = recordPage(g.job, 1);
    ASSERT_EQ(cut->Texts().size(), 1u);
    const std::string& shown = cut->Texts()[0].text;
    EXPECT_LT(shown.size(), longText.size());
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_LE(cut->Texts()[0].width, 400);

    g.job.SetMultiline(true);
    g.job.SetOnCellAlign([](TCustomGridPrintJob&, int, int, TAlignment& a) { a = taLeftJustify; });
    auto wrapped = recordPage(g.job, 1);
    ASSERT_GE(wrapped->Texts().size(), 2u);
    // Wrapped text starts at the top of the 350-pixel slot, not in its middle.
    EXPECT_LT(wrapped->Texts()[0].cellTopLeft().y, 20);
    EXPECT_GT(wrapped->Texts()[1].baseline.y, wrapped->Texts()[0].baseline.y);
    for (const auto& t : wrapped->Texts()) EXPECT_LE(t.baseline.x + t.width, 400);

    g.job.SetMultiline(false);
    g.job.SetClipMode(cmNone);
    auto overflow = recordPage(g.job, 1);
    EXPECT_EQ(overflow->Texts()[0].text, longText);
}

TEST(GridText, CellEventFailuresReachTheCaller) {
    ScopedPrinter printer;
    Grid g(5, 5);
    g.job.SetOnCellText([](TCustomGridPrintJob&, int, int, int, std::string&) {
        throw std::runtime_error("no data");
    });
    EXPECT_THROW(recordPage(g.job, 1), std::runtime_error);
}

} // namespace
} // namespace formidor
