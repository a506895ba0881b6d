#include "journal/journal.h"

#include "common/testenv.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace formidor {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

// The record of tests/fixtures/journal_one_record, laid out byte by byte from the record table.
constexpr TDateTime kFixtureDatum = 44270.5; // 15.03.2021 12:00

void appendFixtureValues(Journal& j, TDateTime datum = kFixtureDatum) {
    j.JournalAnhaengen(kJournalUeberweisung, "1234567890", "Jürgen Müller", datum, "37040044",
                       "Stadtwerke Köln", "DE89370400440532013000", "COBADEFFXXX",
                       "Rechnung 4711 – 100 €", CurrencyFromDouble(12.5));
}

void appendSimple(Journal& j, TDateTime datum) {
    j.JournalAnhaengen(kJournalLastschrift, "", "A", datum, "", "B", "", "", "", 0);
}

std::vector<fs::path> filesIn(const fs::path& dir) {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename());
    return out;
}

TEST(JournalRecord, FixtureReadsFieldByField) {
    test::ScopedDataHome home;
    fs::create_directories(home.appDir());
    fs::copy_file(test::fixture("journal_one_record"), paths::journalFile());
    Journal j;
    j.JournalLaden();
    ASSERT_EQ(j.Liste().size(), 1u);
    const TJournal& r = j.Liste()[0];
    EXPECT_EQ(r.Flag(), 0);
    EXPECT_EQ(r.ID(), 7);
    EXPECT_EQ(r.Datum(), kFixtureDatum);
    EXPECT_EQ(r.Typ(), kJournalUeberweisung);
    EXPECT_EQ(r.Betrag(), 125000);
    EXPECT_EQ(r.AuftraggeberKonto(), "1234567890");
    EXPECT_EQ(r.AuftraggeberName(), "Jürgen Müller");
    EXPECT_EQ(r.AuftraggeberBLZ(), "37040044");
    EXPECT_EQ(r.EmpfaengerName(), "Stadtwerke Köln");
    EXPECT_EQ(r.EmpfaengerKonto(), "DE89370400440532013000");
    EXPECT_EQ(r.EmpfaengerBLZ(), "COBADEFFXXX");
    EXPECT_EQ(r.Verwendungszweck(), "Rechnung 4711 – 100 €");
}

TEST(JournalRecord, AppendWritesTheFixtureBytes) {
    test::ScopedDataHome home;
    Journal j;
    j.JournalLaden();
    appendFixtureValues(j);
    std::string expected = readFile(test::fixture("journal_one_record"));
    expected[4] = 1; // the fixture's record carries number 7, the first append number 1
    EXPECT_EQ(readFile(paths::journalFile()), expected);
}

TEST(JournalRecord, TextsAreCutConvertedAndReadDefensively) {
    TJournal r;
    r.SetAuftraggeberName(std::string(60, 'x'));
    r.SetVerwendungszweck(std::string(120, 'y'));
    EXPECT_EQ(r.AuftraggeberName(), std::string(50, 'x'));
    EXPECT_EQ(r.Verwendungszweck(), std::string(100, 'y'));
    EXPECT_EQ(r.bytes()[83], 50);

    // Characters outside Windows-1252 cannot be kept; the euro sign can (0x80).
    r.SetEmpfaengerName("Łódź €");
    EXPECT_EQ(r.EmpfaengerName(), "?ód? €");
    EXPECT_EQ(r.bytes()[185 + 6], 0x80);

    // A shorter text clears what a longer one left behind.
    r.SetAuftraggeberName("kurz");
    EXPECT_EQ(r.bytes()[83 + 5], 0);

    // A damaged length byte reads as the field's maximum instead of running into the next one.
    TJournal::Bytes b = r.bytes();
    b[32] = 200;
    for (int i = 0; i < 50; ++i) b[33 + i] = 'k';
    EXPECT_EQ(TJournal(b).AuftraggeberKonto(), std::string(50, 'k'));
    b[338] = 255;
    EXPECT_EQ(TJournal(b).Verwendungszweck().size(), 100u);
}

TEST(JournalFile, TornTailIsLeftOutAndFixedOnTheNextSave) {
    test::ScopedDataHome home;
    fs::create_directories(home.appDir());
    std::string one = readFile(test::fixture("journal_one_record"));
    writeFile(paths::journalFile(), one + one.substr(0, 100));
    Journal j;
    j.JournalLaden();
    ASSERT_EQ(j.Liste().size(), 1u);
    EXPECT_EQ(j.state(), Journal::State::Ok);
    j.JournalSpeichern();
    EXPECT_EQ(readFile(paths::journalFile()), one);
}

TEST(JournalNumbering, FirstRecordIsOneAndNumbersAreNotReusedInARun) {
    test::ScopedDataHome home;
    {
        Journal j;
        j.JournalLaden();
        EXPECT_TRUE(fs::exists(paths::journalFile())) << "loading creates the empty journal";
        EXPECT_EQ(fs::file_size(paths::journalFile()), 0u);
        for (int i = 0; i < 5; ++i) appendSimple(j, 44000 + i);
        EXPECT_EQ(j.Liste().front().ID(), 1);
        EXPECT_EQ(j.Liste().back().ID(), 5);

        // Deleting 4–5 the way the journal dialog does: mark, save, load.
        j.Liste()[3].SetFlag(1);
        j.Liste()[4].SetFlag(1);
        j.JournalSpeichern();
        EXPECT_EQ(fs::file_size(paths::journalFile()), 3 * TJournal::kSize);
        j.JournalLaden();
        ASSERT_EQ(j.Liste().size(), 3u);
        EXPECT_EQ(j.hoechsteNummer(), 5);
        EXPECT_EQ(j.spaetestesDatum(), 44004) << "deleting does not narrow the run state";
    }
    {
        Journal nextRun;
        nextRun.JournalLaden();
        // A new run starts after the highest number left in the file.
        appendSimple(nextRun, 45000);
        EXPECT_EQ(nextRun.Liste().back().ID(), 4);
    }
}

// A batch defers the saving: the appended records are numbered and listed at once, the file
// holds them only after the one save at the end.
TEST(JournalNumbering, DeferredAppendsReachTheFileWithTheOneSave) {
    test::ScopedDataHome home;
    Journal j;
    j.JournalLaden();
    appendSimple(j, 44000);
    j.setSaveDeferred(true);
    for (int i = 1; i < 4; ++i) appendSimple(j, 44000 + i);
    EXPECT_EQ(j.Liste().back().ID(), 4);
    EXPECT_EQ(fs::file_size(paths::journalFile()), 1 * TJournal::kSize);
    j.JournalSpeichern();
    EXPECT_EQ(fs::file_size(paths::journalFile()), 4 * TJournal::kSize);
}

TEST(JournalNumbering, AppendAfterDeletionInTheSameRunContinuesAboveTheDeleted) {
    test::ScopedDataHome home;
    Journal j;
    j.JournalLaden();
    for (int i = 0; i < 5; ++i) appendSimple(j, 44000 + i);
    j.Liste()[3].SetFlag(1);
    j.Liste()[4].SetFlag(1);
    j.JournalSpeichern();
    j.JournalLaden();
    appendSimple(j, 44010);
    EXPECT_EQ(j.Liste().back().ID(), 6);
}

TEST(JournalRunState, WidensAtLoadAndAppendOnly) {
    test::ScopedDataHome home;
    Journal j;
    EXPECT_EQ(j.hoechsteNummer(), 0);
    EXPECT_EQ(j.niedrigsteNummer(), 10000000);
    EXPECT_EQ(j.fruehestesDatum(), 9999999.0);
    EXPECT_EQ(j.spaetestesDatum(), 0.0);
    j.JournalLaden();
    appendSimple(j, 44100);
    appendSimple(j, 44050);
    // Appending never touches the lowest number; only a load does.
    EXPECT_EQ(j.niedrigsteNummer(), 10000000);
    EXPECT_EQ(j.hoechsteNummer(), 2);
    EXPECT_EQ(j.fruehestesDatum(), 44050);
    EXPECT_EQ(j.spaetestesDatum(), 44100);

    Journal next;
    next.JournalLaden();
    EXPECT_EQ(next.niedrigsteNummer(), 1);
    EXPECT_EQ(next.hoechsteNummer(), 2);
}

TEST(JournalSave, AFailedWriteLeavesThePreviousJournalByteForByte) {
    test::ScopedDataHome home;
    Journal j;
    j.JournalLaden();
    for (int i = 0; i < 4; ++i) appendFixtureValues(j);
    const std::string before = readFile(paths::journalFile());

    j.setWriteFaultForTesting(Journal::WriteFault{1000, ENOSPC});
    try {
        appendFixtureValues(j);
        FAIL() << "the save reported success";
    } catch (const EJournalError& e) {
        std::string msg = e.what();
        EXPECT_NE(msg.find("konnte nicht gespeichert werden"), std::string::npos) << msg;
        EXPECT_NE(msg.find("nicht genug freier Speicherplatz"), std::string::npos) << msg;
    }
    EXPECT_EQ(readFile(paths::journalFile()), before);
    EXPECT_EQ(filesIn(home.appDir()), std::vector<fs::path>{"journal"}) << "no temporary left";
    EXPECT_EQ(j.Liste().size(), 5u) << "the failed record stays in the list";

    // Once the disk has room again the next save writes everything.
    j.setWriteFaultForTesting(std::nullopt);
    j.JournalSpeichern();
    EXPECT_EQ(fs::file_size(paths::journalFile()), 5 * TJournal::kSize);
}

TEST(JournalSave, ReadOnlyFolderIsReportedAndLeavesTheJournal) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    test::ScopedDataHome home;
    Journal j;
    j.JournalLaden();
    appendSimple(j, 44000);
    const std::string before = readFile(paths::journalFile());
    fs::permissions(home.appDir(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(appendSimple(j, 44001), EJournalError);
    fs::permissions(home.appDir(), fs::perms::owner_all);
    EXPECT_EQ(readFile(paths::journalFile()), before);
}

// Runs `scenario` in a child process with a private tmpfs of `bytes` mounted on `dir`; the
// child's answer is empty when all went as expected, else what went wrong. nullopt where this
// machine does not let the test mount (not the superuser, or no mount namespaces).
std::optional<std::string> onSmallFileSystem(const fs::path& dir, size_t bytes,
                                             const std::function<std::string()>& scenario) {
    int out[2];
    if (::pipe(out) != 0) return std::nullopt;
    pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        std::string answer = "\x01";
        const std::string size = "size=" + std::to_string(bytes);
        if (::unshare(CLONE_NEWNS) == 0 &&
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
            ::mount("tmpfs", dir.c_str(), "tmpfs", 0, size.c_str()) == 0) {
            try {
                answer = scenario();
            } catch (const std::exception& e) {
                answer = std::string("unexpected: ") + e.what();
            }
        }
        (void)!::write(out[1], answer.data(), answer.size());
        ::_exit(0);
    }
    ::close(out[1]);
    std::string answer;
    char buf[512];
    for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;)
        answer.append(buf, static_cast<size_t>(n));
    ::close(out[0]);
    ::waitpid(child, nullptr, 0);
    if (answer == "\x01") return std::nullopt;
    return answer;
}

TEST(JournalSave, AFullOrReadOnlyFileSystemIsReportedAndLeavesTheJournal) {
    test::TempDir dir;
    auto result = onSmallFileSystem(dir.path(), 64 * 1024, [&]() -> std::string {
        const fs::path file = dir / "journal";
        Journal j(file);
        j.JournalLaden();
        // The disk fills up: the save that no longer fits beside the journal fails.
        std::string before;
        for (int i = 0; i < 1000; ++i) {
            before = readFile(file);
            try {
                appendSimple(j, 44000 + i);
            } catch (const EJournalError& e) {
                const std::string msg = e.what();
                if (msg.find("nicht genug freier Speicherplatz") == std::string::npos)
                    return "full disk reported as: " + msg;
                if (readFile(file) != before) return "the journal changed on a full disk";
                if (filesIn(dir.path()) != std::vector<fs::path>{"journal"})
                    return "a temporary was left on the full disk";
                if (i < 10) return "full too early";
                break;
            }
            if (i == 999) return "the disk never filled";
        }
        // The same folder read-only.
        if (::mount(nullptr, dir.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return "cannot remount read-only";
        before = readFile(file);
        try {
            j.JournalSpeichern();
            return "a save on a read-only file system reported success";
        } catch (const EJournalError& e) {
            const std::string msg = e.what();
            if (msg.find("schreibgeschützt") == std::string::npos)
                return "read-only reported as: " + msg;
        }
        if (readFile(file) != before) return "the journal changed on a read-only disk";
        return "";
    });
    if (!result) GTEST_SKIP() << "this machine does not let the test mount a file system";
    EXPECT_EQ(*result, "");
}

TEST(JournalSave, CreatesTheDataFolder) {
    test::ScopedDataHome home;
    Journal j;
    appendSimple(j, 44000); // without a load, on a machine that never ran the program
    EXPECT_EQ(fs::file_size(paths::journalFile()), TJournal::kSize);
}

TEST(JournalLoad, AnUnreadableJournalIsReportedAndNeverReplaced) {
    test::ScopedDataHome home;
    // Something in the journal's place that cannot be read as a file (works for every user).
    fs::create_directories(home.appDir() / "journal");
    writeFile(home.appDir() / "journal" / "inside", "keep");
    Journal j;
    int shown = 0;
    j.SetOnAnzeigen([&] { ++shown; });
    try {
        j.JournalLaden();
        FAIL() << "no report";
    } catch (const EJournalError& e) {
        EXPECT_NE(std::string(e.what()).find("kann nicht gelesen werden"), std::string::npos);
    }
    EXPECT_EQ(shown, 1) << "the page is still shown";
    EXPECT_EQ(j.state(), Journal::State::Unreadable);

    EXPECT_THROW(appendSimple(j, 44000), EJournalError);
    EXPECT_EQ(j.Liste().size(), 1u);
    EXPECT_NO_THROW(j.saveAtClose());
    EXPECT_TRUE(fs::is_directory(home.appDir() / "journal"));
    EXPECT_EQ(readFile(home.appDir() / "journal" / "inside"), "keep");
    EXPECT_EQ(filesIn(home.appDir()), std::vector<fs::path>{"journal"});
}

TEST(JournalLoad, UnreadablePermissionsAreNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    test::ScopedDataHome home;
    fs::create_directories(home.appDir());
    writeFile(paths::journalFile(), readFile(test::fixture("journal_one_record")));
    fs::permissions(paths::journalFile(), fs::perms::none);
    Journal j;
    EXPECT_THROW(j.JournalLaden(), EJournalError);
    j.saveAtClose();
    fs::permissions(paths::journalFile(), fs::perms::owner_read);
    EXPECT_EQ(readFile(paths::journalFile()), readFile(test::fixture("journal_one_record")));
}

TEST(JournalDisplay, ThreeRowsPerRecordWithTheirTexts) {
    test::ScopedDataHome home;
    Journal j;
    appendFixtureValues(j);
    TJournal cheque;
    cheque.SetID(12);
    cheque.SetTyp(kJournalVerrechnungsscheck);
    cheque.SetDatum(44270.99);
    cheque.SetBetrag(0);
    cheque.SetAuftraggeberName("Ich");
    j.Liste().push_back(cheque);

    auto rows = JournalAnzeigen(j.Liste());
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].cells[0], "1");
    EXPECT_EQ(rows[0].cells[1], "Überweisung - 15.03.2021 - Betrag: 12,50 € - Verwendungszweck: "
                                "Rechnung 4711 – 100 €");
    EXPECT_EQ(rows[1].cells[0], "");
    EXPECT_EQ(rows[1].cells[1], "Auftraggeber: Jürgen Müller - Konto: 1234567890 (37040044)");
    EXPECT_EQ(rows[2].cells[1],
              "Empfänger: Stadtwerke Köln - Konto:DE89370400440532013000 (COBADEFFXXX)");
    EXPECT_EQ(rows[3].cells[0], "12");
    EXPECT_EQ(rows[3].cells[1],
              "Verrechnungsscheck - 15.03.2021 - Betrag: 0,00 € - Verwendungszweck: ");
    EXPECT_EQ(rows[4].cells[1], "Auftraggeber: Ich - Konto:  ()");
    EXPECT_EQ(rows[5].cells[1], "Empfänger:  - Konto: ()");
}

TEST(JournalDisplay, AmountsShowExactlyWithTwoDecimals) {
    // The record's amount is ten-thousandths; it shows rounded to cents, halves away from zero,
    // whatever its size — a payment's record never shows another sum.
    struct Case {
        Currency betrag;
        const char* shown;
    };
    const Case cases[] = {
        {125000, "12,50"},
        {-34560, "-3,46"},
        {9999990, "1000,00"},
        {50, "0,01"},
        {49, "0,00"},
        {-40, "0,00"},
        {1234567800, "123456,78"},
        {12345678900, "1234567,89"},
        {1234567890123400, "123456789012,34"},
        {std::numeric_limits<Currency>::max(), "922337203685477,58"},
        {std::numeric_limits<Currency>::min(), "-922337203685477,58"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        TJournal r;
        r.SetBetrag(c.betrag);
        std::string line = journalCell(r, 0, 1);
        EXPECT_NE(line.find(std::string("Betrag: ") + c.shown + " €"), std::string::npos) << line;
    }
    EXPECT_EQ(CurrencyFromDouble(12.5), 125000);
    FormatSettings point = FormatSettings::german();
    point.decimalSeparator = '.';
    EXPECT_EQ(journalAmountText(125000, point), "12.50");
}

TEST(JournalDisplay, DamagedValuesShowWithoutFault) {
    TJournal r;
    r.SetTyp(99);
    r.SetDatum(1e300);
    EXPECT_EQ(journalCell(r, 0, 1), " -  - Betrag: 0,00 € - Verwendungszweck: ");
}

TEST(JournalDisplay, ClickSelectsTheRecordsBlock) {
    struct Case {
        int row, rowCount, top, bottom;
    };
    const Case cases[] = {
        {0, 9, 0, 2},
        {1, 9, 0, 2},
        {2, 9, 0, 2},
        {3, 9, 3, 5},
        {8, 9, 6, 8},
        // An empty journal keeps one empty row.
        {0, 1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        auto b = journalBlockOf(c.row, c.rowCount);
        EXPECT_EQ(b.top, c.top);
        EXPECT_EQ(b.bottom, c.bottom);
    }
}

} // namespace
} // namespace formidor
