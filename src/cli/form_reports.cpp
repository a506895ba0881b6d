// `layout report-transfer|report-cheque|report-deposit` and `print …`: the plain-paper reports
// of the three pages, from the texts given by control name.
#include "cli/forms.h"

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

// --- crossed cheque: the counterfoil kinds, by button or caption ---

struct Counterfoil {
    std::string_view button;
    std::string_view caption;
};
constexpr Counterfoil kCounterfoils[] = {
    {"RBDeutsche", "Deutsche Bank"}, {"RBDresdner", "Dresdner Bank"},
    {"RBDG", "Volksbanken"},         {"RBleer", "leerer Abschnitt"},
    {"RBkein", "kein Abschnitt"},    {"RBobengross", "Abschnitt oben"},
};

std::string counterfoilList() {
    std::string s;
    for (const auto& c : kCounterfoils) {
        if (!s.empty()) s += ", ";
        s += c.button;
    }
    return s;
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
            [](std::string_view c) {
                static const auto controls = forms::chequeReportControls();
                return listed(controls, c);
            },
        .isCheckControl = [](std::string_view) { return false; },
        .option =
            [](const std::string& opt, const std::function<const std::string&()>& value,
               FormRequest& r) {
                if (opt != "--counterfoil") return false;
                const std::string& v = value();
                for (const auto& c : kCounterfoils) {
                    if (v == c.button || v == c.caption) {
                        r.options["counterfoil"] = std::string(c.button);
                        return true;
                    }
                }
                throw BadArgs("Unbekannter Begleitabschnitt '" + v +
                              "' (bekannt: " + counterfoilList() + ").");
            },
        // "kein Abschnitt" is chosen when the page starts.
        .finish =
            [](FormRequest& r) {
                applySetsWithMasks(r, {});
                auto it = r.options.find("counterfoil");
                r.page.setChecked(it == r.options.end() ? "RBkein" : it->second, true);
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
