#pragma once
// Form layouts as data. A layout is a table of rows read like the paper form, top to bottom:
// what is printed, when, at which horizontal position and on which line. One loop turns a
// table and the texts of a page into the list of texts with their positions, so the printer,
// the command line and the tests all see the same placement.
//
// Positions are in the printer's low-metric units (0.1 mm, y upwards, origin at the top-left of
// the printable area, so lines on the page have negative y).
#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace formidor::forms {

// The texts and check states of a form page, by control name.
class FormPage {
public:
    // Missing controls read as empty text / unchecked.
    const std::string& text(std::string_view control) const;
    bool checked(std::string_view control) const;

    void setText(std::string_view control, std::string_view text);
    void setChecked(std::string_view control, bool checked);

private:
    std::map<std::string, std::string, std::less<>> texts_;
    std::set<std::string, std::less<>> checked_;
};

// The lines of a multi-line field (a memo): separated by line breaks ("\n", also "\r\n"); a
// break at the very end starts no further line, and the empty text has no line at all.
std::vector<std::string> memoLines(std::string_view text);

// What a row prints.
struct Source {
    enum class Kind : uint8_t { Field, Literal, CharOfField, LinesOfField };
    Kind kind = Kind::Field;
    std::string_view name; // control name, or the literal text
    int index = 0;         // CharOfField: which character (1 = first, code points)
    int lineStep = 0;      // LinesOfField: y of line i is the row's y + i × lineStep
};
constexpr Source field(std::string_view control) {
    return {Source::Kind::Field, control, 0, 0};
}
constexpr Source literal(std::string_view text) {
    return {Source::Kind::Literal, text, 0, 0};
}
constexpr Source charOf(std::string_view control, int index) {
    return {Source::Kind::CharOfField, control, index, 0};
}
// One text per line of a memo, line i at lineStep × i from the row's line; no line, no text.
constexpr Source linesOf(std::string_view control, int lineStep) {
    return {Source::Kind::LinesOfField, control, 0, lineStep};
}

// When a row prints: the checked variant is one of `variants` (a bit per variant index; all
// bits set means any variant) and, if `checkedControl` is named, that check box is checked.
struct Condition {
    uint32_t variants = ~uint32_t{0};
    std::string_view checkedControl;
};
inline constexpr Condition always{};
constexpr uint32_t variantBit(int variant) {
    return uint32_t{1} << variant;
}

// The line of a row: k line pitches below the base line (y = b − Round(k × p), halves to even),
// or an explicit y where a form gives one.
struct Line {
    double k = 0;
    bool explicitY = false;
    int y = 0;
};
constexpr Line line(double k) {
    return {k, false, 0};
}
constexpr Line atY(int y) {
    return {0, true, y};
}

struct LayoutRow {
    Source source;
    Condition when;
    int dx = 0;
    Line at;
};

struct Layout {
    std::span<const LayoutRow> rows;
    int base = 0;  // b
    int pitch = 0; // p
};

// One text as it is drawn, top-left corner at (x, y).
struct PlacedText {
    int x = 0;
    int y = 0;
    std::string text;
    bool operator==(const PlacedText&) const = default;
};

// y of a line of a layout with base line b and pitch p.
int lineY(const Line& l, int base, int pitch);

// Every row whose condition holds, in table order, at its layout position; a memo row gives one
// text per line. Rows whose text is empty are kept: the form printer draws every such row (an
// empty text shows nothing). A negative variant stands for none: only the rows without a
// variant condition print.
std::vector<PlacedText> placeTexts(const Layout& layout, const FormPage& page, int variant);

// While one lives on this thread, placeTexts names its rows instead of filling them, whatever
// the check boxes say: every text position of a layout with the field printed there, which is
// what the drawing of the paper form and the calibration sheet are made from. A character row
// is named at its first character only, a memo row once at its first line, a fixed text by the
// check box it stands for (or by itself when it stands for none).
class NamingRows {
public:
    NamingRows();
    ~NamingRows();
    NamingRows(const NamingRows&) = delete;
    NamingRows& operator=(const NamingRows&) = delete;

private:
    bool previous_;
};

// The largest calibration offset either way, in 0.1 mm: the calibration page's range. Anything
// larger lies off every sheet, and near the int limits it would wrap round.
inline constexpr int kMaxOffset = 5000;
// The offset text as a number inside ±kMaxOffset; EConvertError with a German message otherwise.
int offsetValue(std::string_view text);

// Shifts by the calibration: x + h, y − v. An offset (with its feed adjustment) beyond twice
// kMaxOffset throws EConvertError and shifts nothing.
void applyOffsets(std::vector<PlacedText>& texts, int h, int v);

} // namespace formidor::forms
