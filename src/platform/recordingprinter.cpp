#include "platform/recordingprinter.h"

namespace formidor {

RecordingPrinterConfig RecordingPrinterConfig::a4(std::string name, int dpi, double) {
    RecordingPrinterConfig c;
    c.name = std::move(name);
    c.dpiX = c.dpiY = dpi;
    return c;
}
RecordingPrinter::RecordingPrinter() : RecordingPrinter({RecordingPrinterConfig{}}) {}
RecordingPrinter::RecordingPrinter(std::vector<RecordingPrinterConfig> printers, int defaultIndex)
    : printers_(std::move(printers)), default_(defaultIndex) {}
RecordingPrinter::~RecordingPrinter() = default;
std::vector<std::string> RecordingPrinter::Printers() const {
    return {};
}
int RecordingPrinter::DefaultPrinterIndex() const {
    return default_;
}
void RecordingPrinter::SetPrinters(std::vector<RecordingPrinterConfig> printers, int defaultIndex) {
    printers_ = std::move(printers);
    default_ = defaultIndex;
}
DeviceCaps RecordingPrinter::capsOf(int, TPrinterOrientation) const {
    return {};
}
Canvas& RecordingPrinter::startDocument(int, const DeviceCaps&) {
    return GetCanvas();
}
Canvas& RecordingPrinter::startPage() {
    return GetCanvas();
}
void RecordingPrinter::finishDocument() {}
void RecordingPrinter::abandonDocument() {}

} // namespace formidor
