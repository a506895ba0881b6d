#include "printjob/gui/jobdialogs.h"

#include "platform/gui/guard.h"
#include "platform/gui/printdialogs.h"
#include "platform/printer.h"
#include "printjob/PSJob.h"

#include <QApplication>
#include <QMessageBox>

namespace formidor::gui {

void installPrintJobDialogs() {
    PrintJobHooks hooks;
    hooks.printDialog = [](PrintDialogRange& r) {
        return execPrintDialog(ThePrinter(), r.minPage, r.maxPage, r.fromPage, r.toPage,
                               QApplication::activeWindow());
    };
    hooks.printerSetupDialog = [] {
        return execPrinterSetupDialog(ThePrinter(), QApplication::activeWindow());
    };
    hooks.askYesNo = [](const std::string& text) {
        return QMessageBox::warning(QApplication::activeWindow(),
                                    QString::fromUtf8(kApplicationTitle),
                                    QString::fromStdString(text),
                                    QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    hooks.processPendingEvents = [] { QApplication::processEvents(); };
    SetPrintJobHooks(std::move(hooks));
}

} // namespace formidor::gui
