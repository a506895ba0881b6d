#include "platform/gui/namebox.h"

#include "platform/gui/guard.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace formidor::gui {

namespace {

// Watches the box. While its edit handles a focus change or Return, the combo box may
// select the item that matches the typed text and announce it as activated; those
// announcements are the program's, not the user's, and are swallowed.
class NameBoxWatcher : public QObject {
public:
    NameBoxWatcher(QComboBox* box, bool onLeave, std::function<void()> handler)
        : QObject(box), box_(box), onLeave_(onLeave), handler_(std::move(handler)) {
        connect(box, &QComboBox::activated, this, [this] {
            if (!programMade_) runGuarded(handler_);
        });
        // Focus and key events reach the edit directly or through the box, which hands them on.
        box->installEventFilter(this);
        if (box->lineEdit()) box->lineEdit()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool focusOut = event->type() == QEvent::FocusOut;
        const bool returnKey = event->type() == QEvent::KeyPress &&
                               (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                                static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
        if (!focusOut && !returnKey) return QObject::eventFilter(watched, event);
        if (programMade_) return false; // a nested delivery: let it through
        // Deliver the event here, with the flag up; the target has then had it.
        programMade_ = true;
        watched->event(event);
        programMade_ = false;
        if (focusOut && onLeave_ && leavesForAnotherControl(static_cast<QFocusEvent*>(event)))
            runGuarded(handler_);
        // Return goes no further: it is not a pick, and it must not reach a default button.
        return true;
    }

private:
    // Not when the box opens its list: the focus then goes first to the list's popup and
    // then into the list itself, which belongs to the box.
    bool leavesForAnotherControl(const QFocusEvent* event) const {
        const auto reason = event->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return false;
        if (QApplication::activePopupWidget()) return false;
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
            if (w == box_) return false;
        return true;
    }

    QComboBox* box_;
    bool onLeave_;
    std::function<void()> handler_;
    bool programMade_ = false;
};

} // namespace

void bindNameBox(QComboBox* box, bool onLeave, std::function<void()> handler) {
    if (!box) return;
    new NameBoxWatcher(box, onLeave, std::move(handler));
}

} // namespace formidor::gui
