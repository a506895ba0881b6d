#include "jobtestsupport.h"

#include "printjob/PSJob.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace formidor {
namespace {

using test::recordPage;
using test::ScopedNoPrinter;
using test::ScopedPrinter;

TRect R(int l, int t, int r, int b) {
    return {l, t, r, b};
}

RecordingPrinterConfig printerAt(int dpi) {
    RecordingPrinterConfig c = ScopedPrinter::defaultConfig();
    c.dpiX = c.dpiY = dpi;
    return c;
}

TEST(PrintJobUnits, ConvertsThroughMillimetresAndRoundsToTheTargetPrecision) {
    ScopedPrinter printer(printerAt(600));
    TPrintJob job;
    struct Case {
        double source;
        TUnits from, to;
        double fullRange;
        double expected;
    };
    const Case cases[] = {
        {2.54, unMillimeters, unMillimeters, 0, 2.54},
        {2.5449, unMillimeters, unMillimeters, 0, 2.54}, // two decimals even when equal
        {1, unInches, unMillimeters, 0, 25.4},
        {0.5, unInches, unPixels, 0, 300},
        {10, unPercents, unPixels, 6600, 660},
        {660, unPixels, unPercents, 6600, 10},
        {100, unPixels, unMillimeters, 0, 4.23}, // 4.2333…
        {100, unPixels, unInches, 0, 0.167},     // 0.16666…
        {300.5, unPixels, unPixels, 0, 300},     // half to even
        {301.5, unPixels, unPixels, 0, 302},
        {5, unMillimeters, unPercents, 0, 0}, // no range: no percentage, no division by 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_DOUBLE_EQ(job.ConvertUnits(c.source, c.from, c.to, dirHorizontal, c.fullRange),
                         c.expected);
    }
}

TEST(PrintJobUnits, HeaderInInchesOnA600DpiPrinter) {
    ScopedPrinter printer(printerAt(600));
    TPrintJob job;
    job.SetHeaderUnits(unInches);
    job.SetHeader(0.5);
    job.SetOptions({joHeader});
    const TRect h = job.GetHeaderRect();
    EXPECT_EQ(h.Height(), 300);
    EXPECT_EQ(job.GetPageRect().Top, h.Bottom);
}

TEST(PrintJobGeometry, WithoutAPrinterTheSheetIs2000By3000At300Dpi) {
    ScopedNoPrinter none;
    TPrintJob job;
    job.SetPageMode(pmCustom);
    job.SetPageWidth(500);
    int updates = 0;
    job.SetOnUpdate([&](TCustomPrintJob&) { ++updates; });
    EXPECT_EQ(job.GetSheetRect(), R(0, 0, 2000, 3000));
    EXPECT_EQ(job.PageWidth(), 2000);
    EXPECT_EQ(job.PageHeight(), 3000);
    EXPECT_EQ(job.DPIX(), 300);
    EXPECT_EQ(job.PhysicalPageHeight(), 3000);
    EXPECT_FALSE(job.PrinterOK());
    job.SetOptions({joHeader});
    EXPECT_EQ(updates, 0); // no printer: updates do nothing
}

TEST(PrintJobGeometry, EmptyOptionsLeaveOnlyTheSheetShiftedWhilePrinting) {
    ScopedPrinter printer;
    TPrintJob job;
    EXPECT_EQ(job.GetSheetRect(), R(0, 0, 2480, 3508));
    EXPECT_EQ(job.GetHeaderRect(), TRect{});
    EXPECT_EQ(job.GetFooterRect(), TRect{});
    // A new job counts as printing: the printer draws from its printable corner.
    EXPECT_EQ(job.DrawTarget(), dtPrint);
    EXPECT_EQ(job.GetPageRect(), R(-100, -80, 2380, 3428));
    recordPage(job, 1);
    EXPECT_EQ(job.GetPageRect(), job.GetSheetRect());
}

TEST(PrintJobGeometry, MarginsHeaderAndFooterInMillimetres) {
    ScopedPrinter printer;
    TPrintJob job;
    // Options first: margins set without joMargins are checked against the bare sheet.
    job.SetOptions({joMargins, joHeader, joFooter});
    job.SetMarginsUnits(unMillimeters);
    job.SetMargins({20, 10, 20, 10});
    job.SetHeaderUnits(unMillimeters);
    job.SetHeader(25.4);
    job.SetFooterUnits(unPercents);
    job.SetFooter(10);
    recordPage(job, 1);
    const TRect m = job.GetMarginRect();
    EXPECT_EQ(m, R(236, 118, 2480 - 236, 3508 - 118));
    EXPECT_EQ(job.GetHeaderRect(), R(236, 118, 2244, 118 + 300));
    const int footer = int((m.Height() + 5) / 10); // 10 % of the margin rectangle
    EXPECT_EQ(job.GetFooterRect(), R(236, 3390 - footer, 2244, 3390));
    EXPECT_EQ(job.GetPageRect(), R(236, 418, 2244, 3390 - footer));
}

TEST(PrintJobGeometry, PageSizeFollowsThePrinterUnlessCustom) {
    ScopedPrinter printer;
    TPrintJob job;
    job.SetPageUnits(unMillimeters);
    EXPECT_DOUBLE_EQ(job.PageWidth(), 209.97); // 2480 px at 300 DPI
    job.SetPageWidth(100);                     // discarded in pmDefault
    EXPECT_DOUBLE_EQ(job.PageWidth(), 209.97);
    job.SetPageMode(pmCustom);
    job.SetPageWidth(100);
    EXPECT_DOUBLE_EQ(job.PageWidth(), 100);
    EXPECT_EQ(job.GetSheetRect().Right, 1181);
    job.SetOrientation(orLandscape);
    EXPECT_EQ(printer->Orientation(), TPrinterOrientation::poLandscape);
}

TEST(PrintJobProperties, SettersClampAndUpdateOnlyOnChange) {
    ScopedPrinter printer;
    TPrintJob job;
    int updates = 0;
    job.SetOnUpdate([&](TCustomPrintJob&) { ++updates; });
    job.SetPageCount(0);
    EXPECT_EQ(job.PageCount(), 1);
    EXPECT_EQ(updates, 0);
    job.SetPageCount(-4);
    EXPECT_EQ(job.PageCount(), 1);
    job.SetPageCount(3);
    job.SetPageCount(3);
    job.SetHeader(0);
    job.SetOptions({});
    job.SetRelativeCoords(false);
    EXPECT_EQ(updates, 1);
    job.LockUpdate();
    job.SetPageCount(4);
    EXPECT_EQ(updates, 1);
    job.UnlockUpdate();
    job.UnlockUpdate(); // never below 0
    EXPECT_FALSE(job.UpdateLocked());
    job.SetMargins(job.Margins()); // assigning margins always updates
    EXPECT_EQ(updates, 2);
}

// ----- margins check -----

RecordingPrinterConfig offsetPrinter() {
    RecordingPrinterConfig c = ScopedPrinter::defaultConfig();
    c.offsetX = 100;
    c.offsetY = 100;
    c.printableWidth = 2280;
    c.printableHeight = 3308;
    return c;
}

TEST(PrintJobMargins, AutoFixMovesAnOutsideEdgeToThePrintableAreaSilently) {
    ScopedPrinter printer(offsetPrinter());
    TPrintJob job;
    job.SetOptions({joMargins});
    job.SetMargins({0, 150, 150, 150});
    EXPECT_EQ(job.Margins(), (TMargins{100, 150, 150, 150}));
    // A new job checks at once: its zero margins become the printer's unprintable border.
    TPrintJob fresh;
    EXPECT_EQ(fresh.Margins(), (TMargins{100, 100, 100, 100}));
}

TEST(PrintJobMargins, WithoutMarginOptionTheSheetEdgesAreFixedInMarginUnits) {
    ScopedPrinter printer(offsetPrinter());
    TPrintJob job;
    job.SetMarginsUnits(unMillimeters);
    job.SetMargins({30, 30, 30, 30});
    // The sheet itself lies outside the printable area, so every margin becomes the offset.
    EXPECT_EQ(job.Margins(), (TMargins{8.47, 8.47, 8.47, 8.47}));
}

TEST(PrintJobMargins, ExceptionModeRefusesAndKeepsTheMargins) {
    ScopedPrinter printer(offsetPrinter());
    TPrintJob job;
    job.SetOptions({joMargins});
    job.SetMargins({200, 200, 200, 200});
    job.SetMarginsError(meException);
    try {
        job.SetMargins({0, 200, 200, 200});
        FAIL() << "no exception";
    } catch (const EPrintJobException& e) {
        EXPECT_STREQ(e.what(),
                     "One or more margins are set outside the printable area of the page.");
    }
    EXPECT_EQ(job.Margins(), (TMargins{200, 200, 200, 200}));
}

TEST(PrintJobMargins, MessageBoxModeAsksAndFixesOnlyOnYes) {
    ScopedPrinter printer(offsetPrinter());
    TPrintJob job;
    job.SetOptions({joMargins});
    job.SetMarginsError(meMessageBox);
    std::vector<std::string> asked;
    bool answer = false;
    PrintJobHooks hooks;
    hooks.askYesNo = [&](const std::string& text) {
        asked.push_back(text);
        return answer;
    };
    PrintJobHooks old = SetPrintJobHooks(hooks);
    job.SetMargins({0, 200, 200, 200});
    EXPECT_EQ(job.Margins().Left, 0);
    answer = true;
    job.SetMargins({0, 200, 200, 200});
    EXPECT_EQ(job.Margins().Left, 100);
    ASSERT_EQ(asked.size(), 2u); // one question per assignment, none again from its update
    EXPECT_EQ(asked[0], "One or more margins are set outside the printable area of the page.\r"
                        "Do you want to fix them?");
    // Nobody to ask: the margins are refused rather than changed behind the user's back.
    SetPrintJobHooks({});
    EXPECT_THROW(job.SetMargins({0, 200, 200, 200}), EPrintJobException);
    SetPrintJobHooks(std::move(old));
}

// ----- drawing -----

struct AreaCall {
    TDrawArea area;
    TRect rect;
    int page;
};

TEST(PrintJobDraw, BodyFirstThenHeaderAndFooterToTheirHandlers) {
    ScopedPrinter printer;
    TPrintJob job;
    job.SetHeader(100);
    job.SetFooter(50);
    job.SetOptions({joHeader, joFooter});
    job.SetDefaultDrawing({});
    std::vector<AreaCall> calls;
    job.SetOnDraw(
        [&](TCustomPrintJob&, Canvas& c, int page, const TRect& r, TDrawArea a, TDrawTarget) {
            calls.push_back({a, r, page});
            // The surface's fonts have their true size in printer pixels: 10 pt at 300 DPI.
            EXPECT_EQ(c.Font().PixelsPerInch, 300);
            EXPECT_EQ(c.Font().Height, -42);
        });
    recordPage(job, 2);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].area, daPage);
    EXPECT_EQ(calls[0].rect, R(0, 100, 2480, 3458));
    EXPECT_EQ(calls[1].area, daHeader);
    EXPECT_EQ(calls[2].area, daFooter);
    EXPECT_EQ(calls[2].page, 2);
}

TEST(PrintJobDraw, EmptyDefaultDrawingWithoutHandlerLeavesThePageWhite) {
    ScopedPrinter printer;
    TPrintJob job;
    job.SetDefaultDrawing({});
    auto mf = recordPage(job, 1);
    EXPECT_TRUE(mf->Texts().empty());
    EXPECT_TRUE(mf->Lines().empty());
    ASSERT_EQ(mf->Rectangles().size(), 1u); // the white sheet
    EXPECT_EQ(mf->Rectangles()[0].fill, clWhite);
}

TEST(PrintJobDraw, RelativeCoordsMoveTheOriginAndRestoreItAfterAFailure) {
    ScopedPrinter printer;
    TPrintJob job;
    job.SetHeader(100);
    job.SetOptions({joHeader});
    job.SetRelativeCoords(true);
    std::vector<TRect> rects;
    job.SetOnDraw([&](TCustomPrintJob&, Canvas& c, int, const TRect& r, TDrawArea a, TDrawTarget) {
        rects.push_back(r);
        c.TextOut(0, 0, a == daPage ? "body" : "head");
        if (a == daHeader) throw std::runtime_error("broken");
    });
    Metafile mf(2480, 3508, ThePrinter().GetCanvas());
    EXPECT_THROW(job.Draw(mf.GetCanvas(), 1, dtMetaPreview), std::runtime_error);
    EXPECT_EQ(mf.GetCanvas().GetViewportOrg(), (TPoint{0, 0}));
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], R(0, 0, 2480, 3408));
    EXPECT_EQ(mf.FindText("body")->device, (TPoint{0, 100}));
    EXPECT_EQ(mf.FindText("head")->device, (TPoint{0, 0}));
}

TEST(PrintJobDraw, DrawLockSkipsDrawingButRecordsTheTarget) {
    ScopedPrinter printer;
    TPrintJob job;
    int draws = 0;
    job.SetOnDraw(
        [&](TCustomPrintJob&, Canvas&, int, const TRect&, TDrawArea, TDrawTarget) { ++draws; });
    job.LockDraw();
    recordPage(job, 1, dtExternal);
    EXPECT_EQ(draws, 0);
    EXPECT_EQ(job.DrawTarget(), dtExternal);
}

// ----- printing -----

// A job that writes "page N" on each page and logs its print events.
struct LoggingJob {
    TPrintJob job;
    std::vector<std::string> log;
    LoggingJob() {
        job.SetOnDraw(
            [this](TCustomPrintJob&, Canvas& c, int page, const TRect& r, TDrawArea, TDrawTarget) {
                c.TextOut(r.Left, r.Top, "page " + std::to_string(page));
            });
        job.SetOnStartPrint([this](TCustomPrintJob&) { log.push_back("start"); });
        job.SetOnEndPrint([this](TCustomPrintJob&) { log.push_back("end"); });
        job.SetOnStartPrintPage(
            [this](TCustomPrintJob&, int p) { log.push_back("+" + std::to_string(p)); });
        job.SetOnEndPrintPage(
            [this](TCustomPrintJob&, int p) { log.push_back("-" + std::to_string(p)); });
        job.SetOnPrintProgress([this](TCustomPrintJob&, int pos, int min, int max) {
            log.push_back(std::to_string(pos) + "/" + std::to_string(min) + ".." +
                          std::to_string(max));
        });
    }
};

std::vector<std::string> pageTexts(const RecordedDocument& doc) {
    std::vector<std::string> out;
    for (const auto& p : doc.pages)
        for (const auto& t : p->TextStrings()) out.push_back(t);
    return out;
}

TEST(PrintJobPrint, ReversedRangeOnThreeSheetsWithProgress) {
    ScopedPrinter printer;
    LoggingJob j;
    j.job.SetTitle("Liste");
    j.job.PrintEx(1, 3, {pmReverse});
    ASSERT_EQ(printer->Documents().size(), 1u);
    const RecordedDocument& doc = printer->LastDocument();
    EXPECT_EQ(doc.title, "Liste");
    EXPECT_EQ(doc.pages.size(), 3u); // no blank sheet at the end
    EXPECT_EQ(pageTexts(doc), (std::vector<std::string>{"page 3", "page 2", "page 1"}));
    EXPECT_EQ(j.log, (std::vector<std::string>{"start", "+3", "-3", "1/1..3", "+2", "-2", "2/1..3",
                                               "+1", "-1", "3/1..3", "end"}));
    // Printed pages are drawn at the printer's origin, the printable area's corner.
    EXPECT_EQ(doc.page(0).FindText("page 3")->device, (TPoint{-100, -80}));
}

TEST(PrintJobPrint, BackwardsRangePrintsNothingButStillRunsTheDocument) {
    ScopedPrinter printer;
    LoggingJob j;
    j.job.PrintEx(3, 1, {});
    EXPECT_EQ(j.log, (std::vector<std::string>{"start", "end"}));
    ASSERT_EQ(printer->Documents().size(), 1u);
    EXPECT_TRUE(pageTexts(printer->LastDocument()).empty());
}

TEST(PrintJobPrint, AbortFromEndPrintPageStopsAfterThatPage) {
    ScopedPrinter printer;
    LoggingJob j;
    j.job.SetOnEndPrintPage([&](TCustomPrintJob& job, int p) {
        if (p == 2) job.Abort();
    });
    int pumps = 0;
    PrintJobHooks hooks;
    hooks.processPendingEvents = [&] { ++pumps; };
    PrintJobHooks old = SetPrintJobHooks(hooks);
    j.job.PrintEx(1, 5, {});
    SetPrintJobHooks(std::move(old));
    EXPECT_EQ(pageTexts(printer->LastDocument()), (std::vector<std::string>{"page 1", "page 2"}));
    EXPECT_EQ(j.log.back(), "end");
    EXPECT_EQ(pumps, 2);
    EXPECT_FALSE(j.job.Aborted()); // the document itself was finished normally
}

TEST(PrintJobPrint, MultiDocPrintsEveryPageAsItsOwnDocument) {
    ScopedPrinter printer;
    LoggingJob j;
    j.job.SetPageCount(3);
    j.job.SetMultiDoc(true);
    j.job.Print();
    ASSERT_EQ(printer->Documents().size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(pageTexts(printer->Documents()[i]),
                  (std::vector<std::string>{"page " + std::to_string(i + 1)}));
}

TEST(PrintJobPrint, VetoedPrintDoesNothing) {
    ScopedPrinter printer;
    LoggingJob j;
    j.job.SetOnAllowPrint([](TCustomPrintJob&, bool& allow) { allow = false; });
    j.job.Print();
    EXPECT_TRUE(j.log.empty());
    EXPECT_TRUE(printer->Documents().empty());
}

TEST(PrintJobPrint, FailureWhileDrawingCancelsTheOpenDocument) {
    ScopedPrinter printer;
    LoggingJob j;
    j.job.SetPageCount(3);
    j.job.SetOnStartPrintPage([](TCustomPrintJob&, int p) {
        if (p == 2) throw std::runtime_error("Papierstau");
    });
    EXPECT_THROW(j.job.Print(), std::runtime_error);
    EXPECT_FALSE(printer->Printing());
    EXPECT_TRUE(printer->Documents().empty());
    EXPECT_EQ(printer->AbortedCount(), 1);
    EXPECT_NE(j.log.back(), "end");
}

TEST(PrintJobPrint, PrintDialogPrintsTheChosenRange) {
    ScopedPrinter printer;
    LoggingJob j;
    j.job.SetPageCount(5);
    PrintDialogRange shown;
    PrintJobHooks hooks;
    hooks.printDialog = [&](PrintDialogRange& r) {
        shown = r;
        r.fromPage = 2;
        r.toPage = 3;
        return true;
    };
    PrintJobHooks old = SetPrintJobHooks(hooks);
    j.job.PrintDialog();
    SetPrintJobHooks(std::move(old));
    EXPECT_EQ(shown.minPage, 1);
    EXPECT_EQ(shown.maxPage, 5);
    EXPECT_EQ(shown.toPage, 5);
    EXPECT_EQ(pageTexts(printer->LastDocument()), (std::vector<std::string>{"page 2", "page 3"}));
}

TEST(PrintJobPrint, CancelledDialogsChangeNothing) {
    ScopedPrinter printer;
    LoggingJob j;
    std::vector<std::string> events;
    j.job.SetOnPrinterSetupChange([&](TCustomPrintJob&) { events.push_back("setup"); });
    j.job.SetOnUpdate([&](TCustomPrintJob&) { events.push_back("update"); });
    PrintJobHooks hooks;
    bool confirm = false;
    hooks.printDialog = [&](PrintDialogRange&) { return confirm; };
    hooks.printerSetupDialog = [&] { return confirm; };
    PrintJobHooks old = SetPrintJobHooks(hooks);
    j.job.PrintDialog();
    j.job.PrinterSetupDialog();
    EXPECT_TRUE(printer->Documents().empty());
    EXPECT_TRUE(events.empty());
    confirm = true;
    j.job.PrinterSetupDialog();
    EXPECT_EQ(events, (std::vector<std::string>{"update", "setup", "update"}));
    SetPrintJobHooks({}); // no dialog installed: nothing is printed unasked
    j.job.PrintDialog();
    EXPECT_TRUE(printer->Documents().empty());
    SetPrintJobHooks(std::move(old));
}

// ----- dependants -----

struct CountingControl : TPrintJobControl {
    int updates = 0;
    bool fail = false;
    TCustomPrintJob* job = nullptr;
    void Update() override {
        ++updates;
        if (fail) throw std::runtime_error("broken control");
    }
    void PrintJobDestroyed(TCustomPrintJob& j) override {
        if (job == &j) job = nullptr;
    }
};

TEST(PrintJobNotifications, FailingDependantsDoNotStopTheOthers) {
    ScopedPrinter printer;
    TPrintJob job, failing, other;
    CountingControl broken, fine;
    broken.fail = true;
    failing.SetOnUpdate([](TCustomPrintJob&) { throw std::runtime_error("broken job"); });
    int otherUpdates = 0, ownUpdates = 0;
    other.SetOnUpdate([&](TCustomPrintJob&) { ++otherUpdates; });
    job.SetOnUpdate([&](TCustomPrintJob&) { ++ownUpdates; });
    job.AddPrintJobNotification(&failing);
    job.AddPrintJobNotification(&other);
    job.AddPrintJobNotification(&other); // no duplicates
    job.AddControlNotification(&broken);
    job.AddControlNotification(&fine);
    job.Update();
    EXPECT_EQ(otherUpdates, 1);
    EXPECT_EQ(fine.updates, 1);
    EXPECT_EQ(ownUpdates, 1);
    job.LockControlsUpdate();
    job.LockJobsUpdate();
    job.Update();
    EXPECT_EQ(otherUpdates, 1);
    EXPECT_EQ(fine.updates, 1);
    EXPECT_EQ(ownUpdates, 2);
}

TEST(PrintJobNotifications, JobsThatListEachOtherUpdateOnce) {
    ScopedPrinter printer;
    TPrintJob a, b;
    int bUpdates = 0;
    b.SetOnUpdate([&](TCustomPrintJob&) { ++bUpdates; });
    a.AddPrintJobNotification(&b);
    b.AddPrintJobNotification(&a);
    a.Update();
    EXPECT_EQ(bUpdates, 1);
}

TEST(PrintJobNotifications, NoSideKeepsADanglingReference) {
    ScopedPrinter printer;
    auto job = std::make_unique<TPrintJob>();
    TPrintJob keeper;
    CountingControl preview;
    {
        auto dependant = std::make_unique<TPrintJob>();
        keeper.AddPrintJobNotification(dependant.get());
        dependant->AddPrintJobNotification(&keeper);
    }
    EXPECT_TRUE(keeper.PrintJobNotifications().empty());
    keeper.Update(); // would touch the freed job

    preview.job = job.get();
    job->AddControlNotification(&preview);
    {
        CountingControl shortLived;
        job->AddControlNotification(&shortLived);
    }
    EXPECT_EQ(job->ControlNotifications().size(), 1u);
    job->Update();
    EXPECT_EQ(preview.updates, 1);
    bool destroyed = false;
    job->SetOnDestroy([&](TCustomPrintJob&) {
        destroyed = true;
        throw std::runtime_error("swallowed");
    });
    job.reset();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(preview.job, nullptr);
}

// ----- bitmaps -----

TEST(PrintJobBitmaps, StretchModesSizeAndPlaceTheImage) {
    ScopedPrinter printer; // 300 DPI
    TPrintJob job;
    const TRect box = R(0, 0, 1000, 600);
    struct Case {
        TStretchMode mode;
        TSize size;
    };
    // A 96-DPI image of 96 × 48 is 300 × 150 printer pixels at its true size.
    const Case cases[] = {
        {smOriginalSize, {96, 48}}, {sm1x1, {300, 150}}, {smFit, {1000, 500}},
        {smStretch, {1000, 600}},   {sm50, {150, 75}},   {sm75, {200, 100}},
        {sm125, {375, 187}},        {sm200, {600, 300}}, {smCustom, {300, 150}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        EXPECT_EQ(job.StretchedSize(box, 96, 48, 96, 96, c.mode), c.size);
    }
    TBitmap bmp;
    bmp.Width = 96;
    bmp.Height = 48;
    bmp.Pixels.assign(96 * 48, 0xFF0000);
    Metafile mf(2480, 3508, ThePrinter().GetCanvas());
    job.StretchBitmap(mf.GetCanvas(), box, bmp, sm1x1, ahRight, avCenter, dtPreview);
    ASSERT_EQ(mf.Images().size(), 1u);
    EXPECT_DOUBLE_EQ(mf.Images()[0].dest.left, 700);
    EXPECT_DOUBLE_EQ(mf.Images()[0].dest.top, 225);
    job.StretchBitmap(mf.GetCanvas(), box, TBitmap{}, smFit, ahLeft, avTop, dtPreview);
    EXPECT_EQ(mf.Images().size(), 1u);
}

} // namespace
} // namespace formidor
