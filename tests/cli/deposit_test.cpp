#include "cli/clirun.h"

#include "common/testenv.h"
#include "forms/deposit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace formidor {
namespace {

using test::runCli;
using Result = test::CliResult;

// A field of each kind set to its own name, the rest left empty.
cli::Args depositArgs(const std::string& command, const std::string& bank) {
    cli::Args args = {command, "deposit", "--set", "ComboBox1=" + bank};
    for (const char* c : {"EKontoinhaber", "EOrtDatum", "ESchecknr1", "EKontonr2", "EBetrag5",
                          "EStueck", "EWert", "EEmpfaengerKontonr", "EGesamtbetrag"}) {
        args.push_back("--set");
        args.push_back(std::string(c) + "=" + c);
    }
    return args;
}

TEST(CliDeposit, LayoutOfEveryBankIsItsSlip) {
    for (const auto& bank : forms::depositBanks()) {
        const std::string name(bank.name);
        SCOPED_TRACE(name);
        Result r = runCli(depositArgs("layout", name));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        forms::FormPage page;
        for (const char* c : {"EKontoinhaber", "EOrtDatum", "ESchecknr1", "EKontonr2", "EBetrag5",
                              "EStueck", "EWert", "EEmpfaengerKontonr", "EGesamtbetrag"})
            page.setText(c, c);
        for (const auto& c : forms::chequeControls()) page.setText(c.EBLZ, "        ");
        std::string expected;
        for (const auto& t : forms::depositTexts(name, page))
            expected += std::to_string(t.x) + "\t" + std::to_string(t.y) + "\t" + t.text + "\n";
        EXPECT_EQ(r.out, expected);
    }
    // A bank code is read through its mask, the offsets apply as on every form.
    Result r = runCli({"layout", "deposit", "--set", "ComboBox1=Sparkasse", "--set", "EBLZ2=370501",
                       "--kv", "10", "--kh", "-5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("860\t-247\t370501  \n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("810\t-3\t\n"), std::string::npos) << r.out; // EOrtDatum first
}

TEST(CliDeposit, OtherBankTextPrintsAPageWithoutFields) {
    Result r = runCli(depositArgs("layout", "Volksbank Nord"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");

    test::TempDir dir;
    const auto pdf = dir / "leer.pdf";
    cli::Args args = depositArgs("print", "Volksbank Nord");
    args.insert(args.end(), {"--pdf", pdf.string()});
    r = runCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(pdf));
}

TEST(CliDeposit, WithoutABankNothingPrints) {
    test::TempDir dir;
    const auto pdf = dir / "out.pdf";
    for (const cli::Args& args :
         {cli::Args{"layout", "deposit", "--set", "EKontoinhaber=A"},
          cli::Args{"layout", "deposit", "--set", "ComboBox1=Bitte hier Bank auswählen!"},
          cli::Args{"print", "deposit", "--pdf", pdf.string()}}) {
        Result r = runCli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Bitte oben rechts noch eine Bank auswählen"), std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("HypoVereinsbank"), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(pdf));
    Result r = runCli({"layout", "deposit", "--set", "EBetrag6=1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("'EBetrag6'"), std::string::npos) << r.err;
}

TEST(CliDeposit, PrintPutsTheSlipIntoThePdf) {
    test::ScopedDataHome home;
    const auto pdf = home.path() / "hypo.pdf";
    cli::Args args = depositArgs("print", "HypoVereinsbank");
    args.insert(args.end(), {"--pdf", pdf.string()});
    Result r = runCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const auto txt = home.path() / "hypo.txt";
    const std::string cmd = "pdftotext '" + pdf.string() + "' '" + txt.string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string text = test::readFile(txt);
    for (const char* shown : {"EKontoinhaber", "ESchecknr1", "EKontonr2", "EGesamtbetrag", "EWert"})
        EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
    EXPECT_EQ(text.find("EBetrag5"), std::string::npos); // the slip's four rows only
}

} // namespace
} // namespace formidor
