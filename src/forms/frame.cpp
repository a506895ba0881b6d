#include "forms/frame.h"

#include "platform/hive.h"
#include "platform/text.h"

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

} // namespace

const std::array<FormPrinterParams, 9>& formPrinters() {
    return kFormPrinters;
}

const FormPrinterParams& formPrinter(FormPrinterId id) {
    return kFormPrinters[static_cast<size_t>(id)];
}

FrameSetup frameSetup(const FormPrinterParams& params, const CalibrationView& calibration) {
    const char code = params.formCode;
    FrameSetup s;
    s.v = StrToInt(calibration.offsetText(code, false));
    s.h = StrToInt(calibration.offsetText(code, true));
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
    TRegistry reg;
    if (reg.OpenKey(std::string("\\") + std::string(kAppKey), true)) {
        if (reg.GetDataType(name("FontName", formCode)) == TRegDataType::rdString)
            f.face = reg.ReadString(name("FontName", formCode));
        if (reg.GetDataType(name("FontSize", formCode)) == TRegDataType::rdInteger)
            size = reg.ReadInteger(name("FontSize", formCode));
        if (reg.GetDataType(name("FontBold", formCode)) == TRegDataType::rdInteger)
            f.bold = reg.ReadBool(name("FontBold", formCode));
        reg.CloseKey();
    }
    f.height = fontHeight(size);
    return f;
}

std::string checkedAmount(std::string_view text) {
    double value = 0;
    if (TryStrToFloat(text, value)) return std::string(text);
    return "0";
}

Currency journalAmount(std::string_view checkedText) {
    double value = 0;
    if (!TryStrToFloat(checkedText, value)) return 0;
    return CurrencyFromDouble(value);
}

} // namespace formidor::forms
