#include "bankdata/pruefziffer.h"

#include "common/testenv.h"
#include "platform/convert.h"

#include <gtest/gtest.h>

namespace formidor {
namespace {

struct MethodCase {
    int method;
    const char* konto;
    Pruefergebnis expected;
    const char* why;
};

class MethodTable : public ::testing::TestWithParam<MethodCase> {};

TEST_P(MethodTable, GivesTheVerdict) {
    const auto& c = GetParam();
    EXPECT_EQ(PruefeMethode(c.method, c.konto), c.expected)
        << "method " << c.method << " on " << c.konto << ": " << c.why;
}

const MethodCase kCases[] = {
    {0, "0000000018", pzRichtig, "worked example"},
    {0, "0000000017", pzFalsch, "worked example, wrong digit"},
    {0, "5000000009", pzRichtig, "first digit doubled to 10 counts 1"},
    {8, "0000000018", pzRichtig, "computed as 00"},
    {94, "0000000017", pzFalsch, "computed as 00"},
    {1, "6907366250", pzRichtig, "sum ending in 0 gives check digit 0"},
    {5, "1648705960", pzRichtig, "sum ending in 0 gives check digit 0"},
    {5, "1648705961", pzFalsch, ""},
    {2, "5000495760", pzRichtig, "remainder 0 gives 0"},
    {2, "7297316980", pzFalsch, "remainder 1: no digit is right"},
    {2, "7297316981", pzFalsch, "remainder 1: no digit is right"},
    {4, "3804983790", pzRichtig, "remainder 0 gives 0"},
    {4, "5468427470", pzFalsch, "remainder 1: no digit is right"},
    {4, "5468427471", pzFalsch, "remainder 1: no digit is right"},
    {11, "1702821649", pzRichtig, "remainder 10 gives 9"},
    {11, "1702821641", pzFalsch, "remainder 10 does not give 1"},
    {28, "7541921063", pzRichtig, "remainder 10 gives 0"},
    {28, "7541921163", pzFalsch, "remainder 10 does not give 1"},
    {34, "4376544030", pzRichtig, "remainder 10 gives 0"},
    {34, "4376544130", pzFalsch, "remainder 10 does not give 1"},
    {69, "1367190018", pzRichtig, "remainder 10 gives 0"},
    {69, "1367190118", pzFalsch, "remainder 10 does not give 1"},
    {28, "0012345608", pzRichtig, "one shift: check digit is position 9"},
    {28, "0012345678", pzFalsch, "one shift: 7 is the check digit, 0 expected"},
    {13, "0001234566", pzRichtig, "three zeros stripped, 7th of T checked"},
    {13, "0001234567", pzFalsch, ""},
    {13, "0000123455", pzRichtig, "a fourth zero stays"},
    {63, "0001234566", pzRichtig, "computed as 13"},
    {24, "3000012344", pzRichtig, "leading 3 becomes 0, T = 12344"},
    {24, "3000012345", pzFalsch, ""},
    {24, "0000000000", pzFalsch, "nothing left to check"},
    {60, "9900000018", pzRichtig, "positions 1 and 2 ignored"},
    {0, "9900000018", pzFalsch, "the same account under 00"},
    {76, "5000123456", pzRichtig, "position 1 replaced, three zeros stripped"},
    {68, "3538753386", pzRichtig, "six-digit variant matches"},
    {68, "3337446730", pzRichtig, "falls back to the four-digit variant"},
    {68, "9012378464", pzFalsch, "neither variant matches"},
    {69, "9712345678", pzNichtPruefbar, "range without a computation"},
    {69, "9799999999", pzFalsch, "the range ends before 9799999999"},
    {69, "0097123455", pzNichtPruefbar, "T = 97123455 compares inside the range"},
    {69, "0097000000", pzRichtig, "T = 97000000, a shorter prefix, lies below the range"},
    {3, "9876543210", pzRichtig, "plain products, not digit sums as in 00"},
    {6, "4701451380", pzRichtig, "remainder 1 gives 0"},
    {6, "9876543211", pzRichtig, "remainder 10 gives 1"},
    {32, "9876543211", pzRichtig, "computed as 06"},
    {70, "9876543211", pzRichtig, "computed as 06"},
    {93, "9876543211", pzRichtig, "computed as 06"},
    {95, "9876543211", pzRichtig, "computed as 06"},
    {74, "0000000018", pzRichtig, "computed as 00"},
    {78, "0000000017", pzFalsch, "computed as 00"},
    {10, "5738291646", pzRichtig, ""},
    {14, "9876543219", pzRichtig, "positions 1 to 3 not weighted"},
    {14, "4701087100", pzFalsch, "remainder 1: no digit is right"},
    {81, "4701087100", pzRichtig, "remainder 1 gives 0"},
    {88, "4701087100", pzRichtig, "computed as 81"},
    {20, "9876543218", pzRichtig, ""},
    {33, "9876543217", pzRichtig, "positions 1 to 4 not weighted"},
    {84, "9876543217", pzRichtig, "computed as 33"},
    {38, "5738291640", pzRichtig, "remainder 1 gives 0"},
    {39, "9876543212", pzRichtig, "positions 1 and 2 not weighted"},
    {50, "9876545210", pzRichtig, "no shift: position 7 checked"},
    {50, "1000123455", pzRichtig, "three shifts: T = 0123455"},
    {61, "9876543110", pzRichtig, "position 8 checked"},
    {65, "9876543110", pzRichtig, "computed as 61"},
    {76, "4701000000", pzFalsch, "remainder 10 matches no digit"},
    {9, "12345ABCDE", pzNichtPruefbar, "no computation, nothing read"},
    {7, "0000000018", pzNichtVerfuegbar, "not implemented"},
    {96, "0000000018", pzNichtVerfuegbar, "outside the table"},
    {-1, "0000000018", pzNichtVerfuegbar, "code such as A2"},
};

INSTANTIATE_TEST_SUITE_P(Cases, MethodTable, ::testing::ValuesIn(kCases));

TEST(Pruefziffer, APositionWithoutADigitRaisesTheConversionMessage) {
    struct {
        int method;
        const char* konto;
        const char* message;
    } cases[] = {
        {0, "00000A0018", "'A' ist kein gültiger Integerwert"},
        {0, "000000ä018", "'ä' ist kein gültiger Integerwert"},
        {0, "18", "'' ist kein gültiger Integerwert"},
        {33, "0000 12345", "' ' ist kein gültiger Integerwert"},
    };
    for (const auto& c : cases) {
        try {
            PruefeMethode(c.method, c.konto);
            ADD_FAILURE() << c.konto << " did not raise";
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.konto;
        }
    }
    // Positions the method does not read may hold anything.
    EXPECT_EQ(PruefeMethode(33, "XXXX000000"), pzRichtig);
}

TEST(Pruefziffer, ReadsTheMethodOfTheBankFromTheDirectory) {
    auto file = test::fixture("blz_small.asc");
    EXPECT_EQ(PruefeKontonummer("0000000018", "20000000", file), pzRichtig); // 00
    EXPECT_EQ(PruefeKontonummer("0000000017", "20000000", file), pzFalsch);
    EXPECT_EQ(PruefeKontonummer("0000000017", "10000000", file), pzNichtPruefbar);   // 09
    EXPECT_EQ(PruefeKontonummer("0000000018", "40000000", file), pzNichtVerfuegbar); // A2
    EXPECT_EQ(PruefeKontonummer("0000000018", "80000000", file), pzNichtVerfuegbar); // no column
    EXPECT_EQ(PruefeKontonummer("0000000018", "99999999", file), pzNichtVerfuegbar); // no line
    EXPECT_EQ(PruefeKontonummer("0001234566", "70000000", file), pzRichtig); // 13, last line
    EXPECT_EQ(pruefergebnisText(pzRichtig), "Kontonummer lt. Prüfziffernverfahren richtig");
    EXPECT_EQ(pruefergebnisText(pzNichtVerfuegbar), "Prüfverfahren nicht verfügbar");
}

} // namespace
} // namespace formidor
