#include "forms/gui/transferpage.h"

#include "forms/gui/pagebuild.h"

namespace formidor::gui {

using namespace build;

TransferPage::TransferPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet2"));
    const QFont f = entryFont();

    LHinweis = label(this,
                     QStringLiteral("Wählen Sie hier die Nummer aus, die rechts unten auf Ihre "
                                    "Überweisungsformular steht:"),
                     8, 4);
    int x = 8;
    auto variant = [&](const char* text) {
        const QString caption = QString::fromUtf8(text);
        auto* r = radio(this, caption, x, 20, fontMetrics().horizontalAdvance(caption) + 24);
        x += r->width() + 2;
        return r;
    };
    RB13 = variant("SEPA/16");
    RBHypo = variant("SEPA/06,07,08");
    RB16 = variant("16/28");
    RB15 = variant("15");
    RB18 = variant("17/18");
    RB20 = variant("20");
    RBPostbank = variant("Postbank");
    RB24 = variant("24");

    Panel2 = new QFrame(this);
    Panel2->setFrameShape(QFrame::StyledPanel);
    Panel2->setFrameShadow(QFrame::Raised);
    Panel2->setGeometry(4, 40, 532, 340);
    QWidget* p = Panel2;

    // Rows of the paper form, top to bottom: label line 13 px above each field line.
    constexpr int kRow = 33;
    auto top = [](int row) { return 3 + row * kRow; };
    auto field = [&](int row) { return top(row) + 13; };

    LAuftraggeberBank =
        label(p, QStringLiteral("Name und Sitz des beauftragten Kreditintitus"), 8, top(0));
    EAuftraggeberBank = maskEdit(p, 8, field(0), 330, f);
    LAuftraggeberBLZ = label(p, QStringLiteral("Bankleitzahl des Auftraggebers"), 350, top(0));
    EAuftraggeberBLZ = maskEdit(p, 350, field(0), 135, f);

    Label5 = label(p, QStringLiteral("Empfänger: Name, Vorname / Firma"), 8, top(1));
    EEmpfaenger = combo(p, 8, field(1), 477, f, true);

    Label6 = label(p, QStringLiteral("Konto-Nr. des Empfängers"), 8, top(2), 300);
    EKontonr = maskEdit(p, 8, field(2), 250, f);
    EIBANEmpf = edit(p, 8, field(2), 310, f);
    Label8 = label(p, QStringLiteral("Bankleitzahl"), 330, top(2), 190);
    EBLZ = maskEdit(p, 330, field(2), 155, f, QStringLiteral("00000000;1;-"));

    Label9 = label(p, QStringLiteral("bei (Kreditinstitut)"), 8, top(3), 400);
    EBank = edit(p, 8, field(3), 477, f);
    EBank2 = edit(p, 8 + 245 + 8, field(3), 477 - 245 - 8, f);

    Label105 = label(p, QStringLiteral("Art"), 8, top(4));
    EArt = maskEdit(p, 8, field(4), 60, f);
    Label106 = label(p, QStringLiteral("Entgelt"), 76, top(4));
    EEntgelt = maskEdit(p, 76, field(4), 60, f);
    Label107 = label(p, QStringLiteral("Zielland"), 144, top(4));
    EZielland = maskEdit(p, 144, field(4), 120, f);
    Label10 = label(p, QStringLiteral("Betrag: Euro, Cent"), 330, top(4));
    EBetrag = maskEdit(p, 330, field(4), 155, f);

    Label11 = label(
        p, QStringLiteral("Verwendungszweck - z.B. Kunden-Referenznummer - (nur für Empfänger)"), 8,
        top(5));
    EVerwendung1 = edit(p, 8, field(5), 477, f);
    Label12 = label(p,
                    QStringLiteral("noch Verwendungszweck (ggf. Anschrift des Auftraggebers: "
                                   "Straße, PLZ, Ort)"),
                    8, top(6));
    EVerwendung2 = edit(p, 8, field(6), 477, f);

    Label13 = label(p, QStringLiteral("Auftraggeber: Name, Vorname / Firma"), 8, top(7));
    EAuftraggeber = combo(p, 8, field(7), 477, f, true);

    LEigeneKontonr = label(p, QStringLiteral("Konto-Nr. des Auftraggebers"), 8, top(8), 300);
    EEigeneKontonr = maskEdit(p, 8, field(8), 250, f);
    EIBANAuftrag = edit(p, 8, field(8), 310, f);
    LAusfuehrungsdatum = label(p, QStringLiteral("Ausführungsdatum TTMMJJ"), 330, top(8));
    EAusfuehrungsdatum = maskEdit(p, 330, field(8), 80, f);
    LBedarf = label(p, QStringLiteral("Nur bei Bedarf angeben!"), 416, field(8) + 3);
    Label102 = label(p, QStringLiteral("A"), 330, top(8));
    EPostbankA = maskEdit(p, 330, field(8), 40, f);
    Label103 = label(p, QStringLiteral("B"), 380, top(8));
    EPostbankB = maskEdit(p, 380, field(8), 70, f, QStringLiteral("!90/90/;1;_"));
    Label104 = label(p, QStringLiteral("C"), 460, top(8));
    EPostbankC = check(p, QString(), 460, field(8) + 1);

    LDatumUnterschrift = label(p, QStringLiteral("Datum"), 8, top(9));
    EDatumUnterschrift = edit(p, 8, field(9), 110, f);
    CBAnschriftweitergabe = check(p, QString(), 140, field(9) + 1);
    LAnschriftweitergabe =
        label(p, QStringLiteral("Bitte ankreuzen, wenn Anschrift weitergegeben werden soll!"), 160,
              field(9) + 3);

    // Under each IBAN field, beside the caption of the next line.
    LIBANEmpfStatus = label(p, QString(), 150, top(3), 485 - 150);
    LIBANAuftragStatus = label(p, QString(), 60, top(9), 485 - 60);

    // Boxes of other editions start hidden; the variant buttons show them.
    for (QWidget* w : std::initializer_list<QWidget*>{EAuftraggeberBank,
                                                      LAuftraggeberBank,
                                                      EAuftraggeberBLZ,
                                                      LAuftraggeberBLZ,
                                                      EIBANEmpf,
                                                      EBank2,
                                                      EArt,
                                                      EEntgelt,
                                                      EZielland,
                                                      Label105,
                                                      Label106,
                                                      Label107,
                                                      CBAnschriftweitergabe,
                                                      LAnschriftweitergabe,
                                                      EIBANAuftrag,
                                                      EAusfuehrungsdatum,
                                                      LAusfuehrungsdatum,
                                                      LBedarf,
                                                      EPostbankA,
                                                      EPostbankB,
                                                      EPostbankC,
                                                      Label102,
                                                      Label103,
                                                      Label104,
                                                      LIBANEmpfStatus,
                                                      LIBANAuftragStatus})
        w->hide();

    constexpr int kButtonY = 386;
    Button7 = button(this, QStringLiteral("Quittung drucken"), 4, kButtonY, 104);
    Button10 = button(this, QStringLiteral("Löschen"), 111, kButtonY, 104);
    Button29 = button(this, QStringLiteral("Auslandsüberw."), 218, kButtonY, 104);
    Button1 = button(this, QStringLiteral("Drucken"), 325, kButtonY, 104);
    Button2 = button(this, QStringLiteral("Drucker ändern"), 432, kButtonY, 104);
    BVorschau = button(this, QStringLiteral("Vorschau"), 325, kButtonY - 38, 104);
}

} // namespace formidor::gui
