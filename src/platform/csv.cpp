#include "platform/csv.h"

#include "platform/text.h"

namespace formidor {

namespace {

// ";" when the first line holds one outside quotes, else ",".
char detectSeparator(std::string_view text) {
    bool quoted = false;
    bool comma = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        if (c == ';') return ';';
        if (c == ',') comma = true;
    }
    return comma ? ',' : ';';
}

bool validUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        size_t n = 0;
        char32_t cp = 0;
        if ((b & 0xE0) == 0xC0) {
            n = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            n = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            n = 3;
            cp = b & 0x07;
        } else {
            return false;
        }
        if (i + n >= s.size()) return false;
        for (size_t k = 1; k <= n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are no UTF-8 either.
        if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += n + 1;
    }
    return true;
}

class Reader {
public:
    Reader(std::string_view text, char separator) : t_(text), sep_(separator) {}

    bool atEnd() const { return pos_ >= t_.size(); }

    // Skips lines with nothing on them; false at the end of the text.
    bool skipEmptyLines() {
        while (!atEnd()) {
            if (t_[pos_] == '\n') {
                ++pos_;
                ++line_;
            } else if (t_[pos_] == '\r' && pos_ + 1 < t_.size() && t_[pos_ + 1] == '\n') {
                pos_ += 2;
                ++line_;
            } else {
                return true;
            }
        }
        return false;
    }

    CsvRow row() {
        CsvRow r;
        r.line = line_;
        for (;;) {
            const size_t column = r.fields.size() + 1;
            r.fields.push_back(field(r.line, column));
            if (!validUtf8(r.fields.back()))
                throw ECsvError(csvPlace(r.line, column) + "Der Text ist kein gültiges UTF-8.",
                                r.line, column);
            if (atEnd()) return r;
            const char c = t_[pos_];
            if (c == sep_) {
                ++pos_;
                continue;
            }
            // A line break ends the row.
            if (c == '\r') ++pos_;
            if (pos_ < t_.size() && t_[pos_] == '\n') ++pos_;
            ++line_;
            return r;
        }
    }

private:
    std::string field(size_t rowLine, size_t column) {
        std::string f;
        if (!atEnd() && t_[pos_] == '"') {
            const size_t startLine = line_;
            ++pos_;
            for (;;) {
                if (atEnd())
                    throw ECsvError(csvPlace(startLine, column) +
                                        "Das Anführungszeichen wird nicht geschlossen.",
                                    startLine, column);
                const char c = t_[pos_++];
                if (c == '"') {
                    if (!atEnd() && t_[pos_] == '"') {
                        f += '"';
                        ++pos_;
                        continue;
                    }
                    break;
                }
                if (c == '\n') ++line_;
                f += c;
            }
            if (!atEnd() && t_[pos_] != sep_ && t_[pos_] != '\n' && t_[pos_] != '\r')
                throw ECsvError(csvPlace(line_, column) +
                                    "Nach dem schließenden Anführungszeichen folgt weiterer Text.",
                                line_, column);
            if (!atEnd() && t_[pos_] == '\r' && (pos_ + 1 >= t_.size() || t_[pos_ + 1] != '\n'))
                throw ECsvError(csvPlace(line_, column) +
                                    "Nach dem schließenden Anführungszeichen folgt weiterer Text.",
                                line_, column);
            return f;
        }
        while (!atEnd()) {
            const char c = t_[pos_];
            if (c == sep_ || c == '\n') break;
            if (c == '\r' && pos_ + 1 < t_.size() && t_[pos_ + 1] == '\n') break;
            if (c == '"')
                throw ECsvError(csvPlace(rowLine, column) +
                                    "Ein Anführungszeichen steht mitten im Feld; ein Feld mit "
                                    "Anführungszeichen muss ganz in Anführungszeichen stehen.",
                                rowLine, column);
            f += c;
            ++pos_;
        }
        return f;
    }

    std::string_view t_;
    char sep_;
    size_t pos_ = 0;
    size_t line_ = 1;
};

} // namespace

std::string csvPlace(size_t line, size_t column) {
    std::string s;
    if (line > 0) s = "Zeile " + std::to_string(line);
    if (column > 0) s += (s.empty() ? "" : ", ") + std::string("Spalte ") + std::to_string(column);
    return s.empty() ? s : s + ": ";
}

CsvTable parseCsv(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    CsvTable table;
    table.separator = detectSeparator(text);
    Reader reader(text, table.separator);
    if (!reader.skipEmptyLines()) throw ECsvError(kCsvEmptyMessage, 0, 0);
    table.header = reader.row();
    const auto& names = table.header.fields;
    for (size_t i = 0; i < names.size(); ++i) {
        if (trim(names[i]).empty())
            throw ECsvError(csvPlace(table.header.line, i + 1) + "Die Spalte hat keinen Namen.",
                            table.header.line, i + 1);
        for (size_t j = 0; j < i; ++j)
            if (names[j] == names[i])
                throw ECsvError(csvPlace(table.header.line, i + 1) + "Die Spalte '" + names[i] +
                                    "' steht schon in Spalte " + std::to_string(j + 1) + ".",
                                table.header.line, i + 1);
    }
    while (reader.skipEmptyLines()) {
        CsvRow r = reader.row();
        if (r.fields.size() > names.size())
            throw ECsvError(csvPlace(r.line, names.size() + 1) + "Die Zeile hat " +
                                std::to_string(r.fields.size()) + " Felder, die Kopfzeile nur " +
                                std::to_string(names.size()) + ".",
                            r.line, names.size() + 1);
        if (r.fields.size() < names.size())
            throw ECsvError(csvPlace(r.line, r.fields.size() + 1) + "Die Zeile hat nur " +
                                std::to_string(r.fields.size()) + " von " +
                                std::to_string(names.size()) + " Feldern; es fehlt '" +
                                names[r.fields.size()] + "'.",
                            r.line, r.fields.size() + 1);
        table.rows.push_back(std::move(r));
    }
    return table;
}

} // namespace formidor
