#include "cli/commands.h"
#include "platform/hive.h"

namespace formidor::cli {

namespace {

// Both commands take exactly one file name.
bool oneFile(const Args& args, const char* usage, std::ostream& err) {
    if (args.size() == 1 && !args[0].empty()) return true;
    err << "Aufruf: formidor-cli " << usage << " DATEI\n";
    return false;
}

} // namespace

int regExport(const Args& args, std::ostream& out, std::ostream& err) {
    if (!oneFile(args, "reg-export", err)) return 2;
    try {
        ExportRegFile(args[0], kAppKey);
    } catch (const std::exception& e) {
        err << messageOf(e) << "\n";
        return 2;
    }
    out << "Gesichert: HKEY_CURRENT_USER\\" << kAppKey << " → " << args[0] << "\n";
    return 0;
}

int regImport(const Args& args, std::ostream& out, std::ostream& err) {
    if (!oneFile(args, "reg-import", err)) return 2;
    try {
        ImportRegFile(args[0]);
    } catch (const std::exception& e) {
        err << messageOf(e) << "\n";
        return 2;
    }
    out << "Eingelesen: " << args[0] << "\n";
    return 0;
}

} // namespace formidor::cli
