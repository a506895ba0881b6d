#pragma once
// One window per user: a second start brings the running window to the front instead of
// opening another one beside it. The running window holds an exclusive lock on a file in the
// user's data folder and listens on a local socket beside it; the system drops the lock with
// the process, so the lock of a window that crashed is free for the next start.
#include <chrono>
#include <filesystem>
#include <memory>

namespace formidor {

class SingleInstance {
public:
    enum class Outcome {
        Acquired, // this process is the running window
        Busy,     // another process holds the lock
        Unusable, // no lock could be taken at all (an unwritable data folder): run unguarded
    };

    // Tries to become the running window of `dataDir` (created when missing). On Acquired,
    // `instance` listens for later starts.
    static Outcome acquire(const std::filesystem::path& dataDir,
                           std::unique_ptr<SingleInstance>& instance);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // The listening socket (non-blocking), for the window's event loop to watch; −1 when none
    // could be opened (then later starts cannot raise this window).
    int listenFd() const { return listen_; }
    // Takes every waiting request; true when at least one later start asked to be shown.
    bool takeRequests();

private:
    SingleInstance() = default;
    int lock_ = -1;
    int listen_ = -1;
    std::filesystem::path socket_;
};

// Asks the running window of `dataDir` to come to the front; false when none answered.
bool raiseRunningInstance(const std::filesystem::path& dataDir);

// The start of the window: becomes the running window, or raises the one that runs and
// answers. A holder of the lock that does not (yet) answer is asked again until `patience`
// has passed — it may be starting, or ending so that the lock comes free.
struct StartDecision {
    SingleInstance::Outcome outcome = SingleInstance::Outcome::Unusable;
    std::unique_ptr<SingleInstance> instance; // set on Acquired
    bool raised = false;                      // another window was asked to come to the front
};
StartDecision decideStart(const std::filesystem::path& dataDir,
                          std::chrono::milliseconds patience = std::chrono::seconds(5));

} // namespace formidor
