#pragma once
// The print job: a document of PageCount pages on the application's printer (ThePrinter()). It
// works out the page geometry (sheet, printable area, margins, header, body, footer) in printer
// pixels, draws any page onto any surface by handing its three areas to DrawArea / OnDraw, prints
// page ranges with events around every page, and keeps its dependants (previews, other jobs) up to
// date when a setting changes. Content comes from OnDraw or from a descendant (the grid jobs).
//
// The job is free of any toolkit: the print and printer setup dialogs, the Yes/No question of
// the margins check and "let pending events through" between printed pages are hooks that the
// gui layer installs (SetPrintJobHooks).
#include "platform/canvas.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace formidor {

class TCustomPrintJob;

// A set of the values of a small enumeration, bit n for the value with ordinal n.
template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E v : values) bits_ |= bit(v);
    }
    static constexpr TSet fromBits(uint32_t bits) {
        TSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr bool contains(E v) const { return (bits_ & bit(v)) != 0; }
    constexpr TSet& insert(E v) {
        bits_ |= bit(v);
        return *this;
    }
    constexpr TSet& erase(E v) {
        bits_ &= ~bit(v);
        return *this;
    }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr uint32_t bits() const { return bits_; }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr uint32_t bit(E v) { return uint32_t(1) << unsigned(v); }
    uint32_t bits_ = 0;
};

enum TUnits : uint8_t { unPixels, unPercents, unInches, unMillimeters };
enum TMarginsError : uint8_t { meNone, meAutoFix, meMessageBox, meException };
enum TPageMode : uint8_t { pmDefault, pmCustom };
enum TPageOrientation : uint8_t { orDefault, orPortrait, orLandscape };
enum TJobOptions : uint8_t { joMargins, joHeader, joFooter };
using TJobOptionsSet = TSet<TJobOptions>;
enum TDrawArea : uint8_t { daHeader, daPage, daFooter };
using TDrawAreas = TSet<TDrawArea>;
inline constexpr TDrawAreas kAllDrawAreas{daHeader, daPage, daFooter};
enum TDrawTarget : uint8_t { dtPrint, dtPreview, dtMetaPreview, dtExternal };
enum TDirection : uint8_t { dirHorizontal, dirVertical };
enum TPrintMode : uint8_t { pmReverse, pmMultiDoc };
using TPrintModes = TSet<TPrintMode>;
enum TStretchMode : uint8_t {
    smOriginalSize,
    sm1x1,
    smFit,
    smFitToWidth,
    smFitToHeight,
    smStretch,
    sm50,
    sm75,
    sm125,
    sm150,
    sm175,
    sm200,
    smCustom
};
enum TAlignHorizontal : uint8_t { ahLeft, ahCenter, ahRight };
enum TAlignVertical : uint8_t { avTop, avCenter, avBottom };

// Events. An event is raised only when it is set.
using TNotifyEvent = std::function<void(TCustomPrintJob& Sender)>;
using TAllowEvent = std::function<void(TCustomPrintJob& Sender, bool& Allow)>;
using TInitDrawEvent =
    std::function<void(TCustomPrintJob& Sender, Canvas& TheCanvas, TDrawTarget Target)>;
using TDrawEvent = std::function<void(TCustomPrintJob& Sender, Canvas& TheCanvas, int PageIndex,
                                      const TRect& TheRect, TDrawArea Area, TDrawTarget Target)>;
using TPSProgressEvent = std::function<void(TCustomPrintJob& Sender, int Pos, int Min, int Max)>;
using TPageNotifyEvent = std::function<void(TCustomPrintJob& Sender, int PageIndex)>;

// Margins of a page, in the owning job's MarginsUnits.
struct TMargins {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    void Assign(const TMargins& source) { *this = source; }
    bool operator==(const TMargins&) const = default;
};

// Raised by the margins check in meException mode.
class EPrintJobException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kMarginsOutside =
    "One or more margins are set outside the printable area of the page.";
inline constexpr const char* kFixMarginsQuestion = "Do you want to fix them?";

// The print dialog's page range: the dialog shows min…max and from…to and, when confirmed,
// leaves the chosen range in from/to.
struct PrintDialogRange {
    int minPage = 1;
    int maxPage = 1;
    int fromPage = 1;
    int toPage = 1;
};

// What the job asks of the user interface. Unset hooks behave as described per member.
struct PrintJobHooks {
    // The print dialog with page range selection; true when the user confirmed.
    // Unset: the dialog counts as cancelled.
    std::function<bool(PrintDialogRange& range)> printDialog;
    // The printer setup dialog; true when confirmed. Unset: cancelled.
    std::function<bool()> printerSetupDialog;
    // A Yes/No question with the exclamation icon, captioned with the application's title;
    // true for Yes. Unset: the question cannot be asked, and the check fails with
    // EPrintJobException carrying the margins message.
    std::function<bool(const std::string& text)> askYesNo;
    // Lets pending user input through between printed pages, so a cancel can call Abort.
    std::function<void()> processPendingEvents;
};

// Installs the hooks for every job; returns the ones in place before.
PrintJobHooks SetPrintJobHooks(PrintJobHooks hooks);
const PrintJobHooks& GetPrintJobHooks();

// A control that shows a job (the preview). The job calls Update after each of its updates and
// PrintJobDestroyed when it goes away; a control that is destroyed first leaves every job's
// list by itself, so neither side can be left holding a dangling reference.
class TPrintJobControl {
public:
    TPrintJobControl() = default;
    TPrintJobControl(const TPrintJobControl&) = delete;
    TPrintJobControl& operator=(const TPrintJobControl&) = delete;
    virtual ~TPrintJobControl();

    virtual void Update() = 0;
    // The job is being destroyed and has already removed this control from its list; drop
    // every reference to it.
    virtual void PrintJobDestroyed(TCustomPrintJob& job) { (void)job; }

private:
    friend class TCustomPrintJob;
    std::vector<TCustomPrintJob*> registeredWith_;
};

class TCustomPrintJob {
public:
    // onCreate is raised inside the constructor, before MarginsError and DefaultDrawing get
    // their defaults; an exception from it leaves the construction.
    explicit TCustomPrintJob(TNotifyEvent onCreate = {});
    TCustomPrintJob(const TCustomPrintJob&) = delete;
    TCustomPrintJob& operator=(const TCustomPrintJob&) = delete;
    // Raises OnDestroy (exceptions swallowed), then leaves every list it is in and tells the
    // controls showing it.
    virtual ~TCustomPrintJob();

    // ----- properties -----
    bool MultiDoc() const { return FMultiDoc; }
    void SetMultiDoc(bool value);
    int PageCount() const { return FPageCount; }
    void SetPageCount(int value); // values ≤ 0 become 1
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value);
    const TMargins& Margins() const { return FMargins; }
    // Runs the margins check on value (which may fix it or throw), stores it and updates.
    void SetMargins(const TMargins& value);
    TUnits MarginsUnits() const { return FMarginsUnits; }
    void SetMarginsUnits(TUnits value);
    TMarginsError MarginsError() const { return FMarginsError; }
    void SetMarginsError(TMarginsError value);
    double Header() const { return FHeader; }
    void SetHeader(double value);
    TUnits HeaderUnits() const { return FHeaderUnits; }
    void SetHeaderUnits(TUnits value);
    double Footer() const { return FFooter; }
    void SetFooter(double value);
    TUnits FooterUnits() const { return FFooterUnits; }
    void SetFooterUnits(TUnits value);
    TPageMode PageMode() const { return FPageMode; }
    void SetPageMode(TPageMode value);
    // Kept only in pmCustom; in pmDefault the printer's sheet replaces them.
    double PageWidth() const { return FPageWidth; }
    void SetPageWidth(double value);
    double PageHeight() const { return FPageHeight; }
    void SetPageHeight(double value);
    TUnits PageUnits() const { return FPageUnits; }
    void SetPageUnits(TUnits value);
    TPageOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPageOrientation value);
    TJobOptionsSet Options() const { return FOptions; }
    void SetOptions(TJobOptionsSet value);
    bool RelativeCoords() const { return FRelativeCoords; }
    void SetRelativeCoords(bool value);
    TDrawAreas DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(TDrawAreas value);

    bool UpdateLocked() const { return FUpdateLocker > 0; }
    bool UpdateJobsLocked() const { return FUpdateJobsLocker > 0; }
    bool UpdateControlsLocked() const { return FUpdateControlsLocker > 0; }
    bool DrawLocked() const { return FDrawLocker > 0; }
    // The printer's own aborted state (a cancellation made through the printer).
    bool Aborted() const;
    // The physical sheet in printer pixels (2000 × 3000 without a printer).
    int PhysicalPageWidth() const;
    int PhysicalPageHeight() const;
    // The target of the page being drawn, or drawn last.
    TDrawTarget DrawTarget() const { return FDrawTarget; }

    // ----- events -----
    void SetOnCreate(TNotifyEvent e) { FOnCreate = std::move(e); }
    void SetOnDestroy(TNotifyEvent e) { FOnDestroy = std::move(e); }
    void SetOnInitDraw(TInitDrawEvent e) { FOnInitDraw = std::move(e); }
    void SetOnDraw(TDrawEvent e) { FOnDraw = std::move(e); }
    void SetOnPrinterSetupChange(TNotifyEvent e) { FOnPrinterSetupChange = std::move(e); }
    void SetOnAllowPrint(TAllowEvent e) { FOnAllowPrint = std::move(e); }
    void SetOnStartPrint(TNotifyEvent e) { FOnStartPrint = std::move(e); }
    void SetOnEndPrint(TNotifyEvent e) { FOnEndPrint = std::move(e); }
    void SetOnPrintProgress(TPSProgressEvent e) { FOnPrintProgress = std::move(e); }
    void SetOnStartPrintPage(TPageNotifyEvent e) { FOnStartPrintPage = std::move(e); }
    void SetOnEndPrintPage(TPageNotifyEvent e) { FOnEndPrintPage = std::move(e); }
    void SetOnUpdate(TNotifyEvent e) { FOnUpdate = std::move(e); }
    const TNotifyEvent& OnCreate() const { return FOnCreate; }
    const TNotifyEvent& OnDestroy() const { return FOnDestroy; }
    const TDrawEvent& OnDraw() const { return FOnDraw; }
    const TPSProgressEvent& OnPrintProgress() const { return FOnPrintProgress; }
    const TNotifyEvent& OnUpdate() const { return FOnUpdate; }

    // After the stored properties have been set in one go: runs the margins check.
    virtual void Loaded();

    // ----- page and geometry (printer pixels, origin at the sheet's top-left) -----
    // The job that supplies a page: the job itself (a hook for composite jobs).
    virtual TCustomPrintJob* ActiveInstance(int PageIndex);
    virtual TRect GetSheetRect();
    // The printer's printable area, origin at its own corner.
    virtual TRect GetPrintableRect();
    // The sheet inside the margins; shifted to the printer's origin while the last draw
    // target is dtPrint.
    virtual TRect GetMarginRect();
    virtual TRect GetHeaderRect();
    virtual TRect GetPageRect();
    virtual TRect GetFooterRect();
    // Applies Orientation to the printer and, in pmDefault, reloads PageWidth/PageHeight.
    virtual void ResetToDefaultPage();
    // A printer is installed and usable.
    virtual bool PrinterOK();

    // ----- drawing -----
    virtual void PaintTo(Canvas& TheCanvas, int PageIndex);
    virtual void InitDraw(Canvas& TheCanvas, TDrawTarget Target);
    virtual void Draw(Canvas& TheCanvas, int PageIndex, TDrawTarget Target);
    virtual void DrawArea(Canvas& TheCanvas, int PageIndex, const TRect& TheRect, TDrawArea Area,
                          TDrawTarget Target);

    // ----- printing -----
    virtual void PrinterSetupChange();
    virtual bool AllowPrint();
    virtual void StartPrint();
    virtual void EndPrint();
    virtual void PrintProgress(int CurPage, int MinPage, int MaxPage);
    virtual void StartPrintPage(int PageIndex);
    virtual void EndPrintPage(int PageIndex);
    virtual void ForceNewPage(int PageIndex);
    // Prints pages StartPage…EndPage (pages from 1). An exception from the printer or from
    // drawing cancels the open document and propagates.
    void PrintEx(int StartPage, int EndPage, TPrintModes PrintMode);
    virtual void Print();
    virtual void PrintDialog();
    virtual void PrinterSetupDialog();
    // Asks the running print to stop before its next page.
    virtual void Abort();

    // ----- updates -----
    virtual void Update();
    virtual void ApplyUpdates();
    void LockUpdate() { ++FUpdateLocker; }
    void UnlockUpdate();
    void LockJobsUpdate() { ++FUpdateJobsLocker; }
    void UnlockJobsUpdate();
    void LockControlsUpdate() { ++FUpdateControlsLocker; }
    void UnlockControlsUpdate();
    void LockDraw() { ++FDrawLocker; }
    void UnlockDraw();
    void AddControlNotification(TPrintJobControl* Control);
    void DeleteControlNotification(TPrintJobControl* Control);
    // Jobs refreshed after this one; a job in the list that is destroyed leaves it.
    void AddPrintJobNotification(TCustomPrintJob* Job);
    void DeletePrintJobNotification(TCustomPrintJob* Job);
    const std::vector<TPrintJobControl*>& ControlNotifications() const { return FControls; }
    const std::vector<TCustomPrintJob*>& PrintJobNotifications() const { return FPrintJobs; }

    // ----- units -----
    int DPIX() const; // LOGPIXELSX, 300 without a printer
    int DPIY() const;
    static double InchToMm(double inches) { return inches * 25.4; }
    static double MmToInch(double mm) { return mm / 25.4; }
    double InchToPix(double inches, TDirection Direction) const;
    double PixToInch(double pixels, TDirection Direction) const;
    double MmToPix(double mm, TDirection Direction) const;
    double PixToMm(double pixels, TDirection Direction) const;
    // Through millimetres when the units differ; the result is always rounded to the
    // precision of ToUnits (pixels whole, percents and inches 3 decimals, millimetres 2).
    // FullRange is the pixel length that 100 percent stands for.
    double ConvertUnits(double Source, TUnits FromUnits, TUnits ToUnits, TDirection Dir,
                        double FullRange) const;
    // Left/Right horizontally of PageWidth, Top/Bottom vertically of PageHeight.
    void ConvertMargins(TMargins& M, TUnits FromUnits, TUnits ToUnits) const;

    // ----- drawing utilities for content code -----
    void DrawBitmap(Canvas& TheCanvas, const TRect& TheRect, const TBitmap& Bitmap,
                    TDrawTarget Target);
    void StretchBitmap(Canvas& TheCanvas, const TRect& TheRect, const TBitmap& Bitmap,
                       TStretchMode StretchMode, TAlignHorizontal AlignHorizontal,
                       TAlignVertical AlignVertical, TDrawTarget Target);
    // The recorded graphic placed like StretchBitmap places a bitmap; smCustom takes Scale
    // percent of its size. PageIndex is handed on for graphics that depend on the page.
    void StretchGraphic(Canvas& TheCanvas, const TRect& TheRect, const TGraphic& Graphic,
                        TStretchMode StretchMode, int Scale, int PageIndex,
                        TAlignHorizontal AlignHorizontal, TAlignVertical AlignVertical,
                        TDrawTarget Target);
    // Tab stops every 8 average character widths of the current font.
    void DrawTabbedText(Canvas& TheCanvas, int X, int Y, const std::string& S);

    // The size StretchBitmap gives an image of width × height pixels recorded at
    // ppiX × ppiY; exposed for content code that places other things alike.
    TSize StretchedSize(const TRect& TheRect, int width, int height, int ppiX, int ppiY,
                        TStretchMode StretchMode) const;

protected:
    // The margins check on M: fixes M (and then stores it as Margins), asks, or throws, as
    // MarginsError says.
    void CheckMargins(TMargins& M);
    bool PrinterAvailable() const;
    int PrinterCaps(int index) const;
    TRect MarginRectOf(const TMargins& M, bool printerOrigin);

private:
    void drawAreaAt(Canvas& TheCanvas, int PageIndex, TRect rect, TDrawArea Area,
                    TDrawTarget Target, TPoint origin, double scaleX, double scaleY);
    void raiseNotify(const TNotifyEvent& e);

    TDrawTarget FDrawTarget = dtPrint;
    bool FMustAbort = false;
    int FUpdateLocker = 0;
    int FUpdateJobsLocker = 0;
    int FUpdateControlsLocker = 0;
    int FDrawLocker = 0;
    std::vector<TPrintJobControl*> FControls;
    std::vector<TCustomPrintJob*> FPrintJobs;
    // Jobs whose notification list holds this one; they drop it when it is destroyed.
    std::vector<TCustomPrintJob*> referencedBy_;
    TNotifyEvent FOnCreate, FOnDestroy;
    TInitDrawEvent FOnInitDraw;
    TDrawEvent FOnDraw;
    TNotifyEvent FOnPrinterSetupChange;
    TAllowEvent FOnAllowPrint;
    TNotifyEvent FOnStartPrint, FOnEndPrint;
    TPSProgressEvent FOnPrintProgress;
    TPageNotifyEvent FOnStartPrintPage, FOnEndPrintPage;
    TNotifyEvent FOnUpdate;
    bool FMultiDoc = false;
    int FPageCount = 1;
    std::string FTitle;
    TMargins FMargins;
    TUnits FMarginsUnits = unPixels;
    TMarginsError FMarginsError = meNone;
    double FHeader = 0;
    TUnits FHeaderUnits = unPixels;
    double FFooter = 0;
    TUnits FFooterUnits = unPixels;
    TPageMode FPageMode = pmDefault;
    double FPageWidth = 0;
    double FPageHeight = 0;
    TUnits FPageUnits = unPixels;
    TPageOrientation FOrientation = orDefault;
    TJobOptionsSet FOptions;
    bool FRelativeCoords = false;
    TDrawAreas FDefaultDrawing;
    bool applyingUpdates_ = false;
    bool marginsJustChecked_ = false;
};

// The published job: the same behaviour with the stored defaults.
class TPrintJob : public TCustomPrintJob {
public:
    using TCustomPrintJob::TCustomPrintJob;
};

} // namespace formidor
