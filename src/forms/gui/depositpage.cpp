#include "forms/gui/depositpage.h"

#include "forms/gui/pagebuild.h"

namespace formidor::gui {

using namespace build;

DepositPage::DepositPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet10"));
    const QFont f = entryFont();
    QFont small = pageFont();
    small.setPixelSize(10);

    LKontoinhaber = label(this, QStringLiteral("Kontoinhaber: Name, Vorname"), 8, 2);
    EKontoinhaber = combo(this, 8, 16, 220, f, true);
    // Wide enough for the captions some banks give it ("Bankleitzahl des Einreichers").
    LOrtDatum = label(this, QStringLiteral("Datum"), 236, 2, 300);
    EOrtDatum = maskEdit(this, 236, 17, 100, f);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QStringLiteral("Berliner Bank"), QStringLiteral("Commerzbank"),
                         QStringLiteral("Deutsche Bank"), QStringLiteral("Dresdner Bank"),
                         QStringLiteral("HypoVereinsbank"), QStringLiteral("Sparkasse")});
    ComboBox1->setGeometry(344, 16, 192, 22);
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QStringLiteral("Bitte hier Bank auswählen!"));

    QGroupBox** groups[] = {&GroupBox1, &GroupBox2, &GroupBox3, &GroupBox4, &GroupBox5};
    QLabel** lnr[] = {&LSchecknr1, &LSchecknr2, &LSchecknr3, &LSchecknr4, &LSchecknr5};
    QLineEdit** enr[] = {&ESchecknr1, &ESchecknr2, &ESchecknr3, &ESchecknr4, &ESchecknr5};
    QLabel** lkto[] = {&LKontonr1, &LKontonr2, &LKontonr3, &LKontonr4, &LKontonr5};
    QLineEdit** ekto[] = {&EKontonr1, &EKontonr2, &EKontonr3, &EKontonr4, &EKontonr5};
    QLabel** lblz[] = {&LBLZ1, &LBLZ2, &LBLZ3, &LBLZ4, &LBLZ5};
    MaskEdit** eblz[] = {&EBLZ1, &EBLZ2, &EBLZ3, &EBLZ4, &EBLZ5};
    QLabel** lbet[] = {&LBetrag1, &LBetrag2, &LBetrag3, &LBetrag4, &LBetrag5};
    QLineEdit** ebet[] = {&EBetrag1, &EBetrag2, &EBetrag3, &EBetrag4, &EBetrag5};
    for (int i = 0; i < 5; ++i) {
        auto* g = new QGroupBox(QStringLiteral("Scheck %1").arg(i + 1), this);
        g->setGeometry(4, 42 + i * 52, 532, 50);
        *groups[i] = g;
        // Bank code at 272 and amount at 392 as the page starts; some banks' slips swap them.
        *lnr[i] = label(g, QStringLiteral("Scheck-Nummer"), 8, 15, 120);
        *enr[i] = edit(g, 8, 28, 120, f);
        *lkto[i] =
            label(g, QStringLiteral("Konto-Nr. des Ausstellers"), 136, 15, kLeftColumnX - 136);
        *ekto[i] = edit(g, 136, 28, kLeftColumnX - 136 - 8, f);
        *lblz[i] = label(g, QStringLiteral("Bankleitzahl der bez. Bank"), kLeftColumnX, 15,
                         kAmountRightX - kLeftColumnX);
        *eblz[i] = maskEdit(g, kLeftColumnX, 28, kBankCodeWidth, f, QStringLiteral("00000000;1;-"));
        *lbet[i] = label(g, QStringLiteral("Betrag"), kAmountRightX, 15, kAmountWidth);
        *ebet[i] = edit(g, kAmountRightX, 28, kAmountWidth, f);
        for (QLabel* l : {*lnr[i], *lkto[i], *lblz[i], *lbet[i]}) l->setFont(small);
    }

    constexpr int kTop = 306, kField = 320;
    LStueck = label(this, QStringLiteral("Stück"), 8, kTop);
    EStueck = edit(this, 8, kField, 50, f);
    LWert = label(this, QStringLiteral("Wert"), 66, kTop, 110);
    EWert = edit(this, 66, kField, 110, f);
    LEmpfaengerKontonr = label(this, QStringLiteral("Kontonr. des Begünstigten"), 184, kTop);
    EEmpfaengerKontonr = edit(this, 184, kField, 150, f);
    LGesamtbetrag = label(this, QStringLiteral("Gesamtbetrag"), 342, kTop);
    EGesamtbetrag = edit(this, 342, kField, 130, f);
    LDMEURS = label(this, QStringLiteral("DM oder EUR"), 480, kTop);
    EDMEURS = edit(this, 480, kField, 52, f);
    LDMEURS->hide();
    EDMEURS->hide();

    constexpr int kButtonY = 386;
    Button28 = button(this, QStringLiteral("Löschen"), 4, kButtonY, 104);
    Button22 = button(this, QStringLiteral("Bericht drucken"), 111, kButtonY, 104);
    Button23 = button(this, QStringLiteral("Drucken"), 325, kButtonY, 104);
    Button24 = button(this, QStringLiteral("Drucker ändern"), 432, kButtonY, 104);
    BVorschau = button(this, QStringLiteral("Vorschau"), 218, kButtonY, 104);
}

std::array<DepositPage::Cheque, 5> DepositPage::cheques() const {
    return {{{GroupBox1, LSchecknr1, LKontonr1, LBLZ1, LBetrag1, ESchecknr1, EKontonr1, EBLZ1,
              EBetrag1},
             {GroupBox2, LSchecknr2, LKontonr2, LBLZ2, LBetrag2, ESchecknr2, EKontonr2, EBLZ2,
              EBetrag2},
             {GroupBox3, LSchecknr3, LKontonr3, LBLZ3, LBetrag3, ESchecknr3, EKontonr3, EBLZ3,
              EBetrag3},
             {GroupBox4, LSchecknr4, LKontonr4, LBLZ4, LBetrag4, ESchecknr4, EKontonr4, EBLZ4,
              EBetrag4},
             {GroupBox5, LSchecknr5, LKontonr5, LBLZ5, LBetrag5, ESchecknr5, EKontonr5, EBLZ5,
              EBetrag5}}};
}

} // namespace formidor::gui
