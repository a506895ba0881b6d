#include "cli/commands.h"

#include "cli/forms.h"

#include <iostream>

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
    {"layout",
     "layout FORMULAR [OPTIONEN]  die gedruckten Texte eines Formulars mit Position ausgeben",
     layout},
    {"print",
     "print FORMULAR [OPTIONEN] --pdf DATEI [--with-form]\n"
     "                             ein Formular in eine PDF-Datei drucken (--with-form: mit\n"
     "                             einer Zeichnung des Formulars dahinter, nur zum Ansehen)",
     print},
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

bool needsPrinter(const Args& args) {
    if (args.empty()) return false;
    const std::string& c = args[0];
    if (c == "print" || c == "list" || c == "calibration-sheet") return true;
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
