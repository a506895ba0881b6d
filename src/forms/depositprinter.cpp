#include "forms/depositprint.h"

namespace formidor::forms {

void printDepositForm(Printer& printer, const FormPage& page, const CalibrationView& calibration) {
    FormPrint print = BeginFormPrint(printer, FormPrinterId::ChequeDeposit, calibration);
    print.draw(depositTexts(page.text("ComboBox1"), page));
    EndFormPrint(print);
}

bool printDeposit(Printer& printer, FormPage& page, const CalibrationView& calibration,
                  Journal& journal, const std::function<void()>& refillPickLists,
                  const std::function<void(const std::string&)>& showTotal) {
    if (noDepositBankChosen(page)) return false;
    printDepositForm(printer, page, calibration);
    // Only a print that reached the printer is the latest deposit the report speaks of.
    setLastDepositBank(page.text("ComboBox1"));
    SaveDaten(depositAddresses(page));
    page.setText("EGesamtbetrag", checkedAmount(page.text("EGesamtbetrag")));
    if (showTotal) showTotal(page.text("EGesamtbetrag"));
    // The holder is stored by now, so the pick lists show it even when the journal cannot be
    // written.
    try {
        journalDeposit(journal, page, Now());
    } catch (...) {
        if (refillPickLists) refillPickLists();
        throw;
    }
    if (refillPickLists) refillPickLists();
    return true;
}

} // namespace formidor::forms
