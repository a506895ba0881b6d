#pragma once
// A complete preview window on demand: the component keeps every setting of the window, its
// preview, toolbar and status bar, builds a form on Show / ShowModal, hands every changed setting
// to a live form at once, takes the window's bounds back whenever the user moves or resizes it,
// and lets the form go when it closes; the next Show builds a new one where the last one was.
#include "printjob/gui/PSPreview.h"
#include "printjob/gui/PSStatusBar.h"
#include "printjob/gui/PSToolbar.h"

#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <functional>

namespace formidor {

class TCustomPreviewWindow;

enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = uint8_t;
constexpr TBorderIcons BorderIconBit(TBorderIcon b) {
    return TBorderIcons(1u << b);
}
inline constexpr TBorderIcons kDefaultBorderIcons =
    BorderIconBit(biSystemMenu) | BorderIconBit(biMinimize) | BorderIconBit(biMaximize);

enum TFormBorderStyle : uint8_t {
    bsNone,
    bsSingle,
    bsSizeable,
    bsDialog,
    bsToolWindow,
    bsSizeToolWin
};
enum TPosition : uint8_t {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };

// Sender, Key (in and out), Shift.
using TKeyEvent = std::function<void(QObject*, int&, Qt::KeyboardModifiers)>;

class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    // CreateWindow: the form with its preview, toolbar and status bar, in this order.
    explicit TPreviewForm(TCustomPreviewWindow* owner);
    ~TPreviewForm() override;

    TPreview* Preview() const { return FPreview; }
    TPreviewToolbar* Toolbar() const { return FToolbar; }
    TPreviewStatusBar* StatusBar() const { return FStatusBar; }

    void done(int r) override;

protected:
    void keyPressEvent(QKeyEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void changeEvent(QEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    friend class TCustomPreviewWindow;
    void takeBounds();
    void keyDown(QKeyEvent* e);
    TCustomPreviewWindow* FPreviewWindow;
    TPreview* FPreview;
    TPreviewToolbar* FToolbar;
    TPreviewStatusBar* FStatusBar;
    bool modal_ = false;
    bool closed_ = false;
};

class TCustomPreviewWindow : public QObject {
    Q_OBJECT
public:
    explicit TCustomPreviewWindow(QObject* owner = nullptr);
    ~TCustomPreviewWindow() override;

    void Show();
    // Returns when the window has closed.
    void ShowModal();
    void Close();
    virtual void Update();

    // The live form, or null between a close and the next Show.
    TPreviewForm* Form() const { return FForm; }

    TCustomPrintJob* PrintJob() const { return FPrintJob; }
    void SetPrintJob(TCustomPrintJob* job);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons b);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle b);
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& c);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool on);
    const QFont& Font() const { return FFont; }
    void SetFont(const QFont& f);
    const QIcon& Icon() const { return FIcon; }
    void SetIcon(const QIcon& i);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition p);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState s);
    int WindowLeft() const { return FWindowLeft; }
    void SetWindowLeft(int v);
    int WindowTop() const { return FWindowTop; }
    void SetWindowTop(int v);
    int WindowWidth() const { return FWindowWidth; }
    void SetWindowWidth(int v);
    int WindowHeight() const { return FWindowHeight; }
    void SetWindowHeight(int v);
    QColor Color() const { return FColor; }
    void SetColor(const QColor& c);
    QColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(const QColor& c);
    int ShadowSize() const { return FShadowSize; }
    void SetShadowSize(int s);
    int PageIndex() const;
    void SetPageIndex(int n);
    bool DragScroll() const { return FDragScroll; }
    void SetDragScroll(bool on);
    bool ScrollTracking() const { return FScrollTracking; }
    void SetScrollTracking(bool on);
    TViewMode ViewMode() const { return FViewMode; }
    void SetViewMode(TViewMode m);
    int ViewScale() const { return FViewScale; }
    void SetViewScale(int s);
    TButtons Buttons() const { return FButtons; }
    void SetButtons(TButtons b);
    bool Flat() const { return FFlat; }
    void SetFlat(bool on);
    bool ScaleBox() const { return FScaleBox; }
    void SetScaleBox(bool on);
    TButtonKind ScaleBoxPos() const { return FScaleBoxPos; }
    void SetScaleBoxPos(TButtonKind k);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool on);
    bool UserButtonEnabled() const { return FUserButtonEnabled; }
    void SetUserButtonEnabled(bool on);
    const QImage& UserButtonGlyph() const { return FUserButtonGlyph; }
    void SetUserButtonGlyph(const QImage& g);
    const QString& UserButtonHint() const { return FUserButtonHint; }
    void SetUserButtonHint(const QString& h);
    int PagePanelWidth() const { return FPagePanelWidth; }
    void SetPagePanelWidth(int w);
    TPanels Panels() const { return FPanels; }
    void SetPanels(TPanels p);
    int ScalePanelWidth() const { return FScalePanelWidth; }
    void SetScalePanelWidth(int w);
    const QString& UserText() const { return FUserText; }
    void SetUserText(const QString& t);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool on);

    void SetOnDestroy(std::function<void(QObject*)> f) { FOnDestroy = std::move(f); }
    void SetOnShow(std::function<void(QObject*)> f) { FOnShow = std::move(f); }
    void SetOnClose(std::function<void(QObject*)> f) { FOnClose = std::move(f); }
    // Relays the preview's OnUpdate (Sender is this component).
    void SetOnUpdate(std::function<void(QObject*)> f) { FOnUpdate = std::move(f); }
    void SetOnPageChanged(std::function<void(QObject*)> f) { FOnPageChanged = std::move(f); }
    void SetOnKeyDown(TKeyEvent f) { FOnKeyDown = std::move(f); }
    void SetOnUserButtonClick(std::function<void(QObject*)> f);

private:
    friend class TPreviewForm;
    void ensureForm();
    void ApplyProperties();
    void applyFormLook();
    void formClosed();
    void placeForm();

    QPointer<TPreviewForm> FForm;
    TCustomPrintJob* FPrintJob = nullptr;
    TBorderIcons FBorderIcons = kDefaultBorderIcons;
    TFormBorderStyle FBorderStyle = bsSizeable;
    QString FCaption;
    bool FCtl3D = true;
    QFont FFont;
    QIcon FIcon;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    int FWindowLeft = 0, FWindowTop = 0, FWindowWidth = 400, FWindowHeight = 500;
    QColor FColor{0x80, 0x80, 0x80};
    QColor FShadowColor{0x40, 0x40, 0x40};
    int FShadowSize = 8;
    bool FDragScroll = true;
    bool FScrollTracking = false;
    TViewMode FViewMode = vmWholePage;
    int FViewScale = 0;
    TButtons FButtons = kDefaultButtons;
    bool FFlat = true;
    bool FScaleBox = true;
    TButtonKind FScaleBoxPos = btnZoomOut;
    bool FShowHint = true;
    bool FUserButtonEnabled = true;
    QImage FUserButtonGlyph;
    QString FUserButtonHint;
    int FPagePanelWidth = 100;
    TPanels FPanels = kDefaultPanels;
    int FScalePanelWidth = 100;
    QString FUserText;
    bool FSizeGrip = true;
    std::function<void(QObject*)> FOnDestroy, FOnShow, FOnClose, FOnUpdate, FOnPageChanged,
        FOnUserButtonClick;
    TKeyEvent FOnKeyDown;
    bool applying_ = false;
};

class TPreviewWindow : public TCustomPreviewWindow {
    Q_OBJECT
public:
    explicit TPreviewWindow(QObject* owner = nullptr) : TCustomPreviewWindow(owner) {}
};

} // namespace formidor
