#pragma once
// The preview's toolbar: up to fourteen speed buttons (print, dialogs, paging, view modes, zoom,
// refresh, close and one for the application) and the scale box standing in front of one of
// them. Its page and zoom buttons follow the preview after each update.
#include "printjob/gui/PSCombo.h"
#include "printjob/gui/PSPreview.h"

#include <QFrame>
#include <QImage>
#include <QPointer>
#include <array>
#include <functional>

class QToolButton;

namespace formidor {

// Sender, Button, AllowDefault (in and out).
using TButtonClickEvent = std::function<void(QObject*, TButtonKind, bool&)>;

class TCustomPreviewToolbar : public QFrame, public TPreviewControl {
    Q_OBJECT
public:
    explicit TCustomPreviewToolbar(QWidget* parent = nullptr);
    ~TCustomPreviewToolbar() override;

    TCustomPreview* Preview() const { return FPreview; }
    void SetPreview(TCustomPreview* p);
    TButtons Buttons() const { return FButtons; }
    void SetButtons(TButtons b);
    bool Flat() const { return FFlat; }
    void SetFlat(bool on);
    bool ScaleBox() const { return FScaleBox; }
    void SetScaleBox(bool on);
    TButtonKind ScaleBoxPos() const { return FScaleBoxPos; }
    void SetScaleBoxPos(TButtonKind k);
    bool UserButtonEnabled() const { return FUserButtonEnabled; }
    void SetUserButtonEnabled(bool on);
    const QImage& UserButtonGlyph() const { return FUserButtonGlyph; }
    void SetUserButtonGlyph(const QImage& glyph);
    const QString& UserButtonHint() const { return FUserButtonHint; }
    void SetUserButtonHint(const QString& hint);
    void SetShowHint(bool on);
    bool ShowHint() const { return showHint_; }

    void SetOnUpdate(std::function<void(QObject*)> f) { FOnUpdate = std::move(f); }
    void SetOnUserButtonClick(std::function<void(QObject*)> f) {
        FOnUserButtonClick = std::move(f);
    }
    void SetOnButtonClick(TButtonClickEvent f) { FOnButtonClick = std::move(f); }

    void Update() override;
    void UpdateButtons();
    void EnableButtons();
    virtual void ButtonClick(TButtonKind button);

    QToolButton* Button(TButtonKind k) const { return FButtonsArray[k]; }
    TPreviewComboBox* ScaleCombo() const { return FScaleCombo; }
    const QImage& Glyphs() const { return FBitmaps; }

private:
    QPointer<TCustomPreview> FPreview;
    QImage FBitmaps;
    std::array<QToolButton*, kButtonKindCount> FButtonsArray{};
    TButtons FButtons = kDefaultButtons;
    bool FFlat = true;
    TPreviewComboBox* FScaleCombo = nullptr;
    bool FScaleBox = true;
    TButtonKind FScaleBoxPos = btnZoomOut;
    bool FUserButtonEnabled = true;
    QImage FUserButtonGlyph;
    QString FUserButtonHint;
    bool showHint_ = true;
    std::function<void(QObject*)> FOnUpdate, FOnUserButtonClick;
    TButtonClickEvent FOnButtonClick;
};

class TPreviewToolbar : public TCustomPreviewToolbar {
    Q_OBJECT
public:
    explicit TPreviewToolbar(QWidget* parent = nullptr) : TCustomPreviewToolbar(parent) {}
};

} // namespace formidor
