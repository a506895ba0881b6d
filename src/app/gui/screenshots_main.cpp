// Development tool: formidor-screenshots DIR starts the application offscreen on the user data
// of XDG_DATA_HOME, goes through every page, sub-page and window as a user would and saves one
// PNG of each into DIR. The main window is closed normally at the end, so it stores its
// settings as on every close.
#include "addressbook/gui/datamanagement.h"
#include "addressbook/gui/datapage.h"
#include "app/gui/UeberweisM.h"
#include "dialogs/gui/FolderDialog.h"
#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/depositpage.h"
#include "forms/gui/directdebitpage.h"
#include "forms/gui/formpreview.h"
#include "forms/gui/transferpage.h"
#include "forms/gui/transferprint.h"
#include "forms/gui/z1.h"
#include "journal/gui/journaldrucken.h"
#include "journal/gui/journalpage.h"
#include "platform/gui/guard.h"
#include "platform/gui/printdialogs.h"
#include "platform/gui/qtprinter.h"
#include "platform/paths.h"
#include "platform/gui/translations.h"
#include "platform/printer.h"
#include "printjob/gui/PSWindow.h"
#include "printjob/gui/samplepreview.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QFontDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace formidor;
using namespace formidor::gui;

namespace {

QString outDir;
int counter = 0;

void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

void save(QWidget* w, const QString& name) {
    settle();
    const QString file = QDir(outDir).filePath(
        QStringLiteral("%1-%2.png").arg(++counter, 2, 10, QChar('0')).arg(name));
    if (!w->grab().save(file))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    else
        std::printf("%s\n", qPrintable(file));
}

// Shows a modal window as its handler does, saves it and closes it again.
void saveModal(QDialog* dialog, const QString& name) {
    if (!dialog) return;
    QTimer::singleShot(0, dialog, [dialog, name] {
        save(dialog, name);
        dialog->accept();
    });
    dialog->exec();
}

// The folder browser of "Daten sichern" and "Daten einlesen", opened on the user data folder;
// the tree fills in the background, so it gets a moment first.
void saveFolderDialog(formidor::dialogs::TFolderDialog& folder) {
    folder.SetFolder(QString::fromStdString(formidor::paths::localAppDataDirectory().string()));
    folder.SetOnInitialized([](auto*, QDialog* d) {
        QTimer::singleShot(500, d, [d] {
            save(d, QStringLiteral("FolderDialog"));
            d->reject();
        });
    });
    folder.Execute();
    folder.SetOnInitialized(nullptr);
}

// Saves the next modal window that the code run by `open` shows, then closes it unanswered.
void saveNextModal(const QString& name, const std::function<void()>& open) {
    QTimer::singleShot(0, [name] {
        settle();
        if (QWidget* w = QApplication::activeModalWidget()) {
            save(w, name);
            if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
        } else {
            std::fprintf(stderr, "no window for %s\n", qPrintable(name));
        }
    });
    open();
}

// The standard dialogs as the user meets them: the PDF printer's file dialog behind "Drucken"
// of the transfer page (closed unanswered, so nothing is printed), the print, printer setup and
// font dialogs.
void saveStandardDialogs(TMainForm& main, QtPrinter& printer) {
    main.PageControl1->setCurrentWidget(main.TabSheet2);
    settle();
    printer.setInteractive(true);
    saveNextModal(QStringLiteral("PDF-Dateidialog"), [&] { main.TabSheet2->Button1->click(); });
    printer.setInteractive(false);
    saveNextModal(QStringLiteral("Druckdialog"), [&] {
        int from = 1, to = 3;
        execPrintDialog(printer, 1, 3, from, to, &main);
    });
    saveNextModal(QStringLiteral("Druckereinrichtung"),
                  [&] { execPrinterSetupDialog(printer, &main); });
    saveNextModal(QStringLiteral("Schriftdialog"), [&] {
        FontChoice choice{QStringLiteral("Courier New"), 8, true};
        execFontDialog(choice, &main);
    });
}

void saveSubPages(QTabWidget* tabs, const QString& prefix) {
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        save(tabs->window(), prefix + QStringLiteral("-") + tabs->widget(i)->objectName());
    }
}

// A modal window with tab pages: one picture per page, the first page shown again at the end.
void saveModalPages(QDialog* dialog, QTabWidget* tabs, const QString& name) {
    if (!dialog) return;
    QTimer::singleShot(0, dialog, [dialog, tabs, name] {
        saveSubPages(tabs, name);
        tabs->setCurrentIndex(0);
        dialog->accept();
    });
    dialog->exec();
}

// Opens a list preview through its button, saves it on its first page, and for the longer
// lists also on page 2 and zoomed in; an empty list opens nothing.
void savePreview(TPreviewWindow& w, QPushButton* button, const QString& name) {
    QTimer::singleShot(0, &w, [&w, name] {
        TPreviewForm* f = w.Form();
        if (!f) return;
        save(f, name);
        if (f->Preview()->PrintJob() && f->Preview()->PrintJob()->PageCount() > 1) {
            f->Toolbar()->Button(btnNextPage)->click();
            save(f, name + QStringLiteral("-Seite2"));
            f->Toolbar()->Button(btnZoomIn)->click();
            save(f, name + QStringLiteral("-Zoom"));
        }
        w.Close();
    });
    button->click();
}

// The data management page with its first entries picked, then both list previews.
// Presses a form page's "Vorschau" with a few texts typed and saves the preview window.
void saveFormPreview(TransferPage& page, const QString& name) {
    page.EEmpfaenger->setEditText(QStringLiteral("Erika Mustermann"));
    page.EIBANEmpf->setText(QStringLiteral("DE02120300000000202051"));
    page.EBetrag->setText(QStringLiteral("123,45"));
    page.EVerwendung1->setText(QStringLiteral("Rechnung 2026-117"));
    page.BVorschau->click();
    settle();
    FormPreview* preview = formPreviewOf(&page, page.Button1);
    if (!preview || !preview->Window() || !preview->Window()->Form()) return;
    save(preview->Window()->Form(), name);
    preview->Window()->SetViewMode(vmWholePage);
    settle();
    save(preview->Window()->Form(), name + QStringLiteral("-Ganz"));
    preview->Window()->Close();
    settle();
    Button10Click(page);
}

void saveDataPage(TMainForm& main) {
    DataPage* p = main.TabSheet13;
    auto* dm = p->findChild<DataManagement*>();
    if (!dm) return;
    if (p->LBAbs->count() > 0) p->LBAbs->setCurrentRow(0);
    if (p->LBEmpf->count() > 0) p->LBEmpf->setCurrentRow(0);
    save(&main, QStringLiteral("TabSheet13-Auswahl"));
    savePreview(dm->PreviewWindow1(), p->Button6, QStringLiteral("PreviewWindow1"));
    savePreview(dm->PreviewWindow2(), p->Button9, QStringLiteral("PreviewWindow2"));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: formidor-screenshots VERZEICHNIS\n");
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    ensureGermanQtTexts();
    outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);
    // Messages would wait for a click nobody gives; print them instead.
    setErrorSink(
        [](const QString& text) { std::fprintf(stderr, "Meldung: %s\n", qPrintable(text)); });
    auto ownPrinter = std::make_unique<QtPrinter>(false);
    QtPrinter& printer = *ownPrinter;
    SetPrinter(std::move(ownPrinter));

    auto main = CreateApplicationWindows();
    main->show();
    settle();

    TPageControl* pages = main->PageControl1;
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QWidget* page = pages->widget(i);
        save(main.get(), page->objectName());
        if (page == main->TabSheet1)
            saveSubPages(main->TabSheet1->PageControl2, page->objectName());
        if (page == main->TabSheet6)
            saveSubPages(main->TabSheet6->PageControl3, page->objectName());
        if (page == main->TabSheet4) {
            saveSubPages(main->TabSheet4->PageControl4, page->objectName());
            saveModal(main->DruckerHilfeF, QStringLiteral("DruckerHilfeF"));
            saveModal(main->UmfrageF, QStringLiteral("UmfrageF"));
            saveModal(main->UmfrageDruckenF, QStringLiteral("UmfrageDruckenF"));
            saveFolderDialog(*main->Folder);
        }
        if (page == main->TabSheet2) {
            // The IBAN fields as a user leaves them: a valid IBAN, then a mistyped one.
            TransferPage* t = main->TabSheet2;
            auto leave = [t](QLineEdit* field, const char* text) {
                field->setFocus();
                settle();
                field->setText(QString::fromUtf8(text));
                t->EBetrag->setFocus();
                settle();
            };
            t->EEmpfaenger->setEditText(QStringLiteral("Stadtwerke Köln"));
            leave(t->EIBANAuftrag, "89 3704 0044 0532 0130 00");
            leave(t->EIBANEmpf, "DE02 3705 0198 0001 8020 57");
            save(main.get(), QStringLiteral("TabSheet2-IBAN-gueltig"));
            leave(t->EIBANEmpf, "DE02 3705 0198 0001 8020 75");
            save(main.get(), QStringLiteral("TabSheet2-IBAN-vertippt"));
            t->Button10->click();
            t->EIBANAuftrag->clear();
            saveFormPreview(*main->TabSheet2, QStringLiteral("Vorschau-Ueberweisung"));
            if (main->Ausl)
                saveModalPages(main->Ausl, main->Ausl->PageControl1, QStringLiteral("Ausl"));
            saveModal(main->BLZSucheF, QStringLiteral("BLZSucheF"));
        }
        if (page == main->TabSheet10) {
            // The page in each bank's arrangement, then back to the prompt it starts with.
            QComboBox* bank = main->TabSheet10->ComboBox1;
            const QString prompt = bank->currentText();
            for (int b = 0; b < bank->count(); ++b) {
                bank->setCurrentIndex(b);
                save(main.get(), page->objectName() + QStringLiteral("-") +
                                     bank->currentText().remove(QLatin1Char(' ')));
            }
            bank->setCurrentIndex(-1);
            bank->setEditText(prompt);
        }
        if (page == main->TabSheet13) saveDataPage(*main);
        if (page == main->JournalX)
            saveModal(main->JournalDruckenF, QStringLiteral("JournalDruckenF"));
    }
    saveStandardDialogs(*main, printer);
    pages->setCurrentIndex(0);
    settle();
    // The print preview of the address lists, shown with a sample grid job.
    saveSamplePreviewScreenshots(outDir);
    main->close();
    return main->isVisible() ? 1 : 0;
}
