#include "cli/commands.h"

namespace formidor::cli {

int layout(const Args&, std::ostream&, std::ostream& err) {
    err << "Dieser Befehl ist noch nicht verfügbar.\n";
    return 2;
}

int print(const Args&, std::ostream&, std::ostream& err) {
    err << "Dieser Befehl ist noch nicht verfügbar.\n";
    return 2;
}

} // namespace formidor::cli
