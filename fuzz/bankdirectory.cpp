// The bank directory reader and its searches on any file content: a lookup of the codes that
// stand in the data, the name and place search, and the check-digit method index.
#include "bankdata/bankdirectory.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace formidor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string_view in(bytes);
    try {
        BankDirectory dir(bytes);
        MethodIndex index(dir);
        // Codes taken from the input itself, so the lookups hit as well as miss.
        for (size_t at = 0; at < in.size() && at < 4 * 168; at += 168) {
            std::string_view blz = in.substr(at, 8);
            auto line = dir.findLine(blz);
            if (line) {
                if (column(*line, 1, 8) != blz) std::abort();
                (void)shortName(*line);
                (void)methodCode(*line);
            }
            (void)index.method(blz);
            (void)bankNameForField(blz, dir);
        }
        std::string_view name = in.substr(0, std::min<size_t>(in.size(), 3));
        std::string_view place = in.size() > 3 ? in.substr(3, 2) : std::string_view{};
        (void)dir.search(name, place);
    } catch (const EBankFileError&) {
        // a damaged directory is refused with a message; that is the expected answer
    }
    return 0;
}
