// Backing all of a user's data up into a folder and restoring it, possibly for another user:
// what lands where, what is replaced, and that a failure changes nothing and says so.
#include "app/backup.h"

#include "common/testenv.h"
#include "platform/hive.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace formidor {
namespace {

namespace fs = std::filesystem;
using backup::EBackupError;
using test::ScopedDataHome;
using test::TempDir;

const std::string kApp = "\\" + std::string(kAppKey);

// A user's settings, one address and a journal of `records` records marked with `mark`.
void seedUser(int kvu, const std::string& person, int records, char mark) {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(kApp, true));
    r.WriteInteger("KVU", kvu);
    r.WriteString("FontNameU", "Courier New");
    ASSERT_TRUE(r.OpenKey("UeberwE\\" + person, true));
    r.WriteString("BLZ", "37040044");
    fs::create_directories(paths::journalFile().parent_path());
    test::writeFile(paths::journalFile(), std::string(440 * records, mark));
}

std::string message(const std::function<void()>& f) {
    try {
        f();
    } catch (const EBackupError& e) {
        return e.what();
    }
    return "kein Fehler";
}

std::vector<std::string> folderNames(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Temporary files of a write that were left behind.
int stagedLeftovers(const fs::path& dir) {
    int n = 0;
    for (const auto& name : folderNames(dir)) n += name[0] == '.';
    return n;
}

TEST(Backup, RestoresOntoAnotherUsersDataExactly) {
    TempDir folder;
    std::string exported, journal;
    {
        ScopedDataHome anna;
        seedUser(12, "Müller GmbH", 2, 'a');
        backup::SaveData(folder.path());
        exported = ExportRegBytes();
        journal = test::readFile(paths::journalFile());
    }
    EXPECT_EQ(folderNames(folder.path()), (std::vector<std::string>{"formidor.reg", "journal"}));
    EXPECT_EQ(test::readFile(folder / "journal"), journal);

    ScopedDataHome bernd; // other settings, another address, a longer journal
    seedUser(-3, "Finanzamt", 5, 'b');
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(kApp + "\\UeberwA\\Bernd", true));
        r.WriteString("Konto", "1");
    }
    auto result = backup::RestoreData(folder.path());
    EXPECT_TRUE(result.journalCopied);
    EXPECT_EQ(result.journalFailure, "");
    EXPECT_TRUE(ExportRegBytes() == exported) << "the key differs from the backed-up one";
    EXPECT_EQ(test::readFile(paths::journalFile()), journal);
    EXPECT_EQ(stagedLeftovers(paths::journalFile().parent_path()), 0);
}

TEST(Backup, ReplacesAnEarlierBackupInTheFolder) {
    ScopedDataHome home;
    TempDir folder;
    test::writeFile(folder / "formidor.reg", "alt");
    test::writeFile(folder / "journal", "alte Kopie");
    seedUser(7, "Neu", 1, 'n');
    backup::SaveData(folder.path());
    EXPECT_EQ(folderNames(folder.path()), (std::vector<std::string>{"formidor.reg", "journal"}));
    EXPECT_EQ(test::readFile(folder / "journal"), std::string(440, 'n'));
    EXPECT_TRUE(test::readFile(folder / "formidor.reg") == ExportRegBytes());

    // A user who never printed has no journal file yet: the backup holds an empty journal,
    // not the earlier backup's.
    fs::remove(paths::journalFile());
    backup::SaveData(folder.path());
    EXPECT_EQ(test::readFile(folder / "journal"), "");
}

TEST(Backup, FailuresNameTheFileAndLeaveTheEarlierBackup) {
    ScopedDataHome home;
    TempDir folder;
    seedUser(7, "Neu", 1, 'n');
    test::writeFile(folder / "journal", "alte Kopie");
    fs::create_directory(folder / "formidor.reg"); // cannot be replaced by a file

    std::string msg = message([&] { backup::SaveData(folder.path()); });
    EXPECT_NE(msg.find((folder / "formidor.reg").string()), std::string::npos) << msg;
    EXPECT_EQ(test::readFile(folder / "journal"), "alte Kopie"); // not half a backup
    EXPECT_EQ(folderNames(folder.path()), (std::vector<std::string>{"formidor.reg", "journal"}));

    msg = message([&] { backup::SaveData(folder / "gibt es nicht"); });
    EXPECT_NE(msg.find("existiert nicht"), std::string::npos) << msg;

    fs::remove(folder / "formidor.reg");
    fs::remove(paths::journalFile());
    fs::create_directory(paths::journalFile()); // a journal that cannot be read
    msg = message([&] { backup::SaveData(folder.path()); });
    EXPECT_NE(msg.find(paths::journalFile().string()), std::string::npos) << msg;
    EXPECT_FALSE(fs::exists(folder / "formidor.reg"));

    // Nothing stored at all (a fresh install): the backup is of an empty store, and works.
    ScopedDataHome fresh;
    fs::remove(folder / "journal");
    EXPECT_EQ(message([&] { backup::SaveData(folder.path()); }), "kein Fehler");
    EXPECT_TRUE(fs::exists(folder / "formidor.reg"));
}

// A backup that does not fit on the disk says so in German, naming the file and the cause, and
// leaves the earlier backup as it was, with nothing beside it.
TEST(Backup, AFullDiskKeepsTheEarlierBackup) {
    ScopedDataHome home;
    TempDir folder;
    seedUser(7, "Neu", 40, 'n'); // a journal of 17,600 bytes
    test::writeFile(folder / "formidor.reg", "alte Sicherung");
    test::writeFile(folder / "journal", "alte Kopie");
    const auto messageFile = home.path() / "meldung";
    int rc = test::withFileSizeLimit(8 * 1024, [&] {
        std::string msg = message([&] { backup::SaveData(folder.path()); });
        test::writeFile(messageFile, msg);
        return msg == "kein Fehler" ? 0 : 3;
    });
    ASSERT_EQ(rc, 3);
    const std::string msg = test::readFile(messageFile);
    EXPECT_NE(msg.find((folder / "journal").string()), std::string::npos) << msg;
    EXPECT_NE(msg.find("Datenträger"), std::string::npos) << msg;
    EXPECT_EQ(test::readFile(folder / "formidor.reg"), "alte Sicherung");
    EXPECT_EQ(test::readFile(folder / "journal"), "alte Kopie");
    EXPECT_EQ(stagedLeftovers(folder.path()), 0);
}

TEST(Restore, WithoutAJournalCopyKeepsTheCurrentJournal) {
    TempDir folder;
    {
        ScopedDataHome anna;
        seedUser(12, "Anna", 2, 'a');
        backup::SaveData(folder.path());
    }
    fs::remove(folder / "journal");
    ScopedDataHome bernd;
    seedUser(-3, "Bernd", 3, 'b');
    auto result = backup::RestoreData(folder.path());
    EXPECT_FALSE(result.journalCopied);
    EXPECT_EQ(test::readFile(paths::journalFile()), std::string(3 * 440, 'b'));
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(kApp, false));
    EXPECT_EQ(r.ReadInteger("KVU"), 12);
}

TEST(Restore, RefusedBackupChangesNeitherStoreNorJournal) {
    TempDir source;
    {
        ScopedDataHome anna;
        seedUser(12, "Anna", 2, 'a');
        backup::SaveData(source.path());
    }
    const std::string good = test::readFile(source / "formidor.reg");
    struct Case {
        const char* label;
        std::string reg; // empty: no formidor.reg at all
        const char* says;
    } cases[] = {
        {"fehlt", "", "fehlt"},
        {"beschädigt", good.substr(0, good.size() / 2) + "\xFF", "kann nicht eingelesen werden"},
        {"keine .reg-Datei", "Hallo", "Zeile 1"},
        // Only a subkey: replacing the whole key with it would only delete.
        {"ohne den Schlüssel",
         "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Quillon Zentrix\\Belegix98\\UeberwE\\X]\n",
         "enthält den Schlüssel"},
    };
    for (const auto& c : cases) {
        ScopedDataHome bernd;
        seedUser(-3, "Bernd", 3, 'b');
        const std::string before = ExportRegBytes();
        TempDir folder;
        if (!c.reg.empty()) test::writeFile(folder / "formidor.reg", c.reg);
        test::writeFile(folder / "journal", std::string(440, 'a'));
        std::string msg = message([&] { backup::RestoreData(folder.path()); });
        EXPECT_NE(msg.find(c.says), std::string::npos) << c.label << ": " << msg;
        EXPECT_NE(msg.find(folder.path().string()), std::string::npos) << c.label << ": " << msg;
        EXPECT_TRUE(ExportRegBytes() == before) << c.label;
        EXPECT_EQ(test::readFile(paths::journalFile()), std::string(3 * 440, 'b')) << c.label;
        EXPECT_EQ(stagedLeftovers(paths::journalFile().parent_path()), 0) << c.label;
    }
}

} // namespace
} // namespace formidor
