// The assembled main window: the address book, the transfer printer and the journal reach the
// pages through the start, a print and the close, as a user meets them.
#include "app/gui/UeberweisM.h"

#include "addressbook/addressbook.h"
#include "addressbook/gui/datapage.h"
#include "common/testenv.h"
#include "forms/deposit.h"
#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/chequepage.h"
#include "forms/gui/depositpage.h"
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

TEST_F(AssembledWindow, ChequeAndDirectDebitPrintAndJournal) {
    UeberweisungAdressen earlier;
    earlier.EAuftraggeber = "Verein e.V.";
    earlier.EEigeneKontonr = "123456";
    SaveEmpfaenger(earlier); // the last-used originator, preloaded as the payee
    auto w = std::make_unique<TMainForm>();
    w->show();
    QApplication::processEvents();

    DirectDebitPage& d = *w->TabSheet1;
    EXPECT_EQ(d.EKontoinhaberD->text(), "Verein e.V."); // the payee is on the cover sheet
    d.ENameZ->setEditText("Stadtwerke Köln");
    d.EBetragZ->setText("10,50");
    QTest::mouseClick(d.Button13, Qt::LeftButton);
    EXPECT_EQ(d.EStueckzahlD->text(), "1");
    EXPECT_EQ(d.EBetragD->text(), "10,50");
    EXPECT_GE(d.ENameZ->findText("Stadtwerke Köln"), 0); // refilled after the print

    ChequePage& c = *w->TabSheet3;
    c.EEmpfaenger1->setEditText("Jürgen Müller");
    c.EBetragV->setText("50");
    EXPECT_EQ(c.LBetragB->text(), "*fuenf*null*");
    QTest::mouseClick(c.Button3, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    EXPECT_EQ(printer().Documents().size(), 2u);
    EXPECT_GE(w->TabSheet2->EEmpfaenger->findText("Jürgen Müller"), 0);
    EXPECT_EQ(w->JournalX->StringGrid1->model()->rowCount(), 6);
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

TEST_F(AssembledWindow, DepositPrintReachesAddressBookAndJournal) {
    SaveDaten({"Anna Einreicher", "Dresdner Bank", "778899"});
    auto w = std::make_unique<TMainForm>();
    w->show();
    QApplication::processEvents();
    DepositPage& d = *w->TabSheet10;
    w->PageControl1->setCurrentWidget(&d);
    ASSERT_GE(d.EKontoinhaber->findText("Anna Einreicher"), 0);
    d.EKontoinhaber->setCurrentIndex(d.EKontoinhaber->findText("Anna Einreicher"));
    emit d.EKontoinhaber->activated(d.EKontoinhaber->currentIndex()); // picked from the list
    EXPECT_EQ(d.ComboBox1->currentText(), "Dresdner Bank");
    EXPECT_EQ(d.EEmpfaengerKontonr->text(), "778899");
    EXPECT_FALSE(d.EWert->isHidden());
    d.EBetrag1->setText("250,00");
    d.EGesamtbetrag->setText("250,00");
    QTest::mouseClick(d.Button23, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    EXPECT_EQ(printer().Documents().size(), 1u);
    EXPECT_EQ(forms::LastDepositBank(), "Dresdner Bank");
    QAbstractItemModel* m = w->JournalX->StringGrid1->model();
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(m->rowCount(), 3);
    EXPECT_TRUE(m->index(0, 1).data().toString().startsWith("Scheckeinreichung - "))
        << m->index(0, 1).data().toString().toStdString();
    EXPECT_EQ(m->index(1, 1).data().toString(), "Auftraggeber: Anna Einreicher - Konto: 778899 ()");
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

TEST_F(AssembledWindow, DeletedLastOriginatorComesBackAsANameWithEmptyFields) {
    UeberweisungAdressen earlier;
    earlier.EAuftraggeber = "Jürgen Müller";
    earlier.EEigeneKontonr = "1234567";
    earlier.EAuftraggeberBLZ = "37050198";
    SaveEmpfaenger(earlier);
    {
        auto w = std::make_unique<TMainForm>();
        w->show();
        QApplication::processEvents();
        ASSERT_EQ(w->TabSheet2->EEigeneKontonr->text(), "1234567");
        w->PageControl1->setCurrentWidget(w->TabSheet13);
        QApplication::processEvents();
        QListWidget* list = w->TabSheet13->LBAbs;
        ASSERT_EQ(list->count(), 1);
        list->setCurrentRow(0);
        w->TabSheet13->Button30->click();
        EXPECT_EQ(list->count(), 0);
        // The form pages keep the name until their lists are filled again.
        EXPECT_GE(w->TabSheet2->EAuftraggeber->findText("Jürgen Müller"), 0);
        w->close();
    }
    auto w = std::make_unique<TMainForm>();
    w->show();
    QApplication::processEvents();
    EXPECT_EQ(w->TabSheet2->EAuftraggeber->currentText(), "Jürgen Müller");
    EXPECT_EQ(w->TabSheet2->EEigeneKontonr->text().trimmed(), "");
    EXPECT_EQ(w->TabSheet2->EAuftraggeberBLZ->text().trimmed(), "");
    EXPECT_EQ(w->TabSheet2->EAuftraggeber->findText("Jürgen Müller"), -1);
    EXPECT_EQ(w->TabSheet1->ENameZEmpf->currentText(), "Jürgen Müller");
    EXPECT_EQ(w->TabSheet1->EKontonrZEmpf->text().trimmed(), "");
    EXPECT_EQ(w->TabSheet6->EEmpfN->currentText(), "Jürgen Müller");
    EXPECT_EQ(w->TabSheet6->EKontonrEmpfN->text().trimmed(), "");
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    w->close();
}

} // namespace
} // namespace formidor::gui
