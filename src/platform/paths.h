#pragma once
// Where the program finds its files and keeps the user's.
#include <filesystem>

namespace formidor::paths {

// Directory of the running executable.
std::filesystem::path programDirectory();
// blz.asc beside the executable, else ../share/formidor/blz.asc of an installed program.
std::filesystem::path bankDirectoryFile();
// $XDG_DATA_HOME/formidor, by default ~/.local/share/formidor; not created here.
std::filesystem::path localAppDataDirectory();
// Creates the local application data folder when missing; returns it.
std::filesystem::path ensureLocalAppDataDirectory();
std::filesystem::path journalFile();
std::filesystem::path hiveFile();

} // namespace formidor::paths
