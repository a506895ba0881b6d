#include "forms/transferprint.h"

#include "common/testenv.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

#include <gtest/gtest.h>

namespace formidor::forms {
namespace {

using V = TransferVariant;

struct Calibration : CalibrationView {
    std::string kv = "0", kh = "0";
    bool normal = true, right = true;
    std::string offsetText(char code, bool horizontal) const override {
        EXPECT_EQ(code, 'U');
        return horizontal ? kv : kh;
    }
    bool isNormal(char) const override { return normal; }
    bool isHochkant(char) const override { return !normal; }
    bool isRightFeed(char) const override { return right; }
    bool isLeftFeed(char) const override { return !right; }
};

void storeFont(const char* face, int size, bool bold) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(std::string("\\") + std::string(kAppKey), true));
    reg.WriteString("FontNameU", face);
    reg.WriteInteger("FontSizeU", size);
    reg.WriteBool("FontBoldU", bold);
}

FormPage typedTransfer() {
    FormPage page;
    page.setText("EEmpfaenger", "Stadtwerke Köln");
    page.setText("EIBANEmpf", "DE02370501980001802057");
    page.setText("EKontonr", "1802057");
    page.setText("EBLZ", "37050198");
    page.setText("EBank", "COLSDE33");
    page.setText("EBetrag", "1234,56");
    page.setText("EVerwendung1", "Kundennr. 4711");
    page.setText("EVerwendung2", "Strom März");
    page.setText("EAuftraggeber", "Jürgen Müller");
    page.setText("EIBANAuftrag", "12345678901234567890");
    page.setText("EEigeneKontonr", "123456");
    page.setText("EAuftraggeberBLZ", "10020030");
    page.setText("EDatumUnterschrift", "15.03.2021");
    return page;
}

class TransferPrint : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    RecordingPrinter printer;
    Calibration calibration;
    Journal journal{home.path() / "journal"};

    void SetUp() override {
        storeFont("Courier New", 9, true);
        journal.JournalLaden();
    }
    bool recipientStored(const std::string& name) {
        TRegistry reg;
        return reg.KeyExists("\\" + std::string(kAppKey) + "\\UeberwE\\" + name);
    }
};

TEST_F(TransferPrint, FrameSetsUpThePrinterAndDrawsInLowMetric) {
    calibration.kh = "10";
    calibration.kv = "-20";
    printTransferForm(printer, V::V13, typedTransfer(), calibration);

    ASSERT_EQ(printer.Documents().size(), 1u);
    const RecordedDocument& doc = printer.LastDocument();
    EXPECT_EQ(doc.title, "Quillon Zentrix. - Überweisungsdrucker");
    EXPECT_EQ(doc.orientation, TPrinterOrientation::poPortrait);
    ASSERT_EQ(doc.pages.size(), 1u);
    const Metafile& page = doc.page(0);

    // The blank at the device origin comes first, in device units.
    ASSERT_FALSE(page.Texts().empty());
    const MetaText& blank = page.Texts().front();
    EXPECT_EQ(blank.text, " ");
    EXPECT_EQ(blank.mapMode, TMapMode::Text);
    EXPECT_EQ(blank.logical, (TPoint{0, 0}));

    // Then the layout: 2 mm left, 1 mm lower, in the stored font, size 9 → 58.
    const MetaText* name = page.FindText("Stadtwerke Köln");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->mapMode, TMapMode::LoMetric);
    EXPECT_EQ(name->logical, (TPoint{50, -136}));
    EXPECT_EQ(name->font.Height, 58);
    EXPECT_TRUE(name->font.Bold);
    EXPECT_EQ(name->font.Name, "Courier New");
    EXPECT_EQ(name->font.Color, clBlack);
    const MetaText* date = page.FindText("15.03.2021");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->logical, (TPoint{50, -859}));
    // 300 dpi: 0.1 mm is 300/254 pixels; y up from the printable area's corner.
    EXPECT_NEAR(name->device.X, 50 * 300.0 / 254, 1);
    EXPECT_NEAR(name->device.Y, 136 * 300.0 / 254, 1);
}

TEST_F(TransferPrint, FeedAdjustmentAndLandscape) {
    calibration.normal = false; // hochkant, fed at the right
    printTransferForm(printer, V::V20, typedTransfer(), calibration);
    const RecordedDocument& doc = printer.LastDocument();
    EXPECT_EQ(doc.orientation, TPrinterOrientation::poLandscape);
    EXPECT_EQ(doc.page(0).FindText("37050198")->logical, (TPoint{1020, -211 - 1043}));
    EXPECT_EQ(doc.page(0).FindText("15.03.2021")->logical, (TPoint{650, -849 - 1043}));

    calibration.normal = true;
    calibration.right = false; // normal, fed at the left
    printTransferForm(printer, V::V20, typedTransfer(), calibration);
    EXPECT_EQ(printer.LastDocument().page(0).FindText("37050198")->logical,
              (TPoint{1020 + 592, -211}));
}

TEST_F(TransferPrint, FullPrintStoresRefillsChecksAndJournals) {
    FormPage page = typedTransfer();
    int refills = 0;
    printTransfer(printer, V::Hypo, page, calibration, journal, [&] {
        ++refills;
        EXPECT_TRUE(recipientStored("Stadtwerke Köln")); // stored before the lists refill
    });
    EXPECT_EQ(printer.Documents().size(), 1u);
    EXPECT_EQ(refills, 1);

    EAuftraggeberFelder f;
    EAuftraggeberClick("Jürgen Müller", f);
    EXPECT_EQ(f.Formular, "Hypo");
    EXPECT_EQ(f.EIBANAuftrag, "12345678901234567890");
    EXPECT_EQ(EEmpfaengerClick("Stadtwerke Köln").EIBANEmpf, "DE02370501980001802057");

    EXPECT_EQ(page.text("EBetrag"), "1234,56");
    ASSERT_EQ(journal.Liste().size(), 1u);
    const TJournal& r = journal.Liste().back();
    EXPECT_EQ(r.Typ(), 1);
    EXPECT_EQ(r.Betrag(), 12345600);
    EXPECT_EQ(r.AuftraggeberName(), "Jürgen Müller");
    EXPECT_EQ(r.EmpfaengerName(), "Stadtwerke Köln");
    // A SEPA variant records what it prints: the two IBANs and the BIC.
    EXPECT_EQ(r.AuftraggeberKonto(), "12345678901234567890");
    EXPECT_EQ(r.AuftraggeberBLZ(), "10020030");
    EXPECT_EQ(r.EmpfaengerKonto(), "DE02370501980001802057");
    EXPECT_EQ(r.EmpfaengerBLZ(), "COLSDE33");
    EXPECT_EQ(r.Verwendungszweck(), "Kundennr. 4711 Strom März");
    EXPECT_GT(r.Datum(), 40000.0);
    // The journal file was rewritten with the record.
    EXPECT_EQ(readJournalFile(journal.file())->size(), 1u);
}

TEST_F(TransferPrint, JournalRecordKeepsTheAccountsTheVariantPrints) {
    struct Case {
        std::optional<V> variant;
        const char *auftraggeberKonto, *empfaengerKonto, *empfaengerBLZ;
    } cases[] = {
        {V::V13, "12345678901234567890", "DE02370501980001802057", "COLSDE33"},
        {V::Hypo, "12345678901234567890", "DE02370501980001802057", "COLSDE33"},
        // The other editions keep the account and bank-code fields, as before.
        {V::V16, "123456", "1802057", "37050198"},
        {V::V15, "123456", "1802057", "37050198"},
        {V::V18, "123456", "1802057", "37050198"},
        {V::V20, "123456", "1802057", "37050198"},
        {V::Postbank, "123456", "1802057", "37050198"},
        {V::V24, "123456", "1802057", "37050198"},
        {std::nullopt, "123456", "1802057", "37050198"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.variant ? transferVariant(*c.variant).caption : "keine");
        journalTransfer(journal, c.variant, typedTransfer(), 44000.5);
        const TJournal& r = journal.Liste().back();
        EXPECT_EQ(r.AuftraggeberKonto(), c.auftraggeberKonto);
        EXPECT_EQ(r.EmpfaengerKonto(), c.empfaengerKonto);
        EXPECT_EQ(r.EmpfaengerBLZ(), c.empfaengerBLZ);
        EXPECT_EQ(r.AuftraggeberBLZ(), "10020030");
        EXPECT_EQ(r.AuftraggeberName(), "Jürgen Müller");
        EXPECT_EQ(r.EmpfaengerName(), "Stadtwerke Köln");
        EXPECT_EQ(r.Verwendungszweck(), "Kundennr. 4711 Strom März");
        EXPECT_EQ(r.Betrag(), 12345600);
    }
}

TEST_F(TransferPrint, AmountWithThousandsSeparatorPrintsAsTypedThenBecomesZero) {
    FormPage page = typedTransfer();
    page.setText("EBetrag", "1.234,56");
    printTransfer(printer, V::V13, page, calibration, journal, {});
    EXPECT_NE(printer.LastDocument().page(0).FindText("1.234,56"), nullptr);
    EXPECT_EQ(page.text("EBetrag"), "0");
    EXPECT_EQ(journal.Liste().back().Betrag(), 0);
}

TEST_F(TransferPrint, JournalThatCannotBeSavedStillLeavesTheCheckedAmount) {
    // The journal's folder is a file, so appending the record cannot save it.
    test::writeFile(home.path() / "keinordner", "");
    Journal unsaveable{home.path() / "keinordner" / "journal"};
    FormPage page = typedTransfer();
    page.setText("EBetrag", "12 EUR");
    std::vector<std::string> shown;
    EXPECT_THROW(printTransfer(printer, V::V20, page, calibration, unsaveable, {},
                               [&](const std::string& amount) { shown.push_back(amount); }),
                 EJournalError);
    EXPECT_EQ(printer.Documents().size(), 1u);
    EXPECT_TRUE(recipientStored("Stadtwerke Köln"));
    EXPECT_EQ(page.text("EBetrag"), "0");
    EXPECT_EQ(shown, std::vector<std::string>{"0"});
}

TEST_F(TransferPrint, FailedPrintStoresAndRecordsNothing) {
    struct Case {
        const char* what;
        std::string kh;
        bool failOnBegin, failOnEnd;
    };
    const Case cases[] = {
        {"offset not an integer", "1 mm", false, false},
        {"printer refuses the document", "0", true, false},
        {"printer fails at the end", "0", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        printer.Config()[0].failOnBegin = c.failOnBegin;
        printer.Config()[0].failOnEnd = c.failOnEnd;
        calibration.kh = c.kh;
        FormPage page = typedTransfer();
        page.setText("EBetrag", "abc");
        bool refilled = false;
        EXPECT_ANY_THROW(
            printTransfer(printer, V::V20, page, calibration, journal, [&] { refilled = true; }));
        EXPECT_FALSE(printer.Printing());
        EXPECT_TRUE(printer.Documents().empty());
        EXPECT_FALSE(refilled);
        EXPECT_FALSE(recipientStored("Stadtwerke Köln"));
        EXPECT_EQ(page.text("EBetrag"), "abc");
        EXPECT_TRUE(journal.Liste().empty());
    }
}

TEST_F(TransferPrint, NonIntegerOffsetMessageNamesTheText) {
    calibration.kv = "zehn";
    try {
        printTransferForm(printer, V::V13, typedTransfer(), calibration);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'zehn' ist kein gültiger Integerwert");
    }
    EXPECT_EQ(printer.AbortedCount(), 0); // the document never began
}

} // namespace
} // namespace formidor::forms
