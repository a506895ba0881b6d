#pragma once
// Ranges of journal records: the defaults the journal dialog starts from, which records a
// range selects, deleting them and printing them as a list on plain paper.
#include "journal/journal.h"
#include "platform/printer.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace formidor {

// What the dialog's four fields hold: a range of numbers and a range of whole days, both ends
// included.
struct JournalRange {
    int32_t vonNummer = 0;
    int32_t bisNummer = 0;
    TDateTime vonDatum = 0;
    TDateTime bisDatum = 0;
};

// The days the date pickers can show: 14.09.1752 to 31.12.9999.
inline constexpr TDateTime kJournalFirstPickerDay = -53797.0;
inline constexpr TDateTime kJournalLastPickerDay = 2958465.0;

// FormShow: the lowest and highest number and the earliest and latest date seen in this run.
// A journal that has seen no record yet (the run state still at its start values) offers the
// widest days the pickers can show; other days outside them are kept inside them.
JournalRange journalDialogDefaults(const Journal& journal);

// The selection rule: the number within the number range and the record's day within the range
// of days, the time of day discarded.
bool journalSelected(const TJournal& record, const JournalRange& range);
std::vector<const TJournal*> journalSelection(const std::vector<TJournal>& list,
                                              const JournalRange& range);

// The messages of the dialog's checks and its question.
inline constexpr std::string_view kVonNummerUngueltig =
    "Bitte gültigen Wert in \"Von Nummer\" eingeben";
inline constexpr std::string_view kBisNummerUngueltig =
    "Bitte gültigen Wert in \"Bis Nummer\" eingeben";
inline constexpr std::string_view kLoeschenFrage =
    "Möchten Sie wirklich die angegebenen Daten löschen?";

// Deletes the selected records: marks them, saves (the file then holds only the others) and
// loads the list back from the file. Returns how many were deleted. A save that fails takes the
// marks back, so file and list stay as they were, and throws EJournalError saying that nothing
// was deleted. A load that fails after the save is reported as such (the records are gone
// from the file).
size_t deleteJournalRange(Journal& journal, const JournalRange& range);

// --- the printed list ---

// The page header and the two lines of a record as data, in the printer's low-metric units.
struct JournalPrintText {
    int x = 0;
    int y = 0;
    std::string text;
    bool operator==(const JournalPrintText&) const = default;
};

inline constexpr int kJournalFirstLineY = -350;
inline constexpr int kJournalRecordPitch = 150;
inline constexpr int kJournalSecondLineOffset = 50;
// A record whose first line would lie below this starts a new page: 16 records a page.
inline constexpr int kJournalLowestLineY = -2600;

// The texts of one record: its first line at y, its second line 50 below. "Kto.: " and "BLZ: "
// items print only for fields that are not empty.
std::vector<JournalPrintText>
journalRecordTexts(const TJournal& r, int y, const FormatSettings& fs = FormatSettings::german());

// Prints the selected records of the list on the printer as it is set up: an empty job title,
// one document, the page header on every page, 16 records a page. A printer error abandons the
// document and propagates. Returns the number of pages.
int printJournalRange(Printer& printer, const std::vector<TJournal>& list,
                      const JournalRange& range,
                      const FormatSettings& fs = FormatSettings::german());

} // namespace formidor
