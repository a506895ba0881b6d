#include "app/gui/backuprestore.h"

#include "app/backup.h"
#include "app/gui/UeberweisM.h"
#include "dialogs/gui/FolderDialog.h"
#include "platform/gui/guard.h"

#include <QApplication>
#include <QMessageBox>
#include <QSignalBlocker>

namespace formidor::gui {

namespace {
constexpr const char* kRestoreQuestion =
    "Beim Zurücklesen der Daten werden Ihre aktuellen Daten überschrieben. Wenn Sie starten "
    "möchten, beantworten Sie bitte die folgenden Dialoge mit \"JA\"!";
constexpr const char* kRestartMessage = "Das Programm muss jetzt neu gestartet werden !";
} // namespace

void setupBackupRestore(TMainForm& w) {
    w.Folder = new dialogs::TFolderDialog(&w);
    w.Folder->SetFlags({dialogs::TBrowseInfoFlags::ShowPath});
    w.AskYesNo = [&w](const QString& text) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigen"), text,
                        QMessageBox::Yes | QMessageBox::No, &w);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
        box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
        return box.exec() == QMessageBox::Yes;
    };
    w.ShowMessage = [&w](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), text,
                        QMessageBox::Ok, &w);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        box.exec();
    };
    // Leaves the event loop without closing the window, so its close handling does not run;
    // the focus moving while the window goes down reaches no page's leave handling either.
    w.EndApplication = [] {
        qApp->blockSignals(true);
        QCoreApplication::exit(0);
    };
    TMainForm* window = &w;
    connectGuarded(w.TabSheet4->Button38, &QPushButton::clicked, &w,
                   [window] { window->Button38Click(); });
    connectGuarded(w.TabSheet4->Button41, &QPushButton::clicked, &w,
                   [window] { window->Button41Click(); });
}

void TMainForm::Button38Click() {
    if (!Folder->Execute()) return;
    backup::SaveData(Folder->Folder().toStdString());
}

void TMainForm::Button41Click() {
    if (!Folder->Execute()) return;
    if (!AskYesNo(QString::fromUtf8(kRestoreQuestion))) return;
    // Throws, and so ends here with the message, when the backup was not imported; then
    // nothing changed and the program goes on.
    const backup::RestoreResult result = backup::RestoreData(Folder->Folder().toStdString());

    // The imported data are in place. From now on nothing of this window may be stored over
    // them: not by the pages' leave handling while the message takes the focus, not by a
    // close, not the journal in memory.
    ending_ = true;
    const QSignalBlocker quiet(qApp);
    if (!result.journalFailure.empty())
        showError(QString::fromStdString(result.journalFailure), this);
    ShowMessage(QString::fromUtf8(kRestartMessage));
    EndApplication();
}

} // namespace formidor::gui
