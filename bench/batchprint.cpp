// Batch printing: a CSV of 1,000 transfers into one PDF with every row's steps after the print
// (address book, last-used originator, amount check, journal record, which rewrites the journal
// file each time), as `formidor-cli print transfer --csv` runs it. The floors, measured in the
// same run: the same 1,000 forms printed into one PDF without any step after the print, and
// reading the CSV alone.
#include "cli/commands.h"
#include "cli/printing.h"
#include "common/testenv.h"
#include "forms/transferprint.h"
#include "journal/journal.h"
#include "platform/collatingprinter.h"
#include "platform/csv.h"
#include "platform/paths.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace formidor {
namespace {

constexpr int kRows = 1000;

std::string transfersCsv() {
    std::string csv = "EEmpfaenger;EKontonr;EBLZ;EBetrag;EVerwendung1;EVerwendung2;EAuftraggeber;"
                      "EEigeneKontonr;EAuftraggeberBLZ\r\n";
    for (int i = 0; i < kRows; ++i) {
        // A few hundred recipients, paid more than once, and two originators.
        csv += "Empfänger " + std::to_string(i % 300) + " GmbH;" + std::to_string(1000000 + i) +
               ";37050198;" + std::to_string(i + 1) + ",50;\"Rechnung " + std::to_string(i) +
               "; Kunde 4711\";März 2027;" + (i % 2 ? "Jürgen Müller" : "Anna Schmidt") +
               ";123456;10010010\r\n";
    }
    return csv;
}

void BM_BatchTransfers_1000(benchmark::State& state) {
    const std::string csv = transfersCsv();
    for (auto _ : state) {
        state.PauseTiming();
        test::ScopedDataHome home;
        const auto file = home.path() / "liste.csv";
        test::writeFile(file, csv);
        const auto pdf = home.path() / "stapel.pdf";
        state.ResumeTiming();
        std::ostringstream out, err;
        const int rc = cli::run(
            {"print", "transfer", "--csv", file.string(), "--pdf", pdf.string()}, out, err);
        state.PauseTiming();
        const auto records = readJournalFile(paths::journalFile());
        if (rc != 0 || !records || records->size() != size_t(kRows))
            state.SkipWithError(("batch failed: " + err.str()).c_str());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BatchTransfers_1000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same forms into one PDF, the print alone.
void BM_Floor_PrintTransfers_1000(benchmark::State& state) {
    const CsvTable table = parseCsv(transfersCsv());
    for (auto _ : state) {
        state.PauseTiming();
        test::ScopedDataHome home;
        const auto pdf = home.path() / "stapel.pdf";
        state.ResumeTiming();
        struct Calibration : CalibrationView {
            std::string offsetText(char, bool) const override { return "0"; }
            bool isNormal(char) const override { return false; }
            bool isHochkant(char) const override { return false; }
            bool isRightFeed(char) const override { return false; }
            bool isLeftFeed(char) const override { return true; }
        } calibration;
        cli::printToPdf(pdf, [&](Printer& target) {
            CollatingPrinter batch(target);
            for (const CsvRow& row : table.rows) {
                forms::FormPage page;
                for (size_t i = 0; i < row.fields.size(); ++i)
                    page.setText(table.header.fields[i], row.fields[i]);
                forms::printTransferForm(batch, forms::TransferVariant::V13, page, calibration);
            }
            batch.finish();
        });
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Floor_PrintTransfers_1000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Floor_ReadCsv_1000(benchmark::State& state) {
    const std::string csv = transfersCsv();
    for (auto _ : state) benchmark::DoNotOptimize(parseCsv(csv));
}
BENCHMARK(BM_Floor_ReadCsv_1000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace formidor

BENCHMARK_MAIN();
