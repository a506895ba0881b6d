#include "forms/gui/depositprint.h"

#include "forms/deposit.h"
#include "forms/depositprint.h"
#include "forms/gui/depositpage.h"
#include "forms/gui/formpreview.h"
#include "journal/journal.h"
#include "platform/gui/guard.h"
#include "platform/printer.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QMessageBox>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace formidor::gui {

namespace {

using forms::ChequeColumns;
using forms::Visibility;

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::string textOf(const QWidget* w) {
    if (auto* m = qobject_cast<const MaskEdit*>(w)) return m->text().toStdString();
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text().toStdString();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText().toStdString();
    return {};
}

std::vector<std::pair<std::string_view, QWidget*>> textControls(const DepositPage& p) {
    std::vector<std::pair<std::string_view, QWidget*>> controls = {
        {"EKontoinhaber", p.EKontoinhaber},
        {"EOrtDatum", p.EOrtDatum},
        {"ComboBox1", p.ComboBox1},
        {"EStueck", p.EStueck},
        {"EWert", p.EWert},
        {"EEmpfaengerKontonr", p.EEmpfaengerKontonr},
        {"EGesamtbetrag", p.EGesamtbetrag},
    };
    const auto cheques = p.cheques();
    for (size_t i = 0; i < cheques.size(); ++i) {
        const auto& names = forms::chequeControls()[i];
        controls.emplace_back(names.ESchecknr, cheques[i].ESchecknr);
        controls.emplace_back(names.EKontonr, cheques[i].EKontonr);
        controls.emplace_back(names.EBLZ, cheques[i].EBLZ);
        controls.emplace_back(names.EBetrag, cheques[i].EBetrag);
    }
    return controls;
}

void setCaption(QLabel* label, std::string_view caption) {
    if (!caption.empty()) label->setText(qs(caption));
}

void setShown(Visibility v, std::initializer_list<QWidget*> widgets) {
    if (v == Visibility::Keep) return;
    for (QWidget* w : widgets) w->setVisible(v == Visibility::Shown);
}

// Runs a handler when the user enters a field: the focus moves to it from another control of
// the program. Getting the focus back because the window is active again (after a message box,
// say) is no entering, or a failing handler would show its message again and again.
class EnterHook : public QObject {
public:
    EnterHook(QWidget* widget, std::function<void()> handler)
        : QObject(widget), handler_(std::move(handler)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                runGuarded(handler_);
        }
        return false;
    }

private:
    std::function<void()> handler_;
};

void tell(const DepositPageContext& ctx, const QString& text, QWidget* parent) {
    if (ctx.showMessage) {
        ctx.showMessage(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), text,
                    QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace

forms::FormPage depositFormPage(const DepositPage& p) {
    forms::FormPage page;
    for (const auto& [name, w] : textControls(p)) page.setText(name, textOf(w));
    return page;
}

void ComboBox1Change(DepositPage& p) {
    const auto a = forms::depositArrangement(p.ComboBox1->currentText().toStdString());
    const bool amountLeft = a.columns == ChequeColumns::AmountLeft;
    for (const auto& c : p.cheques()) {
        const int y = c.EBLZ->y();
        if (amountLeft) {
            c.EBetrag->setGeometry(DepositPage::kLeftColumnX, y, DepositPage::kAmountLeftWidth,
                                   c.EBetrag->height());
            c.EBLZ->move(DepositPage::kBankCodeRightX, y);
        } else {
            c.EBLZ->move(DepositPage::kLeftColumnX, y);
            c.EBetrag->setGeometry(DepositPage::kAmountRightX, y, DepositPage::kAmountWidth,
                                   c.EBetrag->height());
        }
        // The entry order follows the columns as they stand.
        QWidget::setTabOrder(c.EKontonr, amountLeft ? c.EBetrag : c.EBLZ);
        QWidget::setTabOrder(amountLeft ? c.EBetrag : c.EBLZ, amountLeft ? c.EBLZ : c.EBetrag);
        setCaption(c.LBLZ, a.leftCaption);
        setCaption(c.LBetrag, a.rightCaption);
        setCaption(c.LKontonr, a.accountCaption);
        setCaption(c.LSchecknr, a.numberCaption);
    }
    setShown(a.dateField, {p.EOrtDatum, p.LOrtDatum});
    setCaption(p.LOrtDatum, a.dateCaption);
    setShown(a.valueField, {p.EWert, p.LWert});
    setCaption(p.LWert, a.valueCaption);
}

void EStueckEnter(DepositPage& p) {
    p.EStueck->setText(qs(forms::chequeCount(depositFormPage(p))));
}

void EGesamtbetragEnter(DepositPage& p) {
    p.EGesamtbetrag->setText(qs(forms::chequeTotal(depositFormPage(p))));
}

void Button23Click(DepositPage& p, const DepositPageContext& ctx) {
    if (!ctx.calibration || !ctx.journal)
        throw std::logic_error("deposit page printed without calibration or journal");
    Printer& printer = ctx.printer ? *ctx.printer : ThePrinter();
    forms::FormPage page = depositFormPage(p);
    const std::string typedTotal = page.text("EGesamtbetrag");
    const bool printed = forms::printDeposit(
        printer, page, *ctx.calibration, *ctx.journal,
        [&] {
            if (ctx.refillPickLists) ctx.refillPickLists();
        },
        [&](const std::string& checked) {
            if (checked != typedTotal) p.EGesamtbetrag->setText(qs(checked));
        });
    if (!printed) tell(ctx, qs(forms::kNoDepositBankMessage), &p);
}

FormPreviewSource depositPreviewSource(DepositPage& p, const DepositPageContext& ctx) {
    const forms::FormPage page = depositFormPage(p);
    const CalibrationView* cal = ctx.calibration;
    return {forms::FormPrinterId::ChequeDeposit,
            [=](Printer& printer) { forms::printDepositForm(printer, page, *cal); },
            [=](const CalibrationView& c) { return forms::depositPrintTexts(page, c); },
            cal,
            p.Button23,
            ctx.printer};
}

void BVorschauClick(DepositPage& p, const DepositPageContext& ctx) {
    // Without a bank "Drucken" prints nothing; the preview says so as it does.
    if (forms::noDepositBankChosen(depositFormPage(p))) {
        tell(ctx, qs(forms::kNoDepositBankMessage), &p);
        return;
    }
    showFormPreview(&p, depositPreviewSource(p, ctx));
}

void Button28Click(DepositPage& p) {
    for (const auto& c : p.cheques()) {
        c.ESchecknr->clear();
        c.EKontonr->clear();
        c.EBLZ->clear();
        c.EBetrag->clear();
    }
    p.EStueck->clear();
    p.EWert->clear();
    p.EGesamtbetrag->clear();
}

void setupDepositPage(DepositPage* page, DepositPageContext context) {
    // Every change of the text, whoever makes it, so that the page always follows the text it
    // shows: picking a bank, typing one, or the account holder's stored bank set by code.
    QObject::connect(page->ComboBox1, &QComboBox::currentTextChanged, page,
                     [page](const QString&) { runGuarded([page] { ComboBox1Change(*page); }); });
    new EnterHook(page->EStueck, [page] { EStueckEnter(*page); });
    new EnterHook(page->EGesamtbetrag, [page] { EGesamtbetragEnter(*page); });
    connectGuarded(page->BVorschau, &QAbstractButton::clicked, page,
                   [page, context] { BVorschauClick(*page, context); });
    connectGuarded(page->Button23, &QAbstractButton::clicked, page,
                   [page, ctx = std::move(context)] { Button23Click(*page, ctx); });
    connectGuarded(page->Button28, &QAbstractButton::clicked, page,
                   [page] { Button28Click(*page); });
    ComboBox1Change(*page);
}

} // namespace formidor::gui
