// `print FORM --csv FILE`: one form per row of a CSV file into one PDF, each row printed and
// followed by the steps "Drucken" takes after it. The file is read and its structure checked
// whole before anything prints; a row that then fails stops the batch, with the rows before it
// printed and stored and nothing of the rows after it.
#include "cli/forms.h"
#include "cli/printing.h"

#include "app/settings.h"
#include "bankdata/bankdirectory.h"
#include "bankdata/iban.h"
#include "forms/frame.h"
#include "journal/journal.h"
#include "platform/collatingprinter.h"
#include "platform/convert.h"
#include "platform/csv.h"
#include "platform/text.h"

#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>

namespace formidor::cli {

namespace {

// The settings store's moves into the printer page, caught for one form type.
class CalibrationCatcher : public CalibrationControls {
public:
    explicit CalibrationCatcher(char code) : code_(code) {}
    std::string kv = "0", kh = "0";
    bool normal = false, hochkant = false, right = false;

    std::string offsetText(char, bool horizontal) const override { return horizontal ? kv : kh; }
    bool isNormal(char) const override { return normal; }
    bool isHochkant(char) const override { return hochkant; }
    bool isRightFeed(char) const override { return right; }
    bool isLeftFeed(char) const override { return !right; }
    void setOffsetText(char c, bool horizontal, const std::string& text) override {
        if (c == code_) (horizontal ? kv : kh) = text;
    }
    void checkOrientation(char c, bool n) override {
        if (c != code_) return;
        normal = n;
        hochkant = !n;
    }
    void checkFeed(char c, bool r) override {
        if (c == code_) right = r;
    }
    bool sameAsTransfer(char) const override { return false; }
    void setSameAsTransfer(char, bool) override {}
    void showFont(char, const std::string&, const std::string&, const std::string&) override {}

private:
    char code_;
};

// A fault of one row: its message without the place.
struct RowFault {
    size_t column = 0; // 0: the row as a whole
    std::string message;
};

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw BadArgs("Die CSV-Datei '" + path + "' kann nicht gelesen werden.");
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) throw BadArgs("Die CSV-Datei '" + path + "' kann nicht gelesen werden.");
    return s.str();
}

std::optional<bool> checkValue(std::string_view text) {
    const std::string t = trim(text);
    for (const char* yes : {"1", "x", "X", "ja", "Ja", "JA", "true", "wahr"})
        if (t == yes) return true;
    for (const char* no : {"", "0", "nein", "Nein", "NEIN", "false", "falsch"})
        if (t == no) return false;
    return std::nullopt;
}

// The header's names against the form's controls.
void checkHeader(const CliForm& form, const CsvRow& header) {
    for (size_t i = 0; i < header.fields.size(); ++i) {
        const std::string& name = header.fields[i];
        if (!form.isTextControl(name) && !form.isCheckControl(name))
            throw BadArgs(csvPlace(header.line, i + 1) + "Unbekanntes Feld '" + name + "' " +
                          std::string(form.title) + ".");
    }
}

// The page of one row: the --set and --check defaults, then the row's fields, then the form's
// masks and start values. Throws RowFault.
FormRequest rowRequest(const CliForm& form, const FormRequest& base, const CsvTable& table,
                       const CsvRow& row) {
    FormRequest r = base;
    for (size_t i = 0; i < row.fields.size(); ++i) {
        const std::string& name = table.header.fields[i];
        const std::string& value = row.fields[i];
        if (form.isTextControl(name)) {
            r.sets.emplace_back(name, value);
        } else {
            const auto checked = checkValue(value);
            if (!checked)
                throw RowFault{i + 1, "'" + value + "' ist für das Kontrollkästchen " + name +
                                          " weder ja noch nein (1 oder 0, x oder leer)."};
            r.page.setChecked(name, *checked);
        }
    }
    try {
        if (form.finish)
            form.finish(r);
        else
            applySetsWithMasks(r, {});
    } catch (const std::exception& e) {
        throw RowFault{0, e.what()};
    }
    return r;
}

size_t columnOf(const CsvTable& table, std::string_view control) {
    for (size_t i = 0; i < table.header.fields.size(); ++i)
        if (table.header.fields[i] == control) return i + 1;
    return 0;
}

// What the print would refuse or quietly turn into something else: an amount that is not one
// (the page would print it and record 0).
// A typed IBAN of a transfer row: one whose check digits or account are wrong would cost a
// pre-printed form and a returned payment, so the row fails as a mistyped amount does. The
// originator's field holds the IBAN without its "DE".
void checkIbanField(const FormRequest& r, const CsvTable& table, std::string_view control,
                    bool withoutCountry) {
    const std::string& text = r.page.text(control);
    if (trim(text).empty()) return;
    IbanCheck c = withoutCountry ? checkOriginatorIbanText(text) : checkIbanText(text);
    if (c.verdict != IbanVerdict::Invalid && c.german()) lookUpGermanBank(c, bankDirectoryFile());
    if (!c.usable())
        throw RowFault{columnOf(table, control), std::string(control) + ": " + ibanStatusText(c)};
}

void checkRow(const CliForm& form, const FormRequest& r, const CsvTable& table) {
    if (form.name == "transfer") {
        checkIbanField(r, table, "EIBANEmpf", false);
        checkIbanField(r, table, "EIBANAuftrag", true);
    }
    if (!form.amountControl.empty()) {
        const std::string& amount = r.page.text(form.amountControl);
        if (!trim(amount).empty() && !forms::typedAmount(amount))
            throw RowFault{columnOf(table, form.amountControl),
                           "'" + amount + "' ist kein Betrag (" + std::string(form.amountControl) +
                               ", etwa 1234,56)."};
    }
}

std::string placeOf(const CsvRow& row, const RowFault& f) {
    return csvPlace(row.line, f.column);
}

} // namespace

StoredCalibration::StoredCalibration(char formCode) {
    CalibrationCatcher page(formCode);
    settings::LoadSettings(page, nullptr, settings::LoadForm::Page);
    kv = page.kv;
    kh = page.kh;
    normal = page.normal;
    hochkant = page.hochkant;
    right = page.right;
}

int printBatch(const CliForm& form, const FormRequest& base, std::ostream& out, std::ostream& err) {
    if (!form.printAndRecord) {
        err << "Das Formular '" << form.name << "' wird nicht aus einer CSV-Datei gedruckt.\n";
        return 2;
    }
    CsvTable table;
    try {
        table = parseCsv(readWholeFile(base.csv));
        checkHeader(form, table.header);
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 2;
    }
    if (table.rows.empty()) {
        err << "Die CSV-Datei enthält nur die Kopfzeile, keine Zeile zum Drucken.\n";
        return 2;
    }
    const StoredCalibration stored(form.formCode);
    const CalibrationView& calibration =
        base.calibrationGiven ? static_cast<const CalibrationView&>(base.calibration) : stored;
    // The frame reads both offsets as integers before it touches the printer; a stored text
    // that is none would fail every row alike.
    try {
        StrToInt(calibration.offsetText(form.formCode, false));
        StrToInt(calibration.offsetText(form.formCode, true));
    } catch (const std::exception& e) {
        err << "Druckereinstellung: " << e.what() << "\n";
        return 2;
    }

    if (base.dryRun) {
        size_t faults = 0;
        for (const CsvRow& row : table.rows) {
            try {
                checkRow(form, rowRequest(form, base, table, row), table);
            } catch (const RowFault& f) {
                err << placeOf(row, f) << f.message << "\n";
                ++faults;
            }
        }
        if (faults > 0) return 2;
        out << table.rows.size() << (table.rows.size() == 1 ? " Zeile" : " Zeilen")
            << " geprüft, keine Fehler.\n";
        return 0;
    }

    Journal journal;
    if (form.journals) {
        try {
            journal.JournalLaden();
        } catch (const std::exception& e) {
            err << e.what() << "\n";
            return 2;
        }
    }
    // The journal is written once, after the PDF file is complete: not a thousand rewrites of
    // the whole file, and no records of forms whose file could not be written.
    journal.setSaveDeferred(true);
    size_t printed = 0;
    std::string failure;
    bool partial = false;
    try {
        printToPdf(base.pdf, [&](Printer& pdf) {
            CollatingPrinter batch(pdf);
            for (const CsvRow& row : table.rows) {
                try {
                    FormRequest r = rowRequest(form, base, table, row);
                    checkRow(form, r, table);
                    form.printAndRecord(batch, r, calibration, journal);
                    ++printed;
                } catch (const RowFault& f) {
                    failure = placeOf(row, f) + f.message;
                } catch (const std::exception& e) {
                    failure = csvPlace(row.line, 0) + e.what();
                }
                if (!failure.empty()) break;
            }
            partial = batch.HasPartialPage();
            batch.finish();
        });
    } catch (const std::exception& e) {
        // The file itself failed: none of the rows reached it, and the journal stays as it was.
        err << e.what() << "\n";
        if (printed > 0)
            err << "Nicht gedruckt; die Adressen der " << printed
                << (printed == 1 ? " Zeile sind" : " Zeilen sind")
                << " im Adressbuch gespeichert, das Journal ist unverändert.\n";
        return 2;
    }
    if (form.journals && printed > 0) {
        try {
            journal.JournalSpeichern();
        } catch (const std::exception& e) {
            err << e.what() << "\n";
            return 2;
        }
    }
    if (!failure.empty()) {
        err << failure << "\n";
        err << "Gedruckt und gespeichert: " << printed
            << (printed == 1 ? " Formular" : " Formulare") << ", die Zeilen danach nicht.\n";
        if (partial) err << "Die letzte Seite der PDF-Datei ist unvollständig.\n";
        return 2;
    }
    out << printed << (printed == 1 ? " Formular" : " Formulare") << " gedruckt in " << base.pdf
        << ".\n";
    return 0;
}

} // namespace formidor::cli
