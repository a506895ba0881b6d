#include "forms/depositprint.h"

#include "common/testenv.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

#include <gtest/gtest.h>

namespace formidor::forms {
namespace {

struct Calibration : CalibrationView {
    std::string kv = "0", kh = "0";
    bool normal = true, right = true;
    std::string offsetText(char code, bool horizontal) const override {
        EXPECT_EQ(code, 'S');
        return horizontal ? kv : kh;
    }
    bool isNormal(char) const override { return normal; }
    bool isHochkant(char) const override { return !normal; }
    bool isRightFeed(char) const override { return right; }
    bool isLeftFeed(char) const override { return !right; }
};

FormPage typedDeposit(const char* bank) {
    FormPage page;
    page.setText("ComboBox1", bank);
    page.setText("EKontoinhaber", "Jürgen Müller");
    page.setText("EOrtDatum", "15.03.2021");
    page.setText("ESchecknr1", "100201");
    page.setText("EKontonr1", "4455667");
    page.setText("EBLZ1", "37050198");
    page.setText("EBetrag1", "100,10");
    page.setText("ESchecknr5", "100205");
    page.setText("EBetrag5", "0,05");
    page.setText("EStueck", "2");
    page.setText("EWert", "16.03.2021");
    page.setText("EEmpfaengerKontonr", "123456");
    page.setText("EGesamtbetrag", "100,15");
    return page;
}

class DepositPrint : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    Calibration calibration;
    Journal journal{home.path() / "journal"};
    int refills = 0;
    std::function<void()> refill = [this] { ++refills; };

    void SetUp() override {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(std::string("\\") + std::string(kAppKey), true));
        reg.WriteString("FontNameS", "Courier New");
        reg.WriteInteger("FontSizeS", 10);
        reg.WriteBool("FontBoldS", false);
        journal.JournalLaden();
        setLastDepositBank("");
    }
    std::string stored(const std::string& value) {
        TRegistry reg;
        if (!reg.OpenKey("\\" + std::string(kAppKey) + "\\UeberwA\\Jürgen Müller", false))
            return "<kein Eintrag>";
        return reg.ReadString(value);
    }
};

TEST_F(DepositPrint, PrintsTheBanksSlipStoresAndJournals) {
    calibration.kh = "10";  // 1 mm lower
    calibration.kv = "-20"; // 2 mm left
    FormPage page = typedDeposit("Dresdner Bank");
    ASSERT_TRUE(printDeposit(printer, page, calibration, journal, refill));

    const RecordedDocument& doc = printer.LastDocument();
    EXPECT_EQ(doc.title, "Quillon Zentrix. - Überweisungsdrucker");
    EXPECT_EQ(doc.orientation, TPrinterOrientation::poPortrait);
    const Metafile& m = doc.page(0);
    const MetaText* holder = m.FindText("Jürgen Müller");
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->logical, (TPoint{50, -155}));
    EXPECT_EQ(holder->font.Height, 65);
    EXPECT_FALSE(holder->font.Bold);
    EXPECT_EQ(m.FindText("0,05")->logical, (TPoint{1080, -545})); // cheque 5's row
    EXPECT_EQ(m.FindText("100,15")->logical, (TPoint{1080, -675}));

    EXPECT_EQ(LastDepositBank(), "Dresdner Bank");
    EXPECT_EQ(stored("ScheckBank"), "Dresdner Bank");
    EXPECT_EQ(stored("Kontonr"), "123456"); // the account only with this bank
    EXPECT_EQ(refills, 1);

    ASSERT_EQ(journal.Liste().size(), 1u);
    const TJournal& r = journal.Liste()[0];
    EXPECT_EQ(r.Typ(), 5);
    EXPECT_EQ(r.AuftraggeberKonto(), "123456");
    EXPECT_EQ(r.AuftraggeberName(), "Jürgen Müller");
    EXPECT_EQ(r.Betrag(), 1001500);
    for (const std::string& empty : {r.AuftraggeberBLZ(), r.EmpfaengerName(), r.EmpfaengerKonto(),
                                     r.EmpfaengerBLZ(), r.Verwendungszweck()})
        EXPECT_EQ(empty, "");
    EXPECT_GT(r.Datum(), 40000.0);
    EXPECT_EQ(readJournalFile(journal.file())->size(), 1u);

    // Another bank stores only the bank; the account stored before stays.
    FormPage other = typedDeposit("Sparkasse");
    other.setText("EEmpfaengerKontonr", "999");
    ASSERT_TRUE(printDeposit(printer, other, calibration, journal, refill));
    EXPECT_EQ(stored("ScheckBank"), "Sparkasse");
    EXPECT_EQ(stored("Kontonr"), "123456");
    EXPECT_EQ(LastDepositBank(), "Sparkasse");
}

TEST_F(DepositPrint, FifthChequeOnAFourRowSlipIsNotPrinted) {
    FormPage page = typedDeposit("HypoVereinsbank");
    ASSERT_TRUE(printDeposit(printer, page, calibration, journal, refill));
    const Metafile& m = printer.LastDocument().page(0);
    EXPECT_EQ(m.FindText("100,10")->logical, (TPoint{875, -210})); // amount left of bank code
    EXPECT_EQ(m.FindText("37050198")->logical, (TPoint{1225, -210}));
    EXPECT_EQ(m.FindText("100205"), nullptr);
    EXPECT_EQ(m.FindText("0,05"), nullptr);
    // Counted and added up all the same.
    EXPECT_EQ(chequeCount(page), "2");
    EXPECT_EQ(chequeTotal(page), "100,15");
}

TEST_F(DepositPrint, WithoutABankNothingHappens) {
    setLastDepositBank("Commerzbank");
    FormPage page = typedDeposit("Bitte hier Bank auswählen!");
    calibration.kh = "kein Versatz"; // not even the calibration is read
    EXPECT_FALSE(printDeposit(printer, page, calibration, journal, refill));
    EXPECT_TRUE(printer.Documents().empty());
    EXPECT_EQ(stored("ScheckBank"), "<kein Eintrag>");
    EXPECT_EQ(refills, 0);
    EXPECT_TRUE(journal.Liste().empty());
    EXPECT_EQ(LastDepositBank(), "Commerzbank");
}

TEST_F(DepositPrint, TypedBankPrintsAPageWithoutFieldsAndCarriesOn) {
    FormPage page = typedDeposit("Volksbank Nord");
    ASSERT_TRUE(printDeposit(printer, page, calibration, journal, refill));
    ASSERT_EQ(printer.Documents().size(), 1u);
    const auto& texts = printer.LastDocument().page(0).Texts();
    ASSERT_EQ(texts.size(), 1u); // only the frame's blank at the device origin
    EXPECT_EQ(texts[0].text, " ");
    EXPECT_EQ(stored("ScheckBank"), "Volksbank Nord");
    EXPECT_EQ(stored("Kontonr"), "");
    EXPECT_EQ(journal.Liste().size(), 1u);
    EXPECT_EQ(refills, 1);
    EXPECT_EQ(LastDepositBank(), "Volksbank Nord");
}

TEST_F(DepositPrint, TotalThatIsNoNumberPrintsAsTypedThenBecomesZero) {
    FormPage page = typedDeposit("Sparkasse");
    page.setText("EGesamtbetrag", "1.234,56");
    std::vector<std::string> shown;
    printDeposit(printer, page, calibration, journal, refill,
                 [&](const std::string& total) { shown.push_back(total); });
    EXPECT_EQ(printer.LastDocument().page(0).FindText("1.234,56")->logical, (TPoint{950, -557}));
    EXPECT_EQ(page.text("EGesamtbetrag"), "0");
    EXPECT_EQ(shown, std::vector<std::string>{"0"});
    EXPECT_EQ(journal.Liste().back().Betrag(), 0);
}

TEST_F(DepositPrint, FailedPrintRemembersStoresAndRecordsNothing) {
    struct Case {
        const char* what;
        std::string kv;
        bool failOnBegin;
    };
    const Case cases[] = {
        {"offset not an integer", "1 mm", false},
        {"printer refuses the document", "0", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        printer.Config()[0].failOnBegin = c.failOnBegin;
        calibration.kv = c.kv;
        FormPage page = typedDeposit("Deutsche Bank");
        page.setText("EGesamtbetrag", "abc");
        EXPECT_ANY_THROW(printDeposit(printer, page, calibration, journal, refill));
        EXPECT_TRUE(printer.Documents().empty());
        EXPECT_EQ(LastDepositBank(), "");
        EXPECT_EQ(stored("ScheckBank"), "<kein Eintrag>");
        EXPECT_EQ(refills, 0);
        EXPECT_EQ(page.text("EGesamtbetrag"), "abc");
        EXPECT_TRUE(journal.Liste().empty());
    }
}

TEST_F(DepositPrint, JournalThatCannotBeSavedStillRefillsTheLists) {
    test::writeFile(home.path() / "keinordner", ""); // the journal's folder is a file
    Journal unsaveable{home.path() / "keinordner" / "journal"};
    FormPage page = typedDeposit("Commerzbank");
    page.setText("EGesamtbetrag", "");
    EXPECT_THROW(printDeposit(printer, page, calibration, unsaveable, refill), EJournalError);
    EXPECT_EQ(printer.Documents().size(), 1u);
    EXPECT_EQ(stored("ScheckBank"), "Commerzbank");
    EXPECT_EQ(page.text("EGesamtbetrag"), "0");
    EXPECT_EQ(refills, 1);
}

TEST_F(DepositPrint, CalibrationAndFeedShiftTheSlip) {
    calibration.normal = false; // hochkant, fed at the right: 104.3 mm lower
    const auto texts = depositPrintTexts(typedDeposit("Deutsche Bank"), calibration);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), (PlacedText{700, -37 - 1043, "15.03.2021"}));
    calibration.normal = true;
    calibration.right = false; // normal, fed at the left: 59.2 mm further right
    EXPECT_EQ(depositPrintTexts(typedDeposit("Deutsche Bank"), calibration).front(),
              (PlacedText{700 + 592, -37, "15.03.2021"}));
    printDepositForm(printer, typedDeposit("Deutsche Bank"), calibration);
    EXPECT_EQ(printer.LastDocument().page(0).FindText("15.03.2021")->logical,
              (TPoint{700 + 592, -37}));
}

} // namespace
} // namespace formidor::forms
