#include "forms/cheque.h"

#include <algorithm>

namespace formidor::forms {

namespace {

using sv = std::string_view;
using C = Counterfoil;

constexpr uint32_t bit(C c) {
    return variantBit(static_cast<int>(c));
}
constexpr Condition only(uint32_t kinds) {
    return {kinds, {}};
}
constexpr uint32_t kAllKinds = (uint32_t{1} << kCounterfoilCount) - 1;
constexpr uint32_t kBeside = bit(C::Deutsche) | bit(C::Leer) | bit(C::DG);

// A counterfoil beside the cheque is 40 mm wide, the blank one twice that; the Dresdner one above
// it 23.5 mm high, the large one 80 mm.
const std::array<CounterfoilInfo, kCounterfoilCount> kCounterfoils{{
    {C::Deutsche, "RBDeutsche", "Deutsche", "Deutsche Bank", 400, 0},
    {C::Dresdner, "RBDresdner", "Dresdner", "Dresdner Bank", 0, 235},
    {C::DG, "RBDG", "DG", "Volksbanken", 400, 0},
    {C::Leer, "RBleer", "leer", "leerer Abschnitt", 800, 0},
    {C::Kein, "RBkein", "kein", "kein Abschnitt", 0, 0},
    {C::ObenGross, "RBobengross", "ObenGross", "Abschnitt oben", 0, 800},
}};

constexpr std::array<sv, 10> kDigitWords{"null",  "eins",  "zwei",   "drei", "vier",
                                         "fuenf", "sechs", "sieben", "acht", "neun"};

// Texts made from the page's fields before the tables are read.
constexpr sv kWords1 = "#Worte1";
constexpr sv kWords2 = "#Worte2";
constexpr sv kWordsOneLine = "#WorteEinzeilig";
constexpr sv kAmountEur = "#BetragEUR";         // "EUR " and the amount
constexpr sv kAmountStarred = "#BetragSterne";  // "*", the amount, "*"
constexpr sv kSendersJoined = "#AbsenderZeile"; // sender lines 1 to 6 joined by " - "

// Memo lines are half a line apart on the counterfoils.
constexpr int kMemoStep = -42;
// The purpose lines begin 4 mm and four lines below the base line.
constexpr Line kPurpose = atY(kChequeBase - 40 - 4 * kChequePitch);

// The Dresdner counterfoil is the 23.5 mm strip above the cheque: the senders 6 mm and the
// amount 20 mm below its top edge. (Drawn at +6 mm and +20 mm, as y upwards would have them, both
// would lie above the printable area, and no printer could put them on the paper.)
constexpr Line kDresdnerSenders = atY(-60);
constexpr Line kDresdnerAmount = atY(-200);

// --- the counterfoil, top to bottom ---
constexpr LayoutRow kCounterfoilRows[] = {
    {linesOf("MemoDeutscheAbs", kMemoStep), only(bit(C::Deutsche) | bit(C::Leer)), 10, atY(10)},
    {linesOf("MemoDeutscheAbs", kMemoStep), only(bit(C::DG)), 10, atY(-70)},
    {field(kAmountEur), only(kBeside), 10, line(2)},
    {linesOf("MemoDeutscheVerw", kMemoStep), only(kBeside), 10, kPurpose},
    {field(kSendersJoined), only(bit(C::Dresdner)), 80, kDresdnerSenders},
    {field(kAmountEur), only(bit(C::Dresdner)), 1035, kDresdnerAmount},
    {linesOf("MemoDeutscheVerw", kMemoStep), only(bit(C::ObenGross)), 50, kPurpose},
};

// --- the cheque body, top to bottom ---
constexpr LayoutRow kBodyRows[] = {
    {field(kWords1), only(kAllKinds & ~bit(C::DG)), 50, line(1)},
    {field(kWords2), only(kAllKinds & ~bit(C::DG)), 50, line(2)},
    {field(kWordsOneLine), only(bit(C::DG)), 50, line(2)},
    {field(kAmountStarred), always, 1035, line(2)},
    {field("EOrt"), always, 1000, line(3.5)},
    {field("EDatum"), always, 1000, line(4)},
    {field("EAnredeE"), always, 100, line(4)},
    {field("EEmpfaenger1"), always, 100, line(5)},
    {field("EEmpfaenger2"), always, 100, line(6)},
    {field("EPLZE"), always, 100, line(7)},
    {field("EOrtEmpf"), always, 275, line(7)},
};

constexpr sv kTextControls[] = {
    "EBetragV", "EAnredeE", "EEmpfaenger1", "EEmpfaenger2",    "EPLZE",
    "EOrtEmpf", "EOrt",     "EDatum",       "MemoDeutscheAbs", "MemoDeutscheVerw"};

std::string cut(std::string s) {
    if (s.size() > kChequeWordsMax) s.resize(kChequeWordsMax);
    return s;
}

// The page with the texts the tables print that no single field holds.
FormPage withDerivedTexts(const FormPage& page) {
    FormPage p = page;
    const std::string& amount = page.text("EBetragV");
    const ChequeWords words = chequeWords(amount);
    p.setText(kWords1, words.line1);
    p.setText(kWords2, words.line2);
    p.setText(kWordsOneLine, words.oneLine);
    p.setText(kAmountEur, "EUR " + amount);
    p.setText(kAmountStarred, "*" + amount + "*");
    std::vector<std::string> senders = memoLines(page.text("MemoDeutscheAbs"));
    senders.resize(6);
    std::string joined;
    for (size_t i = 0; i < senders.size(); ++i) joined += (i ? " - " : "") + senders[i];
    p.setText(kSendersJoined, joined);
    return p;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

const std::array<CounterfoilInfo, kCounterfoilCount>& counterfoils() {
    return kCounterfoils;
}

const CounterfoilInfo& counterfoil(Counterfoil c) {
    return kCounterfoils[static_cast<size_t>(c)];
}

std::optional<Counterfoil> counterfoilByCode(std::string_view code) {
    for (const auto& i : kCounterfoils)
        if (i.code == code) return i.kind;
    return std::nullopt;
}

std::optional<Counterfoil> counterfoilByButton(std::string_view button) {
    for (const auto& i : kCounterfoils)
        if (i.button == button) return i.kind;
    return std::nullopt;
}

const std::array<std::string_view, 10>& digitWords() {
    return kDigitWords;
}

std::string amountInWords(std::string_view amount) {
    std::string s = "*";
    for (char c : amount) {
        if (!isDigit(c)) break;
        s += kDigitWords[static_cast<size_t>(c - '0')];
        s += '*';
    }
    return s;
}

ChequeWords chequeWords(std::string_view amount) {
    const size_t digits = static_cast<size_t>(
        std::find_if_not(amount.begin(), amount.end(), isDigit) - amount.begin());
    const size_t first = std::min<size_t>(digits, 3);
    return {cut(amountInWords(amount.substr(0, first))),
            cut(amountInWords(amount.substr(first, digits - first))), cut(amountInWords(amount))};
}

std::vector<PlacedText> chequeTexts(std::optional<Counterfoil> c, const FormPage& page) {
    const FormPage p = withDerivedTexts(page);
    const Counterfoil kind = c.value_or(Counterfoil::Kein);
    const int variant = static_cast<int>(kind);
    std::vector<PlacedText> texts =
        placeTexts({kCounterfoilRows, kChequeBase, kChequePitch}, p, variant);
    std::vector<PlacedText> body = placeTexts({kBodyRows, kChequeBase, kChequePitch}, p, variant);
    applyOffsets(body, counterfoil(kind).shiftH, counterfoil(kind).shiftV);
    texts.insert(texts.end(), body.begin(), body.end());
    return texts;
}

std::span<const std::string_view> chequeTextControls() {
    return kTextControls;
}

} // namespace formidor::forms
