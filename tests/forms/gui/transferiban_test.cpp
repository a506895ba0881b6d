#include "forms/gui/transferiban.h"

#include "addressbook/addressbook.h"
#include "bankdata/bankdirectory.h"
#include "common/testenv.h"
#include "forms/gui/addressbinding.h"
#include "forms/gui/transferpage.h"
#include "forms/gui/transferprint.h"
#include "journal/journal.h"
#include "platform/gui/guard.h"
#include "platform/recordingprinter.h"

#include <QApplication>
#include <QLabel>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

struct Calibration : CalibrationView {
    std::string offsetText(char, bool) const override { return "0"; }
    bool isNormal(char) const override { return true; }
    bool isHochkant(char) const override { return false; }
    bool isRightFeed(char) const override { return true; }
    bool isLeftFeed(char) const override { return false; }
};

// The transfer page in its start variant "SEPA/16", shown, with a directory of Commerzbank
// Köln (13), Sparkasse KölnBonn (00), ING (C1) and Landesbank Berlin (no BIC).
class TransferIban : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    Calibration calibration;
    Journal journal{home.path() / "journal"};
    TransferPage page;
    QStringList errors;

    void SetUp() override {
        setBankDirectoryFile(test::fixture("blz_iban.asc"));
        setErrorSink([this](const QString& e) { errors << e; });
        journal.JournalLaden();
        setupTransferPage(&page, {&calibration, &journal, {}, &printer});
        QFont windowFont(QStringLiteral("Arial")); // the main window's, which the lines fit
        windowFont.setPixelSize(11);
        page.setFont(windowFont);
        page.show();
        page.activateWindow();
        (void)QTest::qWaitForWindowActive(&page);
    }
    void TearDown() override {
        setBankDirectoryFile({});
        setErrorSink({});
    }
    // Types text into a field and leaves it for the amount field, as the user does.
    void typeAndLeave(QLineEdit* field, const QString& text) {
        field->setFocus();
        QApplication::processEvents();
        field->setText(text);
        page.EBetrag->setFocus();
        QApplication::processEvents();
    }
    QString status() const { return page.LIBANEmpfStatus->toolTip(); }
};

TEST_F(TransferIban, LeavingTheRecipientIbanShowsTheVerdictAndFillsTheBic) {
    struct Step {
        const char* what;
        const char* typedBank; // nullptr: EBank as the step before left it
        const char* iban;
        IbanTone tone;
        const char* status;
        const char* bank;
    } steps[] = {
        {"valid, bank and BIC from the directory", "", "DE89 3704 0044 0532 0130 00",
         IbanTone::Valid, "IBAN gültig: Commerzbank Köln, BIC COBADEFFXXX", "COBADEFFXXX"},
        {"another bank replaces the BIC filled in before", nullptr, "de02370501980001802057",
         IbanTone::Valid, "IBAN gültig: Sparkasse KölnBonn, BIC COLSDE33XXX", "COLSDE33XXX"},
        {"mistyped: red, the BIC stays", nullptr, "DE02370501980001802075", IbanTone::Invalid,
         "IBAN ungültig: Prüfziffern falsch", "COLSDE33XXX"},
        {"account failing its method", nullptr, "DE72370501980001802058", IbanTone::Warning,
         "Prüfziffern stimmen, aber Kontonummer lt. Prüfziffernverfahren falsch (Sparkasse "
         "KölnBonn, BIC COLSDE33XXX)",
         "COLSDE33XXX"},
        {"a foreign IBAN clears the German BIC filled in before", nullptr, "GB82WEST12345698765432",
         IbanTone::Valid, "IBAN gültig", ""},
        {"a BIC the user typed stays", "COBADEFF370", "DE02370501980001802057", IbanTone::Valid,
         "IBAN gültig: Sparkasse KölnBonn, BIC COLSDE33XXX", "COBADEFF370"},
        {"bank code not in the directory", "", "DE87123456781234567890", IbanTone::Warning,
         "IBAN gültig, aber die Bankleitzahl 12345678 steht nicht im Bankverzeichnis", ""},
        {"too short", "", "DE8937040044053201300", IbanTone::Invalid,
         "IBAN ungültig: Länge 21 statt 22 Zeichen für DE", ""},
        {"emptied: no verdict", "", "", IbanTone::None, "", ""},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        if (s.typedBank) page.EBank->setText(s.typedBank);
        typeAndLeave(page.EIBANEmpf, QString::fromUtf8(s.iban));
        EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
        EXPECT_EQ(ibanTone(page.LIBANEmpfStatus), s.tone);
        EXPECT_EQ(status(), QString::fromUtf8(s.status));
        EXPECT_EQ(page.EBank->text(), QString::fromUtf8(s.bank));
        // The field keeps what was typed: that is what prints.
        EXPECT_EQ(page.EIBANEmpf->text(), QString::fromUtf8(s.iban));
    }
    typeAndLeave(page.EIBANEmpf, "DE89370400440532013000");
    EXPECT_EQ(page.LIBANEmpfStatus->palette().color(QPalette::WindowText), QColor(0, 110, 0));
}

TEST_F(TransferIban, MistypedIbanIsRedOnTheLine) {
    typeAndLeave(page.EIBANEmpf, "DE89370400440532031000");
    EXPECT_TRUE(page.LIBANEmpfStatus->isVisibleTo(&page));
    EXPECT_EQ(page.LIBANEmpfStatus->text(), "IBAN ungültig: Prüfziffern falsch");
    EXPECT_EQ(page.LIBANEmpfStatus->palette().color(QPalette::WindowText), QColor(200, 0, 0));
}

TEST_F(TransferIban, OriginatorIbanIsCheckedWithTheFormsDE) {
    struct Case {
        const char* typed;
        IbanTone tone;
        const char* status;
    } cases[] = {
        {"89370400440532013000", IbanTone::Valid, "IBAN gültig: Commerzbank Köln, BIC COBADEFFXXX"},
        {"DE89370400440532013000", IbanTone::Invalid,
         "IBAN ungültig: bitte ohne Länderkennung eingeben, DE steht schon auf dem Formular"},
        {"89 3704 0044 0532 0130", IbanTone::Invalid,
         "IBAN ungültig: Länge 18 statt 20 Zeichen ohne DE"},
        {"", IbanTone::None, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        typeAndLeave(page.EIBANAuftrag, QString::fromUtf8(c.typed));
        EXPECT_EQ(ibanTone(page.LIBANAuftragStatus), c.tone);
        EXPECT_EQ(page.LIBANAuftragStatus->toolTip(), QString::fromUtf8(c.status));
    }
    EXPECT_EQ(page.EBank->text(), "") << "the originator's IBAN fills no field";
    EXPECT_EQ(page.EAuftraggeberBLZ->text(), "");
}

TEST_F(TransferIban, ClassicRecordGetsTheComputedIbanProposed) {
    UeberweisungAdressen classic;
    classic.EEmpfaenger = "Stadtwerke Köln";
    classic.EKontonr = "1802057";
    classic.EBLZ = "37050198";
    classic.EBank = "Sparkasse KölnBonn"; // as the bank-code field filled it in
    SaveEmpfaenger(classic);
    UeberweisungAdressen sepa;
    sepa.EEmpfaenger = "Gasversorgung";
    sepa.EKontonr = "1802057";
    sepa.EBLZ = "37050198";
    sepa.EIBANEmpf = "DE89370400440532013000";
    sepa.EBank = "COBADEFFXXX";
    SaveEmpfaenger(sepa);

    page.EEmpfaenger->setEditText("Stadtwerke Köln");
    EEmpfaengerClick(page);
    EXPECT_EQ(page.EIBANEmpf->text(), "DE02370501980001802057");
    EXPECT_EQ(page.EBank->text(), "COLSDE33XXX") << "the bank's name gives way to its BIC";
    EXPECT_EQ(ibanTone(page.LIBANEmpfStatus), IbanTone::Warning);
    EXPECT_EQ(page.LIBANEmpfStatus->text(),
              "IBAN berechnet, ohne Sonderregeln der Bank: bitte prüfen");
    EXPECT_TRUE(status().contains("Sonderregeln einzelner Banken sind nicht berücksichtigt"));
    EXPECT_TRUE(status().startsWith("IBAN gültig: Sparkasse KölnBonn"));
    // Leaving the untouched proposal keeps the mark; correcting it ends it.
    typeAndLeave(page.EIBANEmpf, page.EIBANEmpf->text());
    EXPECT_TRUE(page.LIBANEmpfStatus->text().startsWith("IBAN berechnet"));
    typeAndLeave(page.EIBANEmpf, "DE02 3705 0198 0001 8020 57"); // the same IBAN
    EXPECT_TRUE(page.LIBANEmpfStatus->text().startsWith("IBAN berechnet"));
    typeAndLeave(page.EIBANEmpf, "DE89370400440532013000");
    EXPECT_EQ(page.LIBANEmpfStatus->text(), "IBAN gültig: Commerzbank Köln, BIC COBADEFFXXX");

    // A record with its own IBAN keeps it, unmarked.
    page.EEmpfaenger->setEditText("Gasversorgung");
    EEmpfaengerClick(page);
    EXPECT_EQ(page.EIBANEmpf->text(), "DE89370400440532013000");
    EXPECT_EQ(page.EBank->text(), "COBADEFFXXX");
    EXPECT_EQ(ibanTone(page.LIBANEmpfStatus), IbanTone::Valid);

    // The classic editions print the account: nothing is proposed there.
    page.RB20->setChecked(true);
    page.EEmpfaenger->setEditText("Stadtwerke Köln");
    EEmpfaengerClick(page);
    EXPECT_EQ(page.EIBANEmpf->text(), "");
    EXPECT_EQ(page.EBank->text(), "Sparkasse KölnBonn");
    EXPECT_FALSE(page.LIBANEmpfStatus->isVisibleTo(&page));
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(TransferIban, StatusLinesBelongToTheSepaVariants) {
    typeAndLeave(page.EIBANEmpf, "DE89370400440532013000");
    EXPECT_TRUE(page.LIBANEmpfStatus->isVisibleTo(&page));
    EXPECT_TRUE(page.LIBANAuftragStatus->isVisibleTo(&page));
    page.RB16->setChecked(true);
    EXPECT_FALSE(page.LIBANEmpfStatus->isVisibleTo(&page));
    EXPECT_FALSE(page.LIBANAuftragStatus->isVisibleTo(&page));
    page.RBHypo->setChecked(true);
    EXPECT_TRUE(page.LIBANEmpfStatus->isVisibleTo(&page));
    EXPECT_FALSE(page.LIBANEmpfStatus->text().isEmpty()) << "the verdict is kept";
    QTest::mouseClick(page.Button10, Qt::LeftButton); // Löschen
    EXPECT_EQ(page.LIBANEmpfStatus->text(), "");
    EXPECT_EQ(ibanTone(page.LIBANEmpfStatus), IbanTone::None);
}

TEST_F(TransferIban, UnreadableDirectoryStillShowsTheChecksum) {
    test::TempDir tmp;
    setBankDirectoryFile(tmp / "blz.asc");
    page.EBank->setText("vorher");
    typeAndLeave(page.EIBANEmpf, "DE89370400440532013000");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("Datei nicht gefunden"));
    EXPECT_EQ(ibanTone(page.LIBANEmpfStatus), IbanTone::Warning);
    EXPECT_TRUE(status().startsWith("Prüfziffern stimmen, Bank nicht nachgeschlagen"));
    EXPECT_EQ(page.EBank->text(), "vorher");
    // A mistyped IBAN needs no directory: red, no message.
    typeAndLeave(page.EIBANEmpf, "DE89370400440532013001");
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(ibanTone(page.LIBANEmpfStatus), IbanTone::Invalid);
}

} // namespace
} // namespace formidor::gui
