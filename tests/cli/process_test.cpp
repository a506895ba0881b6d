// The real programs as a user starts them: formidor-cli loads no Qt for a command that prints
// nothing, and hands a printing command to formidor-cli-print.
#include "common/testenv.h"
#include "platform/hive.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
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

// `launcher` starts the program, e.g. with a limit on the size of the files it writes.
ProgramRun runProgram(const std::vector<std::string>& args, const test::TempDir& tmp,
                      const std::string& launcher = "") {
    // Under a launcher the loader's report is left out: it alone would pass a size limit.
    std::string cmd = (launcher.empty() ? std::string("LD_DEBUG=libs ") : launcher) +
                      quote((paths::programDirectory() / "formidor-cli").string());
    for (const auto& a : args) cmd += " " + quote(a);
    cmd += " >" + quote((tmp / "out").string()) + " 2>" + quote((tmp / "err").string());
    // A write past a file size limit then fails as on a full disk instead of ending the program.
    cmd = "trap '' XFSZ; " + cmd;
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

// A PDF that cannot be written completely is an error, and only a regular file is ever replaced:
// a full disk keeps the previous file, a pipe or a device in its place stays what it is.
TEST(CliProcess, APdfThatCannotBeWrittenIsAnError) {
    test::ScopedDataHome home;
    test::TempDir tmp;
    const std::vector<std::string> print = {"print", "transfer", "--set", "EEmpfaenger=Stadtwerke",
                                            "--pdf"};
    auto withPdf = [&](const std::string& pdf) {
        auto args = print;
        args.push_back(pdf);
        return args;
    };
    {
        // The store is open here, so the program finds its shared-memory file made and does not
        // need to grow a file for reading its settings.
        TRegistry r;
        ASSERT_TRUE(r.OpenKey("\\" + std::string(kAppKey), true));
        r.WriteString("Vorher", "1");
    }
    const std::string pdf = (tmp / "u.pdf").string();
    test::writeFile(pdf, "ALT");
    // Writes past 4 KB fail as on a full disk (the signal that would end the program is ignored).
    ProgramRun r = runProgram(withPdf(pdf), tmp, "prlimit --fsize=4096 ");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.loader.find("u.pdf\" konnte nicht geschrieben werden: die Datei würde größer"),
              std::string::npos)
        << r.loader;
    EXPECT_EQ(test::readFile(pdf), "ALT");
    size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(tmp.path()))
        entries += e.path().filename().string().rfind("u.pdf", 0) == 0;
    EXPECT_EQ(entries, 1u) << "a temporary file was left";

    const auto fifo = tmp / "pipe.pdf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    r = runProgram(withPdf(fifo.string()), tmp);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.loader.find("keine gewöhnliche Datei"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

} // namespace
} // namespace formidor
