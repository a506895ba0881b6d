#pragma once
// The transfer printer (the "Drucken" button of the transfer page) without the page: what it
// prints, what it stores in the address book and what it records in the journal, each from the
// page's texts by control name.
#include "addressbook/addressbook.h"
#include "app/calibration.h"
#include "forms/frame.h"
#include "forms/transfer.h"
#include "journal/journal.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace formidor::forms {

// The variant is the checked variant button; with none checked (which the page never lets
// happen once shown) the classic layout prints without any edition's extra boxes and the
// originator's stored variant stays as it is.

// Every text the transfer print draws, in drawing order, with the calibration's offsets and feed
// adjustment applied. Throws EConvertError for an offset that is not an integer.
std::vector<PlacedText> transferPrintTexts(std::optional<TransferVariant> v, const FormPage& page,
                                           const CalibrationView& calibration);

// Prints the transfer form: the frame with form code U and the variant's layout. Throws
// EConvertError (offsets) or EPrinter; then nothing was printed.
void printTransferForm(Printer& printer, std::optional<TransferVariant> v, const FormPage& page,
                       const CalibrationView& calibration);

// Button1Click without the page: prints, stores recipient and originator with the variant
// (SaveEmpfaenger), lets the caller refill the pick lists, replaces a non-numeric EBetrag of
// `page` by "0" and hands the checked text to `showAmount` (the page's field shows it even when
// the journal cannot be written), then appends the journal record. A print that fails stores
// and records nothing.
void printTransfer(Printer& printer, std::optional<TransferVariant> v, FormPage& page,
                   const CalibrationView& calibration, Journal& journal,
                   const std::function<void()>& refillPickLists,
                   const std::function<void(const std::string&)>& showAmount = {});

// The address-book record of the print: recipient and originator with the variant's code.
UeberweisungAdressen transferAddresses(std::optional<TransferVariant> v, const FormPage& page);

// The journal record of a transfer (kind 1), from the page's texts after the amount check;
// the purpose is both purpose lines joined by a blank. The SEPA variants record the accounts
// they print: the originator's IBAN as typed (without "DE"), the recipient's IBAN and the BIC
// in the account and bank-code fields; the originator's bank code field stays. The classic and
// foreign-style variants record the account and bank-code fields. Without a variant: those.
void journalTransfer(Journal& journal, std::optional<TransferVariant> v, const FormPage& page,
                     TDateTime now);
void journalTransfer(Journal& journal, const FormPage& page, TDateTime now);

} // namespace formidor::forms
