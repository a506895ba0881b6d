#include "forms/depositprint.h"

namespace formidor::forms {

bool noDepositBankChosen(const FormPage& page) {
    return page.text("ComboBox1") == kBankPrompt;
}

std::vector<PlacedText> depositPrintTexts(const FormPage& page,
                                          const CalibrationView& calibration) {
    const FrameSetup setup = frameSetup(formPrinter(FormPrinterId::ChequeDeposit), calibration);
    auto texts = depositTexts(page.text("ComboBox1"), page);
    applyOffsets(texts, setup.h, setup.v);
    return texts;
}

ScheckeinreichungAdressen depositAddresses(const FormPage& page) {
    return {page.text("EKontoinhaber"), page.text("ComboBox1"), page.text("EEmpfaengerKontonr")};
}

void journalDeposit(Journal& journal, const FormPage& page, TDateTime now) {
    journal.JournalAnhaengen(kJournalScheckeinreichung, page.text("EEmpfaengerKontonr"),
                             page.text("EKontoinhaber"), now, "", "", "", "", "",
                             journalAmount(page.text("EGesamtbetrag")));
}

} // namespace formidor::forms
