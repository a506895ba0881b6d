#include "forms/gui/cashondeliverypage.h"

#include "forms/gui/pagebuild.h"

namespace formidor::gui {

using namespace build;

CashOnDeliveryPage::CashOnDeliveryPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet6"));
    const QFont f = entryFont();
    const QFont small = pageFont();

    PageControl3 = new QTabWidget(this);
    PageControl3->setGeometry(4, 4, 532, 410);

    TabSheet11 = new QWidget;
    TabSheet11->setObjectName(QStringLiteral("TabSheet11"));
    PageControl3->addTab(TabSheet11, QStringLiteral("Nachnahme-Fomular"));
    {
        // The cash-on-delivery transfer is a yellow postal form.
        ImageNachnahme = new FormPicture(QStringLiteral("Nachnahme"), QColor(0xFF, 0xF4, 0xC8),
                                         QColor(0xC0, 0x8A, 0x00), TabSheet11);
        ImageNachnahme->setGeometry(6, 6, 514, 320);
        QWidget* p = ImageNachnahme;
        auto cap = [&](const char* text, int x, int y) {
            auto* l = label(p, QString::fromUtf8(text), x, y);
            l->setFont(small);
            l->adjustSize();
        };
        cap("Empfänger: Name, Vorname / Firma", 10, 8);
        EEmpfN = combo(p, 10, 22, 360, f, true);
        cap("Straße", 10, 48);
        EStrasseN = edit(p, 10, 62, 360, f);
        cap("PLZ, Ort", 10, 86);
        EPLZOrtN = edit(p, 10, 100, 360, f);
        cap("Konto-Nr. des Empfängers", 10, 124);
        EKontonrEmpfN = maskEdit(p, 10, 138, 200, f);
        cap("Bankleitzahl", 220, 124);
        EBLZN = edit(p, 220, 138, 150, f);
        cap("bei (Kreditinstitut)", 10, 162);
        EBankN = edit(p, 10, 176, 360, f);
        cap("Verwendungszweck - z.B. Kunden-Referenznummer - (nur für Empfänger)", 10, 200);
        EVerwendung1N = edit(p, 10, 214, 360, f);
        EVerwendung2N = edit(p, 10, 238, 360, f);
        cap("Einlieferungsdatum", 390, 8);
        NNEinlieferungsdatum = maskEdit(p, 390, 22, 114, f);
        cap("Betrag EUR", 390, 48);
        NNBetrag2 = edit(p, 390, 62, 114, f);
        cap("Betrag + 2 EUR", 390, 86);
        NNBetragplus2 = edit(p, 390, 100, 114, f);
        cap("Verwendungszweck (2. Teil)", 10, 264);
        NNVerw1 = edit(p, 10, 278, 245, f);
        NNVerw2 = edit(p, 259, 278, 245, f);
        NNVerw1->setReadOnly(true);
        NNVerw2->setReadOnly(true);

        LHinweisN = label(TabSheet11,
                          QStringLiteral("Bitte das komplette DIN-A4-Formular einlegen "), 8, 336);
        QFont bold = small;
        bold.setBold(true);
        LHinweisN->setFont(bold);
        LHinweisN->adjustSize();
        constexpr int kButtonY = 352;
        Button26 = button(TabSheet11, QStringLiteral("Löschen"), 6, kButtonY, 110);
        Button18 = button(TabSheet11, QStringLiteral("Drucken"), 294, kButtonY, 110);
        Button19 = button(TabSheet11, QStringLiteral("Drucker ändern"), 410, kButtonY, 110);
        BVorschau = button(TabSheet11, QStringLiteral("Vorschau"), 178, kButtonY, 110);
    }

    TabSheet14 = new QWidget;
    TabSheet14->setObjectName(QStringLiteral("TabSheet14"));
    PageControl3->addTab(TabSheet14, QStringLiteral("Paketschein"));
    {
        ImagePaket = new FormPicture(QStringLiteral("Paketschein"), QColor(0xFF, 0xFB, 0xE6),
                                     QColor(0xD0, 0x9C, 0x00), TabSheet14);
        ImagePaket->setGeometry(6, 6, 514, 340);
        QWidget* p = ImagePaket;
        const QFont pf = small;
        auto cap = [&](const char* text, int x, int y) {
            auto* l = label(p, QString::fromUtf8(text), x, y);
            l->setFont(small);
            l->adjustSize();
        };
        auto e = [&](int x, int y, int w) { return edit(p, x, y, w, pf); };
        auto cb = [&](const char* text, int x, int y) {
            auto* c = check(p, QString::fromUtf8(text), x, y);
            c->setFont(small);
            c->adjustSize();
            return c;
        };

        cap("Absender", 10, 8);
        EPAbsender1 = combo(p, 10, 22, 240, pf, false);
        EPAbsender2 = e(10, 46, 240);
        cap("Postleitzahl", 10, 70);
        cap("Ort", 80, 70);
        EPAPlz = e(10, 84, 64);
        EPAOrt = e(80, 84, 170);

        cap("Anrede", 10, 150);
        EPEAnrede = e(10, 164, 240);
        EPEmpf1 = combo(p, 10, 188, 240, pf, true);
        cap("Straße und Hausnummer (kein Postfach)", 10, 212);
        EPEmpf2 = e(10, 226, 240);
        cap("Postleitzahl", 10, 250);
        cap("Ort", 80, 250);
        EPEPLz = e(10, 264, 64);
        EPEOrt = e(80, 264, 170);

        CBPExpress = cb("- Service", 270, 22);
        CBP9Uhr = cb("vor 9 Uhr", 270, 42);
        CBP10Uhr = cb("vor 10 Uhr", 270, 62);
        CBP12Uhr = cb("vor 12 Uhr", 270, 82);
        CBPSamstag = cb("Samstagszustell.", 380, 42);
        CBPSonntag = cb("Son/Feiertagszustell.", 380, 62);
        CBPNN = cb("Nachnahme", 270, 110);
        cap("DM/EUR", 270, 130);
        EPDMEUR = e(270, 144, 50);
        EPDMEUR->setText(QStringLiteral("EUR"));
        cap("Betrag", 326, 130);
        EPBetrag = e(326, 144, 100);
        cap("Bank", 270, 168);
        EPBAnk = e(270, 182, 234);
        cap("Konto-Nr.", 270, 206);
        EPKontonr = e(270, 220, 130);
        cap("BLZ", 406, 206);
        EPBLZ = e(406, 220, 98);
        cBPUnfrei = cb("Unfrei", 270, 252);
        CBPEigen = cb("Eigenhändig", 350, 252);
        cBPRueck = cb("Rückschein", 270, 274);
        CBPSperrgut = cb("Sperrgut", 350, 274);

        constexpr int kButtonY = 352;
        Button34 = button(TabSheet14, QStringLiteral("Löschen"), 6, kButtonY, 110);
        Button32 = button(TabSheet14, QStringLiteral("Drucken"), 294, kButtonY, 110);
        Button33 = button(TabSheet14, QStringLiteral("Drucker ändern"), 410, kButtonY, 110);
        BVorschauP = button(TabSheet14, QStringLiteral("Vorschau"), 178, kButtonY, 110);
    }
    PageControl3->setCurrentWidget(TabSheet14);
}

} // namespace formidor::gui
