// One journal written by several processes (a window and command-line prints) and files left
// behind by processes that died.
#include "journal/journal.h"

#include "common/testenv.h"
#include "journal/journalrange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace formidor {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

void append(Journal& j, const std::string& purpose, TDateTime datum = 44000.5) {
    j.JournalAnhaengen(kJournalUeberweisung, "1", "A", datum, "2", "B", "3", "4", purpose, 10000);
}

std::vector<TJournal> recordsIn(const fs::path& file) {
    return readJournalFile(file).value();
}

std::vector<int32_t> numbersIn(const fs::path& file) {
    std::vector<int32_t> ids;
    for (const auto& r : recordsIn(file)) ids.push_back(r.ID());
    return ids;
}

std::vector<std::string> purposesIn(const fs::path& file) {
    std::vector<std::string> out;
    for (const auto& r : recordsIn(file)) out.push_back(r.Verwendungszweck());
    return out;
}

// A folder in memory where the machine has one: the two thousand saves' flushes to the disk
// would make the test take as long as the disk is busy, and locking, renaming and reading
// behave the same there.
class MemoryDir {
public:
    MemoryDir() {
        std::string tmpl =
            (fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
            "formidor-shared-XXXXXX";
        if (::mkdtemp(tmpl.data())) path_ = tmpl;
    }
    ~MemoryDir() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

TEST(JournalShared, TwoProcessesAppendingAtOnceLoseNothingAndNumberUniquely) {
    MemoryDir dir;
    ASSERT_FALSE(dir.path().empty());
    const fs::path file = dir.path() / "journal";
    constexpr int kEach = 1000;

    // Both children wait at a closed pipe so that they start appending at the same moment.
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            ::close(gate[1]);
            char b;
            (void)!::read(gate[0], &b, 1);
            int rc = 0;
            try {
                Journal j(file);
                j.JournalLaden();
                for (int i = 0; i < kEach; ++i)
                    append(j, std::to_string(c) + "/" + std::to_string(i));
            } catch (...) {
                rc = 1;
            }
            ::_exit(rc);
        }
    }
    ::close(gate[0]);
    ::close(gate[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "an append failed";
    }

    const auto ids = numbersIn(file);
    ASSERT_EQ(ids.size(), 2u * kEach);
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_EQ(std::set<int32_t>(ids.begin(), ids.end()).size(), ids.size()) << "numbers repeat";
    EXPECT_EQ(ids.front(), 1);
    EXPECT_EQ(ids.back(), 2 * kEach);
    // Each process's records are all there, in the order it appended them.
    const auto purposes = purposesIn(file);
    for (int c = 0; c < 2; ++c) {
        std::vector<std::string> mine;
        for (const auto& p : purposes)
            if (p.rfind(std::to_string(c) + "/", 0) == 0) mine.push_back(p);
        ASSERT_EQ(mine.size(), size_t{kEach});
        EXPECT_EQ(mine.back(), std::to_string(c) + "/" + std::to_string(kEach - 1));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
        << "no temporary file left";
}

TEST(JournalShared, AnAppendTakesOverOthersRecordsAndKeepsTheirDeletions) {
    test::TempDir dir;
    const fs::path file = dir / "journal";
    Journal window(file);
    Journal batch(file);
    window.JournalLaden();
    batch.JournalLaden();
    for (int i = 1; i <= 3; ++i) append(window, "w" + std::to_string(i));

    // The other process numbers after what it finds in the file, not after its own run.
    append(batch, "b1");
    EXPECT_EQ(numbersIn(file), (std::vector<int32_t>{1, 2, 3, 4}));

    // The window's next save takes the other's record over; a deletion there of record 2 …
    append(window, "w4");
    EXPECT_EQ(window.Liste().size(), 5u);
    EXPECT_EQ(window.Liste()[3].Verwendungszweck(), "b1");
    batch.JournalLaden();
    batch.Liste()[1].SetFlag(1);
    batch.JournalSpeichern();
    EXPECT_EQ(purposesIn(file), (std::vector<std::string>{"w1", "w3", "b1", "w4"}));

    // … is not undone by the window, which still holds record 2 in its list.
    ASSERT_EQ(window.Liste().size(), 5u);
    append(window, "w5");
    EXPECT_EQ(purposesIn(file), (std::vector<std::string>{"w1", "w3", "b1", "w4", "w5"}));
    EXPECT_EQ(numbersIn(file), (std::vector<int32_t>{1, 3, 4, 5, 6}));
    EXPECT_EQ(window.Liste().size(), 5u) << "the list is what the file holds";

    // A deletion in the window whose record the other process already deleted deletes nothing
    // else.
    window.Liste()[0].SetFlag(1);
    batch.JournalLaden();
    batch.Liste()[0].SetFlag(1);
    batch.JournalSpeichern();
    window.JournalSpeichern();
    EXPECT_EQ(purposesIn(file), (std::vector<std::string>{"w3", "b1", "w4", "w5"}));
}

TEST(JournalShared, ARangeDeletionKeepsWhatAnotherProcessAppendedMeanwhile) {
    test::TempDir dir;
    const fs::path file = dir / "journal";
    Journal dialog(file);
    Journal batch(file);
    for (int i = 1; i <= 3; ++i) append(dialog, "d" + std::to_string(i));
    append(batch, "b4"); // in the range but not in the dialog's list
    const JournalRange all{1, 100, 0, 99999};

    // A deletion whose save fails deletes nothing, and its marks do not stay behind on other
    // records of the list the failed save brought in.
    dialog.setWriteFaultForTesting(Journal::WriteFault{0, ENOSPC});
    EXPECT_THROW(deleteJournalRange(dialog, all), EJournalError);
    for (const auto& r : dialog.Liste()) EXPECT_EQ(r.Flag(), 0);
    dialog.setWriteFaultForTesting(std::nullopt);
    append(dialog, "d5");
    EXPECT_EQ(purposesIn(file), (std::vector<std::string>{"d1", "d2", "d3", "b4", "d5"}));

    append(batch, "b6");
    dialog.JournalLaden();
    append(batch, "b7");
    EXPECT_EQ(deleteJournalRange(dialog, JournalRange{1, 6, 0, 99999}), 6u);
    EXPECT_EQ(purposesIn(file), (std::vector<std::string>{"b7"}));
    EXPECT_EQ(dialog.Liste().size(), 1u);
}

TEST(JournalShared, ARecordAFailedSaveKeptIsRenumberedWhenItsNumberWasTakenMeanwhile) {
    test::TempDir dir;
    const fs::path file = dir / "journal";
    Journal window(file);
    Journal batch(file);
    append(window, "w1");
    window.setWriteFaultForTesting(Journal::WriteFault{0, ENOSPC});
    EXPECT_THROW(append(window, "w2"), EJournalError);
    ASSERT_EQ(window.Liste().size(), 2u);
    EXPECT_EQ(window.Liste()[1].ID(), 2);
    append(batch, "b2"); // finds only record 1 in the file: number 2
    window.setWriteFaultForTesting(std::nullopt);
    append(window, "w3");
    EXPECT_EQ(purposesIn(file), (std::vector<std::string>{"w1", "b2", "w2", "w3"}));
    EXPECT_EQ(numbersIn(file), (std::vector<int32_t>{1, 2, 3, 4}));

    // An unsaved record also survives a load and is written by the next save.
    window.setWriteFaultForTesting(Journal::WriteFault{0, ENOSPC});
    EXPECT_THROW(append(window, "w4"), EJournalError);
    window.setWriteFaultForTesting(std::nullopt);
    window.JournalLaden();
    EXPECT_EQ(window.Liste().back().Verwendungszweck(), "w4");
    window.saveAtClose();
    EXPECT_EQ(numbersIn(file), (std::vector<int32_t>{1, 2, 3, 4, 5}));
}

TEST(JournalShared, AFlagByteReadFromTheFileDeletesNothing) {
    test::TempDir dir;
    const fs::path file = dir / "journal";
    {
        Journal j(file);
        for (int i = 1; i <= 3; ++i) append(j, "r" + std::to_string(i));
    }
    std::string bytes = readFile(file);
    bytes[TJournal::kSize] = 1; // record 2, one flipped byte on the disk
    bytes[2 * TJournal::kSize] = static_cast<char>(0xff);
    writeFile(file, bytes);

    Journal j(file);
    j.JournalLaden();
    for (const auto& r : j.Liste()) EXPECT_EQ(r.Flag(), 0);
    append(j, "r4");
    EXPECT_EQ(purposesIn(file), (std::vector<std::string>{"r1", "r2", "r3", "r4"}));
    for (const auto& r : recordsIn(file)) EXPECT_EQ(r.Flag(), 0);

    // A save by a process that never loaded takes the file as it is, too.
    bytes = readFile(file);
    bytes[0] = 1;
    writeFile(file, bytes);
    Journal other(file);
    append(other, "r5");
    EXPECT_EQ(purposesIn(file).size(), 5u);
}

TEST(JournalShared, LoadingRemovesTheTemporariesOfKilledSaves) {
    test::TempDir dir;
    const fs::path file = dir / "journal";
    const std::vector<std::string> leftovers = {".journal.a1B2c3", ".journal.XyZ789"};
    // Not a save's temporary: another name, the wrong length, or another journal's.
    const std::vector<std::string> kept = {"journal",   ".journal.lock",    ".journal.abc",
                                           "notes.txt", ".journal.abcdefg", ".other.a1B2c3"};
    for (const auto& n : leftovers) writeFile(dir / n, std::string(TJournal::kSize, 'x'));
    for (const auto& n : kept) writeFile(dir / n, "");

    // While another process holds the lock, a temporary may be its save in progress.
    {
        int fd = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
        ASSERT_EQ(::flock(fd, LOCK_EX), 0);
        Journal j(file);
        j.JournalLaden();
        for (const auto& n : leftovers) EXPECT_TRUE(fs::exists(dir / n)) << n;
        ::close(fd);
    }
    Journal j(file);
    j.JournalLaden();
    for (const auto& n : leftovers) EXPECT_FALSE(fs::exists(dir / n)) << n;
    for (const auto& n : kept) EXPECT_TRUE(fs::exists(dir / n)) << n;
}

TEST(JournalShared, APipeOrDeviceInTheJournalsPlaceIsReportedAtOnceAndKept) {
    test::TempDir dir;
    const fs::path fifo = dir / "journal";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    Journal j(fifo);
    try {
        j.JournalLaden();
        FAIL() << "no report";
    } catch (const EJournalError& e) {
        EXPECT_NE(std::string(e.what()).find("keine gewöhnliche Datei"), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(j.state(), Journal::State::Unreadable);
    EXPECT_THROW(append(j, "x"), EJournalError);
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe was replaced";
    EXPECT_THROW(readJournalFile("/dev/zero"), EJournalError);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(JournalShared, ALockHeldTooLongFailsTheSaveAndTheRecordIsWrittenLater) {
    test::TempDir dir;
    const fs::path file = dir / "journal";
    Journal j(file);
    append(j, "1");
    j.setLockWaitForTesting(std::chrono::milliseconds(100));
    {
        // A process hung while saving: it holds the folder lock and does not let go.
        const int hung = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
        ASSERT_GE(hung, 0);
        ASSERT_EQ(::flock(hung, LOCK_EX), 0);
        const auto start = std::chrono::steady_clock::now();
        try {
            append(j, "2");
            ADD_FAILURE() << "the save waited for ever or ignored the lock";
        } catch (const EJournalError& e) {
            EXPECT_NE(std::string(e.what()).find("hält es gesperrt"), std::string::npos)
                << e.what();
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        ::close(hung);
    }
    EXPECT_EQ(purposesIn(file), (std::vector<std::string>{"1"}));
    append(j, "3");
    EXPECT_EQ(purposesIn(file), (std::vector<std::string>{"1", "2", "3"}));
}

} // namespace
} // namespace formidor
