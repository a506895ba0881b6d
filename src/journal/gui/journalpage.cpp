#include "journal/gui/journalpage.h"

#include "journal/journal.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

namespace formidor::gui {

namespace {

// The grid is a list of records, three rows each: Tab leaves it for the next control, the
// arrow and page keys move from record to record, and following the current cell never
// scrolls the number column out of view (the text column is wider than what remains of the
// grid beside it).
class RecordGrid : public QTableView {
public:
    using QTableView::QTableView;

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override {
        if (!index.isValid()) return;
        QTableView::scrollTo(model()->index(index.row(), 0), hint);
        horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
    }

protected:
    // The keys that move the current row select the new record's block, as a click does.
    void keyPressEvent(QKeyEvent* event) override {
        CursorAction action;
        switch (event->key()) {
        case Qt::Key_Up:
            action = MoveUp;
            break;
        case Qt::Key_Down:
            action = MoveDown;
            break;
        case Qt::Key_PageUp:
            action = MovePageUp;
            break;
        case Qt::Key_PageDown:
            action = MovePageDown;
            break;
        case Qt::Key_Home:
            action = MoveHome;
            break;
        case Qt::Key_End:
            action = MoveEnd;
            break;
        default:
            QTableView::keyPressEvent(event);
            return;
        }
        event->accept();
        if (!model() || !selectionModel()) return;
        const QModelIndex target = moveCursor(action, event->modifiers());
        if (!target.isValid()) return;
        const auto block = journalBlockOf(target.row(), model()->rowCount());
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
        selectionModel()->select(
            QItemSelection(model()->index(block.top, 0), model()->index(block.bottom, 1)),
            QItemSelectionModel::ClearAndSelect);
        scrollTo(target);
    }

    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        if (!model()) return {};
        const int rows = model()->rowCount();
        const QModelIndex current = currentIndex();
        const int top = journalBlockOf(current.isValid() ? current.row() : 0, rows).top;
        int row = top;
        switch (action) {
        case MoveUp:
            row = top - kJournalRowsPerRecord;
            break;
        case MoveDown:
            row = top + kJournalRowsPerRecord;
            break;
        case MoveHome:
            row = 0;
            break;
        case MoveEnd:
            row = journalBlockOf(rows - 1, rows).top;
            break;
        case MoveLeft:
        case MoveRight:
        case MoveNext:
        case MovePrevious:
            break;
        default: {
            const QModelIndex moved = QTableView::moveCursor(action, modifiers);
            if (moved.isValid()) row = journalBlockOf(moved.row(), rows).top;
        }
        }
        if (row < 0 || row >= rows) row = top;
        return model()->index(row, 0);
    }
};

} // namespace

JournalPage::JournalPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("JournalX"));
    Button42 = new QPushButton(QStringLiteral("Löschen"), this);
    Button42->setGeometry(8, 6, 100, 25);
    Button43 = new QPushButton(QStringLiteral("Drucken"), this);
    Button43->setGeometry(114, 6, 100, 25);

    StringGrid1 = new RecordGrid(this);
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
    StringGrid1->setTabKeyNavigation(false);
}

} // namespace formidor::gui
