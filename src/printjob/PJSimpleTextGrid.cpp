#include "printjob/PJSimpleTextGrid.h"

namespace formidor {

int TCustomSimpleTextGridPrintJob::GetColWidth(Canvas& TheCanvas, int ACol) {
    int w = 0;
    if (FOnColWidth) FOnColWidth(*this, TheCanvas, ACol, w);
    return w;
}

std::string TCustomSimpleTextGridPrintJob::GetCellText(int APageIndex, int ACol, int ARow) {
    std::string text;
    if (FOnCellText) FOnCellText(*this, APageIndex, ACol, ARow, text);
    return text;
}

TAlignment TCustomSimpleTextGridPrintJob::GetCellAlignment(int ACol, int ARow) {
    TAlignment a = taCenter;
    if (FOnCellAlign) FOnCellAlign(*this, ACol, ARow, a);
    return a;
}

} // namespace formidor
