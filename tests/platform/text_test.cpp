#include "platform/text.h"

#include <gtest/gtest.h>

namespace formidor {
namespace {

TEST(Text, Cp1252BothWays) {
    struct Case {
        const char* utf8;
        const char* cp1252;
    } cases[] = {
        {"Müller & Söhne", "M\xFCller & S\xF6hne"},
        {"12,50 €", "12,50 \x80"},
        {"„Zitat“ – ß", "\x84Zitat\x93 \x96 \xDF"},
        {"Šž Œ Ÿ ™", "\x8A\x9E \x8C \x9F \x99"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
        EXPECT_EQ(cp1252ToUtf8(c.cp1252), c.utf8) << c.utf8;
    }
    // What the code page lacks, and broken UTF-8, become "?"; so do its undefined bytes.
    EXPECT_EQ(utf8ToCp1252("Ω 😀 Ł"), "? ? ?");
    EXPECT_EQ(utf8ToCp1252("a\xC3(b\xFF"), "a?(b?");
    EXPECT_EQ(cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "?????");
}

TEST(Text, Utf16AndCodePoints) {
    const std::string s = "Grüße 😀";
    std::u16string u = utf8ToUtf16(s);
    EXPECT_EQ(u.size(), 8u); // the emoji takes a surrogate pair
    EXPECT_EQ(utf16ToUtf8(u), s);
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(utf8Length(s), 7u);
    EXPECT_EQ(utf8Left(s, 3), "Grü");
    EXPECT_EQ(utf8Left(s, 100), s);
    // Overlong and surrogate encodings are refused.
    size_t pos = 0;
    EXPECT_EQ(decodeUtf8("\xC0\xAF", pos), 0xFFFDu);
    pos = 0;
    EXPECT_EQ(decodeUtf8("\xED\xA0\x80", pos), 0xFFFDu);
}

TEST(Text, CaseFolding) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"MÜLLER", "Müller", true},
        {"STRASSE", "straße", false}, // simple folding: ß is not "ss"
        {"GROẞ", "groß", true},
        {"ŸVES", "ÿves", true},
        {"ŁÓDŹ", "łódź", true},
        {"ΣΟΦΊΑ", "σοφία", true},
        {"ΟΔΌΣ", "οδός", true},
        {"МОСКВА Ёж", "москва ёж", true},
        {"Ӂ", "ӂ", true},
        {"ӂ", "Ӄ", false},
        {"Ӏ", "ӏ", true},
        {"İ", "i", false},
        {"Müller", "Mueller", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sameTextIgnoringCase(c.a, c.b), c.same) << c.a << " / " << c.b;
    EXPECT_EQ(caseFold("Ärger ÖL"), "ärger öl");
    EXPECT_EQ(lowerAscii("ÄBC"), "Äbc");
    EXPECT_EQ(upperAscii("äbc"), "äBC");
}

TEST(Text, TrimAndMessages) {
    EXPECT_EQ(trim(" \t\r\n x y \x01"), "x y");
    EXPECT_EQ(trimLeft("  a "), "a ");
    EXPECT_EQ(trimRight("  a "), "  a");
    EXPECT_EQ(trim(" ü "), "ü"); // bytes of UTF-8 letters are not blanks
    EXPECT_EQ(formatMessage("'%s' ist kein gültiger Integerwert", "1,5"),
              "'1,5' ist kein gültiger Integerwert");
    // Only the first "%s" is replaced, and a "%s" in the argument stays as it is.
    EXPECT_EQ(formatMessage("%s und %s", "%s"), "%s und %s");
    EXPECT_EQ(formatMessage("ohne", "x"), "ohne");
}

} // namespace
} // namespace formidor
