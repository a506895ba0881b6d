#pragma once
// The frame every form printer runs: take the form type's calibration from the printer page,
// set the printer up, switch to 0.1 mm coordinates, choose the stored font, let the form
// printer draw its layout, end the document; then the form printer checks the amount, records
// the journal entry and stores the addresses.
#include "app/calibration.h"
#include "forms/layout.h"
#include "platform/convert.h"
#include "platform/printer.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace formidor::forms {

enum class FormPrinterId {
    Transfer,
    CrossedCheque,
    DirectDebit,
    CoverSheet,
    CashOnDelivery,
    ChequeDeposit,
    ParcelCard,
    SmallParcel,
    ForeignTransfer,
};

// What the frame needs to know of one form printer.
struct FormPrinterParams {
    FormPrinterId id;
    std::string_view handler; // the print button's handler
    char formCode;            // U, V, L, N, P, S, A
    bool feedAdjustment;      // +592 / +1043 for the feed side
    bool alwaysPortrait;      // the orientation buttons are not looked at
    std::string_view titleWord;
    // Base line and pitch of the form's lines; 0 / 0 where the form's layout gives explicit
    // positions (per bank, per block).
    int base;
    int pitch;
    // The amount field checked after printing and the journal kind recorded (0: none).
    std::string_view amountField;
    uint16_t journalKind;
};

const std::array<FormPrinterParams, 9>& formPrinters();
const FormPrinterParams& formPrinter(FormPrinterId id);
// The form's name as the user calls it ("Überweisung"), which names the document for the file
// the PDF printer suggests.
std::string_view formDocumentName(FormPrinterId id);

inline constexpr std::string_view kJobTitlePrefix = "Quillon Zentrix. - ";
// A form fed at the left in portrait lands this far right of its position, one fed at the
// right in landscape this far lower; the frame moves the print to meet it.
inline constexpr int kLeftFeedAdjustment = 592;
inline constexpr int kRightFeedAdjustment = 1043;

// The calibration of one print: offsets after the feed adjustment and the orientation.
struct FrameSetup {
    int h = 0; // added to every x
    int v = 0; // subtracted from every y
    bool portrait = false;
    std::string title; // the print job's title
};

// Steps before the document begins. Reads the vertical, then the horizontal offset field as
// integers; a text that is not one throws EConvertError "'%s' ist kein gültiger Integerwert"
// and nothing has happened yet. Neither orientation button checked prints in landscape without
// feed adjustment.
FrameSetup frameSetup(const FormPrinterParams& params, const CalibrationView& calibration);

// The form type's font as the frame sets it, read from the settings key at print time.
struct FrameFont {
    std::string face; // empty: the system's default face
    int height = 0;   // logical units (0.1 mm), cell height
    bool bold = true;
};
// Size × 6.5 rounded halves to even: 8 → 52, 9 → 58, 10 → 65.
int fontHeight(int pointSize);
// FontName/FontSize/FontBold with the form code. A missing name reads as empty (the system's
// default face); a missing or mistyped size or bold flag reads as 8 / bold, the values the
// main window writes at start. With none of the three stored, the face is "Courier New" too.
FrameFont readFrameFont(char formCode);

// One form print on the printer, from the calibration to the end of the document. Begun by
// BeginFormPrint (steps up to the font), drawn by the form printer, ended by EndFormPrint. A
// print that is not ended — a drawing or printer error on the way — abandons its document, so
// nothing half-drawn reaches the printer and the error is the caller's to report.
class FormPrint {
public:
    // Everything up to an open document in low-metric units with the form type's font. Throws
    // EConvertError (offsets) before the printer is touched, EPrinter when the document cannot
    // begin.
    FormPrint(Printer& printer, const FormPrinterParams& params,
              const CalibrationView& calibration);
    ~FormPrint();
    FormPrint(const FormPrint&) = delete;
    FormPrint& operator=(const FormPrint&) = delete;

    Canvas& canvas() { return printer_.GetCanvas(); }
    int h() const { return setup_.h; }
    int v() const { return setup_.v; }
    const FrameSetup& setup() const { return setup_; }

    // One text output per text, at x + h, y − v.
    void draw(const std::vector<PlacedText>& layoutTexts);
    // Ends the document, which sends the page to the printer. Throws EPrinter when the device
    // fails; the document is closed either way.
    void end();

private:
    Printer& printer_;
    FrameSetup setup_;
    bool open_ = false;
};

inline FormPrint BeginFormPrint(Printer& printer, FormPrinterId id,
                                const CalibrationView& calibration) {
    return FormPrint(printer, formPrinter(id), calibration);
}
inline void EndFormPrint(FormPrint& print) {
    print.end();
}

// --- after printing ---

// The amount field's text after the check: as typed when it is a decimal number in the German
// number format that a currency value can hold, else "0".
std::string checkedAmount(std::string_view text);
// The journal's amount of a checked text: the typed decimal number × 10000, rounded exactly
// from its digits, halves to even.
Currency journalAmount(std::string_view checkedText);
// The same value of any typed text; nullopt when it is no decimal number in the German format
// or one beyond what a currency value can hold.
std::optional<Currency> typedAmount(std::string_view text);

// Raised after a printed form when storing its addresses failed (with or without the journal
// record); the message says which of the two failed and why.
class EAfterPrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The two records of a printed form: the journal record first, because it is the record of a
// form that went out (a process killed after it has lost only the pick lists' entries), then
// the addresses. Each is attempted whatever happened to the other. When only the journal
// failed its own error goes on; when the addresses failed an EAfterPrintError says so.
void recordPrintedForm(const std::function<void()>& journal,
                       const std::function<void()>& storeAddresses);

} // namespace formidor::forms
