#pragma once
// The tests' printer: a configurable list of printers with their resolution, sheet and
// printable area, which keeps every document it is given as pages of metafiles with the
// document's title and orientation. Install it with SetPrinter(std::make_unique<…>) and read
// what was printed from Documents().
#include "platform/metafile.h"
#include "platform/printer.h"

#include <memory>
#include <string>
#include <vector>

namespace formidor {

// One printer: geometry given in portrait; landscape swaps the axes (the printable area keeps
// its offsets relative to the rotated sheet: x from the top offset, y from the right margin).
struct RecordingPrinterConfig {
    std::string name = "Testdrucker";
    int dpiX = 300;
    int dpiY = 300;
    int physicalWidth = 2480; // A4 at 300 DPI
    int physicalHeight = 3508;
    int offsetX = 50;
    int offsetY = 50;
    int printableWidth = 2380;
    int printableHeight = 3408;
    int numColors = -1;
    // Makes BeginDoc fail as a vanished device would.
    bool failOnBegin = false;
    // Makes EndDoc fail as a full disk or a broken connection would.
    bool failOnEnd = false;

    // An A4 printer at dpi with margins of marginMm on every side.
    static RecordingPrinterConfig a4(std::string name, int dpi, double marginMm = 5.0);
};

struct RecordedDocument {
    std::string title;
    std::string printerName;
    TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
    DeviceCaps caps;
    std::vector<std::unique_ptr<Metafile>> pages;
    const Metafile& page(size_t i) const { return *pages.at(i); }
};

class RecordingPrinter : public Printer {
public:
    // One A4 "Testdrucker" at 300 DPI.
    RecordingPrinter();
    // defaultIndex −1 with a non-empty list means the first.
    explicit RecordingPrinter(std::vector<RecordingPrinterConfig> printers, int defaultIndex = 0);
    ~RecordingPrinter() override;

    std::vector<std::string> Printers() const override;
    int DefaultPrinterIndex() const override;

    std::vector<RecordingPrinterConfig>& Config() { return printers_; }
    void SetPrinters(std::vector<RecordingPrinterConfig> printers, int defaultIndex = 0);

    // Finished documents, oldest first (abandoned ones are not kept).
    const std::vector<RecordedDocument>& Documents() const { return documents_; }
    const RecordedDocument& LastDocument() const { return documents_.back(); }
    void ClearDocuments() { documents_.clear(); }
    int AbortedCount() const { return aborted_; }
    // The document being printed, or nullptr.
    const RecordedDocument* Current() const { return current_.get(); }

protected:
    DeviceCaps capsOf(int index, TPrinterOrientation o) const override;
    Canvas& startDocument(int index, const DeviceCaps& caps) override;
    Canvas& startPage() override;
    void finishDocument() override;
    void abandonDocument() override;

private:
    std::vector<RecordingPrinterConfig> printers_;
    int default_ = 0;
    std::vector<RecordedDocument> documents_;
    std::unique_ptr<RecordedDocument> current_;
    bool failOnEnd_ = false;
    int aborted_ = 0;
};

} // namespace formidor
