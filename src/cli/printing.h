#pragma once
// The one way a command of formidor-cli prints: into a PDF file through the application's
// printer. Every printing command goes through here, so that the commands that print nothing
// never need the printing side.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace formidor {
class Printer;
}

namespace formidor::cli {

// Runs job against the "PDF-Datei" printer writing to file, which is the application's printer
// for that time (print jobs print there); what job throws propagates, and a document the job
// does not finish leaves no new file behind.
void printToPdf(const std::filesystem::path& file, const std::function<void(Printer&)>& job);

// Runs job against the installed printer of that name (a print server's queue, or the
// "PDF-Datei" printer, which then has no file to write); what job throws propagates. An unknown
// name is an error naming the printers there are.
void printToPrinter(const std::string& name, const std::function<void(Printer&)>& job);

// The installed printers as the printer selection lists them: the print server's queues, then
// "PDF-Datei".
std::vector<std::string> installedPrinters();

} // namespace formidor::cli
