#include "dialogs/folderbrowse.h"

#include "platform/text.h"

#include <gtest/gtest.h>

namespace formidor::dialogs {
namespace {

TEST(ShortenPath, KeepsTheFirstComponentAndTheLastOnes) {
    const std::string x60(60, 'x');
    std::string a44;
    for (int i = 0; i < 44; ++i) a44 += "ä";
    struct Case {
        std::string path;
        char sep;
        std::string shortened;
    } cases[] = {
        {"C:\\Daten\\Formulare", '\\', "C:\\Daten\\Formulare"},
        {"C:\\" + std::string(47, 'a'), '\\', "C:\\" + std::string(47, 'a')}, // exactly 50
        {x60, '\\', std::string(50, 'x')},                                    // no separator
        {"C:\\" + x60, '\\', ("C:\\" + x60).substr(0, 50)},                   // one separator only
        {"C:\\Dokumente und Einstellungen\\Benutzer\\Eigene Dateien\\Sicherungen\\Formulare", '\\',
         "C:\\...\\Eigene Dateien\\Sicherungen\\Formulare"},
        {"\\\\server\\freigabe\\Dokumente und Einstellungen\\Benutzer\\Eigene Dateien\\Formulare",
         '\\', "\\\\server\\...\\Benutzer\\Eigene Dateien\\Formulare"},
        // The last component alone is too long: cut, with "..." at the end.
        {"C:\\a\\" + x60, '\\', ("C:\\...\\" + x60).substr(0, 47) + "..."},
        {"/home/jürgen/Dokumente/Sicherungen/Formidor/2026/Dezember/Woche 50", '/',
         "/.../Sicherungen/Formidor/2026/Dezember/Woche 50"},
        // Characters count, not bytes.
        {"/home/" + a44, '/', "/home/" + a44},
    };
    for (const auto& c : cases) {
        std::string s = ShortenPath(c.path, 50, c.sep);
        EXPECT_EQ(s, c.shortened) << c.path;
        EXPECT_LE(utf8Length(s), 50u) << c.path;
    }
    EXPECT_EQ(ShortenPath("C:\\abc\\def\\ghi", 5, '\\'), "C:\\ab"); // below 6: simply cut
}

TEST(Captions, ChosenByTheLanguageOfTheLocale) {
    struct Case {
        const char* locale;
        const char* id;
        const char* label;
        const char* button;
    } cases[] = {
        {"de_DE.UTF-8", "0407", "Ausgewählter Ordner:", "Neuer Ordner"},
        {"de_AT", "0C07", "Ausgewählter Ordner:", "Neuer Ordner"},
        {"de_BE", "0407", "Ausgewählter Ordner:", "Neuer Ordner"},
        {"fr-CA", "0C0C", "Dossier Courant:", "Nouveau Dossier"},
        {"it_CH", "0810", "Cartella selezionata:", "Nuova Cartella"},
        {"en_TT", "2C09", "Current folder:", "New folder"},
        {"pl_PL", "0415", "Bieżący folder", "Nowy folder"},
        {"pt_BR", "0416", "Pasta Atual:", "Nova Pasta"},
        {"pt_PT", "0816", "Current folder:", "New folder"}, // no entry: "Default"
        {"sv_SE", "041D", "Current folder:", "New folder"},
        {"C", "0000", "Current folder:", "New folder"},
    };
    for (const auto& c : cases) {
        const std::string id = LanguageIdentifier(c.locale);
        EXPECT_EQ(id, c.id) << c.locale;
        EXPECT_EQ(ChooseCaption(DefaultLabelCaptions(), id), c.label) << c.locale;
        EXPECT_EQ(ChooseCaption(DefaultNewFolderCaptions(), id), c.button) << c.locale;
    }
    EXPECT_EQ(DefaultLabelCaptions().size(), 29u);
    EXPECT_EQ(DefaultNewFolderCaptions()[27], "2809=New folder");
    EXPECT_EQ(ChooseCaption({"0407=Ordner", "0409=Folder"}, "0415"), "Ordner"); // first entry
    EXPECT_EQ(ChooseCaption({}, "0407"), "");
}

TEST(NewFolderButton, GeometryByPixelsPerInch) {
    struct Case {
        int ppi, captionBar;
        ButtonGeometry g;
    } cases[] = {
        {72, 0, {12, 36, 75, 23}},   {96, 0, {12, 36, 75, 23}},   {120, 0, {15, 45, 93, 28}},
        {144, 0, {17, 56, 112, 35}}, {192, 0, {20, 66, 150, 41}}, {110, 22, {13, 39, 85, 26}},
    };
    for (const auto& c : cases) {
        ButtonGeometry g = NewFolderButtonGeometry(c.ppi, c.captionBar);
        EXPECT_EQ((std::vector<int>{g.left, g.topFromBottom, g.width, g.height}),
                  (std::vector<int>{c.g.left, c.g.topFromBottom, c.g.width, c.g.height}))
            << c.ppi;
    }
    EXPECT_EQ(NewFolderButtonWidth(96, 40), 75);
    EXPECT_EQ(NewFolderButtonWidth(96, 100), 112);
    EXPECT_EQ(NewFolderButtonWidth(72, 20), 75);
    EXPECT_EQ(NewFolderButtonWidth(192, 20), 150);
}

TEST(NewFolder, PathBelowTheSelection) {
    EXPECT_EQ(NewFolderPath("C:\\Daten", "Archiv", '\\'), "C:\\Daten\\Archiv");
    EXPECT_EQ(NewFolderPath("C:\\", "Archiv", '\\'), "C:\\Archiv");
    EXPECT_EQ(NewFolderPath("/home/anna", "Archiv"), "/home/anna/Archiv");
    EXPECT_EQ(NewFolderPath("/home/anna", "/Archiv"), "/home/anna/Archiv");
    EXPECT_EQ(NewFolderPath("/", "Archiv"), "/Archiv");
}

TEST(BrowseFlags, OneByteAndTheBrowserWord) {
    using F = TBrowseInfoFlags;
    EXPECT_EQ(TBrowseInfoFlagSet{F::ShowPath}.bits(), 0x20);
    EXPECT_EQ(browseFlagWord({F::ShowPath}), 0x4u);
    EXPECT_EQ(browseFlagWord({F::OnlyComputers, F::OnlyPrinters, F::OnlyDomains, F::OnlyAncestors,
                              F::OnlyFileSystem, F::ShowPath}),
              0x300Fu);
    EXPECT_EQ(rootFolderInfo(TSHFolders::foDesktopExpanded).csidl, -1);
    EXPECT_EQ(rootFolderInfo(TSHFolders::foTemplates).csidl, 21);
    EXPECT_EQ(rootFolderInfo(TSHFolders::foDesktopFolder).place, RootPlace::Desktop);
}

} // namespace
} // namespace formidor::dialogs
