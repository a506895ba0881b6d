// The print dialog a job opens is the application's: its page range decides what is printed.
#include "printjob/gui/jobdialogs.h"

#include "platform/printer.h"
#include "platform/recordingprinter.h"
#include "printjob/PJSimpleTextGrid.h"
#include "printjob/PSJob.h"
#include "printjob/gui/samplepreview.h"

#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace formidor {
namespace {

TEST(PrintJobDialogs, PrintDialogRangeChoosesThePages) {
    auto previousPrinter = SetPrinter(std::make_unique<RecordingPrinter>());
    auto previousHooks = GetPrintJobHooks();
    gui::installPrintJobDialogs();
    {
        auto job = MakeSampleGridJob(75); // three pages of 25 rows
        QTimer::singleShot(0, [] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            auto radios = d->findChildren<QRadioButton*>();
            for (QRadioButton* r : radios)
                if (r->text().contains("Seiten")) r->setChecked(true);
            auto boxes = d->findChildren<QSpinBox*>();
            ASSERT_EQ(boxes.size(), 2);
            boxes[0]->setValue(2);
            boxes[1]->setValue(3);
            d->accept();
        });
        job->PrintDialog();
        const auto& docs = static_cast<RecordingPrinter&>(ThePrinter()).Documents();
        ASSERT_EQ(docs.size(), 1u);
        EXPECT_EQ(docs[0].pages.size(), 2u);
    }
    SetPrintJobHooks(previousHooks);
    SetPrinter(std::move(previousPrinter));
}

} // namespace
} // namespace formidor
