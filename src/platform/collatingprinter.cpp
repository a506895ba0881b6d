#include "platform/collatingprinter.h"

namespace formidor {

CollatingPrinter::CollatingPrinter(Printer& target) : target_(target) {
    SetPrinterIndex(-1);
}

CollatingPrinter::~CollatingPrinter() {
    if (target_.Printing()) target_.Abort();
}

DeviceCaps CollatingPrinter::capsOf(int, TPrinterOrientation o) const {
    if (!target_.Printing()) target_.SetOrientation(o);
    return target_.Caps();
}

std::shared_ptr<const FontMeasurer> CollatingPrinter::measurer() const {
    return target_.GetCanvas().Measurer();
}

Canvas& CollatingPrinter::startDocument(int, const DeviceCaps&) {
    if (!target_.Printing()) {
        target_.SetOrientation(Orientation());
        target_.SetTitle(Title());
        target_.SetDocumentName(DocumentName());
        target_.BeginDoc();
    } else {
        if (target_.Orientation() != Orientation()) throw EPrinter(kCollatingOrientationMessage);
        target_.NewPage();
    }
    ++begun_;
    // BeginDoc gives the page a fresh state, as a document of its own would have.
    return target_.GetCanvas();
}

Canvas& CollatingPrinter::startPage() {
    target_.NewPage();
    return target_.GetCanvas();
}

void CollatingPrinter::finishDocument() {
    ++collated_;
}

void CollatingPrinter::abandonDocument() {
    // What a form drew before it failed cannot be taken off the page again; the page stays, and
    // the batch stops at that form.
}

void CollatingPrinter::finish() {
    if (target_.Printing()) target_.EndDoc();
}

} // namespace formidor
