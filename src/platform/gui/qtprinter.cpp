#include "platform/gui/qtprinter.h"
#include "platform/fileio.h"
#include "platform/gui/paintercanvas.h"
#include "platform/gui/translations.h"
#include "platform/text.h"

#include <QDate>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <unistd.h>

namespace formidor::gui {

namespace {

constexpr int kPdfResolution = 600;

QPageLayout::Orientation qtOrientation(TPrinterOrientation o) {
    return o == TPrinterOrientation::poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// The sheet and the printable area of a page layout at a resolution; the painter's origin is
// the printable area's corner.
DeviceCaps capsOfLayout(const QPageLayout& layout, int dpi) {
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    DeviceCaps c;
    c.dpiX = c.dpiY = dpi;
    c.physicalWidth = full.width();
    c.physicalHeight = full.height();
    c.offsetX = paint.left() - full.left();
    c.offsetY = paint.top() - full.top();
    c.horzRes = paint.width();
    c.vertRes = paint.height();
    return c;
}

std::string utf8(const QString& s) {
    return s.toStdString();
}

// "Die Datei … konnte nicht geschrieben werden: <reason>."
std::string pdfWriteError(const QString& path, const std::string& reason) {
    std::string msg = formatMessage(kPdfWriteErrorMessage, utf8(path));
    if (!msg.empty() && msg.back() == '.') msg.pop_back();
    return msg + ": " + reason + ".";
}

// The sheet turned for a landscape document the way the print server turns it: the
// document's top edge runs along the sheet's left edge, its left edge along the sheet's bottom
// edge. The printable area stays where it is on the paper, so its margins turn with the sheet.
DeviceCaps turnedToLandscape(const DeviceCaps& p) {
    DeviceCaps c = p;
    c.physicalWidth = p.physicalHeight;
    c.physicalHeight = p.physicalWidth;
    c.horzRes = p.vertRes;
    c.vertRes = p.horzRes;
    c.offsetX = p.physicalHeight - p.offsetY - p.vertRes; // the sheet's bottom margin
    c.offsetY = p.offsetX;                                // the sheet's left margin
    return c;
}

// Why the print server's queue cannot take a document now; empty when it can.
std::string queueProblem(const std::string& name) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
    if (!dest) return formatMessage(kPrinterUnreachableMessage, name);
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    std::string problem;
    if (accepting && std::strcmp(accepting, "false") == 0)
        problem = formatMessage(kPrinterRejectsMessage, name);
    else if (state && std::atoi(state) == IPP_PSTATE_STOPPED)
        problem = formatMessage(kPrinterStoppedMessage, name);
    cupsFreeDests(1, dest);
    return problem;
}

} // namespace

struct QtPrinter::Doc {
    QString path; // the PDF printer's file
    // The PDF is made in memory and written out whole when it is complete, so that a full disk
    // is an error and not a cut-off file, and only a regular file is ever replaced.
    std::unique_ptr<QBuffer> file;
    std::unique_ptr<QPdfWriter> pdf;
    std::unique_ptr<QPrinter> printer;
    QPainter painter;
    std::unique_ptr<PainterCanvas> canvas;
    std::string deviceName;

    QPagedPaintDevice* device() {
        return pdf ? static_cast<QPagedPaintDevice*>(pdf.get())
                   : static_cast<QPagedPaintDevice*>(printer.get());
    }
    ~Doc() {
        canvas.reset();
        if (painter.isActive()) painter.end();
    }
};

QFileDialog* makePdfFileDialog(QWidget* parent, const QString& suggestedPath) {
    auto* dialog = new QFileDialog(parent, QString::fromUtf8(kPdfSaveCaption));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(QString::fromUtf8(kPdfFilter));
    const QFileInfo suggested(suggestedPath);
    dialog->setDirectory(suggested.absolutePath());
    dialog->selectFile(suggested.fileName());
    return dialog;
}

QString QtPrinter::suggestedPdfPath() const {
    const QString name = DocumentName().empty() ? QStringLiteral("Formidor")
                                                : QString::fromStdString(DocumentName());
    QDir dir(pdfFolder_.isEmpty() ? QDir::homePath() : pdfFolder_);
    if (!dir.exists()) dir = QDir::home();
    return dir.filePath(name + QLatin1Char(' ') +
                        QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) +
                        QStringLiteral(".pdf"));
}

QtPrinter::QtPrinter(bool withSystemPrinters) : withSystem_(withSystemPrinters) {
    refreshPrinters();
}

QtPrinter::~QtPrinter() {
    if (doc_) abandonDocument();
}

void QtPrinter::refreshPrinters() {
    system_.clear();
    systemDefault_ = -1;
    capsCache_.clear();
    if (withSystem_) {
        // Without CUPS (or with it not running) the list is empty and only the PDF printer
        // remains.
        const QString def = QPrinterInfo::defaultPrinterName();
        for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
            if (info.printerName() == kPdfPrinterName) continue;
            if (info.printerName() == def) systemDefault_ = int(system_.size());
            system_.push_back(utf8(info.printerName()));
        }
    }
    resetSelection();
}

std::vector<std::string> QtPrinter::Printers() const {
    std::vector<std::string> list = system_;
    list.push_back(kPdfPrinterName);
    return list;
}

int QtPrinter::DefaultPrinterIndex() const {
    return systemDefault_ >= 0 ? systemDefault_ : int(system_.size());
}

bool QtPrinter::isPdfPrinter(int index) const {
    return index == int(system_.size());
}

QPageLayout QtPrinter::pdfLayout(TPrinterOrientation o) const {
    return QPageLayout(QPageSize(QPageSize::A4), qtOrientation(o), pdfMargins_,
                       QPageLayout::Millimeter);
}

DeviceCaps QtPrinter::capsOf(int index, TPrinterOrientation o) const {
    if (isPdfPrinter(index)) return capsOfLayout(pdfLayout(o), kPdfResolution);
    const auto key = std::make_pair(index, o);
    auto it = capsCache_.find(key);
    if (it != capsCache_.end()) return it->second;
    QPrinter printer(QPrinterInfo::printerInfo(QString::fromStdString(system_.at(size_t(index)))),
                     QPrinter::HighResolution);
    // Qt keeps a page layout's margins when it turns the page, which puts the landscape
    // printable area partly outside the paper's; the portrait layout is the printer's own.
    printer.setPageOrientation(QPageLayout::Portrait);
    DeviceCaps c = capsOfLayout(printer.pageLayout(), printer.resolution());
    if (o == TPrinterOrientation::poLandscape) c = turnedToLandscape(c);
    c.dpiX = printer.logicalDpiX();
    c.dpiY = printer.logicalDpiY();
    c.numColors = printer.colorMode() == QPrinter::GrayScale ? 2 : -1;
    capsCache_.emplace(key, c);
    return c;
}

std::shared_ptr<const FontMeasurer> QtPrinter::measurer() const {
    return qtFontMeasurer();
}

Canvas& QtPrinter::startDocument(int index, const DeviceCaps& caps) {
    auto doc = std::make_unique<Doc>();
    if (isPdfPrinter(index)) {
        doc->deviceName = kPdfPrinterName;
        QString path = outputFileName_;
        if (interactive_) {
            ensureGermanQtTexts();
            std::unique_ptr<QFileDialog> dialog(
                makePdfFileDialog(parent_, path.isEmpty() ? suggestedPdfPath() : path));
            path.clear();
            if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
                path = dialog->selectedFiles().constFirst();
            if (path.isEmpty()) throw EPrinter(kPrintCancelledMessage);
            if (QFileInfo(path).suffix().isEmpty()) path += ".pdf";
            pdfFolder_ = QFileInfo(path).absolutePath();
        }
        if (path.isEmpty()) throw EPrinter(kNoPdfFileMessage);
        doc->path = path;
        if (QFileInfo info(path); info.exists() && !info.isFile())
            throw EPrinter(pdfWriteError(
                path, info.isDir() ? "an dieser Stelle liegt ein Ordner"
                                   : "an dieser Stelle liegt ein Gerät, eine Pipe oder ein "
                                     "Socket und keine gewöhnliche Datei"));
        // A folder that is not there, or not ours to write, fails now, before anything is drawn.
        if (QFileInfo info(path); !info.dir().exists())
            throw EPrinter(pdfWriteError(path, fileio::reason(ENOENT)));
        else if (::access(QFile::encodeName(info.absolutePath()).constData(), W_OK) != 0)
            throw EPrinter(pdfWriteError(path, fileio::reason(errno)));
        doc->file = std::make_unique<QBuffer>();
        doc->file->open(QIODevice::WriteOnly);
        doc->pdf = std::make_unique<QPdfWriter>(doc->file.get());
        doc->pdf->setResolution(kPdfResolution);
        doc->pdf->setPageLayout(pdfLayout(Orientation()));
        doc->pdf->setTitle(QString::fromStdString(Title()));
        doc->pdf->setCreator(QStringLiteral("Formidor"));
    } else {
        doc->deviceName = system_.at(size_t(index));
        // A stopped queue would hold the job and one that refuses jobs would drop it; the
        // printer list may also be older than the server's state.
        const std::string problem = queueProblem(doc->deviceName);
        if (!problem.empty()) throw EPrinter(problem);
        doc->printer = std::make_unique<QPrinter>(
            QPrinterInfo::printerInfo(QString::fromStdString(doc->deviceName)),
            QPrinter::HighResolution);
        doc->printer->setPageOrientation(qtOrientation(Orientation()));
        // The whole sheet as the painter's space; the printable area's corner is placed from
        // the capabilities below.
        doc->printer->setFullPage(true);
        doc->printer->setDocName(QString::fromStdString(Title()));
        if (!doc->printer->isValid())
            throw EPrinter(formatMessage(kPrinterErrorMessage, doc->deviceName));
    }
    if (!doc->painter.begin(doc->device())) {
        throw EPrinter(formatMessage(kPrinterErrorMessage, doc->deviceName));
    }
    if (doc->printer) doc->painter.translate(caps.offsetX, caps.offsetY);
    doc->canvas = std::make_unique<PainterCanvas>(doc->painter, caps, measurer());
    doc_ = std::move(doc);
    return *doc_->canvas;
}

Canvas& QtPrinter::startPage() {
    if (!doc_->device()->newPage())
        throw EPrinter(formatMessage(kPrinterErrorMessage, doc_->deviceName));
    doc_->canvas->reapplyState();
    return *doc_->canvas;
}

void QtPrinter::finishDocument() {
    std::unique_ptr<Doc> doc = std::move(doc_);
    doc->canvas.reset();
    const bool ended = doc->painter.end();
    if (doc->pdf) {
        doc->pdf.reset(); // completes the document in the buffer
        if (!ended) throw EPrinter(formatMessage(kPdfWriteErrorMessage, utf8(doc->path)));
        const QByteArray& bytes = doc->file->data();
        std::string why;
        if (!fileio::writeFileAtomically(
                doc->path.toStdString(),
                std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), why))
            throw EPrinter(pdfWriteError(doc->path, why));
        lastOutput_ = doc->path;
    } else if (!ended || doc->printer->printerState() == QPrinter::Error ||
               cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        // Qt hands the document to the print server as the painter ends but does not tell
        // whether the server took it; the server's last answer on this thread does.
        throw EPrinter(formatMessage(kPrinterErrorMessage, doc->deviceName));
    }
}

void QtPrinter::abandonDocument() {
    std::unique_ptr<Doc> doc = std::move(doc_);
    if (!doc) return;
    doc->canvas.reset();
    if (doc->printer) doc->printer->abort();
    if (doc->painter.isActive()) doc->painter.end();
    // The document in memory is dropped unwritten: no partial PDF is left behind.
}

} // namespace formidor::gui
