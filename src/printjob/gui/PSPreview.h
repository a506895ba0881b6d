#pragma once
// The on-screen view of one page of a print job. The page is recorded once per Update into a
// metafile at printer resolution and every paint replays that recording, stretched onto a
// paper-like sheet with frame, shadow and the blank non-printable border, inside a scroll box.
#include "printjob/PSJob.h"
#include "printjob/previewlayout.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QCursor>
#include <QFrame>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QImage;
class QPixmap;

namespace formidor {

class PageRecording;
class TCustomPreview;

// A control that the preview refreshes after each of its updates (toolbar, scale box, status
// bar). It unregisters itself when it goes away.
class TPreviewControl {
public:
    virtual ~TPreviewControl() = default;
    virtual void Update() = 0;
};

// The page panel: paints the sheet from the preview's recording and turns mouse input into
// zooming and drag-scrolling.
class TDrawPanel : public QWidget {
    Q_OBJECT
public:
    explicit TDrawPanel(TCustomPreview* preview, QWidget* parent);
    TCustomPreview* Preview() const { return preview_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    friend class TCustomPreview;
    TCustomPreview* preview_;
    QPoint Drag;
    bool dragging_ = false;
};

// The scroll box: scroll ranges are set by the preview, not derived from the panel, as the
// page layout decides how far each axis scrolls.
class TSpecialScrollBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TSpecialScrollBox(QWidget* parent);
    // range is the content length; the bar runs from 0 to range − client.
    void SetRanges(int hRange, int vRange);
    // The client area left beside the scroll bars that these ranges need (also while hidden).
    QSize ClientSizeFor(int hRange, int vRange) const;
    QSize ClientSize() const;
    int HRange() const { return hRange_; }
    int VRange() const { return vRange_; }
    void SetHPosition(int p);
    void SetVPosition(int p);
    int HPosition() const;
    int VPosition() const;
    int Increment() const { return 8; }
    ScrollAxis VAxis() const;
    ScrollAxis HAxis() const;
    // Where the panel stands in content coordinates; it is shown shifted by the scroll.
    void SetPanelPos(QWidget* panel, QPoint contentPos);
    void SetTracking(bool on);

    std::function<void(QWheelEvent*)> onWheel;

protected:
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    bool viewportEvent(QEvent*) override;

private:
    void applyRanges();
    void placePanel();
    int hRange_ = 0, vRange_ = 0;
    QPointer<QWidget> panel_;
    QPoint panelPos_;
};

class TCustomPreview : public QWidget, public TPrintJobControl {
    Q_OBJECT
public:
    explicit TCustomPreview(QWidget* parent = nullptr);
    ~TCustomPreview() override;

    TCustomPrintJob* PrintJob() const { return FPrintJob; }
    void SetPrintJob(TCustomPrintJob* job);

    bool BorderStyleSingle() const;
    void SetBorderStyleSingle(bool single);
    QCursor Cursor() const;
    void SetCursor(const QCursor& c);
    QColor Color() const { return FColor; }
    void SetColor(const QColor& c);
    QColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(const QColor& c);
    int ShadowSize() const { return FShadowSize; }
    void SetShadowSize(int s);
    TViewMode ViewMode() const { return FViewMode; }
    void SetViewMode(TViewMode m);
    int ViewScale() const { return FViewScale; }
    void SetViewScale(int s);
    int PageIndex() const { return FPageIndex; }
    void SetPageIndex(int n);
    bool ScrollTracking() const { return FScrollTracking; }
    void SetScrollTracking(bool on);
    bool DragScroll() const { return FDragScroll; }
    void SetDragScroll(bool on) { FDragScroll = on; }

    void SetOnUpdate(std::function<void(QObject*)> f) { FOnUpdate = std::move(f); }
    void SetOnPageChanged(std::function<void(QObject*)> f) { FOnPageChanged = std::move(f); }

    std::string ScaleText() const;
    std::string PageText() const;

    // Lays out the page panel and records the page again.
    void Update() override;
    void Repaint();
    void AddControlNotification(TPreviewControl* c);
    void DeleteControlNotification(TPreviewControl* c);
    void ZoomIn();
    void ZoomOut();
    int DPIX() const;
    int DPIY() const;

    // The page panel as it looks on screen, shadow and frame included.
    void GetBitmap(QImage& bmp) const;
    // The recording at full printer resolution.
    void GetContentBitmap(QImage& bmp) const;
    void CopyToClipboard() const;
    // Throws std::runtime_error when the file cannot be written.
    void SaveToFile(const QString& fileName) const;

    // For the scroll-box arithmetic and tests.
    TSpecialScrollBox* ScrollBox() const { return FScrollBox; }
    TDrawPanel* PagePanel() const { return FPage; }
    const PageRecording* PageMetafile() const { return FMetafile.get(); }
    // How many times the page was recorded (each Update with a printer).
    int RecordCount() const { return recordCount_; }

    // The linked job is going away: the link is dropped and the panel hidden.
    void PrintJobDestroyed(TCustomPrintJob& job) override;

protected:
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    friend class TDrawPanel;
    bool HandleKey(int key, Qt::KeyboardModifiers mods);
    void paintPanel(QPainter& p, const QRect& client) const;
    void recordPage();
    int screenPpi() const;

    TCustomPrintJob* FPrintJob = nullptr;
    std::vector<TPreviewControl*> FControls;
    TSpecialScrollBox* FScrollBox = nullptr;
    TDrawPanel* FPage = nullptr;
    std::unique_ptr<PageRecording> FMetafile;
    QCursor cursor_;
    QColor FColor{0x80, 0x80, 0x80};
    QColor FShadowColor{0x40, 0x40, 0x40};
    int FShadowSize = 8;
    TViewMode FViewMode = vmWholePage;
    int FViewScale = 0;
    int FPageIndex = 1;
    bool FScrollTracking = false;
    bool FDragScroll = false;
    std::function<void(QObject*)> FOnUpdate, FOnPageChanged;
    int recordCount_ = 0;
    bool inUpdate_ = false;
};

// The published component: the same control with its stored defaults.
class TPreview : public TCustomPreview {
    Q_OBJECT
public:
    explicit TPreview(QWidget* parent = nullptr) : TCustomPreview(parent) {}
};

} // namespace formidor
