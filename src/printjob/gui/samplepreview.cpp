#include "printjob/gui/samplepreview.h"

#include "platform/recordingprinter.h"
#include "printjob/PJSimpleTextGrid.h"
#include "printjob/gui/PSWindow.h"

#include <QApplication>
#include <QDir>
#include <QImage>

namespace formidor {

std::unique_ptr<TSimpleTextGridPrintJob> MakeSampleGridJob(int rows) {
    auto job = std::make_unique<TSimpleTextGridPrintJob>();
    job->SetTitle("Adressliste");
    job->SetColCount(3);
    job->SetRowsPerPage(25);
    job->SetRowCount(rows);
    job->SetTableBorders(kAllCellBorders);
    job->SetHeaderCellBorders(kAllCellBorders);
    job->SetPageCellBorders(TCellBorders{cbBottom});
    job->SetOnColWidth([](TCustomGridPrintJob&, Canvas&, int col, int& w) {
        static constexpr int widths[] = {300, 1000, 800};
        w = widths[col < 0 ? 0 : col % 3];
    });
    job->SetOnCellText([](TCustomGridPrintJob&, int, int col, int row, std::string& t) {
        static const char* const names[] = {"Müller", "Schmidt", "Schneider", "Fischer",
                                            "Weber",  "Meyer",   "Wagner",    "Becker"};
        static const char* const places[] = {
            "Berlin", "Hamburg", "München", "Köln", "Frankfurt am Main", "Stuttgart", "Düsseldorf"};
        if (row == HeaderRowIndex) {
            static const char* const heads[] = {"Nr.", "Name", "Ort"};
            t = heads[col % 3];
        } else if (row == FooterRowIndex) {
            t.clear();
        } else if (col == 0) {
            t = std::to_string(row + 1);
        } else if (col == 1) {
            t = std::string(names[row % 8]) + ", Kunde " + std::to_string(row + 1);
        } else {
            t = places[row % 7];
        }
    });
    return job;
}

void saveSamplePreviewScreenshots(const QString& dir) {
    std::unique_ptr<Printer> previous;
    const bool standIn = !ThePrinter().HasPrinters();
    if (standIn) previous = SetPrinter(std::make_unique<RecordingPrinter>());
    {
        auto job = MakeSampleGridJob(300);
        TPreviewWindow window;
        window.SetCaption(QStringLiteral("Vorschau"));
        window.SetWindowWidth(640);
        window.SetWindowHeight(800);
        window.SetPrintJob(job.get());
        window.Show();
        QApplication::processEvents();
        QDir().mkpath(dir);
        window.Form()->grab().toImage().save(QDir(dir).filePath("preview_wholepage.png"));
        window.SetViewMode(vmCustom);
        window.SetViewScale(150);
        QApplication::processEvents();
        window.Form()->grab().toImage().save(QDir(dir).filePath("preview_150.png"));
        window.Close();
        QApplication::processEvents();
    }
    if (standIn) SetPrinter(std::move(previous));
}

} // namespace formidor
