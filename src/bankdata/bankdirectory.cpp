#include "bankdata/bankdirectory.h"

#include "platform/convert.h"
#include "platform/fileio.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace formidor {

namespace {

std::mutex gFileMutex;
std::filesystem::path gFileOverride;

std::string reasonText(int e) {
    switch (e) {
    case ENOENT:
        return "Datei nicht gefunden";
    case EACCES:
    case EPERM:
        return "Zugriff verweigert";
    case EISDIR:
        return "Das ist ein Ordner, keine Datei";
    default:
        return fileio::reason(e);
    }
}

[[noreturn]] void fail(const std::filesystem::path& file, int e) {
    throw EBankFileError("Die Bankleitzahlendatei '" + file.string() +
                         "' kann nicht gelesen werden: " + reasonText(e));
}

[[noreturn]] void fail(const std::filesystem::path& file, const std::string& reason) {
    throw EBankFileError("Die Bankleitzahlendatei '" + file.string() +
                         "' kann nicht gelesen werden: " + reason);
}

// The real file is under 3 MB; anything past this limit is not a bank directory.
constexpr uint64_t kMaxDirectoryBytes = uint64_t{64} << 20;
constexpr size_t kLineLength = 168;

// What makes a line impossible in the Bundesbank's file, or nullptr. Short lines are read as far
// as they go; a longer one is what an editor makes of the file when it saves it as UTF-8 (every
// umlaut grows by a byte), and a line without a bank code in front is no record at all.
const char* lineFault(std::string_view line) {
    if (line.empty()) return nullptr;
    if (line.size() > kLineLength)
        return "eine Zeile ist länger als 168 Zeichen (wurde die Datei in einer anderen "
               "Zeichenkodierung gespeichert?)";
    if (line.size() < 9) return "eine Zeile ist zu kurz für Bankleitzahl und Merkmal";
    for (size_t i = 0; i < 8; ++i)
        if (line[i] < '0' || line[i] > '9')
            return "eine Zeile beginnt nicht mit einer Bankleitzahl";
    if (line[0] == '0') return "eine Zeile beginnt mit einer ungültigen Bankleitzahl";
    if (line[8] != '1' && line[8] != '2') return "eine Zeile hat ein ungültiges Merkmal (Spalte 9)";
    return nullptr;
}

[[noreturn]] void damaged(const std::filesystem::path& file, size_t lineNo, const char* why) {
    throw EBankFileError("Die Bankleitzahlendatei '" + file.string() +
                         "' ist beschädigt oder keine Bankleitzahlendatei der Bundesbank: " +
                         (lineNo ? "Zeile " + std::to_string(lineNo) + ": " : std::string()) + why +
                         ".");
}

// Checks the whole lines of `lines` (the first numbered firstLine); returns how many it saw.
// `last` says the text ends the file: a last line cut short there is a file cut off.
size_t checkLines(std::string_view lines, const std::filesystem::path& file, size_t firstLine,
                  bool last) {
    size_t n = 0;
    size_t pos = 0;
    // The Bundesbank's lines all have 168 characters and the same line end: they are checked at
    // a fixed stride, without searching for each line end. The first line that differs, and
    // everything after it, goes the slow way below.
    const char* first = static_cast<const char*>(std::memchr(lines.data(), '\n', lines.size()));
    const size_t firstLength = first ? static_cast<size_t>(first - lines.data()) : 0;
    if (firstLength == kLineLength ||
        (firstLength == kLineLength + 1 && lines[kLineLength] == '\r')) {
        const size_t stride = firstLength + 1;
        const bool crlf = firstLength == kLineLength + 1;
        while (pos + stride <= lines.size()) {
            const char* p = lines.data() + pos;
            if (p[stride - 1] != '\n' || (crlf && p[kLineLength] != '\r') ||
                lineFault(std::string_view(p, kLineLength)))
                break;
            pos += stride;
            ++n;
        }
    }
    const char* p = lines.data() + pos;
    const char* end = lines.data() + lines.size();
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', end - p));
        const char* e = nl ? nl : end;
        std::string_view line(p, e - p);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (const char* why = lineFault(line)) damaged(file, firstLine + n, why);
        if (!nl && last && !line.empty() && line.size() < kLineLength)
            damaged(file, firstLine + n, "die letzte Zeile ist abgeschnitten");
        ++n;
        p = nl ? nl + 1 : end;
    }
    return n;
}

// The line starting at byte start, without its line end.
std::string_view lineFrom(std::string_view all, size_t start) {
    size_t p = start;
    size_t end = all.find('\n', p);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

template <class F>
void forEachLine(std::string_view all, F&& f) {
    const char* p = all.data();
    const char* end = p + all.size();
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', end - p));
        const char* e = nl ? nl : end;
        std::string_view line(p, e - p);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        f(line);
        p = nl ? nl + 1 : end;
    }
}

// Folds a–z to A–Z into buf; returns the folded view.
std::string_view foldInto(std::string_view s, char* buf) {
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        buf[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    }
    return {buf, s.size()};
}

// A search text in the file's code page, a–z folded; nullopt when it holds a character the
// code page lacks, which no line can contain.
std::optional<std::string> criterion(std::string_view utf8) {
    std::string cp = utf8ToCp1252(utf8);
    if (cp1252ToUtf8(cp) != utf8) return std::nullopt;
    return upperAscii(cp);
}

bool contains(std::string_view field, std::string_view needle) {
    if (needle.size() > field.size()) return false;
    char buf[256];
    if (field.size() > sizeof buf) field = field.substr(0, sizeof buf);
    return foldInto(field, buf).find(needle) != std::string_view::npos;
}

} // namespace

std::filesystem::path bankDirectoryFile() {
    std::lock_guard lock(gFileMutex);
    if (!gFileOverride.empty()) return gFileOverride;
    return paths::bankDirectoryFile();
}

void setBankDirectoryFile(const std::filesystem::path& file) {
    std::lock_guard lock(gFileMutex);
    gFileOverride = file;
}

std::string_view column(std::string_view line, size_t from, size_t to) {
    if (from < 1 || from > line.size() || to < from) return {};
    return line.substr(from - 1, std::min(to, line.size()) - (from - 1));
}

int methodCode(std::string_view line) {
    std::string_view m = column(line, 151, 152);
    if (m.size() != 2 || m[0] < '0' || m[0] > '9' || m[1] < '0' || m[1] > '9') return -1;
    return (m[0] - '0') * 10 + (m[1] - '0');
}

std::string shortName(std::string_view line) {
    return trimRight(cp1252ToUtf8(column(line, 108, 134)));
}

BankDirectory BankDirectory::read(const std::filesystem::path& file) {
    fileio::Opened o = fileio::openRegular(file, kMaxDirectoryBytes);
    if (o.fd < 0) {
        if (o.err) fail(file, o.err);
        fail(file, o.reason);
    }
    int fd = o.fd;
    // One read into memory rather than a mapping: a file replaced or cut short by another
    // program while we read it then gives a short text, never a fault in the process. The
    // buffer is not cleared first; only what is read is used.
    BankDirectory dir;
    size_t capacity = static_cast<size_t>(o.size) + 1;
    dir.owned_.reset(new char[capacity]);
    size_t used = 0;
    for (;;) {
        if (used == capacity) {
            if (capacity > kMaxDirectoryBytes) {
                ::close(fd);
                fail(file, "die Datei ist größer als " + fileio::sizeText(kMaxDirectoryBytes));
            }
            std::unique_ptr<char[]> bigger(new char[capacity * 2]);
            std::memcpy(bigger.get(), dir.owned_.get(), used);
            dir.owned_ = std::move(bigger);
            capacity *= 2;
        }
        ssize_t n = ::read(fd, dir.owned_.get() + used, capacity - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            fail(file, e);
        }
        if (n == 0) break;
        used += static_cast<size_t>(n);
    }
    ::close(fd);
    dir.data_ = dir.owned_.get();
    dir.size_ = used;
    if (used == 0) damaged(file, 0, "die Datei ist leer");
    checkLines(dir.bytes(), file, 1, true);
    return dir;
}

BankDirectory::BankDirectory(std::string bytes)
    : owned_(new char[bytes.size() + 1]), size_(bytes.size()) {
    std::memcpy(owned_.get(), bytes.data(), bytes.size());
    data_ = owned_.get();
}

BankDirectory::BankDirectory(BankDirectory&& o) noexcept {
    *this = std::move(o);
}

BankDirectory& BankDirectory::operator=(BankDirectory&& o) noexcept {
    if (this == &o) return *this;
    owned_ = std::move(o.owned_);
    size_ = o.size_;
    data_ = owned_.get();
    o.data_ = nullptr;
    o.size_ = 0;
    return *this;
}

BankDirectory::~BankDirectory() = default;

std::optional<std::string_view> BankDirectory::findLine(std::string_view blz) const {
    if (blz.empty() || blz.size() > 8) return std::nullopt;
    std::string_view all = bytes();
    // The code is searched as a whole and each hit checked for standing at a line start:
    // far fewer steps than walking every line.
    for (size_t p = all.find(blz); p != std::string_view::npos; p = all.find(blz, p + 1)) {
        if (p != 0 && all[p - 1] != '\n') continue;
        std::string_view line = lineFrom(all, p);
        if (column(line, 1, 8) == blz) return line;
    }
    return std::nullopt;
}

namespace {
// The directory file opened for reading in pieces: a regular file within the size limit that
// is not empty, else the user's message.
int openDirectoryFile(const std::filesystem::path& file) {
    fileio::Opened o = fileio::openRegular(file, kMaxDirectoryBytes);
    if (o.fd < 0) {
        if (o.err) fail(file, o.err);
        fail(file, o.reason);
    }
    if (o.size == 0) {
        ::close(o.fd);
        damaged(file, 0, "die Datei ist leer");
    }
    return o.fd;
}
} // namespace

std::optional<std::string> BankDirectory::findLineInFile(const std::filesystem::path& file,
                                                         std::string_view blz) {
    if (blz.empty() || blz.size() > 8) {
        // Nothing can match, but a file that cannot be read is still reported.
        (void)read(file);
        return std::nullopt;
    }
    const int fd = openDirectoryFile(file);
    size_t lineNo = 1;
    uint64_t total = 0;
    // Whole lines are searched; the piece of a line cut at the end of a block moves to the
    // front and is completed by the next read.
    // Small enough that a lookup near the start touches little fresh memory.
    constexpr size_t kBlock = 1 << 16;
    std::unique_ptr<char[]> buf(new char[kBlock]);
    size_t kept = 0;
    bool atEnd = false;
    std::optional<std::string> found;
    while (!found && !atEnd) {
        ssize_t n = ::read(fd, buf.get() + kept, kBlock - kept);
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            fail(file, e);
        }
        atEnd = n == 0;
        total += static_cast<uint64_t>(n);
        if (total > kMaxDirectoryBytes) {
            ::close(fd);
            fail(file, "die Datei ist größer als " + fileio::sizeText(kMaxDirectoryBytes));
        }
        const size_t have = kept + static_cast<size_t>(n);
        std::string_view block(buf.get(), have);
        // Up to the last line end; at the end of the file, the unterminated last line too.
        size_t whole = atEnd ? have : block.rfind('\n') + 1;
        if (!atEnd && whole == 0) whole = have; // a line longer than a block: searched as is
        std::string_view lines = block.substr(0, whole);
        for (size_t p = lines.find(blz); p != std::string_view::npos; p = lines.find(blz, p + 1)) {
            if (p != 0 && lines[p - 1] != '\n') continue;
            std::string_view line = lineFrom(lines, p);
            if (column(line, 1, 8) == blz) {
                found = std::string(line);
                // The lines up to the answer are checked; those behind it are not read.
                size_t upTo = std::min(lines.size(), p + line.size());
                try {
                    checkLines(lines.substr(0, upTo), file, lineNo, atEnd && upTo == whole);
                } catch (...) {
                    ::close(fd);
                    throw;
                }
                break;
            }
        }
        if (!found) {
            try {
                lineNo += checkLines(lines, file, lineNo, atEnd);
            } catch (...) {
                ::close(fd);
                throw;
            }
        }
        kept = have - whole;
        std::memmove(buf.get(), buf.get() + whole, kept);
    }
    ::close(fd);
    return found;
}

std::vector<SearchHit> BankDirectory::search(std::string_view name, std::string_view ort) const {
    std::vector<SearchHit> hits;
    if (name.empty() && ort.empty()) return hits;
    auto n = criterion(name);
    auto o = criterion(ort);
    if (!n || !o) return hits;
    forEachLine(bytes(), [&](std::string_view line) {
        if (!n->empty() && !contains(column(line, 10, 67), *n)) return;
        if (!o->empty() && !contains(column(line, 73, 107), *o)) return;
        hits.push_back({cp1252ToUtf8(column(line, 1, 8)), cp1252ToUtf8(column(line, 10, 67)),
                        cp1252ToUtf8(column(line, 68, 72)), cp1252ToUtf8(column(line, 73, 107))});
    });
    return hits;
}

namespace {
uint64_t codeKey(std::string_view s) {
    uint64_t v = 0;
    std::memcpy(&v, s.data(), s.size());
    return v;
}
size_t codeHash(uint64_t v) {
    v *= 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(v ^ (v >> 31));
}
} // namespace

MethodIndex::MethodIndex() {
    // About twice the distinct codes of the Bundesbank's file; grows when a larger one comes.
    keys_.assign(8192, 0);
    meta_.assign(8192, 0);
    mask_ = keys_.size() - 1;
}

MethodIndex::MethodIndex(const BankDirectory& dir) : MethodIndex() {
    forEachLine(dir.bytes(), [&](std::string_view line) { add(line); });
}

MethodIndex MethodIndex::fromFile(const std::filesystem::path& file) {
    MethodIndex index;
    const int fd = openDirectoryFile(file);
    size_t lineNo = 1;
    uint64_t total = 0;
    // Every line is checked as it is indexed; a damaged file gives no answers at all.
    auto take = [&](std::string_view lines, bool last) {
        try {
            lineNo += checkLines(lines, file, lineNo, last);
        } catch (...) {
            ::close(fd);
            throw;
        }
        forEachLine(lines, [&](std::string_view line) { index.add(line); });
    };
    // Through one small buffer that stays in the cache: the index is all that is kept.
    constexpr size_t kBlock = 1 << 16;
    std::unique_ptr<char[]> buf(new char[kBlock]);
    size_t kept = 0;
    for (;;) {
        ssize_t n = ::read(fd, buf.get() + kept, kBlock - kept);
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            fail(file, e);
        }
        total += static_cast<uint64_t>(n);
        if (total > kMaxDirectoryBytes) {
            ::close(fd);
            fail(file, "die Datei ist größer als " + fileio::sizeText(kMaxDirectoryBytes));
        }
        const size_t have = kept + static_cast<size_t>(n);
        std::string_view block(buf.get(), have);
        if (n == 0) {
            take(block, true);
            break;
        }
        size_t whole = block.rfind('\n') + 1;
        if (whole == 0) whole = have; // a line longer than the buffer: taken as it is cut
        take(block.substr(0, whole), false);
        kept = have - whole;
        std::memmove(buf.get(), buf.get() + whole, kept);
    }
    ::close(fd);
    return index;
}

void MethodIndex::add(std::string_view line) {
    std::string_view code = column(line, 1, 8);
    if (code.empty()) return;
    const uint64_t key = codeKey(code);
    for (size_t i = codeHash(key) & mask_;; i = (i + 1) & mask_) {
        if (meta_[i] == 0) {
            keys_[i] = key;
            meta_[i] = static_cast<uint16_t>(code.size() << 8 | (methodCode(line) + 1));
            if (++used_ * 2 > keys_.size()) grow();
            return;
        }
        if (keys_[i] == key && (meta_[i] >> 8) == code.size()) return; // first line wins
    }
}

void MethodIndex::grow() {
    std::vector<uint64_t> keys(keys_.size() * 2, 0);
    std::vector<uint16_t> meta(meta_.size() * 2, 0);
    const size_t mask = keys.size() - 1;
    for (size_t j = 0; j < keys_.size(); ++j) {
        if (meta_[j] == 0) continue;
        size_t i = codeHash(keys_[j]) & mask;
        while (meta[i] != 0) i = (i + 1) & mask;
        keys[i] = keys_[j];
        meta[i] = meta_[j];
    }
    keys_ = std::move(keys);
    meta_ = std::move(meta);
    mask_ = mask;
}

std::optional<int> MethodIndex::method(std::string_view blz) const {
    if (blz.empty() || blz.size() > 8) return std::nullopt;
    const uint64_t key = codeKey(blz);
    for (size_t i = codeHash(key) & mask_;; i = (i + 1) & mask_) {
        if (meta_[i] == 0) return std::nullopt;
        if (keys_[i] == key && (meta_[i] >> 8) == blz.size()) return (meta_[i] & 0xFF) - 1;
    }
}

std::optional<std::string> bankNameForField(std::string_view blzText) {
    return bankNameForField(blzText, bankDirectoryFile());
}

std::optional<std::string> bankNameForField(std::string_view blzText,
                                            const std::filesystem::path& file) {
    if (blzText == "        ") return std::nullopt;
    auto line = BankDirectory::findLineInFile(file, blzText);
    if (!line) return std::string(kNichtVorhanden);
    return shortName(*line);
}

std::optional<std::string> bankNameForField(std::string_view blzText, const BankDirectory& dir) {
    if (blzText == "        ") return std::nullopt;
    auto line = dir.findLine(blzText);
    if (!line) return std::string(kNichtVorhanden);
    return shortName(*line);
}

std::string normaliseAccount(std::string_view konto) {
    size_t n = utf8Length(konto);
    if (n > 10) return utf8Left(konto, 10);
    std::string out(10 - n, '0');
    out += konto;
    return out;
}

DirectDebitExit directDebitExit(std::string_view blzText, std::string_view konto) {
    if (blzText == "        ") {
        DirectDebitExit r;
        r.unchanged = true;
        return r;
    }
    // One line is all the exit needs.
    auto line = BankDirectory::findLineInFile(bankDirectoryFile(), blzText);
    return directDebitExit(blzText, konto, BankDirectory(line ? *line : std::string()));
}

DirectDebitExit directDebitExit(std::string_view blzText, std::string_view konto,
                                const BankDirectory& dir) {
    DirectDebitExit r;
    if (blzText == "        ") {
        r.unchanged = true;
        return r;
    }
    auto line = dir.findLine(blzText);
    if (!line) {
        r.bankName = kNichtVorhanden;
        return r;
    }
    r.bankName = shortName(*line);
    r.verified = true;
    r.account = normaliseAccount(konto);
    try {
        r.result = PruefeMethode(methodCode(*line), r.account);
    } catch (const EConvertError& e) {
        r.error = e.what();
    }
    return r;
}

} // namespace formidor
