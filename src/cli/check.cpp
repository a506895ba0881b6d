#include "bankdata/bankdirectory.h"
#include "bankdata/pruefziffer.h"
#include "cli/commands.h"
#include "platform/convert.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

bool readInput(const std::string& file, std::string& bytes, std::ostream& err) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        err << "Die Datei '" << file << "' kann nicht gelesen werden: " << std::strerror(errno)
            << "\n";
        return false;
    }
    char buf[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            err << "Die Datei '" << file << "' kann nicht gelesen werden: " << std::strerror(errno)
                << "\n";
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// One verdict as the direct debit page reaches it: the account normalised, then checked.
void appendVerdict(std::string& out, const MethodIndex& index, std::string_view blz,
                   std::string_view account) {
    auto method = index.method(blz);
    try {
        Pruefergebnis r = method ? PruefeMethode(*method, account) : pzNichtVerfuegbar;
        out += static_cast<char>('0' + r);
        out += '\t';
        out += pruefergebnisText(r);
    } catch (const EConvertError& e) {
        out += "E\t";
        out += e.what();
    }
}

int checkFile(const Options& o, const MethodIndex& index, std::ostream& out, std::ostream& err) {
    std::string input;
    if (!readInput(*o.infile, input, err)) return 2;
    // Written in pieces: a large file's output need not be held whole.
    constexpr size_t kChunk = 1 << 18;
    std::string result;
    result.reserve(kChunk + 4096);
    std::string_view rest(input);
    while (!rest.empty()) {
        if (result.size() >= kChunk) {
            out.write(result.data(), static_cast<std::streamsize>(result.size()));
            result.clear();
        }
        size_t nl = rest.find('\n');
        std::string_view line = rest.substr(0, nl);
        rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string_view fields[3];
        size_t count = 0;
        for (size_t i = 0; i < line.size() && count < 3;) {
            while (i < line.size() && isBlank(line[i])) ++i;
            size_t start = i;
            while (i < line.size() && !isBlank(line[i])) ++i;
            if (i > start) fields[count++] = line.substr(start, i - start);
        }
        if (count == 0) continue; // blank lines carry no pair
        result += fields[0];
        result += '\t';
        if (count == 1) {
            result += "\tE\tKeine Kontonummer angegeben\n";
            continue;
        }
        std::string account = normaliseAccount(fields[1]);
        result += account;
        result += '\t';
        if (count > 2)
            result += "E\tMehr als Bankleitzahl und Kontonummer in der Zeile";
        else
            appendVerdict(result, index, fields[0], account);
        result += '\n';
    }
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
        BankDirectory dir = BankDirectory::read(directoryFile(o));
        MethodIndex index(dir);
        if (o.infile) return checkFile(o, index, out, err);
        std::string line;
        appendVerdict(line, index, o.positional[0], normaliseAccount(o.positional[1]));
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
        BankDirectory dir = BankDirectory::read(directoryFile(o));
        auto line = dir.findLine(o.positional[0]);
        out << (line ? shortName(*line) : std::string(kNichtVorhanden)) << '\n';
        return 0;
    } catch (const EBankFileError& e) {
        err << e.what() << "\n";
        return 2;
    }
}

} // namespace formidor::cli
