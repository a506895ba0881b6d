#include "printjob/PJTextGrid.h"

#include <cstdio>

namespace formidor {

namespace {

TFont defaultGridFont() {
    TFont f;
    f.Name = "Arial";
    f.SetSize(12);
    return f;
}

} // namespace

TCustomTextGridPrintJob::TCustomTextGridPrintJob(TNotifyEvent onCreate)
    : TCustomGridPrintJob(std::move(onCreate)) {
    FHeaderFont = defaultGridFont();
    FPageFont = FHeaderFont;
    FFooterFont = FHeaderFont;
    FClipMode = cmEllipsis;
}

void TCustomTextGridPrintJob::SetHeaderFont(const TFont& value) {
    FHeaderFont = value;
    Update();
}

void TCustomTextGridPrintJob::SetPageFont(const TFont& value) {
    FPageFont = value;
    Update();
}

void TCustomTextGridPrintJob::SetFooterFont(const TFont& value) {
    FFooterFont = value;
    Update();
}

void TCustomTextGridPrintJob::SetClipMode(TClipMode value) {
    if (value == FClipMode) return;
    FClipMode = value;
    Update();
}

void TCustomTextGridPrintJob::SetMultiline(bool value) {
    if (value == FMultiline) return;
    FMultiline = value;
    Update();
}

unsigned TCustomTextGridPrintJob::CellTextFormat(TAlignment alignment) const {
    unsigned f = DT_NOPREFIX;
    f |= FMultiline ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER);
    if (FClipMode == cmNone) f |= DT_NOCLIP;
    if (FClipMode == cmEllipsis) f |= DT_END_ELLIPSIS;
    if (alignment == taRightJustify) f |= DT_RIGHT;
    if (alignment == taCenter) f |= DT_CENTER;
    return f;
}

void TCustomTextGridPrintJob::DrawCell(Canvas& TheCanvas, const TRect& TheRect, int PageIndex,
                                       int ACol, int ARow, TDrawTarget Target) {
    (void)Target;
    const std::string text = GetCellText(PageIndex, ACol, ARow);
    const TFont& source = ARow == HeaderRowIndex   ? FHeaderFont
                          : ARow == FooterRowIndex ? FFooterFont
                                                   : FPageFont;
    TFont& f = TheCanvas.Font();
    f.Name = source.Name;
    f.Bold = source.Bold;
    f.Italic = source.Italic;
    f.Underline = source.Underline;
    f.StrikeOut = source.StrikeOut;
    f.Color = source.Color;
    f.SetSize(source.Size());

    const unsigned format = CellTextFormat(GetCellAlignment(ACol, ARow));
    const int w = TheCanvas.TextWidth("  ");
    TRect r = TheRect;
    r.Left += w - 1;
    r.Right -= w - 1;
    r.Top += 1;
    r.Bottom -= 1;
    r.Offset(1, 1);
    CustomizeCellCanvas(ACol, ARow, TheCanvas);
    TheCanvas.DrawText(text, r, format);
}

int TCustomTextGridPrintJob::GetColWidth(Canvas& TheCanvas, int ACol) {
    if (ACol != IndexColumnIndex) return 0;
    // Measured in the font the numbers are drawn in: measured in whatever font the surface
    // happens to hold, the column comes out too narrow for a larger body font and every
    // number is cut down to an ellipsis.
    const TFont saved = TheCanvas.Font();
    TFont& f = TheCanvas.Font();
    f.Name = FPageFont.Name;
    f.Bold = FPageFont.Bold;
    f.Italic = FPageFont.Italic;
    f.SetSize(FPageFont.Size());
    const int w =
        TheCanvas.TextWidth("    " + std::to_string(int64_t(IndexStart()) + RowCount())) + 2;
    TheCanvas.SetFont(saved);
    return w;
}

std::string TCustomTextGridPrintJob::GetCellText(int APageIndex, int ACol, int ARow) {
    if (ACol == IndexColumnIndex) {
        if (ARow == HeaderRowIndex) return "#";
        if (ARow == FooterRowIndex) return {};
        return std::to_string(int64_t(ARow) + IndexStart());
    }
    if (ARow == FooterRowIndex && ACol == ColCount() - 1) {
        // Counted in row pages, as APageIndex is: with column subpages the printed page count
        // would run ahead of the row page shown beside it.
        char buf[64];
        std::snprintf(buf, sizeof buf, "Page %d of %d", APageIndex, RowPageCount());
        return buf;
    }
    return {};
}

TAlignment TCustomTextGridPrintJob::GetCellAlignment(int ACol, int ARow) {
    if (ACol == IndexColumnIndex || ARow == FooterRowIndex) return taRightJustify;
    return taLeftJustify;
}

} // namespace formidor
