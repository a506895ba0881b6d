#include "cli/commands.h"

#include "forms/gui/pdfprint.h"
#include "forms/transferprint.h"
#include "platform/convert.h"
#include "platform/editmask.h"
#include "platform/text.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace formidor::cli {

namespace {

using forms::TransferVariant;

// A usage error; its message is what the user is told.
struct BadArgs : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The printer page's transfer calibration as given on the command line.
class OptionCalibration : public CalibrationView {
public:
    std::string kv = "0", kh = "0";
    bool normal = true;
    bool right = true;

    std::string offsetText(char, bool horizontal) const override { return horizontal ? kv : kh; }
    bool isNormal(char) const override { return normal; }
    bool isHochkant(char) const override { return !normal; }
    bool isRightFeed(char) const override { return right; }
    bool isLeftFeed(char) const override { return !right; }
};

struct Request {
    TransferVariant variant = TransferVariant::V13;
    forms::FormPage page;
    OptionCalibration calibration;
    std::string pdf;
};

bool contains(std::span<const std::string_view> names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string variantList() {
    std::string s;
    for (const auto& v : forms::transferVariants()) {
        if (!s.empty()) s += ", ";
        s += v.formular;
    }
    return s;
}

// The texts of a page whose fields were given these texts: masked fields read as the masked
// field rule says (an empty bank code field reads as eight blanks).
void applyMasks(Request& r, const std::vector<std::pair<std::string, std::string>>& sets) {
    std::vector<std::pair<std::string_view, std::string_view>> masks = {
        {"EPostbankB", forms::kPostbankBMask}};
    if (forms::transferVariant(r.variant).blzMasked) masks.push_back({"EBLZ", forms::kBLZMask});
    for (const auto& [control, text] : sets) r.page.setText(control, text);
    for (const auto& [control, maskText] : masks) {
        EditMask mask(maskText);
        r.page.setText(control, mask.text(mask.editTextFor(r.page.text(control))));
    }
}

Request parse(const Args& args, bool withPdf) {
    if (args.empty()) throw BadArgs("Es fehlt das Formular (bekannt: transfer).");
    if (args[0] != "transfer")
        throw BadArgs("Unbekanntes Formular '" + args[0] + "' (bekannt: transfer).");
    Request r;
    std::vector<std::pair<std::string, std::string>> sets;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& opt = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw BadArgs("Der Option " + opt + " fehlt ihr Wert.");
            return args[++i];
        };
        if (opt == "--variant") {
            const std::string& v = value();
            auto variant = forms::transferVariantByFormular(v);
            if (!variant)
                throw BadArgs("Unbekannte Formularvariante '" + v + "' (bekannt: " + variantList() +
                              ").");
            r.variant = *variant;
        } else if (opt == "--set") {
            const std::string& v = value();
            const size_t eq = v.find('=');
            if (eq == std::string::npos)
                throw BadArgs("--set erwartet FELD=TEXT, nicht '" + v + "'.");
            const std::string control = v.substr(0, eq);
            if (!contains(forms::transferTextControls(), control))
                throw BadArgs("Unbekanntes Feld '" + control + "' im Überweisungsformular.");
            sets.emplace_back(control, v.substr(eq + 1));
        } else if (opt == "--check") {
            const std::string& control = value();
            if (!contains(forms::transferCheckControls(), control))
                throw BadArgs("Unbekanntes Kontrollkästchen '" + control +
                              "' im Überweisungsformular.");
            r.page.setChecked(control, true);
        } else if (opt == "--kv" || opt == "--kh") {
            const std::string& v = value();
            int32_t n = 0;
            if (!TryStrToInt(v, n))
                throw BadArgs("Versatz " + opt + ": " + formatMessage(kInvalidInteger, v) + ".");
            (opt == "--kv" ? r.calibration.kv : r.calibration.kh) = v;
        } else if (opt == "--orientation") {
            const std::string& v = value();
            if (v != "normal" && v != "hochkant")
                throw BadArgs("Unbekannte Lage '" + v + "' (normal oder hochkant).");
            r.calibration.normal = v == "normal";
        } else if (opt == "--feed") {
            const std::string& v = value();
            if (v != "links" && v != "rechts")
                throw BadArgs("Unbekannte Einzugsseite '" + v + "' (links oder rechts).");
            r.calibration.right = v == "rechts";
        } else if (withPdf && opt == "--pdf") {
            r.pdf = value();
        } else {
            throw BadArgs("Unbekannte Option '" + opt + "'.");
        }
    }
    if (withPdf && r.pdf.empty()) throw BadArgs("Es fehlt --pdf DATEI.");
    applyMasks(r, sets);
    return r;
}

} // namespace

int layout(const Args& args, std::ostream& out, std::ostream& err) {
    try {
        Request r = parse(args, false);
        for (const auto& t : forms::transferPrintTexts(r.variant, r.page, r.calibration))
            out << t.x << '\t' << t.y << '\t' << t.text << '\n';
        return out ? 0 : 2;
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 2;
    }
}

int print(const Args& args, std::ostream&, std::ostream& err) {
    try {
        Request r = parse(args, true);
        gui::printToPdfFile(r.pdf, [&](Printer& printer) {
            forms::printTransferForm(printer, r.variant, r.page, r.calibration);
        });
        return 0;
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 2;
    }
}

} // namespace formidor::cli
