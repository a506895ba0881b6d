#include "common/testenv.h"
#include "platform/hive.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace formidor {
namespace {

using test::ScopedDataHome;
using test::TempDir;

const std::string kApp = "\\" + std::string(kAppKey);

// Every key below `path` with its values, types and data, in enumeration order, as one text.
std::string dump(const std::string& path) {
    TRegistry r;
    if (!r.OpenKeyReadOnly(path)) return "<fehlt>";
    std::string out = "[" + r.CurrentPath() + "]\n";
    for (const auto& v : r.GetValues()) {
        out += v.name + (v.type == TRegDataType::rdInteger ? "#" : "=");
        out += v.type == TRegDataType::rdInteger ? std::to_string(v.number) : v.text;
        out += "\n";
    }
    for (const auto& k : r.GetKeyNames()) out += dump(path + "\\" + k);
    return out;
}

std::string utf16File(const std::string& utf8WithLf) {
    std::string crlf;
    for (char c : utf8WithLf) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    std::string bytes = "\xFF\xFE";
    for (char16_t c : utf8ToUtf16(crlf)) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::string importError(const std::filesystem::path& file) {
    try {
        ImportRegFile(file);
    } catch (const ERegFileError& e) {
        return e.what();
    }
    return "kein Fehler";
}

class RegFileTest : public ::testing::Test {
protected:
    ScopedDataHome home;
    TempDir dir;
};

TEST_F(RegFileTest, HandWrittenUtf16FileImportsAndMerges) {
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(kApp + "\\Alt\\Darunter", true));
        r.WriteString("x", "weg");
        ASSERT_TRUE(r.OpenKey(kApp + "\\UeberwA", true));
        r.WriteString("Alt", "weg");
        r.WriteString("Bleibt", "ja");
        ASSERT_TRUE(r.OpenKey(kApp, false));
        r.WriteString("KVU", "wird Zahl");
    }
    ImportRegFile(test::fixture("settings-utf16.reg"));

    TRegistry r;
    ASSERT_TRUE(r.OpenKey(kApp, false));
    EXPECT_EQ(r.ReadInteger("KVU"), 12);
    EXPECT_EQ(r.ReadInteger("KHU"), -5);
    EXPECT_EQ(r.ReadString("FontNameU"), "Courier New");
    EXPECT_EQ(r.ReadString("Empfänger"), "Müller \"Büro\"");
    EXPECT_EQ(r.ReadString("Pfad"), "C:\\Formulare\\neu");
    EXPECT_EQ(r.ReadString(""), "Standard"); // "@", the key's default value
    EXPECT_EQ(r.GetKeyNames(), (std::vector<std::string>{"UeberwA", "UeberwE"}));
    ASSERT_TRUE(r.OpenKey("UeberwE\\MÜLLER GMBH", false));
    EXPECT_EQ(r.CurrentPath(), std::string(kAppKey) + "\\UeberwE\\Müller GmbH");
    EXPECT_EQ(r.ReadString("BLZ"), "37040044");
    EXPECT_EQ(r.ReadString("Notiz"), "Z\n2");
    ASSERT_TRUE(r.OpenKey(kApp + "\\UeberwA", false));
    EXPECT_EQ(r.GetValueNames(), std::vector<std::string>{"Bleibt"});
}

TEST_F(RegFileTest, ExportWritesTheEditorsFormat) {
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(kApp, true));
        r.WriteInteger("KVU", 12);
        r.WriteString("Pfad", "C:\\a \"b\"");
        ASSERT_TRUE(r.OpenKey("UeberwE\\Müller", true));
        r.WriteString("BLZ", "37040044");
    }
    auto file = dir / "formidor.reg";
    ExportRegFile(file);
    std::string expected = "Windows Registry Editor Version 5.00\n"
                           "\n"
                           "[HKEY_CURRENT_USER\\SOFTWARE\\Quillon Zentrix\\Belegix98]\n"
                           "\"KVU\"=dword:0000000c\n"
                           "\"Pfad\"=\"C:\\\\a \\\"b\\\"\"\n"
                           "\n"
                           "[HKEY_CURRENT_USER\\SOFTWARE\\Quillon Zentrix\\Belegix98\\UeberwE]\n"
                           "\n"
                           "[HKEY_CURRENT_USER\\SOFTWARE\\Quillon Zentrix\\Belegix98\\UeberwE\\"
                           "Müller]\n"
                           "\"BLZ\"=\"37040044\"\n"
                           "\n";
    EXPECT_TRUE(test::readFile(file) == utf16File(expected)) << "export differs";

    TRegistry r;
    EXPECT_THROW(ExportRegFile(dir / "x.reg", "SOFTWARE\\Gibt es nicht"), ERegFileError);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.reg"));
    EXPECT_THROW(ExportRegFile(dir / "x.reg", ""), ERegFileError);
}

TEST_F(RegFileTest, RoundTripReproducesTheKeyExactly) {
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(kApp, true));
        r.WriteString("zuerst", "1");
        r.WriteInteger("Min", -2147483647 - 1);
        r.WriteInteger("Max", 2147483647);
        r.WriteBool("Flag", true);
        r.WriteString("", "Standardwert");
        r.WriteString("Leer", "");
        r.WriteString("Zeilen", "eins\r\nzwei\nde\"i\\");
        r.WriteString("Lang", std::string(120, 'x') + "\n"); // hex over several lines
        r.WriteString("Sonder", "€ ß Ω 😀 ;[x]=\"");
        r.WriteString("Nullen", std::string("Text\0\0", 6)); // NULs at the end stay
        r.WriteString("Null", std::string(1, '\0'));
        r.WriteString("A-Wert", "zuletzt");
        // "Bernd " with its blank is a record of its own and must not merge into "Bernd".
        for (const char* k : {"UeberwE\\Zoë", "UeberwE\\anna", "UeberwE\\Bernd", "UeberwE\\Bernd ",
                              "UeberwA\\x\\y"}) {
            ASSERT_TRUE(r.OpenKey(kApp + "\\" + k, true));
            r.WriteString("Name", k);
        }
        ASSERT_TRUE(r.OpenKey(kApp + "\\Leerer Schlüssel", true));
    }
    const std::string before = dump(kApp);
    auto file = dir / "formidor.reg";
    ExportRegFile(file);
    {
        TRegistry r;
        ASSERT_TRUE(r.DeleteKey(kApp));
    }
    ImportRegFile(file);
    EXPECT_EQ(dump(kApp), before);
    // Exporting again gives the same bytes.
    auto again = dir / "again.reg";
    ExportRegFile(again);
    EXPECT_TRUE(test::readFile(file) == test::readFile(again));
}

TEST_F(RegFileTest, RefusesBadFilesNamingTheLineAndChangesNothing) {
    const std::string head = "Windows Registry Editor Version 5.00\n\n"
                             "[HKEY_CURRENT_USER\\SOFTWARE\\Quillon Zentrix\\Belegix98]\n"
                             "\"Neu\"=\"wäre geschrieben\"\n"; // lines 1-4
    struct Case {
        std::string body;
        const char* where;
        const char* reason;
    } cases[] = {
        {"Das ist keine Zeile\n", "Zeile 5", "ungültige Zeile"},
        {"\"Bin\"=hex:01,02\n", "Zeile 5", "nicht unterstützter Datentyp"},
        {"\"Exp\"=hex(2):25,00,00,00\n", "Zeile 5", "nicht unterstützter Datentyp"},
        {"\"Q\"=qword:0000000000000001\n", "Zeile 5", "nicht unterstützter Datentyp"},
        {"\n[HKEY_CURRENT_USER\\SOFTWARE\\Andere]\n", "Zeile 6", "außerhalb"},
        {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillon Zentrix\\Belegix98]\n", "Zeile 5", "außerhalb"},
        {"[-HKEY_CURRENT_USER\\SOFTWARE\\Quillon Zentrix]\n", "Zeile 5", "außerhalb"},
        {"[HKEY_CURRENT_USER\\SOFTWARE\\Quillon Zentrix\\Belegix98X]\n", "Zeile 5", "außerhalb"},
        {"\"Offen\"=\"ohne Ende\n", "Zeile 5", "ungültige Zeile"},
        {"\"Esc\"=\"a\\nb\"\n", "Zeile 5", "ungültige Zeile"},
        {"\"Z\"=dword:123456789\n", "Zeile 5", "ungültige Zahl"},
        {"\"Z\"=dword:12x4\n", "Zeile 5", "ungültige Zahl"},
        {"\"Kaputt\"=\"\xC3(\"\n", "Zeile 5", "Zeichenkodierung"},
    };
    for (const auto& c : cases) {
        auto file = dir / "bad.reg";
        test::writeFile(file, head + c.body);
        std::string msg = importError(file);
        EXPECT_NE(msg.find(c.where), std::string::npos) << c.body << " → " << msg;
        EXPECT_NE(msg.find(c.reason), std::string::npos) << c.body << " → " << msg;
        EXPECT_NE(msg.find(file.string()), std::string::npos) << msg;
        TRegistry r;
        EXPECT_FALSE(r.KeyExists(kApp)) << c.body;
    }
    struct Whole {
        std::string file;
        const char* where;
    } wholes[] = {
        {"REGEDIT5\n[HKEY_CURRENT_USER\\SOFTWARE\\Quillon Zentrix\\Belegix98]\n", "Zeile 1"},
        {"", "Zeile 1"},
        {"REGEDIT4\n\"Wert\"=\"ohne Schlüssel\"\n", "Zeile 2"},
        {"\xFE\xFF\0W", "Zeile 1"},
    };
    for (const auto& w : wholes) {
        auto file = dir / "bad.reg";
        test::writeFile(file, w.file);
        std::string msg = importError(file);
        EXPECT_NE(msg.find(w.where), std::string::npos) << msg;
    }
    EXPECT_NE(importError(dir / "fehlt.reg").find("kann nicht gelesen werden"), std::string::npos);
}

// Files written or edited elsewhere: what the registry editor reads is read alike; a line it
// would pass over refuses the whole file instead, so nothing is half imported.
TEST_F(RegFileTest, ReadsFilesAsTheRegistryEditorDoes) {
    const std::string head = "Windows Registry Editor Version 5.00\n\n"
                             "[HKEY_CURRENT_USER\\SOFTWARE\\Quillon Zentrix\\Belegix98]\n";
    const std::string app = "HKEY_CURRENT_USER\\SOFTWARE\\Quillon Zentrix\\Belegix98";
    auto seed = [] {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(kApp + "\\UeberwE\\Müller", true));
        r.WriteString("BLZ", "37040044");
        ASSERT_TRUE(r.OpenKey(kApp, false));
        r.WriteString("Alt", "weg");
    };
    const std::string seeded = "[" + std::string(kAppKey) + "]\nAlt=weg\n[" + std::string(kAppKey) +
                               "\\UeberwE]\n[" + std::string(kAppKey) +
                               "\\UeberwE\\Müller]\nBLZ=37040044\n";
    struct Read {
        const char* label;
        std::string body;
        std::string added; // the app key's values after the import, besides the seeded ones
    } reads[] = {
        {"#-Kommentar", "# alt\n\"N\"=\"W\"\n", "N=W\n"},
        {"Kommentar nach Text", "\"Name\"=\"Wert\" ;Kommentar\n", "Name=Wert\n"},
        {"Kommentar nach Zahl", "\"Zahl\"=dword:00001234;alt\n", "Zahl#4660\n"},
        {"Kommentar nach Löschen", "\"Alt\"=- ;weg\n", "-Alt"},
        {"Blank nach dword:", "\"Zahl\"=dword: 00001234\n", "Zahl#4660\n"},
        {"dword als hex(4)", "\"Zahl\"=hex(4):34,12,00,00\n\"M\"=hex(4):ff,ff,ff,ff\n",
         "Zahl#4660\nM#-1\n"},
        {"Leer- und Kommentarzeilen in hex(1)",
         "\"T\"=hex(1):41,00,\\\n\n; dazwischen\n# auch\n  42,00,00,00\n", "T=AB\n"},
        {"Schlüssel mit \\ am Ende", "[" + app + "\\UeberwE\\]\n\"In\"=\"E\"\n", "UeberwE:In=E\n"},
    };
    for (const auto& c : reads) {
        ScopedDataHome fresh;
        seed();
        auto file = dir / "in.reg";
        test::writeFile(file, head + c.body);
        ASSERT_NO_THROW(ImportRegFile(file)) << c.label << ": " << importError(file);
        TRegistry r;
        std::string added = c.added;
        if (added.rfind("UeberwE:", 0) == 0) {
            ASSERT_TRUE(r.OpenKey(kApp + "\\UeberwE", false)) << c.label;
            added = added.substr(8);
        } else {
            ASSERT_TRUE(r.OpenKey(kApp, false)) << c.label;
        }
        std::string values;
        for (const auto& v : r.GetValues())
            if (v.name != "Alt")
                values += v.name +
                          (v.type == TRegDataType::rdInteger ? "#" + std::to_string(v.number)
                                                             : "=" + v.text) +
                          "\n";
        if (added == "-Alt") {
            EXPECT_FALSE(r.ValueExists("Alt")) << c.label;
            EXPECT_EQ(values, "") << c.label;
        } else {
            EXPECT_EQ(values, added) << c.label;
        }
    }
    struct Refused {
        const char* label;
        std::string file;
        const char* where;
    } refused[] = {
        // The editor reads "- KEY" as a key name and deletes nothing.
        {"[- KEY]", head + "[- " + app + "\\UeberwE]\n", "Zeile 4"},
        {"[ KEY]", head + "[ " + app + "\\Neu]\n\"x\"=\"y\"\n", "Zeile 4"},
        {"Fortsetzung mit Komma", head + "\"T\"=hex(1):41,00\\\n  ,42,00\n", "Zeile 4"},
        {"geteiltes Byte", head + "\"T\"=hex(1):41,0\\\n  0,42,00\n", "Zeile 4"},
        {"Fortsetzung am Dateiende", head + "\"T\"=hex(1):41,00,\\\n", "Zeile 4"},
        {"hex(4) mit drei Bytes", head + "\"Z\"=hex(4):34,12,00\n", "Zeile 4"},
        {"Text nach dem Wert", head + "\"N\"=\"W\" x\n", "Zeile 4"},
        {"leere erste Zeile", "\n" + head + "\"N\"=\"W\"\n", "Zeile 1"},
    };
    for (const auto& c : refused) {
        ScopedDataHome fresh;
        seed();
        auto file = dir / "bad.reg";
        test::writeFile(file, c.file);
        std::string msg = importError(file);
        EXPECT_NE(msg.find(c.where), std::string::npos) << c.label << " → " << msg;
        EXPECT_EQ(dump(kApp), seeded) << c.label;
    }
}

TEST_F(RegFileTest, AcceptsUtf8AndRegedit4) {
    const std::string body = "[HKEY_CURRENT_USER\\SOFTWARE\\Quillon Zentrix\\Belegix98]\r\n"
                             "\"Ort\" = \"Köln\"\r\n"
                             "\"N\"=DWORD:A\r\n";
    struct Case {
        const char* label;
        std::string bytes;
    } cases[] = {
        {"UTF-8", "Windows Registry Editor Version 5.00\r\n\r\n" + body},
        {"UTF-8 mit BOM", "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n" + body},
        {"REGEDIT4 UTF-8", "REGEDIT4\n\n" + body},
        {"REGEDIT4 ANSI", "REGEDIT4\n\n" + utf8ToCp1252(body)},
    };
    for (const auto& c : cases) {
        ScopedDataHome fresh;
        auto file = dir / "in.reg";
        test::writeFile(file, c.bytes);
        ASSERT_NO_THROW(ImportRegFile(file)) << c.label;
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(kApp, false)) << c.label;
        EXPECT_EQ(r.ReadString("Ort"), "Köln") << c.label;
        EXPECT_EQ(r.ReadInteger("N"), 10) << c.label;
    }
}

} // namespace
} // namespace formidor

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace formidor {
namespace {

// A backup that does not fit on the disk is an error naming the file and the cause; the backup
// that was there stays, and nothing is left beside it. Leftovers of an export that was killed
// are removed by the next export of the same file.
TEST(RegFileExport, AFullDiskLeavesThePreviousBackupAndNoLeftovers) {
    ScopedDataHome home;
    {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(kApp + "\\UeberwE", true));
        for (int i = 0; i < 200; ++i)
            r.WriteString("Wert" + std::to_string(i), std::string(200, 'y'));
    }
    TempDir dir;
    const auto file = dir / "sicherung.reg";
    test::writeFile(file, "ALT");
    pid_t gone = ::fork(); // a process id that no longer runs, for a killed export's leftover
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const auto stale = dir / ("sicherung.reg.tmp" + std::to_string(gone));
    test::writeFile(stale, "halb");

    int rc = test::withFileSizeLimit(16 * 1024, [&] {
        try {
            ExportRegFile(file);
        } catch (const ERegFileError& e) {
            test::writeFile(dir / "meldung", e.what());
            return 3;
        }
        return 0;
    });
    ASSERT_EQ(rc, 3);
    const std::string msg = test::readFile(dir / "meldung");
    EXPECT_NE(msg.find(file.string()), std::string::npos) << msg;
    EXPECT_NE(msg.find("kann nicht geschrieben werden: die Datei würde größer"), std::string::npos)
        << msg;
    EXPECT_EQ(test::readFile(file), "ALT");
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"meldung", "sicherung.reg"}));
}

// A pipe as the file would block the import for ever, /dev/zero would fill the memory.
TEST(RegFileImport, OnlyRegularFilesAreRead) {
    ScopedDataHome home;
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    for (const std::filesystem::path& file : {dir / "fifo", std::filesystem::path("/dev/zero")}) {
        try {
            ImportRegFile(file);
            ADD_FAILURE() << file;
        } catch (const ERegFileError& e) {
            EXPECT_NE(std::string(e.what()).find("keine gewöhnliche Datei"), std::string::npos)
                << e.what();
        }
    }
}

} // namespace
} // namespace formidor
