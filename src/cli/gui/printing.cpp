#include "cli/printing.h"

#include "forms/gui/pdfprint.h"

namespace formidor::cli {

void printToPdf(const std::filesystem::path& file, const std::function<void(Printer&)>& job) {
    gui::printToPdfFile(file, job);
}

void printToPrinter(const std::string& name, const std::function<void(Printer&)>& job) {
    gui::printToNamedPrinter(name, job);
}

std::vector<std::string> installedPrinters() {
    return gui::installedPrinters();
}

} // namespace formidor::cli
