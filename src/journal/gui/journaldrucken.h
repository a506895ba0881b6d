#pragma once
// The dialog "Journal drucken/löschen", shown modally from the journal page.
#include <QDialog>

namespace formidor::gui {

class TJournalDruckenF : public QDialog {
    Q_OBJECT
public:
    explicit TJournalDruckenF(QWidget* parent = nullptr);
};

} // namespace formidor::gui
