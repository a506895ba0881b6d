#include "printjob/PJGrid.h"

#include <algorithm>

namespace formidor {

TCustomGridPrintJob::TCustomGridPrintJob(TNotifyEvent onCreate)
    : TCustomPrintJob(std::move(onCreate)) {
    updatePageCount();
}

int TCustomGridPrintJob::RowPageCount() const {
    return int((int64_t(FRowCount) + FRowsPerPage - 1) / FRowsPerPage);
}

void TCustomGridPrintJob::updatePageCount() {
    SetPageCount(int(int64_t(RowPageCount()) * FPagesPerRow));
}

void TCustomGridPrintJob::SetColCount(int value) {
    if (value <= 0) value = 1;
    if (value == FColCount) return;
    FColCount = value;
    Update();
}

void TCustomGridPrintJob::SetRowCount(int value) {
    if (value <= 0) value = 1;
    if (value == FRowCount) return;
    FRowCount = value;
    updatePageCount();
}

// The page count follows the new layout at once; dependants refresh once, afterwards.
void TCustomGridPrintJob::recountPagesAndUpdate() {
    LockUpdate();
    try {
        updatePageCount();
    } catch (...) {
        UnlockUpdate();
        throw;
    }
    UnlockUpdate();
    Update();
}

void TCustomGridPrintJob::SetRowsPerPage(int value) {
    if (value <= 0) value = 1;
    if (value == FRowsPerPage) return;
    FRowsPerPage = value;
    recountPagesAndUpdate();
}

void TCustomGridPrintJob::SetPagesPerRow(int value) {
    if (value <= 0) value = 1;
    if (value == FPagesPerRow) return;
    FPagesPerRow = value;
    recountPagesAndUpdate();
}

#define FORMIDOR_GRID_SETTER(Name, Type, Field)                                                    \
    void TCustomGridPrintJob::Set##Name(Type value) {                                              \
        if (value == Field) return;                                                                \
        Field = value;                                                                             \
        Update();                                                                                  \
    }
FORMIDOR_GRID_SETTER(TableBorders, TCellBorders, FTableBorders)
FORMIDOR_GRID_SETTER(HeaderCellBorders, TCellBorders, FHeaderCellBorders)
FORMIDOR_GRID_SETTER(PageCellBorders, TCellBorders, FPageCellBorders)
FORMIDOR_GRID_SETTER(FooterCellBorders, TCellBorders, FFooterCellBorders)
FORMIDOR_GRID_SETTER(IndexColumn, bool, FIndexColumn)
FORMIDOR_GRID_SETTER(IndexStart, int, FIndexStart)
#undef FORMIDOR_GRID_SETTER

int TCustomGridPrintJob::RowPageOf(int PageIndex) const {
    return (PageIndex - 1) / FPagesPerRow + 1;
}

int TCustomGridPrintJob::ColSubpageOf(int PageIndex) const {
    return FPagesPerRow < 2 ? 0 : (PageIndex - 1) % FPagesPerRow;
}

int TCustomGridPrintJob::RowLine(int top, int bottom, int j) const {
    return int(top - 1 + (int64_t(bottom - top - 1) * j) / FRowsPerPage);
}

std::vector<TCustomGridPrintJob::Column> TCustomGridPrintJob::layoutColumns(Canvas& TheCanvas,
                                                                            int q, int x) {
    std::vector<Column> cols;
    if (FIndexColumn) {
        const int w = GetColWidth(TheCanvas, IndexColumnIndex);
        cols.push_back({IndexColumnIndex, x, x + w});
        x += w;
    }
    for (int i = 0; i < FColCount; ++i) {
        if (GetColSubpage(i) != q) continue;
        const int w = GetColWidth(TheCanvas, i);
        cols.push_back({i, x, x + w});
        x += w;
    }
    return cols;
}

void TCustomGridPrintJob::DrawArea(Canvas& TheCanvas, int PageIndex, const TRect& TheRect,
                                   TDrawArea Area, TDrawTarget Target) {
    const int r = RowPageOf(PageIndex);
    const int q = ColSubpageOf(PageIndex);
    const std::vector<Column> cols = layoutColumns(TheCanvas, q, TheRect.Left);

    if (Area == daHeader || Area == daFooter) {
        const TCellType type = Area == daHeader ? ctHeader : ctFooter;
        const int row = Area == daHeader ? HeaderRowIndex : FooterRowIndex;
        for (const Column& c : cols)
            DrawBorders(TheCanvas, {c.left, TheRect.Top, c.right, TheRect.Bottom}, type, Target);
        for (const Column& c : cols)
            DrawCell(TheCanvas, {c.left, TheRect.Top, c.right, TheRect.Bottom}, r, c.col, row,
                     Target);
        return;
    }

    const int first = (r - 1) * FRowsPerPage;
    const int end =
        int(std::max<int64_t>(first, std::min<int64_t>(int64_t(r) * FRowsPerPage, FRowCount)));
    auto rowRect = [&](const Column& c, int k) {
        const int j = k - first;
        return TRect{c.left, RowLine(TheRect.Top, TheRect.Bottom, j), c.right,
                     RowLine(TheRect.Top, TheRect.Bottom, j + 1)};
    };
    for (int k = first; k < end; ++k)
        for (const Column& c : cols) DrawBorders(TheCanvas, rowRect(c, k), ctPage, Target);
    for (int k = first; k < end; ++k)
        for (const Column& c : cols) DrawCell(TheCanvas, rowRect(c, k), r, c.col, k, Target);

    // The outline spans the columns this sheet shows, from the margins' top-left, down to
    // the margins' bottom or, on the last row page, to the line under the last row. The
    // margin rectangle is in sheet coordinates: follow the body when it is drawn relative.
    TRect m = GetMarginRect();
    const TRect body = GetPageRect();
    m.Offset(TheRect.Left - body.Left, TheRect.Top - body.Top);
    int width = 0;
    for (const Column& c : cols) width += c.right - c.left;
    TRect outline{m.Left, m.Top, m.Left + width, m.Bottom};
    if (r >= RowPageCount())
        outline.Bottom =
            RowLine(TheRect.Top, TheRect.Bottom, std::clamp(FRowCount - first, 0, FRowsPerPage));
    DrawBorders(TheCanvas, outline, ctTable, Target);
}

void TCustomGridPrintJob::CustomizeCellCanvas(int ACol, int ARow, Canvas& TheCanvas) {
    if (FOnCustomizeCellCanvas) FOnCustomizeCellCanvas(*this, ACol, ARow, TheCanvas);
}

void TCustomGridPrintJob::DrawBorders(Canvas& TheCanvas, const TRect& TheRect, TCellType CellType,
                                      TDrawTarget Target) {
    (void)Target;
    TCellBorders set;
    switch (CellType) {
    case ctTable:
        set = FTableBorders;
        break;
    case ctHeader:
        set = FHeaderCellBorders;
        break;
    case ctFooter:
        set = FFooterCellBorders;
        break;
    case ctPage:
        set = FPageCellBorders;
        break;
    }
    if (set.empty()) return;
    TPen& pen = TheCanvas.Pen();
    pen.Width = 0;
    pen.Color = clBlack;
    pen.Mode = TPenMode::pmCopy;
    const TRect& r = TheRect;
    if (set.contains(cbTop)) {
        TheCanvas.MoveTo(r.Left, r.Top);
        TheCanvas.LineTo(r.Right, r.Top);
    }
    if (set.contains(cbBottom)) {
        TheCanvas.MoveTo(r.Left, r.Bottom);
        TheCanvas.LineTo(r.Right, r.Bottom);
    }
    if (set.contains(cbLeft)) {
        TheCanvas.MoveTo(r.Left, r.Top);
        TheCanvas.LineTo(r.Left, r.Bottom);
    }
    if (set.contains(cbRight)) {
        TheCanvas.MoveTo(r.Right, r.Top);
        TheCanvas.LineTo(r.Right, r.Bottom);
    }
}

int TCustomGridPrintJob::GetColWidth(Canvas& TheCanvas, int ACol) {
    (void)TheCanvas;
    (void)ACol;
    return GetMarginRect().Width() / FColCount;
}

int TCustomGridPrintJob::GetColSubpage(int ACol) {
    int sub = 0;
    if (FOnColSubpage) FOnColSubpage(*this, ACol, sub);
    return sub;
}

} // namespace formidor
