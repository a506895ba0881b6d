#include "cli/commands.h"

#include "cli/forms.h"
#include "cli/printing.h"

namespace formidor::cli {

int layout(const Args& args, std::ostream& out, std::ostream& err) {
    try {
        auto [form, r] = parseFormRequest(args, false);
        for (const auto& t : form->texts(r)) out << t.x << '\t' << t.y << '\t' << t.text << '\n';
        return out ? 0 : 2;
    } catch (const std::exception& e) {
        err << messageOf(e) << "\n";
        return 2;
    }
}

// print: calibration_sheet.cpp, beside the form drawing it can add.

int printers(const Args& args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "printers erwartet keine Argumente.\n";
        return 2;
    }
    try {
        for (const auto& name : installedPrinters()) out << name << '\n';
        return out ? 0 : 2;
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 2;
    }
}

} // namespace formidor::cli
