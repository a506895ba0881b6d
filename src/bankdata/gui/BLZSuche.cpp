#include "bankdata/gui/BLZSuche.h"

#include "bankdata/bankdirectory.h"
#include "bankdata/gui/bankfields.h"
#include "platform/gui/guard.h"

#include <QFont>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace formidor::gui {

QPointer<QLineEdit> BLZZielfeld;

namespace {
const char* const kHeaders[4] = {"Bankleitzahl", "Bankname", "PLZ", "Ort"};
constexpr int kWidths[4] = {64, 250, 40, 120};
constexpr int kRowHeight = 18;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QString withoutTrailingBlanks(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == QLatin1Char(' ')) --n;
    return s.left(n);
}
} // namespace

int BLZGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size()) + 1;
}

int BLZGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QString BLZGridModel::cell(int row, int col) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || col < 0 || col >= 4) return {};
    return rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

QVariant BLZGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole) return {};
    return withoutTrailingBlanks(cell(index.row(), index.column()));
}

QVariant BLZGridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 4)
        return QString::fromUtf8(kHeaders[section]);
    return {};
}

void BLZGridModel::reset() {
    setHits({});
}

void BLZGridModel::setHits(std::vector<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

TBLZSucheF::TBLZSucheF(QWidget* parent) : QDialog(parent) {
    setObjectName("BLZSucheF");
    setWindowTitle("Bankleitzahlen finden - leicht gemacht ...");
    setWindowFlag(Qt::Tool);

    // The window font of the main window, so that the texts keep the proportions the
    // dialog was laid out for.
    QFont windowFont(QStringLiteral("Arial"));
    windowFont.setStyleHint(QFont::SansSerif);
    windowFont.setPixelSize(11);
    setFont(windowFont);

    Label1 = new QLabel("Bankleitzahlsuchsystem", this);
    QFont f = windowFont;
    f.setPixelSize(20);
    f.setBold(true);
    Label1->setFont(f);
    Label2 = new QLabel("Bitte geben Sie den Bankname und den Ort ein, und klicken Sie dann auf "
                        "Suchen. Dann einfach in der unteren Tabelle die gewünschte Bank per "
                        "Doppelklick auswählen!",
                        this);
    Label2->setWordWrap(true);

    EBankname = new QLineEdit(this);
    EBankname->setObjectName("EBankname");
    EOrt = new QLineEdit(this);
    EOrt->setObjectName("EOrt");
    auto* lName = new QLabel("Bankname", this);
    auto* lOrt = new QLabel("Ort", this);
    lName->setBuddy(EBankname);
    lOrt->setBuddy(EOrt);
    Button1 = new QPushButton("Suchen", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button1->setAutoDefault(true);

    Grid = new BLZGridModel(this);
    StringGrid1 = new QTableView(this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setModel(Grid);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setWordWrap(false);
    // The column widths are those of a small dialog font; a compact face keeps codes and
    // postal codes whole in them.
    QFont gridFont = StringGrid1->font();
    gridFont.setPixelSize(11);
    StringGrid1->setFont(gridFont);
    StringGrid1->horizontalHeader()->setFont(gridFont);
    StringGrid1->setTextElideMode(Qt::ElideNone);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    int w = 0;
    for (int width : kWidths) w += width;
    StringGrid1->setFixedSize(w + 2 + 18, 14 * kRowHeight);

    auto* entries = new QGridLayout;
    entries->addWidget(lName, 0, 0);
    entries->addWidget(EBankname, 0, 1);
    entries->addWidget(lOrt, 1, 0);
    entries->addWidget(EOrt, 1, 1);
    entries->addWidget(Button1, 0, 2, 2, 1, Qt::AlignVCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addLayout(entries);
    layout->addWidget(StringGrid1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connectGuarded(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connectGuarded(StringGrid1, &QTableView::doubleClicked, this,
                   [this] { StringGrid1DblClick(); });
}

void TBLZSucheF::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    runGuarded([this] { FormShow(); }, this);
}

void TBLZSucheF::FormShow() {
    StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
    StringGrid1->verticalHeader()->setMinimumSectionSize(kRowHeight);
    for (int c = 0; c < 4; ++c) StringGrid1->setColumnWidth(c, kWidths[c]);
    Grid->reset();
    EBankname->clear();
    EOrt->clear();
}

void TBLZSucheF::Button1Click() {
    Grid->reset();
    BankDirectory dir = BankDirectory::read(bankDirectoryFile());
    auto hits = dir.search(EBankname->text().toStdString(), EOrt->text().toStdString());
    std::vector<BLZGridModel::Row> rows;
    rows.reserve(hits.size());
    for (const auto& h : hits) rows.push_back({qs(h.blz), qs(h.name), qs(h.plz), qs(h.ort)});
    Grid->setHits(std::move(rows));
    StringGrid1->setCurrentIndex(Grid->index(0, 0));
}

void TBLZSucheF::StringGrid1DblClick() {
    QString code = Grid->cell(StringGrid1->currentIndex().row(), 0);
    if (BLZZielfeld) {
        setFieldText(BLZZielfeld, code);
        BLZZielfeld->setFocus();
    }
    accept();
}

void BitBtn2Click(QLineEdit* EBLZZ, QWidget* parent) {
    BLZZielfeld = EBLZZ;
    TBLZSucheF dialog(parent);
    dialog.exec();
}

} // namespace formidor::gui
