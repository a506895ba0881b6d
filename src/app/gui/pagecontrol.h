#pragma once
// A page control whose tabs wrap into several rows, so that every page of the main window is
// reachable with one click and no tab hides behind scroll arrows. As on the classic multi-line
// tab controls, the row holding the current tab moves next to the page, and every row is
// stretched to the full width.
#include <QFrame>
#include <QStackedWidget>
#include <QStringList>
#include <QVector>
#include <QWidget>

namespace formidor::gui {

class MultiRowTabBar : public QWidget {
    Q_OBJECT
public:
    explicit MultiRowTabBar(QWidget* parent = nullptr);

    int addTab(const QString& text);
    int count() const { return texts_.size(); }
    QString tabText(int i) const { return texts_.value(i); }
    int currentIndex() const { return current_; }
    void setCurrentIndex(int i);
    int rowCount() const { return rows_.size(); }
    // Rectangle of tab i as laid out now; for tests and clicks.
    QRect tabRect(int i) const;
    int tabAt(const QPoint& pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void leaveEvent(QEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    void relayout();
    int rowHeight() const;
    int naturalWidth(int i) const;

    QStringList texts_;
    int current_ = -1;
    int hover_ = -1;
    QVector<QVector<int>> rows_; // tab indices per row, in tab order
    QVector<QRect> rects_;
};

class TPageControl : public QWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

    int addPage(QWidget* page, const QString& caption);
    int count() const { return stack_->count(); }
    int currentIndex() const { return stack_->currentIndex(); }
    QWidget* currentWidget() const { return stack_->currentWidget(); }
    QWidget* widget(int i) const { return stack_->widget(i); }
    int indexOf(QWidget* page) const { return stack_->indexOf(page); }
    void setCurrentIndex(int i);
    void setCurrentWidget(QWidget* page) { setCurrentIndex(indexOf(page)); }
    MultiRowTabBar* tabBar() const { return bar_; }
    // Size of the area a page gets.
    QSize pageSize() const { return stack_->size(); }

signals:
    // After the new page has become the visible one.
    void currentChanged(int index);

private:
    MultiRowTabBar* bar_;
    QFrame* frame_;
    QStackedWidget* stack_;
};

} // namespace formidor::gui
