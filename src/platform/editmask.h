#pragma once
// Masked entry fields. A mask text has up to three parts separated by ";":
//   mask ; save-literals ; blank
// e.g. "00000000;1;-" (eight required digits, literals kept in the field's text, "-" shown for
// an empty position) or "!90/90/;1;_" (optional + required digit, date separator, twice).
// Mask characters:
//   0 required digit      9 optional digit      # optional digit or sign (+/-)
//   L required letter     l optional letter     A required letter or digit  a optional one
//   C required character  c optional character
//   /  the date separator : the time separator  _ a blank the cursor skips
//   >  upper case from here   <  lower case from here   <>  no case conversion from here
//   \  takes the next character literally       !  (accepted; leaves the text rule unchanged)
// Any other character is a literal. The save-literals part is "0" to drop the literals from the
// field's text and anything else (the default) to keep them; the blank part's first character is
// shown for an empty position ("_" by default).
//
// The field's text is what it shows with every empty position as a blank and the literals kept
// (or left out, when save-literals is "0"): an empty "00000000;1;-" field reads "        ".
//
// Positions are code points; edit texts are UTF-8 with exactly one code point per position.
#include "platform/convert.h"

#include <string>
#include <string_view>
#include <vector>

namespace formidor {

class EditMask {
public:
    enum class Kind { Literal, Digit, DigitOrSign, Letter, LetterOrDigit, Any };
    enum class Case { Keep, Upper, Lower };
    struct Position {
        Kind kind = Kind::Literal;
        bool required = false;
        Case letterCase = Case::Keep;
        char32_t literal = 0; // for Kind::Literal
    };

    // No mask: the field takes free text.
    EditMask() = default;
    explicit EditMask(std::string_view maskText,
                      const FormatSettings& fs = FormatSettings::german());

    bool empty() const { return positions_.empty(); }
    const std::string& maskText() const { return maskText_; }
    const std::vector<Position>& positions() const { return positions_; }
    size_t length() const { return positions_.size(); }
    bool saveLiterals() const { return saveLiterals_; }
    char32_t blank() const { return blank_; }
    bool isLiteral(size_t pos) const { return positions_[pos].kind == Kind::Literal; }

    // What an empty field shows: the literals and the blank character elsewhere.
    std::string emptyEditText() const;
    // c as it is stored at pos (case conversion applied), or 0 when pos does not take it.
    char32_t accept(size_t pos, char32_t c) const;

    // The field's text from what it shows.
    std::string text(std::string_view editText) const;
    // What the field shows after its text was set to `text`: with save-literals the characters
    // stand at their positions (those at literal positions are passed over), without they fill
    // the entry positions in order. Characters a position does not take, and blanks, leave it
    // empty.
    std::string editTextFor(std::string_view text) const;
    // Every required position is filled.
    bool isComplete(std::string_view editText) const;

    // Typing, as a masked field does it: the character overwrites the entry position at or after
    // the cursor (literals are skipped; typing a literal's own character moves past it) and the
    // cursor moves behind it. Returns false, changing nothing, when the character is refused.
    bool typeChar(std::string& editText, size_t& cursor, char32_t c) const;
    // Empties the entry positions in [from, to).
    void clearRange(std::string& editText, size_t from, size_t to) const;
    // Backspace: empties the nearest entry position before the cursor and moves there.
    void backspace(std::string& editText, size_t& cursor) const;

private:
    std::string maskText_;
    std::vector<Position> positions_;
    bool saveLiterals_ = true;
    char32_t blank_ = U'_';
};

} // namespace formidor
