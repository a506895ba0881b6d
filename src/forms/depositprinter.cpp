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
    page.setText("EGesamtbetrag", checkedAmount(page.text("EGesamtbetrag")));
    if (showTotal) showTotal(page.text("EGesamtbetrag"));
    // The pick lists show what was stored even when the journal could not be written.
    try {
        recordPrintedForm([&] { journalDeposit(journal, page, Now()); },
                          [&] { SaveDaten(depositAddresses(page)); });
    } catch (...) {
        if (refillPickLists) refillPickLists();
        throw;
    }
    if (refillPickLists) refillPickLists();
    return true;
}

} // namespace formidor::forms
