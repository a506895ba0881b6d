#include "forms/formsketch.h"

#include "common/testenv.h"
#include "forms/postalprint.h"
#include "forms/transferprint.h"

#include <gtest/gtest.h>

namespace formidor::forms {
namespace {

struct Calibration : CalibrationView {
    std::string kv = "0", kh = "0";
    bool normal = true, left = false;
    std::string offsetText(char, bool horizontal) const override { return horizontal ? kv : kh; }
    bool isNormal(char) const override { return normal; }
    bool isHochkant(char) const override { return !normal; }
    bool isRightFeed(char) const override { return !left; }
    bool isLeftFeed(char) const override { return left; }
};

FormTexts transferTextsOf(const FormPage& page) {
    return [page](const CalibrationView& c) {
        return transferPrintTexts(TransferVariant::V13, page, c);
    };
}

TEST(FieldMarks, NameEveryPositionWhateverTheCheckBoxesSay) {
    // The parcel card prints its service crosses only for checked boxes; the marks show them all,
    // each named by its box.
    const FormPage none;
    const FormTexts texts = [&](const CalibrationView& c) { return parcelCardPrintTexts(none, c); };
    Calibration cal;
    const auto printed = texts(cal);
    const auto marks = fieldMarks(texts, cal);
    EXPECT_GT(marks.size(), printed.size());
    EXPECT_TRUE(std::any_of(marks.begin(), marks.end(),
                            [](const PlacedText& m) { return m.text == "CBPExpress"; }));
    // Outside the naming the rows fill from the page again.
    EXPECT_EQ(texts(cal).size(), printed.size());
}

TEST(FormSketch, BoxesHoldTheirTextsWhereTheFormLies) {
    FormPage page;
    page.setText("EEmpfaenger", "Finanzamt Bonn");
    Calibration cal;
    cal.kv = "300"; // the user's offsets move the texts, not the form
    cal.left = true;
    const FormSketch s = formSketch(transferTextsOf(page), cal, 52);
    Calibration feedOnly;
    feedOnly.left = true;
    for (const PlacedText& t : fieldMarks(transferTextsOf(page), feedOnly)) {
        if (t.text.empty()) continue;
        auto box = std::find_if(s.boxes.begin(), s.boxes.end(),
                                [&](const SketchBox& b) { return b.heading == t.text; });
        ASSERT_NE(box, s.boxes.end()) << t.text;
        EXPECT_LT(box->left, t.x);
        EXPECT_GT(box->right, t.x);
        EXPECT_GT(box->top, t.y);
        EXPECT_LT(box->bottom, t.y - 52);
        EXPECT_GE(box->left, s.left);
        EXPECT_LE(box->right, s.right);
    }
}

TEST(CalibrationSheet, CrossesMoveWithTheOffsetsAndTheFeedAdjustment) {
    test::ScopedDataHome home;
    struct Case {
        const char* kv;
        const char* kh;
        bool normal, left;
        int dx, dy; // expected shift of every cross against offsets 0 without adjustment
    };
    const Case cases[] = {
        {"0", "0", true, false, 0, 0},
        {"-20", "10", true, false, -20, -10},
        {"0", "0", true, true, kLeftFeedAdjustment, 0},
        {"0", "0", false, false, 0, -kRightFeedAdjustment},
        {"15", "0", false, true, 15, 0}, // left feed in landscape: no adjustment
    };
    FormPage page;
    auto namePosition = [&](const Calibration& c) {
        RecordingPrinter printer;
        printCalibrationSheet(printer, FormPrinterId::Transfer, transferTextsOf(page), c);
        const Metafile& sheet = printer.LastDocument().page(0);
        const MetaText* name = sheet.FindText("EEmpfaenger");
        EXPECT_NE(name, nullptr);
        // The cross's horizontal arm runs through the text's corner.
        bool crossed = false;
        for (const MetaLine& l : sheet.Lines())
            crossed = crossed || (l.from.y == l.to.y && std::abs(l.from.y - name->device.Y) < 1 &&
                                  l.from.x < name->device.X && l.to.x > name->device.X);
        EXPECT_TRUE(crossed);
        return name ? name->logical : TPoint{};
    };
    const TPoint base = namePosition(Calibration{});
    for (const Case& c : cases) {
        Calibration cal;
        cal.kv = c.kv;
        cal.kh = c.kh;
        cal.normal = c.normal;
        cal.left = c.left;
        const TPoint at = namePosition(cal);
        EXPECT_EQ(at.X - base.X, c.dx) << c.kv << " " << c.kh << " " << c.normal << c.left;
        EXPECT_EQ(at.Y - base.Y, c.dy) << c.kv << " " << c.kh << " " << c.normal << c.left;
    }
}

} // namespace
} // namespace formidor::forms
