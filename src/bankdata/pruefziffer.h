#pragma once
// Verification of German account numbers by the check-digit method the Bundesbank assigns to
// each bank code.
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace formidor {

enum Pruefergebnis : uint8_t {
    pzFalsch = 0,
    pzRichtig = 1,
    pzNichtPruefbar = 2,
    pzNichtVerfuegbar = 3,
};

// The status line's text for a result.
std::string_view pruefergebnisText(Pruefergebnis r);

// Runs method `methode` (0–99, −1 for a code that is not two digits) on the account text.
// A position the method reads that holds no digit (or lies beyond the end) raises
// EConvertError "'%s' ist kein gültiger Integerwert".
Pruefergebnis PruefeMethode(int methode, std::string_view konto);

// Looks the bank's method up in the directory file (read afresh) and runs it. A bank code no
// line holds gives pzNichtVerfuegbar. Throws EBankFileError when the file cannot be read.
Pruefergebnis PruefeKontonummer(std::string_view konto, std::string_view blz);
Pruefergebnis PruefeKontonummer(std::string_view konto, std::string_view blz,
                                const std::filesystem::path& file);

} // namespace formidor
