#pragma once
// A grid whose cells are texts in one of three fonts (header, body, footer), clipped, cut
// with an ellipsis or wrapped as chosen, with default texts: row numbers and "#" in the index
// column and a page counter in the footer's last cell.
#include "printjob/PJGrid.h"

#include <string>

namespace formidor {

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TClipMode : uint8_t { cmNone, cmClip, cmEllipsis };

inline constexpr const char* kPageOfPages = "Page %d of %d";

class TCustomTextGridPrintJob : public TCustomGridPrintJob {
public:
    explicit TCustomTextGridPrintJob(TNotifyEvent onCreate = {});

    // Face, style, colour and point size count; a cell is drawn at the surface's resolution.
    const TFont& HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const TFont& value);
    const TFont& PageFont() const { return FPageFont; }
    void SetPageFont(const TFont& value);
    const TFont& FooterFont() const { return FFooterFont; }
    void SetFooterFont(const TFont& value);
    TClipMode ClipMode() const { return FClipMode; }
    void SetClipMode(TClipMode value);
    bool Multiline() const { return FMultiline; }
    void SetMultiline(bool value);

    void DrawCell(Canvas& TheCanvas, const TRect& TheRect, int PageIndex, int ACol, int ARow,
                  TDrawTarget Target) override;
    // The index column fits its widest number; data columns are 0 here.
    int GetColWidth(Canvas& TheCanvas, int ACol) override;
    virtual std::string GetCellText(int APageIndex, int ACol, int ARow);
    virtual TAlignment GetCellAlignment(int ACol, int ARow);

    // The DrawText flags a cell of that alignment is drawn with.
    unsigned CellTextFormat(TAlignment alignment) const;

private:
    TFont FHeaderFont, FPageFont, FFooterFont;
    TClipMode FClipMode = cmEllipsis;
    bool FMultiline = false;
};

} // namespace formidor
