#include "forms/gui/parcelpage.h"

#include "forms/gui/pagebuild.h"

namespace formidor::gui {

using namespace build;

ParcelPage::ParcelPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet12"));
    const QFont pf = pageFont();

    ImagePaeckchen = new FormPicture(QStringLiteral("Paket und Päckchen D+EU"),
                                     QColor(0xFF, 0xFB, 0xE6), QColor(0xD0, 0x9C, 0x00), this);
    ImagePaeckchen->setGeometry(8, 8, 524, 366);
    QWidget* p = ImagePaeckchen;
    auto cap = [&](const char* text, int x, int y) {
        auto* l = label(p, QString::fromUtf8(text), x, y);
        l->setFont(pf);
        l->adjustSize();
    };
    auto e = [&](int x, int y, int w) { return edit(p, x, y, w, pf); };

    cap("Absender", 14, 30);
    EPPAbsender1 = combo(p, 14, 44, 250, pf, false);
    cap("Straße und Hausnummer", 14, 70);
    EPPAbsender2 = e(14, 84, 250);
    cap("PLZ", 14, 110);
    cap("Ort", 84, 110);
    EPPPLZ = e(14, 124, 64);
    EPPOrt = e(84, 124, 180);

    cap("Empfänger", 14, 170);
    cap("Anrede", 14, 186);
    EPPEAnrede = e(14, 200, 250);
    cap("Name", 14, 224);
    EPPEEmpf1 = combo(p, 14, 238, 250, pf, true);
    cap("Straße und Hausnummer", 14, 264);
    EPPEEmpf2 = e(14, 278, 250);
    cap("PLZ", 14, 304);
    cap("Ort", 84, 304);
    EPPEPLZ = e(14, 318, 64);
    EPPEOrt = e(84, 318, 180);
    cap("Land", 280, 304);
    EPPELand = e(280, 318, 150);

    constexpr int kButtonY = 386;
    Button35 = button(this, QStringLiteral("Löschen"), 8, kButtonY, 110);
    Button36 = button(this, QStringLiteral("Drucken"), 306, kButtonY, 110);
    Button37 = button(this, QStringLiteral("Drucker ändern"), 422, kButtonY, 110);
    BVorschau = button(this, QStringLiteral("Vorschau"), 190, kButtonY, 110);
}

} // namespace formidor::gui
