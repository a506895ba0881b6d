#pragma once
// Printing from the preview: a print of more than a few pages shows a progress dialog fed by the
// job's OnPrintProgress; its cancel button asks the job to abort before the next page.
#include <QPointer>
#include <functional>

class QProgressDialog;
class QWidget;

namespace formidor {

class TCustomPrintJob;

// More pages than this show the progress dialog.
inline constexpr int kProgressPageThreshold = 3;

// Runs print (which prints job, e.g. job.Print()) with the job's progress reported in a dialog
// owned by parent. The application's own OnPrintProgress handler still runs and is back in
// place afterwards, also when printing throws.
void PrintWithProgress(TCustomPrintJob& job, QWidget* parent, const std::function<void()>& print);

// The dialog of the print running at the moment, if one is shown (for tests).
QProgressDialog* CurrentPrintProgressDialog();

} // namespace formidor
