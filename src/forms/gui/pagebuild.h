#pragma once
// Small helpers for building the form pages. The pages are laid out at fixed pixel positions
// because the fields mirror the boxes of the paper forms and some variants move or resize
// single fields (a narrowed bank field, swapped columns) by exact amounts.
#include "platform/gui/maskedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace formidor::gui::build {

// Entry fields of the form pages print in a bold monospaced face, so the user sees how the
// characters fill the boxes of the paper form.
inline QFont entryFont(int pixelHeight = 12) {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPixelSize(pixelHeight);
    f.setBold(true);
    return f;
}

// Font of the page captions and of the parcel and printer pages.
inline QFont pageFont() {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    return f;
}

inline constexpr int kEditHeight = 20;
inline constexpr int kLabelHeight = 14;

inline QLabel* label(QWidget* parent, const QString& text, int x, int y, int w = 0) {
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    if (w > 0)
        l->resize(w, kLabelHeight);
    else
        l->adjustSize();
    return l;
}

inline QLineEdit* edit(QWidget* parent, int x, int y, int w, const QFont& font,
                       const QString& text = {}) {
    auto* e = new QLineEdit(text, parent);
    e->setFont(font);
    e->setGeometry(x, y, w, kEditHeight);
    return e;
}

// A masked entry field; without a mask it takes free text like a plain edit.
inline MaskEdit* maskEdit(QWidget* parent, int x, int y, int w, const QFont& font,
                          const QString& mask = {}, const QString& text = {}) {
    auto* e = new MaskEdit(mask, parent);
    e->setFont(font);
    e->setGeometry(x, y, w, kEditHeight);
    if (!text.isEmpty()) e->setText(text);
    return e;
}

// A drop-down box whose list is a pick list of remembered names. Typed text is not added to
// the list. Lists marked "sorted" are kept in alphabetical order by whoever fills them; the
// property says which.
inline QComboBox* combo(QWidget* parent, int x, int y, int w, const QFont& font, bool sorted) {
    auto* c = new QComboBox(parent);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setFont(font);
    c->setGeometry(x, y, w, kEditHeight + 2);
    c->setProperty("sorted", sorted);
    return c;
}

inline QPushButton* button(QWidget* parent, const QString& text, int x, int y, int w, int h = 25) {
    auto* b = new QPushButton(text, parent);
    b->setGeometry(x, y, w, h);
    return b;
}

inline QRadioButton* radio(QWidget* parent, const QString& text, int x, int y, int w = 0) {
    auto* r = new QRadioButton(text, parent);
    r->move(x, y);
    if (w > 0)
        r->resize(w, 18);
    else
        r->adjustSize();
    return r;
}

inline QCheckBox* check(QWidget* parent, const QString& text, int x, int y, int w = 0) {
    auto* c = new QCheckBox(text, parent);
    c->move(x, y);
    if (w > 0)
        c->resize(w, 18);
    else
        c->adjustSize();
    return c;
}

// The picture of a paper form behind its entry fields: the form's paper colour, its frame and
// its title in the corner, with the boxes drawn by the fields laid over it.
class FormPicture : public QWidget {
public:
    FormPicture(const QString& title, QColor paper, QColor ink, QWidget* parent)
        : QWidget(parent), title_(title), paper_(paper), ink_(ink) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), paper_);
        p.setPen(QPen(ink_, 2));
        p.drawRect(rect().adjusted(1, 1, -2, -2));
        QFont f = pageFont();
        f.setBold(true);
        f.setPixelSize(13);
        p.setFont(f);
        p.drawText(rect().adjusted(8, 4, -8, -4), Qt::AlignRight | Qt::AlignBottom, title_);
    }

private:
    QString title_;
    QColor paper_, ink_;
};

} // namespace formidor::gui::build
