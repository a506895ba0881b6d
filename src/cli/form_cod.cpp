// `layout cod` / `print cod`: the cash-on-delivery transfer.
#include "cli/forms.h"

#include "forms/postal.h"
#include "forms/postalprint.h"

namespace formidor::cli {

const CliForm& codCliForm() {
    static const CliForm form{
        .name = "cod",
        .title = "im Nachnahmeformular",
        .isTextControl =
            [](std::string_view c) { return containsName(forms::cashOnDeliveryTextControls(), c); },
        .isCheckControl = [](std::string_view) { return false; },
        .option = {},
        // Each --set is a field typed and left, in the order given: the amount with the fee
        // follows the amount (and the other way round), the second part's purpose lines follow
        // the first part's.
        .finish =
            [](FormRequest& r) {
                for (const auto& [control, text] : r.sets) {
                    r.page.setText(control, text);
                    forms::cashOnDeliveryFieldLeft(r.page, control);
                }
            },
        .texts =
            [](const FormRequest& r) {
                return forms::cashOnDeliveryPrintTexts(r.page, r.calibration);
            },
        .print =
            [](Printer& printer, const FormRequest& r) {
                forms::printCashOnDeliveryForm(printer, r.page, r.calibration);
            },
        .formCode = 'N',
        .printAndRecord =
            [](Printer& printer, FormRequest& r, const CalibrationView& calibration, Journal&) {
                forms::printCashOnDelivery(printer, r.page, calibration, {});
            },
    };
    return form;
}

} // namespace formidor::cli
