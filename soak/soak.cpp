// formidor-soak: kills a writer of the journal and the settings store with SIGKILL at random
// moments, again and again, and checks after every kill what the next start would find:
//  - the journal is a whole number of records, exactly those of the last completed save or of
//    the save the kill interrupted (byte for byte), with at most that save's temporary file
//    beside it, which the next load removes;
//  - the store opens in a fresh process, and every value is the one last written completely
//    or, for the one write the kill interrupted, the new one.
// Not part of the test run: it takes minutes. scripts/soak builds and runs it.
//   formidor-soak [KILLS] [SEED]
#include "journal/journal.h"
#include "platform/hive.h"
#include "platform/paths.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace formidor;
namespace fs = std::filesystem;

constexpr int kValues = 10;

std::string soakKey() {
    return "\\" + std::string(kAppKey) + "\\Soak";
}

std::string valueName(int i) {
    return "Wert" + std::to_string(i);
}

// The fields of the record numbered `id`; the writer appends them, the check rebuilds the
// record to compare its bytes.
struct Fields {
    uint16_t typ;
    TDateTime datum;
    Currency betrag;
    std::string konto, purpose;
};

Fields fieldsOf(int32_t id) {
    return {static_cast<uint16_t>(1 + id % 5), 44000.0 + id / 97.0, Currency{id} * 10000 + 1,
            "Konto " + std::to_string(id),
            "Soak " + std::to_string(id) + std::string(static_cast<size_t>(id % 60), '.')};
}

TJournal expectedRecord(int32_t id) {
    const Fields f = fieldsOf(id);
    TJournal r;
    r.SetID(id);
    r.SetTyp(f.typ);
    r.SetDatum(f.datum);
    r.SetBetrag(f.betrag);
    r.SetAuftraggeberKonto(f.konto);
    r.SetAuftraggeberName("Jürgen Müller");
    r.SetAuftraggeberBLZ("37040044");
    r.SetEmpfaengerName("Stadtwerke Köln");
    r.SetEmpfaengerKonto("DE89370400440532013000");
    r.SetEmpfaengerBLZ("COBADEFFXXX");
    r.SetVerwendungszweck(f.purpose);
    return r;
}

// What the writer reports after each completed step: 'J' with the number of records now in
// the journal, or 'S' with the value's index and the round it now holds.
struct Report {
    char kind;
    int32_t a, b;
};

void send(int fd, Report r) {
    while (::write(fd, &r, sizeof r) < 0 && errno == EINTR) {
    }
}

// The writer: from the state on disk it appends record after record and after each rewrites
// every store value with the round's number, one write at a time, until it is killed.
[[noreturn]] void writer(int reportFd, int32_t records, int32_t round) {
    Journal j;
    j.JournalLaden();
    for (;; ++round) {
        const int32_t id = records + 1;
        const Fields f = fieldsOf(id);
        j.JournalAnhaengen(f.typ, f.konto, "Jürgen Müller", f.datum, "37040044", "Stadtwerke Köln",
                           "DE89370400440532013000", "COBADEFFXXX", f.purpose, f.betrag);
        records = id;
        send(reportFd, {'J', records, 0});
        TRegistry reg;
        reg.OpenKey(soakKey(), true);
        for (int i = 0; i < kValues; ++i) {
            reg.WriteInteger(valueName(i), round);
            send(reportFd, {'S', i, round});
        }
    }
}

struct Model {
    int32_t records = 0;                   // records of the last completed save
    std::array<int32_t, kValues> values{}; // each value as last written completely
    int32_t nextRound = 1;
};

// The store as a fresh start finds it; runs in its own process so that nothing of an earlier
// connection is reused. Exit status 0 when every value is old or new.
bool storeIsSound(const Model& m, int32_t round, int pending, std::string& why) {
    int pipeFd[2];
    if (::pipe(pipeFd) != 0) return false;
    pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFd[0]);
        std::string msg;
        try {
            hive::checkAvailable();
            TRegistry reg;
            bool written = false;
            for (int32_t v : m.values) written = written || v != 0;
            const bool opened = reg.OpenKey(soakKey(), false);
            if (written && !opened) msg = "der Schlüssel fehlt";
            for (int i = 0; opened && msg.empty() && i < kValues; ++i) {
                const bool exists = reg.ValueExists(valueName(i));
                const int32_t v = exists ? reg.ReadInteger(valueName(i)) : 0;
                const bool isOld = v == m.values[static_cast<size_t>(i)];
                const bool isNew = i == pending && v == round;
                if (!isOld && !isNew)
                    msg = valueName(i) + " ist " + std::to_string(v) + ", erwartet " +
                          std::to_string(m.values[static_cast<size_t>(i)]) +
                          (i == pending ? " oder " + std::to_string(round) : "");
            }
        } catch (const std::exception& e) {
            msg = e.what();
        }
        (void)!::write(pipeFd[1], msg.data(), msg.size());
        ::_exit(msg.empty() ? 0 : 1);
    }
    ::close(pipeFd[1]);
    char buf[512];
    ssize_t n;
    why.clear();
    while ((n = ::read(pipeFd[0], buf, sizeof buf)) > 0) why.append(buf, static_cast<size_t>(n));
    ::close(pipeFd[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Temporary files of journal saves; the folder may not exist yet when a writer was killed
// before its first load.
int temporariesBeside(const fs::path& journal) {
    int n = 0;
    std::error_code ec;
    for (fs::directory_iterator it(journal.parent_path(), ec), end; !ec && it != end;
         it.increment(ec))
        if (it->path().filename().string().rfind(".journal.", 0) == 0) ++n;
    return n;
}

bool journalIsSound(const fs::path& file, Model& m, bool savePending, std::string& why) {
    std::string bytes;
    if (FILE* f = std::fopen(file.c_str(), "rb")) {
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
        std::fclose(f);
    } else if (m.records > 0) {
        why = "das Journal fehlt";
        return false;
    }
    if (bytes.size() % TJournal::kSize != 0) {
        why = "das Journal hat " + std::to_string(bytes.size()) + " Bytes, keine ganzen Einträge";
        return false;
    }
    const auto count = static_cast<int32_t>(bytes.size() / TJournal::kSize);
    if (count != m.records && !(savePending && count == m.records + 1)) {
        why = "das Journal hat " + std::to_string(count) + " Einträge, erwartet " +
              std::to_string(m.records) + (savePending ? " oder einen mehr" : "");
        return false;
    }
    for (int32_t i = 0; i < count; ++i) {
        const TJournal want = expectedRecord(i + 1);
        if (std::memcmp(bytes.data() + static_cast<size_t>(i) * TJournal::kSize,
                        want.bytes().data(), TJournal::kSize) != 0) {
            why = "Eintrag " + std::to_string(i + 1) + " weicht ab";
            return false;
        }
    }
    const int temporaries = temporariesBeside(file);
    if (temporaries > 1) {
        why = std::to_string(temporaries) + " Zwischendateien liegen neben dem Journal";
        return false;
    }
    m.records = count;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const int kills = argc > 1 ? std::atoi(argv[1]) : 1000;
    const unsigned seed =
        argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : std::random_device{}();
    char tmpl[] = "/tmp/formidor-soak-XXXXXX";
    if (!::mkdtemp(tmpl)) {
        std::perror("mkdtemp");
        return 2;
    }
    ::setenv("XDG_DATA_HOME", tmpl, 1);
    const fs::path journal = paths::journalFile();
    std::mt19937 rng(seed);
    // Up to 30 ms: a writer's start, its load and several appends and store writes.
    std::uniform_int_distribution<int> delayUs(0, 30000);

    Model m;
    int passed = 0;
    std::string why;
    for (int k = 1; k <= kills; ++k) {
        int reports[2];
        if (::pipe(reports) != 0) return 2;
        const int32_t round = m.nextRound;
        pid_t child = ::fork();
        if (child == 0) {
            ::close(reports[0]);
            writer(reports[1], m.records, round);
        }
        ::close(reports[1]);
        ::usleep(static_cast<useconds_t>(delayUs(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)) {
            std::fprintf(stderr, "Abbruch %d: der Schreiber endete von selbst (Status %d)\n", k,
                         status);
            return 1;
        }

        // Replay what the writer completed; the step after the last report may or may not
        // have reached the disk.
        bool savePending = true; // the first step of every writer is an append
        int pendingValue = -1;
        int32_t lastRound = round - 1;
        Report r;
        while (::read(reports[0], &r, sizeof r) == sizeof r) {
            if (r.kind == 'J') {
                m.records = r.a;
                savePending = false;
                pendingValue = 0;
                lastRound = lastRound + 1;
            } else {
                m.values[static_cast<size_t>(r.a)] = r.b;
                pendingValue = r.a + 1 < kValues ? r.a + 1 : -1;
                savePending = r.a + 1 == kValues;
            }
        }
        ::close(reports[0]);
        const int32_t inFlightRound = lastRound < round ? round : lastRound;

        if (!journalIsSound(journal, m, savePending, why)) {
            std::fprintf(stderr, "Abbruch %d: %s\n", k, why.c_str());
            return 1;
        }
        if (!storeIsSound(m, inFlightRound, pendingValue, why)) {
            std::fprintf(stderr, "Abbruch %d: Einstellungen: %s\n", k, why.c_str());
            return 1;
        }
        // The next writer starts from what is on disk now.
        for (int i = 0; i < kValues; ++i) {
            if (i == pendingValue) {
                TRegistry reg;
                if (reg.OpenKey(soakKey(), false) && reg.ValueExists(valueName(i)))
                    m.values[static_cast<size_t>(i)] = reg.ReadInteger(valueName(i));
            }
        }
        m.nextRound = inFlightRound + 1;
        ++passed;
        if (k % 100 == 0)
            std::printf("%d Abbrüche geprüft: Journal %d Einträge, Einstellungen Runde %d\n", k,
                        m.records, m.nextRound - 1);
    }

    // The next start removes the interrupted save's temporary file.
    {
        Journal j;
        j.JournalLaden();
    }
    const int temporaries = temporariesBeside(journal);
    std::printf("%d von %d Abbrüchen bestanden (Startwert %u); Journal %d Einträge; "
                "Zwischendateien nach dem nächsten Laden: %d\n",
                passed, kills, seed, m.records, temporaries);
    std::error_code ec;
    fs::remove_all(tmpl, ec);
    return passed == kills && temporaries == 0 ? 0 : 1;
}
