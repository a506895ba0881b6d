#pragma once
// The data management page "Datenverwaltung" (TabSheet13): the stored originators and
// recipients side by side, the selected entry's details, delete and list-print buttons.
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

namespace formidor::gui {

class DataPage : public QWidget {
    Q_OBJECT
public:
    explicit DataPage(QWidget* parent = nullptr);

    QLabel* Label32; // the hint above the lists
    QLabel* Label33; // "Auftraggeber"
    QLabel* Label88; // "Empfänger"
    QListWidget* LBAbs;
    QListWidget* LBEmpf;
    QPushButton* Button30; // "Löschen" under the originators
    QPushButton* Button6;  // "Liste drucken" under the originators
    QPushButton* Button31; // "Löschen" under the recipients
    QPushButton* Button9;  // "Liste drucken" under the recipients
    QGroupBox* GroupBox10; // "Auftraggeber-Daten"
    QLabel *LA1, *LA2, *LA3, *LA4;
    QGroupBox* GroupBox11; // "Empfänger-Daten"
    QLabel *LE1, *LE2, *LE3, *LE4, *LE5, *LE6, *LE7;
};

} // namespace formidor::gui
