#include "platform/leftovers.h"

#include "common/testenv.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace formidor {
namespace {

namespace fs = std::filesystem;

// The number of a process that has ended.
pid_t endedProcess() {
    pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(Leftovers, OnlyTheFilesOfEndedWritersGo) {
    test::TempDir dir;
    const std::string dead = std::to_string(endedProcess());
    const std::string alive = std::to_string(::getpid());
    const std::vector<std::string> gone = {"formidor.reg.tmp" + dead, "journal.tmp" + dead};
    // A write in progress, names that only look alike, the target itself.
    const std::vector<std::string> kept = {
        "formidor.reg.tmp" + alive, "formidor.reg.tmpabc", "formidor.reg",
        "formidor.reg.tmp",         "notes.tmp",           "formidor.reg.tmp" + dead + "x"};
    for (const auto& n : gone) test::writeFile(dir / n, "x");
    for (const auto& n : kept) test::writeFile(dir / n, "x");

    // For one target, only its own leftovers.
    removeLeftoverTemporaries(dir / "formidor.reg");
    EXPECT_FALSE(fs::exists(dir / gone[0]));
    EXPECT_TRUE(fs::exists(dir / gone[1]));

    removeLeftoverTemporariesIn(dir.path());
    for (const auto& n : gone) EXPECT_FALSE(fs::exists(dir / n)) << n;
    for (const auto& n : kept) EXPECT_TRUE(fs::exists(dir / n)) << n;
}

} // namespace
} // namespace formidor
