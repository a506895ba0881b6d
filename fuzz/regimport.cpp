// The .reg importer on any file content. A file it accepts must survive a round trip: exported,
// imported into an empty store and exported again, the two exports are the same bytes.
#include "platform/hive.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace formidor;

namespace {

std::filesystem::path scratch() {
    // A memory file system keeps the store's and the export's flushes cheap.
    static std::filesystem::path p = [] {
        char dir[] = "/dev/shm/formidor-fuzz-reg-XXXXXX";
        char fallback[] = "/tmp/formidor-fuzz-reg-XXXXXX";
        const char* made = mkdtemp(dir);
        if (!made) made = mkdtemp(fallback);
        if (!made) std::abort();
        setenv("XDG_DATA_HOME", made, 1);
        return std::filesystem::path(made);
    }();
    return p;
}

std::string readAll(const std::filesystem::path& file) {
    std::ifstream f(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void clearStore() {
    TRegistry r;
    r.DeleteKey("\\" + std::string(kAppKey));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto dir = scratch();
    const auto input = dir / "input.reg";
    {
        std::ofstream f(input, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    clearStore();
    try {
        ImportRegFile(input);
    } catch (const ERegFileError&) {
        return 0; // refused with a message, nothing changed
    }
    ExportRegFile(dir / "a.reg");
    clearStore();
    ImportRegFile(dir / "a.reg");
    ExportRegFile(dir / "b.reg");
    if (readAll(dir / "a.reg") != readAll(dir / "b.reg")) std::abort();
    return 0;
}
