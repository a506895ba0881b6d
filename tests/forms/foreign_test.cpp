#include "forms/foreign.h"
#include "forms/foreignprint.h"

#include "common/testenv.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace formidor::forms {
namespace {

struct Calibration : CalibrationView {
    std::string kv = "0", kh = "0";
    bool normal = true, right = true;
    std::string offsetText(char code, bool horizontal) const override {
        EXPECT_EQ(code, 'A');
        return horizontal ? kv : kh;
    }
    bool isNormal(char) const override { return normal; }
    bool isHochkant(char) const override { return !normal; }
    bool isRightFeed(char) const override { return right; }
    bool isLeftFeed(char) const override { return !right; }
};

std::string keyPath(std::string_view sub) {
    return "\\" + std::string(kAppKey) + "\\" + std::string(sub);
}

// Every text field holds its own name, so each printed text says where it came from.
FormPage namedPage() {
    FormPage page;
    for (auto c : foreignTextControls()) page.setText(c, c);
    selectStartPositions(page);
    return page;
}

const PlacedText* find(const std::vector<PlacedText>& texts, std::string_view text) {
    auto it = std::find_if(texts.begin(), texts.end(),
                           [&](const PlacedText& t) { return t.text == text; });
    return it == texts.end() ? nullptr : &*it;
}

TEST(ForeignLayout, EveryFieldOnItsLineOfThePaperForm) {
    struct Row {
        const char* text;
        int dx, k;
    };
    // Lines of 8.4 mm below a base line 1.1 mm under the top.
    const Row rows[] = {
        {"EAuftraggeberBank", 90, 1},
        {"EAuftraggeberBLZ", 960, 1},
        {"EReferenzKontoinhaber", 1460, 1},
        {"EAuftraggeberKontonr", 960, 2},
        {"EWaehrung", 90, 4},
        {"EBetrag", 300, 4},
        {"EZielland", 1460, 4},
        {"EAuftraggeberName", 90, 5},
        {"EAuftraggeberStrasse", 90, 6},
        {"EAuftraggeberPLZOrt", 175, 7},
        {"EEmpfaengerBankSwift", 430, 8},
        {"EEmpfaengerBankName", 90, 9},
        {"EEmpfaengerBankStrasse", 90, 10},
        {"EEmpfaengerBankOrtLand", 90, 11},
        {"EKontonrIBAN", 90, 12},
        {"EEmpfaengerBankcode", 900, 12},
        {"EEmpfaengerName", 90, 13},
        {"EEmpfaengerStrasse", 90, 14},
        {"EEmpfaengerOrtLand", 90, 15},
        {"EVerwendungszweck1", 90, 16},
        {"EVerwendungszweck2", 90, 17},
        {"EVerwendungszweck3", 90, 18},
        {"EWeisungen", 90, 19},
        {"X", 1930, 24},
        {"e105", 120, 25},
        {"e106", 530, 25},
        {"e107", 1300, 25},
        {"e108", 120, 26},
        {"e109", 530, 26},
        {"e110", 1300, 26},
        {"e111_1", 90, 27},
        {"e111_2", 90, 28},
        {"e111_3", 90, 29},
        {"edatum", 90, 31},
        {"etelefon", 90, 32},
    };
    FormPage page = namedPage();
    page.setChecked("CBBankdrucken", true);
    page.setChecked("CBTransit", true);
    const auto texts = foreignTexts(page);
    for (const auto& r : rows) {
        const PlacedText* t = find(texts, r.text);
        ASSERT_NE(t, nullptr) << r.text;
        EXPECT_EQ(t->x, r.dx) << r.text;
        EXPECT_EQ(t->y, -11 - r.k * 84) << r.text;
    }
    // The five list codes: account lists on line 3 and 21 at their start selection, the other
    // three with nothing selected.
    const std::vector<PlacedText> codes = {
        {650, -11 - 3 * 84, "1"},   {480, -11 - 21 * 84, "0"},  {930, -11 - 21 * 84, "0"},
        {1380, -11 - 21 * 84, "0"}, {1930, -11 - 21 * 84, "1"},
    };
    for (const auto& c : codes)
        EXPECT_NE(std::find(texts.begin(), texts.end(), c), texts.end()) << c.x << " " << c.y;
    EXPECT_EQ(texts.size(), std::size(rows) + codes.size());
    // Lines 20, 22, 23 and 30 of the paper form stay empty.
    std::set<int> lines;
    for (const auto& t : texts) lines.insert((-11 - t.y) / 84);
    for (int empty : {20, 22, 23, 30}) EXPECT_FALSE(lines.contains(empty)) << empty;

    // Without the two check boxes neither the bank's name nor the transit mark prints.
    page.setChecked("CBBankdrucken", false);
    page.setChecked("CBTransit", false);
    const auto plain = foreignTexts(page);
    EXPECT_EQ(find(plain, "EAuftraggeberBank"), nullptr);
    EXPECT_EQ(find(plain, "X"), nullptr);
    EXPECT_EQ(plain.size(), texts.size() - 2);
}

TEST(ForeignLayout, ListsPrintTheCodeOfTheSelectedPosition) {
    struct Case {
        const char* list;
        int position;
        const char* code;
    };
    const Case cases[] = {
        {"CBAusfuehrungsart", 0, "0"},     {"CBAusfuehrungsart", 1, "1"},
        {"CBAusfuehrungsart", 2, "2"},     {"CBAusfuehrungsart", 3, "2"}, // both cheque drawings
        {"CBAusfuehrungsart", 4, "8"},     {"CBAusfuehrungsart", 5, "9"},
        {"CBAusfuehrungsart", -1, "0"},    {"CBWeisungsschluessel", 5, "5"},
        {"CBWeisungsschluessel", -1, "0"}, {"CBEntgeltregelung", 2, "2"},
        {"CBEntgeltezuLasten", 0, "0"},    {"CBZahlungzuLasten", 2, "2"},
        {"CBZahlungzuLasten", 3, "0"}, // beyond the list: as nothing selected
    };
    for (const auto& c : cases) {
        const ForeignList* l = foreignList(c.list);
        ASSERT_NE(l, nullptr) << c.list;
        EXPECT_EQ(foreignListCode(*l, c.position), c.code) << c.list << " " << c.position;
    }
    // The instruction key shows "Avis an Bank des Begünstigten" at start, yet nothing is
    // selected and "0" prints.
    const ForeignList* key = foreignList("CBWeisungsschluessel");
    EXPECT_EQ(key->entries[static_cast<size_t>(key->shown)], "Avis an Bank des Begünstigten");
    EXPECT_EQ(key->selected, -1);
    FormPage page;
    selectStartPositions(page);
    EXPECT_EQ(page.text("CBWeisungsschluessel"), "0");
    EXPECT_EQ(page.text("CBEntgeltezuLasten"), "1");
    EXPECT_EQ(page.text("CBZahlungzuLasten"), "1");
}

class ForeignPrint : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    Calibration calibration;
    Journal journal{home.path() / "journal"};

    void SetUp() override {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\" + std::string(kAppKey), true));
        reg.WriteString("FontNameA", "Courier New");
        reg.WriteInteger("FontSizeA", 10);
        reg.WriteBool("FontBoldA", false);
        reg.CloseKey();
        journal.JournalLaden();
    }

    static FormPage typed() {
        FormPage p;
        p.setText("EAuftraggeberName", "Jürgen Müller");
        p.setText("EAuftraggeberStrasse", "Ringstraße 1");
        p.setText("EAuftraggeberPLZOrt", "50667 Köln");
        p.setText("EAuftraggeberKontonr", "1234567");
        p.setText("EAuftraggeberBLZ", "37050198");
        p.setText("EAuftraggeberBank", "Sparkasse KölnBonn");
        p.setChecked("CBBankdrucken", true);
        p.setText("EBetrag", "1250,5");
        p.setText("EWaehrung", "CHF");
        p.setText("EReferenzKontoinhaber", "R-17");
        p.setText("EEmpfaengerName", "Hôtel du Lac");
        p.setText("EEmpfaengerStrasse", "Quai 3");
        p.setText("EEmpfaengerOrtLand", "Genève, CH");
        p.setText("EKontonrIBAN", "CH9300762011623852957");
        p.setText("EEmpfaengerBankcode", "00762");
        p.setText("EZielland", "CH");
        p.setText("EEmpfaengerBankName", "Banque Cantonale");
        p.setText("EEmpfaengerBankSwift", "BCGECHGGXXX");
        p.setText("EVerwendungszweck1", "Zimmer 12");
        p.setText("EVerwendungszweck2", "");
        p.setText("EVerwendungszweck3", "Mai");
        p.setText("e105", "K1");
        p.setText("e111_2", "Beherbergung");
        p.setChecked("CBTransit", true);
        p.setText("etelefon", "0221 123");
        p.setText("edatum", "10.05.2021");
        selectStartPositions(p);
        return p;
    }
};

TEST_F(ForeignPrint, FrameOfFormCodeA) {
    calibration.kv = "-20";
    calibration.kh = "10";
    printForeignForm(printer, typed(), calibration);
    const RecordedDocument& doc = printer.LastDocument();
    EXPECT_EQ(doc.title, "Quillon Zentrix. - Überweisungsdrucker");
    EXPECT_EQ(doc.orientation, TPrinterOrientation::poPortrait);
    const MetaText* name = doc.page(0).FindText("Jürgen Müller");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->logical, (TPoint{90 - 20, -431 - 10}));
    EXPECT_EQ(name->font.Height, 65);
    EXPECT_FALSE(name->font.Bold);

    // Fed at the right in "hochkant": every line 104.3 mm lower, in landscape.
    calibration = {};
    calibration.normal = false;
    printForeignForm(printer, typed(), calibration);
    EXPECT_EQ(printer.LastDocument().orientation, TPrinterOrientation::poLandscape);
    EXPECT_EQ(printer.LastDocument().page(0).FindText("0221 123")->logical,
              (TPoint{90, -2699 - 1043}));
    // And the layout the command line shows is what was drawn.
    const auto texts = foreignPrintTexts(typed(), calibration);
    EXPECT_EQ(*find(texts, "0221 123"), (PlacedText{90, -2699 - 1043, "0221 123"}));
}

TEST_F(ForeignPrint, PrintStoresBothRecordsChecksTheAmountAndJournalsTypeThree) {
    FormPage page = typed();
    page.setText("EBetrag", "1.250,50");
    std::vector<std::string> shown;
    printForeign(printer, page, calibration, journal,
                 [&](const std::string& a) { shown.push_back(a); });
    // Printed as typed, then the field shows "0" and the journal records 0.
    EXPECT_NE(printer.LastDocument().page(0).FindText("1.250,50"), nullptr);
    EXPECT_EQ(page.text("EBetrag"), "0");
    EXPECT_EQ(shown, std::vector<std::string>{"0"});

    ASSERT_EQ(journal.Liste().size(), 1u);
    const TJournal& r = journal.Liste().back();
    EXPECT_EQ(r.Typ(), 3);
    EXPECT_EQ(r.AuftraggeberKonto(), "1234567");
    EXPECT_EQ(r.AuftraggeberName(), "Jürgen Müller");
    EXPECT_EQ(r.AuftraggeberBLZ(), "37050198");
    EXPECT_EQ(r.EmpfaengerName(), "Hôtel du Lac");
    EXPECT_EQ(r.EmpfaengerKonto(), "CH9300762011623852957");
    EXPECT_EQ(r.EmpfaengerBLZ(), "00762");
    EXPECT_EQ(r.Verwendungszweck(), "Zimmer 12  Mai");
    EXPECT_EQ(r.Betrag(), 0);
    EXPECT_GT(r.Datum(), 40000.0);
    EXPECT_EQ(readJournalFile(journal.file())->size(), 1u);

    page = typed();
    printForeign(printer, page, calibration, journal);
    EXPECT_EQ(journal.Liste().back().Betrag(), 12505000);

    // The records, read back by the window's picks.
    FormPage picker;
    picker.setText("EAuftraggeberKontonr", "Jürgen Müller");
    auto o = originatorPick(picker);
    ASSERT_TRUE(o);
    const std::vector<std::pair<std::string_view, std::string>> originator = {
        {"EAuftraggeberName", "Jürgen Müller"},
        {"EAuftraggeberStrasse", "Ringstraße 1"},
        {"EAuftraggeberPLZOrt", "50667 Köln"},
        {"EAuftraggeberBLZ", "37050198"},
        {"EAuftraggeberBank", "Sparkasse KölnBonn"},
        {"EReferenzKontoinhaber", "R-17"},
        {"etelefon", "0221 123"},
    };
    EXPECT_EQ(o->texts, originator);
    EXPECT_EQ(o->checks, (std::vector<std::pair<std::string_view, bool>>{{"CBBankdrucken", true}}));
    const FieldChanges e = recipientPick("Hôtel du Lac");
    auto text = [&](std::string_view control) {
        for (const auto& [n, t] : e.texts)
            if (n == control) return t;
        return std::string("<none>");
    };
    EXPECT_EQ(text("EKontonrIBAN"), "CH9300762011623852957");
    EXPECT_EQ(text("EEmpfaengerBankSwift"), "BCGECHGGXXX");
    EXPECT_EQ(text("EEmpfaengerBankName"), "Banque Cantonale");
    EXPECT_EQ(text("EZielland"), "CH");
    EXPECT_EQ(text("e105"), "K1");
    EXPECT_EQ(text("e111_2"), "Beherbergung");
    EXPECT_EQ(e.checks, (std::vector<std::pair<std::string_view, bool>>{{"CBTransit", true}}));
}

TEST_F(ForeignPrint, FailedPrintStoresAndRecordsNothing) {
    struct Case {
        const char* what;
        std::string kh;
        bool failOnBegin;
    };
    const Case cases[] = {
        {"offset not an integer", "1 mm", false},
        {"printer refuses the document", "0", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        printer.Config()[0].failOnBegin = c.failOnBegin;
        calibration.kh = c.kh;
        FormPage page = typed();
        page.setText("EBetrag", "abc");
        EXPECT_ANY_THROW(printForeign(printer, page, calibration, journal));
        EXPECT_EQ(page.text("EBetrag"), "abc");
    }
    TRegistry reg;
    EXPECT_FALSE(reg.KeyExists(keyPath("UeberwE\\Hôtel du Lac")));
    EXPECT_FALSE(reg.KeyExists(keyPath("UeberwA\\Jürgen Müller")));
    EXPECT_TRUE(journal.Liste().empty());
}

class ForeignPicks : public ::testing::Test {
protected:
    test::ScopedDataHome home;
};

TEST_F(ForeignPicks, FilledBankNameBlocksTheOriginatorLoad) {
    AuslandAdressen a;
    a.EAuftraggeberName = "Jürgen Müller";
    a.EAuftraggeberBank = "Sparkasse KölnBonn";
    a.EAuftraggeberStrasse = "Ringstraße 1";
    SaveAusl(a);

    FormPage page;
    page.setText("EAuftraggeberKontonr", "Jürgen Müller");
    page.setText("EAuftraggeberBank", "Volksbank");
    EXPECT_FALSE(originatorPick(page));
    // "Löschen" on the originator page leaves the bank name, so loading stays blocked.
    for (const auto& [control, text] : foreignClearing(ForeignTab::Auftraggeber).texts)
        page.setText(control, text);
    EXPECT_EQ(page.text("EAuftraggeberBank"), "Volksbank");
    EXPECT_FALSE(originatorPick(page));

    page.setText("EAuftraggeberKontonr", "Jürgen Müller");
    page.setText("EAuftraggeberBank", "");
    auto loaded = originatorPick(page);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->texts[0],
              (std::pair<std::string_view, std::string>{"EAuftraggeberName", "Jürgen Müller"}));
    EXPECT_EQ(loaded->texts[1].second, "Ringstraße 1");

    // A name without a record empties the fields, the name field too.
    page.setText("EAuftraggeberKontonr", "Niemand");
    loaded = originatorPick(page);
    ASSERT_TRUE(loaded);
    for (const auto& [control, text] : loaded->texts) EXPECT_EQ(text, "") << control;
    EXPECT_FALSE(loaded->checks[0].second);
}

TEST_F(ForeignPicks, FlagsStoredAsIntegersAndMistypedOnesReadUnchecked) {
    AuslandAdressen a;
    a.EAuftraggeberName = "Firma";
    a.EEmpfaengerName = "Partner";
    a.CBBankdrucken = true;
    a.CBTransit = true;
    SaveAusl(a);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(keyPath("UeberwA\\Firma"), false));
    EXPECT_EQ(reg.GetDataType("Bankdrucken"), TRegDataType::rdInteger);
    EXPECT_EQ(reg.GetValueNames(),
              (std::vector<std::string>{"Bankdrucken", "BLZ", "Bank", "Kontonr", "Strasse",
                                        "PLZOrt", "Telefon", "Referenz"}));
    ASSERT_TRUE(reg.OpenKey(keyPath("UeberwE\\Partner"), false));
    EXPECT_EQ(reg.GetDataType("transit"), TRegDataType::rdInteger);
    EXPECT_EQ(reg.GetValueNames(),
              (std::vector<std::string>{"Strasse", "OrtLand", "KontonrIBAN", "Bankcode", "SWIFT",
                                        "Bankname", "Bankstrasse", "Bankortland", "105", "106",
                                        "107", "108", "109", "110", "111_1", "111_2", "111_3",
                                        "transit", "Zielland"}));

    // An import may leave a text where a flag belongs: the box stays unchecked.
    reg.WriteString("transit", "1");
    ASSERT_TRUE(reg.OpenKey(keyPath("UeberwA\\Firma"), false));
    reg.WriteString("Bankdrucken", "ja");
    reg.CloseKey();
    EXPECT_FALSE(recipientPick("Partner").checks[0].second);
    FormPage page;
    page.setText("EAuftraggeberKontonr", "Firma");
    EXPECT_FALSE(originatorPick(page)->checks[0].second);
}

TEST_F(ForeignPicks, RecipientOfTheTransferPageComesWithEmptyForeignFields) {
    UeberweisungAdressen t;
    t.EEmpfaenger = "Stadtwerke Köln";
    t.EKontonr = "1802057";
    t.EZielland = "DE"; // the one value both pages share
    t.EAuftraggeber = "Jürgen Müller";
    SaveEmpfaenger(t);
    const FieldChanges e = recipientPick("Stadtwerke Köln");
    for (const auto& [control, text] : e.texts)
        EXPECT_EQ(text, control == "EZielland" ? "DE" : "") << control;
    EXPECT_FALSE(e.checks[0].second);

    // Printing here afterwards keeps what the transfer page stored.
    AuslandAdressen a;
    a.EEmpfaengerName = "Stadtwerke Köln";
    a.EZielland = "AT";
    SaveAusl(a);
    EXPECT_EQ(EEmpfaengerClick("Stadtwerke Köln").EKontonr, "1802057");
    EXPECT_EQ(EEmpfaengerClick("Stadtwerke Köln").EZielland, "AT");
}

TEST(ForeignClearing, EachPageEmptiesItsOwnFields) {
    auto names = [](const FieldChanges& c) {
        std::set<std::string_view> n;
        for (const auto& [control, text] : c.texts) {
            EXPECT_EQ(text, "") << control;
            n.insert(control);
        }
        return n;
    };
    const FieldChanges a = foreignClearing(ForeignTab::Auftraggeber);
    const auto an = names(a);
    EXPECT_EQ(an.size(), 7u);
    for (const char* kept : {"EAuftraggeberBank", "EWaehrung"}) EXPECT_FALSE(an.contains(kept));
    EXPECT_TRUE(a.checks.empty()); // "drucken" stays as it is
    EXPECT_EQ(a.selects, (std::vector<std::pair<std::string_view, int>>{{"CBZahlungzuLasten", 1}}));

    const auto en = names(foreignClearing(ForeignTab::Empfaenger));
    EXPECT_EQ(en.size(), 10u);
    EXPECT_TRUE(en.contains("EZielland"));

    const FieldChanges w = foreignClearing(ForeignTab::Weisungen);
    EXPECT_EQ(names(w).size(), 4u);
    EXPECT_EQ(w.selects,
              (std::vector<std::pair<std::string_view, int>>{{"CBAusfuehrungsart", 0},
                                                             {"CBEntgeltregelung", 0},
                                                             {"CBWeisungsschluessel", 0},
                                                             {"CBEntgeltezuLasten", 1}}));

    const FieldChanges g = foreignClearing(ForeignTab::Wareneinfuhr);
    const auto gn = names(g);
    EXPECT_EQ(gn.size(), 9u);
    for (const char* kept : {"edatum", "etelefon"}) EXPECT_FALSE(gn.contains(kept));
    EXPECT_EQ(g.checks, (std::vector<std::pair<std::string_view, bool>>{{"CBTransit", false}}));
}

} // namespace
} // namespace formidor::forms
