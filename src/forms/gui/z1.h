#pragma once
// The foreign transfer window "Auslandsüberweisungen", shown modally from the transfer page:
// four tab pages of entry fields and the buttons below them. Here are the controls, named as
// the rest of the program refers to them; the behaviour lives in foreignwindow.h.
#include "platform/gui/maskedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <functional>

namespace formidor::gui {

class TAusl : public QDialog {
    Q_OBJECT
public:
    explicit TAusl(QWidget* parent = nullptr);

    QTabWidget* PageControl1;
    QWidget *TabSheet1, *TabSheet2, *TabSheet3, *TabSheet4;

    // "Auftraggeberdaten"
    QLabel* LHinweisAuftraggeber;
    QComboBox* EAuftraggeberName;
    QLineEdit* EAuftraggeberStrasse;
    QLineEdit* EAuftraggeberPLZOrt;
    QComboBox* EAuftraggeberKontonr;
    MaskEdit* EAuftraggeberBLZ;
    QLineEdit* EAuftraggeberBank;
    QCheckBox* CBBankdrucken;
    QLineEdit* EBetrag;
    QLineEdit* EWaehrung;
    QComboBox* CBZahlungzuLasten;
    QLineEdit* EReferenzKontoinhaber;

    // "Empfängerdaten"
    QLabel* LHinweisEmpfaenger;
    QGroupBox* GBBeguenstigter;
    QComboBox* EEmpfaengerName;
    QLineEdit* EEmpfaengerStrasse;
    QLineEdit* EEmpfaengerOrtLand;
    QLineEdit* EKontonrIBAN;
    QLineEdit* EEmpfaengerBankcode;
    QLineEdit* EZielland;
    QGroupBox* GBBank;
    QComboBox* EEmpfaengerBankName;
    QLineEdit* EEmpfaengerBankStrasse;
    QLineEdit* EEmpfaengerBankOrtLand;
    QLineEdit* EEmpfaengerBankSwift;

    // "Verwendungszweck/Weisungen"
    QGroupBox* GBVerwendungszweck;
    QLineEdit *EVerwendungszweck1, *EVerwendungszweck2, *EVerwendungszweck3;
    QGroupBox* GBWeisungen;
    QLineEdit* EWeisungen;
    QComboBox *CBAusfuehrungsart, *CBWeisungsschluessel, *CBEntgeltregelung, *CBEntgeltezuLasten;

    // "Wareneinfuhr"
    QCheckBox* CBTransit;
    QLineEdit *e105, *e106, *e107, *e108, *e109, *e110;
    QGroupBox* GB111;
    QLineEdit *e111_1, *e111_2, *e111_3;
    QLineEdit* edatum;
    QLineEdit* etelefon;

    QPushButton* Button1;   // "Drucken"
    QPushButton* Button2;   // "Drucker ändern"
    QPushButton* BVorschau; // "Vorschau"
    QPushButton* Button10;  // "Löschen"

    // FormShow, run every time the window is shown; set by whoever wires the window.
    std::function<void()> OnShow;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace formidor::gui
