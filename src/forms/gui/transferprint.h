#pragma once
// The behaviour of the transfer page: the variant buttons with the base state they start
// from, "Drucken" (Button1Click) and "Löschen" (Button10Click). The page class holds only the
// controls; setupTransferPage connects them to what is here.
#include "app/calibration.h"
#include "forms/layout.h"
#include "forms/transfer.h"

#include <functional>
#include <optional>
#include <string_view>

class QWidget;

namespace formidor {
class Journal;
class Printer;
} // namespace formidor

namespace formidor::gui {

class TransferPage;
struct FormPreviewSource;

// What the page's print needs from the main window.
struct TransferPageContext {
    // The printer page's calibration controls (offsets, orientation, feed side).
    const CalibrationView* calibration = nullptr;
    // The journal list the record is appended to (and whose file is rewritten).
    Journal* journal = nullptr;
    // LoadEmpfaenger: refills every name box of every page after the addresses are stored.
    std::function<void()> refillPickLists;
    // The printer; nullptr means the application's printer (ThePrinter()).
    Printer* printer = nullptr;
};

// Connects the variant buttons (their click handlers also run when code checks them), "Drucken"
// and "Löschen", every handler through the application's error handling; then checks "SEPA/16".
// The context must outlive the page's use; the page keeps a copy of it.
void setupTransferPage(TransferPage* page, TransferPageContext context);

// The base state every variant starts from.
void Invisible(TransferPage& page);
// A variant button's click handler: the base state, then the variant's own changes.
void applyTransferVariant(TransferPage& page, forms::TransferVariant variant);
// The checked variant button, if any.
std::optional<forms::TransferVariant> checkedTransferVariant(const TransferPage& page);

// The page's control by name (EEmpfaenger, Label9, RB13, …); nullptr for a name it lacks.
QWidget* transferControl(const TransferPage& page, std::string_view name);
// The texts and check states of the page as the print reads them.
forms::FormPage transferFormPage(const TransferPage& page);

// "Drucken". Throws what the print throws (offsets, printer); then nothing is stored.
void Button1Click(TransferPage& page, const TransferPageContext& context);
// "Vorschau": the transfer form as "Drucken" would print it now.
FormPreviewSource transferPreviewSource(TransferPage& page, const TransferPageContext& context);
// "Löschen": empties the recipient side and sets the date to today; the originator, the
// address mark and the variant stay.
void Button10Click(TransferPage& page);

} // namespace formidor::gui
