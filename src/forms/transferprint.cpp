#include "forms/transferprint.h"

namespace formidor::forms {

std::vector<PlacedText> transferPrintTexts(std::optional<TransferVariant> v, const FormPage& page,
                                           const CalibrationView& calibration) {
    const FrameSetup setup = frameSetup(formPrinter(FormPrinterId::Transfer), calibration);
    auto texts = transferTexts(v, page);
    applyOffsets(texts, setup.h, setup.v);
    return texts;
}

UeberweisungAdressen transferAddresses(std::optional<TransferVariant> v, const FormPage& page) {
    UeberweisungAdressen a;
    a.EEmpfaenger = page.text("EEmpfaenger");
    a.EKontonr = page.text("EKontonr");
    a.EBLZ = page.text("EBLZ");
    a.EBank = page.text("EBank");
    a.EBank2 = page.text("EBank2");
    a.EVerwendung1 = page.text("EVerwendung1");
    a.EVerwendung2 = page.text("EVerwendung2");
    a.EArt = page.text("EArt");
    a.EEntgelt = page.text("EEntgelt");
    a.EZielland = page.text("EZielland");
    a.EIBANEmpf = page.text("EIBANEmpf");
    a.EAuftraggeber = page.text("EAuftraggeber");
    a.EEigeneKontonr = page.text("EEigeneKontonr");
    a.EAuftraggeberBLZ = page.text("EAuftraggeberBLZ");
    a.EIBANAuftrag = page.text("EIBANAuftrag");
    a.EAuftraggeberBank = page.text("EAuftraggeberBank");
    if (v) a.Formular = std::string(transferVariant(*v).formular);
    return a;
}

void journalTransfer(Journal& journal, std::optional<TransferVariant> v, const FormPage& page,
                     TDateTime now) {
    const bool sepa = v && transferVariant(*v).layout == TransferLayoutKind::Sepa;
    const std::string& betrag = page.text("EBetrag");
    journal.JournalAnhaengen(
        kJournalUeberweisung, page.text(sepa ? "EIBANAuftrag" : "EEigeneKontonr"),
        page.text("EAuftraggeber"), now, page.text("EAuftraggeberBLZ"), page.text("EEmpfaenger"),
        page.text(sepa ? "EIBANEmpf" : "EKontonr"), page.text(sepa ? "EBank" : "EBLZ"),
        page.text("EVerwendung1") + " " + page.text("EVerwendung2"), journalAmount(betrag));
}

void journalTransfer(Journal& journal, const FormPage& page, TDateTime now) {
    journalTransfer(journal, std::nullopt, page, now);
}

} // namespace formidor::forms
