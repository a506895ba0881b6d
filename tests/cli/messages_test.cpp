#include "cli/commands.h"

#include "platform/convert.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ios>
#include <new>
#include <system_error>

namespace formidor::cli {
namespace {

// The C++ library's English texts never reach the user; our own German ones pass unchanged.
TEST(CliMessages, LibraryFailuresAreToldInGerman) {
    const std::filesystem::filesystem_error fsError(
        "cannot open", "/tmp/weg/datei",
        std::make_error_code(std::errc::no_such_file_or_directory));
    const std::ios_base::failure ioError("basic_filebuf::underflow error reading the file",
                                         std::make_error_code(std::errc::is_a_directory));
    const std::bad_alloc memory;
    const EConvertError ours("'x' ist kein gültiger Integerwert");
    const struct {
        const std::exception& e;
        std::string expected;
    } cases[] = {
        {memory, "Der Arbeitsspeicher reicht nicht aus."},
        {fsError, "Die Datei '/tmp/weg/datei' kann nicht benutzt werden: die Datei oder ihr Ordner "
                  "existiert nicht."},
        {ioError, "Ein Dateizugriff ist fehlgeschlagen: an dieser Stelle liegt ein Ordner."},
        {ours, "'x' ist kein gültiger Integerwert"},
    };
    for (const auto& c : cases) EXPECT_EQ(messageOf(c.e), c.expected);
}

} // namespace
} // namespace formidor::cli
