#pragma once
// The application-wide printer object: the installed printers with a selected index (−1 picks
// the default), orientation, document title, BeginDoc / NewPage / EndDoc / Abort, the drawing
// surface and the device capabilities of the selected printer.
//
// The state machine lives here; a backend supplies the printer list, each printer's page
// geometry and the surfaces documents are drawn on. The application installs the Qt printer
// (real printers and the built-in PDF printer), tests a RecordingPrinter. Between documents the
// surface measures and reports capabilities but draws nowhere.
//
// The device origin of the surface is the top-left corner of the printable area; the sheet
// extends PHYSICALOFFSETX/Y beyond it.
#include "platform/canvas.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace formidor {

// Errors of the printing system, with a German message for the user.
class EPrinter : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kNoPrinterMessage = "Es ist kein Drucker installiert.";
inline constexpr const char* kPrinterIndexMessage = "Der gewählte Drucker ist nicht gültig.";
inline constexpr const char* kPrintingMessage = "Es wird bereits gedruckt.";
inline constexpr const char* kNotPrintingMessage = "Es wird gerade nicht gedruckt.";

enum class TPrinterOrientation : uint8_t { poPortrait, poLandscape };

class Printer {
public:
    Printer();
    virtual ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // ----- printers -----
    // Names of the installed printers, in list order.
    virtual std::vector<std::string> Printers() const = 0;
    int PrinterCount() const { return int(Printers().size()); }
    bool HasPrinters() const { return PrinterCount() > 0; }
    // The selected printer's index; the default printer's after SetPrinterIndex(−1); −1 only
    // when no printer is installed.
    int PrinterIndex() const;
    // −1 selects the default printer; any other index outside the list raises EPrinter.
    // Not while printing.
    void SetPrinterIndex(int index);
    virtual int DefaultPrinterIndex() const = 0;
    std::string PrinterName() const; // empty without printers

    // ----- document -----
    TPrinterOrientation Orientation() const { return orientation_; }
    void SetOrientation(TPrinterOrientation o); // not while printing
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& t) { title_ = t; }
    // What the next document is ("Überweisung"), for the file name a PDF printer suggests; the
    // job title above is the printing system's and the same for most forms. Cleared when the
    // document ends or is abandoned, so a later report does not carry a form's name.
    const std::string& DocumentName() const { return documentName_; }
    void SetDocumentName(const std::string& n) { documentName_ = n; }

    // Starts a document on the selected printer with page 1; raises EPrinter when there is no
    // printer, the selection is invalid, a document is already open or the device refuses.
    void BeginDoc();
    // Finishes the document; raises EPrinter when none is open. A device error while
    // finishing still closes the document (it is abandoned) before the error is raised.
    void EndDoc();
    void NewPage();
    // Abandons the open document: nothing of it is printed.
    void Abort();
    bool Printing() const { return printing_; }
    bool Aborted() const { return aborted_; }
    int PageNumber() const { return pageNumber_; }

    // The drawing surface: the document's page while printing, a measuring surface with the
    // selected printer's capabilities otherwise. The reference a Metafile records against.
    Canvas& GetCanvas();

    // ----- geometry of the selected printer in the current orientation -----
    DeviceCaps Caps() const;
    int GetDeviceCaps(int index) const { return Caps().get(index); }
    int PageWidth() const { return Caps().horzRes; }  // HORZRES
    int PageHeight() const { return Caps().vertRes; } // VERTRES

protected:
    // Capabilities of printer index (valid) in orientation o.
    virtual DeviceCaps capsOf(int index, TPrinterOrientation o) const = 0;
    // Metrics of the printer's fonts; the built-in tables unless a backend knows better.
    virtual std::shared_ptr<const FontMeasurer> measurer() const;
    // Opens a document on printer index and returns its first page's surface; throws EPrinter
    // on failure, leaving nothing open.
    virtual Canvas& startDocument(int index, const DeviceCaps& caps) = 0;
    virtual Canvas& startPage() = 0;
    virtual void finishDocument() = 0; // may throw EPrinter; the document is gone either way
    virtual void abandonDocument() = 0;
    // The list changed under us (printers come and go); keeps the selection consistent.
    void resetSelection();

private:
    int selected_ = -1; // −1: the default
    TPrinterOrientation orientation_ = TPrinterOrientation::poPortrait;
    std::string title_;
    std::string documentName_;
    bool printing_ = false;
    bool aborted_ = false;
    int pageNumber_ = 0;
    Canvas* page_ = nullptr;
    std::unique_ptr<NullCanvas> idle_;
};

// The application's printer. Until one is installed this is a printer without any installed
// printers (every document raises kNoPrinterMessage).
Printer& ThePrinter();
// Installs the application's printer and returns the previous one (nullptr: back to the
// stand-in without printers).
std::unique_ptr<Printer> SetPrinter(std::unique_ptr<Printer> printer);

} // namespace formidor
