#include "app/instance.h"

#include "common/testenv.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace formidor {
namespace {

namespace fs = std::filesystem;
using O = SingleInstance::Outcome;
using namespace std::chrono_literals;

TEST(SingleInstance, ASecondStartRaisesTheRunningWindow) {
    test::TempDir dir;
    std::unique_ptr<SingleInstance> first;
    ASSERT_EQ(SingleInstance::acquire(dir.path(), first), O::Acquired);
    ASSERT_GE(first->listenFd(), 0);
    EXPECT_FALSE(first->takeRequests()) << "nobody asked yet";

    StartDecision second = decideStart(dir.path(), 0ms);
    EXPECT_EQ(second.outcome, O::Busy);
    EXPECT_TRUE(second.raised);
    EXPECT_EQ(second.instance, nullptr);
    EXPECT_TRUE(first->takeRequests());
    EXPECT_FALSE(first->takeRequests()) << "one request is taken once";

    // Once the window has ended, the next start is the window.
    first.reset();
    StartDecision next = decideStart(dir.path(), 0ms);
    EXPECT_EQ(next.outcome, O::Acquired);
    ASSERT_NE(next.instance, nullptr);
}

TEST(SingleInstance, TheLockOfACrashedWindowIsTakenOver) {
    test::TempDir dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::unique_ptr<SingleInstance> held;
        char ok = SingleInstance::acquire(dir.path(), held) == O::Acquired ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        ::pause(); // killed here, leaving its lock file and socket behind
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    std::unique_ptr<SingleInstance> meanwhile;
    EXPECT_EQ(SingleInstance::acquire(dir.path(), meanwhile), O::Busy);

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(fs::exists(dir / "instance.sock")) << "the crash left its socket";
    EXPECT_FALSE(raiseRunningInstance(dir.path())) << "nobody answers on it";

    StartDecision d = decideStart(dir.path(), 0ms);
    ASSERT_EQ(d.outcome, O::Acquired);
    EXPECT_TRUE(raiseRunningInstance(dir.path()));
    EXPECT_TRUE(d.instance->takeRequests());
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(SingleInstance, AnUnwritableDataFolderDoesNotKeepTheWindowFromStarting) {
    test::TempDir dir;
    test::writeFile(dir / "file", "");
    StartDecision d = decideStart(dir / "file" / "formidor", 0ms);
    EXPECT_EQ(d.outcome, O::Unusable);
}

} // namespace
} // namespace formidor
