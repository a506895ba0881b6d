#include "bankdata/bankdirectory.h"

#include "common/testenv.h"
#include "platform/text.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace formidor {
namespace {

std::filesystem::path small() {
    return test::fixture("blz_small.asc");
}

TEST(BankDirectory, NameBesideABankCodeField) {
    struct {
        const char* blz;
        std::optional<std::string> name;
        const char* why;
    } cases[] = {
        {"20000000", "Sparkasse Zwei", "first line in file order, not the branch below it"},
        {"70000000", "Letzte Bank", "last line, without a line end"},
        {"30000000", "", "blank name column is an empty name"},
        {"80000000", "Kurz", "a short line is read as far as it goes"},
        {"50000000", "Bank Ort", ""},
        {"99999999", "nicht vorhanden", "no such code"},
        {"2000000", "nicht vorhanden", "a partly typed code is not a prefix search"},
        {"0000000", "nicht vorhanden", "inside a record is not a bank code"},
        {"", "nicht vorhanden", "an empty text never matches"},
        {"        ", std::nullopt, "eight blanks change nothing"},
    };
    for (const auto& c : cases) EXPECT_EQ(bankNameForField(c.blz, small()), c.name) << c.why;
}

TEST(BankDirectory, ACodeInsideAnotherRecordDoesNotSelectIt) {
    // 30000000's record names 20000000 as its successor, before 20000000's own line.
    BankDirectory dir = BankDirectory::read(small());
    auto line = dir.findLine("20000000");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->substr(0, 9), "200000001");
    EXPECT_EQ(methodCode(*line), 0);
    EXPECT_EQ(methodCode(*dir.findLine("40000000")), -1); // "A2"
}

TEST(BankDirectory, ReadsLfFilesAndConvertsTheCodePage) {
    test::TempDir tmp;
    std::string line = std::string("12345678") + "1" + std::string(58, ' ') + "12345" +
                       std::string(35, ' ') + "M\xfcller Bank";
    test::writeFile(tmp / "blz.asc", line + "\n");
    EXPECT_EQ(bankNameForField("12345678", tmp / "blz.asc"), "Müller Bank");
}

TEST(BankDirectory, AMissingFileIsAGermanError) {
    test::TempDir tmp;
    try {
        bankNameForField("20000000", tmp / "fehlt.asc");
        FAIL();
    } catch (const EBankFileError& e) {
        EXPECT_NE(std::string(e.what()).find("Datei nicht gefunden"), std::string::npos);
    }
    EXPECT_THROW(BankDirectory::read(tmp.path()), EBankFileError);
}

std::vector<std::string> codes(const std::vector<SearchHit>& hits) {
    std::vector<std::string> out;
    for (const auto& h : hits) out.push_back(h.blz);
    return out;
}

TEST(BankDirectory, SearchByNameAndPlace) {
    BankDirectory dir = BankDirectory::read(small());
    using V = std::vector<std::string>;
    EXPECT_EQ(codes(dir.search("sparkasse", "")), (V{"20000000", "40000000", "20000000"}));
    EXPECT_EQ(codes(dir.search("sparkasse", "münchen")), (V{"20000000"}));
    EXPECT_EQ(codes(dir.search("", "MÜNCHEN")), (V{"40000000"}));
    EXPECT_EQ(codes(dir.search("", "münchen")), (V{"20000000"})) << "only a-z fold";
    EXPECT_EQ(codes(dir.search("", "berlin")), (V{"10000000", "50000000"}))
        << "place column only: 'Berliner Bank' is in the name column";
    EXPECT_EQ(codes(dir.search("berlin", "")), (V{"60000000"}));
    EXPECT_EQ(codes(dir.search("für", "")), (V{"50000000"}));
    EXPECT_TRUE(dir.search("", "").empty());
    EXPECT_TRUE(dir.search("€uro", "").empty());
    auto hit = dir.search("letzte", "dresden");
    ASSERT_EQ(hit.size(), 1u);
    EXPECT_EQ(hit[0].plz, "01067");
    EXPECT_EQ(hit[0].ort.substr(0, 8), "Dresden ") << "columns as read";
}

TEST(BankDirectory, AccountNormalisation) {
    EXPECT_EQ(normaliseAccount("12345"), "0000012345");
    EXPECT_EQ(normaliseAccount("123456789012"), "1234567890");
    EXPECT_EQ(normaliseAccount(""), "0000000000");
    EXPECT_EQ(normaliseAccount("1234567890"), "1234567890");
    EXPECT_EQ(normaliseAccount("ä1"), "00000000ä1");
}

TEST(BankDirectory, DirectDebitExitSteps) {
    BankDirectory dir = BankDirectory::read(small());
    auto r = directDebitExit("20000000", "18", dir);
    EXPECT_EQ(r.bankName, "Sparkasse Zwei");
    EXPECT_TRUE(r.verified);
    EXPECT_EQ(r.account, "0000000018");
    EXPECT_EQ(r.result, pzRichtig);

    r = directDebitExit("99999999", "18", dir);
    EXPECT_EQ(r.bankName, "nicht vorhanden");
    EXPECT_FALSE(r.verified);
    EXPECT_FALSE(r.result);

    EXPECT_TRUE(directDebitExit("        ", "18", dir).unchanged);

    r = directDebitExit("20000000", "12A45", dir);
    EXPECT_TRUE(r.verified);
    EXPECT_EQ(r.account, "0000012A45");
    EXPECT_FALSE(r.result);
    EXPECT_EQ(r.error, "'A' ist kein gültiger Integerwert");
}

TEST(BankDirectory, ShippedFile) {
    auto file = test::sourceDir() / "data" / "blz.asc";
    EXPECT_EQ(bankNameForField("10000000", file), "BBk Berlin");
    EXPECT_EQ(bankNameForField("10010010", file), "Postbank Ndl DB PFK");
    BankDirectory dir = BankDirectory::read(file);
    MethodIndex index(dir);
    EXPECT_EQ(index.method("10010010"), 24);
    EXPECT_FALSE(index.method("00000000"));
    EXPECT_FALSE(dir.search("sparkasse", "köln").empty());
}

} // namespace
} // namespace formidor

namespace formidor {
namespace {

// The piecewise file lookup finds what the whole-file lookup finds, for lines that straddle its
// blocks and for the last line without a line end.
TEST(BankDirectory, LookupStraightFromTheFileMatchesTheWholeFile) {
    auto shipped = test::sourceDir() / "data" / "blz.asc";
    BankDirectory dir = BankDirectory::read(shipped);
    std::string_view all = dir.bytes();
    std::vector<std::string> codes = {"10000000", "10010010", "99999999", "1000000", ""};
    for (size_t p = 0; p < all.size(); p += 170 * 997)
        codes.emplace_back(all.substr(p - p % 170, 8));
    codes.emplace_back(all.substr(all.size() - 170, 8));
    for (const auto& c : codes) {
        auto whole = dir.findLine(c);
        auto piece = BankDirectory::findLineInFile(shipped, c);
        ASSERT_EQ(whole.has_value(), piece.has_value()) << c;
        if (whole) {
            EXPECT_EQ(*whole, *piece) << c;
        }
    }

    // The index read straight from the file answers every code as the one over the whole text.
    MethodIndex whole(dir), streamed = MethodIndex::fromFile(shipped);
    for (size_t p = 0; p < all.size(); p += 170) {
        std::string code(all.substr(p, 8));
        EXPECT_EQ(whole.method(code), streamed.method(code)) << code;
    }
    EXPECT_FALSE(streamed.method("1000000"));

    test::TempDir tmp;
    test::writeFile(tmp / "blz.asc", std::string(all.substr(0, 170 * 3 - 2)));
    EXPECT_EQ(MethodIndex::fromFile(tmp / "blz.asc").method(std::string(all.substr(340, 8))),
              methodCode(all.substr(340, 168)));
    auto last = BankDirectory::findLineInFile(tmp / "blz.asc", std::string(all.substr(340, 8)));
    ASSERT_TRUE(last);
    EXPECT_EQ(last->size(), 168u);
    EXPECT_THROW(BankDirectory::findLineInFile(tmp / "fehlt", "10000000"), EBankFileError);
}

} // namespace
} // namespace formidor

namespace formidor {
namespace {

// A directory that cannot be the Bundesbank's file is reported when it is read, by the whole-file
// read and by the single lookup alike, instead of answering "nicht vorhanden" for every code or
// another bank's check-digit method.
TEST(BankDirectory, ADamagedDirectoryIsReportedNotAnsweredFrom) {
    auto shipped = test::sourceDir() / "data" / "blz.asc";
    const std::string all(BankDirectory::read(shipped).bytes());
    // The shipped file as an editor saves it in UTF-8: each umlaut takes two bytes.
    std::string utf8 = cp1252ToUtf8(all);
    std::string random;
    for (int i = 0; i < 5000; ++i) random += static_cast<char>((i * 7919 + 13) % 251);
    struct {
        std::string bytes;
        std::string lookUp; // a code to look up straight from the file
        const char* why;
        const char* inMessage;
    } cases[] = {
        {"", "10000000", "empty", "leer"},
        {utf8, all.substr(170 * 15000, 8), "re-saved as UTF-8", "länger als 168 Zeichen"},
        {random, "10000000", "random bytes", "Bankleitzahl"},
        {all.substr(0, 170 * 40 + 60), all.substr(170 * 40, 8), "cut inside a line",
         "abgeschnitten"},
        {all.substr(0, 170 * 5) + "1234567X" + all.substr(170 * 5 + 8), all.substr(170 * 9, 8),
         "a code with a letter", "Zeile 6"},
    };
    for (const auto& c : cases) {
        test::TempDir tmp;
        test::writeFile(tmp / "blz.asc", c.bytes);
        for (int whole = 0; whole < 2; ++whole) {
            try {
                if (whole)
                    (void)BankDirectory::read(tmp / "blz.asc");
                else
                    (void)BankDirectory::findLineInFile(tmp / "blz.asc", c.lookUp);
                ADD_FAILURE() << c.why << (whole ? " (whole file)" : " (lookup)");
            } catch (const EBankFileError& e) {
                std::string msg = e.what();
                EXPECT_NE(msg.find("beschädigt"), std::string::npos) << c.why << ": " << msg;
                EXPECT_NE(msg.find(c.inMessage), std::string::npos) << c.why << ": " << msg;
            }
        }
    }
}

// A pipe would block the lookup for ever, a device like /dev/zero would fill the memory.
TEST(BankDirectory, OnlyRegularFilesAreRead) {
    test::TempDir tmp;
    ASSERT_EQ(::mkfifo((tmp / "fifo").c_str(), 0600), 0);
    for (const std::filesystem::path& file : {tmp / "fifo", std::filesystem::path("/dev/zero")}) {
        for (int whole = 0; whole < 2; ++whole) {
            try {
                if (whole)
                    (void)BankDirectory::read(file);
                else
                    (void)BankDirectory::findLineInFile(file, "10000000");
                ADD_FAILURE() << file;
            } catch (const EBankFileError& e) {
                EXPECT_NE(std::string(e.what()).find("keine gewöhnliche Datei"), std::string::npos)
                    << e.what();
            }
        }
    }
}

} // namespace
} // namespace formidor
