#include "forms/gui/foreignwindow.h"

#include "addressbook/addressbook.h"
#include "bankdata/bankdirectory.h"
#include "common/gui/focus.h"
#include "common/testenv.h"
#include "forms/gui/z1.h"
#include "journal/journal.h"
#include "platform/datetime.h"
#include "platform/gui/guard.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

struct Calibration : CalibrationView {
    std::string offsetText(char, bool) const override { return "0"; }
    bool isNormal(char) const override { return true; }
    bool isHochkant(char) const override { return false; }
    bool isRightFeed(char) const override { return true; }
    bool isLeftFeed(char) const override { return false; }
};

QStringList items(const QComboBox* box) {
    QStringList l;
    for (int i = 0; i < box->count(); ++i) l << box->itemText(i);
    return l;
}

class ForeignWindow : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    Calibration calibration;
    Journal journal{home.path() / "journal"};
    TAusl window;
    int setups = 0;
    QStringList errors;

    void SetUp() override {
        journal.JournalLaden();
        setErrorSink([this](const QString& e) { errors << e; });
        setupAusl(&window, {&calibration, &journal, &printer, [this](QWidget*) { ++setups; }});
    }
    void TearDown() override {
        setErrorSink({});
        setBankDirectoryFile({});
    }

    // Shows the window modally as the transfer page does, runs `inside` and closes it again.
    void showModal(const std::function<void()>& inside) {
        QTimer::singleShot(0, &window, [&] {
            inside();
            window.accept();
        });
        window.exec();
    }
    // Picks an entry of a name box as a user does, through its list.
    static void pick(QComboBox* box, const QString& name) {
        const int i = box->findText(name);
        ASSERT_GE(i, 0) << name.toStdString();
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
};

TEST_F(ForeignWindow, StartsWithTheListsOfTheFormAndShowingFillsNamesAndDate) {
    EXPECT_EQ(window.windowTitle(), "Auslandsüberweisungen");
    EXPECT_EQ(window.PageControl1->count(), 4);
    EXPECT_EQ(window.PageControl1->tabText(2), "Verwendungszweck/Weisungen");
    EXPECT_EQ(window.EWaehrung->text(), "EUR");
    EXPECT_EQ(window.EAuftraggeberBLZ->text(), "        ");
    EXPECT_EQ(window.CBZahlungzuLasten->currentText(), "Euro-Konto");
    EXPECT_EQ(window.CBEntgeltezuLasten->currentIndex(), 1);
    // Shown but not selected: the key prints "0" until the user picks an entry.
    EXPECT_EQ(window.CBWeisungsschluessel->currentIndex(), -1);
    EXPECT_EQ(window.CBWeisungsschluessel->placeholderText(), "Avis an Bank des Begünstigten");
    EXPECT_EQ(auslFormPage(window).text("CBWeisungsschluessel"), "0");
    window.CBAusfuehrungsart->setCurrentIndex(3); // "Scheckziehung an Auftraggeber"
    EXPECT_EQ(auslFormPage(window).text("CBAusfuehrungsart"), "2");
    EXPECT_TRUE(window.EEmpfaengerBankName->count() == 0);

    AuslandAdressen a;
    a.EAuftraggeberName = "Zeta GmbH";
    a.EEmpfaengerName = "Hôtel du Lac";
    SaveAusl(a);
    a.EAuftraggeberName = "Alpha AG";
    a.EEmpfaengerName = "Banco";
    SaveAusl(a);
    window.EEmpfaengerName->setEditText("getippt");
    showModal([] {});
    EXPECT_EQ(items(window.EAuftraggeberKontonr), (QStringList{"Alpha AG", "Zeta GmbH"}));
    EXPECT_EQ(items(window.EEmpfaengerName), (QStringList{"Banco", "Hôtel du Lac"}));
    EXPECT_EQ(window.EEmpfaengerName->currentText(), "getippt");
    EXPECT_EQ(window.edatum->text().toStdString(), DateToStr(Date()));
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(ForeignWindow, PickingAndLeavingTheAccountBoxLoadOnlyWhileTheBankIsEmpty) {
    AuslandAdressen a;
    a.EAuftraggeberName = "Jürgen Müller";
    a.EAuftraggeberStrasse = "Ringstraße 1";
    a.EAuftraggeberBLZ = "37050198";
    a.EAuftraggeberBank = "Sparkasse KölnBonn";
    a.etelefon = "0221 123";
    a.CBBankdrucken = true;
    SaveAusl(a);
    a.EAuftraggeberName = "Erika Muster";
    a.EAuftraggeberStrasse = "Weg 2";
    a.EAuftraggeberBank = "Volksbank";
    SaveAusl(a);
    LoadAusl(window);

    pick(window.EAuftraggeberKontonr, "Jürgen Müller");
    EXPECT_EQ(window.EAuftraggeberName->currentText(), "Jürgen Müller");
    EXPECT_EQ(window.EAuftraggeberStrasse->text(), "Ringstraße 1");
    EXPECT_EQ(window.EAuftraggeberBLZ->text(), "37050198");
    EXPECT_EQ(window.EAuftraggeberBank->text(), "Sparkasse KölnBonn");
    EXPECT_EQ(window.etelefon->text(), "0221 123");
    EXPECT_TRUE(window.CBBankdrucken->isChecked());

    // The bank name now blocks every further load, "Löschen" on this page included.
    pick(window.EAuftraggeberKontonr, "Erika Muster");
    EXPECT_EQ(window.EAuftraggeberStrasse->text(), "Ringstraße 1");
    window.PageControl1->setCurrentIndex(0);
    QTest::mouseClick(window.Button10, Qt::LeftButton);
    EXPECT_EQ(window.EAuftraggeberStrasse->text(), "");
    EXPECT_EQ(window.EAuftraggeberBank->text(), "Sparkasse KölnBonn");
    EXPECT_TRUE(window.CBBankdrucken->isChecked());
    pick(window.EAuftraggeberKontonr, "Erika Muster");
    EXPECT_EQ(window.EAuftraggeberStrasse->text(), "");

    // Leaving the box loads like a pick once the bank name is gone.
    window.EAuftraggeberBank->clear();
    window.EAuftraggeberKontonr->setEditText("Erika Muster");
    test::enterAndTabAway(window.EAuftraggeberKontonr);
    EXPECT_EQ(window.EAuftraggeberName->currentText(), "Erika Muster");
    EXPECT_EQ(window.EAuftraggeberStrasse->text(), "Weg 2");
    EXPECT_EQ(window.EAuftraggeberBank->text(), "Volksbank");
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(ForeignWindow, RecipientOfTheTransferPageLeavesTheForeignFieldsEmpty) {
    UeberweisungAdressen t;
    t.EEmpfaenger = "Stadtwerke Köln";
    t.EKontonr = "1802057";
    SaveEmpfaenger(t);
    LoadAusl(window);
    window.EKontonrIBAN->setText("alt");
    window.e107->setText("alt");
    window.CBTransit->setChecked(true);
    pick(window.EEmpfaengerName, "Stadtwerke Köln");
    EXPECT_EQ(window.EKontonrIBAN->text(), "");
    EXPECT_EQ(window.e107->text(), "");
    EXPECT_FALSE(window.CBTransit->isChecked());
}

TEST_F(ForeignWindow, LeavingTheBankCodeFillsTheBankName) {
    setBankDirectoryFile(test::fixture("blz_small.asc"));
    window.show();
    window.activateWindow();
    (void)QTest::qWaitForWindowActive(&window);
    window.EAuftraggeberBLZ->setFocus();
    window.EAuftraggeberBLZ->setText("10000000");
    window.EBetrag->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window.EAuftraggeberBank->text(), "BBk Berlin");
    window.hide();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(ForeignWindow, PrintingStoresJournalsAndKeepsTheWindowAsItIs) {
    window.EAuftraggeberName->setEditText("Jürgen Müller");
    window.EAuftraggeberKontonr->setEditText("1234567");
    window.EAuftraggeberBLZ->setText("37050198");
    window.EBetrag->setText("12 EUR");
    window.EEmpfaengerName->setEditText("Hôtel du Lac");
    window.EKontonrIBAN->setText("CH9300762011623852957");
    window.EVerwendungszweck1->setText("Zimmer");
    window.CBTransit->setChecked(true);
    window.CBAusfuehrungsart->setCurrentIndex(2);
    QTest::mouseClick(window.Button1, Qt::LeftButton);
    ASSERT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();

    ASSERT_EQ(printer.Documents().size(), 1u);
    const Metafile& page = printer.LastDocument().page(0);
    EXPECT_NE(page.FindText("12 EUR"), nullptr);
    EXPECT_EQ(page.FindText("X")->logical, (TPoint{1930, -11 - 24 * 84}));
    EXPECT_EQ(page.FindText("2")->logical, (TPoint{480, -11 - 21 * 84}));
    EXPECT_EQ(window.EBetrag->text(), "0");
    ASSERT_EQ(journal.Liste().size(), 1u);
    EXPECT_EQ(journal.Liste()[0].Typ(), 3);
    EXPECT_EQ(journal.Liste()[0].EmpfaengerKonto(), "CH9300762011623852957");
    EXPECT_TRUE(formidor::EEmpfaengerNameClick("Hôtel du Lac").CBTransit);
    // New names wait for the next time the window is shown.
    EXPECT_EQ(window.EEmpfaengerName->count(), 0);

    QTest::mouseClick(window.Button2, Qt::LeftButton);
    EXPECT_EQ(setups, 1);
    EXPECT_EQ(printer.Documents().size(), 1u);
}

TEST_F(ForeignWindow, LoeschenEmptiesThePageShown) {
    window.EVerwendungszweck1->setText("Zimmer");
    window.EWeisungen->setText("eilt");
    window.CBEntgeltezuLasten->setCurrentIndex(2);
    window.e105->setText("K1");
    window.CBTransit->setChecked(true);
    window.edatum->setText("01.01.2021");
    window.EEmpfaengerName->setEditText("Hôtel du Lac");

    window.PageControl1->setCurrentIndex(2);
    QTest::mouseClick(window.Button10, Qt::LeftButton);
    EXPECT_EQ(window.EVerwendungszweck1->text(), "");
    EXPECT_EQ(window.EWeisungen->text(), "");
    EXPECT_EQ(window.CBWeisungsschluessel->currentText(), "Keine besondere Weisung");
    EXPECT_EQ(window.CBEntgeltezuLasten->currentText(), "Euro-Konto");
    EXPECT_EQ(window.e105->text(), "K1");
    EXPECT_EQ(window.EEmpfaengerName->currentText(), "Hôtel du Lac");

    window.PageControl1->setCurrentIndex(3);
    QTest::mouseClick(window.Button10, Qt::LeftButton);
    EXPECT_EQ(window.e105->text(), "");
    EXPECT_FALSE(window.CBTransit->isChecked());
    EXPECT_EQ(window.edatum->text(), "01.01.2021");

    window.PageControl1->setCurrentIndex(1);
    QTest::mouseClick(window.Button10, Qt::LeftButton);
    EXPECT_EQ(window.EEmpfaengerName->currentText(), "");
}

} // namespace
} // namespace formidor::gui
