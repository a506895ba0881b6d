#include "cli/clirun.h"
#include "common/testenv.h"

#include <gtest/gtest.h>

namespace formidor::cli {
namespace {

const auto call = test::runCli;

std::string directory() {
    return test::fixture("blz_iban.asc").string();
}

TEST(IbanCommand, OneLinePerIbanAndTheExitStatus) {
    test::CliResult r =
        call({"iban", "DE89370400440532013000", "gb82 west 1234 5698 7654 32", "--blz-file",
              directory(), "DE72370501980001802058", "DE87123456781234567890"});
    EXPECT_EQ(r.status, 1) << r.err; // the account that fails its method
    EXPECT_EQ(r.out, "DE89 3704 0044 0532 0130 00\tgültig\t37040044\tCOBADEFFXXX\tCommerzbank "
                     "Köln\t1\tKontonummer lt. Prüfziffernverfahren richtig\n"
                     "GB82 WEST 1234 5698 7654 32\tgültig\n"
                     "DE72 3705 0198 0001 8020 58\tungültig: Kontonummer lt. Prüfziffernverfahren "
                     "falsch\t37050198\tCOLSDE33XXX\tSparkasse KölnBonn\t0\tKontonummer lt. "
                     "Prüfziffernverfahren falsch\n"
                     "DE87 1234 5678 1234 5678 90\tgültig\t12345678\t\tnicht vorhanden\t3\t"
                     "Prüfverfahren nicht verfügbar\n");

    r = call({"iban", "DE02370501980001802057", "IBAN NO9386011117947", "--blz-file", directory()});
    EXPECT_EQ(r.status, 0) << r.err;

    r = call({"iban", "DE89370400440532013001", "XX12", "DE89 3704\t0044 0532 0130 0",
              "AT61 1904 3002 3457 32O1", "", "--blz-file", directory()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "DE89 3704 0044 0532 0130 01\tungültig: Prüfziffern falsch\n"
                     "XX12\tungültig: Länderkennung XX unbekannt\n"
                     "DE89 3704 0044 0532 0130 0\tungültig: Länge 21 statt 22 Zeichen für DE\n"
                     "AT61 1904 3002 3457 32O1\tungültig: Prüfziffern falsch\n"
                     "\tungültig: leer\n");
}

TEST(IbanCommand, DirectoryIsReadOnlyForGermanIbans) {
    const std::string missing = (test::TempDir() / "fehlt.asc").string();
    test::CliResult r = call({"iban", "GB82WEST12345698765432", "--blz-file", missing});
    EXPECT_EQ(r.status, 0) << r.err;
    r = call({"iban", "DE89370400440532013000", "--blz-file", missing});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("kann nicht gelesen werden"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST(IbanCommand, ComputedFromBankCodeAndAccount) {
    test::CliResult r = call({"iban", "--blz", "37040044", "--konto", "532013000"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "DE89 3704 0044 0532 0130 00\n");
    EXPECT_NE(r.err.find("Sonderregeln einzelner Banken sind nicht berücksichtigt"),
              std::string::npos);

    r = call({"iban", "--konto", "532013000", "--blz", "3704"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Die Bankleitzahl '3704' hat nicht acht Ziffern.\n");
}

TEST(IbanCommand, UsageErrors) {
    const Args cases[] = {
        {"iban"},
        {"iban", "--blz-file", directory()},
        {"iban", "--blz", "37040044"},
        {"iban", "--blz", "37040044", "--konto", "1", "DE89370400440532013000"},
        {"iban", "DE89370400440532013000", "--blz-file"},
        {"iban", "--unbekannt", "DE89370400440532013000"},
    };
    for (const auto& args : cases) {
        test::CliResult r = call(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(r.err.empty());
    }
    test::CliResult help = call({"iban", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Aufruf: formidor-cli iban", 0), 0u) << help.out;
}

} // namespace
} // namespace formidor::cli
