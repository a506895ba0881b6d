// The printing dialogs against the recording printer, and the desktop links.
#include "platform/gui/printdialogs.h"
#include "platform/gui/shell.h"
#include "platform/recordingprinter.h"

#include <QComboBox>
#include <QFontDialog>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

RecordingPrinter twoPrinters() {
    return RecordingPrinter(
        {RecordingPrinterConfig::a4("Laser", 600), RecordingPrinterConfig::a4("PDF-Datei", 600)},
        0);
}

TEST(PrinterSetupDialogTest, ChoosesAnyPrinterAndOrientation) {
    RecordingPrinter printer = twoPrinters();
    {
        PrinterSetupDialog d(printer);
        ASSERT_EQ(d.printerBox()->count(), 2);
        EXPECT_EQ(d.printerBox()->currentIndex(), 0);
        EXPECT_TRUE(d.portraitButton()->isChecked());
        d.printerBox()->setCurrentIndex(1);
        d.landscapeButton()->setChecked(true);
        d.reject(); // cancelled: nothing changes
    }
    EXPECT_EQ(printer.PrinterIndex(), 0);
    EXPECT_EQ(printer.Orientation(), TPrinterOrientation::poPortrait);
    PrinterSetupDialog d(printer);
    d.printerBox()->setCurrentIndex(1);
    d.landscapeButton()->setChecked(true);
    d.accept();
    EXPECT_EQ(printer.PrinterIndex(), 1);
    EXPECT_EQ(printer.Orientation(), TPrinterOrientation::poLandscape);
    PrinterSetupDialog again(printer);
    EXPECT_TRUE(again.landscapeButton()->isChecked());
    EXPECT_EQ(again.printerBox()->currentIndex(), 1);
}

TEST(PrintDialogTest, PageRangeWithinMinimumAndMaximum) {
    RecordingPrinter printer = twoPrinters();
    PrintDialog d(printer, 1, 5, 1, 5);
    EXPECT_TRUE(d.allPagesButton()->isChecked());
    EXPECT_EQ(d.fromPage(), 1);
    EXPECT_EQ(d.toPage(), 5);
    EXPECT_EQ(d.toBox()->maximum(), 5);
    d.fromBox()->setValue(9); // beyond the maximum
    EXPECT_EQ(d.fromBox()->value(), 5);
    EXPECT_TRUE(d.rangeButton()->isChecked());
    d.toBox()->setValue(2);
    d.printerBox()->setCurrentIndex(1);
    d.accept();
    EXPECT_EQ(d.fromPage(), 2); // a reversed range is read in order
    EXPECT_EQ(d.toPage(), 5);
    EXPECT_EQ(printer.PrinterIndex(), 1);
}

TEST(FontDialogTest, ReportsFaceSizeAndExactStyle) {
    const FontChoice wanted{"Liberation Mono", 11, true, true, true, true};
    std::unique_ptr<QFontDialog> d(makeFontDialog(wanted));
    EXPECT_TRUE(d->testOption(QFontDialog::ScalableFonts));
    EXPECT_FALSE(d->testOption(QFontDialog::NonScalableFonts));
    const FontChoice got = fontChoiceOf(d->currentFont());
    EXPECT_EQ(got.face, "Liberation Mono");
    EXPECT_EQ(got.pointSize, 11);
    EXPECT_TRUE(got.bold && got.italic && got.underline && got.strikeOut);
    // Each style alone comes back as it went in.
    for (const FontChoice& one : {FontChoice{"Liberation Sans", 9, true, false, false, false},
                                  FontChoice{"Liberation Sans", 9, false, true, false, false},
                                  FontChoice{"Liberation Serif", 14, false, false, true, false},
                                  FontChoice{"Liberation Mono", 10, false, false, false, true},
                                  FontChoice{"Liberation Sans", 12, false, false, false, false}}) {
        std::unique_ptr<QFontDialog> dd(makeFontDialog(one));
        EXPECT_EQ(fontChoiceOf(dd->currentFont()), one)
            << one.face.toStdString() << one.bold << one.italic;
    }
    const FontChoice plain{"Liberation Sans", 8, false, false, false, false};
    EXPECT_EQ(fontChoiceOf(toQFont(plain)), plain);
}

TEST(ShellLinks, MailWebAndFileLinks) {
    std::vector<QUrl> opened;
    UrlOpener before = setUrlOpener([&](const QUrl& u) {
        opened.push_back(u);
        return true;
    });
    EXPECT_TRUE(openMailLink("info@quillon.example"));
    EXPECT_TRUE(openMailLink("mailto:info@quillon.example"));
    EXPECT_TRUE(openWebLink("www.quillon.example"));
    EXPECT_TRUE(openFile("/tmp/Ausgabe 1.pdf"));
    EXPECT_FALSE(openWebLink("  "));
    setUrlOpener(before);
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0].toString(), "mailto:info@quillon.example");
    EXPECT_EQ(opened[1].toString(), "mailto:info@quillon.example");
    EXPECT_EQ(opened[2].toString(), "http://www.quillon.example");
    EXPECT_EQ(opened[3].toLocalFile(), "/tmp/Ausgabe 1.pdf");
}

} // namespace
} // namespace formidor::gui
