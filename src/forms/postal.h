#pragma once
// The postal forms: the cash-on-delivery transfer (Nachnahme, a whole A4 sheet), the parcel
// card (Paketschein) and the small-parcel form (Päckchen). Their layouts, the controls they
// print, and the fee arithmetic of the cash-on-delivery page.
#include "forms/layout.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace formidor::forms {

// --- cash on delivery ---

inline constexpr int kCashOnDeliveryBase = -1085;
inline constexpr int kCashOnDeliveryPitch = 85;
// The post office's fee that the addressee pays on top of the collected amount.
inline constexpr double kCashOnDeliveryFee = 2;

Layout cashOnDeliveryLayout();
// The texts of the cash-on-delivery form at layout positions (before the calibration offsets).
std::vector<PlacedText> cashOnDeliveryTexts(const FormPage& page);
std::span<const std::string_view> cashOnDeliveryTextControls();

// Leaving the amount: the amount plus the fee, in fixed notation with two decimals; leaving
// the amount with the fee: the amount without it. nullopt for a text that is no number (the
// other field then stays as it is).
std::optional<std::string> amountPlusFee(std::string_view amount);
std::optional<std::string> amountLessFee(std::string_view amountWithFee);

// What leaving a field of the cash-on-delivery page does to the others: the amount fields
// update each other, the purpose lines are copied for the form's second part. Other controls
// change nothing.
void cashOnDeliveryFieldLeft(FormPage& page, std::string_view control);

// --- parcel card ---

// The card carries its data twice, the card itself at the top of the sheet and its second part
// lower down; each block's rows are measured down from its origin.
inline constexpr int kParcelUpperOrigin = 140;
inline constexpr int kParcelLowerOrigin = -1790;

// Both blocks, the upper one first; within each: sender, service marks, the cash-on-delivery
// group (only with CBPNN), the remaining marks, the addressee. A mark is "X" and drawn only
// when its box is checked.
std::vector<PlacedText> parcelCardTexts(const FormPage& page);
std::span<const std::string_view> parcelCardTextControls();
std::span<const std::string_view> parcelCardCheckControls();

// --- small parcel ---

Layout smallParcelLayout();
std::vector<PlacedText> smallParcelTexts(const FormPage& page);
std::span<const std::string_view> smallParcelTextControls();

} // namespace formidor::forms
