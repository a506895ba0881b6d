// The assembled main window: the report buttons of the three pages and the journal page's
// dialog, as a user meets them.
#include "app/gui/UeberweisM.h"

#include "common/testenv.h"
#include "forms/gui/chequepage.h"
#include "forms/gui/depositpage.h"
#include "forms/gui/transferpage.h"
#include "journal/gui/journaldrucken.h"
#include "journal/gui/journalpage.h"
#include "journal/journal.h"
#include "platform/gui/guard.h"
#include "platform/paths.h"
#include "platform/recordingprinter.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

class AssembledReports : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    QStringList errors;
    std::unique_ptr<Printer> previous;

    void SetUp() override {
        setErrorSink([this](const QString& t) { errors << t; });
        previous = SetPrinter(std::make_unique<RecordingPrinter>(
            std::vector<RecordingPrinterConfig>{RecordingPrinterConfig::a4("Eins", 300)}, 0));
    }
    void TearDown() override {
        SetPrinter(std::move(previous));
        setErrorSink(nullptr);
    }
    RecordingPrinter& printer() { return static_cast<RecordingPrinter&>(ThePrinter()); }
};

TEST_F(AssembledReports, ReportButtonsPrintTheirReports) {
    auto w = CreateApplicationWindows();
    w->show();
    QApplication::processEvents();
    QTest::mouseClick(w->TabSheet2->Button7, Qt::LeftButton);
    QTest::mouseClick(w->TabSheet3->Button8, Qt::LeftButton);
    QTest::mouseClick(w->TabSheet10->Button22, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    ASSERT_EQ(printer().Documents().size(), 3u);
    EXPECT_NE(printer().Documents()[0].page(0).FindText("SEPA-Überweisungsbericht vom " +
                                                        DateToStr(Date())),
              nullptr);
    EXPECT_NE(printer().Documents()[1].page(0).FindText("Verrechnungsscheckbericht"), nullptr);
    EXPECT_NE(printer().Documents()[2].page(0).FindText("Scheckeinreichungsbericht"), nullptr);
    w->close();
}

TEST_F(AssembledReports, JournalPageDeletesAndPrintsThroughTheDialog) {
    {
        Journal j;
        for (int i = 0; i < 5; ++i)
            j.JournalAnhaengen(1, "1234567", "Jürgen Müller", 44270 + i, "37050198",
                               "Stadtwerke Köln", "99", "37050198", "Abschlag", 125000);
    }
    auto w = CreateApplicationWindows();
    w->show();
    QApplication::processEvents();
    TJournalDruckenF& dialog = *w->JournalDruckenF;
    dialog.hooks().askYesNo = [](const QString&) { return true; };
    dialog.hooks().printDialog = [](Printer&) { return true; };

    QTimer::singleShot(0, [&] {
        dialog.EVon->setText("4");
        dialog.Button2->click();
    });
    QTest::mouseClick(w->JournalX->Button42, Qt::LeftButton);
    EXPECT_EQ(w->JournalX->StringGrid1->model()->rowCount(), 9);
    EXPECT_EQ(readJournalFile(paths::journalFile())->size(), 3u);

    QTimer::singleShot(0, [&] { dialog.Button2->click(); });
    QTest::mouseClick(w->JournalX->Button43, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    ASSERT_EQ(printer().Documents().size(), 1u);
    const auto texts = printer().LastDocument().page(0).TextStrings();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Stadtwerke Köln"), 3);
    w->close();
}

} // namespace
} // namespace formidor::gui
