#pragma once
// The printer page (TabSheet4): per form type the calibration the form printers apply —
// offsets in tenths of a millimetre, how the form lies in the printer, the side it is fed from,
// the font — with "wie Überweisungen" to take over the transfer's. Every change is stored at
// once; the main window moves the whole page to and from the settings key on page switches.
#include "app/calibration.h"
#include "app/gui/updown.h"
#include "app/settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <functional>

namespace formidor::gui {

// The font dialog: preset with choice, returns false when cancelled, otherwise fills choice.
using FontDialogFunction = std::function<bool(QWidget* parent, settings::FontChoice& choice)>;

class PrinterPage : public QWidget, public CalibrationControls {
    Q_OBJECT
public:
    explicit PrinterPage(QWidget* parent = nullptr);

    // Replaces the font dialog (tests answer it themselves).
    void setFontDialog(FontDialogFunction dialog) { fontDialog_ = std::move(dialog); }
    // What SaveSettings re-applies after a sub-page change; set by the main window.
    void setPrinterSelection(PrinterSelection* printer) { printer_ = printer; }

    QLabel* LVersion;
    QGroupBox* GroupBoxKorrektur;
    QTabWidget* PageControl4;

    // "Überweis." (form code U)
    QWidget* TabSheet15;
    QLineEdit *EKVU, *EKHU;
    TUpDown *UDKVU, *UDKHU;
    QRadioButton *RBHochformatU, *RBQuerformatU, *RBrechtsU, *RBlinksU;
    QLabel *LFontNameU, *LFontSizeU, *LFontStyleU;
    QPushButton* Button5;

    // "V-Schecks" (form code V)
    QWidget* TabSheet16;
    QCheckBox* CBgleichV;
    QLineEdit *EKVV, *EKHV;
    TUpDown *UDKVV, *UDKHV;
    QRadioButton *RBHochformatV, *RBQuerformatV, *RBrechtsV, *RBlinksV;
    QLabel *LFontNameV, *LFontSizeV, *LFontStyleV;
    QPushButton* BSchriftV;

    // "Lastschrift" (form code L)
    QWidget* TabSheet18;
    QCheckBox* CBgleichL;
    QLineEdit *EKVL, *EKHL;
    TUpDown *UDKVL, *UDKHL;
    QRadioButton *RBHochformatL, *RBQuerformatL, *RBrechtsL, *RBlinksL;
    QLabel *LFontNameL, *LFontSizeL, *LFontStyleL;
    QPushButton* BSchriftL;

    // "Paket/Päckchen" (form code P)
    QWidget* TabSheet19;
    QCheckBox* CBgleichP;
    QLineEdit *EKVP, *EKHP;
    TUpDown *UDKVP, *UDKHP;
    QRadioButton *RBHochformatP, *RBQuerformatP, *RBrechtsP, *RBlinksP;
    QLabel *LFontNameP, *LFontSizeP, *LFontStyleP;
    QPushButton* BSchriftP;

    // "Scheckeinr." (form code S)
    QWidget* TabSheet20;
    QCheckBox* CBgleichS;
    QLineEdit *EKVS, *EKHS;
    TUpDown *UDKVS, *UDKHS;
    QRadioButton *RBHochformatS, *RBQuerformatS, *RBrechtsS, *RBlinksS;
    QLabel *LFontNameS, *LFontSizeS, *LFontStyleS;
    QPushButton* BSchriftS;

    // "Ausl.-Überw." (form code A)
    QWidget* TabSheet21;
    QCheckBox* CBgleichA;
    QLineEdit *EKVA, *EKHA;
    TUpDown *UDKVA, *UDKHA;
    QRadioButton *RBHochformatA, *RBQuerformatA, *RBrechtsA, *RBlinksA;
    QLabel *LFontNameA, *LFontSizeA, *LFontStyleA;
    QPushButton* BSchriftA;

    // "Nachnahme" (form code N)
    QWidget* TabSheet17;
    QCheckBox* CBgleichN;
    QLineEdit *EKVN, *EKHN;
    TUpDown *UDKVN, *UDKHN;
    QLabel *LFontNameN, *LFontSizeN, *LFontStyleN;
    QPushButton* BSchriftN;
    QGroupBox* GroupBoxImpressum;
    QLabel* Label31;       // e-mail line, opens a new message
    QLabel* Image2;        // web line, opens the maker's page
    QPushButton* Button40; // "HILFE"
    QPushButton* Button39; // "UMFRAGE"
    QPushButton* Button38; // "Daten sichern"
    QPushButton* Button41; // "Daten einlesen"

    // Handlers. X is the form code of the sub-page.
    void EKVExit(char x);          // store KVX from the edit
    void EKHExit(char x);          // store KHX
    void orientationClick(char x); // store OrientationX
    void feedClick(char x);        // store rechtsX
    void fontClick(char x);        // "Ändern"
    void gleichClick(char x);      // "wie Überweisungen": take over or release
    void subPageShow(char x);
    void TabSheet4Exit();
    void PageControl4Changing();
    // The offset fields of every type taken over from the transfer ("wie Überweisungen") get
    // the transfer's texts again. Run before the page is saved: a copy holds the transfer text
    // of the last time it was taken, which may be a wrong text the user has corrected since,
    // and would otherwise keep failing the save (and the close) on a sub-page nobody looks at.
    void refreshTakenOverOffsets();
    void Button5Click() { fontClick('U'); }
    void BSchriftVClick() { fontClick('V'); }
    void BSchriftLClick() { fontClick('L'); }
    void BSchriftPClick() { fontClick('P'); }
    void BSchriftSClick() { fontClick('S'); }
    void BSchriftAClick() { fontClick('A'); }
    void BSchriftNClick() { fontClick('N'); }
    void CBgleichVClick() { gleichClick('V'); }
    void CBgleichLClick() { gleichClick('L'); }
    void CBgleichPClick() { gleichClick('P'); }
    void CBgleichSClick() { gleichClick('S'); }
    void CBgleichAClick() { gleichClick('A'); }
    void CBgleichNClick() { gleichClick('N'); }
    void TabSheet15Show() { subPageShow('U'); }
    void TabSheet16Show() { subPageShow('V'); }
    void TabSheet17Show() { subPageShow('N'); }
    void TabSheet18Show() { subPageShow('L'); }
    void TabSheet19Show() { subPageShow('P'); }
    void TabSheet20Show() { subPageShow('S'); }
    void TabSheet21Show() { subPageShow('A'); }

    // CalibrationControls
    std::string offsetText(char x, bool horizontal) const override;
    bool isNormal(char x) const override;
    bool isHochkant(char x) const override;
    bool isRightFeed(char x) const override;
    bool isLeftFeed(char x) const override;
    void setOffsetText(char x, bool horizontal, const std::string& text) override;
    void checkOrientation(char x, bool normal) override;
    void checkFeed(char x, bool right) override;
    bool sameAsTransfer(char x) const override;
    void setSameAsTransfer(char x, bool checked) override;
    void showFont(char x, const std::string& name, const std::string& size,
                  const std::string& style) override;

    // The controls of one sub-page; the pointers a form type lacks are null.
    struct Sub {
        char code;
        QWidget* page;
        QCheckBox* gleich;
        QLineEdit *kv, *kh;
        TUpDown *udkv, *udkh;
        QRadioButton *normal, *hochkant, *rechts, *links;
        QLabel *fontName, *fontSize, *fontStyle;
        QPushButton* font;
        QPushButton* probe; // "Probedruck": the calibration sheet of the form type
    };
    const Sub& sub(char x) const;

private:
    void buildSub(Sub& s, const char* pageName, const char* caption, const char* buttonName);
    void refreshFontLabels(char x);

    Sub subs_[7];
    FontDialogFunction fontDialog_;
    PrinterSelection* printer_ = nullptr;
    int shownSub_ = -1;
};

} // namespace formidor::gui
