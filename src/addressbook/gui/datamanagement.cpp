#include "addressbook/gui/datamanagement.h"

#include "addressbook/addressbook.h"
#include "addressbook/datamanagement.h"
#include "platform/gui/guard.h"
#include "printjob/PJSimpleTextGrid.h"
#include "printjob/gui/PSWindow.h"

#include <QEvent>

namespace formidor::gui {

namespace {

// The row of the selected entry, −1 when none is selected.
int itemIndex(const QListWidget* box) {
    const int row = box->currentRow();
    if (row >= 0 && box->item(row)->isSelected()) return row;
    return -1;
}

void fill(QListWidget* box, std::string_view collection) {
    box->clear();
    for (const auto& name : collectionNames(collection)) box->addItem(QString::fromStdString(name));
}

void applyPreviewDesign(TPreviewWindow& w, TSimpleTextGridPrintJob& job) {
    w.SetPrintJob(&job);
    w.SetCaption(QString::fromUtf8(kAddressListTitle));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    w.SetFont(font);
    w.SetPosition(poMainFormCenter);
    w.SetWindowLeft(0);
    w.SetWindowTop(0);
    w.SetWindowWidth(400);
    w.SetWindowHeight(500);
    w.SetColor(Qt::black);
    w.SetShadowColor(Qt::black);
    w.SetShadowSize(0);
    w.SetDragScroll(false);
    w.SetViewMode(vmPageWidth);
}

} // namespace

// One list of the page: its box, its collection, its detail lines, its job and window.
struct DataManagement::List {
    QListWidget* box;
    std::string_view collection;
    std::vector<QLabel*> lines;
    std::unique_ptr<TSimpleTextGridPrintJob> job;
    QPointer<TPreviewWindow> window;
};

DataManagement::DataManagement(DataPage* page, QWidget* mainWindow)
    : QObject(page), page_(page), mainWindow_(mainWindow) {
    lists_[0].reset(
        new List{page->LBAbs, kUeberwA, {page->LA1, page->LA2, page->LA3, page->LA4}, {}, {}});
    lists_[1].reset(
        new List{page->LBEmpf,
                 kUeberwE,
                 {page->LE1, page->LE2, page->LE3, page->LE4, page->LE5, page->LE6, page->LE7},
                 {},
                 {}});
    page->installEventFilter(this);
    connect(page->LBAbs, &QListWidget::itemSelectionChanged, this,
            [this] { runGuarded([this] { LBAbsClick(); }, page_); });
    connect(page->LBEmpf, &QListWidget::itemSelectionChanged, this,
            [this] { runGuarded([this] { LBEmpfClick(); }, page_); });
    connectGuarded(page->Button30, &QPushButton::clicked, this, [this] { Button30Click(); });
    connectGuarded(page->Button31, &QPushButton::clicked, this, [this] { Button31Click(); });
    connectGuarded(page->Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    connectGuarded(page->Button9, &QPushButton::clicked, this, [this] { Button9Click(); });
}

DataManagement::~DataManagement() {
    // A window must not outlive the job it shows.
    for (auto& l : lists_) delete l->window.data();
}

bool DataManagement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == page_ && event->type() == QEvent::Show && !event->spontaneous())
        runGuarded([this] { TabSheet13Show(); }, page_);
    return QObject::eventFilter(watched, event);
}

DataManagement::List& DataManagement::list(int which) {
    List& l = *lists_[which];
    if (!l.job) {
        l.job = std::make_unique<TSimpleTextGridPrintJob>();
        QListWidget* box = l.box;
        setupAddressListJob(*l.job, l.collection, [box](int row) -> std::optional<std::string> {
            if (row < 0 || row >= box->count()) return std::nullopt;
            return box->item(row)->text().toStdString();
        });
        // Owned by the main window, on which it is centred; without one by this object.
        l.window = new TPreviewWindow(mainWindow_ ? static_cast<QObject*>(mainWindow_.data())
                                                  : static_cast<QObject*>(this));
        applyPreviewDesign(*l.window, *l.job);
        l.window->SetOnShow(
            [this, which](QObject*) { which == 0 ? PreviewWindow1Show() : PreviewWindow2Show(); });
    }
    return l;
}

TSimpleTextGridPrintJob& DataManagement::SimpleTextGridPrintJob1() {
    return *list(0).job;
}
TSimpleTextGridPrintJob& DataManagement::SimpleTextGridPrintJob2() {
    return *list(1).job;
}
TPreviewWindow& DataManagement::PreviewWindow1() {
    return *list(0).window;
}
TPreviewWindow& DataManagement::PreviewWindow2() {
    return *list(1).window;
}

void DataManagement::TabSheet13Show() {
    fill(page_->LBAbs, kUeberwA);
    fill(page_->LBEmpf, kUeberwE);
}

void DataManagement::showDetails(int which) {
    List& l = *lists_[which];
    const int row = itemIndex(l.box);
    if (row < 0) return;
    const QString name = l.box->item(row)->text();
    const auto values = recordDetails(l.collection, name.toStdString());
    if (values) l.lines[0]->setText(name);
    for (size_t i = 1; i < l.lines.size(); ++i)
        l.lines[i]->setText(values ? QString::fromStdString((*values)[i - 1]) : QString());
}

void DataManagement::LBAbsClick() {
    showDetails(0);
}
void DataManagement::LBEmpfClick() {
    showDetails(1);
}

void DataManagement::deleteSelected(int which) {
    List& l = *lists_[which];
    const int row = itemIndex(l.box);
    checkListIndex(row, l.box->count());
    deleteRecord(l.collection, l.box->item(row)->text().toStdString());
    fill(l.box, l.collection);
}

void DataManagement::Button30Click() {
    deleteSelected(0);
}
void DataManagement::Button31Click() {
    deleteSelected(1);
}

void DataManagement::previewList(int which) {
    if (lists_[which]->box->count() == 0) return;
    list(which).window->ShowModal();
}

void DataManagement::Button6Click() {
    previewList(0);
}
void DataManagement::Button9Click() {
    previewList(1);
}

void DataManagement::PreviewWindow1Show() {
    SimpleTextGridPrintJob1().SetRowCount(page_->LBAbs->count());
}
void DataManagement::PreviewWindow2Show() {
    SimpleTextGridPrintJob2().SetRowCount(page_->LBEmpf->count());
}

DataManagement* setupDataPage(DataPage* page, QWidget* mainWindow) {
    return new DataManagement(page, mainWindow);
}

} // namespace formidor::gui
