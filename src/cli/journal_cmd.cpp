#include "cli/commands.h"

#include "journal/journal.h"
#include "platform/paths.h"

#include <algorithm>

namespace formidor::cli {

namespace {

// A cell as one piece of a line: line breaks, tabs and other control characters a stored text
// may hold are written as escapes (and the backslash doubled), so every record stays three
// lines of two tab-separated cells.
void writeCell(std::ostream& out, const std::string& cell) {
    static const char kHex[] = "0123456789abcdef";
    auto plain = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u != 0x7f && c != '\\';
    };
    if (std::all_of(cell.begin(), cell.end(), plain)) {
        out.write(cell.data(), static_cast<std::streamsize>(cell.size()));
        return;
    }
    for (char c : cell) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            out << "\\\\";
            break;
        case '\n':
            out << "\\n";
            break;
        case '\r':
            out << "\\r";
            break;
        case '\t':
            out << "\\t";
            break;
        default:
            if (u < 0x20 || u == 0x7f)
                out << "\\x" << kHex[u >> 4] << kHex[u & 15];
            else
                out << c;
        }
    }
}

} // namespace

// Prints the journal the way the journal page shows it: three lines per record, the cells of a
// line separated by a tab. Only reads; a missing journal of the current user is an empty one.
// A pipe or a device in the journal's place is refused with a message rather than read as
// empty.
int journal(const Args& args, std::ostream& out, std::ostream& err) {
    std::filesystem::path file;
    bool explicitFile = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--file" && i + 1 < args.size()) {
            file = args[++i];
            explicitFile = true;
        } else {
            err << "Aufruf: formidor-cli journal [--file DATEI]\n";
            return 2;
        }
    }
    if (!explicitFile) file = paths::journalFile();

    std::vector<TJournal> records;
    try {
        auto loaded = readJournalFile(file);
        if (!loaded && explicitFile) {
            err << "Das Journal „" << file.string() << "“ existiert nicht.\n";
            return 2;
        }
        if (loaded) records = std::move(*loaded);
    } catch (const EJournalError& e) {
        err << e.what() << "\n";
        return 2;
    }
    for (const auto& row : JournalAnzeigen(records)) {
        writeCell(out, row.cells[0]);
        out << '\t';
        writeCell(out, row.cells[1]);
        out << '\n';
    }
    return out ? 0 : 2;
}

} // namespace formidor::cli
