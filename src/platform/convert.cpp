#include "platform/convert.h"

#include "platform/text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace formidor {

const FormatSettings& FormatSettings::german() {
    static const FormatSettings fs;
    return fs;
}

namespace {

bool parseInt64(std::string_view s, int64_t& out, int64_t lo, int64_t hi) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return false;
    // Accumulate as a negative number so that the lowest value fits.
    int64_t acc = 0;
    const int64_t minLimit = std::numeric_limits<int64_t>::min();
    for (; i < s.size(); ++i) {
        char c = s[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (acc < (minLimit + d) / base) return false;
        acc = acc * base - d;
    }
    if (!neg) {
        if (acc == minLimit) return false;
        acc = -acc;
    }
    if (acc < lo || acc > hi) return false;
    out = acc;
    return true;
}

} // namespace

bool TryStrToInt(std::string_view s, int32_t& value) {
    int64_t v;
    if (!parseInt64(s, v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()))
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

int32_t StrToInt(std::string_view s) {
    int32_t v;
    if (!TryStrToInt(s, v)) throw EConvertError(formatMessage(kInvalidInteger, s));
    return v;
}

bool TryStrToInt64(std::string_view s, int64_t& value) {
    return parseInt64(s, value, std::numeric_limits<int64_t>::min(),
                      std::numeric_limits<int64_t>::max());
}

int64_t StrToInt64(std::string_view s) {
    int64_t v;
    if (!TryStrToInt64(s, v)) throw EConvertError(formatMessage(kInvalidInteger, s));
    return v;
}

int32_t StrToIntDef(std::string_view s, int32_t fallback) {
    int32_t v;
    return TryStrToInt(s, v) ? v : fallback;
}

std::string IntToStr(int64_t v) {
    return std::to_string(v);
}

bool TryStrToFloat(std::string_view s, double& value, const FormatSettings& fs) {
    std::string t = trim(s);
    std::string c; // the number in the C locale's shape for strtod
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) c += t[i++];
    int digits = 0;
    bool sep = false;
    for (; i < t.size(); ++i) {
        char ch = t[i];
        if (ch >= '0' && ch <= '9') {
            c += ch;
            ++digits;
        } else if (ch == fs.decimalSeparator && !sep) {
            c += '.';
            sep = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        c += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) c += t[i++];
        int expDigits = 0;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++expDigits) c += t[i];
        if (expDigits == 0) return false;
    }
    if (i != t.size()) return false;
    errno = 0;
    double v = std::strtod(c.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(v)) return false;
    value = v;
    return true;
}

double StrToFloat(std::string_view s, const FormatSettings& fs) {
    double v;
    if (!TryStrToFloat(s, v, fs)) throw EConvertError(formatMessage(kInvalidFloat, s));
    return v;
}

namespace {

// The decimal digits of |value| rounded to `precision` significant digits, and the position of
// the decimal point: value = 0.DIGITS × 10^exponent.
struct Decimal {
    std::string digits; // no trailing zeros; empty for zero
    int exponent = 0;
    bool negative = false;
};

Decimal toDecimal(double value, int precision) {
    Decimal d;
    if (precision < 1) precision = 1;
    if (precision > 17) precision = 17;
    d.negative = std::signbit(value) && value != 0;
    if (value == 0) return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, std::fabs(value));
    std::string s(buf);
    auto e = s.find('e');
    std::string mant = s.substr(0, e);
    int exp10 = std::atoi(s.c_str() + e + 1);
    for (char ch : mant)
        if (ch >= '0' && ch <= '9') d.digits += ch;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    d.exponent = exp10 + 1;
    if (d.digits.empty()) d.negative = false;
    return d;
}

std::string formatGeneral(const Decimal& d, int precision, const FormatSettings& fs) {
    if (d.digits.empty()) return "0";
    std::string out = d.negative ? "-" : "";
    int n = static_cast<int>(d.digits.size());
    if (d.exponent > precision || d.exponent < -3) {
        out += d.digits[0];
        if (n > 1) {
            out += fs.decimalSeparator;
            out += d.digits.substr(1);
        }
        out += 'E';
        int e = d.exponent - 1;
        if (e < 0) out += '-';
        out += std::to_string(std::abs(e));
        return out;
    }
    if (d.exponent <= 0) {
        out += '0';
        out += fs.decimalSeparator;
        out += std::string(-d.exponent, '0');
        out += d.digits;
        return out;
    }
    if (n <= d.exponent) {
        out += d.digits + std::string(d.exponent - n, '0');
    } else {
        out += d.digits.substr(0, d.exponent);
        out += fs.decimalSeparator;
        out += d.digits.substr(d.exponent);
    }
    return out;
}

} // namespace

std::string FloatToStrF(double value, FloatFormat format, int precision, int digits,
                        const FormatSettings& fs) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (precision > 18) precision = 18;
    Decimal d = toDecimal(value, precision);
    switch (format) {
    case FloatFormat::General:
        return formatGeneral(d, precision, fs);
    case FloatFormat::Exponent: {
        std::string out = d.negative ? "-" : "";
        std::string m = d.digits.empty() ? "0" : d.digits;
        m.resize(std::max(precision, 1), '0');
        out += m[0];
        if (m.size() > 1) {
            out += fs.decimalSeparator;
            out += m.substr(1);
        }
        int e = d.digits.empty() ? 0 : d.exponent - 1;
        out += 'E';
        out += e < 0 ? '-' : '+';
        std::string es = std::to_string(std::abs(e));
        if (static_cast<int>(es.size()) < digits) es.insert(0, digits - es.size(), '0');
        out += es;
        return out;
    }
    case FloatFormat::Fixed:
    case FloatFormat::Number: {
        if (d.exponent > precision) return formatGeneral(d, precision, fs);
        if (digits < 0) digits = 0;
        if (digits > 18) digits = 18;
        // Round the already significant-digit-rounded value to `digits` decimals.
        std::string all = d.digits;
        int intLen = d.exponent;
        // Build digits aligned: integer part and fraction.
        std::string intPart, frac;
        for (int i = 0; i < intLen; ++i) intPart += i < static_cast<int>(all.size()) ? all[i] : '0';
        for (int i = 0; i < digits + 1; ++i) {
            int idx = intLen + i;
            frac += (idx >= 0 && idx < static_cast<int>(all.size())) ? all[idx] : '0';
        }
        // Half-up on the decimal digits, as the decimal rendering of a rounded value.
        bool up = frac.back() >= '5';
        frac.pop_back();
        std::string num = intPart + frac;
        if (num.empty()) num = "0";
        if (up) {
            int i = static_cast<int>(num.size()) - 1;
            while (i >= 0) {
                if (num[i] == '9') {
                    num[i] = '0';
                    --i;
                } else {
                    ++num[i];
                    break;
                }
            }
            if (i < 0) num.insert(num.begin(), '1');
        }
        std::string ip = num.substr(0, num.size() - digits);
        std::string fp = num.substr(num.size() - digits);
        size_t nz = ip.find_first_not_of('0');
        ip = nz == std::string::npos ? "0" : ip.substr(nz);
        if (format == FloatFormat::Number && ip.size() > 3) {
            std::string g;
            int cnt = 0;
            for (int i = static_cast<int>(ip.size()) - 1; i >= 0; --i) {
                g.insert(g.begin(), ip[i]);
                if (++cnt % 3 == 0 && i > 0) g.insert(g.begin(), fs.thousandSeparator);
            }
            ip = g;
        }
        bool isZero = ip == "0" && fp.find_first_not_of('0') == std::string::npos;
        std::string out = (d.negative && !isZero) ? "-" : "";
        out += ip;
        if (digits > 0) {
            out += fs.decimalSeparator;
            out += fp;
        }
        return out;
    }
    }
    return {};
}

std::string FloatToStr(double value, const FormatSettings& fs) {
    return FloatToStrF(value, FloatFormat::General, 15, 0, fs);
}

int64_t Round(double v) {
    const double r = std::nearbyint(v);
    // Converting a double outside the int64 range is undefined and in practice yields the
    // lowest value: an amount such as "1e20" would turn into a huge negative one. 2^63 is
    // exactly representable, so the bounds below are exact; NaN fails both comparisons.
    constexpr double kLimit = 9223372036854775808.0;
    if (!(r >= -kLimit && r < kLimit)) throw EInvalidOp(std::string(kInvalidFloatOperation));
    return static_cast<int64_t>(r);
}

Currency CurrencyFromDouble(double v) {
    return Round(v * static_cast<double>(kCurrencyScale));
}

double CurrencyToDouble(Currency c) {
    return static_cast<double>(c) / static_cast<double>(kCurrencyScale);
}

} // namespace formidor
