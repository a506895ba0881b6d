#pragma once
// The page "Nachnahme" (TabSheet6) with the cash-on-delivery form (TabSheet11) and the parcel
// card (TabSheet14), each drawn as a picture of the form with the fields laid over it.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include "platform/gui/maskedit.h"

namespace formidor::gui {

class CashOnDeliveryPage : public QWidget {
    Q_OBJECT
public:
    explicit CashOnDeliveryPage(QWidget* parent = nullptr);

    QTabWidget* PageControl3;

    // "Nachnahme-Fomular"
    QWidget* TabSheet11;
    QWidget* ImageNachnahme;
    QLabel* LHinweisN;
    QComboBox* EEmpfN;
    QLineEdit* EStrasseN;
    QLineEdit* EPLZOrtN;
    MaskEdit* EKontonrEmpfN;
    QLineEdit* EBLZN;
    QLineEdit* EBankN;
    QLineEdit* EVerwendung1N;
    QLineEdit* EVerwendung2N;
    MaskEdit* NNEinlieferungsdatum;
    QLineEdit* NNBetrag2;
    QLineEdit* NNVerw1;
    QLineEdit* NNVerw2;
    QLineEdit* NNBetragplus2;
    QPushButton* Button26;  // "Löschen"
    QPushButton* Button18;  // "Drucken"
    QPushButton* Button19;  // "Drucker ändern"
    QPushButton* BVorschau; // "Vorschau"

    // "Paketschein"
    QWidget* TabSheet14;
    QWidget* ImagePaket;
    QComboBox* EPAbsender1;
    QLineEdit* EPAbsender2;
    QLineEdit* EPAPlz;
    QLineEdit* EPAOrt;
    QLineEdit* EPEAnrede;
    QComboBox* EPEmpf1;
    QLineEdit* EPEmpf2;
    QLineEdit* EPEPLz;
    QLineEdit* EPEOrt;
    QCheckBox *CBPExpress, *CBP9Uhr, *CBP10Uhr, *CBP12Uhr, *CBPSamstag, *CBPSonntag, *CBPNN,
        *cBPUnfrei, *CBPEigen, *cBPRueck, *CBPSperrgut;
    QLineEdit* EPDMEUR;
    QLineEdit* EPBetrag;
    QLineEdit* EPBAnk;
    QLineEdit* EPKontonr;
    QLineEdit* EPBLZ;
    QPushButton* Button34;   // "Löschen"
    QPushButton* Button32;   // "Drucken"
    QPushButton* Button33;   // "Drucker ändern"
    QPushButton* BVorschauP; // "Vorschau" of the parcel card
};

} // namespace formidor::gui
