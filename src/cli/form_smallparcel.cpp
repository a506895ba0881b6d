// `layout smallparcel` / `print smallparcel`: the small-parcel form for Germany and the EU.
#include "cli/forms.h"

#include "forms/postal.h"
#include "forms/postalprint.h"

namespace formidor::cli {

const CliForm& smallparcelCliForm() {
    static const CliForm form{
        .name = "smallparcel",
        .title = "im Päckchenschein",
        .isTextControl =
            [](std::string_view c) { return containsName(forms::smallParcelTextControls(), c); },
        .isCheckControl = [](std::string_view) { return false; },
        .option = {},
        .finish = {},
        .texts =
            [](const FormRequest& r) {
                return forms::smallParcelPrintTexts(r.page, r.calibration);
            },
        .print =
            [](Printer& printer, const FormRequest& r) {
                forms::printSmallParcelForm(printer, r.page, r.calibration);
            },
        .formCode = 'P',
        .printAndRecord =
            [](Printer& printer, FormRequest& r, const CalibrationView& calibration, Journal&) {
                forms::printSmallParcel(printer, r.page, calibration, {});
            },
    };
    return form;
}

} // namespace formidor::cli
