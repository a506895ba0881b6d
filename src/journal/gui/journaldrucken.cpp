#include "journal/gui/journaldrucken.h"

#include "journal/gui/journalpage.h"
#include "journal/journal.h"
#include "platform/gui/guard.h"
#include "platform/gui/printdialogs.h"
#include "platform/printer.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <cmath>

namespace formidor::gui {

namespace {

const QDate kDayZero(1899, 12, 30);

QLabel* label(QWidget* parent, const QString& text, int x, int y, bool bold = false) {
    auto* l = new QLabel(text, parent);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    l->move(x, y);
    return l;
}

QDateEdit* picker(QWidget* parent, int x, int y) {
    auto* p = new QDateEdit(parent);
    p->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    p->setCalendarPopup(true);
    p->setDateRange(dateOfDay(kJournalFirstPickerDay), dateOfDay(kJournalLastPickerDay));
    p->setGeometry(x, y, 120, 24);
    return p;
}

} // namespace

QDate dateOfDay(TDateTime day) {
    return kDayZero.addDays(static_cast<qint64>(std::trunc(day)));
}

TDateTime dayOfDate(const QDate& date) {
    return static_cast<TDateTime>(kDayZero.daysTo(date));
}

TJournalDruckenF::TJournalDruckenF(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("JournalDruckenF"));
    setWindowTitle(QStringLiteral("Journal drucken/löschen"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    label(this, QStringLiteral("Einträge"), 16, 12, true);
    label(this, QStringLiteral("von"), 16, 44);
    DTPvon = picker(this, 100, 40);
    label(this, QStringLiteral("bis"), 16, 76);
    DTPbis = picker(this, 100, 72);
    label(this, QStringLiteral("von Nummer"), 16, 112);
    EVon = new QLineEdit(this);
    EVon->setGeometry(100, 108, 120, 24);
    label(this, QStringLiteral("bis Nummer"), 16, 144);
    EBis = new QLineEdit(this);
    EBis->setGeometry(100, 140, 120, 24);
    Button2 = new QPushButton(QStringLiteral("Drucken"), this);
    Button2->setGeometry(248, 40, 100, 26);
    Button2->setDefault(true);
    Button1 = new QPushButton(QStringLiteral("Abbrechen"), this);
    Button1->setGeometry(248, 74, 100, 26);
    setFixedSize(364, 180);

    connectGuarded(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connectGuarded(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    hooks_.inform = [this](const QString& text) {
        QMessageBox box(QMessageBox::Information, QString::fromUtf8(kApplicationTitle), text,
                        QMessageBox::Ok, this);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        box.exec();
    };
    hooks_.askYesNo = [this](const QString& question) {
        QMessageBox box(QMessageBox::Question, QString::fromUtf8(kApplicationTitle), question,
                        QMessageBox::Yes | QMessageBox::No, this);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Nein"));
        return box.exec() == QMessageBox::Yes;
    };
    hooks_.printDialog = [this](Printer& p) {
        int from = 1, to = 1;
        return execPrintDialog(p, 1, 1, from, to, this);
    };
}

Printer& TJournalDruckenF::printer() const {
    return printer_ ? *printer_ : ThePrinter();
}

void TJournalDruckenF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    runGuarded([this] { FormShow(); }, this);
}

void TJournalDruckenF::FormShow() {
    if (!journal_) return;
    const JournalRange d = journalDialogDefaults(*journal_);
    EVon->setText(QString::number(d.vonNummer));
    EBis->setText(QString::number(d.bisNummer));
    DTPvon->setDate(dateOfDay(d.vonDatum));
    DTPbis->setDate(dateOfDay(d.bisDatum));
}

void TJournalDruckenF::Button1Click() {
    reject();
}

JournalRange TJournalDruckenF::range() const {
    JournalRange r;
    r.vonNummer = StrToInt(EVon->text().toStdString());
    r.bisNummer = StrToInt(EBis->text().toStdString());
    r.vonDatum = dayOfDate(DTPvon->date());
    r.bisDatum = dayOfDate(DTPbis->date());
    return r;
}

void TJournalDruckenF::Button2Click() {
    int32_t unused = 0;
    if (!TryStrToInt(EVon->text().toStdString(), unused)) {
        hooks_.inform(QString::fromUtf8(kVonNummerUngueltig.data(), kVonNummerUngueltig.size()));
        EVon->setFocus();
        return;
    }
    if (!TryStrToInt(EBis->text().toStdString(), unused)) {
        hooks_.inform(QString::fromUtf8(kBisNummerUngueltig.data(), kBisNummerUngueltig.size()));
        EBis->setFocus();
        return;
    }
    const QString mode = Button2->text();
    if (journal_ && mode == QStringLiteral("Löschen")) {
        if (hooks_.askYesNo(QString::fromUtf8(kLoeschenFrage.data(), kLoeschenFrage.size())))
            deleteJournalRange(*journal_, range());
    } else if (journal_ && mode == QStringLiteral("Drucken")) {
        Printer& p = printer();
        if (hooks_.printDialog(p)) printJournalRange(p, journal_->Liste(), range());
    }
    accept();
}

void Button42Click(TJournalDruckenF& dialog) {
    dialog.Button2->setText(QStringLiteral("Löschen"));
    dialog.exec();
}

void Button43Click(TJournalDruckenF& dialog) {
    dialog.Button2->setText(QStringLiteral("Drucken"));
    dialog.exec();
}

void setupJournalPage(JournalPage* page, TJournalDruckenF* dialog, Journal* journal,
                      Printer* printer) {
    dialog->setJournal(journal);
    dialog->setPrinter(printer);
    connectGuarded(page->Button42, &QPushButton::clicked, page,
                   [dialog] { Button42Click(*dialog); });
    connectGuarded(page->Button43, &QPushButton::clicked, page,
                   [dialog] { Button43Click(*dialog); });
}

} // namespace formidor::gui
