// `layout report-transfer|report-cheque|report-deposit` and `print …`: the plain-paper reports
// of the three pages, from the texts given by control name.
#include "cli/forms.h"

#include "forms/cheque.h"
#include "forms/deposit.h"
#include "forms/report.h"
#include "forms/transfer.h"
#include "platform/datetime.h"

#include <algorithm>

namespace formidor::cli {

namespace {

using forms::ReportText;

std::vector<forms::PlacedText> placed(const std::vector<ReportText>& texts) {
    std::vector<forms::PlacedText> out;
    out.reserve(texts.size());
    for (const auto& t : texts) out.push_back({t.x, t.y, t.text});
    return out;
}

bool listed(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// --- transfer: the variants and masks of the transfer form ---

forms::TransferVariant reportVariant(const FormRequest& r) {
    auto it = r.options.find("variant");
    if (it == r.options.end()) return forms::TransferVariant::V13;
    return *forms::transferVariantByFormular(it->second);
}

constexpr std::string_view kLastDepositBank = "LastDepositBank";
constexpr std::pair<std::string_view, std::string_view> kDepositMasks[] = {
    {"EBLZ1", forms::kBLZMask},
    {"EBLZ2", forms::kBLZMask},
    {"EBLZ3", forms::kBLZMask},
    {"EBLZ4", forms::kBLZMask},
    {"EBLZ5", forms::kBLZMask}};

} // namespace

const CliForm& reportTransferCliForm() {
    static const CliForm form{
        .name = "report-transfer",
        .title = "im Überweisungsbericht",
        .isTextControl =
            [](std::string_view c) { return containsName(forms::transferTextControls(), c); },
        .isCheckControl =
            [](std::string_view c) { return containsName(forms::transferCheckControls(), c); },
        .option = [](const std::string& opt, const std::function<const std::string&()>& value,
                     FormRequest& r) { return transferCliForm().option(opt, value, r); },
        .finish = [](FormRequest& r) { transferCliForm().finish(r); },
        .texts =
            [](const FormRequest& r) {
                return placed(
                    forms::transferReportTexts(reportVariant(r), r.page, DateToStr(Date())));
            },
        .print =
            [](Printer& printer, const FormRequest& r) {
                forms::printReport(
                    printer, forms::kTransferReportTitle,
                    forms::transferReportTexts(reportVariant(r), r.page, DateToStr(Date())));
            },
    };
    return form;
}

const CliForm& reportChequeCliForm() {
    static const CliForm form{
        .name = "report-cheque",
        .title = "im Verrechnungsscheckbericht",
        .isTextControl =
            [](std::string_view c) { return containsName(forms::chequeTextControls(), c); },
        .isCheckControl = [](std::string_view) { return false; },
        // The counterfoil and the memos are given as for the cheque itself; "kein Abschnitt"
        // is chosen when the page starts.
        .option = [](const std::string& opt, const std::function<const std::string&()>& value,
                     FormRequest& r) { return chequeCliForm().option(opt, value, r); },
        .finish =
            [](FormRequest& r) {
                chequeCliForm().finish(r);
                auto it = r.options.find("counterfoil");
                const auto c = it == r.options.end() ? forms::Counterfoil::Kein
                                                     : *forms::counterfoilByCode(it->second);
                r.page.setChecked(forms::counterfoil(c).button, true);
            },
        .texts = [](const FormRequest& r) { return placed(forms::chequeReportTexts(r.page)); },
        .print =
            [](Printer& printer, const FormRequest& r) {
                forms::printReport(printer, forms::kChequeReportTitle,
                                   forms::chequeReportTexts(r.page));
            },
    };
    return form;
}

const CliForm& reportDepositCliForm() {
    static const CliForm form{
        .name = "report-deposit",
        .title = "im Scheckeinreichungsbericht",
        .isTextControl =
            [](std::string_view c) {
                static const auto controls = forms::depositReportControls();
                return c == kLastDepositBank || listed(controls, c);
            },
        .isCheckControl = [](std::string_view) { return false; },
        .option = {},
        // The drawee banks' codes are masked fields: an empty one reads as eight blanks.
        .finish = [](FormRequest& r) { applySetsWithMasks(r, kDepositMasks); },
        .texts =
            [](const FormRequest& r) {
                return placed(forms::depositReportTexts(r.page, r.page.text(kLastDepositBank)));
            },
        .print =
            [](Printer& printer, const FormRequest& r) {
                forms::printReport(
                    printer, forms::kDepositReportTitle,
                    forms::depositReportTexts(r.page, r.page.text(kLastDepositBank)));
            },
    };
    return form;
}

} // namespace formidor::cli
