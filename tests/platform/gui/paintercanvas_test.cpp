// The painter canvas on images: pixel rules of lines and areas, clipping, and a recorded page
// replayed at screen size.
#include "platform/gui/paintercanvas.h"
#include "platform/metafile.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace formidor::gui {
namespace {

bool isWhite(const QImage& img, int x, int y) {
    return img.pixel(x, y) == qRgb(255, 255, 255);
}

// Bounding box of everything that is not white.
QRect inked(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!isWhite(img, x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

struct ImageCanvas {
    explicit ImageCanvas(int w = 40, int h = 40) : img(w, h, QImage::Format_RGB32) {
        img.fill(Qt::white);
        painter.begin(&img);
        canvas = std::make_unique<PainterCanvas>(painter);
    }
    QImage done() {
        canvas.reset();
        painter.end();
        return img;
    }
    QImage img;
    QPainter painter;
    std::unique_ptr<PainterCanvas> canvas;
};

TEST(PainterCanvasPixels, LinesLeaveOutTheirEndPoint) {
    ImageCanvas ic;
    ic.canvas->MoveTo(2, 5);
    ic.canvas->LineTo(10, 5);
    ic.canvas->MoveTo(20, 2);
    ic.canvas->LineTo(20, 12);
    const QImage img = ic.done();
    EXPECT_FALSE(isWhite(img, 2, 5));
    EXPECT_FALSE(isWhite(img, 9, 5));
    EXPECT_TRUE(isWhite(img, 10, 5));
    EXPECT_FALSE(isWhite(img, 20, 11));
    EXPECT_TRUE(isWhite(img, 20, 12));
}

TEST(PainterCanvasPixels, RectanglesAndFillsStopBeforeRightAndBottom) {
    ImageCanvas ic;
    ic.canvas->Brush().Color = clRed;
    ic.canvas->Rectangle(2, 2, 8, 8);
    ic.canvas->FillRect(TRect{20, 20, 25, 25}, clBlue);
    const QImage img = ic.done();
    EXPECT_EQ(img.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(7, 7), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(4, 4), qRgb(255, 0, 0));
    EXPECT_TRUE(isWhite(img, 8, 4));
    EXPECT_TRUE(isWhite(img, 4, 8));
    EXPECT_EQ(img.pixel(24, 24), qRgb(0, 0, 255));
    EXPECT_TRUE(isWhite(img, 25, 24));
    EXPECT_EQ(inked(img), QRect(QPoint(2, 2), QPoint(24, 24)));
}

TEST(PainterCanvasPixels, ClipRegionLimitsDrawing) {
    ImageCanvas ic;
    ic.canvas->IntersectClipRect({0, 0, 30, 30});
    ic.canvas->ExcludeClipRect({10, 10, 20, 20});
    ic.canvas->FillRect(TRect{0, 0, 40, 40}, clBlack);
    ic.canvas->ResetClip();
    ic.canvas->FillRect(TRect{35, 35, 40, 40}, clBlack);
    const QImage img = ic.done();
    EXPECT_FALSE(isWhite(img, 5, 5));
    EXPECT_TRUE(isWhite(img, 15, 15));
    EXPECT_TRUE(isWhite(img, 32, 5));
    EXPECT_FALSE(isWhite(img, 36, 36));
}

TEST(PainterCanvasText, QtMetricsAgreeWithTheBuiltInTables) {
    // Layouts computed in core must match what Qt prints with the installed faces.
    for (const char* face : {"Arial", "Courier New"})
        for (bool bold : {false, true}) {
            DeviceFont f;
            f.face = face;
            f.bold = bold;
            f.emPixels = 100;
            const std::string text = "Überweisung 1.234,56 € Müller-Lüdenscheidt";
            const double qt = qtFontMeasurer()->textWidth(f, text);
            const double core = builtinFontMeasurer()->textWidth(f, text);
            EXPECT_NEAR(qt, core, core * 0.01) << face << bold;
            const DeviceFontMetrics qm = qtFontMeasurer()->metrics(f);
            const DeviceFontMetrics cm = builtinFontMeasurer()->metrics(f);
            EXPECT_NEAR(qm.ascent + qm.descent, cm.ascent + cm.descent, 1.0) << face;
        }
}

TEST(PainterCanvasText, CharactersTheFontLacksAreDrawnWithoutHarm) {
    ImageCanvas ic(200, 40);
    ic.canvas->Font().Height = -20;
    ic.canvas->TextOut(2, 2, "\xE4\xB8\xAD\xF0\x9F\x98\x80\xEF\xBF\xBF\x01 ok");
    const QImage img = ic.done();
    EXPECT_FALSE(inked(img).isEmpty());
}

TEST(PainterCanvasPlayback, RecordedPageFillsTheTargetAtAnyScale) {
    DeviceCaps caps;
    caps.dpiX = caps.dpiY = 600;
    caps.horzRes = 4800;
    caps.vertRes = 6600;
    Metafile page(4800, 6600, caps, qtFontMeasurer());
    Canvas& c = page.GetCanvas();
    c.SetMapMode(TMapMode::LoMetric);
    c.Font().Height = 100;
    c.TextOut(1000, -1000, "Formidor");
    c.Pen().Width = 5;
    c.MoveTo(0, -1200);
    c.LineTo(2032, -1200);
    // The recorded text in reference pixels: starts at 100 mm = 2362 px.
    const MetaText& t = *page.FindText("Formidor");
    for (double scale : {0.1, 0.2}) {
        const int w = int(4800 * scale), h = int(6600 * scale);
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            PainterCanvas screen(p);
            page.Play(screen, {0, 0, w, h});
        }
        const QRect ink = inked(img.copy(0, 0, w, int(2500 * scale)));
        EXPECT_NEAR(ink.left(), t.baseline.x * scale, 3) << scale;
        EXPECT_NEAR(ink.top(), (t.baseline.y - t.ascent) * scale, 0.2 * t.ascent * scale + 2);
        EXPECT_NEAR(ink.right(), (t.baseline.x + t.width) * scale, 3) << scale;
        // The line at 120 mm, 0 to 203.2 mm.
        const int lineY = int(1200 * 600 / 254.0 * scale);
        EXPECT_FALSE(isWhite(img, int(2000 * 600 / 254.0 * scale), lineY)) << scale;
        if (scale == 0.2 && std::getenv("FORMIDOR_SAVE_PNG"))
            img.save(QString::fromLocal8Bit(std::getenv("FORMIDOR_SAVE_PNG")));
    }
}

TEST(PainterCanvasImages, StretchedImageCoversItsDestination) {
    ImageCanvas ic;
    TBitmap bmp;
    bmp.Width = 2;
    bmp.Height = 2;
    bmp.Pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000};
    ic.canvas->StretchDraw({10, 10, 30, 30}, bmp);
    const QImage img = ic.done();
    EXPECT_EQ(img.pixel(12, 12), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(27, 12), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(12, 27), qRgb(0, 0, 255));
    EXPECT_TRUE(isWhite(img, 30, 30));
    EXPECT_EQ(toBitmap(toQImage(bmp)).Pixels, bmp.Pixels);
}

} // namespace
} // namespace formidor::gui
