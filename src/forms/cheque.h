#pragma once
// The crossed cheque (Verrechnungsscheck) with the counterfoil (Begleitabschnitt) some banks
// attach to the left of or above it: the amount in words, the counterfoil kinds with the shift
// each gives the cheque, and the print layouts.
#include "forms/layout.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace formidor::forms {

// In the order of the counterfoil buttons on the page.
enum class Counterfoil : int { Deutsche, Dresdner, DG, Leer, Kein, ObenGross };
inline constexpr int kCounterfoilCount = 6;

struct CounterfoilInfo {
    Counterfoil kind;
    std::string_view button;  // RBDeutsche, …
    std::string_view code;    // stored with the recipient as `Bank`
    std::string_view caption; // "Deutsche Bank", …
    // How far the cheque lies beside (h, to the right) or below (v) the counterfoil; the cheque
    // body is drawn that much further right or lower.
    int shiftH;
    int shiftV;
};
const std::array<CounterfoilInfo, kCounterfoilCount>& counterfoils();
const CounterfoilInfo& counterfoil(Counterfoil c);
std::optional<Counterfoil> counterfoilByCode(std::string_view code);
std::optional<Counterfoil> counterfoilByButton(std::string_view button);

inline constexpr int kChequeBase = -90;
inline constexpr int kChequePitch = 84;
// The printed words of the amount are cut to this many characters per line.
inline constexpr size_t kChequeWordsMax = 40;

// "null", "eins", …, "fuenf" (written without umlaut, as the cheque's words are), … "neun".
const std::array<std::string_view, 10>& digitWords();
// "*" and, for every character from the first on while it is a digit, its word and "*":
// "1234,56" → "*eins*zwei*drei*vier*". The first character that is not a digit ends the words,
// so the cents never appear; "" and " 5" give "*".
std::string amountInWords(std::string_view amount);

// The words as the cheque prints them, each cut to 40 characters: the first three digits on
// line 1 and the rest on line 2 — or, behind the "Volksbanken" counterfoil, all in one line.
struct ChequeWords {
    std::string line1, line2, oneLine;
};
ChequeWords chequeWords(std::string_view amount);

// Every text of the cheque at its layout position, counterfoil first, then the cheque body
// moved by the counterfoil's shift (before the calibration offsets). Without a counterfoil
// kind the cheque prints alone, as with "kein Abschnitt".
std::vector<PlacedText> chequeTexts(std::optional<Counterfoil> c, const FormPage& page);

// The controls whose texts the cheque prints (the two memos among them).
std::span<const std::string_view> chequeTextControls();

} // namespace formidor::forms
