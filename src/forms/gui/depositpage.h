#pragma once
// The cheque-deposit page "Scheckeinreichung" (TabSheet10): the account holder, the bank
// whose slip is used and five cheques.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "platform/gui/maskedit.h"

namespace formidor::gui {

class DepositPage : public QWidget {
    Q_OBJECT
public:
    explicit DepositPage(QWidget* parent = nullptr);

    // The bank code and the amount of every cheque: bank code at the left column and amount at
    // the right as the page starts; some banks' slips want the amount left and the bank code
    // right, a little further left than the amount stood, so that both fit in the group.
    static constexpr int kLeftColumnX = 272, kAmountRightX = 392, kBankCodeRightX = 376;
    static constexpr int kBankCodeWidth = 96, kAmountWidth = 130;
    static constexpr int kAmountLeftWidth = kBankCodeRightX - kLeftColumnX - 4;

    QLabel* LKontoinhaber;
    QComboBox* EKontoinhaber;
    QLabel* LOrtDatum;
    MaskEdit* EOrtDatum;
    QComboBox* ComboBox1;

    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4, *GroupBox5;
    QLabel *LSchecknr1, *LSchecknr2, *LSchecknr3, *LSchecknr4, *LSchecknr5;
    QLineEdit *ESchecknr1, *ESchecknr2, *ESchecknr3, *ESchecknr4, *ESchecknr5;
    QLabel *LKontonr1, *LKontonr2, *LKontonr3, *LKontonr4, *LKontonr5;
    QLineEdit *EKontonr1, *EKontonr2, *EKontonr3, *EKontonr4, *EKontonr5;
    QLabel *LBLZ1, *LBLZ2, *LBLZ3, *LBLZ4, *LBLZ5;
    MaskEdit *EBLZ1, *EBLZ2, *EBLZ3, *EBLZ4, *EBLZ5;
    QLabel *LBetrag1, *LBetrag2, *LBetrag3, *LBetrag4, *LBetrag5;
    QLineEdit *EBetrag1, *EBetrag2, *EBetrag3, *EBetrag4, *EBetrag5;

    QLabel* LStueck;
    QLineEdit* EStueck;
    QLabel* LWert;
    QLineEdit* EWert;
    QLabel* LEmpfaengerKontonr;
    QLineEdit* EEmpfaengerKontonr;
    QLabel* LGesamtbetrag;
    QLineEdit* EGesamtbetrag;
    QLabel* LDMEURS;
    QLineEdit* EDMEURS;

    QPushButton* Button28;  // "Löschen"
    QPushButton* Button22;  // "Bericht drucken"
    QPushButton* Button23;  // "Drucken"
    QPushButton* Button24;  // "Drucker ändern"
    QPushButton* BVorschau; // "Vorschau"

    // The five cheques' controls by cheque (index 0 is "Scheck 1"), for code that treats them
    // alike.
    struct Cheque {
        QGroupBox* group;
        QLabel *LSchecknr, *LKontonr, *LBLZ, *LBetrag;
        QLineEdit* ESchecknr;
        QLineEdit* EKontonr;
        MaskEdit* EBLZ;
        QLineEdit* EBetrag;
    };
    std::array<Cheque, 5> cheques() const;
};

} // namespace formidor::gui
