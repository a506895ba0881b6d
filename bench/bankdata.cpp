// Bank directory speed on the shipped file: a bank-name lookup reads the file afresh each time,
// a search walks every line.
#include "bankdata/bankdirectory.h"
#include "bankdata/pruefziffer.h"
#include "cli/commands.h"
#include "common/testenv.h"
#include "floor.h"

#include <benchmark/benchmark.h>
#include <random>
#include <sstream>

namespace {

std::filesystem::path shipped() {
    return formidor::test::sourceDir() / "data" / "blz.asc";
}

// The last bank code of the file: the lookup sees every line before it.
void BM_BankNameLookupLastLine(benchmark::State& state) {
    auto file = shipped();
    for (auto _ : state) benchmark::DoNotOptimize(formidor::bankNameForField("87096214", file));
}
BENCHMARK(BM_BankNameLookupLastLine)->Unit(benchmark::kMicrosecond);

void BM_BankNameLookupMissing(benchmark::State& state) {
    auto file = shipped();
    for (auto _ : state) benchmark::DoNotOptimize(formidor::bankNameForField("99999999", file));
}
BENCHMARK(BM_BankNameLookupMissing)->Unit(benchmark::kMicrosecond);

void BM_CheckAccountWithFileRead(benchmark::State& state) {
    auto file = shipped();
    for (auto _ : state)
        benchmark::DoNotOptimize(formidor::PruefeKontonummer("0000012345", "87096214", file));
}
BENCHMARK(BM_CheckAccountWithFileRead)->Unit(benchmark::kMicrosecond);

void BM_SearchNameAndPlace(benchmark::State& state) {
    auto file = shipped();
    for (auto _ : state) {
        auto dir = formidor::BankDirectory::read(file);
        benchmark::DoNotOptimize(dir.search("sparkasse", "köln"));
    }
}
BENCHMARK(BM_SearchNameAndPlace)->Unit(benchmark::kMillisecond);

void BM_SearchPlaceManyHits(benchmark::State& state) {
    auto file = shipped();
    for (auto _ : state) {
        auto dir = formidor::BankDirectory::read(file);
        benchmark::DoNotOptimize(dir.search("", "berlin"));
    }
}
BENCHMARK(BM_SearchPlaceManyHits)->Unit(benchmark::kMillisecond);

// formidor-cli check --infile over 100,000 pairs of real bank codes and random accounts, inside
// the process (the whole process adds its start-up; measure that with the shell).
void BM_CliCheckInfile100k(benchmark::State& state) {
    formidor::test::TempDir tmp;
    auto dir = formidor::BankDirectory::read(shipped());
    std::vector<std::string> codes;
    std::string_view all = dir.bytes();
    for (size_t p = 0; p < all.size();) {
        codes.emplace_back(all.substr(p, 8));
        size_t nl = all.find('\n', p);
        p = nl == std::string_view::npos ? all.size() : nl + 1;
    }
    std::mt19937_64 rng(7);
    std::string input;
    for (int i = 0; i < 100000; ++i)
        input +=
            codes[rng() % codes.size()] + " " + std::to_string(1 + rng() % 9999999999ull) + "\n";
    formidor::test::writeFile(tmp / "pairs.txt", input);
    formidor::cli::Args args{"check", "--infile", (tmp / "pairs.txt").string(), "--blz-file",
                             shipped().string()};
    for (auto _ : state) {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(formidor::cli::run(args, out, err));
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_CliCheckInfile100k)->Unit(benchmark::kMillisecond);

// The floor of every lookup and search above: the directory file's bytes read into fresh memory.
void BM_Floor_ReadDirectoryBytes(benchmark::State& state) {
    auto file = shipped();
    for (auto _ : state) benchmark::DoNotOptimize(formidor::bench::readBytesFloor(file));
}
BENCHMARK(BM_Floor_ReadDirectoryBytes)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
