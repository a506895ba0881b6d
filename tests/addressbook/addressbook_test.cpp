#include "addressbook/addressbook.h"

#include "common/testenv.h"
#include "platform/hive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace formidor {
namespace {

using Lines = std::vector<std::string>;

std::string stored(std::string_view path, std::string_view value) {
    TRegistry reg;
    if (!reg.OpenKey("\\" + std::string(kAppKey) + "\\" + std::string(path), false))
        return "<no key>";
    if (!reg.ValueExists(value)) return "<missing>";
    return reg.ReadString(value);
}

UeberweisungAdressen transfer(std::string payee, std::string originator) {
    UeberweisungAdressen d;
    d.EEmpfaenger = std::move(payee);
    d.EKontonr = "0532013000";
    d.EBLZ = "37040044";
    d.EBank = "Commerzbank Köln";
    d.EBank2 = "Filiale Ring";
    d.EVerwendung1 = "Rechnung 4711";
    d.EVerwendung2 = "Kunde 12";
    d.EArt = "A";
    d.EEntgelt = "B";
    d.EZielland = "DE";
    d.EIBANEmpf = "DE89370400440532013000";
    d.EAuftraggeber = std::move(originator);
    d.EEigeneKontonr = "1234567";
    d.EAuftraggeberBLZ = "COBADEFFXXX";
    d.EIBANAuftrag = "DE02120300000000202051";
    d.EAuftraggeberBank = "Sparkasse KölnBonn";
    d.Formular = "16";
    return d;
}

class AddressBook : public ::testing::Test {
protected:
    test::ScopedDataHome home;
};

TEST_F(AddressBook, TransferStoresBothRecordsAndTheLastOriginator) {
    SaveEmpfaenger(transfer("Stadtwerke Köln", "Jürgen Müller"));
    auto e = EEmpfaengerClick("Stadtwerke Köln");
    EXPECT_EQ(e.EKontonr, "0532013000");
    EXPECT_EQ(e.EBLZ, "37040044");
    EXPECT_EQ(e.EBank, "Commerzbank Köln");
    EXPECT_EQ(e.EBank2, "Filiale Ring");
    EXPECT_EQ(e.EVerwendung1, "Rechnung 4711");
    EXPECT_EQ(e.EVerwendung2, "Kunde 12");
    EXPECT_EQ(e.EArt, "A");
    EXPECT_EQ(e.EEntgelt, "B");
    EXPECT_EQ(e.EZielland, "DE");
    EXPECT_EQ(e.EIBANEmpf, "DE89370400440532013000");
    EXPECT_EQ(stored("UeberwA\\Jürgen Müller", "Institut"), "Sparkasse KölnBonn");
    EXPECT_EQ(stored("UeberwA\\Jürgen Müller", "Formular"), "16");
    EXPECT_EQ(letzterAuftraggeber(), "Jürgen Müller");

    EAuftraggeberFelder a;
    a.Formular = "13";
    EAuftraggeberClick("Jürgen Müller", a);
    EXPECT_EQ(a.EEigeneKontonr, "1234567");
    EXPECT_EQ(a.EAuftraggeberBLZ, "COBADEFFXXX");
    EXPECT_EQ(a.EAuftraggeberBank, "Sparkasse KölnBonn");
    EXPECT_EQ(a.EIBANAuftrag, "DE02120300000000202051");
    EXPECT_EQ(a.Formular, "16");
}

TEST_F(AddressBook, NewPayeeNameEmptiesItsFieldsNewOriginatorKeepsThem) {
    SaveEmpfaenger(transfer("Stadtwerke Köln", "Jürgen Müller"));
    // Values stored under the empty name must not leak into a name that has no record.
    SaveEmpfaenger(transfer("", ""));

    auto e = EEmpfaengerClick("Neuer Empfänger");
    EXPECT_EQ(e.EKontonr, "");
    EXPECT_EQ(e.EBank, "");
    EXPECT_EQ(e.EIBANEmpf, "");
    EXPECT_EQ(e.EZielland, "");

    EAuftraggeberFelder a{"shown account", "shown BLZ", "shown bank", "shown IBAN", "20"};
    EAuftraggeberClick("Neuer Auftraggeber", a);
    EXPECT_EQ(a.EEigeneKontonr, "shown account");
    EXPECT_EQ(a.EAuftraggeberBLZ, "shown BLZ");
    EXPECT_EQ(a.EAuftraggeberBank, "shown bank");
    EXPECT_EQ(a.EIBANAuftrag, "shown IBAN");
    EXPECT_EQ(a.Formular, "20") << "the selected variant stays";
}

TEST_F(AddressBook, OnlyNonEmptyOriginatorValuesAndKnownVariantsAreTaken) {
    auto d = transfer("X", "Firma");
    d.EEigeneKontonr = "";
    d.EIBANAuftrag = "";
    SaveEmpfaenger(d);
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\" + std::string(kAppKey) + "\\UeberwA\\Firma", false));
        reg.WriteString("Formular", "99");
    }
    EAuftraggeberFelder a{"alt", "alt", "alt", "alt", "Hypo"};
    EAuftraggeberClick("Firma", a);
    EXPECT_EQ(a.EEigeneKontonr, "alt");
    EXPECT_EQ(a.EAuftraggeberBLZ, "COBADEFFXXX");
    EXPECT_EQ(a.EIBANAuftrag, "alt");
    EXPECT_EQ(a.Formular, "Hypo");

    // No variant checked: the stored one stays.
    auto none = transfer("X", "Firma");
    none.Formular = "";
    SaveEmpfaenger(none);
    EXPECT_EQ(stored("UeberwA\\Firma", "Formular"), "99");
}

TEST_F(AddressBook, ATransferOverwritesOnlyItsTenValuesOfAnExistingPayee) {
    PaketscheinAdressen p;
    p.EPEmpf1 = "Stadtwerke Köln";
    p.EPEAnrede = "Firma";
    p.EPEmpf2 = "Ring 1";
    p.EPEPLz = "50667";
    p.EPEOrt = "Köln";
    SaveEmpfaengerP(p);
    SaveEmpfaenger(transfer("Stadtwerke Köln", "Ich"));

    auto parcel = EPEmpf1Click("Stadtwerke Köln");
    EXPECT_EQ(parcel.EPEAnrede, "Firma");
    EXPECT_EQ(parcel.EPEmpf2, "Ring 1");
    EXPECT_EQ(parcel.EPEPLz, "50667");
    EXPECT_EQ(parcel.EPEOrt, "Köln");
    EXPECT_EQ(EEmpfaengerClick("Stadtwerke Köln").EKontonr, "0532013000");
}

TEST_F(AddressBook, NamesDifferingInCaseAreOneRecordKeptAsFirstTyped) {
    SaveEmpfaenger(transfer("Müller GmbH", "Ich"));
    auto second = transfer("MÜLLER GMBH", "Ich");
    second.EKontonr = "999";
    SaveEmpfaenger(second);
    EXPECT_EQ(EEmpfaengerClick("müller gmbh").EKontonr, "999");
    auto names = LoadEmpfaenger();
    ASSERT_TRUE(names.empfaenger);
    EXPECT_EQ(*names.empfaenger, Lines{"Müller GmbH"});
}

TEST_F(AddressBook, EmptyNameIsTheCollectionKeyItself) {
    ENameZEmpfFelder none = ENameZEmpfClick("");
    EXPECT_EQ(none.EKontonrZEmpf, "");
    NachnahmeAdressen n;
    n.EKontonrEmpfN = "42";
    n.EStrasseN = "Weg 1";
    SaveEmpfaengerN(n);
    EXPECT_EQ(stored("UeberwA", "Kontonr"), "42");
    EXPECT_EQ(EEmpfNClick("").EStrasseN, "Weg 1");
    EXPECT_EQ(ENameZEmpfClick("").EKontonrZEmpf, "42");
    auto names = LoadEmpfaenger();
    ASSERT_TRUE(names.auftraggeber);
    EXPECT_TRUE(names.auftraggeber->empty()) << "no record key was made";
}

TEST_F(AddressBook, CounterfoilSenderLinesAndPurposeMemo) {
    VerrechnungsscheckAdressen v;
    v.EEmpfaenger1 = "Vermieter";
    v.MemoDeutscheAbs = {"Jürgen Müller", "Hauptstr. 1", "50667 Köln", "Tel. 123"};
    v.Bank = "Dresdner";
    v.MemoDeutscheVerw = {"Miete März", "", "Wohnung 3", "", ""};
    SaveEmpfaengerV(v);
    EXPECT_EQ(stored("UeberwE", "Abs5"), "");
    EXPECT_EQ(stored("UeberwE", "Abs6"), "");
    EXPECT_EQ(LoadAbs(), (Lines{"Jürgen Müller", "Hauptstr. 1", "50667 Köln", "Tel. 123"}));
    EXPECT_EQ(stored("UeberwE\\Vermieter", "Verw20"), "");

    auto f = EEmpfaenger1Click("Vermieter");
    EXPECT_EQ(f.Bank, "Dresdner");
    EXPECT_EQ(f.MemoDeutscheVerw, (Lines{"Miete März", "", "Wohnung 3"}));

    // Six sender lines: all stored, five shown again.
    v.MemoDeutscheAbs = {"1", "2", "3", "4", "5", "6"};
    v.MemoDeutscheVerw = {"", ""};
    SaveEmpfaengerV(v);
    EXPECT_EQ(stored("UeberwE", "Abs6"), "6");
    EXPECT_EQ(LoadAbs(), (Lines{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(EEmpfaenger1Click("Vermieter").MemoDeutscheVerw, Lines{""});
}

TEST_F(AddressBook, TrailingEmptyLineRule) {
    struct Case {
        Lines in, out;
    };
    const Case cases[] = {
        {{"a", "", ""}, {"a"}},
        {{"", "", ""}, {""}},
        {{"", "b", ""}, {"", "b"}},
        {{"a", " "}, {"a", " "}},
        {{}, {}},
    };
    for (auto c : cases) {
        removeTrailingEmptyLines(c.in);
        EXPECT_EQ(c.in, c.out);
    }
}

TEST_F(AddressBook, DepositBankGuessAndDresdnerAccount) {
    struct Case {
        const char* institut;
        const char* guess;
    };
    const Case cases[] = {
        {"Sparkasse KölnBonn", "Sparkasse"},
        {"Dresdner Sparkasse", "Dresdner Bank"},
        {"Berliner Bank AG", "Berliner Bank"},
        {"Deutsche Bank Köln", "Deutsche Bank"},
        {"Commerzbank", "Bitte hier Bank auswählen!"},
        {"HypoVereinsbank", "Bitte hier Bank auswählen!"},
        {"sparkasse klein", "Bitte hier Bank auswählen!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.institut);
        NachnahmeAdressen n;
        n.EEmpfN = "Inhaber";
        n.EBankN = c.institut;
        n.EKontonrEmpfN = "111";
        SaveEmpfaengerN(n);
        auto f = EKontoinhaberClick("Inhaber");
        EXPECT_EQ(f.ComboBox1, c.guess);
        EXPECT_EQ(f.EEmpfaengerKontonr, "111");
    }

    SaveDaten({"Inhaber", "Sparkasse", "222"});
    EXPECT_EQ(EKontoinhaberClick("Inhaber").ComboBox1, "Sparkasse");
    EXPECT_EQ(stored("UeberwA\\Inhaber", "Kontonr"), "111") << "only a Dresdner deposit";
    SaveDaten({"Inhaber", "Dresdner Bank", "333"});
    EXPECT_EQ(stored("UeberwA\\Inhaber", "Kontonr"), "333");
}

TEST_F(AddressBook, LastUsedOriginatorAfterADirectDebitIsTheTransferOriginator) {
    SaveEmpfaengerL({"Zahler", "1", "2", "Bank", "Lastschrift-Empfänger", "9", "Überweiser"});
    EXPECT_EQ(letzterAuftraggeber(), "Überweiser");
    EXPECT_EQ(ENameZClick("Zahler").EBLZZ, "2");
    EXPECT_EQ(ENameZEmpfClick("Lastschrift-Empfänger").EKontonrZEmpf, "9");
    SaveEmpfaengerN({"Nachnahme-Empfänger", "", "", "", "", ""});
    EXPECT_EQ(letzterAuftraggeber(), "Nachnahme-Empfänger");
}

TEST_F(AddressBook, ParcelPagesShareSenderAndRecipientValues) {
    PaketAdressen pp;
    pp.EPPEEmpf1 = "Oma";
    pp.EPPEAnrede = "Frau";
    pp.EPPEEmpf2 = "Gasse 2";
    pp.EPPEPLZ = "1010";
    pp.EPPEOrt = "Wien";
    pp.EPPELand = "Österreich";
    pp.EPPAbsender1 = "Ich";
    pp.EPPAbsender2 = "Hauptstr. 1";
    pp.EPPOrt = "Köln";
    pp.EPPPLZ = "50667";
    SaveEmpfaengerPP(pp);
    auto r = EPPEEmpf1Click("Oma");
    EXPECT_EQ(r.EPPELand, "Österreich");
    EXPECT_EQ(r.EPPEEmpf2, "Gasse 2");
    auto s = EPAbsender1Click("Ich"); // the parcel card reads what the small parcel stored
    EXPECT_EQ(s.EPAbsender2, "Hauptstr. 1");
    EXPECT_EQ(s.EPAPlz, "50667");
    EXPECT_EQ(s.EPAOrt, "Köln");
    EXPECT_EQ(s.EPKontonr, "");
    EXPECT_EQ(EPPAbsender1Click("Ich").EPPOrt, "Köln");
    EXPECT_EQ(EPEmpf1Click("Oma").EPEAnrede, "Frau");
}

TEST_F(AddressBook, NamesWithBackslashOrGreatLengthStayInTheirCollection) {
    const std::string longName(5000, 'L');
    const char* names[] = {"A\\B", "\\SOFTWARE", "\\", "Ende\\", longName.c_str()};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        NachnahmeAdressen n;
        n.EEmpfN = name;
        n.EKontonrEmpfN = "77";
        ASSERT_NO_THROW(SaveEmpfaengerN(n));
        EXPECT_EQ(EEmpfNClick(name).EKontonrEmpfN, "77");
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\", false));
    EXPECT_EQ(reg.GetKeyNames(), Lines{"SOFTWARE"}) << "nothing written outside the app key";
    EXPECT_FALSE(reg.KeyExists("\\SOFTWARE\\SOFTWARE"));
}

TEST_F(AddressBook, PickListsInHiveOrderAndSorted) {
    for (const char* n : {"zorro", "Ärzte", "Bäcker", "adam", "Zahn"}) {
        PaketAdressen p;
        p.EPPAbsender1 = n;
        p.EPPEEmpf1 = n;
        SaveEmpfaengerPP(p);
    }
    auto names = LoadEmpfaenger();
    ASSERT_TRUE(names.auftraggeber && names.empfaenger);
    EXPECT_EQ(names.auftraggeber->size(), 5u);
    EXPECT_EQ(sortedNames(*names.empfaenger), (Lines{"adam", "Ärzte", "Bäcker", "Zahn", "zorro"}));
}

} // namespace
} // namespace formidor
