#include "forms/gui/depositprint.h"

#include "addressbook/addressbook.h"
#include "common/testenv.h"
#include "forms/deposit.h"
#include "forms/gui/addressbinding.h"
#include "forms/gui/depositpage.h"
#include "journal/journal.h"
#include "platform/gui/guard.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

#include <QApplication>
#include <QFocusEvent>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

struct Calibration : CalibrationView {
    std::string kv = "0", kh = "0";
    std::string offsetText(char, bool horizontal) const override { return horizontal ? kv : kh; }
    bool isNormal(char) const override { return true; }
    bool isHochkant(char) const override { return false; }
    bool isRightFeed(char) const override { return true; }
    bool isLeftFeed(char) const override { return false; }
};

void enter(QWidget* w, Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent in(QEvent::FocusIn, reason);
    QApplication::sendEvent(w, &in);
}

class DepositPageTest : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    Calibration calibration;
    Journal journal{home.path() / "journal"};
    DepositPage page;
    int refills = 0;
    QStringList errors, messages;

    void SetUp() override {
        journal.JournalLaden();
        forms::setLastDepositBank("");
        setErrorSink([this](const QString& e) { errors << e; });
        setupDepositPage(&page, {&calibration, &journal, [this] { ++refills; }, &printer,
                                 [this](const QString& m) { messages << m; }});
    }
    void TearDown() override { setErrorSink({}); }

    void chooseBank(const char* bank) {
        const int item = page.ComboBox1->findText(QString::fromUtf8(bank));
        ASSERT_GE(item, 0) << bank;
        page.ComboBox1->setCurrentIndex(item);
        ASSERT_EQ(page.ComboBox1->currentText(), QString::fromUtf8(bank));
    }
    void type() {
        page.EKontoinhaber->setEditText("Jürgen Müller");
        page.EOrtDatum->setText("15.03.2021");
        page.ESchecknr1->setText("100201");
        page.EKontonr1->setText("4455667");
        page.EBLZ1->setText("37050198");
        page.EBetrag1->setText("100,10");
        page.EBetrag2->setText("0,05");
        page.EStueck->setText("2");
        page.EWert->setText("16.03.2021");
        page.EEmpfaengerKontonr->setText("123456");
        page.EGesamtbetrag->setText("100,15");
    }
    // Where a cheque's bank code and amount stand, and what the labels above them say.
    void expectColumns(bool amountLeft, const char* leftCaption, const char* rightCaption) {
        for (const auto& c : page.cheques()) {
            SCOPED_TRACE(c.group->title().toStdString());
            EXPECT_EQ(c.EBetrag->x(), amountLeft ? DepositPage::kLeftColumnX : 392);
            EXPECT_EQ(c.EBLZ->x(), amountLeft ? 376 : DepositPage::kLeftColumnX);
            EXPECT_LE(std::min(c.EBetrag->geometry().right(), c.EBLZ->geometry().right()),
                      std::max(c.EBetrag->x(), c.EBLZ->x())); // side by side, not overlapping
            EXPECT_EQ(c.LBLZ->x(), DepositPage::kLeftColumnX);
            EXPECT_EQ(c.LBetrag->x(), 392);
            EXPECT_EQ(c.LBLZ->text(), QString::fromUtf8(leftCaption));
            EXPECT_EQ(c.LBetrag->text(), QString::fromUtf8(rightCaption));
        }
    }
};

TEST_F(DepositPageTest, SparkasseThenHypoVereinsbank) {
    chooseBank("Sparkasse");
    expectColumns(false, "Bankleitzahl der bez. Bank", "Betrag");
    EXPECT_FALSE(page.EOrtDatum->isHidden());
    EXPECT_EQ(page.LOrtDatum->text(), "Datum");
    EXPECT_TRUE(page.EWert->isHidden());
    EXPECT_TRUE(page.LWert->isHidden());

    chooseBank("HypoVereinsbank");
    expectColumns(true, "Betrag", "BLZ der bez. Bank");
    EXPECT_FALSE(page.EWert->isHidden());
    EXPECT_FALSE(page.LWert->isHidden());
    EXPECT_EQ(page.LWert->text(), "BLZ Kontoinhaber");
    EXPECT_FALSE(page.EOrtDatum->isHidden());
    EXPECT_EQ(page.LOrtDatum->text(), "Datum");
    EXPECT_EQ(page.LKontonr3->text(), "Konto-Nr. des Ausstellers");
    EXPECT_EQ(page.LSchecknr3->text(), "Scheck-Nummer");
}

TEST_F(DepositPageTest, BerlinerBankThenDeutscheBank) {
    chooseBank("Berliner Bank");
    expectColumns(false, "Bankleitzahl der bez. Bank", "Betrag");
    EXPECT_TRUE(page.EOrtDatum->isHidden());
    EXPECT_TRUE(page.LOrtDatum->isHidden());
    EXPECT_TRUE(page.EWert->isHidden());

    chooseBank("Deutsche Bank");
    expectColumns(false, "Bankleitzahl der bez. Bank", "Betrag");
    EXPECT_FALSE(page.EOrtDatum->isHidden());
    EXPECT_FALSE(page.LOrtDatum->isHidden());
    EXPECT_EQ(page.LOrtDatum->text(), "Bankleitzahl des Einreichers");
    EXPECT_FALSE(page.EWert->isHidden());
    EXPECT_EQ(page.LWert->text(), "Datum: TTMMJJ");
    for (const auto& c : page.cheques()) {
        EXPECT_EQ(c.LKontonr->text(), "Schecknummer");
        EXPECT_EQ(c.LSchecknr->text(), "Vermerke des Einreichers");
    }

    // Back to a bank with the usual captions.
    chooseBank("Dresdner Bank");
    EXPECT_EQ(page.LKontonr1->text(), "Konto-Nr. des Ausstellers");
    EXPECT_EQ(page.LSchecknr5->text(), "Scheck-Nummer");
    EXPECT_EQ(page.LOrtDatum->text(), "Datum");
    EXPECT_EQ(page.LWert->text(), "Wert");
}

TEST_F(DepositPageTest, TypedTextOnlyPutsTheColumnsBack) {
    chooseBank("Commerzbank");
    expectColumns(true, "Betrag", "BLZ der bez. Bank");
    EXPECT_EQ(page.LOrtDatum->text(), "Bankleitzahl des Einreichers");
    EXPECT_TRUE(page.EWert->isHidden());

    page.ComboBox1->setCurrentIndex(-1);
    QTest::keyClicks(page.ComboBox1->lineEdit(), "Volksbank");
    ASSERT_EQ(page.ComboBox1->currentText(), "Volksbank");
    expectColumns(false, "Bankleitzahl der bez. Bank", "Betrag");
    // Everything else stays as the last bank left it.
    EXPECT_EQ(page.LOrtDatum->text(), "Bankleitzahl des Einreichers");
    EXPECT_FALSE(page.EOrtDatum->isHidden());
    EXPECT_TRUE(page.EWert->isHidden());
}

TEST_F(DepositPageTest, PickedHolderBringsTheStoredBankAndItsArrangement) {
    SaveDaten({"Anna Hypo", "HypoVereinsbank", ""});
    chooseBank("Sparkasse");
    page.EKontoinhaber->setEditText("Anna Hypo");
    EKontoinhaberClick(page); // as the address binding runs it, without the relabelling itself
    EXPECT_EQ(page.ComboBox1->currentText(), "HypoVereinsbank");
    expectColumns(true, "Betrag", "BLZ der bez. Bank");
    EXPECT_FALSE(page.EWert->isHidden());
}

TEST_F(DepositPageTest, EnteringCountAndTotal) {
    page.EBetrag1->setText("100,10");
    page.EBetrag2->setText("0,05");
    page.EBetrag4->setText("7");
    enter(page.EStueck);
    EXPECT_EQ(page.EStueck->text(), "3");
    enter(page.EGesamtbetrag);
    EXPECT_EQ(page.EGesamtbetrag->text(), "107,15");

    // A bad amount: the message, the total keeps its text, the page goes on.
    page.EBetrag4->setText("7 EUR");
    enter(page.EGesamtbetrag);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "'7 EUR' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(page.EGesamtbetrag->text(), "107,15");
    // The focus coming back after the message box is no new entering.
    enter(page.EGesamtbetrag, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(errors.size(), 1);
    page.EBetrag4->clear();
    enter(page.EGesamtbetrag, Qt::MouseFocusReason);
    EXPECT_EQ(page.EGesamtbetrag->text(), "100,15");
    enter(page.EStueck);
    EXPECT_EQ(page.EStueck->text(), "2");
}

TEST_F(DepositPageTest, DruckenWithoutABankOnlySaysSo) {
    type();
    QTest::mouseClick(page.Button23, Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{"Bitte oben rechts noch eine Bank auswählen"});
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(printer.Documents().empty());
    EXPECT_TRUE(journal.Liste().empty());
    EXPECT_EQ(refills, 0);
}

TEST_F(DepositPageTest, DruckenPrintsStoresAndJournals) {
    chooseBank("Commerzbank");
    type();
    page.EGesamtbetrag->setText("100,15 EUR");
    QTest::mouseClick(page.Button23, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    EXPECT_TRUE(messages.isEmpty());

    ASSERT_EQ(printer.Documents().size(), 1u);
    const Metafile& m = printer.LastDocument().page(0);
    ASSERT_NE(m.FindText("Jürgen Müller"), nullptr);
    EXPECT_EQ(m.FindText("Jürgen Müller")->logical, (TPoint{775, -85}));
    EXPECT_EQ(m.FindText("15.03.2021")->logical, (TPoint{300, -85}));
    EXPECT_EQ(m.FindText("0,05")->logical, (TPoint{800, -275}));
    EXPECT_EQ(m.FindText("37050198")->logical, (TPoint{1150, -210}));
    EXPECT_EQ(m.FindText("100,15 EUR")->logical, (TPoint{650, -700}));
    EXPECT_EQ(m.FindText("16.03.2021"), nullptr); // this slip has no value box

    EXPECT_EQ(page.EGesamtbetrag->text(), "0");
    EXPECT_EQ(refills, 1);
    EXPECT_EQ(forms::LastDepositBank(), "Commerzbank");
    EXPECT_EQ(formidor::EKontoinhaberClick("Jürgen Müller").ComboBox1, "Commerzbank");
    ASSERT_EQ(journal.Liste().size(), 1u);
    EXPECT_EQ(journal.Liste()[0].Typ(), 5);
    EXPECT_EQ(journal.Liste()[0].AuftraggeberKonto(), "123456");
    EXPECT_EQ(journal.Liste()[0].Betrag(), 0);
}

TEST_F(DepositPageTest, BadOffsetIsReportedAndNothingHappens) {
    chooseBank("Sparkasse");
    type();
    calibration.kh = "12a";
    QTest::mouseClick(page.Button23, Qt::LeftButton);
    EXPECT_EQ(errors, QStringList{"'12a' ist kein gültiger Integerwert"});
    EXPECT_TRUE(printer.Documents().empty());
    EXPECT_TRUE(journal.Liste().empty());
    EXPECT_EQ(forms::LastDepositBank(), "");
}

TEST_F(DepositPageTest, LoeschenEmptiesTheChequesOnly) {
    chooseBank("Dresdner Bank");
    type();
    for (const auto& c : page.cheques()) {
        c.ESchecknr->setText("1");
        c.EKontonr->setText("2");
        c.EBLZ->setText("12345678");
        c.EBetrag->setText("4");
    }
    QTest::mouseClick(page.Button28, Qt::LeftButton);
    for (const auto& c : page.cheques()) {
        EXPECT_EQ(c.ESchecknr->text(), "");
        EXPECT_EQ(c.EKontonr->text(), "");
        EXPECT_EQ(c.EBLZ->text(), "        "); // the masked field's empty text
        EXPECT_EQ(c.EBetrag->text(), "");
    }
    EXPECT_EQ(page.EStueck->text(), "");
    EXPECT_EQ(page.EWert->text(), "");
    EXPECT_EQ(page.EGesamtbetrag->text(), "");
    EXPECT_EQ(page.EKontoinhaber->currentText(), "Jürgen Müller");
    EXPECT_EQ(page.EOrtDatum->text(), "15.03.2021");
    EXPECT_EQ(page.EEmpfaengerKontonr->text(), "123456");
    EXPECT_EQ(page.ComboBox1->currentText(), "Dresdner Bank");
}

} // namespace
} // namespace formidor::gui
