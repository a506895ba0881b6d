#include "platform/gui/qtprinter.h"

namespace formidor::gui {

struct QtPrinter::Doc {};

QtPrinter::QtPrinter(bool withSystemPrinters) : withSystem_(withSystemPrinters) {}
QtPrinter::~QtPrinter() = default;
std::vector<std::string> QtPrinter::Printers() const {
    return {kPdfPrinterName};
}
int QtPrinter::DefaultPrinterIndex() const {
    return 0;
}
void QtPrinter::refreshPrinters() {}
bool QtPrinter::isPdfPrinter(int) const {
    return true;
}
DeviceCaps QtPrinter::capsOf(int, TPrinterOrientation) const {
    return {};
}
std::shared_ptr<const FontMeasurer> QtPrinter::measurer() const {
    return builtinFontMeasurer();
}
Canvas& QtPrinter::startDocument(int, const DeviceCaps&) {
    return GetCanvas();
}
Canvas& QtPrinter::startPage() {
    return GetCanvas();
}
void QtPrinter::finishDocument() {}
void QtPrinter::abandonDocument() {}

} // namespace formidor::gui
