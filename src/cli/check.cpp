#include "bankdata/bankdirectory.h"
#include "bankdata/pruefziffer.h"
#include "cli/commands.h"
#include "platform/convert.h"
#include "platform/fileio.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <unistd.h>

namespace formidor::cli {

namespace {

struct Options {
    std::optional<std::string> blzFile;
    std::optional<std::string> infile;
    std::vector<std::string> positional;
};

bool parse(const Args& args, Options& o, std::ostream& err) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--blz-file" || a == "--infile") {
            if (i + 1 >= args.size()) {
                err << "Nach " << a << " fehlt der Dateiname.\n";
                return false;
            }
            (a == "--blz-file" ? o.blzFile : o.infile) = args[++i];
        } else {
            o.positional.push_back(a);
        }
    }
    return true;
}

std::filesystem::path directoryFile(const Options& o) {
    return o.blzFile ? std::filesystem::path(*o.blzFile) : bankDirectoryFile();
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The answers of a file of accounts: appended without a capacity check per character, written
// out in large blocks. Grows only for a line longer than its spare room.
class OutBuffer {
public:
    static constexpr size_t kFlushAt = 1 << 16;
    OutBuffer() : buf_(new char[kCapacity]), cap_(kCapacity) {}
    void operator+=(char c) {
        if (size_ == cap_) grow(1);
        buf_[size_++] = c;
    }
    void operator+=(std::string_view s) {
        if (s.size() > cap_ - size_) grow(s.size());
        std::memcpy(buf_.get() + size_, s.data(), s.size());
        size_ += s.size();
    }
    size_t size() const { return size_; }
    const char* data() const { return buf_.get(); }
    void clear() { size_ = 0; }

private:
    static constexpr size_t kCapacity = kFlushAt + (1 << 16);
    void grow(size_t more) {
        size_t cap = std::max(cap_ * 2, size_ + more);
        std::unique_ptr<char[]> b(new char[cap]);
        std::memcpy(b.get(), buf_.get(), size_);
        buf_ = std::move(b);
        cap_ = cap;
    }
    std::unique_ptr<char[]> buf_;
    size_t cap_;
    size_t size_ = 0;
};

// One verdict as the direct debit page reaches it: the account normalised, then checked.
template <class Out>
void appendVerdict(Out& out, std::optional<int> method, std::string_view account) {
    try {
        Pruefergebnis r = method ? PruefeMethode(*method, account) : pzNichtVerfuegbar;
        out += static_cast<char>('0' + r);
        out += '\t';
        out += pruefergebnisText(r);
    } catch (const EConvertError& e) {
        out += "E\t";
        out += std::string_view(e.what());
    }
}

// The account as the direct debit page normalises it, into buf (ten bytes) when it is plain
// ASCII — the usual case, which needs no allocation; otherwise through the general rule.
std::string_view normalisedAccount(std::string_view konto, char* buf, std::string& slow) {
    for (char c : konto)
        if (static_cast<unsigned char>(c) >= 0x80) return slow = normaliseAccount(konto);
    if (konto.size() >= 10) return konto.substr(0, 10);
    const size_t zeros = 10 - konto.size();
    std::memset(buf, '0', zeros);
    std::memcpy(buf + zeros, konto.data(), konto.size());
    return {buf, 10};
}

// One line of the input file into result.
void checkLine(std::string_view line, const MethodIndex& index, OutBuffer& result) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view fields[3];
    size_t count = 0;
    for (size_t i = 0; i < line.size() && count < 3;) {
        while (i < line.size() && isBlank(line[i])) ++i;
        size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > start) fields[count++] = line.substr(start, i - start);
    }
    if (count == 0) return; // blank lines carry no pair
    result += fields[0];
    result += '\t';
    if (count == 1) {
        result += std::string_view("\tE\tKeine Kontonummer angegeben\n");
        return;
    }
    char buf[10];
    std::string slow;
    std::string_view account = normalisedAccount(fields[1], buf, slow);
    result += account;
    result += '\t';
    if (count > 2)
        result += std::string_view("E\tMehr als Bankleitzahl und Kontonummer in der Zeile");
    else
        appendVerdict(result, index.method(fields[0]), account);
    result += '\n';
}

int checkFile(const Options& o, const MethodIndex& index, std::ostream& out, std::ostream& err) {
    const std::string& file = *o.infile;
    auto cannotRead = [&](const std::string& why) {
        err << "Die Datei '" << file << "' kann nicht gelesen werden: " << why << ".\n";
        return 2;
    };
    // A list of accounts of this size would take hours; a device or a pipe might never end.
    constexpr uint64_t kMaxInput = uint64_t{256} << 20;
    fileio::Opened opened = fileio::openRegular(file, kMaxInput);
    if (opened.fd < 0) return cannotRead(opened.reason);
    int fd = opened.fd;
    uint64_t total = 0;
    // Read and answered in blocks: neither the input nor the output is held whole, and the
    // output goes out in large writes.
    // Small blocks that stay in the cache: touching fresh memory costs more than the writes.
    constexpr size_t kBlock = 1 << 16;
    std::unique_ptr<char[]> in(new char[kBlock]);
    OutBuffer result;
    size_t kept = 0;
    for (;;) {
        ssize_t n = ::read(fd, in.get() + kept, kBlock - kept);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int rc = cannotRead(fileio::reason(errno));
            ::close(fd);
            return rc;
        }
        total += static_cast<uint64_t>(n);
        if (total > kMaxInput) {
            ::close(fd);
            return cannotRead("die Datei ist größer als " + fileio::sizeText(kMaxInput));
        }
        const bool atEnd = n == 0;
        const size_t have = kept + static_cast<size_t>(n);
        std::string_view block(in.get(), have);
        size_t pos = 0;
        for (;;) {
            size_t nl = block.find('\n', pos);
            if (nl == std::string_view::npos) break;
            checkLine(block.substr(pos, nl - pos), index, result);
            pos = nl + 1;
            if (result.size() >= OutBuffer::kFlushAt) {
                out.write(result.data(), static_cast<std::streamsize>(result.size()));
                result.clear();
            }
        }
        if (atEnd) {
            if (pos < have) checkLine(block.substr(pos), index, result);
            break;
        }
        if (pos == 0 && have == kBlock) {
            // A "line" longer than a block holds no pair worth keeping whole: answered as it is
            // cut.
            checkLine(block, index, result);
            pos = have;
        }
        kept = have - pos;
        std::memmove(in.get(), in.get() + pos, kept);
    }
    ::close(fd);
    out.write(result.data(), static_cast<std::streamsize>(result.size()));
    out.flush();
    if (!out) {
        err << "Das Ergebnis konnte nicht vollständig geschrieben werden.\n";
        return 2;
    }
    return 0;
}

} // namespace

int check(const Args& args, std::ostream& out, std::ostream& err) {
    Options o;
    if (!parse(args, o, err)) return 2;
    if (o.infile ? !o.positional.empty() : o.positional.size() != 2) {
        err << "Aufruf: formidor-cli check BLZ KONTO | check --infile DATEI [--blz-file DATEI]\n";
        return 2;
    }
    try {
        if (o.infile) {
            return checkFile(o, MethodIndex::fromFile(directoryFile(o)), out, err);
        }
        // One account needs one line of the directory, not an index of all of them.
        auto bankLine = BankDirectory::findLineInFile(directoryFile(o), o.positional[0]);
        std::string line;
        appendVerdict(line, bankLine ? std::optional<int>(methodCode(*bankLine)) : std::nullopt,
                      normaliseAccount(o.positional[1]));
        out << line << '\n';
        return 0;
    } catch (const EBankFileError& e) {
        err << e.what() << "\n";
        return 2;
    }
}

int bank(const Args& args, std::ostream& out, std::ostream& err) {
    Options o;
    if (!parse(args, o, err)) return 2;
    if (o.infile || o.positional.size() != 1) {
        err << "Aufruf: formidor-cli bank BLZ [--blz-file DATEI]\n";
        return 2;
    }
    try {
        auto line = BankDirectory::findLineInFile(directoryFile(o), o.positional[0]);
        out << (line ? shortName(*line) : std::string(kNichtVorhanden)) << '\n';
        return 0;
    } catch (const EBankFileError& e) {
        err << e.what() << "\n";
        return 2;
    }
}

} // namespace formidor::cli
