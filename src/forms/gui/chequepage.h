#pragma once
// The crossed-cheque page "Verrechnungsschecks" (TabSheet3).
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "platform/gui/maskedit.h"

namespace formidor::gui {

class ChequePage : public QWidget {
    Q_OBJECT
public:
    explicit ChequePage(QWidget* parent = nullptr);

    QLabel* LBetragV;
    MaskEdit* EBetragV;
    QLabel* LBetragB;
    QLabel* LEmpfaengerV;
    QLineEdit* EAnredeE;
    QComboBox* EEmpfaenger1;
    QLineEdit* EEmpfaenger2;
    QLineEdit* EPLZE;
    QLineEdit* EOrtEmpf;
    QLabel* LOrt;
    MaskEdit* EOrt;
    QLabel* LDatum;
    MaskEdit* EDatum;
    QGroupBox* GroupBegleitabschnitt;
    QRadioButton *RBDeutsche, *RBDresdner, *RBDG, *RBleer, *RBkein, *RBobengross;
    // Holds the two counterfoil memos; shown by the counterfoil kinds that carry texts.
    QWidget* PanelAbschnitt;
    QLabel* LMemoDeutscheAbs;
    QPlainTextEdit* MemoDeutscheAbs;
    QLabel* LMemoDeutscheVerw;
    QPlainTextEdit* MemoDeutscheVerw;
    QPushButton* Button8;   // "Quittung drucken"
    QPushButton* Button11;  // "Löschen"
    QPushButton* Button3;   // "Drucken"
    QPushButton* Button4;   // "Drucker ändern"
    QPushButton* BVorschau; // "Vorschau"
};

} // namespace formidor::gui
