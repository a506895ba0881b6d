#pragma once
// What the data management page does with the address book, free of any widget: the names of a
// collection, the detail lines of one record, deleting a record with everything below it, and
// the two address lists as grid print jobs whose cells are read from the hive as they are drawn.
#include "printjob/PJSimpleTextGrid.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace formidor {

// An entry of a list was asked for that the list does not have (no entry selected is −1).
class EListError : public std::runtime_error {
public:
    explicit EListError(int index);
};
// Throws EListError unless 0 ≤ index < count.
void checkListIndex(int index, int count);

// The subkey names of a collection in the order the hive enumerates them, the collection created
// when missing; empty when it cannot be opened.
std::vector<std::string> collectionNames(std::string_view collection);

// The detail lines of a record after its name: Kontonr, Institut, BLZ, and for recipients also
// Empfaenger2, Empfaenger3, Empfaenger4; a missing value is an empty line. Looking never creates
// a record: a name whose record has gone (deleted by another instance) gives nullopt.
std::optional<std::vector<std::string>> recordDetails(std::string_view collection,
                                                      std::string_view name);

// Deletes the named record of the collection with all its subkeys. An empty name would be the
// collection itself and deletes nothing.
void deleteRecord(std::string_view collection, std::string_view name);

// The stored design of both list jobs (column count, 25 rows a page, borders, fonts, margins,
// header, landscape, index column) and the title they carry to the printer spooler.
inline constexpr const char* kAddressListTitle = "Formidor 2004 - Übersicht aller Auftraggeber";
void applyAddressListDesign(TSimpleTextGridPrintJob& job);

// The name of list entry row, or nullopt when the list has no such entry.
using ListEntry = std::function<std::optional<std::string>(int row)>;

// The list of a collection: the design above, column widths from the page width, the column
// titles "Kontoinhaber", "Kontonummer", "Institut", "BLZ", and for data row r its number r + 1,
// the name of entry r and that record's Kontonr, Institut and BLZ, read afresh for every cell.
// A record that cannot be opened leaves its cells empty. RowCount is the caller's to set.
void setupAddressListJob(TSimpleTextGridPrintJob& job, std::string_view collection,
                         ListEntry entry);

// The width of column col (−1 the index column) on a page pageWidth pixels wide.
int addressListColWidth(double pageWidth, int col);

} // namespace formidor
