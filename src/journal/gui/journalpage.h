#pragma once
// The journal page "Journal" (JournalX): the printed items three rows each, and the buttons
// that print or delete a range of them.
#include <QPushButton>
#include <QTableView>
#include <QWidget>

namespace formidor::gui {

class JournalPage : public QWidget {
    Q_OBJECT
public:
    explicit JournalPage(QWidget* parent = nullptr);

    QPushButton* Button42; // "Löschen"
    QPushButton* Button43; // "Drucken"
    // Two columns, no headers, no grid lines, 18-pixel rows, whole rows selected. The journal
    // grid model is set by the journal code.
    QTableView* StringGrid1;
};

} // namespace formidor::gui
