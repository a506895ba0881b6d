#pragma once
// The printer calibration of every form type as the printer page holds it. The page's controls
// are the working copy: form printers read offsets, orientation and feed side from them (not
// from the settings key), so they see a value the user has typed but not yet stored.
#include <string>
#include <string_view>

namespace formidor {

// Form codes: U transfer, V crossed cheque, L direct debit and cover sheet, N cash on
// delivery, P parcel card and small parcel, S cheque deposit, A foreign transfer.
inline constexpr std::string_view kFormCodes = "UVLNPSA";
// The cash-on-delivery form always prints in portrait and has no feed side.
inline constexpr bool hasOrientation(char formCode) {
    return formCode != 'N';
}

// Read access for the form printers.
class CalibrationView {
public:
    virtual ~CalibrationView() = default;
    // Text of the offset field as it stands: EKV<code> (horizontal) or EKH<code> (vertical).
    // It is converted when printed, so a typed "abc" reaches the printer as "abc".
    virtual std::string offsetText(char formCode, bool horizontal) const = 0;
    // "normal" (RBHochformat) and "hochkant" (RBQuerformat); neither may be checked yet.
    virtual bool isNormal(char formCode) const = 0;
    virtual bool isHochkant(char formCode) const = 0;
    // "rechten" (RBrechts) and "linken" (RBlinks).
    virtual bool isRightFeed(char formCode) const = 0;
    virtual bool isLeftFeed(char formCode) const = 0;
};

// What the settings store needs to move the calibration between the key and the page. Checking
// a button or box through these setters runs its handler as a user's click would, and only when
// its state changes.
class CalibrationControls : public CalibrationView {
public:
    virtual void setOffsetText(char formCode, bool horizontal, const std::string& text) = 0;
    // Checks "normal" (true) or "hochkant" (false).
    virtual void checkOrientation(char formCode, bool normal) = 0;
    // Checks "rechten" (true) or "linken" (false).
    virtual void checkFeed(char formCode, bool right) = 0;
    // "wie Überweisungen"; the transfer type has none.
    virtual bool sameAsTransfer(char formCode) const = 0;
    virtual void setSameAsTransfer(char formCode, bool checked) = 0;
    // The three font labels, complete texts ("Schrift: Courier New", "Größe: 8", "Stil: Fett").
    virtual void showFont(char formCode, const std::string& name, const std::string& size,
                          const std::string& style) = 0;
};

// The application's printer selection as the settings store sees it.
class PrinterSelection {
public:
    virtual ~PrinterSelection() = default;
    virtual int printerCount() const = 0;
    // Position in the list of installed printers; −1 is the system's default printer.
    virtual int printerIndex() const = 0;
    virtual void setPrinterIndex(int index) = 0;
};

} // namespace formidor
