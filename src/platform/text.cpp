#include "platform/text.h"

#include <array>

namespace formidor {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five undefined positions.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

char32_t decodeUtf8(std::string_view s, size_t& pos) {
    auto b0 = static_cast<unsigned char>(s[pos++]);
    if (b0 < 0x80) return b0;
    int extra;
    char32_t cp;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size()) return 0xFFFD;
        auto b = static_cast<unsigned char>(s[pos]);
        if ((b & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (b & 0x3F);
        ++pos;
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = decodeUtf8(utf8, pos);
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char c = '?';
        for (size_t i = 0; i < kCp1252High.size(); ++i) {
            if (kCp1252High[i] != 0 && kCp1252High[i] == cp) {
                c = static_cast<char>(0x80 + i);
                break;
            }
        }
        out += c;
    }
    return out;
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
        } else if (b < 0xA0) {
            char16_t cp = kCp1252High[b - 0x80];
            if (cp == 0)
                out += '?';
            else
                appendUtf8(out, cp);
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

std::u16string utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = decodeUtf8(utf8, pos);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        appendUtf8(out, cp);
    }
    return out;
}

size_t utf8Length(std::string_view s) {
    size_t n = 0;
    for (size_t pos = 0; pos < s.size(); ++n) decodeUtf8(s, pos);
    return n;
}

std::string utf8Left(std::string_view s, size_t n) {
    size_t pos = 0;
    for (size_t i = 0; i < n && pos < s.size(); ++i) decodeUtf8(s, pos);
    return std::string(s.substr(0, pos));
}

namespace {

// Simple case folding for the scripts a German address book meets: Latin (with Latin-1 and
// Latin Extended-A/B), Greek and Cyrillic. Other code points fold to themselves.
char32_t foldCodePoint(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c == 0xB5) return 0x3BC;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149) return c;
        if (c == 0x178) return 0xFF;
        if (c == 0x17F) return 's';
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c % 2 == 1) ? c + 1 : c;
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c == 0x386) return 0x3AC; // Greek capitals with tonos
    if (c >= 0x388 && c <= 0x38A) return c + 37;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 63;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
    if (c == 0x3C2) return 0x3C3;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    // Palochka, and the block after it where the capitals sit on odd code points.
    if (c == 0x4C0) return 0x4CF;
    if (c >= 0x4C1 && c <= 0x4CE) return (c % 2 == 1) ? c + 1 : c;
    if (c >= 0x460 && c <= 0x4FF && c % 2 == 0 && !(c >= 0x482 && c <= 0x489) &&
        !(c >= 0x4C0 && c <= 0x4CF))
        return c + 1;
    if (c == 0x1E9E) return 0xDF;
    if (c >= 0x1E00 && c <= 0x1EFF && c % 2 == 0 && !(c >= 0x1E96 && c <= 0x1E9F)) return c + 1;
    return c;
}

} // namespace

std::string caseFold(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        unsigned char b = static_cast<unsigned char>(utf8[pos]);
        if (b < 0x80) {
            out += static_cast<char>((b >= 'A' && b <= 'Z') ? b + 32 : b);
            ++pos;
            continue;
        }
        appendUtf8(out, foldCodePoint(decodeUtf8(utf8, pos)));
    }
    return out;
}

bool sameTextIgnoringCase(std::string_view a, std::string_view b) {
    return caseFold(a) == caseFold(b);
}

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (auto& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
}

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (auto& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

namespace {
bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
} // namespace

std::string trimLeft(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && isBlankOrControl(s[b])) ++b;
    return std::string(s.substr(b));
}

std::string trimRight(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && isBlankOrControl(s[e - 1])) --e;
    return std::string(s.substr(0, e));
}

std::string trim(std::string_view s) {
    return trimLeft(trimRight(s));
}

std::string formatMessage(std::string_view pattern, std::string_view arg) {
    std::string out(pattern);
    auto p = out.find("%s");
    if (p != std::string::npos) out.replace(p, 2, arg);
    return out;
}

} // namespace formidor
