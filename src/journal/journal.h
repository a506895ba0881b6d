#pragma once
// The journal of printed forms: a list of 440-byte records in memory and the file `journal` in
// the user's data folder holding the same records, rewritten whole on every change. Several
// processes may write one journal (a window and command-line prints): each change is made under
// an exclusive lock on the journal's folder, on the file as it is at that moment.
#include "platform/convert.h"
#include "platform/datetime.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace formidor {

// Form type codes of a record.
inline constexpr uint16_t kJournalUeberweisung = 1;
inline constexpr uint16_t kJournalVerrechnungsscheck = 2;
inline constexpr uint16_t kJournalAuslandsueberweisung = 3;
inline constexpr uint16_t kJournalLastschrift = 4;
inline constexpr uint16_t kJournalScheckeinreichung = 5;

// "Überweisung", "Verrechnungsscheck", …; an unknown code has no text.
std::string_view journalTypText(uint16_t typ);

// One journal record, kept in memory exactly as it lies in the file: little-endian numbers and
// length-prefixed Windows-1252 texts. The accessors convert; the bytes of a record read from
// the file are written back unchanged.
class TJournal {
public:
    static constexpr size_t kSize = 440;
    static constexpr size_t kTextMax = 50;
    static constexpr size_t kPurposeMax = 100;
    using Bytes = std::array<unsigned char, kSize>;

    TJournal() { bytes_.fill(0); }
    explicit TJournal(const Bytes& b) : bytes_(b) {}

    const Bytes& bytes() const { return bytes_; }

    uint8_t Flag() const { return bytes_[0]; }
    void SetFlag(uint8_t f) { bytes_[0] = f; }
    int32_t ID() const;
    void SetID(int32_t id);
    TDateTime Datum() const;
    void SetDatum(TDateTime d);
    uint16_t Typ() const;
    void SetTyp(uint16_t t);
    Currency Betrag() const;
    void SetBetrag(Currency c);

    // Texts are UTF-8 on our side. Storing converts to Windows-1252 ("?" for what it lacks) and
    // cuts to the field's maximum; a length byte beyond the field reads as the maximum.
    std::string AuftraggeberKonto() const { return text(32, kTextMax); }
    std::string AuftraggeberName() const { return text(83, kTextMax); }
    std::string AuftraggeberBLZ() const { return text(134, kTextMax); }
    std::string EmpfaengerName() const { return text(185, kTextMax); }
    std::string EmpfaengerKonto() const { return text(236, kTextMax); }
    std::string EmpfaengerBLZ() const { return text(287, kTextMax); }
    std::string Verwendungszweck() const { return text(338, kPurposeMax); }
    void SetAuftraggeberKonto(std::string_view s) { setText(32, kTextMax, s); }
    void SetAuftraggeberName(std::string_view s) { setText(83, kTextMax, s); }
    void SetAuftraggeberBLZ(std::string_view s) { setText(134, kTextMax, s); }
    void SetEmpfaengerName(std::string_view s) { setText(185, kTextMax, s); }
    void SetEmpfaengerKonto(std::string_view s) { setText(236, kTextMax, s); }
    void SetEmpfaengerBLZ(std::string_view s) { setText(287, kTextMax, s); }
    void SetVerwendungszweck(std::string_view s) { setText(338, kPurposeMax, s); }

    // Appends a text field as UTF-8 (the fast way for building display lines).
    enum class Field : uint16_t {
        AuftraggeberKonto = 32,
        AuftraggeberName = 83,
        AuftraggeberBLZ = 134,
        EmpfaengerName = 185,
        EmpfaengerKonto = 236,
        EmpfaengerBLZ = 287,
        Verwendungszweck = 338,
    };
    void appendText(std::string& out, Field f) const;

private:
    std::string text(size_t offset, size_t max) const;
    void setText(size_t offset, size_t max, std::string_view utf8);
    Bytes bytes_;
};
static_assert(sizeof(TJournal) == TJournal::kSize);

// Loading or saving failed; the message is the user's German text.
class EJournalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The journal list with its run state and its file. The run state only ever widens during a
// run: deleting records lowers neither the highest number nor the latest date.
//
// Every save is a read-modify-write under the folder lock: the file is read afresh, records
// other processes appended meanwhile are taken over, records this process marked for deletion
// (Flag 1, set in memory only) are left out, records appended here that an earlier save failed
// to write are added, and the result is written. So a deletion elsewhere is not undone by an
// append here, and numbers stay unique: a new record is numbered after the highest number in
// the file and in this run.
class Journal {
public:
    enum class State {
        Ok,
        // The file exists but could not be read. It is never written over: saving refuses, so
        // nothing the user had is lost; appended records stay in the list.
        Unreadable,
    };

    // An empty path means the current user's journal (paths::journalFile(), looked up on use).
    explicit Journal(std::filesystem::path file = {});

    // Reads the list from the file (an empty file is created when there is none), widens the
    // run state, then shows. A flag byte read from the file is taken as 0: only this process
    // marks records. Records appended in this run that could not be saved yet stay at the end
    // of the list. Temporary files of saves killed part-way are removed. A file that exists but
    // cannot be read leaves the list as it was (empty at the start of a run), sets
    // State::Unreadable and throws EJournalError.
    void JournalLaden();
    // Under the lock: merges as described above and writes the result into a temporary file
    // beside the journal, flushes it to the disk and renames it over the journal, so a failure
    // at any moment leaves the previous journal whole. The list becomes what was written. Then
    // shows. Throws EJournalError with a German message when the file cannot be read or written
    // or when the journal is Unreadable; the list then keeps marked and unsaved records.
    void JournalSpeichern();
    // Appends a record numbered after the highest number in the file and in this run, and
    // saves. A failed save leaves the record in the list (it is written by the next save that
    // succeeds) and throws.
    void JournalAnhaengen(uint16_t Typ, std::string_view AuftraggeberKonto,
                          std::string_view AuftraggeberName, TDateTime Datum,
                          std::string_view AuftraggeberBLZ, std::string_view EmpfaengerName,
                          std::string_view EmpfaengerKonto, std::string_view EmpfaengerBLZ,
                          std::string_view Verwendungszweck, Currency Betrag);
    // While deferred, JournalAnhaengen appends to the list without saving; the caller saves
    // once at the end. A batch of forms would otherwise rewrite the whole file once per form,
    // and it keeps the file to the forms that really reached the printer.
    void setSaveDeferred(bool deferred) { saveDeferred_ = deferred; }
    // Saving at the end of a run: writes unless the journal is Unreadable, where the file is
    // left as it is without a message (the user was told when it was loaded).
    void saveAtClose();

    const std::vector<TJournal>& Liste() const { return list_; }
    std::vector<TJournal>& Liste() { return list_; }
    State state() const { return state_; }
    std::filesystem::path file() const;

    int32_t hoechsteNummer() const { return highest_; }
    int32_t niedrigsteNummer() const { return lowest_; }
    TDateTime fruehestesDatum() const { return earliest_; }
    TDateTime spaetestesDatum() const { return latest_; }

    // JournalAnzeigen: called whenever the list may have changed (after load, save, append).
    void SetOnAnzeigen(std::function<void()> f) { onAnzeigen_ = std::move(f); }

    // Test seam: the write of the temporary file fails with errno `error` once `afterBytes`
    // bytes have been written.
    struct WriteFault {
        size_t afterBytes = 0;
        int error = 0;
    };
    void setWriteFaultForTesting(std::optional<WriteFault> f) { fault_ = f; }
    // How long a save waits for another process's lock before it gives up (see kLockWait).
    void setLockWaitForTesting(std::chrono::milliseconds wait) { lockWait_ = wait; }
    // A save of another process holds the lock for milliseconds; one that holds it longer has
    // hung (or is stopped in a debugger), and the window must not freeze behind it.
    static constexpr std::chrono::milliseconds kLockWait{10000};

private:
    void anzeigen();
    void widen(const TJournal& r);
    // The locked read-merge-write of JournalSpeichern; `fresh` (when given) is numbered and
    // added as a new record.
    void commit(TJournal* fresh);

    std::filesystem::path file_;
    std::vector<TJournal> list_;
    // Records appended in this run that no save has written yet.
    std::vector<TJournal> unsaved_;
    // Numbers appended in this run: a record of this run does not lower the lowest number.
    std::vector<int32_t> ownNumbers_;
    State state_ = State::Ok;
    bool saveDeferred_ = false;
    int32_t highest_ = 0;
    int32_t lowest_ = 10000000;
    TDateTime earliest_ = 9999999.0;
    TDateTime latest_ = 0.0;
    std::function<void()> onAnzeigen_;
    std::optional<WriteFault> fault_;
    std::chrono::milliseconds lockWait_ = kLockWait;
};

// Reads the records of a journal file without changing anything: nullopt when there is no such
// file; EJournalError with a German message when it exists but cannot be read, is not a
// regular file (a pipe or a device would block or never end) or is larger than any journal.
std::optional<std::vector<TJournal>> readJournalFile(const std::filesystem::path& file);

// A record's date as shown and printed: the short date, empty for a value no calendar holds.
std::string journalDateText(TDateTime d, const FormatSettings& fs = FormatSettings::german());

// What the journal page shows: three rows of two cells per record.
inline constexpr int kJournalRowsPerRecord = 3;

// An amount of the journal as shown and printed: exactly, rounded to two decimals (halves away
// from zero), with the decimal separator and no thousands separators, whatever its size.
std::string journalAmountText(Currency betrag, const FormatSettings& fs = FormatSettings::german());

// The text of one cell: `line` 0–2 within the record's block, `column` 0 or 1.
std::string journalCell(const TJournal& r, int line, int column,
                        const FormatSettings& fs = FormatSettings::german());

struct JournalRow {
    std::string cells[2];
};
// JournalAnzeigen as data: the rows of the journal grid for the list, 3 per record.
std::vector<JournalRow> JournalAnzeigen(const std::vector<TJournal>& list,
                                        const FormatSettings& fs = FormatSettings::german());

// StringGrid1Click: the rows selected by a click on `row` — the whole block of its record,
// kept inside a grid of `rowCount` rows.
struct JournalBlock {
    int top = 0;
    int bottom = 0;
};
JournalBlock journalBlockOf(int row, int rowCount);

} // namespace formidor
