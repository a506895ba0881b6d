#pragma once
// Tables from CSV files as spreadsheets write them: UTF-8 (a byte-order mark is skipped), a
// header row, fields separated by ";" or ",", quoted fields as RFC 4180 has them ("" inside
// quotes is one quote; quoted fields may hold separators and line breaks), lines ending in
// CRLF or LF. Lines with nothing on them are no rows. The separator is the one the header row
// uses: ";" when it holds one outside quotes, else ",".
//
// Every fault is an ECsvError with a German message naming the line and the column, so that
// the user finds it in the editor or the spreadsheet.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace formidor {

class ECsvError : public std::runtime_error {
public:
    ECsvError(const std::string& message, size_t line, size_t column)
        : std::runtime_error(message), line_(line), column_(column) {}
    size_t line() const { return line_; }     // 0 for the file as a whole
    size_t column() const { return column_; } // 0 for the line as a whole
private:
    size_t line_;
    size_t column_;
};

struct CsvRow {
    size_t line = 0; // the file's line on which the row begins, from 1
    std::vector<std::string> fields;
};

struct CsvTable {
    char separator = ';';
    CsvRow header;
    std::vector<CsvRow> rows; // every one with as many fields as the header
};

inline constexpr const char* kCsvEmptyMessage = "Die CSV-Datei ist leer.";

// Reads the whole text. Throws ECsvError for an empty text, a quote that is not closed, a quote
// inside an unquoted field or text after a closing quote, text that is not UTF-8, an empty or
// repeated column name, and a row with more or fewer fields than the header.
CsvTable parseCsv(std::string_view text);

// "Zeile 4, Spalte 2: " (the parts that are 0 left out).
std::string csvPlace(size_t line, size_t column);

} // namespace formidor
