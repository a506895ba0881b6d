#include "app/backup.h"
#include "cli/commands.h"

namespace formidor::cli {

int backup(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0].empty()) {
        err << "Aufruf: formidor-cli backup ORDNER\n";
        return 2;
    }
    try {
        formidor::backup::SaveData(args[0]);
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 2;
    }
    const std::filesystem::path folder = args[0];
    out << "Gesichert: " << (folder / formidor::backup::kRegFileName).string() << ", "
        << (folder / formidor::backup::kJournalCopyName).string() << "\n";
    return 0;
}

int restore(const Args& args, std::ostream& out, std::ostream& err) {
    // Overwriting the user's data needs the same yes as the window's question.
    std::string folder;
    bool yes = false;
    for (const auto& a : args) {
        if (a == "--yes")
            yes = true;
        else if (folder.empty() && !a.empty() && a[0] != '-')
            folder = a;
        else {
            err << "Aufruf: formidor-cli restore ORDNER --yes\n";
            return 2;
        }
    }
    if (folder.empty()) {
        err << "Aufruf: formidor-cli restore ORDNER --yes\n";
        return 2;
    }
    if (!yes) {
        err << "Beim Zurücklesen der Daten werden Ihre aktuellen Daten überschrieben. Mit --yes "
               "wird trotzdem eingelesen.\n";
        return 2;
    }
    formidor::backup::RestoreResult r;
    try {
        r = formidor::backup::RestoreData(folder);
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 2;
    }
    if (!r.journalFailure.empty()) {
        err << r.journalFailure << "\n";
        return 2;
    }
    out << "Eingelesen: "
        << (std::filesystem::path(folder) / formidor::backup::kRegFileName).string() << "\n";
    out << (r.journalCopied ? "Journal ersetzt.\n"
                            : "Keine Journalkopie im Ordner; das aktuelle Journal bleibt.\n");
    return 0;
}

} // namespace formidor::cli
