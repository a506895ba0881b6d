#include "app/gui/gradientpanel.h"

#include <QLinearGradient>
#include <QPainter>
#include <qdrawutil.h>

namespace formidor::gui {

GradientPanel::GradientPanel(QWidget* parent) : QWidget(parent), bottom_(hotLight()) {}

QColor GradientPanel::hotLight() {
    return QColor(0, 102, 204);
}

void GradientPanel::setColors(QColor top, QColor bottom) {
    top_ = top;
    bottom_ = bottom;
    update();
}

void GradientPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, top_);
    g.setColorAt(1, bottom_);
    p.fillRect(rect(), g);
    // Outer and inner bevel, both sunken.
    qDrawShadePanel(&p, rect(), palette(), true, 1);
    qDrawShadePanel(&p, rect().adjusted(1, 1, -1, -1), palette(), true, 1);
}

} // namespace formidor::gui
