#pragma once
// "Probedruck" of the printer page: per form type the calibration sheet of each of its forms as
// the form pages hold them now (the transfer in its checked variant, the deposit slip of the
// chosen bank), with the calibration the sub-page shows and the form type's font. A form type
// with two paper forms (direct debit and cover sheet, parcel card and small parcel) gives one
// sheet for each.
#include "forms/gui/formpreview.h"

#include <functional>
#include <vector>

namespace formidor::gui {

class PrinterPage;
class TMainForm;

// The forms of a form code as their pages would print them now.
using FormsOfCode = std::function<std::vector<FormPreviewSource>(char formCode)>;

void setupCalibrationSheets(PrinterPage* page, FormsOfCode forms);
// The forms of the main window's pages (and of the foreign transfer window once it exists).
FormsOfCode mainWindowForms(TMainForm& main);
// One "Probedruck": prints the sheets of form code x on printer (nullptr: the application's).
void printCalibrationSheets(PrinterPage& page, const FormsOfCode& forms, char x,
                            Printer* printer = nullptr);

} // namespace formidor::gui
