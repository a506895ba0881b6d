#include "platform/paths.h"

#include <cstdlib>
#include <unistd.h>

namespace formidor::paths {

namespace fs = std::filesystem;

fs::path programDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path();
    return exe.parent_path();
}

fs::path bankDirectoryFile() {
    fs::path dir = programDirectory();
    fs::path here = dir / "blz.asc";
    std::error_code ec;
    if (fs::exists(here, ec)) return here;
    fs::path shared = (dir / ".." / "share" / "formidor" / "blz.asc").lexically_normal();
    if (fs::exists(shared, ec)) return shared;
    return here;
}

fs::path localAppDataDirectory() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute()) return fs::path(xdg) / "formidor";
    const char* home = std::getenv("HOME");
    fs::path h = (home && *home) ? fs::path(home) : fs::temp_directory_path();
    return h / ".local" / "share" / "formidor";
}

fs::path ensureLocalAppDataDirectory() {
    fs::path d = localAppDataDirectory();
    std::error_code ec;
    fs::create_directories(d, ec);
    return d;
}

fs::path journalFile() { return localAppDataDirectory() / "journal"; }

fs::path hiveFile() { return localAppDataDirectory() / "registry.sqlite"; }

} // namespace formidor::paths
