#pragma once
// Conversions between texts and numbers by the rules the forms need, whatever the machine's
// locale: German number and date conventions unless a caller states others.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace formidor {

struct FormatSettings {
    char decimalSeparator = ',';
    char thousandSeparator = '.';
    char dateSeparator = '.';
    char timeSeparator = ':';
    std::string shortDateFormat = "dd.mm.yyyy";
    std::string currencyString = "€";

    static const FormatSettings& german();
};

// A text that is not a valid number, date, …; the message is the user's German text.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kInvalidInteger = "'%s' ist kein gültiger Integerwert";
inline constexpr std::string_view kInvalidFloat = "'%s' ist kein gültiger Gleitkommawert";

// A floating-point value with no integer counterpart (NaN, infinite, beyond 64 bits).
class EInvalidOp : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
inline constexpr std::string_view kInvalidFloatOperation = "Ungültige Gleitkommaoperation";

// Leading blanks, an optional sign, decimal digits or "$"/"0x" hex digits, nothing after them;
// outside the 32-bit range is invalid too.
int32_t StrToInt(std::string_view s);
bool TryStrToInt(std::string_view s, int32_t& value);
int64_t StrToInt64(std::string_view s);
bool TryStrToInt64(std::string_view s, int64_t& value);
int32_t StrToIntDef(std::string_view s, int32_t fallback);
std::string IntToStr(int64_t v);

// Surrounding blanks, a sign, digits with at most one decimal separator, an optional exponent.
// No thousands separators: "1.234,56" is not a number in German settings.
double StrToFloat(std::string_view s, const FormatSettings& fs = FormatSettings::german());
bool TryStrToFloat(std::string_view s, double& value,
                   const FormatSettings& fs = FormatSettings::german());

enum class FloatFormat { General, Exponent, Fixed, Number };
// The value rounded to `precision` significant digits. Fixed and Number show `digits` decimals
// (Number with thousands separators) and fall back to the general scientific form when the
// integer part needs more than `precision` digits. General uses the shortest form of at most
// `precision` digits, Exponent "d,dddE+dd" with at least `digits` exponent digits.
std::string FloatToStrF(double value, FloatFormat format, int precision, int digits,
                        const FormatSettings& fs = FormatSettings::german());
// General form with 15 significant digits.
std::string FloatToStr(double value, const FormatSettings& fs = FormatSettings::german());

// Rounds to the nearest integer, halves to the even neighbour (2.5 → 2, 3.5 → 4, −2.5 → −2).
// Throws EInvalidOp when the result does not fit into 64 bits, or for NaN.
int64_t Round(double v);

// Amounts are held as ten-thousandths in a signed 64-bit integer.
using Currency = int64_t;
inline constexpr int64_t kCurrencyScale = 10000;
Currency CurrencyFromDouble(double v); // Round(v * 10000); EInvalidOp beyond the range
double CurrencyToDouble(Currency c);

} // namespace formidor
