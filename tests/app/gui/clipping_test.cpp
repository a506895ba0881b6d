// Every text of every page, sub-page and window is shown whole: labels, buttons, check boxes,
// radio buttons, group titles, grid headers and tabs fit the space they are given, and no
// control reaches out of its parent. The walk goes through the window's widget tree, so pages
// and controls added later are covered without naming them here.
#include "app/gui/UeberweisM.h"

#include "app/gui/pagecontrol.h"
#include "common/testenv.h"
#include "forms/gui/z1.h"
#include "platform/gui/guard.h"
#include "platform/printer.h"
#include "platform/recordingprinter.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

QString plain(QString s) {
    return s.remove(QLatin1Char('&'));
}

QString where(const QWidget* w) {
    QStringList path;
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (!p->objectName().isEmpty()) path.prepend(p->objectName());
    return path.join(QLatin1Char('/')) + QStringLiteral(" (") +
           QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(")");
}

bool insideItemView(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(p)) return true;
    return false;
}

// What does not fit in the widget and its visible children.
void collectClipped(QWidget* root, QStringList& out) {
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(root) || w->isWindow()) continue;
        if (insideItemView(w) && !qobject_cast<QHeaderView*>(w)) continue;
        const QFontMetrics fm(w->font());
        QString text;
        int need = 0;
        int have = w->width();
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty() || !l->pixmap().isNull()) continue;
            if (l->wordWrap()) {
                need = l->heightForWidth(l->width());
                have = l->height();
            } else {
                need = l->sizeHint().width();
            }
            text = l->text();
        } else if (auto* b = qobject_cast<QCheckBox*>(w); b || qobject_cast<QRadioButton*>(w)) {
            auto* ab = static_cast<QAbstractButton*>(w);
            if (ab->text().isEmpty()) continue;
            need = ab->sizeHint().width();
            text = ab->text();
        } else if (auto* p = qobject_cast<QPushButton*>(w)) {
            if (p->text().isEmpty()) continue;
            need = fm.horizontalAdvance(plain(p->text())) + 8;
            text = p->text();
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            if (g->title().isEmpty()) continue;
            need = fm.horizontalAdvance(plain(g->title())) + 16;
            text = g->title();
        } else if (auto* t = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < t->count(); ++i) {
                const int tw = QFontMetrics(t->font()).horizontalAdvance(plain(t->tabText(i)));
                if (tw + 8 > t->tabRect(i).width())
                    out << QStringLiteral("%1: tab \"%2\" needs %3, has %4")
                               .arg(where(t), t->tabText(i))
                               .arg(tw + 8)
                               .arg(t->tabRect(i).width());
            }
            continue;
        } else if (auto* h = qobject_cast<QHeaderView*>(w)) {
            if (!h->model() || h->isHidden()) continue;
            const int margin = h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
            for (int i = 0; i < h->count(); ++i) {
                if (h->isSectionHidden(i)) continue;
                const QString s = h->model()->headerData(i, h->orientation()).toString();
                const int tw = QFontMetrics(h->font()).horizontalAdvance(s) + 2 * margin;
                if (!s.isEmpty() && tw > h->sectionSize(i))
                    out << QStringLiteral("%1: header \"%2\" needs %3, has %4")
                               .arg(where(h), s)
                               .arg(tw)
                               .arg(h->sectionSize(i));
            }
            continue;
        } else {
            continue;
        }
        if (need > have)
            out << QStringLiteral("%1: \"%2\" needs %3, has %4")
                       .arg(where(w), text)
                       .arg(need)
                       .arg(have);
        // Reaching out of the parent cuts the control off as well.
        QWidget* parent = w->parentWidget();
        if (parent && !qobject_cast<QStackedWidget*>(parent) &&
            !parent->rect().contains(w->geometry()))
            out << QStringLiteral("%1: \"%2\" reaches out of its parent").arg(where(w), text);
    }
}

// Every tab of every tab control under root, recursively, checked while it is shown.
void walk(QWidget* root, QStringList& out) {
    QApplication::processEvents();
    collectClipped(root, out);
    for (QTabWidget* tabs : root->findChildren<QTabWidget*>()) {
        if (!tabs->isVisibleTo(root)) continue;
        const int before = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            if (i == before) continue;
            tabs->setCurrentIndex(i);
            QApplication::processEvents();
            collectClipped(tabs->widget(i), out);
        }
        tabs->setCurrentIndex(before);
    }
}

TEST(Clipping, EveryTextOfEveryPageAndWindowIsShownWhole) {
    test::ScopedDataHome home;
    QStringList errors;
    setErrorSink([&](const QString& t) { errors << t; });
    auto previous = SetPrinter(std::make_unique<RecordingPrinter>());
    auto main = CreateApplicationWindows();
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));

    QStringList clipped;
    TPageControl* pages = main->PageControl1;
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        walk(main.get(), clipped);
    }
    for (QDialog* d : main->findChildren<QDialog*>()) {
        if (d->parentWidget() != main.get()) continue;
        d->show();
        walk(d, clipped);
        d->hide();
    }
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join(QLatin1Char('\n')).toStdString();

    pages->setCurrentIndex(0);
    main->JournalSpeichern = nullptr;
    main->hide();
    main.reset();
    SetPrinter(std::move(previous));
    setErrorSink(nullptr);
}

} // namespace
} // namespace formidor::gui
