#pragma once
// The behaviour of the data management page: the lists filled whenever the page is shown, the
// details of the selected entry, deleting it, and the two address lists previewed modally in
// their preview windows, from which the user prints.
#include "addressbook/gui/datapage.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace formidor {
class TSimpleTextGridPrintJob;
class TPreviewWindow;
} // namespace formidor

namespace formidor::gui {

class DataManagement : public QObject {
    Q_OBJECT
public:
    // Handlers of page; the preview windows are centred on mainWindow.
    DataManagement(DataPage* page, QWidget* mainWindow);
    ~DataManagement() override;

    void TabSheet13Show();
    void LBAbsClick();
    void LBEmpfClick();
    void Button30Click();
    void Button31Click();
    void Button6Click();
    void Button9Click();
    void PreviewWindow1Show();
    void PreviewWindow2Show();

    // The list print components of the originators (1) and the recipients (2). They are made on
    // first use: a job in landscape hands its orientation to the application's printer, which
    // must not happen at every start.
    TSimpleTextGridPrintJob& SimpleTextGridPrintJob1();
    TSimpleTextGridPrintJob& SimpleTextGridPrintJob2();
    TPreviewWindow& PreviewWindow1();
    TPreviewWindow& PreviewWindow2();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct List;
    List& list(int which);
    void showDetails(int which);
    void deleteSelected(int which);
    void previewList(int which);

    DataPage* page_;
    QPointer<QWidget> mainWindow_;
    std::unique_ptr<List> lists_[2];
};

// Connects the page's controls to their handlers; the object lives as long as the page.
DataManagement* setupDataPage(DataPage* page, QWidget* mainWindow);

} // namespace formidor::gui
