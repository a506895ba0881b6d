#include "platform/gui/maskedit.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

TEST(MaskEdit, EmptyBankCodeFieldReadsEightBlanks) {
    MaskEdit e("00000000;1;-");
    EXPECT_EQ(e.text(), QString("        "));
    EXPECT_EQ(e.displayText(), QString("--------"));
    EXPECT_FALSE(e.isComplete());
}

TEST(MaskEdit, TypingIsFilteredByTheMask) {
    MaskEdit e("00000000;1;-");
    e.show();
    e.setFocus();
    int edits = 0;
    QObject::connect(&e, &QLineEdit::textEdited, [&] { ++edits; });
    QTest::keyClicks(&e, "37a04x0044");
    EXPECT_EQ(e.text(), QString("37040044"));
    EXPECT_TRUE(e.isComplete());
    EXPECT_GT(edits, 0);
    QTest::keyClick(&e, Qt::Key_Backspace);
    QTest::keyClick(&e, Qt::Key_Backspace);
    EXPECT_EQ(e.text(), QString("370400  "));
    QTest::keyClick(&e, Qt::Key_Home);
    QTest::keyClick(&e, Qt::Key_Delete);
    EXPECT_EQ(e.text(), QString(" 70400  "));
    e.selectAll();
    QTest::keyClicks(&e, "1");
    EXPECT_EQ(e.text(), QString("1       "));
}

TEST(MaskEdit, PasteGoesThroughTheMask) {
    MaskEdit e("00000000;1;-");
    QApplication::clipboard()->setText("12 34-56");
    e.setFocus();
    QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.text(), QString("123456  "));
}

TEST(MaskEdit, SetTextAndChangingTheMask) {
    MaskEdit e;
    EXPECT_FALSE(e.isMasked());
    e.setText("DE12 frei");
    EXPECT_EQ(e.text(), QString("DE12 frei"));
    e.setText("37040044");
    e.setEditMask("00000000;1;-");
    EXPECT_EQ(e.text(), QString("37040044"));
    EXPECT_EQ(e.editMask(), QString("00000000;1;-"));
    e.setEditMask(QString()); // the mask goes, the text stays
    EXPECT_EQ(e.text(), QString("37040044"));
    QTest::keyClicks(&e, "x");
    EXPECT_EQ(e.text(), QString("37040044x"));

    MaskEdit postbank("!90/90/;1;_");
    postbank.setText(" 1.12.");
    EXPECT_EQ(postbank.displayText(), QString("_1.12."));
    EXPECT_EQ(postbank.text(), QString(" 1.12."));
    postbank.clear();
    EXPECT_EQ(postbank.text(), QString("  .  ."));
}

} // namespace
} // namespace formidor::gui
