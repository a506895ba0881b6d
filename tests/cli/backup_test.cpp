#include "cli/clirun.h"

#include "common/testenv.h"
#include "platform/hive.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace formidor {
namespace {

const std::string kApp = "\\" + std::string(kAppKey);

int storedKvu() {
    TRegistry r;
    return r.OpenKey(kApp, false) ? r.ReadInteger("KVU") : 0;
}

TEST(CliBackup, BackupAndRestoreMoveTheDataToAnotherUser) {
    test::TempDir folder;
    {
        test::ScopedDataHome anna;
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(kApp, true));
        r.WriteInteger("KVU", 12);
        std::filesystem::create_directories(paths::journalFile().parent_path());
        test::writeFile(paths::journalFile(), std::string(440, 'a'));
        auto res = test::runCli({"backup", folder.path().string()});
        EXPECT_EQ(res.status, 0) << res.err;
        EXPECT_NE(res.out.find("formidor.reg"), std::string::npos);
    }
    test::ScopedDataHome bernd;
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(kApp, true));
        r.WriteInteger("KVU", 3);
    }
    // Without --yes nothing is overwritten.
    auto res = test::runCli({"restore", folder.path().string()});
    EXPECT_EQ(res.status, 2);
    EXPECT_NE(res.err.find("--yes"), std::string::npos) << res.err;
    EXPECT_EQ(storedKvu(), 3);

    res = test::runCli({"restore", folder.path().string(), "--yes"});
    EXPECT_EQ(res.status, 0) << res.err;
    EXPECT_EQ(storedKvu(), 12);
    EXPECT_EQ(test::readFile(paths::journalFile()), std::string(440, 'a'));
}

TEST(CliBackup, FailuresAreGermanMessagesWithStatusTwo) {
    test::ScopedDataHome home;
    test::TempDir dir;
    const std::string missing = (dir / "fehlt").string();
    struct Case {
        cli::Args args;
        const char* message;
    } cases[] = {
        {{"backup"}, "Aufruf: formidor-cli backup ORDNER"},
        {{"backup", missing}, "existiert nicht"},
        {{"restore", missing, "--yes"}, "existiert nicht"},
        {{"restore", dir.path().string(), "--yes"}, "keine Sicherung"},
        {{"restore", "--yes"}, "Aufruf: formidor-cli restore ORDNER --yes"},
        {{"restore", "a", "b", "--yes"}, "Aufruf: formidor-cli restore ORDNER --yes"},
    };
    for (const auto& c : cases) {
        auto res = test::runCli(c.args);
        EXPECT_EQ(res.status, 2) << c.message;
        EXPECT_NE(res.err.find(c.message), std::string::npos) << res.err;
        EXPECT_EQ(res.out, "");
    }
}

} // namespace
} // namespace formidor
