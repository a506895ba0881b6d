#include "platform/hive.h"

#include "platform/fileio.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>

namespace formidor {

namespace fs = std::filesystem;

namespace {

// Keys form a tree by parent id; the root is id 0 and has no row. Names keep the case they were
// created with, `fold` holds their case-folded form and carries the uniqueness, so "Müller" and
// "MÜLLER" are one key. Value ids grow with every new value, which gives the creation order;
// overwriting a value keeps its id and therefore its place.
constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
  id INTEGER PRIMARY KEY,
  parent INTEGER NOT NULL,
  name TEXT NOT NULL,
  fold TEXT NOT NULL,
  UNIQUE(parent, fold));
CREATE TABLE IF NOT EXISTS vals(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  key INTEGER NOT NULL,
  name TEXT NOT NULL,
  fold TEXT NOT NULL,
  type INTEGER NOT NULL,
  str TEXT,
  num INTEGER,
  UNIQUE(key, fold));
PRAGMA user_version = 1;
)sql";

constexpr int kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 10000;
constexpr int kTypeString = 1;
constexpr int kTypeInteger = 2;

std::string unavailableMessage(const fs::path& file, std::string_view reason) {
    std::string msg =
        formatMessage("Die Einstellungsdatei '%s' kann nicht geöffnet werden oder ist "
                      "beschädigt",
                      file.string());
    msg += " (";
    msg += reason;
    msg += "). Die Datei bleibt unverändert; bitte sichern oder entfernen Sie sie.";
    return msg;
}

// The cause of a failed SQLite call in German: SQLite's own texts are English and name no file.
std::string sqliteReason(sqlite3* db, int rc) {
    const int err = db ? sqlite3_system_errno(db) : 0;
    switch (rc & 0xFF) {
    case SQLITE_FULL:
        return err && err != ENOSPC ? fileio::reason(err) : fileio::reason(ENOSPC);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "die Datei ist gerade von einem anderen Formidor gesperrt; bitte versuchen Sie es "
               "gleich noch einmal";
    case SQLITE_READONLY:
        return "die Datei oder ihr Ordner ist schreibgeschützt";
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return fileio::reason(EACCES);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "die Datei ist beschädigt";
    case SQLITE_NOMEM:
        return fileio::reason(ENOMEM);
    case SQLITE_TOOBIG:
        return "ein Wert ist zu groß";
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return err ? fileio::reason(err) : fileio::reason(EIO);
    default:
        return "die Datenbank meldet einen unerwarteten Fehler";
    }
}

// Damage is reported with the advice to save or remove the file; anything else (a full disk, a
// lock held by another instance, a read-only folder) names its cause and leaves the advice out,
// since the file itself is sound.
bool isDamage(int rc) {
    return (rc & 0xFF) == SQLITE_CORRUPT || (rc & 0xFF) == SQLITE_NOTADB;
}

[[noreturn]] void openFailure(sqlite3* db, const fs::path& file, int rc) {
    if (isDamage(rc)) throw EHiveUnavailable(unavailableMessage(file, sqliteReason(db, rc)));
    throw EHiveUnavailable(
        formatMessage("Die Einstellungsdatei '%s' kann nicht geöffnet werden: ", file.string()) +
        sqliteReason(db, rc) + ".");
}

struct Connection {
    sqlite3* db = nullptr;
    fs::path file;
    pid_t pid = 0;
    std::unordered_map<const char*, sqlite3_stmt*> statements;

    ~Connection() {
        for (auto& [sql, st] : statements) sqlite3_finalize(st);
        if (db) sqlite3_close_v2(db);
    }

    [[noreturn]] void fail(int rc) const {
        throw ERegistryException("Fehler beim Zugriff auf die Einstellungsdatei '" + file.string() +
                                 "': " + sqliteReason(db, rc) + ".");
    }

    // Statements are compiled once per connection; the key is the literal's address.
    sqlite3_stmt* prepare(const char* sql) {
        auto it = statements.find(sql);
        if (it != statements.end()) return it->second;
        sqlite3_stmt* st = nullptr;
        if (int rc = sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr);
            rc != SQLITE_OK)
            fail(rc);
        statements.emplace(sql, st);
        return st;
    }

    void exec(const char* sql) {
        if (int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr); rc != SQLITE_OK) fail(rc);
    }
};

Connection* g_connection = nullptr;

// Runs `sql` on a connection still being opened; any failure means the file is unusable.
void openExec(sqlite3* db, const fs::path& file, const char* sql) {
    if (int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr); rc != SQLITE_OK)
        openFailure(db, file, rc);
}

std::string openQueryText(sqlite3* db, const fs::path& file, const char* sql) {
    sqlite3_stmt* st = nullptr;
    if (int rc = sqlite3_prepare_v2(db, sql, -1, &st, nullptr); rc != SQLITE_OK)
        openFailure(db, file, rc);
    int rc = sqlite3_step(st);
    std::string out;
    if (rc == SQLITE_ROW) {
        auto t = sqlite3_column_text(st, 0);
        out = t ? reinterpret_cast<const char*>(t) : "";
    } else if (rc != SQLITE_DONE) {
        sqlite3_finalize(st);
        openFailure(db, file, rc);
    }
    sqlite3_finalize(st);
    return out;
}

std::unique_ptr<Connection> openConnection(const fs::path& file) {
    auto c = std::make_unique<Connection>();
    c->file = file;
    c->pid = ::getpid();
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    bool existed = fs::exists(file, ec);
    if (existed && !fs::is_regular_file(file, ec))
        throw EHiveUnavailable(unavailableMessage(file, "keine Datei"));
    fs::path wal = file;
    wal += "-wal";
    const bool walHeld = fs::is_regular_file(wal, ec) && fs::file_size(wal, ec) > 0 && !ec;
    // An existing file is never created anew: opening it must not replace what is there.
    int flags = SQLITE_OPEN_READWRITE | (existed ? 0 : SQLITE_OPEN_CREATE);
    if (int rc = sqlite3_open_v2(file.c_str(), &c->db, flags, nullptr); rc != SQLITE_OK) {
        if (!c->db) throw EHiveUnavailable(unavailableMessage(file, fileio::reason(ENOMEM)));
        openFailure(c->db, file, rc);
    }
    sqlite3_extended_result_codes(c->db, 1);
    sqlite3_busy_timeout(c->db, kBusyTimeoutMs);
    // Until the file is known to be sound, closing it must not write the log into it (nor
    // remove the log): a refused store stays exactly as it was found.
    sqlite3_db_config(c->db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    // Everything that could alter the file waits until it is known to be ours and sound.
    if (existed) {
        std::string check = openQueryText(c->db, file, "PRAGMA quick_check");
        if (check != "ok") throw EHiveUnavailable(unavailableMessage(file, "beschädigt"));
        int v = std::stoi("0" + openQueryText(c->db, file, "PRAGMA user_version"));
        std::string n = openQueryText(c->db, file, "SELECT count(*) FROM sqlite_master");
        if (v == 0 && n != "0")
            throw EHiveUnavailable(unavailableMessage(file, "keine Einstellungsdatenbank"));
        if (v > kSchemaVersion)
            throw EHiveUnavailable(unavailableMessage(file, "unbekannte Version"));
        // The tables are made in the main file when it is created, so a store without them
        // whose write-ahead log holds data had everything in that log, and SQLite passed over
        // the log as damaged: reading on would show an empty store.
        if (v == 0 && walHeld)
            throw EHiveUnavailable(unavailableMessage(file, "die Daten stehen nur im Protokoll '" +
                                                                wal.string() +
                                                                "', und das ist beschädigt"));
    }
    // A new (or empty) file gets its tables before the write-ahead log is switched on, so they
    // are in the main file from the start; two processes starting at once create them once.
    if (std::stoi("0" + openQueryText(c->db, file, "PRAGMA user_version")) == 0) {
        openExec(c->db, file, "BEGIN IMMEDIATE");
        try {
            int v = std::stoi("0" + openQueryText(c->db, file, "PRAGMA user_version"));
            if (v == 0) openExec(c->db, file, kSchema);
            openExec(c->db, file, "COMMIT");
        } catch (...) {
            sqlite3_exec(c->db, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    }
    std::string mode = openQueryText(c->db, file, "PRAGMA journal_mode=WAL");
    if (mode != "wal")
        throw EHiveUnavailable(
            formatMessage("Die Einstellungsdatei '%s' kann nicht geöffnet werden: ",
                          file.string()) +
            "das Protokoll neben ihr lässt sich nicht anlegen.");
    openExec(c->db, file, "PRAGMA synchronous=NORMAL");
    sqlite3_db_config(c->db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    return c;
}

// At the end of the process the connection is closed; the last one to close writes the log into
// the main file and removes it, so the file named as the store holds the data whenever no
// Formidor runs, and a copy of it is a whole copy.
void closeAtExit() {
    if (g_connection && g_connection->pid == ::getpid()) {
        delete g_connection;
        g_connection = nullptr;
    }
}

// The process's one connection, reopened when the hive file changes (tests move XDG_DATA_HOME)
// and opened afresh in a child after fork(), which must not use its parent's connection.
Connection& connection() {
    fs::path file = paths::hiveFile();
    if (g_connection && g_connection->pid != ::getpid()) {
        g_connection = nullptr; // the parent's; closing it here could disturb the parent's locks
    }
    if (g_connection && g_connection->file == file) return *g_connection;
    if (g_connection) {
        delete g_connection;
        g_connection = nullptr;
    }
    g_connection = openConnection(file).release();
    static const bool registered = std::atexit(closeAtExit) == 0;
    (void)registered;
    return *g_connection;
}

// Binds, steps and resets one cached statement.
class Query {
public:
    Query(Connection& c, const char* sql) : c_(c), st_(c.prepare(sql)) {}
    ~Query() {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    Query& bind(int i, std::string_view s) {
        // An empty view may carry no pointer at all, which SQLite would store as NULL: an
        // empty value name (the key's default value) would then break the NOT NULL rule.
        sqlite3_bind_text(st_, i, s.data() ? s.data() : "", static_cast<int>(s.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Query& bind(int i, int64_t v) {
        sqlite3_bind_int64(st_, i, v);
        return *this;
    }
    Query& bindNull(int i) {
        sqlite3_bind_null(st_, i);
        return *this;
    }
    // true while there is a row
    bool step() {
        int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        c_.fail(rc);
    }
    int64_t integer(int col) const { return sqlite3_column_int64(st_, col); }
    int type(int col) const { return sqlite3_column_type(st_, col); }
    std::string text(int col) const {
        auto t = sqlite3_column_text(st_, col);
        return t ? std::string(reinterpret_cast<const char*>(t),
                               static_cast<size_t>(sqlite3_column_bytes(st_, col)))
                 : std::string();
    }

private:
    Connection& c_;
    sqlite3_stmt* st_;
};

// Several statements that must arrive together. Inside a hive::Transaction they simply join it.
class WriteScope {
public:
    explicit WriteScope(Connection& c) : c_(c) {
        own_ = sqlite3_get_autocommit(c.db) != 0;
        if (own_) c_.exec("BEGIN IMMEDIATE");
    }
    ~WriteScope() {
        if (own_ && !done_) sqlite3_exec(c_.db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void commit() {
        if (own_) c_.exec("COMMIT");
        done_ = true;
    }

private:
    Connection& c_;
    bool own_ = false;
    bool done_ = false;
};

std::vector<std::string> splitPath(std::string_view path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::optional<std::pair<int64_t, std::string>> findChild(Connection& c, int64_t parent,
                                                         std::string_view fold) {
    Query q(c, "SELECT id, name FROM keys WHERE parent = ?1 AND fold = ?2");
    q.bind(1, parent).bind(2, fold);
    if (!q.step()) return std::nullopt;
    return std::make_pair(q.integer(0), q.text(1));
}

bool keyAlive(Connection& c, int64_t id) {
    if (id == 0) return true;
    Query q(c, "SELECT 1 FROM keys WHERE id = ?1");
    q.bind(1, id);
    return q.step();
}

struct Resolved {
    int64_t id = 0;
    // The key's path from the root with the names as stored, "\" between them. One string
    // rather than a list of names: opening a subkey copies it once, not name by name.
    std::string path;

    void descend(std::string_view name) {
        if (!path.empty()) path += '\\';
        path += name;
    }
};

} // namespace

struct TRegistry::Impl {
    int64_t key = 0;
    std::string keyPath; // as Resolved::path
    bool readOnly = false;

    // Resolves a path against the open key; creates missing keys when asked to.
    std::optional<Resolved> resolve(std::string_view path, bool create) {
        Connection& c = connection();
        Resolved r;
        bool absolute = !path.empty() && path.front() == '\\';
        if (!absolute) {
            r.id = key;
            r.path = keyPath;
            if (!keyAlive(c, key)) return std::nullopt;
        }
        auto parts = splitPath(path);
        size_t i = 0;
        for (; i < parts.size(); ++i) {
            auto child = findChild(c, r.id, caseFold(parts[i]));
            if (!child) break;
            r.id = child->first;
            r.descend(child->second);
        }
        if (i == parts.size()) return r;
        if (!create) return std::nullopt;
        WriteScope w(c);
        // Another process may have created it since the read above.
        for (; i < parts.size(); ++i) {
            std::string fold = caseFold(parts[i]);
            auto child = findChild(c, r.id, fold);
            if (child) {
                r.id = child->first;
                r.descend(child->second);
                continue;
            }
            if (!keyAlive(c, r.id)) return std::nullopt;
            Query q(c, "INSERT INTO keys(parent, name, fold) VALUES(?1, ?2, ?3)");
            q.bind(1, r.id).bind(2, parts[i]).bind(3, fold);
            q.step();
            r.id = sqlite3_last_insert_rowid(c.db);
            r.descend(parts[i]);
        }
        w.commit();
        return r;
    }

    void write(std::string_view name, int type, std::optional<std::string_view> text,
               int64_t number) {
        if (readOnly)
            throw ERegistryException(formatMessage("Fehler beim Setzen der Daten für '%s'", name));
        Connection& c = connection();
        // One statement, so it is atomic on its own; it writes nothing when the open key has
        // been deleted meanwhile (by another instance or an import).
        Query q(c, "INSERT INTO vals(key, name, fold, type, str, num) "
                   "SELECT ?1, ?2, ?3, ?4, ?5, ?6 "
                   "WHERE ?1 = 0 OR EXISTS(SELECT 1 FROM keys WHERE id = ?1) "
                   "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, "
                   "str = excluded.str, num = excluded.num");
        q.bind(1, key).bind(2, name).bind(3, caseFold(name)).bind(4, static_cast<int64_t>(type));
        if (text)
            q.bind(5, *text).bindNull(6);
        else
            q.bindNull(5).bind(6, number);
        q.step();
        if (sqlite3_changes(c.db) == 0)
            throw ERegistryException(formatMessage("Fehler beim Setzen der Daten für '%s'", name));
    }

    // type, text, number of a value, or nothing when missing.
    std::optional<TRegValue> read(std::string_view name) {
        Connection& c = connection();
        Query q(c, "SELECT name, type, str, num FROM vals WHERE key = ?1 AND fold = ?2");
        q.bind(1, key).bind(2, caseFold(name));
        if (!q.step()) return std::nullopt;
        TRegValue v;
        v.name = q.text(0);
        v.type = q.integer(1) == kTypeString    ? TRegDataType::rdString
                 : q.integer(1) == kTypeInteger ? TRegDataType::rdInteger
                                                : TRegDataType::rdUnknown;
        v.text = q.text(2);
        v.number = static_cast<int32_t>(q.integer(3));
        return v;
    }
};

TRegistry::TRegistry() : impl_(new Impl) {}
TRegistry::~TRegistry() {
    delete impl_;
}

bool TRegistry::OpenKey(std::string_view path, bool canCreate) {
    auto r = impl_->resolve(path, canCreate);
    if (!r) return false;
    impl_->key = r->id;
    impl_->keyPath = std::move(r->path);
    impl_->readOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view path) {
    auto r = impl_->resolve(path, false);
    if (!r) return false;
    impl_->key = r->id;
    impl_->keyPath = std::move(r->path);
    impl_->readOnly = true;
    return true;
}

bool TRegistry::OpenSubKeyReadOnly(const TRegistry& parent, std::string_view name) {
    if (name.empty() || name.find('\\') != std::string_view::npos) return false;
    Impl from;
    from.key = parent.impl_->key;
    from.keyPath = parent.impl_->keyPath;
    auto r = from.resolve(name, false);
    if (!r) return false;
    impl_->key = r->id;
    impl_->keyPath = std::move(r->path);
    impl_->readOnly = true;
    return true;
}

void TRegistry::CloseKey() {
    impl_->key = 0;
    impl_->keyPath.clear();
    impl_->readOnly = false;
}

std::string TRegistry::CurrentPath() const {
    return impl_->keyPath;
}

std::string TRegistry::ReadString(std::string_view name) {
    auto v = impl_->read(name);
    if (!v) return {};
    if (v->type != TRegDataType::rdString)
        throw ERegistryException(formatMessage("Ungültiger Datentyp für '%s'", name));
    return v->text;
}

int32_t TRegistry::ReadInteger(std::string_view name) {
    auto v = impl_->read(name);
    if (!v) throw ERegistryException(formatMessage("Fehler beim Holen der Daten für '%s'", name));
    if (v->type != TRegDataType::rdInteger)
        throw ERegistryException(formatMessage("Ungültiger Datentyp für '%s'", name));
    return v->number;
}

bool TRegistry::ReadBool(std::string_view name) {
    return ReadInteger(name) != 0;
}

void TRegistry::WriteString(std::string_view name, std::string_view value) {
    impl_->write(name, kTypeString, value, 0);
}

void TRegistry::WriteInteger(std::string_view name, int32_t value) {
    impl_->write(name, kTypeInteger, std::nullopt, value);
}

void TRegistry::WriteBool(std::string_view name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

bool TRegistry::ValueExists(std::string_view name) {
    return impl_->read(name).has_value();
}

bool TRegistry::DeleteValue(std::string_view name) {
    if (impl_->readOnly) return false;
    Connection& c = connection();
    Query q(c, "DELETE FROM vals WHERE key = ?1 AND fold = ?2");
    q.bind(1, impl_->key).bind(2, caseFold(name));
    q.step();
    return sqlite3_changes(c.db) > 0;
}

TRegDataType TRegistry::GetDataType(std::string_view name) {
    auto v = impl_->read(name);
    return v ? v->type : TRegDataType::rdUnknown;
}

bool TRegistry::KeyExists(std::string_view path) {
    return impl_->resolve(path, false).has_value();
}

bool TRegistry::DeleteKey(std::string_view path) {
    if (splitPath(path).empty()) return false;
    auto r = impl_->resolve(path, false);
    if (!r) return false;
    Connection& c = connection();
    WriteScope w(c);
    {
        Query q(c, "WITH RECURSIVE sub(id) AS (SELECT ?1 UNION ALL "
                   "SELECT k.id FROM keys k JOIN sub ON k.parent = sub.id) "
                   "DELETE FROM vals WHERE key IN sub");
        q.bind(1, r->id);
        q.step();
    }
    {
        Query q(c, "WITH RECURSIVE sub(id) AS (SELECT ?1 UNION ALL "
                   "SELECT k.id FROM keys k JOIN sub ON k.parent = sub.id) "
                   "DELETE FROM keys WHERE id IN sub");
        q.bind(1, r->id);
        q.step();
    }
    bool deleted = sqlite3_changes(c.db) > 0;
    w.commit();
    return deleted;
}

std::vector<std::string> TRegistry::GetKeyNames() {
    Connection& c = connection();
    Query q(c, "SELECT name FROM keys WHERE parent = ?1 ORDER BY fold");
    q.bind(1, impl_->key);
    std::vector<std::string> out;
    while (q.step()) out.push_back(q.text(0));
    return out;
}

std::vector<std::string> TRegistry::GetValueNames() {
    Connection& c = connection();
    Query q(c, "SELECT name FROM vals WHERE key = ?1 ORDER BY id");
    q.bind(1, impl_->key);
    std::vector<std::string> out;
    while (q.step()) out.push_back(q.text(0));
    return out;
}

std::vector<TRegValue> TRegistry::GetValues() {
    Connection& c = connection();
    Query q(c, "SELECT name, type, str, num FROM vals WHERE key = ?1 ORDER BY id");
    q.bind(1, impl_->key);
    std::vector<TRegValue> out;
    while (q.step()) {
        TRegValue v;
        v.name = q.text(0);
        v.type = q.integer(1) == kTypeString    ? TRegDataType::rdString
                 : q.integer(1) == kTypeInteger ? TRegDataType::rdInteger
                                                : TRegDataType::rdUnknown;
        v.text = q.text(2);
        v.number = static_cast<int32_t>(q.integer(3));
        out.push_back(std::move(v));
    }
    return out;
}

namespace hive {

void checkAvailable() {
    connection();
}

Transaction::Transaction(bool write) {
    Connection& c = connection();
    c.exec(write ? "BEGIN IMMEDIATE" : "BEGIN DEFERRED");
    open_ = true;
    write_ = write;
}

Transaction::~Transaction() {
    if (open_ && g_connection && g_connection->pid == ::getpid())
        sqlite3_exec(g_connection->db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
    if (!open_) return;
    Connection& c = connection();
    c.exec("COMMIT");
    open_ = false;
    // A large write (an import) goes into the main file at once, as far as no reader of another
    // instance holds it back; the rest follows at the end of the process.
    if (write_)
        sqlite3_wal_checkpoint_v2(c.db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

} // namespace hive

} // namespace formidor
