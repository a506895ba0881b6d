#include "platform/leftovers.h"

#include <cerrno>
#include <csignal>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace formidor {

namespace fs = std::filesystem;

namespace {

// The process number of a name "….tmp<digits>" that starts with `prefix`; 0 when it is not
// such a name.
pid_t writerOf(std::string_view name, std::string_view prefix) {
    constexpr std::string_view kTmp = ".tmp";
    if (name.size() <= prefix.size() + kTmp.size() || name.substr(0, prefix.size()) != prefix)
        return 0;
    const size_t at = name.rfind(kTmp);
    if (at == std::string_view::npos || at < prefix.size() || at == 0) return 0;
    const std::string_view digits = name.substr(at + kTmp.size());
    if (digits.empty() || digits.size() > 9) return 0;
    pid_t pid = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

bool running(pid_t pid) {
    return pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM;
}

void removeIn(const fs::path& dir, std::string_view prefix, bool exactTarget) {
    std::error_code ec;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const pid_t pid = writerOf(name, prefix);
        if (pid <= 0) continue;
        // For one target only its own name followed by ".tmp<PID>".
        if (exactTarget && name.size() != prefix.size() + 4 + std::to_string(pid).size()) continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (!running(pid)) ::unlink(it->path().c_str());
    }
}

} // namespace

void removeLeftoverTemporaries(const fs::path& target) {
    removeIn(target.parent_path(), target.filename().string(), true);
}

void removeLeftoverTemporariesIn(const fs::path& dir) {
    removeIn(dir, "", false);
}

} // namespace formidor
