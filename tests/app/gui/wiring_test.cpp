// The assembled main window: the address book, the transfer printer and the journal reach the
// pages through the start, a print and the close, as a user meets them.
#include "app/gui/UeberweisM.h"

#include "addressbook/addressbook.h"
#include "common/testenv.h"
#include "forms/gui/directdebitpage.h"
#include "forms/gui/transferiban.h"
#include "forms/gui/transferpage.h"
#include "journal/gui/journalpage.h"
#include "journal/journal.h"
#include "platform/gui/guard.h"
#include "platform/hive.h"
#include "platform/paths.h"
#include "platform/recordingprinter.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

class AssembledWindow : public ::testing::Test {
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

TEST_F(AssembledWindow, StartPrintAndCloseCarryAddressesAndJournal) {
    UeberweisungAdressen earlier;
    earlier.EEmpfaenger = "Stadtwerke Köln";
    earlier.EAuftraggeber = "Jürgen Müller";
    earlier.EEigeneKontonr = "1234567";
    earlier.Formular = "13";
    SaveEmpfaenger(earlier); // also the last-used originator
    {
        Journal j;
        j.JournalAnhaengen(1, "1234567", "Jürgen Müller", 44000, "37050198", "Stadtwerke Köln",
                           "99", "37050198", "Abschlag", 125000);
    }

    auto w = std::make_unique<TMainForm>();
    w->show();
    QApplication::processEvents();
    TransferPage& t = *w->TabSheet2;

    // The last-used originator is preloaded with its record, the pick lists are filled and
    // the journal page shows the stored record.
    EXPECT_EQ(t.EAuftraggeber->currentText(), "Jürgen Müller");
    EXPECT_EQ(t.EEigeneKontonr->text(), "1234567");
    EXPECT_GE(t.EEmpfaenger->findText("Stadtwerke Köln"), 0);
    ASSERT_NE(w->JournalX->StringGrid1->model(), nullptr);
    EXPECT_EQ(w->JournalX->StringGrid1->model()->rowCount(), 3);

    t.EEmpfaenger->setEditText("Finanzamt Bonn");
    t.EBetrag->setText("12,50");
    QTest::mouseClick(t.Button1, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    EXPECT_EQ(printer().Documents().size(), 1u);
    EXPECT_GE(t.EEmpfaenger->findText("Finanzamt Bonn"), 0); // refilled after the print
    EXPECT_EQ(w->JournalX->StringGrid1->model()->rowCount(), 6);

    w->close();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    EXPECT_EQ(std::filesystem::file_size(paths::journalFile()), 2u * 440u);
}

TEST_F(AssembledWindow, LeavingBankCodeFieldsLooksUpTheShippedDirectory) {
    auto w = std::make_unique<TMainForm>();
    w->show();
    w->activateWindow();
    (void)QTest::qWaitForWindowActive(w.get());
    TransferPage& t = *w->TabSheet2;
    t.RB20->setChecked(true); // a classic form with a bank-code box
    QApplication::processEvents();
    t.EBLZ->setFocus();
    t.EBLZ->setText("37050198");
    t.EBetrag->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(t.EBank->text(), "Sparkasse KölnBonn");

    DirectDebitPage& d = *w->TabSheet1;
    w->PageControl1->setCurrentWidget(&d);
    QApplication::processEvents();
    d.EKontonrZ->setText("1234567");
    d.EBLZZ->setFocus();
    d.EBLZZ->setText("37050198");
    d.EBetragZ->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(d.EBankZ->text(), "Sparkasse KölnBonn");
    EXPECT_EQ(d.EKontonrZ->text().trimmed(), "0001234567");
    EXPECT_TRUE(d.StatusZ->isVisible());
    EXPECT_NE(d.StatusZ->text(), "Status");
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(AssembledWindow, SepaTransferAsANewUserTypesIt) {
    auto w = std::make_unique<TMainForm>();
    w->show();
    w->activateWindow();
    (void)QTest::qWaitForWindowActive(w.get());
    TransferPage& t = *w->TabSheet2;
    ASSERT_TRUE(t.RB13->isChecked());
    auto leave = [&t](QLineEdit* field, const char* text) {
        field->setFocus();
        QApplication::processEvents();
        field->setText(QString::fromUtf8(text));
        t.EBetrag->setFocus();
        QApplication::processEvents();
    };
    t.EEmpfaenger->setEditText("Stadtwerke Köln");
    leave(t.EIBANEmpf, "DE02 3705 0198 0001 8020 75"); // two digits swapped
    EXPECT_EQ(ibanTone(t.LIBANEmpfStatus), IbanTone::Invalid);
    EXPECT_EQ(t.EBank->text(), "");
    leave(t.EIBANEmpf, "DE02 3705 0198 0001 8020 57");
    EXPECT_EQ(t.LIBANEmpfStatus->text(), "IBAN gültig: Sparkasse KölnBonn, BIC COLSDE33XXX");
    EXPECT_EQ(t.EBank->text(), "COLSDE33XXX");
    t.EAuftraggeber->setEditText("Jürgen Müller");
    leave(t.EIBANAuftrag, "89370400440532013000");
    EXPECT_EQ(ibanTone(t.LIBANAuftragStatus), IbanTone::Valid);
    t.EBetrag->setText("12,50");
    QTest::mouseClick(t.Button1, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();

    // The journal page shows both IBANs and the BIC.
    QAbstractItemModel* grid = w->JournalX->StringGrid1->model();
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->index(1, 1).data().toString(),
              "Auftraggeber: Jürgen Müller - Konto: 89370400440532013000 ()");
    EXPECT_EQ(grid->index(2, 1).data().toString(),
              "Empfänger: Stadtwerke Köln - Konto:DE02 3705 0198 0001 8020 57 (COLSDE33XXX)");
    w->close();
}

TEST_F(AssembledWindow, UnreadableJournalIsReportedAndLeftAsItIs) {
    std::filesystem::create_directories(paths::journalFile()); // a folder where the file belongs
    auto w = std::make_unique<TMainForm>();
    w->show();
    QApplication::processEvents();
    EXPECT_EQ(errors.size(), 1);
    w->close();
    EXPECT_TRUE(std::filesystem::is_directory(paths::journalFile()));
}

} // namespace
} // namespace formidor::gui
