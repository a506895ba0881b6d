// Registry hive speeds on an address book of 1,000 records with 15 values each. Every operation
// creates its own accessor, as the application does.
#include "platform/hive.h"
#include "common/testenv.h"

#include <benchmark/benchmark.h>

#include <cstdio>
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

} // namespace

int main(int argc, char** argv) {
    test::ScopedDataHome home;
    fillHive();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
