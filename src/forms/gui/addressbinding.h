#pragma once
// The address book on the form pages: the eleven name boxes' pick lists, the fill handlers
// that run when a name is picked (and, on most boxes, when the box is left), the preselection
// of the last-used originator at start, and the collection of a page's fields for the writers
// a form printer calls after its print.
#include "addressbook/addressbook.h"

#include <functional>

class QComboBox;

namespace formidor::gui {

class TransferPage;
class ChequePage;
class DirectDebitPage;
class CashOnDeliveryPage;
class DepositPage;
class ParcelPage;

struct AddressPages {
    TransferPage* transfer = nullptr;
    ChequePage* cheque = nullptr;
    DirectDebitPage* directDebit = nullptr;
    CashOnDeliveryPage* cashOnDelivery = nullptr; // with the parcel card
    DepositPage* deposit = nullptr;
    ParcelPage* parcel = nullptr;
};

// Refills every name box from UeberwE and UeberwA; the text typed in a box stays. Sorted
// except EPAbsender1 and EPPAbsender1, which keep the hive's order. Called at start and by
// every form printer after it has saved.
void LoadEmpfaenger(const AddressPages& pages);

// Fill handlers: read the record of the name in the box and set the page's fields.
// EEmpfaengerClick then lets the SEPA variants check the recipient's IBAN or propose one.
void EEmpfaengerClick(TransferPage& p);
// Only non-empty stored values replace the fields; a stored variant checks its button (which
// runs that variant's click handler).
void EAuftraggeberClick(TransferPage& p);
void EEmpfaenger1Click(ChequePage& p);
void ENameZClick(DirectDebitPage& p);
void ENameZEmpfClick(DirectDebitPage& p);
void EEmpfNClick(CashOnDeliveryPage& p);
// `ComboBox1Change` is the deposit page's bank relabelling, run after the bank box is set.
void EKontoinhaberClick(DepositPage& p, const std::function<void()>& ComboBox1Change = {});
void EPAbsender1Click(CashOnDeliveryPage& p);
void EPEmpf1Click(CashOnDeliveryPage& p);
void EPPAbsender1Click(ParcelPage& p);
void EPPEEmpf1Click(ParcelPage& p);

// The counterfoil sender lines into MemoDeutscheAbs.
void LoadAbs(ChequePage& p);
// The counterfoil buttons' handlers: RBDeutscheClick for "Deutsche Bank", RBDresdnerClick for
// "Dresdner Bank", "Volksbanken" and "Abschnitt oben": show the memo panel, load the senders.
void RBDeutscheClick(ChequePage& p);
void RBDresdnerClick(ChequePage& p);
// Connects those two handlers to the four buttons (they run when code checks them too).
void bindCounterfoilButtons(ChequePage& p);

// Connects every fill handler to picking a name and, where the handler is meant to, to leaving
// the box: EEmpfaenger, EAuftraggeber, ENameZ, ENameZEmpf, EEmpfN and EKontoinhaber on both;
// EEmpfaenger1, EPAbsender1, EPEmpf1, EPPAbsender1 and EPPEEmpf1 on picking only.
void bindAddressHandlers(const AddressPages& pages, std::function<void()> ComboBox1Change = {});

// Start: the last-used originator ("Empfänger") into EAuftraggeber, ENameZEmpf and EEmpfN,
// each followed by its fill handler.
void preloadLastOriginator(const AddressPages& pages);

// The values a page's writer stores, taken from its fields.
UeberweisungAdressen transferAddresses(const TransferPage& p);
VerrechnungsscheckAdressen chequeAddresses(const ChequePage& p);
// The last-used originator of a direct debit is the transfer page's originator box.
LastschriftAdressen directDebitAddresses(const DirectDebitPage& p, const TransferPage& transfer);
NachnahmeAdressen cashOnDeliveryAddresses(const CashOnDeliveryPage& p);
PaketscheinAdressen parcelCardAddresses(const CashOnDeliveryPage& p);
PaketAdressen parcelAddresses(const ParcelPage& p);
ScheckeinreichungAdressen depositAddresses(const DepositPage& p);

} // namespace formidor::gui
