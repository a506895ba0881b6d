#include "platform/hive.h"

#include "common/testenv.h"
#include "platform/paths.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace formidor {
namespace {

using test::ScopedDataHome;

class HiveTest : public ::testing::Test {
protected:
    ScopedDataHome home;
};

TEST_F(HiveTest, KeyAndValueNamesIgnoreCaseButKeepTheirCase) {
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey("\\SOFTWARE\\Quillon Zentrix\\Belegix98\\UeberwE\\Müller", true));
        r.WriteString("Strasse", "Hauptstr. 1");
    }
    TRegistry r;
    ASSERT_TRUE(r.OpenKey("\\software\\QUILLON ZENTRIX\\belegix98\\ueberwe\\MÜLLER", false));
    EXPECT_EQ(r.CurrentPath(), "SOFTWARE\\Quillon Zentrix\\Belegix98\\UeberwE\\Müller");
    EXPECT_EQ(r.ReadString("STRASSE"), "Hauptstr. 1");
    r.WriteString("STRASSE", "Nebenweg 2"); // same value, the name keeps its first spelling
    EXPECT_EQ(r.GetValueNames(), std::vector<std::string>{"Strasse"});
    EXPECT_EQ(r.ReadString("strasse"), "Nebenweg 2");
    ASSERT_TRUE(r.OpenKey("\\SOFTWARE\\Quillon Zentrix\\Belegix98\\UeberwE", false));
    EXPECT_EQ(r.GetKeyNames(), std::vector<std::string>{"Müller"});
}

TEST_F(HiveTest, ReadErrorsAndMissingValues) {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(std::string(kAppKey), true));
    r.WriteString("Text", "12");
    r.WriteInteger("Zahl", 12);
    EXPECT_EQ(r.ReadString("Fehlt"), "");
    auto message = [&](auto f) {
        try {
            f();
        } catch (const ERegistryException& e) {
            return std::string(e.what());
        }
        return std::string("no exception");
    };
    EXPECT_EQ(message([&] { r.ReadInteger("Fehlt"); }), "Fehler beim Holen der Daten für 'Fehlt'");
    EXPECT_EQ(message([&] { r.ReadBool("Fehlt"); }), "Fehler beim Holen der Daten für 'Fehlt'");
    EXPECT_EQ(message([&] { r.ReadInteger("Text"); }), "Ungültiger Datentyp für 'Text'");
    // A number is not silently turned into text either: the caller's fallback applies.
    EXPECT_EQ(message([&] { r.ReadString("Zahl"); }), "Ungültiger Datentyp für 'Zahl'");
    EXPECT_EQ(r.GetDataType("Text"), TRegDataType::rdString);
    EXPECT_EQ(r.GetDataType("zahl"), TRegDataType::rdInteger);
    EXPECT_EQ(r.GetDataType("Fehlt"), TRegDataType::rdUnknown);
    // The key's default value, named by an empty view that points nowhere.
    r.WriteString(std::string_view{}, "Standard");
    EXPECT_EQ(r.ReadString(""), "Standard");
}

TEST_F(HiveTest, IntegersAndFlags) {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(std::string(kAppKey), true));
    for (int32_t v : {0, 1, -1, 2147483647, -2147483647 - 1}) {
        r.WriteInteger("n", v);
        EXPECT_EQ(r.ReadInteger("n"), v);
    }
    r.WriteBool("b", true);
    EXPECT_EQ(r.ReadInteger("b"), 1);
    r.WriteBool("b", false);
    EXPECT_EQ(r.ReadInteger("b"), 0);
    EXPECT_FALSE(r.ReadBool("b"));
    r.WriteInteger("b", 7);
    EXPECT_TRUE(r.ReadBool("b"));
    r.WriteString("n", "jetzt Text"); // a value may change its type
    EXPECT_EQ(r.GetDataType("n"), TRegDataType::rdString);
}

TEST_F(HiveTest, EnumerationOrder) {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey("\\A", true));
    for (const char* name : {"zeta", "Beta", "alpha", "Ärger", "Zoo", "beta2"})
        ASSERT_TRUE(r.OpenKey(std::string("\\A\\") + name, true));
    ASSERT_TRUE(r.OpenKey("\\A", false));
    EXPECT_EQ(r.GetKeyNames(),
              (std::vector<std::string>{"alpha", "Beta", "beta2", "zeta", "Zoo", "Ärger"}));
    // Values in creation order; overwriting keeps the place, deleting and re-creating moves it.
    r.WriteString("z", "1");
    r.WriteString("a", "2");
    r.WriteString("M", "3");
    r.WriteString("z", "4");
    EXPECT_EQ(r.GetValueNames(), (std::vector<std::string>{"z", "a", "M"}));
    EXPECT_TRUE(r.DeleteValue("Z"));
    EXPECT_FALSE(r.DeleteValue("z"));
    r.WriteString("z", "5");
    EXPECT_EQ(r.GetValueNames(), (std::vector<std::string>{"a", "M", "z"}));
    auto values = r.GetValues();
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[2].text, "5");
}

TEST_F(HiveTest, RelativeAndAbsolutePaths) {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(std::string(kAppKey), true)); // no leading "\": relative to the root
    EXPECT_EQ(r.CurrentPath(), std::string(kAppKey));
    ASSERT_TRUE(r.OpenKey("UeberwA", true)); // relative to the open key
    EXPECT_EQ(r.CurrentPath(), std::string(kAppKey) + "\\UeberwA");
    // A failed open leaves the current key open.
    EXPECT_FALSE(r.OpenKey("Gibt es nicht", false));
    EXPECT_FALSE(r.OpenKeyReadOnly("\\Gibt\\es nicht"));
    EXPECT_EQ(r.CurrentPath(), std::string(kAppKey) + "\\UeberwA");
    r.WriteString("hier", "x");
    EXPECT_TRUE(r.KeyExists("\\SOFTWARE"));
    EXPECT_FALSE(r.KeyExists("SOFTWARE")); // relative: below UeberwA
    r.CloseKey();
    EXPECT_EQ(r.CurrentPath(), "");
    EXPECT_TRUE(r.KeyExists("SOFTWARE\\quillon zentrix"));
    ASSERT_TRUE(r.OpenKey("\\SOFTWARE\\Quillon Zentrix\\Belegix98\\UeberwA\\", false));
    EXPECT_EQ(r.ReadString("hier"), "x");
}

TEST_F(HiveTest, ReadOnlyKeyRefusesWrites) {
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey("\\K", true));
        r.WriteString("v", "alt");
    }
    TRegistry r;
    ASSERT_TRUE(r.OpenKeyReadOnly("\\K"));
    EXPECT_EQ(r.ReadString("v"), "alt");
    EXPECT_THROW(r.WriteString("v", "neu"), ERegistryException);
    EXPECT_FALSE(r.DeleteValue("v"));
    EXPECT_EQ(r.ReadString("v"), "alt");
}

TEST_F(HiveTest, DeleteKeyRemovesEverythingBelow) {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey("\\Top\\Mid\\Leaf", true));
    r.WriteString("a", "1");
    ASSERT_TRUE(r.OpenKey("\\Top\\Mid2", true));
    r.WriteString("b", "2");
    ASSERT_TRUE(r.OpenKey("\\Top", false));
    EXPECT_TRUE(r.DeleteKey("MID"));
    EXPECT_FALSE(r.DeleteKey("Mid"));
    EXPECT_FALSE(r.DeleteKey(""));
    EXPECT_EQ(r.GetKeyNames(), std::vector<std::string>{"Mid2"});
    // Re-creating the deleted key finds nothing of the old contents.
    ASSERT_TRUE(r.OpenKey("\\Top\\Mid\\Leaf", true));
    EXPECT_FALSE(r.ValueExists("a"));

    // Writing into a key another accessor has deleted fails instead of leaving orphan data.
    TRegistry other;
    ASSERT_TRUE(other.DeleteKey("\\Top\\Mid"));
    EXPECT_THROW(r.WriteString("a", "x"), ERegistryException);
    EXPECT_FALSE(r.OpenKey("Sub", true));
}

TEST_F(HiveTest, PersistsAcrossReopeningTheDatabase) {
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(std::string(kAppKey), true));
        r.WriteString("Ausstellort", "Köln");
    }
    {
        ScopedDataHome elsewhere; // the connection moves to another file and back
        TRegistry r;
        EXPECT_FALSE(r.KeyExists(std::string(kAppKey)));
    }
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(std::string(kAppKey), false));
    EXPECT_EQ(r.ReadString("Ausstellort"), "Köln");
}

TEST_F(HiveTest, DamagedDatabaseIsReportedAndLeftUntouched) {
    std::filesystem::create_directories(home.appDir());
    const std::string garbage(8192, 'x');
    test::writeFile(paths::hiveFile(), garbage);
    try {
        hive::checkAvailable();
        FAIL() << "no exception";
    } catch (const EHiveUnavailable& e) {
        std::string msg = e.what();
        EXPECT_NE(msg.find(paths::hiveFile().string()), std::string::npos) << msg;
        EXPECT_NE(msg.find("beschädigt"), std::string::npos) << msg;
    }
    TRegistry r;
    EXPECT_THROW(r.OpenKey("\\K", true), EHiveUnavailable);
    EXPECT_TRUE(test::readFile(paths::hiveFile()) == garbage) << "the file was changed";
}

TEST_F(HiveTest, TruncatedDatabaseIsReportedAndLeftUntouched) {
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey("\\Viel", true));
        for (int i = 0; i < 300; ++i)
            r.WriteString("Wert" + std::to_string(i), std::string(200, 'a'));
    }
    const auto file = home.appDir() / "registry.sqlite";
    std::string damaged;
    {
        ScopedDataHome elsewhere; // closes the connection to our file
        TRegistry r;
        EXPECT_FALSE(r.KeyExists("\\Viel"));
        std::string bytes = test::readFile(file);
        ASSERT_GT(bytes.size(), 16384u);
        damaged = bytes.substr(0, bytes.size() / 2); // as after a copy that broke off
        test::writeFile(file, damaged);
    }
    EXPECT_THROW(hive::checkAvailable(), EHiveUnavailable);
    EXPECT_TRUE(test::readFile(file) == damaged) << "the file was changed";
}

TEST_F(HiveTest, ForeignDatabaseIsNotTakenOver) {
    std::filesystem::create_directories(home.appDir());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(paths::hiveFile().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE kunden(name TEXT); INSERT INTO kunden VALUES('x');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    const std::string before = test::readFile(paths::hiveFile());
    EXPECT_THROW(hive::checkAvailable(), EHiveUnavailable);
    EXPECT_TRUE(test::readFile(paths::hiveFile()) == before) << "the file was changed";
}

TEST_F(HiveTest, TwoProcessesWritingAtOnceBothArrive) {
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(std::string(kAppKey), true));
        r.WriteString("vorher", "1");
    }
    constexpr int kEach = 150;
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    const char* who = child == 0 ? "kind" : "eltern";
    int failures = 0;
    for (int i = 0; i < kEach; ++i) {
        try {
            TRegistry r;
            // Both create the same keys: whoever comes second must find the first one's.
            if (!r.OpenKey(std::string(kAppKey) + "\\Gemeinsam" + std::to_string(i % 10), true))
                ++failures;
            r.WriteString(std::string(who) + std::to_string(i), std::to_string(i));
        } catch (...) {
            ++failures;
        }
    }
    if (child == 0) ::_exit(failures == 0 ? 0 : 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(failures, 0);
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(std::string(kAppKey), false));
    EXPECT_EQ(r.GetKeyNames().size(), 10u);
    size_t total = 0;
    for (const auto& k : r.GetKeyNames()) {
        TRegistry sub;
        ASSERT_TRUE(sub.OpenKey(std::string(kAppKey) + "\\" + k, false));
        total += sub.GetValueNames().size();
    }
    EXPECT_EQ(total, 2u * kEach);
    EXPECT_EQ(r.ReadString("vorher"), "1");
}

TEST_F(HiveTest, TransactionIsAllOrNothing) {
    {
        hive::Transaction t(true);
        TRegistry r;
        ASSERT_TRUE(r.OpenKey("\\T\\Neu", true));
        r.WriteString("a", "1");
        // destroyed without Commit
    }
    TRegistry r;
    EXPECT_FALSE(r.KeyExists("\\T"));
    {
        hive::Transaction t(true);
        TRegistry w;
        ASSERT_TRUE(w.OpenKey("\\T\\Neu", true));
        w.WriteString("a", "1");
        t.Commit();
    }
    ASSERT_TRUE(r.OpenKey("\\T\\Neu", false));
    EXPECT_EQ(r.ReadString("a"), "1");
}

} // namespace
} // namespace formidor

namespace formidor {
namespace {

// English words of the database library that must never reach the user.
bool looksEnglish(const std::string& msg) {
    for (const char* w : {"database", "disk", "full", "locked", "error", "file is"})
        if (msg.find(w) != std::string::npos) return true;
    return false;
}

class HiveFileTest : public ::testing::Test {
protected:
    test::ScopedDataHome home;
};

// A user copies registry.sqlite as the place where the data live: once the process that wrote
// ends, the main file holds everything and no log is left beside it.
TEST_F(HiveFileTest, WhenAProcessEndsItsDataStandInTheMainFile) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            TRegistry r;
            if (!r.OpenKey("\\" + std::string(kAppKey) + "\\Kopie", true)) ::_exit(1);
            r.WriteString("Wert", "steht in der Datei");
        } catch (...) {
            ::_exit(1);
        }
        std::exit(0); // a normal end, with the process's exit handlers
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::error_code ec;
    auto wal = paths::hiveFile();
    wal += "-wal";
    EXPECT_FALSE(std::filesystem::exists(wal, ec) && std::filesystem::file_size(wal, ec) > 0);

    test::TempDir copy;
    std::filesystem::copy_file(paths::hiveFile(), copy / "kopie.sqlite");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((copy / "kopie.sqlite").c_str(), &db), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT str FROM vals WHERE name = 'Wert'", -1, &st, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "steht in der Datei");
    sqlite3_finalize(st);
    sqlite3_close(db);
}

// An older store kept everything in its log; when that log is damaged, SQLite passes over it and
// the store would read as empty. It is reported instead, and neither file is touched.
TEST_F(HiveFileTest, AStoreWhoseDataLiveOnlyInADamagedLogIsReported) {
    std::filesystem::create_directories(home.appDir());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(paths::hiveFile().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    auto wal = paths::hiveFile();
    wal += "-wal";
    const std::string garbage(8192, '\x5a');
    test::writeFile(wal, garbage);
    const std::string before = test::readFile(paths::hiveFile());
    try {
        hive::checkAvailable();
        FAIL() << "read as an empty store";
    } catch (const EHiveUnavailable& e) {
        EXPECT_NE(std::string(e.what()).find(wal.string()), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("beschädigt"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(test::readFile(paths::hiveFile()) == before);
    EXPECT_TRUE(test::readFile(wal) == garbage);
}

// A write that finds the disk full is reported in German naming the file and the cause, and
// what was stored before stays as it was.
TEST_F(HiveFileTest, AFullDiskIsReportedAndTheStoredDataStay) {
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey("\\" + std::string(kAppKey), true));
        r.WriteString("vorher", "1");
    }
    test::TempDir out;
    const auto messageFile = out / "meldung";
    int rc = test::withFileSizeLimit(64 * 1024, [&] {
        try {
            hive::Transaction t(true);
            TRegistry r;
            r.OpenKey("\\" + std::string(kAppKey) + "\\Viel", true);
            for (int i = 0; i < 400; ++i)
                r.WriteString("Wert" + std::to_string(i), std::string(1000, 'x'));
            t.Commit();
        } catch (const ERegistryException& e) {
            test::writeFile(messageFile, e.what());
            return 3;
        }
        return 0;
    });
    ASSERT_EQ(rc, 3) << "the write did not fail";
    const std::string msg = test::readFile(messageFile);
    EXPECT_NE(msg.find(paths::hiveFile().string()), std::string::npos) << msg;
    EXPECT_NE(msg.find("Datenträger"), std::string::npos) << msg;
    EXPECT_EQ(msg.find("beschädigt"), std::string::npos) << msg;
    EXPECT_FALSE(looksEnglish(msg)) << msg;
    TRegistry r;
    ASSERT_TRUE(r.OpenKey("\\" + std::string(kAppKey), false));
    EXPECT_EQ(r.ReadString("vorher"), "1");
    EXPECT_FALSE(r.KeyExists("Viel"));
}

} // namespace
} // namespace formidor
