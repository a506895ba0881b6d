#pragma once
// Tab and Shift+Tab in a window move through its controls in reading order of what is shown:
// top to bottom, and left to right within a line, as the fields of the paper forms are filled
// in. The order is taken from where the controls stand when the key is pressed, so variants
// that move or hide fields and pages added later need no order of their own. A group of radio
// buttons is one stop (its checked button); the arrow keys move within it.
#include <QList>

class QWidget;

namespace formidor::gui {

void tabInReadingOrder(QWidget* window);

// The controls Tab visits in window, in that order.
QList<QWidget*> readingOrder(QWidget* window);

} // namespace formidor::gui
