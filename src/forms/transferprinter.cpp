#include "forms/transferprint.h"

namespace formidor::forms {

void printTransferForm(Printer& printer, std::optional<TransferVariant> v, const FormPage& page,
                       const CalibrationView& calibration) {
    FormPrint print = BeginFormPrint(printer, FormPrinterId::Transfer, calibration);
    print.draw(transferTexts(v, page));
    EndFormPrint(print);
}

void printTransfer(Printer& printer, std::optional<TransferVariant> v, FormPage& page,
                   const CalibrationView& calibration, Journal& journal,
                   const std::function<void()>& refillPickLists,
                   const std::function<void(const std::string&)>& showAmount) {
    printTransferForm(printer, v, page, calibration);
    SaveEmpfaenger(transferAddresses(v, page));
    if (refillPickLists) refillPickLists();
    page.setText("EBetrag", checkedAmount(page.text("EBetrag")));
    if (showAmount) showAmount(page.text("EBetrag"));
    journalTransfer(journal, v, page, Now());
}

} // namespace formidor::forms
