#include "printjob/gui/printprogress.h"

#include "printjob/PSJob.h"

#include <QApplication>
#include <QProgressDialog>
#include <memory>

namespace formidor {
namespace {

QPointer<QProgressDialog> current;

} // namespace

QProgressDialog* CurrentPrintProgressDialog() {
    return current;
}

void PrintWithProgress(TCustomPrintJob& job, QWidget* parent, const std::function<void()>& print) {
    const TPSProgressEvent previous = job.OnPrintProgress();
    std::unique_ptr<QProgressDialog> dialog;
    job.SetOnPrintProgress([&](TCustomPrintJob& sender, int pos, int min, int max) {
        if (previous) previous(sender, pos, min, max);
        const int count = max - min + 1;
        if (!dialog && count > kProgressPageThreshold && pos < max) {
            dialog = std::make_unique<QProgressDialog>(parent);
            dialog->setWindowTitle(QStringLiteral("Printing"));
            dialog->setLabelText(QStringLiteral("Printing page %1 of %2").arg(pos).arg(count));
            dialog->setCancelButtonText(QStringLiteral("Cancel"));
            dialog->setWindowModality(Qt::WindowModal);
            dialog->setMinimumDuration(0);
            dialog->setAutoClose(false);
            dialog->setAutoReset(false);
            dialog->setRange(min - 1, max);
            TCustomPrintJob* j = &sender;
            QObject::connect(dialog.get(), &QProgressDialog::canceled, dialog.get(),
                             [j] { j->Abort(); });
            dialog->show();
            current = dialog.get();
        }
        if (dialog) {
            dialog->setLabelText(QStringLiteral("Printing page %1 of %2").arg(pos).arg(count));
            dialog->setValue(pos);
        }
    });
    struct Restore {
        TCustomPrintJob& job;
        const TPSProgressEvent& previous;
        ~Restore() { job.SetOnPrintProgress(previous); }
    } restore{job, previous};
    print();
}

} // namespace formidor
