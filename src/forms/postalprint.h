#pragma once
// The printers of the postal forms (the "Drucken" buttons of the cash-on-delivery, parcel card
// and small-parcel pages) without the pages: what each prints and what it stores in the address
// book, from the page's texts by control name. None of them records a journal entry or checks
// an amount: the post office, not the bank, collects the money.
#include "addressbook/addressbook.h"
#include "app/calibration.h"
#include "forms/frame.h"
#include "forms/postal.h"

#include <functional>
#include <vector>

namespace formidor::forms {

// Every text the print draws, in drawing order, with the calibration's offsets and (parcel
// forms only) feed adjustment applied. Throws EConvertError for an offset that is not an integer.
std::vector<PlacedText> cashOnDeliveryPrintTexts(const FormPage& page,
                                                 const CalibrationView& calibration);
std::vector<PlacedText> parcelCardPrintTexts(const FormPage& page,
                                             const CalibrationView& calibration);
std::vector<PlacedText> smallParcelPrintTexts(const FormPage& page,
                                              const CalibrationView& calibration);

// The prints alone: the frame with form code N (always portrait, no feed adjustment) or P.
// Throw EConvertError (offsets) or EPrinter; then nothing was printed.
void printCashOnDeliveryForm(Printer& printer, const FormPage& page,
                             const CalibrationView& calibration);
void printParcelCardForm(Printer& printer, const FormPage& page,
                         const CalibrationView& calibration);
void printSmallParcelForm(Printer& printer, const FormPage& page,
                          const CalibrationView& calibration);

// The buttons' handlers without the page: print, store the addresses, then let the caller
// refill the pick lists. A print that fails stores nothing.
// Cash on delivery: the receiver of the money, who also becomes the last-used originator.
void printCashOnDelivery(Printer& printer, const FormPage& page, const CalibrationView& calibration,
                         const std::function<void()>& refillPickLists);
// Parcel card and small parcel: addressee and sender.
void printParcelCard(Printer& printer, const FormPage& page, const CalibrationView& calibration,
                     const std::function<void()>& refillPickLists);
void printSmallParcel(Printer& printer, const FormPage& page, const CalibrationView& calibration,
                      const std::function<void()>& refillPickLists);

// The address-book records of the prints.
NachnahmeAdressen cashOnDeliveryAddresses(const FormPage& page);
PaketscheinAdressen parcelCardAddresses(const FormPage& page);
PaketAdressen smallParcelAddresses(const FormPage& page);

} // namespace formidor::forms
