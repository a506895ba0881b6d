// The CSV reader of batch printing on any text: it either throws its own error with a German
// message or gives a table whose rows all have the header's width, with distinct non-empty
// column names and rising line numbers.
#include "platform/csv.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

using namespace formidor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    CsvTable table;
    try {
        table = parseCsv(text);
    } catch (const ECsvError& e) {
        if (std::string(e.what()).empty()) std::abort();
        (void)csvPlace(e.line(), e.column());
        return 0;
    }
    if (table.separator != ';' && table.separator != ',') std::abort();
    if (table.header.fields.empty()) std::abort();
    std::set<std::string> names;
    for (const std::string& name : table.header.fields)
        if (name.empty() || !names.insert(name).second) std::abort();
    size_t line = table.header.line;
    for (const CsvRow& row : table.rows) {
        if (row.fields.size() != table.header.fields.size()) std::abort();
        if (row.line <= line) std::abort();
        line = row.line;
    }
    return 0;
}
