#pragma once
// Seeing a form print before it goes onto a pre-printed form: a plain drawing of the paper form
// made from its layout table (outline, a box per text position, the field's name as the box's
// heading), the form print recorded instead of printed, and the calibration sheet that shows on
// plain paper where every text of a form will land.
//
// All positions are the frame's: 0.1 mm, y upwards, origin at the top-left of the printable area.
#include "app/calibration.h"
#include "forms/frame.h"
#include "forms/layout.h"
#include "platform/recordingprinter.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace formidor::forms {

// A form's texts under a calibration, in drawing order: what a form printer draws.
using FormTexts = std::function<std::vector<PlacedText>(const CalibrationView&)>;

// The calibration of the printer page without the user's offsets: the frame then moves the
// print only by the feed adjustment, which is where the form itself lies in the printer.
class FeedOnly : public CalibrationView {
public:
    explicit FeedOnly(const CalibrationView& c) : c_(c) {}
    std::string offsetText(char, bool) const override { return "0"; }
    bool isNormal(char x) const override { return c_.isNormal(x); }
    bool isHochkant(char x) const override { return c_.isHochkant(x); }
    bool isRightFeed(char x) const override { return c_.isRightFeed(x); }
    bool isLeftFeed(char x) const override { return c_.isLeftFeed(x); }

private:
    const CalibrationView& c_;
};

// Every text position of the form's layouts, named by its field (NamingRows), at the place the
// form printer would draw it under `calibration`.
std::vector<PlacedText> fieldMarks(const FormTexts& texts, const CalibrationView& calibration);

struct SketchBox {
    int left = 0, top = 0, right = 0, bottom = 0; // top > bottom (y upwards)
    std::string heading;
};
struct FormSketch {
    int left = 0, top = 0, right = 0, bottom = 0; // the form's outline
    std::vector<SketchBox> boxes;
};

// The drawing of the paper form where it lies in the printer: a box around every named position
// (as wide as the room up to the next position on the same line allows), an outline around all.
// textHeight: the form font's cell height.
FormSketch formSketch(const FormTexts& texts, const CalibrationView& calibration, int textHeight);

// Draws the sketch onto a canvas whose printable area is `printable` (canvas units) for a
// device of `caps`: thin grey lines and small headings, never the texts themselves.
void drawSketch(Canvas& canvas, const FormSketch& sketch, const TRect& printable,
                const DeviceCaps& caps);

// A printer like `like` (its name, resolution, sheet and printable area) that keeps what is
// printed instead of printing it.
std::unique_ptr<RecordingPrinter> recorderLike(Printer& like);

// The form print of `print` (the form printer without its after-print steps) recorded on a
// printer like `like`; nothing reaches `like`. Throws what the form printer throws.
std::unique_ptr<RecordingPrinter> recordFormPrint(Printer& like,
                                                  const std::function<void(Printer&)>& print);

// A recorded form print onto `printer` with the drawing of the form behind its texts: for
// looking at, not for printing onto forms.
void printWithSketch(Printer& printer, const RecordedDocument& document, const FormSketch& sketch);

// The calibration sheet of one form: through the same frame as the form print (calibration,
// orientation, font), a 10 mm grid counted from the sheet's corner, the form's outline where
// the form lies, and at every text position a small cross with the field's name in the form's
// font. Held against a form in front of a light it shows where each box will be hit.
void printCalibrationSheet(Printer& printer, FormPrinterId id, const FormTexts& texts,
                           const CalibrationView& calibration);

} // namespace formidor::forms
