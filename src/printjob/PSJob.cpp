#include "printjob/PSJob.h"

#include "platform/convert.h"
#include "platform/metafile.h"
#include "platform/printer.h"

#include <algorithm>
#include <cmath>

namespace formidor {

namespace {

constexpr int kNoPrinterSheetWidth = 2000;
constexpr int kNoPrinterSheetHeight = 3000;
constexpr int kNoPrinterDpi = 300;

PrintJobHooks& hooks() {
    static PrintJobHooks h;
    return h;
}

template <typename T>
bool contains(const std::vector<T*>& list, const T* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

template <typename T>
void eraseItem(std::vector<T*>& list, const T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

double precisionOf(TUnits u) {
    switch (u) {
    case unPixels:
        return 1;
    case unPercents:
    case unInches:
        return 1000;
    case unMillimeters:
        return 100;
    }
    return 1;
}

int roundToInt(double v) {
    if (!std::isfinite(v)) return 0;
    return int(Round(v));
}

TPrinterOrientation printerOrientationOf(TPageOrientation o) {
    return o == orLandscape ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait;
}

int placeAlong(int start, int length, int size, int align) {
    switch (align) {
    case 1:
        return start + (length - size) / 2;
    case 2:
        return start + length - size;
    default:
        return start;
    }
}

// Restores the viewport origin when an area's drawing ends, also by an exception.
class OriginGuard {
public:
    OriginGuard(Canvas& c, TPoint saved) : c_(c), saved_(saved) {}
    ~OriginGuard() { c_.SetViewportOrg(saved_); }
    OriginGuard(const OriginGuard&) = delete;
    OriginGuard& operator=(const OriginGuard&) = delete;

private:
    Canvas& c_;
    TPoint saved_;
};

} // namespace

PrintJobHooks SetPrintJobHooks(PrintJobHooks h) {
    PrintJobHooks old = std::move(hooks());
    hooks() = std::move(h);
    return old;
}

const PrintJobHooks& GetPrintJobHooks() {
    return hooks();
}

// ----- notification links -----

TPrintJobControl::~TPrintJobControl() {
    const std::vector<TCustomPrintJob*> jobs = registeredWith_;
    for (TCustomPrintJob* job : jobs) job->DeleteControlNotification(this);
}

TCustomPrintJob::TCustomPrintJob(TNotifyEvent onCreate) : FOnCreate(std::move(onCreate)) {
    FPageCount = 1;
    ResetToDefaultPage();
    if (FOnCreate) FOnCreate(*this);
    SetMarginsError(meAutoFix);
    SetDefaultDrawing(kAllDrawAreas);
}

TCustomPrintJob::~TCustomPrintJob() {
    try {
        if (FOnDestroy) FOnDestroy(*this);
    } catch (...) {
    }
    for (TCustomPrintJob* job : referencedBy_) eraseItem(job->FPrintJobs, this);
    for (TCustomPrintJob* job : FPrintJobs) eraseItem(job->referencedBy_, this);
    const std::vector<TPrintJobControl*> controls = std::move(FControls);
    FControls.clear();
    for (TPrintJobControl* c : controls) {
        eraseItem(c->registeredWith_, this);
        try {
            c->PrintJobDestroyed(*this);
        } catch (...) {
        }
    }
}

void TCustomPrintJob::AddControlNotification(TPrintJobControl* Control) {
    if (!Control || contains(FControls, Control)) return;
    FControls.push_back(Control);
    Control->registeredWith_.push_back(this);
}

void TCustomPrintJob::DeleteControlNotification(TPrintJobControl* Control) {
    if (!Control || !contains(FControls, Control)) return;
    eraseItem(FControls, Control);
    eraseItem(Control->registeredWith_, this);
}

void TCustomPrintJob::AddPrintJobNotification(TCustomPrintJob* Job) {
    // A job in its own list would update itself without end.
    if (!Job || Job == this || contains(FPrintJobs, Job)) return;
    FPrintJobs.push_back(Job);
    Job->referencedBy_.push_back(this);
}

void TCustomPrintJob::DeletePrintJobNotification(TCustomPrintJob* Job) {
    if (!Job || !contains(FPrintJobs, Job)) return;
    eraseItem(FPrintJobs, Job);
    eraseItem(Job->referencedBy_, this);
}

// ----- locks and updates -----

void TCustomPrintJob::UnlockUpdate() {
    if (FUpdateLocker > 0) --FUpdateLocker;
}
void TCustomPrintJob::UnlockJobsUpdate() {
    if (FUpdateJobsLocker > 0) --FUpdateJobsLocker;
}
void TCustomPrintJob::UnlockControlsUpdate() {
    if (FUpdateControlsLocker > 0) --FUpdateControlsLocker;
}
void TCustomPrintJob::UnlockDraw() {
    if (FDrawLocker > 0) --FDrawLocker;
}

void TCustomPrintJob::Update() {
    ApplyUpdates();
}

void TCustomPrintJob::ApplyUpdates() {
    if (UpdateLocked() || !PrinterAvailable()) return;
    // Jobs that list each other would otherwise update one another without end.
    if (applyingUpdates_) return;
    applyingUpdates_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{applyingUpdates_};

    ResetToDefaultPage();
    if (!marginsJustChecked_) {
        TMargins m = FMargins;
        CheckMargins(m);
    }
    marginsJustChecked_ = false;

    // A dependant's update may add or remove dependants (or destroy one): walk a snapshot and
    // skip those that left the list meanwhile.
    if (!UpdateJobsLocked()) {
        const std::vector<TCustomPrintJob*> jobs = FPrintJobs;
        for (TCustomPrintJob* job : jobs) {
            if (!contains(FPrintJobs, job)) continue;
            try {
                job->Update();
            } catch (...) {
            }
        }
    }
    if (!UpdateControlsLocked()) {
        const std::vector<TPrintJobControl*> controls = FControls;
        for (TPrintJobControl* c : controls) {
            if (!contains(FControls, c)) continue;
            try {
                c->Update();
            } catch (...) {
            }
        }
    }
    raiseNotify(FOnUpdate);
}

void TCustomPrintJob::raiseNotify(const TNotifyEvent& e) {
    if (e) e(*this);
}

void TCustomPrintJob::Loaded() {
    TMargins m = FMargins;
    CheckMargins(m);
}

// ----- property setters -----

void TCustomPrintJob::SetMultiDoc(bool value) {
    FMultiDoc = value;
}

void TCustomPrintJob::SetPageCount(int value) {
    if (value <= 0) value = 1;
    if (value == FPageCount) return;
    FPageCount = value;
    Update();
}

void TCustomPrintJob::SetTitle(const std::string& value) {
    FTitle = value;
}

void TCustomPrintJob::SetMargins(const TMargins& value) {
    TMargins m = value;
    CheckMargins(m);
    FMargins = m;
    // The margins were just checked; the update must not ask the same question again.
    marginsJustChecked_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{marginsJustChecked_};
    Update();
}

void TCustomPrintJob::SetMarginsUnits(TUnits value) {
    if (value == FMarginsUnits) return;
    FMarginsUnits = value;
    Update();
}

void TCustomPrintJob::SetMarginsError(TMarginsError value) {
    if (value == FMarginsError) return;
    FMarginsError = value;
    if (value != meNone) {
        TMargins m = FMargins;
        CheckMargins(m);
    }
}

void TCustomPrintJob::SetHeader(double value) {
    if (value == FHeader) return;
    FHeader = value;
    Update();
}

void TCustomPrintJob::SetHeaderUnits(TUnits value) {
    if (value == FHeaderUnits) return;
    FHeaderUnits = value;
    Update();
}

void TCustomPrintJob::SetFooter(double value) {
    if (value == FFooter) return;
    FFooter = value;
    Update();
}

void TCustomPrintJob::SetFooterUnits(TUnits value) {
    if (value == FFooterUnits) return;
    FFooterUnits = value;
    Update();
}

void TCustomPrintJob::SetPageMode(TPageMode value) {
    if (value == FPageMode) return;
    FPageMode = value;
    ResetToDefaultPage();
    Update();
}

void TCustomPrintJob::SetPageWidth(double value) {
    if (value == FPageWidth) return;
    if (FPageMode == pmCustom)
        FPageWidth = value;
    else
        ResetToDefaultPage();
    Update();
}

void TCustomPrintJob::SetPageHeight(double value) {
    if (value == FPageHeight) return;
    if (FPageMode == pmCustom)
        FPageHeight = value;
    else
        ResetToDefaultPage();
    Update();
}

void TCustomPrintJob::SetPageUnits(TUnits value) {
    if (value == FPageUnits) return;
    FPageUnits = value;
    ResetToDefaultPage();
    Update();
}

void TCustomPrintJob::SetOrientation(TPageOrientation value) {
    if (value == FOrientation) return;
    FOrientation = value;
    ResetToDefaultPage();
    Update();
}

void TCustomPrintJob::SetOptions(TJobOptionsSet value) {
    if (value == FOptions) return;
    FOptions = value;
    Update();
}

void TCustomPrintJob::SetRelativeCoords(bool value) {
    if (value == FRelativeCoords) return;
    FRelativeCoords = value;
    Update();
}

void TCustomPrintJob::SetDefaultDrawing(TDrawAreas value) {
    if (value == FDefaultDrawing) return;
    FDefaultDrawing = value;
    Update();
}

// ----- printer and units -----

bool TCustomPrintJob::PrinterAvailable() const {
    try {
        return ThePrinter().HasPrinters();
    } catch (...) {
        return false;
    }
}

bool TCustomPrintJob::PrinterOK() {
    return PrinterAvailable();
}

int TCustomPrintJob::PrinterCaps(int index) const {
    return ThePrinter().GetDeviceCaps(index);
}

bool TCustomPrintJob::Aborted() const {
    return ThePrinter().Aborted();
}

int TCustomPrintJob::DPIX() const {
    return PrinterAvailable() ? PrinterCaps(LOGPIXELSX) : kNoPrinterDpi;
}

int TCustomPrintJob::DPIY() const {
    return PrinterAvailable() ? PrinterCaps(LOGPIXELSY) : kNoPrinterDpi;
}

int TCustomPrintJob::PhysicalPageWidth() const {
    return PrinterAvailable() ? PrinterCaps(PHYSICALWIDTH) : kNoPrinterSheetWidth;
}

int TCustomPrintJob::PhysicalPageHeight() const {
    return PrinterAvailable() ? PrinterCaps(PHYSICALHEIGHT) : kNoPrinterSheetHeight;
}

double TCustomPrintJob::InchToPix(double inches, TDirection Direction) const {
    return inches * (Direction == dirHorizontal ? DPIX() : DPIY());
}

double TCustomPrintJob::PixToInch(double pixels, TDirection Direction) const {
    return pixels / (Direction == dirHorizontal ? DPIX() : DPIY());
}

double TCustomPrintJob::MmToPix(double mm, TDirection Direction) const {
    return mm * (Direction == dirHorizontal ? DPIX() : DPIY()) / 25.4;
}

double TCustomPrintJob::PixToMm(double pixels, TDirection Direction) const {
    return pixels * 25.4 / (Direction == dirHorizontal ? DPIX() : DPIY());
}

double TCustomPrintJob::ConvertUnits(double Source, TUnits FromUnits, TUnits ToUnits,
                                     TDirection Dir, double FullRange) const {
    double v = Source;
    if (FromUnits != ToUnits) {
        double mm = 0;
        switch (FromUnits) {
        case unPixels:
            mm = PixToMm(Source, Dir);
            break;
        case unPercents:
            mm = PixToMm(Source * FullRange / 100, Dir);
            break;
        case unInches:
            mm = InchToMm(Source);
            break;
        case unMillimeters:
            mm = Source;
            break;
        }
        switch (ToUnits) {
        case unPixels:
            v = MmToPix(mm, Dir);
            break;
        // A percentage of nothing is no percentage at all; never divide by a zero range.
        case unPercents:
            v = FullRange == 0 ? 0 : MmToPix(mm, Dir) * 100 / FullRange;
            break;
        case unInches:
            v = MmToInch(mm);
            break;
        case unMillimeters:
            v = mm;
            break;
        }
    }
    if (!std::isfinite(v)) return 0;
    const double f = precisionOf(ToUnits);
    return double(Round(v * f)) / f;
}

void TCustomPrintJob::ConvertMargins(TMargins& M, TUnits FromUnits, TUnits ToUnits) const {
    M.Left = ConvertUnits(M.Left, FromUnits, ToUnits, dirHorizontal, FPageWidth);
    M.Right = ConvertUnits(M.Right, FromUnits, ToUnits, dirHorizontal, FPageWidth);
    M.Top = ConvertUnits(M.Top, FromUnits, ToUnits, dirVertical, FPageHeight);
    M.Bottom = ConvertUnits(M.Bottom, FromUnits, ToUnits, dirVertical, FPageHeight);
}

// ----- geometry -----

TCustomPrintJob* TCustomPrintJob::ActiveInstance(int PageIndex) {
    (void)PageIndex;
    return this;
}

void TCustomPrintJob::ResetToDefaultPage() {
    if (!PrinterAvailable()) {
        FPageWidth = kNoPrinterSheetWidth;
        FPageHeight = kNoPrinterSheetHeight;
        return;
    }
    Printer& p = ThePrinter();
    if (FOrientation != orDefault && !p.Printing())
        p.SetOrientation(printerOrientationOf(FOrientation));
    if (FPageMode == pmDefault) {
        const int w = PhysicalPageWidth();
        const int h = PhysicalPageHeight();
        FPageWidth = ConvertUnits(w, unPixels, FPageUnits, dirHorizontal, w);
        FPageHeight = ConvertUnits(h, unPixels, FPageUnits, dirVertical, h);
    }
}

TRect TCustomPrintJob::GetSheetRect() {
    if (!PrinterAvailable()) {
        FPageWidth = kNoPrinterSheetWidth;
        FPageHeight = kNoPrinterSheetHeight;
        return {0, 0, kNoPrinterSheetWidth, kNoPrinterSheetHeight};
    }
    return {0, 0,
            roundToInt(
                ConvertUnits(FPageWidth, FPageUnits, unPixels, dirHorizontal, PhysicalPageWidth())),
            roundToInt(ConvertUnits(FPageHeight, FPageUnits, unPixels, dirVertical,
                                    PhysicalPageHeight()))};
}

TRect TCustomPrintJob::GetPrintableRect() {
    if (!PrinterAvailable()) return GetSheetRect();
    return {0, 0, PrinterCaps(HORZRES), PrinterCaps(VERTRES)};
}

TRect TCustomPrintJob::MarginRectOf(const TMargins& M, bool printerOrigin) {
    TRect r = GetSheetRect();
    if (printerOrigin && FDrawTarget == dtPrint && PrinterAvailable())
        r.Offset(-PrinterCaps(PHYSICALOFFSETX), -PrinterCaps(PHYSICALOFFSETY));
    if (FOptions.contains(joMargins)) {
        TMargins m = M;
        ConvertMargins(m, FMarginsUnits, unPixels);
        r.Left = roundToInt(r.Left + m.Left);
        r.Top = roundToInt(r.Top + m.Top);
        r.Right = roundToInt(r.Right - m.Right);
        r.Bottom = roundToInt(r.Bottom - m.Bottom);
    }
    return r;
}

TRect TCustomPrintJob::GetMarginRect() {
    return MarginRectOf(FMargins, true);
}

TRect TCustomPrintJob::GetHeaderRect() {
    if (!FOptions.contains(joHeader)) return {};
    TRect r = GetMarginRect();
    r.Bottom =
        r.Top + roundToInt(ConvertUnits(FHeader, FHeaderUnits, unPixels, dirVertical, r.Height()));
    return r;
}

TRect TCustomPrintJob::GetFooterRect() {
    if (!FOptions.contains(joFooter)) return {};
    TRect r = GetMarginRect();
    r.Top = r.Bottom -
            roundToInt(ConvertUnits(FFooter, FFooterUnits, unPixels, dirVertical, r.Height()));
    return r;
}

TRect TCustomPrintJob::GetPageRect() {
    TRect r = GetMarginRect();
    const double full = r.Height();
    if (FOptions.contains(joHeader))
        r.Top += roundToInt(ConvertUnits(FHeader, FHeaderUnits, unPixels, dirVertical, full));
    if (FOptions.contains(joFooter))
        r.Bottom -= roundToInt(ConvertUnits(FFooter, FFooterUnits, unPixels, dirVertical, full));
    return r;
}

// ----- margins check -----

void TCustomPrintJob::CheckMargins(TMargins& M) {
    const TMarginsError mode = FMarginsError;
    if (mode == meNone || !PrinterAvailable()) return;

    const TRect r = MarginRectOf(M, false);
    const int offX = PrinterCaps(PHYSICALOFFSETX);
    const int offY = PrinterCaps(PHYSICALOFFSETY);
    const int w = PrinterCaps(HORZRES);
    const int h = PrinterCaps(VERTRES);
    const bool left = r.Left < offX;
    const bool top = r.Top < offY;
    const bool right = r.Right > offX + w;
    const bool bottom = r.Bottom > offY + h;
    if (!(left || top || right || bottom)) return;

    if (mode == meMessageBox) {
        const auto& ask = hooks().askYesNo;
        // Without a way to ask, the margins are not silently changed.
        if (!ask) throw EPrintJobException(kMarginsOutside);
        if (!ask(std::string(kMarginsOutside) + "\r" + kFixMarginsQuestion)) return;
    } else if (mode == meException) {
        throw EPrintJobException(kMarginsOutside);
    }

    const double physW = PhysicalPageWidth();
    const double physH = PhysicalPageHeight();
    if (left) M.Left = ConvertUnits(offX, unPixels, FMarginsUnits, dirHorizontal, physW);
    if (top) M.Top = ConvertUnits(offY, unPixels, FMarginsUnits, dirVertical, physH);
    if (right)
        M.Right = ConvertUnits(physW - (offX + w), unPixels, FMarginsUnits, dirHorizontal, physW);
    if (bottom)
        M.Bottom = ConvertUnits(physH - (offY + h), unPixels, FMarginsUnits, dirVertical, physH);
    FMargins = M;
}

// ----- drawing -----

void TCustomPrintJob::PaintTo(Canvas& TheCanvas, int PageIndex) {
    Draw(TheCanvas, PageIndex, dtExternal);
}

void TCustomPrintJob::InitDraw(Canvas& TheCanvas, TDrawTarget Target) {
    TFont& f = TheCanvas.Font();
    f.Name = "Arial";
    f.Color = clBlack;
    f.Bold = f.Italic = f.Underline = f.StrikeOut = false;
    f.SetSize(10);
    TheCanvas.SetPen(TPen{clBlack, 0, TPenStyle::psSolid, TPenMode::pmCopy});
    TheCanvas.SetBrush(TBrush{clWhite, TBrushStyle::bsSolid});
    TheCanvas.FillRect(GetSheetRect());
    if (FOnInitDraw) FOnInitDraw(*this, TheCanvas, Target);
}

void TCustomPrintJob::Draw(Canvas& TheCanvas, int PageIndex, TDrawTarget Target) {
    FDrawTarget = Target;
    if (DrawLocked()) return;

    const TSize vp = TheCanvas.GetViewportExt();
    const TSize win = TheCanvas.GetWindowExt();
    const double scaleX = win.cx ? double(vp.cx) / win.cx : 1.0;
    const double scaleY = win.cy ? double(vp.cy) / win.cy : 1.0;

    ResetToDefaultPage();
    TheCanvas.Font().PixelsPerInch = DPIY();
    const TPoint origin = TheCanvas.GetViewportOrg();
    InitDraw(TheCanvas, Target);

    drawAreaAt(TheCanvas, PageIndex, GetPageRect(), daPage, Target, origin, scaleX, scaleY);
    if (FOptions.contains(joHeader))
        drawAreaAt(TheCanvas, PageIndex, GetHeaderRect(), daHeader, Target, origin, scaleX, scaleY);
    if (FOptions.contains(joFooter))
        drawAreaAt(TheCanvas, PageIndex, GetFooterRect(), daFooter, Target, origin, scaleX, scaleY);
}

void TCustomPrintJob::drawAreaAt(Canvas& TheCanvas, int PageIndex, TRect rect, TDrawArea Area,
                                 TDrawTarget Target, TPoint origin, double scaleX, double scaleY) {
    auto paint = [&](const TRect& r) {
        if (FDefaultDrawing.contains(Area))
            DrawArea(TheCanvas, PageIndex, r, Area, Target);
        else if (FOnDraw)
            FOnDraw(*this, TheCanvas, PageIndex, r, Area, Target);
    };
    if (!FRelativeCoords) {
        paint(rect);
        return;
    }
    OriginGuard restore(TheCanvas, origin);
    TheCanvas.SetViewportOrg(
        {origin.X + roundToInt(rect.Left * scaleX), origin.Y + roundToInt(rect.Top * scaleY)});
    rect.Offset(-rect.Left, -rect.Top);
    paint(rect);
}

void TCustomPrintJob::DrawArea(Canvas& TheCanvas, int PageIndex, const TRect& TheRect,
                               TDrawArea Area, TDrawTarget Target) {
    if (FOnDraw) FOnDraw(*this, TheCanvas, PageIndex, TheRect, Area, Target);
}

// ----- printing -----

void TCustomPrintJob::PrinterSetupChange() {
    raiseNotify(FOnPrinterSetupChange);
}

bool TCustomPrintJob::AllowPrint() {
    bool allow = true;
    if (FOnAllowPrint) FOnAllowPrint(*this, allow);
    return allow;
}

void TCustomPrintJob::StartPrint() {
    raiseNotify(FOnStartPrint);
}

void TCustomPrintJob::EndPrint() {
    raiseNotify(FOnEndPrint);
}

void TCustomPrintJob::PrintProgress(int CurPage, int MinPage, int MaxPage) {
    if (FOnPrintProgress) FOnPrintProgress(*this, CurPage, MinPage, MaxPage);
}

void TCustomPrintJob::StartPrintPage(int PageIndex) {
    if (FOnStartPrintPage) FOnStartPrintPage(*this, PageIndex);
}

void TCustomPrintJob::EndPrintPage(int PageIndex) {
    if (FOnEndPrintPage) FOnEndPrintPage(*this, PageIndex);
}

void TCustomPrintJob::ForceNewPage(int PageIndex) {
    (void)PageIndex;
    ThePrinter().NewPage();
}

void TCustomPrintJob::PrintEx(int StartPage, int EndPage, TPrintModes PrintMode) {
    if (!AllowPrint()) return;
    FMustAbort = false;

    Printer& p = ThePrinter();
    if (FOrientation != orDefault && !p.Printing())
        p.SetOrientation(printerOrientationOf(FOrientation));
    p.SetTitle(FTitle);
    StartPrint();

    const bool multiDoc = PrintMode.contains(pmMultiDoc);
    const bool reverse = PrintMode.contains(pmReverse);
    bool docOpen = false;
    try {
        if (!multiDoc) {
            p.BeginDoc();
            docOpen = true;
        }
        const int count = EndPage - StartPage + 1;
        for (int n = 1; n <= count; ++n) {
            if (FMustAbort) {
                FMustAbort = false;
                break;
            }
            const int page = reverse ? EndPage - (n - 1) : StartPage + (n - 1);
            if (multiDoc) {
                p.BeginDoc();
                docOpen = true;
            }
            StartPrintPage(page);
            Draw(p.GetCanvas(), page, dtPrint);
            EndPrintPage(page);
            if (multiDoc) {
                docOpen = false;
                p.EndDoc();
            }
            if (!multiDoc && n != count) ForceNewPage(page);
            PrintProgress(n, 1, count);
            if (const auto& pump = hooks().processPendingEvents) pump();
        }
        if (!multiDoc) {
            docOpen = false;
            p.EndDoc();
        }
    } catch (...) {
        // A half-printed document is worse than none: the open one is cancelled.
        if (docOpen && p.Printing()) {
            try {
                p.Abort();
            } catch (...) {
            }
        }
        throw;
    }
    EndPrint();
}

void TCustomPrintJob::Print() {
    PrintEx(1, FPageCount, FMultiDoc ? TPrintModes{pmMultiDoc} : TPrintModes{});
}

void TCustomPrintJob::PrintDialog() {
    PrintDialogRange range{1, FPageCount, 1, FPageCount};
    const auto& dialog = hooks().printDialog;
    if (!dialog || !dialog(range)) return;
    Update();
    FMustAbort = false;
    ThePrinter().SetTitle(FTitle);
    Update();
    PrinterSetupChange();
    PrintEx(range.fromPage, range.toPage, FMultiDoc ? TPrintModes{pmMultiDoc} : TPrintModes{});
}

void TCustomPrintJob::PrinterSetupDialog() {
    const auto& dialog = hooks().printerSetupDialog;
    if (!dialog || !dialog()) return;
    Update();
    PrinterSetupChange();
    Update();
}

void TCustomPrintJob::Abort() {
    FMustAbort = true;
}

// ----- bitmaps and text -----

void TCustomPrintJob::DrawBitmap(Canvas& TheCanvas, const TRect& TheRect, const TBitmap& Bitmap,
                                 TDrawTarget Target) {
    if (Bitmap.Empty()) return;
    if (Target != dtPrint) {
        TheCanvas.StretchDraw(TheRect, Bitmap);
        return;
    }
    TheCanvas.StretchDIBits(TheRect.Left, TheRect.Top, TheRect.Width(), TheRect.Height(), 0, 0,
                            Bitmap.Width, Bitmap.Height, Bitmap);
}

TSize TCustomPrintJob::StretchedSize(const TRect& TheRect, int width, int height, int ppiX,
                                     int ppiY, TStretchMode StretchMode) const {
    if (width <= 0 || height <= 0) return {};
    switch (StretchMode) {
    case smOriginalSize:
        return {width, height};
    case smStretch:
        return {TheRect.Width(), TheRect.Height()};
    case smFit: {
        TSize s{TheRect.Width(), int(int64_t(height) * TheRect.Width() / width)};
        if (s.cy > TheRect.Height())
            s = {int(int64_t(width) * TheRect.Height() / height), TheRect.Height()};
        return s;
    }
    default:
        break;
    }
    // The image's own resolution to the printer's; an image without one is taken as it is.
    const int64_t w = ppiX > 0 ? int64_t(width) * DPIX() / ppiX : width;
    const int64_t h = ppiY > 0 ? int64_t(height) * DPIY() / ppiY : height;
    auto scaled = [&](int64_t mul, int64_t div) {
        return TSize{int(w * mul / div), int(h * mul / div)};
    };
    switch (StretchMode) {
    case sm50:
        return scaled(1, 2);
    case sm75:
        return scaled(2, 3);
    case sm125:
        return scaled(5, 4);
    case sm150:
        return scaled(3, 2);
    case sm175:
        return scaled(7, 4);
    case sm200:
        return scaled(2, 1);
    default:
        return scaled(1, 1);
    }
}

namespace {

TRect placeImage(const TRect& r, TSize size, TStretchMode mode, TAlignHorizontal ah,
                 TAlignVertical av) {
    if (mode == smStretch) return r;
    const int x = placeAlong(r.Left, r.Width(), size.cx, int(ah));
    const int y = placeAlong(r.Top, r.Height(), size.cy, int(av));
    return {x, y, x + size.cx, y + size.cy};
}

// A black-and-white device dithers grey levels far better than colours.
TBitmap greyCopy(const TBitmap& b) {
    TBitmap g = b;
    for (uint32_t& px : g.Pixels) {
        const unsigned r = (px >> 16) & 0xFF, gr = (px >> 8) & 0xFF, bl = px & 0xFF;
        const unsigned y = (r * 299 + gr * 587 + bl * 114) / 1000;
        px = (y << 16) | (y << 8) | y;
    }
    return g;
}

} // namespace

void TCustomPrintJob::StretchBitmap(Canvas& TheCanvas, const TRect& TheRect, const TBitmap& Bitmap,
                                    TStretchMode StretchMode, TAlignHorizontal AlignHorizontal,
                                    TAlignVertical AlignVertical, TDrawTarget Target) {
    if (Bitmap.Empty()) return;
    const TSize size = StretchedSize(TheRect, Bitmap.Width, Bitmap.Height, Bitmap.PixelsPerInchX,
                                     Bitmap.PixelsPerInchY, StretchMode);
    const TRect dest = placeImage(TheRect, size, StretchMode, AlignHorizontal, AlignVertical);
    if (Target == dtPrint && TheCanvas.GetDeviceCaps(NUMCOLORS) == 2)
        DrawBitmap(TheCanvas, dest, greyCopy(Bitmap), Target);
    else
        DrawBitmap(TheCanvas, dest, Bitmap, Target);
}

void TCustomPrintJob::StretchGraphic(Canvas& TheCanvas, const TRect& TheRect,
                                     const TGraphic& Graphic, TStretchMode StretchMode, int Scale,
                                     int PageIndex, TAlignHorizontal AlignHorizontal,
                                     TAlignVertical AlignVertical, TDrawTarget Target) {
    (void)PageIndex;
    (void)Target;
    if (Graphic.Width() <= 0 || Graphic.Height() <= 0) return;
    const DeviceCaps& ref = Graphic.ReferenceCaps();
    TSize size =
        StretchedSize(TheRect, Graphic.Width(), Graphic.Height(), ref.dpiX, ref.dpiY, StretchMode);
    if (StretchMode == smCustom) size = {size.cx * Scale / 100, size.cy * Scale / 100};
    if (size.cx <= 0 || size.cy <= 0) return;
    Graphic.Play(TheCanvas, placeImage(TheRect, size, StretchMode, AlignHorizontal, AlignVertical));
}

void TCustomPrintJob::DrawTabbedText(Canvas& TheCanvas, int X, int Y, const std::string& S) {
    const int step = TheCanvas.GetTextMetrics().tmAveCharWidth * 8;
    TheCanvas.TabbedTextOut(X, Y, S, step > 0 ? std::vector<int>{step} : std::vector<int>{}, 0);
}

} // namespace formidor
