#pragma once
// The forms that `formidor-cli layout` and `print` know. Each form is one entry: the controls a
// caller may set, its own options, what its print draws and how it prints. The common options
// (--set, --check, --kv, --kh, --orientation, --feed, --pdf) are read once for all forms; a
// form adds its own (--variant, --counterfoil, …) through `option`.
#include "app/calibration.h"
#include "forms/layout.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace formidor {
class Journal;
class Printer;
} // namespace formidor

namespace formidor::cli {

// A usage error; its message is what the user is told.
struct BadArgs : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The printer page's calibration as given on the command line (the same for every form code).
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

// The printer page's calibration of one form type as the settings key holds it, the way the
// page shows it after start: offsets "0" and neither orientation button checked where nothing
// is stored, the feed at the left unless "rechts" is stored.
class StoredCalibration : public CalibrationView {
public:
    explicit StoredCalibration(char formCode);
    std::string offsetText(char, bool horizontal) const override { return horizontal ? kv : kh; }
    bool isNormal(char) const override { return normal; }
    bool isHochkant(char) const override { return hochkant; }
    bool isRightFeed(char) const override { return right; }
    bool isLeftFeed(char) const override { return !right; }

private:
    std::string kv = "0", kh = "0";
    bool normal = false, hochkant = false, right = false;
};

// One parsed `layout FORM …` or `print FORM …` call.
struct FormRequest {
    forms::FormPage page;
    OptionCalibration calibration;
    std::string pdf;
    std::string printer; // --printer: an installed printer instead of a PDF file
    // `print FORM --csv FILE`: one form per row; --dry-run checks the rows and prints nothing.
    std::string csv;
    bool dryRun = false;
    // The options --kv, --kh, --orientation or --feed were given.
    bool calibrationGiven = false;
    // The form's own options by name ("variant", "counterfoil", …), as the form stored them.
    std::map<std::string, std::string, std::less<>> options;
    // The --set texts in the order given, before `finish` ran (for forms that need the raw text).
    std::vector<std::pair<std::string, std::string>> sets;
};

struct CliForm {
    std::string_view name;  // transfer, cheque, …
    std::string_view title; // for messages: "im Überweisungsformular"
    // Controls --set and --check accept.
    std::function<bool(std::string_view control)> isTextControl;
    std::function<bool(std::string_view control)> isCheckControl;
    // A form's own option: returns false when `opt` is none of its options; `value()` takes
    // the option's value (and throws BadArgs when it is missing). Throws BadArgs for a bad value.
    std::function<bool(const std::string& opt, const std::function<const std::string&()>& value,
                       FormRequest& r)>
        option;
    // After all options: fills the page from r.sets (masks applied); the default sets each text.
    std::function<void(FormRequest& r)> finish;
    // Every text the print draws, in drawing order, calibration applied.
    std::function<std::vector<forms::PlacedText>(const FormRequest& r)> texts;
    // The print itself on the given printer.
    std::function<void(Printer& printer, const FormRequest& r)> print;

    // The form type's calibration code (U, N, P, S, A …).
    char formCode = 'U';
    // The control whose amount the page checks after the print; empty where it checks none.
    std::string_view amountControl{};
    // Whether the print records a journal entry.
    bool journals = false;
    // "Drucken" with every step after the print as the page runs them: the address book, the
    // last-used originator, the amount check, the journal record. Throws with the message the
    // page would show.
    std::function<void(Printer& printer, FormRequest& r, const CalibrationView& calibration,
                       Journal& journal)>
        printAndRecord{};
};

// Every form, in the order --help and the messages list them.
std::span<const CliForm* const> cliForms();
const CliForm* findCliForm(std::string_view name);
// "transfer, cheque, …"
std::string cliFormNames();

// Parses the arguments after `layout` / `print`: args[0] is the form.
std::pair<const CliForm*, FormRequest> parseFormRequest(const std::vector<std::string>& args,
                                                        bool withPdf);

// `print FORM --csv FILE [--pdf FILE] [--dry-run]`, after the options were parsed into base.
int printBatch(const CliForm& form, const FormRequest& base, std::ostream& out, std::ostream& err);

// Helpers for form entries.
bool containsName(std::span<const std::string_view> names, std::string_view name);
// Sets every r.sets text on the page, then reads each masked control as its mask shows it.
void applySetsWithMasks(FormRequest& r,
                        std::span<const std::pair<std::string_view, std::string_view>> masks);

// The forms (one function per form file).
const CliForm& transferCliForm();
const CliForm& chequeCliForm();
const CliForm& debitCliForm();
const CliForm& coverCliForm();
const CliForm& codCliForm();
const CliForm& parcelCliForm();
const CliForm& smallparcelCliForm();
const CliForm& depositCliForm();
const CliForm& foreignCliForm();
const CliForm& reportTransferCliForm();
const CliForm& reportChequeCliForm();
const CliForm& reportDepositCliForm();

} // namespace formidor::cli
