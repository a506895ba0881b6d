#pragma once
// The application's printer on Qt: every printer CUPS knows, then the built-in "PDF-Datei"
// printer, which writes the document as a PDF file. "PDF-Datei" is the default when no other
// printer is installed (or CUPS is not running), so printing always works.
//
// The PDF printer asks for the file name with a file dialog when interactive; otherwise it
// writes to the name given with setOutputFileName. Device capabilities come from the
// printer's page layout, so the surface's origin is the top-left corner of the printable area.
// A print server's queue is asked before each document whether it takes jobs, and the
// server's answer to the job is checked after it: a document the printer will not print is an
// error, never a silent loss.
#include "platform/printer.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QString>
#include <map>
#include <memory>

class QWidget;

namespace formidor::gui {

inline constexpr const char* kPdfPrinterName = "PDF-Datei";
inline constexpr const char* kPdfSaveCaption = "Druckausgabe speichern unter";
inline constexpr const char* kPdfFilter = "PDF-Dateien (*.pdf)";
// A printer error as the user sees it; %s is the device's or file's name.
inline constexpr const char* kPrinterErrorMessage =
    "Der Druck auf \"%s\" konnte nicht ausgeführt werden.";
// A print server's queue that cannot take the document; %s is the printer's name.
inline constexpr const char* kPrinterUnreachableMessage =
    "Der Drucker \"%s\" ist nicht erreichbar.";
inline constexpr const char* kPrinterStoppedMessage = "Der Drucker \"%s\" ist angehalten.";
inline constexpr const char* kPrinterRejectsMessage =
    "Der Drucker \"%s\" nimmt keine Druckaufträge an.";
inline constexpr const char* kPdfWriteErrorMessage =
    "Die Datei \"%s\" konnte nicht geschrieben werden.";
inline constexpr const char* kNoPdfFileMessage = "Für die PDF-Datei ist kein Dateiname angegeben.";
// The user closed the PDF printer's file dialog without choosing a file.
inline constexpr const char* kPrintCancelledMessage = "Der Druck wurde abgebrochen.";

class QtPrinter : public Printer {
public:
    // withSystemPrinters false lists "PDF-Datei" alone (tests, machines without CUPS).
    explicit QtPrinter(bool withSystemPrinters = true);
    ~QtPrinter() override;

    std::vector<std::string> Printers() const override;
    int DefaultPrinterIndex() const override;
    // Reads the system's printers again.
    void refreshPrinters();
    // True when index is the built-in PDF printer.
    bool isPdfPrinter(int index) const;

    // The PDF printer: ask for the file name (file dialog owned by parentWidget) or not.
    void setInteractive(bool interactive) { interactive_ = interactive; }
    bool interactive() const { return interactive_; }
    void setOutputFileName(const QString& path) { outputFileName_ = path; }
    const QString& outputFileName() const { return outputFileName_; }
    void setParentWidget(QWidget* w) { parent_ = w; }
    // The PDF printer's sheet is A4; its printable area lies inside these margins (mm).
    void setPdfMargins(const QMarginsF& mm) { pdfMargins_ = mm; }
    // The file the last PDF document went to.
    const QString& lastOutputFile() const { return lastOutput_; }

protected:
    DeviceCaps capsOf(int index, TPrinterOrientation o) const override;
    std::shared_ptr<const FontMeasurer> measurer() const override;
    Canvas& startDocument(int index, const DeviceCaps& caps) override;
    Canvas& startPage() override;
    void finishDocument() override;
    void abandonDocument() override;

private:
    struct Doc;
    QPageLayout pdfLayout(TPrinterOrientation o) const;
    QMarginsF pdfMargins_;
    mutable std::map<std::pair<int, TPrinterOrientation>, DeviceCaps> capsCache_;
    std::vector<std::string> system_;
    int systemDefault_ = -1;
    bool withSystem_;
    bool interactive_ = false;
    QString outputFileName_;
    QString lastOutput_;
    QWidget* parent_ = nullptr;
    std::unique_ptr<Doc> doc_;
};

} // namespace formidor::gui
