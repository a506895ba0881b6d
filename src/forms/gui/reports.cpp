#include "forms/gui/reports.h"

#include "forms/gui/chequepage.h"
#include "forms/gui/chequeprint.h"
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

} // namespace

forms::FormPage chequeReportPage(const ChequePage& p) {
    forms::FormPage page = chequeFormPage(p);
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
