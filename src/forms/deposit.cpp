#include "forms/deposit.h"

#include "forms/frame.h"
#include "platform/convert.h"
#include "platform/text.h"

namespace formidor::forms {

namespace {

using sv = std::string_view;
using B = DepositBank;
using enum Visibility;

constexpr std::array<ChequeControls, kChequeCount> kCheques{{
    {"ESchecknr1", "EKontonr1", "EBLZ1", "EBetrag1"},
    {"ESchecknr2", "EKontonr2", "EBLZ2", "EBetrag2"},
    {"ESchecknr3", "EKontonr3", "EBLZ3", "EBetrag3"},
    {"ESchecknr4", "EKontonr4", "EBLZ4", "EBetrag4"},
    {"ESchecknr5", "EKontonr5", "EBLZ5", "EBetrag5"},
}};

// --- the slips, as the paper forms place their boxes ---

// A slip is given as its single boxes and its four cheque columns; a column stands for one box
// per cheque row, the first cheque at the given y and each further one a row pitch lower.
using Column = sv ChequeControls::*;
constexpr Column kNumber = &ChequeControls::ESchecknr;
constexpr Column kAccount = &ChequeControls::EKontonr;
constexpr Column kBankCode = &ChequeControls::EBLZ;
constexpr Column kAmount = &ChequeControls::EBetrag;

struct Box {
    Column column; // nullptr: a single box
    sv field;
    int x;
    int y; // the first cheque's, for a column
};
constexpr Box at(sv field, int x, int y) {
    return {nullptr, field, x, y};
}
constexpr Box cheques(Column column, int x, int firstY) {
    return {column, {}, x, firstY};
}

template <size_t N>
constexpr size_t rowCount(const Box (&boxes)[N], int chequeRows) {
    size_t n = 0;
    for (const Box& b : boxes) n += b.column == nullptr ? 1 : static_cast<size_t>(chequeRows);
    return n;
}

template <size_t Rows, size_t N>
constexpr std::array<LayoutRow, Rows> slip(const Box (&boxes)[N], int chequeRows) {
    std::array<LayoutRow, Rows> rows{};
    size_t i = 0;
    for (const Box& b : boxes) {
        if (b.column == nullptr) {
            rows[i++] = {field(b.field), always, b.x, atY(b.y)};
            continue;
        }
        for (int r = 0; r < chequeRows; ++r)
            rows[i++] = {field(kCheques[static_cast<size_t>(r)].*b.column), always, b.x,
                         atY(b.y - r * kChequeRowPitch)};
    }
    return rows;
}

constexpr Box kBerlinerBoxes[] = {
    cheques(kNumber, 50, -145),     cheques(kAccount, 450, -145),
    cheques(kBankCode, 850, -145),  cheques(kAmount, 1200, -145),
    at("EStueck", 135, -545),       at("EGesamtbetrag", 950, -545),
    at("EKontoinhaber", 140, -635), at("EEmpfaengerKontonr", 140, -710),
};
constexpr Box kCommerzBoxes[] = {
    at("EKontoinhaber", 775, -85),  at("EOrtDatum", 300, -85),
    cheques(kNumber, 50, -210),     cheques(kAccount, 400, -210),
    cheques(kAmount, 800, -210),    cheques(kBankCode, 1150, -210),
    at("EStueck", 125, -620),       at("EEmpfaengerKontonr", 150, -700),
    at("EGesamtbetrag", 650, -700),
};
constexpr Box kDeutscheBoxes[] = {
    at("EOrtDatum", 700, -37),           cheques(kNumber, 80, -187),
    cheques(kAccount, 400, -187),        cheques(kBankCode, 850, -187),
    cheques(kAmount, 1200, -187),        at("EStueck", 135, -547),
    at("EGesamtbetrag", 950, -547),      at("EKontoinhaber", 140, -622),
    at("EEmpfaengerKontonr", 140, -707), at("EWert", 700, -707),
};
constexpr Box kDresdnerBoxes[] = {
    at("EKontoinhaber", 70, -145),
    at("EOrtDatum", 865, -145),
    cheques(kNumber, 80, -275),
    cheques(kAccount, 500, -275),
    cheques(kBankCode, 850, -275),
    cheques(kAmount, 1100, -275),
    at("EStueck", 120, -665),
    at("EWert", 300, -665),
    at("EEmpfaengerKontonr", 500, -665),
    at("EGesamtbetrag", 1100, -665),
};
// Four cheque rows only.
constexpr Box kHypoBoxes[] = {
    at("EKontoinhaber", 50, -112),       cheques(kNumber, 50, -210),
    cheques(kAccount, 400, -210),        cheques(kAmount, 875, -210),
    cheques(kBankCode, 1225, -210),      at("EStueck", 150, -665),
    at("EOrtDatum", 350, -665),          at("EGesamtbetrag", 875, -685),
    at("EEmpfaengerKontonr", 150, -762), at("EWert", 650, -762),
};
constexpr Box kSparkasseBoxes[] = {
    at("EOrtDatum", 800, -8),
    cheques(kNumber, 80, -187),
    cheques(kAccount, 450, -187),
    cheques(kBankCode, 850, -187),
    cheques(kAmount, 1200, -187),
    at("EStueck", 80, -557),
    at("EGesamtbetrag", 950, -557),
    at("EKontoinhaber", 100, -647),
    at("EEmpfaengerKontonr", 100, -732),
};

constexpr int kHypoRows = 4;
constexpr auto kBerliner =
    slip<rowCount(kBerlinerBoxes, kChequeCount)>(kBerlinerBoxes, kChequeCount);
constexpr auto kCommerz = slip<rowCount(kCommerzBoxes, kChequeCount)>(kCommerzBoxes, kChequeCount);
constexpr auto kDeutsche =
    slip<rowCount(kDeutscheBoxes, kChequeCount)>(kDeutscheBoxes, kChequeCount);
constexpr auto kDresdner =
    slip<rowCount(kDresdnerBoxes, kChequeCount)>(kDresdnerBoxes, kChequeCount);
constexpr auto kHypo = slip<rowCount(kHypoBoxes, kHypoRows)>(kHypoBoxes, kHypoRows);
constexpr auto kSparkasse =
    slip<rowCount(kSparkasseBoxes, kChequeCount)>(kSparkasseBoxes, kChequeCount);

// --- the page per bank ---

constexpr sv kBankCodeCaption = "Bankleitzahl der bez. Bank";
constexpr sv kAmountCaption = "Betrag";
constexpr sv kAccountCaption = "Konto-Nr. des Ausstellers";
constexpr sv kNumberCaption = "Scheck-Nummer";

// Any text that is none of the six banks' names.
constexpr DepositArrangement kOtherText{.columns = ChequeColumns::BankCodeLeft,
                                        .leftCaption = kBankCodeCaption,
                                        .rightCaption = kAmountCaption};

constexpr DepositArrangement bankCodeLeft(Visibility date, sv dateCaption, Visibility value,
                                          sv valueCaption, sv account, sv number) {
    return {ChequeColumns::BankCodeLeft,
            kBankCodeCaption,
            kAmountCaption,
            date,
            dateCaption,
            value,
            valueCaption,
            account,
            number};
}
constexpr DepositArrangement amountLeft(Visibility date, sv dateCaption, Visibility value,
                                        sv valueCaption) {
    return {ChequeColumns::AmountLeft,
            kAmountCaption,
            "BLZ der bez. Bank",
            date,
            dateCaption,
            value,
            valueCaption,
            kAccountCaption,
            kNumberCaption};
}

const std::array<DepositBankInfo, kDepositBankCount> kBanks{{
    {B::BerlinerBank, "Berliner Bank", kChequeCount,
     bankCodeLeft(Hidden, "Datum", Hidden, "Wert", kAccountCaption, kNumberCaption)},
    // The value field keeps its caption while hidden.
    {B::Commerzbank, "Commerzbank", kChequeCount,
     amountLeft(Shown, "Bankleitzahl des Einreichers", Hidden, {})},
    {B::DeutscheBank, "Deutsche Bank", kChequeCount,
     bankCodeLeft(Shown, "Bankleitzahl des Einreichers", Shown, "Datum: TTMMJJ", "Schecknummer",
                  "Vermerke des Einreichers")},
    {B::DresdnerBank, "Dresdner Bank", kChequeCount,
     bankCodeLeft(Shown, "Datum", Shown, "Wert", kAccountCaption, kNumberCaption)},
    {B::HypoVereinsbank, "HypoVereinsbank", kHypoRows,
     amountLeft(Shown, "Datum", Shown, "BLZ Kontoinhaber")},
    {B::Sparkasse, "Sparkasse", kChequeCount,
     bankCodeLeft(Shown, "Datum", Hidden, "Wert", kAccountCaption, kNumberCaption)},
}};

std::string& lastDepositBank() {
    static std::string bank;
    return bank;
}

} // namespace

const std::array<ChequeControls, kChequeCount>& chequeControls() {
    return kCheques;
}

const std::array<DepositBankInfo, kDepositBankCount>& depositBanks() {
    return kBanks;
}

const DepositBankInfo& depositBank(DepositBank bank) {
    return kBanks[static_cast<size_t>(bank)];
}

std::optional<DepositBank> depositBankByName(std::string_view text) {
    for (const auto& b : kBanks)
        if (b.name == text) return b.bank;
    return std::nullopt;
}

DepositArrangement depositArrangement(std::string_view bankText) {
    const auto bank = depositBankByName(bankText);
    return bank ? depositBank(*bank).arrangement : kOtherText;
}

Layout depositLayout(DepositBank bank) {
    switch (bank) {
    case B::BerlinerBank:
        return {kBerliner, 0, 0};
    case B::Commerzbank:
        return {kCommerz, 0, 0};
    case B::DeutscheBank:
        return {kDeutsche, 0, 0};
    case B::DresdnerBank:
        return {kDresdner, 0, 0};
    case B::HypoVereinsbank:
        return {kHypo, 0, 0};
    case B::Sparkasse:
        break;
    }
    return {kSparkasse, 0, 0};
}

std::vector<PlacedText> depositTexts(std::string_view bankText, const FormPage& page) {
    const auto bank = depositBankByName(bankText);
    if (!bank) return {};
    return placeTexts(depositLayout(*bank), page, -1);
}

std::span<const std::string_view> depositTextControls() {
    static const std::vector<sv> controls = [] {
        std::vector<sv> c = {"EKontoinhaber", "EOrtDatum", "ComboBox1"};
        for (const auto& q : kCheques)
            c.insert(c.end(), {q.ESchecknr, q.EKontonr, q.EBLZ, q.EBetrag});
        c.insert(c.end(), {"EStueck", "EWert", "EEmpfaengerKontonr", "EGesamtbetrag"});
        return c;
    }();
    return controls;
}

std::string chequeCount(const FormPage& page) {
    int n = 0;
    for (const auto& c : kCheques)
        if (!page.text(c.EBetrag).empty()) ++n;
    return IntToStr(n);
}

std::string chequeTotal(const FormPage& page) {
    Currency sum = 0;
    for (const auto& c : kCheques) {
        const std::string& text = page.text(c.EBetrag);
        if (text.empty()) continue;
        StrToFloat(text); // the conversion message for a text that is no number
        // Each amount exactly from its digits, so that 100,10 + 0,05 is 100,15 to the cent.
        const auto amount = typedAmount(text);
        if (!amount || __builtin_add_overflow(sum, *amount, &sum))
            throw EInvalidOp(std::string(kInvalidFloatOperation));
    }
    return FloatToStrF(CurrencyToDouble(sum), FloatFormat::Fixed, 15, 2);
}

const std::string& LastDepositBank() {
    return lastDepositBank();
}

void setLastDepositBank(std::string bank) {
    lastDepositBank() = std::move(bank);
}

} // namespace formidor::forms
