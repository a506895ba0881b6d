// The transfer page's "Drucken" onto a real print server's queue, chosen in the printer
// selection: on the paper every text lies where the built-in PDF printer (no margins) puts it,
// shifted by the queue's printable area corner; a queue that cannot print is reported and
// nothing is stored.
#include "forms/gui/transferprint.h"

#include "common/cupsserver.h"
#include "common/testenv.h"
#include "forms/gui/transferpage.h"
#include "journal/journal.h"
#include "platform/gui/guard.h"
#include "platform/gui/printdialogs.h"
#include "platform/gui/qtprinter.h"
#include "platform/hive.h"
#include "platform/text.h"

#include <QComboBox>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace formidor::gui {
namespace {

using test::pointsToMm;

constexpr const char* kQueue = "Formidor_Test";
constexpr test::QueueMargins kMargins{4.2, 5.0, 6.0, 7.5};

struct Calibration : CalibrationView {
    bool normal = true, right = true;
    std::string offsetText(char, bool horizontal) const override {
        return horizontal ? "30" : "-20";
    }
    bool isNormal(char) const override { return normal; }
    bool isHochkant(char) const override { return !normal; }
    bool isRightFeed(char) const override { return right; }
    bool isLeftFeed(char) const override { return !right; }
};

class CupsTransfer : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    test::CupsServer* server = nullptr;
    Calibration calibration;
    QStringList errors;

    void SetUp() override {
        FORMIDOR_CUPS_SERVER_OR_SKIP(s);
        server = s;
        ASSERT_TRUE(server->addQueue(kQueue, kMargins)) << server->log();
        setErrorSink([this](const QString& e) { errors << e; });
        TRegistry reg;
        reg.OpenKey("\\" + std::string(kAppKey), true);
        reg.WriteString("FontNameU", "Courier New");
        reg.WriteInteger("FontSizeU", 9);
        reg.WriteBool("FontBoldU", true);
    }
    void TearDown() override { setErrorSink({}); }

    static void type(TransferPage& page) {
        page.RB20->setChecked(true);
        page.EEmpfaenger->setEditText("Stadtwerke Köln");
        page.EKontonr->setText("1802057");
        page.EBLZ->setText("37050198");
        page.EBank->setText("Sparkasse");
        page.EBetrag->setText("1234,56");
        page.EVerwendung1->setText("Kunde 4711");
        page.EAuftraggeber->setEditText("Jürgen Müller");
        page.EEigeneKontonr->setText("123456");
        page.EDatumUnterschrift->setText("15.03.2021");
    }
    // The queue chosen as the user chooses it: in the printer selection.
    static void choose(QtPrinter& printer, const std::string& name) {
        PrinterSetupDialog dialog(printer);
        const int i = dialog.printerBox()->findText(QString::fromStdString(name));
        ASSERT_GE(i, 0) << name;
        dialog.printerBox()->setCurrentIndex(i);
        dialog.accept();
        ASSERT_EQ(printer.PrinterName(), name);
    }
};

TEST_F(CupsTransfer, LandsShiftedByThePrintableAreaInEveryOrientationAndFeed) {
    struct Case {
        bool normal, right;
    };
    for (const Case c :
         {Case{true, true}, Case{true, false}, Case{false, true}, Case{false, false}}) {
        const std::string label =
            std::string(c.normal ? "normal" : "hochkant") + "/" + (c.right ? "rechts" : "links");
        ASSERT_TRUE(server->addQueue(kQueue, kMargins)) << server->log();
        calibration.normal = c.normal;
        calibration.right = c.right;
        const auto reference = home.path() / "datei.pdf";
        for (bool onQueue : {true, false}) {
            QtPrinter printer(onQueue);
            if (onQueue) {
                choose(printer, kQueue);
            } else {
                printer.setOutputFileName(QString::fromStdString(reference.string()));
            }
            Journal journal{home.path() / "journal"};
            journal.JournalLaden();
            TransferPage page;
            setupTransferPage(&page, {&calibration, &journal, {}, &printer});
            type(page);
            QTest::mouseClick(page.Button1, Qt::LeftButton);
            ASSERT_TRUE(errors.isEmpty()) << label << errors.join("\n").toStdString();
        }
        const auto pdfs = server->waitForOutput();
        ASSERT_EQ(pdfs.size(), 1u) << label << server->log();
        auto paper = test::readPdfPage(pdfs[0], true);
        const auto ref = test::readPdfPage(reference, true);
        ASSERT_TRUE(paper && ref) << label;
        if (!c.normal) paper = paper->turnedBack();
        // The printable area's corner as the landscape document sees it: the sheet's bottom
        // and left margins.
        const double left = c.normal ? kMargins.left : kMargins.bottom;
        const double top = c.normal ? kMargins.top : kMargins.left;
        std::map<std::string, int> seen;
        for (const auto& w : ref->words) ++seen[w.text];
        int compared = 0;
        for (const auto& r : ref->words) {
            if (seen[r.text] != 1) continue;
            const test::PdfWord* w = paper->find(r.text);
            ASSERT_NE(w, nullptr) << label << " " << r.text;
            EXPECT_NEAR(pointsToMm(w->inkLeft - r.inkLeft), left, 0.2) << label << " " << r.text;
            EXPECT_NEAR(pointsToMm(w->inkTop - r.inkTop), top, 0.2) << label << " " << r.text;
            ++compared;
        }
        EXPECT_GE(compared, 8) << label;
    }
}

TEST_F(CupsTransfer, AQueueThatCannotPrintIsReportedAndNothingIsStored) {
    struct Case {
        std::vector<std::string> breakIt, mendIt; // empty: the server goes away and comes back
        const char* message;
    };
    const Case cases[] = {
        {{"cupsdisable", kQueue}, {"cupsenable", kQueue}, kPrinterStoppedMessage},
        {{"cupsreject", kQueue}, {"cupsaccept", kQueue}, kPrinterRejectsMessage},
        {{}, {}, kPrinterUnreachableMessage},
    };
    QtPrinter printer; // the list is read while the queue works
    choose(printer, kQueue);
    Journal journal{home.path() / "journal"};
    journal.JournalLaden();
    int refills = 0;
    TransferPage page;
    setupTransferPage(&page, {&calibration, &journal, [&] { ++refills; }, &printer});
    type(page);
    for (const auto& c : cases) {
        std::string why;
        if (c.breakIt.empty())
            server->stop();
        else
            ASSERT_TRUE(server->tool(c.breakIt));
        errors.clear();
        QTest::mouseClick(page.Button1, Qt::LeftButton);
        ASSERT_EQ(errors.size(), 1) << c.message;
        EXPECT_EQ(errors[0].toStdString(), formatMessage(c.message, kQueue));
        EXPECT_EQ(refills, 0);
        EXPECT_TRUE(journal.Liste().empty());
        EXPECT_EQ(page.EBetrag->text(), "1234,56");
        TRegistry reg;
        EXPECT_FALSE(reg.KeyExists("\\" + std::string(kAppKey) + "\\UeberwA\\Jürgen Müller"));
        if (c.breakIt.empty())
            ASSERT_TRUE(server->start(why)) << why;
        else
            ASSERT_TRUE(server->tool(c.mendIt));
        EXPECT_EQ(server->jobsTaken(kQueue), 0) << c.message;
    }

    // The window goes on: with the queue working again the same click prints.
    errors.clear();
    QTest::mouseClick(page.Button1, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    EXPECT_EQ(journal.Liste().size(), 1u);
    EXPECT_EQ(server->waitForOutput().size(), 1u);
}

} // namespace
} // namespace formidor::gui
