#pragma once
// The crossed cheque printer (the "Drucken" button of the cheque page) without the page: what it
// prints, what it stores in the address book and what it records in the journal, each from the
// page's texts by control name. The memos are texts with their lines separated by "\n".
#include "addressbook/addressbook.h"
#include "app/calibration.h"
#include "forms/cheque.h"
#include "forms/frame.h"
#include "journal/journal.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace formidor::forms {

// Every text the cheque print draws, in drawing order, with the calibration's offsets and feed
// adjustment applied. Throws EConvertError for an offset that is not an integer.
std::vector<PlacedText> chequePrintTexts(std::optional<Counterfoil> c, const FormPage& page,
                                         const CalibrationView& calibration);

// Prints the cheque: the frame with form code V, the counterfoil, then the cheque body. Throws
// EConvertError (offsets) or EPrinter; then nothing was printed.
void printChequeForm(Printer& printer, std::optional<Counterfoil> c, const FormPage& page,
                     const CalibrationView& calibration);

// Button3Click without the page: prints, stores the recipient with the counterfoil kind and the
// memos (SaveEmpfaengerV), lets the caller refill the pick lists, replaces a non-numeric
// EBetragV of `page` by "0" and hands the checked text to `showAmount`, then appends the
// journal record. A print that fails stores and records nothing.
void printCheque(Printer& printer, std::optional<Counterfoil> c, FormPage& page,
                 const CalibrationView& calibration, Journal& journal,
                 const std::function<void()>& refillPickLists,
                 const std::function<void(const std::string&)>& showAmount = {});

// The address-book record of the print; no counterfoil kind leaves the stored one as it is.
VerrechnungsscheckAdressen chequeAddresses(std::optional<Counterfoil> c, const FormPage& page);

// The journal record of a cheque (kind 2), from the page's texts after the amount check: the
// sender memo as the originator, the recipient's lines joined by blanks, the purpose memo.
// A memo's lines are separated by CR LF in the record, as line breaks are in the journal file.
void journalCheque(Journal& journal, const FormPage& page, TDateTime now);

} // namespace formidor::forms
