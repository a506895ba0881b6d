// The foreign transfer window in the assembled application: opened from the transfer page, it
// prints with the printer page's A calibration, and its journal record reaches the journal page.
#include "app/gui/UeberweisM.h"

#include "addressbook/addressbook.h"
#include "app/gui/printerpage.h"
#include "common/testenv.h"
#include "forms/gui/transferpage.h"
#include "forms/gui/z1.h"
#include "journal/gui/journalpage.h"
#include "journal/journal.h"
#include "platform/gui/guard.h"
#include "platform/recordingprinter.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

class ForeignInApplication : public ::testing::Test {
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

TEST_F(ForeignInApplication, TransferPageOpensTheWindowWhosePrintReachesTheJournalPage) {
    AuslandAdressen earlier;
    earlier.EEmpfaengerName = "Hôtel du Lac";
    earlier.EKontonrIBAN = "CH9300762011623852957";
    SaveAusl(earlier);

    auto w = CreateApplicationWindows();
    w->show();
    QApplication::processEvents();
    ASSERT_NE(w->Ausl, nullptr);
    w->TabSheet4->EKVA->setText("25");
    w->TabSheet4->RBQuerformatA->setChecked(true);
    w->TabSheet4->RBrechtsA->setChecked(true);

    TAusl& a = *w->Ausl;
    bool opened = false;
    QTimer::singleShot(0, &a, [&] {
        opened = a.isVisible();
        // The names known when the window is shown.
        const int i = a.EEmpfaengerName->findText("Hôtel du Lac");
        ASSERT_GE(i, 0);
        a.EEmpfaengerName->setCurrentIndex(i);
        emit a.EEmpfaengerName->activated(i);
        a.EAuftraggeberName->setEditText("Jürgen Müller");
        a.EBetrag->setText("99,90");
        QTest::mouseClick(a.Button1, Qt::LeftButton);
        a.accept();
    });
    QTest::mouseClick(w->TabSheet2->Button29, Qt::LeftButton);
    EXPECT_TRUE(opened);
    ASSERT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();

    ASSERT_EQ(printer().Documents().size(), 1u);
    const MetaText* iban = printer().LastDocument().page(0).FindText("CH9300762011623852957");
    ASSERT_NE(iban, nullptr);
    // Hochkant, fed at the right: 104.3 mm lower; 2.5 mm to the right.
    EXPECT_EQ(iban->logical, (TPoint{90 + 25, -11 - 12 * 84 - 1043}));
    EXPECT_EQ(printer().LastDocument().orientation, TPrinterOrientation::poLandscape);

    ASSERT_EQ(w->TheJournal().Liste().size(), 1u);
    EXPECT_EQ(w->TheJournal().Liste()[0].Typ(), 3);
    EXPECT_EQ(w->TheJournal().Liste()[0].Betrag(), 999000);
    ASSERT_NE(w->JournalX->StringGrid1->model(), nullptr);
    EXPECT_EQ(w->JournalX->StringGrid1->model()->rowCount(), 3);
    const QString shown = w->JournalX->StringGrid1->model()->index(0, 1).data().toString();
    EXPECT_TRUE(shown.contains("Auslandsüberweisung")) << shown.toStdString();
    w->close();
}

} // namespace
} // namespace formidor::gui
