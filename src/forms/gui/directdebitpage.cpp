#include "forms/gui/directdebitpage.h"

#include "forms/gui/pagebuild.h"

#include <QStyle>

namespace formidor::gui {

using namespace build;

DirectDebitPage::DirectDebitPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet1"));
    const QFont f = entryFont();

    PageControl2 = new QTabWidget(this);
    PageControl2->setGeometry(4, 4, 532, 410);

    TabSheet7 = new QWidget;
    TabSheet7->setObjectName(QStringLiteral("TabSheet7"));
    PageControl2->addTab(TabSheet7, QStringLiteral("Lastschrift drucken"));
    {
        QWidget* p = TabSheet7;
        constexpr int kRow = 38;
        auto top = [](int row) { return 8 + row * kRow; };
        auto field = [&](int row) { return top(row) + 13; };

        LNameZ = label(p, QStringLiteral("Zahlungspflichtiger: Name, Vorname / Firma"), 8, top(0));
        ENameZ = combo(p, 8, field(0), 477, f, true);
        LKontonrZ = label(p, QStringLiteral("Konto-Nr. des Zahlungsempfängers"), 8, top(1));
        EKontonrZ = maskEdit(p, 8, field(1), 250, f);
        LBLZZ = label(p, QStringLiteral("Bankleitzahl"), 290, top(1));
        EBLZZ = maskEdit(p, 290, field(1), 155, f, QStringLiteral("00000000;1;-"));
        BitBtn2 = new QToolButton(p);
        BitBtn2->setGeometry(450, field(1) - 1, 35, 22);
        BitBtn2->setIcon(p->style()->standardIcon(QStyle::SP_FileDialogContentsView));
        BitBtn2->setToolTip(QStringLiteral("Bankleitzahlsuche !"));
        LBankZ = label(p, QStringLiteral("bei (Kreditinstitut)"), 8, top(2));
        EBankZ = edit(p, 8, field(2), 477, f);
        StatusZ = label(p, QStringLiteral("Status"), 8, field(3) + 3);
        StatusZ->setFixedWidth(310);
        StatusZ->setVisible(false);
        LBetragZ = label(p, QStringLiteral("Betrag"), 330, top(3));
        EBetragZ = maskEdit(p, 330, field(3), 155, f);
        LVerwendung1Z = label(
            p,
            QStringLiteral("Verwendungszweck - z.B. Kunden-Referenznummer - (nur für Empfänger)"),
            8, top(4));
        EVerwendung1Z = edit(p, 8, field(4), 477, f);
        LVerwendung2Z = label(p,
                              QStringLiteral("noch Verwendungszweck (ggf. Anschrift des "
                                             "Auftraggebers: Straße, PLZ, Ort)"),
                              8, top(5));
        EVerwendung2Z = edit(p, 8, field(5), 477, f);
        LNameZEmpf =
            label(p, QStringLiteral("Zahlungsempfänger: Name, Vorname / Firma"), 8, top(6));
        ENameZEmpf = combo(p, 8, field(6), 477, f, true);
        LKontonrZEmpf = label(p, QStringLiteral("Konto-Nr. des Zahlungsempfängers"), 8, top(7));
        EKontonrZEmpf = maskEdit(p, 8, field(7), 250, f);

        constexpr int kButtonY = 340;
        Button25 = button(p, QStringLiteral("Löschen"), 8, kButtonY, 110);
        Button13 = button(p, QStringLiteral("Drucken"), 260, kButtonY, 110);
        Button14 = button(p, QStringLiteral("Drucker ändern"), 375, kButtonY, 110);
        BVorschau = button(p, QStringLiteral("Vorschau"), 140, kButtonY, 110);
    }

    TabSheet8 = new QWidget;
    TabSheet8->setObjectName(QStringLiteral("TabSheet8"));
    PageControl2->addTab(TabSheet8, QStringLiteral("Deckblatt drucken"));
    {
        QWidget* p = TabSheet8;
        constexpr int kRow = 42;
        auto top = [](int row) { return 12 + row * kRow; };
        auto field = [&](int row) { return top(row) + 13; };

        LKontoinhaberD = label(p, QStringLiteral("Kontoinhaber: Name, Vorname / Firma"), 8, top(0));
        EKontoinhaberD = edit(p, 8, field(0), 477, f);
        LKontonrZahlungsempf =
            label(p, QStringLiteral("Konto-Nr. des Zahlungsempfängers"), 8, top(1));
        EKontonrZahlungsempf = maskEdit(p, 8, field(1), 250, f);
        LStueckzahlD = label(p, QStringLiteral("Stückzahl"), 8, top(2));
        EStueckzahlD = maskEdit(p, 8, field(2), 100, f, {}, QStringLiteral("0"));
        LBetragD = label(p, QStringLiteral("Betrag: Euro, Cent"), 130, top(2));
        EBetragD = maskEdit(p, 130, field(2), 155, f, {}, QStringLiteral("0,00"));
        LDatumD = label(p, QStringLiteral("Datum"), 8, top(3));
        EDatumD = edit(p, 8, field(3), 110, f);
        LWertD = label(p, QStringLiteral("Wert"), 130, top(3));
        EWertD = edit(p, 130, field(3), 155, f);
        LHinweisD = label(p,
                          QStringLiteral("Hier können Sie das Lastschrift-Deckblatt bedrucken, die "
                                         "Stückzahl und der Betrag wird automatisch auffaddiert "
                                         "beim Eingeben der einzelnen Lastschriften."),
                          8, top(3), 477);
        LHinweisD->setWordWrap(true);
        LHinweisD->resize(477, 3 * kLabelHeight);
        for (QWidget* w : {static_cast<QWidget*>(LDatumD), static_cast<QWidget*>(EDatumD),
                           static_cast<QWidget*>(LWertD), static_cast<QWidget*>(EWertD)})
            w->hide();

        constexpr int kButtonY = 340;
        Button17 = button(p, QStringLiteral("Quittung drucken"), 8, kButtonY, 110);
        Button15 = button(p, QStringLiteral("Drucken"), 260, kButtonY, 110);
        Button16 = button(p, QStringLiteral("Drucker ändern"), 375, kButtonY, 110);
        BVorschauD = button(p, QStringLiteral("Vorschau"), 140, kButtonY, 110);
    }
}

} // namespace formidor::gui
