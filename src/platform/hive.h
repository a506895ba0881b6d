#pragma once
// The user's settings and address book live in a registry-like hive of keys and values, stored
// in one SQLite database per user ($XDG_DATA_HOME/formidor/registry.sqlite). TRegistry is the
// accessor every operation creates, uses and drops; nothing is cached between operations, so two
// running instances and an import see each other's writes at once.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace formidor {

// The application's key below the current-user root.
inline constexpr std::string_view kAppKey = "SOFTWARE\\Quillon Zentrix\\Belegix98";

// Reading a value that is missing or of another type, or a storage failure. German message.
class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The hive database exists but cannot be opened or is damaged; the file is left untouched.
class EHiveUnavailable : public ERegistryException {
public:
    using ERegistryException::ERegistryException;
};

enum class TRegDataType { rdUnknown, rdString, rdInteger };

// One value of a key as GetValues returns it: text for rdString, number for rdInteger.
struct TRegValue {
    std::string name;
    TRegDataType type = TRegDataType::rdUnknown;
    std::string text;
    int32_t number = 0;
};

class TRegistry {
public:
    // Works on the current user's hive (paths::hiveFile(), looked up afresh on every use so
    // tests can point XDG_DATA_HOME elsewhere).
    TRegistry();
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Paths use "\" between keys; a leading "\" starts at the root, anything else is relative
    // to the open key. A failed open leaves the current key open. Names compare without regard
    // to letter case and keep the case they were created with.
    bool OpenKey(std::string_view path, bool canCreate);
    bool OpenKeyReadOnly(std::string_view path);
    // Opens the subkey `name` of the key `parent` has open, read-only, from there rather than
    // from the root: walking a tree key by key stays linear in its depth.
    bool OpenSubKeyReadOnly(const TRegistry& parent, std::string_view name);
    void CloseKey();
    // Path of the open key from the root, without leading "\"; empty at the root.
    std::string CurrentPath() const;

    // Missing → empty text; stored as integer → "Ungültiger Datentyp für '%s'".
    std::string ReadString(std::string_view name);
    // Missing → "Fehler beim Holen der Daten für '%s'"; other type → "Ungültiger Datentyp für
    // '%s'".
    int32_t ReadInteger(std::string_view name);
    bool ReadBool(std::string_view name); // any non-zero number reads true
    void WriteString(std::string_view name, std::string_view value);
    void WriteInteger(std::string_view name, int32_t value);
    void WriteBool(std::string_view name, bool value); // 0 / 1

    bool ValueExists(std::string_view name);
    bool DeleteValue(std::string_view name);
    TRegDataType GetDataType(std::string_view name);
    // Relative to the open key, or absolute with a leading "\".
    bool KeyExists(std::string_view path);
    // Deletes the key with everything below it.
    bool DeleteKey(std::string_view path);
    // Subkeys of the open key in case-insensitive name order; values in creation order.
    std::vector<std::string> GetKeyNames();
    std::vector<std::string> GetValueNames();
    // Every value of the open key with its type and data, in creation order, in one read.
    std::vector<TRegValue> GetValues();

private:
    struct Impl;
    Impl* impl_;
};

namespace hive {
// Opens (creating when missing) the current user's hive now and reports an unusable one as
// EHiveUnavailable with a German message naming the file. Called once at start.
void checkAvailable();

// Groups registry operations of this process into one transaction: with write = true the hive is
// locked for writing at once and everything done until Commit() arrives together or, when the
// object is destroyed without Commit(), not at all; with write = false all reads see one state.
class Transaction {
public:
    explicit Transaction(bool write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    bool open_ = false;
    bool write_ = false;
};
} // namespace hive

// .reg files in the system registry editor's format: "Windows Registry Editor Version 5.00",
// UTF-16LE with byte-order mark, CRLF; import also reads UTF-8 and "REGEDIT4".
class ERegFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes `key` (a path below HKEY_CURRENT_USER) with all its subkeys. Throws ERegFileError.
void ExportRegFile(const std::filesystem::path& file, std::string_view key = kAppKey);
// The bytes ExportRegFile writes, for callers that place the file themselves.
std::string ExportRegBytes(std::string_view key = kAppKey);

enum class TRegImport {
    Merge,         // as the registry editor does: values and keys not in the file stay
    ReplaceAppKey, // a restore: the application key becomes exactly what the file holds
};
// All or nothing: reads the file as the registry editor reads it, honours "[-KEY]" and
// "\"name\"=-", and refuses a malformed file, a line the editor would pass over, an
// unsupported value type or any key outside the application key with a German message naming
// the line; nothing changes then. ReplaceAppKey also refuses a file without the application
// key's own block.
void ImportRegFile(const std::filesystem::path& file, TRegImport mode = TRegImport::Merge);

} // namespace formidor
