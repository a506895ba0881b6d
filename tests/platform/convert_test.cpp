#include "platform/convert.h"

#include <gtest/gtest.h>

#include <limits>

namespace formidor {
namespace {

struct IntCase {
    const char* text;
    bool ok;
    int32_t value;
};

TEST(StrToInt, AcceptsOnlyWholeIntegersInRange) {
    const IntCase cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"-5000", true, -5000},
        {"+7", true, 7},
        {"  12", true, 12},
        {"$1F", true, 31},
        {"0x10", true, 16},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"", false, 0},
        {" ", false, 0},
        {"12 ", false, 0},
        {"abc", false, 0},
        {"1,5", false, 0},
        {"-", false, 0},
        {"1e3", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.ok) {
            EXPECT_EQ(StrToInt(c.text), c.value);
        } else {
            try {
                StrToInt(c.text);
                ADD_FAILURE() << "converted";
            } catch (const EConvertError& e) {
                EXPECT_EQ(std::string(e.what()),
                          std::string("'") + c.text + "' ist kein gültiger Integerwert");
            }
        }
    }
}

TEST(StrToFloat, GermanDecimalCommaWithoutThousands) {
    EXPECT_DOUBLE_EQ(StrToFloat("1234,56"), 1234.56);
    EXPECT_DOUBLE_EQ(StrToFloat(" -12,5 "), -12.5);
    EXPECT_DOUBLE_EQ(StrToFloat("1,5E3"), 1500.0);
    EXPECT_DOUBLE_EQ(StrToFloat(",5"), 0.5);
    for (const char* bad : {"1.234,56", "", "  ", "12,3,4", "1e", "abc", "12.5"}) {
        SCOPED_TRACE(bad);
        try {
            StrToFloat(bad);
            ADD_FAILURE() << "converted";
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + bad + "' ist kein gültiger Gleitkommawert");
        }
    }
}

TEST(Round, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(58.5), 58);
    EXPECT_EQ(Round(2.6), 3);
    EXPECT_EQ(CurrencyFromDouble(12.5), 125000);
}

TEST(Round, ValuesWithoutA64BitResultAreAnErrorNotGarbage) {
    EXPECT_EQ(Round(-9223372036854775808.0), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(CurrencyFromDouble(StrToFloat("1e14")), 1000000000000000000LL);
    for (double bad : {9223372036854775808.0, 1e30, -1e30, std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()}) {
        try {
            Round(bad);
            ADD_FAILURE() << bad << " was rounded";
        } catch (const EInvalidOp& e) {
            EXPECT_STREQ(e.what(), "Ungültige Gleitkommaoperation");
        }
    }
    // An amount typed as "1e15" is a valid number, but not as ten-thousandths.
    EXPECT_THROW(CurrencyFromDouble(StrToFloat("1e15")), EInvalidOp);
}

TEST(FloatToStrF, FixedWithSevenSignificantDigits) {
    EXPECT_EQ(FloatToStrF(12.5, FloatFormat::Fixed, 7, 2), "12,50");
    EXPECT_EQ(FloatToStrF(1234.567, FloatFormat::Fixed, 7, 2), "1234,57");
    EXPECT_EQ(FloatToStrF(123456.789, FloatFormat::Fixed, 7, 2), "123456,80");
    EXPECT_EQ(FloatToStrF(12345678.0, FloatFormat::Fixed, 7, 2), "1,234568E7");
    EXPECT_EQ(FloatToStrF(0.0, FloatFormat::Fixed, 7, 2), "0,00");
    EXPECT_EQ(FloatToStrF(-0.001, FloatFormat::Fixed, 7, 2), "0,00");
    EXPECT_EQ(FloatToStrF(1234567.0, FloatFormat::Number, 15, 2), "1.234.567,00");
    EXPECT_EQ(FloatToStr(0.1), "0,1");
}

} // namespace
} // namespace formidor
