#pragma once
// IBANs: the international account number of ISO 13616 (country, two check digits, the
// country's domestic account number), checked by its country's length and the check digits
// modulo 97. A German IBAN carries the bank code and the ten-digit account, so it is also looked
// up in the bank directory and its account verified by the bank's check-digit method.
#include "bankdata/bankdirectory.h"
#include "bankdata/pruefziffer.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace formidor {

enum class IbanVerdict : uint8_t {
    Valid,        // checksum right; a German IBAN's bank is known and its account not wrong
    BankUnknown,  // checksum right, but the German bank code is not in the directory
    AccountWrong, // checksum right, but the account fails its bank's check-digit method
    Invalid,      // see IbanFault
};

enum class IbanFault : uint8_t { None, Empty, Characters, Country, Length, CheckDigits };

struct IbanCheck {
    IbanVerdict verdict = IbanVerdict::Invalid;
    IbanFault fault = IbanFault::Empty;
    std::string reason; // German, for an invalid IBAN: what is wrong
    std::string iban;   // the text as normalised (electronic form when valid)

    // German IBANs with a right checksum: characters 5–12 and 13–22.
    std::string blz, account;
    // From the bank's directory line, UTF-8 without trailing blanks; empty when not found.
    std::string bic, bankName;
    Pruefergebnis accountResult = pzNichtVerfuegbar;

    bool german() const { return !blz.empty(); }
    // What the command line counts as "gültig": the checksum is right and the account is not
    // known to be wrong.
    bool usable() const {
        return verdict == IbanVerdict::Valid || verdict == IbanVerdict::BankUnknown;
    }
};

// Blanks (also tabs and no-break spaces) removed, a leading "IBAN " dropped, a–z made A–Z;
// every other character stays, for the check to name it.
std::string normaliseIban(std::string_view text);
// Groups of four separated by a blank, as an IBAN is written on paper; counted in characters,
// so a stray multi-byte character is never split.
std::string ibanGroups(std::string_view iban);
// The IBAN length of a country code ("DE" → 22); 0 for a country without IBANs in the table.
int ibanLength(std::string_view country);

// The checks that need no directory. A German IBAN that passes gets blz and account set; its
// verdict is Valid until the bank is looked up.
IbanCheck checkIbanText(std::string_view text);

// Bank code → directory line, first line in file order.
using BankLineLookup = std::function<std::optional<std::string_view>(std::string_view blz)>;
// Looks a German IBAN of checkIbanText up: bank name, BIC, account verdict. Other IBANs stay as
// they are.
void lookUpGermanBank(IbanCheck& check, const BankLineLookup& lookup);

// Every line's bank code indexed once, for checking many IBANs against one read directory.
class BankLineIndex {
public:
    explicit BankLineIndex(const BankDirectory& dir);
    std::optional<std::string_view> find(std::string_view blz) const;

private:
    std::unordered_map<std::string_view, std::string_view> lines_;
};

IbanCheck checkIban(std::string_view text, const BankDirectory& dir);
IbanCheck checkIban(std::string_view text, const BankLineIndex& index);
// One IBAN against the directory file, read afresh only up to the bank's line. Throws
// EBankFileError, and then only for a German IBAN that passes the checks of checkIbanText.
IbanCheck checkIban(std::string_view text, const std::filesystem::path& directoryFile);
void lookUpGermanBank(IbanCheck& check, const std::filesystem::path& directoryFile);

// The originator's IBAN field, which holds the IBAN without the "DE" printed on the form:
// checked as "DE" + its text. Text that itself starts with a letter is invalid, with a reason
// saying so, since the form would then carry the country twice.
IbanCheck checkOriginatorIbanText(std::string_view textWithoutDE);

// The standard German construction: "DE", check digits, the bank code, the account with
// leading zeros to ten digits. Banks with their own IBAN rules are not known to the directory,
// so the result is a proposal. error (German) is set, and iban empty, when the bank code is not
// eight digits or the account not one to ten digits (blanks are ignored).
struct ComputedIban {
    std::string iban, error;
};
ComputedIban germanIban(std::string_view blz, std::string_view konto);

// Said wherever a computed IBAN is shown.
inline constexpr std::string_view kComputedIbanNote =
    "nach der Standardregel berechnet, Sonderregeln einzelner Banken sind nicht berücksichtigt";

// The status line's text for a verdict.
std::string ibanStatusText(const IbanCheck& check);

} // namespace formidor
