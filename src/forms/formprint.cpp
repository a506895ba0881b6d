#include "forms/frame.h"

namespace formidor::forms {

FormPrint::FormPrint(Printer& printer, const FormPrinterParams& params,
                     const CalibrationView& calibration)
    : printer_(printer) {
    // The font is read before the document begins so that nothing after BeginDoc can fail
    // but the printer itself.
    const FrameFont font = readFrameFont(params.formCode);
    setup_ = frameSetup(params, calibration);
    printer_.SetOrientation(setup_.portrait ? TPrinterOrientation::poPortrait
                                            : TPrinterOrientation::poLandscape);
    printer_.SetTitle(setup_.title);
    printer_.SetDocumentName(std::string(formDocumentName(params.id)));
    printer_.BeginDoc();
    open_ = true;
    try {
        Canvas& c = printer_.GetCanvas();
        c.SetMapMode(TMapMode::Text);
        c.TextOut(0, 0, " ");
        c.SetMapMode(TMapMode::LoMetric);
        TFont f = c.Font();
        f.Bold = font.bold;
        f.Height = font.height;
        f.Name = font.face;
        f.Color = clBlack;
        c.SetFont(f);
    } catch (...) {
        printer_.Abort();
        open_ = false;
        throw;
    }
}

FormPrint::~FormPrint() {
    if (open_ && printer_.Printing()) printer_.Abort();
}

void FormPrint::draw(const std::vector<PlacedText>& layoutTexts) {
    Canvas& c = printer_.GetCanvas();
    for (const auto& t : layoutTexts) c.TextOut(setup_.h + t.x, t.y - setup_.v, t.text);
}

void FormPrint::end() {
    open_ = false;
    printer_.EndDoc();
}

} // namespace formidor::forms
