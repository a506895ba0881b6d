#include "common/testenv.h"
#include "platform/gui/guard.h"
#include "platform/metafile.h"
#include "printjob/PJSimpleTextGrid.h"
#include "printjob/gui/PSPreview.h"
#include "printjob/gui/PSStatusBar.h"
#include "printjob/gui/PSToolbar.h"
#include "printjob/gui/PSWindow.h"
#include "printjob/gui/previewrender.h"
#include "printjob/gui/printprogress.h"
#include "printjob/gui/samplepreview.h"
#include "printjob/jobtestsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace formidor {
namespace {

using test::ScopedPrinter;

// A job of n pages whose page body says "Seite <n>".
struct PagedJob {
    TPrintJob job;
    int draws = 0;
    explicit PagedJob(int pages) {
        job.SetPageCount(pages);
        job.SetOnDraw([this](TCustomPrintJob&, Canvas& c, int page, const TRect& r, TDrawArea a,
                             TDrawTarget) {
            if (a != daPage) return;
            ++draws;
            c.TextOut(r.Left + 100, r.Top + 100, "Seite " + std::to_string(page));
        });
    }
};

struct PreviewTest : ::testing::Test {
    ScopedPrinter printer;
    TPreview preview;
    PreviewTest() {
        preview.SetBorderStyleSingle(false);
        preview.resize(400, 368);
        preview.show();
    }
};

TEST_F(PreviewTest, ViewScaleIsClampedInCustomModeAndIgnoredOtherwise) {
    PagedJob j(1);
    preview.SetPrintJob(&j.job);
    const int computed = preview.ViewScale();
    preview.SetViewScale(250);
    EXPECT_EQ(preview.ViewScale(), computed); // whole page: ignored
    preview.SetViewMode(vmCustom);
    preview.SetViewScale(5);
    EXPECT_EQ(preview.ViewScale(), 10);
    preview.SetViewScale(5000);
    EXPECT_EQ(preview.ViewScale(), 1000);
    EXPECT_EQ(preview.ScaleText(), "1000%");
}

TEST_F(PreviewTest, ZoomStepsFromAComputedScale) {
    PagedJob j(1);
    preview.SetPrintJob(&j.job);
    // 400 × 368 without border: a panel 246 wide shows the A4 sheet at 31 percent.
    ASSERT_EQ(preview.ViewScale(), 31);
    EXPECT_EQ(preview.ScaleText(), "Whole page (31%)");
    preview.ZoomIn();
    EXPECT_EQ(preview.ViewMode(), vmCustom);
    EXPECT_EQ(preview.ViewScale(), 50);
    preview.SetViewScale(100);
    preview.ZoomOut();
    EXPECT_EQ(preview.ViewScale(), 75);
    preview.SetViewScale(10);
    preview.ZoomOut();
    EXPECT_EQ(preview.ViewScale(), 10);
    EXPECT_EQ(preview.ViewMode(), vmCustom);
    // A double click with the left button zooms in too.
    QTest::mouseDClick(preview.PagePanel(), Qt::LeftButton);
    EXPECT_EQ(preview.ViewScale(), 25);
}

TEST_F(PreviewTest, PageIndexIsClampedAndAlwaysReported) {
    PagedJob j(3);
    preview.SetPrintJob(&j.job);
    int changed = 0;
    preview.SetOnPageChanged([&](QObject*) { ++changed; });
    preview.SetPageIndex(0);
    EXPECT_EQ(preview.PageIndex(), 1);
    EXPECT_EQ(changed, 1);
    preview.SetPageIndex(7);
    EXPECT_EQ(preview.PageIndex(), 3);
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(preview.PageText(), "Page 3 of 3");
    EXPECT_EQ(preview.PageMetafile()->metafile()->TextStrings(),
              std::vector<std::string>{"Seite 3"});
    preview.SetPrintJob(nullptr);
    EXPECT_EQ(preview.PageText(), "");
}

TEST_F(PreviewTest, PageDownAtTheBottomShowsTheNextPageFromItsTop) {
    PagedJob j(2);
    preview.SetPrintJob(&j.job);
    preview.SetViewMode(vmPageWidth);
    auto* box = preview.ScrollBox();
    ASSERT_GT(box->VAxis().maxPosition(), 0);
    int presses = 0;
    while (preview.PageIndex() == 1 && presses++ < 50) QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(preview.PageIndex(), 2);
    EXPECT_EQ(box->VPosition(), 0);
    // it really was at the bottom before turning
    EXPECT_GT(presses, 1);
    QTest::keyClick(&preview, Qt::Key_PageUp);
    EXPECT_EQ(preview.PageIndex(), 1);
    EXPECT_EQ(box->VPosition(), 0);
}

TEST_F(PreviewTest, PaintingReplaysTheRecordingWithoutAskingTheJob) {
    PagedJob j(2);
    preview.SetPrintJob(&j.job);
    const int draws = j.draws;
    preview.Repaint();
    QImage shot;
    preview.GetBitmap(shot);
    EXPECT_EQ(j.draws, draws);
    EXPECT_EQ(shot.size(), preview.PagePanel()->size());
    // Shadow at the bottom right, frame black, inside white paper.
    const int s = preview.ShadowSize();
    EXPECT_EQ(shot.pixelColor(shot.width() - 2, shot.height() - 2), preview.ShadowColor());
    EXPECT_EQ(shot.pixelColor(0, 10), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() / 2), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(shot.width() - 1, 2), preview.Color()); // beside the shadow
    (void)s;
    QImage content;
    preview.GetContentBitmap(content);
    EXPECT_EQ(content.size(), QSize(2480, 3508));
}

TEST_F(PreviewTest, SavesTheViewAndReportsAFileThatCannotBeWritten) {
    PagedJob j(1);
    preview.SetPrintJob(&j.job);
    test::TempDir dir;
    const QString ok = QString::fromStdString((dir / "seite.bmp").string());
    preview.SaveToFile(ok);
    EXPECT_EQ(QImage(ok).size(), preview.PagePanel()->size());
    const QString bad = QString::fromStdString((dir / "fehlt" / "seite.bmp").string());
    EXPECT_THROW(preview.SaveToFile(bad), std::runtime_error);
}

TEST_F(PreviewTest, WheelScrollsByTheScale) {
    PagedJob j(1);
    preview.SetPrintJob(&j.job);
    preview.SetViewMode(vmCustom);
    preview.SetViewScale(100);
    auto* box = preview.ScrollBox();
    box->SetVPosition(200);
    QWheelEvent down(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box->viewport(), &down);
    EXPECT_EQ(box->VPosition(), 225);
}

TEST_F(PreviewTest, DraggingThePageScrollsTheView) {
    PagedJob j(1);
    preview.SetPrintJob(&j.job);
    preview.SetDragScroll(true);
    preview.SetViewMode(vmCustom);
    preview.SetViewScale(100);
    auto* box = preview.ScrollBox();
    box->SetVPosition(100);
    box->SetHPosition(50);
    auto* panel = preview.PagePanel();
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(200, 300));
    EXPECT_EQ(panel->cursor().shape(), Qt::SizeAllCursor);
    QMouseEvent move(QEvent::MouseMove, QPointF(190, 260), panel->mapToGlobal(QPointF(190, 260)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &move);
    EXPECT_EQ(box->VPosition(), 140);
    EXPECT_EQ(box->HPosition(), 60);
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(190, 260));
    EXPECT_EQ(panel->cursor().shape(), Qt::ArrowCursor);
}

TEST(PreviewWithoutPrinter, LinkingAJobLeavesThePanelHidden) {
    test::ScopedNoPrinter none;
    TPreview preview;
    preview.show();
    PagedJob j(1);
    preview.SetPrintJob(&j.job);
    EXPECT_FALSE(preview.PagePanel()->isVisible());
}

TEST(PreviewLink, ADestroyedJobLeavesNoDanglingLink) {
    ScopedPrinter printer;
    TPreview preview;
    preview.show();
    auto j = std::make_unique<PagedJob>(2);
    preview.SetPrintJob(&j->job);
    j.reset();
    EXPECT_EQ(preview.PrintJob(), nullptr);
    EXPECT_FALSE(preview.PagePanel()->isVisible());
    preview.Update(); // must not touch the freed job
}

// ----- toolbar, scale box, status bar -----

struct ToolbarTest : PreviewTest {
    TPreviewToolbar toolbar;
    TPreviewStatusBar status{&toolbar};
    ToolbarTest() {
        toolbar.resize(600, 26);
        toolbar.SetPreview(&preview);
        status.SetPreview(&preview);
        toolbar.show();
    }
};

TEST_F(ToolbarTest, DefaultButtonsTakeTheirSlotsAroundTheScaleBox) {
    const std::pair<TButtonKind, int> shown[] = {{btnPrint, 1},      {btnPrinterSetupDialog, 25},
                                                 {btnFirstPage, 49}, {btnPrevPage, 73},
                                                 {btnNextPage, 97},  {btnLastPage, 121}};
    for (auto [kind, left] : shown) {
        EXPECT_TRUE(toolbar.Button(kind)->isVisible()) << int(kind);
        EXPECT_EQ(toolbar.Button(kind)->x(), left) << int(kind);
    }
    const int box = toolbar.ScaleCombo()->width();
    EXPECT_EQ(toolbar.ScaleCombo()->x(), 147);
    EXPECT_EQ(toolbar.Button(btnZoomOut)->x(), 145 + box + 4);
    EXPECT_EQ(toolbar.Button(btnZoomIn)->x(), 169 + box + 4);
    EXPECT_FALSE(toolbar.Button(btnPrintDialog)->isVisible());
    EXPECT_EQ(toolbar.Button(btnZoomIn)->toolTip(), "Zoom in");
    EXPECT_EQ(toolbar.Glyphs().size(), QSize(208, 16));
}

TEST_F(ToolbarTest, PageButtonsFollowThePage) {
    PagedJob one(1);
    preview.SetPrintJob(&one.job);
    for (TButtonKind k : {btnFirstPage, btnPrevPage, btnNextPage, btnLastPage})
        EXPECT_FALSE(toolbar.Button(k)->isEnabled()) << int(k);
    EXPECT_TRUE(toolbar.Button(btnPrint)->isEnabled());

    PagedJob three(3);
    preview.SetPrintJob(&three.job);
    EXPECT_TRUE(toolbar.Button(btnNextPage)->isEnabled());
    QTest::mouseClick(toolbar.Button(btnLastPage), Qt::LeftButton);
    EXPECT_EQ(preview.PageIndex(), 3);
    EXPECT_FALSE(toolbar.Button(btnNextPage)->isEnabled());
    EXPECT_TRUE(toolbar.Button(btnPrevPage)->isEnabled());
    EXPECT_EQ(status.PartTexts(), (QStringList{"Page 3 of 3", "Whole page (31%)", ""}));
    EXPECT_EQ(status.PartRights(), (std::vector<int>{100, 200, preview.width()}));
}

TEST_F(ToolbarTest, AHandlerCanSuppressPrinting) {
    PagedJob j(2);
    preview.SetPrintJob(&j.job);
    preview.SetPageIndex(2);
    toolbar.SetOnButtonClick([](QObject*, TButtonKind b, bool& allow) {
        if (b == btnPrint) allow = false;
    });
    toolbar.Button(btnPrevPage)->setEnabled(false); // stale state, refreshed after the click
    toolbar.ButtonClick(btnPrint);
    EXPECT_TRUE(printer->Documents().empty());
    EXPECT_TRUE(toolbar.Button(btnPrevPage)->isEnabled());
}

void typeIntoScaleBox(TPreviewComboBox* box, const QString& text) {
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
}

TEST_F(ToolbarTest, TypedScaleIsConfirmedWithEnter) {
    PagedJob j(1);
    preview.SetPrintJob(&j.job);
    auto* box = toolbar.ScaleCombo();
    EXPECT_EQ(box->currentText(), "Whole page (31%)");
    typeIntoScaleBox(box, "150");
    EXPECT_EQ(preview.ViewMode(), vmCustom);
    EXPECT_EQ(preview.ViewScale(), 150);
    EXPECT_EQ(box->currentText(), "150%");
    typeIntoScaleBox(box, "1.5");
    EXPECT_EQ(preview.ViewScale(), 15);
    // Letters never get in; nothing left to read is an invalid scale.
    QString shown;
    gui::setErrorSink([&](const QString& m) { shown = m; });
    typeIntoScaleBox(box, "ab");
    gui::setErrorSink({});
    EXPECT_EQ(shown, "Invalid scale value");
    EXPECT_EQ(preview.ViewMode(), vmCustom);
    EXPECT_EQ(preview.ViewScale(), 15);
    box->ChooseItem(1);
    EXPECT_EQ(preview.ViewMode(), vmPageWidth);
    EXPECT_EQ(box->currentText().toStdString(), ScaleText(vmPageWidth, preview.ViewScale()));
}

TEST(ScaleBoxUnlinked, ShowsNotLinked) {
    TPreviewComboBox box;
    EXPECT_EQ(box.currentText(), "not linked");
    EXPECT_EQ(box.size(), QSize(125, 21));
}

TEST_F(ToolbarTest, LongPrintShowsProgressWhoseCancelAborts) {
    PagedJob j(6);
    preview.SetPrintJob(&j.job);
    std::vector<int> appProgress;
    j.job.SetOnPrintProgress(
        [&](TCustomPrintJob&, int pos, int, int) { appProgress.push_back(pos); });
    bool sawDialog = false;
    j.job.SetOnEndPrintPage([&](TCustomPrintJob&, int page) {
        if (page != 3) return;
        QProgressDialog* d = CurrentPrintProgressDialog();
        sawDialog = d && d->isVisible();
        if (auto* cancel = d ? d->findChild<QPushButton*>() : nullptr) cancel->click();
    });
    toolbar.ButtonClick(btnPrint);
    EXPECT_TRUE(sawDialog);
    ASSERT_EQ(printer->Documents().size(), 1u);
    // Pages 4 to 6 were never drawn for the printer.
    EXPECT_EQ(printer->LastDocument().pages.at(2)->TextStrings(),
              std::vector<std::string>{"Seite 3"});
    for (size_t i = 3; i < printer->LastDocument().pages.size(); ++i)
        EXPECT_TRUE(printer->LastDocument().pages[i]->TextStrings().empty());
    EXPECT_EQ(appProgress, (std::vector<int>{1, 2, 3}));
    // the application's handler is back in place
    EXPECT_TRUE(bool(j.job.OnPrintProgress()));
}

// ----- preview window -----

struct WindowTest : ::testing::Test {
    ScopedPrinter printer;
    PagedJob j{3};
    TPreviewWindow window;
    int closes = 0;
    WindowTest() {
        window.SetPrintJob(&j.job);
        window.SetOnClose([this](QObject*) { ++closes; });
    }
    void settle() {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(WindowTest, EscapeClosesAModalWindowOnce) {
    int shown = 0;
    window.SetOnShow([&](QObject*) {
        ++shown;
        QTimer::singleShot(0, [this] {
            ASSERT_NE(window.Form(), nullptr);
            QTest::keyClick(window.Form()->Preview(), Qt::Key_Escape);
        });
    });
    window.ShowModal();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(window.Form(), nullptr);
    settle();
    EXPECT_TRUE(j.job.ControlNotifications().empty());
    // A second modal run builds a fresh form and starts on page 1 again.
    window.SetOnShow([this](QObject*) {
        window.SetPageIndex(3);
        QTimer::singleShot(0, [this] {
            EXPECT_EQ(window.PageIndex(), 3);
            window.Close();
        });
    });
    window.ShowModal();
    EXPECT_EQ(closes, 2);
}

TEST_F(WindowTest, EscapeLeavesAModelessWindowOpen) {
    int keys = 0;
    window.SetOnKeyDown([&](QObject* sender, int&, Qt::KeyboardModifiers) {
        EXPECT_EQ(sender, &window);
        ++keys;
    });
    window.Show();
    QTest::keyClick(window.Form()->Preview(), Qt::Key_Escape);
    ASSERT_NE(window.Form(), nullptr);
    EXPECT_TRUE(window.Form()->isVisible());
    EXPECT_EQ(keys, 1);
    EXPECT_EQ(closes, 0);
    // Page Down still reaches the preview.
    QTest::keyClick(window.Form()->Preview(), Qt::Key_PageDown);
    EXPECT_EQ(window.PageIndex(), 2);
    window.Close();
    EXPECT_EQ(closes, 1);
    window.Close(); // without a form: nothing
    EXPECT_EQ(closes, 1);
    settle();
}

TEST_F(WindowTest, BoundsAreRestoredOnReopening) {
    window.Show();
    window.Form()->move(40, 60);
    window.Form()->resize(520, 610);
    settle();
    window.Close();
    settle();
    EXPECT_EQ(window.WindowLeft(), 40);
    EXPECT_EQ(window.WindowTop(), 60);
    EXPECT_EQ(window.WindowWidth(), 520);
    EXPECT_EQ(window.WindowHeight(), 610);
    window.Show();
    settle();
    EXPECT_EQ(window.Form()->pos(), QPoint(40, 60));
    EXPECT_EQ(window.Form()->size(), QSize(520, 610));
    window.Close();
    settle();
}

TEST_F(WindowTest, CentredOnTheOwnersWindowWhenAskedTo) {
    QWidget owner;
    owner.setGeometry(300, 200, 800, 600);
    owner.show();
    settle();
    TPreviewWindow centred(&owner);
    centred.SetPrintJob(&j.job);
    centred.SetPosition(poMainFormCenter);
    centred.Show();
    settle();
    // Within the pixel an odd width leaves over.
    EXPECT_LE((centred.Form()->frameGeometry().center() - owner.frameGeometry().center())
                  .manhattanLength(),
              2);
    centred.Close();
    settle();
}

TEST_F(WindowTest, SettingsReachTheLiveForm) {
    window.SetColor(Qt::black);
    window.SetShadowSize(0);
    int updates = 0;
    window.SetOnUpdate([&](QObject* s) {
        EXPECT_EQ(s, &window);
        ++updates;
    });
    window.Show();
    TPreview* p = window.Form()->Preview();
    EXPECT_EQ(p->Color(), QColor(Qt::black));
    EXPECT_EQ(p->ShadowSize(), 0);
    EXPECT_TRUE(p->DragScroll());
    window.SetViewMode(vmPageWidth);
    EXPECT_EQ(p->ViewMode(), vmPageWidth);
    EXPECT_GT(updates, 0);
    window.SetUserText("Hallo");
    EXPECT_EQ(window.Form()->StatusBar()->PartTexts().last(), "Hallo");
    QTest::mouseClick(window.Form()->Toolbar()->Button(btnNextPage), Qt::LeftButton);
    EXPECT_EQ(window.PageIndex(), 2);
    window.SetButtons(kDefaultButtons | ButtonBit(btnClose));
    QTest::mouseClick(window.Form()->Toolbar()->Button(btnClose), Qt::LeftButton);
    EXPECT_EQ(window.Form(), nullptr);
    EXPECT_EQ(closes, 1);
    settle();
}

TEST(SamplePreview, SavesBothScreenshots) {
    ScopedPrinter printer;
    test::TempDir dir;
    saveSamplePreviewScreenshots(QString::fromStdString(dir.path().string()));
    QImage whole(QString::fromStdString((dir / "preview_wholepage.png").string()));
    QImage zoomed(QString::fromStdString((dir / "preview_150.png").string()));
    EXPECT_FALSE(whole.isNull());
    EXPECT_FALSE(zoomed.isNull());
}

} // namespace
} // namespace formidor
