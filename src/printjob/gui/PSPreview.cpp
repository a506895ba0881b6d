#include "printjob/gui/PSPreview.h"

#include "platform/gui/guard.h"
#include "printjob/gui/previewrender.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImageWriter>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <stdexcept>

namespace formidor {

// ----- scroll box -----

TSpecialScrollBox::TSpecialScrollBox(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::NoFocus);
    horizontalScrollBar()->setSingleStep(8);
    verticalScrollBar()->setSingleStep(8);
    horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(true);
    SetTracking(false);
}

QSize TSpecialScrollBox::ClientSizeFor(int hRange, int vRange) const {
    const QSize m = maximumViewportSize();
    const int ext = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool h = hRange > m.width();
    bool v = vRange > m.height();
    if (h && !v) v = vRange > m.height() - ext;
    if (v && !h) h = hRange > m.width() - ext;
    return {m.width() - (v ? ext : 0), m.height() - (h ? ext : 0)};
}

QSize TSpecialScrollBox::ClientSize() const {
    return ClientSizeFor(hRange_, vRange_);
}

void TSpecialScrollBox::SetRanges(int hRange, int vRange) {
    hRange_ = hRange;
    vRange_ = vRange;
    applyRanges();
}

void TSpecialScrollBox::applyRanges() {
    const QSize c = ClientSize();
    const QSize m = maximumViewportSize();
    setHorizontalScrollBarPolicy(c.height() < m.height() ? Qt::ScrollBarAlwaysOn
                                                         : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(c.width() < m.width() ? Qt::ScrollBarAlwaysOn
                                                     : Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->setRange(0, std::max(0, hRange_ - c.width()));
    horizontalScrollBar()->setPageStep(std::max(1, c.width()));
    verticalScrollBar()->setRange(0, std::max(0, vRange_ - c.height()));
    verticalScrollBar()->setPageStep(std::max(1, c.height()));
    placePanel();
}

void TSpecialScrollBox::SetHPosition(int p) {
    horizontalScrollBar()->setValue(p);
}
void TSpecialScrollBox::SetVPosition(int p) {
    verticalScrollBar()->setValue(p);
}
int TSpecialScrollBox::HPosition() const {
    return horizontalScrollBar()->value();
}
int TSpecialScrollBox::VPosition() const {
    return verticalScrollBar()->value();
}

ScrollAxis TSpecialScrollBox::VAxis() const {
    return {VPosition(), vRange_, ClientSize().height(), Increment()};
}

ScrollAxis TSpecialScrollBox::HAxis() const {
    return {HPosition(), hRange_, ClientSize().width(), Increment()};
}

void TSpecialScrollBox::SetPanelPos(QWidget* panel, QPoint contentPos) {
    panel_ = panel;
    panelPos_ = contentPos;
    placePanel();
}

void TSpecialScrollBox::placePanel() {
    if (panel_) panel_->move(panelPos_ - QPoint(HPosition(), VPosition()));
}

void TSpecialScrollBox::SetTracking(bool on) {
    horizontalScrollBar()->setTracking(on);
    verticalScrollBar()->setTracking(on);
}

void TSpecialScrollBox::scrollContentsBy(int, int) {
    placePanel();
}

void TSpecialScrollBox::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    applyRanges();
}

void TSpecialScrollBox::wheelEvent(QWheelEvent* e) {
    if (onWheel) onWheel(e);
    e->accept();
}

bool TSpecialScrollBox::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(e));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(e);
}

// ----- page panel -----

TDrawPanel::TDrawPanel(TCustomPreview* preview, QWidget* parent)
    : QWidget(parent), preview_(preview) {
    setFocusPolicy(Qt::NoFocus);
    setGeometry(8, 8, 46, 67);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TDrawPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    preview_->paintPanel(p, rect());
}

void TDrawPanel::mousePressEvent(QMouseEvent* e) {
    preview_->setFocus(Qt::MouseFocusReason);
    if (preview_->DragScroll()) {
        dragging_ = true;
        Drag = e->position().toPoint();
        setCursor(Qt::SizeAllCursor);
    }
    e->accept();
}

void TDrawPanel::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_) return;
    auto* box = preview_->ScrollBox();
    const QPoint at = e->position().toPoint();
    box->SetHPosition(box->HPosition() + Drag.x() - at.x());
    box->SetVPosition(box->VPosition() + Drag.y() - at.y());
}

void TDrawPanel::mouseReleaseEvent(QMouseEvent*) {
    if (!dragging_) return;
    dragging_ = false;
    setCursor(preview_->cursor_);
}

void TDrawPanel::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        gui::runGuarded([&] { preview_->ZoomIn(); }, preview_);
    else if (e->button() == Qt::RightButton)
        gui::runGuarded([&] { preview_->ZoomOut(); }, preview_);
}

// ----- preview -----

TCustomPreview::TCustomPreview(QWidget* parent) : QWidget(parent) {
    resize(100, 150);
    setFocusPolicy(Qt::StrongFocus);
    FScrollBox = new TSpecialScrollBox(this);
    FScrollBox->setGeometry(rect());
    FPage = new TDrawPanel(this, FScrollBox->viewport());
    FScrollBox->SetPanelPos(FPage, QPoint(8, 8));
    FScrollBox->onWheel = [this](QWheelEvent* e) {
        FScrollBox->SetVPosition(FScrollBox->VPosition() +
                                 WheelScroll(FViewScale, e->angleDelta().y()));
    };
    SetColor(FColor);
    FMetafile = std::make_unique<PageRecording>();
    Update();
}

TCustomPreview::~TCustomPreview() {
    if (FPrintJob) FPrintJob->DeleteControlNotification(this);
}

void TCustomPreview::SetPrintJob(TCustomPrintJob* job) {
    if (job == FPrintJob) return;
    if (FPrintJob) FPrintJob->DeleteControlNotification(this);
    FPrintJob = job;
    if (job) job->AddControlNotification(this);
    SetPageIndex(1);
    FPage->setVisible(job != nullptr);
    Update();
}

void TCustomPreview::PrintJobDestroyed(TCustomPrintJob& job) {
    if (&job != FPrintJob) return;
    FPrintJob = nullptr;
    FMetafile->clear();
    FPage->hide();
    FPageIndex = 1;
    for (size_t i = 0; i < FControls.size(); ++i) {
        try {
            FControls[i]->Update();
        } catch (...) {
        }
    }
}

bool TCustomPreview::BorderStyleSingle() const {
    return FScrollBox->frameShape() != QFrame::NoFrame;
}

void TCustomPreview::SetBorderStyleSingle(bool single) {
    FScrollBox->setFrameShape(single ? QFrame::StyledPanel : QFrame::NoFrame);
}

QCursor TCustomPreview::Cursor() const {
    return cursor_;
}

void TCustomPreview::SetCursor(const QCursor& c) {
    cursor_ = c;
    FPage->setCursor(c);
}

void TCustomPreview::SetColor(const QColor& c) {
    FColor = c;
    QPalette pal = FScrollBox->viewport()->palette();
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Base, c);
    FScrollBox->viewport()->setBackgroundRole(QPalette::Window);
    FScrollBox->viewport()->setPalette(pal);
    FPage->update();
}

void TCustomPreview::SetShadowColor(const QColor& c) {
    if (FShadowColor == c) return;
    FShadowColor = c;
    FPage->update();
}

void TCustomPreview::SetShadowSize(int s) {
    s = ClampShadowSize(s);
    if (FShadowSize == s) return;
    FShadowSize = s;
    Update();
}

void TCustomPreview::SetViewMode(TViewMode m) {
    if (FViewMode == m) return;
    FViewMode = m;
    if (m == vmCustom) FViewScale = ClampViewScale(FViewScale);
    Update();
}

void TCustomPreview::SetViewScale(int s) {
    if (FViewMode != vmCustom) return;
    s = ClampViewScale(s);
    if (FViewScale == s) return;
    FViewScale = s;
    Update();
}

void TCustomPreview::SetPageIndex(int n) {
    n = ClampPageIndex(n, FPrintJob != nullptr, FPrintJob ? FPrintJob->PageCount() : 1);
    if (n != FPageIndex) {
        FPageIndex = n;
        FScrollBox->SetHPosition(0);
        FScrollBox->SetVPosition(0);
        Update();
    }
    if (FOnPageChanged) FOnPageChanged(this);
}

void TCustomPreview::SetScrollTracking(bool on) {
    if (FScrollTracking == on) return;
    FScrollTracking = on;
    FScrollBox->SetTracking(on);
}

std::string TCustomPreview::ScaleText() const {
    return formidor::ScaleText(FViewMode, FViewScale);
}

std::string TCustomPreview::PageText() const {
    return formidor::PageText(FPrintJob != nullptr, FPageIndex,
                              FPrintJob ? FPrintJob->PageCount() : 0);
}

int TCustomPreview::screenPpi() const {
    return logicalDpiX() > 0 ? logicalDpiX() : 96;
}

void TCustomPreview::Update() {
    if (!FPrintJob || !FPrintJob->PrinterOK()) {
        FPage->hide();
        return;
    }
    if (FPageIndex > FPrintJob->PageCount()) FPageIndex = FPrintJob->PageCount();
    FPage->update();
    struct ShowPanel {
        TDrawPanel* panel;
        ~ShowPanel() {
            panel->update();
            panel->show();
        }
    } showPanel{FPage};

    TCustomPrintJob* J = FPrintJob->ActiveInstance(FPageIndex);
    const double W = J->ConvertUnits(J->PageWidth(), J->PageUnits(), unPixels, dirHorizontal,
                                     J->PhysicalPageWidth());
    const double H = J->ConvertUnits(J->PageHeight(), J->PageUnits(), unPixels, dirVertical,
                                     J->PhysicalPageHeight());
    PreviewLayoutInput in;
    in.mode = FViewMode;
    in.viewScale = FViewScale;
    in.shadow = FShadowSize;
    in.sheetWidth = W;
    in.sheetHeight = H;
    const QSize full = FScrollBox->maximumViewportSize();
    in.clientWidth = full.width();
    in.clientHeight = full.height();
    in.boxWidth = FScrollBox->width();
    in.vScrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, FScrollBox);
    in.screenPpi = screenPpi();
    in.printerPpiX = J->DPIX();
    in.jobDpiX = J->DPIX();
    PreviewLayout l = LayoutPreview(in);
    // Scroll bars that appear take room from the client area, which the centring must see.
    const QSize client = FScrollBox->ClientSizeFor(l.hRange, l.vRange);
    if (client != full) {
        in.clientWidth = client.width();
        in.clientHeight = client.height();
        l = LayoutPreview(in);
    }
    if (l.resetPositions) {
        FScrollBox->SetHPosition(0);
        FScrollBox->SetVPosition(0);
    }
    FPage->resize(l.width, l.height);
    FScrollBox->SetRanges(l.hRange, l.vRange);
    FScrollBox->SetPanelPos(FPage, QPoint(l.left, l.top));
    if (FViewMode != vmCustom) FViewScale = l.viewScale;

    recordPage();
    ++recordCount_;
    // (panel shown by ShowPanel)

    for (size_t i = 0; i < FControls.size(); ++i) {
        try {
            FControls[i]->Update();
        } catch (...) {
            // a failing listener must not keep the others stale
        }
    }
    if (FOnUpdate) FOnUpdate(this);
}

void TCustomPreview::Repaint() {
    repaint();
    FPage->repaint();
}

void TCustomPreview::AddControlNotification(TPreviewControl* c) {
    if (c && std::find(FControls.begin(), FControls.end(), c) == FControls.end())
        FControls.push_back(c);
}

void TCustomPreview::DeleteControlNotification(TPreviewControl* c) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), c), FControls.end());
}

void TCustomPreview::ZoomIn() {
    SetViewMode(vmCustom);
    if (FViewScale < kMaxViewScale) SetViewScale(NextZoomIn(FViewScale));
}

void TCustomPreview::ZoomOut() {
    SetViewMode(vmCustom);
    if (FViewScale > kMinViewScale) SetViewScale(NextZoomOut(FViewScale));
}

int TCustomPreview::DPIX() const {
    if (!FPrintJob) return screenPpi();
    TCustomPrintJob* J = FPrintJob->ActiveInstance(FPageIndex);
    const int w = std::max(1, FPage->width());
    return J->PhysicalPageWidth() * J->DPIX() / w;
}

int TCustomPreview::DPIY() const {
    if (!FPrintJob) return logicalDpiY() > 0 ? logicalDpiY() : 96;
    TCustomPrintJob* J = FPrintJob->ActiveInstance(FPageIndex);
    const int h = std::max(1, FPage->height());
    return J->PhysicalPageHeight() * J->DPIY() / h;
}

void TCustomPreview::resizeEvent(QResizeEvent*) {
    FScrollBox->setGeometry(rect());
    gui::runGuarded([this] { Update(); }, this);
}

bool TCustomPreview::HandleKey(int key, Qt::KeyboardModifiers mods) {
    PreviewKey k;
    switch (key) {
    case Qt::Key_PageUp:
        k = PreviewKey::PageUp;
        break;
    case Qt::Key_PageDown:
        k = PreviewKey::PageDown;
        break;
    case Qt::Key_Up:
        k = PreviewKey::Up;
        break;
    case Qt::Key_Down:
        k = PreviewKey::Down;
        break;
    case Qt::Key_Left:
        k = PreviewKey::Left;
        break;
    case Qt::Key_Right:
        k = PreviewKey::Right;
        break;
    case Qt::Key_Home:
        k = PreviewKey::Home;
        break;
    case Qt::Key_End:
        k = PreviewKey::End;
        break;
    default:
        return false;
    }
    const KeyAction a =
        PreviewKeyAction(k, mods & Qt::ControlModifier, FScrollBox->VAxis(), FScrollBox->HAxis());
    if (a.pageStep != 0) {
        SetPageIndex(FPageIndex + a.pageStep);
    } else {
        FScrollBox->SetVPosition(a.vPosition);
        FScrollBox->SetHPosition(a.hPosition);
    }
    return true;
}

void TCustomPreview::keyPressEvent(QKeyEvent* e) {
    gui::runGuarded([&] { HandleKey(e->key(), e->modifiers()); }, this);
    // Keys end here: a window around the preview looks at them before, not after.
    e->accept();
}

void TCustomPreview::paintPanel(QPainter& p, const QRect& client) const {
    if (!FPrintJob) {
        p.fillRect(client, FColor);
        return;
    }
    TCustomPrintJob* J = FPrintJob->ActiveInstance(FPageIndex);
    J->ResetToDefaultPage();
    const PanelRects r =
        PanelGeometry(client.width(), client.height(), FShadowSize, SheetMetricsOf(*J));
    const QRect P(r.page.left, r.page.top, r.page.width(), r.page.height());
    const QRect Q(r.printable.left, r.printable.top, r.printable.width(), r.printable.height());
    p.fillRect(client, FColor);
    if (FShadowSize > 0) {
        const QRegion shadow =
            QRegion(r.shadow.left, r.shadow.top, r.shadow.width(), r.shadow.height()) - QRegion(P);
        p.setClipRegion(shadow);
        p.fillRect(client, FShadowColor);
        p.setClipping(false);
    }
    // The sheet with its frame, then the recording, limited to the printable part so the
    // non-printable border stays blank paper; the frame lies outside that part.
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::white);
    p.drawRect(P.adjusted(0, 0, -1, -1));
    const QRect content(r.content.left, r.content.top, r.content.width(), r.content.height());
    FMetafile->play(p, content, &Q);
}

void TCustomPreview::recordPage() {
    TCustomPrintJob* J = FPrintJob->ActiveInstance(FPageIndex);
    J->ResetToDefaultPage();
    FMetafile->record(*FPrintJob, *J, FPageIndex);
}

void TCustomPreview::GetBitmap(QImage& bmp) const {
    bmp = QImage(FPage->size(), QImage::Format_RGB32);
    bmp.fill(FColor);
    QPainter p(&bmp);
    paintPanel(p, QRect(QPoint(0, 0), FPage->size()));
}

void TCustomPreview::GetContentBitmap(QImage& bmp) const {
    const QSize size = FMetafile->size();
    bmp = QImage(size.isEmpty() ? QSize(1, 1) : size, QImage::Format_RGB32);
    bmp.fill(Qt::white);
    QPainter p(&bmp);
    FMetafile->play(p, QRect(QPoint(0, 0), size));
}

void TCustomPreview::CopyToClipboard() const {
    QImage bmp;
    GetBitmap(bmp);
    QGuiApplication::clipboard()->setImage(bmp);
}

void TCustomPreview::SaveToFile(const QString& fileName) const {
    QImage bmp;
    GetBitmap(bmp);
    // A bitmap file unless the name asks for another format the writer knows.
    QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format)) format = "bmp";
    QImageWriter writer(fileName, format);
    if (!writer.write(bmp))
        throw std::runtime_error("Cannot write the bitmap file " + fileName.toStdString() + ": " +
                                 writer.errorString().toStdString());
}

} // namespace formidor
