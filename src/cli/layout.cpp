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

int print(const Args& args, std::ostream& out, std::ostream& err) {
    try {
        auto [form, r] = parseFormRequest(args, true);
        if (!r.csv.empty()) return printBatch(*form, r, out, err);
        const auto job = [&, form = form](Printer& printer) { form->print(printer, r); };
        if (r.printer.empty())
            printToPdf(r.pdf, job);
        else
            printToPrinter(r.printer, job);
        return 0;
    } catch (const std::exception& e) {
        err << messageOf(e) << "\n";
        return 2;
    }
}

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
