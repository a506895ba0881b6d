// The print job library's speed on a long list: a simple text grid of 10,000 rows, 25 to a
// page (400 pages), whose cell texts come from an event, as the address lists do. Drawing one
// page into a recording (what the preview does on every page switch) and printing all 400
// pages into a PDF through the Qt printer.
#include "common/testenv.h"
#include "platform/gui/qtprinter.h"
#include "platform/metafile.h"
#include "printjob/PJSimpleTextGrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace formidor {
namespace {

constexpr int kRows = 10000;
constexpr int kRowsPerPage = 25;

void setUpList(TSimpleTextGridPrintJob& job) {
    job.SetTitle("Empfängerliste");
    job.SetColCount(4);
    job.SetRowsPerPage(kRowsPerPage);
    job.SetRowCount(kRows);
    job.SetIndexColumn(true);
    job.SetIndexStart(1);
    job.SetMarginsUnits(unMillimeters);
    job.SetOptions({joMargins, joHeader, joFooter});
    job.SetMargins({15, 15, 15, 15});
    job.SetHeaderUnits(unMillimeters);
    job.SetHeader(12);
    job.SetFooterUnits(unMillimeters);
    job.SetFooter(10);
    job.SetHeaderCellBorders({cbBottom});
    job.SetPageCellBorders({cbBottom, cbLeft, cbRight});
    job.SetTableBorders({cbTop, cbLeft, cbRight, cbBottom});
    job.SetOnColWidth([](TCustomGridPrintJob& g, Canvas&, int col, int& w) {
        const int width = g.GetMarginRect().Width();
        w = col < 0 ? width / 10 : width * 9 / 40;
    });
    job.SetOnCellText([](TCustomGridPrintJob&, int page, int col, int row, std::string& t) {
        if (row == HeaderRowIndex) {
            static const char* const kHeads[] = {"Nr.", "Name", "Konto", "BLZ", "Bank"};
            t = kHeads[col + 1];
        } else if (row == FooterRowIndex) {
            if (col == 3) t = "Seite " + std::to_string(page);
        } else if (col < 0) {
            t = std::to_string(row + 1);
        } else {
            switch (col) {
            case 0:
                t = "Müller-Lüdenscheidt, Erna " + std::to_string(row);
                break;
            case 1:
                t = std::to_string(1000000000 + row * 7);
                break;
            case 2:
                t = std::to_string(37040044 + row % 97);
                break;
            default:
                t = "Sparkasse Musterstadt Hauptstelle";
                break;
            }
        }
    });
}

struct PdfPrinter {
    test::TempDir dir;
    // FORMIDOR_BENCH_PDF names a file to keep the printed list in, to look at it.
    std::string file = std::getenv("FORMIDOR_BENCH_PDF") ? std::getenv("FORMIDOR_BENCH_PDF")
                                                         : (dir / "liste.pdf").string();
    std::unique_ptr<Printer> old;
    PdfPrinter() {
        auto p = std::make_unique<gui::QtPrinter>(false);
        p->setOutputFileName(QString::fromStdString(file));
        old = SetPrinter(std::move(p));
    }
    ~PdfPrinter() { SetPrinter(std::move(old)); }
};

void BM_DrawOneGridPage(benchmark::State& state) {
    PdfPrinter printer;
    TSimpleTextGridPrintJob job;
    setUpList(job);
    job.ResetToDefaultPage();
    const TRect sheet = job.GetSheetRect();
    Metafile mf(sheet.Right, sheet.Bottom, ThePrinter().GetCanvas());
    int page = 1;
    for (auto _ : state) {
        mf.Clear();
        job.Draw(mf.GetCanvas(), page, dtMetaPreview);
        benchmark::DoNotOptimize(mf.Records().size());
        page = page % job.PageCount() + 1;
    }
    state.counters["texts"] = double(mf.Texts().size());
}
BENCHMARK(BM_DrawOneGridPage)->Unit(benchmark::kMillisecond);

void BM_PrintAllPagesToPdf(benchmark::State& state) {
    PdfPrinter printer;
    TSimpleTextGridPrintJob job;
    setUpList(job);
    for (auto _ : state) job.Print();
    state.counters["pages"] = job.PageCount();
    state.counters["pdf_bytes"] = double(test::readFile(printer.file).size());
}
BENCHMARK(BM_PrintAllPagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace formidor

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
