// Start-up of the application: creating every window and running FormShow with an address
// book of 1,000 records (500 originators, 500 recipients), offscreen.
#include "addressbook/addressbook.h"
#include "app/gui/UeberweisM.h"
#include "common/testenv.h"
#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/chequepage.h"
#include "forms/gui/directdebitpage.h"
#include "forms/gui/parcelpage.h"
#include "forms/gui/transferpage.h"
#include "platform/gui/guard.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

#include <QApplication>
#include <QComboBox>
#include <benchmark/benchmark.h>
#include <cstdlib>

using namespace formidor;

namespace {

void fillAddressBook() {
    hive::Transaction t(true);
    TRegistry reg;
    for (int i = 0; i < 500; ++i) {
        const std::string n = std::to_string(1000 + i);
        reg.OpenKey("\\" + std::string(kAppKey) + "\\UeberwA\\Auftraggeber " + n, true);
        reg.WriteString("Kontonummer", "12345" + n);
        reg.WriteString("BLZ", "10020030");
        reg.WriteString("Bank", "Musterbank");
        reg.WriteString("Formular", "13");
        reg.OpenKey("\\" + std::string(kAppKey) + "\\UeberwE\\Empfänger " + n, true);
        reg.WriteString("Kontonummer", "98765" + n);
        reg.WriteString("BLZ", "20030040");
        reg.WriteString("Bank", "Beispielbank");
        reg.WriteString("Strasse", "Hauptstraße " + n);
        reg.WriteString("PLZOrt", "12345 Musterstadt");
    }
    reg.CloseKey();
    t.Commit();
}

// What filling the pick lists does at start: both collections into every name box.
void fillPickLists(gui::TMainForm& w) {
    const AddressNames names = LoadEmpfaenger();
    QStringList e, a;
    if (names.empfaenger)
        for (const auto& n : *names.empfaenger) e << QString::fromStdString(n);
    if (names.auftraggeber)
        for (const auto& n : *names.auftraggeber) a << QString::fromStdString(n);
    for (QComboBox* c : {w.TabSheet2->EEmpfaenger, w.TabSheet3->EEmpfaenger1, w.TabSheet6->EPEmpf1,
                         w.TabSheet12->EPPEEmpf1})
        c->addItems(e);
    for (QComboBox* c : {w.TabSheet2->EAuftraggeber, w.TabSheet1->ENameZEmpf, w.TabSheet1->ENameZ,
                         w.TabSheet6->EEmpfN, w.TabSheet6->EPAbsender1, w.TabSheet12->EPPAbsender1})
        c->addItems(a);
}

void BM_StartUp(benchmark::State& state) {
    test::ScopedDataHome home;
    fillAddressBook();
    for (auto _ : state) {
        auto w = gui::CreateApplicationWindows();
        w->LoadEmpfaenger = [&w] { fillPickLists(*w); };
        w->show();
        QApplication::processEvents();
        state.counters["originators"] = w->TabSheet2->EAuftraggeber->count();
        state.counters["recipients"] = w->TabSheet2->EEmpfaenger->count();
        state.PauseTiming();
        w->hide();
        w.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

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
