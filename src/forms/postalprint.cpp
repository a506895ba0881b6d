#include "forms/postalprint.h"

namespace formidor::forms {

namespace {

std::vector<PlacedText> withOffsets(FormPrinterId id, std::vector<PlacedText> texts,
                                    const CalibrationView& calibration) {
    const FrameSetup setup = frameSetup(formPrinter(id), calibration);
    applyOffsets(texts, setup.h, setup.v);
    return texts;
}

} // namespace

std::vector<PlacedText> cashOnDeliveryPrintTexts(const FormPage& page,
                                                 const CalibrationView& calibration) {
    return withOffsets(FormPrinterId::CashOnDelivery, cashOnDeliveryTexts(page), calibration);
}

std::vector<PlacedText> parcelCardPrintTexts(const FormPage& page,
                                             const CalibrationView& calibration) {
    return withOffsets(FormPrinterId::ParcelCard, parcelCardTexts(page), calibration);
}

std::vector<PlacedText> smallParcelPrintTexts(const FormPage& page,
                                              const CalibrationView& calibration) {
    return withOffsets(FormPrinterId::SmallParcel, smallParcelTexts(page), calibration);
}

NachnahmeAdressen cashOnDeliveryAddresses(const FormPage& page) {
    NachnahmeAdressen a;
    a.EEmpfN = page.text("EEmpfN");
    a.EKontonrEmpfN = page.text("EKontonrEmpfN");
    a.EBLZN = page.text("EBLZN");
    a.EBankN = page.text("EBankN");
    a.EStrasseN = page.text("EStrasseN");
    a.EPLZOrtN = page.text("EPLZOrtN");
    return a;
}

PaketscheinAdressen parcelCardAddresses(const FormPage& page) {
    PaketscheinAdressen a;
    a.EPEmpf1 = page.text("EPEmpf1");
    a.EPEAnrede = page.text("EPEAnrede");
    a.EPEmpf2 = page.text("EPEmpf2");
    a.EPEPLz = page.text("EPEPLz");
    a.EPEOrt = page.text("EPEOrt");
    a.EPAbsender1 = page.text("EPAbsender1");
    a.EPAbsender2 = page.text("EPAbsender2");
    a.EPAOrt = page.text("EPAOrt");
    a.EPAPlz = page.text("EPAPlz");
    a.EPKontonr = page.text("EPKontonr");
    a.EPBLZ = page.text("EPBLZ");
    a.EPBAnk = page.text("EPBAnk");
    return a;
}

PaketAdressen smallParcelAddresses(const FormPage& page) {
    PaketAdressen a;
    a.EPPEEmpf1 = page.text("EPPEEmpf1");
    a.EPPEAnrede = page.text("EPPEAnrede");
    a.EPPEEmpf2 = page.text("EPPEEmpf2");
    a.EPPEPLZ = page.text("EPPEPLZ");
    a.EPPEOrt = page.text("EPPEOrt");
    a.EPPELand = page.text("EPPELand");
    a.EPPAbsender1 = page.text("EPPAbsender1");
    a.EPPAbsender2 = page.text("EPPAbsender2");
    a.EPPOrt = page.text("EPPOrt");
    a.EPPPLZ = page.text("EPPPLZ");
    return a;
}

} // namespace formidor::forms
