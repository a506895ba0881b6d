// `layout foreign` / `print foreign`: the foreign transfer window's fields, its lists chosen by
// position with --select, the originator's masked bank code.
#include "cli/forms.h"

#include "forms/foreign.h"
#include "forms/foreignprint.h"
#include "platform/convert.h"

namespace formidor::cli {

namespace {

constexpr std::string_view kSelectPrefix = "select:";

std::string listNames() {
    std::string s;
    for (const auto& l : forms::foreignLists()) {
        if (!s.empty()) s += ", ";
        s += l.control;
    }
    return s;
}

} // namespace

const CliForm& foreignCliForm() {
    static const CliForm form{
        .name = "foreign",
        .title = "im Auslandsüberweisungsformular",
        .isTextControl =
            [](std::string_view c) { return containsName(forms::foreignTextControls(), c); },
        .isCheckControl =
            [](std::string_view c) { return containsName(forms::foreignCheckControls(), c); },
        // --select LISTE=POSITION: the position selected in a list, −1 for none.
        .option =
            [](const std::string& opt, const std::function<const std::string&()>& value,
               FormRequest& r) {
                if (opt != "--select") return false;
                const std::string& v = value();
                const size_t eq = v.find('=');
                if (eq == std::string::npos)
                    throw BadArgs("--select erwartet LISTE=POSITION, nicht '" + v + "'.");
                const std::string control = v.substr(0, eq);
                const forms::ForeignList* list = forms::foreignList(control);
                if (!list)
                    throw BadArgs("Unbekannte Liste '" + control +
                                  "' im Auslandsüberweisungsformular (bekannt: " + listNames() +
                                  ").");
                const std::string position = v.substr(eq + 1);
                int32_t n = 0;
                if (!TryStrToInt(position, n) || n < -1 ||
                    n >= static_cast<int32_t>(list->entries.size()))
                    throw BadArgs("Position '" + position + "' der Liste " + control +
                                  ": erlaubt sind -1 bis " +
                                  std::to_string(list->entries.size() - 1) + ".");
                r.options[std::string(kSelectPrefix) + control] = std::to_string(n);
                return true;
            },
        // As the window starts: "EUR", the lists' start selections; the bank code read by its
        // mask, so an empty one is eight blanks.
        .finish =
            [](FormRequest& r) {
                r.page.setText("EWaehrung", forms::kForeignCurrencyDefault);
                applySetsWithMasks(r, {{{"EAuftraggeberBLZ", forms::kForeignBLZMask}}});
                forms::selectStartPositions(r.page);
                for (const auto& l : forms::foreignLists()) {
                    auto it = r.options.find(std::string(kSelectPrefix) + std::string(l.control));
                    if (it != r.options.end())
                        forms::selectInPage(r.page, l, std::stoi(it->second));
                }
            },
        .texts =
            [](const FormRequest& r) { return forms::foreignPrintTexts(r.page, r.calibration); },
        .print =
            [](Printer& printer, const FormRequest& r) {
                forms::printForeignForm(printer, r.page, r.calibration);
            },
        .formCode = 'A',
        .amountControl = "EBetrag",
        .journals = true,
        .printAndRecord =
            [](Printer& printer, FormRequest& r, const CalibrationView& calibration,
               Journal& journal) { forms::printForeign(printer, r.page, calibration, journal); },
    };
    return form;
}

} // namespace formidor::cli
