#pragma once
// The direct debit page "Lastschrift" (TabSheet1) with its two sub-pages: the debit form
// (TabSheet7) and the cover sheet (TabSheet8).
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>

#include "platform/gui/maskedit.h"

namespace formidor::gui {

class DirectDebitPage : public QWidget {
    Q_OBJECT
public:
    explicit DirectDebitPage(QWidget* parent = nullptr);

    QTabWidget* PageControl2;

    // "Lastschrift drucken"
    QWidget* TabSheet7;
    QLabel* LNameZ;
    QComboBox* ENameZ;
    QLabel* LKontonrZ;
    MaskEdit* EKontonrZ;
    QLabel* LBLZZ;
    MaskEdit* EBLZZ;
    QToolButton* BitBtn2; // bank-code search
    QLabel* LBankZ;
    QLineEdit* EBankZ;
    QLabel* StatusZ; // the account check's verdict, hidden until a bank code is checked
    QLabel* LBetragZ;
    MaskEdit* EBetragZ;
    QLabel* LVerwendung1Z;
    QLineEdit* EVerwendung1Z;
    QLabel* LVerwendung2Z;
    QLineEdit* EVerwendung2Z;
    QLabel* LNameZEmpf;
    QComboBox* ENameZEmpf;
    QLabel* LKontonrZEmpf;
    MaskEdit* EKontonrZEmpf;
    QPushButton* Button25;  // "Löschen"
    QPushButton* Button13;  // "Drucken"
    QPushButton* Button14;  // "Drucker ändern"
    QPushButton* BVorschau; // "Vorschau"

    // "Deckblatt drucken"
    QWidget* TabSheet8;
    QLabel* LHinweisD; // what the sub-page is for
    QLabel* LKontoinhaberD;
    QLineEdit* EKontoinhaberD;
    QLabel* LStueckzahlD;
    MaskEdit* EStueckzahlD;
    QLabel* LKontonrZahlungsempf;
    MaskEdit* EKontonrZahlungsempf;
    QLabel* LBetragD;
    MaskEdit* EBetragD;
    QLabel* LDatumD;
    QLineEdit* EDatumD;
    QLabel* LWertD;
    QLineEdit* EWertD;
    QPushButton* Button17;   // "Quittung drucken"
    QPushButton* Button15;   // "Drucken"
    QPushButton* Button16;   // "Drucker ändern"
    QPushButton* BVorschauD; // "Vorschau" of the cover sheet
};

} // namespace formidor::gui
