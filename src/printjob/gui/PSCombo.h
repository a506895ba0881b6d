#pragma once
// The scale box: an editable list of the view modes and zoom steps. It shows the preview's
// scale text; typing a number and Enter zooms to it, picking an item switches mode or scale.
#include "printjob/gui/PSPreview.h"

#include <QComboBox>
#include <QPointer>
#include <functional>

namespace formidor {

class TPreviewComboBox : public QComboBox, public TPreviewControl {
    Q_OBJECT
public:
    explicit TPreviewComboBox(QWidget* parent = nullptr);
    ~TPreviewComboBox() override;

    TCustomPreview* Preview() const { return FPreview; }
    void SetPreview(TCustomPreview* p);
    void SetOnUpdate(std::function<void(QObject*)> f) { FOnUpdate = std::move(f); }

    void Update() override;
    // Choosing item i of the list (as the user does from the drop-down).
    void ChooseItem(int index);
    // Enter in the edit field: the typed number becomes the scale.
    void ConfirmText();

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool handleKey(QKeyEvent* e);
    void applyScaleText(const QString& text);
    void fillItems();
    QPointer<TCustomPreview> FPreview;
    std::function<void(QObject*)> FOnUpdate;
    bool filling_ = false;
};

} // namespace formidor
