// `layout debit` / `print debit`: the direct debit form.
#include "cli/forms.h"

#include "forms/directdebit.h"
#include "forms/directdebitprint.h"

namespace formidor::cli {

const CliForm& debitCliForm() {
    static const CliForm form{
        .name = "debit",
        .title = "in der Lastschrift",
        .isTextControl =
            [](std::string_view c) { return containsName(forms::directDebitTextControls(), c); },
        .isCheckControl = [](std::string_view) { return false; },
        .option = {},
        // An empty bank code field reads as eight blanks, as on the page.
        .finish =
            [](FormRequest& r) {
                const std::pair<std::string_view, std::string_view> masks[] = {
                    {"EBLZZ", forms::kDirectDebitBLZMask}};
                applySetsWithMasks(r, masks);
            },
        .texts =
            [](const FormRequest& r) {
                return forms::directDebitPrintTexts(r.page, r.calibration);
            },
        .print =
            [](Printer& printer, const FormRequest& r) {
                forms::printDirectDebitForm(printer, r.page, r.calibration);
            },
    };
    return form;
}

} // namespace formidor::cli
