#pragma once
// The settings key of the current user and the moves of the printer calibration between it and
// the printer page. Every operation opens the key afresh (creating it when missing) and closes
// it again; nothing is cached. A missing or mistyped value falls back quietly to its default.
#include "app/calibration.h"

#include <optional>
#include <string>
#include <string_view>

namespace formidor::settings {

// Value names ending in the form code.
std::string valueName(std::string_view stem, char formCode);

inline constexpr std::string_view kDefaultFontName = "Courier New";
inline constexpr int kDefaultFontSize = 8;
inline constexpr bool kDefaultFontBold = true;

enum class LoadForm {
    Start, // at start: also the fonts, whose missing values are written back
    Page,  // when the printer page is shown: calibration and printer only
};

// Orientation, offsets, feed side and "wie Überweisungen" of every form type into the controls,
// in the start form also the font labels; then the stored printer is re-applied (when a printer
// selection is given). Does nothing when the key cannot be opened.
void LoadSettings(CalibrationControls& page, PrinterSelection* printer, LoadForm form);

// Stores the calibration shown on the page; with a printer selection also its position
// (failures of that last step are ignored). Throws EConvertError "'%s' ist kein gültiger
// Integerwert" at the first offset field that does not hold an integer, with the values before
// it stored and the rest not.
void SaveSettings(const CalibrationControls& page, PrinterSelection* withPrinter);

// Selects the stored printer; a missing value or one outside the list selects the default.
void ReapplyPrinter(PrinterSelection& printer);

// --- single values, stored at once by the printer page's handlers ---

// Throws EConvertError (and stores nothing) when the text is not an integer.
void storeOffset(char formCode, bool horizontal, std::string_view text);
void storeOrientation(char formCode, bool normal);
void storeFeed(char formCode, bool right);
// "Printer" = position of the selected printer in the list (−1: the default printer).
void storePrinter(int index);

// Shows the form type's own stored calibration: orientation (missing: buttons unchanged; not
// for N), offsets (missing: "0"), feed side (missing: "linken"; not for N).
void showStoredCalibration(CalibrationControls& page, char formCode);

// --- fonts ---

struct FontSetting {
    std::string name = std::string(kDefaultFontName);
    int size = kDefaultFontSize;
    bool bold = kDefaultFontBold;
};
// The form type's font for printing; a missing or mistyped value reads as its default.
FontSetting readFont(char formCode);

// The style chosen in the font dialog; the bold flag follows only the plain choices.
struct FontChoice {
    std::string name;
    int size = 0;
    bool bold = false, italic = false, underline = false, strikeOut = false;
    // A weight other than regular or bold (light, semi-bold, black …) is neither "bold" nor
    // "no style".
    bool otherWeight = false;
};
// Stores face and size; "bold" or "bold italic" stores bold = true, a choice without any style
// stores false, any other (italic alone, underline, strike-out) leaves the flag as it is.
// Returns the new style label text when it changes, otherwise nothing.
std::optional<std::string> storeFontChoice(char formCode, const FontChoice& choice);

// Copies FontNameU, FontSizeU and FontBoldU to the form type.
void copyTransferFont(char formCode);

// The labels as the page shows them, read from the store.
std::string fontNameLabel(char formCode); // "Schrift: " + FontName
std::string fontSizeLabel(char formCode); // "Größe: " + FontSize
std::string fontStyleLabel(bool bold);    // "Stil: Fett" or empty

// --- other values ---

std::string Empfaenger();  // the last-used originator
std::string Ausstellort(); // the place of issue of crossed cheques
// Leaving EOrt: its text becomes "Ausstellort". Does nothing when the key cannot be opened.
void EOrtExit(std::string_view text);

} // namespace formidor::settings
