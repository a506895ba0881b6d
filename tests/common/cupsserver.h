#pragma once
// Test support: a private print server with a virtual queue that writes every job as a PDF, so
// that printing is tested through the real printing system with a printer's real margins.
//
// The server is the test process's own: its configuration, spool, logs and socket lie in a
// temporary folder, it listens on the socket and on a free port of 127.0.0.1 only, and it stops
// when the process ends (or dies). The system's print service is never touched. CUPS_SERVER
// points every client of the process (Qt's printer list included) at it.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace formidor::test {

// Where a queue's printable area lies inside its A4 sheet, in millimetres.
struct QueueMargins {
    double left = 0, top = 0, right = 0, bottom = 0;
};

// A PPD for an A4 PostScript printer with the printable area inside the margins.
std::string a4Ppd(const QueueMargins& m);

class CupsServer {
public:
    // The process's server, started on first use. nullptr when it cannot run here; why says why.
    static CupsServer* get(std::string& why);
    ~CupsServer();

    const std::string& socketPath() const { return socket_; }
    int port() const { return port_; }
    bool running() const;

    // (Re)creates the queue: enabled, accepting jobs and the default,
    // with a PPD of these margins; its output folder starts empty.
    // False when the server refused it.
    bool addQueue(const std::string& name, const QueueMargins& margins);
    void removeQueue(const std::string& name);
    // The folder every job of the queues ends up in as a PDF.
    const std::filesystem::path& outputDir() const { return out_; }
    // Waits until the server holds no unfinished job and returns the PDFs written (oldest
    // first); nothing when a job is still pending after a few seconds.
    std::vector<std::filesystem::path> waitForOutput() const;
    // Every job the server took for the queue since it was added, finished or not.
    int jobsTaken(const std::string& queue) const;
    // Runs one of the server's client tools against this server (cupsdisable, cupsreject, …).
    bool tool(std::vector<std::string> args) const;

    // The end of the server's and its tools' logs, for a failure's message.
    std::string log() const;

    // Stops the server (a printer that goes away); start() brings it back on the same socket.
    void stop();
    bool start(std::string& why);

    // What the last start took, in seconds.
    double startSeconds() const { return startSeconds_; }

private:
    CupsServer() = default;
    std::filesystem::path dir_, out_, backendConf_;
    std::string socket_, instance_;
    int port_ = 0;
    int pid_ = -1;
    double startSeconds_ = 0;
};

// The words of a PDF's page as pdftotext -bbox lists them, in points from the sheet's
// top-left corner.
struct PdfWord {
    std::string text;
    double xMin, yMin, xMax, yMax;
    // Where the word's glyphs put ink: the same for every renderer of the same font, while the
    // box above comes from the font's declared height, which renderers write differently.
    double inkLeft = 0, inkTop = 0, inkBottom = 0;
};
struct PdfPage {
    double width = 0, height = 0;
    std::vector<PdfWord> words;
    const PdfWord* find(const std::string& text) const;
    // A landscape document the print server put on a portrait sheet (its top edge along the
    // sheet's left edge), seen as the landscape page again.
    PdfPage turnedBack() const;
};
// With ink, the first page is rendered to find each word's ink (0.1 mm exact).
std::optional<PdfPage> readPdfPage(const std::filesystem::path& pdf, bool withInk = false,
                                   int pageNumber = 1);

inline double pointsToMm(double points) {
    return points * 25.4 / 72.0;
}

} // namespace formidor::test

// Skips the test, with the reason, where the private print server cannot run.
#define FORMIDOR_CUPS_SERVER_OR_SKIP(var)                                                          \
    std::string var##Why;                                                                          \
    ::formidor::test::CupsServer* var = ::formidor::test::CupsServer::get(var##Why);               \
    if (!var) GTEST_SKIP() << "no private print server: " << var##Why
