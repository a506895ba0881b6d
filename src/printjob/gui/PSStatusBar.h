#pragma once
// The preview's status bar: the page ("Page 2 of 5"), the scale and a free text, each in a part
// with a fixed right edge, refreshed after every update of its preview.
#include "printjob/gui/PSPreview.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

class QSizeGrip;

namespace formidor {

class TCustomPreviewStatusBar : public QWidget, public TPreviewControl {
    Q_OBJECT
public:
    explicit TCustomPreviewStatusBar(QWidget* parent = nullptr);
    ~TCustomPreviewStatusBar() override;

    TCustomPreview* Preview() const { return FPreview; }
    void SetPreview(TCustomPreview* p);
    TPanels Panels() const { return FPanels; }
    void SetPanels(TPanels p);
    int PagePanelWidth() const { return FPagePanelWidth; }
    void SetPagePanelWidth(int w);
    int ScalePanelWidth() const { return FScalePanelWidth; }
    void SetScalePanelWidth(int w);
    const QString& UserText() const { return FUserText; }
    void SetUserText(const QString& t);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool on);
    void SetOnUpdate(std::function<void(QObject*)> f) { FOnUpdate = std::move(f); }

    void Update() override;

    // What the bar shows: right edges of the parts and their texts.
    const std::vector<int>& PartRights() const { return parts_; }
    const QStringList& PartTexts() const { return texts_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QPointer<TCustomPreview> FPreview;
    TPanels FPanels = kDefaultPanels;
    int FPagePanelWidth = 100;
    int FScalePanelWidth = 100;
    QString FUserText;
    bool FSizeGrip = true;
    std::function<void(QObject*)> FOnUpdate;
    std::vector<int> parts_;
    QStringList texts_;
    QSizeGrip* grip_ = nullptr;
};

class TPreviewStatusBar : public TCustomPreviewStatusBar {
    Q_OBJECT
public:
    explicit TPreviewStatusBar(QWidget* parent = nullptr) : TCustomPreviewStatusBar(parent) {}
};

} // namespace formidor
