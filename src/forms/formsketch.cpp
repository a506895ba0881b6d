#include "forms/formsketch.h"

#include "platform/convert.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace formidor::forms {

namespace {

// The room a box takes around its text: a little to the left and above the text's top, the
// font's height below it, and this much to the right when nothing else is on the line.
constexpr int kBoxLeft = 15;
constexpr int kBoxAbove = 30;
constexpr int kBoxBelow = 10;
constexpr int kBoxGap = 5;
constexpr int kLoneBoxWidth = 600;
constexpr int kMinBoxWidth = 40;
constexpr int kOutlineMargin = 60;

constexpr TColor kSketchLine = RGB(120, 150, 200);
constexpr TColor kSketchHeading = RGB(90, 115, 160);
constexpr TColor kGridLine = RGB(200, 200, 200);
constexpr TColor kGridMajor = RGB(150, 150, 150);
constexpr TColor kCross = RGB(200, 0, 0);

int toInt(double v) {
    return static_cast<int>(std::lround(v));
}

} // namespace

std::vector<PlacedText> fieldMarks(const FormTexts& texts, const CalibrationView& calibration) {
    NamingRows naming;
    return texts(calibration);
}

FormSketch formSketch(const FormTexts& texts, const CalibrationView& calibration, int textHeight) {
    const std::vector<PlacedText> marks = fieldMarks(texts, FeedOnly(calibration));
    FormSketch s;
    for (size_t i = 0; i < marks.size(); ++i) {
        const PlacedText& m = marks[i];
        // Rows that print at the same place (one or the other) share their box.
        auto same = std::find_if(s.boxes.begin(), s.boxes.end(), [&](const SketchBox& b) {
            return b.left == m.x - kBoxLeft && b.top == m.y + kBoxAbove;
        });
        if (same != s.boxes.end()) {
            if (!m.text.empty() && same->heading.find(m.text) == std::string::npos)
                same->heading += (same->heading.empty() ? "" : " / ") + m.text;
            continue;
        }
        int right = m.x + kLoneBoxWidth;
        for (const PlacedText& o : marks)
            if (std::abs(o.y - m.y) < textHeight / 2 && o.x > m.x)
                right = std::min(right, o.x - kBoxLeft - kBoxGap);
        right = std::max(right, m.x - kBoxLeft + kMinBoxWidth);
        s.boxes.push_back(
            {m.x - kBoxLeft, m.y + kBoxAbove, right, m.y - textHeight - kBoxBelow, m.text});
    }
    if (s.boxes.empty()) return s;
    s.left = s.right = s.boxes[0].left;
    s.top = s.bottom = s.boxes[0].top;
    for (const SketchBox& b : s.boxes) {
        s.left = std::min(s.left, b.left);
        s.right = std::max(s.right, b.right);
        s.top = std::max(s.top, b.top);
        s.bottom = std::min(s.bottom, b.bottom);
    }
    s.left -= kOutlineMargin;
    s.right += kOutlineMargin;
    s.top += kOutlineMargin;
    s.bottom -= kOutlineMargin;
    return s;
}

void drawSketch(Canvas& c, const FormSketch& sketch, const TRect& printable,
                const DeviceCaps& caps) {
    if (caps.horzRes <= 0 || caps.vertRes <= 0) return;
    // Canvas units per 0.1 mm.
    const double sx = printable.Width() / (caps.horzRes * 254.0 / caps.dpiX);
    const double sy = printable.Height() / (caps.vertRes * 254.0 / caps.dpiY);
    auto X = [&](int x) { return printable.Left + toInt(x * sx); };
    auto Y = [&](int y) { return printable.Top - toInt(y * sy); };

    const TFont font = c.Font();
    const TPen pen = c.Pen();
    const TBrush brush = c.Brush();
    c.SetBrush({clWhite, TBrushStyle::bsClear});
    c.SetPen({kSketchLine, 0, TPenStyle::psSolid, TPenMode::pmCopy});
    c.Rectangle(X(sketch.left), Y(sketch.top), X(sketch.right), Y(sketch.bottom));
    TFont heading;
    heading.Name = "Arial";
    heading.Height = std::max(1, toInt(22 * sy));
    heading.Color = kSketchHeading;
    c.SetFont(heading);
    for (const SketchBox& b : sketch.boxes) {
        c.Rectangle(X(b.left), Y(b.top), X(b.right), Y(b.bottom));
        if (!b.heading.empty()) c.TextOut(X(b.left + 8), Y(b.top - 4), b.heading);
    }
    c.SetFont(font);
    c.SetPen(pen);
    c.SetBrush(brush);
}

std::unique_ptr<RecordingPrinter> recorderLike(Printer& like) {
    RecordingPrinterConfig cfg;
    if (like.HasPrinters() && !like.Printing()) {
        // The recorder is told its geometry in portrait and turns it itself.
        const TPrinterOrientation o = like.Orientation();
        like.SetOrientation(TPrinterOrientation::poPortrait);
        const DeviceCaps caps = like.Caps();
        like.SetOrientation(o);
        cfg.name = like.PrinterName();
        cfg.dpiX = caps.dpiX;
        cfg.dpiY = caps.dpiY;
        cfg.physicalWidth = caps.physicalWidth;
        cfg.physicalHeight = caps.physicalHeight;
        cfg.offsetX = caps.offsetX;
        cfg.offsetY = caps.offsetY;
        cfg.printableWidth = caps.horzRes;
        cfg.printableHeight = caps.vertRes;
        cfg.numColors = caps.numColors;
    }
    return std::make_unique<RecordingPrinter>(std::vector{cfg}, 0);
}

std::unique_ptr<RecordingPrinter> recordFormPrint(Printer& like,
                                                  const std::function<void(Printer&)>& print) {
    auto recorder = recorderLike(like);
    print(*recorder);
    return recorder;
}

void printWithSketch(Printer& printer, const RecordedDocument& document, const FormSketch& sketch) {
    printer.SetOrientation(document.orientation);
    printer.SetTitle(document.title);
    printer.BeginDoc();
    try {
        for (size_t i = 0; i < document.pages.size(); ++i) {
            if (i > 0) printer.NewPage();
            Canvas& c = printer.GetCanvas();
            c.SetMapMode(TMapMode::Text);
            const DeviceCaps caps = printer.Caps();
            const TRect printable{0, 0, caps.horzRes, caps.vertRes};
            drawSketch(c, sketch, printable, caps);
            document.page(i).Play(c, printable);
        }
    } catch (...) {
        printer.Abort();
        throw;
    }
    printer.EndDoc();
}

void printCalibrationSheet(Printer& printer, FormPrinterId id, const FormTexts& texts,
                           const CalibrationView& calibration) {
    // The layout's own positions: where the form lies, less the feed adjustment that put it
    // there (the frame adds it back together with the offsets).
    const FeedOnly feedOnly(calibration);
    const FrameSetup feed = frameSetup(formPrinter(id), feedOnly);
    std::vector<PlacedText> marks = fieldMarks(texts, feedOnly);
    applyOffsets(marks, -feed.h, -feed.v);
    const FrameFont frameFont = readFrameFont(formPrinter(id).formCode);
    const FormSketch sketch = formSketch(texts, calibration, frameFont.height);
    FormPrint print(printer, formPrinter(id), calibration);
    Canvas& c = print.canvas();
    const TFont formFont = c.Font();
    const DeviceCaps caps = printer.Caps();
    // The sheet in 0.1 mm around the printable area's corner (y upwards).
    const int sheetLeft = -toInt(caps.offsetX * 254.0 / caps.dpiX);
    const int sheetTop = toInt(caps.offsetY * 254.0 / caps.dpiY);
    const int sheetWidth = toInt(caps.physicalWidth * 254.0 / caps.dpiX);
    const int sheetHeight = toInt(caps.physicalHeight * 254.0 / caps.dpiY);
    c.SetBrush({clWhite, TBrushStyle::bsClear});

    TFont small;
    small.Name = "Arial";
    small.Height = 25;
    small.Color = kGridMajor;
    c.SetFont(small);
    for (int mm = 0; mm * 10 <= sheetWidth; mm += 10) {
        const int x = sheetLeft + mm * 10;
        c.SetPen({mm % 50 ? kGridLine : kGridMajor, 0, TPenStyle::psSolid, TPenMode::pmCopy});
        c.MoveTo(x, sheetTop);
        c.LineTo(x, sheetTop - sheetHeight);
        if (mm > 0) c.TextOut(x + 8, -8, std::to_string(mm / 10));
    }
    for (int mm = 0; mm * 10 <= sheetHeight; mm += 10) {
        const int y = sheetTop - mm * 10;
        c.SetPen({mm % 50 ? kGridLine : kGridMajor, 0, TPenStyle::psSolid, TPenMode::pmCopy});
        c.MoveTo(sheetLeft, y);
        c.LineTo(sheetLeft + sheetWidth, y);
        if (mm > 0) c.TextOut(8, y - 8, std::to_string(mm / 10));
    }

    c.SetPen({clBlack, 3, TPenStyle::psDash, TPenMode::pmCopy});
    if (!sketch.boxes.empty()) c.Rectangle(sketch.left, sketch.top, sketch.right, sketch.bottom);

    c.SetPen({kCross, 0, TPenStyle::psSolid, TPenMode::pmCopy});
    for (const PlacedText& m : marks) {
        const int x = m.x + print.h();
        const int y = m.y - print.v();
        c.MoveTo(x - 25, y);
        c.LineTo(x + 26, y);
        c.MoveTo(x, y + 25);
        c.LineTo(x, y - 26);
    }
    c.SetFont(formFont);
    print.draw(marks);
    print.end();
}

} // namespace formidor::forms
