// End to end through the built-in PDF printer: what the form printers draw in low-metric
// units must land at the same millimetres in the PDF, measured from the printable area.
#include "platform/gui/qtprinter.h"
#include "platform/metafile.h"

#include "common/testenv.h"

#include <QApplication>
#include <QFileDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace formidor::gui {
namespace {

struct Word {
    QString text;
    double xMin, yMin, xMax, yMax; // points
};

bool havePoppler() {
    return !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

std::vector<Word> wordsOf(const std::filesystem::path& pdf) {
    QProcess p;
    p.start("pdftotext", {"-bbox", QString::fromStdString(pdf.string()), "-"});
    EXPECT_TRUE(p.waitForFinished(10000));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression re(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<Word> words;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        auto m = it.next();
        words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

const Word* find(const std::vector<Word>& words, const QString& text) {
    for (const Word& w : words)
        if (w.text == text) return &w;
    return nullptr;
}

constexpr double kPtPerMm = 72.0 / 25.4;

TEST(PdfPrinter, IsTheOnlyAndDefaultPrinterWithoutCups) {
    QtPrinter printer(false);
    EXPECT_EQ(printer.Printers(), (std::vector<std::string>{kPdfPrinterName}));
    EXPECT_EQ(printer.PrinterIndex(), 0);
    EXPECT_TRUE(printer.isPdfPrinter(0));
}

TEST(PdfPrinter, LowMetricTextLandsAtItsMillimetres) {
    if (!havePoppler()) GTEST_SKIP() << "pdftotext is not installed";
    test::TempDir dir;
    const auto file = dir / "form.pdf";
    QtPrinter printer(false);
    const double left = 6.35, top = 4.2;
    printer.setPdfMargins(QMarginsF(left, top, 5, 5));
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.SetTitle("Quillon Zentrix. - Überweisungsdrucker");
    EXPECT_NEAR(printer.GetDeviceCaps(PHYSICALOFFSETX), left / 25.4 * 600, 1);
    EXPECT_NEAR(printer.GetDeviceCaps(PHYSICALOFFSETY), top / 25.4 * 600, 1);

    printer.BeginDoc();
    Canvas& c = printer.GetCanvas();
    c.TextOut(0, 0, " ");
    c.SetMapMode(TMapMode::LoMetric);
    c.Font().Name = "Arial";
    c.Font().Height = 52;
    c.TextOut(700, -1000, "Empfänger");
    c.Font().Name = "Courier New";
    c.Font().Bold = true;
    c.TextOut(100, -2000, "1234,56");
    c.TextOut(100, -2200, "Zeichen \xE4\xB8\xAD\xF0\x9F\x98\x80 fehlen"); // not in the face
    printer.EndDoc();
    EXPECT_EQ(printer.lastOutputFile().toStdString(), file.string());

    const std::vector<Word> words = wordsOf(file);
    const Word* w = find(words, "Empfänger");
    ASSERT_NE(w, nullptr);
    EXPECT_NEAR(w->xMin / kPtPerMm, left + 70.0, 0.2);
    EXPECT_NEAR(w->yMin / kPtPerMm, top + 100.0, 0.2);
    EXPECT_NEAR((w->yMax - w->yMin) / kPtPerMm, 5.2, 0.2); // cell height 52
    const Word* n = find(words, "1234,56");
    ASSERT_NE(n, nullptr);
    EXPECT_NEAR(n->xMin / kPtPerMm, left + 10.0, 0.2);
    EXPECT_NEAR(n->yMin / kPtPerMm, top + 200.0, 0.2);
    EXPECT_NE(find(words, "fehlen"), nullptr);
}

TEST(PdfPrinter, PagesOrientationAndTitle) {
    if (!havePoppler()) GTEST_SKIP() << "pdftotext is not installed";
    test::TempDir dir;
    const auto file = dir / "list.pdf";
    QtPrinter printer(false);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_GT(printer.PageWidth(), printer.PageHeight());
    printer.SetTitle("Adressliste");
    printer.BeginDoc();
    printer.GetCanvas().SetMapMode(TMapMode::LoMetric);
    printer.GetCanvas().TextOut(100, -100, "eins");
    printer.NewPage();
    printer.GetCanvas().TextOut(100, -100, "zwei"); // mapping carries over
    printer.EndDoc();
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(file.string())});
    ASSERT_TRUE(info.waitForFinished(10000));
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QRegularExpression("Pages:\\s+2"))) << out.toStdString();
    EXPECT_TRUE(out.contains("Adressliste"));
    EXPECT_TRUE(out.contains(QRegularExpression("Page size:\\s+84[12][.\\d]* x 595")))
        << out.toStdString();
    const std::vector<Word> words = wordsOf(file);
    const Word* a = find(words, "eins");
    const Word* b = find(words, "zwei");
    ASSERT_TRUE(a && b);
    EXPECT_NEAR(a->yMin, b->yMin, 0.01);
}

TEST(PdfPrinter, UnwritableFileIsAGermanErrorAndLeavesNothingOpen) {
    test::TempDir dir;
    QtPrinter printer(false);
    printer.setOutputFileName(QString::fromStdString((dir / "fehlt" / "x.pdf").string()));
    try {
        printer.BeginDoc();
        FAIL();
    } catch (const EPrinter& e) {
        EXPECT_NE(std::string(e.what()).find("konnte nicht geschrieben werden"), std::string::npos);
    }
    EXPECT_FALSE(printer.Printing());
    // Without a file name the document cannot start either.
    printer.setOutputFileName({});
    EXPECT_THROW(printer.BeginDoc(), EPrinter);
    // A document given up leaves no file.
    const auto file = dir / "abgebrochen.pdf";
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.BeginDoc();
    printer.GetCanvas().TextOut(0, 0, "halb");
    printer.Abort();
    EXPECT_FALSE(printer.Printing());
    EXPECT_FALSE(std::filesystem::exists(file));
    // And the printer works afterwards.
    printer.BeginDoc();
    printer.EndDoc();
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST(PdfPrinter, FileThatCannotBeCompletedIsAnErrorNotASuccess) {
    test::TempDir dir;
    const auto folder = dir / "weg";
    std::filesystem::create_directories(folder);
    QtPrinter printer(false);
    printer.setOutputFileName(QString::fromStdString((folder / "x.pdf").string()));
    printer.BeginDoc();
    printer.GetCanvas().TextOut(0, 0, "Seite");
    std::filesystem::remove_all(folder); // the target folder disappears while printing
    try {
        printer.EndDoc();
        FAIL() << "reported as printed";
    } catch (const EPrinter& e) {
        EXPECT_NE(std::string(e.what()).find("konnte nicht geschrieben werden"), std::string::npos)
            << e.what();
    }
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(printer.lastOutputFile().isEmpty());
    const auto file = dir / "danach.pdf";
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.BeginDoc();
    printer.EndDoc();
    EXPECT_TRUE(std::filesystem::exists(file));
}

// Answers the file dialog the PDF printer opens: with a file name, or cancelled (empty).
void answerFileDialog(const QString& path) {
    QTimer::singleShot(0, [path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(kPdfSaveCaption));
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

TEST(PdfPrinter, InteractiveAsksForTheFile) {
    test::TempDir dir;
    QtPrinter printer(false);
    printer.setInteractive(true);
    printer.setOutputFileName(QString::fromStdString((dir / "vorschlag.pdf").string()));
    answerFileDialog({});
    try {
        printer.BeginDoc();
        FAIL();
    } catch (const EPrinter& e) {
        EXPECT_STREQ(e.what(), kPrintCancelledMessage);
    }
    EXPECT_FALSE(printer.Printing());
    EXPECT_FALSE(std::filesystem::exists(dir / "vorschlag.pdf"));

    const QString chosen = QString::fromStdString((dir / "gewaehlt").string());
    answerFileDialog(chosen);
    printer.BeginDoc();
    printer.GetCanvas().TextOut(0, 0, "x");
    printer.EndDoc();
    EXPECT_EQ(printer.lastOutputFile(), chosen + ".pdf"); // the suffix is added
    EXPECT_TRUE(std::filesystem::exists(dir / "gewaehlt.pdf"));
}

TEST(QtPrinterList, SystemPrintersComeFirstThenThePdfPrinter) {
    QtPrinter printer(true);
    const std::vector<std::string> names = printer.Printers();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), kPdfPrinterName);
    EXPECT_TRUE(printer.isPdfPrinter(int(names.size()) - 1));
    if (names.size() == 1) {
        EXPECT_EQ(printer.DefaultPrinterIndex(), 0);
    }
    EXPECT_GT(printer.GetDeviceCaps(LOGPIXELSX), 0);
}

} // namespace
} // namespace formidor::gui
