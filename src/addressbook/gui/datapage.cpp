#include "addressbook/gui/datapage.h"

namespace formidor::gui {

namespace {
QLabel* detailLine(QWidget* parent, int y) {
    auto* l = new QLabel(parent);
    l->setGeometry(8, y, 240, 15);
    return l;
}
} // namespace

DataPage::DataPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet13"));

    Label32 = new QLabel(QStringLiteral("Bitte markieren Sie die zu löschenden Daten und drücken "
                                        "dann jeweils auf löschen!"),
                         this);
    Label32->setGeometry(8, 4, 524, 15);
    Label33 = new QLabel(QStringLiteral("Auftraggeber"), this);
    Label33->setGeometry(8, 24, 200, 15);
    Label88 = new QLabel(QStringLiteral("Empfänger"), this);
    Label88->setGeometry(276, 24, 200, 15);

    LBAbs = new QListWidget(this);
    LBAbs->setGeometry(8, 40, 256, 150);
    LBEmpf = new QListWidget(this);
    LBEmpf->setGeometry(276, 40, 256, 150);

    Button30 = new QPushButton(QStringLiteral("Löschen"), this);
    Button30->setGeometry(8, 196, 125, 25);
    Button6 = new QPushButton(QStringLiteral("Liste drucken"), this);
    Button6->setGeometry(139, 196, 125, 25);
    Button31 = new QPushButton(QStringLiteral("Löschen"), this);
    Button31->setGeometry(276, 196, 125, 25);
    Button9 = new QPushButton(QStringLiteral("Liste drucken"), this);
    Button9->setGeometry(407, 196, 125, 25);

    GroupBox10 = new QGroupBox(QStringLiteral("Auftraggeber-Daten"), this);
    GroupBox10->setGeometry(8, 230, 256, 180);
    LA1 = detailLine(GroupBox10, 22);
    LA2 = detailLine(GroupBox10, 42);
    LA3 = detailLine(GroupBox10, 62);
    LA4 = detailLine(GroupBox10, 82);

    GroupBox11 = new QGroupBox(QStringLiteral("Empfänger-Daten"), this);
    GroupBox11->setGeometry(276, 230, 256, 180);
    LE1 = detailLine(GroupBox11, 22);
    LE2 = detailLine(GroupBox11, 42);
    LE3 = detailLine(GroupBox11, 62);
    LE4 = detailLine(GroupBox11, 82);
    LE5 = detailLine(GroupBox11, 102);
    LE6 = detailLine(GroupBox11, 122);
    LE7 = detailLine(GroupBox11, 142);
}

} // namespace formidor::gui
