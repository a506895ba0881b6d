#include "forms/gui/addressbinding.h"

#include "common/gui/focus.h"
#include "common/testenv.h"
#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/chequepage.h"
#include "forms/gui/depositpage.h"
#include "forms/gui/directdebitpage.h"
#include "forms/gui/parcelpage.h"
#include "forms/gui/transferpage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

QStringList items(QComboBox* box) {
    QStringList l;
    for (int i = 0; i < box->count(); ++i) l << box->itemText(i);
    return l;
}

void pick(QComboBox* box, const QString& name) {
    int i = box->findText(name);
    ASSERT_GE(i, 0) << name.toStdString();
    box->setCurrentIndex(i);
    emit box->activated(i);
}

void typeAndLeave(QComboBox* box, const QString& name) {
    box->setEditText(name);
    test::enterAndTabAway(box);
}

class AddressBinding : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    TransferPage transfer;
    ChequePage cheque;
    DirectDebitPage directDebit;
    CashOnDeliveryPage cod;
    DepositPage deposit;
    ParcelPage parcel;
    AddressPages pages{&transfer, &cheque, &directDebit, &cod, &deposit, &parcel};
    int bankChanges = 0;

    void SetUp() override {
        bindAddressHandlers(pages, [this] { ++bankChanges; });
    }
};

TEST_F(AddressBinding, FillsAllElevenBoxesSortedOrInHiveOrderKeepingTheTypedText) {
    for (const char* n : {"zorro", "Ärzte", "Bäcker", "adam"}) {
        PaketAdressen p;
        p.EPPAbsender1 = n;
        p.EPPEEmpf1 = n;
        SaveEmpfaengerPP(p);
    }
    transfer.EEmpfaenger->setEditText("getippt");
    LoadEmpfaenger(pages);

    const QStringList sorted{"adam", "Ärzte", "Bäcker", "zorro"};
    QStringList hiveOrder;
    const auto stored = formidor::LoadEmpfaenger();
    for (const auto& n : *stored.auftraggeber) hiveOrder << QString::fromStdString(n);
    ASSERT_NE(hiveOrder, sorted) << "the fixture must tell the two orders apart";

    for (QComboBox* box :
         {transfer.EEmpfaenger, transfer.EAuftraggeber, cheque.EEmpfaenger1, directDebit.ENameZ,
          directDebit.ENameZEmpf, cod.EEmpfN, cod.EPEmpf1, deposit.EKontoinhaber, parcel.EPPEEmpf1})
        EXPECT_EQ(items(box), sorted);
    EXPECT_EQ(items(cod.EPAbsender1), hiveOrder);
    EXPECT_EQ(items(parcel.EPPAbsender1), hiveOrder);
    EXPECT_EQ(transfer.EEmpfaenger->currentText(), "getippt");
}

TEST_F(AddressBinding, TransferPickFillsAndANewNameEmptiesOrKeeps) {
    transfer.EEmpfaenger->setEditText("Stadtwerke");
    transfer.EKontonr->setText("0532013000");
    transfer.EBLZ->setText("37040044");
    transfer.EBank->setText("Commerzbank");
    transfer.EVerwendung1->setText("Strom");
    transfer.EAuftraggeber->setEditText("Ich");
    transfer.EEigeneKontonr->setText("1234");
    transfer.RB16->setChecked(true);
    SaveEmpfaenger(transferAddresses(transfer));
    LoadEmpfaenger(pages);

    TransferPage fresh;
    AddressPages freshPages{&fresh};
    bindAddressHandlers(freshPages);
    LoadEmpfaenger(freshPages);
    pick(fresh.EEmpfaenger, "Stadtwerke");
    EXPECT_EQ(fresh.EKontonr->text(), transfer.EKontonr->text());
    EXPECT_EQ(fresh.EBLZ->text(), "37040044");
    EXPECT_EQ(fresh.EBank->text(), "Commerzbank");
    EXPECT_EQ(fresh.EVerwendung1->text(), "Strom");
    fresh.RB13->setChecked(true);
    pick(fresh.EAuftraggeber, "Ich");
    EXPECT_TRUE(fresh.RB16->isChecked());
    EXPECT_EQ(fresh.EEigeneKontonr->text(), transfer.EEigeneKontonr->text());

    typeAndLeave(fresh.EEmpfaenger, "Neu");
    EXPECT_EQ(fresh.EBank->text(), "");
    EXPECT_EQ(fresh.EVerwendung1->text(), "");
    typeAndLeave(fresh.EAuftraggeber, "Auch neu");
    EXPECT_EQ(fresh.EEigeneKontonr->text(), transfer.EEigeneKontonr->text());
    EXPECT_TRUE(fresh.RB16->isChecked());
}

TEST_F(AddressBinding, PickOnlyBoxesIgnoreLeaving) {
    PaketscheinAdressen p;
    p.EPEmpf1 = "Oma";
    p.EPEOrt = "Wien";
    SaveEmpfaengerP(p);
    LoadEmpfaenger(pages);
    cod.EPEOrt->setText("typed");
    // A name without a record would empty the fields if leaving ran the handler.
    typeAndLeave(cod.EPEmpf1, "Unbekannt");
    EXPECT_EQ(cod.EPEOrt->text(), "typed");
    pick(cod.EPEmpf1, "Oma");
    EXPECT_EQ(cod.EPEOrt->text(), "Wien");
}

TEST_F(AddressBinding, ChequePickSetsCounterfoilMemosAndSenders) {
    bindCounterfoilButtons(cheque);
    VerrechnungsscheckAdressen v;
    v.EEmpfaenger1 = "Vermieter";
    v.MemoDeutscheAbs = {"Jürgen Müller", "Hauptstr. 1"};
    v.Bank = "Deutsche";
    v.MemoDeutscheVerw = {"Miete", "März"};
    SaveEmpfaengerV(v);
    LoadEmpfaenger(pages);
    pick(cheque.EEmpfaenger1, "Vermieter");
    EXPECT_TRUE(cheque.RBDeutsche->isChecked());
    EXPECT_FALSE(cheque.PanelAbschnitt->isHidden());
    EXPECT_EQ(cheque.MemoDeutscheAbs->toPlainText(), "Jürgen Müller\nHauptstr. 1");
    EXPECT_EQ(cheque.MemoDeutscheVerw->toPlainText(), "Miete\nMärz");

    auto back = chequeAddresses(cheque);
    EXPECT_EQ(back.Bank, "Deutsche");
    EXPECT_EQ(back.MemoDeutscheAbs, v.MemoDeutscheAbs);
}

TEST_F(AddressBinding, DepositHolderGuessesTheBankAndRelabels) {
    SaveEmpfaengerN({"Inhaber", "111", "", "Sparkasse KölnBonn", "", ""});
    LoadEmpfaenger(pages);
    pick(deposit.EKontoinhaber, "Inhaber");
    EXPECT_EQ(deposit.ComboBox1->currentText(), "Sparkasse");
    EXPECT_EQ(deposit.EEmpfaengerKontonr->text(), "111");
    EXPECT_EQ(bankChanges, 1);
}

TEST_F(AddressBinding, LastOriginatorIsPreloadedOnThreePages) {
    NachnahmeAdressen n{"Firma", "4711", "370", "Bank", "Weg 1", "50667 Köln"};
    SaveEmpfaengerN(n);
    LastschriftAdressen l{"Zahler", "1", "2", "B", "Firma", "4711", "Firma"};
    SaveEmpfaengerL(l);
    preloadLastOriginator(pages);
    EXPECT_EQ(transfer.EAuftraggeber->currentText(), "Firma");
    EXPECT_EQ(directDebit.ENameZEmpf->currentText(), "Firma");
    EXPECT_EQ(directDebit.EKontonrZEmpf->text().trimmed(), "4711");
    EXPECT_EQ(cod.EEmpfN->currentText(), "Firma");
    EXPECT_EQ(cod.EStrasseN->text(), "Weg 1");
}

// Every name box holds the name of a stored record, as after a print refilled the lists, and a
// field the record would fill holds what the user has typed since. Opening and closing the
// box's list, and Return in the box, leave that field alone; a pick fills it.
TEST_F(AddressBinding, OpeningTheListOrReturnIsNeitherAPickNorLeaving) {
    const std::string name = "Erika Mustermann";
    {
        UeberweisungAdressen t;
        t.EEmpfaenger = t.EAuftraggeber = name;
        t.EBLZ = "10000000";
        t.EAuftraggeberBank = "Alte Bank";
        SaveEmpfaenger(t);
        VerrechnungsscheckAdressen v;
        v.EEmpfaenger1 = name;
        v.EOrtEmpf = "Alte Bank";
        SaveEmpfaengerV(v);
        SaveEmpfaengerL({name, "", "10000000", "Alte Bank", name, "1111", ""});
        SaveEmpfaengerN({name, "", "", "Alte Bank", "", ""});
        PaketscheinAdressen ps;
        ps.EPEmpf1 = ps.EPAbsender1 = name;
        ps.EPEOrt = ps.EPAOrt = ps.EPBAnk = "Alte Bank";
        SaveEmpfaengerP(ps);
        PaketAdressen pp;
        pp.EPPEEmpf1 = pp.EPPAbsender1 = name;
        pp.EPPEOrt = pp.EPPOrt = "Alte Bank";
        SaveEmpfaengerPP(pp);
        SaveDaten({name, "", ""});
    }
    struct Case {
        QComboBox* box;
        QLineEdit* field;
        QString typed;
    };
    const Case cases[] = {
        {transfer.EEmpfaenger, transfer.EBLZ, "37040044"},
        {transfer.EAuftraggeber, transfer.EAuftraggeberBank, "Neue Bank"},
        {cheque.EEmpfaenger1, cheque.EOrtEmpf, "Neue Bank"},
        {directDebit.ENameZ, directDebit.EBankZ, "Neue Bank"},
        {directDebit.ENameZEmpf, directDebit.EKontonrZEmpf, "2222"},
        {cod.EEmpfN, cod.EBankN, "Neue Bank"},
        {cod.EPAbsender1, cod.EPAOrt, "Neue Bank"},
        {cod.EPEmpf1, cod.EPEOrt, "Neue Bank"},
        {deposit.EKontoinhaber, deposit.EEmpfaengerKontonr, "2222"},
        {parcel.EPPAbsender1, parcel.EPPOrt, "Neue Bank"},
        {parcel.EPPEEmpf1, parcel.EPPEOrt, "Neue Bank"},
    };
    for (const Case& c : cases) {
        c.box->setEditText(QString::fromStdString(name));
        LoadEmpfaenger(pages);
        c.field->setText(c.typed);
        const QString typed = c.field->text();
        SCOPED_TRACE(int(&c - cases));

        test::showActive(c.box);
        c.box->setFocus(Qt::MouseFocusReason);
        c.box->showPopup();
        QApplication::processEvents();
        c.box->hidePopup();
        QApplication::processEvents();
        EXPECT_EQ(c.field->text().toStdString(), typed.toStdString()) << "opening the list";
        QTest::keyClick(c.box, Qt::Key_Return);
        EXPECT_EQ(c.field->text().toStdString(), typed.toStdString()) << "Return";

        pick(c.box, QString::fromStdString(name));
        EXPECT_NE(c.field->text().toStdString(), typed.toStdString()) << "a pick fills the field";
        c.box->window()->hide();
    }
}

} // namespace
} // namespace formidor::gui
