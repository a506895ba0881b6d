#pragma once
// The small-parcel page "Paket und Päckchen D+EU" (TabSheet12), a picture of the form with
// the sender and addressee fields laid over it.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace formidor::gui {

class ParcelPage : public QWidget {
    Q_OBJECT
public:
    explicit ParcelPage(QWidget* parent = nullptr);

    QWidget* ImagePaeckchen;
    QComboBox* EPPAbsender1;
    QLineEdit* EPPAbsender2;
    QLineEdit* EPPPLZ;
    QLineEdit* EPPOrt;
    QLineEdit* EPPEAnrede;
    QComboBox* EPPEEmpf1;
    QLineEdit* EPPEEmpf2;
    QLineEdit* EPPEPLZ;
    QLineEdit* EPPEOrt;
    QLineEdit* EPPELand;
    QPushButton* Button35;  // "Löschen"
    QPushButton* Button36;  // "Drucken"
    QPushButton* Button37;  // "Drucker ändern"
    QPushButton* BVorschau; // "Vorschau"
};

} // namespace formidor::gui
