#include "forms/directdebitprint.h"

#include <stdexcept>

namespace formidor::forms {

namespace {

std::vector<PlacedText> withCalibration(std::vector<PlacedText> texts, FormPrinterId id,
                                        const CalibrationView& calibration) {
    const FrameSetup setup = frameSetup(formPrinter(id), calibration);
    applyOffsets(texts, setup.h, setup.v);
    return texts;
}

void setField(FormPage& page, const DirectDebitAfterPrint& after, std::string_view control,
              const std::string& text) {
    page.setText(control, text);
    if (after.showField) after.showField(control, text);
}

} // namespace

std::vector<PlacedText> directDebitPrintTexts(const FormPage& page,
                                              const CalibrationView& calibration) {
    return withCalibration(directDebitTexts(page), FormPrinterId::DirectDebit, calibration);
}

std::vector<PlacedText> coverSheetPrintTexts(const FormPage& page,
                                             const CalibrationView& calibration) {
    return withCalibration(coverSheetTexts(page), FormPrinterId::CoverSheet, calibration);
}

void printDirectDebitForm(Printer& printer, const FormPage& page,
                          const CalibrationView& calibration) {
    FormPrint print = BeginFormPrint(printer, FormPrinterId::DirectDebit, calibration);
    print.draw(directDebitTexts(page));
    EndFormPrint(print);
}

void printCoverSheetForm(Printer& printer, const FormPage& page,
                         const CalibrationView& calibration) {
    FormPrint print = BeginFormPrint(printer, FormPrinterId::CoverSheet, calibration);
    print.draw(coverSheetTexts(page));
    EndFormPrint(print);
}

LastschriftAdressen directDebitAddresses(const FormPage& page, const std::string& lastOriginator) {
    return {page.text("ENameZ"), page.text("EKontonrZ"),  page.text("EBLZZ"),
            page.text("EBankZ"), page.text("ENameZEmpf"), page.text("EKontonrZEmpf"),
            lastOriginator};
}

void journalDirectDebit(Journal& journal, const FormPage& page, TDateTime now) {
    journal.JournalAnhaengen(kJournalLastschrift, page.text("EKontonrZEmpf"),
                             page.text("ENameZEmpf"), now, "", page.text("ENameZ"),
                             page.text("EKontonrZ"), page.text("EBLZZ"),
                             page.text("EVerwendung1Z") + " " + page.text("EVerwendung2Z"),
                             journalAmount(page.text("EBetragZ")));
}

void printDirectDebit(Printer& printer, FormPage& page, const CalibrationView& calibration,
                      const DirectDebitAfterPrint& after) {
    if (!after.journal) throw std::logic_error("direct debit printed without a journal");
    printDirectDebitForm(printer, page, calibration);
    setField(page, after, "EBetragZ", checkedAmount(page.text("EBetragZ")));
    setField(page, after, "EStueckzahlD", countedOneMore(page.text("EStueckzahlD")));
    setField(page, after, "EBetragD", totalWith(page.text("EBetragD"), page.text("EBetragZ")));
    SaveEmpfaengerL(directDebitAddresses(page, after.lastOriginator));
    if (after.refillPickLists) after.refillPickLists();
    journalDirectDebit(*after.journal, page, Now());
}

void printDirectDebitReceipt(Printer& printer, const FormPage& coverSheet, std::string_view today) {
    const auto texts = receiptTexts(coverSheet, today);
    printer.SetTitle(std::string(kReceiptTitle));
    printer.BeginDoc();
    try {
        Canvas& c = printer.GetCanvas();
        c.SetMapMode(TMapMode::Text);
        c.TextOut(0, 0, " ");
        c.SetMapMode(TMapMode::LoMetric);
        for (const auto& t : texts) {
            TFont f = c.Font();
            f.Name = std::string(kReceiptFace);
            f.Height = t.height;
            f.Bold = t.bold;
            f.Color = clBlack;
            c.SetFont(f);
            c.TextOut(t.placed.x, t.placed.y, t.placed.text);
        }
    } catch (...) {
        if (printer.Printing()) printer.Abort();
        throw;
    }
    printer.EndDoc();
}

} // namespace formidor::forms
