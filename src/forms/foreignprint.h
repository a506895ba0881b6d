#pragma once
// The foreign transfer printer (the window's "Drucken") without the window: what it prints,
// what it stores in the address book and what it records in the journal, each from the
// window's texts by control name (the lists holding their printed codes).
#include "addressbook/addressbook.h"
#include "app/calibration.h"
#include "forms/foreign.h"
#include "forms/frame.h"
#include "journal/journal.h"

#include <functional>
#include <string>
#include <vector>

namespace formidor::forms {

// Every text the print draws, in drawing order, with the calibration's offsets and feed
// adjustment of form code A applied. Throws EConvertError for an offset that is not an integer.
std::vector<PlacedText> foreignPrintTexts(const FormPage& page, const CalibrationView& calibration);

// Prints the form: the frame with form code A and the layout. Throws EConvertError (offsets)
// or EPrinter; then nothing was printed.
void printForeignForm(Printer& printer, const FormPage& page, const CalibrationView& calibration);

// Button1Click without the window: prints, replaces a non-numeric EBetrag of `page` by "0" and
// hands the checked text to `showAmount` (the window's field shows it even when the journal
// cannot be written), appends the journal record and stores recipient and originator
// (SaveAusl) — each of the two also when the other fails, see recordPrintedForm. The pick
// lists are not refilled. A print that fails stores and records nothing.
void printForeign(Printer& printer, FormPage& page, const CalibrationView& calibration,
                  Journal& journal, const std::function<void(const std::string&)>& showAmount = {});

// The address-book records of the print.
AuslandAdressen foreignAddresses(const FormPage& page);

// The journal record of a foreign transfer (kind 3), from the page's texts after the amount
// check; the purpose is the three purpose lines joined by blanks.
void journalForeign(Journal& journal, const FormPage& page, TDateTime now);

} // namespace formidor::forms
