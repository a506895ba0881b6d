#include "forms/chequeprint.h"

namespace formidor::forms {

namespace {

// The memo's whole text as typed, every line break as CR LF.
std::string withCrLf(std::string_view memo) {
    std::string s;
    for (size_t i = 0; i < memo.size(); ++i) {
        if (memo[i] == '\n' && (i == 0 || memo[i - 1] != '\r')) s += '\r';
        s += memo[i];
    }
    return s;
}

} // namespace

std::vector<PlacedText> chequePrintTexts(std::optional<Counterfoil> c, const FormPage& page,
                                         const CalibrationView& calibration) {
    const FrameSetup setup = frameSetup(formPrinter(FormPrinterId::CrossedCheque), calibration);
    auto texts = chequeTexts(c, page);
    applyOffsets(texts, setup.h, setup.v);
    return texts;
}

VerrechnungsscheckAdressen chequeAddresses(std::optional<Counterfoil> c, const FormPage& page) {
    VerrechnungsscheckAdressen a;
    a.MemoDeutscheAbs = memoLines(page.text("MemoDeutscheAbs"));
    a.EEmpfaenger1 = page.text("EEmpfaenger1");
    a.EAnredeE = page.text("EAnredeE");
    a.EEmpfaenger2 = page.text("EEmpfaenger2");
    a.EOrtEmpf = page.text("EOrtEmpf");
    a.EPLZE = page.text("EPLZE");
    if (c) a.Bank = std::string(counterfoil(*c).code);
    a.MemoDeutscheVerw = memoLines(page.text("MemoDeutscheVerw"));
    return a;
}

void journalCheque(Journal& journal, const FormPage& page, TDateTime now) {
    const std::string recipient = page.text("EEmpfaenger1") + " " + page.text("EEmpfaenger2") +
                                  " " + page.text("EPLZE") + " " + page.text("EOrtEmpf");
    journal.JournalAnhaengen(kJournalVerrechnungsscheck, "", withCrLf(page.text("MemoDeutscheAbs")),
                             now, "", recipient, "", "", withCrLf(page.text("MemoDeutscheVerw")),
                             journalAmount(page.text("EBetragV")));
}

void printChequeForm(Printer& printer, std::optional<Counterfoil> c, const FormPage& page,
                     const CalibrationView& calibration) {
    FormPrint print = BeginFormPrint(printer, FormPrinterId::CrossedCheque, calibration);
    print.draw(chequeTexts(c, page));
    EndFormPrint(print);
}

void printCheque(Printer& printer, std::optional<Counterfoil> c, FormPage& page,
                 const CalibrationView& calibration, Journal& journal,
                 const std::function<void()>& refillPickLists,
                 const std::function<void(const std::string&)>& showAmount) {
    printChequeForm(printer, c, page, calibration);
    SaveEmpfaengerV(chequeAddresses(c, page));
    if (refillPickLists) refillPickLists();
    page.setText("EBetragV", checkedAmount(page.text("EBetragV")));
    if (showAmount) showAmount(page.text("EBetragV"));
    journalCheque(journal, page, Now());
}

} // namespace formidor::forms
