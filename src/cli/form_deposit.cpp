// `layout deposit` / `print deposit`: the cheque deposit slip of the bank set as ComboBox1.
#include "cli/forms.h"

#include "forms/deposit.h"
#include "forms/depositprint.h"

namespace formidor::cli {

namespace {

std::string bankList() {
    std::string s;
    for (const auto& b : forms::depositBanks()) {
        if (!s.empty()) s += ", ";
        s += b.name;
    }
    return s;
}

} // namespace

const CliForm& depositCliForm() {
    static const CliForm form{
        .name = "deposit",
        .title = "im Scheckeinreichungsformular",
        .isTextControl =
            [](std::string_view c) { return containsName(forms::depositTextControls(), c); },
        .isCheckControl = [](std::string_view) { return false; },
        .option = {},
        // The bank box starts with its prompt, and with the prompt the page prints nothing:
        // the command says so as the page does. Any other text prints its slip, or a page
        // without fields for a text that names none of the banks. Empty bank code fields read
        // as their mask shows them.
        .finish =
            [](FormRequest& r) {
                r.page.setText("ComboBox1", kBankPrompt);
                std::vector<std::pair<std::string_view, std::string_view>> masks;
                for (const auto& c : forms::chequeControls())
                    masks.push_back({c.EBLZ, forms::kChequeBLZMask});
                applySetsWithMasks(r, masks);
                if (forms::noDepositBankChosen(r.page))
                    throw BadArgs(std::string(forms::kNoDepositBankMessage) +
                                  " (--set ComboBox1=BANK; bekannt: " + bankList() + ").");
            },
        .texts =
            [](const FormRequest& r) { return forms::depositPrintTexts(r.page, r.calibration); },
        .print =
            [](Printer& printer, const FormRequest& r) {
                forms::printDepositForm(printer, r.page, r.calibration);
            },
        .formCode = 'S',
        .amountControl = "EGesamtbetrag",
        .journals = true,
        .printAndRecord =
            [](Printer& printer, FormRequest& r, const CalibrationView& calibration,
               Journal& journal) {
                if (!forms::printDeposit(printer, r.page, calibration, journal, {}))
                    throw BadArgs(std::string(forms::kNoDepositBankMessage));
            },
    };
    return form;
}

} // namespace formidor::cli
