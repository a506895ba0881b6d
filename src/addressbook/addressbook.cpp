#include "addressbook/addressbook.h"

#include "platform/hive.h"
#include "platform/text.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace formidor {

namespace {

std::string collectionPath(std::string_view collection) {
    return "\\" + std::string(kAppKey) + "\\" + std::string(collection);
}

// The record's key, always inside its collection: the name is appended to the collection's
// absolute path, so a name starting with "\" cannot reach keys elsewhere in the hive. "\"
// inside a name separates subkeys, as the hive does everywhere.
std::string recordPath(std::string_view collection, std::string_view name) {
    return collectionPath(collection) + "\\" + std::string(name);
}

using Pair = std::pair<std::string_view, const std::string&>;

// Opens (creating) the collection and the person's record; false skips this half.
bool openForWrite(TRegistry& reg, std::string_view collection, std::string_view name) {
    if (!reg.OpenKey(collectionPath(collection), true)) return false;
    if (name.empty()) return true;
    return reg.OpenKey(recordPath(collection, name), true);
}

void writeRecord(std::string_view collection, std::string_view name,
                 std::initializer_list<Pair> values) {
    TRegistry reg;
    if (!openForWrite(reg, collection, name)) return;
    for (const auto& [value, text] : values) reg.WriteString(value, text);
    reg.CloseKey();
}

void writeSetting(std::string_view value, const std::string& text) {
    TRegistry reg;
    if (!reg.OpenKey("\\" + std::string(kAppKey), true)) return;
    reg.WriteString(value, text);
    reg.CloseKey();
}

std::string readText(TRegistry& reg, std::string_view value) {
    try {
        return reg.ReadString(value);
    } catch (const ERegistryException&) {
        // Only strings are ever written; anything else (an imported integer) counts as empty.
        return {};
    }
}

// The listed values of a record, empty where missing. A name without a record has no values:
// its reads must not fall through to the values stored under the empty name.
std::vector<std::string> readRecord(std::string_view collection, std::string_view name,
                                    std::initializer_list<std::string_view> values) {
    std::vector<std::string> out(values.size());
    try {
        TRegistry reg;
        if (!reg.OpenKey(collectionPath(collection), true)) return out;
        if (!name.empty() && !reg.OpenKey(recordPath(collection, name), false)) return out;
        size_t i = 0;
        for (auto v : values) out[i++] = readText(reg, v);
        reg.CloseKey();
    } catch (const ERegistryException&) {
        // The address book shows no messages; a hive that cannot be used reads as empty.
    }
    return out;
}

std::vector<std::string> numberedLines(std::string_view prefix, int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) names.push_back(std::string(prefix) + std::to_string(i));
    return names;
}

std::vector<std::string> readNumbered(TRegistry& reg, std::string_view prefix, int count) {
    std::vector<std::string> lines;
    for (const auto& v : numberedLines(prefix, count)) lines.push_back(readText(reg, v));
    return lines;
}

void writeNumbered(TRegistry& reg, std::string_view prefix, int count,
                   const std::vector<std::string>& lines) {
    auto names = numberedLines(prefix, count);
    for (int i = 0; i < count; ++i)
        reg.WriteString(names[i], i < static_cast<int>(lines.size()) ? lines[i] : std::string());
}

bool isCode(std::string_view code, const auto& table) {
    return std::any_of(table.begin(), table.end(), [&](const auto& c) { return c.code == code; });
}

} // namespace

void removeTrailingEmptyLines(std::vector<std::string>& lines) {
    while (lines.size() > 1 && lines.back().empty()) lines.pop_back();
}

// --- writers ---

void SaveEmpfaenger(const UeberweisungAdressen& d) {
    writeRecord(kUeberwE, d.EEmpfaenger,
                {{"Kontonr", d.EKontonr},
                 {"BLZ", d.EBLZ},
                 {"Institut", d.EBank},
                 {"Institut2", d.EBank2},
                 {"Verwendung1", d.EVerwendung1},
                 {"Verwendung2", d.EVerwendung2},
                 {"Art", d.EArt},
                 {"Entgelt", d.EEntgelt},
                 {"Zielland", d.EZielland},
                 {"IBANEmpf", d.EIBANEmpf}});
    {
        TRegistry reg;
        if (openForWrite(reg, kUeberwA, d.EAuftraggeber)) {
            reg.WriteString("Kontonr", d.EEigeneKontonr);
            reg.WriteString("BLZ", d.EAuftraggeberBLZ);
            reg.WriteString("IBANAuftrag", d.EIBANAuftrag);
            reg.WriteString("Institut", d.EAuftraggeberBank);
            if (isCode(d.Formular, kFormularCodes)) reg.WriteString("Formular", d.Formular);
            reg.CloseKey();
        }
    }
    writeSetting(kEmpfaengerValue, d.EAuftraggeber);
}

void SaveEmpfaengerV(const VerrechnungsscheckAdressen& d) {
    TRegistry reg;
    if (!reg.OpenKey(collectionPath(kUeberwE), true)) return;
    // The sender lines belong to the collection, shared by every recipient.
    writeNumbered(reg, "Abs", 6, d.MemoDeutscheAbs);
    if (!d.EEmpfaenger1.empty() && !reg.OpenKey(recordPath(kUeberwE, d.EEmpfaenger1), true)) return;
    reg.WriteString("Anrede", d.EAnredeE);
    reg.WriteString("Empfaenger2", d.EEmpfaenger2);
    reg.WriteString("Ort", d.EOrtEmpf);
    reg.WriteString("PLZ", d.EPLZE);
    if (isCode(d.Bank, kBankCodes)) reg.WriteString("Bank", d.Bank);
    writeNumbered(reg, "Verw", 20, d.MemoDeutscheVerw);
    reg.CloseKey();
}

void SaveEmpfaengerL(const LastschriftAdressen& d) {
    writeRecord(kUeberwE, d.ENameZ,
                {{"Kontonr", d.EKontonrZ}, {"BLZ", d.EBLZZ}, {"Institut", d.EBankZ}});
    writeRecord(kUeberwA, d.ENameZEmpf, {{"Kontonr", d.EKontonrZEmpf}});
    writeSetting(kEmpfaengerValue, d.EAuftraggeber);
}

void SaveEmpfaengerN(const NachnahmeAdressen& d) {
    writeRecord(kUeberwA, d.EEmpfN,
                {{"Kontonr", d.EKontonrEmpfN},
                 {"BLZ", d.EBLZN},
                 {"Institut", d.EBankN},
                 {"StrasseN", d.EStrasseN},
                 {"PLZOrtN", d.EPLZOrtN}});
    writeSetting(kEmpfaengerValue, d.EEmpfN);
}

void SaveEmpfaengerP(const PaketscheinAdressen& d) {
    writeRecord(kUeberwE, d.EPEmpf1,
                {{"Anrede", d.EPEAnrede},
                 {"Empfaenger2", d.EPEmpf2},
                 {"PLZ", d.EPEPLz},
                 {"Ort", d.EPEOrt}});
    writeRecord(kUeberwA, d.EPAbsender1,
                {{"Abs2", d.EPAbsender2},
                 {"Ort", d.EPAOrt},
                 {"PLZ", d.EPAPlz},
                 {"Kontonr", d.EPKontonr},
                 {"BLZ", d.EPBLZ},
                 {"Institut", d.EPBAnk}});
}

void SaveEmpfaengerPP(const PaketAdressen& d) {
    writeRecord(kUeberwE, d.EPPEEmpf1,
                {{"Anrede", d.EPPEAnrede},
                 {"Empfaenger2", d.EPPEEmpf2},
                 {"PLZ", d.EPPEPLZ},
                 {"Ort", d.EPPEOrt},
                 {"Land", d.EPPELand}});
    writeRecord(kUeberwA, d.EPPAbsender1,
                {{"Abs2", d.EPPAbsender2}, {"Ort", d.EPPOrt}, {"PLZ", d.EPPPLZ}});
}

void SaveDaten(const ScheckeinreichungAdressen& d) {
    TRegistry reg;
    if (!openForWrite(reg, kUeberwA, d.EKontoinhaber)) return;
    reg.WriteString("ScheckBank", d.ComboBox1);
    if (d.ComboBox1 == "Dresdner Bank") reg.WriteString("Kontonr", d.EEmpfaengerKontonr);
    reg.CloseKey();
}

void SaveAusl(const AuslandAdressen& d) {
    {
        TRegistry reg;
        if (openForWrite(reg, kUeberwE, d.EEmpfaengerName)) {
            reg.WriteString("Strasse", d.EEmpfaengerStrasse);
            reg.WriteString("OrtLand", d.EEmpfaengerOrtLand);
            reg.WriteString("KontonrIBAN", d.EKontonrIBAN);
            reg.WriteString("Bankcode", d.EEmpfaengerBankcode);
            reg.WriteString("SWIFT", d.EEmpfaengerBankSwift);
            reg.WriteString("Bankname", d.EEmpfaengerBankName);
            reg.WriteString("Bankstrasse", d.EEmpfaengerBankStrasse);
            reg.WriteString("Bankortland", d.EEmpfaengerBankOrtLand);
            for (size_t i = 0; i < d.e105bis110.size(); ++i)
                reg.WriteString(std::to_string(105 + i), d.e105bis110[i]);
            for (size_t i = 0; i < d.e111.size(); ++i)
                reg.WriteString("111_" + std::to_string(i + 1), d.e111[i]);
            reg.WriteBool("transit", d.CBTransit);
            reg.WriteString("Zielland", d.EZielland);
            reg.CloseKey();
        }
    }
    TRegistry reg;
    if (!openForWrite(reg, kUeberwA, d.EAuftraggeberName)) return;
    reg.WriteBool("Bankdrucken", d.CBBankdrucken);
    reg.WriteString("BLZ", d.EAuftraggeberBLZ);
    reg.WriteString("Bank", d.EAuftraggeberBank);
    reg.WriteString("Kontonr", d.EAuftraggeberKontonr);
    reg.WriteString("Strasse", d.EAuftraggeberStrasse);
    reg.WriteString("PLZOrt", d.EAuftraggeberPLZOrt);
    reg.WriteString("Telefon", d.etelefon);
    reg.WriteString("Referenz", d.EReferenzKontoinhaber);
    reg.CloseKey();
}

// --- readers ---

EEmpfaengerFelder EEmpfaengerClick(std::string_view name) {
    auto v = readRecord(kUeberwE, name,
                        {"Kontonr", "BLZ", "Institut", "Institut2", "Verwendung1", "Verwendung2",
                         "Art", "Entgelt", "Zielland", "IBANEmpf"});
    return {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9]};
}

void EAuftraggeberClick(std::string_view name, EAuftraggeberFelder& f) {
    auto v = readRecord(kUeberwA, name, {"Kontonr", "BLZ", "Institut", "IBANAuftrag", "Formular"});
    std::string* fields[] = {&f.EEigeneKontonr, &f.EAuftraggeberBLZ, &f.EAuftraggeberBank,
                             &f.EIBANAuftrag};
    for (size_t i = 0; i < 4; ++i)
        if (!v[i].empty()) *fields[i] = v[i];
    if (isCode(v[4], kFormularCodes)) f.Formular = v[4];
}

EEmpfaenger1Felder EEmpfaenger1Click(std::string_view name) {
    std::vector<std::string_view> values = {"Anrede", "Empfaenger2", "PLZ", "Ort", "Bank"};
    auto verw = numberedLines("Verw", 20);
    EEmpfaenger1Felder f;
    std::vector<std::string> v(5 + 20);
    try {
        TRegistry reg;
        if (reg.OpenKey(collectionPath(kUeberwE), true) &&
            (name.empty() || reg.OpenKey(recordPath(kUeberwE, name), false))) {
            for (size_t i = 0; i < values.size(); ++i) v[i] = readText(reg, values[i]);
            for (size_t i = 0; i < verw.size(); ++i) v[5 + i] = readText(reg, verw[i]);
        }
    } catch (const ERegistryException&) {
    }
    f.EAnredeE = v[0];
    f.EEmpfaenger2 = v[1];
    f.EPLZE = v[2];
    f.EOrtEmpf = v[3];
    if (isCode(v[4], kBankCodes)) f.Bank = v[4];
    f.MemoDeutscheVerw.assign(v.begin() + 5, v.end());
    removeTrailingEmptyLines(f.MemoDeutscheVerw);
    return f;
}

ENameZFelder ENameZClick(std::string_view name) {
    auto v = readRecord(kUeberwE, name, {"Kontonr", "BLZ", "Institut"});
    return {v[0], v[1], v[2]};
}

ENameZEmpfFelder ENameZEmpfClick(std::string_view name) {
    auto v = readRecord(kUeberwA, name, {"Kontonr"});
    return {v[0]};
}

EEmpfNFelder EEmpfNClick(std::string_view name) {
    auto v = readRecord(kUeberwA, name, {"Kontonr", "StrasseN", "PLZOrtN", "BLZ", "Institut"});
    return {v[0], v[1], v[2], v[3], v[4]};
}

std::string guessScheckBank(std::string_view institut) {
    static constexpr std::pair<std::string_view, std::string_view> kGuesses[] = {
        {"Dresdner", "Dresdner Bank"},
        {"Berliner Bank", "Berliner Bank"},
        {"Sparkasse", "Sparkasse"},
        {"Deutsche Bank", "Deutsche Bank"},
    };
    for (const auto& [word, bank] : kGuesses)
        if (institut.find(word) != std::string_view::npos) return std::string(bank);
    return std::string(kBankPrompt);
}

EKontoinhaberFelder EKontoinhaberClick(std::string_view name) {
    auto v = readRecord(kUeberwA, name, {"Kontonr", "ScheckBank", "Institut"});
    EKontoinhaberFelder f{v[0], v[1]};
    if (f.ComboBox1.empty()) f.ComboBox1 = guessScheckBank(v[2]);
    return f;
}

EPAbsender1Felder EPAbsender1Click(std::string_view name) {
    auto v = readRecord(kUeberwA, name, {"Abs2", "PLZ", "Ort", "Kontonr", "Institut", "BLZ"});
    return {v[0], v[1], v[2], v[3], v[4], v[5]};
}

EPEmpf1Felder EPEmpf1Click(std::string_view name) {
    auto v = readRecord(kUeberwE, name, {"Anrede", "Empfaenger2", "PLZ", "Ort"});
    return {v[0], v[1], v[2], v[3]};
}

EPPAbsender1Felder EPPAbsender1Click(std::string_view name) {
    auto v = readRecord(kUeberwA, name, {"Abs2", "PLZ", "Ort"});
    return {v[0], v[1], v[2]};
}

EPPEEmpf1Felder EPPEEmpf1Click(std::string_view name) {
    auto v = readRecord(kUeberwE, name, {"Anrede", "Empfaenger2", "PLZ", "Ort", "Land"});
    return {v[0], v[1], v[2], v[3], v[4]};
}

namespace {

// A check box stored as a boolean; missing, or stored as text by an import, reads unchecked.
bool readFlag(TRegistry& reg, std::string_view value) {
    return reg.GetDataType(value) == TRegDataType::rdInteger && reg.ReadBool(value);
}

// Opens a record for reading; false when the name has no record (the empty name is the
// collection itself).
bool openRecord(TRegistry& reg, std::string_view collection, std::string_view name) {
    if (!reg.OpenKey(collectionPath(collection), true)) return false;
    return name.empty() || reg.OpenKey(recordPath(collection, name), false);
}

} // namespace

EAuftraggeberKontonrFelder EAuftraggeberKontonrClick(std::string_view name) {
    EAuftraggeberKontonrFelder f;
    try {
        TRegistry reg;
        if (!openRecord(reg, kUeberwA, name)) return f;
        f.found = true;
        f.EAuftraggeberStrasse = readText(reg, "Strasse");
        f.EAuftraggeberPLZOrt = readText(reg, "PLZOrt");
        f.EAuftraggeberBLZ = readText(reg, "BLZ");
        f.EAuftraggeberBank = readText(reg, "Bank");
        f.EReferenzKontoinhaber = readText(reg, "Referenz");
        f.etelefon = readText(reg, "Telefon");
        f.CBBankdrucken = readFlag(reg, "Bankdrucken");
        reg.CloseKey();
    } catch (const ERegistryException&) {
        return {};
    }
    return f;
}

EEmpfaengerNameFelder EEmpfaengerNameClick(std::string_view name) {
    EEmpfaengerNameFelder f;
    try {
        TRegistry reg;
        if (!openRecord(reg, kUeberwE, name)) return f;
        f.EEmpfaengerStrasse = readText(reg, "Strasse");
        f.EEmpfaengerOrtLand = readText(reg, "OrtLand");
        f.EKontonrIBAN = readText(reg, "KontonrIBAN");
        f.EEmpfaengerBankcode = readText(reg, "Bankcode");
        f.EEmpfaengerBankSwift = readText(reg, "SWIFT");
        f.EEmpfaengerBankName = readText(reg, "Bankname");
        f.EEmpfaengerBankStrasse = readText(reg, "Bankstrasse");
        f.EEmpfaengerBankOrtLand = readText(reg, "Bankortland");
        f.EZielland = readText(reg, "Zielland");
        for (size_t i = 0; i < f.e105bis110.size(); ++i)
            f.e105bis110[i] = readText(reg, std::to_string(105 + i));
        for (size_t i = 0; i < f.e111.size(); ++i)
            f.e111[i] = readText(reg, "111_" + std::to_string(i + 1));
        f.CBTransit = readFlag(reg, "transit");
        reg.CloseKey();
    } catch (const ERegistryException&) {
        return {};
    }
    return f;
}

std::vector<std::string> LoadAbs() {
    std::vector<std::string> lines(5);
    try {
        TRegistry reg;
        if (reg.OpenKey(collectionPath(kUeberwE), true)) lines = readNumbered(reg, "Abs", 5);
    } catch (const ERegistryException&) {
    }
    removeTrailingEmptyLines(lines);
    return lines;
}

std::string letzterAuftraggeber() {
    try {
        TRegistry reg;
        if (!reg.OpenKey("\\" + std::string(kAppKey), true)) return {};
        return readText(reg, kEmpfaengerValue);
    } catch (const ERegistryException&) {
        return {};
    }
}

// --- pick lists ---

AddressNames LoadEmpfaenger() {
    AddressNames names;
    auto list = [](std::string_view collection) -> std::optional<std::vector<std::string>> {
        try {
            TRegistry reg;
            if (!reg.OpenKey(collectionPath(collection), true)) return std::nullopt;
            return reg.GetKeyNames();
        } catch (const ERegistryException&) {
            return std::nullopt;
        }
    };
    names.empfaenger = list(kUeberwE);
    names.auftraggeber = list(kUeberwA);
    return names;
}

namespace {

// Folded, with the German umlauts and ß spelt as their base letters.
std::string primaryKey(std::string_view s) {
    std::string folded = caseFold(s);
    std::string out;
    out.reserve(folded.size());
    size_t pos = 0;
    while (pos < folded.size()) {
        char32_t cp = decodeUtf8(folded, pos);
        switch (cp) {
        case U'ä':
        case U'à':
        case U'á':
        case U'â':
            out += 'a';
            break;
        case U'ö':
        case U'ò':
        case U'ó':
        case U'ô':
            out += 'o';
            break;
        case U'ü':
        case U'ù':
        case U'ú':
        case U'û':
            out += 'u';
            break;
        case U'é':
        case U'è':
        case U'ê':
            out += 'e';
            break;
        case U'ß':
            out += "ss";
            break;
        default:
            appendUtf8(out, cp);
        }
    }
    return out;
}

} // namespace

bool nameLess(std::string_view a, std::string_view b) {
    std::string pa = primaryKey(a), pb = primaryKey(b);
    if (pa != pb) return pa < pb;
    std::string fa = caseFold(a), fb = caseFold(b);
    if (fa != fb) return fa < fb;
    return a < b;
}

std::vector<std::string> sortedNames(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return nameLess(a, b); });
    return names;
}

} // namespace formidor
