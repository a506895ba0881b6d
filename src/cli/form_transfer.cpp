// `layout transfer` / `print transfer`: the transfer page's variants and masks.
#include "cli/forms.h"

#include "forms/transfer.h"
#include "forms/transferprint.h"

namespace formidor::cli {

namespace {

using forms::TransferVariant;

std::string variantList() {
    std::string s;
    for (const auto& v : forms::transferVariants()) {
        if (!s.empty()) s += ", ";
        s += v.formular;
    }
    return s;
}

TransferVariant requestVariant(const FormRequest& r) {
    auto it = r.options.find("variant");
    if (it == r.options.end()) return TransferVariant::V13;
    return *forms::transferVariantByFormular(it->second);
}

} // namespace

const CliForm& transferCliForm() {
    static const CliForm form{
        .name = "transfer",
        .title = "im Überweisungsformular",
        .isTextControl =
            [](std::string_view c) { return containsName(forms::transferTextControls(), c); },
        .isCheckControl =
            [](std::string_view c) { return containsName(forms::transferCheckControls(), c); },
        .option =
            [](const std::string& opt, const std::function<const std::string&()>& value,
               FormRequest& r) {
                if (opt != "--variant") return false;
                const std::string& v = value();
                if (!forms::transferVariantByFormular(v))
                    throw BadArgs("Unbekannte Formularvariante '" + v +
                                  "' (bekannt: " + variantList() + ").");
                r.options["variant"] = v;
                return true;
            },
        // Masked fields read as the masked field rule says: an empty bank code field reads as
        // eight blanks.
        .finish =
            [](FormRequest& r) {
                std::vector<std::pair<std::string_view, std::string_view>> masks = {
                    {"EPostbankB", forms::kPostbankBMask}};
                if (forms::transferVariant(requestVariant(r)).blzMasked)
                    masks.push_back({"EBLZ", forms::kBLZMask});
                applySetsWithMasks(r, masks);
            },
        .texts =
            [](const FormRequest& r) {
                return forms::transferPrintTexts(requestVariant(r), r.page, r.calibration);
            },
        .print =
            [](Printer& printer, const FormRequest& r) {
                forms::printTransferForm(printer, requestVariant(r), r.page, r.calibration);
            },
        .formCode = 'U',
        .amountControl = "EBetrag",
        .journals = true,
        .printAndRecord =
            [](Printer& printer, FormRequest& r, const CalibrationView& calibration,
               Journal& journal) {
                forms::printTransfer(printer, requestVariant(r), r.page, calibration, journal, {});
            },
    };
    return form;
}

} // namespace formidor::cli
