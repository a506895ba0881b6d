#include "common/cupsserver.h"

#include "common/testenv.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cups/cups.h>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <regex>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace formidor::test {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* kCupsd = "/usr/sbin/cupsd";
constexpr const char* kPdfBackend = "/usr/lib/cups/backend/cups-pdf";
// The PDF backend reads its settings from here only: one file per instance, named after the
// device address cups-pdf:/INSTANCE. Ours sends the PDFs into the test's folder.
constexpr const char* kBackendConfDir = "/etc/cups";

double points(double mm) {
    return mm * 72.0 / 25.4;
}

int freeLocalPort() {
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0) return 0;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(s);
    return port;
}

bool socketAnswers(const std::string& path) {
    int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (s < 0) return false;
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::strncpy(a.sun_path, path.c_str(), sizeof a.sun_path - 1);
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(s);
    return ok;
}

std::string lastLines(const fs::path& file, size_t n) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    std::string out;
    for (size_t i = lines.size() > n ? lines.size() - n : 0; i < lines.size(); ++i)
        out += lines[i] + "\n";
    return out;
}

std::string capture(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[512];
        while (size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

} // namespace

std::string a4Ppd(const QueueMargins& m) {
    const double w = 595, h = 842;
    char area[160];
    std::snprintf(area, sizeof area, "*ImageableArea A4/A4: \"%.3f %.3f %.3f %.3f\"",
                  points(m.left), points(m.bottom), w - points(m.right), h - points(m.top));
    const char* const lines[] = {
        "*PPD-Adobe: \"4.3\"",
        "*FormatVersion: \"4.3\"",
        "*FileVersion: \"1.0\"",
        "*LanguageVersion: English",
        "*LanguageEncoding: ISOLatin1",
        "*PCFileName: \"FORMIDOR.PPD\"",
        "*Manufacturer: \"Formidor\"",
        "*Product: \"(Formidor Test)\"",
        "*ModelName: \"Formidor Test Printer\"",
        "*ShortNickName: \"Formidor Test Printer\"",
        "*NickName: \"Formidor Test Printer\"",
        "*PSVersion: \"(3010) 0\"",
        "*LanguageLevel: \"3\"",
        "*ColorDevice: False",
        "*DefaultColorSpace: Gray",
        "*FileSystem: False",
        "*Throughput: \"1\"",
        "*LandscapeOrientation: Plus90",
        "*TTRasterizer: Type42",
        "*cupsFilter: \"application/vnd.cups-postscript 0 -\"",
        "*OpenUI *PageSize/Media Size: PickOne",
        "*OrderDependency: 10 AnySetup *PageSize",
        "*DefaultPageSize: A4",
        "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"",
        "*CloseUI: *PageSize",
        "*OpenUI *PageRegion/Media Size: PickOne",
        "*OrderDependency: 10 AnySetup *PageRegion",
        "*DefaultPageRegion: A4",
        "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"",
        "*CloseUI: *PageRegion",
        "*DefaultImageableArea: A4",
        area,
        "*DefaultPaperDimension: A4",
        "*PaperDimension A4/A4: \"595 842\"",
        "*DefaultFont: Courier",
        "*Font Courier: Standard \"(002.004S)\" Standard ROM",
    };
    std::string ppd;
    for (const char* l : lines) ppd += std::string(l) + "\n";
    return ppd;
}

CupsServer* CupsServer::get(std::string& why) {
    static std::unique_ptr<CupsServer> server;
    static std::string failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (::access(kCupsd, X_OK) != 0)
            failure = std::string(kCupsd) + " is not installed";
        else if (::access(kPdfBackend, F_OK) != 0)
            failure = std::string(kPdfBackend) + " is not installed";
        else if (::geteuid() != 0)
            failure = "the PDF backend runs only under a print server started as root";
        if (failure.empty()) {
            std::unique_ptr<CupsServer> s(new CupsServer);
            char templ[] = "/tmp/formidor-cups-XXXXXX";
            if (!::mkdtemp(templ)) {
                failure = "no temporary folder";
            } else {
                s->dir_ = templ;
                ::chmod(templ, 0755);
                s->out_ = s->dir_ / "out";
                s->socket_ = (s->dir_ / "cups.sock").string();
                s->instance_ = "formidor-test-" + std::to_string(::getpid());
                s->backendConf_ =
                    fs::path(kBackendConfDir) / ("cups-pdf-" + s->instance_ + ".conf");
                std::error_code ec;
                for (const char* sub : {"spool", "spool/tmp", "cache", "state", "log", "out"})
                    fs::create_directories(s->dir_ / sub, ec);
                std::ofstream conf(s->backendConf_);
                conf << "Out " << s->out_.string() << "\nAnonDirName " << s->out_.string()
                     << "\nSpool " << (s->dir_ / "spool" / "pdf").string() << "\nLog "
                     << (s->dir_ / "log").string() << "\nLabel 1\n";
                conf.close();
                if (!conf)
                    failure = "cannot write " + s->backendConf_.string();
                else if (s->start(failure))
                    server = std::move(s);
            }
        }
    }
    why = failure;
    return server.get();
}

bool CupsServer::start(std::string& why) {
    const auto t0 = Clock::now();
    port_ = freeLocalPort();
    if (port_ == 0) {
        why = "no free port on 127.0.0.1";
        return false;
    }
    const fs::path files = dir_ / "cups-files.conf", conf = dir_ / "cupsd.conf";
    writeFile(files, "ServerRoot " + dir_.string() + "\nRequestRoot " + (dir_ / "spool").string() +
                         "\nTempDir " + (dir_ / "spool/tmp").string() + "\nCacheDir " +
                         (dir_ / "cache").string() + "\nStateDir " + (dir_ / "state").string() +
                         "\nErrorLog " + (dir_ / "log/error_log").string() + "\nAccessLog " +
                         (dir_ / "log/access_log").string() + "\nPageLog " +
                         (dir_ / "log/page_log").string() + "\nPrintcap " +
                         (dir_ / "printcap").string() + "\nSandboxing relaxed\nFileDevice No\n");
    writeFile(conf, "Listen 127.0.0.1:" + std::to_string(port_) + "\nListen " + socket_ +
                        "\nBrowsing No\nWebInterface No\nLogLevel warn\n"
                        "<Location />\n  Order allow,deny\n  Allow localhost\n"
                        "  Allow 127.0.0.1\n</Location>\n");
    const std::string log = (dir_ / "log/cupsd.out").string();
    const std::string c = conf.string(), s = files.string();
    const pid_t pid = ::fork();
    if (pid < 0) {
        why = "fork failed";
        return false;
    }
    if (pid == 0) {
        // The server goes with the test process, however that ends.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd >= 0) {
            ::dup2(fd, 1);
            ::dup2(fd, 2);
        }
        ::execl(kCupsd, "cupsd", "-f", "-c", c.c_str(), "-s", s.c_str(), (char*)nullptr);
        ::_exit(127);
    }
    pid_ = pid;
    ::setenv("CUPS_SERVER", socket_.c_str(), 1);
    // The client library keeps the server it first talked to; from now on it reads ours.
    cupsSetServer(nullptr);
    while (Clock::now() - t0 < std::chrono::seconds(10)) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            why =
                "cupsd ended at once:\n" + lastLines(dir_ / "log/error_log", 5) + lastLines(log, 5);
            return false;
        }
        if (socketAnswers(socket_)) {
            startSeconds_ = std::chrono::duration<double>(Clock::now() - t0).count();
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    stop();
    why = "cupsd did not answer within 10 s";
    return false;
}

bool CupsServer::running() const {
    return pid_ > 0 && socketAnswers(socket_);
}

void CupsServer::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
}

CupsServer::~CupsServer() {
    stop();
    std::error_code ec;
    fs::remove(backendConf_, ec);
    fs::remove_all(dir_, ec);
}

bool CupsServer::tool(std::vector<std::string> args) const {
    args.insert(args.begin() + 1, {"-h", socket_});
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string log = (dir_ / "log/tools.log").string();
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool CupsServer::addQueue(const std::string& name, const QueueMargins& margins) {
    removeQueue(name);
    const fs::path ppd = dir_ / (name + ".ppd");
    writeFile(ppd, a4Ppd(margins));
    // The PDF backend keeps the document's text readable only when the PostScript comes from
    // the Cairo renderer.
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(out_, ec)) fs::remove(e.path(), ec);
    return tool({"lpadmin", "-p", name, "-v", "cups-pdf:/" + instance_, "-P", ppd.string(), "-o",
                 "pdftops-renderer-default=pdftocairo", "-E"}) &&
           tool({"lpadmin", "-d", name});
}

std::string CupsServer::log() const {
    return lastLines(dir_ / "log/tools.log", 10) + lastLines(dir_ / "log/error_log", 10);
}

void CupsServer::removeQueue(const std::string& name) {
    tool({"lpadmin", "-x", name});
}

std::vector<fs::path> CupsServer::waitForOutput() const {
    const auto t0 = Clock::now();
    const std::string pending = "lpstat -h '" + socket_ + "' -o 2>/dev/null";
    while (!capture(pending).empty()) {
        if (Clock::now() - t0 > std::chrono::seconds(15)) return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::vector<fs::path> pdfs;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(out_, ec))
        if (e.path().extension() == ".pdf") pdfs.push_back(e.path());
    // "job_N-…": the job number orders them.
    std::sort(pdfs.begin(), pdfs.end(), [](const fs::path& a, const fs::path& b) {
        return std::atoi(a.filename().c_str() + 4) < std::atoi(b.filename().c_str() + 4);
    });
    return pdfs;
}

PdfPage PdfPage::turnedBack() const {
    if (width > height) return *this;
    PdfPage p;
    p.width = height;
    p.height = width;
    for (const auto& w : words) {
        PdfWord t{w.text, height - w.yMax, w.xMin, height - w.yMin, w.xMax};
        t.inkLeft = height - w.inkBottom;
        t.inkTop = w.inkLeft;
        p.words.push_back(t);
    }
    return p;
}

int CupsServer::jobsTaken(const std::string& queue) const {
    const std::string all =
        capture("lpstat -h '" + socket_ + "' -W all -o '" + queue + "' 2>/dev/null");
    return int(std::count(all.begin(), all.end(), '\n'));
}

const PdfWord* PdfPage::find(const std::string& text) const {
    for (const auto& w : words)
        if (w.text == text) return &w;
    return nullptr;
}

namespace {

constexpr int kInkDpi = 400;

// A rendered part of a page: pixels from (x0, y0) of the whole page's raster.
struct Gray {
    int x0 = 0, y0 = 0, width = 0, height = 0;
    std::vector<unsigned char> px;
    bool ink(int x, int y) const {
        x -= x0;
        y -= y0;
        if (x < 0 || y < 0 || x >= width || y >= height) return false;
        return px[size_t(y) * size_t(width) + size_t(x)] < 128;
    }
};

// Renders only the part of the page the words lie in: the whole sheet takes long at this
// resolution.
std::optional<Gray> render(const fs::path& pdf, int pageNumber, const std::vector<PdfWord>& words) {
    const fs::path base = fs::path(pdf).replace_extension("");
    const std::string n = std::to_string(pageNumber);
    const double s = kInkDpi / 72.0;
    double l = 1e9, t = 1e9, r = 0, b = 0;
    for (const auto& w : words) {
        l = std::min(l, w.xMin), t = std::min(t, w.yMin);
        r = std::max(r, w.xMax), b = std::max(b, w.yMax);
    }
    Gray g;
    g.x0 = std::max(0, int((l - 4) * s));
    g.y0 = std::max(0, int((t - 4) * s));
    const int cw = int((r + 4) * s) - g.x0, ch = int((b + 4) * s) - g.y0;
    const std::string cmd = "pdftoppm -f " + n + " -l " + n + " -singlefile -gray -r " +
                            std::to_string(kInkDpi) + " -x " + std::to_string(g.x0) + " -y " +
                            std::to_string(g.y0) + " -W " + std::to_string(cw) + " -H " +
                            std::to_string(ch) + " '" + pdf.string() + "' '" + base.string() +
                            "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0) return std::nullopt;
    std::ifstream in(base.string() + ".pgm", std::ios::binary);
    std::string magic;
    int maxval = 0;
    in >> magic >> g.width >> g.height >> maxval;
    in.get();
    if (magic != "P5" || maxval != 255 || g.width <= 0 || g.height <= 0) return std::nullopt;
    g.px.resize(size_t(g.width) * size_t(g.height));
    in.read(reinterpret_cast<char*>(g.px.data()), std::streamsize(g.px.size()));
    std::error_code ec;
    fs::remove(base.string() + ".pgm", ec);
    return in ? std::optional<Gray>(std::move(g)) : std::nullopt;
}

// The ink inside the word's box (widened by a point), in points.
void findInk(const Gray& g, PdfWord& w) {
    const double s = kInkDpi / 72.0;
    const int x0 = int((w.xMin - 1) * s), x1 = int((w.xMax + 1) * s);
    const int y0 = int((w.yMin - 1) * s), y1 = int((w.yMax + 1) * s);
    int left = x1, top = y1, bottom = -1;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (g.ink(x, y)) {
                left = std::min(left, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (bottom < 0) return;
    w.inkLeft = left / s;
    w.inkTop = top / s;
    w.inkBottom = (bottom + 1) / s;
}

} // namespace

std::optional<PdfPage> readPdfPage(const fs::path& pdf, bool withInk, int pageNumber) {
    const std::string n = std::to_string(pageNumber);
    const std::string listing =
        capture("pdftotext -f " + n + " -l " + n + " -bbox '" + pdf.string() + "' -");
    static const std::regex page("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">");
    static const std::regex word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"
        "([^<]*)</word>");
    std::smatch m;
    if (!std::regex_search(listing, m, page)) return std::nullopt;
    PdfPage p;
    p.width = std::stod(m[1]);
    p.height = std::stod(m[2]);
    for (std::sregex_iterator it(listing.begin(), listing.end(), word), end; it != end; ++it)
        p.words.push_back({(*it)[5], std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]),
                           std::stod((*it)[4])});
    if (withInk) {
        if (p.words.empty()) return p;
        auto g = render(pdf, pageNumber, p.words);
        if (!g) return std::nullopt;
        for (auto& w : p.words) findInk(*g, w);
    }
    return p;
}

} // namespace formidor::test
