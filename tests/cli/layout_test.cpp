#include "cli/clirun.h"

#include "common/testenv.h"
#include "forms/gui/pdfprint.h"
#include "platform/hive.h"
#include "platform/printer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <sstream>

namespace formidor {
namespace {

using test::runCli;
using Result = test::CliResult;

TEST(CliLayout, DefaultsAreSepa16WithoutOffsets) {
    Result r = runCli({"layout", "transfer", "--set", "EEmpfaenger=Stadtwerke Köln", "--set",
                       "EDatumUnterschrift=15.03.2021", "--set", "EBetrag=12,50"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // Every row of the layout, empty fields included, in drawing order.
    EXPECT_EQ(r.out, "70\t-126\tStadtwerke Köln\n"
                     "70\t-211\t\n"
                     "70\t-296\t\n"
                     "850\t-381\t12,50\n"
                     "70\t-466\t\n"
                     "70\t-551\t\n"
                     "70\t-636\t\n"
                     "180\t-721\t\n"
                     "70\t-849\t15.03.2021\n");
}

TEST(CliLayout, OffsetsFeedAndOrientation) {
    struct Case {
        std::vector<std::string> options;
        std::string firstLine;
    };
    const Case cases[] = {
        {{"--kv", "-20", "--kh", "10"}, "50\t-136\tN\n"},
        {{"--feed", "links"}, "662\t-126\tN\n"},
        {{"--feed", "links", "--orientation", "hochkant"}, "70\t-126\tN\n"},
        {{"--orientation", "hochkant"}, "70\t-1169\tN\n"},
        {{"--orientation", "normal", "--feed", "rechts", "--kv", "5"}, "75\t-126\tN\n"},
    };
    for (const auto& c : cases) {
        cli::Args args = {"layout", "transfer", "--set", "EEmpfaenger=N"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        Result r = runCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), c.firstLine)
            << testing::PrintToString(c.options);
    }
}

TEST(CliLayout, VariantsWithMarksAndMasks) {
    Result r = runCli({"layout", "transfer", "--variant", "Postbank", "--set", "EPostbankB=12/34/",
                       "--check", "EPostbankC", "--set", "EBLZ=37050198"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("1020\t-211\t37050198\n"), std::string::npos);
    EXPECT_NE(r.out.find("765\t-721\t1\n815\t-721\t2\n915\t-721\t3\n965\t-721\t4\n1165\t-721\tX\n"),
              std::string::npos)
        << r.out;

    // Unset masked fields read as the page reads them: blanks where nothing was typed.
    r = runCli({"layout", "transfer", "--variant", "Postbank"});
    EXPECT_NE(r.out.find("1020\t-211\t        \n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("765\t-721\t \n815\t-721\t \n915\t-721\t \n965\t-721\t \n"),
              std::string::npos)
        << r.out;

    // A SWIFT code in the bank code field passes only in "15", where the field has no mask.
    r = runCli({"layout", "transfer", "--variant", "15", "--set", "EBLZ=COLSDE33"});
    EXPECT_NE(r.out.find("900\t-211\tCOLSDE33\n"), std::string::npos) << r.out;
    r = runCli({"layout", "transfer", "--variant", "20", "--set", "EBLZ=COLSDE33"});
    EXPECT_EQ(r.out.find("COLSDE33"), std::string::npos) << r.out;

    r = runCli({"layout", "transfer", "--variant", "24", "--check", "CBAnschriftweitergabe"});
    EXPECT_NE(r.out.find("1352\t-636\tX\n"), std::string::npos) << r.out;
    r = runCli({"layout", "transfer", "--variant", "24"});
    EXPECT_EQ(r.out.find("X"), std::string::npos) << r.out;
}

TEST(CliLayout, BadInputIsNamedAndExitsWithTwo) {
    struct Case {
        cli::Args args;
        std::string inMessage;
    };
    const Case cases[] = {
        {{"layout", "cheque"}, "'cheque'"},
        {{"layout"}, "Formular"},
        {{"layout", "transfer", "--variant", "17/18"}, "'17/18'"},
        {{"layout", "transfer", "--set", "ENichtDa=1"}, "'ENichtDa'"},
        {{"layout", "transfer", "--set", "EEmpfaenger"}, "FELD=TEXT"},
        {{"layout", "transfer", "--check", "EEmpfaenger"}, "'EEmpfaenger'"},
        {{"layout", "transfer", "--kv", "1,5"}, "'1,5' ist kein gültiger Integerwert"},
        {{"layout", "transfer", "--kh", ""}, "'' ist kein gültiger Integerwert"},
        {{"layout", "transfer", "--kh"}, "--kh"},
        {{"layout", "transfer", "--orientation", "quer"}, "'quer'"},
        {{"layout", "transfer", "--feed", "oben"}, "'oben'"},
        {{"layout", "transfer", "--pdf", "x.pdf"}, "'--pdf'"},
        {{"print", "transfer"}, "--pdf"},
        {{"print", "transfer", "--pdf", "x.pdf", "--variant", "99"}, "'99'"},
    };
    for (const auto& c : cases) {
        Result r = runCli(c.args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(c.args);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.inMessage), std::string::npos)
            << testing::PrintToString(c.args) << ": " << r.err;
    }
}

TEST(CliPrint, RefusedInputWritesNoFile) {
    test::TempDir dir;
    const auto pdf = dir / "out.pdf";
    Result r = runCli({"print", "transfer", "--kv", "abc", "--pdf", pdf.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

struct Word {
    double xMin, yMin, xMax, yMax;
};

// The first word of a pdftotext -bbox listing with exactly this text, in points from the top-left
// corner of the sheet.
std::optional<Word> findWord(const std::string& html, const std::string& text) {
    static const std::regex word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"
        "([^<]*)</word>");
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it) {
        if ((*it)[5] == text)
            return Word{std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]),
                        std::stod((*it)[4])};
    }
    return std::nullopt;
}

double mm(double points) {
    return points * 25.4 / 72.0;
}

TEST(CliPrint, TransferIntoPdfPutsEveryTextWhereTheLayoutSays) {
    test::ScopedDataHome home;
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\" + std::string(kAppKey), true));
        reg.WriteString("FontNameU", "Courier New");
        reg.WriteInteger("FontSizeU", 9);
        reg.WriteBool("FontBoldU", true);
    }
    // Where the PDF printer's printable area begins on the sheet.
    DeviceCaps caps;
    gui::printToPdfFile(home.path() / "unused.pdf", [&](Printer& p) { caps = p.Caps(); });
    ASSERT_GT(caps.dpiX, 0);
    const double originX = caps.offsetX * 25.4 / caps.dpiX;
    const double originY = caps.offsetY * 25.4 / caps.dpiY;

    const auto pdf = home.path() / "transfer.pdf";
    Result r = runCli({"print", "transfer", "--variant", "20", "--set", "EEmpfaenger=Stadtwerke",
                       "--set", "EBLZ=37050198", "--set", "EDatumUnterschrift=15.03.2021", "--kv",
                       "100", "--kh", "-50", "--pdf", pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    ASSERT_TRUE(std::filesystem::exists(pdf));

    const auto html = home.path() / "transfer.html";
    const std::string cmd = "pdftotext -bbox '" + pdf.string() + "' '" + html.string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string listing = test::readFile(html);

    struct Expect {
        const char* text;
        double x, y; // layout position after the offsets, 0.1 mm, y up
    };
    const Expect expected[] = {
        {"Stadtwerke", 70 + 100, -126 - (-50)},
        {"37050198", 1020 + 100, -211 - (-50)},
        {"15.03.2021", 650 + 100, -849 - (-50)},
    };
    for (const auto& e : expected) {
        auto w = findWord(listing, e.text);
        ASSERT_TRUE(w) << e.text << "\n" << listing;
        // To the tenth of a millimetre, as the forms' boxes need it.
        EXPECT_NEAR(mm(w->xMin), originX + e.x / 10, 0.1) << e.text;
        // The text's top-left corner is the top of its cell; 5.8 mm high in the 9 point font.
        EXPECT_NEAR(mm(w->yMin), originY - e.y / 10, 0.1) << e.text;
        EXPECT_NEAR(mm(w->yMax - w->yMin), 5.8, 0.2) << e.text;
    }
}

} // namespace
} // namespace formidor
