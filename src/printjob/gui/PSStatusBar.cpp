#include "printjob/gui/PSStatusBar.h"

#include <QPainter>
#include <QSizeGrip>
#include <QStyle>

namespace formidor {

TCustomPreviewStatusBar::TCustomPreviewStatusBar(QWidget* parent) : QWidget(parent) {
    setFixedHeight(19);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    grip_ = new QSizeGrip(this);
    grip_->setVisible(FSizeGrip);
}

TCustomPreviewStatusBar::~TCustomPreviewStatusBar() {
    if (FPreview) FPreview->DeleteControlNotification(this);
}

void TCustomPreviewStatusBar::SetPreview(TCustomPreview* p) {
    if (FPreview == p) return;
    if (FPreview) FPreview->DeleteControlNotification(this);
    FPreview = p;
    if (p) p->AddControlNotification(this);
    Update();
}

void TCustomPreviewStatusBar::SetPanels(TPanels p) {
    if (FPanels == p) return;
    FPanels = p;
    Update();
}

void TCustomPreviewStatusBar::SetPagePanelWidth(int w) {
    if (FPagePanelWidth == w) return;
    FPagePanelWidth = w;
    Update();
}

void TCustomPreviewStatusBar::SetScalePanelWidth(int w) {
    if (FScalePanelWidth == w) return;
    FScalePanelWidth = w;
    Update();
}

void TCustomPreviewStatusBar::SetUserText(const QString& t) {
    if (FUserText == t) return;
    FUserText = t;
    Update();
}

void TCustomPreviewStatusBar::SetSizeGrip(bool on) {
    if (FSizeGrip == on) return;
    FSizeGrip = on;
    grip_->setVisible(on);
    Update();
}

void TCustomPreviewStatusBar::Update() {
    update();
    if (parentWidget() && FPreview) {
        parts_ = StatusBarParts(FPanels, FPagePanelWidth, FScalePanelWidth, FPreview->width());
        texts_.clear();
        if (FPanels & PanelBit(pnPage)) texts_ << QString::fromStdString(FPreview->PageText());
        if (FPanels & PanelBit(pnScale)) texts_ << QString::fromStdString(FPreview->ScaleText());
        texts_ << FUserText;
    }
    if (FOnUpdate) FOnUpdate(this);
}

void TCustomPreviewStatusBar::resizeEvent(QResizeEvent*) {
    const int g = height();
    grip_->setGeometry(width() - g, 0, g, g);
}

void TCustomPreviewStatusBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    int left = 0;
    const QColor dark = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    for (size_t i = 0; i < parts_.size(); ++i) {
        const int right = std::min(parts_[i], width() - (FSizeGrip ? height() : 0));
        if (right <= left) break;
        const QRect r(left, 2, right - left - 2, height() - 3);
        p.setPen(dark);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(light);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        if (i < size_t(texts_.size())) {
            p.setPen(palette().color(QPalette::ButtonText));
            p.drawText(r.adjusted(4, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, texts_[int(i)]);
        }
        left = right;
    }
}

} // namespace formidor
