#include "forms/foreign.h"

#include "addressbook/addressbook.h"

#include <array>

namespace formidor::forms {

namespace {

using sv = std::string_view;

constexpr ForeignTabInfo kTabs[] = {
    {ForeignTab::Auftraggeber, "Auftraggeberdaten",
     "Bitte hier die Kontonummer des Auftraggebers auswählen, der Rest wird automatisch "
     "ergänzt."},
    {ForeignTab::Empfaenger, "Empfängerdaten",
     "Bitte hier aus der Liste den Namen des Begünstigten auswählen, der Rest wird automatisch "
     "ergänzt."},
    {ForeignTab::Weisungen, "Verwendungszweck/Weisungen", ""},
    {ForeignTab::Wareneinfuhr, "Wareneinfuhr", ""},
};

// --- the lists ---

constexpr sv kKonten[] = {"DEM-Konto", "Euro-Konto", "Währungskonto"};
constexpr sv kCodes012[] = {"0", "1", "2"};
constexpr sv kAusfuehrungsarten[] = {"Standard (SWIFT/Brief)", "Eilig (SWIFT/Telex)",
                                     "Scheckziehung",          "Scheckziehung an Auftraggeber",
                                     "TIPANET-Überweisung",    "TIPANET-Scheckzahlung"};
// Both cheque drawings are one kind of execution on the paper form.
constexpr sv kAusfuehrungsCodes[] = {"0", "1", "2", "2", "8", "9"};
constexpr sv kWeisungsschluessel[] = {
    "Keine besondere Weisung",         "Avis an Bank des Begünstigten",
    "Telefonavis an den Begünstigten", "Telex-/Fax-Avis an den Begünstigten",
    "Zahlung gegen Legitimation",      "Scheckausstellung im Ausland"};
constexpr sv kCodes012345[] = {"0", "1", "2", "3", "4", "5"};
constexpr sv kEntgeltregelungen[] = {"Entgeltteilung", "alle Entgelte z. L. Auftraggeber",
                                     "alle Entgelte z. L. Begünstigen"};

// The lists of the Weisungen page show an entry at start without having it selected; only
// the account lists start with "Euro-Konto" selected.
constexpr ForeignList kLists[] = {
    {"CBZahlungzuLasten", "Zahlung zu Lasten von", kKonten, kCodes012, 1, 1},
    {"CBAusfuehrungsart", "Ausführungsart:", kAusfuehrungsarten, kAusfuehrungsCodes, 0, -1},
    {"CBWeisungsschluessel", "Weisungsschlüssel:", kWeisungsschluessel, kCodes012345, 1, -1},
    {"CBEntgeltregelung", "Entgeltregelung", kEntgeltregelungen, kCodes012, 0, -1},
    {"CBEntgeltezuLasten", "Bei Zahlungen zu Lasten Währungskonto, Entgelte z. L.:", kKonten,
     kCodes012, 1, 1},
};

// --- the print layout, top to bottom as on the paper; lines 20, 22, 23 and 30 stay empty ---

constexpr LayoutRow kRows[] = {
    {field("EAuftraggeberBank"), {~uint32_t{0}, "CBBankdrucken"}, 90, line(1)},
    {field("EAuftraggeberBLZ"), always, 960, line(1)},
    {field("EReferenzKontoinhaber"), always, 1460, line(1)},
    {field("EAuftraggeberKontonr"), always, 960, line(2)},
    {field("CBZahlungzuLasten"), always, 650, line(3)},
    {field("EWaehrung"), always, 90, line(4)},
    {field("EBetrag"), always, 300, line(4)},
    {field("EZielland"), always, 1460, line(4)},
    {field("EAuftraggeberName"), always, 90, line(5)},
    {field("EAuftraggeberStrasse"), always, 90, line(6)},
    {field("EAuftraggeberPLZOrt"), always, 175, line(7)},
    {field("EEmpfaengerBankSwift"), always, 430, line(8)},
    {field("EEmpfaengerBankName"), always, 90, line(9)},
    {field("EEmpfaengerBankStrasse"), always, 90, line(10)},
    {field("EEmpfaengerBankOrtLand"), always, 90, line(11)},
    {field("EKontonrIBAN"), always, 90, line(12)},
    {field("EEmpfaengerBankcode"), always, 900, line(12)},
    {field("EEmpfaengerName"), always, 90, line(13)},
    {field("EEmpfaengerStrasse"), always, 90, line(14)},
    {field("EEmpfaengerOrtLand"), always, 90, line(15)},
    {field("EVerwendungszweck1"), always, 90, line(16)},
    {field("EVerwendungszweck2"), always, 90, line(17)},
    {field("EVerwendungszweck3"), always, 90, line(18)},
    {field("EWeisungen"), always, 90, line(19)},
    {field("CBAusfuehrungsart"), always, 480, line(21)},
    {field("CBWeisungsschluessel"), always, 930, line(21)},
    {field("CBEntgeltregelung"), always, 1380, line(21)},
    {field("CBEntgeltezuLasten"), always, 1930, line(21)},
    {literal("X"), {~uint32_t{0}, "CBTransit"}, 1930, line(24)},
    {field("e105"), always, 120, line(25)},
    {field("e106"), always, 530, line(25)},
    {field("e107"), always, 1300, line(25)},
    {field("e108"), always, 120, line(26)},
    {field("e109"), always, 530, line(26)},
    {field("e110"), always, 1300, line(26)},
    {field("e111_1"), always, 90, line(27)},
    {field("e111_2"), always, 90, line(28)},
    {field("e111_3"), always, 90, line(29)},
    {field("edatum"), always, 90, line(31)},
    {field("etelefon"), always, 90, line(32)},
};

constexpr sv kTextControls[] = {
    "EAuftraggeberName",
    "EAuftraggeberStrasse",
    "EAuftraggeberPLZOrt",
    "EAuftraggeberKontonr",
    "EAuftraggeberBLZ",
    "EAuftraggeberBank",
    "EBetrag",
    "EWaehrung",
    "EReferenzKontoinhaber",
    "EEmpfaengerName",
    "EEmpfaengerStrasse",
    "EEmpfaengerOrtLand",
    "EKontonrIBAN",
    "EEmpfaengerBankcode",
    "EZielland",
    "EEmpfaengerBankName",
    "EEmpfaengerBankStrasse",
    "EEmpfaengerBankOrtLand",
    "EEmpfaengerBankSwift",
    "EVerwendungszweck1",
    "EVerwendungszweck2",
    "EVerwendungszweck3",
    "EWeisungen",
    "e105",
    "e106",
    "e107",
    "e108",
    "e109",
    "e110",
    "e111_1",
    "e111_2",
    "e111_3",
    "edatum",
    "etelefon",
};
constexpr sv kCheckControls[] = {"CBBankdrucken", "CBTransit"};

constexpr sv k105bis110[] = {"e105", "e106", "e107", "e108", "e109", "e110"};
constexpr sv k111[] = {"e111_1", "e111_2", "e111_3"};

// --- "Löschen" by page ---

constexpr sv kClearAuftraggeber[] = {
    "EAuftraggeberBLZ",     "EAuftraggeberKontonr", "EBetrag",
    "EAuftraggeberName",    "EAuftraggeberStrasse", "EAuftraggeberPLZOrt",
    "EReferenzKontoinhaber"};
constexpr sv kClearEmpfaenger[] = {"EEmpfaengerBankSwift",   "EEmpfaengerBankName",
                                   "EEmpfaengerBankStrasse", "EEmpfaengerBankOrtLand",
                                   "EKontonrIBAN",           "EEmpfaengerBankcode",
                                   "EEmpfaengerName",        "EEmpfaengerStrasse",
                                   "EEmpfaengerOrtLand",     "EZielland"};
constexpr sv kClearWeisungen[] = {"EVerwendungszweck1", "EVerwendungszweck2", "EVerwendungszweck3",
                                  "EWeisungen"};

FieldChanges emptied(std::span<const sv> controls) {
    FieldChanges c;
    for (sv n : controls) c.texts.emplace_back(n, std::string());
    return c;
}

} // namespace

std::span<const ForeignTabInfo> foreignTabs() {
    return kTabs;
}

std::span<const ForeignList> foreignLists() {
    return kLists;
}

const ForeignList* foreignList(std::string_view control) {
    for (const auto& l : kLists)
        if (l.control == control) return &l;
    return nullptr;
}

std::string_view foreignListCode(const ForeignList& list, int position) {
    if (position < 0 || position >= static_cast<int>(list.codes.size())) return "0";
    return list.codes[static_cast<size_t>(position)];
}

void selectInPage(FormPage& page, const ForeignList& list, int position) {
    page.setText(list.control, foreignListCode(list, position));
}

void selectStartPositions(FormPage& page) {
    for (const auto& l : kLists) selectInPage(page, l, l.selected);
}

std::span<const std::string_view> foreignTextControls() {
    return kTextControls;
}
std::span<const std::string_view> foreignCheckControls() {
    return kCheckControls;
}

Layout foreignLayout() {
    return {kRows, kForeignBase, kForeignPitch};
}

std::vector<PlacedText> foreignTexts(const FormPage& page) {
    return placeTexts(foreignLayout(), page, -1);
}

std::optional<FieldChanges> originatorPick(const FormPage& page) {
    if (!page.text("EAuftraggeberBank").empty()) return std::nullopt;
    const std::string& name = page.text("EAuftraggeberKontonr");
    const EAuftraggeberKontonrFelder f = EAuftraggeberKontonrClick(name);
    FieldChanges c;
    c.texts = {
        {"EAuftraggeberName", f.found ? name : std::string()},
        {"EAuftraggeberStrasse", f.EAuftraggeberStrasse},
        {"EAuftraggeberPLZOrt", f.EAuftraggeberPLZOrt},
        {"EAuftraggeberBLZ", f.EAuftraggeberBLZ},
        {"EAuftraggeberBank", f.EAuftraggeberBank},
        {"EReferenzKontoinhaber", f.EReferenzKontoinhaber},
        {"etelefon", f.etelefon},
    };
    c.checks = {{"CBBankdrucken", f.CBBankdrucken}};
    return c;
}

FieldChanges recipientPick(std::string_view name) {
    const EEmpfaengerNameFelder f = EEmpfaengerNameClick(name);
    FieldChanges c;
    c.texts = {
        {"EEmpfaengerStrasse", f.EEmpfaengerStrasse},
        {"EEmpfaengerOrtLand", f.EEmpfaengerOrtLand},
        {"EKontonrIBAN", f.EKontonrIBAN},
        {"EEmpfaengerBankcode", f.EEmpfaengerBankcode},
        {"EEmpfaengerBankSwift", f.EEmpfaengerBankSwift},
        {"EEmpfaengerBankName", f.EEmpfaengerBankName},
        {"EEmpfaengerBankStrasse", f.EEmpfaengerBankStrasse},
        {"EEmpfaengerBankOrtLand", f.EEmpfaengerBankOrtLand},
        {"EZielland", f.EZielland},
    };
    for (size_t i = 0; i < f.e105bis110.size(); ++i)
        c.texts.emplace_back(k105bis110[i], f.e105bis110[i]);
    for (size_t i = 0; i < f.e111.size(); ++i) c.texts.emplace_back(k111[i], f.e111[i]);
    c.checks = {{"CBTransit", f.CBTransit}};
    return c;
}

FieldChanges foreignClearing(ForeignTab shown) {
    FieldChanges c;
    switch (shown) {
    case ForeignTab::Auftraggeber:
        // The bank name stays, and with it the block on loading another originator.
        c = emptied(kClearAuftraggeber);
        c.selects = {{"CBZahlungzuLasten", 1}};
        break;
    case ForeignTab::Empfaenger:
        c = emptied(kClearEmpfaenger);
        break;
    case ForeignTab::Weisungen:
        c = emptied(kClearWeisungen);
        c.selects = {{"CBAusfuehrungsart", 0},
                     {"CBEntgeltregelung", 0},
                     {"CBWeisungsschluessel", 0},
                     {"CBEntgeltezuLasten", 1}};
        break;
    case ForeignTab::Wareneinfuhr:
        c = emptied(k105bis110);
        for (sv n : k111) c.texts.emplace_back(n, std::string());
        c.checks = {{"CBTransit", false}};
        break;
    }
    return c;
}

} // namespace formidor::forms
