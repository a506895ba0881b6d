#pragma once
// The dialog "Journal drucken/löschen", shown modally from the journal page: a range of numbers
// and a range of days, and one action button whose caption says whether the range is printed
// or deleted.
#include "journal/journalrange.h"

#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace formidor {
class Journal;
class Printer;
} // namespace formidor

namespace formidor::gui {

class JournalPage;

class TJournalDruckenF : public QDialog {
    Q_OBJECT
public:
    explicit TJournalDruckenF(QWidget* parent = nullptr);

    QDateEdit* DTPvon;
    QDateEdit* DTPbis;
    QLineEdit* EVon;
    QLineEdit* EBis;
    QPushButton* Button2; // "Löschen" or "Drucken": the dialog's mode
    QPushButton* Button1; // "Abbrechen"

    // The journal worked on and the printer printed to (nullptr: the application's printer).
    void setJournal(Journal* journal) { journal_ = journal; }
    void setPrinter(Printer* printer) { printer_ = printer; }

    // What the dialog asks the user; tests replace them. By default message boxes and the
    // standard print dialog.
    struct Hooks {
        std::function<void(const QString& text)> inform;
        std::function<bool(const QString& question)> askYesNo;
        std::function<bool(Printer& printer)> printDialog;
    };
    Hooks& hooks() { return hooks_; }

    // The run state's lowest and highest number and earliest and latest day, every time the
    // dialog is shown.
    void FormShow();
    void Button1Click();
    // Checks both numbers, then deletes or prints the range and closes. A number that is not
    // one keeps the dialog open with the focus in its field. A failing save or printer throws;
    // the dialog then stays open.
    void Button2Click();

    // The four fields as a range; the numbers must have been checked.
    JournalRange range() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Printer& printer() const;
    Journal* journal_ = nullptr;
    Printer* printer_ = nullptr;
    Hooks hooks_;
};

// A day count as the pickers hold it, and back.
QDate dateOfDay(TDateTime day);
TDateTime dayOfDate(const QDate& date);

// The journal page's two buttons: "Löschen" and "Drucken" open the dialog in that mode.
void Button42Click(TJournalDruckenF& dialog);
void Button43Click(TJournalDruckenF& dialog);
void setupJournalPage(JournalPage* page, TJournalDruckenF* dialog, Journal* journal,
                      Printer* printer = nullptr);

} // namespace formidor::gui
