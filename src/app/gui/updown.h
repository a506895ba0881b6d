#pragma once
// An up-down control attached to an edit, as the calibration offsets use it: two arrows beside
// the edit that step the number in it between a minimum and a maximum and write plain digits
// back. The edit stays a plain edit, so it may hold any text; the arrows start from the number
// in it, or from their last position when it holds none.
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>
#include <functional>

namespace formidor::gui {

class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(QLineEdit* associate, int min, int max, QWidget* parent);

    QLineEdit* associate() const { return associate_; }
    int position() const { return position_; }
    // One step up (+1) or down (−1), as a click on the arrow does.
    void step(int delta);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void changed(int position);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* associate_;
    QToolButton* up_;
    QToolButton* down_;
    int min_, max_;
    int position_ = 0;
};

// Runs handler when the widget loses the keyboard focus to another control of the program
// (not when the whole window loses activation or a menu pops up), through the general error
// handling.
void onFocusOut(QWidget* widget, std::function<void()> handler);
// Runs handler after the widget has been shown by the program (not by the window system).
void onShow(QWidget* widget, std::function<void()> handler);

} // namespace formidor::gui
