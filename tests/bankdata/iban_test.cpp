#include "bankdata/iban.h"

#include "common/testenv.h"

#include <gtest/gtest.h>

namespace formidor {
namespace {

// Five lines of the Bundesbank file: Commerzbank Köln (method 13) with a branch line without
// BIC after it, Sparkasse KölnBonn (00), ING (C1, a method we do not have), Landesbank Berlin
// (without BIC).
BankDirectory directory() {
    return BankDirectory::read(test::fixture("blz_iban.asc"));
}

TEST(Iban, TextChecksOfSeveralCountries) {
    struct Case {
        const char* text;
        IbanFault fault; // None: valid
        const char* reason;
    } cases[] = {
        {"DE89370400440532013000", IbanFault::None, ""},
        {"GB82 WEST 1234 5698 7654 32", IbanFault::None, ""},
        {"FR1420041010050500013M02606", IbanFault::None, ""},
        {"nl91abna0417164300", IbanFault::None, ""},
        {"AT61 1904 3002 3457 3201", IbanFault::None, ""},
        {"CH9300762011623852957", IbanFault::None, ""},
        {"IT60X0542811101000000123456", IbanFault::None, ""},
        {"NO9386011117947", IbanFault::None, ""},
        {"MT84MALT011000012345MTLCAST001S", IbanFault::None, ""},
        {"PL61109010140000071219812874", IbanFault::None, ""},
        {"  IBAN DE89\t3704\xC2\xA0"
         "0044 0532 0130 00 ",
         IbanFault::None, ""},
        {"", IbanFault::Empty, "leer"},
        {"IBAN ", IbanFault::Empty, "leer"},
        {"DE89-3704-0044-0532-0130-00", IbanFault::Characters, "unzulässiges Zeichen '-'"},
        {"DE89370400440532013ä00", IbanFault::Characters, "unzulässiges Zeichen 'ä'"},
        {"DE8937040044053201\n3000", IbanFault::Characters, "unzulässiges Zeichen #10"},
        // The message is built from the text after it grew past the short-string buffer.
        {"de89 3704 0044 0532 0130 00 de89 3704 0044 0532 0130 00?", IbanFault::Characters,
         "unzulässiges Zeichen '?'"},
        {"DE8937040044053201300O", IbanFault::Characters,
         "unzulässiges Zeichen 'O', nach DE stehen nur Ziffern"},
        {"XX89370400440532013000", IbanFault::Country, "Länderkennung XX unbekannt"},
        {"0532013000", IbanFault::Country, "keine Länderkennung am Anfang"},
        {"DE8937040044053201300", IbanFault::Length, "Länge 21 statt 22 Zeichen für DE"},
        {"GB82WEST123456987654321", IbanFault::Length, "Länge 23 statt 22 Zeichen für GB"},
        {"DE89370400440532013001", IbanFault::CheckDigits, "Prüfziffern falsch"},
        {"DE98370400440532013000", IbanFault::CheckDigits, "Prüfziffern falsch"}, // swapped
        {"DEXX370400440532013000", IbanFault::CheckDigits, "Prüfziffern falsch"},
        {"GB82WEST12345698765423", IbanFault::CheckDigits, "Prüfziffern falsch"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        IbanCheck r = checkIbanText(c.text);
        EXPECT_EQ(r.fault, c.fault);
        EXPECT_EQ(r.reason, c.reason);
        EXPECT_EQ(r.verdict,
                  c.fault == IbanFault::None ? IbanVerdict::Valid : IbanVerdict::Invalid);
    }
}

TEST(Iban, CheckDigitsThatNoComputationGives) {
    // 00, 01 and 99 stand for 97, 98 and 02 modulo 97: the remainder comes out right, yet no
    // bank issues them.
    for (const char* right :
         {"DE97370400440001000033", "DE98370400440001000015", "DE02370400440001000094"})
        EXPECT_EQ(checkIbanText(right).verdict, IbanVerdict::Valid) << right;
    for (const char* wrong :
         {"DE00370400440001000033", "DE01370400440001000015", "DE99370400440001000094"})
        EXPECT_EQ(checkIbanText(wrong).fault, IbanFault::CheckDigits) << wrong;
}

TEST(Iban, LengthsOfTheSepaCountries) {
    const std::pair<const char*, int> lengths[] = {
        {"AD", 24}, {"AT", 20}, {"BE", 16}, {"BG", 22}, {"CH", 21}, {"CY", 28}, {"CZ", 24},
        {"DE", 22}, {"DK", 18}, {"EE", 20}, {"ES", 24}, {"FI", 18}, {"FR", 27}, {"GB", 22},
        {"GI", 23}, {"GR", 27}, {"HR", 21}, {"HU", 28}, {"IE", 22}, {"IS", 26}, {"IT", 27},
        {"LI", 21}, {"LT", 20}, {"LU", 20}, {"LV", 21}, {"MC", 27}, {"MT", 31}, {"NL", 18},
        {"NO", 15}, {"PL", 28}, {"PT", 25}, {"RO", 24}, {"SE", 24}, {"SI", 19}, {"SK", 24},
        {"SM", 27}, {"VA", 22}, {"XK", 20}, {"AA", 0},  {"ZZ", 0},  {"de", 0},
    };
    for (const auto& [country, length] : lengths) EXPECT_EQ(ibanLength(country), length) << country;
}

TEST(Iban, LongInputIsInvalidNotAFault) {
    std::string hundred = "DE" + std::string(98, '7');
    IbanCheck r = checkIban(hundred, directory());
    EXPECT_EQ(r.fault, IbanFault::Length);
    EXPECT_EQ(r.reason, "Länge 100 statt 22 Zeichen für DE");
    EXPECT_FALSE(r.german());
}

TEST(Iban, GermanIbanLookedUpInTheDirectory) {
    BankDirectory dir = directory();
    BankLineIndex index(dir);
    struct Case {
        const char* iban;
        IbanVerdict verdict;
        const char* blz;
        const char* bic;
        const char* bank;
        Pruefergebnis account;
        const char* status;
    } cases[] = {
        // The bank's own line, not the branch after it that carries no BIC.
        {"DE89370400440532013000", IbanVerdict::Valid, "37040044", "COBADEFFXXX",
         "Commerzbank Köln", pzRichtig, "IBAN gültig: Commerzbank Köln, BIC COBADEFFXXX"},
        {"DE02370501980001802057", IbanVerdict::Valid, "37050198", "COLSDE33XXX",
         "Sparkasse KölnBonn", pzRichtig, "IBAN gültig: Sparkasse KölnBonn, BIC COLSDE33XXX"},
        // Right checksum around an account whose check digit is wrong.
        {"DE72370501980001802058", IbanVerdict::AccountWrong, "37050198", "COLSDE33XXX",
         "Sparkasse KölnBonn", pzFalsch,
         "Prüfziffern stimmen, aber Kontonummer lt. Prüfziffernverfahren falsch (Sparkasse "
         "KölnBonn, BIC COLSDE33XXX)"},
        {"DE22500105175403163930", IbanVerdict::Valid, "50010517", "INGDDEFFXXX",
         "ING-DiBa Frankfurt am Main", pzNichtVerfuegbar,
         "IBAN gültig: ING-DiBa Frankfurt am Main, BIC INGDDEFFXXX – Prüfverfahren nicht "
         "verfügbar"},
        {"DE46100500050001234567", IbanVerdict::Valid, "10050005", "", "Landesbank Berlin - E 1 -",
         pzNichtVerfuegbar,
         "IBAN gültig: Landesbank Berlin - E 1 -, ohne BIC im Verzeichnis – Prüfverfahren "
         "nicht verfügbar"},
        {"DE87123456781234567890", IbanVerdict::BankUnknown, "12345678", "", "", pzNichtVerfuegbar,
         "IBAN gültig, aber die Bankleitzahl 12345678 steht nicht im Bankverzeichnis"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.iban);
        for (const IbanCheck& r : {checkIban(c.iban, dir), checkIban(c.iban, index),
                                   checkIban(c.iban, test::fixture("blz_iban.asc"))}) {
            EXPECT_EQ(r.verdict, c.verdict);
            EXPECT_EQ(r.blz, c.blz);
            EXPECT_EQ(r.bic, c.bic);
            EXPECT_EQ(r.bankName, c.bank);
            EXPECT_EQ(r.accountResult, c.account);
            EXPECT_EQ(ibanStatusText(r), c.status);
        }
    }
    EXPECT_EQ(ibanStatusText(checkIban("GB82WEST12345698765432", dir)), "IBAN gültig");
    EXPECT_EQ(ibanStatusText(checkIban("DE89370400440532013001", dir)),
              "IBAN ungültig: Prüfziffern falsch");
}

TEST(Iban, OriginatorFieldWithoutDE) {
    struct Case {
        const char* text;
        IbanVerdict verdict;
        const char* reason;
    } cases[] = {
        {"89370400440532013000", IbanVerdict::Valid, ""},
        {"89 3704 0044 0532 0130 00", IbanVerdict::Valid, ""},
        {"DE89370400440532013000", IbanVerdict::Invalid,
         "bitte ohne Länderkennung eingeben, DE steht schon auf dem Formular"},
        {"8937040044053201300", IbanVerdict::Invalid, "Länge 19 statt 20 Zeichen ohne DE"},
        {"88370400440532013000", IbanVerdict::Invalid, "Prüfziffern falsch"},
        {"", IbanVerdict::Invalid, "leer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        IbanCheck r = checkOriginatorIbanText(c.text);
        EXPECT_EQ(r.verdict, c.verdict);
        EXPECT_EQ(r.reason, c.reason);
    }
    EXPECT_EQ(checkOriginatorIbanText("89370400440532013000").blz, "37040044");
}

TEST(Iban, ComputedFromBankCodeAndAccount) {
    struct Case {
        const char* blz;
        const char* konto;
        const char* iban;
        const char* error;
    } cases[] = {
        {"37040044", "532013000", "DE89370400440532013000", ""},
        {"37050198", "0001802057", "DE02370501980001802057", ""},
        {"370 500 98", "1802 057", "DE91370500980001802057", ""},
        {"3704004", "532013000", "", "Die Bankleitzahl '3704004' hat nicht acht Ziffern."},
        {"3704004X", "532013000", "", "Die Bankleitzahl '3704004X' hat nicht acht Ziffern."},
        {"37040044", "", "", "Die Kontonummer '' hat nicht ein bis zehn Ziffern."},
        {"37040044", "12345678901", "",
         "Die Kontonummer '12345678901' hat nicht ein bis zehn Ziffern."},
        {"37040044", "12-34", "", "Die Kontonummer '12-34' hat nicht ein bis zehn Ziffern."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.blz) + " " + c.konto);
        ComputedIban r = germanIban(c.blz, c.konto);
        EXPECT_EQ(r.iban, c.iban);
        EXPECT_EQ(r.error, c.error);
        if (!r.iban.empty()) {
            EXPECT_EQ(checkIbanText(r.iban).verdict, IbanVerdict::Valid);
        }
    }
}

TEST(Iban, GroupsOfFour) {
    EXPECT_EQ(ibanGroups("DE89370400440532013000"), "DE89 3704 0044 0532 0130 00");
    EXPECT_EQ(ibanGroups("NO9386011117947"), "NO93 8601 1117 947");
    EXPECT_EQ(ibanGroups("DEää12345"), "DEää 1234 5"); // characters, not bytes
    EXPECT_EQ(ibanGroups(""), "");
}

} // namespace
} // namespace formidor
