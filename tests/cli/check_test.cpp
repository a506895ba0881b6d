#include "cli/clirun.h"
#include "common/testenv.h"
#include "platform/text.h"

#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace formidor::cli {
namespace {

using Outcome = test::CliResult;
const auto call = test::runCli;

std::string small() {
    return test::fixture("blz_small.asc").string();
}

TEST(CheckCommand, OnePair) {
    struct {
        Args args;
        std::string out;
    } cases[] = {
        {{"check", "20000000", "18", "--blz-file", small()},
         "1\tKontonummer lt. Prüfziffernverfahren richtig\n"},
        {{"check", "--blz-file", small(), "20000000", "17"},
         "0\tKontonummer lt. Prüfziffernverfahren falsch\n"},
        {{"check", "10000000", "17", "--blz-file", small()},
         "2\tKontonummer ist nicht überprüfbar\n"},
        {{"check", "40000000", "18", "--blz-file", small()}, "3\tPrüfverfahren nicht verfügbar\n"},
        {{"check", "99999999", "18", "--blz-file", small()}, "3\tPrüfverfahren nicht verfügbar\n"},
        // Cut to ten characters as the direct debit page does: the trailing 9 goes.
        {{"check", "20000000", "00000000189", "--blz-file", small()},
         "1\tKontonummer lt. Prüfziffernverfahren richtig\n"},
        {{"check", "20000000", "1A", "--blz-file", small()},
         "E\t'A' ist kein gültiger Integerwert\n"},
    };
    for (const auto& c : cases) {
        Outcome r = call(c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[1] << " " << c.args[2];
    }
}

TEST(CheckCommand, InputFile) {
    test::TempDir tmp;
    test::writeFile(tmp / "in.txt", "20000000 18\r\n20000000\t\t17\n\n99999999 1\n"
                                    "20000000 12A45\n70000000\n20000000 1 2\n"
                                    "70000000 0001234566");
    Outcome r = call({"check", "--infile", (tmp / "in.txt").string(), "--blz-file", small()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "20000000\t0000000018\t1\tKontonummer lt. Prüfziffernverfahren richtig\n"
                     "20000000\t0000000017\t0\tKontonummer lt. Prüfziffernverfahren falsch\n"
                     "99999999\t0000000001\t3\tPrüfverfahren nicht verfügbar\n"
                     "20000000\t0000012A45\tE\t'A' ist kein gültiger Integerwert\n"
                     "70000000\t\tE\tKeine Kontonummer angegeben\n"
                     "20000000\t0000000001\tE\tMehr als Bankleitzahl und Kontonummer in der Zeile\n"
                     "70000000\t0001234566\t1\tKontonummer lt. Prüfziffernverfahren richtig\n");
}

// A pipe or a device as input would never end; only regular files are read.
TEST(CheckCommand, InputAndDirectoryMustBeRegularFiles) {
    test::TempDir tmp;
    ASSERT_EQ(::mkfifo((tmp / "fifo").c_str(), 0600), 0);
    const std::string fifo = (tmp / "fifo").string();
    for (const Args& args : {Args{"check", "--infile", fifo, "--blz-file", small()},
                             Args{"check", "--infile", "/dev/zero", "--blz-file", small()},
                             Args{"check", "20000000", "18", "--blz-file", fifo},
                             Args{"bank", "20000000", "--blz-file", "/dev/zero"}}) {
        Outcome r = call(args);
        EXPECT_EQ(r.status, 2) << args[2];
        EXPECT_NE(r.err.find("keine gewöhnliche Datei"), std::string::npos) << r.err;
    }
    // A directory saved over by an editor answers nothing, for a file of accounts as for one.
    test::writeFile(tmp / "in.txt", "20000000 18\n");
    test::writeFile(tmp / "utf8.asc", cp1252ToUtf8(test::readFile(small())));
    const std::string utf8 = (tmp / "utf8.asc").string();
    for (const Args& args :
         {Args{"check", "--infile", (tmp / "in.txt").string(), "--blz-file", utf8},
          Args{"check", "50000000", "18", "--blz-file", utf8}}) {
        Outcome r = call(args);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("ist beschädigt"), std::string::npos) << r.err;
    }
}

TEST(CheckCommand, BankName) {
    EXPECT_EQ(call({"bank", "20000000", "--blz-file", small()}).out, "Sparkasse Zwei\n");
    EXPECT_EQ(call({"bank", "30000000", "--blz-file", small()}).out, "\n");
    EXPECT_EQ(call({"bank", "0000000", "--blz-file", small()}).out, "nicht vorhanden\n");
}

TEST(CheckCommand, MissingFilesAreExitTwo) {
    test::TempDir tmp;
    std::string missing = (tmp / "fehlt").string();
    for (Args args : {Args{"check", "20000000", "18", "--blz-file", missing},
                      Args{"bank", "20000000", "--blz-file", missing},
                      Args{"check", "--infile", missing, "--blz-file", small()},
                      Args{"check", "--infile", (tmp / "x").string(), "--blz-file", missing},
                      Args{"check", "20000000"}}) {
        Outcome r = call(args);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_NE(call({"bank", "1", "--blz-file", missing}).err.find("Datei nicht gefunden"),
              std::string::npos);
}

} // namespace
} // namespace formidor::cli
