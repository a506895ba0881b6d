#pragma once
// Files a process killed part-way leaves behind: a file written beside its target as
// "TARGET.tmp<PID>" and renamed over it only when complete. Such a file whose process no
// longer runs is a leftover; one whose process runs may be a write in progress and stays.
#include <filesystem>

namespace formidor {

// Removes the leftovers of `target` (TARGET.tmp<PID> beside it).
void removeLeftoverTemporaries(const std::filesystem::path& target);
// Removes the leftovers of every file in `dir` (the data folder at the start of the window).
void removeLeftoverTemporariesIn(const std::filesystem::path& dir);

} // namespace formidor
