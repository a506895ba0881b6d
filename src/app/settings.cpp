#include "app/settings.h"

#include "platform/convert.h"
#include "platform/hive.h"

#include <functional>

namespace formidor::settings {

namespace {

// The calibration values are read and written in these orders; a failing offset in the save
// leaves everything before it stored, so the order is part of the behaviour.
constexpr std::string_view kOrientationOrder = "UAVLPS";
constexpr std::string_view kOffsetOrder = "UAVLPSN";
constexpr std::string_view kFontOrder = "UVLPSAN";
constexpr std::string_view kSameLoadOrder = "VALPNS";
constexpr std::string_view kSameSaveOrder = "VALPSN";

// One accessor on the settings key, opened with creation. `open` is false when the hive cannot
// be used at all; callers then do nothing.
struct Key {
    TRegistry reg;
    bool open = false;
    Key() {
        try {
            open = reg.OpenKey(std::string("\\") + std::string(kAppKey), true);
        } catch (const ERegistryException&) {
            open = false;
        }
    }
    ~Key() { reg.CloseKey(); }

    std::optional<int32_t> integer(const std::string& name) {
        try {
            return reg.ReadInteger(name);
        } catch (const ERegistryException&) {
            return std::nullopt;
        }
    }
    std::optional<bool> flag(const std::string& name) {
        try {
            return reg.ReadBool(name);
        } catch (const ERegistryException&) {
            return std::nullopt;
        }
    }
    std::string text(const std::string& name) {
        try {
            return reg.ReadString(name);
        } catch (const ERegistryException&) {
            return {};
        }
    }
};

std::string offsetName(char code, bool horizontal) {
    return valueName(horizontal ? "KV" : "KH", code);
}

void writeOffset(Key& key, char code, bool horizontal, std::string_view text) {
    const int32_t v = StrToInt(text);
    key.reg.WriteInteger(offsetName(code, horizontal), v);
}

void loadOffsets(Key& key, CalibrationControls& page, char code) {
    for (bool horizontal : {false, true}) {
        const auto v = key.integer(offsetName(code, horizontal));
        page.setOffsetText(code, horizontal, v ? IntToStr(*v) : "0");
    }
}

void loadFonts(Key& key, CalibrationControls& page, char code) {
    const std::string size = valueName("FontSize", code);
    const std::string name = valueName("FontName", code);
    const std::string bold = valueName("FontBold", code);
    // Size, name and bold flag are read in this order; a size or flag that cannot be read
    // replaces all three by the defaults, which are stored at once.
    try {
        const int32_t s = key.reg.ReadInteger(size);
        const std::string n = key.reg.ReadString(name);
        const bool b = key.reg.ReadBool(bold);
        page.showFont(code, "Schrift: " + n, "Größe: " + IntToStr(s), fontStyleLabel(b));
    } catch (const ERegistryException&) {
        key.reg.WriteString(name, kDefaultFontName);
        key.reg.WriteInteger(size, kDefaultFontSize);
        key.reg.WriteBool(bold, kDefaultFontBold);
        const auto s = key.integer(size);
        page.showFont(code, "Schrift: " + key.text(name), "Größe: " + (s ? IntToStr(*s) : ""),
                      fontStyleLabel(true));
    }
}

} // namespace

std::string valueName(std::string_view stem, char formCode) {
    std::string n(stem);
    n += formCode;
    return n;
}

void LoadSettings(CalibrationControls& page, PrinterSelection* printer, LoadForm form) {
    {
        Key key;
        if (!key.open) return;
        for (char c : kOrientationOrder)
            if (auto v = key.flag(valueName("Orientation", c))) page.checkOrientation(c, *v);
        for (char c : kOffsetOrder) loadOffsets(key, page, c);
        for (char c : kOrientationOrder)
            page.checkFeed(c, key.flag(valueName("rechts", c)).value_or(false));
        for (char c : kSameLoadOrder)
            page.setSameAsTransfer(c, key.flag(valueName("", c) + "gleichU").value_or(true));
        if (form == LoadForm::Start)
            for (char c : kFontOrder) loadFonts(key, page, c);
    }
    if (printer) ReapplyPrinter(*printer);
}

void SaveSettings(const CalibrationControls& page, PrinterSelection* withPrinter) {
    Key key;
    if (!key.open) return;
    for (char c : kOrientationOrder)
        key.reg.WriteBool(valueName("Orientation", c), page.isNormal(c));
    for (char c : kOffsetOrder) {
        writeOffset(key, c, false, page.offsetText(c, false));
        writeOffset(key, c, true, page.offsetText(c, true));
    }
    for (char c : kOrientationOrder) key.reg.WriteBool(valueName("rechts", c), page.isRightFeed(c));
    for (char c : kSameSaveOrder)
        key.reg.WriteBool(valueName("", c) + "gleichU", page.sameAsTransfer(c));
    if (withPrinter) {
        try {
            key.reg.WriteInteger("Printer", withPrinter->printerIndex());
        } catch (...) {
            // The printer position is a convenience; losing it must not stop the close.
        }
    }
}

void ReapplyPrinter(PrinterSelection& printer) {
    std::optional<int32_t> stored;
    {
        Key key;
        if (key.open) stored = key.integer("Printer");
    }
    const int index = stored.value_or(-1);
    printer.setPrinterIndex(index >= -1 && index < printer.printerCount() ? index : -1);
}

void storeOffset(char formCode, bool horizontal, std::string_view text) {
    const int32_t v = StrToInt(text); // before the key is touched: nothing stored on failure
    Key key;
    if (key.open) key.reg.WriteInteger(offsetName(formCode, horizontal), v);
}

void storeOrientation(char formCode, bool normal) {
    Key key;
    if (key.open) key.reg.WriteBool(valueName("Orientation", formCode), normal);
}

void storeFeed(char formCode, bool right) {
    Key key;
    if (key.open) key.reg.WriteBool(valueName("rechts", formCode), right);
}

void storePrinter(int index) {
    Key key;
    if (key.open) key.reg.WriteInteger("Printer", index);
}

void showStoredCalibration(CalibrationControls& page, char formCode) {
    Key key;
    if (!key.open) return;
    if (hasOrientation(formCode))
        if (auto v = key.flag(valueName("Orientation", formCode)))
            page.checkOrientation(formCode, *v);
    loadOffsets(key, page, formCode);
    if (hasOrientation(formCode))
        page.checkFeed(formCode, key.flag(valueName("rechts", formCode)).value_or(false));
}

FontSetting readFont(char formCode) {
    FontSetting f;
    Key key;
    if (!key.open) return f;
    if (key.reg.ValueExists(valueName("FontName", formCode)))
        f.name = key.text(valueName("FontName", formCode));
    f.size = key.integer(valueName("FontSize", formCode)).value_or(kDefaultFontSize);
    f.bold = key.flag(valueName("FontBold", formCode)).value_or(kDefaultFontBold);
    return f;
}

std::optional<std::string> storeFontChoice(char formCode, const FontChoice& choice) {
    Key key;
    if (!key.open) return std::nullopt;
    key.reg.WriteString(valueName("FontName", formCode), choice.name);
    key.reg.WriteInteger(valueName("FontSize", formCode), choice.size);
    const bool decorated = choice.underline || choice.strikeOut || choice.otherWeight;
    const bool plainBold = choice.bold && !decorated;
    const bool noStyle = !choice.bold && !choice.italic && !decorated;
    if (plainBold || noStyle) {
        key.reg.WriteBool(valueName("FontBold", formCode), plainBold);
        return fontStyleLabel(plainBold);
    }
    return std::nullopt;
}

void copyTransferFont(char formCode) {
    Key key;
    if (!key.open) return;
    if (key.reg.ValueExists("FontNameU"))
        key.reg.WriteString(valueName("FontName", formCode), key.text("FontNameU"));
    if (auto s = key.integer("FontSizeU"))
        key.reg.WriteInteger(valueName("FontSize", formCode), *s);
    if (auto b = key.flag("FontBoldU")) key.reg.WriteBool(valueName("FontBold", formCode), *b);
}

std::string fontNameLabel(char formCode) {
    Key key;
    return "Schrift: " + (key.open ? key.text(valueName("FontName", formCode)) : std::string());
}

std::string fontSizeLabel(char formCode) {
    Key key;
    std::optional<int32_t> s;
    if (key.open) s = key.integer(valueName("FontSize", formCode));
    return "Größe: " + (s ? IntToStr(*s) : std::string());
}

std::string fontStyleLabel(bool bold) {
    return bold ? "Stil: Fett" : "";
}

std::string Empfaenger() {
    Key key;
    return key.open ? key.text("Empfänger") : std::string();
}

std::string Ausstellort() {
    Key key;
    return key.open ? key.text("Ausstellort") : std::string();
}

void EOrtExit(std::string_view text) {
    Key key;
    if (key.open) key.reg.WriteString("Ausstellort", text);
}

} // namespace formidor::settings
