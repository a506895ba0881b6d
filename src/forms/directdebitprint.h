#pragma once
// The direct debit printer, the cover sheet printer and the receipt of the bundle without the
// page: what each prints, and what the direct debit print counts, stores and records, each from
// the page's texts by control name.
#include "addressbook/addressbook.h"
#include "app/calibration.h"
#include "forms/directdebit.h"
#include "forms/frame.h"
#include "journal/journal.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace formidor::forms {

// Every text the print draws, in drawing order, with the calibration's offsets and feed
// adjustment applied (form code L for both). Throws EConvertError for an offset that is not an
// integer.
std::vector<PlacedText> directDebitPrintTexts(const FormPage& page,
                                              const CalibrationView& calibration);
std::vector<PlacedText> coverSheetPrintTexts(const FormPage& page,
                                             const CalibrationView& calibration);

// The prints alone. Throw EConvertError (offsets) or EPrinter; then nothing was printed.
void printDirectDebitForm(Printer& printer, const FormPage& page,
                          const CalibrationView& calibration);
void printCoverSheetForm(Printer& printer, const FormPage& page,
                         const CalibrationView& calibration);

// What the direct debit print needs besides the page and the printer.
struct DirectDebitAfterPrint {
    Journal* journal = nullptr;
    // The transfer page's originator, remembered as the last-used originator.
    std::string lastOriginator;
    // LoadEmpfaenger, after the addresses are stored.
    std::function<void()> refillPickLists;
    // A field of the page the steps have just changed (EBetragZ, EStueckzahlD, EBetragD), so
    // the page shows it even when a later step fails.
    std::function<void(std::string_view control, const std::string& text)> showField;
};

// Button13Click without the page: prints; then, in this order, replaces a non-numeric EBetragZ
// by "0", counts one more in EStueckzahlD, adds the amount to EBetragD, stores payer and payee
// (SaveEmpfaengerL), refills the pick lists and appends the journal record. A count or total
// that is no number throws EConvertError at its step, and the steps after it do not run. A
// print that fails changes, stores and records nothing.
void printDirectDebit(Printer& printer, FormPage& page, const CalibrationView& calibration,
                      const DirectDebitAfterPrint& after);

// The address-book record of the print.
LastschriftAdressen directDebitAddresses(const FormPage& page, const std::string& lastOriginator);

// The journal record of a direct debit (kind 4): the payee as the originator, the payer as the
// recipient, both purpose lines joined by a blank.
void journalDirectDebit(Journal& journal, const FormPage& page, TDateTime now);

// The plain-paper receipt of the bundle (Button17Click), from the cover sheet's fields: its own
// document with the printer's orientation left as it is, no calibration, Arial. Throws EPrinter;
// a document that fails on the way is abandoned.
void printDirectDebitReceipt(Printer& printer, const FormPage& coverSheet, std::string_view today);

inline constexpr std::string_view kReceiptTitle = "Quillon Zentrix. - Formidor";

} // namespace formidor::forms
