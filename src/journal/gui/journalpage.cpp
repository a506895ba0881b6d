#include "journal/gui/journalpage.h"

#include <QHeaderView>

namespace formidor::gui {

JournalPage::JournalPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("JournalX"));
    Button42 = new QPushButton(QStringLiteral("Löschen"), this);
    Button42->setGeometry(8, 6, 100, 25);
    Button43 = new QPushButton(QStringLiteral("Drucken"), this);
    Button43->setGeometry(114, 6, 100, 25);

    StringGrid1 = new QTableView(this);
    StringGrid1->setGeometry(8, 38, 524, 372);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(18);
    StringGrid1->setShowGrid(false);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setWordWrap(false);
}

} // namespace formidor::gui
