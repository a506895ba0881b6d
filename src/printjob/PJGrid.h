#pragma once
// A table of RowCount rows and ColCount columns printed across as many pages as needed: an
// optional running index column (column −1), a header row in the header area and a footer row
// in the footer area of every page, and cell borders per kind of cell. Rows too many for one
// page go on to the next row page; columns too many for one sheet are spread over the
// column subpages of each row page (PagesPerRow). What a cell shows is left to DrawCell.
#include "printjob/PSJob.h"

#include <climits>
#include <functional>
#include <vector>

namespace formidor {

enum TCellBorder : uint8_t { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder>;
inline constexpr TCellBorders kAllCellBorders{cbTop, cbLeft, cbRight, cbBottom};
enum TCellType : uint8_t { ctTable, ctHeader, ctPage, ctFooter };

// The rows every operation and event receives for the header and the footer cells.
inline constexpr int HeaderRowIndex = -INT_MAX;
inline constexpr int FooterRowIndex = INT_MAX;
// The index column.
inline constexpr int IndexColumnIndex = -1;

class TCustomGridPrintJob;
using TColSubpageEvent =
    std::function<void(TCustomGridPrintJob& Sender, int ACol, int& ColSubpage)>;
using TCustomizeCellCanvas =
    std::function<void(TCustomGridPrintJob& Sender, int ACol, int ARow, Canvas& TheCanvas)>;

class TCustomGridPrintJob : public TCustomPrintJob {
public:
    explicit TCustomGridPrintJob(TNotifyEvent onCreate = {});

    int ColCount() const { return FColCount; }
    void SetColCount(int value); // ≤ 0 becomes 1
    int RowCount() const { return FRowCount; }
    // ≤ 0 becomes 1; recomputes PageCount, which updates only when the page count changes.
    void SetRowCount(int value);
    int RowsPerPage() const { return FRowsPerPage; }
    void SetRowsPerPage(int value); // ≤ 0 becomes 1; always updates when changed
    int PagesPerRow() const { return FPagesPerRow; }
    void SetPagesPerRow(int value); // as RowsPerPage
    TCellBorders TableBorders() const { return FTableBorders; }
    void SetTableBorders(TCellBorders value);
    TCellBorders HeaderCellBorders() const { return FHeaderCellBorders; }
    void SetHeaderCellBorders(TCellBorders value);
    TCellBorders PageCellBorders() const { return FPageCellBorders; }
    void SetPageCellBorders(TCellBorders value);
    TCellBorders FooterCellBorders() const { return FFooterCellBorders; }
    void SetFooterCellBorders(TCellBorders value);
    bool IndexColumn() const { return FIndexColumn; }
    void SetIndexColumn(bool value);
    int IndexStart() const { return FIndexStart; }
    void SetIndexStart(int value);
    void SetOnColSubpage(TColSubpageEvent e) { FOnColSubpage = std::move(e); }
    void SetOnCustomizeCellCanvas(TCustomizeCellCanvas e) { FOnCustomizeCellCanvas = std::move(e); }

    // Pagination of printed page p (from 1): the row page (from 1) and the column subpage
    // (from 0); the number of row pages.
    int RowPageOf(int PageIndex) const;
    int ColSubpageOf(int PageIndex) const;
    int RowPageCount() const;
    // The line above row slot j (0 … RowsPerPage) of a body from top to bottom.
    int RowLine(int top, int bottom, int j) const;

    void DrawArea(Canvas& TheCanvas, int PageIndex, const TRect& TheRect, TDrawArea Area,
                  TDrawTarget Target) override;

    // Draws one cell's content; PageIndex is the row page, not the printed page.
    virtual void DrawCell(Canvas& TheCanvas, const TRect& TheRect, int PageIndex, int ACol,
                          int ARow, TDrawTarget Target) = 0;
    virtual void CustomizeCellCanvas(int ACol, int ARow, Canvas& TheCanvas);
    // The border set of the cell type around the rectangle, one device pixel wide.
    virtual void DrawBorders(Canvas& TheCanvas, const TRect& TheRect, TCellType CellType,
                             TDrawTarget Target);
    // Width in printer pixels: the margin rectangle's width shared by ColCount columns.
    virtual int GetColWidth(Canvas& TheCanvas, int ACol);
    // The column subpage of a data column (OnColSubpage; 0 without it).
    virtual int GetColSubpage(int ACol);

private:
    struct Column {
        int col;
        int left;
        int right;
    };
    // The columns of subpage q laid out from x, index column first when shown.
    std::vector<Column> layoutColumns(Canvas& TheCanvas, int q, int x);
    void updatePageCount();
    void recountPagesAndUpdate();

    int FColCount = 1;
    int FRowCount = 1;
    int FRowsPerPage = 1;
    int FPagesPerRow = 1;
    TCellBorders FTableBorders, FHeaderCellBorders, FPageCellBorders, FFooterCellBorders;
    bool FIndexColumn = false;
    int FIndexStart = 0;
    TColSubpageEvent FOnColSubpage;
    TCustomizeCellCanvas FOnCustomizeCellCanvas;
};

} // namespace formidor
