#include "forms/foreignprint.h"

namespace formidor::forms {

std::vector<PlacedText> foreignPrintTexts(const FormPage& page,
                                          const CalibrationView& calibration) {
    const FrameSetup setup = frameSetup(formPrinter(FormPrinterId::ForeignTransfer), calibration);
    auto texts = foreignTexts(page);
    applyOffsets(texts, setup.h, setup.v);
    return texts;
}

void printForeignForm(Printer& printer, const FormPage& page, const CalibrationView& calibration) {
    FormPrint print = BeginFormPrint(printer, FormPrinterId::ForeignTransfer, calibration);
    print.draw(foreignTexts(page));
    EndFormPrint(print);
}

AuslandAdressen foreignAddresses(const FormPage& p) {
    AuslandAdressen a;
    a.EEmpfaengerName = p.text("EEmpfaengerName");
    a.EEmpfaengerStrasse = p.text("EEmpfaengerStrasse");
    a.EEmpfaengerOrtLand = p.text("EEmpfaengerOrtLand");
    a.EKontonrIBAN = p.text("EKontonrIBAN");
    a.EEmpfaengerBankcode = p.text("EEmpfaengerBankcode");
    a.EEmpfaengerBankSwift = p.text("EEmpfaengerBankSwift");
    a.EEmpfaengerBankName = p.text("EEmpfaengerBankName");
    a.EEmpfaengerBankStrasse = p.text("EEmpfaengerBankStrasse");
    a.EEmpfaengerBankOrtLand = p.text("EEmpfaengerBankOrtLand");
    a.e105bis110 = {p.text("e105"), p.text("e106"), p.text("e107"),
                    p.text("e108"), p.text("e109"), p.text("e110")};
    a.e111 = {p.text("e111_1"), p.text("e111_2"), p.text("e111_3")};
    a.CBTransit = p.checked("CBTransit");
    a.EZielland = p.text("EZielland");
    a.EAuftraggeberName = p.text("EAuftraggeberName");
    a.CBBankdrucken = p.checked("CBBankdrucken");
    a.EAuftraggeberBLZ = p.text("EAuftraggeberBLZ");
    a.EAuftraggeberBank = p.text("EAuftraggeberBank");
    a.EAuftraggeberKontonr = p.text("EAuftraggeberKontonr");
    a.EAuftraggeberStrasse = p.text("EAuftraggeberStrasse");
    a.EAuftraggeberPLZOrt = p.text("EAuftraggeberPLZOrt");
    a.etelefon = p.text("etelefon");
    a.EReferenzKontoinhaber = p.text("EReferenzKontoinhaber");
    return a;
}

void journalForeign(Journal& journal, const FormPage& p, TDateTime now) {
    journal.JournalAnhaengen(kJournalAuslandsueberweisung, p.text("EAuftraggeberKontonr"),
                             p.text("EAuftraggeberName"), now, p.text("EAuftraggeberBLZ"),
                             p.text("EEmpfaengerName"), p.text("EKontonrIBAN"),
                             p.text("EEmpfaengerBankcode"),
                             p.text("EVerwendungszweck1") + " " + p.text("EVerwendungszweck2") +
                                 " " + p.text("EVerwendungszweck3"),
                             journalAmount(p.text("EBetrag")));
}

void printForeign(Printer& printer, FormPage& page, const CalibrationView& calibration,
                  Journal& journal, const std::function<void(const std::string&)>& showAmount) {
    printForeignForm(printer, page, calibration);
    page.setText("EBetrag", checkedAmount(page.text("EBetrag")));
    if (showAmount) showAmount(page.text("EBetrag"));
    recordPrintedForm([&] { journalForeign(journal, page, Now()); },
                      [&] { SaveAusl(foreignAddresses(page)); });
}

} // namespace formidor::forms
