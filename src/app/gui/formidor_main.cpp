// Formidor: the desktop application.
#include "app/gui/UeberweisM.h"
#include "platform/gui/guard.h"
#include "platform/gui/qtprinter.h"
#include "platform/gui/translations.h"
#include "platform/hive.h"
#include "platform/printer.h"
#include "printjob/gui/jobdialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(formidor::gui::kApplicationTitle));
    formidor::gui::ensureGermanQtTexts();
    try {
        formidor::hive::checkAvailable();
    } catch (const std::exception& e) {
        formidor::gui::showError(QString::fromUtf8(e.what()));
        return 1;
    }
    auto printer = std::make_unique<formidor::gui::QtPrinter>();
    auto* qtPrinter = printer.get();
    qtPrinter->setInteractive(true); // "PDF-Datei" asks where to write
    formidor::SetPrinter(std::move(printer));
    formidor::gui::installPrintJobDialogs();
    int rc;
    {
        auto main = formidor::gui::CreateApplicationWindows();
        qtPrinter->setParentWidget(main.get());
        main->show();
        rc = app.exec();
    }
    // The printer holds Qt objects; it goes before the application does.
    formidor::SetPrinter(nullptr);
    return rc;
}
