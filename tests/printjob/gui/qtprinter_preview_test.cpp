// The preview records its pages against the application's real printer, not only against the
// tests' recording printer: a page of a grid job must come out with its texts.
#include "platform/gui/qtprinter.h"
#include "platform/metafile.h"
#include "platform/printer.h"
#include "printjob/PJSimpleTextGrid.h"
#include "printjob/gui/previewrender.h"
#include "printjob/gui/samplepreview.h"

#include <gtest/gtest.h>

namespace formidor {
namespace {

TEST(PreviewOnQtPrinter, RecordedPageHoldsTheGridTexts) {
    auto previous = SetPrinter(std::make_unique<gui::QtPrinter>(false));
    {
        auto job = MakeSampleGridJob(30);
        PageRecording rec;
        rec.record(*job, *job, 1);
        ASSERT_NE(rec.metafile(), nullptr);
        EXPECT_FALSE(rec.metafile()->Texts().empty());
    }
    SetPrinter(std::move(previous));
}

} // namespace
} // namespace formidor
