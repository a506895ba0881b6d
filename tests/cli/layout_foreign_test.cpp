// `layout foreign` and `print foreign`: the foreign transfer form on the command line.
#include "cli/clirun.h"

#include "common/testenv.h"
#include "forms/foreign.h"
#include "forms/gui/pdfprint.h"
#include "platform/hive.h"
#include "platform/printer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>

namespace formidor {
namespace {

using test::runCli;
using Result = test::CliResult;

// Every text field set to its own name, the bank code to digits, both boxes checked.
cli::Args namedFields() {
    cli::Args args = {"layout", "foreign"};
    for (auto c : forms::foreignTextControls()) {
        if (c == "EAuftraggeberBLZ") continue;
        args.push_back("--set");
        args.push_back(std::string(c) + "=" + std::string(c));
    }
    for (const char* a :
         {"--set", "EAuftraggeberBLZ=37050198", "--check", "CBBankdrucken", "--check", "CBTransit"})
        args.push_back(a);
    return args;
}

TEST(CliLayoutForeign, ReproducesTheFormLineByLine) {
    Result r = runCli(namedFields());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "90\t-95\tEAuftraggeberBank\n"
                     "960\t-95\t37050198\n"
                     "1460\t-95\tEReferenzKontoinhaber\n"
                     "960\t-179\tEAuftraggeberKontonr\n"
                     "650\t-263\t1\n"
                     "90\t-347\tEWaehrung\n"
                     "300\t-347\tEBetrag\n"
                     "1460\t-347\tEZielland\n"
                     "90\t-431\tEAuftraggeberName\n"
                     "90\t-515\tEAuftraggeberStrasse\n"
                     "175\t-599\tEAuftraggeberPLZOrt\n"
                     "430\t-683\tEEmpfaengerBankSwift\n"
                     "90\t-767\tEEmpfaengerBankName\n"
                     "90\t-851\tEEmpfaengerBankStrasse\n"
                     "90\t-935\tEEmpfaengerBankOrtLand\n"
                     "90\t-1019\tEKontonrIBAN\n"
                     "900\t-1019\tEEmpfaengerBankcode\n"
                     "90\t-1103\tEEmpfaengerName\n"
                     "90\t-1187\tEEmpfaengerStrasse\n"
                     "90\t-1271\tEEmpfaengerOrtLand\n"
                     "90\t-1355\tEVerwendungszweck1\n"
                     "90\t-1439\tEVerwendungszweck2\n"
                     "90\t-1523\tEVerwendungszweck3\n"
                     "90\t-1607\tEWeisungen\n"
                     "480\t-1775\t0\n"
                     "930\t-1775\t0\n"
                     "1380\t-1775\t0\n"
                     "1930\t-1775\t1\n"
                     "1930\t-2027\tX\n"
                     "120\t-2111\te105\n"
                     "530\t-2111\te106\n"
                     "1300\t-2111\te107\n"
                     "120\t-2195\te108\n"
                     "530\t-2195\te109\n"
                     "1300\t-2195\te110\n"
                     "90\t-2279\te111_1\n"
                     "90\t-2363\te111_2\n"
                     "90\t-2447\te111_3\n"
                     "90\t-2615\tedatum\n"
                     "90\t-2699\tetelefon\n");
}

TEST(CliLayoutForeign, StartsAsTheWindowAndSelectsByPosition) {
    // As the window starts: "EUR", an empty bank code as eight blanks, the bank name and the
    // transit mark left out while their boxes are unchecked.
    Result r = runCli({"layout", "foreign", "--set", "EAuftraggeberBank=Sparkasse"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n', r.out.find("EUR")) + 1),
              "960\t-95\t        \n1460\t-95\t\n960\t-179\t\n650\t-263\t1\n90\t-347\tEUR\n");
    EXPECT_EQ(r.out.find("Sparkasse"), std::string::npos);
    EXPECT_EQ(r.out.find("X"), std::string::npos);

    struct Case {
        const char* select;
        const char* line;
    };
    const Case cases[] = {
        {"CBAusfuehrungsart=2", "480\t-1775\t2\n"},  {"CBAusfuehrungsart=3", "480\t-1775\t2\n"},
        {"CBAusfuehrungsart=5", "480\t-1775\t9\n"},  {"CBWeisungsschluessel=1", "930\t-1775\t1\n"},
        {"CBEntgeltregelung=2", "1380\t-1775\t2\n"}, {"CBEntgeltezuLasten=-1", "1930\t-1775\t0\n"},
        {"CBZahlungzuLasten=2", "650\t-263\t2\n"},   {"CBZahlungzuLasten=-1", "650\t-263\t0\n"},
    };
    for (const auto& c : cases) {
        r = runCli({"layout", "foreign", "--select", c.select});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(c.line), std::string::npos) << c.select << "\n" << r.out;
    }
    r = runCli({"layout", "foreign", "--set", "EWaehrung=CHF", "--kv", "10", "--kh", "-5"});
    EXPECT_NE(r.out.find("100\t-342\tCHF\n"), std::string::npos) << r.out;
}

TEST(CliLayoutForeign, BadSelectionsAreNamedAndExitWithTwo) {
    struct Case {
        cli::Args args;
        std::string inMessage;
    };
    const Case cases[] = {
        {{"layout", "foreign", "--select", "CBNichtDa=1"}, "'CBNichtDa'"},
        {{"layout", "foreign", "--select", "EBetrag=1"}, "'EBetrag'"},
        {{"layout", "foreign", "--select", "CBAusfuehrungsart=6"}, "'6'"},
        {{"layout", "foreign", "--select", "CBEntgeltregelung=-2"}, "'-2'"},
        {{"layout", "foreign", "--select", "CBEntgeltregelung=zwei"}, "'zwei'"},
        {{"layout", "foreign", "--select", "CBEntgeltregelung"}, "LISTE=POSITION"},
        {{"layout", "foreign", "--select"}, "--select"},
        {{"layout", "foreign", "--set", "CBTransit=1"}, "'CBTransit'"},
        {{"layout", "foreign", "--check", "EBetrag"}, "'EBetrag'"},
        {{"layout", "foreign", "--variant", "15"}, "'--variant'"},
        {{"layout", "transfer", "--select", "CBAusfuehrungsart=1"}, "'--select'"},
    };
    for (const auto& c : cases) {
        Result r = runCli(c.args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(c.args);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.inMessage), std::string::npos)
            << testing::PrintToString(c.args) << ": " << r.err;
    }
}

// The first word of a pdftotext -bbox listing with exactly this text: its left and top edge in
// millimetres from the sheet's top-left corner.
std::optional<std::pair<double, double>> wordAt(const std::string& html, const std::string& text) {
    static const std::regex word("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
                                 "yMax=\"[0-9.]+\">([^<]*)</word>");
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it)
        if ((*it)[3] == text)
            return std::pair{std::stod((*it)[1]) * 25.4 / 72, std::stod((*it)[2]) * 25.4 / 72};
    return std::nullopt;
}

TEST(CliPrintForeign, EveryTextLandsInItsBoxOfThePdf) {
    test::ScopedDataHome home;
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\" + std::string(kAppKey), true));
        reg.WriteString("FontNameA", "Courier New");
        reg.WriteInteger("FontSizeA", 9);
        reg.WriteBool("FontBoldA", true);
    }
    DeviceCaps caps;
    gui::printToPdfFile(home.path() / "unused.pdf", [&](Printer& p) { caps = p.Caps(); });
    ASSERT_GT(caps.dpiX, 0);
    const double originX = caps.offsetX * 25.4 / caps.dpiX;
    const double originY = caps.offsetY * 25.4 / caps.dpiY;

    const auto pdf = home.path() / "foreign.pdf";
    cli::Args args = namedFields();
    args[0] = "print";
    for (const char* a : {"--select", "CBAusfuehrungsart=4", "--kv", "-30", "--kh", "20", "--pdf"})
        args.push_back(a);
    args.push_back(pdf.string());
    Result r = runCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto html = home.path() / "foreign.html";
    ASSERT_EQ(
        std::system(("pdftotext -bbox '" + pdf.string() + "' '" + html.string() + "'").c_str()), 0);
    const std::string listing = test::readFile(html);

    struct Expect {
        const char* text;
        int x, k; // layout position: dx and line
    };
    const Expect expected[] = {
        {"EAuftraggeberBank", 90, 1},
        {"37050198", 960, 1},
        {"EReferenzKontoinhaber", 1460, 1},
        {"EZielland", 1460, 4},
        {"EKontonrIBAN", 90, 12},
        {"EEmpfaengerBankcode", 900, 12},
        {"8", 480, 21},
        {"X", 1930, 24},
        {"e107", 1300, 25},
        {"etelefon", 90, 32},
    };
    for (const auto& e : expected) {
        auto w = wordAt(listing, e.text);
        ASSERT_TRUE(w) << e.text << "\n" << listing;
        EXPECT_NEAR(w->first, originX + (e.x - 30) / 10.0, 0.1) << e.text;
        EXPECT_NEAR(w->second, originY + (11 + e.k * 84 + 20) / 10.0, 0.1) << e.text;
    }
}

} // namespace
} // namespace formidor
