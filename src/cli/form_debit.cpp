// `layout debit` / `print debit`: the direct debit form.
#include "cli/forms.h"

#include "app/settings.h"

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
        .formCode = 'L',
        .amountControl = "EBetragZ",
        .journals = true,
        // The count and total of the cover sheet start as the page shows them; the last-used
        // originator, which the page takes from the transfer page, stays as stored.
        .printAndRecord =
            [](Printer& printer, FormRequest& r, const CalibrationView& calibration,
               Journal& journal) {
                if (r.page.text("EStueckzahlD").empty()) r.page.setText("EStueckzahlD", "0");
                if (r.page.text("EBetragD").empty()) r.page.setText("EBetragD", "0,00");
                forms::DirectDebitAfterPrint after;
                after.journal = &journal;
                after.lastOriginator = settings::Empfaenger();
                forms::printDirectDebit(printer, r.page, calibration, after);
            },
    };
    return form;
}

} // namespace formidor::cli
