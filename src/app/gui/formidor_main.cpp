// Formidor: the desktop application.
#include "app/gui/UeberweisM.h"
#include "platform/gui/guard.h"
#include "platform/gui/qtprinter.h"
#include "platform/hive.h"
#include "platform/printer.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(formidor::gui::kApplicationTitle));
    try {
        formidor::hive::checkAvailable();
    } catch (const std::exception& e) {
        formidor::gui::showError(QString::fromUtf8(e.what()));
        return 1;
    }
    formidor::SetPrinter(std::make_unique<formidor::gui::QtPrinter>());
    auto main = formidor::gui::CreateApplicationWindows();
    main->show();
    return app.exec();
}
