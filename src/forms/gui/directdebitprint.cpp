#include "forms/gui/directdebitprint.h"

#include "forms/directdebitprint.h"
#include "forms/gui/directdebitpage.h"
#include "forms/gui/formpreview.h"
#include "journal/journal.h"
#include "platform/datetime.h"
#include "platform/gui/guard.h"
#include "platform/printer.h"

#include <memory>
#include <stdexcept>
#include <utility>

namespace formidor::gui {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

Printer& printerOf(const DirectDebitPageContext& ctx) {
    return ctx.printer ? *ctx.printer : ThePrinter();
}

const CalibrationView& calibrationOf(const DirectDebitPageContext& ctx) {
    if (!ctx.calibration) throw std::logic_error("direct debit page printed without calibration");
    return *ctx.calibration;
}

} // namespace

forms::FormPage directDebitFormPage(const DirectDebitPage& p) {
    forms::FormPage page;
    page.setText("ENameZ", p.ENameZ->currentText().toStdString());
    page.setText("EKontonrZ", p.EKontonrZ->text().toStdString());
    page.setText("EBLZZ", p.EBLZZ->text().toStdString());
    page.setText("EBankZ", p.EBankZ->text().toStdString());
    page.setText("EBetragZ", p.EBetragZ->text().toStdString());
    page.setText("EVerwendung1Z", p.EVerwendung1Z->text().toStdString());
    page.setText("EVerwendung2Z", p.EVerwendung2Z->text().toStdString());
    page.setText("ENameZEmpf", p.ENameZEmpf->currentText().toStdString());
    page.setText("EKontonrZEmpf", p.EKontonrZEmpf->text().toStdString());
    // The bundle's count and total, which the print carries on.
    page.setText("EStueckzahlD", p.EStueckzahlD->text().toStdString());
    page.setText("EBetragD", p.EBetragD->text().toStdString());
    return page;
}

forms::FormPage coverSheetFormPage(const DirectDebitPage& p) {
    forms::FormPage page;
    page.setText("EKontoinhaberD", p.EKontoinhaberD->text().toStdString());
    page.setText("EKontonrZahlungsempf", p.EKontonrZahlungsempf->text().toStdString());
    page.setText("EStueckzahlD", p.EStueckzahlD->text().toStdString());
    page.setText("EBetragD", p.EBetragD->text().toStdString());
    return page;
}

void Button13Click(DirectDebitPage& p, const DirectDebitPageContext& ctx) {
    if (!ctx.journal) throw std::logic_error("direct debit page printed without a journal");
    forms::FormPage page = directDebitFormPage(p);
    forms::DirectDebitAfterPrint after;
    after.journal = ctx.journal;
    if (ctx.transferOriginator) after.lastOriginator = ctx.transferOriginator();
    after.refillPickLists = ctx.refillPickLists;
    after.showField = [&p](std::string_view control, const std::string& text) {
        MaskEdit* field = control == "EBetragZ"       ? p.EBetragZ
                          : control == "EStueckzahlD" ? p.EStueckzahlD
                          : control == "EBetragD"     ? p.EBetragD
                                                      : nullptr;
        if (field && field->text() != qs(text)) field->setText(qs(text));
    };
    forms::printDirectDebit(printerOf(ctx), page, calibrationOf(ctx), after);
}

void Button15Click(DirectDebitPage& p, const DirectDebitPageContext& ctx) {
    forms::printCoverSheetForm(printerOf(ctx), coverSheetFormPage(p), calibrationOf(ctx));
}

void Button17Click(DirectDebitPage& p, const DirectDebitPageContext& ctx) {
    forms::printDirectDebitReceipt(printerOf(ctx), coverSheetFormPage(p), DateToStr(Date()));
}

FormPreviewSource directDebitPreviewSource(DirectDebitPage& p, const DirectDebitPageContext& ctx) {
    const forms::FormPage page = directDebitFormPage(p);
    const CalibrationView* cal = &calibrationOf(ctx);
    return {forms::FormPrinterId::DirectDebit,
            [=](Printer& printer) { forms::printDirectDebitForm(printer, page, *cal); },
            [=](const CalibrationView& c) { return forms::directDebitPrintTexts(page, c); },
            cal,
            p.Button13,
            ctx.printer};
}

FormPreviewSource coverSheetPreviewSource(DirectDebitPage& p, const DirectDebitPageContext& ctx) {
    const forms::FormPage page = coverSheetFormPage(p);
    const CalibrationView* cal = &calibrationOf(ctx);
    return {forms::FormPrinterId::CoverSheet,
            [=](Printer& printer) { forms::printCoverSheetForm(printer, page, *cal); },
            [=](const CalibrationView& c) { return forms::coverSheetPrintTexts(page, c); },
            cal,
            p.Button15,
            ctx.printer};
}

void Button25Click(DirectDebitPage& p) {
    p.ENameZ->setEditText(QString());
    p.EKontonrZ->clear();
    p.EBLZZ->clear();
    p.EBankZ->clear();
    p.EBetragZ->clear();
    p.EVerwendung1Z->clear();
    p.EVerwendung2Z->clear();
}

void ENameZEmpfChange(DirectDebitPage& p) {
    p.EKontoinhaberD->setText(p.ENameZEmpf->currentText());
}

void EKontonrZEmpfChange(DirectDebitPage& p) {
    p.EKontonrZahlungsempf->setText(p.EKontonrZEmpf->text());
}

void setupDirectDebitPage(DirectDebitPage* page, DirectDebitPageContext context) {
    connectGuarded(page->ENameZEmpf, &QComboBox::editTextChanged, page,
                   [page] { ENameZEmpfChange(*page); });
    connectGuarded(page->EKontonrZEmpf, &QLineEdit::textChanged, page,
                   [page] { EKontonrZEmpfChange(*page); });
    auto ctx = std::make_shared<const DirectDebitPageContext>(std::move(context));
    connectGuarded(page->Button13, &QAbstractButton::clicked, page,
                   [page, ctx] { Button13Click(*page, *ctx); });
    connectGuarded(page->Button15, &QAbstractButton::clicked, page,
                   [page, ctx] { Button15Click(*page, *ctx); });
    connectPreviewButton(page->BVorschau, page,
                         [page, ctx] { return directDebitPreviewSource(*page, *ctx); });
    connectPreviewButton(page->BVorschauD, page,
                         [page, ctx] { return coverSheetPreviewSource(*page, *ctx); });
    connectGuarded(page->Button17, &QAbstractButton::clicked, page,
                   [page, ctx] { Button17Click(*page, *ctx); });
    connectGuarded(page->Button25, &QAbstractButton::clicked, page,
                   [page] { Button25Click(*page); });
}

} // namespace formidor::gui
