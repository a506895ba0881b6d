#pragma once
// What the folder browse dialog decides without any window: the status line's shortened path,
// the caption tables and their choice by language, the new-folder button's geometry and the
// path of a folder to create.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace formidor::dialogs {

enum class TBrowseInfoFlags : uint8_t {
    OnlyComputers,
    OnlyPrinters,
    OnlyDomains,
    OnlyAncestors,
    OnlyFileSystem,
    ShowPath,
};

// A set of TBrowseInfoFlags in one byte, bit n for ordinal n.
class TBrowseInfoFlagSet {
public:
    constexpr TBrowseInfoFlagSet() = default;
    constexpr TBrowseInfoFlagSet(std::initializer_list<TBrowseInfoFlags> flags) {
        for (auto f : flags) bits_ |= bit(f);
    }
    constexpr bool contains(TBrowseInfoFlags f) const { return bits_ & bit(f); }
    constexpr uint8_t bits() const { return bits_; }
    constexpr bool operator==(const TBrowseInfoFlagSet&) const = default;

private:
    static constexpr uint8_t bit(TBrowseInfoFlags f) { return uint8_t(1u << uint8_t(f)); }
    uint8_t bits_ = 0;
};

// The browse flag word handed to a folder browser: the OR of each set flag's value
// (OnlyComputers 0x1000, OnlyPrinters 0x2000, OnlyDomains 0x2, OnlyAncestors 0x8,
// OnlyFileSystem 0x1, ShowPath 0x4).
uint32_t browseFlagWord(TBrowseInfoFlagSet flags);

enum class TSHFolders : uint8_t {
    foDesktop,
    foDesktopExpanded,
    foPrograms,
    foControlPanel,
    foPrinters,
    foPersonal,
    foFavorites,
    foStartup,
    foRecent,
    foSendto,
    foRecycleBin,
    foStartMenu,
    foDesktopFolder,
    foMyComputer,
    foNetwork,
    foNetworkNeighborhood,
    foFonts,
    foTemplates,
};

// Where a root choice puts the browser's tree on this system.
enum class RootPlace {
    Computer, // the whole file system below "/", with the home folder opened
    FileSystem,
    Home,
    Desktop,
};
struct RootFolderInfo {
    int csidl;       // the special-folder number the choice stands for; -1: no root at all
    RootPlace place; // choices without a folder of their own here show the computer
};
RootFolderInfo rootFolderInfo(TSHFolders f);

// The status line's path: at most n characters (code points), the first component kept and
// leading components of the rest replaced by "..." (C:\...\Sicherungen\Formulare,
// /.../Sicherungen/Formulare). A path beginning with two separators is a network path whose
// server stays (\\server\...\dir). `sep` is the path separator.
std::string ShortenPath(std::string_view path, size_t n, char sep = '/');

// The caption tables: entries "name=value", name a language identifier in four upper-case
// hexadecimal digits or "Default".
const std::vector<std::string>& DefaultLabelCaptions();
const std::vector<std::string>& DefaultNewFolderCaptions();
// The value of the entry named `locale`, else of "Default", else of the first entry; empty
// for an empty list.
std::string ChooseCaption(const std::vector<std::string>& list, std::string_view locale);
// The language identifier of a locale name such as "de_DE", "de_AT.UTF-8", "fr-CA" or "C" as
// four upper-case hexadecimal digits ("0407"). A territory without an identifier of its own
// takes the language's main one ("de_BE" → "0407"); an unknown language gives "0000".
std::string LanguageIdentifier(std::string_view localeName);

// The new-folder button in the browser's lower left corner, by the screen's pixels per inch.
struct ButtonGeometry {
    int left;
    int topFromBottom; // distance of the top from the client area's bottom
    int width;
    int height;
};
ButtonGeometry NewFolderButtonGeometry(int pixelsPerInch, int captionBarHeight);
// The button's width for a caption `textWidth` pixels wide: the text width plus 12, but at
// least the width of the standard button at this resolution.
int NewFolderButtonWidth(int pixelsPerInch, int textWidth);

// The folder the new-folder command creates: `name` below `selected`, with one separator
// between them unless the name starts with one or the selection ends with one.
std::string NewFolderPath(std::string_view selected, std::string_view name, char sep = '/');

} // namespace formidor::dialogs
