#include "cli/clirun.h"

#include "common/testenv.h"
#include "platform/hive.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <sstream>

namespace formidor {
namespace {

using RegResult = test::CliResult;
const auto runReg = test::runCli;

const std::string kApp = "\\" + std::string(kAppKey);

TEST(CliReg, ExportAndImportTheCurrentUsersKey) {
    test::TempDir dir;
    auto file = dir / "formidor.reg";
    {
        test::ScopedDataHome home;
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(kApp + "\\UeberwE\\Müller", true));
        r.WriteString("BLZ", "37040044");
        RegResult res = runReg({"reg-export", file.string()});
        EXPECT_EQ(res.status, 0) << res.err;
        EXPECT_EQ(res.err, "");
    }
    test::ScopedDataHome other; // another user, e.g. on the new computer
    RegResult res = runReg({"reg-import", file.string()});
    EXPECT_EQ(res.status, 0) << res.err;
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(kApp + "\\UeberwE\\Müller", false));
    EXPECT_EQ(r.ReadString("BLZ"), "37040044");
}

// A fresh install (or a store whose key was deleted) has nothing stored: its backup is the empty
// key, and restoring that backup works and changes nothing.
TEST(CliReg, TheBackupOfAnEmptyStoreWorks) {
    test::ScopedDataHome home;
    test::TempDir dir;
    auto file = dir / "leer.reg";
    RegResult res = runReg({"reg-export", file.string()});
    ASSERT_EQ(res.status, 0) << res.err;
    res = runReg({"reg-import", file.string()});
    EXPECT_EQ(res.status, 0) << res.err;
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(kApp, false));
    EXPECT_TRUE(r.GetKeyNames().empty());
    EXPECT_TRUE(r.GetValueNames().empty());
}

TEST(CliReg, FailuresAreGermanMessagesWithStatusTwo) {
    test::ScopedDataHome home;
    test::TempDir dir;
    auto bad = dir / "bad.reg";
    test::writeFile(bad, "REGEDIT4\n[HKEY_CURRENT_USER\\SOFTWARE\\Fremd]\n\"a\"=\"b\"\n");
    struct Case {
        cli::Args args;
        const char* message;
    } cases[] = {
        {{"reg-import", bad.string()}, "Zeile 2"},
        {{"reg-import", (dir / "fehlt.reg").string()}, "kann nicht gelesen werden"},
        {{"reg-import"}, "Aufruf: formidor-cli reg-import DATEI"},
        {{"reg-export", "a", "b"}, "Aufruf: formidor-cli reg-export DATEI"},
        {{"reg-export", (dir / "kein Ordner" / "x.reg").string()}, "existiert nicht"},
    };
    for (const auto& c : cases) {
        RegResult res = runReg(c.args);
        EXPECT_EQ(res.status, 2) << c.message;
        EXPECT_NE(res.err.find(c.message), std::string::npos) << res.err;
        EXPECT_EQ(res.out, "");
    }
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(kApp, true));
    }
    RegResult res = runReg({"reg-export", (dir / "kein Ordner" / "x.reg").string()});
    EXPECT_EQ(res.status, 2);
    EXPECT_NE(res.err.find("kann nicht geschrieben werden"), std::string::npos) << res.err;

    // A damaged hive is reported, not replaced.
    test::ScopedDataHome damaged;
    std::filesystem::create_directories(damaged.appDir());
    test::writeFile(paths::hiveFile(), std::string(4096, '\x7f'));
    res = runReg({"reg-export", (dir / "y.reg").string()});
    EXPECT_EQ(res.status, 2);
    EXPECT_NE(res.err.find(paths::hiveFile().string()), std::string::npos) << res.err;
    // The import says so in sentences that each end once.
    test::writeFile(dir / "gut.reg",
                    "REGEDIT4\n[HKEY_CURRENT_USER\\" + std::string(kAppKey) + "]\n\"a\"=\"b\"\n");
    res = runReg({"reg-import", (dir / "gut.reg").string()});
    EXPECT_EQ(res.status, 2);
    EXPECT_NE(res.err.find("Es wurde nichts geändert."), std::string::npos) << res.err;
    EXPECT_EQ(res.err.find(".."), std::string::npos) << res.err;
}

} // namespace
} // namespace formidor
