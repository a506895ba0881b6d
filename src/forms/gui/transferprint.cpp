#include "forms/gui/transferprint.h"

#include "forms/gui/transferiban.h"
#include "forms/gui/formpreview.h"
#include "forms/gui/transferpage.h"
#include "forms/transferprint.h"
#include "journal/journal.h"
#include "platform/datetime.h"
#include "platform/gui/guard.h"
#include "platform/printer.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <stdexcept>
#include <utility>
#include <vector>

namespace formidor::gui {

namespace {

using forms::TransferVariant;

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::vector<std::pair<std::string_view, QWidget*>> controls(const TransferPage& p) {
    return {
        {"LHinweis", p.LHinweis},
        {"RB13", p.RB13},
        {"RBHypo", p.RBHypo},
        {"RB16", p.RB16},
        {"RB15", p.RB15},
        {"RB18", p.RB18},
        {"RB20", p.RB20},
        {"RBPostbank", p.RBPostbank},
        {"RB24", p.RB24},
        {"LAuftraggeberBank", p.LAuftraggeberBank},
        {"EAuftraggeberBank", p.EAuftraggeberBank},
        {"LAuftraggeberBLZ", p.LAuftraggeberBLZ},
        {"EAuftraggeberBLZ", p.EAuftraggeberBLZ},
        {"Label5", p.Label5},
        {"EEmpfaenger", p.EEmpfaenger},
        {"Label6", p.Label6},
        {"EKontonr", p.EKontonr},
        {"EIBANEmpf", p.EIBANEmpf},
        {"Label8", p.Label8},
        {"EBLZ", p.EBLZ},
        {"Label9", p.Label9},
        {"EBank", p.EBank},
        {"EBank2", p.EBank2},
        {"Label105", p.Label105},
        {"Label106", p.Label106},
        {"Label107", p.Label107},
        {"EArt", p.EArt},
        {"EEntgelt", p.EEntgelt},
        {"EZielland", p.EZielland},
        {"Label10", p.Label10},
        {"EBetrag", p.EBetrag},
        {"Label11", p.Label11},
        {"EVerwendung1", p.EVerwendung1},
        {"Label12", p.Label12},
        {"EVerwendung2", p.EVerwendung2},
        {"Label13", p.Label13},
        {"EAuftraggeber", p.EAuftraggeber},
        {"LEigeneKontonr", p.LEigeneKontonr},
        {"EEigeneKontonr", p.EEigeneKontonr},
        {"EIBANAuftrag", p.EIBANAuftrag},
        {"LAusfuehrungsdatum", p.LAusfuehrungsdatum},
        {"EAusfuehrungsdatum", p.EAusfuehrungsdatum},
        {"LBedarf", p.LBedarf},
        {"Label102", p.Label102},
        {"Label103", p.Label103},
        {"Label104", p.Label104},
        {"EPostbankA", p.EPostbankA},
        {"EPostbankB", p.EPostbankB},
        {"EPostbankC", p.EPostbankC},
        {"LDatumUnterschrift", p.LDatumUnterschrift},
        {"EDatumUnterschrift", p.EDatumUnterschrift},
        {"CBAnschriftweitergabe", p.CBAnschriftweitergabe},
        {"LAnschriftweitergabe", p.LAnschriftweitergabe},
        {"LIBANEmpfStatus", p.LIBANEmpfStatus},
        {"LIBANAuftragStatus", p.LIBANAuftragStatus},
    };
}

QWidget* control(const TransferPage& p, std::string_view name) {
    QWidget* w = transferControl(p, name);
    // The variant tables name only controls the page has; a miss is a programming error.
    if (!w) throw std::logic_error("transfer page has no control " + std::string(name));
    return w;
}

void setVisible(const TransferPage& p, std::span<const std::string_view> names, bool visible) {
    for (auto n : names) control(p, n)->setVisible(visible);
}

void setCaptions(const TransferPage& p, std::span<const forms::Caption> captions) {
    for (const auto& c : captions) {
        auto* l = qobject_cast<QLabel*>(control(p, c.label));
        if (l) l->setText(qs(c.text));
    }
}

std::string textOf(QWidget* w) {
    if (auto* m = qobject_cast<MaskEdit*>(w)) return m->text().toStdString();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text().toStdString();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText().toStdString();
    return {};
}

QAbstractButton* variantButton(const TransferPage& p, TransferVariant v) {
    return qobject_cast<QAbstractButton*>(control(p, forms::transferVariant(v).button));
}

} // namespace

QWidget* transferControl(const TransferPage& page, std::string_view name) {
    for (const auto& [n, w] : controls(page))
        if (n == name) return w;
    return nullptr;
}

void Invisible(TransferPage& p) {
    const auto& base = forms::transferBaseState();
    setVisible(p, base.hidden, false);
    setVisible(p, base.shown, true);
    setCaptions(p, base.captions);
    setVisible(p, base.hiddenExtras, false);
    p.EBank->resize(forms::kBankWidth, p.EBank->height());
    p.EBLZ->setEditMask(qs(forms::kBLZMask));
}

void applyTransferVariant(TransferPage& p, TransferVariant variant) {
    Invisible(p);
    const auto& info = forms::transferVariant(variant);
    setVisible(p, info.shown, true);
    setVisible(p, info.hidden, false);
    setCaptions(p, info.captions);
    if (info.bankWidth != forms::kBankWidth) p.EBank->resize(info.bankWidth, p.EBank->height());
    if (!info.blzMasked) p.EBLZ->setEditMask(QString());
    showIbanStatusLines(p, info.layout == forms::TransferLayoutKind::Sepa);
}

std::optional<TransferVariant> checkedTransferVariant(const TransferPage& p) {
    for (const auto& info : forms::transferVariants())
        if (variantButton(p, info.variant)->isChecked()) return info.variant;
    return std::nullopt;
}

forms::FormPage transferFormPage(const TransferPage& p) {
    forms::FormPage page;
    for (auto name : forms::transferTextControls()) page.setText(name, textOf(control(p, name)));
    for (auto name : forms::transferCheckControls()) {
        auto* b = qobject_cast<QAbstractButton*>(control(p, name));
        page.setChecked(name, b && b->isChecked());
    }
    return page;
}

void Button1Click(TransferPage& p, const TransferPageContext& ctx) {
    if (!ctx.calibration || !ctx.journal)
        throw std::logic_error("transfer page printed without calibration or journal");
    Printer& printer = ctx.printer ? *ctx.printer : ThePrinter();
    forms::FormPage page = transferFormPage(p);
    const std::string typedAmount = page.text("EBetrag");
    // The amount check replaces the field's text after the lists are refilled and before the
    // journal record is written, so a journal that cannot be saved still leaves "0" in the field.
    forms::printTransfer(
        printer, checkedTransferVariant(p), page, *ctx.calibration, *ctx.journal,
        [&] {
            if (ctx.refillPickLists) ctx.refillPickLists();
        },
        [&](const std::string& checked) {
            if (checked != typedAmount) p.EBetrag->setText(qs(checked));
        });
}

FormPreviewSource transferPreviewSource(TransferPage& p, const TransferPageContext& ctx) {
    const auto v = checkedTransferVariant(p);
    const forms::FormPage page = transferFormPage(p);
    const CalibrationView* cal = ctx.calibration;
    return {forms::FormPrinterId::Transfer,
            [=](Printer& printer) { forms::printTransferForm(printer, v, page, *cal); },
            [=](const CalibrationView& c) { return forms::transferPrintTexts(v, page, c); },
            cal,
            p.Button1,
            ctx.printer};
}

void Button10Click(TransferPage& p) {
    p.EEmpfaenger->setEditText(QString());
    p.EKontonr->clear();
    p.EIBANEmpf->clear();
    p.EBLZ->clear();
    p.EBank->clear();
    p.EBank2->clear();
    p.EBetrag->clear();
    p.EVerwendung1->clear();
    p.EVerwendung2->clear();
    p.EAusfuehrungsdatum->clear();
    p.EPostbankA->clear();
    p.EPostbankB->clear();
    p.EArt->clear();
    p.EZielland->clear();
    p.EEntgelt->clear();
    p.EPostbankC->setChecked(false);
    p.EDatumUnterschrift->setText(qs(DateToStr(Date())));
    clearRecipientIbanStatus(p);
}

void setupTransferPage(TransferPage* page, TransferPageContext context) {
    for (const auto& info : forms::transferVariants()) {
        const TransferVariant v = info.variant;
        onRadioChecked(variantButton(*page, v), page,
                       [page, v] { applyTransferVariant(*page, v); });
    }
    connectPreviewButton(page->BVorschau, page,
                         [page, context] { return transferPreviewSource(*page, context); });
    connectGuarded(page->Button1, &QAbstractButton::clicked, page,
                   [page, ctx = std::move(context)] { Button1Click(*page, ctx); });
    connectGuarded(page->Button10, &QAbstractButton::clicked, page,
                   [page] { Button10Click(*page); });
    bindTransferIbanFields(page);
    // The page starts in "SEPA/16"; the remembered originator's variant follows later.
    if (page->RB13->isChecked())
        applyTransferVariant(*page, TransferVariant::V13);
    else
        page->RB13->setChecked(true);
}

} // namespace formidor::gui
