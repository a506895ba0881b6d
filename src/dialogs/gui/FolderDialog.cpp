#include "dialogs/gui/FolderDialog.h"

#include "platform/syserror.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <filesystem>
#include <system_error>

namespace formidor::dialogs {

namespace {

constexpr int kStatusLength = 50;
constexpr int kNewFolderButtonId = 255;

QStringList toQt(const std::vector<std::string>& v) {
    QStringList l;
    for (const auto& s : v) l << QString::fromStdString(s);
    return l;
}

std::vector<std::string> fromQt(const QStringList& l) {
    std::vector<std::string> v;
    for (const auto& s : l) v.push_back(s.toStdString());
    return v;
}

// The browser's own texts follow the captions' language: German or English.
bool german(const QString& locale) {
    return locale.endsWith(QLatin1String("07"));
}

QString placePath(RootPlace place) {
    switch (place) {
    case RootPlace::Computer:
        return {};
    case RootPlace::FileSystem:
        return QStringLiteral("/");
    case RootPlace::Home:
        return QDir::homePath();
    case RootPlace::Desktop: {
        QString d = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        return QFileInfo(d).isDir() ? d : QDir::homePath();
    }
    }
    return {};
}

} // namespace

TFolderDialog::TFolderDialog(QObject* owner) : QObject(owner) {
    FLocale = QString::fromStdString(LanguageIdentifier(QLocale().name().toStdString()));
    FLabelCaptions = toQt(DefaultLabelCaptions());
    FNewFolderCaptions = toQt(DefaultNewFolderCaptions());
    Loaded();
    AskFolderName = [](QWidget* parent, const QString& caption) {
        bool ok = false;
        QString name =
            QInputDialog::getText(parent, caption, QString(), QLineEdit::Normal, QString(), &ok);
        return ok ? name : QString();
    };
    ShowWarning = [](QWidget* parent, const QString& caption, const QString& text) {
        QMessageBox::warning(parent, caption, text);
    };
}

TFolderDialog::~TFolderDialog() = default;

void TFolderDialog::Loaded() {
    FLabelCaption =
        QString::fromStdString(ChooseCaption(fromQt(FLabelCaptions), FLocale.toStdString()));
    FNewFolderCaption =
        QString::fromStdString(ChooseCaption(fromQt(FNewFolderCaptions), FLocale.toStdString()));
}

void TFolderDialog::SetLabelCaptions(const QStringList& l) {
    FLabelCaptions = l;
    FLabelCaption =
        QString::fromStdString(ChooseCaption(fromQt(FLabelCaptions), FLocale.toStdString()));
}

void TFolderDialog::SetNewFolderCaptions(const QStringList& l) {
    FNewFolderCaptions = l;
    FNewFolderCaption =
        QString::fromStdString(ChooseCaption(fromQt(FNewFolderCaptions), FLocale.toStdString()));
    if (FNewFolderHandle) {
        FNewFolderHandle->setText(FNewFolderCaption);
        placeNewFolderButton();
    }
}

bool TFolderDialog::LabelCaptionsStored() const {
    return FLabelCaptions != toQt(DefaultLabelCaptions());
}

bool TFolderDialog::NewFolderCaptionsStored() const {
    return FNewFolderCaptions != toQt(DefaultNewFolderCaptions());
}

void TFolderDialog::SetNewFolderVisible(bool v) {
    FNewFolderVisible = v;
    if (FNewFolderHandle) FNewFolderHandle->setVisible(v);
}

void TFolderDialog::SetNewFolderEnabled(bool v) {
    FNewFolderEnabled = v;
    updateNewFolderButton();
}

void TFolderDialog::updateNewFolderButton() {
    if (FNewFolderHandle) FNewFolderHandle->setEnabled(FValidPath && FNewFolderEnabled);
}

void TFolderDialog::SetSelectedFolder(const QString& f) {
    FSelectedFolder = f;
    if (FDialogHandle) selectPath(f);
}

bool TFolderDialog::Execute() {
    FSelectedFolder = FFolder;
    PStartItemIDList.clear();
    bool confirmed = false;
    do {
        FInitialized = false;
        FRestart = false;
        FFolder = FSelectedFolder;
        confirmed = runBrowser();
    } while (FRestart);
    if (!confirmed) return false;
    FFolder = returned_;
    FSelectedFolder = FFolder;
    FImageIndex = 0;
    return true;
}

bool TFolderDialog::runBrowser() {
    QWidget* owner = FParentHandle;
    if (!owner) {
        if (auto* w = qobject_cast<QWidget*>(parent())) owner = w->window();
    }
    if (!owner) owner = QApplication::activeWindow();

    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("FolderDialog"));
    dialog.setWindowTitle(german(FLocale) ? QStringLiteral("Ordner suchen")
                                          : QStringLiteral("Browse For Folder"));
    auto* layout = new QVBoxLayout(&dialog);
    title_ = new QLabel(FLabelCaption, &dialog);
    title_->setWordWrap(true);
    layout->addWidget(title_);
    status_ = new QLabel(&dialog);
    status_->setObjectName(QStringLiteral("Status"));
    status_->setVisible(FFlags.contains(TBrowseInfoFlags::ShowPath));
    layout->addWidget(status_);

    model_ = new QFileSystemModel(&dialog);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setReadOnly(true);
    const RootPlace place = rootFolderInfo(FRootFolder).place;
    const QString rootPath = placePath(place);
    model_->setRootPath(rootPath.isEmpty() ? QStringLiteral("/") : rootPath);
    tree_ = new QTreeView(&dialog);
    tree_->setModel(model_);
    for (int c = 1; c < model_->columnCount(); ++c) tree_->hideColumn(c);
    tree_->header()->hide();
    tree_->setRootIndex(rootPath.isEmpty() ? QModelIndex() : model_->index(rootPath));
    layout->addWidget(tree_, 1);

    auto* buttons = new QDialogButtonBox(&dialog);
    ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(german(FLocale) ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"),
                       QDialogButtonBox::RejectRole);
    ok_->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // The folders above the selection fill in the background, and a busy one is read again on
    // every change, pushing the selection out of view; it is brought back each time until the
    // user scrolls or selects.
    connect(model_, &QFileSystemModel::directoryLoaded, &dialog, [this](const QString& dir) {
        if (!pendingScroll_.contains(dir)) return;
        QTimer::singleShot(0, tree_, [this] {
            if (tree_ && !pendingScroll_.isEmpty())
                tree_->scrollTo(tree_->currentIndex(), QAbstractItemView::PositionAtCenter);
        });
    });
    connect(tree_->verticalScrollBar(), &QScrollBar::actionTriggered, &dialog,
            [this] { pendingScroll_.clear(); });
    const auto selection =
        connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, &dialog,
                [this](const QModelIndex& now) { selectionChanged(now, true); });

    FDialogHandle = &dialog;
    dialog.resize(dialog.logicalDpiX() * 340 / 96, dialog.logicalDpiY() * 400 / 96);
    initialized();

    const bool accepted = dialog.exec() == QDialog::Accepted;
    // Taking the window down must not count as a selection.
    disconnect(selection);
    dialog.removeEventFilter(this);
    if (accepted) {
        returned_ = FSelectedFolder;
        const QModelIndex current = tree_->currentIndex();
        FDisplayName = current.isValid() ? model_->fileName(current) : QString();
    }
    FDialogHandle = nullptr;
    FNewFolderHandle = nullptr;
    tree_ = nullptr;
    model_ = nullptr;
    title_ = status_ = nullptr;
    ok_ = nullptr;
    return accepted;
}

void TFolderDialog::initialized() {
    QDialog* d = FDialogHandle;
    if (QScreen* screen = d->screen()) {
        const QRect s = screen->geometry();
        d->move(s.width() / 2 - d->width() / 2, s.height() / 2 - d->height() / 2);
    }
    addNewFolderButton();
    if (FNewFolderHandle) {
        FNewFolderHandle->setEnabled(FValidPath && FNewFolderEnabled);
        FNewFolderHandle->setVisible(FNewFolderVisible);
    }
    if (rootFolderInfo(FRootFolder).place == RootPlace::Computer &&
        FRootFolder == TSHFolders::foDesktopExpanded)
        for (QModelIndex i = model_->index(QDir::homePath()); i.isValid(); i = i.parent())
            tree_->expand(i);
    const QFileInfo start(FFolder);
    bool selected = !FFolder.isEmpty() && start.isDir() && selectPath(FFolder);
    if (!selected && !PStartItemIDList.isEmpty()) selected = selectPath(PStartItemIDList);
    // Nothing selected: there is no item OK could return.
    if (!selected) selectionChanged(QModelIndex(), false);
    FInitialized = true;
    if (FOnInitialized) {
        // Raised once the browser runs, so a handler can work with the open window.
        QPointer<QDialog> guard(d);
        QMetaObject::invokeMethod(
            d,
            [this, guard] {
                if (guard && FOnInitialized) FOnInitialized(this, guard);
            },
            Qt::QueuedConnection);
    }
}

bool TFolderDialog::selectPath(const QString& path) {
    if (!model_ || !QFileInfo(path).isDir()) return false;
    const QModelIndex index = model_->index(QDir::cleanPath(path));
    if (!index.isValid()) return false;
    // A folder outside the tree's root cannot be shown there.
    const QModelIndex root = tree_->rootIndex();
    if (root.isValid()) {
        QModelIndex i = index.parent();
        while (i.isValid() && i != root) i = i.parent();
        if (i != root) return false;
    }
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    pendingScroll_.clear();
    for (QModelIndex i = index.parent(); i.isValid(); i = i.parent())
        pendingScroll_ << model_->filePath(i);
    return true;
}

void TFolderDialog::selectionChanged(const QModelIndex& index, bool raise) {
    FSelectedFolder = index.isValid() && model_ ? model_->filePath(index) : QString();
    if (FInitialized && index.isValid()) PStartItemIDList = FSelectedFolder;
    if (FInitialized) pendingScroll_.clear();
    if (FFlags.contains(TBrowseInfoFlags::ShowPath) && status_) {
        QString text =
            QString::fromStdString(ShortenPath(FSelectedFolder.toStdString(), kStatusLength, '/'));
        if (text.isEmpty() && index.isValid()) text = model_->fileName(index);
        status_->setText(text);
    }
    FValidPath = !FSelectedFolder.isEmpty();
    if (ok_)
        ok_->setEnabled(FFlags.contains(TBrowseInfoFlags::OnlyFileSystem) ? FValidPath
                                                                          : index.isValid());
    updateNewFolderButton();
    if (raise && FOnSelectionChanged)
        FOnSelectionChanged(this, FDialogHandle, index, FSelectedFolder);
}

void TFolderDialog::addNewFolderButton() {
    auto* b = new QPushButton(FNewFolderCaption, FDialogHandle);
    b->setObjectName(QStringLiteral("NewFolder"));
    b->setProperty("controlId", kNewFolderButtonId);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoDefault(false);
    FNewFolderHandle = b;
    placeNewFolderButton();
    b->show();
    FDialogHandle->installEventFilter(this);
    connect(b, &QPushButton::clicked, this, [this] { newFolderClick(); });
}

void TFolderDialog::placeNewFolderButton() {
    QPushButton* b = FNewFolderHandle;
    QDialog* d = FDialogHandle;
    if (!b || !d) return;
    const int ppi = d->logicalDpiX();
    const int captionBar = d->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const ButtonGeometry g = NewFolderButtonGeometry(ppi, captionBar);
    const int textWidth = QFontMetrics(b->font()).horizontalAdvance(FNewFolderCaption);
    b->setGeometry(g.left, d->height() - g.topFromBottom, NewFolderButtonWidth(ppi, textWidth),
                   g.height);
}

bool TFolderDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FDialogHandle && event->type() == QEvent::Resize) placeNewFolderButton();
    return QObject::eventFilter(watched, event);
}

void TFolderDialog::newFolderClick() {
    QDialog* d = FDialogHandle;
    const QString name = AskFolderName ? AskFolderName(d, FNewFolderCaption) : QString();
    if (name.isEmpty()) return;
    FRestart = true;
    const QString path =
        QString::fromStdString(NewFolderPath(FSelectedFolder.toStdString(), name.toStdString()));
    std::error_code ec;
    std::filesystem::create_directories(path.toStdString(), ec);
    if (!QFileInfo(path).isDir()) {
        const int err = ec ? ec.value() : EEXIST;
        const QString text = QStringLiteral("Das Verzeichnis oder die Datei kann nicht erstellt "
                                            "werden.\n%1")
                                 .arg(QString::fromStdString(systemErrorText(err)));
        if (ShowWarning) ShowWarning(d, FNewFolderCaption, text);
        FInitialized = false;
    } else {
        FSelectedFolder = path;
    }
    // Closing the browser lets Execute open it again on the selection.
    if (d) d->reject();
}

} // namespace formidor::dialogs
