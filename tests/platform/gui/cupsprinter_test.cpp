// The Qt printer on a real print server: a private server with a queue that writes PDFs, whose
// printer description puts the printable area inside margins of different widths.
#include "platform/gui/qtprinter.h"

#include "common/cupsserver.h"
#include "common/testenv.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace formidor::gui {
namespace {

using test::pointsToMm;

constexpr const char* kQueue = "Formidor_Test";
// Every margin differs, so a sheet turned the wrong way shows.
constexpr test::QueueMargins kMargins{4.2, 5.0, 6.0, 7.5};

double mmOf(int pixels, int dpi) {
    return pixels * 25.4 / dpi;
}

class CupsPrinter : public ::testing::Test {
protected:
    test::CupsServer* server = nullptr;
    void SetUp() override {
        FORMIDOR_CUPS_SERVER_OR_SKIP(s);
        server = s;
        std::string why;
        if (!server->running()) {
            ASSERT_TRUE(server->start(why)) << why;
        }
        ASSERT_TRUE(server->addQueue(kQueue, kMargins)) << server->log();
        std::printf("print server up in %.3f s\n", server->startSeconds());
    }
};

TEST_F(CupsPrinter, ListsTheQueueBeforeThePdfPrinterAndDefaultsToIt) {
    QtPrinter printer;
    EXPECT_EQ(printer.Printers(), (std::vector<std::string>{kQueue, kPdfPrinterName}));
    EXPECT_EQ(printer.DefaultPrinterIndex(), 0);
    EXPECT_EQ(printer.PrinterName(), kQueue);
    EXPECT_FALSE(printer.isPdfPrinter(0));
}

TEST_F(CupsPrinter, DeviceCapsAreTheQueuesPrintableArea) {
    QtPrinter printer;
    struct Case {
        TPrinterOrientation orientation;
        double width, height;            // the sheet, mm
        double left, top, right, bottom; // the margins as the document sees them
    };
    // Landscape: the document's top edge lies along the sheet's left edge, its left edge along
    // the sheet's bottom edge.
    const Case cases[] = {
        {TPrinterOrientation::poPortrait, 595 * 25.4 / 72, 842 * 25.4 / 72, kMargins.left,
         kMargins.top, kMargins.right, kMargins.bottom},
        {TPrinterOrientation::poLandscape, 842 * 25.4 / 72, 595 * 25.4 / 72, kMargins.bottom,
         kMargins.left, kMargins.top, kMargins.right},
    };
    for (const auto& c : cases) {
        printer.SetOrientation(c.orientation);
        const int dx = printer.GetDeviceCaps(LOGPIXELSX), dy = printer.GetDeviceCaps(LOGPIXELSY);
        ASSERT_GT(dx, 0);
        const int o = int(c.orientation);
        // Qt reads the printer description's margins in whole points: 0.2 mm at most.
        EXPECT_NEAR(mmOf(printer.GetDeviceCaps(PHYSICALWIDTH), dx), c.width, 0.2) << o;
        EXPECT_NEAR(mmOf(printer.GetDeviceCaps(PHYSICALHEIGHT), dy), c.height, 0.2) << o;
        EXPECT_NEAR(mmOf(printer.GetDeviceCaps(PHYSICALOFFSETX), dx), c.left, 0.2) << o;
        EXPECT_NEAR(mmOf(printer.GetDeviceCaps(PHYSICALOFFSETY), dy), c.top, 0.2) << o;
        EXPECT_NEAR(mmOf(printer.GetDeviceCaps(HORZRES), dx), c.width - c.left - c.right, 0.2) << o;
        EXPECT_NEAR(mmOf(printer.GetDeviceCaps(VERTRES), dy), c.height - c.top - c.bottom, 0.2)
            << o;
    }
}

// The same drawing on the queue and on the built-in PDF printer (no margins): on the paper the
// queue's text lies further in by exactly the printable area's corner.
TEST_F(CupsPrinter, TextLandsMeasuredFromThePrintableArea) {
    test::TempDir dir;
    for (auto orientation : {TPrinterOrientation::poPortrait, TPrinterOrientation::poLandscape}) {
        const int o = int(orientation);
        ASSERT_TRUE(server->addQueue(kQueue, kMargins)) << server->log();
        const auto draw = [&](QtPrinter& printer) {
            printer.SetOrientation(orientation);
            printer.SetTitle("Lage");
            printer.BeginDoc();
            Canvas& c = printer.GetCanvas();
            c.SetMapMode(TMapMode::LoMetric);
            c.Font().Name = "Courier New";
            c.Font().Height = 40;
            c.TextOut(300, -200, "Ecke");
            c.TextOut(1500, -1800, "Mitte");
            printer.NewPage();
            c.TextOut(300, -200, "Folgeseite");
            printer.EndDoc();
            return printer.Caps();
        };
        QtPrinter queue;
        const DeviceCaps caps = draw(queue);
        QtPrinter file(false);
        file.setOutputFileName(QString::fromStdString((dir / "datei.pdf").string()));
        draw(file);

        const auto pdfs = server->waitForOutput();
        ASSERT_EQ(pdfs.size(), 1u) << server->log();
        auto paper = test::readPdfPage(pdfs[0], true);
        const auto reference = test::readPdfPage(dir / "datei.pdf", true);
        ASSERT_TRUE(paper && reference);
        if (orientation == TPrinterOrientation::poLandscape) paper = paper->turnedBack();
        EXPECT_NEAR(paper->width, reference->width, 1) << o;
        const double left = mmOf(caps.offsetX, caps.dpiX), top = mmOf(caps.offsetY, caps.dpiY);
        for (const char* text : {"Ecke", "Mitte"}) {
            const test::PdfWord* w = paper->find(text);
            const test::PdfWord* r = reference->find(text);
            ASSERT_TRUE(w && r) << text << " " << o;
            EXPECT_NEAR(pointsToMm(w->inkLeft - r->inkLeft), left, 0.2) << text << " " << o;
            EXPECT_NEAR(pointsToMm(w->inkTop - r->inkTop), top, 0.2) << text << " " << o;
        }
        // The next page keeps the printable area's corner.
        auto paper2 = test::readPdfPage(pdfs[0], true, 2);
        const auto reference2 = test::readPdfPage(dir / "datei.pdf", true, 2);
        ASSERT_TRUE(paper2 && reference2);
        if (orientation == TPrinterOrientation::poLandscape) paper2 = paper2->turnedBack();
        const test::PdfWord* w = paper2->find("Folgeseite");
        const test::PdfWord* r = reference2->find("Folgeseite");
        ASSERT_TRUE(w && r) << o;
        EXPECT_NEAR(pointsToMm(w->inkLeft - r->inkLeft), left, 0.2) << o;
        EXPECT_NEAR(pointsToMm(w->inkTop - r->inkTop), top, 0.2) << o;
    }
}

TEST_F(CupsPrinter, AQueueThatCannotPrintIsAGermanErrorAndTakesNoJob) {
    struct Case {
        std::vector<std::string> breakIt; // empty: the server goes away
        const char* message;
    };
    const Case cases[] = {
        {{"cupsdisable", kQueue}, kPrinterStoppedMessage},
        {{"cupsreject", kQueue}, kPrinterRejectsMessage},
        {{}, kPrinterUnreachableMessage},
    };
    for (const auto& c : cases) {
        std::string why;
        if (!server->running()) {
            ASSERT_TRUE(server->start(why)) << why;
        }
        ASSERT_TRUE(server->addQueue(kQueue, kMargins)) << server->log();
        QtPrinter printer; // the list is read while the queue still works
        ASSERT_EQ(printer.PrinterName(), kQueue);
        if (c.breakIt.empty())
            server->stop();
        else
            ASSERT_TRUE(server->tool(c.breakIt));
        try {
            printer.BeginDoc();
            ADD_FAILURE() << c.message << ": the document began";
        } catch (const EPrinter& e) {
            EXPECT_EQ(e.what(), formatMessage(c.message, kQueue));
        }
        EXPECT_FALSE(printer.Printing());
        if (!server->running()) {
            ASSERT_TRUE(server->start(why)) << why;
        }
        EXPECT_EQ(server->jobsTaken(kQueue), 0) << c.message;
    }
}

TEST_F(CupsPrinter, AServerThatGoesAwayWhileTheDocumentIsDrawnIsAnError) {
    QtPrinter printer;
    printer.BeginDoc();
    printer.GetCanvas().TextOut(100, 100, "verloren");
    server->stop();
    EXPECT_THROW(printer.EndDoc(), EPrinter);
    EXPECT_FALSE(printer.Printing());
    std::string why;
    ASSERT_TRUE(server->start(why)) << why;
    EXPECT_EQ(server->jobsTaken(kQueue), 0);
}

} // namespace
} // namespace formidor::gui
