#include "common/testenv.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace formidor::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto name = "formidor-test-" + std::to_string(::getpid()) + "-" +
                    std::to_string(counter++) + "-" + std::to_string(rd() % 100000);
        auto p = fs::temp_directory_path() / name;
        std::error_code ec;
        if (fs::create_directory(p, ec)) {
            path_ = p;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    // Folders a test made read-only must become writable again to be removed.
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

ScopedDataHome::ScopedDataHome() {
    if (const char* v = std::getenv("XDG_DATA_HOME")) {
        old_ = v;
        hadOld_ = true;
    }
    ::setenv("XDG_DATA_HOME", dir_.path().c_str(), 1);
}

ScopedDataHome::~ScopedDataHome() {
    if (hadOld_)
        ::setenv("XDG_DATA_HOME", old_.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

fs::path sourceDir() {
    if (const char* v = std::getenv("FORMIDOR_SOURCE_DIR")) return v;
#ifdef FORMIDOR_SOURCE_DIR_DEFAULT
    return FORMIDOR_SOURCE_DIR_DEFAULT;
#else
    return fs::current_path();
#endif
}

fs::path fixture(const std::string& name) {
    return sourceDir() / "tests" / "fixtures" / name;
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + p.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + p.string());
    out << bytes;
}

int withFileSizeLimit(uint64_t maxFileBytes, const std::function<int()>& body) {
    pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending us
        rlimit limit{maxFileBytes, maxFileBytes};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(126);
        int rc = 125;
        try {
            rc = body();
        } catch (...) {
        }
        ::_exit(rc);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

} // namespace formidor::test
