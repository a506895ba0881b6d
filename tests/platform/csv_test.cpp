#include "platform/csv.h"

#include <gtest/gtest.h>

namespace formidor {
namespace {

using Rows = std::vector<std::vector<std::string>>;

std::vector<std::vector<std::string>> all(const CsvTable& t) {
    Rows r{t.header.fields};
    for (const auto& row : t.rows) r.push_back(row.fields);
    return r;
}

TEST(Csv, ReadsWhatSpreadsheetsWrite) {
    struct Case {
        const char* name;
        std::string text;
        char separator;
        Rows rows;
    };
    const Case cases[] = {
        {"semicolons, CRLF, BOM",
         "\xEF\xBB\xBF"
         "EEmpfaenger;EBetrag\r\nMüller;12,50\r\n",
         ';',
         {{"EEmpfaenger", "EBetrag"}, {"Müller", "12,50"}}},
        {"commas, no final line break", "a,b\nx,y", ',', {{"a", "b"}, {"x", "y"}}},
        {"a comma inside a semicolon file is text",
         "a;b\n1,5;2\n",
         ';',
         {{"a", "b"}, {"1,5", "2"}}},
        {"quotes: separators, doubled quotes, line breaks",
         "a;b\n\"x;y\";\"sagt \"\"ja\"\"\n2\"\n",
         ';',
         {{"a", "b"}, {"x;y", "sagt \"ja\"\n2"}}},
        {"empty fields and empty lines",
         "a;b;c\n\n;;\n\r\n1;;3\n\n",
         ';',
         {{"a", "b", "c"}, {"", "", ""}, {"1", "", "3"}}},
        {"one column", "EBetrag\n5\n", ';', {{"EBetrag"}, {"5"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CsvTable t = parseCsv(c.text);
        EXPECT_EQ(t.separator, c.separator);
        EXPECT_EQ(all(t), c.rows);
    }
}

TEST(Csv, RowsKnowTheLineTheyBeginOn) {
    const CsvTable t = parseCsv("a;b\n\n\"1\n2\";x\n3;y\n");
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.header.line, 1u);
    EXPECT_EQ(t.rows[0].line, 3u);
    EXPECT_EQ(t.rows[1].line, 5u);
}

TEST(Csv, FaultsNameLineAndColumn) {
    struct Case {
        std::string text;
        size_t line, column;
        std::string message;
    };
    const Case cases[] = {
        {"", 0, 0, "Die CSV-Datei ist leer."},
        {"\n\r\n", 0, 0, "Die CSV-Datei ist leer."},
        {"a;b\n1;\"offen\n2;3\n", 2, 2,
         "Zeile 2, Spalte 2: Das Anführungszeichen wird nicht geschlossen."},
        {"a;b\n1;x\"y\n", 2, 2,
         "Zeile 2, Spalte 2: Ein Anführungszeichen steht mitten im Feld; ein Feld mit "
         "Anführungszeichen muss ganz in Anführungszeichen stehen."},
        {"a;b\n\"1\"x;2\n", 2, 1,
         "Zeile 2, Spalte 1: Nach dem schließenden Anführungszeichen folgt weiterer Text."},
        {"a;b\n1;2;3\n", 2, 3, "Zeile 2, Spalte 3: Die Zeile hat 3 Felder, die Kopfzeile nur 2."},
        {"a;b;c\n1;2;3\n4\n", 3, 2,
         "Zeile 3, Spalte 2: Die Zeile hat nur 1 von 3 Feldern; es fehlt 'b'."},
        {"a;b\n1;M\xFC"
         "ller\n",
         2, 2, "Zeile 2, Spalte 2: Der Text ist kein gültiges UTF-8."},
        {"a;;b\n", 1, 2, "Zeile 1, Spalte 2: Die Spalte hat keinen Namen."},
        {"a;b;a\n", 1, 3, "Zeile 1, Spalte 3: Die Spalte 'a' steht schon in Spalte 1."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            parseCsv(c.text);
            ADD_FAILURE() << "no error";
        } catch (const ECsvError& e) {
            EXPECT_EQ(e.what(), c.message);
            EXPECT_EQ(e.line(), c.line);
            EXPECT_EQ(e.column(), c.column);
        }
    }
}

} // namespace
} // namespace formidor
