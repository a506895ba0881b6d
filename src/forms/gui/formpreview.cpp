#include "forms/gui/formpreview.h"

#include "platform/gui/guard.h"
#include "platform/printer.h"
#include "platform/recordingprinter.h"
#include "printjob/gui/PSWindow.h"

#include <QAbstractButton>
#include <QWidget>
#include <stdexcept>

namespace formidor::gui {

namespace {

constexpr TColor kBorder = RGB(160, 160, 160);

TPageOrientation jobOrientation(TPrinterOrientation o) {
    return o == TPrinterOrientation::poPortrait ? orPortrait : orLandscape;
}

} // namespace

FormPreviewJob::FormPreviewJob(std::unique_ptr<RecordingPrinter> recorded, forms::FormSketch sketch,
                               std::function<void()> printForReal)
    : recorded_(std::move(recorded)), sketch_(std::move(sketch)),
      printForReal_(std::move(printForReal)) {
    if (!recorded_ || recorded_->Documents().empty())
        throw std::logic_error("form preview without a recorded print");
    const RecordedDocument& doc = Recorded();
    SetTitle(doc.title);
    SetOrientation(jobOrientation(doc.orientation));
    SetPageCount(int(doc.pages.size()));
}

FormPreviewJob::~FormPreviewJob() = default;

const RecordedDocument& FormPreviewJob::Recorded() const {
    return recorded_->LastDocument();
}

void FormPreviewJob::Draw(Canvas& c, int pageIndex, TDrawTarget target) {
    TPrintJob::Draw(c, pageIndex, target); // the white sheet
    const RecordedDocument& doc = Recorded();
    const size_t page = size_t(std::max(1, pageIndex) - 1);
    if (page >= doc.pages.size()) return;
    const DeviceCaps& caps = doc.caps;
    // The recording's device pixels are the sheet's, shifted by the printable area's corner.
    const TRect printable{caps.offsetX, caps.offsetY, caps.offsetX + caps.horzRes,
                          caps.offsetY + caps.vertRes};
    const TPen pen = c.Pen();
    const TBrush brush = c.Brush();
    c.SetBrush({clWhite, TBrushStyle::bsClear});
    c.SetPen({kBorder, 0, TPenStyle::psDot, TPenMode::pmCopy});
    c.Rectangle(printable);
    c.SetPen(pen);
    c.SetBrush(brush);
    forms::drawSketch(c, sketch_, printable, caps);
    doc.page(page).Play(c, printable);
}

void FormPreviewJob::Print() {
    if (printForReal_) printForReal_();
}

void FormPreviewJob::PrintDialog() {
    Print();
}

FormPreview::FormPreview(QWidget* page, QAbstractButton* printButton,
                         std::unique_ptr<FormPreviewJob> job)
    : QObject(page), job_(std::move(job)), printButton_(printButton) {
    window_ = new TPreviewWindow(this);
    window_->SetPrintJob(job_.get());
    window_->SetCaption(QStringLiteral("Vorschau – ") + QString::fromStdString(job_->Title()));
    window_->SetPosition(poScreenCenter);
    window_->SetWindowWidth(900);
    window_->SetWindowHeight(700);
    // The sheet at its real size.
    window_->SetViewMode(vmCustom);
    window_->SetViewScale(100);
    // The form goes to the printer only through "Drucken": no printer choice in between.
    TButtons buttons = window_->Buttons();
    buttons &= TButtons(~(ButtonBit(btnPrintDialog) | ButtonBit(btnPrinterSetupDialog)));
    window_->SetButtons(TButtons(buttons | ButtonBit(btnClose)));
}

FormPreview::~FormPreview() {
    // The window must not outlive the job it shows.
    delete window_.data();
}

FormPreview* formPreviewOf(QWidget* page, QAbstractButton* printButton) {
    for (FormPreview* p : page->findChildren<FormPreview*>(Qt::FindDirectChildrenOnly))
        if (p->PrintButton() == printButton) return p;
    return nullptr;
}

FormPreview* showFormPreview(QWidget* page, const FormPreviewSource& source) {
    if (!source.calibration || !source.printForm || !source.texts)
        throw std::logic_error("form preview without its form printer");
    Printer& printer = source.printer ? *source.printer : ThePrinter();
    auto recorded = forms::recordFormPrint(printer, source.printForm);
    const char code = forms::formPrinter(source.id).formCode;
    auto sketch =
        forms::formSketch(source.texts, *source.calibration, forms::readFrameFont(code).height);
    QAbstractButton* button = source.printButton;
    QPointer<QWidget> guardPage(page);
    auto job = std::make_unique<FormPreviewJob>(
        std::move(recorded), std::move(sketch), [button, guardPage] {
            if (!guardPage || !button) return;
            FormPreview* shown = formPreviewOf(guardPage, button);
            button->click();
            // The page has changed by printing (the amount check); this preview is history.
            if (shown && shown->Window()) shown->Window()->Close();
        });
    delete formPreviewOf(page, button);
    auto* preview = new FormPreview(page, button, std::move(job));
    preview->Window()->Show();
    return preview;
}

void connectPreviewButton(QAbstractButton* button, QWidget* page,
                          std::function<FormPreviewSource()> source) {
    connectGuarded(button, &QAbstractButton::clicked, page,
                   [page, source = std::move(source)] { showFormPreview(page, source()); });
}

} // namespace formidor::gui
