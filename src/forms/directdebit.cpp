#include "forms/directdebit.h"

#include "platform/convert.h"

#include <array>

namespace formidor::forms {

namespace {

using sv = std::string_view;

// --- the direct debit form, top to bottom ---
constexpr LayoutRow kDirectDebit[] = {
    {field("ENameZ"), always, 70, line(1)},        {field("EKontonrZ"), always, 70, line(2)},
    {field("EBLZZ"), always, 1050, line(2)},       {field("EBankZ"), always, 70, line(3)},
    {field("EBetragZ"), always, 850, line(4)},     {field("EVerwendung1Z"), always, 70, line(5)},
    {field("EVerwendung2Z"), always, 70, line(6)}, {field("ENameZEmpf"), always, 70, line(7)},
    {field("EKontonrZEmpf"), always, 70, line(8)},
};

// --- the cover sheet: count and total in one line, then the account holder ---
constexpr LayoutRow kCoverSheet[] = {
    {field("EStueckzahlD"), always, 70, line(6)},
    {literal("EUR"), always, 600, line(6)},
    {field("EBetragD"), always, 800, line(6)},
    {field("EKontoinhaberD"), always, 70, line(7)},
    {field("EKontonrZahlungsempf"), always, 70, line(8)},
};

// --- the receipt ---
constexpr sv kReceiptDate = "#Datum";
struct ReceiptRow {
    LayoutRow row;
    int height;
    bool bold;
};
constexpr ReceiptRow kReceipt[] = {
    {{literal("Lastschriftsammeleinreichung"), always, 700, atY(-100)}, 60, true},
    {{literal("Kontoinhaber:"), always, 150, atY(-275)}, 45, false},
    {{field("EKontoinhaberD"), always, 600, atY(-275)}, 45, false},
    {{literal("Kontonummer:"), always, 150, atY(-325)}, 45, false},
    {{field("EKontonrZahlungsempf"), always, 600, atY(-325)}, 45, false},
    {{literal("Betrag:"), always, 150, atY(-375)}, 45, true},
    {{field("EBetragD"), always, 600, atY(-375)}, 45, true},
    {{literal("Zahl der Lastschriften:"), always, 150, atY(-425)}, 45, false},
    {{field("EStueckzahlD"), always, 600, atY(-425)}, 45, false},
    {{literal("Datum"), always, 150, atY(-475)}, 45, false},
    {{field(kReceiptDate), always, 600, atY(-475)}, 45, false},
};
constexpr auto kReceiptRows = [] {
    std::array<LayoutRow, std::size(kReceipt)> rows{};
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = kReceipt[i].row;
    return rows;
}();

constexpr sv kDirectDebitControls[] = {"ENameZ",        "EKontonrZ",  "EBLZZ",
                                       "EBankZ",        "EBetragZ",   "EVerwendung1Z",
                                       "EVerwendung2Z", "ENameZEmpf", "EKontonrZEmpf"};
constexpr sv kCoverSheetControls[] = {"EKontoinhaberD", "EKontonrZahlungsempf", "EStueckzahlD",
                                      "EBetragD"};

} // namespace

std::vector<PlacedText> directDebitTexts(const FormPage& page) {
    return placeTexts({kDirectDebit, kDirectDebitBase, kDirectDebitPitch}, page, -1);
}

std::vector<PlacedText> coverSheetTexts(const FormPage& page) {
    return placeTexts({kCoverSheet, kDirectDebitBase, kCoverSheetPitch}, page, -1);
}

std::span<const std::string_view> directDebitTextControls() {
    return kDirectDebitControls;
}
std::span<const std::string_view> coverSheetTextControls() {
    return kCoverSheetControls;
}

std::string countedOneMore(std::string_view count) {
    // One more than the largest count is beyond what the field can be read as next time, but
    // it must not wrap round to a negative count.
    return IntToStr(int64_t{StrToInt(count)} + 1);
}

std::string totalWith(std::string_view total, std::string_view amount) {
    const double sum = StrToFloat(total) + StrToFloat(amount);
    return FloatToStrF(sum, FloatFormat::Fixed, 15, 2);
}

std::vector<ReceiptText> receiptTexts(const FormPage& coverSheet, std::string_view today) {
    FormPage page = coverSheet;
    page.setText(kReceiptDate, today);
    const auto placed = placeTexts({kReceiptRows, 0, 0}, page, -1);
    std::vector<ReceiptText> out;
    out.reserve(placed.size());
    for (size_t i = 0; i < placed.size(); ++i)
        out.push_back({placed[i], kReceipt[i].height, kReceipt[i].bold});
    return out;
}

} // namespace formidor::forms
