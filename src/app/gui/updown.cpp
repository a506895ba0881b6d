#include "app/gui/updown.h"

#include "platform/convert.h"
#include "platform/gui/guard.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>

namespace formidor::gui {

namespace {

class EventHook : public QObject {
public:
    EventHook(QWidget* target, QEvent::Type type, std::function<void()> handler)
        : QObject(target), type_(type), handler_(std::move(handler)) {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == type_ && accepts(event)) runGuarded(handler_);
        return QObject::eventFilter(watched, event);
    }

private:
    bool accepts(QEvent* event) const {
        if (type_ == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        }
        if (type_ == QEvent::Show) return !event->spontaneous();
        return true;
    }

    QEvent::Type type_;
    std::function<void()> handler_;
};

// Up and Down in the edit step its number like the arrows.
class ArrowKeys : public QObject {
public:
    ArrowKeys(QLineEdit* edit, TUpDown* updown) : QObject(updown), updown_(updown) {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                updown_->step(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TUpDown* updown_;
};

} // namespace

TUpDown::TUpDown(QLineEdit* associate, int min, int max, QWidget* parent)
    : QWidget(parent), associate_(associate), min_(min), max_(max) {
    setFocusPolicy(Qt::StrongFocus);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setIconSize(QSize(7, 7));
    }
    connect(up_, &QToolButton::clicked, this, [this] {
        setFocus(Qt::MouseFocusReason);
        step(1);
    });
    connect(down_, &QToolButton::clicked, this, [this] {
        setFocus(Qt::MouseFocusReason);
        step(-1);
    });
    new ArrowKeys(associate, this);
    // Sit right beside the edit, as high as it is.
    const QRect r = associate->geometry();
    setGeometry(r.right() + 1, r.top(), 17, r.height());
}

void TUpDown::step(int delta) {
    int32_t current;
    if (TryStrToInt(associate_->text().toStdString(), current)) position_ = current;
    position_ = std::clamp(position_ + delta, min_, max_);
    associate_->setText(QString::number(position_));
    emit changed(position_);
}

void TUpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
        step(event->key() == Qt::Key_Up ? 1 : -1);
    else
        QWidget::keyPressEvent(event);
}

void TUpDown::resizeEvent(QResizeEvent*) {
    const int h = height() / 2;
    up_->setGeometry(0, 0, width(), h);
    down_->setGeometry(0, h, width(), height() - h);
}

void onFocusOut(QWidget* widget, std::function<void()> handler) {
    new EventHook(widget, QEvent::FocusOut, std::move(handler));
}

void onShow(QWidget* widget, std::function<void()> handler) {
    new EventHook(widget, QEvent::Show, std::move(handler));
}

} // namespace formidor::gui
