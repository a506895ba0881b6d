#include "cli/clirun.h"

#include "common/testenv.h"
#include "journal/journal.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

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

// A journal file of `n` transfers, one an hour from 15.03.2021 00:00.
void writeJournal(const fs::path& file, int n) {
    Journal j(file);
    j.JournalLaden();
    for (int i = 0; i < n; ++i)
        j.JournalAnhaengen(kJournalUeberweisung, "1234567890", "Jürgen Müller", 44270.0 + i / 24.0,
                           "37040044", "Stadtwerke Köln", "555", "37050198", "Strom", 125000);
}

std::vector<int32_t> idsIn(const fs::path& file) {
    std::vector<int32_t> ids;
    const auto records = readJournalFile(file);
    for (const auto& r : *records) ids.push_back(r.ID());
    return ids;
}

// The pages of a PDF as its page tree counts them.
int pdfPages(const fs::path& pdf) {
    const std::string bytes = test::readFile(pdf);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    int pages = 0;
    for (size_t at = 0; (at = bytes.find("/Type /Page", at)) != std::string::npos; ++at)
        if (bytes.compare(at, 12, "/Type /Pages") != 0) ++pages;
    return pages;
}

TEST(CliJournal, PrintWritesTheListWithTheDialogsDefaults) {
    test::TempDir dir;
    const auto file = dir / "journal";
    writeJournal(file, 17);
    struct Case {
        cli::Args range;
        int pages;
    };
    const Case cases[] = {
        {{}, 2},                                          // everything: 16 a page
        {{"--from-number", "2", "--to-number", "17"}, 1}, // 16 records
        {{"--from-number", "9", "--to-number", "3"}, 1},  // nothing: the header alone
        {{"--to-date", "15.03.2021"}, 2},                 // all 17 lie on that day
        {{"--from-date", "16.03.2021"}, 1},
    };
    for (const auto& c : cases) {
        const auto pdf = dir / "liste.pdf";
        cli::Args args = {"journal", "print", "--file", file.string(), "--pdf", pdf.string()};
        args.insert(args.end(), c.range.begin(), c.range.end());
        Result r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(pdfPages(pdf), c.pages) << testing::PrintToString(c.range);
    }
    EXPECT_EQ(idsIn(file).size(), 17u) << "printing changes nothing";
}

TEST(CliJournal, DeleteNeedsARangeAndYesAndKeepsTheFileEqualToTheRest) {
    test::TempDir dir;
    const auto file = dir / "journal";
    writeJournal(file, 5);
    const std::string f = file.string();
    struct Refused {
        cli::Args args;
        const char* message;
    };
    const Refused refused[] = {
        {{"journal", "delete", "--file", f, "--from-number", "4", "--to-number", "5"}, "--yes"},
        {{"journal", "delete", "--file", f, "--from-number", "4", "--yes"}, "--to-number"},
        {{"journal", "delete", "--file", f, "--yes"}, "--from-number"},
        {{"journal", "delete", "--file", f, "--from-number", "vier", "--to-number", "5", "--yes"},
         "Bitte gültigen Wert in \"Von Nummer\" eingeben"},
        {{"journal", "delete", "--file", f, "--from-date", "31.02.2021", "--to-date", "1.3.2021",
          "--yes"},
         "'31.02.2021' ist kein gültiges Datum"},
        {{"journal", "delete", "--file", (dir / "fehlt").string(), "--from-number", "1",
          "--to-number", "2", "--yes"},
         "existiert nicht"},
    };
    for (const auto& c : refused) {
        Result r = runCli(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(idsIn(file), (std::vector<int32_t>{1, 2, 3, 4, 5}));
    }

    Result r = runCli(
        {"journal", "delete", "--file", f, "--from-number", "4", "--to-number", "5", "--yes"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2 Einträge gelöscht.\n");
    EXPECT_EQ(idsIn(file), (std::vector<int32_t>{1, 2, 3}));

    // By days: records 1–3 lie at 00:00, 01:00 and 02:00 of 15.03.2021.
    r = runCli({"journal", "delete", "--file", f, "--from-date", "15.03.2021", "--to-date",
                "15.03.2021", "--yes"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "3 Einträge gelöscht.\n");
    EXPECT_TRUE(idsIn(file).empty());
}

} // namespace
} // namespace formidor
