#include "cli/clirun.h"

#include "common/testenv.h"
#include "journal/journal.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>

namespace formidor {
namespace {

namespace fs = std::filesystem;

using test::runCli;
using Result = test::CliResult;

TEST(CliJournal, PrintsTheCurrentUsersJournalAsThePageShowsIt) {
    test::ScopedDataHome home;
    Journal j;
    j.JournalLaden();
    j.JournalAnhaengen(kJournalUeberweisung, "1234567890", "Jürgen Müller", 44270.5, "37040044",
                       "Stadtwerke Köln", "555", "COBADEFFXXX", "Strom", 125000);
    j.JournalAnhaengen(kJournalScheckeinreichung, "", "Ich", 44271.0, "", "", "", "", "", 0);

    Result r = runCli({"journal"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\tÜberweisung - 15.03.2021 - Betrag: 12,50 € - Verwendungszweck: Strom\n"
                     "\tAuftraggeber: Jürgen Müller - Konto: 1234567890 (37040044)\n"
                     "\tEmpfänger: Stadtwerke Köln - Konto:555 (COBADEFFXXX)\n"
                     "2\tScheckeinreichung - 16.03.2021 - Betrag: 0,00 € - Verwendungszweck: \n"
                     "\tAuftraggeber: Ich - Konto:  ()\n"
                     "\tEmpfänger:  - Konto: ()\n");
}

TEST(CliJournal, ReadsAnotherFileAndChangesNothing) {
    test::ScopedDataHome home;
    Result r = runCli({"journal", "--file", test::fixture("journal_one_record").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 2), "7\t");
    EXPECT_FALSE(fs::exists(paths::journalFile())) << "reading creates no journal";

    Result none = runCli({"journal"});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_FALSE(fs::exists(paths::journalFile()));
}

TEST(CliJournal, UnreadableOrMissingFileIsAGermanMessageAndStatusTwo) {
    test::TempDir dir;
    struct Case {
        cli::Args args;
        const char* message;
    };
    const Case cases[] = {
        {{"journal", "--file", dir.path().string()}, "kann nicht gelesen werden"},
        {{"journal", "--file", (dir / "fehlt").string()}, "existiert nicht"},
        {{"journal", "--file"}, "Aufruf"},
    };
    for (const auto& c : cases) {
        Result r = runCli(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(CliJournal, LineBreaksAndTabsInATextKeepThreeLinesPerRecord) {
    test::ScopedDataHome home;
    Journal j;
    j.JournalAnhaengen(kJournalUeberweisung, "1\t2", "Zeile\r\nzwei", 44270.5, "C:\\x", "E", "K",
                       "B", std::string("a\nb\x01") + '\x7f', 0);
    Result r = runCli({"journal"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\tÜberweisung - 15.03.2021 - Betrag: 0,00 € - Verwendungszweck: "
                     "a\\nb\\x01\\x7f\n"
                     "\tAuftraggeber: Zeile\\r\\nzwei - Konto: 1\\t2 (C:\\\\x)\n"
                     "\tEmpfänger: E - Konto:K (B)\n");
}

TEST(CliJournal, APipeAsTheJournalIsRefusedNotReadAsEmpty) {
    test::TempDir dir;
    const fs::path fifo = dir / "journal";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Result r = runCli({"journal", "--file", fifo.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("keine gewöhnliche Datei"), std::string::npos) << r.err;
}

} // namespace
} // namespace formidor
