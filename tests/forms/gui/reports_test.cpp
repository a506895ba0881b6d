#include "forms/gui/reports.h"

#include "common/testenv.h"
#include "forms/deposit.h"
#include "forms/gui/chequepage.h"
#include "forms/gui/depositpage.h"
#include "forms/gui/depositprint.h"
#include "forms/gui/transferpage.h"
#include "forms/gui/transferprint.h"
#include "journal/journal.h"
#include "platform/datetime.h"
#include "platform/gui/guard.h"
#include "platform/recordingprinter.h"

#include <QTest>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

struct NoCalibration : CalibrationView {
    std::string offsetText(char, bool) const override { return "0"; }
    bool isNormal(char) const override { return true; }
    bool isHochkant(char) const override { return false; }
    bool isRightFeed(char) const override { return true; }
    bool isLeftFeed(char) const override { return false; }
};

// The text drawn at (x, y) in low-metric units, or nullptr.
const MetaText* textAt(const RecordedDocument& doc, int x, int y) {
    for (const auto& t : doc.page(0).Texts())
        if (t.mapMode == TMapMode::LoMetric && t.logical == TPoint{x, y}) return &t;
    return nullptr;
}

class ReportButtons : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    NoCalibration calibration;
    Journal journal{home.path() / "journal"};
    QStringList errors;

    void SetUp() override {
        journal.JournalLaden();
        setErrorSink([this](const QString& e) { errors << e; });
    }
    void TearDown() override { setErrorSink({}); }
};

TEST_F(ReportButtons, TransferReportPrintsTheCheckedEditionAndRecordsNothing) {
    TransferPage page;
    setupTransferPage(&page, {&calibration, &journal, {}, &printer});
    setupTransferReport(&page, &printer);
    page.RB24->setChecked(true);
    page.EAusfuehrungsdatum->setText("01.04.21");
    page.RBPostbank->setChecked(true);
    page.EPostbankB->setText("12.03.");
    page.EEmpfaenger->setEditText("Stadtwerke Köln");
    QTest::mouseClick(page.Button7, Qt::LeftButton);

    ASSERT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    ASSERT_EQ(printer.Documents().size(), 1u);
    const auto& doc = printer.LastDocument();
    EXPECT_EQ(doc.title, "Quillon Zentrix. - Überweisungsdrucker");
    ASSERT_NE(textAt(doc, 400, -100), nullptr);
    EXPECT_EQ(textAt(doc, 400, -100)->text, "Überweisungsbericht vom " + DateToStr(Date()));
    EXPECT_EQ(textAt(doc, 600, -725)->text, page.EPostbankB->text().toStdString());
    EXPECT_EQ(textAt(doc, 600, -475)->text, "Stadtwerke Köln");
    EXPECT_TRUE(journal.Liste().empty()) << "a report is no printed form";
}

TEST_F(ReportButtons, ChequeReportFollowsTheCounterfoilChoice) {
    ChequePage page;
    setupChequeReport(&page, &printer);
    page.EDatum->setText("15.03.2021");
    page.MemoDeutscheAbs->setPlainText("Jürgen Müller\nBonn");
    page.MemoDeutscheVerw->setPlainText("Rechnung 4711");
    ASSERT_TRUE(page.RBkein->isChecked());
    QTest::mouseClick(page.Button8, Qt::LeftButton);
    page.RBDeutsche->setChecked(true);
    QTest::mouseClick(page.Button8, Qt::LeftButton);

    ASSERT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    ASSERT_EQ(printer.Documents().size(), 2u);
    const auto& without = printer.Documents()[0];
    EXPECT_EQ(without.title, "Quillon Zentrix. - Formidor 2006");
    EXPECT_EQ(without.page(0).Texts().back().text, page.EDatum->text().toStdString());
    EXPECT_EQ(textAt(without, 150, -625), nullptr);
    const auto& with = printer.Documents()[1];
    EXPECT_EQ(textAt(with, 600, -625)->text, "Jürgen Müller");
    EXPECT_EQ(textAt(with, 600, -675)->text, "Bonn");
    EXPECT_EQ(textAt(with, 600, -875)->text, "Rechnung 4711");
}

TEST_F(ReportButtons, DepositReportAsksForTheLastDepositBankEachTime) {
    DepositPage page;
    std::string lastBank;
    setupDepositReport(
        &page, [&] { return lastBank; }, &printer);
    page.EWert->setText("150321");
    page.EOrtDatum->setText("37040044");
    page.EKontonr1->setText("K1");
    page.ESchecknr1->setText("S1");
    QTest::mouseClick(page.Button22, Qt::LeftButton);
    lastBank = "Deutsche Bank";
    QTest::mouseClick(page.Button22, Qt::LeftButton);

    ASSERT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    ASSERT_EQ(printer.Documents().size(), 2u);
    const auto& before = printer.Documents()[0];
    EXPECT_EQ(textAt(before, 600, -475)->text, "S1");
    EXPECT_EQ(textAt(before, 1200, -2500), nullptr);
    const auto& db = printer.Documents()[1];
    EXPECT_EQ(textAt(db, 600, -475)->text, "K1");
    EXPECT_EQ(textAt(db, 1200, -2500)->text, "Datum: 150321");
}

TEST_F(ReportButtons, DepositReportKeepsTheBankOfTheLastDepositPrint) {
    DepositPage page;
    setupDepositPage(&page, {&calibration, &journal, {}, &printer, [](const QString&) {}});
    setupDepositReport(
        &page, [] { return forms::LastDepositBank(); }, &printer);
    page.EKontoinhaber->setEditText("Jürgen Müller");
    page.ComboBox1->setEditText("Deutsche Bank");
    page.EWert->setText("150321");
    page.EOrtDatum->setText("37040044");
    page.EKontonr1->setText("K1");
    page.ESchecknr1->setText("S1");
    page.EBetrag1->setText("150,00");
    QTest::mouseClick(page.Button23, Qt::LeftButton);
    ASSERT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    ASSERT_EQ(forms::LastDepositBank(), "Deutsche Bank");
    page.ComboBox1->setEditText("Sparkasse");
    QTest::mouseClick(page.Button22, Qt::LeftButton);

    ASSERT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    const auto& report = printer.LastDocument();
    EXPECT_EQ(report.title, "Quillon Zentrix. - Überweisungsdrucker");
    EXPECT_EQ(textAt(report, 600, -475)->text, "K1");
    EXPECT_EQ(textAt(report, 1000, -475)->text, "Vermerke des Einreichers:");
    EXPECT_EQ(textAt(report, 1200, -2500)->text, "Datum: 150321");
    ASSERT_NE(textAt(report, 300, -200), nullptr);
    EXPECT_EQ(journal.Liste().size(), 1u) << "only the slip is journalled";
    forms::setLastDepositBank({});
}

TEST_F(ReportButtons, APrinterErrorIsShownAndPrintsNothing) {
    TransferPage page;
    printer.Config()[0].failOnBegin = true;
    setupTransferReport(&page, &printer);
    QTest::mouseClick(page.Button7, Qt::LeftButton);
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(printer.Documents().empty());
}

} // namespace
} // namespace formidor::gui
