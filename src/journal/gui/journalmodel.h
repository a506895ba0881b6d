#pragma once
// The journal grid StringGrid1 as a model over the journal list: the rows' texts are made only
// for the rows the view paints, so a journal of 100,000 records opens and scrolls at once.
#include "journal/journal.h"

#include <QAbstractTableModel>

class QTableView;

namespace formidor::gui {

class JournalModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit JournalModel(const Journal& journal, QObject* parent = nullptr);

    // Three rows per record, two columns; an empty journal keeps one empty row like the grid.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // JournalAnzeigen: the list has changed, show it afresh.
    void JournalAnzeigen();

private:
    const Journal& journal_;
};

// Puts the journal into the grid: the model, the column widths 30 and 505, the refresh after
// every load, save and append, and StringGrid1Click on a click. Returns the model (owned by
// the grid).
JournalModel* attachJournalGrid(QTableView* StringGrid1, Journal& journal);

// The start of a run: attaches the grid, loads the journal (a journal that cannot be read is
// reported in a message box; the page stays usable and the file is left alone) and selects
// the first block.
void showJournalAtStart(QTableView* StringGrid1, Journal& journal);

// Selects the block of the record at the grid's current row (row 0 when there is none).
void StringGrid1Click(QTableView* StringGrid1);

} // namespace formidor::gui
