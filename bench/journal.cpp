// Journal speed: appending one record to a journal of 10,000 (under the folder lock the file is
// read afresh, rewritten, flushed and renamed each time), and opening a journal of 100,000 records
// for the journal page (load plus the page's rows).
#include "journal/journal.h"
#include "common/testenv.h"
#include "floor.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace formidor;

std::string makeJournal(size_t count) {
    std::string bytes;
    bytes.reserve(count * TJournal::kSize);
    for (size_t i = 0; i < count; ++i) {
        TJournal r;
        r.SetID(static_cast<int32_t>(i + 1));
        r.SetTyp(static_cast<uint16_t>(i % 5 + 1));
        r.SetDatum(44000.0 + static_cast<double>(i) / 50.0);
        r.SetBetrag(static_cast<Currency>(i) * 1234 + 5000);
        r.SetAuftraggeberKonto("1234567890");
        r.SetAuftraggeberName("Jürgen Müller Handelsgesellschaft mbH");
        r.SetAuftraggeberBLZ("37040044");
        r.SetEmpfaengerName("Stadtwerke Köln");
        r.SetEmpfaengerKonto("DE89370400440532013000");
        r.SetEmpfaengerBLZ("COBADEFFXXX");
        r.SetVerwendungszweck("Rechnung " + std::to_string(i) + " vom 15.03.2021, Kunde 4711");
        bytes.append(reinterpret_cast<const char*>(r.bytes().data()), TJournal::kSize);
    }
    return bytes;
}

void BM_JournalAnhaengen_10000(benchmark::State& state) {
    test::TempDir dir;
    const auto file = dir / "journal";
    test::writeFile(file, makeJournal(10000));
    Journal j(file);
    j.JournalLaden();
    for (auto _ : state) {
        j.JournalAnhaengen(kJournalUeberweisung, "1234567890", "Jürgen Müller", 44500.5, "37040044",
                           "Stadtwerke Köln", "DE89370400440532013000", "COBADEFFXXX",
                           "Abschlag März", 125000);
        // Keeps the journal at 10,000 records: the next save deletes this one.
        j.Liste().back().SetFlag(1);
    }
}
BENCHMARK(BM_JournalAnhaengen_10000)->Unit(benchmark::kMillisecond);

void BM_JournalLadenAnzeigen_100000(benchmark::State& state) {
    test::TempDir dir;
    const auto file = dir / "journal";
    test::writeFile(file, makeJournal(100000));
    for (auto _ : state) {
        Journal j(file);
        j.JournalLaden();
        auto rows = JournalAnzeigen(j.Liste());
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_JournalLadenAnzeigen_100000)->Unit(benchmark::kMillisecond);

void BM_JournalLaden_100000(benchmark::State& state) {
    test::TempDir dir;
    const auto file = dir / "journal";
    test::writeFile(file, makeJournal(100000));
    for (auto _ : state) {
        Journal j(file);
        j.JournalLaden();
        benchmark::DoNotOptimize(j.Liste().data());
    }
}
BENCHMARK(BM_JournalLaden_100000)->Unit(benchmark::kMillisecond);

// The floor of both loads: the file's bytes read into fresh memory, as any reader must.
void BM_Floor_ReadJournalBytes_100000(benchmark::State& state) {
    test::TempDir dir;
    const auto file = dir / "journal";
    test::writeFile(file, makeJournal(100000));
    for (auto _ : state) benchmark::DoNotOptimize(bench::readBytesFloor(file));
}
BENCHMARK(BM_Floor_ReadJournalBytes_100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
