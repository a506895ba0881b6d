// The real programs as a user starts them: formidor-cli loads no Qt for a command that prints
// nothing, and hands a printing command to formidor-cli-print.
#include "common/testenv.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace formidor {
namespace {

struct ProgramRun {
    int status;
    std::string out, loader; // the dynamic loader's report (LD_DEBUG=libs) and the messages
};

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

ProgramRun runProgram(const std::vector<std::string>& args, const test::TempDir& tmp) {
    std::string cmd =
        "LD_DEBUG=libs " + quote((paths::programDirectory() / "formidor-cli").string());
    for (const auto& a : args) cmd += " " + quote(a);
    cmd += " >" + quote((tmp / "out").string()) + " 2>" + quote((tmp / "err").string());
    int rc = std::system(cmd.c_str());
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, test::readFile(tmp / "out"),
            test::readFile(tmp / "err")};
}

TEST(CliProcess, CommandsThatPrintNothingLoadNoQt) {
    test::ScopedDataHome home;
    test::TempDir tmp;
    test::writeFile(tmp / "in.txt", "10010010 18\n");
    const std::string blz = test::fixture("blz_small.asc").string();
    const std::vector<std::vector<std::string>> commands = {
        {"--help"},
        {"check", "20000000", "18", "--blz-file", blz},
        {"check", "--infile", (tmp / "in.txt").string(), "--blz-file", blz},
        {"bank", "20000000", "--blz-file", blz},
        {"layout", "transfer", "--set", "EEmpfaenger=Stadtwerke"},
        {"journal", "--file", (tmp / "kein-journal").string()},
        {"reg-export", (tmp / "x.reg").string()},
    };
    for (const auto& c : commands) {
        ProgramRun r = runProgram(c, tmp);
        EXPECT_NE(r.loader.find("libsqlite3"), std::string::npos) << c[0] << ": " << r.loader;
        EXPECT_EQ(r.loader.find("libQt6"), std::string::npos) << c[0];
    }
}

TEST(CliProcess, PrintingIsHandedToThePrintingProgram) {
    test::ScopedDataHome home;
    test::TempDir tmp;
    const std::string pdf = (tmp / "u.pdf").string();
    ProgramRun r =
        runProgram({"print", "transfer", "--set", "EEmpfaenger=Stadtwerke", "--pdf", pdf}, tmp);
    EXPECT_EQ(r.status, 0) << r.loader.substr(r.loader.size() > 2000 ? r.loader.size() - 2000 : 0);
    EXPECT_NE(r.loader.find("libQt6PrintSupport"), std::string::npos);
    EXPECT_EQ(test::readFile(pdf).substr(0, 5), "%PDF-");

    r = runProgram({"print", "transfer", "--kv", "x", "--pdf", pdf}, tmp);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.loader.find("'x' ist kein gültiger Integerwert"), std::string::npos);
}

TEST(CliProcess, JournalFromStandardInput) {
    test::TempDir tmp;
    const std::string cli = quote((paths::programDirectory() / "formidor-cli").string());
    const std::string out =
        " >" + quote((tmp / "out").string()) + " 2>" + quote((tmp / "err").string());
    const std::string fixture = quote(test::fixture("journal_one_record").string());
    // Redirected from a file, /dev/stdin is that file; through a pipe it is refused rather
    // than read as an empty journal.
    int rc = std::system((cli + " journal --file /dev/stdin <" + fixture + out).c_str());
    EXPECT_EQ(WEXITSTATUS(rc), 0) << test::readFile(tmp / "err");
    EXPECT_EQ(test::readFile(tmp / "out").substr(0, 2), "7\t");
    rc = std::system(("cat " + fixture + " | " + cli + " journal --file /dev/stdin" + out).c_str());
    EXPECT_EQ(WEXITSTATUS(rc), 2);
    EXPECT_NE(test::readFile(tmp / "err").find("keine gewöhnliche Datei"), std::string::npos);
}

} // namespace
} // namespace formidor
