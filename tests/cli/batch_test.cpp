// `print FORM --csv FILE`: one form per row into one PDF, each row with the steps "Drucken"
// takes after the print; `--dry-run` checks the rows and prints and stores nothing.
#include "cli/clirun.h"

#include "app/settings.h"
#include "common/testenv.h"
#include "journal/journal.h"
#include "platform/hive.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

namespace formidor {
namespace {

using test::runCli;

// The text of each page of a PDF, as pdftotext gives it.
std::vector<std::string> pageTexts(const std::filesystem::path& pdf) {
    const auto txt = pdf.parent_path() / "pages.txt";
    const std::string cmd = "pdftotext '" + pdf.string() + "' '" + txt.string() + "'";
    if (std::system(cmd.c_str()) != 0) return {"<pdftotext failed>"};
    std::vector<std::string> pages;
    std::string all = test::readFile(txt), page;
    for (char c : all) {
        if (c == '\f') {
            pages.push_back(page);
            page.clear();
        } else {
            page += c;
        }
    }
    return pages;
}

// Word positions of one page, for comparing two prints of the same form.
std::string bboxOfPage(const std::filesystem::path& pdf, int page) {
    const auto html = pdf.parent_path() / "bbox.html";
    const std::string cmd = "pdftotext -bbox -f " + std::to_string(page) + " -l " +
                            std::to_string(page) + " '" + pdf.string() + "' '" + html.string() +
                            "'";
    if (std::system(cmd.c_str()) != 0) return "<pdftotext failed>";
    std::string words;
    static const std::regex word("<word [^>]*>[^<]*</word>");
    const std::string text = test::readFile(html);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), word);
         it != std::sregex_iterator(); ++it)
        words += it->str() + "\n";
    return words;
}

std::vector<TJournal> journalRecords() {
    return readJournalFile(paths::journalFile()).value_or(std::vector<TJournal>{});
}

bool recipientStored(const std::string& name) {
    TRegistry reg;
    return reg.KeyExists("\\" + std::string(kAppKey) + "\\UeberwE\\" + name);
}

class CliBatch : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    std::filesystem::path csv = home.path() / "liste.csv";
    std::filesystem::path pdf = home.path() / "stapel.pdf";

    test::CliResult print(const std::string& form, const std::string& text, cli::Args extra = {}) {
        test::writeFile(csv, text);
        cli::Args args{"print", form, "--csv", csv.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return runCli(args);
    }
};

constexpr const char* kTransfers =
    "EEmpfaenger;EKontonr;EBLZ;EBetrag;EVerwendung1;EAuftraggeber;EEigeneKontonr\r\n"
    "Stadtwerke Köln;1802057;37050198;12,50;\"Kunde; 4711\";Jürgen Müller;123456\r\n"
    "Finanzamt Bonn;999;10010010;1234,00;Steuer;Jürgen Müller;123456\r\n"
    "Verein e.V.;555;10010010;30;\"Beitrag \"\"2027\"\"\";Anna Schmidt;654321\r\n";

TEST_F(CliBatch, EveryRowIsOnePageWithItsStepsAfterThePrint) {
    auto r = print("transfer", kTransfers, {"--pdf", pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "3 Formulare gedruckt in " + pdf.string() + ".\n");
    const auto pages = pageTexts(pdf);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_NE(pages[0].find("Kunde; 4711"), std::string::npos) << pages[0];
    EXPECT_NE(pages[1].find("Finanzamt Bonn"), std::string::npos) << pages[1];
    EXPECT_NE(pages[2].find("Beitrag \"2027\""), std::string::npos) << pages[2];
    EXPECT_EQ(pages[2].find("Finanzamt"), std::string::npos);

    const auto records = journalRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].ID(), 1);
    EXPECT_EQ(records[1].EmpfaengerName(), "Finanzamt Bonn");
    EXPECT_EQ(records[1].Betrag(), 12340000);
    for (const char* name : {"Stadtwerke Köln", "Finanzamt Bonn", "Verein e.V."})
        EXPECT_TRUE(recipientStored(name)) << name;
    EXPECT_EQ(settings::Empfaenger(), "Anna Schmidt"); // the last row's originator
}

TEST_F(CliBatch, StopsAtTheFirstFailingRowWithTheRowsBeforeItDone) {
    const std::string text = "EEmpfaenger;EBetrag\n"
                             "Erster;1,00\n"
                             "Zweiter;2,00\n"
                             "Dritter;12 EUR\n"
                             "Vierter;4,00\n";
    auto r = print("transfer", text, {"--pdf", pdf.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Zeile 4, Spalte 2: '12 EUR' ist kein Betrag (EBetrag, etwa 1234,56).\n"
                     "Gedruckt und gespeichert: 2 Formulare, die Zeilen danach nicht.\n");
    EXPECT_EQ(pageTexts(pdf).size(), 2u);
    EXPECT_EQ(journalRecords().size(), 2u);
    EXPECT_TRUE(recipientStored("Zweiter"));
    EXPECT_FALSE(recipientStored("Dritter"));
    EXPECT_FALSE(recipientStored("Vierter"));
}

// Faults of the file: a message with line and column, and nothing printed or stored, for a dry
// run and a real one alike.
TEST_F(CliBatch, BadFilesAreNamedByLineAndColumnAndNothingHappens) {
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"EEmpfaenger;EBetrag;EFarbe\nA;1;rot\n",
         "Zeile 1, Spalte 3: Unbekanntes Feld 'EFarbe' im Überweisungsformular.\n"},
        {"EEmpfaenger;EBetrag\nA;1\n\"B;2\n",
         "Zeile 3, Spalte 1: Das Anführungszeichen wird nicht geschlossen.\n"},
        {"", "Die CSV-Datei ist leer.\n"},
        {"EEmpfaenger;EBetrag\n", "Die CSV-Datei enthält nur die Kopfzeile, keine Zeile zum "
                                  "Drucken.\n"},
        {"EEmpfaenger,EBetrag\nA,1\nB,2,3\n",
         "Zeile 3, Spalte 3: Die Zeile hat 3 Felder, die Kopfzeile nur 2.\n"},
    };
    for (const Case& c : cases) {
        for (const cli::Args& mode : {cli::Args{"--dry-run"}, cli::Args{"--pdf", pdf.string()}}) {
            SCOPED_TRACE(c.message + mode[0]);
            auto r = print("transfer", c.text, mode);
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.err, c.message);
            EXPECT_FALSE(std::filesystem::exists(pdf));
        }
    }
    EXPECT_TRUE(journalRecords().empty());
    EXPECT_FALSE(recipientStored("A"));
}

TEST_F(CliBatch, DryRunReportsEveryFaultyRowAndStoresNothing) {
    const std::string text = "EEmpfaenger;EBetrag;CBAnschriftweitergabe\n"
                             "A;1,00;x\n"
                             "B;zwölf;\n"
                             "C;3;vielleicht\n";
    auto r = print("transfer", text, {"--dry-run"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(
        r.err,
        "Zeile 3, Spalte 2: 'zwölf' ist kein Betrag (EBetrag, etwa 1234,56).\n"
        "Zeile 4, Spalte 3: 'vielleicht' ist für das Kontrollkästchen CBAnschriftweitergabe weder "
        "ja noch nein (1 oder 0, x oder leer).\n");

    // IBANs are checked as leaving their fields checks them: a mistyped one fails its row, and
    // the originator's field holds the IBAN without "DE".
    r = print("transfer",
              "EEmpfaenger;EIBANEmpf;EIBANAuftrag;EBetrag\n"
              "A;DE02 3705 0198 0001 8020 57;02370501980001802057;1,00\n"
              "B;DE02 3705 0198 0001 8020 75;;2,00\n"
              "C;;DE02370501980001802057;3\n",
              {"--dry-run"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Zeile 3, Spalte 2: EIBANEmpf: IBAN ungültig"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("Zeile 4, Spalte 3: EIBANAuftrag: IBAN ungültig"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("Zeile 2"), std::string::npos) << r.err;

    r = print("transfer", kTransfers, {"--dry-run"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "3 Zeilen geprüft, keine Fehler.\n");
    EXPECT_TRUE(journalRecords().empty());
    EXPECT_FALSE(recipientStored("Finanzamt Bonn"));
    EXPECT_FALSE(std::filesystem::exists(pdf));
    // A dry run prints nothing, so it does not need the printing side.
    EXPECT_FALSE(cli::needsPrinter({"print", "transfer", "--csv", "x.csv", "--dry-run"}));
    EXPECT_TRUE(cli::needsPrinter({"print", "transfer", "--csv", "x.csv", "--pdf", "x.pdf"}));
}

// The batch prints with the calibration the user stored for the form type, each page as the
// single print with that calibration would.
TEST_F(CliBatch, UsesTheStoredCalibration) {
    settings::storeOffset('U', true, "120");
    settings::storeOffset('U', false, "-35");
    settings::storeOrientation('U', true);
    settings::storeFeed('U', false);
    auto r = print("transfer", "EEmpfaenger;EBetrag\nStadtwerke;5,00\n", {"--pdf", pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto single = home.path() / "einzeln.pdf";
    auto s = runCli({"print", "transfer", "--kv", "120", "--kh", "-35", "--orientation", "normal",
                     "--feed", "links", "--set", "EEmpfaenger=Stadtwerke", "--set", "EBetrag=5,00",
                     "--pdf", single.string()});
    ASSERT_EQ(s.status, 0) << s.err;
    const std::string batchWords = bboxOfPage(pdf, 1);
    EXPECT_NE(batchWords.find("Stadtwerke"), std::string::npos);
    EXPECT_EQ(batchWords, bboxOfPage(single, 1));
}

// The other forms: the deposit slip, the cheque and the direct debit record their journal
// entries; the postal forms store their addresses and record none.
TEST_F(CliBatch, OtherFormsRunTheirOwnStepsAfterThePrint) {
    auto r = print("deposit",
                   "ComboBox1,EKontoinhaber,EGesamtbetrag\nHypoVereinsbank,Jürgen Müller,10,00\n",
                   {"--pdf", pdf.string()});
    // The comma file's amount "10,00" would be two fields: quoted, it is one.
    EXPECT_EQ(r.status, 2);
    r = print("deposit",
              "ComboBox1,EKontoinhaber,EGesamtbetrag\nHypoVereinsbank,Jürgen Müller,\"10,00\"\n",
              {"--pdf", pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(journalRecords().size(), 1u);
    EXPECT_EQ(journalRecords()[0].Typ(), kJournalScheckeinreichung);

    r = print("cheque", "EEmpfaenger1;EBetragV;EOrt\nHans Huber;99,00;Bonn\n",
              {"--pdf", pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    r = print("debit", "ENameZ;EKontonrZ;EBLZZ;EBetragZ\nKunde A;123;10010010;10,00\n",
              {"--pdf", pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(journalRecords().size(), 3u);
    EXPECT_EQ(journalRecords()[1].Typ(), kJournalVerrechnungsscheck);
    EXPECT_EQ(journalRecords()[2].Typ(), kJournalLastschrift);
    // The plain-paper reports are no forms to fill from a file.
    r = print("report-transfer", "EEmpfaenger\nA\n", {"--pdf", pdf.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Das Formular 'report-transfer' wird nicht aus einer CSV-Datei gedruckt.\n");

    r = print("cod", "EEmpfN;NNBetrag2\nWeinhandel Vogt;12,50\nBuchladen;3\n",
              {"--pdf", pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(pageTexts(pdf).size(), 2u);
    EXPECT_EQ(journalRecords().size(), 3u);
    EXPECT_EQ(settings::Empfaenger(), "Buchladen");
}

} // namespace
} // namespace formidor
