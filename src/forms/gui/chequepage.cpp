#include "forms/gui/chequepage.h"

#include "forms/gui/pagebuild.h"

namespace formidor::gui {

using namespace build;

ChequePage::ChequePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
    const QFont f = entryFont();
    const QFont f13 = entryFont(13);

    LBetragV = label(this, QStringLiteral("Betrag:"), 8, 8);
    EBetragV = maskEdit(this, 8, 22, 220, entryFont(19));
    EBetragV->resize(220, 28);
    LBetragB = label(this, QStringLiteral("Der Betrag in Buchstaben wird automatisch eingefügt."),
                     8, 56, 524);

    LEmpfaengerV = label(this, QStringLiteral("Empfänger (jeweils maximal 27 Zeichen)"), 8, 78);
    EAnredeE = edit(this, 8, 93, 300, f);
    EEmpfaenger1 = combo(this, 8, 117, 300, f, true);
    EEmpfaenger2 = edit(this, 8, 143, 300, f);
    EPLZE = edit(this, 8, 167, 70, f);
    EOrtEmpf = edit(this, 84, 167, 224, f);

    LOrt = label(this, QStringLiteral("Ausstellungsort"), 330, 78);
    EOrt = maskEdit(this, 330, 93, 200, f13);
    LDatum = label(this, QStringLiteral("Datum"), 330, 122);
    EDatum = maskEdit(this, 330, 137, 120, f13);

    GroupBegleitabschnitt = new QGroupBox(QStringLiteral("Begleitabschnitt"), this);
    GroupBegleitabschnitt->setGeometry(8, 196, 524, 64);
    QWidget* g = GroupBegleitabschnitt;
    RBDeutsche = radio(g, QStringLiteral("Deutsche Bank"), 10, 18, 160);
    RBDresdner = radio(g, QStringLiteral("Dresdner Bank"), 180, 18, 160);
    RBDG = radio(g, QStringLiteral("Volksbanken"), 350, 18, 160);
    RBleer = radio(g, QStringLiteral("leerer Abschnitt"), 10, 40, 160);
    RBkein = radio(g, QStringLiteral("kein Abschnitt"), 180, 40, 160);
    RBobengross = radio(g, QStringLiteral("Abschnitt oben"), 350, 40, 160);
    RBkein->setChecked(true);

    PanelAbschnitt = new QWidget(this);
    PanelAbschnitt->setGeometry(8, 264, 524, 116);
    LMemoDeutscheAbs = label(PanelAbschnitt, QStringLiteral("Absender"), 0, 0);
    MemoDeutscheAbs = new QPlainTextEdit(PanelAbschnitt);
    MemoDeutscheAbs->setFont(f);
    MemoDeutscheAbs->setGeometry(0, 15, 256, 100);
    LMemoDeutscheVerw = label(PanelAbschnitt, QStringLiteral("Verwendungszweck"), 268, 0);
    MemoDeutscheVerw = new QPlainTextEdit(PanelAbschnitt);
    MemoDeutscheVerw->setFont(f);
    MemoDeutscheVerw->setGeometry(268, 15, 256, 100);
    PanelAbschnitt->hide();

    constexpr int kButtonY = 386;
    Button8 = button(this, QStringLiteral("Quittung drucken"), 4, kButtonY, 120);
    Button11 = button(this, QStringLiteral("Löschen"), 128, kButtonY, 120);
    Button3 = button(this, QStringLiteral("Drucken"), 292, kButtonY, 120);
    Button4 = button(this, QStringLiteral("Drucker ändern"), 416, kButtonY, 120);
    BVorschau = button(this, QStringLiteral("Vorschau"), 292, kButtonY - 30, 120);
}

} // namespace formidor::gui
