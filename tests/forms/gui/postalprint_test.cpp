#include "forms/gui/postalprint.h"

#include "addressbook/addressbook.h"
#include "common/testenv.h"
#include "forms/gui/addressbinding.h"
#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/parcelpage.h"
#include "platform/gui/guard.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

struct Calibration : CalibrationView {
    std::string kv = "0", kh = "0";
    std::string offsetText(char, bool horizontal) const override { return horizontal ? kv : kh; }
    bool isNormal(char) const override { return true; }
    bool isHochkant(char) const override { return false; }
    bool isRightFeed(char) const override { return true; }
    bool isLeftFeed(char) const override { return false; }
};

class PostalPages : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    Calibration calibration;
    CashOnDeliveryPage cod;
    ParcelPage parcel;
    AddressPages pages{nullptr, nullptr, nullptr, &cod, nullptr, &parcel};
    int refills = 0;
    QStringList errors;

    void SetUp() override {
        setErrorSink([this](const QString& e) { errors << e; });
        TRegistry reg;
        reg.OpenKey("\\" + std::string(kAppKey), true);
        for (const char* code : {"N", "P"}) {
            reg.WriteString(std::string("FontName") + code, "Courier New");
            reg.WriteInteger(std::string("FontSize") + code, 9);
            reg.WriteBool(std::string("FontBold") + code, true);
        }
        reg.CloseKey();
        setupPostalPages(&cod, &parcel,
                         {&calibration,
                          [this] {
                              ++refills;
                              LoadEmpfaenger(pages);
                          },
                          &printer});
    }
    void TearDown() override { setErrorSink({}); }

    // A page in an active window, so that leaving a field is a real change of focus.
    void showActive(QWidget& w) {
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    void leave(QWidget* field, QWidget* next, const QString& typed) {
        field->setFocus();
        QApplication::processEvents();
        if (auto* e = qobject_cast<QLineEdit*>(field)) e->setText(typed);
        next->setFocus();
        QApplication::processEvents();
    }
    const Metafile& printed() { return printer.LastDocument().page(0); }
    TPoint at(const char* text) {
        const MetaText* t = printed().FindText(text);
        EXPECT_NE(t, nullptr) << text;
        return t ? t->logical : TPoint{};
    }

    void typeParcelCard() {
        cod.EPAbsender1->setEditText("Jürgen Müller");
        cod.EPAbsender2->setText("Hauptstr. 1");
        cod.EPAPlz->setText("50667");
        cod.EPAOrt->setText("Köln");
        cod.EPBetrag->setText("49,90");
        cod.EPBAnk->setText("Stadtsparkasse");
        cod.EPKontonr->setText("123456");
        cod.EPBLZ->setText("37050198");
        cod.EPEAnrede->setText("Frau");
        cod.EPEmpf1->setEditText("Erika Schulz");
        cod.EPEmpf2->setText("Gartenweg 3");
        cod.EPEPLz->setText("10115");
        cod.EPEOrt->setText("Berlin");
    }
    void typeSmallParcel() {
        parcel.EPPAbsender1->setEditText("Jürgen Müller");
        parcel.EPPAbsender2->setText("Hauptstr. 1");
        parcel.EPPPLZ->setText("50667");
        parcel.EPPOrt->setText("Köln");
        parcel.EPPEAnrede->setText("Herrn");
        parcel.EPPEEmpf1->setEditText("Jan de Vries");
        parcel.EPPEEmpf2->setText("Prinsengracht 263");
        parcel.EPPEPLZ->setText("1016 GV");
        parcel.EPPEOrt->setText("Amsterdam");
        parcel.EPPELand->setText("Niederlande");
    }
};

TEST_F(PostalPages, LeavingTheAmountsAndPurposeLinesUpdatesTheirCounterparts) {
    showActive(cod);
    leave(cod.NNBetrag2, cod.EBLZN, "12,50");
    EXPECT_EQ(cod.NNBetragplus2->text(), "14,50");
    leave(cod.NNBetragplus2, cod.EBLZN, "20");
    EXPECT_EQ(cod.NNBetrag2->text(), "18,00");
    // No number: nothing changes, nothing is said.
    leave(cod.NNBetrag2, cod.EBLZN, "zwölf");
    EXPECT_EQ(cod.NNBetragplus2->text(), "20");
    leave(cod.NNBetragplus2, cod.EBLZN, "");
    EXPECT_EQ(cod.NNBetrag2->text(), "zwölf");

    leave(cod.EVerwendung1N, cod.EVerwendung2N, "Rechnung 17");
    EXPECT_EQ(cod.NNVerw1->text(), "Rechnung 17");
    EXPECT_EQ(cod.NNVerw2->text(), "");
    leave(cod.EVerwendung2N, cod.EBLZN, "Kunde 4711");
    EXPECT_EQ(cod.NNVerw2->text(), "Kunde 4711");
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(PostalPages, DruckenPrintsTheCopiesAsTheyStandAndStoresTheReceiver) {
    cod.EEmpfN->setEditText("Weinhandel Vogt");
    cod.EBankN->setText("Sparkasse Mainz");
    cod.NNBetrag2->setText("12,50");
    cod.NNEinlieferungsdatum->setText("15.03.2021");
    cod.EVerwendung1N->setText("Rechnung 16");
    EVerwendung1NExit(cod);
    // Edited but not left: the second part keeps the old copy.
    cod.EVerwendung1N->setText("Rechnung 17");
    cod.Button18->click();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();

    ASSERT_EQ(printer.Documents().size(), 1u);
    EXPECT_EQ(printer.LastDocument().orientation, TPrinterOrientation::poPortrait);
    EXPECT_EQ(at("Weinhandel Vogt"), (TPoint{350, -1127}));
    EXPECT_EQ(at("Rechnung 17"), (TPoint{1050, -1637}));
    EXPECT_EQ(at("Rechnung 16"), (TPoint{1500, -2403}));
    EXPECT_EQ(at("12,50"), (TPoint{1600, -2275}));
    EXPECT_EQ(at("15.03.2021"), (TPoint{1000, -2275}));

    EXPECT_EQ(refills, 1);
    EXPECT_EQ(formidor::EEmpfNClick("Weinhandel Vogt").EBankN, "Sparkasse Mainz");
    EXPECT_EQ(letzterAuftraggeber(), "Weinhandel Vogt");
    EXPECT_GE(cod.EEmpfN->findText("Weinhandel Vogt"), 0);
    EXPECT_GE(cod.EPAbsender1->findText("Weinhandel Vogt"), 0);
}

TEST_F(PostalPages, ClickingDruckenLeavesTheFieldBeingEditedFirst) {
    showActive(cod);
    cod.EVerwendung1N->setFocus();
    QApplication::processEvents();
    QTest::keyClicks(cod.EVerwendung1N, "Rechnung 18");
    QTest::mouseClick(cod.Button18, Qt::LeftButton);
    ASSERT_EQ(printer.Documents().size(), 1u);
    EXPECT_EQ(at("Rechnung 18"), (TPoint{1050, -1637}));
    EXPECT_EQ(cod.NNVerw1->text(), "Rechnung 18");
    const auto& texts = printed().Texts();
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const MetaText& t) { return t.text == "Rechnung 18"; }),
              2);
}

TEST_F(PostalPages, CashOnDeliveryLoeschenEmptiesThePurposeLinesOnly) {
    cod.EEmpfN->setEditText("Weinhandel Vogt");
    cod.NNBetrag2->setText("12,50");
    cod.NNBetragplus2->setText("14,50");
    cod.EVerwendung1N->setText("Rechnung 17");
    cod.EVerwendung2N->setText("Kunde 4711");
    EVerwendung1NExit(cod);
    EVerwendung2NExit(cod);
    QTest::mouseClick(cod.Button26, Qt::LeftButton);
    EXPECT_EQ(cod.EVerwendung1N->text(), "");
    EXPECT_EQ(cod.EVerwendung2N->text(), "");
    EXPECT_EQ(cod.EEmpfN->currentText(), "Weinhandel Vogt");
    EXPECT_EQ(cod.NNBetrag2->text(), "12,50");
    EXPECT_EQ(cod.NNBetragplus2->text(), "14,50");
    EXPECT_EQ(cod.NNVerw1->text(), "Rechnung 17");
    EXPECT_EQ(cod.NNVerw2->text(), "Kunde 4711");
}

TEST_F(PostalPages, ParcelCardPrintsBothBlocksAndTheBankDataOnlyForCashOnDelivery) {
    typeParcelCard();
    cod.CBPEigen->setChecked(true);
    cod.Button32->click();
    ASSERT_EQ(printer.Documents().size(), 1u);
    EXPECT_EQ(printer.LastDocument().title, "Quillon Zentrix. - Paketscheindrucker");
    EXPECT_EQ(at("Erika Schulz"), (TPoint{1365, -685}));
    EXPECT_EQ(printed().FindText("49,90"), nullptr);
    EXPECT_EQ(printed().FindText("Stadtsparkasse"), nullptr);
    EXPECT_EQ(printed().FindText("EUR"), nullptr);
    EXPECT_EQ(at("X"), (TPoint{680, -770}));

    cod.CBPNN->setChecked(true);
    cod.Button32->click();
    EXPECT_EQ(at("EUR"), (TPoint{910, -560}));
    EXPECT_EQ(at("49,90"), (TPoint{995, -560}));
    EXPECT_EQ(at("37050198"), (TPoint{985, -690}));

    EXPECT_EQ(refills, 2);
    EXPECT_EQ(formidor::EPEmpf1Click("Erika Schulz").EPEOrt, "Berlin");
    EXPECT_EQ(formidor::EPAbsender1Click("Jürgen Müller").EPKontonr, "123456");
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(PostalPages, SmallParcelPrintsAndStores) {
    typeSmallParcel();
    QTest::mouseClick(parcel.Button36, Qt::LeftButton);
    ASSERT_EQ(printer.Documents().size(), 1u);
    EXPECT_EQ(printer.LastDocument().title, "Quillon Zentrix. - Päckchenscheindrucker");
    EXPECT_EQ(at("Jan de Vries"), (TPoint{1365, -70}));
    EXPECT_EQ(at("Niederlande"), (TPoint{1365, -265}));
    EXPECT_EQ(at("Köln"), (TPoint{910, -200}));
    EXPECT_EQ(formidor::EPPEEmpf1Click("Jan de Vries").EPPELand, "Niederlande");
    EXPECT_EQ(formidor::EPPAbsender1Click("Jürgen Müller").EPPOrt, "Köln");
    EXPECT_GE(parcel.EPPEEmpf1->findText("Jan de Vries"), 0);
}

// "Löschen" on either parcel page empties its name boxes down to their lists; the next print of
// any form brings the names back.
TEST_F(PostalPages, ParcelLoeschenEmptiesThePickListsUntilTheNextPrint) {
    typeParcelCard();
    typeSmallParcel();
    cod.Button32->click();
    cod.CBPNN->setChecked(true);
    cod.CBP9Uhr->setChecked(true);
    typeParcelCard();
    ASSERT_GT(cod.EPAbsender1->count(), 0);
    ASSERT_GT(cod.EPEmpf1->count(), 0);

    QTest::mouseClick(cod.Button34, Qt::LeftButton);
    for (QComboBox* box : {cod.EPAbsender1, cod.EPEmpf1}) {
        EXPECT_EQ(box->count(), 0);
        EXPECT_EQ(box->currentText(), "");
    }
    for (QLineEdit* e :
         {cod.EPAbsender2, cod.EPAPlz, cod.EPAOrt, cod.EPBetrag, cod.EPBAnk, cod.EPKontonr,
          cod.EPBLZ, cod.EPEAnrede, cod.EPEmpf2, cod.EPEPLz, cod.EPEOrt})
        EXPECT_EQ(e->text(), "") << e->objectName().toStdString();
    EXPECT_EQ(cod.EPDMEUR->text(), "EUR");
    EXPECT_TRUE(cod.CBPNN->isChecked());
    EXPECT_TRUE(cod.CBP9Uhr->isChecked());
    // The other pages' boxes keep their names.
    EXPECT_GT(cod.EEmpfN->count(), 0);
    EXPECT_GT(parcel.EPPAbsender1->count(), 0);

    QTest::mouseClick(parcel.Button35, Qt::LeftButton);
    for (QComboBox* box : {parcel.EPPAbsender1, parcel.EPPEEmpf1}) {
        EXPECT_EQ(box->count(), 0);
        EXPECT_EQ(box->currentText(), "");
    }
    for (QLineEdit* e : {parcel.EPPAbsender2, parcel.EPPPLZ, parcel.EPPOrt, parcel.EPPEAnrede,
                         parcel.EPPEEmpf2, parcel.EPPEPLZ, parcel.EPPEOrt, parcel.EPPELand})
        EXPECT_EQ(e->text(), "");

    cod.EEmpfN->setEditText("Weinhandel Vogt");
    cod.Button18->click();
    EXPECT_GE(cod.EPAbsender1->findText("Jürgen Müller"), 0);
    EXPECT_GE(cod.EPEmpf1->findText("Erika Schulz"), 0);
    EXPECT_GE(parcel.EPPAbsender1->findText("Jürgen Müller"), 0);
    EXPECT_GE(parcel.EPPEEmpf1->findText("Erika Schulz"), 0);
}

TEST_F(PostalPages, BadOffsetIsReportedAndNothingIsStored) {
    calibration.kh = "1 mm";
    typeParcelCard();
    typeSmallParcel();
    cod.EEmpfN->setEditText("Weinhandel Vogt");
    for (QPushButton* b : {cod.Button18, cod.Button32, parcel.Button36}) b->click();
    ASSERT_EQ(errors.size(), 3);
    for (const auto& e : errors) EXPECT_EQ(e, "'1 mm' ist kein gültiger Integerwert");
    EXPECT_TRUE(printer.Documents().empty());
    EXPECT_EQ(refills, 0);
    TRegistry reg;
    EXPECT_FALSE(reg.KeyExists("\\" + std::string(kAppKey) + "\\UeberwA"));
    EXPECT_FALSE(reg.KeyExists("\\" + std::string(kAppKey) + "\\UeberwE"));
}

} // namespace
} // namespace formidor::gui
