// `layout cheque` / `print cheque`: the crossed cheque with its counterfoil.
#include "cli/forms.h"

#include "forms/cheque.h"
#include "forms/chequeprint.h"

namespace formidor::cli {

namespace {

using forms::Counterfoil;

std::string counterfoilList() {
    std::string s;
    for (const auto& c : forms::counterfoils()) {
        if (!s.empty()) s += ", ";
        s += c.code;
    }
    return s;
}

Counterfoil requestCounterfoil(const FormRequest& r) {
    auto it = r.options.find("counterfoil");
    if (it == r.options.end()) return Counterfoil::Kein;
    return *forms::counterfoilByCode(it->second);
}

bool isMemo(std::string_view control) {
    return control == "MemoDeutscheAbs" || control == "MemoDeutscheVerw";
}

// A memo's lines are given in one argument, separated by the two characters "\n".
std::string memoText(std::string_view arg) {
    std::string s;
    for (size_t i = 0; i < arg.size(); ++i) {
        if (arg[i] == '\\' && i + 1 < arg.size() && arg[i + 1] == 'n') {
            s += '\n';
            ++i;
        } else {
            s += arg[i];
        }
    }
    return s;
}

} // namespace

const CliForm& chequeCliForm() {
    static const CliForm form{
        .name = "cheque",
        .title = "im Verrechnungsscheck",
        .isTextControl =
            [](std::string_view c) { return containsName(forms::chequeTextControls(), c); },
        .isCheckControl = [](std::string_view) { return false; },
        .option =
            [](const std::string& opt, const std::function<const std::string&()>& value,
               FormRequest& r) {
                if (opt != "--counterfoil") return false;
                const std::string& v = value();
                if (!forms::counterfoilByCode(v))
                    throw BadArgs("Unbekannter Begleitabschnitt '" + v +
                                  "' (bekannt: " + counterfoilList() + ").");
                r.options["counterfoil"] = v;
                return true;
            },
        .finish =
            [](FormRequest& r) {
                for (const auto& [control, text] : r.sets)
                    r.page.setText(control, isMemo(control) ? memoText(text) : text);
            },
        .texts =
            [](const FormRequest& r) {
                return forms::chequePrintTexts(requestCounterfoil(r), r.page, r.calibration);
            },
        .print =
            [](Printer& printer, const FormRequest& r) {
                forms::printChequeForm(printer, requestCounterfoil(r), r.page, r.calibration);
            },
    };
    return form;
}

} // namespace formidor::cli
