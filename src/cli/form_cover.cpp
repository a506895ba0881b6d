// `layout cover` / `print cover`: the cover sheet of a bundle of direct debits.
#include "cli/forms.h"

#include "forms/directdebit.h"
#include "forms/directdebitprint.h"

namespace formidor::cli {

const CliForm& coverCliForm() {
    static const CliForm form{
        .name = "cover",
        .title = "im Lastschrift-Deckblatt",
        .isTextControl =
            [](std::string_view c) { return containsName(forms::coverSheetTextControls(), c); },
        .isCheckControl = [](std::string_view) { return false; },
        .option = {},
        // Count and total start as the page starts them.
        .finish =
            [](FormRequest& r) {
                r.page.setText("EStueckzahlD", forms::kCoverSheetCountStart);
                r.page.setText("EBetragD", forms::kCoverSheetTotalStart);
                applySetsWithMasks(r, {});
            },
        .texts =
            [](const FormRequest& r) { return forms::coverSheetPrintTexts(r.page, r.calibration); },
        .print =
            [](Printer& printer, const FormRequest& r) {
                forms::printCoverSheetForm(printer, r.page, r.calibration);
            },
    };
    return form;
}

} // namespace formidor::cli
