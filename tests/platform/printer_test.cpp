// The printer object's life cycle on the recording printer: list and selection, documents
// with their pages, and errors that never leave a document half open.
#include "platform/printer.h"
#include "platform/recordingprinter.h"

#include <gtest/gtest.h>

namespace formidor {
namespace {

std::vector<RecordingPrinterConfig> twoPrinters() {
    return {RecordingPrinterConfig::a4("Laser", 600, 4.0),
            RecordingPrinterConfig::a4("Tinte", 300, 3.0)};
}

TEST(PrinterSelection, DefaultIndexAndInvalidChoice) {
    RecordingPrinter p(twoPrinters(), 1);
    EXPECT_EQ(p.Printers(), (std::vector<std::string>{"Laser", "Tinte"}));
    EXPECT_EQ(p.PrinterIndex(), 1); // the default until one is chosen
    p.SetPrinterIndex(0);
    EXPECT_EQ(p.PrinterName(), "Laser");
    EXPECT_EQ(p.GetDeviceCaps(LOGPIXELSX), 600);
    p.SetPrinterIndex(-1);
    EXPECT_EQ(p.PrinterIndex(), 1);
    try {
        p.SetPrinterIndex(2);
        FAIL();
    } catch (const EPrinter& e) {
        EXPECT_STREQ(e.what(), kPrinterIndexMessage);
    }
    EXPECT_EQ(p.PrinterIndex(), 1);
    // The list shrinking under a selection falls back to the default.
    p.SetPrinterIndex(1);
    p.SetPrinters({RecordingPrinterConfig::a4("Einzig", 300)}, 0);
    EXPECT_EQ(p.PrinterIndex(), 0);
}

TEST(PrinterSelection, NoPrinterInstalled) {
    RecordingPrinter p({}, -1);
    EXPECT_FALSE(p.HasPrinters());
    EXPECT_EQ(p.PrinterIndex(), -1);
    EXPECT_EQ(p.GetDeviceCaps(LOGPIXELSX), 300);
    try {
        p.BeginDoc();
        FAIL();
    } catch (const EPrinter& e) {
        EXPECT_STREQ(e.what(), kNoPrinterMessage);
    }
    EXPECT_FALSE(p.Printing());
}

TEST(PrinterGeometry, PortraitAndLandscapeCapabilities) {
    RecordingPrinterConfig c = RecordingPrinterConfig::a4("Laser", 600, 5.0);
    c.offsetX = 100;
    c.offsetY = 150;
    c.printableWidth = 4700;
    c.printableHeight = 6700;
    RecordingPrinter p({c}, 0);
    EXPECT_EQ(p.PageWidth(), 4700);
    EXPECT_EQ(p.PageHeight(), 6700);
    EXPECT_EQ(p.GetDeviceCaps(PHYSICALWIDTH), 4961);
    EXPECT_EQ(p.GetDeviceCaps(PHYSICALOFFSETY), 150);
    EXPECT_EQ(p.GetDeviceCaps(HORZSIZE), 199);
    p.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_EQ(p.PageWidth(), 6700);
    EXPECT_EQ(p.PageHeight(), 4700);
    EXPECT_EQ(p.GetDeviceCaps(PHYSICALWIDTH), 7016);
    EXPECT_EQ(p.GetDeviceCaps(PHYSICALOFFSETX), 150);
    EXPECT_EQ(p.GetDeviceCaps(PHYSICALOFFSETY), 4961 - 100 - 4700);
    // The idle surface measures for the selected printer.
    EXPECT_EQ(p.GetCanvas().GetDeviceCaps(HORZRES), 6700);
}

TEST(PrinterDocuments, TitleOrientationAndPagesAreKept) {
    RecordingPrinter p(twoPrinters(), 0);
    p.SetTitle("Quillon Zentrix. - Überweisungsdrucker");
    p.SetOrientation(TPrinterOrientation::poLandscape);
    p.BeginDoc();
    EXPECT_TRUE(p.Printing());
    EXPECT_THROW(p.SetPrinterIndex(1), EPrinter);
    EXPECT_THROW(p.BeginDoc(), EPrinter);
    Canvas& c = p.GetCanvas();
    c.TextOut(0, 0, " ");
    c.SetMapMode(TMapMode::LoMetric);
    c.Font().Height = 58;
    c.TextOut(100, -100, "Seite 1");
    p.NewPage();
    EXPECT_EQ(p.PageNumber(), 2);
    // Mapping and font carry over to the next sheet.
    p.GetCanvas().TextOut(100, -100, "Seite 2");
    p.EndDoc();
    EXPECT_FALSE(p.Printing());

    ASSERT_EQ(p.Documents().size(), 1u);
    const RecordedDocument& d = p.LastDocument();
    EXPECT_EQ(d.title, "Quillon Zentrix. - Überweisungsdrucker");
    EXPECT_EQ(d.orientation, TPrinterOrientation::poLandscape);
    EXPECT_EQ(d.printerName, "Laser");
    ASSERT_EQ(d.pages.size(), 2u);
    EXPECT_EQ(d.page(0).TextStrings(), (std::vector<std::string>{" ", "Seite 1"}));
    EXPECT_EQ(d.page(0).Width(), d.caps.horzRes);
    const MetaText& second = d.page(1).Texts()[0];
    EXPECT_EQ(second.mapMode, TMapMode::LoMetric);
    EXPECT_EQ(second.font.Height, 58);
    EXPECT_EQ(second.device, d.page(0).Texts()[1].device);
}

TEST(PrinterDocuments, EachDocumentStartsInDevicePixels) {
    RecordingPrinter p;
    p.BeginDoc();
    p.GetCanvas().SetMapMode(TMapMode::LoMetric);
    p.GetCanvas().SetViewportOrg({10, 10});
    p.EndDoc();
    p.BeginDoc();
    EXPECT_EQ(p.GetCanvas().GetMapMode(), TMapMode::Text);
    EXPECT_EQ(p.GetCanvas().GetViewportOrg(), (TPoint{0, 0}));
    p.EndDoc();
    EXPECT_THROW(p.EndDoc(), EPrinter);
    EXPECT_THROW(p.NewPage(), EPrinter);
}

TEST(PrinterDocuments, PointSizesAreTrueOnThePrinter) {
    RecordingPrinter p({RecordingPrinterConfig::a4("Laser", 600)}, 0);
    EXPECT_EQ(p.GetCanvas().Font().PixelsPerInch, 600);
    p.GetCanvas().Font().SetSize(12);
    p.BeginDoc();
    EXPECT_EQ(p.GetCanvas().Font().Size(), 12);
    EXPECT_EQ(p.GetCanvas().Font().Height, -100);
    p.EndDoc();
}

TEST(PrinterDocuments, FailuresLeaveNoDocumentOpen) {
    std::vector<RecordingPrinterConfig> list = twoPrinters();
    list[0].failOnBegin = true;
    list[1].failOnEnd = true;
    RecordingPrinter p(list, 0);
    EXPECT_THROW(p.BeginDoc(), EPrinter);
    EXPECT_FALSE(p.Printing());
    p.SetPrinterIndex(1);
    p.BeginDoc();
    p.GetCanvas().TextOut(0, 0, "x");
    try {
        p.EndDoc();
        FAIL();
    } catch (const EPrinter& e) {
        EXPECT_NE(std::string(e.what()).find("Tinte"), std::string::npos);
    }
    EXPECT_FALSE(p.Printing());
    EXPECT_TRUE(p.Documents().empty());
    // The printer is usable again.
    p.SetPrinterIndex(0);
    p.Config()[0].failOnBegin = false;
    p.BeginDoc();
    p.Abort();
    EXPECT_TRUE(p.Aborted());
    EXPECT_FALSE(p.Printing());
    EXPECT_EQ(p.AbortedCount(), 1);
    EXPECT_TRUE(p.Documents().empty());
    p.BeginDoc();
    EXPECT_FALSE(p.Aborted());
    p.EndDoc();
    EXPECT_EQ(p.Documents().size(), 1u);
}

TEST(ApplicationPrinter, InstalledPrinterIsEveryonesPrinter) {
    auto mine = std::make_unique<RecordingPrinter>();
    RecordingPrinter* raw = mine.get();
    std::unique_ptr<Printer> before = SetPrinter(std::move(mine));
    EXPECT_EQ(&ThePrinter(), raw);
    std::unique_ptr<Printer> back = SetPrinter(std::move(before));
    EXPECT_EQ(back.get(), raw);
    SetPrinter(nullptr);
    EXPECT_FALSE(ThePrinter().HasPrinters()); // the stand-in without printers
    EXPECT_THROW(ThePrinter().BeginDoc(), EPrinter);
}

} // namespace
} // namespace formidor
