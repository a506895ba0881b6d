#include "forms/gui/transferprint.h"

#include "addressbook/addressbook.h"
#include "common/testenv.h"
#include "forms/gui/addressbinding.h"
#include "forms/gui/transferpage.h"
#include "journal/journal.h"
#include "platform/datetime.h"
#include "platform/gui/guard.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

#include <QLabel>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

using forms::TransferVariant;

struct Calibration : CalibrationView {
    std::string kv = "0", kh = "0";
    std::string offsetText(char, bool horizontal) const override { return horizontal ? kv : kh; }
    bool isNormal(char) const override { return true; }
    bool isHochkant(char) const override { return false; }
    bool isRightFeed(char) const override { return true; }
    bool isLeftFeed(char) const override { return false; }
};

bool shown(const TransferPage& p, const char* name) {
    QWidget* w = transferControl(p, name);
    EXPECT_NE(w, nullptr) << name;
    return w && !w->isHidden();
}

QString caption(const TransferPage& p, const char* name) {
    auto* l = qobject_cast<QLabel*>(transferControl(p, name));
    return l ? l->text() : QString();
}

class TransferPageTest : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    Calibration calibration;
    Journal journal{home.path() / "journal"};
    TransferPage page;
    int refills = 0;
    QStringList errors;

    void SetUp() override {
        journal.JournalLaden();
        setErrorSink([this](const QString& e) { errors << e; });
        TRegistry reg;
        reg.OpenKey("\\" + std::string(kAppKey), true);
        reg.WriteString("FontNameU", "Courier New");
        reg.WriteInteger("FontSizeU", 9);
        reg.WriteBool("FontBoldU", true);
        reg.CloseKey();
        setupTransferPage(&page, {&calibration, &journal, [this] { ++refills; }, &printer});
    }
    void TearDown() override { setErrorSink({}); }

    void type() {
        page.EEmpfaenger->setEditText("Stadtwerke Köln");
        page.EKontonr->setText("1802057");
        page.EBLZ->setText("37050198");
        page.EIBANEmpf->setText("DE02370501980001802057");
        page.EBank->setText("COLSDE33");
        page.EBetrag->setText("1234,56");
        page.EVerwendung1->setText("Kunde 4711");
        page.EVerwendung2->setText("März");
        page.EAuftraggeber->setEditText("Jürgen Müller");
        page.EEigeneKontonr->setText("123456");
        page.EIBANAuftrag->setText("12345678901234567890");
        page.EDatumUnterschrift->setText("15.03.2021");
    }
};

TEST_F(TransferPageTest, StartsInSepa16) {
    EXPECT_TRUE(page.RB13->isChecked());
    EXPECT_EQ(checkedTransferVariant(page), TransferVariant::V13);
    EXPECT_TRUE(shown(page, "EIBANEmpf"));
    EXPECT_TRUE(shown(page, "EIBANAuftrag"));
    EXPECT_FALSE(shown(page, "EKontonr"));
    EXPECT_FALSE(shown(page, "EBLZ"));
    EXPECT_FALSE(shown(page, "Label8"));
    EXPECT_FALSE(shown(page, "EEigeneKontonr"));
    EXPECT_EQ(caption(page, "Label6"), "IBAN");
    EXPECT_EQ(caption(page, "Label9"), "BIC des Kreditinstituts");
    EXPECT_EQ(caption(page, "LEigeneKontonr"), "IBAN des Auftraggebers (ohne DE)");
    EXPECT_EQ(caption(page, "Label5"), "Empfänger: Name, Vorname / Firma");
}

TEST_F(TransferPageTest, EveryVariantShowsItsBoxes) {
    struct Case {
        QRadioButton* TransferPage::*button;
        std::vector<const char*> visible, hidden;
    };
    const Case cases[] = {
        {&TransferPage::RBHypo,
         {"EAuftraggeberBank", "LAuftraggeberBank", "EAuftraggeberBLZ", "EIBANEmpf"},
         {"EKontonr", "EBLZ"}},
        {&TransferPage::RB16,
         {"EAuftraggeberBLZ", "LAuftraggeberBLZ", "EKontonr", "EBLZ", "Label8", "EEigeneKontonr"},
         {"EAuftraggeberBank", "EIBANEmpf", "EIBANAuftrag"}},
        {&TransferPage::RB15,
         {"EArt", "EEntgelt", "EZielland", "Label105", "Label106", "Label107", "EBank2"},
         {"EAuftraggeberBLZ", "EIBANEmpf"}},
        {&TransferPage::RB18,
         {"EAuftraggeberBank", "LAuftraggeberBank", "EAuftraggeberBLZ", "LAuftraggeberBLZ"},
         {"EArt", "EBank2"}},
        {&TransferPage::RB20, {"EKontonr", "EBLZ"}, {"EAuftraggeberBLZ", "EAuftraggeberBank"}},
        {&TransferPage::RBPostbank,
         {"EPostbankA", "EPostbankB", "EPostbankC", "Label102", "Label103", "Label104"},
         {"EAusfuehrungsdatum"}},
        {&TransferPage::RB24,
         {"EAusfuehrungsdatum", "LAusfuehrungsdatum", "EAuftraggeberBLZ", "LAuftraggeberBLZ",
          "LBedarf", "CBAnschriftweitergabe", "LAnschriftweitergabe"},
         {"EPostbankA", "EAuftraggeberBank"}},
    };
    for (const auto& c : cases) {
        QRadioButton* b = page.*c.button;
        QTest::mouseClick(b, Qt::LeftButton);
        ASSERT_TRUE(b->isChecked()) << b->text().toStdString();
        for (auto n : c.visible) EXPECT_TRUE(shown(page, n)) << b->text().toStdString() << " " << n;
        for (auto n : c.hidden) EXPECT_FALSE(shown(page, n)) << b->text().toStdString() << " " << n;
    }
    page.RBHypo->setChecked(true);
    EXPECT_EQ(caption(page, "LAuftraggeberBLZ"), "BIC");
    page.RB16->setChecked(true);
    EXPECT_EQ(caption(page, "LAuftraggeberBLZ"), "Bankleitzahl des Auftraggebers");
    EXPECT_EQ(caption(page, "Label6"), "Konto-Nr. des Empfängers");
}

TEST_F(TransferPageTest, Variant15FreesTheBankCodeAndNarrowsTheBank) {
    page.RB15->setChecked(true);
    EXPECT_EQ(page.EBank->width(), 245);
    EXPECT_FALSE(page.EBLZ->isMasked());
    page.EBLZ->setText("COLSDE33");
    EXPECT_EQ(page.EBLZ->text(), "COLSDE33");
    EXPECT_EQ(caption(page, "Label8"), "Bank-Code bzw. SWIFT-Code");
    EXPECT_EQ(caption(page, "Label9"), "Kreditinstitut des Empfängers mit vollständiger Anschrift");

    page.RB20->setChecked(true);
    EXPECT_EQ(page.EBank->width(), 477);
    EXPECT_TRUE(page.EBank2->isHidden());
    EXPECT_EQ(page.EBLZ->editMask(), "00000000;1;-");
    page.EBLZ->setText("COLSDE33");
    EXPECT_EQ(page.EBLZ->text(), "      33"); // letters do not pass the digit mask
    EXPECT_EQ(caption(page, "Label8"), "Bankleitzahl");
}

TEST_F(TransferPageTest, PickedOriginatorRestoresTheStoredVariant) {
    UeberweisungAdressen a;
    a.EAuftraggeber = "Anna Hypo";
    a.EAuftraggeberBank = "HypoVereinsbank München";
    a.EAuftraggeberBLZ = "HYVEDEMMXXX";
    a.Formular = "Hypo";
    SaveEmpfaenger(a);
    page.RB20->setChecked(true);

    page.EAuftraggeber->setEditText("Anna Hypo");
    EAuftraggeberClick(page);
    EXPECT_TRUE(page.RBHypo->isChecked());
    EXPECT_TRUE(shown(page, "EAuftraggeberBank"));
    EXPECT_TRUE(shown(page, "EAuftraggeberBLZ"));
    EXPECT_EQ(caption(page, "LAuftraggeberBLZ"), "BIC");
    EXPECT_EQ(page.EAuftraggeberBank->text(), "HypoVereinsbank München");
}

TEST_F(TransferPageTest, LoeschenEmptiesTheRecipientSideOnly) {
    page.RBPostbank->setChecked(true);
    type();
    page.EPostbankA->setText("7");
    page.EPostbankB->setText("12/34/");
    page.EPostbankC->setChecked(true);
    page.CBAnschriftweitergabe->setChecked(true);
    QTest::mouseClick(page.Button10, Qt::LeftButton);

    EXPECT_EQ(page.EEmpfaenger->currentText(), "");
    EXPECT_EQ(page.EKontonr->text(), "");
    EXPECT_EQ(page.EIBANEmpf->text(), "");
    EXPECT_EQ(page.EBLZ->text(), "        "); // the masked field's empty text
    EXPECT_EQ(page.EBank->text(), "");
    EXPECT_EQ(page.EBetrag->text(), "");
    EXPECT_EQ(page.EVerwendung1->text(), "");
    EXPECT_EQ(page.EPostbankA->text(), "");
    EXPECT_EQ(page.EPostbankB->text(), "  .  ."); // the mask's "/" is the date separator
    EXPECT_FALSE(page.EPostbankC->isChecked());
    EXPECT_EQ(page.EDatumUnterschrift->text().toStdString(), DateToStr(Date()));

    EXPECT_EQ(page.EAuftraggeber->currentText(), "Jürgen Müller");
    EXPECT_EQ(page.EEigeneKontonr->text(), "123456");
    EXPECT_TRUE(page.CBAnschriftweitergabe->isChecked());
    EXPECT_TRUE(page.RBPostbank->isChecked());
}

TEST_F(TransferPageTest, DruckenPrintsStoresAndJournals) {
    type();
    page.EBetrag->setText("1.234,56");
    QTest::mouseClick(page.Button1, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();

    ASSERT_EQ(printer.Documents().size(), 1u);
    const Metafile& m = printer.LastDocument().page(0);
    ASSERT_NE(m.FindText("Stadtwerke Köln"), nullptr);
    EXPECT_EQ(m.FindText("Stadtwerke Köln")->logical, (TPoint{70, -126}));
    EXPECT_EQ(m.FindText("1.234,56")->logical, (TPoint{850, -381}));
    EXPECT_EQ(m.FindText("1.234,56")->font.Height, 58);

    EXPECT_EQ(refills, 1);
    EXPECT_EQ(page.EBetrag->text(), "0");
    ASSERT_EQ(journal.Liste().size(), 1u);
    EXPECT_EQ(journal.Liste()[0].Betrag(), 0);
    EXPECT_EQ(journal.Liste()[0].Verwendungszweck(), "Kunde 4711 März");
    // "SEPA/16" records the IBANs and the BIC it printed.
    EXPECT_EQ(journal.Liste()[0].EmpfaengerKonto(), "DE02370501980001802057");
    EXPECT_EQ(journal.Liste()[0].EmpfaengerBLZ(), "COLSDE33");
    EXPECT_EQ(journal.Liste()[0].AuftraggeberKonto(), "12345678901234567890");
    EAuftraggeberFelder f;
    formidor::EAuftraggeberClick("Jürgen Müller", f);
    EXPECT_EQ(f.Formular, "13");
}

TEST_F(TransferPageTest, DruckenWithAJournalThatCannotBeSavedStillChecksTheAmount) {
    test::writeFile(home.path() / "keinordner", ""); // the journal's folder is a file
    Journal unsaveable{home.path() / "keinordner" / "journal"};
    TransferPage other;
    setupTransferPage(&other, {&calibration, &unsaveable, {}, &printer});
    other.EEmpfaenger->setEditText("Stadtwerke Köln");
    other.EBetrag->setText("12 EUR");
    QTest::mouseClick(other.Button1, Qt::LeftButton);
    EXPECT_EQ(errors.size(), 1); // the journal's message
    EXPECT_EQ(printer.Documents().size(), 1u);
    EXPECT_EQ(other.EBetrag->text(), "0");
}

TEST_F(TransferPageTest, BadOffsetIsReportedAndNothingHappens) {
    type();
    calibration.kv = "12a";
    QTest::mouseClick(page.Button1, Qt::LeftButton);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "'12a' ist kein gültiger Integerwert");
    EXPECT_TRUE(printer.Documents().empty());
    EXPECT_EQ(refills, 0);
    EXPECT_TRUE(journal.Liste().empty());
    EXPECT_EQ(page.EBetrag->text(), "1234,56");
    TRegistry reg;
    EXPECT_FALSE(reg.KeyExists("\\" + std::string(kAppKey) + "\\UeberwA\\Jürgen Müller"));
}

} // namespace
} // namespace formidor::gui
