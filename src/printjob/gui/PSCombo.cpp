#include "printjob/gui/PSCombo.h"

#include "platform/gui/guard.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <stdexcept>

namespace formidor {

TPreviewComboBox::TPreviewComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setFixedSize(125, 21);
    setMaxVisibleItems(13);
    lineEdit()->installEventFilter(this);
    setEditText(QString::fromLatin1(kNotLinked));
    connect(this, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { gui::runGuarded([&] { ChooseItem(i); }, this); });
}

TPreviewComboBox::~TPreviewComboBox() {
    if (FPreview) FPreview->DeleteControlNotification(this);
}

void TPreviewComboBox::SetPreview(TCustomPreview* p) {
    if (FPreview == p) return;
    if (FPreview) FPreview->DeleteControlNotification(this);
    FPreview = p;
    if (p) p->AddControlNotification(this);
    Update();
}

void TPreviewComboBox::Update() {
    update();
    const QString text =
        FPreview ? QString::fromStdString(FPreview->ScaleText()) : QString::fromLatin1(kNotLinked);
    setEditText(text);
    lineEdit()->setCursorPosition(0); // show the start of a long scale text
    if (FOnUpdate) FOnUpdate(this);
}

void TPreviewComboBox::fillItems() {
    // The list is rebuilt on every opening; the edit text must survive that.
    filling_ = true;
    const QString text = currentText();
    clear();
    for (const auto& item : ScaleBoxItems()) addItem(QString::fromStdString(item));
    setCurrentIndex(-1);
    setEditText(text);
    filling_ = false;
}

void TPreviewComboBox::showPopup() {
    fillItems();
    QComboBox::showPopup();
}

void TPreviewComboBox::applyScaleText(const QString& text) {
    if (!FPreview) return;
    FPreview->SetViewMode(vmCustom);
    const auto scale = ParseScaleInput(text.toStdString());
    if (!scale) throw std::runtime_error(kInvalidScaleValue);
    FPreview->SetViewScale(*scale);
}

void TPreviewComboBox::ChooseItem(int index) {
    if (count() == 0) fillItems();
    if (index < 0 || index >= count() || !FPreview) return;
    if (index == 0)
        FPreview->SetViewMode(vmWholePage);
    else if (index == 1)
        FPreview->SetViewMode(vmPageWidth);
    else
        applyScaleText(itemText(index));
}

void TPreviewComboBox::ConfirmText() {
    const QString text = currentText();
    if (FPreview) FPreview->setFocus();
    applyScaleText(text);
}

bool TPreviewComboBox::handleKey(QKeyEvent* e) {
    const QString t = e->text();
    if (!t.isEmpty() && t.at(0).isPrint() && !ScaleBoxAcceptsChar(t.at(0).unicode()))
        return true; // discarded
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        gui::runGuarded([&] { ConfirmText(); }, this);
        return true;
    case Qt::Key_Escape:
        if (FPreview) FPreview->setFocus();
        Update();
        return true;
    default:
        return false;
    }
}

bool TPreviewComboBox::eventFilter(QObject* o, QEvent* e) {
    // Whichever of the box and its line edit gets the key first sifts it.
    if (o == lineEdit() && e->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(e)))
        return true;
    return QComboBox::eventFilter(o, e);
}

void TPreviewComboBox::keyPressEvent(QKeyEvent* e) {
    if (!handleKey(e)) QComboBox::keyPressEvent(e);
    // Keys stop here: the window around sees them before (it watches the scale box), never a
    // second time after.
    e->accept();
}

void TPreviewComboBox::focusOutEvent(QFocusEvent* e) {
    QComboBox::focusOutEvent(e);
    if (!filling_ && !(view() && view()->isVisible())) Update();
}

} // namespace formidor
