// formidor-cli: the headless side of Formidor. This program links no Qt, so that the commands
// that print nothing start at once; a command that prints is handed to formidor-cli-print.
#include "cli/commands.h"
#include "cli/printing.h"
#include "platform/fileio.h"
#include "platform/paths.h"

#include <cerrno>
#include <iostream>
#include <stdexcept>
#include <unistd.h>

namespace formidor::cli {
// Never reached: needsPrinter sends every printing command to formidor-cli-print.
void printToPdf(const std::filesystem::path&, const std::function<void(Printer&)>&) {
    throw std::logic_error("Dieses Programm druckt nicht; formidor-cli-print druckt.");
}
void printToPrinter(const std::string&, const std::function<void(Printer&)>&) {
    throw std::logic_error("Dieses Programm druckt nicht; formidor-cli-print druckt.");
}
std::vector<std::string> installedPrinters() {
    throw std::logic_error("Dieses Programm druckt nicht; formidor-cli-print druckt.");
}
} // namespace formidor::cli

int main(int argc, char** argv) {
    formidor::cli::Args args(argv + 1, argv + argc);
    if (formidor::cli::needsPrinter(args)) {
        const std::filesystem::path printing =
            formidor::paths::programDirectory() / "formidor-cli-print";
        ::execv(printing.c_str(), argv);
        std::cerr << "Das Druckprogramm '" << printing.string()
                  << "' lässt sich nicht starten: " << formidor::fileio::reason(errno) << ".\n";
        return 2;
    }
    int rc = formidor::cli::run(args, std::cout, std::cerr);
    std::cout.flush();
    return rc;
}
