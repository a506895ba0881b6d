#include "platform/collatingprinter.h"
#include "platform/recordingprinter.h"

#include <gtest/gtest.h>

namespace formidor {
namespace {

void printDocument(Printer& p, const std::string& text, int pages = 1) {
    p.SetTitle("Job " + text);
    p.BeginDoc();
    for (int i = 0; i < pages; ++i) {
        if (i > 0) p.NewPage();
        Canvas& c = p.GetCanvas();
        c.SetMapMode(TMapMode::LoMetric);
        c.TextOut(100, -200, text + std::to_string(i));
    }
    p.EndDoc();
}

TEST(CollatingPrinter, DocumentsBecomePagesOfOneDocument) {
    RecordingPrinter target;
    CollatingPrinter batch(target);
    printDocument(batch, "a");
    printDocument(batch, "b", 2);
    printDocument(batch, "c");
    EXPECT_TRUE(target.Documents().empty()); // still open
    batch.finish();
    ASSERT_EQ(target.Documents().size(), 1u);
    const RecordedDocument& d = target.LastDocument();
    EXPECT_EQ(d.title, "Job a");
    ASSERT_EQ(d.pages.size(), 4u);
    const char* expected[] = {"a0", "b0", "b1", "c0"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(d.page(i).TextStrings(), std::vector<std::string>{expected[i]});
        // Each form starts in the page's fresh state: the same place on every sheet.
        EXPECT_EQ(d.page(i).Texts()[0].device, d.page(0).Texts()[0].device);
    }
    EXPECT_EQ(batch.Collated(), 3);
    EXPECT_FALSE(batch.HasPartialPage());
}

TEST(CollatingPrinter, NothingPrintedLeavesTheTargetUntouched) {
    RecordingPrinter target;
    CollatingPrinter batch(target);
    batch.finish();
    EXPECT_TRUE(target.Documents().empty());
    EXPECT_FALSE(target.Printing());
}

TEST(CollatingPrinter, AnotherOrientationIsRefusedBeforeItsPageBegins) {
    RecordingPrinter target;
    CollatingPrinter batch(target);
    printDocument(batch, "a");
    batch.SetOrientation(TPrinterOrientation::poLandscape);
    try {
        printDocument(batch, "b");
        FAIL();
    } catch (const EPrinter& e) {
        EXPECT_STREQ(e.what(), kCollatingOrientationMessage);
    }
    EXPECT_FALSE(batch.Printing());
    batch.finish();
    ASSERT_EQ(target.Documents().size(), 1u);
    EXPECT_EQ(target.LastDocument().pages.size(), 1u);
}

TEST(CollatingPrinter, AnAbandonedDocumentIsAPartialPage) {
    RecordingPrinter target;
    CollatingPrinter batch(target);
    printDocument(batch, "a");
    batch.BeginDoc();
    batch.GetCanvas().TextOut(0, 0, "halb");
    batch.Abort();
    EXPECT_TRUE(batch.HasPartialPage());
    EXPECT_EQ(batch.Collated(), 1);
}

} // namespace
} // namespace formidor
