#include "platform/recordingprinter.h"
#include "platform/text.h"

#include <cmath>

namespace formidor {

RecordingPrinterConfig RecordingPrinterConfig::a4(std::string name, int dpi, double marginMm) {
    RecordingPrinterConfig c;
    c.name = std::move(name);
    c.dpiX = c.dpiY = dpi;
    auto px = [dpi](double mm) { return int(std::lround(mm * dpi / 25.4)); };
    c.physicalWidth = px(210);
    c.physicalHeight = px(297);
    c.offsetX = c.offsetY = px(marginMm);
    c.printableWidth = c.physicalWidth - 2 * c.offsetX;
    c.printableHeight = c.physicalHeight - 2 * c.offsetY;
    return c;
}

RecordingPrinter::RecordingPrinter() : RecordingPrinter({RecordingPrinterConfig{}}) {}

RecordingPrinter::RecordingPrinter(std::vector<RecordingPrinterConfig> printers, int defaultIndex)
    : printers_(std::move(printers)), default_(defaultIndex) {}

RecordingPrinter::~RecordingPrinter() = default;

std::vector<std::string> RecordingPrinter::Printers() const {
    std::vector<std::string> names;
    for (const RecordingPrinterConfig& c : printers_) names.push_back(c.name);
    return names;
}

int RecordingPrinter::DefaultPrinterIndex() const {
    if (printers_.empty()) return -1;
    return default_ >= 0 && default_ < int(printers_.size()) ? default_ : 0;
}

void RecordingPrinter::SetPrinters(std::vector<RecordingPrinterConfig> printers, int defaultIndex) {
    printers_ = std::move(printers);
    default_ = defaultIndex;
    resetSelection();
}

DeviceCaps RecordingPrinter::capsOf(int index, TPrinterOrientation o) const {
    const RecordingPrinterConfig& c = printers_.at(size_t(index));
    DeviceCaps caps;
    caps.numColors = c.numColors;
    if (o == TPrinterOrientation::poPortrait) {
        caps.dpiX = c.dpiX;
        caps.dpiY = c.dpiY;
        caps.physicalWidth = c.physicalWidth;
        caps.physicalHeight = c.physicalHeight;
        caps.offsetX = c.offsetX;
        caps.offsetY = c.offsetY;
        caps.horzRes = c.printableWidth;
        caps.vertRes = c.printableHeight;
    } else {
        // The sheet turned a quarter: the portrait top margin becomes the left one, the
        // portrait right margin the top one.
        caps.dpiX = c.dpiY;
        caps.dpiY = c.dpiX;
        caps.physicalWidth = c.physicalHeight;
        caps.physicalHeight = c.physicalWidth;
        caps.offsetX = c.offsetY;
        caps.offsetY = c.physicalWidth - c.offsetX - c.printableWidth;
        caps.horzRes = c.printableHeight;
        caps.vertRes = c.printableWidth;
    }
    return caps;
}

Canvas& RecordingPrinter::startDocument(int index, const DeviceCaps& caps) {
    const RecordingPrinterConfig& c = printers_.at(size_t(index));
    if (c.failOnBegin)
        throw EPrinter(formatMessage("Der Drucker \"%s\" ist nicht erreichbar.", c.name));
    current_ = std::make_unique<RecordedDocument>();
    current_->title = Title();
    current_->printerName = c.name;
    current_->orientation = Orientation();
    current_->caps = caps;
    failOnEnd_ = c.failOnEnd;
    return startPage();
}

Canvas& RecordingPrinter::startPage() {
    const DeviceCaps& caps = current_->caps;
    current_->pages.push_back(
        std::make_unique<Metafile>(caps.horzRes, caps.vertRes, caps, measurer()));
    return current_->pages.back()->GetCanvas();
}

void RecordingPrinter::finishDocument() {
    std::unique_ptr<RecordedDocument> doc = std::move(current_);
    if (failOnEnd_)
        throw EPrinter(formatMessage("Der Drucker \"%s\" ist nicht erreichbar.", doc->printerName));
    documents_.push_back(std::move(*doc));
}

void RecordingPrinter::abandonDocument() {
    current_.reset();
    ++aborted_;
}

} // namespace formidor
