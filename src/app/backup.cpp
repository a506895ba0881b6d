#include "app/backup.h"

#include "platform/hive.h"
#include "platform/paths.h"
#include "platform/syserror.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <optional>

namespace formidor::backup {

namespace fs = std::filesystem;

namespace {

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

std::string cannotWrite(const fs::path& file, int err) {
    return "Die Datei " + quoted(file) + " kann nicht geschrieben werden. " + systemErrorText(err);
}

// A file's new content, written and flushed under a temporary name beside it; Commit renames
// it over the file. Dropped without Commit, the temporary file goes again.
class StagedFile {
public:
    // Throws the errno of the failure. The file keeps the permissions it had; a new one gets
    // `newMode`.
    StagedFile(const fs::path& target, const std::string& bytes, mode_t newMode) : target_(target) {
        const fs::path dir = target.parent_path();
        tmp_ = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
        int fd = ::mkostemp(tmp_.data(), O_CLOEXEC);
        if (fd < 0) throw errno;
        created_ = true;
        struct stat old {};
        ::fchmod(fd, ::stat(target.c_str(), &old) == 0 ? old.st_mode & 07777 : newMode);
        int err = 0;
        size_t done = 0;
        while (done < bytes.size() && err == 0) {
            ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                if (errno != EINTR) err = errno;
                continue;
            }
            done += static_cast<size_t>(n);
        }
        if (err == 0 && ::fdatasync(fd) != 0) err = errno;
        if (::close(fd) != 0 && err == 0) err = errno;
        if (err != 0) {
            // A constructor that throws runs no destructor: the half-written file goes here.
            ::unlink(tmp_.c_str());
            created_ = false;
            throw err;
        }
    }
    ~StagedFile() {
        if (created_) ::unlink(tmp_.c_str());
    }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Returns 0 or the errno of the failed rename.
    int Commit() {
        if (::rename(tmp_.c_str(), target_.c_str()) != 0) return errno;
        created_ = false;
        // Make the rename itself durable.
        const fs::path dir = target_.parent_path();
        int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            ::fsync(dfd);
            ::close(dfd);
        }
        return 0;
    }

private:
    fs::path target_;
    std::string tmp_;
    bool created_ = false;
};

std::unique_ptr<StagedFile> stage(const fs::path& target, const std::string& bytes,
                                  mode_t newMode) {
    try {
        return std::make_unique<StagedFile>(target, bytes, newMode);
    } catch (int err) {
        throw EBackupError(cannotWrite(target, err));
    }
}

// The whole content of a regular file; nullopt when there is no such file. Other failures
// throw with the errno.
std::optional<std::string> readWhole(const fs::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        throw errno;
    }
    struct stat st {};
    int err = 0;
    std::string bytes;
    if (::fstat(fd, &st) != 0) {
        err = errno;
    } else if (S_ISDIR(st.st_mode)) {
        err = EISDIR;
    } else {
        char buf[65536];
        while (true) {
            ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0) {
                if (errno == EINTR) continue;
                err = errno;
                break;
            }
            if (n == 0) break;
            bytes.append(buf, static_cast<size_t>(n));
        }
    }
    ::close(fd);
    if (err != 0) throw err;
    return bytes;
}

void requireFolder(const fs::path& folder) {
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec))
        throw EBackupError("Der Ordner " + quoted(folder) + " existiert nicht.");
}

} // namespace

void SaveData(const fs::path& folder) {
    requireFolder(folder);
    const fs::path regFile = folder / kRegFileName;
    const fs::path journalCopy = folder / kJournalCopyName;

    std::string regBytes;
    try {
        regBytes = ExportRegBytes(kAppKey);
    } catch (const std::exception& e) {
        throw EBackupError("Die Sicherung " + quoted(regFile) + " kann nicht geschrieben werden. " +
                           e.what());
    }
    const fs::path journal = paths::journalFile();
    std::string journalBytes;
    try {
        // Without a journal file there is nothing printed yet: the backup's journal is empty.
        journalBytes = readWhole(journal).value_or(std::string());
    } catch (int err) {
        throw EBackupError("Das Journal " + quoted(journal) + " kann nicht gelesen werden. " +
                           systemErrorText(err) + " Es wurde nichts gesichert.");
    }

    // A backup is a file the user takes elsewhere, made like any other file they save.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    auto regStaged = stage(regFile, regBytes, mode);
    auto journalStaged = stage(journalCopy, journalBytes, mode);
    if (int err = regStaged->Commit()) throw EBackupError(cannotWrite(regFile, err));
    if (int err = journalStaged->Commit())
        throw EBackupError(cannotWrite(journalCopy, err) + " Die Einstellungen wurden gesichert, "
                                                           "das Journal nicht.");
}

RestoreResult RestoreData(const fs::path& folder) {
    requireFolder(folder);
    const fs::path regFile = folder / kRegFileName;
    const fs::path journalCopy = folder / kJournalCopyName;
    std::error_code ec;
    if (!fs::exists(regFile, ec))
        throw EBackupError("Im Ordner " + quoted(folder) + " liegt keine Sicherung: die Datei " +
                           quoted(regFile) + " fehlt. Es wurde nichts geändert.");

    RestoreResult result;
    std::unique_ptr<StagedFile> journalStaged;
    const fs::path journal = paths::journalFile();
    try {
        if (auto bytes = readWhole(journalCopy)) {
            fs::create_directories(journal.parent_path(), ec);
            journalStaged = stage(journal, *bytes, 0600);
        }
    } catch (int err) {
        throw EBackupError("Die Datei " + quoted(journalCopy) + " kann nicht gelesen werden. " +
                           systemErrorText(err) + " Es wurde nichts geändert.");
    }

    try {
        ImportRegFile(regFile, TRegImport::ReplaceAppKey);
    } catch (const std::exception& e) {
        throw EBackupError(e.what());
    }

    if (journalStaged) {
        if (int err = journalStaged->Commit())
            result.journalFailure = "Die Einstellungen wurden eingelesen, das Journal nicht. " +
                                    cannotWrite(journal, err);
        else
            result.journalCopied = true;
    }
    return result;
}

} // namespace formidor::backup
