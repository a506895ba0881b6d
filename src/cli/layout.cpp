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

int print(const Args& args, std::ostream&, std::ostream& err) {
    try {
        auto [form, r] = parseFormRequest(args, true);
        printToPdf(r.pdf, [&, form = form](Printer& printer) { form->print(printer, r); });
        return 0;
    } catch (const std::exception& e) {
        err << messageOf(e) << "\n";
        return 2;
    }
}

} // namespace formidor::cli
