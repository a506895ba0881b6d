#include "journal/gui/journalmodel.h"

#include "platform/gui/guard.h"

#include <QItemSelectionModel>
#include <QPointer>
#include <QTableView>
#include <algorithm>

namespace formidor::gui {

JournalModel::JournalModel(const Journal& journal, QObject* parent)
    : QAbstractTableModel(parent), journal_(journal) {}

int JournalModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    const auto n = static_cast<int>(journal_.Liste().size());
    return std::max(1, n * kJournalRowsPerRecord);
}

int JournalModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant JournalModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const auto& list = journal_.Liste();
    const size_t record = static_cast<size_t>(index.row() / kJournalRowsPerRecord);
    if (record >= list.size()) return QString();
    return QString::fromStdString(
        journalCell(list[record], index.row() % kJournalRowsPerRecord, index.column()));
}

void JournalModel::JournalAnzeigen() {
    beginResetModel();
    endResetModel();
}

void StringGrid1Click(QTableView* StringGrid1) {
    auto* model = StringGrid1->model();
    if (!model) return;
    const QModelIndex current = StringGrid1->currentIndex();
    const auto block = journalBlockOf(current.isValid() ? current.row() : 0, model->rowCount());
    QItemSelection selection(model->index(block.top, 0), model->index(block.bottom, 1));
    StringGrid1->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

JournalModel* attachJournalGrid(QTableView* StringGrid1, Journal& journal) {
    auto* model = new JournalModel(journal, StringGrid1);
    StringGrid1->setModel(model);
    StringGrid1->setColumnWidth(0, 30);
    StringGrid1->setColumnWidth(1, 505);
    journal.SetOnAnzeigen([model = QPointer<JournalModel>(model)] {
        if (model) model->JournalAnzeigen();
    });
    connectGuarded(StringGrid1, &QAbstractItemView::clicked, StringGrid1,
                   [StringGrid1] { StringGrid1Click(StringGrid1); });
    return model;
}

void showJournalAtStart(QTableView* StringGrid1, Journal& journal) {
    attachJournalGrid(StringGrid1, journal);
    runGuarded([&journal] { journal.JournalLaden(); }, StringGrid1->window());
    StringGrid1Click(StringGrid1);
}

} // namespace formidor::gui
