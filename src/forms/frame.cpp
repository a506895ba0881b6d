#include "forms/frame.h"

#include "app/settings.h"
#include "platform/hive.h"
#include "platform/text.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <optional>

namespace formidor::forms {

namespace {

using P = FormPrinterId;

// Every form printer's frame, as the print buttons of the pages run it.
const std::array<FormPrinterParams, 9> kFormPrinters{{
    {P::Transfer, "Button1Click", 'U', true, false, "Überweisungsdrucker", -41, 85, "EBetrag", 1},
    {P::CrossedCheque, "Button3Click", 'V', true, false, "Scheckdrucker", -90, 84, "EBetragV", 2},
    {P::DirectDebit, "Button13Click", 'L', true, false, "Formidor", -41, 85, "EBetragZ", 4},
    {P::CoverSheet, "Button15Click", 'L', true, false, "Überweisungsdrucker", -41, 84, "", 0},
    {P::CashOnDelivery, "Button18Click", 'N', false, true, "Überweisungsdrucker", -1085, 85, "", 0},
    {P::ChequeDeposit, "Button23Click", 'S', true, false, "Überweisungsdrucker", 0, 0,
     "EGesamtbetrag", 5},
    {P::ParcelCard, "Button32Click", 'P', true, false, "Paketscheindrucker", 0, 0, "", 0},
    {P::SmallParcel, "Button36Click", 'P', true, false, "Päckchenscheindrucker", 0, 0, "", 0},
    {P::ForeignTransfer, "Button1Click", 'A', true, false, "Überweisungsdrucker", -11, 84,
     "EBetrag", 3},
}};

std::string name(std::string_view stem, char formCode) {
    std::string n(stem);
    n += formCode;
    return n;
}

// The typed amount in ten-thousandths, taken from its decimal digits: the number scaled by
// 10^4 and rounded there, halves to the even neighbour. Going through a double would not do:
// 0,00015 is a hair below 1.5 ten-thousandths as a double and would round to 1, 1,00005 a hair
// above the half and would round up. StrToFloat decides what is a number; a number the
// currency cannot hold (beyond ±922.337.203.685.477,5807) is no amount either.
std::optional<Currency> amountValue(std::string_view text) {
    double unused = 0;
    if (!TryStrToFloat(text, unused)) return std::nullopt;
    const std::string t = trim(text);
    const char separator = FormatSettings::german().decimalSeparator;
    size_t i = 0;
    const bool negative = i < t.size() && t[i] == '-';
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::string digits;
    long long scale = 4; // value = digits × 10^(scale − 4), in ten-thousandths: digits × 10^scale
    bool fraction = false;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9') {
            digits += t[i];
            if (fraction) --scale;
        } else if (t[i] == separator && !fraction) {
            fraction = true;
        } else {
            break;
        }
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        const bool negativeExponent = i < t.size() && t[i] == '-';
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        long long exponent = 0;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i)
            exponent = std::min(exponent * 10 + (t[i] - '0'), 1'000'000LL); // far beyond range
        scale += negativeExponent ? -exponent : exponent;
    }
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty()) return Currency{0};

    // Integer digits and the rest that decides the rounding.
    const long long whole = static_cast<long long>(digits.size()) + scale;
    if (whole > 19) return std::nullopt;
    std::string integer, rest;
    if (scale >= 0) {
        integer = digits + std::string(static_cast<size_t>(scale), '0');
    } else if (whole >= 0) {
        integer = digits.substr(0, static_cast<size_t>(whole));
        rest = digits.substr(static_cast<size_t>(whole));
    } else {
        return Currency{0}; // less than half a ten-thousandth
    }
    unsigned __int128 value = 0;
    for (char c : integer) value = value * 10 + static_cast<unsigned>(c - '0');
    if (!rest.empty()) {
        const bool aboveHalf = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) !=
                                                                       std::string::npos);
        const bool half = rest[0] == '5' && !aboveHalf;
        if (aboveHalf || (half && value % 2 == 1)) ++value;
    }
    if (value > static_cast<unsigned __int128>(std::numeric_limits<Currency>::max()))
        return std::nullopt;
    const auto c = static_cast<Currency>(value);
    return negative ? -c : c;
}

} // namespace

const std::array<FormPrinterParams, 9>& formPrinters() {
    return kFormPrinters;
}

const FormPrinterParams& formPrinter(FormPrinterId id) {
    return kFormPrinters[static_cast<size_t>(id)];
}

std::string_view formDocumentName(FormPrinterId id) {
    switch (id) {
    case P::Transfer:
        return "Überweisung";
    case P::CrossedCheque:
        return "Verrechnungsscheck";
    case P::DirectDebit:
        return "Lastschrift";
    case P::CoverSheet:
        return "Lastschrift-Begleitzettel";
    case P::CashOnDelivery:
        return "Nachnahme";
    case P::ChequeDeposit:
        return "Scheckeinreichung";
    case P::ParcelCard:
        return "Paketschein";
    case P::SmallParcel:
        return "Päckchenschein";
    case P::ForeignTransfer:
        return "Auslandsüberweisung";
    }
    return "Formidor";
}

FrameSetup frameSetup(const FormPrinterParams& params, const CalibrationView& calibration) {
    const char code = params.formCode;
    FrameSetup s;
    s.v = offsetValue(calibration.offsetText(code, false));
    s.h = offsetValue(calibration.offsetText(code, true));
    const bool normal = calibration.isNormal(code);
    if (params.feedAdjustment) {
        if (calibration.isLeftFeed(code) && normal) s.h += kLeftFeedAdjustment;
        if (calibration.isRightFeed(code) && calibration.isHochkant(code))
            s.v += kRightFeedAdjustment;
    }
    s.portrait = params.alwaysPortrait || normal;
    s.title = std::string(kJobTitlePrefix) + std::string(params.titleWord);
    return s;
}

int fontHeight(int pointSize) {
    return static_cast<int>(Round(pointSize * 6.5));
}

FrameFont readFrameFont(char formCode) {
    FrameFont f;
    int size = 8;
    bool anyStored = false;
    TRegistry reg;
    if (reg.OpenKeyReadOnly(std::string("\\") + std::string(kAppKey))) {
        for (const char* value : {"FontName", "FontSize", "FontBold"})
            anyStored = anyStored || reg.ValueExists(name(value, formCode));
        if (reg.GetDataType(name("FontName", formCode)) == TRegDataType::rdString)
            f.face = reg.ReadString(name("FontName", formCode));
        if (reg.GetDataType(name("FontSize", formCode)) == TRegDataType::rdInteger)
            size = reg.ReadInteger(name("FontSize", formCode));
        if (reg.GetDataType(name("FontBold", formCode)) == TRegDataType::rdInteger)
            f.bold = reg.ReadBool(name("FontBold", formCode));
        reg.CloseKey();
    }
    // A key without any font of this form type has never seen the main window's first start,
    // which writes "Courier New", 8, bold; print as the application would after it.
    if (!anyStored) f.face = std::string(settings::kDefaultFontName);
    f.height = fontHeight(size);
    return f;
}

std::string checkedAmount(std::string_view text) {
    return amountValue(text) ? std::string(text) : std::string("0");
}

Currency journalAmount(std::string_view checkedText) {
    return amountValue(checkedText).value_or(0);
}

std::optional<Currency> typedAmount(std::string_view text) {
    return amountValue(text);
}

void recordPrintedForm(const std::function<void()>& journal,
                       const std::function<void()>& storeAddresses) {
    std::exception_ptr journalFailure;
    std::string journalWhy;
    try {
        journal();
    } catch (const std::exception& e) {
        journalFailure = std::current_exception();
        journalWhy = e.what();
    }
    try {
        storeAddresses();
    } catch (const std::exception& e) {
        if (journalFailure)
            throw EAfterPrintError(
                "Das Formular wurde gedruckt, aber weder ins Journal eingetragen noch wurden "
                "seine Adressen gespeichert. " +
                journalWhy + " " + e.what());
        throw EAfterPrintError("Das Formular wurde gedruckt und ins Journal eingetragen, aber "
                               "seine Adressen konnten nicht gespeichert werden. " +
                               std::string(e.what()));
    }
    if (journalFailure) std::rethrow_exception(journalFailure);
}

} // namespace formidor::forms
