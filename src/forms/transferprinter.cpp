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
    page.setText("EBetrag", checkedAmount(page.text("EBetrag")));
    if (showAmount) showAmount(page.text("EBetrag"));
    try {
        recordPrintedForm([&] { journalTransfer(journal, v, page, Now()); },
                          [&] { SaveEmpfaenger(transferAddresses(v, page)); });
    } catch (...) {
        if (refillPickLists) refillPickLists();
        throw;
    }
    if (refillPickLists) refillPickLists();
}

} // namespace formidor::forms
