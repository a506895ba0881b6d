#pragma once
// A panel painting a vertical gradient between two colours inside sunken bevels; the strip
// under the main window's pages.
#include <QColor>
#include <QWidget>

namespace formidor::gui {

class GradientPanel : public QWidget {
    Q_OBJECT
public:
    explicit GradientPanel(QWidget* parent = nullptr);
    void setColors(QColor top, QColor bottom);
    QColor topColor() const { return top_; }
    QColor bottomColor() const { return bottom_; }

    // The system's hot-light colour (the colour of hot-tracked links).
    static QColor hotLight();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor top_ = Qt::white;
    QColor bottom_;
};

} // namespace formidor::gui
