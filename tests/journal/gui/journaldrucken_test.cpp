#include "journal/gui/journaldrucken.h"

#include "common/testenv.h"
#include "journal/gui/journalmodel.h"
#include "journal/gui/journalpage.h"
#include "journal/journal.h"
#include "platform/gui/guard.h"
#include "platform/recordingprinter.h"

#include <QApplication>
#include <QTimer>
#include <cerrno>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

constexpr TDateTime kMonday = 44270.0; // 15.03.2021

class JournalDialog : public ::testing::Test {
protected:
    test::TempDir dir;
    Journal journal{dir / "journal"};
    RecordingPrinter printer;
    JournalPage page;
    TJournalDruckenF dialog;
    QStringList told, asked;
    bool answer = true;
    int printDialogs = 0;
    bool printConfirmed = true;

    void SetUp() override {
        attachJournalGrid(page.StringGrid1, journal);
        journal.JournalLaden();
        setupJournalPage(&page, &dialog, &journal, &printer);
        dialog.hooks().inform = [this](const QString& t) { told << t; };
        dialog.hooks().askYesNo = [this](const QString& q) {
            asked << q;
            return answer;
        };
        dialog.hooks().printDialog = [this](Printer&) {
            ++printDialogs;
            return printConfirmed;
        };
    }

    void appendDays(int n) {
        for (int i = 0; i < n; ++i)
            journal.JournalAnhaengen(kJournalUeberweisung, "1234567890", "Jürgen Müller",
                                     kMonday + i + 0.5, "37040044", "Stadtwerke Köln", "555",
                                     "37050198", "Strom", 125000);
    }
    // A fresh start with what the file holds, as the main window does.
    void restart() {
        journal = Journal(dir / "journal");
        attachJournalGrid(page.StringGrid1, journal);
        journal.JournalLaden();
    }
    void openAs(const char* mode) {
        dialog.Button2->setText(QString::fromUtf8(mode));
        dialog.FormShow();
    }
};

TEST_F(JournalDialog, ShowsTheRunStateEveryTimeItOpens) {
    openAs("Drucken");
    EXPECT_EQ(dialog.EVon->text(), "10000000");
    EXPECT_EQ(dialog.EBis->text(), "0");
    EXPECT_EQ(dialog.DTPvon->date(), dialog.DTPvon->minimumDate());
    EXPECT_EQ(dialog.DTPbis->date(), dialog.DTPbis->maximumDate());

    appendDays(3);
    restart();
    dialog.EVon->setText("2");
    openAs("Drucken");
    EXPECT_EQ(dialog.EVon->text(), "1") << "what was typed before is lost";
    EXPECT_EQ(dialog.EBis->text(), "3");
    EXPECT_EQ(dialog.DTPvon->date(), QDate(2021, 3, 15));
    EXPECT_EQ(dialog.DTPbis->date(), QDate(2021, 3, 17));
}

TEST_F(JournalDialog, ANumberFieldThatIsNoNumberKeepsTheDialogOpen) {
    appendDays(2);
    restart();
    const std::pair<const char*, const char*> inputs[] = {{"eins", "2"}, {"1", ""}, {" ", "x"}};
    const char* messages[] = {"Bitte gültigen Wert in \"Von Nummer\" eingeben",
                              "Bitte gültigen Wert in \"Bis Nummer\" eingeben",
                              "Bitte gültigen Wert in \"Von Nummer\" eingeben"};
    for (const char* mode : {"Löschen", "Drucken"}) {
        for (size_t i = 0; i < std::size(inputs); ++i) {
            told.clear();
            openAs(mode);
            dialog.show();
            dialog.EVon->setText(inputs[i].first);
            dialog.EBis->setText(inputs[i].second);
            dialog.Button2Click();
            EXPECT_EQ(told, QStringList{QString::fromUtf8(messages[i])}) << mode << i;
            EXPECT_TRUE(dialog.isVisible());
            QLineEdit* field = i == 1 ? dialog.EBis : dialog.EVon;
            EXPECT_EQ(dialog.focusWidget(), field) << mode << i;
        }
    }
    dialog.hide();
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(printDialogs, 0);
    EXPECT_EQ(journal.Liste().size(), 2u);
}

TEST_F(JournalDialog, DeletesOnlyAfterYesAndTheGridFollows) {
    appendDays(5);
    restart();
    answer = false;
    openAs("Löschen");
    dialog.EVon->setText("4");
    dialog.Button2Click();
    EXPECT_EQ(asked, QStringList{"Möchten Sie wirklich die angegebenen Daten löschen?"});
    EXPECT_EQ(journal.Liste().size(), 5u);

    answer = true;
    openAs("Löschen");
    dialog.EVon->setText("4");
    dialog.Button2Click();
    ASSERT_EQ(journal.Liste().size(), 3u);
    EXPECT_EQ(readJournalFile(dir / "journal")->size(), 3u);
    EXPECT_EQ(page.StringGrid1->model()->rowCount(), 9);
    EXPECT_EQ(page.StringGrid1->model()->index(6, 0).data().toString(), "3");
    EXPECT_EQ(printer.Documents().size(), 0u);
}

TEST_F(JournalDialog, AFailedDeletionIsToldAndLeavesEverything) {
    appendDays(5);
    restart();
    QStringList errors;
    setErrorSink([&](const QString& e) { errors << e; });
    journal.setWriteFaultForTesting(Journal::WriteFault{0, ENOSPC});
    openAs("Löschen");
    dialog.show();
    dialog.EVon->setText("4");
    dialog.Button2->click();
    setErrorSink({});
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("Es wurde nichts gelöscht.")) << errors[0].toStdString();
    EXPECT_TRUE(dialog.isVisible()) << "the user may try again";
    dialog.hide();
    EXPECT_EQ(readJournalFile(dir / "journal")->size(), 5u);
    EXPECT_EQ(page.StringGrid1->model()->rowCount(), 15);
}

TEST_F(JournalDialog, PrintsTheRangeAfterThePrintDialog) {
    appendDays(5);
    restart();
    printConfirmed = false;
    openAs("Drucken");
    dialog.Button2Click();
    EXPECT_EQ(printDialogs, 1);
    EXPECT_EQ(printer.Documents().size(), 0u);

    printConfirmed = true;
    openAs("Drucken");
    dialog.DTPbis->setDate(QDate(2021, 3, 16));
    dialog.Button2Click();
    ASSERT_EQ(printer.Documents().size(), 1u);
    const auto texts = printer.LastDocument().page(0).TextStrings();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "16.03.2021"), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "17.03.2021"), texts.end());
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(journal.Liste().size(), 5u);
}

TEST_F(JournalDialog, ThePageButtonsOpenItModallyInTheirMode) {
    appendDays(1);
    restart();
    for (QPushButton* b : {page.Button42, page.Button43}) {
        QString caption;
        QString von;
        QTimer::singleShot(0, [&] {
            caption = dialog.Button2->text();
            von = dialog.EVon->text();
            dialog.Button1->click();
        });
        b->click();
        EXPECT_EQ(caption, b->text());
        EXPECT_EQ(von, "1");
        EXPECT_FALSE(dialog.isVisible());
    }
}

} // namespace
} // namespace formidor::gui
