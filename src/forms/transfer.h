#pragma once
// The transfer forms (Überweisung) in their paper editions: the variants the transfer page
// offers, what each variant shows on the page, and the three print layouts.
#include "forms/layout.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace formidor::forms {

// In the order of the variant buttons on the page.
enum class TransferVariant : int { V13, Hypo, V16, V15, V18, V20, Postbank, V24 };
inline constexpr int kTransferVariantCount = 8;

enum class TransferLayoutKind { Sepa, Foreign, Classic };

// A caption a variant gives to a label.
struct Caption {
    std::string_view label;
    std::string_view text;
};

struct TransferVariantInfo {
    TransferVariant variant;
    std::string_view button;   // RB13, …
    std::string_view caption;  // "SEPA/16", …
    std::string_view formular; // stored with the originator as `Formular`
    TransferLayoutKind layout;
    // Changes on top of the base state, applied in this order: shown, hidden, captions.
    std::span<const std::string_view> shown;
    std::span<const std::string_view> hidden;
    std::span<const Caption> captions;
    int bankWidth;  // EBank, pixels
    bool blzMasked; // EBLZ keeps its eight-digit mask
};

// The base state every variant starts from (Invisible), in its order.
struct TransferBaseState {
    std::span<const std::string_view> hidden;
    std::span<const std::string_view> shown;
    std::span<const Caption> captions;
    std::span<const std::string_view> hiddenExtras; // Postbank boxes and the "15" boxes
};
const TransferBaseState& transferBaseState();

inline constexpr int kBankWidth = 477;
inline constexpr int kBankWidthNarrow = 245;
// EBLZ: eight digits, literals kept, "-" for a blank position.
inline constexpr std::string_view kBLZMask = "00000000;1;-";
// Postbank box B: two groups of an optional and a required digit, each with a date separator.
inline constexpr std::string_view kPostbankBMask = "!90/90/;1;_";

const std::array<TransferVariantInfo, kTransferVariantCount>& transferVariants();
const TransferVariantInfo& transferVariant(TransferVariant v);
// By the stored `Formular` text, the button name or the caption; nullopt for any other text.
std::optional<TransferVariant> transferVariantByFormular(std::string_view formular);
std::optional<TransferVariant> transferVariantByButton(std::string_view button);
std::optional<TransferVariant> transferVariantByCaption(std::string_view caption);

// Print layout constants: base line and pitch.
inline constexpr int kTransferBase = -41;
inline constexpr int kTransferPitch = 85;

Layout transferLayout(TransferVariant v);
// The texts of a transfer form at layout positions (before the calibration offsets). Without
// a variant: the classic layout without any edition's extra boxes.
std::vector<PlacedText> transferTexts(std::optional<TransferVariant> v, const FormPage& page);

// The controls whose texts a transfer layout can print, and the check boxes it looks at:
// what a caller may set by name.
std::span<const std::string_view> transferTextControls();
std::span<const std::string_view> transferCheckControls();

} // namespace formidor::forms
