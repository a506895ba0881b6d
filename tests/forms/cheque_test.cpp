#include "forms/cheque.h"
#include "forms/chequeprint.h"

#include "common/testenv.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

#include <gtest/gtest.h>

namespace formidor::forms {
namespace {

using C = Counterfoil;

struct Calibration : CalibrationView {
    std::string kv = "0", kh = "0";
    bool normal = true, right = true;
    std::string offsetText(char code, bool horizontal) const override {
        EXPECT_EQ(code, 'V');
        return horizontal ? kv : kh;
    }
    bool isNormal(char) const override { return normal; }
    bool isHochkant(char) const override { return !normal; }
    bool isRightFeed(char) const override { return right; }
    bool isLeftFeed(char) const override { return !right; }
};

FormPage typedCheque() {
    FormPage page;
    page.setText("EBetragV", "1234,56");
    page.setText("EAnredeE", "Herrn");
    page.setText("EEmpfaenger1", "Jürgen Müller");
    page.setText("EEmpfaenger2", "c/o Meier");
    page.setText("EPLZE", "50667");
    page.setText("EOrtEmpf", "Köln");
    page.setText("EOrt", "Bonn");
    page.setText("EDatum", "15.03.2021");
    page.setText("MemoDeutscheAbs", "Anna Absender\nHauptstr. 1");
    page.setText("MemoDeutscheVerw", "Rechnung 17\nvom 1.3.");
    return page;
}

TEST(ChequeWords, DigitsUpToTheFirstOtherCharacterBecomeWords) {
    struct Case {
        const char* amount;
        const char* words; // as the page shows them
        const char* line1;
        const char* line2;
        const char* oneLine; // behind the "Volksbanken" counterfoil
    };
    const Case cases[] = {
        {"1234,56", "*eins*zwei*drei*vier*", "*eins*zwei*drei*", "*vier*", "*eins*zwei*drei*vier*"},
        {"12,50", "*eins*zwei*", "*eins*zwei*", "*", "*eins*zwei*"},
        {"50", "*fuenf*null*", "*fuenf*null*", "*", "*fuenf*null*"},
        {"7777777", "*sieben*sieben*sieben*sieben*sieben*sieben*sieben*", "*sieben*sieben*sieben*",
         "*sieben*sieben*sieben*sieben*", "*sieben*sieben*sieben*sieben*sieben*sieb"},
        {" 12", "*", "*", "*", "*"},
        {"-12", "*", "*", "*", "*"},
        {"+3", "*", "*", "*", "*"},
        {"", "*", "*", "*", "*"},
        // Line 2 is cut at 40 characters like the single line.
        {"1238888888", "*eins*zwei*drei*acht*acht*acht*acht*acht*acht*acht*", "*eins*zwei*drei*",
         "*acht*acht*acht*acht*acht*acht*acht*", "*eins*zwei*drei*acht*acht*acht*acht*acht"},
        {"8888888888", "*acht*acht*acht*acht*acht*acht*acht*acht*acht*acht*", "*acht*acht*acht*",
         "*acht*acht*acht*acht*acht*acht*acht*", "*acht*acht*acht*acht*acht*acht*acht*acht"},
        {"٣4", "*", "*", "*", "*"}, // only the ASCII digits have words
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        EXPECT_EQ(amountInWords(c.amount), c.words);
        const ChequeWords w = chequeWords(c.amount);
        EXPECT_EQ(w.line1, c.line1);
        EXPECT_EQ(w.line2, c.line2);
        EXPECT_EQ(w.oneLine, c.oneLine);
        EXPECT_LE(w.line2.size(), kChequeWordsMax);
    }
    EXPECT_EQ(amountInWords("0123456789"),
              "*null*eins*zwei*drei*vier*fuenf*sechs*sieben*acht*neun*");
}

TEST(ChequeLayout, WithoutCounterfoilTheBodyStandsWhereTheFormHasItsBoxes) {
    const std::vector<PlacedText> expected = {
        {50, -174, "*eins*zwei*drei*"}, {50, -258, "*vier*"},
        {1035, -258, "*1234,56*"},      {1000, -384, "Bonn"},
        {1000, -426, "15.03.2021"},     {100, -426, "Herrn"},
        {100, -510, "Jürgen Müller"},   {100, -594, "c/o Meier"},
        {100, -678, "50667"},           {275, -678, "Köln"},
    };
    EXPECT_EQ(chequeTexts(C::Kein, typedCheque()), expected);
    // No counterfoil button checked prints the same.
    EXPECT_EQ(chequeTexts(std::nullopt, typedCheque()), expected);
}

TEST(ChequeLayout, EveryCounterfoilPrintsItsTextsAndMovesTheCheque) {
    struct Case {
        Counterfoil counterfoil;
        std::vector<PlacedText> counterfoilTexts;
        int dx, dy; // of the cheque body against "kein Abschnitt"
    };
    const std::vector<PlacedText> besideTexts = {
        {10, 10, "Anna Absender"}, {10, -32, "Hauptstr. 1"}, {10, -258, "EUR 1234,56"},
        {10, -466, "Rechnung 17"}, {10, -508, "vom 1.3."},
    };
    const Case cases[] = {
        {C::Deutsche, besideTexts, 400, 0},
        {C::Leer, besideTexts, 800, 0},
        {C::DG,
         {{10, -70, "Anna Absender"},
          {10, -112, "Hauptstr. 1"},
          {10, -258, "EUR 1234,56"},
          {10, -466, "Rechnung 17"},
          {10, -508, "vom 1.3."}},
         400,
         0},
        {C::Dresdner,
         {{80, -60, "Anna Absender - Hauptstr. 1 -  -  -  - "}, {1035, -200, "EUR 1234,56"}},
         0,
         -235},
        {C::ObenGross, {{50, -466, "Rechnung 17"}, {50, -508, "vom 1.3."}}, 0, -800},
        {C::Kein, {}, 0, 0},
    };
    const std::vector<PlacedText> plain = chequeTexts(C::Kein, typedCheque());
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(counterfoil(c.counterfoil).caption));
        const std::vector<PlacedText> texts = chequeTexts(c.counterfoil, typedCheque());
        ASSERT_GE(texts.size(), c.counterfoilTexts.size());
        const std::vector<PlacedText> head(texts.begin(),
                                           texts.begin() + long(c.counterfoilTexts.size()));
        EXPECT_EQ(head, c.counterfoilTexts);
        std::vector<PlacedText> body(texts.begin() + long(c.counterfoilTexts.size()), texts.end());
        if (c.counterfoil == C::DG) {
            // The words in one line where the other forms have their second line.
            ASSERT_EQ(body.size(), plain.size() - 1);
            EXPECT_EQ(body[0], (PlacedText{50 + c.dx, -258, "*eins*zwei*drei*vier*"}));
            body.erase(body.begin());
            std::vector<PlacedText> rest(plain.begin() + 2, plain.end());
            applyOffsets(rest, c.dx, -c.dy);
            EXPECT_EQ(body, rest);
            continue;
        }
        std::vector<PlacedText> moved = plain;
        applyOffsets(moved, c.dx, -c.dy);
        EXPECT_EQ(body, moved);
    }
}

TEST(ChequeLayout, DresdnerJoinsSixSenderLinesAndMemosPrintEveryLine) {
    FormPage page = typedCheque();
    page.setText("MemoDeutscheAbs", "A\nB\nC");
    EXPECT_EQ(chequeTexts(C::Dresdner, page).front(), (PlacedText{80, -60, "A - B - C -  -  - "}));
    page.setText("MemoDeutscheAbs", "1\n2\n3\n4\n5\n6\n7\n");
    EXPECT_EQ(chequeTexts(C::Dresdner, page).front().text, "1 - 2 - 3 - 4 - 5 - 6");

    // CR LF breaks as well as LF; a break at the end starts no further line; no memo, no line.
    EXPECT_EQ(memoLines("a\r\nb\n\nc\n"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_TRUE(memoLines("").empty());
    EXPECT_EQ(memoLines("\n"), std::vector<std::string>{""});

    std::string many;
    for (int i = 1; i <= 25; ++i) many += "Zeile " + std::to_string(i) + "\n";
    page.setText("MemoDeutscheVerw", many);
    const auto texts = chequeTexts(C::ObenGross, page);
    EXPECT_EQ(texts[24], (PlacedText{50, -466 - 24 * 42, "Zeile 25"}));
    EXPECT_EQ(texts[25].text, "*eins*zwei*drei*");
}

class ChequePrint : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    Calibration calibration;
    Journal journal{home.path() / "journal"};

    void SetUp() override {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(std::string("\\") + std::string(kAppKey), true));
        reg.WriteString("FontNameV", "Courier New");
        reg.WriteInteger("FontSizeV", 10);
        reg.WriteBool("FontBoldV", false);
        journal.JournalLaden();
    }
    bool recipientStored(const std::string& name) {
        TRegistry reg;
        return reg.KeyExists("\\" + std::string(kAppKey) + "\\UeberwE\\" + name);
    }
};

TEST_F(ChequePrint, FrameOffsetsAndCounterfoilShiftAddUp) {
    calibration.kv = "-20";
    calibration.kh = "10";
    calibration.right = false; // fed at the left in portrait: 59.2 mm further right
    printChequeForm(printer, C::Deutsche, typedCheque(), calibration);
    ASSERT_EQ(printer.Documents().size(), 1u);
    const RecordedDocument& doc = printer.LastDocument();
    EXPECT_EQ(doc.title, "Quillon Zentrix. - Scheckdrucker");
    EXPECT_EQ(doc.orientation, TPrinterOrientation::poPortrait);
    const Metafile& m = doc.page(0);
    const int h = -20 + 592, v = 10;
    ASSERT_NE(m.FindText("Anna Absender"), nullptr);
    EXPECT_EQ(m.FindText("Anna Absender")->logical, (TPoint{10 + h, 10 - v}));
    EXPECT_EQ(m.FindText("*1234,56*")->logical, (TPoint{1035 + 400 + h, -258 - v}));
    EXPECT_EQ(m.FindText("Bonn")->font.Height, 65);
    EXPECT_FALSE(m.FindText("Bonn")->font.Bold);
    EXPECT_EQ(chequePrintTexts(C::Deutsche, typedCheque(), calibration)[5],
              (PlacedText{50 + 400 + h, -174 - v, "*eins*zwei*drei*"}));
}

TEST_F(ChequePrint, AfterThePrintStoresRefillsChecksAndJournals) {
    FormPage page = typedCheque();
    page.setText("EBetragV", "1.234,56");
    int refills = 0;
    printCheque(printer, C::Dresdner, page, calibration, journal, [&] {
        ++refills;
        EXPECT_TRUE(recipientStored("Jürgen Müller")); // stored before the lists refill
        EXPECT_EQ(page.text("EBetragV"), "1.234,56");  // checked after
    });
    EXPECT_EQ(refills, 1);
    EXPECT_NE(printer.LastDocument().page(0).FindText("*1.234,56*"), nullptr);
    EXPECT_EQ(page.text("EBetragV"), "0");

    const EEmpfaenger1Felder f = EEmpfaenger1Click("Jürgen Müller");
    EXPECT_EQ(f.Bank, "Dresdner");
    EXPECT_EQ(f.EAnredeE, "Herrn");
    EXPECT_EQ(f.EPLZE, "50667");
    EXPECT_EQ(f.MemoDeutscheVerw, (std::vector<std::string>{"Rechnung 17", "vom 1.3."}));
    EXPECT_EQ(LoadAbs(), (std::vector<std::string>{"Anna Absender", "Hauptstr. 1"}));

    ASSERT_EQ(journal.Liste().size(), 1u);
    const TJournal& r = journal.Liste()[0];
    EXPECT_EQ(r.Typ(), 2);
    EXPECT_EQ(r.Betrag(), 0);
    EXPECT_EQ(r.AuftraggeberKonto(), "");
    EXPECT_EQ(r.AuftraggeberName(), "Anna Absender\r\nHauptstr. 1");
    EXPECT_EQ(r.AuftraggeberBLZ(), "");
    EXPECT_EQ(r.EmpfaengerName(), "Jürgen Müller c/o Meier 50667 Köln");
    EXPECT_EQ(r.EmpfaengerKonto(), "");
    EXPECT_EQ(r.EmpfaengerBLZ(), "");
    EXPECT_EQ(r.Verwendungszweck(), "Rechnung 17\r\nvom 1.3.");
    EXPECT_EQ(readJournalFile(journal.file())->size(), 1u);

    page = typedCheque();
    printCheque(printer, C::Kein, page, calibration, journal, {});
    EXPECT_EQ(journal.Liste().back().Betrag(), 12345600);
    EXPECT_EQ(EEmpfaenger1Click("Jürgen Müller").Bank, "kein");
}

TEST_F(ChequePrint, LongMemosPrintWhole) {
    FormPage page = typedCheque();
    std::string senders, purposes;
    for (int i = 1; i <= 8; ++i) senders += "Abs " + std::to_string(i) + "\n";
    for (int i = 1; i <= 30; ++i) purposes += "Verw " + std::to_string(i) + "\n";
    page.setText("MemoDeutscheAbs", senders);
    page.setText("MemoDeutscheVerw", purposes);
    printCheque(printer, C::Leer, page, calibration, journal, {});

    const Metafile& m = printer.LastDocument().page(0);
    ASSERT_NE(m.FindText("Abs 8"), nullptr);
    EXPECT_EQ(m.FindText("Abs 8")->logical, (TPoint{10, 10 - 7 * 42}));
    ASSERT_NE(m.FindText("Verw 30"), nullptr);
    // The address book holds six sender and twenty purpose lines.
    EXPECT_EQ(LoadAbs().size(), 5u); // Abs6 is stored but never loaded again
    const auto f = EEmpfaenger1Click("Jürgen Müller");
    ASSERT_EQ(f.MemoDeutscheVerw.size(), 20u);
    EXPECT_EQ(f.MemoDeutscheVerw.back(), "Verw 20");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\" + std::string(kAppKey) + "\\UeberwE", false));
    EXPECT_EQ(reg.ReadString("Abs6"), "Abs 6");
    EXPECT_FALSE(reg.ValueExists("Abs7"));
    // The journal keeps what its fields hold.
    EXPECT_EQ(journal.Liste().back().AuftraggeberName().size(), TJournal::kTextMax);
    EXPECT_EQ(journal.Liste().back().Verwendungszweck().size(), TJournal::kPurposeMax);
}

TEST_F(ChequePrint, FailedPrintStoresAndRecordsNothing) {
    struct Case {
        const char* what;
        std::string kv;
        bool failOnBegin, failOnEnd;
    };
    const Case cases[] = {
        {"offset not an integer", "4,5", false, false},
        {"printer refuses the document", "0", true, false},
        {"printer fails at the end", "0", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        printer.Config()[0].failOnBegin = c.failOnBegin;
        printer.Config()[0].failOnEnd = c.failOnEnd;
        calibration.kv = c.kv;
        FormPage page = typedCheque();
        page.setText("EBetragV", "abc");
        bool refilled = false;
        EXPECT_ANY_THROW(printCheque(printer, C::Deutsche, page, calibration, journal,
                                     [&] { refilled = true; }));
        EXPECT_FALSE(printer.Printing());
        EXPECT_TRUE(printer.Documents().empty());
        EXPECT_FALSE(refilled);
        EXPECT_FALSE(recipientStored("Jürgen Müller"));
        EXPECT_TRUE(LoadAbs() == std::vector<std::string>{""});
        EXPECT_EQ(page.text("EBetragV"), "abc");
        EXPECT_TRUE(journal.Liste().empty());
    }
}

} // namespace
} // namespace formidor::forms
