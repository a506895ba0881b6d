#include "journal/gui/journaldrucken.h"

namespace formidor::gui {

TJournalDruckenF::TJournalDruckenF(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("JournalDruckenF"));
    setWindowTitle(QStringLiteral("Journal drucken/löschen"));
    resize(360, 200);
}

} // namespace formidor::gui
