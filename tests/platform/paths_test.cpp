#include "platform/paths.h"

#include "common/testenv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace formidor {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable (or removes it for nullopt) and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(Paths, UserDataFolderFollowsXdgDataHomeElseHome) {
    struct Case {
        std::optional<std::string> xdg;
        const char* expected;
    } cases[] = {
        {"/tmp/daten", "/tmp/daten/formidor"},
        // Relative or empty values do not count; the default below HOME applies.
        {"relativ/daten", "/home/anna/.local/share/formidor"},
        {"", "/home/anna/.local/share/formidor"},
        {std::nullopt, "/home/anna/.local/share/formidor"},
    };
    ScopedEnv home("HOME", "/home/anna");
    for (const auto& c : cases) {
        ScopedEnv xdg("XDG_DATA_HOME", c.xdg);
        EXPECT_EQ(paths::localAppDataDirectory(), fs::path(c.expected)) << c.xdg.value_or("-");
        EXPECT_EQ(paths::journalFile(), fs::path(c.expected) / "journal");
        EXPECT_EQ(paths::hiveFile(), fs::path(c.expected) / "registry.sqlite");
    }
}

TEST(Paths, EnsuringTheUserDataFolderCreatesIt) {
    test::ScopedDataHome data;
    EXPECT_FALSE(fs::exists(data.appDir()));
    EXPECT_EQ(paths::ensureLocalAppDataDirectory(), data.appDir());
    EXPECT_TRUE(fs::is_directory(data.appDir()));
}

TEST(Paths, ProgramDirectoryIsTheExecutablesFolder) {
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(paths::programDirectory(), exe.parent_path());
    const fs::path beside = exe.parent_path() / "blz.asc";
    if (fs::exists(beside)) {
        EXPECT_EQ(paths::bankDirectoryFile(), beside);
    }
}

} // namespace
} // namespace formidor
