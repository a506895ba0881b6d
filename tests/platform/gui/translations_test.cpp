// Qt's own dialogs speak German: the translations must be installed and loaded, or the file
// dialog of the PDF printer and the font dialog greet the user in English.
#include "platform/gui/translations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

TEST(GermanQtTexts, FileDialogSpeaksGerman) {
    ASSERT_TRUE(ensureGermanQtTexts())
        << "Qt's German translations (qtbase_de.qm) are missing; scripts/setup installs them";
    EXPECT_TRUE(ensureGermanQtTexts()); // a second call keeps the one installed

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    auto* lookIn = dialog.findChild<QLabel*>("lookInLabel");
    auto* fileName = dialog.findChild<QLabel*>("fileNameLabel");
    auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
    ASSERT_TRUE(lookIn && fileName && buttons);
    EXPECT_EQ(lookIn->text(), "Suchen in:");
    EXPECT_EQ(fileName->text(), "Datei&name:");
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), "Abbrechen");
    QStringList texts;
    for (QAbstractButton* b : buttons->buttons()) texts << b->text();
    EXPECT_TRUE(texts.contains("S&peichern")) << texts.join(", ").toStdString();
}

// Style names stay as the font files spell them, so the font dialog finds the bold face.
TEST(GermanQtTexts, FontStylesStayUntranslated) {
    ASSERT_TRUE(ensureGermanQtTexts());
    EXPECT_EQ(QCoreApplication::translate("QFontDatabase", "Bold"), "Bold");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Suchen in:");
}

} // namespace
} // namespace formidor::gui
