#pragma once
// The address book: originator records under UeberwA and recipient records under UeberwE of
// the application's key, one subkey per person named by the name exactly as typed, all values
// strings. Nothing is cached: every call opens the hive, reads or writes, and closes it.
//
// The writers take the texts of the page's fields as plain values (named after the fields),
// so a form printer only copies its fields into the struct and calls the writer after its
// document has ended. The readers return what a pick of a name puts into the page's fields.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formidor {

inline constexpr std::string_view kUeberwA = "UeberwA"; // originators
inline constexpr std::string_view kUeberwE = "UeberwE"; // recipients
// Settings value holding the name of the last-used originator.
inline constexpr std::string_view kEmpfaengerValue = "Empfänger";

// Transfer form variants as stored in `Formular`, with their radio buttons and captions, in the
// order they are looked at.
struct CodedButton {
    std::string_view code;
    std::string_view button;
    std::string_view caption;
};
inline constexpr std::array<CodedButton, 8> kFormularCodes{{
    {"13", "RB13", "SEPA/16"},
    {"15", "RB15", "15"},
    {"16", "RB16", "16/28"},
    {"18", "RB18", "17/18"},
    {"20", "RB20", "20"},
    {"24", "RB24", "24"},
    {"Postbank", "RBPostbank", "Postbank"},
    {"Hypo", "RBHypo", "SEPA/06,07,08"},
}};
// Counterfoils of the crossed cheque page as stored in `Bank` (group "Begleitabschnitt").
inline constexpr std::array<CodedButton, 6> kBankCodes{{
    {"Deutsche", "RBDeutsche", "Deutsche Bank"},
    {"Dresdner", "RBDresdner", "Dresdner Bank"},
    {"leer", "RBleer", "leerer Abschnitt"},
    {"kein", "RBkein", "kein Abschnitt"},
    {"DG", "RBDG", "Volksbanken"},
    {"ObenGross", "RBobengross", "Abschnitt oben"},
}};

// The prompt of the cheque deposit page's bank box when no bank is known.
inline constexpr std::string_view kBankPrompt = "Bitte hier Bank auswählen!";

// --- writers ---

// Transfer page (SaveEmpfaenger).
struct UeberweisungAdressen {
    std::string EEmpfaenger, EKontonr, EBLZ, EBank, EBank2, EVerwendung1, EVerwendung2, EArt,
        EEntgelt, EZielland, EIBANEmpf;
    std::string EAuftraggeber, EEigeneKontonr, EAuftraggeberBLZ, EIBANAuftrag, EAuftraggeberBank;
    // Code of the checked variant button (kFormularCodes); empty when none is checked, and then
    // the stored `Formular` keeps its value.
    std::string Formular;
};
void SaveEmpfaenger(const UeberweisungAdressen& d);

// Crossed cheque page (SaveEmpfaengerV).
struct VerrechnungsscheckAdressen {
    std::vector<std::string> MemoDeutscheAbs; // stored as Abs1–Abs6, missing lines empty
    std::string EEmpfaenger1, EAnredeE, EEmpfaenger2, EOrtEmpf, EPLZE;
    // Code of the first checked counterfoil button (kBankCodes); empty: not written.
    std::string Bank;
    std::vector<std::string> MemoDeutscheVerw; // stored as Verw1–Verw20
};
void SaveEmpfaengerV(const VerrechnungsscheckAdressen& d);

// Direct debit page (SaveEmpfaengerL). The last-used originator becomes the transfer page's
// originator box, not the direct debit payee.
struct LastschriftAdressen {
    std::string ENameZ, EKontonrZ, EBLZZ, EBankZ;
    std::string ENameZEmpf, EKontonrZEmpf;
    std::string EAuftraggeber;
};
void SaveEmpfaengerL(const LastschriftAdressen& d);

// Cash-on-delivery page (SaveEmpfaengerN).
struct NachnahmeAdressen {
    std::string EEmpfN, EKontonrEmpfN, EBLZN, EBankN, EStrasseN, EPLZOrtN;
};
void SaveEmpfaengerN(const NachnahmeAdressen& d);

// Parcel card page (SaveEmpfaengerP).
struct PaketscheinAdressen {
    std::string EPEmpf1, EPEAnrede, EPEmpf2, EPEPLz, EPEOrt;
    std::string EPAbsender1, EPAbsender2, EPAOrt, EPAPlz, EPKontonr, EPBLZ, EPBAnk;
};
void SaveEmpfaengerP(const PaketscheinAdressen& d);

// Small parcel page (SaveEmpfaengerPP).
struct PaketAdressen {
    std::string EPPEEmpf1, EPPEAnrede, EPPEEmpf2, EPPEPLZ, EPPEOrt, EPPELand;
    std::string EPPAbsender1, EPPAbsender2, EPPOrt, EPPPLZ;
};
void SaveEmpfaengerPP(const PaketAdressen& d);

// Cheque deposit page (SaveDaten): the bank box's text; the account only for "Dresdner Bank".
struct ScheckeinreichungAdressen {
    std::string EKontoinhaber, ComboBox1, EEmpfaengerKontonr;
};
void SaveDaten(const ScheckeinreichungAdressen& d);

// Foreign transfer window (SaveAusl): the recipient record first, then the originator record,
// each value in this order. The check boxes are stored as booleans (integers 0 / 1), every other
// value as a string. Nothing here is the last-used originator.
struct AuslandAdressen {
    std::string EEmpfaengerName, EEmpfaengerStrasse, EEmpfaengerOrtLand, EKontonrIBAN,
        EEmpfaengerBankcode, EEmpfaengerBankSwift, EEmpfaengerBankName, EEmpfaengerBankStrasse,
        EEmpfaengerBankOrtLand;
    std::array<std::string, 6> e105bis110; // e105 … e110
    std::array<std::string, 3> e111;       // e111_1 … e111_3
    bool CBTransit = false;
    std::string EZielland;
    std::string EAuftraggeberName;
    bool CBBankdrucken = false;
    std::string EAuftraggeberBLZ, EAuftraggeberBank, EAuftraggeberKontonr, EAuftraggeberStrasse,
        EAuftraggeberPLZOrt, etelefon, EReferenzKontoinhaber;
};
void SaveAusl(const AuslandAdressen& d);

// --- readers (the fill handlers) ---
// A value that is missing reads as the empty text; so does every value of a name that has no
// record. The empty name reads the collection key itself.

struct EEmpfaengerFelder {
    std::string EKontonr, EBLZ, EBank, EBank2, EVerwendung1, EVerwendung2, EArt, EEntgelt,
        EZielland, EIBANEmpf;
};
EEmpfaengerFelder EEmpfaengerClick(std::string_view name);

// Takes the current field texts and replaces only those whose stored value is not empty.
// Formular becomes the stored code when it names a variant, else it stays as given.
struct EAuftraggeberFelder {
    std::string EEigeneKontonr, EAuftraggeberBLZ, EAuftraggeberBank, EIBANAuftrag;
    std::string Formular;
};
void EAuftraggeberClick(std::string_view name, EAuftraggeberFelder& f);

struct EEmpfaenger1Felder {
    std::string EAnredeE, EEmpfaenger2, EPLZE, EOrtEmpf;
    std::string Bank; // a kBankCodes code, or empty: leave the counterfoil as it is
    std::vector<std::string> MemoDeutscheVerw;
};
EEmpfaenger1Felder EEmpfaenger1Click(std::string_view name);

struct ENameZFelder {
    std::string EKontonrZ, EBLZZ, EBankZ;
};
ENameZFelder ENameZClick(std::string_view name);

struct ENameZEmpfFelder {
    std::string EKontonrZEmpf;
};
ENameZEmpfFelder ENameZEmpfClick(std::string_view name);

struct EEmpfNFelder {
    std::string EKontonrEmpfN, EStrasseN, EPLZOrtN, EBLZN, EBankN;
};
EEmpfNFelder EEmpfNClick(std::string_view name);

// ComboBox1 is the stored bank or, when none is stored, the guess from the bank's name.
struct EKontoinhaberFelder {
    std::string EEmpfaengerKontonr, ComboBox1;
};
EKontoinhaberFelder EKontoinhaberClick(std::string_view name);
// The guess alone: "Dresdner Bank", "Berliner Bank", "Sparkasse", "Deutsche Bank" by
// case-sensitive substring, first match wins; otherwise kBankPrompt.
std::string guessScheckBank(std::string_view institut);

struct EPAbsender1Felder {
    std::string EPAbsender2, EPAPlz, EPAOrt, EPKontonr, EPBAnk, EPBLZ;
};
EPAbsender1Felder EPAbsender1Click(std::string_view name);

struct EPEmpf1Felder {
    std::string EPEAnrede, EPEmpf2, EPEPLz, EPEOrt;
};
EPEmpf1Felder EPEmpf1Click(std::string_view name);

struct EPPAbsender1Felder {
    std::string EPPAbsender2, EPPPLZ, EPPOrt;
};
EPPAbsender1Felder EPPAbsender1Click(std::string_view name);

struct EPPEEmpf1Felder {
    std::string EPPEAnrede, EPPEEmpf2, EPPEPLZ, EPPEOrt, EPPELand;
};
EPPEEmpf1Felder EPPEEmpf1Click(std::string_view name);

// The foreign transfer window's originator pick (EAuftraggeberKontonrClick). `found` says
// whether the name has a record; the window's name field takes that record's name, since the
// record holds no name of its own. A missing or non-integer Bankdrucken reads unchecked.
struct EAuftraggeberKontonrFelder {
    bool found = false;
    std::string EAuftraggeberStrasse, EAuftraggeberPLZOrt, EAuftraggeberBLZ, EAuftraggeberBank,
        EReferenzKontoinhaber, etelefon;
    bool CBBankdrucken = false;
};
EAuftraggeberKontonrFelder EAuftraggeberKontonrClick(std::string_view name);

// The foreign transfer window's recipient pick (EEmpfaengerNameClick). A record written by
// another page has none of these values: they read empty and the transit box unchecked.
struct EEmpfaengerNameFelder {
    std::string EEmpfaengerStrasse, EEmpfaengerOrtLand, EKontonrIBAN, EEmpfaengerBankcode,
        EEmpfaengerBankSwift, EEmpfaengerBankName, EEmpfaengerBankStrasse, EEmpfaengerBankOrtLand,
        EZielland;
    std::array<std::string, 6> e105bis110;
    std::array<std::string, 3> e111;
    bool CBTransit = false;
};
EEmpfaengerNameFelder EEmpfaengerNameClick(std::string_view name);

// The counterfoil's sender lines for MemoDeutscheAbs: Abs1–Abs5 of UeberwE (Abs6 is stored but
// never shown again), trailing empty lines removed.
std::vector<std::string> LoadAbs();

// The memo rule: trailing empty lines go, the first line always stays.
void removeTrailingEmptyLines(std::vector<std::string>& lines);

// The last-used originator (settings value "Empfänger"); empty when none.
std::string letzterAuftraggeber();

// --- pick lists ---

// The names of both collections in the order the hive enumerates them; a collection that
// cannot be opened is nullopt, and its boxes keep their items.
struct AddressNames {
    std::optional<std::vector<std::string>> empfaenger;   // UeberwE
    std::optional<std::vector<std::string>> auftraggeber; // UeberwA
};
AddressNames LoadEmpfaenger();

// The order of the sorted name boxes: letters first without regard to case and umlauts
// ("Ärger" beside "Arger"), then case, then the bytes.
std::vector<std::string> sortedNames(std::vector<std::string> names);
bool nameLess(std::string_view a, std::string_view b);

} // namespace formidor
