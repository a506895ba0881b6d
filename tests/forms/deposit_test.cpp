#include "forms/deposit.h"

#include "platform/convert.h"

#include <gtest/gtest.h>

namespace formidor::forms {
namespace {

using B = DepositBank;

// A page on which every control holds its own name, so a placed text says which field it is.
FormPage namedPage() {
    FormPage page;
    for (auto c : depositTextControls()) page.setText(c, c);
    return page;
}

struct Box {
    std::string field; // a cheque column's field without its number
    int x;
    std::vector<int> ys; // one y; for a column, cheque 1 first
    bool column = false;
};
Box one(std::string field, int x, int y) {
    return {std::move(field), x, {y}};
}
Box col(std::string stem, int x, std::vector<int> ys) {
    return {std::move(stem), x, std::move(ys), true};
}

// "x y text" per placed text, so that a difference reads as positions.
std::vector<std::string> lines(const std::vector<PlacedText>& texts) {
    std::vector<std::string> out;
    for (const auto& t : texts)
        out.push_back(std::to_string(t.x) + " " + std::to_string(t.y) + " " + t.text);
    return out;
}

std::vector<std::string> expand(const std::vector<Box>& boxes) {
    std::vector<PlacedText> out;
    for (const auto& b : boxes)
        for (size_t i = 0; i < b.ys.size(); ++i)
            out.push_back({b.x, b.ys[i], b.column ? b.field + std::to_string(i + 1) : b.field});
    return lines(out);
}

TEST(DepositLayout, EveryBanksSlipPutsEveryBoxInPlace) {
    const std::vector<int> rows145 = {-145, -210, -275, -340, -405};
    const std::vector<int> rows187 = {-187, -252, -317, -382, -447};
    const std::vector<int> rows210 = {-210, -275, -340, -405, -470};
    const std::vector<int> rows275 = {-275, -340, -405, -470, -535};
    const std::vector<int> hypoRows = {-210, -275, -340, -405}; // the slip has four rows
    struct Case {
        const char* name;
        std::vector<Box> boxes;
    };
    const Case cases[] = {
        {"Dresdner Bank",
         {one("EKontoinhaber", 70, -145), one("EOrtDatum", 865, -145),
          col("ESchecknr", 80, rows275), col("EKontonr", 500, rows275), col("EBLZ", 850, rows275),
          col("EBetrag", 1100, rows275), one("EStueck", 120, -665), one("EWert", 300, -665),
          one("EEmpfaengerKontonr", 500, -665), one("EGesamtbetrag", 1100, -665)}},
        {"Commerzbank",
         {one("EKontoinhaber", 775, -85), one("EOrtDatum", 300, -85), col("ESchecknr", 50, rows210),
          col("EKontonr", 400, rows210), col("EBetrag", 800, rows210), col("EBLZ", 1150, rows210),
          one("EStueck", 125, -620), one("EEmpfaengerKontonr", 150, -700),
          one("EGesamtbetrag", 650, -700)}},
        {"HypoVereinsbank",
         {one("EKontoinhaber", 50, -112), col("ESchecknr", 50, hypoRows),
          col("EKontonr", 400, hypoRows), col("EBetrag", 875, hypoRows),
          col("EBLZ", 1225, hypoRows), one("EStueck", 150, -665), one("EOrtDatum", 350, -665),
          one("EGesamtbetrag", 875, -685), one("EEmpfaengerKontonr", 150, -762),
          one("EWert", 650, -762)}},
        {"Berliner Bank",
         {col("ESchecknr", 50, rows145), col("EKontonr", 450, rows145), col("EBLZ", 850, rows145),
          col("EBetrag", 1200, rows145), one("EStueck", 135, -545), one("EGesamtbetrag", 950, -545),
          one("EKontoinhaber", 140, -635), one("EEmpfaengerKontonr", 140, -710)}},
        {"Deutsche Bank",
         {one("EOrtDatum", 700, -37), col("ESchecknr", 80, rows187), col("EKontonr", 400, rows187),
          col("EBLZ", 850, rows187), col("EBetrag", 1200, rows187), one("EStueck", 135, -547),
          one("EGesamtbetrag", 950, -547), one("EKontoinhaber", 140, -622),
          one("EEmpfaengerKontonr", 140, -707), one("EWert", 700, -707)}},
        {"Sparkasse",
         {one("EOrtDatum", 800, -8), col("ESchecknr", 80, rows187), col("EKontonr", 450, rows187),
          col("EBLZ", 850, rows187), col("EBetrag", 1200, rows187), one("EStueck", 80, -557),
          one("EGesamtbetrag", 950, -557), one("EKontoinhaber", 100, -647),
          one("EEmpfaengerKontonr", 100, -732)}},
    };
    const FormPage page = namedPage();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(depositBankByName(c.name));
        EXPECT_EQ(lines(depositTexts(c.name, page)), expand(c.boxes));
    }
    // Only the exact names: the prompt, a typed bank and a near miss print no box at all.
    for (const char* other :
         {"Bitte hier Bank auswählen!", "Volksbank Nord", "sparkasse", "Sparkasse ", ""}) {
        EXPECT_FALSE(depositBankByName(other)) << other;
        EXPECT_TRUE(depositTexts(other, page).empty()) << other;
    }
}

TEST(DepositArrangement, TypedTextOnlyRestoresTheColumns) {
    const DepositArrangement a = depositArrangement("Volksbank Nord");
    EXPECT_EQ(a.columns, ChequeColumns::BankCodeLeft);
    EXPECT_EQ(a.leftCaption, "Bankleitzahl der bez. Bank");
    EXPECT_EQ(a.rightCaption, "Betrag");
    EXPECT_EQ(a.dateField, Visibility::Keep);
    EXPECT_EQ(a.valueField, Visibility::Keep);
    EXPECT_EQ(a.dateCaption, "");
    EXPECT_EQ(a.accountCaption, "");
    EXPECT_EQ(a.numberCaption, "");
}

TEST(DepositCount, CountsTheChequesWithAnAmount) {
    struct Case {
        std::vector<int> withAmount;
        const char* count;
    };
    const Case cases[] = {{{1, 2, 4}, "3"}, {{}, "0"}, {{1, 2, 3, 4, 5}, "5"}, {{5}, "1"}};
    for (const auto& c : cases) {
        FormPage page;
        for (int n : c.withAmount) page.setText("EBetrag" + std::to_string(n), "1");
        page.setText("ESchecknr3", "4711"); // a cheque without an amount does not count
        EXPECT_EQ(chequeCount(page), c.count);
    }
    FormPage blank;
    blank.setText("EBetrag2", " "); // not empty
    EXPECT_EQ(chequeCount(blank), "1");
}

TEST(DepositTotal, AddsExactlyToTheCent) {
    struct Case {
        std::vector<std::string> amounts; // cheque 1 first; empty ones are skipped
        const char* total;
    };
    const Case cases[] = {
        {{"100,10", "0,05"}, "100,15"},
        {{"0,1", "0,2", "", "0,3"}, "0,60"},
        {{"1000", "234,56"}, "1234,56"}, // no thousands separator in the total
        {{"50", "-12,5"}, "37,50"},
        {{" 7,25 "}, "7,25"},
        {{}, "0,00"},
        {{"0,1", "0,1", "0,1", "0,1", "0,1"}, "0,50"},
    };
    for (const auto& c : cases) {
        FormPage page;
        for (size_t i = 0; i < c.amounts.size(); ++i)
            page.setText("EBetrag" + std::to_string(i + 1), c.amounts[i]);
        EXPECT_EQ(chequeTotal(page), c.total) << testing::PrintToString(c.amounts);
    }
}

TEST(DepositTotal, AnAmountThatIsNoNumberIsNamed) {
    for (const char* bad : {"12 EUR", "1.234,56", " ", "1,2,3"}) {
        FormPage page;
        page.setText("EBetrag1", "10");
        page.setText("EBetrag3", bad);
        try {
            chequeTotal(page);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.what(), "'" + std::string(bad) + "' ist kein gültiger Gleitkommawert");
        }
    }
    // A number no amount can hold, alone or as a sum.
    FormPage huge;
    huge.setText("EBetrag1", "1e20");
    EXPECT_THROW(chequeTotal(huge), EInvalidOp);
    FormPage sum;
    for (int n = 1; n <= 5; ++n) sum.setText("EBetrag" + std::to_string(n), "900000000000000");
    EXPECT_THROW(chequeTotal(sum), EInvalidOp);
}

} // namespace
} // namespace formidor::forms
