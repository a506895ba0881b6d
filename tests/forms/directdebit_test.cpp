#include "forms/directdebit.h"
#include "forms/directdebitprint.h"

#include "common/testenv.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

#include <gtest/gtest.h>

#include <map>

namespace formidor::forms {
namespace {

struct Calibration : CalibrationView {
    std::string kv = "0", kh = "0";
    bool normal = true, right = true;
    std::string offsetText(char code, bool horizontal) const override {
        EXPECT_EQ(code, 'L');
        return horizontal ? kv : kh;
    }
    bool isNormal(char) const override { return normal; }
    bool isHochkant(char) const override { return !normal; }
    bool isRightFeed(char) const override { return right; }
    bool isLeftFeed(char) const override { return !right; }
};

FormPage typedDebit() {
    FormPage page;
    page.setText("ENameZ", "Stadtwerke Köln");
    page.setText("EKontonrZ", "1802057");
    page.setText("EBLZZ", "37050198");
    page.setText("EBankZ", "Sparkasse KölnBonn");
    page.setText("EBetragZ", "10,50");
    page.setText("EVerwendung1Z", "Kunde 4711");
    page.setText("EVerwendung2Z", "März");
    page.setText("ENameZEmpf", "Verein e.V.");
    page.setText("EKontonrZEmpf", "123456");
    page.setText("EStueckzahlD", "0");
    page.setText("EBetragD", "0,00");
    return page;
}

FormPage typedCoverSheet() {
    FormPage page;
    page.setText("EKontoinhaberD", "Verein e.V.");
    page.setText("EKontonrZahlungsempf", "123456");
    page.setText("EStueckzahlD", "17");
    page.setText("EBetragD", "99,99");
    return page;
}

TEST(DirectDebitLayout, FormAndCoverSheetRowsWhereTheBoxesAre) {
    const std::vector<PlacedText> debit = {
        {70, -126, "Stadtwerke Köln"},
        {70, -211, "1802057"},
        {1050, -211, "37050198"},
        {70, -296, "Sparkasse KölnBonn"},
        {850, -381, "10,50"},
        {70, -466, "Kunde 4711"},
        {70, -551, "März"},
        {70, -636, "Verein e.V."},
        {70, -721, "123456"},
    };
    EXPECT_EQ(directDebitTexts(typedDebit()), debit);
    const std::vector<PlacedText> cover = {
        {70, -545, "17"},          {600, -545, "EUR"},   {800, -545, "99,99"},
        {70, -629, "Verein e.V."}, {70, -713, "123456"},
    };
    EXPECT_EQ(coverSheetTexts(typedCoverSheet()), cover);
}

TEST(DirectDebitBundle, CountAndTotal) {
    struct Case {
        const char* before;
        const char* amount;
        const char* after;
    };
    const Case totals[] = {
        {"0,00", "10,50", "10,50"}, {"10,50", "0", "10,50"},
        {"10,50", "1,5", "12,00"},  {"0,00", "-3,25", "-3,25"},
        {" 7 ", "0,25", "7,25"},    {"1e3", "0,1", "1000,10"},
        {"0,1", "0,2", "0,30"},     {"999999999,99", "0,01", "1000000000,00"},
    };
    for (const auto& c : totals) EXPECT_EQ(totalWith(c.before, c.amount), c.after) << c.before;
    EXPECT_EQ(countedOneMore("0"), "1");
    EXPECT_EQ(countedOneMore(" 41"), "42");
    // The largest count goes one further instead of wrapping round.
    EXPECT_EQ(countedOneMore("2147483647"), "2147483648");
    try {
        countedOneMore("2147483648");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'2147483648' ist kein gültiger Integerwert");
    }
    try {
        totalWith("12.000,00", "1");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'12.000,00' ist kein gültiger Gleitkommawert");
    }
}

class DirectDebitPrint : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    Calibration calibration;
    Journal journal{home.path() / "journal"};
    int refills = 0;
    std::map<std::string, std::vector<std::string>> shown;

    void SetUp() override {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(std::string("\\") + std::string(kAppKey), true));
        reg.WriteString("FontNameL", "Courier New");
        reg.WriteInteger("FontSizeL", 9);
        reg.WriteBool("FontBoldL", true);
        journal.JournalLaden();
    }
    DirectDebitAfterPrint after() {
        DirectDebitAfterPrint a;
        a.journal = &journal;
        a.lastOriginator = "Jürgen Müller";
        a.refillPickLists = [this] { ++refills; };
        a.showField = [this](std::string_view control, const std::string& text) {
            shown[std::string(control)].push_back(text);
        };
        return a;
    }
    bool payerStored() {
        TRegistry reg;
        return reg.KeyExists("\\" + std::string(kAppKey) + "\\UeberwE\\Stadtwerke Köln");
    }
};

TEST_F(DirectDebitPrint, ThreeDebitsCountAndAddUp) {
    FormPage page = typedDebit();
    for (const char* amount : {"10,50", "abc", "1,5"}) {
        page.setText("EBetragZ", amount);
        printDirectDebit(printer, page, calibration, after());
    }
    EXPECT_EQ(printer.Documents().size(), 3u);
    EXPECT_NE(printer.Documents()[1].page(0).FindText("abc"), nullptr); // printed as typed
    EXPECT_EQ(page.text("EStueckzahlD"), "3");
    EXPECT_EQ(page.text("EBetragD"), "12,00");
    EXPECT_EQ(shown["EBetragZ"], (std::vector<std::string>{"10,50", "0", "1,5"}));
    EXPECT_EQ(shown["EStueckzahlD"], (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(shown["EBetragD"], (std::vector<std::string>{"10,50", "10,50", "12,00"}));
    EXPECT_EQ(refills, 3);

    ASSERT_EQ(journal.Liste().size(), 3u);
    EXPECT_EQ(journal.Liste()[1].Betrag(), 0);
    const TJournal& r = journal.Liste()[2];
    EXPECT_EQ(r.Typ(), 4);
    EXPECT_EQ(r.Betrag(), 15000);
    EXPECT_EQ(r.AuftraggeberKonto(), "123456");
    EXPECT_EQ(r.AuftraggeberName(), "Verein e.V.");
    EXPECT_EQ(r.AuftraggeberBLZ(), "");
    EXPECT_EQ(r.EmpfaengerName(), "Stadtwerke Köln");
    EXPECT_EQ(r.EmpfaengerKonto(), "1802057");
    EXPECT_EQ(r.EmpfaengerBLZ(), "37050198");
    EXPECT_EQ(r.Verwendungszweck(), "Kunde 4711 März");

    const ENameZFelder payer = ENameZClick("Stadtwerke Köln");
    EXPECT_EQ(payer.EKontonrZ, "1802057");
    EXPECT_EQ(payer.EBLZZ, "37050198");
    EXPECT_EQ(payer.EBankZ, "Sparkasse KölnBonn");
    EXPECT_EQ(ENameZEmpfClick("Verein e.V.").EKontonrZEmpf, "123456");
    EXPECT_EQ(letzterAuftraggeber(), "Jürgen Müller");

    const RecordedDocument& doc = printer.LastDocument();
    EXPECT_EQ(doc.title, "Quillon Zentrix. - Formidor");
    EXPECT_EQ(doc.page(0).FindText("1,5")->logical, (TPoint{850, -381}));
    EXPECT_EQ(doc.page(0).FindText("1,5")->font.Height, 58);
}

TEST_F(DirectDebitPrint, CountOrTotalThatIsNoNumberStopsTheLaterSteps) {
    struct Case {
        const char* count;
        const char* total;
        const char* message;
        const char* countAfter;
    };
    const Case cases[] = {
        {"drei", "0,00", "'drei' ist kein gültiger Integerwert", "drei"},
        {"2", "12.000,00", "'12.000,00' ist kein gültiger Gleitkommawert", "3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        FormPage page = typedDebit();
        page.setText("EBetragZ", "x");
        page.setText("EStueckzahlD", c.count);
        page.setText("EBetragD", c.total);
        try {
            printDirectDebit(printer, page, calibration, after());
            FAIL();
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_FALSE(printer.Documents().empty()); // the form stays printed
        EXPECT_EQ(page.text("EBetragZ"), "0");     // the amount check ran before
        EXPECT_EQ(page.text("EStueckzahlD"), c.countAfter);
        EXPECT_EQ(page.text("EBetragD"), c.total);
        EXPECT_FALSE(payerStored());
        EXPECT_EQ(refills, 0);
        EXPECT_TRUE(journal.Liste().empty());
    }
}

TEST_F(DirectDebitPrint, FailedPrintChangesNothing) {
    struct Case {
        const char* what;
        std::string kh;
        bool failOnBegin, failOnEnd;
    };
    const Case cases[] = {
        {"offset not an integer", "x", false, false},
        {"printer refuses the document", "0", true, false},
        {"printer fails at the end", "0", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        printer.Config()[0].failOnBegin = c.failOnBegin;
        printer.Config()[0].failOnEnd = c.failOnEnd;
        calibration.kh = c.kh;
        FormPage page = typedDebit();
        page.setText("EBetragZ", "abc");
        EXPECT_ANY_THROW(printDirectDebit(printer, page, calibration, after()));
        EXPECT_TRUE(printer.Documents().empty());
        EXPECT_EQ(page.text("EBetragZ"), "abc");
        EXPECT_EQ(page.text("EStueckzahlD"), "0");
        EXPECT_TRUE(shown.empty());
        EXPECT_FALSE(payerStored());
        EXPECT_TRUE(journal.Liste().empty());
    }
}

TEST_F(DirectDebitPrint, CoverSheetPrintsWhatItsFieldsHold) {
    calibration.kv = "30";
    calibration.kh = "-15";
    calibration.normal = false; // landscape, fed at the right: 104.3 mm lower
    printCoverSheetForm(printer, typedCoverSheet(), calibration);
    const RecordedDocument& doc = printer.LastDocument();
    EXPECT_EQ(doc.title, "Quillon Zentrix. - Überweisungsdrucker");
    EXPECT_EQ(doc.orientation, TPrinterOrientation::poLandscape);
    const Metafile& m = doc.page(0);
    EXPECT_EQ(m.FindText("17")->logical, (TPoint{70 + 30, -545 + 15 - 1043}));
    EXPECT_EQ(m.FindText("EUR")->logical, (TPoint{600 + 30, -545 + 15 - 1043}));
    EXPECT_EQ(m.FindText("99,99")->logical, (TPoint{800 + 30, -545 + 15 - 1043}));
    EXPECT_EQ(m.FindText("Verein e.V.")->logical, (TPoint{70 + 30, -629 + 15 - 1043}));
    EXPECT_EQ(coverSheetPrintTexts(typedCoverSheet(), calibration).back(),
              (PlacedText{70 + 30, -713 + 15 - 1043, "123456"}));
    EXPECT_TRUE(journal.Liste().empty());
}

TEST_F(DirectDebitPrint, ReceiptOnPlainPaperInArial) {
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    printDirectDebitReceipt(printer, typedCoverSheet(), "15.03.2021");
    const RecordedDocument& doc = printer.LastDocument();
    EXPECT_EQ(doc.title, "Quillon Zentrix. - Formidor");
    EXPECT_EQ(doc.orientation, TPrinterOrientation::poLandscape); // left as it was
    const Metafile& m = doc.page(0);
    ASSERT_FALSE(m.Texts().empty());
    EXPECT_EQ(m.Texts().front().text, " ");
    EXPECT_EQ(m.Texts().front().mapMode, TMapMode::Text);

    struct Expect {
        const char* text;
        int x, y, height;
        bool bold;
    };
    const Expect expected[] = {
        {"Lastschriftsammeleinreichung", 700, -100, 60, true},
        {"Kontoinhaber:", 150, -275, 45, false},
        {"Verein e.V.", 600, -275, 45, false},
        {"Kontonummer:", 150, -325, 45, false},
        {"123456", 600, -325, 45, false},
        {"Betrag:", 150, -375, 45, true},
        {"99,99", 600, -375, 45, true},
        {"Zahl der Lastschriften:", 150, -425, 45, false},
        {"17", 600, -425, 45, false},
        {"Datum", 150, -475, 45, false},
        {"15.03.2021", 600, -475, 45, false},
    };
    ASSERT_EQ(m.Texts().size(), std::size(expected) + 1);
    for (size_t i = 0; i < std::size(expected); ++i) {
        const Expect& e = expected[i];
        const MetaText& t = m.Texts()[i + 1];
        SCOPED_TRACE(e.text);
        EXPECT_EQ(t.text, e.text);
        EXPECT_EQ(t.mapMode, TMapMode::LoMetric);
        EXPECT_EQ(t.logical, (TPoint{e.x, e.y}));
        EXPECT_EQ(t.font.Name, "Arial");
        EXPECT_EQ(t.font.Height, e.height);
        EXPECT_EQ(t.font.Bold, e.bold);
    }

    printer.Config()[0].failOnEnd = true;
    EXPECT_ANY_THROW(printDirectDebitReceipt(printer, typedCoverSheet(), "15.03.2021"));
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.Documents().size(), 1u);
}

} // namespace
} // namespace formidor::forms
