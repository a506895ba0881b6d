// Registry hive speeds on an address book of 1,000 records with 15 values each. Every operation
// creates its own accessor, as the application does.
#include "platform/hive.h"
#include "common/testenv.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using namespace formidor;

const std::string kRecords = "\\" + std::string(kAppKey) + "\\UeberwE";
constexpr int kRecordCount = 1000;
constexpr int kValuesPerRecord = 15;

std::string recordName(int i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "Empfänger %04d", i);
    return buf;
}

void fillHive() {
    hive::Transaction t(true);
    for (int i = 0; i < kRecordCount; ++i) {
        TRegistry r;
        r.OpenKey(kRecords + "\\" + recordName(i), true);
        for (int v = 0; v < kValuesPerRecord; ++v)
            r.WriteString("Feld" + std::to_string(v), "Inhalt " + std::to_string(i * 100 + v));
    }
    t.Commit();
}

void BM_ReadString(benchmark::State& state) {
    const std::string key = kRecords + "\\" + recordName(500);
    for (auto _ : state) {
        TRegistry r;
        r.OpenKey(key, false);
        benchmark::DoNotOptimize(r.ReadString("Feld7"));
    }
}
BENCHMARK(BM_ReadString)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_WriteString(benchmark::State& state) {
    const std::string key = kRecords + "\\" + recordName(501);
    int n = 0;
    for (auto _ : state) {
        TRegistry r;
        r.OpenKey(key, true);
        r.WriteString("Feld7", "neu " + std::to_string(++n));
    }
}
BENCHMARK(BM_WriteString)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_GetKeyNames(benchmark::State& state) {
    for (auto _ : state) {
        TRegistry r;
        r.OpenKey(kRecords, false);
        auto names = r.GetKeyNames();
        if (names.size() != kRecordCount) state.SkipWithError("wrong number of records");
        benchmark::DoNotOptimize(names);
    }
}
BENCHMARK(BM_GetKeyNames)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void BM_ExportWholeKey(benchmark::State& state) {
    test::TempDir dir;
    for (auto _ : state) ExportRegFile(dir / "formidor.reg");
}
BENCHMARK(BM_ExportWholeKey)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// A chain of keys `depth` levels deep below the application key, exported alone. The time per
// level stays flat as the depth grows (each key is opened from its parent); the output's own size
// grows with the square of the depth, since every key line names its whole path, and is what
// BM_DeepKeyWriteFloor writes.
const std::string kDeep = std::string(kAppKey) + "\\Tief";

void makeDeepKey(int depth) {
    hive::Transaction t(true);
    TRegistry r;
    r.OpenKey("\\" + kDeep, true);
    for (int i = 0; i < depth; ++i) {
        r.OpenKey("k", true);
        r.WriteInteger("Ebene", i);
    }
    t.Commit();
}

void BM_ExportDeepKey(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    {
        TRegistry r;
        r.DeleteKey("\\" + kDeep);
    }
    makeDeepKey(depth);
    test::TempDir dir;
    for (auto _ : state) ExportRegFile(dir / "tief.reg", kDeep);
    // Every key's line names its whole path, so the file grows with the square of the depth;
    // linear work shows as a time per written byte that stays the same from depth to depth.
    const auto bytes = static_cast<double>(std::filesystem::file_size(dir / "tief.reg"));
    state.counters["bytes"] = bytes;
    state.counters["time_per_byte"] = benchmark::Counter(
        bytes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ExportDeepKey)->Arg(250)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

// The floor: the same number of bytes as the 4,000-level export written to a file.
void BM_DeepKeyWriteFloor(benchmark::State& state) {
    test::TempDir dir;
    size_t bytes = 0;
    for (int i = 0; i < 4000; ++i) bytes += 2 * (60 + 2 * i + 20);
    std::string data(bytes, 'x');
    for (auto _ : state) test::writeFile(dir / "floor.reg", data);
}
BENCHMARK(BM_DeepKeyWriteFloor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    test::ScopedDataHome home;
    fillHive();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
