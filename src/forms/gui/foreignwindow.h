#pragma once
// The behaviour of the foreign transfer window: FormShow with LoadAusl, the originator and
// recipient picks, the bank-code exit, "Drucken" (Button1Click), "Drucker ändern"
// (Button2Click) and "Löschen" (Button10Click). The window class holds only the controls;
// setupAusl connects them to what is here.
#include "app/calibration.h"
#include "forms/foreign.h"
#include "forms/layout.h"

#include <functional>
#include <string_view>

class QWidget;

namespace formidor {
class Journal;
class Printer;
} // namespace formidor

namespace formidor::gui {

class TAusl;
struct FormPreviewSource;

// What the window needs from the main window.
struct AuslContext {
    // The printer page's calibration controls; the window prints with form code A.
    const CalibrationView* calibration = nullptr;
    // The journal list the record is appended to (and whose file is rewritten).
    Journal* journal = nullptr;
    // The printer; nullptr means the application's printer (ThePrinter()).
    Printer* printer = nullptr;
    // The printer setup dialog of "Drucker ändern"; its result is not used.
    std::function<void(QWidget*)> printerSetup;
};

// Connects every handler through the application's error handling. The context must outlive
// the window's use; the window keeps a copy of it.
void setupAusl(TAusl* window, AuslContext context);

// The window's control by name (EBetrag, CBTransit, …); nullptr for a name it lacks.
QWidget* auslControl(const TAusl& w, std::string_view name);
// The texts and check states as the print reads them, each list as the code it prints.
forms::FormPage auslFormPage(const TAusl& w);
// Sets texts, check boxes and list positions by name.
void applyChanges(TAusl& w, const forms::FieldChanges& changes);
forms::ForeignTab shownTab(const TAusl& w);

void FormShow(TAusl& w);
// The two pick lists replaced by the names of the originator and recipient records.
void LoadAusl(TAusl& w);
void EAuftraggeberKontonrClick(TAusl& w);
void EEmpfaengerNameClick(TAusl& w);
// "Drucken". Throws what the print throws (offsets, printer); then nothing is stored.
void Button1Click(TAusl& w, const AuslContext& context);
void Button2Click(TAusl& w, const AuslContext& context);
// "Vorschau": the foreign transfer as "Drucken" would print it now.
FormPreviewSource auslPreviewSource(TAusl& w, const AuslContext& context);
void Button10Click(TAusl& w);

} // namespace formidor::gui
