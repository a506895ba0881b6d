#include "cli/commands.h"

#include "cli/forms.h"
#include "platform/fileio.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <new>
#include <system_error>

namespace formidor::cli {

namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*fn)(const Args&, std::ostream&, std::ostream&);
};

const Command kCommands[] = {
    {"reg-export", "reg-export DATEI            Einstellungen und Adressen als .reg-Datei sichern",
     regExport},
    {"reg-import", "reg-import DATEI            eine .reg-Datei in die Einstellungen einlesen",
     regImport},
    {"backup",
     "backup ORDNER               Einstellungen, Adressen und Journal in einen Ordner sichern",
     backup},
    {"restore", "restore ORDNER --yes        eine Sicherung aus dem Ordner zurücklesen", restore},
    {"journal",
     "journal [--file DATEI]      das Journal zeilenweise ausgeben\n"
     "  journal print [--file DATEI] [--from-number N] [--to-number N]\n"
     "                [--from-date TT.MM.JJJJ] [--to-date TT.MM.JJJJ] --pdf DATEI\n"
     "                             Journaleinträge in eine PDF-Datei drucken\n"
     "  journal delete [--file DATEI] (--from-number N --to-number N |\n"
     "                 --from-date TT.MM.JJJJ --to-date TT.MM.JJJJ) --yes\n"
     "                             Journaleinträge löschen",
     journal},
    {"check",
     "check BLZ KONTO | check --infile DATEI [--blz-file DATEI]\n"
     "                             Kontonummer nach dem Prüfziffernverfahren der Bank prüfen",
     check},
    {"bank", "bank BLZ [--blz-file DATEI] den Namen der Bank zur Bankleitzahl ausgeben", bank},
    {"iban",
     "iban IBAN... [--blz-file DATEI] | iban --blz BLZ --konto KONTO\n"
     "                             IBAN prüfen (Bank, BIC, Kontonummer) oder berechnen",
     iban},
    {"layout",
     "layout FORMULAR [OPTIONEN]  die gedruckten Texte eines Formulars mit Position ausgeben",
     layout},
    {"print",
     "print FORMULAR [OPTIONEN] --pdf DATEI | --printer DRUCKER [--with-form]\n"
     "                             ein Formular in eine PDF-Datei oder auf einen Drucker drucken\n"
     "                             (--with-form: mit einer Zeichnung des Formulars dahinter,\n"
     "                             nur zum Ansehen)\n"
     "  print FORMULAR --csv DATEI [OPTIONEN] --pdf DATEI | --dry-run\n"
     "                             ein Formular je CSV-Zeile in eine PDF-Datei drucken",
     print},
    {"printers", "printers                    die installierten Drucker zeilenweise ausgeben",
     printers},
    {"calibration-sheet",
     "calibration-sheet FORMULAR [OPTIONEN] --pdf DATEI\n"
     "                             Probedruck auf leeres Papier: Kreuz und Feldname an jeder\n"
     "                             Textposition, Formularumriss, 10-mm-Raster",
     calibrationSheet},
    {"list",
     "list originators|recipients --pdf DATEI\n"
     "                             die Liste aller Auftraggeber oder Empfänger drucken",
     list},
};

void usage(std::ostream& out) {
    out << "Aufruf: formidor-cli BEFEHL [ARGUMENTE]\n\nBefehle:\n";
    for (const auto& c : kCommands) out << "  " << c.usage << "\n";
    out << "  --help                     diese Übersicht\n";
    out << "\nFormulare: " << cliFormNames() << "\n";
}

} // namespace

std::string messageOf(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e)) return "Der Arbeitsspeicher reicht nicht aus.";
    if (auto* f = dynamic_cast<const std::filesystem::filesystem_error*>(&e)) {
        const int err = f->code().category() == std::generic_category() ||
                                f->code().category() == std::system_category()
                            ? f->code().value()
                            : EIO;
        return "Die Datei '" + f->path1().string() +
               "' kann nicht benutzt werden: " + fileio::reason(err) + ".";
    }
    if (auto* s = dynamic_cast<const std::system_error*>(&e)) {
        const int err = s->code().category() == std::generic_category() ||
                                s->code().category() == std::system_category()
                            ? s->code().value()
                            : EIO;
        return "Ein Dateizugriff ist fehlgeschlagen: " + fileio::reason(err) + ".";
    }
    return e.what();
}

bool needsPrinter(const Args& args) {
    if (args.empty()) return false;
    const std::string& c = args[0];
    // A dry run of a batch only checks its rows.
    if (c == "print") return std::find(args.begin(), args.end(), "--dry-run") == args.end();
    if (c == "printers" || c == "list" || c == "calibration-sheet") return true;
    return c == "journal" && args.size() > 1 && args[1] == "print";
}

int run(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        usage(err);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        usage(out);
        return 0;
    }
    for (const auto& c : kCommands) {
        if (args[0] == c.name) return c.fn(Args(args.begin() + 1, args.end()), out, err);
    }
    err << "Unbekannter Befehl '" << args[0] << "' (formidor-cli --help zeigt alle Befehle)\n";
    return 2;
}

} // namespace formidor::cli
