#pragma once
// TFolderDialog: a non-visual component that lets the user pick a folder in a folder browser
// and returns its path. Beyond a plain browser it has a new-folder button that creates a folder
// below the selection and reopens the browser on it, a status line with the selected path
// shortened to 50 characters, an OK button that can be kept to real folders, and captions in
// the language of the current locale.
#include "dialogs/folderbrowse.h"

#include <QDialog>
#include <QModelIndex>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <functional>

class QFileSystemModel;
class QLabel;
class QTreeView;

namespace formidor::dialogs {

inline constexpr const char* kFolderDialogVersion = "3.00.00.00";

class TFolderDialog : public QObject {
    Q_OBJECT
public:
    using TBrowserInitializedEvent =
        std::function<void(TFolderDialog* Sender, QDialog* DialogHandle)>;
    using TSelectionChangedEvent =
        std::function<void(TFolderDialog* Sender, QDialog* DialogHandle,
                           const QModelIndex& ItemIDList, const QString& Folder)>;

    explicit TFolderDialog(QObject* owner = nullptr);
    ~TFolderDialog() override;

    // Shows the browser modally: true and Folder set to the chosen folder when the user
    // confirms, false when the user cancels.
    bool Execute();

    // The folder to start in; after a confirmed Execute the chosen folder.
    QString Folder() const { return FFolder; }
    void SetFolder(const QString& f) { FFolder = f; }
    TBrowseInfoFlagSet Flags() const { return FFlags; }
    void SetFlags(TBrowseInfoFlagSet f) { FFlags = f; }
    TSHFolders RootFolder() const { return FRootFolder; }
    void SetRootFolder(TSHFolders f) { FRootFolder = f; }
    // Shows or hides the button at once while the browser is open.
    bool NewFolderVisible() const { return FNewFolderVisible; }
    void SetNewFolderVisible(bool v);
    // The button is enabled only when this is true and the selection is a folder.
    bool NewFolderEnabled() const { return FNewFolderEnabled; }
    void SetNewFolderEnabled(bool v);
    // Entries "name=value" by language identifier or "Default"; a change chooses the caption
    // again (and writes the button's onto the open browser's button).
    const QStringList& LabelCaptions() const { return FLabelCaptions; }
    void SetLabelCaptions(const QStringList& l);
    const QStringList& NewFolderCaptions() const { return FNewFolderCaptions; }
    void SetNewFolderCaptions(const QStringList& l);
    // Whether a stored form of the component keeps the list: only when it differs from the
    // built-in table.
    bool LabelCaptionsStored() const;
    bool NewFolderCaptionsStored() const;
    QString Version() const { return QString::fromLatin1(kFolderDialogVersion); }
    void SetVersion(const QString&) {} // read-only; writing has no effect
    void SetOnInitialized(TBrowserInitializedEvent e) { FOnInitialized = std::move(e); }
    void SetOnSelectionChanged(TSelectionChangedEvent e) { FOnSelectionChanged = std::move(e); }

    // The current selection; writing it while the browser is open selects that folder in it.
    QString SelectedFolder() const { return FSelectedFolder; }
    void SetSelectedFolder(const QString& f);
    QDialog* DialogHandle() const { return FDialogHandle; }
    QPushButton* NewFolderHandle() const { return FNewFolderHandle; }
    QWidget* ParentHandle() const { return FParentHandle; }
    void SetParentHandle(QWidget* w) { FParentHandle = w; }
    QString DisplayName() const { return FDisplayName; }
    int ImageIndex() const { return FImageIndex; }

    // After stored properties were read: chooses the two captions.
    void Loaded();
    QString LabelCaption() const { return FLabelCaption; }
    QString NewFolderCaption() const { return FNewFolderCaption; }
    // The language identifier the captions are chosen by ("0407").
    QString Locale() const { return FLocale; }

    // The name of a new folder (empty: nothing is created) and the warning when it cannot be
    // created. Tests answer them themselves.
    std::function<QString(QWidget* parent, const QString& caption)> AskFolderName;
    std::function<void(QWidget* parent, const QString& caption, const QString& text)> ShowWarning;

    // The open browser's parts, for tests and the screenshot tool.
    QTreeView* Tree() const { return tree_; }
    QLabel* StatusLine() const { return status_; }
    QLabel* TitleLabel() const { return title_; }
    QPushButton* OkButton() const { return ok_; }

private:
    bool runBrowser();
    void initialized();
    void selectionChanged(const QModelIndex& index, bool raise);
    void newFolderClick();
    void addNewFolderButton();
    void placeNewFolderButton();
    void updateNewFolderButton();
    bool selectPath(const QString& path);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QPointer<QDialog> FDialogHandle;
    QPointer<QPushButton> FNewFolderHandle;
    QString FLabelCaption;
    QPointer<QWidget> FParentHandle;
    QString FDisplayName;
    int FImageIndex = 0;
    QString FFolder;
    QString FSelectedFolder;
    TBrowseInfoFlagSet FFlags{TBrowseInfoFlags::ShowPath};
    TSHFolders FRootFolder = TSHFolders::foDesktopExpanded;
    bool FNewFolderVisible = true;
    bool FNewFolderEnabled = true;
    QString FNewFolderCaption;
    bool FRestart = false;
    bool FValidPath = true;
    QString FLocale;
    QStringList FNewFolderCaptions;
    QStringList FLabelCaptions;
    QString PStartItemIDList; // the selection a restarted browser opens on
    bool FInitialized = false;
    TBrowserInitializedEvent FOnInitialized;
    TSelectionChangedEvent FOnSelectionChanged;

    QFileSystemModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* ok_ = nullptr;
    QString returned_;          // the folder the last browser run was confirmed with
    QStringList pendingScroll_; // folders above the selection still being read
};

} // namespace formidor::dialogs
