// `layout` and `print` of the cash-on-delivery, parcel card and small-parcel forms.
#include "cli/clirun.h"

#include "common/testenv.h"
#include "forms/gui/pdfprint.h"
#include "platform/hive.h"
#include "platform/printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>

namespace formidor {
namespace {

using test::runCli;
using Result = test::CliResult;

size_t count(const std::string& s, const std::string& part) {
    size_t n = 0;
    for (size_t at = s.find(part); at != std::string::npos; at = s.find(part, at + 1)) ++n;
    return n;
}

TEST(CliPostal, CashOnDeliveryFieldsAreTypedAndLeftInTurn) {
    Result r = runCli({"layout", "cod", "--set", "EEmpfN=Weinhandel Vogt", "--set",
                       "EVerwendung1N=Rechnung 17", "--set", "NNBetrag2=12,50", "--set",
                       "NNEinlieferungsdatum=15.03.2021"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "350\t-1127\tWeinhandel Vogt\n"
                     "350\t-1213\t\n"
                     "350\t-1297\t\n"
                     "350\t-1383\t\n"
                     "350\t-1467\t\n"
                     "350\t-1553\t\n"
                     "1050\t-1637\tRechnung 17\n"
                     "350\t-1723\t\n"
                     "1000\t-2275\t15.03.2021\n"
                     "1600\t-2275\t12,50\n"
                     "1500\t-2403\tRechnung 17\n"
                     "520\t-2462\t14,50\n"
                     "1000\t-2530\t\n");

    // The amount with the fee, typed last, takes the amount back; a later purpose copy wins.
    r = runCli({"layout", "cod", "--set", "NNBetrag2=12,50", "--set", "NNBetragplus2=30", "--set",
                "EVerwendung2N=Kunde", "--set", "NNVerw2=Kd."});
    EXPECT_NE(r.out.find("1600\t-2275\t28,00\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("520\t-2462\t30\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1000\t-2530\tKd.\n"), std::string::npos) << r.out;
}

TEST(CliPostal, CashOnDeliveryIgnoresOrientationAndFeed) {
    const cli::Args options[] = {
        {"--feed", "links"},
        {"--feed", "rechts", "--orientation", "hochkant"},
        {"--feed", "links", "--orientation", "hochkant"},
    };
    for (const auto& o : options) {
        cli::Args args = {"layout", "cod", "--set", "EEmpfN=N", "--kv", "10", "--kh", "-5"};
        args.insert(args.end(), o.begin(), o.end());
        Result r = runCli(args);
        EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), "360\t-1122\tN\n")
            << testing::PrintToString(o);
    }
}

TEST(CliPostal, ParcelCardMarksAndCashOnDeliveryGroup) {
    Result r = runCli({"layout", "parcel", "--set", "EPBetrag=49,90", "--set", "EPEmpf1=Schulz",
                       "--check", "CBP9Uhr", "--check", "CBPSperrgut"});
    ASSERT_EQ(r.status, 0) << r.err;
    // Sender and addressee in both blocks, two marks twice, no cash-on-delivery group.
    EXPECT_EQ(count(r.out, "\n"), 2u * (4 + 2 + 5));
    EXPECT_EQ(count(r.out, "49,90"), 0u);
    EXPECT_EQ(count(r.out, "EUR"), 0u);
    EXPECT_NE(r.out.find("680\t-400\tX\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("680\t-2810\tX\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1365\t-685\tSchulz\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1365\t-2595\tSchulz\n"), std::string::npos) << r.out;

    // The currency is filled in as on the page; the group follows the mark.
    r = runCli(
        {"layout", "parcel", "--set", "EPBetrag=49,90", "--check", "CBPNN", "--feed", "links"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("1502\t-560\tEUR\n1587\t-560\t49,90\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1502\t-2490\tEUR\n1587\t-2490\t49,90\n"), std::string::npos) << r.out;
}

TEST(CliPostal, SmallParcelRowsWithOffsets) {
    Result r = runCli({"layout", "smallparcel", "--set", "EPPEEmpf1=Jan de Vries", "--set",
                       "EPPELand=Niederlande", "--orientation", "hochkant", "--kh", "7"});
    ASSERT_EQ(r.status, 0) << r.err;
    // Fed at the right in landscape: 104.3 mm lower, and the offset on top.
    const int dy = -1043 - 7;
    std::string expected;
    const std::pair<int, int> rows[] = {{670, -70},   {670, -135}, {670, -200},  {910, -200},
                                        {1365, -5},   {1365, -70}, {1365, -135}, {1365, -200},
                                        {1600, -200}, {1365, -265}};
    for (const auto& [x, y] : rows) {
        expected += std::to_string(x) + "\t" + std::to_string(y + dy) + "\t";
        if (x == 1365 && y == -70) expected += "Jan de Vries";
        if (x == 1365 && y == -265) expected += "Niederlande";
        expected += "\n";
    }
    EXPECT_EQ(r.out, expected);
}

TEST(CliPostal, UnknownControlsAreNamed) {
    struct Case {
        cli::Args args;
        std::string inMessage;
    };
    const Case cases[] = {
        {{"layout", "cod", "--set", "EBetrag=1"}, "'EBetrag' im Nachnahmeformular"},
        {{"layout", "cod", "--check", "CBPNN"}, "'CBPNN' im Nachnahmeformular"},
        {{"layout", "parcel", "--check", "EPBetrag"}, "'EPBetrag' im Paketschein"},
        {{"layout", "parcel", "--set", "CBPNN=X"}, "'CBPNN' im Paketschein"},
        {{"layout", "smallparcel", "--set", "EPAbsender1=A"}, "'EPAbsender1' im Päckchenschein"},
        {{"layout", "smallparcel", "--variant", "13"}, "'--variant'"},
        {{"print", "parcel"}, "--pdf"},
    };
    for (const auto& c : cases) {
        Result r = runCli(c.args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(c.args);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.inMessage), std::string::npos)
            << testing::PrintToString(c.args) << ": " << r.err;
    }
}

struct Word {
    double xMin, yMin;
};

// The first word of a pdftotext -bbox listing with exactly this text, in millimetres from the
// top-left corner of the sheet.
std::optional<Word> findWord(const std::string& html, const std::string& text) {
    static const std::regex word("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
                                 "yMax=\"[0-9.]+\">([^<]*)</word>");
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it)
        if ((*it)[3] == text)
            return Word{std::stod((*it)[1]) * 25.4 / 72, std::stod((*it)[2]) * 25.4 / 72};
    return std::nullopt;
}

TEST(CliPostal, ThreeFormsIntoPdfWithEveryTextWhereTheLayoutSays) {
    test::ScopedDataHome home;
    DeviceCaps caps;
    gui::printToPdfFile(home.path() / "unused.pdf", [&](Printer& p) { caps = p.Caps(); });
    ASSERT_GT(caps.dpiX, 0);
    const double originX = caps.offsetX * 25.4 / caps.dpiX;
    const double originY = caps.offsetY * 25.4 / caps.dpiY;

    struct Expect {
        const char* text;
        int x, y; // 0.1 mm, y up
    };
    struct Case {
        cli::Args args;
        std::vector<Expect> expected;
    };
    const Case cases[] = {
        {{"print", "cod", "--set", "EEmpfN=Vogt", "--set", "NNBetrag2=12,50", "--feed", "links"},
         {{"Vogt", 350, -1127}, {"12,50", 1600, -2275}, {"14,50", 520, -2462}}},
        {{"print", "parcel", "--set", "EPAbsender1=Müller", "--set", "EPBLZ=37050198", "--check",
          "CBPNN", "--kv", "20"},
         {{"Müller", 710, -70}, {"37050198", 1005, -690}}},
        {{"print", "smallparcel", "--set", "EPPELand=Niederlande"}, {{"Niederlande", 1365, -265}}},
    };
    for (const auto& c : cases) {
        const auto pdf = home.path() / (c.args[1] + ".pdf");
        cli::Args args = c.args;
        args.insert(args.end(), {"--pdf", pdf.string()});
        Result r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const auto html = home.path() / (c.args[1] + ".html");
        const std::string cmd = "pdftotext -bbox '" + pdf.string() + "' '" + html.string() + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        const std::string listing = test::readFile(html);
        for (const auto& e : c.expected) {
            auto w = findWord(listing, e.text);
            ASSERT_TRUE(w) << e.text << "\n" << listing;
            EXPECT_NEAR(w->xMin, originX + e.x / 10.0, 0.1) << e.text;
            EXPECT_NEAR(w->yMin, originY - e.y / 10.0, 0.1) << e.text;
        }
    }
}

} // namespace
} // namespace formidor
