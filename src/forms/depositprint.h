#pragma once
// The cheque deposit printer (the "Drucken" button of the deposit page) without the page: what
// it prints for the chosen bank, what it stores in the address book and what it records in the
// journal, each from the page's texts by control name. ComboBox1 is the bank box's text.
#include "addressbook/addressbook.h"
#include "app/calibration.h"
#include "forms/deposit.h"
#include "forms/frame.h"
#include "journal/journal.h"

#include <functional>
#include <string>
#include <vector>

namespace formidor::forms {

// Whether the bank box still shows its prompt, so that there is nothing to print.
bool noDepositBankChosen(const FormPage& page);

// Every text the deposit print draws, in drawing order, with the calibration's offsets and feed
// adjustment applied; nothing for a bank text that names none of the six banks. Throws
// EConvertError for an offset that is not an integer.
std::vector<PlacedText> depositPrintTexts(const FormPage& page, const CalibrationView& calibration);

// Prints the slip of the bank in ComboBox1 (a page without fields for any other text): the
// frame with form code S. Throws EConvertError (offsets) or EPrinter; then nothing was printed.
void printDepositForm(Printer& printer, const FormPage& page, const CalibrationView& calibration);

// Button23Click without the page. With the prompt still in the bank box nothing happens and the
// answer is false: the caller tells the user kNoDepositBankMessage. Otherwise prints, remembers
// the bank as the last deposit bank, replaces a non-numeric EGesamtbetrag of `page` by "0" and
// hands the checked text to `showTotal`, appends the journal record, stores the holder's bank
// (SaveDaten) — each of the two also when the other fails, see recordPrintedForm — and lets
// the caller refill the pick lists (also after a failure). A print that fails remembers, stores
// and records nothing.
bool printDeposit(Printer& printer, FormPage& page, const CalibrationView& calibration,
                  Journal& journal, const std::function<void()>& refillPickLists,
                  const std::function<void(const std::string&)>& showTotal = {});

// The address-book values of the print: the holder with the bank box's text (and the account
// for "Dresdner Bank", which SaveDaten decides).
ScheckeinreichungAdressen depositAddresses(const FormPage& page);

// The journal record of a deposit (kind 5), from the page's texts after the amount check: the
// holder and the account credited, the total as the amount.
void journalDeposit(Journal& journal, const FormPage& page, TDateTime now);

} // namespace formidor::forms
