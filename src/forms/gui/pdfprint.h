#pragma once
// Printing into a PDF file from programs without a window (the command line): the application's
// Qt printer with its built-in "PDF-Datei" printer, on an offscreen display when no Qt
// application runs yet. The header is free of Qt so such programs need not include it.
#include <filesystem>
#include <functional>

namespace formidor {
class Printer;
}

namespace formidor::gui {

// Runs job against the "PDF-Datei" printer writing to file; for that time the printer is also
// the application's printer (ThePrinter()). Whatever job throws (a conversion
// error before the document begins, a printer error) propagates; a document the job does not
// finish leaves no new file behind.
void printToPdfFile(const std::filesystem::path& file, const std::function<void(Printer&)>& job);

} // namespace formidor::gui
