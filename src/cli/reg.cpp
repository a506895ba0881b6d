#include "cli/commands.h"

namespace formidor::cli {

int regExport(const Args&, std::ostream&, std::ostream& err) {
    err << "Dieser Befehl ist noch nicht verfügbar.\n";
    return 2;
}

int regImport(const Args&, std::ostream&, std::ostream& err) {
    err << "Dieser Befehl ist noch nicht verfügbar.\n";
    return 2;
}

} // namespace formidor::cli
