#include "journal/journalrange.h"

#include "common/testenv.h"
#include "platform/recordingprinter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace formidor {
namespace {

namespace fs = std::filesystem;

constexpr TDateTime kMonday = 44270.0; // 15.03.2021

class JournalRangeTest : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path file = dir / "journal";
    Journal journal{file};

    void SetUp() override { journal.JournalLaden(); }

    void append(TDateTime when, std::string_view originator = "Jürgen Müller") {
        journal.JournalAnhaengen(kJournalUeberweisung, "1234567890", originator, when, "37040044",
                                 "Stadtwerke Köln", "555", "37050198", "Strom", 125000);
    }
    std::vector<int32_t> ids() const {
        std::vector<int32_t> out;
        for (const auto& r : journal.Liste()) out.push_back(r.ID());
        return out;
    }
    std::vector<int32_t> idsInFile() const {
        std::vector<int32_t> out;
        const auto records = readJournalFile(file);
        for (const auto& r : *records) out.push_back(r.ID());
        return out;
    }
};

TEST_F(JournalRangeTest, DefaultsAreTheRunStateAndEmptyMeansTheWidestDays) {
    JournalRange empty = journalDialogDefaults(journal);
    EXPECT_EQ(empty.vonNummer, 10000000);
    EXPECT_EQ(empty.bisNummer, 0);
    EXPECT_EQ(empty.vonDatum, kJournalFirstPickerDay);
    EXPECT_EQ(empty.bisDatum, kJournalLastPickerDay);
    EXPECT_TRUE(journalSelection(journal.Liste(), empty).empty());

    for (int i = 0; i < 5; ++i) append(kMonday + i + 0.25);
    JournalRange appended = journalDialogDefaults(journal);
    EXPECT_EQ(appended.vonNummer, 10000000) << "the lowest number only follows loads";
    EXPECT_EQ(appended.bisNummer, 5);
    EXPECT_EQ(appended.vonDatum, kMonday + 0.25);
    EXPECT_EQ(appended.bisDatum, kMonday + 4.25);

    // The deletion's load lowers the lowest number; nothing raises it or the earliest day again.
    deleteJournalRange(journal, {1, 1, 0, kJournalLastPickerDay});
    deleteJournalRange(journal, {4, 5, 0, kJournalLastPickerDay});
    JournalRange d = journalDialogDefaults(journal);
    EXPECT_EQ(d.vonNummer, 2);
    EXPECT_EQ(d.bisNummer, 5);
    EXPECT_EQ(d.vonDatum, kMonday + 0.25);
    EXPECT_EQ(d.bisDatum, kMonday + 4.25);

    Journal reloaded(file);
    reloaded.JournalLaden();
    JournalRange r = journalDialogDefaults(reloaded);
    EXPECT_EQ(r.vonNummer, 2);
    EXPECT_EQ(r.bisNummer, 3);
    EXPECT_EQ(r.vonDatum, kMonday + 1.25);
    EXPECT_EQ(journalSelection(reloaded.Liste(), r).size(), 2u);
}

TEST(JournalSelection, WholeDaysAndNumbersBothEndsIncluded) {
    struct Case {
        int32_t id;
        TDateTime when;
        bool selected;
    };
    // Days 15.03. to 17.03., numbers 2 to 9; the range's own times of day do not matter.
    const JournalRange range{2, 9, kMonday + 0.9, kMonday + 2.1};
    const Case cases[] = {
        {2, kMonday, true},
        {9, kMonday + 2 + 23.0 / 24 + 59.0 / 1440, true}, // 23:59 on the last day
        {5, kMonday + 3, false},                          // the day after
        {5, kMonday - 1.0 / 1440, false},                 // 23:59 the day before
        {1, kMonday + 1, false},
        {10, kMonday + 1, false},
    };
    for (const auto& c : cases) {
        TJournal r;
        r.SetID(c.id);
        r.SetDatum(c.when);
        EXPECT_EQ(journalSelected(r, range), c.selected) << c.id << " " << c.when;
    }
    TJournal r;
    r.SetID(5);
    r.SetDatum(kMonday);
    EXPECT_FALSE(journalSelected(r, {6, 5, 0, kJournalLastPickerDay})) << "von above bis";
}

TEST_F(JournalRangeTest, DeletionLeavesFileAndListEqualAndNumbersRunOn) {
    for (int i = 0; i < 5; ++i) append(kMonday + i);
    EXPECT_EQ(deleteJournalRange(journal, {4, 5, 0, kJournalLastPickerDay}), 2u);
    EXPECT_EQ(ids(), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(idsInFile(), ids());
    append(kMonday + 9);
    EXPECT_EQ(journal.Liste().back().ID(), 6);

    // By days only: the records of 16.03. and 17.03.
    EXPECT_EQ(deleteJournalRange(journal, {0, 100, kMonday + 1, kMonday + 2}), 2u);
    EXPECT_EQ(ids(), (std::vector<int32_t>{1, 6}));
    EXPECT_EQ(idsInFile(), ids());
}

TEST_F(JournalRangeTest, FailedSaveDeletesNothingAndSaysSo) {
    for (int i = 0; i < 5; ++i) append(kMonday + i);
    const std::string before = test::readFile(file);
    struct Case {
        Journal::WriteFault fault;
        const char* reason;
    };
    const Case cases[] = {
        {{440, ENOSPC}, "nicht genug freier Speicherplatz"},
        {{0, EROFS}, "schreibgeschützt"},
    };
    for (const auto& c : cases) {
        journal.setWriteFaultForTesting(c.fault);
        try {
            deleteJournalRange(journal, {2, 4, 0, kJournalLastPickerDay});
            ADD_FAILURE() << "a failed save must not report a deletion";
        } catch (const EJournalError& e) {
            const std::string m = e.what();
            EXPECT_NE(m.find(c.reason), std::string::npos) << m;
            EXPECT_NE(m.find("Es wurde nichts gelöscht."), std::string::npos) << m;
        }
        EXPECT_EQ(test::readFile(file), before);
        EXPECT_EQ(ids(), (std::vector<int32_t>{1, 2, 3, 4, 5}));
        for (const auto& r : journal.Liste()) EXPECT_EQ(r.Flag(), 0);
    }
    // Once the disk has room again the same deletion goes through, and the marks of the failed
    // attempts do not take more records with them.
    journal.setWriteFaultForTesting(std::nullopt);
    EXPECT_EQ(deleteJournalRange(journal, {4, 4, 0, kJournalLastPickerDay}), 1u);
    EXPECT_EQ(idsInFile(), (std::vector<int32_t>{1, 2, 3, 5}));
}

// --- the printed list ---

std::vector<const MetaText*> textsAt(const Metafile& page, int y) {
    std::vector<const MetaText*> out;
    for (const auto& t : page.Texts())
        if (t.logical.Y == y) out.push_back(&t);
    return out;
}

TEST_F(JournalRangeTest, SeventeenRecordsFillOnePageAndStartTheNext) {
    for (int i = 0; i < 17; ++i) append(kMonday + i / 24.0);
    // The next start: the defaults select everything loaded.
    Journal started(file);
    started.JournalLaden();
    RecordingPrinter printer;
    printer.SetTitle("vorher");
    EXPECT_EQ(printJournalRange(printer, started.Liste(), journalDialogDefaults(started)), 2);
    const RecordedDocument& doc = printer.LastDocument();
    EXPECT_EQ(doc.title, "");
    ASSERT_EQ(doc.pages.size(), 2u);

    for (int p = 0; p < 2; ++p) {
        const Metafile& page = doc.page(p);
        const MetaText* seite = page.FindText("Seite " + std::to_string(p + 1));
        ASSERT_NE(seite, nullptr);
        EXPECT_EQ(seite->logical, (TPoint{1800, -10}));
        const MetaText* title = page.FindText("Formidor 2016 - Druck-Journal");
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->logical, (TPoint{1050, -60}));
        EXPECT_EQ(title->align, TA_CENTER | TA_TOP);
        EXPECT_EQ(title->font.Height, 60);
        EXPECT_FALSE(title->font.Bold);
        const MetaText* empf = page.FindText("Empfänger");
        ASSERT_NE(empf, nullptr);
        EXPECT_EQ(empf->logical, (TPoint{1100, -250}));
        EXPECT_TRUE(empf->font.Bold);
        EXPECT_EQ(empf->font.Name, "Arial");
        // Three rules, the first two 0.5 mm wide, the last 0.2 mm, as long as the page is high.
        ASSERT_EQ(page.Lines().size(), 3u);
        EXPECT_NEAR(page.Lines()[0].pen.width, 5 * 300 / 254.0, 0.5);
        EXPECT_NEAR(page.Lines()[2].pen.width, 2 * 300 / 254.0, 0.5);
        EXPECT_NEAR(page.Lines()[0].to.x - page.Lines()[0].from.x,
                    10 * doc.caps.get(VERTSIZE) * 300 / 254.0, 2);
    }
    // Page 1: sixteen first lines from −350 down to −2600; the 17th record heads page 2.
    for (int i = 0; i < 16; ++i) {
        auto line = textsAt(doc.page(0), -350 - 150 * i);
        ASSERT_FALSE(line.empty()) << i;
        EXPECT_EQ(line[0]->text, std::to_string(i + 1));
        EXPECT_EQ(line[0]->font.Height, 30);
        EXPECT_FALSE(line[0]->font.Bold);
    }
    EXPECT_TRUE(textsAt(doc.page(0), -2750).empty());
    auto first = textsAt(doc.page(1), -350);
    ASSERT_EQ(first.size(), 5u);
    EXPECT_EQ(first[0]->text, "17");
    EXPECT_EQ(first[1]->text, "Überweisung");
    EXPECT_EQ(first[2]->text, "15.03.2021");
    EXPECT_EQ(first[3]->text, "12,50 €");
    EXPECT_EQ(first[4]->logical.X, 1150);
}

TEST_F(JournalRangeTest, NothingSelectedPrintsTheHeaderOnly) {
    for (int i = 0; i < 3; ++i) append(kMonday);
    RecordingPrinter printer;
    JournalRange range = journalDialogDefaults(journal);
    range.vonNummer = 3;
    range.bisNummer = 2;
    EXPECT_EQ(printJournalRange(printer, journal.Liste(), range), 1);
    const Metafile& page = printer.LastDocument().page(0);
    EXPECT_EQ(page.Texts().size(), 9u) << "page number, title and the seven column labels";
}

TEST(JournalRecordTexts, AccountAndBankCodeItemsOnlyWhereFilled) {
    struct Case {
        const char* what;
        const char *konto, *blz, *empfKonto, *empfBlz;
        std::vector<JournalPrintText> second;
    };
    const Case cases[] = {
        {"transfer",
         "1234567890",
         "37040044",
         "555",
         "37050198",
         {{250, -400, "Jürgen Müller"},
          {550, -400, "Kto.: 1234567890"},
          {800, -400, "BLZ: 37040044"},
          {1100, -400, "Stadtwerke Köln"},
          {1400, -400, "Kto.: 555"},
          {1650, -400, "BLZ: 37050198"}}},
        // A crossed cheque knows neither account nor bank code.
        {"crossed cheque",
         "",
         "",
         "",
         "",
         {{250, -400, "Jürgen Müller"}, {1100, -400, "Stadtwerke Köln"}}},
        {"bank code only",
         "",
         "37040044",
         "",
         "",
         {{250, -400, "Jürgen Müller"},
          {800, -400, "BLZ: 37040044"},
          {1100, -400, "Stadtwerke Köln"}}},
    };
    for (const auto& c : cases) {
        TJournal r;
        r.SetID(3);
        r.SetTyp(kJournalVerrechnungsscheck);
        r.SetDatum(kMonday + 0.5);
        r.SetBetrag(123456789);
        r.SetVerwendungszweck("Miete");
        r.SetAuftraggeberName("Jürgen Müller");
        r.SetEmpfaengerName("Stadtwerke Köln");
        r.SetAuftraggeberKonto(c.konto);
        r.SetAuftraggeberBLZ(c.blz);
        r.SetEmpfaengerKonto(c.empfKonto);
        r.SetEmpfaengerBLZ(c.empfBlz);
        auto t = journalRecordTexts(r, -350);
        const std::vector<JournalPrintText> firstLine(t.begin(), t.begin() + 5);
        EXPECT_EQ(firstLine, (std::vector<JournalPrintText>{{150, -350, "3"},
                                                            {300, -350, "Verrechnungsscheck"},
                                                            {600, -350, "15.03.2021"},
                                                            {850, -350, "12345,68 €"},
                                                            {1150, -350, "Miete"}}))
            << c.what;
        EXPECT_EQ(std::vector<JournalPrintText>(t.begin() + 5, t.end()), c.second) << c.what;
    }
}

} // namespace
} // namespace formidor
