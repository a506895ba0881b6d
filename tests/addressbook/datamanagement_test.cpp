// The data management page's core: names, details, deletion, and the address lists printed on
// a recording printer.
#include "addressbook/datamanagement.h"

#include "addressbook/addressbook.h"
#include "common/testenv.h"
#include "platform/hive.h"
#include "printjob/jobtestsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace formidor {
namespace {

using Names = std::vector<std::string>;

std::string collectionKey(std::string_view collection) {
    return "\\" + std::string(kAppKey) + "\\" + std::string(collection);
}

void storeOriginator(const std::string& name, const std::string& account) {
    UeberweisungAdressen d;
    d.EAuftraggeber = name;
    d.EEigeneKontonr = account;
    d.EAuftraggeberBLZ = "37050198";
    d.EAuftraggeberBank = "Sparkasse KölnBonn";
    SaveEmpfaenger(d);
}

ListEntry entriesOf(const Names& names) {
    return [names](int row) -> std::optional<std::string> {
        if (row < 0 || row >= int(names.size())) return std::nullopt;
        return names[row];
    };
}

bool drawn(const Metafile& page, const std::string& text) {
    return page.FindText(text) != nullptr;
}

class DataManagementCore : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    test::ScopedPrinter printer;
};

TEST_F(DataManagementCore, DetailsOfBothKindsAndAGoneRecordIsNotCreated) {
    storeOriginator("Jürgen Müller", "1234567");
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(collectionKey(kUeberwE) + "\\Stadtwerke Köln", true));
        reg.WriteString("Kontonr", "99");
        reg.WriteString("BLZ", "37010050");
        reg.WriteString("Empfaenger2", "Parkgürtel 24");
        reg.WriteString("Empfaenger4", "Abteilung Abrechnung");
    }
    EXPECT_EQ(recordDetails(kUeberwA, "Jürgen Müller"),
              (Names{"1234567", "Sparkasse KölnBonn", "37050198"}));
    EXPECT_EQ(recordDetails(kUeberwE, "stadtwerke köln"),
              (Names{"99", "", "37010050", "Parkgürtel 24", "", "Abteilung Abrechnung"}));

    // Looking at a name whose record has gone meanwhile must not bring it back empty.
    EXPECT_EQ(recordDetails(kUeberwA, "Gelöscht"), std::nullopt);
    EXPECT_EQ(collectionNames(kUeberwA), (Names{"Jürgen Müller"}));
}

TEST_F(DataManagementCore, DeletingTakesTheSubkeysAlongAndNothingElse) {
    storeOriginator("Anna Schmidt", "1");
    storeOriginator("Jürgen Müller", "2");
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(collectionKey(kUeberwA) + "\\Jürgen Müller\\Alt\\Älter", true));
        reg.WriteString("Kontonr", "3");
        ASSERT_TRUE(reg.OpenKey(collectionKey(kUeberwE) + "\\Jürgen Müller", true));
        reg.WriteString("Kontonr", "4");
    }
    deleteRecord(kUeberwA, "Jürgen Müller");
    EXPECT_EQ(collectionNames(kUeberwA), (Names{"Anna Schmidt"}));
    TRegistry reg;
    EXPECT_FALSE(reg.KeyExists(collectionKey(kUeberwA) + "\\Jürgen Müller\\Alt"));
    // The recipient of the same name is another record.
    EXPECT_EQ(collectionNames(kUeberwE), (Names{"Jürgen Müller"}));

    // The empty name would be the collection itself.
    deleteRecord(kUeberwA, "");
    EXPECT_EQ(collectionNames(kUeberwA), (Names{"Anna Schmidt"}));
}

TEST_F(DataManagementCore, NoSelectionIsAListIndexError) {
    try {
        checkListIndex(-1, 3);
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "Listenindex außerhalb des gültigen Bereichs (-1)");
    }
    EXPECT_THROW(checkListIndex(3, 3), EListError);
    EXPECT_NO_THROW(checkListIndex(2, 3));
}

TEST_F(DataManagementCore, ListDesign) {
    TSimpleTextGridPrintJob job;
    setupAddressListJob(job, kUeberwA, entriesOf({}));
    EXPECT_EQ(job.ColCount(), 4);
    EXPECT_EQ(job.RowsPerPage(), 25);
    EXPECT_EQ(job.TableBorders(), kAllCellBorders);
    EXPECT_EQ(job.HeaderCellBorders(), kAllCellBorders);
    EXPECT_EQ(job.PageCellBorders(), kAllCellBorders);
    EXPECT_TRUE(job.FooterCellBorders().empty());
    EXPECT_TRUE(job.IndexColumn());
    EXPECT_EQ(job.IndexStart(), 1);
    EXPECT_EQ(job.HeaderFont().Name, "Arial");
    EXPECT_EQ(job.HeaderFont().Size(), 12);
    EXPECT_EQ(job.PageFont().Size(), 9);
    EXPECT_EQ(job.FooterFont().Height, -16);
    EXPECT_EQ(job.ClipMode(), cmEllipsis);
    EXPECT_EQ(job.Title(), "Formidor 2004 - Übersicht aller Auftraggeber");
    EXPECT_EQ(job.Margins(), (TMargins{100, 117, 150, 150}));
    EXPECT_EQ(job.MarginsUnits(), unPixels);
    EXPECT_EQ(job.Header(), 0.5);
    EXPECT_EQ(job.HeaderUnits(), unInches);
    EXPECT_EQ(job.Orientation(), orLandscape);
    EXPECT_EQ(job.Options(), (TJobOptionsSet{joMargins, joHeader}));
    // The sheet, not the stored 6600 × 5100: A4 landscape at 300 DPI.
    EXPECT_EQ(job.PageWidth(), 3508);
    EXPECT_EQ(job.PageHeight(), 2480);

    Canvas& c = ThePrinter().GetCanvas();
    EXPECT_EQ(job.GetColWidth(c, IndexColumnIndex), 125); // 3508 × 250 / 7014 = 125.04
    for (int col = 0; col < 4; ++col) EXPECT_EQ(job.GetColWidth(c, col), 750) << col;
    EXPECT_EQ(addressListColWidth(7014, -1), 250);
    EXPECT_EQ(addressListColWidth(7014, 2), 1500);
    EXPECT_EQ(addressListColWidth(7000, 0), 1497);
}

TEST_F(DataManagementCore, TwentySixOriginatorsPrintOnTwoPages) {
    for (int i = 1; i <= 26; ++i)
        storeOriginator("Kunde " + std::string(i < 10 ? "0" : "") + std::to_string(i),
                        std::to_string(1000 + i));
    const Names names = collectionNames(kUeberwA);
    ASSERT_EQ(names.size(), 26u);
    TSimpleTextGridPrintJob job;
    setupAddressListJob(job, kUeberwA, entriesOf(names));
    job.SetRowCount(int(names.size()));
    EXPECT_EQ(job.PageCount(), 2);

    job.Print();
    const RecordedDocument& doc = printer->LastDocument();
    EXPECT_EQ(doc.title, kAddressListTitle);
    EXPECT_EQ(doc.orientation, TPrinterOrientation::poLandscape);
    ASSERT_EQ(doc.pages.size(), 2u);
    const Metafile& first = doc.page(0);
    for (const char* t : {"Kontoinhaber", "Kontonummer", "Institut", "BLZ", "1", "25", "Kunde 01",
                          "1001", "Kunde 25", "1025", "Sparkasse KölnBonn", "37050198"})
        EXPECT_TRUE(drawn(first, t)) << t;
    EXPECT_FALSE(drawn(first, "Kunde 26"));
    // The title goes to the spooler only.
    EXPECT_FALSE(drawn(first, kAddressListTitle));
    const Metafile& second = doc.page(1);
    for (const char* t : {"Kontoinhaber", "26", "Kunde 26", "1026"})
        EXPECT_TRUE(drawn(second, t)) << t;
    EXPECT_FALSE(drawn(second, "Kunde 25"));
    EXPECT_FALSE(drawn(second, "27"));

    // Texts come from the row's own record, centred in their cells.
    const MetaText* name = first.FindText("Kunde 02");
    const MetaText* account = first.FindText("1002");
    ASSERT_TRUE(name && account);
    EXPECT_EQ(name->font.Size(), 9);
    EXPECT_NEAR(name->baseline.y, account->baseline.y, 0.5);
    EXPECT_GT(account->baseline.x, name->baseline.x + 600);
}

TEST_F(DataManagementCore, CellTextsAreReadAfreshForEveryCell) {
    // A recipient stored from the crossed cheque page only has no account data.
    VerrechnungsscheckAdressen cheque;
    cheque.EEmpfaenger1 = "Nur Scheck";
    cheque.EEmpfaenger2 = "Hauptstr. 1";
    SaveEmpfaengerV(cheque);
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(collectionKey(kUeberwE) + "\\Stadtwerke Köln", true));
        reg.WriteString("Kontonr", "99");
        reg.WriteString("Institut", "Postbank");
        reg.WriteString("BLZ", "37010050");
    }
    const Names names = collectionNames(kUeberwE);
    ASSERT_EQ(names, (Names{"Nur Scheck", "Stadtwerke Köln"}));
    TSimpleTextGridPrintJob job;
    setupAddressListJob(job, kUeberwE, entriesOf(names));
    job.SetRowCount(2);

    struct Cell {
        int col, row;
        const char* text;
    };
    const Cell cells[] = {
        {-1, HeaderRowIndex, ""},
        {0, HeaderRowIndex, "Kontoinhaber"},
        {1, HeaderRowIndex, "Kontonummer"},
        {2, HeaderRowIndex, "Institut"},
        {3, HeaderRowIndex, "BLZ"},
        {-1, 0, "1"},
        {0, 0, "Nur Scheck"},
        {1, 0, ""},
        {2, 0, ""},
        {3, 0, ""},
        {-1, 1, "2"},
        {0, 1, "Stadtwerke Köln"},
        {1, 1, "99"},
        {2, 1, "Postbank"},
        {3, 1, "37010050"},
        {0, FooterRowIndex, ""},
        {3, FooterRowIndex, ""},
    };
    for (const auto& c : cells) EXPECT_EQ(job.GetCellText(1, c.col, c.row), c.text) << c.col;
    EXPECT_EQ(job.GetCellAlignment(0, 1), taCenter);

    // A change of the record shows at the next drawing; a record gone leaves its cells empty.
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(collectionKey(kUeberwE) + "\\Stadtwerke Köln", false));
        reg.WriteString("Kontonr", "100");
    }
    EXPECT_EQ(job.GetCellText(1, 1, 1), "100");
    deleteRecord(kUeberwE, "Stadtwerke Köln");
    EXPECT_EQ(job.GetCellText(1, 0, 1), "");
    EXPECT_EQ(job.GetCellText(1, 1, 1), "");
    EXPECT_EQ(job.GetCellText(1, -1, 1), "2");
}

} // namespace
} // namespace formidor
