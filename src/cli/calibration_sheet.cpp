// `calibration-sheet FORM …` and the form drawing of `print FORM … --with-form`.
#include "cli/commands.h"
#include "cli/forms.h"
#include "cli/printing.h"

#include "forms/formsketch.h"

#include <algorithm>
#include <optional>

namespace formidor::cli {

namespace {

using forms::FormPrinterId;

// The form printer behind each form of the command line (the reports print on plain paper).
std::optional<FormPrinterId> formPrinterOf(std::string_view form) {
    static constexpr std::pair<std::string_view, FormPrinterId> kForms[] = {
        {"transfer", FormPrinterId::Transfer},       {"cheque", FormPrinterId::CrossedCheque},
        {"debit", FormPrinterId::DirectDebit},       {"cover", FormPrinterId::CoverSheet},
        {"cod", FormPrinterId::CashOnDelivery},      {"parcel", FormPrinterId::ParcelCard},
        {"smallparcel", FormPrinterId::SmallParcel}, {"deposit", FormPrinterId::ChequeDeposit},
        {"foreign", FormPrinterId::ForeignTransfer},
    };
    for (const auto& [name, id] : kForms)
        if (name == form) return id;
    return std::nullopt;
}

FormPrinterId requireFormPrinter(const CliForm& form) {
    if (auto id = formPrinterOf(form.name)) return *id;
    throw BadArgs("Zu '" + std::string(form.name) +
                  "' gibt es kein Formular (es wird auf leeres Papier gedruckt).");
}

// The form's texts under any calibration, as the command line's options would give it.
forms::FormTexts textsOf(const CliForm& form, const FormRequest& r, char code) {
    return [&form, &r, code](const CalibrationView& c) {
        FormRequest copy = r;
        copy.calibration.kv = c.offsetText(code, true);
        copy.calibration.kh = c.offsetText(code, false);
        copy.calibration.normal = c.isNormal(code);
        copy.calibration.right = c.isRightFeed(code);
        return form.texts(copy);
    };
}

// Takes `flag` out of args; whether it was there.
bool takeFlag(Args& args, std::string_view flag) {
    auto it = std::find(args.begin(), args.end(), flag);
    if (it == args.end()) return false;
    args.erase(it);
    return true;
}

} // namespace

int calibrationSheet(const Args& args, std::ostream&, std::ostream& err) {
    try {
        auto [form, r] = parseFormRequest(args, true);
        const FormPrinterId id = requireFormPrinter(*form);
        const auto texts = textsOf(*form, r, forms::formPrinter(id).formCode);
        printToPdf(r.pdf, [&](Printer& printer) {
            forms::printCalibrationSheet(printer, id, texts, r.calibration);
        });
        return 0;
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 2;
    }
}

int print(const Args& given, std::ostream& out, std::ostream& err) {
    try {
        Args args = given;
        const bool withForm = takeFlag(args, "--with-form");
        auto [form, r] = parseFormRequest(args, true);
        if (!r.csv.empty()) {
            if (withForm) throw BadArgs("--with-form gilt für ein einzelnes Formular, nicht für --csv.");
            return printBatch(*form, r, out, err);
        }
        if (!withForm) {
            const auto job = [&, form = form](Printer& printer) { form->print(printer, r); };
            if (r.printer.empty())
                printToPdf(r.pdf, job);
            else
                printToPrinter(r.printer, job);
            return 0;
        }
        // The drawing is for looking at, never for a form in a printer.
        if (!r.printer.empty())
            throw BadArgs("--with-form druckt nur in eine PDF-Datei, nicht auf einen Drucker.");
        const FormPrinterId id = requireFormPrinter(*form);
        const char code = forms::formPrinter(id).formCode;
        const auto texts = textsOf(*form, r, code);
        printToPdf(r.pdf, [&, form = form](Printer& printer) {
            auto recorded = forms::recordFormPrint(printer, [&](Printer& p) { form->print(p, r); });
            const auto sketch =
                forms::formSketch(texts, r.calibration, forms::readFrameFont(code).height);
            forms::printWithSketch(printer, recorded->LastDocument(), sketch);
        });
        return 0;
    } catch (const std::exception& e) {
        err << messageOf(e) << "\n";
        return 2;
    }
}

} // namespace formidor::cli
