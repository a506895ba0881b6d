#include "forms/gui/foreignwindow.h"

#include "addressbook/addressbook.h"
#include "bankdata/gui/bankfields.h"
#include "forms/foreignprint.h"
#include "forms/gui/formpreview.h"
#include "forms/gui/z1.h"
#include "journal/journal.h"
#include "platform/datetime.h"
#include "platform/gui/guard.h"
#include "platform/gui/namebox.h"
#include "platform/printer.h"

#include <QSignalBlocker>
#include <QStringList>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace formidor::gui {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::vector<std::pair<std::string_view, QWidget*>> controls(const TAusl& w) {
    return {
        {"EAuftraggeberName", w.EAuftraggeberName},
        {"EAuftraggeberStrasse", w.EAuftraggeberStrasse},
        {"EAuftraggeberPLZOrt", w.EAuftraggeberPLZOrt},
        {"EAuftraggeberKontonr", w.EAuftraggeberKontonr},
        {"EAuftraggeberBLZ", w.EAuftraggeberBLZ},
        {"EAuftraggeberBank", w.EAuftraggeberBank},
        {"CBBankdrucken", w.CBBankdrucken},
        {"EBetrag", w.EBetrag},
        {"EWaehrung", w.EWaehrung},
        {"CBZahlungzuLasten", w.CBZahlungzuLasten},
        {"EReferenzKontoinhaber", w.EReferenzKontoinhaber},
        {"EEmpfaengerName", w.EEmpfaengerName},
        {"EEmpfaengerStrasse", w.EEmpfaengerStrasse},
        {"EEmpfaengerOrtLand", w.EEmpfaengerOrtLand},
        {"EKontonrIBAN", w.EKontonrIBAN},
        {"EEmpfaengerBankcode", w.EEmpfaengerBankcode},
        {"EZielland", w.EZielland},
        {"EEmpfaengerBankName", w.EEmpfaengerBankName},
        {"EEmpfaengerBankStrasse", w.EEmpfaengerBankStrasse},
        {"EEmpfaengerBankOrtLand", w.EEmpfaengerBankOrtLand},
        {"EEmpfaengerBankSwift", w.EEmpfaengerBankSwift},
        {"EVerwendungszweck1", w.EVerwendungszweck1},
        {"EVerwendungszweck2", w.EVerwendungszweck2},
        {"EVerwendungszweck3", w.EVerwendungszweck3},
        {"EWeisungen", w.EWeisungen},
        {"CBAusfuehrungsart", w.CBAusfuehrungsart},
        {"CBWeisungsschluessel", w.CBWeisungsschluessel},
        {"CBEntgeltregelung", w.CBEntgeltregelung},
        {"CBEntgeltezuLasten", w.CBEntgeltezuLasten},
        {"CBTransit", w.CBTransit},
        {"e105", w.e105},
        {"e106", w.e106},
        {"e107", w.e107},
        {"e108", w.e108},
        {"e109", w.e109},
        {"e110", w.e110},
        {"e111_1", w.e111_1},
        {"e111_2", w.e111_2},
        {"e111_3", w.e111_3},
        {"edatum", w.edatum},
        {"etelefon", w.etelefon},
    };
}

QWidget* control(const TAusl& w, std::string_view name) {
    QWidget* c = auslControl(w, name);
    // The tables of the form name only controls the window has; a miss is a programming error.
    if (!c) throw std::logic_error("foreign transfer window has no control " + std::string(name));
    return c;
}

std::string textOf(QWidget* c) {
    if (auto* m = qobject_cast<MaskEdit*>(c)) return m->text().toStdString();
    if (auto* e = qobject_cast<QLineEdit*>(c)) return e->text().toStdString();
    if (auto* b = qobject_cast<QComboBox*>(c)) return b->currentText().toStdString();
    return {};
}

void setTextOf(QWidget* c, const std::string& text) {
    if (auto* m = qobject_cast<MaskEdit*>(c))
        m->setText(qs(text));
    else if (auto* e = qobject_cast<QLineEdit*>(c))
        e->setText(qs(text));
    else if (auto* b = qobject_cast<QComboBox*>(c))
        b->setEditText(qs(text));
}

// New items, the typed text kept.
void replaceItems(QComboBox* box, const std::vector<std::string>& names) {
    const QString typed = box->currentText();
    QSignalBlocker blockBox(box);
    QStringList items;
    for (const auto& n : names) items << QString::fromStdString(n);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(typed);
}

// A pick handler on choosing a name and, when asked, on leaving the box.
void onName(QComboBox* box, bool onLeave, std::function<void()> handler) {
    bindNameBox(box, onLeave, std::move(handler));
}

} // namespace

QWidget* auslControl(const TAusl& w, std::string_view name) {
    for (const auto& [n, c] : controls(w))
        if (n == name) return c;
    return nullptr;
}

forms::FormPage auslFormPage(const TAusl& w) {
    forms::FormPage page;
    for (auto name : forms::foreignTextControls()) page.setText(name, textOf(control(w, name)));
    for (auto name : forms::foreignCheckControls()) {
        auto* b = qobject_cast<QAbstractButton*>(control(w, name));
        page.setChecked(name, b && b->isChecked());
    }
    for (const auto& l : forms::foreignLists()) {
        auto* box = qobject_cast<QComboBox*>(control(w, l.control));
        forms::selectInPage(page, l, box ? box->currentIndex() : -1);
    }
    return page;
}

void applyChanges(TAusl& w, const forms::FieldChanges& changes) {
    for (const auto& [name, text] : changes.texts) setTextOf(control(w, name), text);
    for (const auto& [name, checked] : changes.checks)
        if (auto* b = qobject_cast<QAbstractButton*>(control(w, name))) b->setChecked(checked);
    for (const auto& [name, position] : changes.selects)
        if (auto* b = qobject_cast<QComboBox*>(control(w, name))) b->setCurrentIndex(position);
}

forms::ForeignTab shownTab(const TAusl& w) {
    return static_cast<forms::ForeignTab>(w.PageControl1->currentIndex());
}

void LoadAusl(TAusl& w) {
    const AddressNames names = LoadEmpfaenger();
    if (names.auftraggeber) replaceItems(w.EAuftraggeberKontonr, *names.auftraggeber);
    if (names.empfaenger) replaceItems(w.EEmpfaengerName, *names.empfaenger);
}

void FormShow(TAusl& w) {
    LoadAusl(w);
    w.edatum->setText(qs(DateToStr(Date())));
}

void EAuftraggeberKontonrClick(TAusl& w) {
    if (auto changes = forms::originatorPick(auslFormPage(w))) applyChanges(w, *changes);
}

void EEmpfaengerNameClick(TAusl& w) {
    applyChanges(w, forms::recipientPick(w.EEmpfaengerName->currentText().toStdString()));
}

void Button1Click(TAusl& w, const AuslContext& ctx) {
    if (!ctx.calibration || !ctx.journal)
        throw std::logic_error("foreign transfer printed without calibration or journal");
    Printer& printer = ctx.printer ? *ctx.printer : ThePrinter();
    forms::FormPage page = auslFormPage(w);
    const std::string typedAmount = page.text("EBetrag");
    // The field shows the checked amount before the journal is written, so a journal that
    // cannot be saved still leaves "0" in the field.
    forms::printForeign(printer, page, *ctx.calibration, *ctx.journal,
                        [&](const std::string& checked) {
                            if (checked != typedAmount) w.EBetrag->setText(qs(checked));
                        });
}

FormPreviewSource auslPreviewSource(TAusl& w, const AuslContext& ctx) {
    if (!ctx.calibration) throw std::logic_error("foreign transfer shown without calibration");
    const forms::FormPage page = auslFormPage(w);
    const CalibrationView* cal = ctx.calibration;
    return {forms::FormPrinterId::ForeignTransfer,
            [=](Printer& printer) { forms::printForeignForm(printer, page, *cal); },
            [=](const CalibrationView& c) { return forms::foreignPrintTexts(page, c); },
            cal,
            w.Button1,
            ctx.printer};
}

void Button2Click(TAusl& w, const AuslContext& ctx) {
    if (ctx.printerSetup) ctx.printerSetup(&w);
}

void Button10Click(TAusl& w) {
    applyChanges(w, forms::foreignClearing(shownTab(w)));
}

void setupAusl(TAusl* w, AuslContext context) {
    // Enter in a field must not print: no button of the window is pressed by it.
    for (QPushButton* b : {w->Button1, w->Button2, w->Button10, w->BVorschau}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    w->OnShow = [w] { runGuarded([w] { FormShow(*w); }, w); };
    // Picking an originator loads it; leaving the box does the same.
    onName(w->EAuftraggeberKontonr, true, [w] { EAuftraggeberKontonrClick(*w); });
    onName(w->EEmpfaengerName, false, [w] { EEmpfaengerNameClick(*w); });
    bindBankCodeField(w->EAuftraggeberBLZ, w->EAuftraggeberBank);
    auto ctx = std::make_shared<AuslContext>(std::move(context));
    connectGuarded(w->Button1, &QAbstractButton::clicked, w, [w, ctx] { Button1Click(*w, *ctx); });
    connectGuarded(w->Button2, &QAbstractButton::clicked, w, [w, ctx] { Button2Click(*w, *ctx); });
    connectPreviewButton(w->BVorschau, w, [w, ctx] { return auslPreviewSource(*w, *ctx); });
    connectGuarded(w->Button10, &QAbstractButton::clicked, w, [w] { Button10Click(*w); });
}

} // namespace formidor::gui
