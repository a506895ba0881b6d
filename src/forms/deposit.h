#pragma once
// The cheque deposit slips (Scheckeinreichung) of the six banks: which bank a text names, how
// the deposit page rearranges and relabels itself for each bank's slip, each slip's print
// layout, the count and the total of the cheques, and the bank of the latest deposit print.
#include "forms/layout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace formidor::forms {

// In the order the bank box lists them.
enum class DepositBank : int {
    BerlinerBank,
    Commerzbank,
    DeutscheBank,
    DresdnerBank,
    HypoVereinsbank,
    Sparkasse
};
inline constexpr int kDepositBankCount = 6;

// A slip holds up to five cheques, one row each, 65 units apart.
inline constexpr int kChequeCount = 5;
inline constexpr int kChequeRowPitch = 65;

inline constexpr std::string_view kNoDepositBankMessage =
    "Bitte oben rechts noch eine Bank auswählen";
// The drawee bank's code of every cheque: eight digits, literals kept, "-" for a blank.
inline constexpr std::string_view kChequeBLZMask = "00000000;1;-";

// The controls of one cheque (index 0 is "Scheck 1").
struct ChequeControls {
    std::string_view ESchecknr, EKontonr, EBLZ, EBetrag;
};
const std::array<ChequeControls, kChequeCount>& chequeControls();

// --- the page's arrangement per bank ---

// The bank-code and amount fields of every cheque swap places on some banks' slips; their
// labels stay where they are and change their captions instead.
enum class ChequeColumns : uint8_t { BankCodeLeft, AmountLeft };
enum class Visibility : uint8_t { Keep, Shown, Hidden };

// What the page shows for a bank text. An empty caption leaves the label as it is.
struct DepositArrangement {
    ChequeColumns columns = ChequeColumns::BankCodeLeft;
    std::string_view leftCaption{};          // LBLZ1–LBLZ5, the left of the two columns
    std::string_view rightCaption{};         // LBetrag1–LBetrag5, the right one
    Visibility dateField = Visibility::Keep; // EOrtDatum with LOrtDatum
    std::string_view dateCaption{};
    Visibility valueField = Visibility::Keep; // EWert with LWert
    std::string_view valueCaption{};
    std::string_view accountCaption{}; // LKontonr1–LKontonr5
    std::string_view numberCaption{};  // LSchecknr1–LSchecknr5
};

struct DepositBankInfo {
    DepositBank bank;
    std::string_view name; // as the bank box lists it
    int chequeRows;        // rows of the slip; a cheque beyond them is not printed
    DepositArrangement arrangement;
};
const std::array<DepositBankInfo, kDepositBankCount>& depositBanks();
const DepositBankInfo& depositBank(DepositBank bank);
// The bank whose name is exactly this text; nullopt for the prompt or any other text.
std::optional<DepositBank> depositBankByName(std::string_view text);

// ComboBox1Change: the bank's arrangement; any other text only puts the columns back in their
// starting order and leaves everything else as it is.
DepositArrangement depositArrangement(std::string_view bankText);

// --- printing ---

Layout depositLayout(DepositBank bank);
// The texts of the bank's slip at layout positions (before the calibration offsets); a text
// that names none of the six banks draws nothing.
std::vector<PlacedText> depositTexts(std::string_view bankText, const FormPage& page);

// The controls a deposit print reads (ComboBox1 is the bank): what a caller may set by name.
std::span<const std::string_view> depositTextControls();

// --- count and total ---

// EStueckEnter: how many of EBetrag1–EBetrag5 are not empty, as a decimal number.
std::string chequeCount(const FormPage& page);
// EGesamtbetragEnter: the non-empty amounts added up in ten-thousandths, with two decimals in
// the German format. An amount that is no decimal number throws EConvertError "'%s' ist kein
// gültiger Gleitkommawert"; a number or a sum beyond what an amount can hold throws EInvalidOp.
std::string chequeTotal(const FormPage& page);

// --- the bank of the latest deposit print ---

// Empty until the first deposit print of the run; the deposit report reads it.
const std::string& LastDepositBank();
void setLastDepositBank(std::string bank);

} // namespace formidor::forms
