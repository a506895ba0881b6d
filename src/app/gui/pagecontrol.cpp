#include "app/gui/pagecontrol.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QVBoxLayout>

namespace formidor::gui {

namespace {
constexpr int kTabPadding = 12;
} // namespace

MultiRowTabBar::MultiRowTabBar(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true); // hot tracking
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

int MultiRowTabBar::addTab(const QString& text) {
    texts_.append(text);
    if (current_ < 0) current_ = 0;
    relayout();
    updateGeometry();
    return texts_.size() - 1;
}

void MultiRowTabBar::setCurrentIndex(int i) {
    if (i < 0 || i >= texts_.size() || i == current_) return;
    current_ = i;
    relayout();
    update();
    emit currentChanged(i);
}

int MultiRowTabBar::rowHeight() const {
    return fontMetrics().height() + 8;
}

int MultiRowTabBar::naturalWidth(int i) const {
    // The style decides how much room a tab needs around its text.
    QStyleOptionTab opt;
    opt.initFrom(this);
    opt.text = texts_[i];
    opt.shape = QTabBar::RoundedNorth;
    const QSize text(fontMetrics().horizontalAdvance(texts_[i]), fontMetrics().height());
    const QSize tab = style()->sizeFromContents(QStyle::CT_TabBarTab, &opt, text, this);
    return qMax(tab.width(), text.width() + 2 * kTabPadding);
}

void MultiRowTabBar::relayout() {
    const int available = qMax(width(), 50) - 4;
    rows_.clear();
    QVector<int> row;
    int used = 0;
    for (int i = 0; i < texts_.size(); ++i) {
        const int w = naturalWidth(i);
        if (!row.isEmpty() && used + w > available) {
            rows_.append(row);
            row.clear();
            used = 0;
        }
        row.append(i);
        used += w;
    }
    if (!row.isEmpty()) rows_.append(row);

    // The row of the current tab goes to the bottom; the rows keep their cyclic order.
    int currentRow = 0;
    for (int r = 0; r < rows_.size(); ++r)
        if (rows_[r].contains(current_)) currentRow = r;
    QVector<QVector<int>> ordered;
    for (int k = 1; k <= rows_.size(); ++k) ordered.append(rows_[(currentRow + k) % rows_.size()]);
    rows_ = ordered;

    rects_.fill(QRect(), texts_.size());
    const int h = rowHeight();
    for (int r = 0; r < rows_.size(); ++r) {
        const auto& tabs = rows_[r];
        int natural = 0;
        for (int i : tabs) natural += naturalWidth(i);
        // Stretch the row over the whole width; the extra space is shared out evenly.
        const bool stretch = rows_.size() > 1;
        const int extra = stretch ? available - natural : 0;
        int x = 2;
        for (int k = 0; k < tabs.size(); ++k) {
            int w = naturalWidth(tabs[k]);
            if (stretch) w += extra / tabs.size() + (k < extra % tabs.size() ? 1 : 0);
            rects_[tabs[k]] = QRect(x, r * h, w, h);
            x += w;
        }
    }
}

QRect MultiRowTabBar::tabRect(int i) const {
    return rects_.value(i);
}

int MultiRowTabBar::tabAt(const QPoint& pos) const {
    for (int i = 0; i < rects_.size(); ++i)
        if (rects_[i].contains(pos)) return i;
    return -1;
}

QSize MultiRowTabBar::sizeHint() const {
    return QSize(200, qMax(1, int(rows_.size())) * rowHeight() + 2);
}

void MultiRowTabBar::resizeEvent(QResizeEvent*) {
    const int before = rows_.size();
    relayout();
    if (rows_.size() != before) updateGeometry();
}

void MultiRowTabBar::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    auto paintTab = [&](int i) {
        QStyleOptionTab opt;
        opt.initFrom(this);
        opt.rect = rects_[i];
        opt.text = texts_[i];
        opt.shape = QTabBar::RoundedNorth;
        opt.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        if (i == current_) {
            opt.state |= QStyle::State_Selected;
            if (hasFocus()) opt.state |= QStyle::State_HasFocus;
        }
        if (i == hover_) opt.state |= QStyle::State_MouseOver;
        for (const auto& row : rows_) {
            const int k = row.indexOf(i);
            if (k < 0) continue;
            opt.position = row.size() == 1       ? QStyleOptionTab::OnlyOneTab
                           : k == 0              ? QStyleOptionTab::Beginning
                           : k == row.size() - 1 ? QStyleOptionTab::End
                                                 : QStyleOptionTab::Middle;
        }
        p.drawControl(QStyle::CE_TabBarTab, opt);
    };
    for (int i = 0; i < texts_.size(); ++i)
        if (i != current_) paintTab(i);
    if (current_ >= 0) paintTab(current_); // drawn last so it overlaps its neighbours
}

void MultiRowTabBar::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const int i = tabAt(e->position().toPoint());
    if (i >= 0) setCurrentIndex(i);
}

void MultiRowTabBar::mouseMoveEvent(QMouseEvent* e) {
    const int i = tabAt(e->position().toPoint());
    if (i != hover_) {
        hover_ = i;
        update();
    }
}

void MultiRowTabBar::leaveEvent(QEvent*) {
    hover_ = -1;
    update();
}

void MultiRowTabBar::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Left && current_ > 0)
        setCurrentIndex(current_ - 1);
    else if (e->key() == Qt::Key_Right && current_ + 1 < count())
        setCurrentIndex(current_ + 1);
    else
        QWidget::keyPressEvent(e);
}

TPageControl::TPageControl(QWidget* parent) : QWidget(parent) {
    bar_ = new MultiRowTabBar(this);
    frame_ = new QFrame(this);
    frame_->setFrameShape(QFrame::StyledPanel);
    frame_->setFrameShadow(QFrame::Raised);
    stack_ = new QStackedWidget(frame_);
    auto* inner = new QVBoxLayout(frame_);
    inner->setContentsMargins(2, 2, 2, 2);
    inner->addWidget(stack_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar_);
    layout->addWidget(frame_, 1);
    connect(bar_, &MultiRowTabBar::currentChanged, this, [this](int i) {
        stack_->setCurrentIndex(i);
        emit currentChanged(i);
    });
}

int TPageControl::addPage(QWidget* page, const QString& caption) {
    stack_->addWidget(page);
    return bar_->addTab(caption);
}

void TPageControl::setCurrentIndex(int i) {
    bar_->setCurrentIndex(i);
}

} // namespace formidor::gui
