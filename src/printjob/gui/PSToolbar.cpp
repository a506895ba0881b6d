#include "printjob/gui/PSToolbar.h"

#include "platform/gui/guard.h"
#include "printjob/PSJob.h"
#include "printjob/gui/glyphs.h"
#include "printjob/gui/printprogress.h"

#include <QPixmap>
#include <QToolButton>

namespace formidor {

TCustomPreviewToolbar::TCustomPreviewToolbar(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
    setFixedHeight(kToolbarHeight);
    FBitmaps = LoadGlyphStrip(QStringLiteral("SMALL"));
    for (int k = 0; k < kButtonKindCount; ++k) {
        const auto kind = static_cast<TButtonKind>(k);
        auto* b = new QToolButton(this);
        b->setGeometry(0, 1, kToolButtonSize, kToolButtonSize);
        b->setIconSize(QSize(kGlyphSize, kGlyphSize));
        // Speed buttons never take the keyboard focus away from the preview.
        b->setFocusPolicy(Qt::NoFocus);
        b->setProperty("tag", k);
        if (kind != btnUser) {
            b->setIcon(QIcon(QPixmap::fromImage(GlyphCell(FBitmaps, k))));
            b->setToolTip(QString::fromLatin1(ButtonHint(kind)));
        }
        connect(b, &QToolButton::clicked, this,
                [this, kind] { gui::runGuarded([&] { ButtonClick(kind); }, this); });
        FButtonsArray[k] = b;
        if (kind == FScaleBoxPos) {
            FScaleCombo = new TPreviewComboBox(this);
            FScaleCombo->move(0, (kToolbarHeight - FScaleCombo->height()) / 2);
            FScaleCombo->setToolTip(QStringLiteral("View mode and scale"));
        }
    }
    SetFlat(true);
    for (auto* b : FButtonsArray) b->setAutoRaise(FFlat);
    UpdateButtons();
}

TCustomPreviewToolbar::~TCustomPreviewToolbar() {
    if (FPreview) FPreview->DeleteControlNotification(this);
}

void TCustomPreviewToolbar::SetPreview(TCustomPreview* p) {
    if (FPreview != p) {
        if (FPreview) FPreview->DeleteControlNotification(this);
        FPreview = p;
        if (p) p->AddControlNotification(this);
    }
    FScaleCombo->SetPreview(p);
    UpdateButtons();
}

void TCustomPreviewToolbar::SetButtons(TButtons b) {
    if (FButtons == b) return;
    FButtons = b;
    UpdateButtons();
}

void TCustomPreviewToolbar::SetFlat(bool on) {
    FFlat = on;
    for (auto* b : FButtonsArray) b->setAutoRaise(on);
}

void TCustomPreviewToolbar::SetScaleBox(bool on) {
    if (FScaleBox == on) return;
    FScaleBox = on;
    UpdateButtons();
}

void TCustomPreviewToolbar::SetScaleBoxPos(TButtonKind k) {
    if (FScaleBoxPos == k) return;
    FScaleBoxPos = k;
    UpdateButtons();
}

void TCustomPreviewToolbar::SetUserButtonEnabled(bool on) {
    if (FUserButtonEnabled == on) return;
    FUserButtonEnabled = on;
    FButtonsArray[btnUser]->setEnabled(on);
}

void TCustomPreviewToolbar::SetUserButtonGlyph(const QImage& glyph) {
    FUserButtonGlyph = glyph.copy();
    FButtonsArray[btnUser]->setIcon(glyph.isNull() ? QIcon()
                                                   : QIcon(QPixmap::fromImage(FUserButtonGlyph)));
}

void TCustomPreviewToolbar::SetUserButtonHint(const QString& hint) {
    if (FUserButtonHint == hint) return;
    FUserButtonHint = hint;
    FButtonsArray[btnUser]->setToolTip(hint);
}

void TCustomPreviewToolbar::SetShowHint(bool on) {
    showHint_ = on;
    for (int k = 0; k < kButtonKindCount; ++k) {
        const QString hint =
            k == btnUser ? FUserButtonHint : QString::fromLatin1(ButtonHint(TButtonKind(k)));
        FButtonsArray[k]->setToolTip(on ? hint : QString());
    }
    FScaleCombo->setToolTip(on ? QStringLiteral("View mode and scale") : QString());
}

void TCustomPreviewToolbar::UpdateButtons() {
    FScaleCombo->setVisible(FScaleBox);
    const auto layout = LayoutToolbar(FButtons, FScaleBox, FScaleBoxPos, FScaleCombo->width());
    for (int k = 0; k < kButtonKindCount; ++k) {
        auto* b = FButtonsArray[k];
        if (layout.left[k]) {
            b->move(*layout.left[k], 1);
            b->show();
        } else {
            b->hide();
        }
    }
    if (layout.scaleBoxLeft) FScaleCombo->move(*layout.scaleBoxLeft, FScaleCombo->y());
    SetUserButtonGlyph(FUserButtonGlyph);
    EnableButtons();
}

void TCustomPreviewToolbar::EnableButtons() {
    if (!FPreview || !FPreview->PrintJob() || !FPreview->PrintJob()->PrinterOK()) return;
    const int page = FPreview->PageIndex();
    const int count = FPreview->PrintJob()->PageCount();
    const int scale = FPreview->ViewScale();
    for (int k = 0; k < kButtonKindCount; ++k) {
        const auto kind = static_cast<TButtonKind>(k);
        if (ButtonDependsOnPreview(kind))
            FButtonsArray[k]->setEnabled(ButtonEnabledFor(kind, page, count, scale));
    }
    FScaleCombo->setEnabled(true);
}

void TCustomPreviewToolbar::ButtonClick(TButtonKind button) {
    bool allowDefault = true;
    if (FOnButtonClick) FOnButtonClick(this, button, allowDefault);
    if (allowDefault) {
        if (button == btnClose && window() != this) window()->close();
        if (button == btnUser && FOnUserButtonClick) FOnUserButtonClick(this);
        TCustomPrintJob* job = FPreview ? FPreview->PrintJob() : nullptr;
        if (job) {
            switch (button) {
            case btnPrint:
                PrintWithProgress(*job, this, [job] { job->Print(); });
                break;
            case btnPrintDialog:
                PrintWithProgress(*job, this, [job] { job->PrintDialog(); });
                break;
            case btnPrinterSetupDialog:
                job->PrinterSetupDialog();
                break;
            case btnFirstPage:
                FPreview->SetPageIndex(1);
                break;
            case btnPrevPage:
                FPreview->SetPageIndex(FPreview->PageIndex() - 1);
                break;
            case btnNextPage:
                FPreview->SetPageIndex(FPreview->PageIndex() + 1);
                break;
            case btnLastPage:
                FPreview->SetPageIndex(job->PageCount());
                break;
            case btnWholePage:
                FPreview->SetViewMode(vmWholePage);
                break;
            case btnPageWidth:
                FPreview->SetViewMode(vmPageWidth);
                break;
            case btnZoomOut:
                FPreview->ZoomOut();
                break;
            case btnZoomIn:
                FPreview->ZoomIn();
                break;
            case btnRefresh:
                job->Update();
                break;
            case btnClose:
            case btnUser:
                break;
            }
        }
    }
    EnableButtons();
}

void TCustomPreviewToolbar::Update() {
    update();
    EnableButtons();
    if (FOnUpdate) FOnUpdate(this);
}

} // namespace formidor
