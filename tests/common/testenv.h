#pragma once
// Test support: temporary folders, an isolated user data folder, fixture paths.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace formidor::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Points XDG_DATA_HOME at a fresh temporary folder for the lifetime of the object, so the
// hive, the journal and everything else the user owns start empty; restores it afterwards.
class ScopedDataHome {
public:
    ScopedDataHome();
    ~ScopedDataHome();
    const std::filesystem::path& path() const { return dir_.path(); }
    // $XDG_DATA_HOME/formidor
    std::filesystem::path appDir() const { return dir_.path() / "formidor"; }

private:
    TempDir dir_;
    std::string old_;
    bool hadOld_ = false;
};

// The source tree (for tests/fixtures and data/).
std::filesystem::path sourceDir();
std::filesystem::path fixture(const std::string& name);

std::string readFile(const std::filesystem::path& p);
void writeFile(const std::filesystem::path& p, const std::string& bytes);

// Runs body in a child process in which no file may grow beyond maxFileBytes — writes past it
// fail as on a full disk — and returns what body returned (-1 when the child did not end
// normally). The child ends with _exit, without the exit handlers of this process.
int withFileSizeLimit(uint64_t maxFileBytes, const std::function<int()>& body);

} // namespace formidor::test
