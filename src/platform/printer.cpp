#include "platform/printer.h"

namespace formidor {

Printer::Printer() = default;
Printer::~Printer() = default;
int Printer::PrinterIndex() const {
    return selected_;
}
void Printer::SetPrinterIndex(int index) {
    selected_ = index;
}
std::string Printer::PrinterName() const {
    return {};
}
void Printer::SetOrientation(TPrinterOrientation o) {
    orientation_ = o;
}
void Printer::BeginDoc() {}
void Printer::EndDoc() {}
void Printer::NewPage() {}
void Printer::Abort() {}
Canvas& Printer::GetCanvas() {
    if (!idle_) idle_ = std::make_unique<NullCanvas>();
    return *idle_;
}
DeviceCaps Printer::Caps() const {
    return {};
}
std::shared_ptr<const FontMeasurer> Printer::measurer() const {
    return builtinFontMeasurer();
}
void Printer::resetSelection() {}

namespace {
std::unique_ptr<Printer> g_printer;
}
Printer& ThePrinter() {
    return *g_printer;
}
std::unique_ptr<Printer> SetPrinter(std::unique_ptr<Printer> printer) {
    std::swap(printer, g_printer);
    return printer;
}

} // namespace formidor
