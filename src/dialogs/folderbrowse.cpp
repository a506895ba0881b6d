#include "dialogs/folderbrowse.h"

#include "platform/text.h"

#include <algorithm>
#include <cstdio>

namespace formidor::dialogs {

uint32_t browseFlagWord(TBrowseInfoFlagSet flags) {
    static constexpr std::pair<TBrowseInfoFlags, uint32_t> kWord[] = {
        {TBrowseInfoFlags::OnlyComputers, 0x1000}, {TBrowseInfoFlags::OnlyPrinters, 0x2000},
        {TBrowseInfoFlags::OnlyDomains, 0x2},      {TBrowseInfoFlags::OnlyAncestors, 0x8},
        {TBrowseInfoFlags::OnlyFileSystem, 0x1},   {TBrowseInfoFlags::ShowPath, 0x4},
    };
    uint32_t w = 0;
    for (auto [f, v] : kWord)
        if (flags.contains(f)) w |= v;
    return w;
}

RootFolderInfo rootFolderInfo(TSHFolders f) {
    using P = RootPlace;
    // Indexed by TSHFolders. Virtual folders of the other system (control panel, printers,
    // network, ...) have no folder here; they show the computer like the desktop does.
    static constexpr RootFolderInfo kInfo[] = {
        {0, P::Computer},  {-1, P::Computer},   {2, P::Computer},  {3, P::Computer},
        {4, P::Computer},  {5, P::Home},        {6, P::Computer},  {7, P::Computer},
        {8, P::Computer},  {9, P::Computer},    {10, P::Computer}, {11, P::Computer},
        {16, P::Desktop},  {17, P::FileSystem}, {18, P::Computer}, {19, P::Computer},
        {20, P::Computer}, {21, P::Computer},
    };
    return kInfo[static_cast<size_t>(f)];
}

namespace {

std::u32string decode(std::string_view s) {
    std::u32string out;
    size_t pos = 0;
    while (pos < s.size()) out.push_back(decodeUtf8(s, pos));
    return out;
}

std::string encode(std::u32string_view s) {
    std::string out;
    for (char32_t c : s) appendUtf8(out, c);
    return out;
}

} // namespace

std::string ShortenPath(std::string_view path8, size_t n, char sep8) {
    const std::u32string path = decode(path8);
    const char32_t sep = static_cast<unsigned char>(sep8);
    auto firstN = [&](size_t k) { return encode(std::u32string_view(path).substr(0, k)); };
    if (path.size() <= n || n < 6 || path.find(sep) == std::u32string::npos) return firstN(n);
    if (std::count(path.begin() + std::min<size_t>(2, path.size()), path.end(), sep) < 2)
        return firstN(n);

    std::u32string result;
    std::u32string rest = path;
    // Only a path beginning with two separators is a network path; a single leading one is
    // the root of this file system and is kept like a drive.
    if (rest.size() >= 2 && rest[0] == sep && rest[1] == sep) {
        result = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    size_t first = rest.find(sep);
    result += rest.substr(0, first + 1);
    result += U"...";
    rest.erase(0, first + 1);
    while (result.size() + rest.size() >= n) {
        size_t next = rest.find(sep);
        if (next == std::u32string::npos) break;
        rest.erase(0, next + 1);
    }
    std::u32string joined = result + sep + rest;
    if (result.size() + rest.size() >= n) return encode(joined.substr(0, n - 3)) + "...";
    return encode(joined);
}

namespace {

// The identifiers beyond the first ten entries, each with the language its text is taken from.
constexpr std::pair<const char*, char> kRegional[] = {
    {"0807", 'd'}, {"0809", 'e'}, {"080C", 'f'}, {"0810", 'i'}, {"0C07", 'd'},
    {"0C09", 'e'}, {"0C0C", 'f'}, {"1007", 'd'}, {"1009", 'e'}, {"100C", 'f'},
    {"1407", 'd'}, {"1409", 'e'}, {"140C", 'f'}, {"1809", 'e'}, {"180C", 'f'},
    {"1C09", 'e'}, {"2009", 'e'}, {"2809", 'e'}, {"2C09", 'e'},
};

struct Texts {
    const char *en, *da, *de, *fr, *it, *nl, *pl, *pt;
};

std::vector<std::string> table(const Texts& t) {
    std::vector<std::string> v = {
        std::string("Default=") + t.en, std::string("0009=") + t.en, std::string("0406=") + t.da,
        std::string("0407=") + t.de,    std::string("0409=") + t.en, std::string("040C=") + t.fr,
        std::string("0410=") + t.it,    std::string("0413=") + t.nl, std::string("0415=") + t.pl,
        std::string("0416=") + t.pt,
    };
    for (auto [id, lang] : kRegional) {
        const char* text = lang == 'd' ? t.de : lang == 'e' ? t.en : lang == 'f' ? t.fr : t.it;
        v.push_back(std::string(id) + "=" + text);
    }
    return v;
}

} // namespace

const std::vector<std::string>& DefaultLabelCaptions() {
    static const std::vector<std::string> v =
        table({"Current folder:", "Valgt mappe:", "Ausgewählter Ordner:", "Dossier Courant:",
               "Cartella selezionata:", "Huidige map:", "Bieżący folder", "Pasta Atual:"});
    return v;
}

const std::vector<std::string>& DefaultNewFolderCaptions() {
    static const std::vector<std::string> v =
        table({"New folder", "Ny mappe", "Neuer Ordner", "Nouveau Dossier", "Nuova Cartella",
               "Nieuwe map", "Nowy folder", "Nova Pasta"});
    return v;
}

std::string ChooseCaption(const std::vector<std::string>& list, std::string_view locale) {
    if (list.empty()) return {};
    auto valueOf = [&](std::string_view name) -> const std::string* {
        for (const auto& e : list) {
            std::string_view entry = e;
            size_t eq = entry.find('=');
            if (entry.substr(0, eq) == name) return &e;
        }
        return nullptr;
    };
    const std::string* e = valueOf(locale);
    if (!e) e = valueOf("Default");
    if (!e) e = &list.front();
    size_t eq = e->find('=');
    return eq == std::string::npos ? std::string() : e->substr(eq + 1);
}

std::string LanguageIdentifier(std::string_view name) {
    struct Language {
        const char* code;
        unsigned primary;
        // Territories in the order of their sublanguage numbers 1, 2, 3, ...
        std::vector<const char*> territories;
    };
    static const Language kLanguages[] = {
        {"da", 0x06, {"DK"}},
        {"de", 0x07, {"DE", "CH", "AT", "LU", "LI"}},
        {"en", 0x09, {"US", "GB", "AU", "CA", "NZ", "IE", "ZA", "JM", "029", "BZ", "TT"}},
        {"fr", 0x0C, {"FR", "BE", "CA", "CH", "LU", "MC"}},
        {"it", 0x10, {"IT", "CH"}},
        {"nl", 0x13, {"NL", "BE"}},
        {"pl", 0x15, {"PL"}},
        {"pt", 0x16, {"BR", "PT"}},
        {"es", 0x0A, {"ES"}},
        {"fi", 0x0B, {"FI"}},
        {"sv", 0x1D, {"SE", "FI"}},
    };
    size_t end = name.find_first_of(".@");
    std::string_view locale = name.substr(0, end);
    size_t us = locale.find_first_of("_-");
    std::string lang = lowerAscii(locale.substr(0, us));
    std::string territory = us == std::string_view::npos ? "" : upperAscii(locale.substr(us + 1));
    unsigned id = 0;
    for (const auto& l : kLanguages) {
        if (lang != l.code) continue;
        // A territory without a number of its own takes the language's main one, so that a
        // German speaker anywhere gets German captions.
        unsigned sub = 1;
        for (size_t i = 0; i < l.territories.size(); ++i)
            if (territory == l.territories[i]) sub = static_cast<unsigned>(i + 1);
        id = sub << 10 | l.primary;
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", id);
    return buf;
}

ButtonGeometry NewFolderButtonGeometry(int p, int captionBarHeight) {
    switch (p) {
    case 72:
    case 96:
        return {12, 36, 75, 23};
    case 120:
        return {15, 45, 93, 28};
    case 144:
        return {17, 56, 112, 35};
    case 192:
        return {20, 66, 150, 41};
    default:
        return {p * 12 / 96, captionBarHeight + 17, p * 75 / 96, p * 23 / 96};
    }
}

int NewFolderButtonWidth(int p, int textWidth) {
    const int least = p == 72 ? 75 : p * 75 / 96;
    return std::max(textWidth + 12, least);
}

std::string NewFolderPath(std::string_view selected, std::string_view name, char sep) {
    std::string path(selected);
    if (!(!name.empty() && name.front() == sep) && !(!selected.empty() && selected.back() == sep))
        path += sep;
    path += name;
    return path;
}

} // namespace formidor::dialogs
