// .reg files as the system registry editor writes and reads them, so that a backup made here
// can be read there and the other way round.
#include "platform/fileio.h"
#include "platform/hive.h"
#include "platform/leftovers.h"
#include "platform/text.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>

namespace formidor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kRoot = "HKEY_CURRENT_USER";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";

// ---------------------------------------------------------------- export

std::string regQuoted(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

// Texts that a quoted line cannot carry (line breaks, NUL) go out as hex(1): the string type
// written as its UTF-16LE bytes with the terminating zero, exactly as the registry editor does
// for data it cannot put in quotes.
bool needsHex(std::string_view s) {
    for (char c : s)
        if (c == '\r' || c == '\n' || c == '\0') return true;
    return false;
}

std::string hexString(std::string_view s) {
    std::u16string u = utf8ToUtf16(s);
    u.push_back(0);
    std::string out = "hex(1):";
    char buf[4];
    size_t lineLen = out.size() + 2;
    bool first = true;
    for (char16_t ch : u) {
        for (int b : {ch & 0xFF, ch >> 8}) {
            if (!first) {
                out += ',';
                ++lineLen;
                if (lineLen > 76) {
                    out += "\\\n  ";
                    lineLen = 2;
                }
            }
            std::snprintf(buf, sizeof buf, "%02x", b);
            out += buf;
            lineLen += 2;
            first = false;
        }
    }
    return out;
}

void exportValues(std::string& out, TRegistry& r) {
    out += "[";
    out += kRoot;
    out += "\\";
    out += r.CurrentPath();
    out += "]\n";
    for (const auto& v : r.GetValues()) {
        out += v.name.empty() ? std::string("@") : regQuoted(v.name);
        out += '=';
        if (v.type == TRegDataType::rdInteger) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<uint32_t>(v.number));
            out += buf;
        } else if (needsHex(v.text)) {
            out += hexString(v.text);
        } else {
            out += regQuoted(v.text);
        }
        out += '\n';
    }
    out += '\n';
}

// The key `top` has open with everything below it, depth first in name order. Each subkey is
// opened from its parent, not from the root, and the walk keeps its own stack: a key thousands
// of levels deep costs what its lines cost.
void exportTree(std::string& out, std::unique_ptr<TRegistry> top) {
    struct Level {
        std::unique_ptr<TRegistry> key;
        std::vector<std::string> subkeys;
        size_t next = 0;
    };
    std::vector<Level> stack;
    exportValues(out, *top);
    auto subkeys = top->GetKeyNames();
    stack.push_back({std::move(top), std::move(subkeys), 0});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next == level.subkeys.size()) {
            stack.pop_back();
            continue;
        }
        auto child = std::make_unique<TRegistry>();
        if (!child->OpenSubKeyReadOnly(*level.key, level.subkeys[level.next++]))
            continue; // gone meanwhile
        exportValues(out, *child);
        auto names = child->GetKeyNames();
        stack.push_back({std::move(child), std::move(names), 0});
    }
}

void writeFileSafely(const fs::path& file, const std::string& bytes) {
    // Written beside the target and renamed over it, so a failed export never leaves half a
    // backup in place of a good one. What an export killed part-way left there goes first.
    removeLeftoverTemporaries(file);
    std::string why;
    if (!fileio::writeFileAtomically(file, bytes, why))
        throw ERegFileError(
            formatMessage("Die Datei '%s' kann nicht geschrieben werden: ", file.string()) + why +
            ".");
}

// ---------------------------------------------------------------- import

struct Op {
    enum Kind { DeleteKey, OpenKey, SetString, SetInteger, DeleteValue } kind;
    std::string path; // for keys: below the root, as written
    std::string name;
    std::string text;
    int32_t number = 0;
};

class Refusal {
public:
    size_t line;
    std::string reason;
};

// Decodes the file into UTF-8 lines; refuses bytes that are not text in the file's encoding.
std::vector<std::string> decodeLines(const std::string& bytes) {
    std::string text;
    auto lineAt = [](const std::string& decoded) {
        size_t n = 1;
        for (char c : decoded)
            if (c == '\n') ++n;
        return n;
    };
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string u;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            u.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        for (size_t i = 0; i < u.size(); ++i) {
            char16_t c = u[i];
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < u.size() && u[i + 1] >= 0xDC00 &&
                u[i + 1] <= 0xDFFF) {
                ++i;
                continue;
            }
            if (c >= 0xD800 && c <= 0xDFFF)
                throw Refusal{lineAt(utf16ToUtf8(u.substr(0, i))), "ungültige Zeichenkodierung"};
        }
        if (bytes.size() % 2 != 0)
            throw Refusal{lineAt(utf16ToUtf8(u)), "ungültige Zeichenkodierung"};
        text = utf16ToUtf8(u);
    } else if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
               static_cast<unsigned char>(bytes[1]) == 0xFF) {
        throw Refusal{1, "ungültige Zeichenkodierung (UTF-16 Big Endian)"};
    } else {
        std::string_view body = bytes;
        if (body.size() >= 3 && body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
        // UTF-8 unless it is not; a REGEDIT4 file of the old editor is in the ANSI code page.
        size_t pos = 0;
        std::optional<size_t> bad;
        while (pos < body.size()) {
            size_t start = pos;
            char32_t cp = decodeUtf8(body, pos);
            if (cp == 0xFFFD && body.substr(start, 3) != "\xEF\xBF\xBD") {
                bad = start;
                break;
            }
        }
        if (!bad) {
            text = std::string(body);
        } else if (body.substr(0, kHeader4.size()) == kHeader4) {
            text = cp1252ToUtf8(body);
        } else {
            throw Refusal{lineAt(std::string(body.substr(0, *bad))), "ungültige Zeichenkodierung"};
        }
    }
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

std::string trimBlanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return std::string(s.substr(b, e - b));
}

// Reads a quoted string at s[pos] == '"'; pos ends behind the closing quote.
std::optional<std::string> readQuoted(std::string_view s, size_t& pos) {
    if (pos >= s.size() || s[pos] != '"') return std::nullopt;
    std::string out;
    for (++pos; pos < s.size(); ++pos) {
        char c = s[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c == '\\') {
            if (pos + 1 >= s.size()) return std::nullopt;
            char n = s[++pos];
            if (n != '\\' && n != '"') return std::nullopt;
            out += n;
            continue;
        }
        out += c;
    }
    return std::nullopt;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

size_t skipBlanks(std::string_view s, size_t pos) {
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
    return pos;
}

// The registry editor reads lines beginning with ";" or "#" as comments.
bool isComment(std::string_view line) {
    return !line.empty() && (line[0] == ';' || line[0] == '#');
}

// What may follow a value's data on its line: blanks and a ";" comment.
bool onlyComment(std::string_view rest) {
    size_t p = skipBlanks(rest, 0);
    return p == rest.size() || rest[p] == ';';
}

// One line of a hex list ("41,00,42,00" or "41,00,\"), bytes appended to `bytes`. Returns
// whether the list continues on the next line, nullopt for anything the registry editor would
// not take as a whole list: a byte split over two lines, a line starting with a comma, a digit
// too many. `first` is true for the part behind "hex(n):".
std::optional<bool> hexLine(std::string_view s, std::string& bytes, bool first) {
    size_t p = skipBlanks(s, 0);
    bool afterComma = first; // where a continuation "\" may stand
    bool any = false;
    while (true) {
        if (p >= s.size()) return false;
        char c = s[p];
        if (c == '\\') {
            if (!afterComma || skipBlanks(s, p + 1) != s.size()) return std::nullopt;
            return true;
        }
        if (c == ';') return any || first ? std::optional<bool>(false) : std::nullopt;
        if (p + 1 >= s.size() || hexDigit(c) < 0 || hexDigit(s[p + 1]) < 0) return std::nullopt;
        bytes += static_cast<char>(hexDigit(c) * 16 + hexDigit(s[p + 1]));
        any = true;
        p = skipBlanks(s, p + 2);
        if (p >= s.size() || s[p] == ';') return false;
        if (s[p] != ',') return std::nullopt;
        p = skipBlanks(s, p + 1);
        afterComma = true;
    }
}

// A hex list starting behind "hex(n):" on lines[i], continued over the following lines; blank
// and comment lines between the parts are passed over. i ends on the value's last line.
std::optional<std::string> readHexList(const std::vector<std::string>& lines, size_t& i,
                                       std::string_view first) {
    std::string bytes;
    auto more = hexLine(first, bytes, true);
    while (more && *more) {
        do {
            if (++i >= lines.size()) return std::nullopt;
        } while (trimBlanks(lines[i]).empty() || isComment(trimBlanks(lines[i])));
        more = hexLine(trimBlanks(lines[i]), bytes, false);
    }
    if (!more) return std::nullopt;
    return bytes;
}

std::optional<std::string> utf16Text(const std::string& bytes) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    std::u16string u;
    for (size_t i = 0; i < bytes.size(); i += 2)
        u.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    // The one terminating zero the string type carries; zeros before it belong to the text, so
    // that a text ending in NUL characters comes back as it was exported.
    if (!u.empty() && u.back() == 0) u.pop_back();
    return utf16ToUtf8(u);
}

// Below HKEY_CURRENT_USER, inside the application's key; refuses everything else.
std::string keyPath(std::string_view written, size_t line) {
    // A blank right after the bracket (or the minus) makes a line the registry editor passes
    // over; "[- KEY]" deleting the key would lose data. Blanks at the end belong to the last
    // key's name ("Müller " is a record of its own beside "Müller") and must survive a round
    // trip.
    if (written.empty() || written[0] == ' ' || written[0] == '\t')
        throw Refusal{line, "ungültiger Schlüsselname"};
    std::string full(written);
    // The editor takes "[...\Belegix98\]" as the key without the final backslash.
    if (full.size() > 1 && full.back() == '\\' && full[full.size() - 2] != '\\') full.pop_back();
    std::string root = std::string(kRoot) + "\\";
    if (caseFold(full.substr(0, root.size())) != caseFold(root))
        throw Refusal{line, "Schlüssel außerhalb von HKEY_CURRENT_USER\\" + std::string(kAppKey)};
    std::string path = full.substr(root.size());
    if (path.empty() || path.front() == '\\' || path.back() == '\\' ||
        path.find("\\\\") != std::string::npos)
        throw Refusal{line, "ungültiger Schlüsselname"};
    std::string app = caseFold(kAppKey);
    std::string folded = caseFold(path);
    if (folded != app && folded.rfind(app + "\\", 0) != 0)
        throw Refusal{line, "Schlüssel außerhalb von HKEY_CURRENT_USER\\" + std::string(kAppKey)};
    return path;
}

std::vector<Op> parse(const std::vector<std::string>& lines) {
    std::vector<Op> ops;
    // The header must be the very first line; the editor refuses a file that starts otherwise.
    if (lines.empty() || (trimBlanks(lines[0]) != kHeader5 && trimBlanks(lines[0]) != kHeader4))
        throw Refusal{1, "keine Registrierungsdatei (die erste Zeile muss \"" +
                             std::string(kHeader5) + "\" oder \"" + std::string(kHeader4) +
                             "\" lauten)"};
    bool inKey = false;
    bool deleted = false; // values under a "[-KEY]" block are passed over, as the editor does
    for (size_t i = 1; i < lines.size(); ++i) {
        size_t lineNo = i + 1;
        std::string line = trimBlanks(lines[i]);
        if (line.empty() || isComment(line)) continue;
        if (line[0] == '[') {
            if (line.back() != ']') throw Refusal{lineNo, "ungültige Zeile"};
            std::string_view inner(line);
            inner = inner.substr(1, inner.size() - 2);
            Op op;
            if (!inner.empty() && inner[0] == '-') {
                op.kind = Op::DeleteKey;
                op.path = keyPath(inner.substr(1), lineNo);
                deleted = true;
            } else {
                op.kind = Op::OpenKey;
                op.path = keyPath(inner, lineNo);
                deleted = false;
            }
            inKey = true;
            ops.push_back(std::move(op));
            continue;
        }
        Op op;
        size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else {
            auto name = readQuoted(line, pos);
            if (!name) throw Refusal{lineNo, "ungültige Zeile"};
            op.name = *name;
        }
        pos = skipBlanks(line, pos);
        if (pos >= line.size() || line[pos] != '=') throw Refusal{lineNo, "ungültige Zeile"};
        std::string data = line.substr(skipBlanks(line, pos + 1));
        if (!inKey) throw Refusal{lineNo, "Wert ohne Schlüssel"};
        const std::string type = lowerAscii(data.substr(0, 7));
        if (!data.empty() && data[0] == '-' && onlyComment(std::string_view(data).substr(1))) {
            op.kind = Op::DeleteValue;
        } else if (!data.empty() && data[0] == '"') {
            size_t p = 0;
            auto text = readQuoted(data, p);
            if (!text || !onlyComment(std::string_view(data).substr(p)))
                throw Refusal{lineNo, "ungültige Zeile"};
            op.kind = Op::SetString;
            op.text = *text;
        } else if (type.substr(0, 6) == "dword:") {
            std::string_view rest = std::string_view(data).substr(skipBlanks(data, 6));
            size_t n = 0;
            uint32_t v = 0;
            while (n < rest.size() && hexDigit(rest[n]) >= 0) {
                v = v * 16 + static_cast<uint32_t>(hexDigit(rest[n]));
                ++n;
            }
            if (n == 0 || n > 8 || !onlyComment(rest.substr(n)))
                throw Refusal{lineNo, "ungültige Zahl"};
            op.kind = Op::SetInteger;
            op.number = static_cast<int32_t>(v);
        } else if (type == "hex(1):" || type == "hex(4):") {
            auto bytes = readHexList(lines, i, std::string_view(data).substr(7));
            if (!bytes) throw Refusal{lineNo, "ungültige Zeile"};
            if (type == "hex(4):") {
                // A dword as its four little-endian bytes.
                if (bytes->size() != 4) throw Refusal{lineNo, "ungültige Zahl"};
                uint32_t v = 0;
                for (int b = 3; b >= 0; --b) v = v << 8 | static_cast<unsigned char>((*bytes)[b]);
                op.kind = Op::SetInteger;
                op.number = static_cast<int32_t>(v);
            } else {
                auto text = utf16Text(*bytes);
                if (!text) throw Refusal{lineNo, "ungültige Zeile"};
                op.kind = Op::SetString;
                op.text = *text;
            }
        } else if (type.substr(0, 3) == "hex" || type.substr(0, 6) == "qword:") {
            throw Refusal{lineNo, "nicht unterstützter Datentyp"};
        } else {
            throw Refusal{lineNo, "ungültige Zeile"};
        }
        if (!deleted) ops.push_back(std::move(op));
    }
    return ops;
}

std::string refusalMessage(const fs::path& file, const Refusal& r) {
    return "Die Datei '" + file.string() + "' kann nicht eingelesen werden: Zeile " +
           std::to_string(r.line) + ": " + r.reason + ". Es wurde nichts geändert.";
}

} // namespace

std::string ExportRegBytes(std::string_view key) {
    std::string body;
    body += kHeader5;
    body += "\n\n";
    try {
        hive::Transaction snapshot(false); // one consistent state of the whole key
        auto r = std::make_unique<TRegistry>();
        // The whole current-user root is not a key of ours to write out.
        if (key.find_first_not_of('\\') == std::string_view::npos)
            throw ERegFileError(
                formatMessage("Der Schlüssel 'HKEY_CURRENT_USER\\%s' existiert nicht.", key));
        if (r->OpenKeyReadOnly("\\" + std::string(key))) {
            exportTree(body, std::move(r));
        } else if (caseFold(key) != caseFold(kAppKey)) {
            throw ERegFileError(
                formatMessage("Der Schlüssel 'HKEY_CURRENT_USER\\%s' existiert nicht.", key));
        } else {
            // Nothing stored yet (a fresh install, or everything deleted): the backup of an
            // empty store is the key without values, and restoring it changes nothing.
            body += "[";
            body += kRoot;
            body += "\\";
            body += key;
            body += "]\n\n";
        }
        snapshot.Commit();
    } catch (const ERegistryException& e) {
        throw ERegFileError(e.what());
    }
    std::u16string u = utf8ToUtf16(body);
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + u.size() * 2 + u.size() / 20);
    for (char16_t c : u) {
        if (c == u'\n') {
            bytes += '\r';
            bytes += '\0';
        }
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

void ExportRegFile(const fs::path& file, std::string_view key) {
    writeFileSafely(file, ExportRegBytes(key));
}

void ImportRegFile(const fs::path& file, TRegImport mode) {
    // A backup of every setting and address is well under a megabyte; a pipe or a device would
    // never end.
    constexpr uint64_t kMaxRegFileBytes = uint64_t{64} << 20;
    std::string bytes, why;
    if (!fileio::readRegular(file, kMaxRegFileBytes, bytes, why))
        throw ERegFileError(
            formatMessage("Die Datei '%s' kann nicht gelesen werden: ", file.string()) + why + ".");
    std::vector<Op> ops;
    try {
        ops = parse(decodeLines(bytes));
    } catch (const Refusal& r) {
        throw ERegFileError(refusalMessage(file, r));
    }
    if (mode == TRegImport::ReplaceAppKey) {
        // Replacing with a file that does not hold the key itself would only delete.
        const std::string app = caseFold(kAppKey);
        if (std::none_of(ops.begin(), ops.end(), [&](const Op& op) {
                return op.kind == Op::OpenKey && caseFold(op.path) == app;
            }))
            throw ERegFileError("Die Datei '" + file.string() +
                                "' kann nicht eingelesen werden: sie enthält den Schlüssel "
                                "HKEY_CURRENT_USER\\" +
                                std::string(kAppKey) + " nicht. Es wurde nichts geändert.");
    }
    try {
        hive::Transaction t(true);
        TRegistry r;
        if (mode == TRegImport::ReplaceAppKey) r.DeleteKey("\\" + std::string(kAppKey));
        bool keyOpen = false;
        for (const auto& op : ops) {
            switch (op.kind) {
            case Op::DeleteKey:
                r.CloseKey();
                r.DeleteKey("\\" + op.path);
                keyOpen = false;
                break;
            case Op::OpenKey:
                keyOpen = r.OpenKey("\\" + op.path, true);
                break;
            case Op::SetString:
                if (keyOpen) r.WriteString(op.name, op.text);
                break;
            case Op::SetInteger:
                if (keyOpen) r.WriteInteger(op.name, op.number);
                break;
            case Op::DeleteValue:
                if (keyOpen) r.DeleteValue(op.name);
                break;
            }
        }
        t.Commit();
    } catch (const ERegistryException& e) {
        std::string cause = e.what();
        while (!cause.empty() && cause.back() == '.') cause.pop_back();
        throw ERegFileError("Die Datei '" + file.string() + "' kann nicht eingelesen werden: " +
                            cause + ". Es wurde nichts geändert.");
    }
}

} // namespace formidor
