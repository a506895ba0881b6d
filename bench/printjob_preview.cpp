// Switching the preview to another page of a long simple text grid: 10,000 rows, 25 a page
// (400 pages), cell texts from the job's event. Each switch lays the panel out, records the
// new page and repaints it from the recording.
#include "platform/gui/guard.h"
#include "platform/recordingprinter.h"
#include "printjob/PJSimpleTextGrid.h"
#include "printjob/gui/PSPreview.h"
#include "printjob/gui/samplepreview.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

using namespace formidor;

namespace {

void switchPages(benchmark::State& state, TViewMode mode) {
    auto job = MakeSampleGridJob(10000);
    TPreview preview;
    preview.resize(640, 800);
    preview.show();
    preview.SetPrintJob(job.get());
    preview.SetViewMode(mode);
    if (mode == vmCustom) preview.SetViewScale(150);
    QApplication::processEvents();
    if (job->PageCount() != 400) state.SkipWithError("expected 400 pages");
    int page = 1;
    QImage shown;
    for (auto _ : state) {
        page = (page + 150) % 400 + 1; // jump around, never the same page twice in a row
        preview.SetPageIndex(page);
        preview.GetBitmap(shown); // paint the panel from the new recording
    }
    state.counters["pages"] = job->PageCount();
}

void BM_PreviewSwitchPage_WholePage(benchmark::State& s) {
    switchPages(s, vmWholePage);
}
void BM_PreviewSwitchPage_150(benchmark::State& s) {
    switchPages(s, vmCustom);
}

// Painting without a page change replays the recording only.
void BM_PreviewRepaint(benchmark::State& state) {
    auto job = MakeSampleGridJob(10000);
    TPreview preview;
    preview.resize(640, 800);
    preview.show();
    preview.SetPrintJob(job.get());
    preview.SetPageIndex(200);
    QImage shown;
    for (auto _ : state) preview.GetBitmap(shown);
}

} // namespace

BENCHMARK(BM_PreviewSwitchPage_WholePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewSwitchPage_150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewRepaint)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    gui::setErrorSink([](const QString& t) { std::fprintf(stderr, "%s\n", qPrintable(t)); });
    SetPrinter(std::make_unique<RecordingPrinter>());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
