#pragma once
// The plain-paper reports of the transfer, crossed cheque and cheque deposit pages: a page of
// labels and values in Arial at fixed positions, printed straight to the current printer in
// its orientation, without calibration, address book or journal. Each report's lines are a
// table read top to bottom like the printed page; one loop places them.
#include "forms/layout.h"
#include "forms/transfer.h"
#include "platform/printer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace formidor::forms {

// Title: height 60 bold; large: height 45, bold or regular.
enum class ReportFont : uint8_t { Title, LargeBold, Large };

// One part of a line's text.
struct ReportPiece {
    enum class Kind : uint8_t {
        None,        // ends the line's parts
        Literal,     // the text itself
        Field,       // a control's text
        Today,       // today's date in the short date format
        MemoLine,    // line `index` (0 = first) of a memo; a missing line is empty
        YesNo,       // "Ja" when the check box is checked, else "Nein"
        BlockField,  // the control named by the stem and the block's number: ESchecknr3
        BlockNumber, // the block's number
    };
    Kind kind = Kind::None;
    std::string_view name;
    int index = 0;
};

inline constexpr int kReportPieces = 6;

// A line of a report: printed when the report's case (variant, counterfoil, bank) is one of
// `cases`; `repeat` lines `dy` apart, a memo line's index counting up with them.
struct ReportRow {
    uint32_t cases;
    ReportFont font;
    int x;
    int y;
    std::array<ReportPiece, kReportPieces> text;
    int repeat = 1;
    int dy = 0;
};

struct ReportText {
    int x = 0;
    int y = 0;
    ReportFont font = ReportFont::Large;
    std::string text;
    bool operator==(const ReportText&) const = default;
};

// The job titles the print queue shows.
inline constexpr std::string_view kTransferReportTitle = "Quillon Zentrix. - Überweisungsdrucker";
inline constexpr std::string_view kChequeReportTitle = "Quillon Zentrix. - Formidor 2006";
inline constexpr std::string_view kDepositReportTitle = "Quillon Zentrix. - Überweisungsdrucker";

// Button7Click's lines for the checked variant (none checked: only the lines every variant
// prints). The two SEPA editions print the IBANs and BICs where the others print account
// numbers and bank codes.
std::vector<ReportText> transferReportTexts(std::optional<TransferVariant> v, const FormPage& page,
                                            std::string_view today);
// Button8Click's lines; with "kein Abschnitt" (RBkein) checked the report ends after the date.
std::vector<ReportText> chequeReportTexts(const FormPage& page);
// Button22Click's lines, arranged for the bank of the latest deposit print of the run (empty
// before the first), not for the bank the page shows now.
std::vector<ReportText> depositReportTexts(const FormPage& page, std::string_view lastDepositBank);

// The controls a report reads, for callers that set them by name.
std::vector<std::string> transferReportControls();
std::vector<std::string> chequeReportControls();
std::vector<std::string> depositReportControls();

// The common steps: the job title, a document on the current printer in its orientation, a
// blank at the device origin, low-metric units, the lines in Arial black, the end of the
// document. A printer error abandons the document and propagates.
void printReport(Printer& printer, std::string_view title, const std::vector<ReportText>& texts);

} // namespace formidor::forms
