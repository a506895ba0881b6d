#include "app/instance.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace formidor {

namespace fs = std::filesystem;

namespace {

// The socket beside the lock; where that path is too long for a local socket, one in the
// user's runtime folder named after the data folder.
fs::path socketPath(const fs::path& dataDir) {
    fs::path p = dataDir / "instance.sock";
    if (p.string().size() < sizeof(sockaddr_un{}.sun_path)) return p;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return {};
    uint64_t h = 1469598103934665603ull; // FNV-1a: the same name in every build
    for (unsigned char c : dataDir.string()) h = (h ^ c) * 1099511628211ull;
    p = fs::path(runtime) / ("formidor-" + std::to_string(h) + ".sock");
    if (p.string().size() < sizeof(sockaddr_un{}.sun_path)) return p;
    return {};
}

bool addressOf(const fs::path& p, sockaddr_un& a) {
    std::memset(&a, 0, sizeof a);
    a.sun_family = AF_UNIX;
    if (p.empty() || p.string().size() >= sizeof a.sun_path) return false;
    std::memcpy(a.sun_path, p.c_str(), p.string().size());
    return true;
}

} // namespace

SingleInstance::Outcome SingleInstance::acquire(const fs::path& dataDir,
                                                std::unique_ptr<SingleInstance>& instance) {
    std::error_code ec;
    fs::create_directories(dataDir, ec);
    const fs::path lockFile = dataDir / "instance.lock";
    int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Outcome::Unusable;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? Outcome::Busy : Outcome::Unusable;
    }
    std::unique_ptr<SingleInstance> self(new SingleInstance);
    self->lock_ = fd;

    sockaddr_un a{};
    const fs::path sock = socketPath(dataDir);
    if (addressOf(sock, a)) {
        // A socket left by a window that crashed: nobody listens there while we hold the lock.
        ::unlink(sock.c_str());
        int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
            ::listen(s, 8) == 0) {
            self->listen_ = s;
            self->socket_ = sock;
        } else if (s >= 0) {
            ::close(s);
        }
    }
    instance = std::move(self);
    return Outcome::Acquired;
}

SingleInstance::~SingleInstance() {
    if (listen_ >= 0) {
        ::close(listen_);
        ::unlink(socket_.c_str());
    }
    if (lock_ >= 0) ::close(lock_);
}

bool SingleInstance::takeRequests() {
    bool any = false;
    for (;;) {
        int c = ::accept4(listen_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (c < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            break;
        }
        // Any connection is a request to be shown; what it sent does not matter.
        char buf[64];
        while (::read(c, buf, sizeof buf) > 0) {
        }
        ::close(c);
        any = true;
    }
    return any;
}

bool raiseRunningInstance(const fs::path& dataDir) {
    sockaddr_un a{};
    if (!addressOf(socketPath(dataDir), a)) return false;
    int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) return false;
    bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    if (ok) {
        static const char kRequest[] = "raise\n";
        ok = ::send(s, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL) > 0;
    }
    ::close(s);
    return ok;
}

StartDecision decideStart(const fs::path& dataDir, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    StartDecision d;
    for (;;) {
        d.outcome = SingleInstance::acquire(dataDir, d.instance);
        if (d.outcome != SingleInstance::Outcome::Busy) return d;
        if (raiseRunningInstance(dataDir)) {
            d.raised = true;
            return d;
        }
        if (std::chrono::steady_clock::now() >= deadline) return d;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace formidor
