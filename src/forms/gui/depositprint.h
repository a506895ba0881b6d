#pragma once
// The behaviour of the cheque deposit page: the bank choice that rearranges and relabels the
// page (ComboBox1Change), counting and adding up the cheques when their fields are entered,
// "Drucken" (Button23Click) and "Löschen" (Button28Click). The page class holds only the
// controls; setupDepositPage connects them to what is here.
#include "app/calibration.h"
#include "forms/layout.h"

#include <QString>
#include <functional>

namespace formidor {
class Journal;
class Printer;
} // namespace formidor

namespace formidor::gui {

class DepositPage;
struct FormPreviewSource;

// What the page's print needs from the main window.
struct DepositPageContext {
    // The printer page's calibration controls (offsets, orientation, feed side).
    const CalibrationView* calibration = nullptr;
    // The journal list the record is appended to (and whose file is rewritten).
    Journal* journal = nullptr;
    // LoadEmpfaenger: refills every name box of every page after the holder is stored.
    std::function<void()> refillPickLists;
    // The printer; nullptr means the application's printer (ThePrinter()).
    Printer* printer = nullptr;
    // Tells the user something that is no error ("choose a bank first"); empty means an
    // information box captioned with the application title.
    std::function<void(const QString&)> showMessage;
};

// Connects the bank box (its relabelling follows every change of its text, typed, picked or set
// by code), entering the count and the total, "Drucken" and "Löschen", every handler through the
// application's error handling. The page keeps a copy of the context.
void setupDepositPage(DepositPage* page, DepositPageContext context);

// The page for the bank box's text: the two cheque columns, their captions and which of the
// date and value fields show.
void ComboBox1Change(DepositPage& page);
// Entering "Stück": the number of cheques with an amount.
void EStueckEnter(DepositPage& page);
// Entering "Gesamtbetrag": the amounts added up. Throws EConvertError for an amount that is no
// number; the field then keeps its text.
void EGesamtbetragEnter(DepositPage& page);
// "Drucken". Throws what the print throws (offsets, printer); then nothing is stored.
void Button23Click(DepositPage& page, const DepositPageContext& context);
// "Löschen": empties the five cheques, the count, the value field and the total; the holder,
// the date field, the account credited and the bank stay.
void Button28Click(DepositPage& page);
// "Vorschau": the slip as "Drucken" would print it now; with no bank chosen the same message as
// "Drucken" and no preview.
FormPreviewSource depositPreviewSource(DepositPage& page, const DepositPageContext& context);
void BVorschauClick(DepositPage& page, const DepositPageContext& context);

// The texts of the page as the print reads them.
forms::FormPage depositFormPage(const DepositPage& page);

} // namespace formidor::gui
