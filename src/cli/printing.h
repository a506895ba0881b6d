#pragma once
// The one way a command of formidor-cli prints: into a PDF file through the application's
// printer. Every printing command goes through here, so that the commands that print nothing
// never need the printing side.
#include <filesystem>
#include <functional>

namespace formidor {
class Printer;
}

namespace formidor::cli {

// Runs job against the "PDF-Datei" printer writing to file, which is the application's printer
// for that time (print jobs print there); what job throws propagates, and a document the job
// does not finish leaves no new file behind.
void printToPdf(const std::filesystem::path& file, const std::function<void(Printer&)>& job);

} // namespace formidor::cli
