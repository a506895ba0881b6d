#include "cli/printing.h"

#include "forms/gui/pdfprint.h"

namespace formidor::cli {

void printToPdf(const std::filesystem::path& file, const std::function<void(Printer&)>& job) {
    gui::printToPdfFile(file, job);
}

} // namespace formidor::cli
