#include "platform/printer.h"
#include "platform/recordingprinter.h"

namespace formidor {

Printer::Printer() = default;
Printer::~Printer() = default;

int Printer::PrinterIndex() const {
    const int count = PrinterCount();
    if (count == 0) return -1;
    if (selected_ < 0 || selected_ >= count) {
        const int d = DefaultPrinterIndex();
        return d >= 0 && d < count ? d : 0;
    }
    return selected_;
}

void Printer::SetPrinterIndex(int index) {
    if (printing_) throw EPrinter(kPrintingMessage);
    if (index == -1) {
        selected_ = -1;
        return;
    }
    if (index < -1 || index >= PrinterCount()) throw EPrinter(kPrinterIndexMessage);
    selected_ = index;
}

std::string Printer::PrinterName() const {
    const int i = PrinterIndex();
    if (i < 0) return {};
    const std::vector<std::string> list = Printers();
    return i < int(list.size()) ? list[size_t(i)] : std::string();
}

void Printer::SetOrientation(TPrinterOrientation o) {
    if (printing_) throw EPrinter(kPrintingMessage);
    orientation_ = o;
}

void Printer::resetSelection() {
    if (selected_ >= PrinterCount()) selected_ = -1;
}

DeviceCaps Printer::Caps() const {
    if (printing_) return page_->Caps();
    const int i = PrinterIndex();
    if (i < 0) {
        // No printer: the sheet the print job library assumes in that case.
        DeviceCaps c;
        c.dpiX = c.dpiY = 300;
        c.horzRes = c.physicalWidth = 2000;
        c.vertRes = c.physicalHeight = 3000;
        return c;
    }
    return capsOf(i, orientation_);
}

std::shared_ptr<const FontMeasurer> Printer::measurer() const {
    return builtinFontMeasurer();
}

Canvas& Printer::GetCanvas() {
    if (printing_) return *page_;
    if (!idle_) {
        idle_ = std::make_unique<NullCanvas>(Caps(), measurer());
        // Point sizes on the printer's surface are true on paper.
        TFont& f = idle_->Font();
        const int size = f.Size();
        f.PixelsPerInch = idle_->Caps().dpiY;
        f.SetSize(size);
    } else {
        const DeviceCaps c = Caps();
        if (!(idle_->Caps() == c)) idle_->setCaps(c);
    }
    return *idle_;
}

void Printer::BeginDoc() {
    if (printing_) throw EPrinter(kPrintingMessage);
    if (PrinterCount() == 0) throw EPrinter(kNoPrinterMessage);
    const int index = PrinterIndex();
    const DeviceCaps caps = capsOf(index, orientation_);
    // The document's surface starts with the font, pen and brush the printer's surface has,
    // in device pixels with the origin at the printable area's corner.
    CanvasState state;
    const CanvasState idle = GetCanvas().State();
    state.font = idle.font;
    state.pen = idle.pen;
    state.brush = idle.brush;
    if (state.font.PixelsPerInch != caps.dpiY) {
        const int size = state.font.Size();
        state.font.PixelsPerInch = caps.dpiY;
        state.font.SetSize(size);
    }
    Canvas* started = nullptr;
    try {
        started = &startDocument(index, caps); // throws with nothing open
    } catch (...) {
        documentName_.clear();
        throw;
    }
    Canvas& page = *started;
    page.SetState(state);
    page_ = &page;
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
}

void Printer::NewPage() {
    if (!printing_) throw EPrinter(kNotPrintingMessage);
    // Mapping, origin, font and the rest carry over to the next sheet.
    const CanvasState state = page_->State();
    try {
        Canvas& next = startPage();
        next.SetState(state);
        page_ = &next;
    } catch (...) {
        Abort();
        throw;
    }
    ++pageNumber_;
}

void Printer::EndDoc() {
    if (!printing_) throw EPrinter(kNotPrintingMessage);
    const CanvasState state = page_->State();
    printing_ = false;
    page_ = nullptr;
    pageNumber_ = 0;
    documentName_.clear();
    if (idle_) {
        CanvasState keep = idle_->State();
        keep.font = state.font;
        keep.pen = state.pen;
        keep.brush = state.brush;
        idle_->SetState(keep);
    }
    finishDocument();
}

void Printer::Abort() {
    if (!printing_) return;
    printing_ = false;
    page_ = nullptr;
    pageNumber_ = 0;
    aborted_ = true;
    documentName_.clear();
    abandonDocument();
}

namespace {
std::unique_ptr<Printer>& installed() {
    static std::unique_ptr<Printer> printer;
    return printer;
}
} // namespace

Printer& ThePrinter() {
    std::unique_ptr<Printer>& p = installed();
    if (!p) p = std::make_unique<RecordingPrinter>(std::vector<RecordingPrinterConfig>{}, -1);
    return *p;
}

std::unique_ptr<Printer> SetPrinter(std::unique_ptr<Printer> printer) {
    std::swap(printer, installed());
    return printer;
}

} // namespace formidor
