#include "forms/postal.h"
#include "forms/postalprint.h"

#include "common/testenv.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace formidor::forms {
namespace {

// Every text control holding its own name, so each printed text tells where it came from.
FormPage namedPage(std::span<const std::string_view> controls) {
    FormPage page;
    for (auto c : controls) page.setText(c, c);
    return page;
}

std::vector<PlacedText> withText(const std::vector<PlacedText>& texts, std::string_view text) {
    std::vector<PlacedText> out;
    std::copy_if(texts.begin(), texts.end(), std::back_inserter(out),
                 [&](const PlacedText& t) { return t.text == text; });
    return out;
}

TEST(PostalLayout, CashOnDeliveryRowsAtTheirLinesWithHalvesToEven) {
    const std::vector<PlacedText> expected = {
        {350, -1127, "EEmpfN"},
        {350, -1213, "EStrasseN"},
        {350, -1297, "EPLZOrtN"},
        {350, -1383, "EKontonrEmpfN"},
        {350, -1467, "EBLZN"},
        {350, -1553, "EBankN"},
        {1050, -1637, "EVerwendung1N"},
        {350, -1723, "EVerwendung2N"},
        {1000, -2275, "NNEinlieferungsdatum"},
        {1600, -2275, "NNBetrag2"},
        {1500, -2403, "NNVerw1"},
        {520, -2462, "NNBetragplus2"},
        {1000, -2530, "NNVerw2"},
    };
    EXPECT_EQ(cashOnDeliveryTexts(namedPage(cashOnDeliveryTextControls())), expected);
}

TEST(PostalLayout, SmallParcelRows) {
    const std::vector<PlacedText> expected = {
        {670, -70, "EPPAbsender1"}, {670, -135, "EPPAbsender2"}, {670, -200, "EPPPLZ"},
        {910, -200, "EPPOrt"},      {1365, -5, "EPPEAnrede"},    {1365, -70, "EPPEEmpf1"},
        {1365, -135, "EPPEEmpf2"},  {1365, -200, "EPPEPLZ"},     {1600, -200, "EPPEOrt"},
        {1365, -265, "EPPELand"},
    };
    EXPECT_EQ(smallParcelTexts(namedPage(smallParcelTextControls())), expected);
}

// Every mark checked: both blocks in full, the upper one first, each in the form's order.
TEST(PostalLayout, ParcelCardCarriesEverythingTwiceInDrawingOrder) {
    FormPage page = namedPage(parcelCardTextControls());
    for (auto c : parcelCardCheckControls()) page.setChecked(c, true);
    struct Row {
        const char* text;
        int x, upper, lower;
    };
    const Row sender[] = {
        {"EPAbsender1", 690, -70, -2000}, {"EPAbsender2", 690, -135, -2065},
        {"EPAPlz", 690, -200, -2130},     {"EPAOrt", 930, -200, -2130},
        {"X", 825, -350, -2280},          {"X", 680, -400, -2330},
        {"X", 885, -400, -2330},          {"X", 1110, -400, -2330},
        {"X", 680, -450, -2380},          {"X", 965, -450, -2380},
        {"X", 680, -560, -2490},          {"EPDMEUR", 910, -560, -2490},
        {"EPBetrag", 995, -560, -2490},   {"EPBAnk", 985, -602, -2532},
        {"EPKontonr", 985, -645, -2575},  {"EPBLZ", 985, -690, -2620},
        {"X", 680, -690, -2620},          {"X", 680, -770, -2700},
        {"X", 905, -770, -2700},          {"X", 680, -880, -2810},
        {"EPEAnrede", 1365, -615, -2545}, {"EPEmpf1", 1365, -685, -2595},
        {"EPEmpf2", 1365, -755, -2645},   {"EPEPLz", 1365, -845, -2695},
        {"EPEOrt", 1600, -845, -2695},
    };
    std::vector<PlacedText> expected;
    for (const auto& r : sender) expected.push_back({r.x, r.upper, r.text});
    for (const auto& r : sender) expected.push_back({r.x, r.lower, r.text});
    EXPECT_EQ(parcelCardTexts(page), expected);
}

TEST(PostalLayout, EachParcelMarkAloneIsDrawnOncePerBlock) {
    struct Mark {
        const char* box;
        int x, upper;
    };
    const Mark marks[] = {
        {"CBPExpress", 825, -350}, {"CBP9Uhr", 680, -400},     {"CBP10Uhr", 885, -400},
        {"CBP12Uhr", 1110, -400},  {"CBPSamstag", 680, -450},  {"CBPSonntag", 965, -450},
        {"CBPNN", 680, -560},      {"cBPUnfrei", 680, -690},   {"CBPEigen", 680, -770},
        {"cBPRueck", 905, -770},   {"CBPSperrgut", 680, -880},
    };
    // The lower block sits 1930 below the upper one.
    for (const auto& m : marks) {
        FormPage page;
        page.setChecked(m.box, true);
        const std::vector<PlacedText> expected = {{m.x, m.upper, "X"}, {m.x, m.upper - 1930, "X"}};
        EXPECT_EQ(withText(parcelCardTexts(page), "X"), expected) << m.box;
    }
    EXPECT_TRUE(withText(parcelCardTexts(FormPage{}), "X").empty());
}

TEST(PostalLayout, ParcelCardWithoutCashOnDeliveryPrintsNoAmountOrBankData) {
    FormPage page = namedPage(parcelCardTextControls());
    for (auto c : parcelCardCheckControls())
        if (c != std::string_view("CBPNN")) page.setChecked(c, true);
    const auto texts = parcelCardTexts(page);
    for (const char* hidden : {"EPDMEUR", "EPBetrag", "EPBAnk", "EPKontonr", "EPBLZ"})
        EXPECT_TRUE(withText(texts, hidden).empty()) << hidden;
    EXPECT_EQ(withText(texts, "EPAbsender1").size(), 2u);
    EXPECT_EQ(withText(texts, "EPEOrt").size(), 2u);
    // The other ten marks, twice each; the cash-on-delivery mark is not among them.
    EXPECT_EQ(withText(texts, "X").size(), 20u);
    for (const auto& t : withText(texts, "X"))
        EXPECT_FALSE(t.x == 680 && (t.y == -560 || t.y == -2490));
}

TEST(PostalFee, AmountPlusAndLessTwo) {
    struct Case {
        const char* typed;
        std::optional<std::string> plus, less;
    };
    const Case cases[] = {
        {"12,50", "14,50", "10,50"},
        {"14,50", "16,50", "12,50"},
        {"0", "2,00", "-2,00"},
        {" 3,5 ", "5,50", "1,50"},
        // Large amounts keep their cents.
        {"12345678,99", "12345680,99", "12345676,99"},
        // No numbers: the other field stays as it is.
        {"", std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt},
        {"1.234,56", std::nullopt, std::nullopt},
        {"12.50", std::nullopt, std::nullopt},
        {"1e999", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(amountPlusFee(c.typed), c.plus) << c.typed;
        EXPECT_EQ(amountLessFee(c.typed), c.less) << c.typed;
    }
}

TEST(PostalFee, LeavingFieldsUpdatesTheirCounterparts) {
    FormPage page;
    page.setText("NNBetrag2", "12,50");
    cashOnDeliveryFieldLeft(page, "NNBetrag2");
    EXPECT_EQ(page.text("NNBetragplus2"), "14,50");
    page.setText("NNBetragplus2", "20");
    cashOnDeliveryFieldLeft(page, "NNBetragplus2");
    EXPECT_EQ(page.text("NNBetrag2"), "18,00");
    page.setText("NNBetrag2", "zwölf");
    cashOnDeliveryFieldLeft(page, "NNBetrag2");
    EXPECT_EQ(page.text("NNBetragplus2"), "20");

    page.setText("EVerwendung1N", "Rechnung 17");
    page.setText("EVerwendung2N", "Kunde 4711");
    cashOnDeliveryFieldLeft(page, "EVerwendung1N");
    EXPECT_EQ(page.text("NNVerw1"), "Rechnung 17");
    EXPECT_EQ(page.text("NNVerw2"), ""); // not left yet
    cashOnDeliveryFieldLeft(page, "EVerwendung2N");
    EXPECT_EQ(page.text("NNVerw2"), "Kunde 4711");
}

// --- the prints ---

struct Calibration : CalibrationView {
    std::string kv = "0", kh = "0";
    bool normal = true, right = true;
    mutable std::set<char> asked;
    std::string offsetText(char code, bool horizontal) const override {
        asked.insert(code);
        return horizontal ? kv : kh;
    }
    bool isNormal(char) const override { return normal; }
    bool isHochkant(char) const override { return !normal; }
    bool isRightFeed(char) const override { return right; }
    bool isLeftFeed(char) const override { return !right; }
};

void storeFont(char code, const char* face, int size, bool bold) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(std::string("\\") + std::string(kAppKey), true));
    reg.WriteString(std::string("FontName") + code, face);
    reg.WriteInteger(std::string("FontSize") + code, size);
    reg.WriteBool(std::string("FontBold") + code, bold);
}

FormPage typedCashOnDelivery() {
    FormPage p;
    p.setText("EEmpfN", "Weinhandel Vogt");
    p.setText("EStrasseN", "Rheinallee 5");
    p.setText("EPLZOrtN", "55116 Mainz");
    p.setText("EKontonrEmpfN", "1802057");
    p.setText("EBLZN", "55050120");
    p.setText("EBankN", "Sparkasse Mainz");
    p.setText("EVerwendung1N", "Rechnung 17");
    p.setText("NNBetrag2", "12,50");
    p.setText("NNBetragplus2", "14,50");
    p.setText("NNEinlieferungsdatum", "15.03.2021");
    p.setText("NNVerw1", "Rechnung 16");
    return p;
}

FormPage typedParcelCard() {
    FormPage p;
    p.setText("EPAbsender1", "Jürgen Müller");
    p.setText("EPAbsender2", "Hauptstr. 1");
    p.setText("EPAPlz", "50667");
    p.setText("EPAOrt", "Köln");
    p.setText("EPDMEUR", "EUR");
    p.setText("EPBetrag", "49,90");
    p.setText("EPBAnk", "Stadtsparkasse");
    p.setText("EPKontonr", "123456");
    p.setText("EPBLZ", "37050198");
    p.setText("EPEAnrede", "Frau");
    p.setText("EPEmpf1", "Erika Schulz");
    p.setText("EPEmpf2", "Gartenweg 3");
    p.setText("EPEPLz", "10115");
    p.setText("EPEOrt", "Berlin");
    p.setChecked("CBPNN", true);
    return p;
}

FormPage typedSmallParcel() {
    FormPage p;
    p.setText("EPPAbsender1", "Jürgen Müller");
    p.setText("EPPAbsender2", "Hauptstr. 1");
    p.setText("EPPPLZ", "50667");
    p.setText("EPPOrt", "Köln");
    p.setText("EPPEAnrede", "Herrn");
    p.setText("EPPEEmpf1", "Jan de Vries");
    p.setText("EPPEEmpf2", "Prinsengracht 263");
    p.setText("EPPEPLZ", "1016 GV");
    p.setText("EPPEOrt", "Amsterdam");
    p.setText("EPPELand", "Niederlande");
    return p;
}

class PostalPrint : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    Calibration calibration;

    void SetUp() override {
        storeFont('N', "Courier New", 10, false);
        storeFont('P', "Arial", 9, true);
    }
    const Metafile& page() { return printer.LastDocument().page(0); }
    TPoint at(const char* text) {
        const MetaText* t = page().FindText(text);
        EXPECT_NE(t, nullptr) << text;
        return t ? t->logical : TPoint{};
    }
};

TEST_F(PostalPrint, CashOnDeliveryIsAlwaysPortraitWithoutFeedAdjustment) {
    struct Case {
        bool normal, right;
    };
    // Neither a left feed in portrait nor a right feed in landscape moves this form.
    for (const Case c : {Case{true, false}, Case{false, true}, Case{false, false}}) {
        calibration.normal = c.normal;
        calibration.right = c.right;
        calibration.kv = "-20";
        calibration.kh = "10";
        printCashOnDeliveryForm(printer, typedCashOnDelivery(), calibration);
        const RecordedDocument& doc = printer.LastDocument();
        EXPECT_EQ(doc.title, "Quillon Zentrix. - Überweisungsdrucker");
        EXPECT_EQ(doc.orientation, TPrinterOrientation::poPortrait);
        EXPECT_EQ(at("Weinhandel Vogt"), (TPoint{330, -1137}));
        EXPECT_EQ(at("14,50"), (TPoint{500, -2472}));
        const MetaText* t = page().FindText("Weinhandel Vogt");
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->font.Height, 65);
        EXPECT_FALSE(t->font.Bold);
        EXPECT_EQ(t->font.Name, "Courier New");
    }
    EXPECT_EQ(calibration.asked, std::set<char>{'N'});
}

TEST_F(PostalPrint, CashOnDeliveryPrintsTheCopiesAsTheyStand) {
    // The first purpose line was edited but not left: the second part still carries the copy.
    printCashOnDeliveryForm(printer, typedCashOnDelivery(), calibration);
    EXPECT_EQ(at("Rechnung 17"), (TPoint{1050, -1637}));
    EXPECT_EQ(at("Rechnung 16"), (TPoint{1500, -2403}));
    const auto& texts = page().Texts();
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const MetaText& t) { return t.text == "Rechnung 17"; }),
              1);
}

TEST_F(PostalPrint, ParcelFormsFollowTheParcelCalibration) {
    calibration.normal = false; // hochkant, fed at the right
    printParcelCardForm(printer, typedParcelCard(), calibration);
    EXPECT_EQ(printer.LastDocument().title, "Quillon Zentrix. - Paketscheindrucker");
    EXPECT_EQ(printer.LastDocument().orientation, TPrinterOrientation::poLandscape);
    EXPECT_EQ(at("Erika Schulz"), (TPoint{1365, -685 - 1043}));
    const MetaText* t = page().FindText("Erika Schulz");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->font.Name, "Arial");
    EXPECT_EQ(t->font.Height, 58);

    calibration.normal = true;
    calibration.right = false; // normal, fed at the left
    printSmallParcelForm(printer, typedSmallParcel(), calibration);
    EXPECT_EQ(printer.LastDocument().title, "Quillon Zentrix. - Päckchenscheindrucker");
    EXPECT_EQ(printer.LastDocument().orientation, TPrinterOrientation::poPortrait);
    EXPECT_EQ(at("Niederlande"), (TPoint{1365 + 592, -265}));
    EXPECT_EQ(page().FindText("Niederlande")->font.Name, "Arial");
    EXPECT_EQ(calibration.asked, std::set<char>{'P'});
}

TEST_F(PostalPrint, PrintsStoreTheirAddressesBeforeTheListsRefill) {
    int refills = 0;
    printCashOnDelivery(printer, typedCashOnDelivery(), calibration, [&] {
        ++refills;
        EXPECT_EQ(EEmpfNClick("Weinhandel Vogt").EBankN, "Sparkasse Mainz");
    });
    const auto n = EEmpfNClick("Weinhandel Vogt");
    EXPECT_EQ(n.EKontonrEmpfN, "1802057");
    EXPECT_EQ(n.EBLZN, "55050120");
    EXPECT_EQ(n.EStrasseN, "Rheinallee 5");
    EXPECT_EQ(n.EPLZOrtN, "55116 Mainz");
    EXPECT_EQ(letzterAuftraggeber(), "Weinhandel Vogt");

    printParcelCard(printer, typedParcelCard(), calibration, [&] { ++refills; });
    const auto sender = EPAbsender1Click("Jürgen Müller");
    EXPECT_EQ(sender.EPAbsender2, "Hauptstr. 1");
    EXPECT_EQ(sender.EPAOrt, "Köln");
    EXPECT_EQ(sender.EPBAnk, "Stadtsparkasse");
    EXPECT_EQ(sender.EPBLZ, "37050198");
    const auto addressee = EPEmpf1Click("Erika Schulz");
    EXPECT_EQ(addressee.EPEAnrede, "Frau");
    EXPECT_EQ(addressee.EPEPLz, "10115");
    EXPECT_EQ(addressee.EPEOrt, "Berlin");

    printSmallParcel(printer, typedSmallParcel(), calibration, [&] { ++refills; });
    const auto abroad = EPPEEmpf1Click("Jan de Vries");
    EXPECT_EQ(abroad.EPPELand, "Niederlande");
    EXPECT_EQ(abroad.EPPEPLZ, "1016 GV");
    EXPECT_EQ(EPPAbsender1Click("Jürgen Müller").EPPPLZ, "50667");

    EXPECT_EQ(refills, 3);
    EXPECT_EQ(printer.Documents().size(), 3u);
    // The parcel prints leave the last-used originator alone.
    EXPECT_EQ(letzterAuftraggeber(), "Weinhandel Vogt");
}

TEST_F(PostalPrint, FailedPrintStoresNothing) {
    struct Case {
        const char* what;
        std::string kv;
        bool failOnBegin;
    };
    const Case cases[] = {{"offset not an integer", "2 mm", false},
                          {"printer refuses the document", "0", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        printer.Config()[0].failOnBegin = c.failOnBegin;
        calibration.kv = c.kv;
        bool refilled = false;
        auto refill = [&] { refilled = true; };
        EXPECT_ANY_THROW(printCashOnDelivery(printer, typedCashOnDelivery(), calibration, refill));
        EXPECT_ANY_THROW(printParcelCard(printer, typedParcelCard(), calibration, refill));
        EXPECT_ANY_THROW(printSmallParcel(printer, typedSmallParcel(), calibration, refill));
        EXPECT_TRUE(printer.Documents().empty());
        EXPECT_FALSE(refilled);
        TRegistry reg;
        const std::string root = "\\" + std::string(kAppKey);
        EXPECT_FALSE(reg.KeyExists(root + "\\UeberwA\\Weinhandel Vogt"));
        EXPECT_FALSE(reg.KeyExists(root + "\\UeberwA\\Jürgen Müller"));
        EXPECT_FALSE(reg.KeyExists(root + "\\UeberwE\\Erika Schulz"));
        EXPECT_FALSE(reg.KeyExists(root + "\\UeberwE\\Jan de Vries"));
    }
}

} // namespace
} // namespace formidor::forms
