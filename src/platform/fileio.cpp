#include "platform/fileio.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace formidor::fileio {

std::string reason(int err) {
    switch (err) {
    case ENOSPC:
        return "der Datenträger ist voll";
    case EDQUOT:
        return "das Speicherkontingent auf dem Datenträger ist erschöpft";
    case EFBIG:
        return "die Datei würde größer, als der Datenträger erlaubt";
    case EACCES:
    case EPERM:
        return "der Zugriff wurde verweigert";
    case EROFS:
        return "der Datenträger ist schreibgeschützt";
    case ENOENT:
        return "die Datei oder ihr Ordner existiert nicht";
    case ENOTDIR:
        return "ein Teil des Pfades ist kein Ordner";
    case EISDIR:
        return "an dieser Stelle liegt ein Ordner";
    case ELOOP:
        return "der Pfad enthält zu viele oder kreisförmige symbolische Verknüpfungen";
    case ENAMETOOLONG:
        return "der Dateiname ist zu lang";
    case EIO:
        return "Ein-/Ausgabefehler beim Zugriff auf den Datenträger";
    case EMFILE:
    case ENFILE:
        return "es sind zu viele Dateien gleichzeitig geöffnet";
    case ENOMEM:
        return "der Arbeitsspeicher reicht nicht aus";
    case EBUSY:
    case ETXTBSY:
        return "die Datei wird gerade von einem anderen Programm benutzt";
    case ENXIO:
    case ENODEV:
        return "das Gerät ist nicht vorhanden";
    case EINVAL:
        return "die Datei lässt sich so nicht benutzen";
    default:
        return "das Betriebssystem meldet einen unbekannten Fehler";
    }
}

std::string sizeText(uint64_t bytes) {
    return std::to_string(bytes / (1024 * 1024)) + " MB";
}

Opened openRegular(const std::filesystem::path& file, uint64_t maxBytes) {
    Opened o;
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        o.err = errno;
        o.reason = reason(o.err);
        return o;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        o.err = errno;
        o.reason = reason(o.err);
        ::close(fd);
        return o;
    }
    if (S_ISDIR(st.st_mode)) {
        o.reason = reason(EISDIR);
    } else if (!S_ISREG(st.st_mode)) {
        o.reason = "das ist keine gewöhnliche Datei, sondern ein Gerät, eine Pipe oder ein Socket";
    } else if (static_cast<uint64_t>(st.st_size) > maxBytes) {
        o.reason =
            "die Datei ist größer als " + sizeText(maxBytes) + " und kann nicht die erwartete sein";
    }
    if (!o.reason.empty()) {
        ::close(fd);
        return o;
    }
    // Reads of a regular file do not block; the flag only kept the open from waiting.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    o.fd = fd;
    o.size = static_cast<uint64_t>(st.st_size);
    return o;
}

bool readRegular(const std::filesystem::path& file, uint64_t maxBytes, std::string& bytes,
                 std::string& why) {
    Opened o = openRegular(file, maxBytes);
    if (o.fd < 0) {
        why = o.reason;
        return false;
    }
    bytes.clear();
    // One more byte than the size tells whether the file grew since.
    bytes.resize(static_cast<size_t>(o.size) + 1);
    size_t used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (bytes.size() > maxBytes) {
                ::close(o.fd);
                why = "die Datei ist größer als " + sizeText(maxBytes) +
                      " und kann nicht die erwartete sein";
                return false;
            }
            bytes.resize(std::min<size_t>(bytes.size() * 2, maxBytes + 1));
        }
        ssize_t n = ::read(o.fd, bytes.data() + used, bytes.size() - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            why = reason(errno);
            ::close(o.fd);
            return false;
        }
        if (n == 0) break;
        used += static_cast<size_t>(n);
    }
    ::close(o.fd);
    bytes.resize(used);
    return true;
}

namespace {

bool processAlive(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

// "<name>.tmp<PID>" files beside `file` left by a process that no longer runs.
void removeStaleTemporaries(const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string prefix = file.filename().string() + ".tmp";
    fs::path dir = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string digits = name.substr(prefix.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(digits));
        if (pid == ::getpid() || processAlive(pid)) continue;
        std::error_code ignored;
        if (it->is_regular_file(ignored)) fs::remove(it->path(), ignored);
    }
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string& why) {
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        why = S_ISDIR(st.st_mode) ? reason(EISDIR)
                                  : "an dieser Stelle liegt ein Gerät, eine Pipe oder ein Socket "
                                    "und keine gewöhnliche Datei";
        return false;
    }
    removeStaleTemporaries(file);
    std::filesystem::path tmp = file;
    tmp += ".tmp" + std::to_string(::getpid());
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        why = reason(errno);
        return false;
    }
    auto failed = [&](int err) {
        why = reason(err);
        if (fd >= 0) ::close(fd);
        ::unlink(tmp.c_str());
        return false;
    };
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return failed(n < 0 ? errno : ENOSPC);
        done += static_cast<size_t>(n);
    }
    // The bytes reach the disk before the name does: after a power failure the file is the old
    // one or the new one, never an empty file under the new name.
    if (::fdatasync(fd) != 0) return failed(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return failed(errno);
    if (::rename(tmp.c_str(), file.c_str()) != 0) return failed(errno);
    return true;
}

} // namespace formidor::fileio
