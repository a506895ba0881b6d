#include "bankdata/iban.h"

#include "platform/convert.h"
#include "platform/text.h"

#include <algorithm>
#include <array>

namespace formidor {

namespace {

struct CountryLength {
    char code[3];
    uint8_t length;
};

// IBAN lengths by country, sorted by code: every SEPA country and the other countries that
// issue IBANs.
constexpr CountryLength kLengths[] = {
    {"AD", 24}, {"AE", 23}, {"AL", 28}, {"AT", 20}, {"AZ", 28}, {"BA", 20}, {"BE", 16}, {"BG", 22},
    {"BH", 22}, {"BR", 29}, {"BY", 28}, {"CH", 21}, {"CR", 22}, {"CY", 28}, {"CZ", 24}, {"DE", 22},
    {"DK", 18}, {"DO", 28}, {"EE", 20}, {"EG", 29}, {"ES", 24}, {"FI", 18}, {"FO", 18}, {"FR", 27},
    {"GB", 22}, {"GE", 22}, {"GI", 23}, {"GL", 18}, {"GR", 27}, {"GT", 28}, {"HR", 21}, {"HU", 28},
    {"IE", 22}, {"IL", 23}, {"IQ", 23}, {"IS", 26}, {"IT", 27}, {"JO", 30}, {"KW", 30}, {"KZ", 20},
    {"LB", 28}, {"LC", 32}, {"LI", 21}, {"LT", 20}, {"LU", 20}, {"LV", 21}, {"LY", 25}, {"MC", 27},
    {"MD", 24}, {"ME", 22}, {"MK", 19}, {"MR", 27}, {"MT", 31}, {"MU", 30}, {"NL", 18}, {"NO", 15},
    {"PK", 24}, {"PL", 28}, {"PS", 29}, {"PT", 25}, {"QA", 29}, {"RO", 24}, {"RS", 22}, {"SA", 24},
    {"SC", 31}, {"SE", 24}, {"SI", 19}, {"SK", 24}, {"SM", 27}, {"ST", 25}, {"SV", 28}, {"TL", 23},
    {"TN", 24}, {"TR", 26}, {"UA", 29}, {"VA", 22}, {"VG", 24}, {"XK", 20},
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// The blank-like characters a pasted IBAN carries: blank, tab, no-break space (UTF-8).
size_t blankAt(std::string_view s, size_t i) {
    if (s[i] == ' ' || s[i] == '\t') return 1;
    if (s.substr(i, 2) == "\xC2\xA0") return 2;
    return 0;
}

// The character at byte i for a message: a multi-byte character whole, a control character
// as its code.
std::string characterAt(std::string_view s, size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x20 || c == 0x7F) return "#" + std::to_string(c);
    size_t pos = i;
    char32_t cp = decodeUtf8(s, pos);
    std::string out;
    appendUtf8(out, cp);
    return "'" + out + "'";
}

// Takes the check by reference so that it is moved only once the reason, which is built from
// the check's own text, has been evaluated.
IbanCheck invalid(IbanCheck&& c, IbanFault fault, std::string reason) {
    c.verdict = IbanVerdict::Invalid;
    c.fault = fault;
    c.reason = std::move(reason);
    return std::move(c);
}

// The remainder modulo 97 of the IBAN read as a number: characters 5 onward, then the first
// four, letters counting 10 to 35. Only A–Z and 0–9 reach here.
int mod97(std::string_view iban) {
    int r = 0;
    auto add = [&r](char c) {
        if (isDigit(c))
            r = (r * 10 + (c - '0')) % 97;
        else
            r = (r * 100 + (c - 'A' + 10)) % 97;
    };
    for (char c : iban.substr(4)) add(c);
    for (char c : iban.substr(0, 4)) add(c);
    return r;
}

std::string digitsWithoutBlanks(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size();) {
        if (size_t n = blankAt(s, i)) {
            i += n;
            continue;
        }
        out += s[i++];
    }
    return out;
}

} // namespace

std::string normaliseIban(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && blankAt(text, start)) start += blankAt(text, start);
    std::string_view rest = text.substr(start);
    if (rest.size() > 4 && upperAscii(rest.substr(0, 4)) == "IBAN" && blankAt(rest, 4))
        rest.remove_prefix(4);
    std::string out;
    out.reserve(rest.size());
    for (size_t i = 0; i < rest.size();) {
        if (size_t n = blankAt(rest, i)) {
            i += n;
            continue;
        }
        char c = rest[i++];
        out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    }
    return out;
}

std::string ibanGroups(std::string_view iban) {
    std::string out;
    out.reserve(iban.size() + iban.size() / 4);
    size_t count = 0;
    for (size_t i = 0; i < iban.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(iban[i]) & 0xC0) == 0x80;
        if (!continuation) {
            if (count > 0 && count % 4 == 0) out += ' ';
            ++count;
        }
        out += iban[i];
    }
    return out;
}

int ibanLength(std::string_view country) {
    auto it = std::lower_bound(
        std::begin(kLengths), std::end(kLengths), country,
        [](const CountryLength& e, std::string_view c) { return std::string_view(e.code, 2) < c; });
    if (it == std::end(kLengths) || std::string_view(it->code, 2) != country) return 0;
    return it->length;
}

IbanCheck checkIbanText(std::string_view text) {
    IbanCheck c;
    c.iban = normaliseIban(text);
    const std::string& s = c.iban;
    if (s.empty()) return invalid(std::move(c), IbanFault::Empty, "leer");
    for (size_t i = 0; i < s.size(); ++i)
        if (!isDigit(s[i]) && !isUpper(s[i]))
            return invalid(std::move(c), IbanFault::Characters,
                           "unzulässiges Zeichen " + characterAt(s, i));
    if (s.size() < 2 || !isUpper(s[0]) || !isUpper(s[1]))
        return invalid(std::move(c), IbanFault::Country, "keine Länderkennung am Anfang");
    const std::string country = s.substr(0, 2);
    const int length = ibanLength(country);
    if (length == 0)
        return invalid(std::move(c), IbanFault::Country, "Länderkennung " + country + " unbekannt");
    if (static_cast<int>(s.size()) != length)
        return invalid(std::move(c), IbanFault::Length,
                       "Länge " + std::to_string(s.size()) + " statt " + std::to_string(length) +
                           " Zeichen für " + country);
    if (country == "DE") {
        for (size_t i = 4; i < s.size(); ++i)
            if (!isDigit(s[i]))
                return invalid(std::move(c), IbanFault::Characters,
                               "unzulässiges Zeichen " + characterAt(s, i) +
                                   ", nach DE stehen nur Ziffern");
    }
    // 00, 01 and 99 never result from the computation (98 minus a remainder): a checksum that
    // happens to come out right with them is still a wrong IBAN.
    const std::string_view check = std::string_view(s).substr(2, 2);
    if (!isDigit(check[0]) || !isDigit(check[1]) || check == "00" || check == "01" ||
        check == "99" || mod97(s) != 1)
        return invalid(std::move(c), IbanFault::CheckDigits, "Prüfziffern falsch");
    c.verdict = IbanVerdict::Valid;
    c.fault = IbanFault::None;
    if (country == "DE") {
        c.blz = s.substr(4, 8);
        c.account = s.substr(12, 10);
    }
    return c;
}

void lookUpGermanBank(IbanCheck& c, const BankLineLookup& lookup) {
    if (c.verdict == IbanVerdict::Invalid || !c.german()) return;
    auto line = lookup(c.blz);
    if (!line) {
        c.verdict = IbanVerdict::BankUnknown;
        return;
    }
    c.bankName = shortName(*line);
    c.bic = trimRight(cp1252ToUtf8(column(*line, 140, 150)));
    try {
        c.accountResult = PruefeMethode(methodCode(*line), c.account);
    } catch (const EConvertError&) {
        // Ten digits reach every method; should one still read past them, it cannot judge.
        c.accountResult = pzNichtVerfuegbar;
    }
    c.verdict = c.accountResult == pzFalsch ? IbanVerdict::AccountWrong : IbanVerdict::Valid;
}

BankLineIndex::BankLineIndex(const BankDirectory& dir) {
    std::string_view all = dir.bytes();
    lines_.reserve(all.size() / 160 + 16);
    for (size_t p = 0; p < all.size();) {
        size_t nl = all.find('\n', p);
        size_t end = nl == std::string_view::npos ? all.size() : nl;
        std::string_view line = all.substr(p, end - p);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string_view code = column(line, 1, 8);
        if (!code.empty()) lines_.emplace(code, line); // the first line of a code wins
        p = end + 1;
    }
}

std::optional<std::string_view> BankLineIndex::find(std::string_view blz) const {
    auto it = lines_.find(blz);
    if (it == lines_.end()) return std::nullopt;
    return it->second;
}

IbanCheck checkIban(std::string_view text, const BankDirectory& dir) {
    IbanCheck c = checkIbanText(text);
    lookUpGermanBank(c, [&dir](std::string_view blz) { return dir.findLine(blz); });
    return c;
}

IbanCheck checkIban(std::string_view text, const BankLineIndex& index) {
    IbanCheck c = checkIbanText(text);
    lookUpGermanBank(c, [&index](std::string_view blz) { return index.find(blz); });
    return c;
}

void lookUpGermanBank(IbanCheck& c, const std::filesystem::path& directoryFile) {
    if (c.verdict == IbanVerdict::Invalid || !c.german()) return;
    const std::optional<std::string> line = BankDirectory::findLineInFile(directoryFile, c.blz);
    lookUpGermanBank(c, [&line](std::string_view) {
        return line ? std::optional<std::string_view>(*line) : std::nullopt;
    });
}

IbanCheck checkIban(std::string_view text, const std::filesystem::path& directoryFile) {
    IbanCheck c = checkIbanText(text);
    lookUpGermanBank(c, directoryFile);
    return c;
}

IbanCheck checkOriginatorIbanText(std::string_view textWithoutDE) {
    const std::string rest = normaliseIban(textWithoutDE);
    if (rest.size() >= 2 && isUpper(rest[0]) && isUpper(rest[1])) {
        IbanCheck c;
        c.iban = rest;
        return invalid(std::move(c), IbanFault::Characters,
                       "bitte ohne Länderkennung eingeben, DE steht schon auf dem Formular");
    }
    if (rest.empty()) {
        IbanCheck c;
        return invalid(std::move(c), IbanFault::Empty, "leer");
    }
    IbanCheck c = checkIbanText("DE" + rest);
    // The field's own length, which is what the user counts.
    if (c.fault == IbanFault::Length)
        c.reason = "Länge " + std::to_string(utf8Length(rest)) + " statt " +
                   std::to_string(ibanLength("DE") - 2) + " Zeichen ohne DE";
    return c;
}

ComputedIban germanIban(std::string_view blzText, std::string_view kontoText) {
    const std::string blz = digitsWithoutBlanks(blzText);
    const std::string konto = digitsWithoutBlanks(kontoText);
    ComputedIban r;
    if (blz.size() != 8 || !std::all_of(blz.begin(), blz.end(), isDigit)) {
        r.error = "Die Bankleitzahl '" + std::string(blzText) + "' hat nicht acht Ziffern.";
        return r;
    }
    if (konto.empty() || konto.size() > 10 || !std::all_of(konto.begin(), konto.end(), isDigit)) {
        r.error =
            "Die Kontonummer '" + std::string(kontoText) + "' hat nicht ein bis zehn Ziffern.";
        return r;
    }
    std::string iban = "DE00" + blz + std::string(10 - konto.size(), '0') + konto;
    const int check = 98 - mod97(iban);
    iban[2] = static_cast<char>('0' + check / 10);
    iban[3] = static_cast<char>('0' + check % 10);
    r.iban = std::move(iban);
    return r;
}

std::string ibanStatusText(const IbanCheck& c) {
    auto bank = [&c] {
        std::string s = c.bankName.empty() ? std::string("Bank ohne Namen") : c.bankName;
        s += c.bic.empty() ? std::string(", ohne BIC im Verzeichnis") : ", BIC " + c.bic;
        return s;
    };
    switch (c.verdict) {
    case IbanVerdict::Invalid:
        return "IBAN ungültig: " + c.reason;
    case IbanVerdict::BankUnknown:
        return "IBAN gültig, aber die Bankleitzahl " + c.blz + " steht nicht im Bankverzeichnis";
    case IbanVerdict::AccountWrong:
        return "Prüfziffern stimmen, aber " + std::string(pruefergebnisText(pzFalsch)) + " (" +
               bank() + ")";
    case IbanVerdict::Valid:
        break;
    }
    if (!c.german()) return "IBAN gültig";
    std::string s = "IBAN gültig: " + bank();
    if (c.accountResult != pzRichtig) s += " – " + std::string(pruefergebnisText(c.accountResult));
    return s;
}

} // namespace formidor
