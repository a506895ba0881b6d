#pragma once
// The IBAN fields of the transfer page's SEPA variants: leaving one checks it and shows the
// verdict in the status line under it (red when the IBAN is invalid, before anything is
// printed); leaving the recipient's IBAN also puts the bank's BIC into EBank. A recipient from
// the classic editions, with account and bank code but no IBAN, gets the computed IBAN
// proposed. What is printed stays exactly what the fields hold.
class QLabel;

namespace formidor::gui {

class TransferPage;

// How a status line shows a verdict.
enum class IbanTone { None, Valid, Warning, Invalid };
// The tone a status line was last given (None when it is empty).
IbanTone ibanTone(const QLabel* status);

// EIBANEmpf's exit: the verdict; EBank gets the directory's BIC when it is empty, still holds a
// BIC filled in here before, or holds the bank's name as the bank-code field fills it in. A
// German IBAN reads the directory afresh up to its bank's line; when it cannot be read the status
// shows the checks that need no directory and the error is thrown for the message box.
void EIBANEmpfExit(TransferPage& p);
// EIBANAuftrag's exit: the verdict on "DE" + its text.
void EIBANAuftragExit(TransferPage& p);
// Runs after the recipient's record has filled the page: in a SEPA variant, an empty IBAN with
// an account and a bank code becomes the computed IBAN, marked in the status line as computed
// and to be checked; then the recipient's IBAN is checked as on leaving the field.
void proposeRecipientIban(TransferPage& p);
// "Löschen" empties the recipient's IBAN, and with it its verdict.
void clearRecipientIbanStatus(TransferPage& p);

// Connects the two exits (guarded) and shows the status lines only in the SEPA variants; the
// variant handlers call showIbanStatusLines.
void bindTransferIbanFields(TransferPage* p);
void showIbanStatusLines(TransferPage& p, bool sepa);

} // namespace formidor::gui
