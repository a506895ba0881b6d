#pragma once
// "Vorschau" of a form page: the page's own form printer runs into a recorder like the page's
// printer (same frame, calibration, orientation, font; none of the after-print steps, so
// nothing is stored, counted or journaled) and the result is shown in a preview window, the
// sheet at its real size with the printable area's border and a drawing of the paper form
// behind the texts. The preview's print button presses the page's "Drucken", so the real form
// is printed with all its after-print steps; the drawing never reaches the printer.
#include "app/calibration.h"
#include "forms/formsketch.h"
#include "printjob/PSJob.h"
#include "printjob/gui/PSWindow.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QAbstractButton;
class QWidget;

namespace formidor {
class Printer;
class RecordingPrinter;
} // namespace formidor

namespace formidor::gui {

struct FormPreviewSource {
    forms::FormPrinterId id = forms::FormPrinterId::Transfer;
    // The page's form printer alone, on the printer it is given.
    std::function<void(Printer&)> printForm;
    // The texts it draws under a calibration (for the drawing of the form).
    forms::FormTexts texts;
    const CalibrationView* calibration = nullptr;
    // "Drucken" of the page.
    QAbstractButton* printButton = nullptr;
    // The page's printer; nullptr: the application's.
    Printer* printer = nullptr;
};

// The job the preview window shows: the sheet, the printable border, the form drawing and the
// recorded texts. Printing it prints the form through the page's "Drucken".
class FormPreviewJob : public TPrintJob {
public:
    FormPreviewJob(std::unique_ptr<RecordingPrinter> recorded, forms::FormSketch sketch,
                   std::function<void()> printForReal);
    ~FormPreviewJob() override;

    const RecordedDocument& Recorded() const;
    const forms::FormSketch& Sketch() const { return sketch_; }

    void Draw(Canvas& canvas, int pageIndex, TDrawTarget target) override;
    void Print() override;
    void PrintDialog() override;

private:
    std::unique_ptr<RecordingPrinter> recorded_;
    forms::FormSketch sketch_;
    std::function<void()> printForReal_;
};

// One preview of a page, owned by the page; a new "Vorschau" of the same button replaces it.
class FormPreview : public QObject {
    Q_OBJECT
public:
    FormPreview(QWidget* page, QAbstractButton* printButton, std::unique_ptr<FormPreviewJob> job);
    ~FormPreview() override;

    FormPreviewJob& Job() { return *job_; }
    TPreviewWindow* Window() const { return window_; }
    QAbstractButton* PrintButton() const { return printButton_; }

private:
    std::unique_ptr<FormPreviewJob> job_;
    QPointer<TPreviewWindow> window_;
    QAbstractButton* printButton_;
};

// "Vorschau": records the form print and shows it. Throws what the form printer throws
// (offsets, printer); then no window opens.
FormPreview* showFormPreview(QWidget* page, const FormPreviewSource& source);

// The preview a page shows for its print button, or nullptr.
FormPreview* formPreviewOf(QWidget* page, QAbstractButton* printButton);

// Connects a "Vorschau" button through the application's error handling.
void connectPreviewButton(QAbstractButton* button, QWidget* page,
                          std::function<FormPreviewSource()> source);

} // namespace formidor::gui
