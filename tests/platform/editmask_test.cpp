#include "platform/editmask.h"

#include <gtest/gtest.h>

namespace formidor {
namespace {

TEST(EditMask, ParsesTheMasksTheFormsUse) {
    EditMask blz("00000000;1;-");
    EXPECT_EQ(blz.length(), 8u);
    EXPECT_TRUE(blz.saveLiterals());
    EXPECT_EQ(blz.blank(), U'-');
    EXPECT_EQ(blz.emptyEditText(), "--------");

    EditMask postbank("!90/90/;1;_");
    EXPECT_EQ(postbank.length(), 6u);
    EXPECT_EQ(postbank.emptyEditText(), "__.__."); // "/" is the German date separator
    EXPECT_FALSE(postbank.positions()[0].required);
    EXPECT_TRUE(postbank.positions()[1].required);
    EXPECT_TRUE(postbank.isLiteral(2));

    EditMask defaults("99:99");
    EXPECT_TRUE(defaults.saveLiterals());
    EXPECT_EQ(defaults.blank(), U'_');
    EXPECT_EQ(defaults.emptyEditText(), "__:__");

    EditMask escaped("\\0\\;00;0; ");
    EXPECT_EQ(escaped.emptyEditText(), "0;  ");
    EXPECT_FALSE(escaped.saveLiterals());
}

TEST(EditMask, FieldTextRule) {
    struct Case {
        const char* mask;
        const char* shown;
        const char* text;
    } cases[] = {
        {"00000000;1;-", "--------", "        "}, // empty bank code: eight spaces
        {"00000000;1;-", "12345---", "12345   "}, {"00000000;1;-", "37040044", "37040044"},
        {"!90/90/;1;_", "__.__.", "  .  ."},      {"!90/90/;1;_", "_1.12.", " 1.12."},
        {"!90/90/;0;_", "_1.12.", " 112"}, // literals left out
        {"LL-000;1;_", "DE-1__", "DE-1  "},
    };
    for (const auto& c : cases) {
        EditMask m(c.mask);
        EXPECT_EQ(m.text(c.shown), c.text) << c.mask << " " << c.shown;
    }
    EXPECT_EQ(EditMask().text("frei getippt "), "frei getippt ");
}

TEST(EditMask, SettingTheText) {
    struct Case {
        const char* mask;
        const char* text;
        const char* shown;
    } cases[] = {
        {"00000000;1;-", "37040044", "37040044"},
        {"00000000;1;-", "", "--------"},
        {"00000000;1;-", "        ", "--------"},
        {"00000000;1;-", "123", "123-----"},
        {"00000000;1;-", "12a45678999", "12-45678"}, // refused characters stay empty
        {"!90/90/;1;_", " 1.12.", "_1.12."},
        {"!90/90/;0;_", "0112", "01.12."},
        {">LL;1;_", "de", "DE"},
    };
    for (const auto& c : cases) {
        EditMask m(c.mask);
        EXPECT_EQ(m.editTextFor(c.text), c.shown) << c.mask << " '" << c.text << "'";
    }
    // A field's text set back gives the same field.
    EditMask m("!90/90/;1;_");
    EXPECT_EQ(m.text(m.editTextFor(" 1.12.")), " 1.12.");
}

TEST(EditMask, TypingOverwritesAndSkipsLiterals) {
    EditMask m("!90/90/;1;_");
    std::string shown = m.emptyEditText();
    size_t cursor = 0;
    EXPECT_FALSE(m.typeChar(shown, cursor, U'x'));
    EXPECT_EQ(shown, "__.__.");
    for (char32_t c : {U'0', U'1'}) EXPECT_TRUE(m.typeChar(shown, cursor, c));
    EXPECT_EQ(shown, "01.__.");
    EXPECT_EQ(cursor, 3u); // moved past the separator
    EXPECT_TRUE(m.typeChar(shown, cursor, U'1'));
    EXPECT_TRUE(m.typeChar(shown, cursor, U'2'));
    EXPECT_EQ(shown, "01.12.");
    EXPECT_FALSE(m.typeChar(shown, cursor, U'3')); // full
    EXPECT_EQ(m.text(shown), "01.12.");
    EXPECT_TRUE(m.isComplete(shown));

    m.backspace(shown, cursor);
    EXPECT_EQ(shown, "01.1_.");
    EXPECT_FALSE(m.isComplete(shown));
    m.backspace(shown, cursor);
    m.backspace(shown, cursor); // over the separator
    EXPECT_EQ(shown, "0_.__.");
    EXPECT_EQ(cursor, 1u);

    // Typing the literal where it stands steps over it.
    cursor = 2;
    EXPECT_TRUE(m.typeChar(shown, cursor, U'.'));
    EXPECT_EQ(cursor, 3u);

    m.clearRange(shown, 0, 6);
    EXPECT_EQ(shown, "__.__.");
}

} // namespace
} // namespace formidor
