#pragma once
// A sample grid job in a preview window, for the screenshots tool and the benchmark.
#include <QString>
#include <memory>

namespace formidor {

class TSimpleTextGridPrintJob;

// A simple text grid of rows rows (three columns, 25 rows a page) whose texts come from its
// cell event.
std::unique_ptr<TSimpleTextGridPrintJob> MakeSampleGridJob(int rows);

// Opens a sample job of 300 rows in a preview window offscreen and saves
// dir/preview_wholepage.png (whole-page view) and dir/preview_150.png (150 percent).
// Without an installed printer an A4 test printer stands in for the duration.
void saveSamplePreviewScreenshots(const QString& dir);

} // namespace formidor
