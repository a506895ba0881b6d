#include "platform/datetime.h"

#include <gtest/gtest.h>

#include <cmath>

namespace formidor {
namespace {

TEST(DateTime, DayNumbersFrom30December1899) {
    struct Case {
        int y, m, d;
        double serial;
        const char* text;
    } cases[] = {
        {1899, 12, 30, 0, "30.12.1899"},    {1900, 1, 1, 2, "01.01.1900"},
        {1900, 3, 1, 61, "01.03.1900"},     {2000, 2, 29, 36585, "29.02.2000"},
        {2021, 3, 15, 44270, "15.03.2021"}, {1899, 12, 29, -1, "29.12.1899"},
        {1, 1, 1, -693593, "01.01.0001"},   {9999, 12, 31, 2958465, "31.12.9999"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.text;
        auto p = DecodeDate(c.serial);
        EXPECT_EQ(p.year * 10000 + p.month * 100 + p.day, c.y * 10000 + c.m * 100 + c.d);
        EXPECT_EQ(DateToStr(c.serial + (c.serial < 0 ? -0.75 : 0.75)), c.text); // 18:00
    }
    for (auto [y, m, d] : {std::tuple{2021, 2, 29},
                           {1900, 2, 29},
                           {2021, 13, 1},
                           {2021, 4, 31},
                           {0, 1, 1},
                           {10000, 1, 1},
                           {2021, 1, 0}}) {
        TDateTime out;
        EXPECT_FALSE(TryEncodeDate(y, m, d, out)) << y << "-" << m << "-" << d;
        EXPECT_THROW(EncodeDate(y, m, d), EConvertError);
    }
}

TEST(DateTime, ValuesOutsideTheCalendarDecodeToZero) {
    // What a damaged record may hold: no date, and no crash or overflow on the way.
    for (double bad : {-693594.0, 2958466.0, 1e300, -1e300, std::nan(""), HUGE_VAL}) {
        auto p = DecodeDate(bad);
        EXPECT_EQ(p.year * 10000 + p.month * 100 + p.day, 0) << bad;
        EXPECT_EQ(DateToStr(bad), "00.00.0000") << bad;
    }
    int h = -1, m = -1, s = -1, ms = -1;
    DecodeTime(std::nan(""), h, m, s, ms);
    EXPECT_EQ(h * 1000000 + m * 10000 + s * 100 + ms, 0);
}

TEST(DateTime, TimeOfDayIsTheFraction) {
    TDateTime dt = EncodeDate(2021, 3, 15) + EncodeTime(13, 5, 9, 250);
    int h, m, s, ms;
    DecodeTime(dt, h, m, s, ms);
    EXPECT_EQ(h * 10000000 + m * 100000 + s * 1000 + ms, 130509250);
    EXPECT_EQ(DateTimeToStr(dt), "15.03.2021 13:05:09");
    EXPECT_EQ(DateOf(dt), 44270);
    // Before the epoch the fraction still counts forward from the day: -1.25 is
    // 29.12.1899 06:00.
    EXPECT_EQ(DateToStr(-1.25), "29.12.1899");
    EXPECT_EQ(TimeToStr(-1.25), "06:00:00");
    EXPECT_EQ(DateOf(-1.25), -1);
    // Today has no time, now lies within today.
    TDateTime today = Date(), now = Now();
    EXPECT_EQ(today, std::floor(today));
    EXPECT_GE(now, today);
    EXPECT_LT(now, today + 1.0001);
}

TEST(DateTime, ParsingGermanDates) {
    int year = DecodeDate(Date()).year;
    struct Case {
        const char* text;
        int y, m, d;
    } cases[] = {
        {"15.03.2021", 2021, 3, 15}, {" 1.2.2021 ", 2021, 2, 1},
        {"29.02.2000", 2000, 2, 29}, {"15.03.0021", 21, 3, 15}, // four digits are taken as written
        {"15.03", year, 3, 15},
    };
    for (const auto& c : cases) EXPECT_EQ(StrToDate(c.text), EncodeDate(c.y, c.m, c.d)) << c.text;
    // Two-digit years fall into the window of the 50 years before and 49 after this year.
    auto twoDigit = [](int yy) {
        return DecodeDate(StrToDate("01.01." + std::to_string(yy))).year;
    };
    int back = year - 50, ahead = year + 49;
    EXPECT_EQ(twoDigit(back % 100), back);
    EXPECT_EQ(twoDigit(ahead % 100), ahead);
    EXPECT_EQ(twoDigit(year % 100), year);

    for (const char* bad : {"", "  ", "31.04.2021", "29.02.2021", "15-03-2021", "15.03.2021x",
                            "15..2021", "15.03.20210", "1.2.3.4", "a.b.c", "15"}) {
        TDateTime out;
        EXPECT_FALSE(TryStrToDate(bad, out)) << bad;
        try {
            StrToDate(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' ist kein gültiges Datum");
        }
    }
}

} // namespace
} // namespace formidor
