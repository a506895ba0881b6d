#pragma once
// The transfer page "Überweisungen" (TabSheet2): one variant button per paper edition and the
// fields of the transfer form. The variants' behaviour and the print live beside this class;
// here are the controls, named as the rest of the program refers to them.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "platform/gui/maskedit.h"

namespace formidor::gui {

class TransferPage : public QWidget {
    Q_OBJECT
public:
    explicit TransferPage(QWidget* parent = nullptr);

    QLabel* LHinweis;
    QRadioButton *RB13, *RBHypo, *RB16, *RB15, *RB18, *RB20, *RBPostbank, *RB24;

    QFrame* Panel2;
    QLabel* LAuftraggeberBank;
    MaskEdit* EAuftraggeberBank;
    QLabel* LAuftraggeberBLZ;
    MaskEdit* EAuftraggeberBLZ;
    QLabel* Label5;
    QComboBox* EEmpfaenger;
    QLabel* Label6;
    MaskEdit* EKontonr;
    QLineEdit* EIBANEmpf;
    QLabel* Label8;
    MaskEdit* EBLZ;
    QLabel* Label9;
    QLineEdit* EBank;
    QLineEdit* EBank2;
    QLabel *Label105, *Label106, *Label107;
    MaskEdit *EArt, *EEntgelt, *EZielland;
    QLabel* Label10;
    MaskEdit* EBetrag;
    QLabel* Label11;
    QLineEdit* EVerwendung1;
    QLabel* Label12;
    QLineEdit* EVerwendung2;
    QLabel* Label13;
    QComboBox* EAuftraggeber;
    QLabel* LEigeneKontonr;
    MaskEdit* EEigeneKontonr;
    QLineEdit* EIBANAuftrag;
    QLabel* LAusfuehrungsdatum;
    MaskEdit* EAusfuehrungsdatum;
    QLabel* LBedarf;
    QLabel *Label102, *Label103, *Label104;
    MaskEdit *EPostbankA, *EPostbankB;
    QCheckBox* EPostbankC;
    QLabel* LDatumUnterschrift;
    QLineEdit* EDatumUnterschrift;
    QCheckBox* CBAnschriftweitergabe;
    QLabel* LAnschriftweitergabe;
    // The verdicts on the two IBANs of the SEPA variants, each on the line under its field.
    QLabel* LIBANEmpfStatus;
    QLabel* LIBANAuftragStatus;

    QPushButton* Button7;   // "Quittung drucken"
    QPushButton* Button10;  // "Löschen"
    QPushButton* Button29;  // "Auslandsüberw."
    QPushButton* Button1;   // "Drucken"
    QPushButton* Button2;   // "Drucker ändern"
    QPushButton* BVorschau; // "Vorschau"
};

} // namespace formidor::gui
