#include "cli/commands.h"

#include "addressbook/addressbook.h"
#include "addressbook/datamanagement.h"
#include "cli/printing.h"

#include <string_view>

namespace formidor::cli {

namespace {

struct ListKind {
    std::string_view arg;
    std::string_view collection;
    const char* people; // for the message about an empty list
};
constexpr ListKind kLists[] = {
    {"originators", kUeberwA, "Auftraggeber"},
    {"recipients", kUeberwE, "Empfänger"},
};

constexpr const char* kUsage = "Aufruf: formidor-cli list originators|recipients --pdf DATEI\n";

} // namespace

// Prints the list of all originators or recipients of the current user's address book into a
// PDF file, as the print button of the list's preview window on the data management page does:
// every page, the entries in the order the page lists them.
int list(const Args& args, std::ostream&, std::ostream& err) {
    const ListKind* kind = nullptr;
    std::string pdf;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--pdf" && i + 1 < args.size()) {
            pdf = args[++i];
            continue;
        }
        const ListKind* named = nullptr;
        for (const auto& k : kLists)
            if (args[i] == k.arg) named = &k;
        if (!named || kind) {
            err << "Unbekannte Angabe '" << args[i] << "'\n" << kUsage;
            return 2;
        }
        kind = named;
    }
    if (!kind || pdf.empty()) {
        err << kUsage;
        return 2;
    }

    try {
        const std::vector<std::string> names = collectionNames(kind->collection);
        // The page opens no preview for an empty list, so there is nothing to print.
        if (names.empty()) {
            err << "Es sind keine " << kind->people << " gespeichert; es wurde nichts gedruckt.\n";
            return 2;
        }
        printToPdf(pdf, [&](Printer&) {
            TSimpleTextGridPrintJob job;
            setupAddressListJob(job, kind->collection,
                                [&names](int row) -> std::optional<std::string> {
                                    if (row < 0 || row >= int(names.size())) return std::nullopt;
                                    return names[row];
                                });
            job.SetRowCount(int(names.size()));
            job.Print();
        });
        return 0;
    } catch (const std::exception& e) {
        err << messageOf(e) << "\n";
        return 2;
    }
}

} // namespace formidor::cli
