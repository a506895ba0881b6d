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

TEST(CliLayout, ChequeWithEachCounterfoil) {
    Result r = runCli({"layout", "cheque", "--set", "EBetragV=1234,56", "--set", "EOrt=Bonn",
                       "--set", "EDatum=15.03.2021", "--set", "EEmpfaenger1=Jürgen Müller"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "50\t-174\t*eins*zwei*drei*\n"
                     "50\t-258\t*vier*\n"
                     "1035\t-258\t*1234,56*\n"
                     "1000\t-384\tBonn\n"
                     "1000\t-426\t15.03.2021\n"
                     "100\t-426\t\n"
                     "100\t-510\tJürgen Müller\n"
                     "100\t-594\t\n"
                     "100\t-678\t\n"
                     "275\t-678\t\n");

    struct Case {
        const char* counterfoil;
        std::string head; // the counterfoil's texts and the first text of the cheque
    };
    const Case cases[] = {
        {"Deutsche", "10\t10\tA\n10\t-32\tB\n10\t-258\tEUR 12,50\n10\t-466\tV\n"
                     "450\t-174\t*eins*zwei*\n"},
        {"leer", "10\t10\tA\n10\t-32\tB\n10\t-258\tEUR 12,50\n10\t-466\tV\n"
                 "850\t-174\t*eins*zwei*\n"},
        {"DG", "10\t-70\tA\n10\t-112\tB\n10\t-258\tEUR 12,50\n10\t-466\tV\n"
               "450\t-258\t*eins*zwei*\n"},
        {"Dresdner", "80\t-60\tA - B -  -  -  - \n1035\t-200\tEUR 12,50\n50\t-409\t*eins*zwei*\n"},
        {"ObenGross", "50\t-466\tV\n50\t-974\t*eins*zwei*\n"},
        {"kein", "50\t-174\t*eins*zwei*\n"},
    };
    for (const auto& c : cases) {
        r = runCli({"layout", "cheque", "--counterfoil", c.counterfoil, "--set", "EBetragV=12,50",
                    "--set", "MemoDeutscheAbs=A\\nB", "--set", "MemoDeutscheVerw=V", "--kv", "0"});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.substr(0, c.head.size()), c.head) << c.counterfoil << "\n" << r.out;
    }
}

TEST(CliLayout, DirectDebitAndCoverSheet) {
    Result r = runCli({"layout", "debit", "--set", "ENameZ=Stadtwerke", "--set", "EBetragZ=10,50",
                       "--set", "EKontonrZEmpf=123456", "--kh", "10"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "70\t-136\tStadtwerke\n"
                     "70\t-221\t\n"
                     "1050\t-221\t        \n" // the masked bank code field's empty text
                     "70\t-306\t\n"
                     "850\t-391\t10,50\n"
                     "70\t-476\t\n"
                     "70\t-561\t\n"
                     "70\t-646\t\n"
                     "70\t-731\t123456\n");

    // Count and total as the page starts them, unless set.
    r = runCli({"layout", "cover", "--set", "EKontoinhaberD=Verein", "--feed", "links"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "662\t-545\t0\n"
                     "1192\t-545\tEUR\n"
                     "1392\t-545\t0,00\n"
                     "662\t-629\tVerein\n"
                     "662\t-713\t\n");
    r = runCli({"layout", "cover", "--set", "EStueckzahlD=3", "--set", "EBetragD=12,00"});
    EXPECT_EQ(r.out.substr(0, r.out.find("\n70")), "70\t-545\t3\n600\t-545\tEUR\n800\t-545\t12,00");

    r = runCli({"--help"});
    EXPECT_NE(r.out.find("Formulare: transfer, cheque, debit, cover"), std::string::npos) << r.out;
}

TEST(CliLayout, BadInputIsNamedAndExitsWithTwo) {
    struct Case {
        cli::Args args;
        std::string inMessage;
    };
    const Case cases[] = {
        {{"layout", "scheck"}, "'scheck'"},
        {{"layout"}, "Formular"},
        {{"layout", "transfer", "--variant", "17/18"}, "'17/18'"},
        {{"layout", "transfer", "--set", "ENichtDa=1"}, "'ENichtDa'"},
        {{"layout", "transfer", "--set", "EEmpfaenger"}, "FELD=TEXT"},
        {{"layout", "transfer", "--check", "EEmpfaenger"}, "'EEmpfaenger'"},
        {{"layout", "transfer", "--kv", "1,5"}, "'1,5' ist kein gültiger Integerwert"},
        {{"layout", "transfer", "--kh", ""}, "'' ist kein gültiger Integerwert"},
        {{"layout", "transfer", "--kv", "2147483647"}, "außerhalb des zulässigen Bereichs"},
        {{"layout", "transfer", "--kh", "-5001"}, "'-5001' liegt außerhalb"},
        {{"layout", "transfer", "--kh"}, "--kh"},
        {{"layout", "transfer", "--orientation", "quer"}, "'quer'"},
        {{"layout", "transfer", "--feed", "oben"}, "'oben'"},
        {{"layout", "transfer", "--pdf", "x.pdf"}, "'--pdf'"},
        {{"print", "transfer"}, "--pdf"},
        {{"print", "transfer", "--pdf", "x.pdf", "--variant", "99"}, "'99'"},
        {{"layout", "cheque", "--counterfoil", "Sparkasse"}, "'Sparkasse'"},
        {{"layout", "cheque", "--counterfoil"}, "--counterfoil"},
        {{"layout", "cheque", "--set", "EBetrag=1"}, "'EBetrag'"},
        {{"layout", "cheque", "--check", "RBDeutsche"}, "'RBDeutsche'"},
        {{"layout", "debit", "--counterfoil", "DG"}, "'--counterfoil'"},
        {{"layout", "debit", "--set", "EStueckzahlD=1"}, "'EStueckzahlD'"},
        {{"layout", "cover", "--set", "ENameZ=x"}, "'ENameZ'"},
        {{"print", "cover", "--kv", "x", "--pdf", "x.pdf"}, "'x' ist kein gültiger Integerwert"},
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

TEST(CliPrint, ChequeDebitAndCoverSheetIntoPdfLandInTheirBoxes) {
    test::ScopedDataHome home;
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\" + std::string(kAppKey), true));
        for (const char* code : {"V", "L"}) {
            reg.WriteString(std::string("FontName") + code, "Courier New");
            reg.WriteInteger(std::string("FontSize") + code, 9);
            reg.WriteBool(std::string("FontBold") + code, true);
        }
    }
    DeviceCaps caps;
    gui::printToPdfFile(home.path() / "unused.pdf", [&](Printer& p) { caps = p.Caps(); });
    ASSERT_GT(caps.dpiX, 0);
    const double originX = caps.offsetX * 25.4 / caps.dpiX;
    const double originY = caps.offsetY * 25.4 / caps.dpiY;

    struct Expect {
        const char* text;
        double x, y; // after the offsets and the counterfoil's shift, 0.1 mm, y up
    };
    struct Case {
        cli::Args args;
        std::vector<Expect> expected;
    };
    const Case cases[] = {
        {{"cheque", "--counterfoil", "Deutsche", "--set", "EBetragV=12,50", "--set",
          "MemoDeutscheVerw=Rechnung\\nNr.17", "--set", "EOrt=Bonn", "--kh", "20"},
         {{"EUR", 10, -258 - 20},
          {"Nr.17", 10, -508 - 20},
          {"*eins*zwei*", 450, -174 - 20},
          {"*12,50*", 1435, -258 - 20},
          {"Bonn", 1400, -384 - 20}}},
        // The Dresdner counterfoil's texts stand on the strip above the cheque, not off the sheet.
        {{"cheque", "--counterfoil", "Dresdner", "--set", "EBetragV=12,50", "--set",
          "MemoDeutscheAbs=Anna\\nBonn"},
         {{"Anna", 80, -60}, {"EUR", 1035, -200}, {"*eins*zwei*", 50, -174 - 235}}},
        {{"cheque", "--counterfoil", "ObenGross", "--set", "EBetragV=5", "--set", "EPLZE=50667"},
         {{"*fuenf*", 50, -174 - 800}, {"50667", 100, -678 - 800}}},
        {{"debit", "--set", "ENameZ=Stadtwerke", "--set", "EBLZZ=37050198", "--kv", "-30"},
         {{"Stadtwerke", 70 - 30, -126}, {"37050198", 1050 - 30, -211}}},
        {{"cover", "--set", "EStueckzahlD=3", "--set", "EKontonrZahlungsempf=123456"},
         {{"3", 70, -545}, {"EUR", 600, -545}, {"0,00", 800, -545}, {"123456", 70, -713}}},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        const auto pdf = home.path() / ("form" + std::to_string(++n) + ".pdf");
        cli::Args args = {"print"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"--pdf", pdf.string()});
        Result r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const auto html = home.path() / ("form" + std::to_string(n) + ".html");
        const std::string cmd = "pdftotext -bbox '" + pdf.string() + "' '" + html.string() + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        const std::string listing = test::readFile(html);
        for (const auto& e : c.expected) {
            auto w = findWord(listing, e.text);
            ASSERT_TRUE(w) << e.text << "\n" << listing;
            EXPECT_NEAR(mm(w->xMin), originX + e.x / 10, 0.1) << e.text;
            EXPECT_NEAR(mm(w->yMin), originY - e.y / 10, 0.1) << e.text;
        }
    }
}

} // namespace
} // namespace formidor
