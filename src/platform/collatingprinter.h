#pragma once
// Many print jobs into one document: every document begun on this printer becomes the next
// page of one document on the target printer, which stays open until finish(). A batch of
// forms so lands in one file, each form drawn exactly as its own print draws it, and the
// frame and form printers run unchanged.
//
// The target's document begins with the first page, so a batch in which nothing printed leaves
// the target untouched. All documents of one batch must share the orientation (they share the
// form type's calibration); another orientation is refused with an EPrinter before anything is
// drawn.
#include "platform/printer.h"

namespace formidor {

inline constexpr const char* kCollatingOrientationMessage =
    "Alle Formulare eines Stapeldrucks müssen dieselbe Lage haben.";

class CollatingPrinter : public Printer {
public:
    explicit CollatingPrinter(Printer& target);
    ~CollatingPrinter() override;

    std::vector<std::string> Printers() const override { return target_.Printers(); }
    int DefaultPrinterIndex() const override { return target_.PrinterIndex(); }

    // Documents ended so far (pages of the target).
    int Collated() const { return collated_; }
    // A document was abandoned after its page had begun: what it drew stays on the target's
    // last page, which cannot be taken back.
    bool HasPartialPage() const { return begun_ > collated_; }
    // Ends the target's document, if any page was begun. Throws what the target's EndDoc
    // throws.
    void finish();

protected:
    DeviceCaps capsOf(int index, TPrinterOrientation o) const override;
    std::shared_ptr<const FontMeasurer> measurer() const override;
    Canvas& startDocument(int index, const DeviceCaps& caps) override;
    Canvas& startPage() override;
    void finishDocument() override;
    void abandonDocument() override;

private:
    Printer& target_;
    int collated_ = 0;
    int begun_ = 0;
};

} // namespace formidor
