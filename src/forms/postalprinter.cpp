#include "forms/postalprint.h"

namespace formidor::forms {

namespace {

void printForm(Printer& printer, FormPrinterId id, const std::vector<PlacedText>& texts,
               const CalibrationView& calibration) {
    FormPrint print = BeginFormPrint(printer, id, calibration);
    print.draw(texts);
    EndFormPrint(print);
}

void refill(const std::function<void()>& refillPickLists) {
    if (refillPickLists) refillPickLists();
}

} // namespace

void printCashOnDeliveryForm(Printer& printer, const FormPage& page,
                             const CalibrationView& calibration) {
    printForm(printer, FormPrinterId::CashOnDelivery, cashOnDeliveryTexts(page), calibration);
}

void printParcelCardForm(Printer& printer, const FormPage& page,
                         const CalibrationView& calibration) {
    printForm(printer, FormPrinterId::ParcelCard, parcelCardTexts(page), calibration);
}

void printSmallParcelForm(Printer& printer, const FormPage& page,
                          const CalibrationView& calibration) {
    printForm(printer, FormPrinterId::SmallParcel, smallParcelTexts(page), calibration);
}

void printCashOnDelivery(Printer& printer, const FormPage& page, const CalibrationView& calibration,
                         const std::function<void()>& refillPickLists) {
    printCashOnDeliveryForm(printer, page, calibration);
    SaveEmpfaengerN(cashOnDeliveryAddresses(page));
    refill(refillPickLists);
}

void printParcelCard(Printer& printer, const FormPage& page, const CalibrationView& calibration,
                     const std::function<void()>& refillPickLists) {
    printParcelCardForm(printer, page, calibration);
    SaveEmpfaengerP(parcelCardAddresses(page));
    refill(refillPickLists);
}

void printSmallParcel(Printer& printer, const FormPage& page, const CalibrationView& calibration,
                      const std::function<void()>& refillPickLists) {
    printSmallParcelForm(printer, page, calibration);
    SaveEmpfaengerPP(smallParcelAddresses(page));
    refill(refillPickLists);
}

} // namespace formidor::forms
