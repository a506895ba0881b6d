#pragma once
// The text grid that takes everything from events: column widths (OnColWidth), cell texts
// (OnCellText) and alignments (OnCellAlign). Without handlers columns are 0 wide, cells empty
// and centred. The address lists are printed with it.
#include "printjob/PJTextGrid.h"

#include <functional>
#include <string>

namespace formidor {

using TColWidthEvent =
    std::function<void(TCustomGridPrintJob& Sender, Canvas& TheCanvas, int ACol, int& ColWidth)>;
using TCellTextEvent = std::function<void(TCustomGridPrintJob& Sender, int APageIndex, int ACol,
                                          int ARow, std::string& Text)>;
using TCellAlignEvent =
    std::function<void(TCustomGridPrintJob& Sender, int ACol, int ARow, TAlignment& Alignment)>;

class TCustomSimpleTextGridPrintJob : public TCustomTextGridPrintJob {
public:
    using TCustomTextGridPrintJob::TCustomTextGridPrintJob;

    void SetOnColWidth(TColWidthEvent e) { FOnColWidth = std::move(e); }
    void SetOnCellText(TCellTextEvent e) { FOnCellText = std::move(e); }
    void SetOnCellAlign(TCellAlignEvent e) { FOnCellAlign = std::move(e); }

    int GetColWidth(Canvas& TheCanvas, int ACol) override;
    std::string GetCellText(int APageIndex, int ACol, int ARow) override;
    TAlignment GetCellAlignment(int ACol, int ARow) override;

private:
    TColWidthEvent FOnColWidth;
    TCellTextEvent FOnCellText;
    TCellAlignEvent FOnCellAlign;
};

// The published component.
class TSimpleTextGridPrintJob : public TCustomSimpleTextGridPrintJob {
public:
    using TCustomSimpleTextGridPrintJob::TCustomSimpleTextGridPrintJob;
};

} // namespace formidor
