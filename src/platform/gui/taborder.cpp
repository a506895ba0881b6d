#include "platform/gui/taborder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>
#include <QWidget>
#include <algorithm>

namespace formidor::gui {

namespace {

// Tops closer than this stand on one line.
constexpr int kLineTolerance = 8;

bool isStop(QWidget* w, QWidget* window) {
    if (w->window() != window || !w->isVisible() || !w->isEnabled()) return false;
    if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy()) return false;
    if (auto* r = qobject_cast<QRadioButton*>(w); r && r->autoExclusive()) {
        // The group's checked button, or its first when none is checked.
        QRadioButton* first = nullptr;
        for (QObject* o : r->parent()->children()) {
            auto* s = qobject_cast<QRadioButton*>(o);
            if (!s || !s->isVisible() || !s->autoExclusive()) continue;
            if (s->isChecked()) return s == r;
            if (!first) first = s;
        }
        return first == r;
    }
    return true;
}

class ReadingOrderTabs : public QObject {
public:
    explicit ReadingOrderTabs(QWidget* window) : QObject(window), window_(window) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
        const bool back = key->key() == Qt::Key_Backtab ||
                          (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
        if (!forward && !back) return false;
        if (key->modifiers() & Qt::ControlModifier) return false;
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus->window() != window_ || watched != focus) return false;
        const QList<QWidget*> order = readingOrder(window_);
        if (order.isEmpty()) return false;
        // The stop the focus is on: the control itself or the one it is part of.
        int at = -1;
        for (QWidget* w = focus; w && at < 0; w = w->parentWidget()) at = order.indexOf(w);
        const int n = int(order.size());
        const int next = at < 0 ? (forward ? 0 : n - 1) : (at + (forward ? 1 : n - 1)) % n;
        order[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }

private:
    QWidget* window_;
};

} // namespace

QList<QWidget*> readingOrder(QWidget* window) {
    struct Stop {
        QWidget* w;
        QPoint at;
    };
    std::vector<Stop> stops;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (isStop(w, window)) stops.push_back({w, w->mapTo(window, QPoint(0, 0))});
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Stop& a, const Stop& b) { return a.at.y() < b.at.y(); });
    // Lines: each starts at its topmost control; within a line, left to right.
    QList<QWidget*> order;
    for (size_t i = 0; i < stops.size();) {
        size_t j = i + 1;
        while (j < stops.size() && stops[j].at.y() - stops[i].at.y() < kLineTolerance) ++j;
        std::stable_sort(stops.begin() + i, stops.begin() + j,
                         [](const Stop& a, const Stop& b) { return a.at.x() < b.at.x(); });
        for (size_t k = i; k < j; ++k) order << stops[k].w;
        i = j;
    }
    return order;
}

void tabInReadingOrder(QWidget* window) {
    new ReadingOrderTabs(window);
}

} // namespace formidor::gui
