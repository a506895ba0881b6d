#include "addressbook/datamanagement.h"

#include "addressbook/addressbook.h"
#include "platform/convert.h"
#include "platform/hive.h"

#include <array>

namespace formidor {

namespace {

std::string collectionPath(std::string_view collection) {
    return "\\" + std::string(kAppKey) + "\\" + std::string(collection);
}

// Only strings are ever written; anything else (an imported integer) shows as empty.
std::string readText(TRegistry& reg, std::string_view value) {
    try {
        return reg.ReadString(value);
    } catch (const ERegistryException&) {
        return {};
    }
}

// The values of a record, or nullopt when it cannot be opened. The record is looked up inside
// its collection without creating it.
template <size_t N>
std::optional<std::array<std::string, N>> readValues(std::string_view collection,
                                                     std::string_view name,
                                                     const std::array<std::string_view, N>& names) {
    if (name.empty()) return std::nullopt;
    try {
        TRegistry reg;
        if (!reg.OpenKey(collectionPath(collection) + "\\" + std::string(name), false))
            return std::nullopt;
        std::array<std::string, N> out;
        for (size_t i = 0; i < N; ++i) out[i] = readText(reg, names[i]);
        return out;
    } catch (const ERegistryException&) {
        return std::nullopt;
    }
}

constexpr std::array<std::string_view, 3> kListValues{"Kontonr", "Institut", "BLZ"};
constexpr std::array<std::string_view, 6> kRecipientDetails{
    "Kontonr", "Institut", "BLZ", "Empfaenger2", "Empfaenger3", "Empfaenger4"};

constexpr std::array<const char*, 4> kColumnTitles{"Kontoinhaber", "Kontonummer", "Institut",
                                                   "BLZ"};

TFont listFont(int height) {
    TFont f;
    f.Name = "Arial";
    f.Height = height;
    f.Color = clBlack; // the window text colour
    return f;
}

} // namespace

EListError::EListError(int index)
    : std::runtime_error("Listenindex außerhalb des gültigen Bereichs (" + std::to_string(index) +
                         ")") {}

void checkListIndex(int index, int count) {
    if (index < 0 || index >= count) throw EListError(index);
}

std::vector<std::string> collectionNames(std::string_view collection) {
    try {
        TRegistry reg;
        if (!reg.OpenKey(collectionPath(collection), true)) return {};
        return reg.GetKeyNames();
    } catch (const ERegistryException&) {
        return {};
    }
}

std::optional<std::vector<std::string>> recordDetails(std::string_view collection,
                                                      std::string_view name) {
    if (collection == kUeberwE) {
        auto v = readValues(collection, name, kRecipientDetails);
        if (!v) return std::nullopt;
        return std::vector<std::string>(v->begin(), v->end());
    }
    auto v = readValues(collection, name, kListValues);
    if (!v) return std::nullopt;
    return std::vector<std::string>(v->begin(), v->end());
}

void deleteRecord(std::string_view collection, std::string_view name) {
    if (name.empty()) return;
    TRegistry reg;
    if (!reg.OpenKey(collectionPath(collection), false)) return;
    // Inside the collection by its absolute path, so no name can reach keys elsewhere.
    reg.DeleteKey(collectionPath(collection) + "\\" + std::string(name));
    reg.CloseKey();
}

void applyAddressListDesign(TSimpleTextGridPrintJob& job) {
    job.LockUpdate();
    job.SetHeaderFont(listFont(-16));
    job.SetPageFont(listFont(-12));
    job.SetFooterFont(listFont(-16));
    job.SetColCount(4);
    job.SetRowsPerPage(25);
    job.SetTableBorders(kAllCellBorders);
    job.SetHeaderCellBorders(kAllCellBorders);
    job.SetPageCellBorders(kAllCellBorders);
    job.SetIndexColumn(true);
    job.SetIndexStart(1);
    job.SetTitle(kAddressListTitle);
    // The margins are checked against the sheet when they are set, so the options that make
    // them count and the landscape sheet come first.
    job.SetOptions(TJobOptionsSet{joMargins, joHeader});
    job.SetOrientation(orLandscape);
    job.SetPageWidth(6600.0);
    job.SetPageHeight(5100.0);
    job.SetHeader(0.5);
    job.SetHeaderUnits(unInches);
    job.SetMargins(TMargins{100.0, 117.0, 150.0, 150.0});
    job.UnlockUpdate();
    job.Loaded();
    job.Update();
}

int addressListColWidth(double pageWidth, int col) {
    return static_cast<int>(Round(pageWidth * (col == IndexColumnIndex ? 250 : 1500) / 7014));
}

void setupAddressListJob(TSimpleTextGridPrintJob& job, std::string_view collection,
                         ListEntry entry) {
    applyAddressListDesign(job);
    job.SetOnColWidth([](TCustomGridPrintJob& sender, Canvas&, int col, int& width) {
        width = addressListColWidth(sender.PageWidth(), col);
    });
    job.SetOnCellText([collection = std::string(collection), entry = std::move(entry)](
                          TCustomGridPrintJob&, int, int col, int row, std::string& text) {
        if (row == HeaderRowIndex) {
            if (col >= 0 && col < int(kColumnTitles.size())) text = kColumnTitles[col];
            return;
        }
        if (row == FooterRowIndex || row < 0) return;
        if (col == IndexColumnIndex) {
            text = std::to_string(row + 1);
            return;
        }
        if (col < 0 || col > 3) return;
        const auto name = entry ? entry(row) : std::nullopt;
        if (!name) return;
        const auto values = readValues(collection, *name, kListValues);
        if (!values) return;
        text = col == 0 ? *name : (*values)[col - 1];
    });
}

} // namespace formidor
