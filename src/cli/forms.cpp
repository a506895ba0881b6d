#include "cli/forms.h"

#include "platform/convert.h"
#include "platform/editmask.h"
#include "platform/text.h"

#include <algorithm>

namespace formidor::cli {

namespace {

// One line per form; a new form adds its entry here.
const CliForm* const* formTable(size_t& count) {
    // clang-format off
    static const CliForm* const forms[] = {
        &transferCliForm(),
        &chequeCliForm(),
        &debitCliForm(),
        &coverCliForm(),
        &codCliForm(),
        &parcelCliForm(),
        &smallparcelCliForm(),
        &depositCliForm(),
        &foreignCliForm(),
        &reportTransferCliForm(),
        &reportChequeCliForm(),
        &reportDepositCliForm(),
    };
    // clang-format on
    count = std::size(forms);
    return forms;
}

} // namespace

std::span<const CliForm* const> cliForms() {
    size_t n = 0;
    const CliForm* const* f = formTable(n);
    return {f, n};
}

const CliForm* findCliForm(std::string_view name) {
    for (const CliForm* f : cliForms())
        if (f->name == name) return f;
    return nullptr;
}

std::string cliFormNames() {
    std::string s;
    for (const CliForm* f : cliForms()) {
        if (!s.empty()) s += ", ";
        s += f->name;
    }
    return s;
}

bool containsName(std::span<const std::string_view> names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

void applySetsWithMasks(FormRequest& r,
                        std::span<const std::pair<std::string_view, std::string_view>> masks) {
    for (const auto& [control, text] : r.sets) r.page.setText(control, text);
    for (const auto& [control, maskText] : masks) {
        EditMask mask(maskText);
        r.page.setText(control, mask.text(mask.editTextFor(r.page.text(control))));
    }
}

std::pair<const CliForm*, FormRequest> parseFormRequest(const std::vector<std::string>& args,
                                                        bool withPdf) {
    if (args.empty()) throw BadArgs("Es fehlt das Formular (bekannt: " + cliFormNames() + ").");
    const CliForm* form = findCliForm(args[0]);
    if (!form)
        throw BadArgs("Unbekanntes Formular '" + args[0] + "' (bekannt: " + cliFormNames() + ").");
    FormRequest r;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& opt = args[i];
        const std::function<const std::string&()> value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw BadArgs("Der Option " + opt + " fehlt ihr Wert.");
            return args[++i];
        };
        if (opt == "--set") {
            const std::string& v = value();
            const size_t eq = v.find('=');
            if (eq == std::string::npos)
                throw BadArgs("--set erwartet FELD=TEXT, nicht '" + v + "'.");
            const std::string control = v.substr(0, eq);
            if (!form->isTextControl(control))
                throw BadArgs("Unbekanntes Feld '" + control + "' " + std::string(form->title) +
                              ".");
            r.sets.emplace_back(control, v.substr(eq + 1));
        } else if (opt == "--check") {
            const std::string& control = value();
            if (!form->isCheckControl(control))
                throw BadArgs("Unbekanntes Kontrollkästchen '" + control + "' " +
                              std::string(form->title) + ".");
            r.page.setChecked(control, true);
        } else if (opt == "--kv" || opt == "--kh") {
            const std::string& v = value();
            int32_t n = 0;
            if (!TryStrToInt(v, n))
                throw BadArgs("Versatz " + opt + ": " + formatMessage(kInvalidInteger, v) + ".");
            if (n < -forms::kMaxOffset || n > forms::kMaxOffset)
                throw BadArgs("Versatz " + opt + ": '" + v +
                              "' liegt außerhalb des zulässigen Bereichs von -5000 bis 5000.");
            (opt == "--kv" ? r.calibration.kv : r.calibration.kh) = v;
            r.calibrationGiven = true;
        } else if (opt == "--orientation") {
            const std::string& v = value();
            if (v != "normal" && v != "hochkant")
                throw BadArgs("Unbekannte Lage '" + v + "' (normal oder hochkant).");
            r.calibration.normal = v == "normal";
            r.calibrationGiven = true;
        } else if (opt == "--feed") {
            const std::string& v = value();
            if (v != "links" && v != "rechts")
                throw BadArgs("Unbekannte Einzugsseite '" + v + "' (links oder rechts).");
            r.calibration.right = v == "rechts";
            r.calibrationGiven = true;
        } else if (withPdf && opt == "--pdf") {
            r.pdf = value();
        } else if (withPdf && opt == "--printer") {
            r.printer = value();
        } else if (withPdf && opt == "--csv") {
            r.csv = value();
        } else if (withPdf && opt == "--dry-run") {
            r.dryRun = true;
        } else if (!form->option || !form->option(opt, value, r)) {
            throw BadArgs("Unbekannte Option '" + opt + "'.");
        }
    }
    if (r.dryRun && r.csv.empty()) throw BadArgs("--dry-run prüft die Zeilen von --csv DATEI.");
    if (withPdf && !r.dryRun && r.pdf.empty() && r.printer.empty())
        throw BadArgs("Es fehlt --pdf DATEI oder --printer DRUCKER.");
    if (withPdf && !r.pdf.empty() && !r.printer.empty())
        throw BadArgs("--pdf und --printer schließen einander aus.");
    if (!r.csv.empty() && !r.printer.empty())
        throw BadArgs("Die Formulare einer CSV-Datei gehen in eine PDF-Datei (--pdf DATEI).");
    // A batch fills the page row by row.
    if (!r.csv.empty()) return {form, std::move(r)};
    if (form->finish)
        form->finish(r);
    else
        applySetsWithMasks(r, {});
    return {form, std::move(r)};
}

} // namespace formidor::cli
