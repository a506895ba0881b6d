// The assembled main window's postal pages: the start preloads the cash-on-delivery receiver,
// the prints use the printer page's calibration and refill every page's name boxes.
#include "app/gui/UeberweisM.h"

#include "addressbook/addressbook.h"
#include "app/gui/printerpage.h"
#include "common/testenv.h"
#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/parcelpage.h"
#include "forms/gui/transferpage.h"
#include "platform/datetime.h"
#include "platform/gui/guard.h"
#include "platform/recordingprinter.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

TEST(AssembledPostalPages, StartPrintAndRefill) {
    test::ScopedDataHome home;
    QStringList errors;
    setErrorSink([&](const QString& t) { errors << t; });
    auto previous = SetPrinter(std::make_unique<RecordingPrinter>(
        std::vector<RecordingPrinterConfig>{RecordingPrinterConfig::a4("Eins", 300)}, 0));
    auto& printer = static_cast<RecordingPrinter&>(ThePrinter());
    SaveEmpfaengerN({"Weinhandel Vogt", "1802057", "55050120", "Sparkasse Mainz", "Rheinallee 5",
                     "55116 Mainz"});
    {
        auto w = std::make_unique<TMainForm>();
        w->show();
        QApplication::processEvents();
        CashOnDeliveryPage& n = *w->TabSheet6;
        EXPECT_EQ(n.EEmpfN->currentText(), "Weinhandel Vogt");
        EXPECT_EQ(n.EBankN->text(), "Sparkasse Mainz");
        EXPECT_EQ(n.NNEinlieferungsdatum->text().toStdString(), DateToStr(Date()));

        w->TabSheet4->EKVN->setText("15");
        w->TabSheet4->EKVP->setText("-10");
        QTest::mouseClick(n.Button18, Qt::LeftButton);
        ASSERT_EQ(printer.Documents().size(), 1u);
        const MetaText* receiver = printer.LastDocument().page(0).FindText("Weinhandel Vogt");
        ASSERT_NE(receiver, nullptr);
        EXPECT_EQ(receiver->logical, (TPoint{350 + 15, -1127}));

        n.EPEmpf1->setEditText("Erika Schulz");
        QTest::mouseClick(n.Button32, Qt::LeftButton);
        ParcelPage& p = *w->TabSheet12;
        p.EPPEEmpf1->setEditText("Jan de Vries");
        p.EPPELand->setText("Niederlande");
        QTest::mouseClick(p.Button36, Qt::LeftButton);
        ASSERT_EQ(printer.Documents().size(), 3u);
        EXPECT_EQ(printer.LastDocument().page(0).FindText("Niederlande")->logical,
                  (TPoint{1365 - 10, -265}));
        // Every page's recipient boxes know both addressees now.
        for (QComboBox* box : {w->TabSheet2->EEmpfaenger, n.EPEmpf1, p.EPPEEmpf1}) {
            EXPECT_GE(box->findText("Erika Schulz"), 0);
            EXPECT_GE(box->findText("Jan de Vries"), 0);
        }
        EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    }
    SetPrinter(std::move(previous));
    setErrorSink(nullptr);
}

} // namespace
} // namespace formidor::gui
