#include "forms/frame.h"

#include "common/testenv.h"
#include "platform/hive.h"

#include <gtest/gtest.h>

#include <limits>

namespace formidor::forms {
namespace {

// The printer page's controls for one print.
struct Calibration : CalibrationView {
    std::string kv = "0", kh = "0";
    bool normal = false, hochkant = false, right = false, left = false;
    std::string offsetText(char, bool horizontal) const override { return horizontal ? kv : kh; }
    bool isNormal(char) const override { return normal; }
    bool isHochkant(char) const override { return hochkant; }
    bool isRightFeed(char) const override { return right; }
    bool isLeftFeed(char) const override { return left; }
};

Calibration calibration(bool normal, bool hochkant, bool left, bool right) {
    Calibration c;
    c.normal = normal;
    c.hochkant = hochkant;
    c.left = left;
    c.right = right;
    return c;
}

const FormPrinterParams& transfer() {
    return formPrinter(FormPrinterId::Transfer);
}

TEST(FrameSetup, FeedAdjustmentByFeedSideAndOrientation) {
    struct Case {
        const char* what;
        Calibration c;
        int h, v;
        bool portrait;
    };
    const Case cases[] = {
        {"linken + normal", calibration(true, false, true, false), 592, 0, true},
        {"rechten + hochkant", calibration(false, true, false, true), 0, 1043, false},
        {"linken + hochkant", calibration(false, true, true, false), 0, 0, false},
        {"rechten + normal", calibration(true, false, false, true), 0, 0, true},
        {"no orientation, linken", calibration(false, false, true, false), 0, 0, false},
        {"no orientation, rechten", calibration(false, false, false, true), 0, 0, false},
    };
    for (const auto& c : cases) {
        const FrameSetup s = frameSetup(transfer(), c.c);
        EXPECT_EQ(s.h, c.h) << c.what;
        EXPECT_EQ(s.v, c.v) << c.what;
        EXPECT_EQ(s.portrait, c.portrait) << c.what;
    }
}

TEST(FrameSetup, OffsetsAddToTheAdjustment) {
    Calibration c = calibration(true, false, true, false);
    c.kh = "10";
    c.kv = "-20";
    const FrameSetup s = frameSetup(transfer(), c);
    EXPECT_EQ(s.h, 572);
    EXPECT_EQ(s.v, 10);
    EXPECT_EQ(s.title, "Quillon Zentrix. - Überweisungsdrucker");
}

TEST(FrameSetup, CashOnDeliveryIsAlwaysPortraitWithoutAdjustment) {
    const Calibration c = calibration(false, true, false, true);
    const FrameSetup s = frameSetup(formPrinter(FormPrinterId::CashOnDelivery), c);
    EXPECT_TRUE(s.portrait);
    EXPECT_EQ(s.v, 0);
    EXPECT_EQ(s.title, "Quillon Zentrix. - Überweisungsdrucker");
}

TEST(FrameSetup, NonIntegerOffsetNamesTheText) {
    Calibration c = calibration(true, false, false, true);
    c.kv = "1,5";
    try {
        frameSetup(transfer(), c);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'1,5' ist kein gültiger Integerwert");
    }
    // The vertical offset is read first.
    c.kh = "";
    try {
        frameSetup(transfer(), c);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'' ist kein gültiger Integerwert");
    }
}

// Offsets near the int limits would wrap round when the layout's positions are added.
TEST(FrameSetup, OffsetsOutsideTheCalibrationRangeAreRefused) {
    struct {
        const char* kv;
        const char* kh;
        bool accepted;
    } cases[] = {
        {"5000", "-5000", true}, {"2147483647", "0", false}, {"0", "-2147483648", false},
        {"5001", "0", false},    {"0", "-5001", false},
    };
    for (const auto& c : cases) {
        Calibration cal = calibration(true, true, false, true); // left feed adds 592 to h
        cal.kv = c.kv;
        cal.kh = c.kh;
        if (c.accepted) {
            EXPECT_NO_THROW(frameSetup(transfer(), cal)) << c.kv << " " << c.kh;
            continue;
        }
        try {
            frameSetup(transfer(), cal);
            ADD_FAILURE() << c.kv << " " << c.kh;
        } catch (const EConvertError& e) {
            EXPECT_NE(std::string(e.what()).find("außerhalb des zulässigen Bereichs von -5000 bis "
                                                 "5000"),
                      std::string::npos);
        }
    }
    std::vector<PlacedText> texts(1);
    EXPECT_THROW(applyOffsets(texts, std::numeric_limits<int>::max(), 0), EConvertError);
    EXPECT_EQ(texts[0].x, 0);
}

TEST(FormPrinters, TableHoldsEveryFormPrinterInOrder) {
    const auto& all = formPrinters();
    for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(static_cast<size_t>(all[i].id), i);
    EXPECT_EQ(formPrinter(FormPrinterId::CrossedCheque).titleWord, "Scheckdrucker");
    EXPECT_EQ(formPrinter(FormPrinterId::DirectDebit).titleWord, "Formidor");
    EXPECT_EQ(formPrinter(FormPrinterId::SmallParcel).titleWord, "Päckchenscheindrucker");
    EXPECT_EQ(formPrinter(FormPrinterId::ForeignTransfer).formCode, 'A');
    EXPECT_EQ(formPrinter(FormPrinterId::ChequeDeposit).journalKind, 5);
    EXPECT_EQ(formPrinter(FormPrinterId::ParcelCard).journalKind, 0);
}

TEST(FrameFont, HeightIsSizeTimesSixAndAHalfHalvesToEven) {
    const std::pair<int, int> cases[] = {{8, 52}, {9, 58}, {10, 65}, {11, 72}, {12, 78}, {13, 84}};
    for (auto [size, height] : cases) EXPECT_EQ(fontHeight(size), height) << size;
}

TEST(FrameFont, ReadFromTheStoreAtPrintTime) {
    test::ScopedDataHome home;
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(std::string("\\") + std::string(kAppKey), true));
        reg.WriteString("FontNameU", "Liberation Mono");
        reg.WriteInteger("FontSizeU", 9);
        reg.WriteBool("FontBoldU", false);
        reg.WriteString("FontSizeV", "zwölf"); // mistyped
    }
    FrameFont u = readFrameFont('U');
    EXPECT_EQ(u.face, "Liberation Mono");
    EXPECT_EQ(u.height, 58);
    EXPECT_FALSE(u.bold);

    // Missing name: the system's default face; missing or mistyped size and flag: 8, bold.
    FrameFont v = readFrameFont('V');
    EXPECT_EQ(v.face, "");
    EXPECT_EQ(v.height, 52);
    EXPECT_TRUE(v.bold);

    // No font value of the form type at all (the first start never ran): the start defaults.
    FrameFont l = readFrameFont('L');
    EXPECT_EQ(l.face, "Courier New");
    EXPECT_EQ(l.height, 52);
    EXPECT_TRUE(l.bold);
}

TEST(AmountCheck, DecimalNumbersStayOthersBecomeZero) {
    struct Case {
        const char* typed;
        const char* after;
        Currency journal;
    };
    const Case cases[] = {
        {"1234,56", "1234,56", 12345600},
        {"1.234,56", "0", 0}, // thousands separators are not part of the number format
        {"", "0", 0},
        {"12 EUR", "0", 0},
        {" 7,5 ", " 7,5 ", 75000},
        {"0,123456", "0,123456", 1235},
        // Rounded from the typed digits, not from a double that sits beside the half.
        {"0,00015", "0,00015", 2},
        {"1,00005", "1,00005", 10000},
        {"0,00025", "0,00025", 2},
        {"-2,50005", "-2,50005", -25000},
        {"0,000050001", "0,000050001", 1},
        {"0,00004", "0,00004", 0},
        {",5", ",5", 5000},
        {"1,5e3", "1,5e3", 15000000},
        {"25E-5", "25E-5", 2},
        {"922337203685477,5807", "922337203685477,5807", 9223372036854775807},
        // Beyond what the journal's currency can hold: no amount.
        {"922337203685477,5808", "0", 0},
        {"1e20", "0", 0},
    };
    for (const auto& c : cases) {
        const std::string after = checkedAmount(c.typed);
        EXPECT_EQ(after, c.after) << c.typed;
        EXPECT_EQ(journalAmount(after), c.journal) << c.typed;
    }
}

} // namespace
} // namespace formidor::forms
