#pragma once
// The print job tests' printer: a RecordingPrinter installed as the application's printer for
// the lifetime of the object, and a way to record one page of a job the way the preview does.
#include "platform/metafile.h"
#include "platform/recordingprinter.h"
#include "printjob/PSJob.h"

#include <memory>
#include <ostream>

namespace formidor {
inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
inline void PrintTo(const TPoint& p, std::ostream* os) {
    *os << "(" << p.X << ", " << p.Y << ")";
}
} // namespace formidor

namespace formidor::test {

class ScopedPrinter {
public:
    explicit ScopedPrinter(std::vector<RecordingPrinterConfig> printers = {defaultConfig()}) {
        auto p = std::make_unique<RecordingPrinter>(std::move(printers), 0);
        printer_ = p.get();
        old_ = SetPrinter(std::move(p));
    }
    explicit ScopedPrinter(const RecordingPrinterConfig& c)
        : ScopedPrinter(std::vector<RecordingPrinterConfig>{c}) {}
    ~ScopedPrinter() { SetPrinter(std::move(old_)); }
    RecordingPrinter& operator*() { return *printer_; }
    RecordingPrinter* operator->() { return printer_; }

    // 300 DPI, A4 in pixels, printable area 100 px in from left and top.
    static RecordingPrinterConfig defaultConfig() {
        RecordingPrinterConfig c;
        c.dpiX = c.dpiY = 300;
        c.physicalWidth = 2480;
        c.physicalHeight = 3508;
        c.offsetX = 100;
        c.offsetY = 80;
        c.printableWidth = 2280;
        c.printableHeight = 3348;
        return c;
    }

private:
    RecordingPrinter* printer_;
    std::unique_ptr<Printer> old_;
};

// No printer installed at all.
class ScopedNoPrinter {
public:
    ScopedNoPrinter()
        : old_(SetPrinter(
              std::make_unique<RecordingPrinter>(std::vector<RecordingPrinterConfig>{}, -1))) {}
    ~ScopedNoPrinter() { SetPrinter(std::move(old_)); }

private:
    std::unique_ptr<Printer> old_;
};

// Page pageIndex of job recorded against the printer, as the preview records it.
inline std::unique_ptr<Metafile> recordPage(TCustomPrintJob& job, int pageIndex,
                                            TDrawTarget target = dtMetaPreview) {
    job.ResetToDefaultPage();
    const TRect sheet = job.GetSheetRect();
    auto mf = std::make_unique<Metafile>(sheet.Right, sheet.Bottom, ThePrinter().GetCanvas());
    job.Draw(mf->GetCanvas(), pageIndex, target);
    return mf;
}

} // namespace formidor::test
