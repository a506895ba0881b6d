#include "journal/gui/journalmodel.h"

#include "common/testenv.h"
#include "journal/gui/journalpage.h"
#include "platform/gui/guard.h"

#include <filesystem>

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

QString cell(QTableView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

std::vector<int> selectedRows(QTableView* grid) {
    std::vector<int> rows;
    for (const auto& i : grid->selectionModel()->selectedIndexes())
        if (i.column() == 1) rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void clickRow(QTableView* grid, int row) {
    QRect r = grid->visualRect(grid->model()->index(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
}

class JournalGrid : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    Journal journal;
    JournalPage page;

    void append(const char* name) {
        journal.JournalAnhaengen(kJournalUeberweisung, "12345", name, 44270.5, "37040044",
                                 "Stadtwerke", "999", "COBADEFFXXX", "Strom", 125000);
    }
};

TEST_F(JournalGrid, ShowsThreeRowsPerRecordAndFollowsAppends) {
    journal.JournalLaden();
    attachJournalGrid(page.StringGrid1, journal);
    EXPECT_EQ(page.StringGrid1->model()->rowCount(), 1) << "an empty grid keeps one row";
    EXPECT_EQ(cell(page.StringGrid1, 0, 1), "");

    append("Anna");
    append("Bert");
    auto* grid = page.StringGrid1;
    EXPECT_EQ(grid->model()->rowCount(), 6);
    EXPECT_EQ(grid->columnWidth(0), 30);
    EXPECT_EQ(grid->columnWidth(1), 505);
    EXPECT_EQ(cell(grid, 3, 0), "2");
    EXPECT_EQ(cell(grid, 3, 1),
              "Überweisung - 15.03.2021 - Betrag: 12,50 € - Verwendungszweck: Strom");
    EXPECT_EQ(cell(grid, 4, 1), "Auftraggeber: Bert - Konto: 12345 (37040044)");
    EXPECT_EQ(cell(grid, 5, 1), "Empfänger: Stadtwerke - Konto:999 (COBADEFFXXX)");
    EXPECT_EQ(cell(grid, 4, 0), "");

    // Deleting through mark, save and load shows the remaining block only.
    journal.Liste()[0].SetFlag(1);
    journal.JournalSpeichern();
    journal.JournalLaden();
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(cell(grid, 0, 0), "2");
}

TEST_F(JournalGrid, AClickSelectsTheWholeBlockOfItsRecord) {
    journal.JournalLaden();
    for (const char* n : {"A", "B", "C"}) append(n);
    attachJournalGrid(page.StringGrid1, journal);
    page.resize(548, 420);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));

    clickRow(page.StringGrid1, 4);
    EXPECT_EQ(selectedRows(page.StringGrid1), (std::vector<int>{3, 4, 5}));
    clickRow(page.StringGrid1, 8);
    EXPECT_EQ(selectedRows(page.StringGrid1), (std::vector<int>{6, 7, 8}));
    EXPECT_EQ(page.StringGrid1->selectionModel()->selectedIndexes().size(), 6) << "both columns";

    if (const char* dir = std::getenv("FORMIDOR_SCREENSHOT_DIR"))
        page.grab().save(QString::fromLocal8Bit(dir) + "/journalpage.png");
}

TEST_F(JournalGrid, AHundredThousandRecordsNeedNoRowTextsUpFront) {
    TJournal r;
    r.SetTyp(kJournalLastschrift);
    r.SetDatum(44270);
    for (int i = 1; i <= 100000; ++i) {
        r.SetID(i);
        journal.Liste().push_back(r);
    }
    attachJournalGrid(page.StringGrid1, journal);
    page.resize(548, 420);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    auto* grid = page.StringGrid1;
    EXPECT_EQ(grid->model()->rowCount(), 300000);
    grid->scrollToBottom();
    QTest::qWait(0);
    EXPECT_EQ(cell(grid, 299997, 0), "100000");
    EXPECT_EQ(grid->rowAt(grid->viewport()->height() - 1) / 3, 99999) << "scrolled to the end";
    StringGrid1Click(grid);
    grid->setCurrentIndex(grid->model()->index(299998, 1));
    StringGrid1Click(grid);
    EXPECT_EQ(selectedRows(grid), (std::vector<int>{299997, 299998, 299999}));
}

TEST_F(JournalGrid, AtStartAnUnreadableJournalIsReportedAndTheGridStaysUsable) {
    std::filesystem::create_directories(home.appDir() / "journal");
    QStringList shown;
    setErrorSink([&](const QString& text) { shown << text; });
    showJournalAtStart(page.StringGrid1, journal);
    setErrorSink({});
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("kann nicht gelesen werden")) << shown[0].toStdString();
    EXPECT_EQ(page.StringGrid1->model()->rowCount(), 1);
    EXPECT_EQ(journal.state(), Journal::State::Unreadable);
}

TEST_F(JournalGrid, AtStartTheFirstBlockIsSelected) {
    journal.JournalLaden();
    append("A");
    append("B");
    Journal again;
    showJournalAtStart(page.StringGrid1, again);
    EXPECT_EQ(selectedRows(page.StringGrid1), (std::vector<int>{0, 1, 2}));
}

// The grid as a list of records: a click keeps the number column in view, the arrow and page
// keys move by record and select its block, Tab and Shift+Tab leave the grid for the buttons.
TEST_F(JournalGrid, KeyboardMovesByRecordAndTabLeavesTheGrid) {
    journal.JournalLaden();
    for (const char* n : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}) append(n);
    attachJournalGrid(page.StringGrid1, journal);
    page.resize(548, 420);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    QTableView* grid = page.StringGrid1;

    clickRow(grid, 4);
    EXPECT_EQ(grid->horizontalScrollBar()->value(), 0) << "the number column scrolled away";
    EXPECT_TRUE(grid->visualRect(grid->model()->index(3, 0)).intersects(grid->viewport()->rect()));

    struct Step {
        Qt::Key key;
        std::vector<int> rows;
    };
    for (const Step& s : {Step{Qt::Key_Down, {6, 7, 8}}, Step{Qt::Key_Down, {9, 10, 11}},
                          Step{Qt::Key_Up, {6, 7, 8}}, Step{Qt::Key_End, {27, 28, 29}},
                          Step{Qt::Key_Down, {27, 28, 29}}, Step{Qt::Key_Home, {0, 1, 2}},
                          Step{Qt::Key_Up, {0, 1, 2}}, Step{Qt::Key_PageDown, {}}}) {
        QTest::keyClick(grid, s.key);
        if (s.rows.empty()) {
            const int top = grid->currentIndex().row();
            EXPECT_EQ(top % 3, 0) << "page down lands on a record's first row";
            EXPECT_EQ(selectedRows(grid), (std::vector<int>{top, top + 1, top + 2}));
        } else {
            EXPECT_EQ(selectedRows(grid), s.rows) << "after key " << s.key;
        }
        EXPECT_EQ(grid->horizontalScrollBar()->value(), 0);
    }

    grid->setFocus(Qt::TabFocusReason);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), grid) << "Tab stays in the grid";
    grid->setFocus(Qt::TabFocusReason);
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_NE(QApplication::focusWidget(), grid) << "Shift+Tab stays in the grid";
}

} // namespace
} // namespace formidor::gui
