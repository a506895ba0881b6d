#include "forms/transfer.h"

namespace formidor::forms {

namespace {

using sv = std::string_view;
using V = TransferVariant;

constexpr uint32_t bit(V v) {
    return variantBit(static_cast<int>(v));
}
constexpr Condition only(uint32_t variants) {
    return {variants, {}};
}
constexpr Condition onlyChecked(uint32_t variants, sv checkBox) {
    return {variants, checkBox};
}

// Lines of the transfer forms: the line above the recipient (the originator's bank on the
// editions that have it) and the date beside the signature sit half a line off the grid.
constexpr Line kTop = line(-0.5);
constexpr Line kDate = line(9.5);

// --- what the page shows per variant ---

constexpr sv kBaseHidden[] = {"EIBANEmpf",
                              "EIBANAuftrag",
                              "EAusfuehrungsdatum",
                              "LAusfuehrungsdatum",
                              "EAuftraggeberBLZ",
                              "LAuftraggeberBLZ",
                              "LBedarf",
                              "CBAnschriftweitergabe",
                              "LAnschriftweitergabe",
                              "EAuftraggeberBank",
                              "LAuftraggeberBank"};
constexpr sv kBaseShown[] = {"EEigeneKontonr", "LEigeneKontonr", "EKontonr", "EBLZ", "Label8"};
constexpr Caption kBaseCaptions[] = {
    {"Label5", "Empfänger: Name, Vorname / Firma"},
    {"Label6", "Konto-Nr. des Empfängers"},
    {"Label8", "Bankleitzahl"},
    {"Label9", "bei (Kreditinstitut)"},
    {"Label13", "Auftraggeber: Name, Vorname / Firma"},
    {"LEigeneKontonr", "Konto-Nr. des Auftraggebers"},
    {"LAuftraggeberBLZ", "Bankleitzahl des Auftraggebers"},
};
constexpr sv kBaseHiddenExtras[] = {
    "EPostbankA", "EPostbankB", "EPostbankC", "Label102", "Label103", "Label104", "EArt",
    "EEntgelt",   "EZielland",  "Label105",   "Label106", "Label107", "EBank2"};

constexpr std::span<const sv> none{};
constexpr std::span<const Caption> noCaptions{};

constexpr sv kSepaShown[] = {"EIBANEmpf", "EIBANAuftrag"};
constexpr sv kSepaHidden[] = {"EKontonr", "EBLZ", "Label8", "EEigeneKontonr"};
constexpr Caption kSepaCaptions[] = {
    {"Label6", "IBAN"},
    {"Label9", "BIC des Kreditinstituts"},
    {"LEigeneKontonr", "IBAN des Auftraggebers (ohne DE)"},
};
constexpr sv kHypoShown[] = {"EIBANEmpf",         "EIBANAuftrag",     "EAuftraggeberBank",
                             "LAuftraggeberBank", "EAuftraggeberBLZ", "LAuftraggeberBLZ"};
constexpr Caption kHypoCaptions[] = {
    {"Label6", "IBAN"},
    {"Label9", "BIC des Kreditinstituts"},
    {"LEigeneKontonr", "IBAN des Auftraggebers (ohne DE)"},
    {"LAuftraggeberBLZ", "BIC"},
};
constexpr sv k16Shown[] = {"EAuftraggeberBLZ", "LAuftraggeberBLZ"};
constexpr sv k15Shown[] = {"EArt",     "EEntgelt", "EZielland", "Label105",
                           "Label106", "Label107", "EBank2"};
constexpr Caption k15Captions[] = {
    {"Label6", "Konto-Nr. des Empfängers bzw. IBAN"},
    {"Label8", "Bank-Code bzw. SWIFT-Code"},
    {"Label9", "Kreditinstitut des Empfängers mit vollständiger Anschrift"},
};
constexpr sv k18Shown[] = {"EAuftraggeberBank", "LAuftraggeberBank", "EAuftraggeberBLZ",
                           "LAuftraggeberBLZ"};
constexpr sv kPostbankShown[] = {"EPostbankA", "EPostbankB", "EPostbankC",
                                 "Label102",   "Label103",   "Label104"};
constexpr sv k24Shown[] = {"EAusfuehrungsdatum",
                           "LAusfuehrungsdatum",
                           "EAuftraggeberBLZ",
                           "LAuftraggeberBLZ",
                           "LBedarf",
                           "CBAnschriftweitergabe",
                           "LAnschriftweitergabe"};

const std::array<TransferVariantInfo, kTransferVariantCount> kVariants{{
    {V::V13, "RB13", "SEPA/16", "13", TransferLayoutKind::Sepa, kSepaShown, kSepaHidden,
     kSepaCaptions, kBankWidth, true},
    {V::Hypo, "RBHypo", "SEPA/06,07,08", "Hypo", TransferLayoutKind::Sepa, kHypoShown, kSepaHidden,
     kHypoCaptions, kBankWidth, true},
    {V::V16, "RB16", "16/28", "16", TransferLayoutKind::Classic, k16Shown, none, noCaptions,
     kBankWidth, true},
    {V::V15, "RB15", "15", "15", TransferLayoutKind::Foreign, k15Shown, none, k15Captions,
     kBankWidthNarrow, false},
    {V::V18, "RB18", "17/18", "18", TransferLayoutKind::Classic, k18Shown, none, noCaptions,
     kBankWidth, true},
    {V::V20, "RB20", "20", "20", TransferLayoutKind::Classic, none, none, noCaptions, kBankWidth,
     true},
    {V::Postbank, "RBPostbank", "Postbank", "Postbank", TransferLayoutKind::Classic, kPostbankShown,
     none, noCaptions, kBankWidth, true},
    {V::V24, "RB24", "24", "24", TransferLayoutKind::Classic, k24Shown, none, noCaptions,
     kBankWidth, true},
}};

const TransferBaseState kBase{kBaseHidden, kBaseShown, kBaseCaptions, kBaseHiddenExtras};

// --- the print layouts, top to bottom as on the paper ---

constexpr LayoutRow kSepa[] = {
    {field("EAuftraggeberBank"), only(bit(V::Hypo)), 70, kTop},
    {field("EAuftraggeberBLZ"), only(bit(V::Hypo)), 780, kTop}, // the BIC on these editions
    {field("EEmpfaenger"), always, 70, line(1)},
    {field("EIBANEmpf"), always, 70, line(2)},
    {field("EBank"), always, 70, line(3)},
    {field("EBetrag"), always, 850, line(4)},
    {field("EVerwendung1"), always, 70, line(5)},
    {field("EVerwendung2"), always, 70, line(6)},
    {field("EAuftraggeber"), always, 70, line(7)},
    {field("EIBANAuftrag"), always, 180, line(8)},
    {field("EDatumUnterschrift"), always, 70, kDate},
};

// The edition for payments abroad has no date box.
constexpr LayoutRow kForeign[] = {
    {field("EEmpfaenger"), always, 70, line(1)},    {field("EKontonr"), always, 70, line(2)},
    {field("EBLZ"), always, 900, line(2)},          {field("EBank"), always, 70, line(3)},
    {field("EBank2"), always, 70, line(4)},         {field("EArt"), always, 70, line(5)},
    {field("EEntgelt"), always, 320, line(5)},      {field("EZielland"), always, 470, line(5)},
    {field("EBetrag"), always, 850, line(5)},       {field("EVerwendung1"), always, 70, line(6)},
    {field("EVerwendung2"), always, 70, line(7)},   {field("EAuftraggeber"), always, 70, line(8)},
    {field("EEigeneKontonr"), always, 70, line(9)},
};

// Box B of the Postbank edition holds one digit per printed box; its separators (the 3rd and
// 6th characters of the masked text) are part of the paper form.
constexpr LayoutRow kClassic[] = {
    {field("EAuftraggeberBLZ"), only(bit(V::V24) | bit(V::V16)), 750, kTop},
    {field("EAuftraggeberBank"), only(bit(V::V18)), 70, kTop},
    {field("EAuftraggeberBLZ"), only(bit(V::V18)), 780, kTop},
    {field("EEmpfaenger"), always, 70, line(1)},
    {field("EKontonr"), always, 70, line(2)},
    {field("EBLZ"), always, 1020, line(2)},
    {field("EBank"), always, 70, line(3)},
    {field("EBetrag"), always, 820, line(4)},
    {field("EVerwendung1"), always, 70, line(5)},
    {field("EVerwendung2"), always, 70, line(6)},
    {field("EAuftraggeber"), always, 70, line(7)},
    {field("EEigeneKontonr"), always, 70, line(8)},
    {field("EDatumUnterschrift"), always, 650, kDate},
    {field("EAusfuehrungsdatum"), only(bit(V::V24)), 635, line(8)},
    {literal("X"), onlyChecked(bit(V::V24), "CBAnschriftweitergabe"), 1352, line(7)},
    {field("EPostbankA"), only(bit(V::Postbank)), 625, line(8)},
    {charOf("EPostbankB", 1), only(bit(V::Postbank)), 765, line(8)},
    {charOf("EPostbankB", 2), only(bit(V::Postbank)), 815, line(8)},
    {charOf("EPostbankB", 4), only(bit(V::Postbank)), 915, line(8)},
    {charOf("EPostbankB", 5), only(bit(V::Postbank)), 965, line(8)},
    {literal("X"), onlyChecked(bit(V::Postbank), "EPostbankC"), 1165, line(8)},
};

constexpr sv kTextControls[] = {"EEmpfaenger",
                                "EKontonr",
                                "EIBANEmpf",
                                "EBLZ",
                                "EBank",
                                "EBank2",
                                "EArt",
                                "EEntgelt",
                                "EZielland",
                                "EBetrag",
                                "EVerwendung1",
                                "EVerwendung2",
                                "EAuftraggeber",
                                "EEigeneKontonr",
                                "EIBANAuftrag",
                                "EAuftraggeberBank",
                                "EAuftraggeberBLZ",
                                "EAusfuehrungsdatum",
                                "EPostbankA",
                                "EPostbankB",
                                "EDatumUnterschrift"};
constexpr sv kCheckControls[] = {"CBAnschriftweitergabe", "EPostbankC"};

} // namespace

const TransferBaseState& transferBaseState() {
    return kBase;
}

const std::array<TransferVariantInfo, kTransferVariantCount>& transferVariants() {
    return kVariants;
}

const TransferVariantInfo& transferVariant(TransferVariant v) {
    return kVariants[static_cast<size_t>(v)];
}

std::optional<TransferVariant> transferVariantByFormular(std::string_view formular) {
    for (const auto& i : kVariants)
        if (i.formular == formular) return i.variant;
    return std::nullopt;
}

std::optional<TransferVariant> transferVariantByButton(std::string_view button) {
    for (const auto& i : kVariants)
        if (i.button == button) return i.variant;
    return std::nullopt;
}

std::optional<TransferVariant> transferVariantByCaption(std::string_view caption) {
    for (const auto& i : kVariants)
        if (i.caption == caption) return i.variant;
    return std::nullopt;
}

Layout transferLayout(TransferVariant v) {
    switch (transferVariant(v).layout) {
    case TransferLayoutKind::Sepa:
        return {kSepa, kTransferBase, kTransferPitch};
    case TransferLayoutKind::Foreign:
        return {kForeign, kTransferBase, kTransferPitch};
    case TransferLayoutKind::Classic:
        break;
    }
    return {kClassic, kTransferBase, kTransferPitch};
}

std::vector<PlacedText> transferTexts(std::optional<TransferVariant> v, const FormPage& page) {
    if (!v) return placeTexts(transferLayout(TransferVariant::V20), page, -1);
    return placeTexts(transferLayout(*v), page, static_cast<int>(*v));
}

std::span<const std::string_view> transferTextControls() {
    return kTextControls;
}
std::span<const std::string_view> transferCheckControls() {
    return kCheckControls;
}

} // namespace formidor::forms
