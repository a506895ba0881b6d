// Speed of the drawing surface: recording a dense page, replaying it onto a screen-sized image
// (what the preview does on every repaint) and printing many such pages into a PDF.
#include "platform/gui/paintercanvas.h"
#include "platform/gui/qtprinter.h"
#include "platform/metafile.h"

#include "common/testenv.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace formidor;

DeviceCaps a4At600() {
    DeviceCaps c;
    c.dpiX = c.dpiY = 600;
    c.physicalWidth = 4961;
    c.physicalHeight = 7016;
    c.offsetX = c.offsetY = 100;
    c.horzRes = 4761;
    c.vertRes = 6816;
    return c;
}

const std::vector<std::string>& cellTexts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> t;
        for (int i = 0; i < 2000; ++i) t.push_back("Müller " + std::to_string(i) + ",00 €");
        return t;
    }();
    return texts;
}

// 2,000 text outputs: 50 lines of 40 columns in low-metric units, two fonts.
void drawDensePage(Canvas& c) {
    c.SetMapMode(TMapMode::LoMetric);
    c.Font().Name = "Arial";
    const std::vector<std::string>& texts = cellTexts();
    for (int row = 0; row < 50; ++row) {
        c.Font().Height = 30;
        c.Font().Bold = row % 10 == 0;
        for (int col = 0; col < 40; ++col)
            c.TextOut(50 + col * 50, -50 - row * 55, texts[size_t(row * 40 + col)]);
    }
}

void BM_RecordPage(benchmark::State& state, std::shared_ptr<const FontMeasurer> measurer) {
    const DeviceCaps caps = a4At600();
    for (auto _ : state) {
        Metafile page(caps.horzRes, caps.vertRes, caps, measurer);
        drawDensePage(page.GetCanvas());
        benchmark::DoNotOptimize(page.Texts().size());
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK_CAPTURE(BM_RecordPage, builtin_metrics, builtinFontMeasurer())
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RecordPage, qt_metrics, gui::qtFontMeasurer())->Unit(benchmark::kMillisecond);

void BM_PlayPageOntoImage(benchmark::State& state) {
    const DeviceCaps caps = a4At600();
    Metafile page(caps.horzRes, caps.vertRes, caps, gui::qtFontMeasurer());
    drawDensePage(page.GetCanvas());
    QImage image(1000, 1400, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        gui::PainterCanvas canvas(painter);
        page.Play(canvas, {0, 0, 1000, 1400});
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PlayPageOntoImage)->Unit(benchmark::kMillisecond);

void BM_Pdf100Pages(benchmark::State& state) {
    test::TempDir dir;
    gui::QtPrinter printer(false);
    printer.setOutputFileName(QString::fromStdString((dir / "bench.pdf").string()));
    for (auto _ : state) {
        printer.BeginDoc();
        for (int p = 0; p < 100; ++p) {
            if (p > 0) printer.NewPage();
            drawDensePage(printer.GetCanvas());
        }
        printer.EndDoc();
    }
}
BENCHMARK(BM_Pdf100Pages)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
