#pragma once
// "Daten sichern" and "Daten einlesen" of the printer page: the main window's folder browser,
// the question before a restore, and the end of the application after it.
namespace formidor::gui {

class TMainForm;

// Creates the window's folder browser `Folder`, the default question, message and end, and
// connects the two buttons to Button38Click and Button41Click.
void setupBackupRestore(TMainForm& window);

} // namespace formidor::gui
