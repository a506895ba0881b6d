#include "printjob/gui/PSWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace formidor {

// ----- form -----

TPreviewForm::TPreviewForm(TCustomPreviewWindow* owner) : QDialog(nullptr), FPreviewWindow(owner) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FPreview = new TPreview(this);
    FToolbar = new TPreviewToolbar(this);
    FToolbar->SetPreview(FPreview);
    FStatusBar = new TPreviewStatusBar(this);
    FStatusBar->SetPreview(FPreview);
    layout->addWidget(FToolbar);
    layout->addWidget(FPreview, 1);
    layout->addWidget(FStatusBar);
    // Key preview: the form sees the keys of its focusable controls before they do.
    FPreview->installEventFilter(this);
    FToolbar->ScaleCombo()->installEventFilter(this);
}

TPreviewForm::~TPreviewForm() {
    // The controls go with the form; unlink the preview first so the job forgets it.
    FPreview->SetPrintJob(nullptr);
}

void TPreviewForm::keyDown(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && modal_) reject();
    if (FPreviewWindow && FPreviewWindow->FOnKeyDown) {
        int key = e->key();
        FPreviewWindow->FOnKeyDown(FPreviewWindow, key, e->modifiers());
    }
}

bool TPreviewForm::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress && (o == FPreview || o == FToolbar->ScaleCombo()))
        keyDown(static_cast<QKeyEvent*>(e));
    return QDialog::eventFilter(o, e);
}

void TPreviewForm::keyPressEvent(QKeyEvent* e) {
    // Keys that reach the form itself; a modeless window stays open on Escape, unlike a plain
    // dialog, and Enter has no default button to press.
    keyDown(e);
    e->accept();
}

void TPreviewForm::done(int r) {
    QDialog::done(r);
    if (closed_) return;
    closed_ = true;
    if (FPreviewWindow) FPreviewWindow->formClosed();
}

void TPreviewForm::takeBounds() {
    if (!FPreviewWindow || FPreviewWindow->applying_) return;
    auto* w = FPreviewWindow;
    const auto st = windowState();
    w->FWindowState = st & Qt::WindowMinimized   ? wsMinimized
                      : st & Qt::WindowMaximized ? wsMaximized
                                                 : wsNormal;
    if (w->FWindowState == wsNormal) {
        w->FWindowWidth = width();
        w->FWindowHeight = height();
        w->FWindowLeft = pos().x();
        w->FWindowTop = pos().y();
    }
}

void TPreviewForm::moveEvent(QMoveEvent* e) {
    QDialog::moveEvent(e);
    takeBounds();
}

void TPreviewForm::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    takeBounds();
}

void TPreviewForm::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange) takeBounds();
}

void TPreviewForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    update();
}

void TPreviewForm::hideEvent(QHideEvent* e) {
    QDialog::hideEvent(e);
    update();
}

// ----- component -----

TCustomPreviewWindow::TCustomPreviewWindow(QObject* owner) : QObject(owner) {}

TCustomPreviewWindow::~TCustomPreviewWindow() {
    if (FOnDestroy) FOnDestroy(this);
    if (FForm) {
        FForm->FPreviewWindow = nullptr;
        delete FForm.data();
    }
}

void TCustomPreviewWindow::ensureForm() {
    if (!FForm) FForm = new TPreviewForm(this);
}

void TCustomPreviewWindow::applyFormLook() {
    TPreviewForm* f = FForm;
    Qt::WindowFlags flags = Qt::Window;
    switch (FBorderStyle) {
    case bsNone:
        flags |= Qt::FramelessWindowHint;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        flags = Qt::Tool;
        break;
    case bsDialog:
        flags = Qt::Dialog;
        break;
    default:
        break;
    }
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (FBorderIcons & BorderIconBit(biSystemMenu)) flags |= Qt::WindowSystemMenuHint;
    if (FBorderIcons & BorderIconBit(biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
    if (FBorderIcons & BorderIconBit(biMaximize)) flags |= Qt::WindowMaximizeButtonHint;
    if (FBorderIcons & BorderIconBit(biHelp)) flags |= Qt::WindowContextHelpButtonHint;
    if (f->windowFlags() != flags) f->setWindowFlags(flags);
    f->setSizeGripEnabled(false);
    f->setWindowTitle(FCaption);
    f->setFont(FFont);
    f->setWindowIcon(FIcon);
}

void TCustomPreviewWindow::placeForm() {
    TPreviewForm* f = FForm;
    applying_ = true;
    const bool fixed = FBorderStyle != bsSizeable && FBorderStyle != bsSizeToolWin;
    if (FPosition != poDefault && FPosition != poDefaultSizeOnly) {
        f->resize(FWindowWidth, FWindowHeight);
        if (fixed) f->setFixedSize(FWindowWidth, FWindowHeight);
    }
    if (FPosition == poDesigned || FPosition == poDefaultSizeOnly) {
        f->move(FWindowLeft, FWindowTop);
    } else if (FPosition != poDefault && FPosition != poDefaultPosOnly) {
        // The main and the owner's form are the window of the widget that owns this component;
        // without a visible one the window is centred on the screen.
        QRect area;
        auto* owner = qobject_cast<QWidget*>(parent());
        if ((FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) && owner &&
            owner->window()->isVisible())
            area = owner->window()->frameGeometry();
        else if (QScreen* s = QGuiApplication::primaryScreen())
            area = s->availableGeometry();
        if (area.isValid()) f->move(area.center() - QPoint(f->width() / 2, f->height() / 2));
    }
    applying_ = false;
    const Qt::WindowStates st = FWindowState == wsMinimized   ? Qt::WindowMinimized
                                : FWindowState == wsMaximized ? Qt::WindowMaximized
                                                              : Qt::WindowNoState;
    f->setWindowState(st);
}

void TCustomPreviewWindow::ApplyProperties() {
    ensureForm();
    TPreviewForm* f = FForm;
    applyFormLook();
    placeForm();

    TPreview* p = f->Preview();
    p->SetPageIndex(1);
    p->SetDragScroll(FDragScroll);
    p->SetScrollTracking(FScrollTracking);
    p->SetViewMode(FViewMode);
    p->SetViewScale(FViewScale);
    p->SetColor(FColor);
    p->SetShadowColor(FShadowColor);
    p->SetShadowSize(FShadowSize);
    p->SetPrintJob(FPrintJob);
    p->SetOnPageChanged([this](QObject*) {
        if (FOnPageChanged) FOnPageChanged(this);
    });
    p->SetOnUpdate([this](QObject*) {
        if (FOnUpdate) FOnUpdate(this);
    });

    TPreviewToolbar* t = f->Toolbar();
    t->SetButtons(FButtons);
    t->SetFlat(FFlat);
    t->SetScaleBox(FScaleBox);
    t->SetScaleBoxPos(FScaleBoxPos);
    t->SetShowHint(FShowHint);
    t->SetUserButtonEnabled(FUserButtonEnabled);
    t->SetUserButtonGlyph(FUserButtonGlyph);
    t->SetUserButtonHint(FUserButtonHint);
    t->SetOnUserButtonClick(FOnUserButtonClick);

    TPreviewStatusBar* s = f->StatusBar();
    s->SetPagePanelWidth(FPagePanelWidth);
    s->SetPanels(FPanels);
    s->SetScalePanelWidth(FScalePanelWidth);
    s->SetUserText(FUserText);
    s->SetSizeGrip(FSizeGrip);
}

void TCustomPreviewWindow::Show() {
    ApplyProperties();
    if (FOnShow) FOnShow(this);
    FForm->modal_ = false;
    FForm->show();
}

void TCustomPreviewWindow::ShowModal() {
    ApplyProperties();
    if (FOnShow) FOnShow(this);
    QPointer<TPreviewForm> f = FForm;
    f->modal_ = true;
    f->exec();
}

void TCustomPreviewWindow::Close() {
    if (FForm) FForm->close();
}

void TCustomPreviewWindow::formClosed() {
    TPreviewForm* f = FForm;
    FForm = nullptr;
    if (!f) return;
    if (FOnClose) FOnClose(this);
    f->Preview()->SetPrintJob(nullptr);
    f->FPreviewWindow = nullptr;
    f->deleteLater();
}

void TCustomPreviewWindow::Update() {
    if (FPrintJob && FForm) FForm->Preview()->Update();
}

// ----- settings forwarded to a live form -----

void TCustomPreviewWindow::SetPrintJob(TCustomPrintJob* job) {
    if (FPrintJob == job) return;
    FPrintJob = job;
    if (FForm) FForm->Preview()->SetPrintJob(job);
}

void TCustomPreviewWindow::SetBorderIcons(TBorderIcons b) {
    if (FBorderIcons == b) return;
    FBorderIcons = b;
    if (FForm) applyFormLook();
}

void TCustomPreviewWindow::SetBorderStyle(TFormBorderStyle b) {
    if (FBorderStyle == b) return;
    FBorderStyle = b;
    if (FForm) applyFormLook();
}

void TCustomPreviewWindow::SetCaption(const QString& c) {
    if (FCaption == c) return;
    FCaption = c;
    if (FForm) FForm->setWindowTitle(c);
}

void TCustomPreviewWindow::SetCtl3D(bool on) {
    FCtl3D = on;
}

void TCustomPreviewWindow::SetFont(const QFont& f) {
    FFont = f;
    if (FForm) FForm->setFont(f);
}

void TCustomPreviewWindow::SetIcon(const QIcon& i) {
    FIcon = i;
    if (FForm) FForm->setWindowIcon(i);
}

void TCustomPreviewWindow::SetPosition(TPosition p) {
    if (FPosition == p) return;
    FPosition = p;
    if (FForm) placeForm();
}

void TCustomPreviewWindow::SetWindowState(TWindowState s) {
    if (FWindowState == s) return;
    FWindowState = s;
    if (FForm) placeForm();
}

void TCustomPreviewWindow::SetWindowLeft(int v) {
    if (FWindowLeft == v) return;
    FWindowLeft = v;
    if (FForm) FForm->move(FWindowLeft, FWindowTop);
}

void TCustomPreviewWindow::SetWindowTop(int v) {
    if (FWindowTop == v) return;
    FWindowTop = v;
    if (FForm) FForm->move(FWindowLeft, FWindowTop);
}

void TCustomPreviewWindow::SetWindowWidth(int v) {
    if (FWindowWidth == v) return;
    FWindowWidth = v;
    if (FForm) FForm->resize(FWindowWidth, FWindowHeight);
}

void TCustomPreviewWindow::SetWindowHeight(int v) {
    if (FWindowHeight == v) return;
    FWindowHeight = v;
    if (FForm) FForm->resize(FWindowWidth, FWindowHeight);
}

void TCustomPreviewWindow::SetColor(const QColor& c) {
    if (FColor == c) return;
    FColor = c;
    if (FForm) FForm->Preview()->SetColor(c);
}

void TCustomPreviewWindow::SetShadowColor(const QColor& c) {
    if (FShadowColor == c) return;
    FShadowColor = c;
    if (FForm) FForm->Preview()->SetShadowColor(c);
}

void TCustomPreviewWindow::SetShadowSize(int s) {
    if (FShadowSize == s) return;
    FShadowSize = s;
    if (FForm) FForm->Preview()->SetShadowSize(s);
}

int TCustomPreviewWindow::PageIndex() const {
    return FForm ? FForm->Preview()->PageIndex() : 1;
}

void TCustomPreviewWindow::SetPageIndex(int n) {
    if (FForm) FForm->Preview()->SetPageIndex(n);
}

void TCustomPreviewWindow::SetDragScroll(bool on) {
    if (FDragScroll == on) return;
    FDragScroll = on;
    if (FForm) FForm->Preview()->SetDragScroll(on);
}

void TCustomPreviewWindow::SetScrollTracking(bool on) {
    if (FScrollTracking == on) return;
    FScrollTracking = on;
    if (FForm) FForm->Preview()->SetScrollTracking(on);
}

void TCustomPreviewWindow::SetViewMode(TViewMode m) {
    if (FViewMode == m) return;
    FViewMode = m;
    if (FForm) FForm->Preview()->SetViewMode(m);
}

void TCustomPreviewWindow::SetViewScale(int s) {
    if (FViewScale == s) return;
    FViewScale = s;
    if (FForm) FForm->Preview()->SetViewScale(s);
}

void TCustomPreviewWindow::SetButtons(TButtons b) {
    if (FButtons == b) return;
    FButtons = b;
    if (FForm) FForm->Toolbar()->SetButtons(b);
}

void TCustomPreviewWindow::SetFlat(bool on) {
    if (FFlat == on) return;
    FFlat = on;
    if (FForm) FForm->Toolbar()->SetFlat(on);
}

void TCustomPreviewWindow::SetScaleBox(bool on) {
    if (FScaleBox == on) return;
    FScaleBox = on;
    if (FForm) FForm->Toolbar()->SetScaleBox(on);
}

void TCustomPreviewWindow::SetScaleBoxPos(TButtonKind k) {
    if (FScaleBoxPos == k) return;
    FScaleBoxPos = k;
    if (FForm) FForm->Toolbar()->SetScaleBoxPos(k);
}

void TCustomPreviewWindow::SetShowHint(bool on) {
    if (FShowHint == on) return;
    FShowHint = on;
    if (FForm) FForm->Toolbar()->SetShowHint(on);
}

void TCustomPreviewWindow::SetUserButtonEnabled(bool on) {
    if (FUserButtonEnabled == on) return;
    FUserButtonEnabled = on;
    if (FForm) FForm->Toolbar()->SetUserButtonEnabled(on);
}

void TCustomPreviewWindow::SetUserButtonGlyph(const QImage& g) {
    FUserButtonGlyph = g.copy();
    if (FForm) FForm->Toolbar()->SetUserButtonGlyph(FUserButtonGlyph);
}

void TCustomPreviewWindow::SetUserButtonHint(const QString& h) {
    if (FUserButtonHint == h) return;
    FUserButtonHint = h;
    if (FForm) FForm->Toolbar()->SetUserButtonHint(h);
}

void TCustomPreviewWindow::SetPagePanelWidth(int w) {
    if (FPagePanelWidth == w) return;
    FPagePanelWidth = w;
    if (FForm) FForm->StatusBar()->SetPagePanelWidth(w);
}

void TCustomPreviewWindow::SetPanels(TPanels p) {
    if (FPanels == p) return;
    FPanels = p;
    if (FForm) FForm->StatusBar()->SetPanels(p);
}

void TCustomPreviewWindow::SetScalePanelWidth(int w) {
    if (FScalePanelWidth == w) return;
    FScalePanelWidth = w;
    if (FForm) FForm->StatusBar()->SetScalePanelWidth(w);
}

void TCustomPreviewWindow::SetUserText(const QString& t) {
    if (FUserText == t) return;
    FUserText = t;
    if (FForm) FForm->StatusBar()->SetUserText(t);
}

void TCustomPreviewWindow::SetSizeGrip(bool on) {
    if (FSizeGrip == on) return;
    FSizeGrip = on;
    if (FForm) FForm->StatusBar()->SetSizeGrip(on);
}

void TCustomPreviewWindow::SetOnUserButtonClick(std::function<void(QObject*)> f) {
    FOnUserButtonClick = std::move(f);
    if (FForm) FForm->Toolbar()->SetOnUserButtonClick(FOnUserButtonClick);
}

} // namespace formidor
