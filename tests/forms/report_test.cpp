#include "forms/report.h"

#include "platform/recordingprinter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace formidor::forms {
namespace {

using V = TransferVariant;
using F = ReportFont;

FormPage transferPage() {
    FormPage p;
    const std::pair<const char*, const char*> texts[] = {
        {"EAuftraggeber", "Jürgen Müller"},
        {"EEigeneKontonr", "123456"},
        {"EIBANAuftrag", "12370400440532013000"},
        {"EAuftraggeberBLZ", "37040044"},
        {"EAuftraggeberBank", "Commerzbank Köln"},
        {"EBetrag", "1234,56"},
        {"EEmpfaenger", "Stadtwerke Köln"},
        {"EKontonr", "1802057"},
        {"EIBANEmpf", "DE02370501980001802057"},
        {"EBLZ", "37050198"},
        {"EBank", "COLSDE33"},
        {"EBank2", "Hauptstelle"},
        {"EVerwendung1", "Kunde 4711"},
        {"EVerwendung2", "März"},
        {"EAusfuehrungsdatum", "01.04.2021"},
        {"EPostbankA", "7"},
        {"EPostbankB", "12.03."},
        {"EArt", "E"},
        {"EEntgelt", "S"},
        {"EZielland", "AT"},
    };
    for (const auto& [c, t] : texts) p.setText(c, t);
    return p;
}

const ReportText* at(const std::vector<ReportText>& texts, int x, int y) {
    for (const auto& t : texts)
        if (t.x == x && t.y == y) return &t;
    return nullptr;
}

bool anyStartsWith(const std::vector<ReportText>& texts, std::string_view prefix) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const ReportText& t) { return t.text.starts_with(prefix); });
}

TEST(TransferReport, ClassicEditionLineByLine) {
    const auto texts = transferReportTexts(V::V18, transferPage(), "15.03.2021");
    const std::vector<ReportText> expected = {
        {400, -100, F::Title, "Überweisungsbericht vom 15.03.2021"},
        {400, -175, F::LargeBold, "Auftraggeber: Jürgen Müller, Kontonummer: 123456"},
        {400, -225, F::LargeBold, "BLZ: 37040044, Institut: Commerzbank Köln"},
        {400, -325, F::LargeBold, "Betrag: 1234,56"},
        {150, -475, F::Large, "Empfänger:"},
        {600, -475, F::Large, "Stadtwerke Köln"},
        {1180, -475, F::Large, "Kontonummer:"},
        {1500, -475, F::Large, "1802057"},
        {150, -525, F::Large, "Bankleitzahl:"},
        {600, -525, F::Large, "37050198"},
        {1180, -525, F::Large, "Institut:"},
        {1500, -525, F::Large, "COLSDE33"},
        {150, -625, F::Large, "Verwendungszweck 1:"},
        {600, -625, F::Large, "Kunde 4711"},
        {150, -675, F::Large, "Verwendungszweck 2:"},
        {600, -675, F::Large, "März"},
    };
    EXPECT_EQ(texts, expected);
}

TEST(TransferReport, HeadingAndOriginatorLineByVariant) {
    struct Case {
        V variant;
        int headingX;
        const char* heading;
        int originatorX;
        const char* originator; // nullptr: none
    };
    const Case cases[] = {
        {V::V13, 300, "SEPA-Überweisungsbericht vom ", 0, nullptr},
        {V::Hypo, 400, "Überweisungsbericht vom ", 300,
         "Auftraggeber: Jürgen Müller, IBAN: 12370400440532013000, BIC: 37040044"},
        {V::V16, 400, "Überweisungsbericht vom ", 300,
         "Auftraggeber: Jürgen Müller, Kontonummer: 123456, BLZ: 37040044"},
        {V::V15, 300, "SEPA-Überweisungsbericht vom ", 400,
         "Auftraggeber: Jürgen Müller, Kontonummer: 123456"},
        {V::V20, 400, "Überweisungsbericht vom ", 400,
         "Auftraggeber: Jürgen Müller, Kontonummer: 123456"},
        {V::Postbank, 400, "Überweisungsbericht vom ", 400,
         "Auftraggeber: Jürgen Müller, Kontonummer: 123456"},
        {V::V24, 400, "Überweisungsbericht vom ", 300,
         "Auftraggeber: Jürgen Müller, Kontonummer: 123456, BLZ: 37040044"},
    };
    for (const auto& c : cases) {
        const auto texts = transferReportTexts(c.variant, transferPage(), "15.03.2021");
        const auto* heading = at(texts, c.headingX, -100);
        ASSERT_NE(heading, nullptr) << c.heading;
        EXPECT_EQ(heading->text, std::string(c.heading) + "15.03.2021");
        EXPECT_EQ(heading->font, F::Title);
        if (c.originator) {
            const auto* o = at(texts, c.originatorX, -200);
            ASSERT_NE(o, nullptr) << c.originator;
            EXPECT_EQ(o->text, c.originator);
        } else {
            EXPECT_FALSE(anyStartsWith(texts, "Auftraggeber"));
        }
        // Amount and purposes print on every edition.
        ASSERT_NE(at(texts, 400, -325), nullptr);
        EXPECT_EQ(at(texts, 600, -675)->text, "März");
    }
}

TEST(TransferReport, SepaEditionsListIbanAndBic) {
    for (V v : {V::V13, V::Hypo}) {
        const auto texts = transferReportTexts(v, transferPage(), "15.03.2021");
        EXPECT_EQ(at(texts, 1180, -475)->text, "IBAN:");
        EXPECT_EQ(at(texts, 1500, -475)->text, "DE02370501980001802057");
        EXPECT_EQ(at(texts, 150, -525)->text, "BIC:");
        EXPECT_EQ(at(texts, 600, -525)->text, "COLSDE33");
        EXPECT_EQ(at(texts, 1180, -525), nullptr) << "the bank field holds the BIC";
        EXPECT_EQ(at(texts, 600, -475)->text, "Stadtwerke Köln");
    }
    const auto sepa16 = transferReportTexts(V::V13, transferPage(), "15.03.2021");
    EXPECT_EQ(at(sepa16, 150, -475), nullptr) << "no \"Empfänger:\" label on SEPA/16";
    EXPECT_EQ(at(transferReportTexts(V::Hypo, transferPage(), "x"), 150, -475)->text, "Empfänger:");
}

TEST(TransferReport, EditionRowsBelowThePurposes) {
    FormPage page = transferPage();
    page.setChecked("EPostbankC", true);
    // The Postbank edition prints its own boxes; the execution date typed for edition 24 stays
    // on the page but not in the report.
    const auto postbank = transferReportTexts(V::Postbank, page, "15.03.2021");
    std::vector<ReportText> tail(postbank.end() - 6, postbank.end());
    EXPECT_EQ(tail, (std::vector<ReportText>{{150, -725, F::Large, "Ausführungsdatum"},
                                             {600, -725, F::Large, "12.03."},
                                             {150, -775, F::Large, "Auftragsbearbeitung"},
                                             {600, -775, F::Large, "7"},
                                             {150, -825, F::Large, "Buchungsbestätigung"},
                                             {600, -825, F::Large, "Ja"}}));
    EXPECT_FALSE(std::any_of(postbank.begin(), postbank.end(),
                             [](const ReportText& t) { return t.text == "01.04.2021"; }));
    page.setChecked("EPostbankC", false);
    EXPECT_EQ(transferReportTexts(V::Postbank, page, "x").back().text, "Nein");

    EXPECT_EQ(at(transferReportTexts(V::V24, page, "x"), 600, -725)->text, "01.04.2021");
    const auto foreign = transferReportTexts(V::V15, page, "x");
    EXPECT_EQ(at(foreign, 1500, -575)->text, "Hauptstelle");
    EXPECT_EQ(at(foreign, 600, -725)->text, "E");
    EXPECT_EQ(at(foreign, 600, -775)->text, "S");
    EXPECT_EQ(at(foreign, 600, -825)->text, "AT");
    EXPECT_EQ(at(transferReportTexts(V::V20, page, "x"), 600, -725), nullptr);

    // No variant checked: only what every edition prints.
    const auto none = transferReportTexts(std::nullopt, page, "x");
    EXPECT_EQ(at(none, 400, -100), nullptr);
    EXPECT_EQ(at(none, 1180, -475), nullptr);
    EXPECT_EQ(at(none, 600, -475)->text, "Stadtwerke Köln");
}

FormPage chequePage() {
    FormPage p;
    p.setText("EAnredeE", "Firma");
    p.setText("EEmpfaenger1", "Stadtwerke Köln");
    p.setText("EEmpfaenger2", "Kundenservice");
    p.setText("EPLZE", "50667");
    p.setText("EOrtEmpf", "Köln");
    p.setText("EBetragV", "250,00");
    p.setText("EOrt", "Bonn");
    p.setText("EDatum", "15.03.2021");
    p.setText("MemoDeutscheAbs", "Jürgen Müller\r\nHauptstr. 1\n53111 Bonn\n4\n5\nsechste Zeile");
    std::string purpose;
    for (int i = 1; i <= 18; ++i) purpose += "Zweck " + std::to_string(i) + "\n";
    p.setText("MemoDeutscheVerw", purpose);
    return p;
}

TEST(ChequeReport, WithoutCounterfoilItEndsAfterTheDate) {
    FormPage page = chequePage();
    page.setChecked("RBkein", true);
    const auto texts = chequeReportTexts(page);
    const std::vector<ReportText> expected = {
        {700, -100, F::Title, "Verrechnungsscheckbericht"},
        {150, -275, F::Large, "Empfänger:"},
        {600, -275, F::Large, "Firma"},
        {600, -325, F::Large, "Stadtwerke Köln"},
        {600, -375, F::Large, "Kundenservice"},
        {600, -425, F::Large, "50667"},
        {750, -425, F::Large, "Köln"},
        {150, -475, F::LargeBold, "Betrag:"},
        {600, -475, F::LargeBold, "EUR 250,00"},
        {150, -525, F::Large, "Ausstellungsort:"},
        {600, -525, F::Large, "Bonn"},
        {150, -575, F::Large, "Datum:"},
        {600, -575, F::Large, "15.03.2021"},
    };
    EXPECT_EQ(texts, expected);
}

TEST(ChequeReport, WithACounterfoilTheMemosFollowLineByLine) {
    FormPage page = chequePage();
    page.setChecked("RBDeutsche", true);
    const auto texts = chequeReportTexts(page);
    ASSERT_EQ(texts.size(), 13u + 1 + 5 + 1 + 17);
    EXPECT_EQ(texts[13], (ReportText{150, -625, F::Large, "Absender:"}));
    const char* sender[] = {"Jürgen Müller", "Hauptstr. 1", "53111 Bonn", "4", "5"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(texts[14 + i], (ReportText{600, -625 - 50 * i, F::Large, sender[i]}));
    EXPECT_EQ(texts[19], (ReportText{150, -875, F::Large, "Verwendungszweck:"}));
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(texts[20 + i].text, "Zweck " + std::to_string(i + 1)) << i;
    EXPECT_EQ(texts.back().y, -875 - 50 * 16);

    // Lines a memo does not have print empty.
    page.setText("MemoDeutscheAbs", "nur eine Zeile");
    page.setText("MemoDeutscheVerw", "");
    const auto short_ = chequeReportTexts(page);
    ASSERT_EQ(short_.size(), texts.size());
    EXPECT_EQ(short_[14].text, "nur eine Zeile");
    EXPECT_EQ(short_[15].text, "");
    EXPECT_EQ(short_[20].text, "");
}

FormPage depositPage() {
    FormPage p;
    p.setText("EEmpfaengerKontonr", "4711");
    p.setText("EOrtDatum", "37040044");
    p.setText("EKontoinhaber", "Jürgen Müller");
    p.setText("ComboBox1", "Sparkasse"); // what the page shows now; the report does not look
    p.setText("EStueck", "2");
    p.setText("EGesamtbetrag", "300,00");
    p.setText("EWert", "150321");
    for (int n = 1; n <= 2; ++n) {
        p.setText("ESchecknr" + std::to_string(n), "S" + std::to_string(n));
        p.setText("EKontonr" + std::to_string(n), "K" + std::to_string(n));
        p.setText("EBLZ" + std::to_string(n), "3705019" + std::to_string(n));
        p.setText("EBetrag" + std::to_string(n), "150,00");
    }
    return p;
}

TEST(DepositReport, ArrangedForTheLastDepositBank) {
    // After a Deutsche Bank print, with the page already switched to Sparkasse.
    const auto db = depositReportTexts(depositPage(), "Deutsche Bank");
    EXPECT_EQ(db[1], (ReportText{300, -200, F::LargeBold,
                                 "Kontonummer: 4711 , Bankleitzahl: 37040044, Kontoinhaber: "
                                 "Jürgen Müller"}));
    // Block 1 at −400: the cheque number sits in the account field on this bank's slip.
    const std::vector<ReportText> block1 = {
        {100, -400, F::LargeBold, "Scheck 1:"},
        {150, -475, F::Large, "Schecknummer:"},
        {600, -475, F::Large, "K1"},
        {1000, -475, F::Large, "Vermerke des Einreichers:"},
        {1500, -475, F::Large, "S1"},
        {150, -525, F::Large, "BLZ des Ausstellers:"},
        {600, -525, F::Large, "37050191"},
        {1000, -525, F::Large, "Betrag:"},
        {1500, -525, F::Large, "150,00 "},
        {150, -575, F::Large, "Kommentar:"},
    };
    EXPECT_EQ(std::vector<ReportText>(db.begin() + 2, db.begin() + 12), block1);
    EXPECT_EQ(db.back(), (ReportText{1200, -2500, F::LargeBold, "Datum: 150321"}));
    EXPECT_EQ(db.size(), 2u + 5 * 10 + 3);

    struct Case {
        const char* bank;
        int headX;
        const char* date; // nullptr: no date line
    };
    const Case cases[] = {
        {"Commerzbank", 300, nullptr},
        {"Sparkasse", 400, "Datum: 37040044"},
        {"Dresdner Bank", 400, "Datum: 37040044"},
        {"Berliner Bank", 400, nullptr},
        {"", 400, nullptr}, // no deposit printed yet in this run
    };
    for (const auto& c : cases) {
        const auto t = depositReportTexts(depositPage(), c.bank);
        EXPECT_EQ(t[1].x, c.headX) << c.bank;
        EXPECT_EQ(at(t, 600, -475)->text, "S1") << c.bank;
        EXPECT_EQ(at(t, 1000, -475)->text, "Ausstellerkontonr.:") << c.bank;
        EXPECT_EQ(at(t, 1500, -475)->text, "K1") << c.bank;
        const auto* date = at(t, 1200, -2500);
        if (c.date) {
            ASSERT_NE(date, nullptr) << c.bank;
            EXPECT_EQ(date->text, c.date);
        } else {
            EXPECT_EQ(date, nullptr) << c.bank;
        }
    }
    // All five blocks, empty cheques included, at their tops.
    const auto empty = depositReportTexts(FormPage{}, "");
    for (int top : {-400, -700, -1100, -1500, -1900}) ASSERT_NE(at(empty, 100, top), nullptr);
    EXPECT_EQ(at(empty, 100, -1900)->text, "Scheck 5:");
    EXPECT_EQ(at(empty, 500, -2500)->text, "Gesamtbetrag:  ");
}

TEST(ReportControls, EveryControlTheTablesRead) {
    const auto deposit = depositReportControls();
    for (const char* c : {"EBLZ5", "EBetrag1", "EDMEURS", "EWert", "EKontoinhaber"})
        EXPECT_NE(std::find(deposit.begin(), deposit.end(), c), deposit.end()) << c;
    const auto cheque = chequeReportControls();
    EXPECT_NE(std::find(cheque.begin(), cheque.end(), "MemoDeutscheVerw"), cheque.end());
    const auto transfer = transferReportControls();
    EXPECT_NE(std::find(transfer.begin(), transfer.end(), "EPostbankC"), transfer.end());
    EXPECT_NE(std::find(transfer.begin(), transfer.end(), "EIBANAuftrag"), transfer.end());
}

TEST(ReportPrint, CommonStepsOnTheCurrentPrinter) {
    RecordingPrinter printer;
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    printReport(printer, kChequeReportTitle,
                {{700, -100, F::Title, "Verrechnungsscheckbericht"},
                 {150, -475, F::LargeBold, "Betrag:"},
                 {600, -525, F::Large, "Bonn"}});
    ASSERT_EQ(printer.Documents().size(), 1u);
    const RecordedDocument& doc = printer.LastDocument();
    EXPECT_EQ(doc.title, "Quillon Zentrix. - Formidor 2006");
    EXPECT_EQ(doc.orientation, TPrinterOrientation::poLandscape);
    ASSERT_EQ(doc.pages.size(), 1u);
    const auto& texts = doc.page(0).Texts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].text, " ");
    EXPECT_EQ(texts[0].mapMode, TMapMode::Text);
    EXPECT_EQ(texts[0].device, (TPoint{0, 0}));
    struct Expect {
        int height;
        bool bold;
    };
    const Expect fonts[] = {{60, true}, {45, true}, {45, false}};
    for (int i = 0; i < 3; ++i) {
        const MetaText& t = texts[size_t(i) + 1];
        EXPECT_EQ(t.mapMode, TMapMode::LoMetric);
        EXPECT_EQ(t.align, TA_LEFT | TA_TOP);
        EXPECT_EQ(t.font.Name, "Arial");
        EXPECT_EQ(t.font.Color, clBlack);
        EXPECT_EQ(t.font.Height, fonts[i].height) << i;
        EXPECT_EQ(t.font.Bold, fonts[i].bold) << i;
    }
    EXPECT_EQ(texts[3].logical, (TPoint{600, -525}));

    RecordingPrinter failing({[] {
        RecordingPrinterConfig c;
        c.failOnBegin = true;
        return c;
    }()});
    EXPECT_THROW(printReport(failing, kTransferReportTitle, {}), EPrinter);
    EXPECT_FALSE(failing.Printing());
}

} // namespace
} // namespace formidor::forms
