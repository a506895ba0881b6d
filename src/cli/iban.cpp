#include "bankdata/iban.h"
#include "bankdata/bankdirectory.h"
#include "cli/commands.h"

#include <memory>
#include <optional>

namespace formidor::cli {

namespace {

constexpr const char* kUsage =
    "Aufruf: formidor-cli iban IBAN... [--blz-file DATEI] | iban --blz BLZ --konto KONTO\n";

struct Options {
    std::optional<std::string> blzFile, blz, konto;
    std::vector<std::string> ibans;
};

bool parse(const Args& args, Options& o, std::ostream& err) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::optional<std::string>* target = a == "--blz-file" ? &o.blzFile
                                             : a == "--blz"    ? &o.blz
                                             : a == "--konto"  ? &o.konto
                                                               : nullptr;
        if (target) {
            if (i + 1 >= args.size()) {
                err << "Nach " << a << " fehlt der Wert.\n";
                return false;
            }
            *target = args[++i];
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            err << "Unbekannte Option '" << a << "'\n";
            return false;
        } else {
            o.ibans.push_back(a);
        }
    }
    return true;
}

// Control characters would break the tab-separated line; they show as "?".
std::string printable(std::string s) {
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return s;
}

int compute(const Options& o, std::ostream& out, std::ostream& err) {
    ComputedIban r = germanIban(*o.blz, *o.konto);
    if (!r.error.empty()) {
        err << r.error << "\n";
        return 1;
    }
    out << ibanGroups(r.iban) << "\n";
    err << "Hinweis: " << kComputedIbanNote << ".\n";
    return 0;
}

} // namespace

int iban(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    Options o;
    if (!parse(args, o, err)) return 2;
    const bool computing = o.blz || o.konto;
    if (computing ? (!o.blz || !o.konto || !o.ibans.empty()) : o.ibans.empty()) {
        err << kUsage;
        return 2;
    }
    if (computing) return compute(o, out, err);

    // The directory is read once, and only when a German IBAN needs it.
    std::optional<BankDirectory> dir;
    std::unique_ptr<BankLineIndex> index;
    auto lookup = [&](std::string_view blz) -> std::optional<std::string_view> {
        if (!index) {
            dir.emplace(BankDirectory::read(o.blzFile ? std::filesystem::path(*o.blzFile)
                                                      : bankDirectoryFile()));
            index = std::make_unique<BankLineIndex>(*dir);
        }
        return index->find(blz);
    };

    bool allUsable = true;
    std::string result;
    try {
        for (const std::string& arg : o.ibans) {
            IbanCheck c = checkIbanText(arg);
            lookUpGermanBank(c, lookup);
            allUsable = allUsable && c.usable();
            result += printable(ibanGroups(c.iban));
            result += '\t';
            if (c.usable())
                result += "gültig";
            else if (c.verdict == IbanVerdict::AccountWrong)
                result += "ungültig: " + std::string(pruefergebnisText(pzFalsch));
            else
                result += "ungültig: " + c.reason;
            if (c.german()) {
                const bool found = c.verdict != IbanVerdict::BankUnknown;
                result += '\t';
                result += c.blz;
                result += '\t';
                result += c.bic;
                result += '\t';
                result += found ? c.bankName : std::string(kNichtVorhanden);
                result += '\t';
                result += static_cast<char>('0' + c.accountResult);
                result += '\t';
                result += pruefergebnisText(c.accountResult);
            }
            result += '\n';
        }
    } catch (const EBankFileError& e) {
        err << e.what() << "\n";
        return 2;
    }
    out.write(result.data(), static_cast<std::streamsize>(result.size()));
    out.flush();
    if (!out) {
        err << "Das Ergebnis konnte nicht vollständig geschrieben werden.\n";
        return 2;
    }
    return allUsable ? 0 : 1;
}

} // namespace formidor::cli
