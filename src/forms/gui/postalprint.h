#pragma once
// The behaviour of the postal pages: the cash-on-delivery form with its fee amounts and
// purpose copies, the parcel card and the small parcel, each with "Drucken" and "Löschen". The
// page classes hold only the controls; setupPostalPages connects them to what is here.
#include "app/calibration.h"
#include "forms/layout.h"

#include <functional>

namespace formidor {
class Printer;
}

namespace formidor::gui {

class CashOnDeliveryPage;
class ParcelPage;
struct FormPreviewSource;

// What the pages' prints need from the main window.
struct PostalPageContext {
    // The printer page's calibration controls (offsets, orientation, feed side).
    const CalibrationView* calibration = nullptr;
    // LoadEmpfaenger: refills every name box of every page after the addresses are stored.
    std::function<void()> refillPickLists;
    // The printer; nullptr means the application's printer (ThePrinter()).
    Printer* printer = nullptr;
};

// Connects the exit handlers of the amount and purpose fields and the "Drucken" and "Löschen"
// buttons of the cash-on-delivery form and the parcel card (both on `cashOnDelivery`) and of
// the small parcel, every handler through the application's error handling. Either page may be
// nullptr. The pages keep a copy of the context.
void setupPostalPages(CashOnDeliveryPage* cashOnDelivery, ParcelPage* parcel,
                      PostalPageContext context);

// The texts and check states of each form as its print reads them.
forms::FormPage cashOnDeliveryFormPage(const CashOnDeliveryPage& page);
forms::FormPage parcelCardFormPage(const CashOnDeliveryPage& page);
forms::FormPage smallParcelFormPage(const ParcelPage& page);

// Leaving the amount: the amount plus the fee into NNBetragplus2; leaving the amount with the
// fee: the amount without it into NNBetrag2. A text that is no number changes nothing.
void NNBetrag2Exit(CashOnDeliveryPage& page);
void NNBetragplus2Exit(CashOnDeliveryPage& page);
// Leaving a purpose line copies it into the form's second part (NNVerw1, NNVerw2).
void EVerwendung1NExit(CashOnDeliveryPage& page);
void EVerwendung2NExit(CashOnDeliveryPage& page);

// "Drucken" of the three forms. Throw what the print throws (offsets, printer); then nothing is
// stored.
void Button18Click(CashOnDeliveryPage& page, const PostalPageContext& context);
void Button32Click(CashOnDeliveryPage& page, const PostalPageContext& context);
void Button36Click(ParcelPage& page, const PostalPageContext& context);
// "Vorschau" of each form: as its "Drucken" would print it now.
FormPreviewSource cashOnDeliveryPreviewSource(CashOnDeliveryPage& page,
                                              const PostalPageContext& context);
FormPreviewSource parcelCardPreviewSource(CashOnDeliveryPage& page,
                                          const PostalPageContext& context);
FormPreviewSource smallParcelPreviewSource(ParcelPage& page, const PostalPageContext& context);

// "Löschen" of the cash-on-delivery form: the two purpose lines only.
void Button26Click(CashOnDeliveryPage& page);
// "Löschen" of the parcel card: every text field but the currency; the check boxes stay. The
// two name boxes lose their lists too, until the next print of any form refills them.
void Button34Click(CashOnDeliveryPage& page);
// "Löschen" of the small parcel: every field, the name boxes' lists included.
void Button35Click(ParcelPage& page);

} // namespace formidor::gui
