#pragma once
// The direct debit form (Lastschrift) and the cover sheet that goes with a bundle of them to the
// bank, and the plain-paper receipt of the bundle: their layouts and the bundle's running count
// and total.
#include "forms/layout.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace formidor::forms {

inline constexpr int kDirectDebitBase = -41;
inline constexpr int kDirectDebitPitch = 85;
inline constexpr int kCoverSheetPitch = 84;

// The texts of the forms at layout positions (before the calibration offsets).
std::vector<PlacedText> directDebitTexts(const FormPage& page);
std::vector<PlacedText> coverSheetTexts(const FormPage& page);

// What a caller may set by name.
std::span<const std::string_view> directDebitTextControls();
std::span<const std::string_view> coverSheetTextControls();

// EBLZZ: eight digits, literals kept, "-" for a blank position.
inline constexpr std::string_view kDirectDebitBLZMask = "00000000;1;-";
// The cover sheet's count and total as a run starts.
inline constexpr std::string_view kCoverSheetCountStart = "0";
inline constexpr std::string_view kCoverSheetTotalStart = "0,00";

// The count after one more direct debit: the text read as an integer, plus one. Throws
// EConvertError "'%s' ist kein gültiger Integerwert" for a text that is none.
std::string countedOneMore(std::string_view count);
// The total after one more amount, in two decimals: both texts read as decimal numbers. Throws
// EConvertError "'%s' ist kein gültiger Gleitkommawert" for the first that is none.
std::string totalWith(std::string_view total, std::string_view amount);

// The receipt on plain paper: absolute positions in 0.1 mm, each text in Arial of its own height
// and weight.
struct ReceiptText {
    PlacedText placed;
    int height = 0;
    bool bold = false;
};
inline constexpr std::string_view kReceiptFace = "Arial";
// `today` is the date the receipt shows, in the short date format.
std::vector<ReceiptText> receiptTexts(const FormPage& coverSheet, std::string_view today);

} // namespace formidor::forms
