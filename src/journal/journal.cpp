#include "journal/journal.h"

#include "platform/paths.h"
#include "platform/syserror.h"
#include "platform/text.h"

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <unordered_map>

namespace formidor {

namespace fs = std::filesystem;

namespace {

template <class T>
T readLE(const unsigned char* p) {
    std::make_unsigned_t<T> v = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        v |= static_cast<std::make_unsigned_t<T>>(p[i]) << (8 * i);
    return static_cast<T>(v);
}

template <class T>
void writeLE(unsigned char* p, T value) {
    auto v = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::string reasonOf(int err) {
    return systemErrorText(err);
}

std::string quoted(const fs::path& p) {
    return "„" + p.string() + "“";
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the error a late write-back may surface only here.
    int close() {
        int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// The lock every change of a journal is made under. It is taken on the journal's folder, not on
// the file: each save replaces the file by a rename, so a lock on the file would stay on the
// old one. Released when the object goes, or by the system when the process dies.
class FolderLock {
public:
    // Waits up to `wait` for the lock (a save of another process takes milliseconds); a zero
    // wait gives up at once when another process holds it. Given up, error() is EWOULDBLOCK.
    FolderLock(const fs::path& dir, std::chrono::milliseconds wait) {
        fd_ = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0) {
            err_ = errno;
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + wait;
        auto pause = std::chrono::milliseconds(1);
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            const int e = errno;
            if (e == EINTR) continue;
            if (e == EWOULDBLOCK && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(pause);
                pause = std::min(pause * 2, std::chrono::milliseconds(2));
                continue;
            }
            err_ = e;
            ::close(fd_);
            fd_ = -1;
            return;
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool held() const { return fd_ >= 0; }
    int error() const { return err_; }

private:
    int fd_ = -1;
    int err_ = 0;
};

// The name of a save's temporary file: "." + the journal's name + "." + six characters of
// mkstemp's choice.
std::string temporaryPrefix(const fs::path& journal) {
    return "." + journal.filename().string() + ".";
}

// Removes the temporary files that saves killed part-way left. Only under the folder lock:
// then no save is running, so every such file is a leftover.
void removeLeftoverTemporaries(const fs::path& journal) {
    const fs::path dir = journal.parent_path().empty() ? fs::path(".") : journal.parent_path();
    const std::string prefix = temporaryPrefix(journal);
    DIR* d = ::opendir(dir.c_str());
    if (!d) return;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name(e->d_name);
        if (name.size() != prefix.size() + 6 || name.substr(0, prefix.size()) != prefix) continue;
        bool generated = true;
        for (char c : name.substr(prefix.size()))
            generated = generated && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                                      (c >= 'A' && c <= 'Z'));
        struct stat st {};
        const fs::path p = dir / std::string(name);
        if (generated && ::lstat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(p.c_str());
    }
    ::closedir(d);
}

// A record's identity when a marked record is matched against the file: all its bytes but
// the flag.
std::string identity(const TJournal& r) {
    return std::string(reinterpret_cast<const char*>(r.bytes().data()) + 1, TJournal::kSize - 1);
}

// Larger than any journal (over two million printed forms), small enough to read into memory.
constexpr off_t kMaxJournalBytes = off_t{1} << 30;

} // namespace

std::string_view journalTypText(uint16_t typ) {
    switch (typ) {
    case kJournalUeberweisung:
        return "Überweisung";
    case kJournalVerrechnungsscheck:
        return "Verrechnungsscheck";
    case kJournalAuslandsueberweisung:
        return "Auslandsüberweisung";
    case kJournalLastschrift:
        return "Lastschrift";
    case kJournalScheckeinreichung:
        return "Scheckeinreichung";
    default:
        return {};
    }
}

// --- TJournal ---

int32_t TJournal::ID() const {
    return readLE<int32_t>(&bytes_[4]);
}
void TJournal::SetID(int32_t id) {
    writeLE(&bytes_[4], id);
}

TDateTime TJournal::Datum() const {
    double d;
    uint64_t bits = readLE<uint64_t>(&bytes_[8]);
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

void TJournal::SetDatum(TDateTime d) {
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    writeLE(&bytes_[8], bits);
}

uint16_t TJournal::Typ() const {
    return readLE<uint16_t>(&bytes_[16]);
}
void TJournal::SetTyp(uint16_t t) {
    writeLE(&bytes_[16], t);
}
Currency TJournal::Betrag() const {
    return readLE<int64_t>(&bytes_[24]);
}
void TJournal::SetBetrag(Currency c) {
    writeLE(&bytes_[24], c);
}

std::string TJournal::text(size_t offset, size_t max) const {
    size_t n = std::min<size_t>(bytes_[offset], max);
    return cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(&bytes_[offset + 1]), n));
}

void TJournal::appendText(std::string& out, Field f) const {
    const auto offset = static_cast<size_t>(f);
    const size_t max = f == Field::Verwendungszweck ? kPurposeMax : kTextMax;
    const size_t n = std::min<size_t>(bytes_[offset], max);
    const auto* p = reinterpret_cast<const char*>(&bytes_[offset + 1]);
    unsigned char high = 0;
    for (size_t i = 0; i < n; ++i) high |= static_cast<unsigned char>(p[i]);
    if (high < 0x80)
        out.append(p, n);
    else
        out += cp1252ToUtf8(std::string_view(p, n));
}

void TJournal::setText(size_t offset, size_t max, std::string_view utf8) {
    std::string ansi = utf8ToCp1252(utf8);
    if (ansi.size() > max) ansi.resize(max);
    bytes_[offset] = static_cast<unsigned char>(ansi.size());
    std::memcpy(&bytes_[offset + 1], ansi.data(), ansi.size());
    std::memset(&bytes_[offset + 1 + ansi.size()], 0, max - ansi.size());
}

// --- Journal ---

Journal::Journal(fs::path file) : file_(std::move(file)) {}

fs::path Journal::file() const {
    return file_.empty() ? paths::journalFile() : file_;
}

void Journal::anzeigen() {
    if (onAnzeigen_) onAnzeigen_();
}

void Journal::widen(const TJournal& r) {
    highest_ = std::max(highest_, r.ID());
    lowest_ = std::min(lowest_, r.ID());
    earliest_ = std::min(earliest_, r.Datum());
    latest_ = std::max(latest_, r.Datum());
}

std::optional<std::vector<TJournal>> readJournalFile(const fs::path& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0 && errno == ENOENT) return std::nullopt;
    // Not blocking: opening a pipe for reading would otherwise wait for a writer.
    Fd fd(::open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    int err = 0;
    std::string notAFile;
    std::vector<TJournal> loaded;
    if (fd.get() < 0) {
        err = errno;
    } else if (::fstat(fd.get(), &st) != 0) {
        err = errno;
    } else if (S_ISDIR(st.st_mode)) {
        err = EISDIR;
    } else if (!S_ISREG(st.st_mode)) {
        notAFile = "Es ist keine gewöhnliche Datei, sondern eine Pipe oder ein Gerät.";
    } else if (st.st_size > kMaxJournalBytes) {
        err = EFBIG;
    } else {
        // Only whole records count; a torn tail is left out. Read in blocks of whole records
        // through a small buffer: the records go into the list once, without first clearing
        // memory the read would overwrite anyway.
        const size_t count = static_cast<size_t>(st.st_size) / TJournal::kSize;
        loaded.reserve(count);
        constexpr size_t kBlockRecords = 2048;
        std::unique_ptr<TJournal::Bytes[]> block(new TJournal::Bytes[kBlockRecords]);
        auto* dst = reinterpret_cast<char*>(block.get());
        // As many records as the file held when it was opened; a file that shrinks meanwhile
        // gives what is whole.
        for (bool atEnd = false; !atEnd && err == 0 && loaded.size() < count;) {
            const size_t want = std::min(kBlockRecords, count - loaded.size()) * TJournal::kSize;
            size_t got = 0;
            while (got < want) {
                ssize_t n = ::read(fd.get(), dst + got, want - got);
                if (n < 0) {
                    if (errno == EINTR) continue;
                    err = errno;
                    break;
                }
                if (n == 0) {
                    atEnd = true;
                    break;
                }
                got += static_cast<size_t>(n);
            }
            for (size_t i = 0; i < got / TJournal::kSize; ++i) loaded.emplace_back(block[i]);
        }
    }
    if (err != 0 || !notAFile.empty())
        throw EJournalError("Das Journal " + quoted(p) + " kann nicht gelesen werden. " +
                            (notAFile.empty() ? reasonOf(err) : notAFile));
    return loaded;
}

void Journal::JournalLaden() {
    const fs::path p = file();
    std::string failure;
    try {
        {
            // Leftovers are removed only while no other process can be saving.
            FolderLock lock(p.parent_path(), std::chrono::milliseconds(0));
            if (lock.held()) removeLeftoverTemporaries(p);
        }
        auto loaded = readJournalFile(p);
        if (!loaded) {
            // A first start: an empty journal, created now so the user sees where it lives.
            std::error_code ec;
            fs::create_directories(p.parent_path(), ec);
            int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd < 0 && errno != EEXIST)
                failure = "Das Journal " + quoted(p) + " konnte nicht angelegt werden. " +
                          reasonOf(errno);
            if (fd >= 0) ::close(fd);
            list_.clear();
        } else {
            list_ = std::move(*loaded);
            for (auto& r : list_) {
                // The file only ever holds live records; a flag byte that reads otherwise is
                // damage and must not delete the record at the next save.
                r.SetFlag(0);
                widen(r);
            }
        }
        list_.insert(list_.end(), unsaved_.begin(), unsaved_.end());
        state_ = State::Ok;
    } catch (const EJournalError& e) {
        state_ = State::Unreadable;
        failure = std::string(e.what()) +
                  " Die Datei wird nicht überschrieben; neue Einträge werden in diesem "
                  "Programmlauf nicht gespeichert.";
    }
    anzeigen();
    if (!failure.empty()) throw EJournalError(failure);
}

void Journal::JournalSpeichern() {
    commit(nullptr);
}

void Journal::commit(TJournal* fresh) {
    const fs::path p = file();
    if (state_ == State::Unreadable) {
        if (fresh) list_.push_back(*fresh);
        anzeigen();
        throw EJournalError("Das Journal " + quoted(p) +
                            " wird nicht gespeichert, weil die vorhandene Datei nicht gelesen "
                            "werden konnte und sonst verloren ginge.");
    }
    auto failed = [&](const std::string& why) {
        anzeigen();
        return EJournalError("Das Journal " + quoted(p) + " konnte nicht gespeichert werden. " +
                             why + " Die bisherige Datei ist unverändert.");
    };

    const fs::path dir = p.parent_path();
    std::error_code ec;
    if (!dir.empty()) fs::create_directories(dir, ec);
    FolderLock lock(dir, lockWait_);
    if (!lock.held()) {
        if (fresh) {
            list_.push_back(*fresh);
            unsaved_.push_back(*fresh);
        }
        if (lock.error() == EWOULDBLOCK)
            throw failed("Ein anderes laufendes Formidor hält es gesperrt und gibt es nicht frei.");
        throw failed(reasonOf(lock.error()));
    }

    // The file as it is now, with what other processes did to it since this one last looked.
    std::vector<TJournal> current;
    try {
        if (auto loaded = readJournalFile(p)) current = std::move(*loaded);
    } catch (const EJournalError& e) {
        if (fresh) {
            list_.push_back(*fresh);
            unsaved_.push_back(*fresh);
        }
        anzeigen();
        throw EJournalError(std::string(e.what()) + " Es wurde nichts gespeichert.");
    }

    // Records marked here are deleted from the file; each mark deletes one record equal to it.
    std::unordered_map<std::string, int> marked;
    for (const auto& r : list_)
        if (r.Flag() != 0) ++marked[identity(r)];

    std::vector<TJournal> merged;
    merged.reserve(current.size() + unsaved_.size() + 1);
    int32_t fileHighest = 0;
    bool anyInFile = false;
    for (auto& r : current) {
        r.SetFlag(0);
        fileHighest = anyInFile ? std::max(fileHighest, r.ID()) : r.ID();
        anyInFile = true;
        // What this run has not seen widens the run state as a load would; a record of this
        // run leaves the lowest number alone, as its append did.
        highest_ = std::max(highest_, r.ID());
        earliest_ = std::min(earliest_, r.Datum());
        latest_ = std::max(latest_, r.Datum());
        if (!std::binary_search(ownNumbers_.begin(), ownNumbers_.end(), r.ID()))
            lowest_ = std::min(lowest_, r.ID());
        if (!marked.empty()) {
            auto it = marked.find(identity(r));
            if (it != marked.end() && it->second > 0) {
                --it->second;
                r.SetFlag(1);
            }
        }
        merged.push_back(r);
    }
    // A record an earlier save failed to write keeps its number unless another process has
    // used that number since.
    for (auto& r : unsaved_) {
        if (anyInFile && r.ID() <= fileHighest) {
            r.SetID(++highest_);
            ownNumbers_.push_back(r.ID());
        }
        merged.push_back(r);
    }
    if (fresh) {
        fresh->SetID(++highest_);
        ownNumbers_.push_back(fresh->ID());
        merged.push_back(*fresh);
        unsaved_.push_back(*fresh);
    }

    std::string buffer;
    buffer.reserve(merged.size() * TJournal::kSize);
    for (const auto& r : merged)
        if (r.Flag() == 0)
            buffer.append(reinterpret_cast<const char*>(r.bytes().data()), TJournal::kSize);

    std::string tmpl = (dir / (temporaryPrefix(p) + "XXXXXX")).string();
    int err = 0;
    int fdRaw = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fdRaw < 0) {
        err = errno;
    } else {
        Fd fd(fdRaw);
        struct stat old {};
        if (::stat(p.c_str(), &old) == 0) ::fchmod(fd.get(), old.st_mode & 07777);
        size_t done = 0;
        while (done < buffer.size() && err == 0) {
            size_t chunk = buffer.size() - done;
            if (fault_ && done + chunk > fault_->afterBytes) {
                chunk = fault_->afterBytes > done ? fault_->afterBytes - done : 0;
                if (chunk == 0) {
                    err = fault_->error;
                    break;
                }
            }
            ssize_t n = ::write(fd.get(), buffer.data() + done, chunk);
            if (n < 0) {
                if (errno != EINTR) err = errno;
                continue;
            }
            done += static_cast<size_t>(n);
        }
        if (err == 0 && ::fdatasync(fd.get()) != 0) err = errno;
        int closeErr = fd.close();
        if (err == 0) err = closeErr;
        if (err == 0 && ::rename(tmpl.c_str(), p.c_str()) != 0) err = errno;
        if (err != 0) {
            ::unlink(tmpl.c_str());
        } else {
            // Make the rename itself durable.
            int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (dfd >= 0) {
                ::fsync(dfd);
                ::close(dfd);
            }
        }
    }
    if (err != 0) {
        // Marked and unsaved records stay in the list; the next save tries them again.
        list_ = std::move(merged);
        throw failed(reasonOf(err));
    }
    unsaved_.clear();
    list_.clear();
    for (auto& r : merged)
        if (r.Flag() == 0) list_.push_back(r);
    anzeigen();
}

void Journal::JournalAnhaengen(uint16_t Typ, std::string_view AuftraggeberKonto,
                               std::string_view AuftraggeberName, TDateTime Datum,
                               std::string_view AuftraggeberBLZ, std::string_view EmpfaengerName,
                               std::string_view EmpfaengerKonto, std::string_view EmpfaengerBLZ,
                               std::string_view Verwendungszweck, Currency Betrag) {
    TJournal r;
    r.SetFlag(0);
    r.SetDatum(Datum);
    r.SetBetrag(Betrag);
    r.SetTyp(Typ);
    r.SetAuftraggeberKonto(AuftraggeberKonto);
    r.SetAuftraggeberName(AuftraggeberName);
    r.SetAuftraggeberBLZ(AuftraggeberBLZ);
    r.SetEmpfaengerName(EmpfaengerName);
    r.SetEmpfaengerKonto(EmpfaengerKonto);
    r.SetEmpfaengerBLZ(EmpfaengerBLZ);
    r.SetVerwendungszweck(Verwendungszweck);
    // The dates widen before the save so that a record left in the list by a failed save is
    // still inside the journal dialog's default range.
    earliest_ = std::min(earliest_, Datum);
    latest_ = std::max(latest_, Datum);
    if (saveDeferred_) {
        // Numbered now and written by the next save, together with what other processes added
        // meanwhile; that save renumbers it if another process took its number.
        r.SetID(++highest_);
        ownNumbers_.push_back(r.ID());
        list_.push_back(r);
        unsaved_.push_back(r);
        anzeigen();
        return;
    }
    if (state_ == State::Unreadable) r.SetID(++highest_);
    commit(&r);
    anzeigen();
}

void Journal::saveAtClose() {
    if (state_ == State::Unreadable) return;
    JournalSpeichern();
}

// --- display ---

// Dates a damaged file may hold are shown empty rather than as nonsense.
std::string journalDateText(TDateTime d, const FormatSettings& fs) {
    if (!std::isfinite(d) || d < -693593.0 || d >= 2958466.0) return {};
    return DateToStr(d, fs);
}

std::string journalAmountText(Currency betrag, const FormatSettings& fs) {
    // In unsigned arithmetic, so the most negative amount has a magnitude too.
    const bool negative = betrag < 0;
    const uint64_t magnitude =
        negative ? uint64_t{0} - static_cast<uint64_t>(betrag) : static_cast<uint64_t>(betrag);
    const uint64_t cents = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
    std::string s = negative && cents != 0 ? "-" : "";
    s += std::to_string(cents / 100);
    s += fs.decimalSeparator;
    const auto fraction = static_cast<unsigned>(cents % 100);
    s += static_cast<char>('0' + fraction / 10);
    s += static_cast<char>('0' + fraction % 10);
    return s;
}

std::string journalCell(const TJournal& r, int line, int column, const FormatSettings& fs) {
    using F = TJournal::Field;
    if (column == 0) return line == 0 ? std::to_string(r.ID()) : std::string();
    std::string s;
    switch (line) {
    case 0:
        s.reserve(80 + TJournal::kPurposeMax);
        s += journalTypText(r.Typ());
        s += " - ";
        s += journalDateText(r.Datum(), fs);
        s += " - Betrag: ";
        s += journalAmountText(r.Betrag(), fs);
        s += " € - Verwendungszweck: ";
        r.appendText(s, F::Verwendungszweck);
        break;
    case 1:
        s.reserve(40 + 3 * TJournal::kTextMax);
        s += "Auftraggeber: ";
        r.appendText(s, F::AuftraggeberName);
        s += " - Konto: ";
        r.appendText(s, F::AuftraggeberKonto);
        s += " (";
        r.appendText(s, F::AuftraggeberBLZ);
        s += ')';
        break;
    case 2:
        s.reserve(40 + 3 * TJournal::kTextMax);
        s += "Empfänger: ";
        r.appendText(s, F::EmpfaengerName);
        s += " - Konto:";
        r.appendText(s, F::EmpfaengerKonto);
        s += " (";
        r.appendText(s, F::EmpfaengerBLZ);
        s += ')';
        break;
    default:
        break;
    }
    return s;
}

std::vector<JournalRow> JournalAnzeigen(const std::vector<TJournal>& list,
                                        const FormatSettings& fs) {
    std::vector<JournalRow> rows(list.size() * kJournalRowsPerRecord);
    for (size_t i = 0; i < list.size(); ++i) {
        for (int line = 0; line < kJournalRowsPerRecord; ++line) {
            auto& row = rows[i * kJournalRowsPerRecord + line];
            row.cells[0] = journalCell(list[i], line, 0, fs);
            row.cells[1] = journalCell(list[i], line, 1, fs);
        }
    }
    return rows;
}

JournalBlock journalBlockOf(int row, int rowCount) {
    if (rowCount <= 0) return {0, 0};
    row = std::clamp(row, 0, rowCount - 1);
    int top = row / kJournalRowsPerRecord * kJournalRowsPerRecord;
    return {top, std::min(top + kJournalRowsPerRecord - 1, rowCount - 1)};
}

} // namespace formidor
