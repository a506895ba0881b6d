// After a form has been printed: the journal record is written even when storing its addresses
// fails, and the message says which of the two failed.
#include "forms/chequeprint.h"
#include "forms/depositprint.h"
#include "forms/directdebitprint.h"
#include "forms/foreignprint.h"
#include "forms/transferprint.h"

#include "common/testenv.h"
#include "platform/hive.h"
#include "platform/paths.h"
#include "platform/recordingprinter.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>

namespace formidor::forms {
namespace {

struct NoOffsets : CalibrationView {
    std::string offsetText(char, bool) const override { return "0"; }
    bool isNormal(char) const override { return true; }
    bool isHochkant(char) const override { return false; }
    bool isRightFeed(char) const override { return true; }
    bool isLeftFeed(char) const override { return false; }
};

// Every write of the settings store fails from now on, as on a full disk; reading still works.
void failStoreWrites() {
    hive::checkAvailable();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(paths::hiveFile().c_str(), &db), SQLITE_OK);
    const char* sql = R"sql(
        CREATE TRIGGER full1 BEFORE INSERT ON vals BEGIN SELECT RAISE(ABORT, 'disk full'); END;
        CREATE TRIGGER full2 BEFORE UPDATE ON vals BEGIN SELECT RAISE(ABORT, 'disk full'); END;
        CREATE TRIGGER full3 BEFORE INSERT ON keys BEGIN SELECT RAISE(ABORT, 'disk full'); END;
    )sql";
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

struct Printed {
    const char* form;
    std::function<void(Printer&, const CalibrationView&, Journal&)> print;
};

const Printed kPrinters[] = {
    {"transfer",
     [](Printer& p, const CalibrationView& c, Journal& j) {
         FormPage page;
         page.setText("EEmpfaenger", "Stadtwerke Köln");
         page.setText("EBetrag", "12,50");
         printTransfer(p, TransferVariant::V20, page, c, j, {});
     }},
    {"deposit",
     [](Printer& p, const CalibrationView& c, Journal& j) {
         FormPage page;
         page.setText("ComboBox1", "Sparkasse");
         page.setText("EKontoinhaber", "Jürgen Müller");
         page.setText("EGesamtbetrag", "12,50");
         printDeposit(p, page, c, j, {});
     }},
    {"cheque",
     [](Printer& p, const CalibrationView& c, Journal& j) {
         FormPage page;
         page.setText("EEmpfaenger1", "Stadtwerke Köln");
         page.setText("EBetragV", "12,50");
         printCheque(p, Counterfoil::Deutsche, page, c, j, {});
     }},
    {"direct debit",
     [](Printer& p, const CalibrationView& c, Journal& j) {
         FormPage page;
         page.setText("ENameZ", "Stadtwerke Köln");
         page.setText("EBetragZ", "12,50");
         page.setText("EStueckzahlD", "0");
         page.setText("EBetragD", "0");
         DirectDebitAfterPrint after;
         after.journal = &j;
         printDirectDebit(p, page, c, after);
     }},
    {"foreign",
     [](Printer& p, const CalibrationView& c, Journal& j) {
         FormPage page;
         page.setText("EEmpfaengerName", "Hôtel du Lac");
         page.setText("EAuftraggeberName", "Jürgen Müller");
         page.setText("EBetrag", "12,50");
         printForeign(p, page, c, j);
     }},
};

TEST(AfterPrint, TheJournalRecordIsWrittenWhenStoringTheAddressesFails) {
    for (const auto& f : kPrinters) {
        SCOPED_TRACE(f.form);
        test::ScopedDataHome home;
        RecordingPrinter printer;
        NoOffsets calibration;
        Journal journal{home.path() / "journal"};
        failStoreWrites();
        try {
            f.print(printer, calibration, journal);
            FAIL() << "the failed store was not reported";
        } catch (const EAfterPrintError& e) {
            const std::string msg = e.what();
            EXPECT_NE(msg.find("ins Journal eingetragen, aber seine Adressen konnten nicht "
                               "gespeichert werden"),
                      std::string::npos)
                << msg;
        }
        EXPECT_EQ(printer.Documents().size(), 1u);
        const auto records = readJournalFile(home.path() / "journal");
        ASSERT_TRUE(records);
        ASSERT_EQ(records->size(), 1u);
        EXPECT_EQ(records->front().Betrag(), 125000);
    }
}

TEST(AfterPrint, BothFailuresAreNamed) {
    for (const auto& f : kPrinters) {
        SCOPED_TRACE(f.form);
        test::ScopedDataHome home;
        RecordingPrinter printer;
        NoOffsets calibration;
        test::writeFile(home.path() / "keinordner", ""); // the journal's folder is a file
        Journal journal{home.path() / "keinordner" / "journal"};
        failStoreWrites();
        try {
            f.print(printer, calibration, journal);
            FAIL() << "no report";
        } catch (const EAfterPrintError& e) {
            const std::string msg = e.what();
            EXPECT_NE(msg.find("weder ins Journal eingetragen noch wurden seine Adressen "
                               "gespeichert"),
                      std::string::npos)
                << msg;
            EXPECT_NE(msg.find("Das Journal"), std::string::npos) << msg;
        }
        EXPECT_EQ(printer.Documents().size(), 1u);
    }
}

} // namespace
} // namespace formidor::forms
