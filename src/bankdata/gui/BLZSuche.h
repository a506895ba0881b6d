#pragma once
// The bank-code search dialog: finds banks by name and place in the bank directory and puts
// the chosen bank code into the field BLZZielfeld names.
#include <QAbstractTableModel>
#include <QDialog>
#include <QPointer>
#include <QString>
#include <array>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace formidor::gui {

// The field a double click in the search dialog fills; set by whoever opens the dialog.
extern QPointer<QLineEdit> BLZZielfeld;

// The result grid: one row per hit, then one empty row.
class BLZGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Row = std::array<QString, 4>;
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    // The header row and one empty row.
    void reset();
    void setHits(std::vector<Row> rows);
    // Cell text as it stands in the file (the grid shows it without trailing blanks).
    QString cell(int row, int col) const;

private:
    std::vector<Row> rows_;
};

class TBLZSucheF : public QDialog {
    Q_OBJECT
public:
    explicit TBLZSucheF(QWidget* parent = nullptr);

    void FormShow();
    void Button1Click();
    void StringGrid1DblClick();

    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* EBankname;
    QLineEdit* EOrt;
    QPushButton* Button1;
    QTableView* StringGrid1;
    BLZGridModel* Grid;

protected:
    void showEvent(QShowEvent* e) override;
};

// The button beside the direct debit page's bank-code field ("Bankleitzahlsuche !"): opens
// the search dialog modally for that field.
void BitBtn2Click(QLineEdit* EBLZZ, QWidget* parent);

} // namespace formidor::gui
