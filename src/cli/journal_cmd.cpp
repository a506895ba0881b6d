#include "cli/commands.h"

#include "journal/journal.h"
#include "platform/paths.h"

namespace formidor::cli {

// Prints the journal the way the journal page shows it: three lines per record, the cells of a
// line separated by a tab. Only reads; a missing journal of the current user is an empty one.
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
    for (const auto& row : JournalAnzeigen(records))
        out << row.cells[0] << '\t' << row.cells[1] << '\n';
    return out ? 0 : 2;
}

} // namespace formidor::cli
