#pragma once
// "Daten sichern" and "Daten einlesen" without their windows: all of the user's data — the
// application key with settings and address book, and the journal file — into a folder and
// back. The window's buttons and formidor-cli backup / restore both run these.
#include <filesystem>
#include <stdexcept>
#include <string>

namespace formidor::backup {

// The two files of a backup folder; their names are fixed.
inline constexpr const char* kRegFileName = "formidor.reg";
inline constexpr const char* kJournalCopyName = "journal";

// A backup or restore that did not happen; the German message names the file. Nothing was
// changed when a restore throws it.
class EBackupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the whole application key as "formidor.reg" and a byte-for-byte copy of the journal
// as "journal" into `folder`, replacing both when present. Both are written completely to
// temporary files first and only then renamed into place, so a failure leaves the folder's
// earlier backup as it was. A user without a journal file yet backs up an empty journal.
void SaveData(const std::filesystem::path& folder);

struct RestoreResult {
    // False when the folder holds no journal copy: the current journal stays.
    bool journalCopied = false;
    // Not empty when the settings were imported but the journal could not be put in place
    // afterwards: the German message. The settings stay imported.
    std::string journalFailure;
};

// Imports "formidor.reg" of `folder` in place of the application key (all or nothing), then
// puts the folder's "journal" over the current journal file. The journal copy is read and
// written beside the journal before the import starts, so that a missing, invalid or
// unreadable backup changes nothing at all.
RestoreResult RestoreData(const std::filesystem::path& folder);

} // namespace formidor::backup
