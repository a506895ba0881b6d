// The settings store over a stand-in printer page: what it reads into the page, what it
// writes back, and how it copes with missing, mistyped and unusable values.
#include "app/settings.h"

#include "common/testenv.h"
#include "platform/convert.h"
#include "platform/hive.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace formidor {
namespace {

using settings::LoadForm;

// Records what the store does to the page. Orientation and feed are tri-state like a pair of
// radio buttons: neither checked until something checks one.
struct FakePage : CalibrationControls {
    std::map<std::string, std::string> offsets; // "KVU" → text
    std::map<char, int> orientation;            // 1 normal, 0 hochkant; absent: neither
    std::map<char, int> feed;                   // 1 rechts, 0 links
    std::map<char, bool> same;
    std::map<char, std::vector<std::string>> font;
    std::vector<std::string> log;

    FakePage() {
        for (char c : kFormCodes) {
            offsets[std::string("KV") + c] = "0";
            offsets[std::string("KH") + c] = "0";
            same[c] = true;
        }
    }
    std::string offsetText(char c, bool h) const override {
        return offsets.at(std::string(h ? "KV" : "KH") + c);
    }
    bool isNormal(char c) const override { return orientation.count(c) && orientation.at(c) == 1; }
    bool isHochkant(char c) const override {
        return orientation.count(c) && orientation.at(c) == 0;
    }
    bool isRightFeed(char c) const override { return feed.count(c) && feed.at(c) == 1; }
    bool isLeftFeed(char c) const override { return feed.count(c) && feed.at(c) == 0; }
    void setOffsetText(char c, bool h, const std::string& t) override {
        offsets[std::string(h ? "KV" : "KH") + c] = t;
        log.push_back(std::string(h ? "KV" : "KH") + c);
    }
    void checkOrientation(char c, bool normal) override { orientation[c] = normal; }
    void checkFeed(char c, bool right) override { feed[c] = right; }
    bool sameAsTransfer(char c) const override { return same.at(c); }
    void setSameAsTransfer(char c, bool v) override { same[c] = v; }
    void showFont(char c, const std::string& n, const std::string& s,
                  const std::string& st) override {
        font[c] = {n, s, st};
    }
};

struct FakePrinters : PrinterSelection {
    int count = 3;
    int index = 1;
    int printerCount() const override { return count; }
    int printerIndex() const override { return index; }
    void setPrinterIndex(int i) override { index = i; }
};

class SettingsStore : public ::testing::Test {
protected:
    test::ScopedDataHome home;

    TRegistry& key() {
        reg_.OpenKey(std::string("\\") + std::string(kAppKey), true);
        return reg_;
    }

private:
    TRegistry reg_;
};

TEST_F(SettingsStore, FirstStartShowsDefaultsAndWritesOnlyTheFonts) {
    FakePage page;
    FakePrinters printers;
    settings::LoadSettings(page, &printers, LoadForm::Start);

    for (char c : kFormCodes) {
        EXPECT_EQ(page.offsetText(c, true), "0");
        EXPECT_EQ(page.offsetText(c, false), "0");
        EXPECT_EQ(page.font[c],
                  (std::vector<std::string>{"Schrift: Courier New", "Größe: 8", "Stil: Fett"}))
            << c;
        EXPECT_EQ(key().ReadString(settings::valueName("FontName", c)), "Courier New");
        EXPECT_EQ(key().ReadInteger(settings::valueName("FontSize", c)), 8);
        EXPECT_TRUE(key().ReadBool(settings::valueName("FontBold", c)));
        EXPECT_FALSE(page.orientation.count(c)) << "neither orientation button is checked";
        if (hasOrientation(c)) {
            EXPECT_TRUE(page.isLeftFeed(c)) << c;
        }
    }
    EXPECT_EQ(key().GetValueNames().size(), 21u);
    EXPECT_EQ(printers.index, -1);
}

TEST_F(SettingsStore, FirstSaveWritesEveryCalibrationValue) {
    FakePage page;
    settings::LoadSettings(page, nullptr, LoadForm::Start);
    settings::SaveSettings(page, nullptr);
    for (char c : kFormCodes) {
        EXPECT_EQ(key().ReadInteger(settings::valueName("KV", c)), 0);
        EXPECT_EQ(key().ReadInteger(settings::valueName("KH", c)), 0);
        if (hasOrientation(c)) {
            EXPECT_FALSE(key().ReadBool(settings::valueName("Orientation", c)));
            EXPECT_FALSE(key().ReadBool(settings::valueName("rechts", c)));
        } else {
            EXPECT_FALSE(key().ValueExists("OrientationN"));
            EXPECT_FALSE(key().ValueExists("rechtsN"));
        }
        if (c != 'U') {
            EXPECT_TRUE(key().ReadBool(std::string(1, c) + "gleichU"));
        }
    }
    EXPECT_FALSE(key().ValueExists("Printer"));
}

TEST_F(SettingsStore, SavedCalibrationLoadsBackExactly) {
    FakePage page;
    page.offsets["KVU"] = "12";
    page.offsets["KHU"] = "-7";
    page.offsets["KHN"] = "5000";
    page.offsets["KVA"] = "-5000";
    page.orientation['U'] = 1;
    page.orientation['A'] = 0;
    page.feed['V'] = 1;
    page.same['L'] = false;
    FakePrinters printers;
    settings::SaveSettings(page, &printers);
    EXPECT_EQ(key().ReadInteger("Printer"), 1);

    FakePage shown;
    FakePrinters other;
    other.index = 2;
    settings::LoadSettings(shown, &other, LoadForm::Page);
    EXPECT_EQ(shown.offsets, page.offsets);
    EXPECT_TRUE(shown.isNormal('U'));
    EXPECT_TRUE(shown.isHochkant('A'));
    EXPECT_TRUE(shown.isHochkant('V'));
    EXPECT_TRUE(shown.isRightFeed('V'));
    EXPECT_TRUE(shown.isLeftFeed('U'));
    EXPECT_FALSE(shown.same['L']);
    EXPECT_TRUE(shown.same['V']);
    EXPECT_TRUE(shown.font.empty()) << "the page form leaves the fonts alone";
    EXPECT_EQ(other.index, 1);
    EXPECT_FALSE(key().ValueExists("FontNameU"));
}

TEST_F(SettingsStore, BadOffsetStopsTheSaveWithEarlierValuesStored) {
    FakePage page;
    page.offsets["KHU"] = "1";
    page.offsets["KVU"] = "2";
    page.offsets["KHA"] = "3";
    page.offsets["KVA"] = "abc";
    page.offsets["KHV"] = "4";
    page.feed['U'] = 1;
    FakePrinters printers;
    try {
        settings::SaveSettings(page, &printers);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' ist kein gültiger Integerwert");
    }
    EXPECT_EQ(key().ReadInteger("KHU"), 1);
    EXPECT_EQ(key().ReadInteger("KVU"), 2);
    EXPECT_EQ(key().ReadInteger("KHA"), 3);
    EXPECT_TRUE(key().ValueExists("OrientationS")) << "orientations come before the offsets";
    for (const char* later : {"KVA", "KHV", "rechtsU", "VgleichU", "Printer"})
        EXPECT_FALSE(key().ValueExists(later)) << later;
}

TEST_F(SettingsStore, MissingAndMistypedValuesFallBackQuietly) {
    key().WriteString("KHL", "12"); // text instead of a number
    key().WriteInteger("VgleichU", 0);
    key().WriteInteger("rechtsP", 5); // any non-zero number is true
    key().WriteString("OrientationU", "1");
    key().WriteInteger("FontSizeV", 11);
    key().WriteString("FontNameV", "Arial");
    key().WriteInteger("FontSizeP", 10); // FontNameP missing alone
    key().WriteBool("FontBoldP", false);
    key().WriteInteger("Printer", 7);

    FakePage page;
    page.orientation['U'] = 0;
    FakePrinters printers;
    settings::LoadSettings(page, &printers, LoadForm::Start);

    EXPECT_EQ(page.offsetText('L', false), "0");
    EXPECT_FALSE(page.same['V']);
    EXPECT_TRUE(page.isRightFeed('P'));
    EXPECT_TRUE(page.isHochkant('U')) << "an unreadable orientation leaves the buttons";
    // FontBoldV missing: all three V values are rewritten to the defaults.
    EXPECT_EQ(page.font['V'],
              (std::vector<std::string>{"Schrift: Courier New", "Größe: 8", "Stil: Fett"}));
    EXPECT_EQ(key().ReadString("FontNameV"), "Courier New");
    EXPECT_EQ(key().ReadInteger("FontSizeV"), 8);
    // FontNameP missing alone stays missing and shows nothing after the caption.
    EXPECT_EQ(page.font['P'], (std::vector<std::string>{"Schrift: ", "Größe: 10", ""}));
    EXPECT_FALSE(key().ValueExists("FontNameP"));
    EXPECT_EQ(printers.index, -1) << "index 7 with three printers selects the default";

    settings::SaveSettings(page, nullptr);
    EXPECT_EQ(key().GetDataType("KHL"), TRegDataType::rdInteger);
    EXPECT_EQ(key().ReadInteger("KHL"), 0);
}

TEST_F(SettingsStore, StoredPrinterIndexIsReappliedWhenInRange) {
    struct Case {
        std::optional<int> stored;
        int expected;
    };
    for (const Case& c : {Case{std::nullopt, -1}, Case{-1, -1}, Case{0, 0}, Case{2, 2}, Case{3, -1},
                          Case{-2, -1}}) {
        if (c.stored)
            key().WriteInteger("Printer", *c.stored);
        else
            key().DeleteValue("Printer");
        FakePrinters printers;
        settings::ReapplyPrinter(printers);
        EXPECT_EQ(printers.index, c.expected) << (c.stored ? *c.stored : 99);
    }
}

TEST_F(SettingsStore, SingleValueStores) {
    settings::storeOffset('N', false, "-42");
    EXPECT_EQ(key().ReadInteger("KHN"), -42);
    EXPECT_THROW(settings::storeOffset('N', true, "4,5"), EConvertError);
    EXPECT_FALSE(key().ValueExists("KVN"));
    settings::storeOrientation('A', false);
    settings::storeFeed('U', true);
    EXPECT_FALSE(key().ReadBool("OrientationA"));
    EXPECT_TRUE(key().ReadBool("rechtsU"));
    settings::EOrtExit("Köln");
    EXPECT_EQ(settings::Ausstellort(), "Köln");
    key().WriteString("Empfänger", "Müller");
    EXPECT_EQ(settings::Empfaenger(), "Müller");
}

TEST_F(SettingsStore, FontChoiceBoldRules) {
    struct Case {
        const char* what;
        settings::FontChoice choice;
        bool storedBefore;
        bool storedAfter;
        std::optional<std::string> label;
    };
    const Case cases[] = {
        {"bold", {"Arial", 10, true, false, false, false}, false, true, "Stil: Fett"},
        {"bold italic", {"Arial", 10, true, true, false, false}, false, true, "Stil: Fett"},
        {"regular", {"Arial", 10, false, false, false, false}, true, false, ""},
        {"italic", {"Arial", 10, false, true, false, false}, true, true, std::nullopt},
        {"bold underline", {"Arial", 10, true, false, true, false}, false, false, std::nullopt},
        {"strike-out", {"Arial", 10, false, false, false, true}, true, true, std::nullopt},
    };
    for (const Case& c : cases) {
        key().WriteBool("FontBoldS", c.storedBefore);
        const auto label = settings::storeFontChoice('S', c.choice);
        EXPECT_EQ(label, c.label) << c.what;
        EXPECT_EQ(key().ReadBool("FontBoldS"), c.storedAfter) << c.what;
        EXPECT_EQ(key().ReadString("FontNameS"), "Arial");
        EXPECT_EQ(key().ReadInteger("FontSizeS"), 10);
    }
    EXPECT_EQ(settings::fontNameLabel('S'), "Schrift: Arial");
    EXPECT_EQ(settings::fontSizeLabel('S'), "Größe: 10");
}

TEST_F(SettingsStore, TransferFontAndOwnCalibration) {
    key().WriteString("FontNameU", "Arial");
    key().WriteInteger("FontSizeU", 12);
    key().WriteBool("FontBoldU", false);
    settings::copyTransferFont('V');
    EXPECT_EQ(settings::readFont('V').name, "Arial");
    EXPECT_EQ(settings::readFont('V').size, 12);
    EXPECT_FALSE(settings::readFont('V').bold);

    // Released without anything stored: "0" and "linken", orientation untouched.
    FakePage page;
    page.offsets["KVV"] = "12";
    page.orientation['V'] = 1;
    page.feed['V'] = 1;
    settings::showStoredCalibration(page, 'V');
    EXPECT_EQ(page.offsetText('V', true), "0");
    EXPECT_TRUE(page.isNormal('V'));
    EXPECT_TRUE(page.isLeftFeed('V'));

    key().WriteInteger("KHN", 9);
    settings::showStoredCalibration(page, 'N');
    EXPECT_EQ(page.offsetText('N', false), "9");
    EXPECT_FALSE(page.feed.count('N'));
}

TEST_F(SettingsStore, UnusableHiveMakesTheOperationsDoNothing) {
    // A damaged hive file: operations must neither throw nor replace it.
    std::filesystem::create_directories(home.appDir());
    test::writeFile(home.appDir() / "registry.sqlite", "this is not a database at all......");
    FakePage page;
    FakePrinters printers;
    EXPECT_NO_THROW(settings::LoadSettings(page, &printers, LoadForm::Start));
    EXPECT_NO_THROW(settings::SaveSettings(page, &printers));
    EXPECT_NO_THROW(settings::EOrtExit("x"));
    EXPECT_TRUE(page.font.empty());
    EXPECT_EQ(test::readFile(home.appDir() / "registry.sqlite"),
              "this is not a database at all......");
}

} // namespace
} // namespace formidor
