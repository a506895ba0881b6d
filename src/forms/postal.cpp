#include "forms/postal.h"

#include "platform/convert.h"

#include <cmath>

namespace formidor::forms {

namespace {

using sv = std::string_view;

constexpr Condition ifChecked(sv box) {
    return {always.variants, box};
}

// --- cash on delivery, top to bottom: the transfer, then the form's second part ---

constexpr LayoutRow kCashOnDelivery[] = {
    {field("EEmpfN"), always, 350, line(0.5)},
    {field("EStrasseN"), always, 350, line(1.5)},
    {field("EPLZOrtN"), always, 350, line(2.5)},
    {field("EKontonrEmpfN"), always, 350, line(3.5)},
    {field("EBLZN"), always, 350, line(4.5)},
    {field("EBankN"), always, 350, line(5.5)},
    {field("EVerwendung1N"), always, 1050, line(6.5)},
    {field("EVerwendung2N"), always, 350, line(7.5)},
    {field("NNEinlieferungsdatum"), always, 1000, line(14)},
    {field("NNBetrag2"), always, 1600, line(14)},
    {field("NNVerw1"), always, 1500, line(15.5)},
    {field("NNBetragplus2"), always, 520, line(16.2)},
    {field("NNVerw2"), always, 1000, line(17)},
};

constexpr sv kCashOnDeliveryControls[] = {
    "EEmpfN",        "EStrasseN",     "EPLZOrtN",      "EKontonrEmpfN",        "EBLZN",
    "EBankN",        "EVerwendung1N", "EVerwendung2N", "NNEinlieferungsdatum", "NNBetrag2",
    "NNBetragplus2", "NNVerw1",       "NNVerw2",
};

// The fee amounts are shown with two decimals. Fifteen significant digits keep every cent of
// any amount a form can carry; fewer would round the cents away from eight-digit amounts.
constexpr int kFeePrecision = 15;

std::optional<std::string> shifted(std::string_view text, double by) {
    double value = 0;
    if (!TryStrToFloat(text, value)) return std::nullopt;
    value += by;
    if (!std::isfinite(value)) return std::nullopt;
    return FloatToStrF(value, FloatFormat::Fixed, kFeePrecision, 2);
}

// --- parcel card ---

// A block's rows are measured down from its origin: a pitch of one makes the line number the
// distance itself.
constexpr int kBlockPitch = 1;
constexpr Line down(int d) {
    return line(d);
}

// What both blocks carry at the same distances.
constexpr LayoutRow kParcelBlock[] = {
    {field("EPAbsender1"), always, 690, down(210)},
    {field("EPAbsender2"), always, 690, down(275)},
    {field("EPAPlz"), always, 690, down(340)},
    {field("EPAOrt"), always, 930, down(340)},
    {literal("X"), ifChecked("CBPExpress"), 825, down(490)},
    {literal("X"), ifChecked("CBP9Uhr"), 680, down(540)},
    {literal("X"), ifChecked("CBP10Uhr"), 885, down(540)},
    {literal("X"), ifChecked("CBP12Uhr"), 1110, down(540)},
    {literal("X"), ifChecked("CBPSamstag"), 680, down(590)},
    {literal("X"), ifChecked("CBPSonntag"), 965, down(590)},
    {literal("X"), ifChecked("CBPNN"), 680, down(700)},
    {field("EPDMEUR"), ifChecked("CBPNN"), 910, down(700)},
    {field("EPBetrag"), ifChecked("CBPNN"), 995, down(700)},
    {field("EPBAnk"), ifChecked("CBPNN"), 985, down(742)},
    {field("EPKontonr"), ifChecked("CBPNN"), 985, down(785)},
    {field("EPBLZ"), ifChecked("CBPNN"), 985, down(830)},
    {literal("X"), ifChecked("cBPUnfrei"), 680, down(830)},
    {literal("X"), ifChecked("CBPEigen"), 680, down(910)},
    {literal("X"), ifChecked("cBPRueck"), 905, down(910)},
    {literal("X"), ifChecked("CBPSperrgut"), 680, down(1020)},
};

// The addressee's box is taller on the card than on its second part.
constexpr LayoutRow kParcelAddresseeUpper[] = {
    {field("EPEAnrede"), always, 1365, down(755)}, {field("EPEmpf1"), always, 1365, down(825)},
    {field("EPEmpf2"), always, 1365, down(895)},   {field("EPEPLz"), always, 1365, down(985)},
    {field("EPEOrt"), always, 1600, down(985)},
};
constexpr LayoutRow kParcelAddresseeLower[] = {
    {field("EPEAnrede"), always, 1365, down(755)}, {field("EPEmpf1"), always, 1365, down(805)},
    {field("EPEmpf2"), always, 1365, down(855)},   {field("EPEPLz"), always, 1365, down(905)},
    {field("EPEOrt"), always, 1600, down(905)},
};

constexpr sv kParcelCardControls[] = {
    "EPAbsender1", "EPAbsender2", "EPAPlz",    "EPAOrt",  "EPDMEUR", "EPBetrag", "EPBAnk",
    "EPKontonr",   "EPBLZ",       "EPEAnrede", "EPEmpf1", "EPEmpf2", "EPEPLz",   "EPEOrt",
};
constexpr sv kParcelCardChecks[] = {
    "CBPExpress", "CBP9Uhr",   "CBP10Uhr", "CBP12Uhr", "CBPSamstag",  "CBPSonntag",
    "CBPNN",      "cBPUnfrei", "CBPEigen", "cBPRueck", "CBPSperrgut",
};

// --- small parcel: the sender at the left, the addressee at the right ---

constexpr LayoutRow kSmallParcel[] = {
    {field("EPPAbsender1"), always, 670, atY(-70)}, {field("EPPAbsender2"), always, 670, atY(-135)},
    {field("EPPPLZ"), always, 670, atY(-200)},      {field("EPPOrt"), always, 910, atY(-200)},
    {field("EPPEAnrede"), always, 1365, atY(-5)},   {field("EPPEEmpf1"), always, 1365, atY(-70)},
    {field("EPPEEmpf2"), always, 1365, atY(-135)},  {field("EPPEPLZ"), always, 1365, atY(-200)},
    {field("EPPEOrt"), always, 1600, atY(-200)},    {field("EPPELand"), always, 1365, atY(-265)},
};

constexpr sv kSmallParcelControls[] = {
    "EPPAbsender1", "EPPAbsender2", "EPPPLZ",  "EPPOrt",  "EPPEAnrede",
    "EPPEEmpf1",    "EPPEEmpf2",    "EPPEPLZ", "EPPEOrt", "EPPELand",
};

void appendBlock(std::vector<PlacedText>& out, std::span<const LayoutRow> rows, int origin,
                 const FormPage& page) {
    auto texts = placeTexts({rows, origin, kBlockPitch}, page, -1);
    out.insert(out.end(), texts.begin(), texts.end());
}

} // namespace

Layout cashOnDeliveryLayout() {
    return {kCashOnDelivery, kCashOnDeliveryBase, kCashOnDeliveryPitch};
}

std::vector<PlacedText> cashOnDeliveryTexts(const FormPage& page) {
    return placeTexts(cashOnDeliveryLayout(), page, -1);
}

std::span<const std::string_view> cashOnDeliveryTextControls() {
    return kCashOnDeliveryControls;
}

std::optional<std::string> amountPlusFee(std::string_view amount) {
    return shifted(amount, kCashOnDeliveryFee);
}

std::optional<std::string> amountLessFee(std::string_view amountWithFee) {
    return shifted(amountWithFee, -kCashOnDeliveryFee);
}

void cashOnDeliveryFieldLeft(FormPage& page, std::string_view control) {
    if (control == "NNBetrag2") {
        if (auto s = amountPlusFee(page.text("NNBetrag2"))) page.setText("NNBetragplus2", *s);
    } else if (control == "NNBetragplus2") {
        if (auto s = amountLessFee(page.text("NNBetragplus2"))) page.setText("NNBetrag2", *s);
    } else if (control == "EVerwendung1N") {
        page.setText("NNVerw1", page.text("EVerwendung1N"));
    } else if (control == "EVerwendung2N") {
        page.setText("NNVerw2", page.text("EVerwendung2N"));
    }
}

std::vector<PlacedText> parcelCardTexts(const FormPage& page) {
    std::vector<PlacedText> out;
    appendBlock(out, kParcelBlock, kParcelUpperOrigin, page);
    appendBlock(out, kParcelAddresseeUpper, kParcelUpperOrigin, page);
    appendBlock(out, kParcelBlock, kParcelLowerOrigin, page);
    appendBlock(out, kParcelAddresseeLower, kParcelLowerOrigin, page);
    return out;
}

std::span<const std::string_view> parcelCardTextControls() {
    return kParcelCardControls;
}

std::span<const std::string_view> parcelCardCheckControls() {
    return kParcelCardChecks;
}

Layout smallParcelLayout() {
    return {kSmallParcel, 0, 0};
}

std::vector<PlacedText> smallParcelTexts(const FormPage& page) {
    return placeTexts(smallParcelLayout(), page, -1);
}

std::span<const std::string_view> smallParcelTextControls() {
    return kSmallParcelControls;
}

} // namespace formidor::forms
