// The journal reader on any file content: whatever it accepts must be whole records that
// display (the journal page's cells) and write back unchanged.
#include "journal/journal.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace formidor;

namespace {
std::filesystem::path scratch() {
    static std::filesystem::path p = [] {
        // A memory file system: the file is written anew for every input.
        char dir[] = "/dev/shm/formidor-fuzz-journal-XXXXXX";
        char fallback[] = "/tmp/formidor-fuzz-journal-XXXXXX";
        const char* made = mkdtemp(dir);
        if (!made) made = mkdtemp(fallback);
        if (!made) std::abort();
        return std::filesystem::path(made) / "journal";
    }();
    return p;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto file = scratch();
    {
        std::ofstream f(file, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        auto records = readJournalFile(file);
        if (!records) std::abort(); // the file is there
        for (const auto& row : JournalAnzeigen(*records)) (void)row;
        for (const auto& r : *records) {
            (void)r.Verwendungszweck();
            (void)r.EmpfaengerName();
        }
    } catch (const EJournalError&) {
    }
    return 0;
}
