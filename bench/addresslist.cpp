// The originator list of the data management page with 10,000 originators (400 pages): opening
// its preview window, switching the preview to another page, and printing all pages into a PDF
// file. Each is set against a floor measured in the same run: the same work on a simple text
// grid of as many rows whose cell texts need no address book (the library's own cost), and
// reading the values the list prints straight from the hive.
//
// The figures of interest are the ratios printed at the end.
#include "addressbook/addressbook.h"
#include "addressbook/datamanagement.h"
#include "addressbook/gui/datamanagement.h"
#include "common/testenv.h"
#include "forms/gui/pdfprint.h"
#include "platform/gui/guard.h"
#include "platform/gui/qtprinter.h"
#include "platform/hive.h"
#include "printjob/PJSimpleTextGrid.h"
#include "printjob/gui/PSWindow.h"
#include "printjob/gui/samplepreview.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

using namespace formidor;

namespace {

constexpr int kOriginators = 10000;

std::unique_ptr<test::ScopedDataHome> home;
std::unique_ptr<QWidget> mainWindow;
gui::DataPage* page = nullptr;
gui::DataManagement* management = nullptr;
std::unique_ptr<TSimpleTextGridPrintJob> sample;

void fillAddressBook() {
    hive::Transaction t(true);
    for (int i = 0; i < kOriginators; ++i) {
        char name[48];
        std::snprintf(name, sizeof name, "Auftraggeber %05d GmbH & Co. KG", i);
        TRegistry r;
        r.OpenKey("\\" + std::string(kAppKey) + "\\UeberwA\\" + name, true);
        r.WriteString("Kontonr", std::to_string(1000000 + i));
        r.WriteString("BLZ", "37050198");
        r.WriteString("Institut", "Sparkasse KölnBonn");
        r.WriteString("IBANAuftrag", "DE02120300000000202051");
        r.WriteString("Formular", "13");
    }
    t.Commit();
}

void setUp() {
    home = std::make_unique<test::ScopedDataHome>();
    fillAddressBook();
    mainWindow = std::make_unique<QWidget>();
    mainWindow->resize(548, 524);
    page = new gui::DataPage(mainWindow.get());
    management = gui::setupDataPage(page, mainWindow.get());
    mainWindow->show(); // fills the lists
    QApplication::processEvents();
    sample = MakeSampleGridJob(kOriginators);
}

// A preview window on the sample grid with the list window's settings.
std::unique_ptr<TPreviewWindow> sampleWindow() {
    auto w = std::make_unique<TPreviewWindow>();
    const TPreviewWindow& list = management->PreviewWindow1();
    w->SetPrintJob(sample.get());
    w->SetColor(list.Color());
    w->SetShadowSize(list.ShadowSize());
    w->SetViewMode(list.ViewMode());
    w->SetWindowWidth(list.WindowWidth());
    w->SetWindowHeight(list.WindowHeight());
    return w;
}

// Opening: the window is built, the job counts its pages, and page 1 is recorded and painted.
void openAndPaint(benchmark::State& state, TPreviewWindow& w) {
    QImage shown;
    for (auto _ : state) {
        w.Show();
        w.Form()->Preview()->GetBitmap(shown);
        state.PauseTiming();
        w.Close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["pages"] = w.PrintJob()->PageCount();
}

void BM_OpenPreview_List(benchmark::State& state) {
    openAndPaint(state, management->PreviewWindow1());
}
void BM_OpenPreview_Floor(benchmark::State& state) {
    auto w = sampleWindow();
    openAndPaint(state, *w);
}

void switchPages(benchmark::State& state, TPreviewWindow& w) {
    w.Show();
    QApplication::processEvents();
    TPreview* preview = w.Form()->Preview();
    const int pages = w.PrintJob()->PageCount();
    int p = 1;
    QImage shown;
    for (auto _ : state) {
        p = (p + 150) % pages + 1; // never the same page twice in a row
        preview->SetPageIndex(p);
        preview->GetBitmap(shown);
    }
    w.Close();
    QApplication::processEvents();
    state.counters["pages"] = pages;
}

void BM_SwitchPage_List(benchmark::State& state) {
    switchPages(state, management->PreviewWindow1());
}
void BM_SwitchPage_Floor(benchmark::State& state) {
    auto w = sampleWindow();
    switchPages(state, *w);
}

// All pages into a PDF file, as the print button does.
void printAll(benchmark::State& state, TSimpleTextGridPrintJob& job) {
    const auto file = home->path() / "liste.pdf";
    for (auto _ : state) {
        gui::printToPdfFile(file, [&](Printer&) { job.Print(); });
    }
    state.counters["pages"] = job.PageCount();
    state.counters["MB"] = double(std::filesystem::file_size(file)) / 1e6;
}

void BM_PrintAllToPdf_List(benchmark::State& state) {
    TSimpleTextGridPrintJob& job = management->SimpleTextGridPrintJob1();
    job.SetRowCount(page->LBAbs->count());
    printAll(state, job);
}
void BM_PrintAllToPdf_Floor(benchmark::State& state) {
    printAll(state, *sample);
}

// Every value the list prints, read from the hive once, as the cells read them.
void BM_ReadAllListedValues(benchmark::State& state) {
    const auto names = collectionNames(kUeberwA);
    for (auto _ : state) {
        size_t bytes = 0;
        for (const auto& n : names)
            if (auto d = recordDetails(kUeberwA, n))
                for (const auto& v : *d) bytes += v.size();
        benchmark::DoNotOptimize(bytes);
    }
}

BENCHMARK(BM_OpenPreview_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPreview_List)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchPage_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchPage_List)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintAllToPdf_Floor)->Unit(benchmark::kSecond)->Iterations(2);
BENCHMARK(BM_PrintAllToPdf_List)->Unit(benchmark::kSecond)->Iterations(2);
BENCHMARK(BM_ReadAllListedValues)->Unit(benchmark::kMillisecond);

// Keeps the mean real time of every run besides printing it.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs)
            if (r.run_type == Run::RT_Iteration)
                seconds[r.benchmark_name()] =
                    r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
};

void ratio(const RatioReporter& r, const char* what, const char* list, const char* floor,
           double limitSeconds) {
    auto l = r.seconds.find(list), f = r.seconds.find(floor);
    if (l == r.seconds.end() || f == r.seconds.end()) return;
    std::printf("%-34s %9.1f ms  = %5.2f × floor (%.1f ms)   limit %.0f ms\n", what,
                l->second * 1e3, l->second / f->second, f->second * 1e3, limitSeconds * 1e3);
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // The offscreen platform remarks on every window it shows; the figures are what counts.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg && !text.contains("propagateSizeHints"))
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    gui::setErrorSink([](const QString& t) { std::fprintf(stderr, "%s\n", qPrintable(t)); });
    // The printer of a machine without any other: the built-in PDF printer.
    SetPrinter(std::make_unique<gui::QtPrinter>(false));
    setUp();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n10,000 originators, 400 pages:\n");
    ratio(reporter, "opening the preview", "BM_OpenPreview_List", "BM_OpenPreview_Floor", 0.3);
    ratio(reporter, "switching pages", "BM_SwitchPage_List", "BM_SwitchPage_Floor", 0.03);
    ratio(reporter, "printing all pages to PDF", "BM_PrintAllToPdf_List/iterations:2",
          "BM_PrintAllToPdf_Floor/iterations:2", 15);
    if (auto it = reporter.seconds.find("BM_ReadAllListedValues"); it != reporter.seconds.end())
        std::printf("reading every listed value once     %9.1f ms\n", it->second * 1e3);
    benchmark::Shutdown();
    management = nullptr;
    mainWindow.reset();
    sample.reset();
    SetPrinter(nullptr);
    home.reset();
    return 0;
}
