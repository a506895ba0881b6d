#include "forms/gui/addressbinding.h"

#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/chequepage.h"
#include "forms/gui/depositpage.h"
#include "forms/gui/directdebitpage.h"
#include "forms/gui/parcelpage.h"
#include "forms/gui/transferiban.h"
#include "forms/gui/transferpage.h"
#include "platform/gui/guard.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStringList>

namespace formidor::gui {

namespace {

std::string str(const QString& s) {
    return s.toStdString();
}
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Masked fields answer text() with their own rule (blanks as spaces, literals kept), so they are
// read and written through their own type.
std::string textOf(const MaskEdit* e) {
    return str(e->text());
}
std::string textOf(const QLineEdit* e) {
    return str(e->text());
}
std::string textOf(const QComboBox* c) {
    return str(c->currentText());
}
void setTextOf(MaskEdit* e, const std::string& s) {
    e->setText(qs(s));
}
void setTextOf(QLineEdit* e, const std::string& s) {
    e->setText(qs(s));
}

std::vector<std::string> linesOf(const QPlainTextEdit* memo) {
    const QString text = memo->toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty()) return lines;
    for (const auto& l : text.split(QLatin1Char('\n'))) lines.push_back(str(l));
    return lines;
}

void setLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
    QStringList l;
    for (const auto& s : lines) l << qs(s);
    memo->setPlainText(l.join(QLatin1Char('\n')));
}

// New items, the typed text kept; no change signal, since nothing the user sees has changed.
void replaceItems(QComboBox* box, const std::vector<std::string>& names) {
    if (!box) return;
    const QString typed = box->currentText();
    QSignalBlocker blockBox(box);
    QSignalBlocker blockEdit(box->lineEdit());
    QStringList items;
    for (const auto& n : names) items << qs(n);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(typed);
}

struct VariantButton {
    std::string_view code;
    QRadioButton* TransferPage::*button;
};
constexpr VariantButton kVariantButtons[] = {
    {"13", &TransferPage::RB13},
    {"15", &TransferPage::RB15},
    {"16", &TransferPage::RB16},
    {"18", &TransferPage::RB18},
    {"20", &TransferPage::RB20},
    {"24", &TransferPage::RB24},
    {"Postbank", &TransferPage::RBPostbank},
    {"Hypo", &TransferPage::RBHypo},
};

struct CounterfoilButton {
    std::string_view code;
    QRadioButton* ChequePage::*button;
};
// The order in which the stored code is taken from the buttons.
constexpr CounterfoilButton kCounterfoilButtons[] = {
    {"Deutsche", &ChequePage::RBDeutsche},
    {"Dresdner", &ChequePage::RBDresdner},
    {"leer", &ChequePage::RBleer},
    {"kein", &ChequePage::RBkein},
    {"DG", &ChequePage::RBDG},
    {"ObenGross", &ChequePage::RBobengross},
};

std::string checkedVariant(const TransferPage& p) {
    for (const auto& v : kVariantButtons)
        if ((p.*v.button)->isChecked()) return std::string(v.code);
    return {};
}

// Runs a fill handler on picking a name and, when asked, on leaving the box.
template <class Handler>
void onName(QComboBox* box, bool onLeave, Handler handler) {
    if (!box) return;
    connectGuarded(box, &QComboBox::activated, box, handler);
    if (onLeave && box->lineEdit())
        connectGuarded(box->lineEdit(), &QLineEdit::editingFinished, box, handler);
}

} // namespace

// --- pick lists ---

void LoadEmpfaenger(const AddressPages& pages) {
    const AddressNames names = formidor::LoadEmpfaenger();
    if (names.empfaenger) {
        const auto sorted = sortedNames(*names.empfaenger);
        if (pages.transfer) replaceItems(pages.transfer->EEmpfaenger, sorted);
        if (pages.directDebit) replaceItems(pages.directDebit->ENameZ, sorted);
        if (pages.cheque) replaceItems(pages.cheque->EEmpfaenger1, sorted);
        if (pages.cashOnDelivery) replaceItems(pages.cashOnDelivery->EPEmpf1, sorted);
        if (pages.parcel) replaceItems(pages.parcel->EPPEEmpf1, sorted);
    }
    if (names.auftraggeber) {
        const auto& inHiveOrder = *names.auftraggeber;
        const auto sorted = sortedNames(inHiveOrder);
        if (pages.transfer) replaceItems(pages.transfer->EAuftraggeber, sorted);
        if (pages.directDebit) replaceItems(pages.directDebit->ENameZEmpf, sorted);
        if (pages.cashOnDelivery) {
            replaceItems(pages.cashOnDelivery->EEmpfN, sorted);
            replaceItems(pages.cashOnDelivery->EPAbsender1, inHiveOrder);
        }
        if (pages.deposit) replaceItems(pages.deposit->EKontoinhaber, sorted);
        if (pages.parcel) replaceItems(pages.parcel->EPPAbsender1, inHiveOrder);
    }
}

// --- fill handlers ---

void EEmpfaengerClick(TransferPage& p) {
    const auto f = formidor::EEmpfaengerClick(textOf(p.EEmpfaenger));
    setTextOf(p.EKontonr, f.EKontonr);
    setTextOf(p.EBLZ, f.EBLZ);
    setTextOf(p.EBank, f.EBank);
    setTextOf(p.EBank2, f.EBank2);
    setTextOf(p.EVerwendung1, f.EVerwendung1);
    setTextOf(p.EVerwendung2, f.EVerwendung2);
    setTextOf(p.EArt, f.EArt);
    setTextOf(p.EEntgelt, f.EEntgelt);
    setTextOf(p.EZielland, f.EZielland);
    setTextOf(p.EIBANEmpf, f.EIBANEmpf);
    proposeRecipientIban(p);
}

void EAuftraggeberClick(TransferPage& p) {
    EAuftraggeberFelder f{textOf(p.EEigeneKontonr), textOf(p.EAuftraggeberBLZ),
                          textOf(p.EAuftraggeberBank), textOf(p.EIBANAuftrag), checkedVariant(p)};
    const std::string before = f.Formular;
    formidor::EAuftraggeberClick(textOf(p.EAuftraggeber), f);
    // Unchanged fields are not rewritten: a masked field would otherwise reformat its text.
    if (f.EEigeneKontonr != textOf(p.EEigeneKontonr)) setTextOf(p.EEigeneKontonr, f.EEigeneKontonr);
    if (f.EAuftraggeberBLZ != textOf(p.EAuftraggeberBLZ))
        setTextOf(p.EAuftraggeberBLZ, f.EAuftraggeberBLZ);
    if (f.EAuftraggeberBank != textOf(p.EAuftraggeberBank))
        setTextOf(p.EAuftraggeberBank, f.EAuftraggeberBank);
    if (f.EIBANAuftrag != textOf(p.EIBANAuftrag)) setTextOf(p.EIBANAuftrag, f.EIBANAuftrag);
    if (f.Formular != before)
        for (const auto& v : kVariantButtons)
            if (v.code == f.Formular) (p.*v.button)->setChecked(true);
}

void EEmpfaenger1Click(ChequePage& p) {
    const auto f = formidor::EEmpfaenger1Click(textOf(p.EEmpfaenger1));
    setTextOf(p.EAnredeE, f.EAnredeE);
    setTextOf(p.EEmpfaenger2, f.EEmpfaenger2);
    setTextOf(p.EPLZE, f.EPLZE);
    setTextOf(p.EOrtEmpf, f.EOrtEmpf);
    for (const auto& b : kCounterfoilButtons)
        if (b.code == f.Bank) (p.*b.button)->setChecked(true);
    setLines(p.MemoDeutscheVerw, f.MemoDeutscheVerw);
}

void ENameZClick(DirectDebitPage& p) {
    const auto f = formidor::ENameZClick(textOf(p.ENameZ));
    setTextOf(p.EKontonrZ, f.EKontonrZ);
    setTextOf(p.EBLZZ, f.EBLZZ);
    setTextOf(p.EBankZ, f.EBankZ);
}

void ENameZEmpfClick(DirectDebitPage& p) {
    setTextOf(p.EKontonrZEmpf, formidor::ENameZEmpfClick(textOf(p.ENameZEmpf)).EKontonrZEmpf);
}

void EEmpfNClick(CashOnDeliveryPage& p) {
    const auto f = formidor::EEmpfNClick(textOf(p.EEmpfN));
    setTextOf(p.EKontonrEmpfN, f.EKontonrEmpfN);
    setTextOf(p.EStrasseN, f.EStrasseN);
    setTextOf(p.EPLZOrtN, f.EPLZOrtN);
    setTextOf(p.EBLZN, f.EBLZN);
    setTextOf(p.EBankN, f.EBankN);
}

void EKontoinhaberClick(DepositPage& p, const std::function<void()>& ComboBox1Change) {
    const auto f = formidor::EKontoinhaberClick(textOf(p.EKontoinhaber));
    setTextOf(p.EEmpfaengerKontonr, f.EEmpfaengerKontonr);
    const int item = p.ComboBox1->findText(qs(f.ComboBox1));
    p.ComboBox1->setCurrentIndex(item);
    p.ComboBox1->setEditText(qs(f.ComboBox1));
    if (ComboBox1Change) ComboBox1Change();
}

void EPAbsender1Click(CashOnDeliveryPage& p) {
    const auto f = formidor::EPAbsender1Click(textOf(p.EPAbsender1));
    setTextOf(p.EPAbsender2, f.EPAbsender2);
    setTextOf(p.EPAPlz, f.EPAPlz);
    setTextOf(p.EPAOrt, f.EPAOrt);
    setTextOf(p.EPKontonr, f.EPKontonr);
    setTextOf(p.EPBAnk, f.EPBAnk);
    setTextOf(p.EPBLZ, f.EPBLZ);
}

void EPEmpf1Click(CashOnDeliveryPage& p) {
    const auto f = formidor::EPEmpf1Click(textOf(p.EPEmpf1));
    setTextOf(p.EPEAnrede, f.EPEAnrede);
    setTextOf(p.EPEmpf2, f.EPEmpf2);
    setTextOf(p.EPEPLz, f.EPEPLz);
    setTextOf(p.EPEOrt, f.EPEOrt);
}

void EPPAbsender1Click(ParcelPage& p) {
    const auto f = formidor::EPPAbsender1Click(textOf(p.EPPAbsender1));
    setTextOf(p.EPPAbsender2, f.EPPAbsender2);
    setTextOf(p.EPPPLZ, f.EPPPLZ);
    setTextOf(p.EPPOrt, f.EPPOrt);
}

void EPPEEmpf1Click(ParcelPage& p) {
    const auto f = formidor::EPPEEmpf1Click(textOf(p.EPPEEmpf1));
    setTextOf(p.EPPEAnrede, f.EPPEAnrede);
    setTextOf(p.EPPEEmpf2, f.EPPEEmpf2);
    setTextOf(p.EPPEPLZ, f.EPPEPLZ);
    setTextOf(p.EPPEOrt, f.EPPEOrt);
    setTextOf(p.EPPELand, f.EPPELand);
}

void LoadAbs(ChequePage& p) {
    setLines(p.MemoDeutscheAbs, formidor::LoadAbs());
}

void RBDeutscheClick(ChequePage& p) {
    p.PanelAbschnitt->setVisible(true);
    LoadAbs(p);
}

void RBDresdnerClick(ChequePage& p) {
    p.PanelAbschnitt->setVisible(true);
    LoadAbs(p);
}

void bindCounterfoilButtons(ChequePage& p) {
    onRadioChecked(p.RBDeutsche, &p, [&p] { RBDeutscheClick(p); });
    for (QRadioButton* b : {p.RBDresdner, p.RBDG, p.RBobengross})
        onRadioChecked(b, &p, [&p] { RBDresdnerClick(p); });
}

void bindAddressHandlers(const AddressPages& pages, std::function<void()> ComboBox1Change) {
    if (auto* p = pages.transfer) {
        onName(p->EEmpfaenger, true, [p] { EEmpfaengerClick(*p); });
        onName(p->EAuftraggeber, true, [p] { EAuftraggeberClick(*p); });
    }
    if (auto* p = pages.cheque) onName(p->EEmpfaenger1, false, [p] { EEmpfaenger1Click(*p); });
    if (auto* p = pages.directDebit) {
        onName(p->ENameZ, true, [p] { ENameZClick(*p); });
        onName(p->ENameZEmpf, true, [p] { ENameZEmpfClick(*p); });
    }
    if (auto* p = pages.cashOnDelivery) {
        onName(p->EEmpfN, true, [p] { EEmpfNClick(*p); });
        onName(p->EPAbsender1, false, [p] { EPAbsender1Click(*p); });
        onName(p->EPEmpf1, false, [p] { EPEmpf1Click(*p); });
    }
    if (auto* p = pages.deposit)
        onName(p->EKontoinhaber, true,
               [p, change = std::move(ComboBox1Change)] { EKontoinhaberClick(*p, change); });
    if (auto* p = pages.parcel) {
        onName(p->EPPAbsender1, false, [p] { EPPAbsender1Click(*p); });
        onName(p->EPPEEmpf1, false, [p] { EPPEEmpf1Click(*p); });
    }
}

void preloadLastOriginator(const AddressPages& pages) {
    const QString name = qs(letzterAuftraggeber());
    if (auto* p = pages.transfer) {
        p->EAuftraggeber->setEditText(name);
        EAuftraggeberClick(*p);
    }
    if (auto* p = pages.directDebit) {
        p->ENameZEmpf->setEditText(name);
        ENameZEmpfClick(*p);
    }
    if (auto* p = pages.cashOnDelivery) {
        p->EEmpfN->setEditText(name);
        EEmpfNClick(*p);
    }
}

// --- the writers' values ---

UeberweisungAdressen transferAddresses(const TransferPage& p) {
    UeberweisungAdressen d;
    d.EEmpfaenger = textOf(p.EEmpfaenger);
    d.EKontonr = textOf(p.EKontonr);
    d.EBLZ = textOf(p.EBLZ);
    d.EBank = textOf(p.EBank);
    d.EBank2 = textOf(p.EBank2);
    d.EVerwendung1 = textOf(p.EVerwendung1);
    d.EVerwendung2 = textOf(p.EVerwendung2);
    d.EArt = textOf(p.EArt);
    d.EEntgelt = textOf(p.EEntgelt);
    d.EZielland = textOf(p.EZielland);
    d.EIBANEmpf = textOf(p.EIBANEmpf);
    d.EAuftraggeber = textOf(p.EAuftraggeber);
    d.EEigeneKontonr = textOf(p.EEigeneKontonr);
    d.EAuftraggeberBLZ = textOf(p.EAuftraggeberBLZ);
    d.EIBANAuftrag = textOf(p.EIBANAuftrag);
    d.EAuftraggeberBank = textOf(p.EAuftraggeberBank);
    d.Formular = checkedVariant(p);
    return d;
}

VerrechnungsscheckAdressen chequeAddresses(const ChequePage& p) {
    VerrechnungsscheckAdressen d;
    d.MemoDeutscheAbs = linesOf(p.MemoDeutscheAbs);
    d.EEmpfaenger1 = textOf(p.EEmpfaenger1);
    d.EAnredeE = textOf(p.EAnredeE);
    d.EEmpfaenger2 = textOf(p.EEmpfaenger2);
    d.EOrtEmpf = textOf(p.EOrtEmpf);
    d.EPLZE = textOf(p.EPLZE);
    for (const auto& b : kCounterfoilButtons) {
        if ((p.*b.button)->isChecked()) {
            d.Bank = std::string(b.code);
            break;
        }
    }
    d.MemoDeutscheVerw = linesOf(p.MemoDeutscheVerw);
    return d;
}

LastschriftAdressen directDebitAddresses(const DirectDebitPage& p, const TransferPage& transfer) {
    return {textOf(p.ENameZ),
            textOf(p.EKontonrZ),
            textOf(p.EBLZZ),
            textOf(p.EBankZ),
            textOf(p.ENameZEmpf),
            textOf(p.EKontonrZEmpf),
            textOf(transfer.EAuftraggeber)};
}

NachnahmeAdressen cashOnDeliveryAddresses(const CashOnDeliveryPage& p) {
    return {textOf(p.EEmpfN), textOf(p.EKontonrEmpfN), textOf(p.EBLZN),
            textOf(p.EBankN), textOf(p.EStrasseN),     textOf(p.EPLZOrtN)};
}

PaketscheinAdressen parcelCardAddresses(const CashOnDeliveryPage& p) {
    PaketscheinAdressen d;
    d.EPEmpf1 = textOf(p.EPEmpf1);
    d.EPEAnrede = textOf(p.EPEAnrede);
    d.EPEmpf2 = textOf(p.EPEmpf2);
    d.EPEPLz = textOf(p.EPEPLz);
    d.EPEOrt = textOf(p.EPEOrt);
    d.EPAbsender1 = textOf(p.EPAbsender1);
    d.EPAbsender2 = textOf(p.EPAbsender2);
    d.EPAOrt = textOf(p.EPAOrt);
    d.EPAPlz = textOf(p.EPAPlz);
    d.EPKontonr = textOf(p.EPKontonr);
    d.EPBLZ = textOf(p.EPBLZ);
    d.EPBAnk = textOf(p.EPBAnk);
    return d;
}

PaketAdressen parcelAddresses(const ParcelPage& p) {
    PaketAdressen d;
    d.EPPEEmpf1 = textOf(p.EPPEEmpf1);
    d.EPPEAnrede = textOf(p.EPPEAnrede);
    d.EPPEEmpf2 = textOf(p.EPPEEmpf2);
    d.EPPEPLZ = textOf(p.EPPEPLZ);
    d.EPPEOrt = textOf(p.EPPEOrt);
    d.EPPELand = textOf(p.EPPELand);
    d.EPPAbsender1 = textOf(p.EPPAbsender1);
    d.EPPAbsender2 = textOf(p.EPPAbsender2);
    d.EPPOrt = textOf(p.EPPOrt);
    d.EPPPLZ = textOf(p.EPPPLZ);
    return d;
}

ScheckeinreichungAdressen depositAddresses(const DepositPage& p) {
    return {textOf(p.EKontoinhaber), textOf(p.ComboBox1), textOf(p.EEmpfaengerKontonr)};
}

} // namespace formidor::gui
