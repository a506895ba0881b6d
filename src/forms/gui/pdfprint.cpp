#include "forms/gui/pdfprint.h"

#include "platform/gui/qtprinter.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <system_error>

namespace formidor::gui {

namespace {

// Command-line programs have no Qt application of their own; fonts and the PDF writer need
// one. It lives until the program ends.
void ensureApplication() {
    if (QCoreApplication::instance()) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Qt's own diagnostics (a missing runtime folder, font fallbacks) are not for the user of a
    // command; its errors still are.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
    });
    static int argc = 1;
    static char name[] = "formidor-cli";
    static char* argv[] = {name, nullptr};
    static auto* app = new QApplication(argc, argv);
    (void)app;
}

} // namespace

void printToPdfFile(const std::filesystem::path& file, const std::function<void(Printer&)>& job) {
    ensureApplication();
    auto owned = std::make_unique<QtPrinter>(false);
    QtPrinter& printer = *owned;
    printer.setInteractive(false);
    printer.setOutputFileName(QString::fromStdString(std::filesystem::absolute(file).string()));
    for (int i = 0; i < printer.PrinterCount(); ++i)
        if (printer.isPdfPrinter(i)) printer.SetPrinterIndex(i);
    std::error_code ec;
    const bool existed = std::filesystem::exists(file, ec);
    // While the job runs this is also the application's printer, so that print jobs, which
    // always print on the application's printer, write into the file as well.
    std::unique_ptr<Printer> previous = SetPrinter(std::move(owned));
    try {
        job(printer);
    } catch (...) {
        // Nothing half-written stays under the name the caller asked for; a file that was
        // there before is not ours to delete.
        if (printer.Printing()) printer.Abort();
        auto ours = SetPrinter(std::move(previous));
        ours.reset();
        if (!existed) std::filesystem::remove(file, ec);
        throw;
    }
    auto ours = SetPrinter(std::move(previous));
}

void printToNamedPrinter(const std::string& name, const std::function<void(Printer&)>& job) {
    ensureApplication();
    auto owned = std::make_unique<QtPrinter>();
    QtPrinter& printer = *owned;
    printer.setInteractive(false);
    const std::vector<std::string> names = printer.Printers();
    const auto it = std::find(names.begin(), names.end(), name);
    if (it == names.end()) {
        std::string known;
        for (const auto& n : names) known += (known.empty() ? "" : ", ") + n;
        throw EPrinter("Unbekannter Drucker '" + name + "' (vorhanden: " + known + ").");
    }
    printer.SetPrinterIndex(int(it - names.begin()));
    // The application's printer while the job runs, as for the PDF file.
    std::unique_ptr<Printer> previous = SetPrinter(std::move(owned));
    try {
        job(printer);
    } catch (...) {
        if (printer.Printing()) printer.Abort();
        auto ours = SetPrinter(std::move(previous));
        throw;
    }
    auto ours = SetPrinter(std::move(previous));
}

std::vector<std::string> installedPrinters() {
    ensureApplication();
    return QtPrinter().Printers();
}

} // namespace formidor::gui
