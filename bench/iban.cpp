// IBAN speed on the shipped bank directory. Leaving the recipient's IBAN field reads the whole
// directory afresh, so its floor is reading the directory file's bytes; the iban command over
// 10,000 IBANs reads it once and indexes it.
#include "bankdata/iban.h"
#include "bankdata/bankdirectory.h"
#include "cli/commands.h"
#include "common/testenv.h"
#include "floor.h"
#include "forms/gui/transferiban.h"
#include "forms/gui/transferpage.h"
#include "forms/gui/transferprint.h"
#include "platform/gui/guard.h"

#include <QApplication>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <sstream>

namespace {

using namespace formidor;

std::filesystem::path shipped() {
    return test::sourceDir() / "data" / "blz.asc";
}

// The IBAN of a bank on the directory's last line: the lookup passes every line before it.
std::string lastLineIban() {
    return germanIban("87096214", "1234567890").iban;
}

// The floor: the directory's bytes read into fresh memory, as every exit must.
void BM_Floor_ReadDirectoryBytes(benchmark::State& state) {
    const auto file = shipped();
    for (auto _ : state) benchmark::DoNotOptimize(formidor::bench::readBytesFloor(file));
}
BENCHMARK(BM_Floor_ReadDirectoryBytes)->Unit(benchmark::kMicrosecond);

// The checks, the whole directory read into memory, the lookup, the account.
void BM_IbanCheckWithDirectoryRead(benchmark::State& state) {
    const auto file = shipped();
    const std::string iban = lastLineIban();
    for (auto _ : state) {
        BankDirectory dir = BankDirectory::read(file);
        benchmark::DoNotOptimize(checkIban(iban, dir));
    }
}
BENCHMARK(BM_IbanCheckWithDirectoryRead)->Unit(benchmark::kMicrosecond);

// What the field's exit does: the file read in pieces only up to the bank's line.
void BM_IbanCheckReadingUpToTheLine(benchmark::State& state) {
    const auto file = shipped();
    const std::string iban = lastLineIban();
    for (auto _ : state) benchmark::DoNotOptimize(checkIban(iban, file));
}
BENCHMARK(BM_IbanCheckReadingUpToTheLine)->Unit(benchmark::kMicrosecond);

// The page's handler itself: verdict into the status line, BIC into EBank.
void BM_LeaveIbanFieldOnThePage(benchmark::State& state) {
    setBankDirectoryFile(shipped());
    gui::TransferPage page;
    gui::setupTransferPage(&page, {});
    page.EIBANEmpf->setText(QString::fromStdString(lastLineIban()));
    for (auto _ : state) {
        page.EBank->clear();
        gui::EIBANEmpfExit(page);
    }
    setBankDirectoryFile({});
}
BENCHMARK(BM_LeaveIbanFieldOnThePage)->Unit(benchmark::kMicrosecond);

// formidor-cli iban with 10,000 IBANs of real bank codes (nine in ten German), inside the
// process; items are IBANs.
void BM_CliIban10k(benchmark::State& state) {
    auto dir = BankDirectory::read(shipped());
    std::vector<std::string> codes;
    std::string_view all = dir.bytes();
    for (size_t p = 0; p < all.size();) {
        codes.emplace_back(all.substr(p, 8));
        size_t nl = all.find('\n', p);
        p = nl == std::string_view::npos ? all.size() : nl + 1;
    }
    std::mt19937_64 rng(7);
    cli::Args args{"iban", "--blz-file", shipped().string()};
    for (int i = 0; i < 10000; ++i) {
        if (i % 10 == 9)
            args.push_back("GB82WEST12345698765432");
        else
            args.push_back(
                germanIban(codes[rng() % codes.size()], std::to_string(1 + rng() % 9999999999ull))
                    .iban);
    }
    for (auto _ : state) {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(cli::run(args, out, err));
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_CliIban10k)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    gui::setErrorSink([](const QString& t) { std::fprintf(stderr, "%s\n", qPrintable(t)); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
