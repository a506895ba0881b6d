// formidor-cli list: the address lists of the current user printed into a PDF file.
#include "addressbook/addressbook.h"
#include "cli/clirun.h"
#include "common/testenv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace formidor {
namespace {

using test::runCli;

// The text of pages from…to of a PDF, as pdftotext lays it out.
std::string pdfText(const std::filesystem::path& pdf, int from, int to) {
    const auto txt = pdf.parent_path() / "text.txt";
    const std::string cmd = "pdftotext -layout -f " + std::to_string(from) + " -l " +
                            std::to_string(to) + " '" + pdf.string() + "' '" + txt.string() + "'";
    if (std::system(cmd.c_str()) != 0) return "<pdftotext failed>";
    return test::readFile(txt);
}

int pdfPages(const std::filesystem::path& pdf) {
    const auto info = pdf.parent_path() / "info.txt";
    const std::string cmd = "pdfinfo '" + pdf.string() + "' > '" + info.string() + "'";
    if (std::system(cmd.c_str()) != 0) return -1;
    const std::string s = test::readFile(info);
    const auto at = s.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(s.substr(at + 6));
}

TEST(CliList, OriginatorsAndRecipientsIntoPdf) {
    test::ScopedDataHome home;
    for (int i = 1; i <= 26; ++i) {
        UeberweisungAdressen d;
        d.EAuftraggeber = "Kunde " + std::to_string(100 + i);
        d.EEigeneKontonr = std::to_string(5000 + i);
        d.EAuftraggeberBank = "Sparkasse KölnBonn";
        d.EAuftraggeberBLZ = "37050198";
        SaveEmpfaenger(d); // also stores the empty-named recipient's values, not a record
    }
    VerrechnungsscheckAdressen cheque;
    cheque.EEmpfaenger1 = "Nur Scheck";
    SaveEmpfaengerV(cheque);

    const auto pdf = home.path() / "auftraggeber.pdf";
    auto r = runCli({"list", "originators", "--pdf", pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    ASSERT_EQ(pdfPages(pdf), 2);
    const std::string first = pdfText(pdf, 1, 1);
    for (const char* t : {"Kontoinhaber", "Kontonummer", "Institut", "BLZ", "Kunde 101", "5001",
                          "Sparkasse KölnBonn", "Kunde 125"})
        EXPECT_NE(first.find(t), std::string::npos) << t << "\n" << first;
    const std::string second = pdfText(pdf, 2, 2);
    EXPECT_NE(second.find("Kunde 126"), std::string::npos) << second;
    EXPECT_EQ(second.find("Kunde 125"), std::string::npos) << second;

    const auto pdf2 = home.path() / "empfaenger.pdf";
    r = runCli({"list", "recipients", "--pdf", pdf2.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(pdfPages(pdf2), 1);
    const std::string recipients = pdfText(pdf2, 1, 1);
    EXPECT_NE(recipients.find("Kontoinhaber"), std::string::npos) << recipients;
    EXPECT_NE(recipients.find("Nur Scheck"), std::string::npos) << recipients;
}

TEST(CliList, BadRequestsAndAnEmptyListWriteNoFile) {
    test::ScopedDataHome home;
    const auto pdf = home.path() / "x.pdf";
    struct Case {
        cli::Args args;
        const char* says;
    };
    const Case cases[] = {
        {{"list", "kunden", "--pdf", pdf.string()}, "'kunden'"},
        {{"list", "originators"}, "--pdf"},
        {{"list", "--pdf", pdf.string()}, "originators|recipients"},
        {{"list", "originators", "recipients", "--pdf", pdf.string()}, "'recipients'"},
        {{"list", "recipients", "--pdf", pdf.string()}, "keine Empfänger"},
    };
    for (const auto& c : cases) {
        auto r = runCli(c.args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(c.args);
        EXPECT_NE(r.err.find(c.says), std::string::npos)
            << testing::PrintToString(c.args) << ": " << r.err;
        EXPECT_FALSE(std::filesystem::exists(pdf));
    }
}

} // namespace
} // namespace formidor
