// `layout parcel` / `print parcel`: the parcel card with its second part.
#include "cli/forms.h"

#include "forms/postal.h"
#include "forms/postalprint.h"

namespace formidor::cli {

const CliForm& parcelCliForm() {
    static const CliForm form{
        .name = "parcel",
        .title = "im Paketschein",
        .isTextControl =
            [](std::string_view c) { return containsName(forms::parcelCardTextControls(), c); },
        .isCheckControl =
            [](std::string_view c) { return containsName(forms::parcelCardCheckControls(), c); },
        .option = {},
        // The page starts with the currency filled in; --set EPDMEUR= empties it.
        .finish =
            [](FormRequest& r) {
                r.page.setText("EPDMEUR", "EUR");
                applySetsWithMasks(r, {});
            },
        .texts =
            [](const FormRequest& r) { return forms::parcelCardPrintTexts(r.page, r.calibration); },
        .print =
            [](Printer& printer, const FormRequest& r) {
                forms::printParcelCardForm(printer, r.page, r.calibration);
            },
        .formCode = 'P',
        .printAndRecord =
            [](Printer& printer, FormRequest& r, const CalibrationView& calibration, Journal&) {
                forms::printParcelCard(printer, r.page, calibration, {});
            },
    };
    return form;
}

} // namespace formidor::cli
