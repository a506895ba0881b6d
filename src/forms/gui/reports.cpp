#include "forms/gui/reports.h"

#include "forms/gui/chequepage.h"
#include "forms/gui/depositpage.h"
#include "forms/gui/depositprint.h"
#include "forms/gui/transferpage.h"
#include "forms/gui/transferprint.h"
#include "forms/report.h"
#include "platform/datetime.h"
#include "platform/gui/guard.h"
#include "platform/printer.h"

#include <utility>

namespace formidor::gui {

namespace {

Printer& printerOr(Printer* p) {
    return p ? *p : ThePrinter();
}

std::string textOf(const QWidget* w) {
    if (auto* m = qobject_cast<const MaskEdit*>(w)) return m->text().toStdString();
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text().toStdString();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText().toStdString();
    if (auto* t = qobject_cast<const QPlainTextEdit*>(w)) return t->toPlainText().toStdString();
    return {};
}

void setTexts(forms::FormPage& page,
              std::initializer_list<std::pair<std::string_view, const QWidget*>> controls) {
    for (const auto& [name, w] : controls) page.setText(name, textOf(w));
}

} // namespace

forms::FormPage chequeReportPage(const ChequePage& p) {
    forms::FormPage page;
    setTexts(page, {{"EAnredeE", p.EAnredeE},
                    {"EEmpfaenger1", p.EEmpfaenger1},
                    {"EEmpfaenger2", p.EEmpfaenger2},
                    {"EPLZE", p.EPLZE},
                    {"EOrtEmpf", p.EOrtEmpf},
                    {"EBetragV", p.EBetragV},
                    {"EOrt", p.EOrt},
                    {"EDatum", p.EDatum},
                    {"MemoDeutscheAbs", p.MemoDeutscheAbs},
                    {"MemoDeutscheVerw", p.MemoDeutscheVerw}});
    page.setChecked("RBkein", p.RBkein->isChecked());
    return page;
}

forms::FormPage depositReportPage(const DepositPage& p) {
    // The hidden currency field is the report's alone.
    forms::FormPage page = depositFormPage(p);
    page.setText("EDMEURS", p.EDMEURS->text().toStdString());
    return page;
}

void Button7Click(const TransferPage& page, Printer* printer) {
    forms::printReport(printerOr(printer), forms::kTransferReportTitle,
                       forms::transferReportTexts(checkedTransferVariant(page),
                                                  transferFormPage(page), DateToStr(Date())));
}

void Button8Click(const ChequePage& page, Printer* printer) {
    forms::printReport(printerOr(printer), forms::kChequeReportTitle,
                       forms::chequeReportTexts(chequeReportPage(page)));
}

void Button22Click(const DepositPage& page, const std::string& lastDepositBank, Printer* printer) {
    forms::printReport(printerOr(printer), forms::kDepositReportTitle,
                       forms::depositReportTexts(depositReportPage(page), lastDepositBank));
}

void setupTransferReport(TransferPage* page, Printer* printer) {
    connectGuarded(page->Button7, &QPushButton::clicked, page,
                   [page, printer] { Button7Click(*page, printer); });
}

void setupChequeReport(ChequePage* page, Printer* printer) {
    connectGuarded(page->Button8, &QPushButton::clicked, page,
                   [page, printer] { Button8Click(*page, printer); });
}

void setupDepositReport(DepositPage* page, std::function<std::string()> lastDepositBank,
                        Printer* printer) {
    connectGuarded(page->Button22, &QPushButton::clicked, page,
                   [page, printer, bank = std::move(lastDepositBank)] {
                       Button22Click(*page, bank ? bank() : std::string(), printer);
                   });
}

} // namespace formidor::gui
