#include "platform/editmask.h"

#include "platform/text.h"

namespace formidor {

namespace {

std::u32string toU32(std::string_view s) {
    std::u32string out;
    size_t pos = 0;
    while (pos < s.size()) out += decodeUtf8(s, pos);
    return out;
}

std::string toUtf8(const std::u32string& s) {
    std::string out;
    for (char32_t c : s) appendUtf8(out, c);
    return out;
}

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// Letters of the Latin scripts a German form is typed in.
bool isLetter(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z')) return true;
    if (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) return true;
    return c >= 0x370 && c <= 0x52F; // Greek, Cyrillic
}

char32_t toUpper(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    return c;
}

char32_t toLower(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    return c;
}

} // namespace

EditMask::EditMask(std::string_view maskText, const FormatSettings& fs) : maskText_(maskText) {
    std::u32string all = toU32(maskText);
    // Split off the save-literals and blank parts; "\;" is a literal semicolon in the mask.
    size_t end = all.size();
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i] == U'\\') {
            ++i;
            continue;
        }
        if (all[i] == U';') {
            end = i;
            break;
        }
    }
    if (end < all.size()) {
        size_t second = all.find(U';', end + 1);
        std::u32string save = all.substr(
            end + 1, second == std::u32string::npos ? std::u32string::npos : second - end - 1);
        if (!save.empty()) saveLiterals_ = save[0] != U'0';
        if (second != std::u32string::npos && second + 1 < all.size()) blank_ = all[second + 1];
    }

    Case letterCase = Case::Keep;
    for (size_t i = 0; i < end; ++i) {
        char32_t c = all[i];
        Position p;
        p.letterCase = letterCase;
        switch (c) {
        case U'!':
            continue;
        case U'>':
            if (i + 1 < end && all[i + 1] == U'<') {
                letterCase = Case::Keep;
                ++i;
            } else {
                letterCase = Case::Upper;
            }
            continue;
        case U'<':
            if (i + 1 < end && all[i + 1] == U'>') {
                letterCase = Case::Keep;
                ++i;
            } else {
                letterCase = Case::Lower;
            }
            continue;
        case U'\\':
            if (i + 1 >= end) continue;
            p.literal = all[++i];
            break;
        case U'0':
            p.kind = Kind::Digit, p.required = true;
            break;
        case U'9':
            p.kind = Kind::Digit;
            break;
        case U'#':
            p.kind = Kind::DigitOrSign;
            break;
        case U'L':
            p.kind = Kind::Letter, p.required = true;
            break;
        case U'l':
            p.kind = Kind::Letter;
            break;
        case U'A':
            p.kind = Kind::LetterOrDigit, p.required = true;
            break;
        case U'a':
            p.kind = Kind::LetterOrDigit;
            break;
        case U'C':
            p.kind = Kind::Any, p.required = true;
            break;
        case U'c':
            p.kind = Kind::Any;
            break;
        case U'/':
            p.literal = static_cast<unsigned char>(fs.dateSeparator);
            break;
        case U':':
            p.literal = static_cast<unsigned char>(fs.timeSeparator);
            break;
        case U'_':
            p.literal = U' ';
            break;
        default:
            p.literal = c;
            break;
        }
        positions_.push_back(p);
    }
}

std::string EditMask::emptyEditText() const {
    std::u32string out;
    for (const auto& p : positions_) out += p.kind == Kind::Literal ? p.literal : blank_;
    return toUtf8(out);
}

char32_t EditMask::accept(size_t pos, char32_t c) const {
    if (pos >= positions_.size() || c < 0x20) return 0;
    const Position& p = positions_[pos];
    bool ok = false;
    switch (p.kind) {
    case Kind::Literal:
        return 0;
    case Kind::Digit:
        ok = isDigit(c);
        break;
    case Kind::DigitOrSign:
        ok = isDigit(c) || c == U'+' || c == U'-';
        break;
    case Kind::Letter:
        ok = isLetter(c);
        break;
    case Kind::LetterOrDigit:
        ok = isLetter(c) || isDigit(c);
        break;
    case Kind::Any:
        ok = true;
        break;
    }
    if (!ok) return 0;
    if (p.letterCase == Case::Upper) return toUpper(c);
    if (p.letterCase == Case::Lower) return toLower(c);
    return c;
}

std::string EditMask::text(std::string_view editText) const {
    if (empty()) return std::string(editText);
    std::u32string shown = toU32(editText);
    std::u32string out;
    for (size_t i = 0; i < positions_.size(); ++i) {
        const Position& p = positions_[i];
        if (p.kind == Kind::Literal) {
            if (saveLiterals_) out += p.literal;
            continue;
        }
        char32_t c = i < shown.size() ? shown[i] : blank_;
        out += (c == blank_ || !accept(i, c)) ? U' ' : c;
    }
    return toUtf8(out);
}

std::string EditMask::editTextFor(std::string_view text) const {
    if (empty()) return std::string(text);
    std::u32string in = toU32(text);
    std::u32string out = toU32(emptyEditText());
    size_t next = 0;
    for (size_t i = 0; i < positions_.size(); ++i) {
        if (saveLiterals_) {
            if (i >= in.size()) break;
            if (char32_t c = accept(i, in[i])) out[i] = c;
            continue;
        }
        if (isLiteral(i)) continue;
        if (next >= in.size()) break;
        if (char32_t c = accept(i, in[next++])) out[i] = c;
    }
    return toUtf8(out);
}

bool EditMask::isComplete(std::string_view editText) const {
    std::u32string shown = toU32(editText);
    for (size_t i = 0; i < positions_.size(); ++i) {
        if (!positions_[i].required) continue;
        if (i >= shown.size() || shown[i] == blank_ || !accept(i, shown[i])) return false;
    }
    return true;
}

bool EditMask::typeChar(std::string& editText, size_t& cursor, char32_t c) const {
    std::u32string shown = toU32(editText);
    shown.resize(positions_.size(), blank_);
    size_t pos = cursor;
    // Typing a literal's own character where it stands just steps over it.
    if (pos < positions_.size() && isLiteral(pos) && positions_[pos].literal == c) {
        cursor = pos + 1;
        return true;
    }
    while (pos < positions_.size() && isLiteral(pos)) ++pos;
    if (pos >= positions_.size()) return false;
    char32_t stored = accept(pos, c);
    if (!stored) return false;
    shown[pos] = stored;
    ++pos;
    while (pos < positions_.size() && isLiteral(pos)) ++pos;
    cursor = pos;
    editText = toUtf8(shown);
    return true;
}

void EditMask::clearRange(std::string& editText, size_t from, size_t to) const {
    std::u32string shown = toU32(editText);
    shown.resize(positions_.size(), blank_);
    for (size_t i = from; i < to && i < positions_.size(); ++i)
        if (!isLiteral(i)) shown[i] = blank_;
    editText = toUtf8(shown);
}

void EditMask::backspace(std::string& editText, size_t& cursor) const {
    size_t pos = std::min(cursor, positions_.size());
    while (pos > 0 && isLiteral(pos - 1)) --pos;
    if (pos == 0) {
        cursor = 0;
        return;
    }
    --pos;
    clearRange(editText, pos, pos + 1);
    cursor = pos;
}

} // namespace formidor
