#include "forms/gui/chequeprint.h"

#include "forms/chequeprint.h"
#include "forms/gui/chequepage.h"
#include "journal/journal.h"
#include "platform/gui/guard.h"
#include "platform/printer.h"

#include <stdexcept>
#include <utility>

#include "forms/gui/formpreview.h"

namespace formidor::gui {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QRadioButton* counterfoilButton(const ChequePage& p, forms::Counterfoil c) {
    using C = forms::Counterfoil;
    switch (c) {
    case C::Deutsche:
        return p.RBDeutsche;
    case C::Dresdner:
        return p.RBDresdner;
    case C::DG:
        return p.RBDG;
    case C::Leer:
        return p.RBleer;
    case C::Kein:
        return p.RBkein;
    case C::ObenGross:
        break;
    }
    return p.RBobengross;
}

} // namespace

std::optional<forms::Counterfoil> checkedCounterfoil(const ChequePage& p) {
    for (const auto& info : forms::counterfoils())
        if (counterfoilButton(p, info.kind)->isChecked()) return info.kind;
    return std::nullopt;
}

forms::FormPage chequeFormPage(const ChequePage& p) {
    forms::FormPage page;
    page.setText("EBetragV", p.EBetragV->text().toStdString());
    page.setText("EAnredeE", p.EAnredeE->text().toStdString());
    page.setText("EEmpfaenger1", p.EEmpfaenger1->currentText().toStdString());
    page.setText("EEmpfaenger2", p.EEmpfaenger2->text().toStdString());
    page.setText("EPLZE", p.EPLZE->text().toStdString());
    page.setText("EOrtEmpf", p.EOrtEmpf->text().toStdString());
    page.setText("EOrt", p.EOrt->text().toStdString());
    page.setText("EDatum", p.EDatum->text().toStdString());
    page.setText("MemoDeutscheAbs", p.MemoDeutscheAbs->toPlainText().toStdString());
    page.setText("MemoDeutscheVerw", p.MemoDeutscheVerw->toPlainText().toStdString());
    return page;
}

void EBetragVChange(ChequePage& p) {
    p.LBetragB->setText(qs(forms::amountInWords(p.EBetragV->text().toStdString())));
}

void Button3Click(ChequePage& p, const ChequePageContext& ctx) {
    if (!ctx.calibration || !ctx.journal)
        throw std::logic_error("cheque page printed without calibration or journal");
    Printer& printer = ctx.printer ? *ctx.printer : ThePrinter();
    forms::FormPage page = chequeFormPage(p);
    const std::string typedAmount = page.text("EBetragV");
    forms::printCheque(
        printer, checkedCounterfoil(p), page, *ctx.calibration, *ctx.journal,
        [&] {
            if (ctx.refillPickLists) ctx.refillPickLists();
        },
        [&](const std::string& checked) {
            if (checked != typedAmount) p.EBetragV->setText(qs(checked));
        });
}

FormPreviewSource chequePreviewSource(ChequePage& p, const ChequePageContext& ctx) {
    const auto c = checkedCounterfoil(p);
    const forms::FormPage page = chequeFormPage(p);
    const CalibrationView* cal = ctx.calibration;
    return {forms::FormPrinterId::CrossedCheque,
            [=](Printer& printer) { forms::printChequeForm(printer, c, page, *cal); },
            [=](const CalibrationView& k) { return forms::chequePrintTexts(c, page, k); },
            cal,
            p.Button3,
            ctx.printer};
}

void Button11Click(ChequePage& p) {
    p.EEmpfaenger1->setEditText(QString());
    p.EEmpfaenger2->clear();
    p.EAnredeE->clear();
    p.EPLZE->clear();
    p.EOrtEmpf->clear();
    p.EBetragV->clear();
    p.MemoDeutscheVerw->clear();
}

void setupChequePage(ChequePage* page, ChequePageContext context) {
    connectGuarded(page->EBetragV, &QLineEdit::textChanged, page,
                   [page] { EBetragVChange(*page); });
    connectPreviewButton(page->BVorschau, page,
                         [page, context] { return chequePreviewSource(*page, context); });
    connectGuarded(page->Button3, &QAbstractButton::clicked, page,
                   [page, ctx = std::move(context)] { Button3Click(*page, ctx); });
    connectGuarded(page->Button11, &QAbstractButton::clicked, page,
                   [page] { Button11Click(*page); });
}

} // namespace formidor::gui
