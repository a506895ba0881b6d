#pragma once
// The foreign transfer form (Auslandsüberweisung) and its window "Auslandsüberweisungen": the
// window's tab pages and lists, the print layout, what picking a name and "Löschen" change in
// the window. The window applies these by control name; the print reads a FormPage in which a
// list control holds the code its selection prints.
#include "forms/layout.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace formidor::forms {

inline constexpr std::string_view kForeignCaption = "Auslandsüberweisungen";

// Print layout constants: base line and pitch.
inline constexpr int kForeignBase = -11;
inline constexpr int kForeignPitch = 84;

// The originator's bank code: eight digits, literals kept, "-" for a blank position.
inline constexpr std::string_view kForeignBLZMask = "00000000;1;-";
inline constexpr std::string_view kForeignCurrencyDefault = "EUR";

// The tab pages, in their order in the window.
enum class ForeignTab : int { Auftraggeber, Empfaenger, Weisungen, Wareneinfuhr };
inline constexpr int kForeignTabCount = 4;

struct ForeignTabInfo {
    ForeignTab tab;
    std::string_view caption;
    std::string_view hint; // the line at the top of the page; empty where there is none
};
std::span<const ForeignTabInfo> foreignTabs();

// A drop-down list of the window. At start it shows the text of `shown` and has `selected`
// selected (−1: nothing); what prints is the code of the selected position, "0" with nothing
// selected.
struct ForeignList {
    std::string_view control;
    std::string_view label;
    std::span<const std::string_view> entries;
    std::span<const std::string_view> codes;
    int shown;
    int selected;
};
std::span<const ForeignList> foreignLists();
const ForeignList* foreignList(std::string_view control);
// The printed code of a position; "0" for −1 or any position the list does not have.
std::string_view foreignListCode(const ForeignList& list, int position);
// Puts the code of the position into the page, where the layout reads it.
void selectInPage(FormPage& page, const ForeignList& list, int position);
// Every list with its start selection.
void selectStartPositions(FormPage& page);

// The controls whose texts the layout can print, and the check boxes it looks at: what a caller
// may set by name. The lists are not among the texts; they are set by position.
std::span<const std::string_view> foreignTextControls();
std::span<const std::string_view> foreignCheckControls();

Layout foreignLayout();
// The texts of the form at layout positions, before the calibration offsets.
std::vector<PlacedText> foreignTexts(const FormPage& page);

// What a handler changes in the window, by control name.
struct FieldChanges {
    std::vector<std::pair<std::string_view, std::string>> texts;
    std::vector<std::pair<std::string_view, bool>> checks;
    std::vector<std::pair<std::string_view, int>> selects; // list positions
};

// EAuftraggeberKontonrClick: nothing (nullopt) while the bank name field holds any text;
// else the originator record named by the account box's text. The name field takes the
// record's name, since records keep their name only as their key; a name without a record
// empties the fields.
std::optional<FieldChanges> originatorPick(const FormPage& page);
// EEmpfaengerNameClick: the recipient record named by the name box's text.
FieldChanges recipientPick(std::string_view name);
// Button10Click: what "Löschen" empties and resets on the page shown.
FieldChanges foreignClearing(ForeignTab shown);

} // namespace formidor::forms
