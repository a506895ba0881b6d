#pragma once
// Qt's own texts (the font and file dialogs, standard buttons, context menus) in German, as
// every window of the program speaks German whatever the machine's language.
namespace formidor::gui {

// Installs Qt's German translations once per application; later calls do nothing. Returns
// false when the translations are not installed (the texts then stay English).
bool ensureGermanQtTexts();

} // namespace formidor::gui
