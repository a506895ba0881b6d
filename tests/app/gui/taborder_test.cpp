// The keyboard on every form page: Tab goes through the fields top to bottom and left to right
// and reaches every field and "Drucken"; Return in a field prints nothing.
#include "app/gui/UeberweisM.h"

#include "app/gui/pagecontrol.h"
#include "common/testenv.h"
#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/chequepage.h"
#include "forms/gui/depositpage.h"
#include "forms/gui/directdebitpage.h"
#include "forms/gui/parcelpage.h"
#include "forms/gui/transferpage.h"
#include "platform/gui/guard.h"
#include "platform/printer.h"
#include "platform/recordingprinter.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

QPoint at(QWidget* w) {
    return w->mapTo(w->window(), QPoint(0, 0));
}

// The control the focus stands on, or the composite it belongs to (a combo box's edit).
QWidget* stopOf(QWidget* focus, QWidget* page) {
    for (QWidget* w = focus; w && w != page; w = w->parentWidget())
        if (qobject_cast<QComboBox*>(w)) return w;
    return focus;
}

TEST(TabOrder, EveryFormPageIsFilledInReadingOrderAndReturnPrintsNothing) {
    test::ScopedDataHome home;
    QStringList errors;
    setErrorSink([&](const QString& t) { errors << t; });
    auto* recorder = new RecordingPrinter();
    auto previous = SetPrinter(std::unique_ptr<Printer>(recorder));
    auto main = CreateApplicationWindows();
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));

    struct Page {
        QWidget* page;
        QTabWidget* tabs;
        int sub;
    };
    const Page pages[] = {
        {main->TabSheet2, nullptr, 0},
        {main->TabSheet3, nullptr, 0},
        {main->TabSheet1, main->TabSheet1->PageControl2, 0},
        {main->TabSheet1, main->TabSheet1->PageControl2, 1},
        {main->TabSheet6, main->TabSheet6->PageControl3, 0},
        {main->TabSheet6, main->TabSheet6->PageControl3, 1},
        {main->TabSheet10, nullptr, 0},
        {main->TabSheet12, nullptr, 0},
    };
    for (const Page& p : pages) {
        main->PageControl1->setCurrentWidget(p.page);
        QWidget* shown = p.page;
        if (p.tabs) {
            p.tabs->setCurrentIndex(p.sub);
            shown = p.tabs->currentWidget();
        }
        QApplication::processEvents();
        SCOPED_TRACE(shown->objectName().toStdString());

        // Start before the first field: on the page tabs, then Tab through the page once.
        main->PageControl1->setFocus(Qt::TabFocusReason);
        QList<QWidget*> visited;
        for (int i = 0; i < 200; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* w = stopOf(QApplication::focusWidget(), shown);
            if (!shown->isAncestorOf(w)) {
                if (!visited.isEmpty()) break;
                continue; // the tabs of the sub-pages come first
            }
            if (visited.contains(w)) break;
            visited << w;
        }
        ASSERT_FALSE(visited.isEmpty());
        for (int i = 1; i < visited.size(); ++i) {
            const QPoint a = at(visited[i - 1]), b = at(visited[i]);
            const bool below = b.y() >= a.y() + 8;
            const bool rightOnTheLine = std::abs(b.y() - a.y()) < 8 && b.x() > a.x();
            EXPECT_TRUE(below || rightOnTheLine)
                << visited[i - 1]->objectName().toStdString() << " (" << a.x() << "," << a.y()
                << ") before " << visited[i]->objectName().toStdString() << " (" << b.x() << ","
                << b.y() << ")";
        }
        bool print = false;
        for (QWidget* w : visited)
            if (auto* b = qobject_cast<QPushButton*>(w); b && b->text() == "Drucken") print = true;
        EXPECT_TRUE(print) << "\"Drucken\" is not reached";
        for (QLineEdit* e : shown->findChildren<QLineEdit*>()) {
            if (!e->isVisible() || !e->isEnabled() || e->isReadOnly()) continue;
            QWidget* stop = stopOf(e, shown);
            EXPECT_TRUE(visited.contains(stop)) << stop->objectName().toStdString() << " skipped";
            stop->setFocus(Qt::TabFocusReason);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        EXPECT_TRUE(recorder->Documents().empty()) << "Return printed";
    }

    main->JournalSpeichern = nullptr;
    main->hide();
    main.reset();
    SetPrinter(std::move(previous));
    setErrorSink(nullptr);
}

} // namespace
} // namespace formidor::gui
