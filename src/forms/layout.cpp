#include "forms/layout.h"

#include "platform/convert.h"
#include "platform/text.h"

namespace formidor::forms {

namespace {
const std::string kEmpty;

// The index-th code point of s (1 = first), or empty text when s is shorter.
std::string nthChar(std::string_view s, int index) {
    size_t pos = 0;
    for (int i = 1; pos < s.size(); ++i) {
        const size_t start = pos;
        decodeUtf8(s, pos);
        if (i == index) return std::string(s.substr(start, pos - start));
    }
    return {};
}
} // namespace

std::vector<std::string> memoLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view l = text.substr(start, end - start);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        lines.emplace_back(l);
        start = end + 1;
    }
    return lines;
}

const std::string& FormPage::text(std::string_view control) const {
    auto it = texts_.find(control);
    return it == texts_.end() ? kEmpty : it->second;
}

bool FormPage::checked(std::string_view control) const {
    return checked_.contains(control);
}

void FormPage::setText(std::string_view control, std::string_view text) {
    texts_.insert_or_assign(std::string(control), std::string(text));
}

void FormPage::setChecked(std::string_view control, bool checked) {
    if (checked)
        checked_.emplace(control);
    else if (auto it = checked_.find(control); it != checked_.end())
        checked_.erase(it);
}

int lineY(const Line& l, int base, int pitch) {
    if (l.explicitY) return l.y;
    return base - static_cast<int>(Round(l.k * pitch));
}

namespace {
thread_local bool naming = false;

std::string rowName(const LayoutRow& row) {
    switch (row.source.kind) {
    case Source::Kind::Literal:
        return std::string(row.when.checkedControl.empty() ? row.source.name
                                                           : row.when.checkedControl);
    case Source::Kind::CharOfField:
        return row.source.index == 1 ? std::string(row.source.name) : std::string();
    default:
        return std::string(row.source.name);
    }
}
} // namespace

NamingRows::NamingRows() : previous_(naming) {
    naming = true;
}

NamingRows::~NamingRows() {
    naming = previous_;
}

std::vector<PlacedText> placeTexts(const Layout& layout, const FormPage& page, int variant) {
    std::vector<PlacedText> out;
    out.reserve(layout.rows.size());
    for (const LayoutRow& row : layout.rows) {
        if (row.when.variants != always.variants) {
            // No variant (a negative index) matches only the rows every variant prints; a
            // shift by a negative count would be undefined.
            if (variant < 0 || variant >= 32) continue;
            if ((row.when.variants & variantBit(variant)) == 0) continue;
        }
        const int y = lineY(row.at, layout.base, layout.pitch);
        if (naming) {
            out.push_back({row.dx, y, rowName(row)});
            continue;
        }
        if (!row.when.checkedControl.empty() && !page.checked(row.when.checkedControl)) continue;
        if (row.source.kind == Source::Kind::LinesOfField) {
            int i = 0;
            for (auto& l : memoLines(page.text(row.source.name)))
                out.push_back({row.dx, y + i++ * row.source.lineStep, std::move(l)});
            continue;
        }
        std::string text;
        switch (row.source.kind) {
        case Source::Kind::Field:
            text = page.text(row.source.name);
            break;
        case Source::Kind::Literal:
            text = std::string(row.source.name);
            break;
        case Source::Kind::CharOfField:
            text = nthChar(page.text(row.source.name), row.source.index);
            break;
        case Source::Kind::LinesOfField:
            break;
        }
        out.push_back({row.dx, y, std::move(text)});
    }
    return out;
}

int offsetValue(std::string_view text) {
    const int32_t n = StrToInt(text);
    if (n < -kMaxOffset || n > kMaxOffset)
        throw EConvertError(formatMessage("Der Versatz '%s' liegt außerhalb des zulässigen "
                                          "Bereichs von -5000 bis 5000.",
                                          text));
    return n;
}

void applyOffsets(std::vector<PlacedText>& texts, int h, int v) {
    // The feed adjustments add at most 1043 to a checked offset.
    if (h < -2 * kMaxOffset || h > 2 * kMaxOffset || v < -2 * kMaxOffset || v > 2 * kMaxOffset)
        throw EConvertError("Der Versatz " + std::to_string(h) + " / " + std::to_string(v) +
                            " liegt außerhalb des zulässigen Bereichs von -5000 bis 5000.");
    for (auto& t : texts) {
        t.x += h;
        t.y -= v;
    }
}

} // namespace formidor::forms
