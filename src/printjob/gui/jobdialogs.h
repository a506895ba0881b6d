#pragma once
// Gives every print job the application's dialogs: the print dialog with its page range, the
// printer setup, the margins question, and letting a cancel through between printed pages.
namespace formidor::gui {

void installPrintJobDialogs();

} // namespace formidor::gui
