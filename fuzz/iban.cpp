// The IBAN check on any text, against a small directory: whatever it says must hold together —
// a usable IBAN has a right checksum, the grouped form holds the same characters, and a German
// one computed from its bank code and account is the IBAN itself.
#include "bankdata/iban.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

using namespace formidor;

namespace {
const BankDirectory& directory() {
    static BankDirectory dir = [] {
        const char* src = std::getenv("FORMIDOR_SOURCE_DIR");
        std::ifstream f(std::string(src ? src : FORMIDOR_SOURCE_DIR_FALLBACK) +
                            "/tests/fixtures/blz_small.asc",
                        std::ios::binary);
        return BankDirectory(std::string(std::istreambuf_iterator<char>(f), {}));
    }();
    return dir;
}

std::string withoutBlanks(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != ' ') out += c;
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    IbanCheck check = checkIban(text, directory());
    (void)ibanStatusText(check);
    if (withoutBlanks(ibanGroups(check.iban)) != withoutBlanks(check.iban)) std::abort();
    if (check.verdict == IbanVerdict::Invalid && check.reason.empty()) std::abort();
    if (check.usable() && check.german()) {
        ComputedIban again = germanIban(check.blz, check.account);
        if (again.iban != check.iban) std::abort();
    }
    (void)checkOriginatorIbanText(text);
    size_t cut = size / 2;
    (void)germanIban(text.substr(0, cut), text.substr(cut));
    return 0;
}
