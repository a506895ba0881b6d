// Formidor: the desktop application.
#include "app/gui/UeberweisM.h"
#include "app/instance.h"
#include "platform/gui/guard.h"
#include "platform/gui/qtprinter.h"
#include "platform/gui/translations.h"
#include "platform/hive.h"
#include "platform/leftovers.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "printjob/gui/jobdialogs.h"

#include <QApplication>
#include <QSocketNotifier>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(formidor::gui::kApplicationTitle));
    formidor::gui::ensureGermanQtTexts();
    // One window per user: two would each keep their own page state and settings moves.
    auto start = formidor::decideStart(formidor::paths::localAppDataDirectory());
    if (start.outcome == formidor::SingleInstance::Outcome::Busy) {
        if (start.raised) return 0;
        formidor::gui::showError(
            QStringLiteral("Formidor läuft bereits, antwortet aber nicht. Bitte schließen Sie "
                           "das andere Fenster und starten Sie Formidor dann erneut."));
        return 1;
    }
    // Only the running window clears what writers killed part-way left in the data folder.
    formidor::removeLeftoverTemporariesIn(formidor::paths::localAppDataDirectory());
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
        std::unique_ptr<QSocketNotifier> later;
        if (start.instance && start.instance->listenFd() >= 0) {
            later = std::make_unique<QSocketNotifier>(start.instance->listenFd(),
                                                      QSocketNotifier::Read);
            QObject::connect(later.get(), &QSocketNotifier::activated, main.get(), [&] {
                if (!start.instance->takeRequests()) return;
                main->setWindowState(main->windowState() & ~Qt::WindowMinimized);
                main->show();
                main->raise();
                main->activateWindow();
                // A modal dialog stays in front of its window.
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    modal->raise();
                    modal->activateWindow();
                }
            });
        }
        main->show();
        rc = app.exec();
    }
    // The printer holds Qt objects; it goes before the application does.
    formidor::SetPrinter(nullptr);
    return rc;
}
