#pragma once
// Real focus changes for widget tests: the window is shown and active, so focus events reach
// the controls as they do when a user clicks or tabs.
#include <QApplication>
#include <QTest>
#include <QWidget>

namespace formidor::test {

inline void showActive(QWidget* w) {
    QWidget* window = w->window();
    window->show();
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window);
}

// Puts the focus into control, then presses Tab: the control is left for the next one.
inline void enterAndTabAway(QWidget* control) {
    showActive(control);
    control->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

} // namespace formidor::test
