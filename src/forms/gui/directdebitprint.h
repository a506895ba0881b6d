#pragma once
// The behaviour of the direct debit page and its cover sheet: "Drucken" of the direct debit
// (Button13Click) with the bundle's count and total, "Drucken" of the cover sheet
// (Button15Click), the receipt (Button17Click), "Löschen" (Button25Click), and the payee's
// name and account following onto the cover sheet (ENameZEmpfChange, EKontonrZEmpfChange).
#include "app/calibration.h"
#include "forms/layout.h"

#include <functional>
#include <string>

namespace formidor {
class Journal;
class Printer;
} // namespace formidor

namespace formidor::gui {

class DirectDebitPage;
struct FormPreviewSource;

// What the page's prints need from the main window.
struct DirectDebitPageContext {
    const CalibrationView* calibration = nullptr;
    Journal* journal = nullptr;
    // LoadEmpfaenger: refills every name box of every page after the addresses are stored.
    std::function<void()> refillPickLists;
    // The transfer page's originator box, stored as the last-used originator.
    std::function<std::string()> transferOriginator;
    // nullptr means the application's printer (ThePrinter()).
    Printer* printer = nullptr;
};

// Connects the buttons and the payee fields, each through the application's error handling. The
// page keeps a copy of the context, whose pointers must outlive it.
void setupDirectDebitPage(DirectDebitPage* page, DirectDebitPageContext context);

// The texts of the two sub-pages as the prints read them.
forms::FormPage directDebitFormPage(const DirectDebitPage& page);
forms::FormPage coverSheetFormPage(const DirectDebitPage& page);

// "Drucken" of the direct debit. Throws what the print throws (offsets, printer), then nothing
// changes; or the message of the count or total that is no number, then what came before it
// stays done.
void Button13Click(DirectDebitPage& page, const DirectDebitPageContext& context);
// "Drucken" of the cover sheet: prints what its fields hold; nothing is counted or stored.
void Button15Click(DirectDebitPage& page, const DirectDebitPageContext& context);
// "Quittung drucken": the receipt of the bundle on plain paper, dated today.
void Button17Click(DirectDebitPage& page, const DirectDebitPageContext& context);
// "Löschen": empties the payer's side; the payee and the cover sheet stay.
void Button25Click(DirectDebitPage& page);
// "Vorschau" of the direct debit and of the cover sheet: as "Drucken" would print them now.
FormPreviewSource directDebitPreviewSource(DirectDebitPage& page,
                                           const DirectDebitPageContext& context);
FormPreviewSource coverSheetPreviewSource(DirectDebitPage& page,
                                          const DirectDebitPageContext& context);
void ENameZEmpfChange(DirectDebitPage& page);
void EKontonrZEmpfChange(DirectDebitPage& page);

} // namespace formidor::gui
