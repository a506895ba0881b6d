// Printing and deleting ranges of the journal, each beside a floor measured in the same run:
// - printing 10,000 records (625 pages) into a PDF through the command line's printer, against
//   drawing the same texts at the same places straight with QPainter into a QPdfWriter;
// - deleting 5,000 of 10,000 records (mark, save, load), against writing the 5,000 remaining
//   records to a temporary file, flushing and renaming it, and reading them back.
// The journal page's part of "show" is a model reset (rows are made only when painted) and
// is not in either figure.
#include "cli/printing.h"
#include "common/testenv.h"
#include "journal/journalrange.h"

#include <QApplication>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace formidor;

std::vector<TJournal> makeRecords(size_t count) {
    std::vector<TJournal> list(count);
    for (size_t i = 0; i < count; ++i) {
        TJournal& r = list[i];
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
    }
    return list;
}

std::string bytesOf(const std::vector<TJournal>& list) {
    std::string bytes;
    bytes.reserve(list.size() * TJournal::kSize);
    for (const auto& r : list)
        bytes.append(reinterpret_cast<const char*>(r.bytes().data()), TJournal::kSize);
    return bytes;
}

const JournalRange kAll{0, 1 << 30, 0, kJournalLastPickerDay};

void BM_JournalPrintPdf_10000(benchmark::State& state) {
    test::TempDir dir;
    const auto list = makeRecords(10000);
    int pages = 0;
    for (auto _ : state)
        cli::printToPdf(dir / "liste.pdf",
                        [&](Printer& p) { pages = printJournalRange(p, list, kAll); });
    state.counters["pages"] = pages;
}
BENCHMARK(BM_JournalPrintPdf_10000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The floor: the same texts, fonts and rules, placed by hand in 0.1 mm with QPainter.
void BM_Floor_QPainterPdf_10000(benchmark::State& state) {
    test::TempDir dir;
    const auto list = makeRecords(10000);
    const QString file = QString::fromStdString((dir / "floor.pdf").string());
    for (auto _ : state) {
        QPdfWriter writer(file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(600);
        QPainter painter(&writer);
        const double px = 600 / 254.0; // pixels per 0.1 mm
        QFont small(QStringLiteral("Arial"));
        small.setPixelSize(static_cast<int>(30 * px * 0.8));
        QFont bold = small;
        bold.setBold(true);
        QFont title = small;
        title.setPixelSize(static_cast<int>(60 * px * 0.8));
        auto header = [&](int page) {
            painter.setFont(small);
            painter.drawText(QPointF(1800 * px, 30 * px), QStringLiteral("Seite %1").arg(page));
            painter.setPen(QPen(Qt::black, 5 * px));
            painter.drawLine(QPointF(0, 50 * px), QPointF(2970 * px, 50 * px));
            painter.setFont(title);
            painter.drawText(QPointF(700 * px, 110 * px),
                             QStringLiteral("Formidor 2016 - Druck-Journal"));
            painter.drawLine(QPointF(0, 120 * px), QPointF(2970 * px, 120 * px));
            painter.setFont(bold);
            const struct {
                int x, y;
                const char* text;
            } labels[] = {{150, 200, "ID"},
                          {300, 200, "Typ"},
                          {600, 200, "Datum"},
                          {850, 200, "Betrag"},
                          {1150, 200, "Verwendungszweck"},
                          {250, 250, "Auftraggeber"},
                          {1100, 250, "Empfänger"}};
            for (const auto& l : labels)
                painter.drawText(QPointF(l.x * px, (l.y + 25) * px), QString::fromUtf8(l.text));
            painter.setPen(QPen(Qt::black, 2 * px));
            painter.drawLine(QPointF(0, 300 * px), QPointF(2970 * px, 300 * px));
        };
        int page = 1;
        header(page);
        int onPage = 0;
        for (const TJournal& r : list) {
            if (onPage == 16) {
                writer.newPage();
                header(++page);
                onPage = 0;
            }
            const int y = 350 + 150 * onPage++;
            painter.setFont(small);
            for (const auto& t : journalRecordTexts(r, -y))
                painter.drawText(QPointF(t.x * px, (-t.y + 25) * px),
                                 QString::fromStdString(t.text));
        }
        painter.end();
    }
}
BENCHMARK(BM_Floor_QPainterPdf_10000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_JournalDelete_5000_of_10000(benchmark::State& state) {
    test::TempDir dir;
    const auto file = dir / "journal";
    const std::string bytes = bytesOf(makeRecords(10000));
    for (auto _ : state) {
        state.PauseTiming();
        test::writeFile(file, bytes);
        Journal j(file);
        j.JournalLaden();
        state.ResumeTiming();
        const size_t n = deleteJournalRange(j, {2501, 7500, 0, kJournalLastPickerDay});
        if (n != 5000 || j.Liste().size() != 5000) state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_JournalDelete_5000_of_10000)->Unit(benchmark::kMillisecond);

// The floor: the least the deletion has to do with the disk.
void BM_Floor_WriteSyncRenameRead_5000(benchmark::State& state) {
    test::TempDir dir;
    const auto file = dir / "journal";
    const auto tmp = dir / ".journal.tmp";
    const std::string bytes = bytesOf(makeRecords(5000));
    std::string back(bytes.size(), '\0');
    for (auto _ : state) {
        int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            state.SkipWithError("write");
        ::fdatasync(fd);
        ::close(fd);
        std::rename(tmp.c_str(), file.c_str());
        int dfd = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
        ::fsync(dfd);
        ::close(dfd);
        fd = ::open(file.c_str(), O_RDONLY);
        if (::read(fd, back.data(), back.size()) != static_cast<ssize_t>(back.size()))
            state.SkipWithError("read");
        ::close(fd);
        benchmark::DoNotOptimize(back.data());
    }
}
BENCHMARK(BM_Floor_WriteSyncRenameRead_5000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
