#include "bankdata/bankdirectory.h"
#include "bankdata/gui/BLZSuche.h"
#include "bankdata/gui/bankfields.h"
#include "common/testenv.h"
#include "platform/gui/guard.h"
#include "platform/gui/maskedit.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

class BankFields : public ::testing::Test {
protected:
    void SetUp() override {
        setBankDirectoryFile(test::fixture("blz_small.asc"));
        setErrorSink([this](const QString& m) { errors << m; });
    }
    void TearDown() override {
        setBankDirectoryFile({});
        setErrorSink({});
    }
    QStringList errors;
};

TEST_F(BankFields, TransferFieldShowsTheShortName) {
    MaskEdit blz("00000000;1;-");
    QLineEdit bank;
    bank.setText("vorher");
    EBLZExit(&blz, &bank); // an empty masked field reads eight blanks: nothing changes
    EXPECT_EQ(bank.text(), "vorher");
    blz.setText("70000000");
    EBLZExit(&blz, &bank);
    EXPECT_EQ(bank.text(), "Letzte Bank");
    blz.setText("99999999");
    EBLZExit(&blz, &bank);
    EXPECT_EQ(bank.text(), "nicht vorhanden");
    QLineEdit plain; // an unmasked empty field never matches
    EBLZExit(&plain, &bank);
    EXPECT_EQ(bank.text(), "nicht vorhanden");
}

struct Page {
    QWidget window;
    MaskEdit* blz = new MaskEdit("00000000;1;-", &window);
    QLineEdit* bank = new QLineEdit(&window);
    QLineEdit* konto = new QLineEdit(&window);
    QLabel* status = new QLabel(&window);
    Page() {
        auto* l = new QVBoxLayout(&window);
        for (QWidget* w : {static_cast<QWidget*>(blz), static_cast<QWidget*>(bank),
                           static_cast<QWidget*>(konto), static_cast<QWidget*>(status)})
            l->addWidget(w);
        bindDirectDebitBankField(blz, bank, konto, status);
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
    }
    // Types a code into the bank-code field and leaves it.
    void leave(const QString& code) {
        blz->setFocus();
        blz->setText(code);
        konto->setFocus();
        QApplication::processEvents();
    }
};

TEST_F(BankFields, LeavingTheDirectDebitFieldVerifiesTheAccount) {
    Page p;
    EXPECT_FALSE(p.status->isVisibleTo(&p.window));
    EXPECT_EQ(p.status->text(), "Status");

    p.konto->setText("12345");
    p.leave("99999999");
    EXPECT_EQ(p.bank->text(), "nicht vorhanden");
    EXPECT_EQ(p.konto->text(), "12345") << "no verification without a bank";
    EXPECT_FALSE(p.status->isVisibleTo(&p.window));

    p.leave("20000000");
    EXPECT_EQ(p.bank->text(), "Sparkasse Zwei");
    EXPECT_EQ(p.konto->text(), "0000012345");
    EXPECT_TRUE(p.status->isVisibleTo(&p.window));
    EXPECT_EQ(p.status->text(), "Kontonummer lt. Prüfziffernverfahren falsch");

    p.konto->setText("00000000189");
    p.leave("20000000");
    EXPECT_EQ(p.konto->text(), "0000000018");
    EXPECT_EQ(p.status->text(), "Kontonummer lt. Prüfziffernverfahren richtig");

    p.konto->setText("12A45");
    p.leave("10000000"); // method 09 reads nothing
    EXPECT_EQ(p.status->text(), "Kontonummer ist nicht überprüfbar");
    p.leave("20000000");
    EXPECT_EQ(errors, QStringList{"'A' ist kein gültiger Integerwert"});
    EXPECT_EQ(p.status->text(), "Kontonummer ist nicht überprüfbar") << "keeps its text";
    EXPECT_EQ(p.bank->text(), "Sparkasse Zwei");
}

TEST_F(BankFields, AMissingDirectoryIsReportedAndChangesNothing) {
    test::TempDir tmp;
    setBankDirectoryFile(tmp / "blz.asc");
    Page p;
    p.bank->setText("vorher");
    p.leave("20000000");
    EXPECT_EQ(p.bank->text(), "vorher");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("Datei nicht gefunden"));
}

TEST_F(BankFields, SearchDialogFindsAndFillsTheTarget) {
    QWidget owner;
    MaskEdit target("00000000;1;-", &owner);
    BLZZielfeld = &target;
    TBLZSucheF dlg(&owner);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Bankleitzahlen finden - leicht gemacht ...");
    EXPECT_EQ(dlg.Grid->rowCount(), 1);
    EXPECT_EQ(dlg.StringGrid1->columnWidth(1), 250);
    EXPECT_EQ(dlg.Grid->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "Ort");

    dlg.EBankname->setText("sparkasse");
    dlg.EOrt->setText("freising");
    QTest::mouseClick(dlg.Button1, Qt::LeftButton);
    ASSERT_EQ(dlg.Grid->rowCount(), 2) << "one hit and the empty row";
    EXPECT_EQ(dlg.Grid->cell(0, 1).left(22), "Sparkasse Zwei Filiale");
    EXPECT_EQ(dlg.Grid->data(dlg.Grid->index(0, 3), Qt::DisplayRole).toString(), "Freising");

    dlg.EBankname->clear();
    dlg.EOrt->setText("berlin");
    dlg.Button1Click();
    EXPECT_EQ(dlg.Grid->rowCount(), 3);

    dlg.StringGrid1->setCurrentIndex(dlg.Grid->index(1, 2));
    dlg.StringGrid1DblClick();
    EXPECT_EQ(target.text(), "50000000");
    EXPECT_FALSE(dlg.isVisible());

    dlg.show(); // shown again: emptied
    EXPECT_EQ(dlg.EOrt->text(), "");
    EXPECT_EQ(dlg.Grid->rowCount(), 1);
    dlg.StringGrid1->setCurrentIndex(dlg.Grid->index(0, 0));
    dlg.StringGrid1DblClick(); // the empty row gives an empty code
    EXPECT_EQ(target.text(), "        ");
    EXPECT_TRUE(errors.isEmpty());
}

} // namespace
} // namespace formidor::gui
