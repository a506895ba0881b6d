#include "cli/commands.h"

#include "cli/printing.h"
#include "journal/journal.h"
#include "journal/journalrange.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <optional>
#include <stdexcept>

namespace formidor::cli {

namespace {

constexpr const char* kUsage =
    "Aufruf: formidor-cli journal [--file DATEI]\n"
    "       formidor-cli journal print [--file DATEI] [--from-number N] [--to-number N]\n"
    "                    [--from-date TT.MM.JJJJ] [--to-date TT.MM.JJJJ] --pdf DATEI\n"
    "       formidor-cli journal delete [--file DATEI] (--from-number N --to-number N |\n"
    "                    --from-date TT.MM.JJJJ --to-date TT.MM.JJJJ) --yes\n";

struct Usage : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What print and delete were given; what is missing takes the journal dialog's defaults.
struct RangeRequest {
    std::filesystem::path file;
    bool explicitFile = false;
    std::optional<int32_t> vonNummer, bisNummer;
    std::optional<TDateTime> vonDatum, bisDatum;
    std::string pdf;
    bool yes = false;
};

RangeRequest parseRange(const Args& args, bool printing) {
    RangeRequest r;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& opt = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw Usage("Der Option " + opt + " fehlt ihr Wert.");
            return args[++i];
        };
        auto number = [&](std::string_view message) {
            int32_t n = 0;
            if (!TryStrToInt(value(), n)) throw std::runtime_error(std::string(message));
            return n;
        };
        auto date = [&] {
            const std::string& v = value();
            TDateTime d = 0;
            if (!TryStrToDate(v, d)) throw std::runtime_error(formatMessage(kInvalidDate, v));
            return d;
        };
        if (opt == "--file") {
            r.file = value();
            r.explicitFile = true;
        } else if (opt == "--from-number") {
            r.vonNummer = number(kVonNummerUngueltig);
        } else if (opt == "--to-number") {
            r.bisNummer = number(kBisNummerUngueltig);
        } else if (opt == "--from-date") {
            r.vonDatum = date();
        } else if (opt == "--to-date") {
            r.bisDatum = date();
        } else if (printing && opt == "--pdf") {
            r.pdf = value();
        } else if (!printing && opt == "--yes") {
            r.yes = true;
        } else {
            throw Usage("Unbekannte Option '" + opt + "'.");
        }
    }
    if (printing && r.pdf.empty()) throw Usage("Es fehlt --pdf DATEI.");
    if (!printing) {
        const bool numbers = r.vonNummer && r.bisNummer;
        const bool dates = r.vonDatum && r.bisDatum;
        if (bool(r.vonNummer) != bool(r.bisNummer) || bool(r.vonDatum) != bool(r.bisDatum) ||
            !(numbers || dates))
            throw Usage("Zum Löschen gehören --from-number und --to-number oder --from-date und "
                        "--to-date.");
    }
    if (!r.explicitFile) r.file = paths::journalFile();
    return r;
}

// The journal as the application would have it after its start: loaded when the file exists.
// A named file that does not exist is an error; the user's own missing journal is empty, and
// nothing is created for it.
void load(Journal& journal, const RangeRequest& r) {
    std::error_code ec;
    if (std::filesystem::exists(r.file, ec) || std::filesystem::is_symlink(r.file, ec)) {
        journal.JournalLaden();
    } else if (r.explicitFile) {
        throw std::runtime_error("Das Journal „" + r.file.string() + "“ existiert nicht.");
    }
}

JournalRange rangeOf(const Journal& journal, const RangeRequest& r) {
    JournalRange range = journalDialogDefaults(journal);
    if (r.vonNummer) range.vonNummer = *r.vonNummer;
    if (r.bisNummer) range.bisNummer = *r.bisNummer;
    if (r.vonDatum) range.vonDatum = *r.vonDatum;
    if (r.bisDatum) range.bisDatum = *r.bisDatum;
    return range;
}

int printRange(const Args& args) {
    const RangeRequest r = parseRange(args, true);
    Journal journal(r.file);
    load(journal, r);
    const JournalRange range = rangeOf(journal, r);
    printToPdf(r.pdf,
               [&](Printer& printer) { printJournalRange(printer, journal.Liste(), range); });
    return 0;
}

int deleteRange(const Args& args, std::ostream& out, std::ostream& err) {
    const RangeRequest r = parseRange(args, false);
    if (!r.yes) {
        err << "Ohne --yes wird nichts gelöscht.\n";
        return 2;
    }
    Journal journal(r.file);
    load(journal, r);
    size_t n = 0;
    if (!journal.Liste().empty()) n = deleteJournalRange(journal, rangeOf(journal, r));
    out << n << (n == 1 ? " Eintrag" : " Einträge") << " gelöscht.\n";
    return 0;
}

// Prints the journal the way the journal page shows it: three lines per record, the cells of a
// line separated by a tab. Only reads; a missing journal of the current user is an empty one.
int listJournal(const Args& args, std::ostream& out, std::ostream& err) {
    std::filesystem::path file;
    bool explicitFile = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--file" && i + 1 < args.size()) {
            file = args[++i];
            explicitFile = true;
        } else {
            err << kUsage;
            return 2;
        }
    }
    if (!explicitFile) file = paths::journalFile();

    std::vector<TJournal> records;
    try {
        auto loaded = readJournalFile(file);
        if (!loaded && explicitFile) {
            err << "Das Journal „" << file.string() << "“ existiert nicht.\n";
            return 2;
        }
        if (loaded) records = std::move(*loaded);
    } catch (const EJournalError& e) {
        err << e.what() << "\n";
        return 2;
    }
    for (const auto& row : JournalAnzeigen(records))
        out << row.cells[0] << '\t' << row.cells[1] << '\n';
    return out ? 0 : 2;
}

} // namespace

int journal(const Args& args, std::ostream& out, std::ostream& err) {
    const bool printing = !args.empty() && args[0] == "print";
    const bool deleting = !args.empty() && args[0] == "delete";
    if (!printing && !deleting) return listJournal(args, out, err);
    const Args rest(args.begin() + 1, args.end());
    try {
        return printing ? printRange(rest) : deleteRange(rest, out, err);
    } catch (const Usage& e) {
        err << e.what() << "\n" << kUsage;
        return 2;
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 2;
    }
}

} // namespace formidor::cli
