#include "forms/gui/postalprint.h"

#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/formpreview.h"
#include "forms/gui/parcelpage.h"
#include "forms/postal.h"
#include "forms/postalprint.h"
#include "platform/gui/guard.h"
#include "platform/printer.h"

#include <QEvent>
#include <QFocusEvent>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace formidor::gui {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

std::string textOf(const QWidget* w) {
    if (auto* m = qobject_cast<const MaskEdit*>(w)) return m->text().toStdString();
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text().toStdString();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText().toStdString();
    return {};
}

using Controls = std::vector<std::pair<std::string_view, const QWidget*>>;

forms::FormPage formPage(const Controls& texts, const Controls& checks = {}) {
    forms::FormPage page;
    for (const auto& [name, w] : texts) page.setText(name, textOf(w));
    for (const auto& [name, w] : checks) {
        auto* b = qobject_cast<const QAbstractButton*>(w);
        page.setChecked(name, b && b->isChecked());
    }
    return page;
}

// A field's exit: the focus leaving for another control of the program. Clicking "Drucken"
// moves the focus to the button first, so the field is left before the print reads it.
class ExitHook : public QObject {
public:
    ExitHook(QWidget* field, std::function<void()> handler)
        : QObject(field), handler_(std::move(handler)) {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                runGuarded(handler_, qobject_cast<QWidget*>(watched));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

// A pick list emptied of its names as well as of its text.
void emptyPickList(QComboBox* box) {
    box->clear();
    box->clearEditText();
}

Printer& printerOf(const PostalPageContext& ctx) {
    if (!ctx.calibration) throw std::logic_error("postal page printed without calibration");
    return ctx.printer ? *ctx.printer : ThePrinter();
}

void refill(const PostalPageContext& ctx) {
    if (ctx.refillPickLists) ctx.refillPickLists();
}

} // namespace

forms::FormPage cashOnDeliveryFormPage(const CashOnDeliveryPage& p) {
    return formPage({
        {"EEmpfN", p.EEmpfN},
        {"EStrasseN", p.EStrasseN},
        {"EPLZOrtN", p.EPLZOrtN},
        {"EKontonrEmpfN", p.EKontonrEmpfN},
        {"EBLZN", p.EBLZN},
        {"EBankN", p.EBankN},
        {"EVerwendung1N", p.EVerwendung1N},
        {"EVerwendung2N", p.EVerwendung2N},
        {"NNEinlieferungsdatum", p.NNEinlieferungsdatum},
        {"NNBetrag2", p.NNBetrag2},
        {"NNBetragplus2", p.NNBetragplus2},
        {"NNVerw1", p.NNVerw1},
        {"NNVerw2", p.NNVerw2},
    });
}

forms::FormPage parcelCardFormPage(const CashOnDeliveryPage& p) {
    return formPage(
        {
            {"EPAbsender1", p.EPAbsender1},
            {"EPAbsender2", p.EPAbsender2},
            {"EPAPlz", p.EPAPlz},
            {"EPAOrt", p.EPAOrt},
            {"EPDMEUR", p.EPDMEUR},
            {"EPBetrag", p.EPBetrag},
            {"EPBAnk", p.EPBAnk},
            {"EPKontonr", p.EPKontonr},
            {"EPBLZ", p.EPBLZ},
            {"EPEAnrede", p.EPEAnrede},
            {"EPEmpf1", p.EPEmpf1},
            {"EPEmpf2", p.EPEmpf2},
            {"EPEPLz", p.EPEPLz},
            {"EPEOrt", p.EPEOrt},
        },
        {
            {"CBPExpress", p.CBPExpress},
            {"CBP9Uhr", p.CBP9Uhr},
            {"CBP10Uhr", p.CBP10Uhr},
            {"CBP12Uhr", p.CBP12Uhr},
            {"CBPSamstag", p.CBPSamstag},
            {"CBPSonntag", p.CBPSonntag},
            {"CBPNN", p.CBPNN},
            {"cBPUnfrei", p.cBPUnfrei},
            {"CBPEigen", p.CBPEigen},
            {"cBPRueck", p.cBPRueck},
            {"CBPSperrgut", p.CBPSperrgut},
        });
}

forms::FormPage smallParcelFormPage(const ParcelPage& p) {
    return formPage({
        {"EPPAbsender1", p.EPPAbsender1},
        {"EPPAbsender2", p.EPPAbsender2},
        {"EPPPLZ", p.EPPPLZ},
        {"EPPOrt", p.EPPOrt},
        {"EPPEAnrede", p.EPPEAnrede},
        {"EPPEEmpf1", p.EPPEEmpf1},
        {"EPPEEmpf2", p.EPPEEmpf2},
        {"EPPEPLZ", p.EPPEPLZ},
        {"EPPEOrt", p.EPPEOrt},
        {"EPPELand", p.EPPELand},
    });
}

void NNBetrag2Exit(CashOnDeliveryPage& p) {
    if (auto s = forms::amountPlusFee(p.NNBetrag2->text().toStdString()))
        p.NNBetragplus2->setText(qs(*s));
}

void NNBetragplus2Exit(CashOnDeliveryPage& p) {
    if (auto s = forms::amountLessFee(p.NNBetragplus2->text().toStdString()))
        p.NNBetrag2->setText(qs(*s));
}

void EVerwendung1NExit(CashOnDeliveryPage& p) {
    p.NNVerw1->setText(p.EVerwendung1N->text());
}

void EVerwendung2NExit(CashOnDeliveryPage& p) {
    p.NNVerw2->setText(p.EVerwendung2N->text());
}

void Button18Click(CashOnDeliveryPage& p, const PostalPageContext& ctx) {
    forms::printCashOnDelivery(printerOf(ctx), cashOnDeliveryFormPage(p), *ctx.calibration,
                               [&] { refill(ctx); });
}

void Button32Click(CashOnDeliveryPage& p, const PostalPageContext& ctx) {
    forms::printParcelCard(printerOf(ctx), parcelCardFormPage(p), *ctx.calibration,
                           [&] { refill(ctx); });
}

void Button36Click(ParcelPage& p, const PostalPageContext& ctx) {
    forms::printSmallParcel(printerOf(ctx), smallParcelFormPage(p), *ctx.calibration,
                            [&] { refill(ctx); });
}

FormPreviewSource cashOnDeliveryPreviewSource(CashOnDeliveryPage& p, const PostalPageContext& ctx) {
    Printer* printer = &printerOf(ctx);
    const forms::FormPage page = cashOnDeliveryFormPage(p);
    const CalibrationView* cal = ctx.calibration;
    return {forms::FormPrinterId::CashOnDelivery,
            [=](Printer& pr) { forms::printCashOnDeliveryForm(pr, page, *cal); },
            [=](const CalibrationView& c) { return forms::cashOnDeliveryPrintTexts(page, c); },
            cal,
            p.Button18,
            printer};
}

FormPreviewSource parcelCardPreviewSource(CashOnDeliveryPage& p, const PostalPageContext& ctx) {
    Printer* printer = &printerOf(ctx);
    const forms::FormPage page = parcelCardFormPage(p);
    const CalibrationView* cal = ctx.calibration;
    return {forms::FormPrinterId::ParcelCard,
            [=](Printer& pr) { forms::printParcelCardForm(pr, page, *cal); },
            [=](const CalibrationView& c) { return forms::parcelCardPrintTexts(page, c); },
            cal,
            p.Button32,
            printer};
}

FormPreviewSource smallParcelPreviewSource(ParcelPage& p, const PostalPageContext& ctx) {
    Printer* printer = &printerOf(ctx);
    const forms::FormPage page = smallParcelFormPage(p);
    const CalibrationView* cal = ctx.calibration;
    return {forms::FormPrinterId::SmallParcel,
            [=](Printer& pr) { forms::printSmallParcelForm(pr, page, *cal); },
            [=](const CalibrationView& c) { return forms::smallParcelPrintTexts(page, c); },
            cal,
            p.Button36,
            printer};
}

void Button26Click(CashOnDeliveryPage& p) {
    p.EVerwendung1N->clear();
    p.EVerwendung2N->clear();
}

void Button34Click(CashOnDeliveryPage& p) {
    emptyPickList(p.EPAbsender1);
    emptyPickList(p.EPEmpf1);
    for (QLineEdit* e : {p.EPAbsender2, p.EPAPlz, p.EPAOrt, p.EPBetrag, p.EPBAnk, p.EPKontonr,
                         p.EPBLZ, p.EPEAnrede, p.EPEmpf2, p.EPEPLz, p.EPEOrt})
        e->clear();
}

void Button35Click(ParcelPage& p) {
    emptyPickList(p.EPPAbsender1);
    emptyPickList(p.EPPEEmpf1);
    for (QLineEdit* e : {p.EPPAbsender2, p.EPPPLZ, p.EPPOrt, p.EPPEAnrede, p.EPPEEmpf2, p.EPPEPLZ,
                         p.EPPEOrt, p.EPPELand})
        e->clear();
}

void setupPostalPages(CashOnDeliveryPage* cod, ParcelPage* parcel, PostalPageContext context) {
    auto ctx = std::make_shared<const PostalPageContext>(std::move(context));
    if (cod) {
        new ExitHook(cod->NNBetrag2, [cod] { NNBetrag2Exit(*cod); });
        new ExitHook(cod->NNBetragplus2, [cod] { NNBetragplus2Exit(*cod); });
        new ExitHook(cod->EVerwendung1N, [cod] { EVerwendung1NExit(*cod); });
        new ExitHook(cod->EVerwendung2N, [cod] { EVerwendung2NExit(*cod); });
        connectGuarded(cod->Button18, &QAbstractButton::clicked, cod,
                       [cod, ctx] { Button18Click(*cod, *ctx); });
        connectPreviewButton(cod->BVorschau, cod,
                             [cod, ctx] { return cashOnDeliveryPreviewSource(*cod, *ctx); });
        connectPreviewButton(cod->BVorschauP, cod,
                             [cod, ctx] { return parcelCardPreviewSource(*cod, *ctx); });
        connectGuarded(cod->Button26, &QAbstractButton::clicked, cod,
                       [cod] { Button26Click(*cod); });
        connectGuarded(cod->Button32, &QAbstractButton::clicked, cod,
                       [cod, ctx] { Button32Click(*cod, *ctx); });
        connectGuarded(cod->Button34, &QAbstractButton::clicked, cod,
                       [cod] { Button34Click(*cod); });
    }
    if (parcel) {
        connectGuarded(parcel->Button36, &QAbstractButton::clicked, parcel,
                       [parcel, ctx] { Button36Click(*parcel, *ctx); });
        connectPreviewButton(parcel->BVorschau, parcel,
                             [parcel, ctx] { return smallParcelPreviewSource(*parcel, *ctx); });
        connectGuarded(parcel->Button35, &QAbstractButton::clicked, parcel,
                       [parcel] { Button35Click(*parcel); });
    }
}

} // namespace formidor::gui
