// The cheque and direct debit pages: what a user sees change as they type, print and clear.
#include "addressbook/addressbook.h"
#include "common/testenv.h"
#include "forms/gui/addressbinding.h"
#include "forms/gui/chequepage.h"
#include "forms/gui/chequeprint.h"
#include "forms/gui/directdebitpage.h"
#include "forms/gui/directdebitprint.h"
#include "journal/journal.h"
#include "platform/datetime.h"
#include "platform/gui/guard.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

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

class PageTest : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    Calibration calibration;
    Journal journal{home.path() / "journal"};
    int refills = 0;
    QStringList errors;

    void SetUp() override {
        journal.JournalLaden();
        setErrorSink([this](const QString& e) { errors << e; });
    }
    void TearDown() override { setErrorSink({}); }
};

class ChequePageTest : public PageTest {
protected:
    ChequePage page;
    void SetUp() override {
        PageTest::SetUp();
        bindCounterfoilButtons(page);
        setupChequePage(&page, {&calibration, &journal, [this] { ++refills; }, &printer});
    }
    void type() {
        page.EBetragV->setText("1234,56");
        page.EAnredeE->setText("Herrn");
        page.EEmpfaenger1->setEditText("Jürgen Müller");
        page.EEmpfaenger2->setText("c/o Meier");
        page.EPLZE->setText("50667");
        page.EOrtEmpf->setText("Köln");
        page.EOrt->setText("Bonn");
        page.EDatum->setText("15.03.2021");
        page.MemoDeutscheAbs->setPlainText("Anna Absender\nHauptstr. 1");
        page.MemoDeutscheVerw->setPlainText("Rechnung 17");
    }
};

TEST_F(ChequePageTest, TheWordsFollowTheAmountAsItIsTyped) {
    EXPECT_EQ(page.LBetragB->text(), "Der Betrag in Buchstaben wird automatisch eingefügt.");
    QTest::keyClicks(page.EBetragV, "5");
    EXPECT_EQ(page.LBetragB->text(), "*fuenf*");
    QTest::keyClicks(page.EBetragV, "0");
    EXPECT_EQ(page.LBetragB->text(), "*fuenf*null*");
    // On screen the words are not cut.
    page.EBetragV->setText("77777777,10");
    EXPECT_EQ(page.LBetragB->text(), "*sieben*sieben*sieben*sieben*sieben*sieben*sieben*sieben*");
}

TEST_F(ChequePageTest, DruckenPrintsTheCounterfoilFirstThenStoresAndJournals) {
    type();
    page.RBDeutsche->setChecked(true); // loads the (empty) stored senders into the memo
    page.MemoDeutscheAbs->setPlainText("Anna Absender\nHauptstr. 1");
    page.EBetragV->setText("12 EUR");
    QTest::mouseClick(page.Button3, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();

    ASSERT_EQ(printer.Documents().size(), 1u);
    const Metafile& m = printer.LastDocument().page(0);
    ASSERT_NE(m.FindText("Anna Absender"), nullptr);
    EXPECT_EQ(m.FindText("Anna Absender")->logical, (TPoint{10, 10}));
    EXPECT_EQ(m.FindText("EUR 12 EUR")->logical, (TPoint{10, -258}));
    EXPECT_EQ(m.FindText("*eins*zwei*")->logical, (TPoint{450, -174}));
    EXPECT_EQ(m.FindText("*12 EUR*")->logical, (TPoint{1435, -258}));

    EXPECT_EQ(refills, 1);
    EXPECT_EQ(page.EBetragV->text(), "0");
    EXPECT_EQ(page.LBetragB->text(), "*null*");
    ASSERT_EQ(journal.Liste().size(), 1u);
    EXPECT_EQ(journal.Liste()[0].Typ(), 2);
    EXPECT_EQ(journal.Liste()[0].AuftraggeberName(), "Anna Absender\r\nHauptstr. 1");
    EXPECT_EQ(formidor::EEmpfaenger1Click("Jürgen Müller").Bank, "Deutsche");
    EXPECT_EQ(formidor::LoadAbs(), (std::vector<std::string>{"Anna Absender", "Hauptstr. 1"}));
}

TEST_F(ChequePageTest, BadOffsetIsReportedAndNothingHappens) {
    type();
    calibration.kh = "1,5";
    QTest::mouseClick(page.Button3, Qt::LeftButton);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "'1,5' ist kein gültiger Integerwert");
    EXPECT_TRUE(printer.Documents().empty());
    EXPECT_EQ(refills, 0);
    EXPECT_TRUE(journal.Liste().empty());
}

TEST_F(ChequePageTest, LoeschenKeepsPlaceDateSendersAndCounterfoil) {
    type();
    page.RBobengross->setChecked(true);
    page.MemoDeutscheAbs->setPlainText("Anna Absender");
    QTest::mouseClick(page.Button11, Qt::LeftButton);
    EXPECT_EQ(page.EEmpfaenger1->currentText(), "");
    EXPECT_EQ(page.EEmpfaenger2->text(), "");
    EXPECT_EQ(page.EAnredeE->text(), "");
    EXPECT_EQ(page.EPLZE->text(), "");
    EXPECT_EQ(page.EOrtEmpf->text(), "");
    EXPECT_EQ(page.EBetragV->text(), "");
    EXPECT_EQ(page.MemoDeutscheVerw->toPlainText(), "");
    EXPECT_EQ(page.EOrt->text(), "Bonn");
    EXPECT_EQ(page.EDatum->text(), "15.03.2021");
    EXPECT_EQ(page.MemoDeutscheAbs->toPlainText(), "Anna Absender");
    EXPECT_TRUE(page.RBobengross->isChecked());
}

class DirectDebitPageTest : public PageTest {
protected:
    DirectDebitPage page;
    void SetUp() override {
        PageTest::SetUp();
        setupDirectDebitPage(&page, {&calibration, &journal, [this] { ++refills; },
                                     [] { return std::string("Jürgen Müller"); }, &printer});
    }
    void type() {
        page.ENameZ->setEditText("Stadtwerke Köln");
        page.EKontonrZ->setText("1802057");
        page.EBLZZ->setText("37050198");
        page.EBankZ->setText("Sparkasse KölnBonn");
        page.EVerwendung1Z->setText("Kunde 4711");
        page.EVerwendung2Z->setText("März");
        page.ENameZEmpf->setEditText("Verein e.V.");
        page.EKontonrZEmpf->setText("123456");
    }
};

TEST_F(DirectDebitPageTest, ThePayeeFollowsOntoTheCoverSheetAtOnce) {
    EXPECT_EQ(page.EStueckzahlD->text(), "0");
    EXPECT_EQ(page.EBetragD->text(), "0,00");
    QTest::keyClicks(page.ENameZEmpf->lineEdit(), "Verein");
    EXPECT_EQ(page.EKontoinhaberD->text(), "Verein");
    QTest::keyClicks(page.EKontonrZEmpf, "1234");
    EXPECT_EQ(page.EKontonrZahlungsempf->text(), "1234");

    // Picking a payee sets the account, which follows too.
    LastschriftAdressen a;
    a.ENameZEmpf = "Kasse";
    a.EKontonrZEmpf = "999";
    SaveEmpfaengerL(a);
    page.ENameZEmpf->setEditText("Kasse");
    ENameZEmpfClick(page);
    EXPECT_EQ(page.EKontoinhaberD->text(), "Kasse");
    EXPECT_EQ(page.EKontonrZahlungsempf->text(), "999");
}

TEST_F(DirectDebitPageTest, ThreeDebitsCountUpOnTheCoverSheetWhichPrintsThem) {
    type();
    const char* amounts[] = {"10,50", "abc", "1,5"};
    for (const char* amount : amounts) {
        page.EBetragZ->setText(amount);
        QTest::mouseClick(page.Button13, Qt::LeftButton);
        if (std::string(amount) == "abc") {
            EXPECT_EQ(page.EBetragZ->text(), "0");
        }
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    EXPECT_EQ(printer.Documents().size(), 3u);
    EXPECT_EQ(page.EStueckzahlD->text(), "3");
    EXPECT_EQ(page.EBetragD->text(), "12,00");
    EXPECT_EQ(refills, 3);
    ASSERT_EQ(journal.Liste().size(), 3u);
    EXPECT_EQ(journal.Liste()[2].Typ(), 4);
    EXPECT_EQ(letzterAuftraggeber(), "Jürgen Müller");

    QTest::mouseClick(page.Button15, Qt::LeftButton);
    ASSERT_EQ(printer.Documents().size(), 4u);
    const Metafile& cover = printer.LastDocument().page(0);
    EXPECT_EQ(printer.LastDocument().title, "Quillon Zentrix. - Überweisungsdrucker");
    EXPECT_EQ(cover.FindText("3")->logical, (TPoint{70, -545}));
    EXPECT_EQ(cover.FindText("12,00")->logical, (TPoint{800, -545}));
    EXPECT_EQ(cover.FindText("Verein e.V.")->logical, (TPoint{70, -629}));

    QTest::mouseClick(page.Button17, Qt::LeftButton);
    ASSERT_EQ(printer.Documents().size(), 5u);
    const Metafile& receipt = printer.LastDocument().page(0);
    ASSERT_NE(receipt.FindText("Lastschriftsammeleinreichung"), nullptr);
    EXPECT_EQ(receipt.FindText(DateToStr(Date()))->logical, (TPoint{600, -475}));
    EXPECT_EQ(receipt.FindText("12,00")->logical, (TPoint{600, -375}));
    // Neither print counts, stores or journals.
    EXPECT_EQ(page.EStueckzahlD->text(), "3");
    EXPECT_EQ(journal.Liste().size(), 3u);
}

TEST_F(DirectDebitPageTest, CountThatIsNoNumberIsReportedAfterThePrint) {
    type();
    page.EBetragZ->setText("5");
    page.EStueckzahlD->setText("viele");
    QTest::mouseClick(page.Button13, Qt::LeftButton);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "'viele' ist kein gültiger Integerwert");
    EXPECT_EQ(printer.Documents().size(), 1u);
    EXPECT_EQ(page.EBetragD->text(), "0,00");
    EXPECT_EQ(refills, 0);
    EXPECT_TRUE(journal.Liste().empty());
}

TEST_F(DirectDebitPageTest, LoeschenKeepsPayeeCountAndTotal) {
    type();
    page.EBetragZ->setText("7,00");
    page.EStueckzahlD->setText("4");
    page.EBetragD->setText("40,00");
    QTest::mouseClick(page.Button25, Qt::LeftButton);
    EXPECT_EQ(page.ENameZ->currentText(), "");
    EXPECT_EQ(page.EKontonrZ->text(), "");
    EXPECT_EQ(page.EBLZZ->text(), "        ");
    EXPECT_EQ(page.EBankZ->text(), "");
    EXPECT_EQ(page.EBetragZ->text(), "");
    EXPECT_EQ(page.EVerwendung1Z->text(), "");
    EXPECT_EQ(page.EVerwendung2Z->text(), "");
    EXPECT_EQ(page.ENameZEmpf->currentText(), "Verein e.V.");
    EXPECT_EQ(page.EKontonrZEmpf->text(), "123456");
    EXPECT_EQ(page.EKontoinhaberD->text(), "Verein e.V.");
    EXPECT_EQ(page.EStueckzahlD->text(), "4");
    EXPECT_EQ(page.EBetragD->text(), "40,00");
}

} // namespace
} // namespace formidor::gui
