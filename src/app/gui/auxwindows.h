#pragma once
// The small windows around the main window: printer help and the feedback survey.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>

namespace formidor::gui {

// "Hilfe bei der Druckereinstellung": how to put the forms into common printers and which
// side and orientation to choose for them on the printer page.
class TDruckerHilfeF : public QDialog {
    Q_OBJECT
public:
    explicit TDruckerHilfeF(QWidget* parent = nullptr);
    QTextBrowser* Memo1;
    QPushButton* Button1; // "Schließen"
};

// "UmfrageDruckenF": the survey answers as a page to print or send.
class TUmfrageDruckenF : public QDialog {
    Q_OBJECT
public:
    explicit TUmfrageDruckenF(QWidget* parent = nullptr);
    void setAnswers(const QString& text);
    QPlainTextEdit* Memo1;
    QPushButton* Button1; // "Schließen"
};

// "Umfrage": a few questions about the forms the user prints.
class TUmfrageF : public QDialog {
    Q_OBJECT
public:
    explicit TUmfrageF(QWidget* parent = nullptr);
    // The answers as plain text.
    QString answers() const;
    // Shown by "Antworten anzeigen"; set by whoever creates the windows.
    TUmfrageDruckenF* DruckenF = nullptr;

    QCheckBox *CBUeberweisung, *CBScheck, *CBLastschrift, *CBEinreichung, *CBNachnahme, *CBPaket,
        *CBAusland;
    QRadioButton *RBTaeglich, *RBWoechentlich, *RBMonatlich, *RBSelten;
    QLineEdit* EDrucker;
    QPlainTextEdit* MemoWuensche;
    QPushButton* Button1; // "Antworten anzeigen"
    QPushButton* Button2; // "Schließen"
};

} // namespace formidor::gui
