#include "cli/clirun.h"

#include "common/testenv.h"
#include "platform/datetime.h"

#include <gtest/gtest.h>

namespace formidor {
namespace {

using test::runCli;
using Result = test::CliResult;

std::vector<std::string> lines(const std::string& out) {
    std::vector<std::string> v;
    size_t start = 0;
    for (size_t nl; (nl = out.find('\n', start)) != std::string::npos; start = nl + 1)
        v.push_back(out.substr(start, nl - start));
    return v;
}

bool has(const std::vector<std::string>& v, const std::string& line) {
    return std::find(v.begin(), v.end(), line) != v.end();
}

TEST(CliReport, TransferReportByVariantWithTodaysDate) {
    const std::string today = DateToStr(Date());
    Result sepa =
        runCli({"layout", "report-transfer", "--set", "EEmpfaenger=Stadtwerke Köln", "--set",
                "EIBANEmpf=DE02370501980001802057", "--set", "EBank=COLSDE33", "--kv", "50"});
    ASSERT_EQ(sepa.status, 0) << sepa.err;
    auto l = lines(sepa.out);
    ASSERT_FALSE(l.empty());
    // No calibration: the offsets of the form printers do not move a report.
    EXPECT_EQ(l[0], "300\t-100\tSEPA-Überweisungsbericht vom " + today);
    EXPECT_EQ(l[1], "400\t-325\tBetrag: ");
    EXPECT_EQ(l[2], "600\t-475\tStadtwerke Köln");
    EXPECT_TRUE(has(l, "1500\t-475\tDE02370501980001802057"));
    EXPECT_TRUE(has(l, "600\t-525\tCOLSDE33"));

    Result postbank = runCli({"layout", "report-transfer", "--variant", "Postbank", "--set",
                              "EAusfuehrungsdatum=01.04.2021", "--set", "EPostbankB=12.03.",
                              "--check", "EPostbankC"});
    ASSERT_EQ(postbank.status, 0) << postbank.err;
    l = lines(postbank.out);
    EXPECT_TRUE(has(l, "600\t-725\t12.03.")) << postbank.out;
    EXPECT_TRUE(has(l, "600\t-825\tJa"));
    EXPECT_FALSE(has(l, "600\t-725\t01.04.2021"));
    EXPECT_TRUE(has(l, "600\t-525\t        ")) << "an empty bank code reads as its mask shows it";
}

TEST(CliReport, ChequeReportStartsWithoutCounterfoil) {
    const cli::Args base = {"layout", "report-cheque",
                            "--set",  "EDatum=15.03.2021",
                            "--set",  "MemoDeutscheAbs=Jürgen Müller\\nBonn"};
    Result none = runCli(base);
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(lines(none.out).back(), "600\t-575\t15.03.2021");

    cli::Args with = base;
    with.insert(with.end(), {"--counterfoil", "Deutsche"});
    Result r = runCli(with);
    ASSERT_EQ(r.status, 0) << r.err;
    auto l = lines(r.out);
    EXPECT_EQ(l.size(), 13u + 1 + 5 + 1 + 17);
    EXPECT_TRUE(has(l, "600\t-625\tJürgen Müller"));
    EXPECT_TRUE(has(l, "600\t-675\tBonn"));
}

TEST(CliReport, DepositReportTakesTheLastDepositBankFromSet) {
    Result r = runCli({"layout", "report-deposit", "--set", "LastDepositBank=Deutsche Bank",
                       "--set", "EWert=150321", "--set", "EKontonr1=K1", "--set", "EBLZ2=370"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto l = lines(r.out);
    EXPECT_TRUE(has(l, "600\t-475\tK1"));
    EXPECT_TRUE(has(l, "600\t-825\t370     ")) << r.out;
    EXPECT_EQ(l.back(), "1200\t-2500\tDatum: 150321");

    Result before = runCli({"layout", "report-deposit", "--set", "EWert=150321"});
    ASSERT_EQ(before.status, 0);
    EXPECT_EQ(lines(before.out).back(), "500\t-2500\tGesamtbetrag:  ");
}

TEST(CliReport, UnknownNamesAreRefused) {
    struct Case {
        cli::Args args;
        const char* message;
    };
    const Case cases[] = {
        {{"layout", "report-cheque", "--counterfoil", "oben"}, "Unbekannter Begleitabschnitt"},
        {{"layout", "report-deposit", "--set", "ComboBox1=Sparkasse"}, "Unbekanntes Feld"},
        {{"layout", "report-transfer", "--variant", "99"}, "Unbekannte Formularvariante"},
        {{"layout", "report-deposit", "--variant", "13"}, "Unbekannte Option"},
    };
    for (const auto& c : cases) {
        Result r = runCli(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(CliReport, PrintWritesOnePagePdf) {
    test::TempDir dir;
    for (const char* form : {"report-transfer", "report-cheque", "report-deposit"}) {
        const auto pdf = dir / (std::string(form) + ".pdf");
        Result r = runCli({"print", form, "--pdf", pdf.string()});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(test::readFile(pdf).substr(0, 5), "%PDF-") << form;
    }
}

} // namespace
} // namespace formidor
