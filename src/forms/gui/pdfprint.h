#pragma once
// Printing into a PDF file from programs without a window (the command line): the application's
// Qt printer with its built-in "PDF-Datei" printer, on an offscreen display when no Qt
// application runs yet. The header is free of Qt so such programs need not include it.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace formidor {
class Printer;
}

namespace formidor::gui {

// Runs job against the "PDF-Datei" printer writing to file; for that time the printer is also
// the application's printer (ThePrinter()). Whatever job throws (a conversion
// error before the document begins, a printer error) propagates; a document the job does not
// finish leaves no new file behind.
void printToPdfFile(const std::filesystem::path& file, const std::function<void(Printer&)>& job);

// Runs job against the installed printer of that name; an unknown name raises EPrinter with
// the names there are. Whatever job throws propagates, with the document abandoned.
void printToNamedPrinter(const std::string& name, const std::function<void(Printer&)>& job);

// Every installed printer in list order: the print server's queues, then "PDF-Datei".
std::vector<std::string> installedPrinters();

} // namespace formidor::gui
