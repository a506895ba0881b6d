// The command line on a real print server: listing its queues and printing a form onto one.
#include "common/cupsserver.h"
#include "common/testenv.h"

#include "cli/clirun.h"
#include "platform/hive.h"

#include <gtest/gtest.h>

namespace formidor {
namespace {

using test::pointsToMm;
using test::runCli;

constexpr const char* kQueue = "Formidor_Test";
constexpr test::QueueMargins kMargins{4.2, 5.0, 6.0, 7.5};

class CliPrinters : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    test::CupsServer* server = nullptr;
    void SetUp() override {
        FORMIDOR_CUPS_SERVER_OR_SKIP(s);
        server = s;
        ASSERT_TRUE(server->addQueue(kQueue, kMargins)) << server->log();
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\" + std::string(kAppKey), true));
        reg.WriteString("FontNameU", "Courier New");
        reg.WriteInteger("FontSizeU", 9);
        reg.WriteBool("FontBoldU", true);
    }
};

TEST_F(CliPrinters, ListsTheQueuesThenThePdfPrinter) {
    auto r = runCli({"printers"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, std::string(kQueue) + "\nPDF-Datei\n");
    EXPECT_EQ(runCli({"printers", "x"}).status, 2);
}

TEST_F(CliPrinters, PrintsOntoTheQueueWhereTheLayoutSaysFromThePrintableArea) {
    const std::vector<std::string> form = {"print",     "transfer",
                                           "--variant", "20",
                                           "--set",     "EEmpfaenger=Stadtwerke",
                                           "--set",     "EBLZ=37050198",
                                           "--set",     "EDatumUnterschrift=15.03.2021",
                                           "--kv",      "100",
                                           "--kh",      "-50"};
    auto onFile = form, onQueue = form;
    const auto file = home.path() / "datei.pdf";
    onFile.insert(onFile.end(), {"--pdf", file.string()});
    onQueue.insert(onQueue.end(), {"--printer", kQueue});
    auto a = runCli(onFile);
    ASSERT_EQ(a.status, 0) << a.err;
    auto b = runCli(onQueue);
    ASSERT_EQ(b.status, 0) << b.err;
    const auto pdfs = server->waitForOutput();
    ASSERT_EQ(pdfs.size(), 1u) << server->log();
    const auto paper = test::readPdfPage(pdfs[0], true);
    const auto reference = test::readPdfPage(file, true);
    ASSERT_TRUE(paper && reference);
    for (const char* text : {"Stadtwerke", "37050198", "15.03.2021"}) {
        const auto* w = paper->find(text);
        const auto* r = reference->find(text);
        ASSERT_TRUE(w && r) << text;
        EXPECT_NEAR(pointsToMm(w->inkLeft - r->inkLeft), kMargins.left, 0.2) << text;
        EXPECT_NEAR(pointsToMm(w->inkTop - r->inkTop), kMargins.top, 0.2) << text;
    }
}

TEST_F(CliPrinters, AWrongOrRefusingPrinterIsAMessage) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--printer", "Keiner"}, "Unbekannter Drucker 'Keiner'"},
        {{"--printer", kQueue, "--pdf", "x.pdf"}, "schließen einander aus"},
        {{}, "Es fehlt --pdf DATEI oder --printer DRUCKER."},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"print", "transfer"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        auto r = runCli(args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    ASSERT_TRUE(server->tool({"cupsreject", kQueue}));
    auto r = runCli({"print", "transfer", "--printer", kQueue});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Der Drucker \"Formidor_Test\" nimmt keine Druckaufträge an.\n");
    EXPECT_EQ(server->jobsTaken(kQueue), 0);
}

} // namespace
} // namespace formidor
