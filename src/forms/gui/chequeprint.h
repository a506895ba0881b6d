#pragma once
// The behaviour of the crossed cheque page: the amount in words while it is typed
// (EBetragVChange), "Drucken" (Button3Click) and "Löschen" (Button11Click). The counterfoil
// buttons' handlers belong to the address book's binding; the page class holds only controls.
#include "app/calibration.h"
#include "forms/cheque.h"
#include "forms/layout.h"

#include <functional>
#include <optional>

namespace formidor {
class Journal;
class Printer;
} // namespace formidor

namespace formidor::gui {

class ChequePage;
struct FormPreviewSource;

// What the page's print needs from the main window.
struct ChequePageContext {
    const CalibrationView* calibration = nullptr;
    Journal* journal = nullptr;
    // LoadEmpfaenger: refills every name box of every page after the addresses are stored.
    std::function<void()> refillPickLists;
    // nullptr means the application's printer (ThePrinter()).
    Printer* printer = nullptr;
};

// Connects EBetragV's changes, "Drucken" and "Löschen", each through the application's error
// handling. The page keeps a copy of the context, whose pointers must outlive it.
void setupChequePage(ChequePage* page, ChequePageContext context);

// The checked counterfoil button, if any.
std::optional<forms::Counterfoil> checkedCounterfoil(const ChequePage& page);
// The texts of the page as the print reads them; a memo's lines are separated by "\n".
forms::FormPage chequeFormPage(const ChequePage& page);

// LBetragB shows the words of the amount as it stands.
void EBetragVChange(ChequePage& page);
// "Drucken". Throws what the print throws (offsets, printer); then nothing is stored.
void Button3Click(ChequePage& page, const ChequePageContext& context);
// "Vorschau": the cheque as "Drucken" would print it now.
FormPreviewSource chequePreviewSource(ChequePage& page, const ChequePageContext& context);
// "Löschen": empties the recipient, the amount and the purpose memo; the place, the date, the
// sender memo and the counterfoil choice stay.
void Button11Click(ChequePage& page);

} // namespace formidor::gui
