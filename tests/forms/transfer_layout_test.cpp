#include "forms/transfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace formidor::forms {
namespace {

using V = TransferVariant;

// A page with every text control holding its own name, so each printed text tells where it
// came from.
FormPage namedPage() {
    FormPage page;
    for (auto c : transferTextControls()) page.setText(c, c);
    return page;
}

std::optional<PlacedText> find(const std::vector<PlacedText>& texts, std::string_view text) {
    auto it = std::find_if(texts.begin(), texts.end(),
                           [&](const PlacedText& t) { return t.text == text; });
    if (it == texts.end()) return std::nullopt;
    return *it;
}

TEST(TransferLayout, LinesFollowBaseAndPitchWithHalvesToEven) {
    // The half lines above and below the grid: round(-42.5) = -42, round(807.5) = 808.
    EXPECT_EQ(lineY(line(-0.5), kTransferBase, kTransferPitch), 1);
    EXPECT_EQ(lineY(line(9.5), kTransferBase, kTransferPitch), -849);
    const int expected[] = {-126, -211, -296, -381, -466, -551, -636, -721, -806};
    for (int k = 1; k <= 9; ++k)
        EXPECT_EQ(lineY(line(k), kTransferBase, kTransferPitch), expected[k - 1]) << k;
    EXPECT_EQ(lineY(atY(-1234), kTransferBase, kTransferPitch), -1234);
}

TEST(TransferLayout, Sepa16) {
    const auto texts = transferTexts(V::V13, namedPage());
    const std::vector<PlacedText> expected = {
        {70, -126, "EEmpfaenger"},   {70, -211, "EIBANEmpf"},     {70, -296, "EBank"},
        {850, -381, "EBetrag"},      {70, -466, "EVerwendung1"},  {70, -551, "EVerwendung2"},
        {70, -636, "EAuftraggeber"}, {180, -721, "EIBANAuftrag"}, {70, -849, "EDatumUnterschrift"},
    };
    EXPECT_EQ(texts, expected);
}

TEST(TransferLayout, HypoAddsTheOriginatorsBankLineOnTop) {
    const auto texts = transferTexts(V::Hypo, namedPage());
    ASSERT_EQ(texts.size(), 11u);
    EXPECT_EQ(texts[0], (PlacedText{70, 1, "EAuftraggeberBank"}));
    EXPECT_EQ(texts[1], (PlacedText{780, 1, "EAuftraggeberBLZ"}));
    EXPECT_EQ(texts[2], (PlacedText{70, -126, "EEmpfaenger"}));
    // Below the top line the edition is the SEPA/16 form.
    EXPECT_EQ(std::vector<PlacedText>(texts.begin() + 2, texts.end()),
              transferTexts(V::V13, namedPage()));
}

TEST(TransferLayout, ForeignStylePrintsTheAccountAndNoDate) {
    const auto texts = transferTexts(V::V15, namedPage());
    EXPECT_EQ(find(texts, "EKontonr"), (PlacedText{70, -211, "EKontonr"}));
    EXPECT_EQ(find(texts, "EBLZ"), (PlacedText{900, -211, "EBLZ"}));
    EXPECT_EQ(find(texts, "EBank2"), (PlacedText{70, -381, "EBank2"}));
    EXPECT_EQ(find(texts, "EBetrag"), (PlacedText{850, -466, "EBetrag"}));
    EXPECT_EQ(find(texts, "EEigeneKontonr"), (PlacedText{70, -806, "EEigeneKontonr"}));
    EXPECT_FALSE(find(texts, "EIBANEmpf"));
    EXPECT_FALSE(find(texts, "EDatumUnterschrift"));
    EXPECT_EQ(texts.size(), 13u);
    const std::vector<PlacedText> expected = {
        {70, -126, "EEmpfaenger"},    {70, -211, "EKontonr"},     {900, -211, "EBLZ"},
        {70, -296, "EBank"},          {70, -381, "EBank2"},       {70, -466, "EArt"},
        {320, -466, "EEntgelt"},      {470, -466, "EZielland"},   {850, -466, "EBetrag"},
        {70, -551, "EVerwendung1"},   {70, -636, "EVerwendung2"}, {70, -721, "EAuftraggeber"},
        {70, -806, "EEigeneKontonr"},
    };
    EXPECT_EQ(texts, expected);
}

TEST(TransferLayout, Classic20) {
    const auto texts = transferTexts(V::V20, namedPage());
    const std::vector<PlacedText> expected = {
        {70, -126, "EEmpfaenger"},    {70, -211, "EKontonr"},
        {1020, -211, "EBLZ"},         {70, -296, "EBank"},
        {820, -381, "EBetrag"},       {70, -466, "EVerwendung1"},
        {70, -551, "EVerwendung2"},   {70, -636, "EAuftraggeber"},
        {70, -721, "EEigeneKontonr"}, {650, -849, "EDatumUnterschrift"},
    };
    EXPECT_EQ(texts, expected);
}

// The classic editions differ only in the rows on the top line and the boxes beside the
// originator's account.
TEST(TransferLayout, ClassicVariantsExtraRows) {
    struct Case {
        V variant;
        std::vector<PlacedText> extraTop;
    };
    const Case cases[] = {
        {V::V16, {{750, 1, "EAuftraggeberBLZ"}}},
        {V::V24, {{750, 1, "EAuftraggeberBLZ"}}},
        {V::V18, {{70, 1, "EAuftraggeberBank"}, {780, 1, "EAuftraggeberBLZ"}}},
        {V::V20, {}},
        {V::Postbank, {}},
    };
    for (const auto& c : cases) {
        const auto texts = transferTexts(c.variant, namedPage());
        std::vector<PlacedText> top;
        for (const auto& t : texts)
            if (t.y == 1) top.push_back(t);
        EXPECT_EQ(top, c.extraTop) << static_cast<int>(c.variant);
        EXPECT_EQ(texts[c.extraTop.size()].text, "EEmpfaenger");
    }
    const auto t24 = transferTexts(V::V24, namedPage());
    EXPECT_EQ(find(t24, "EAusfuehrungsdatum"), (PlacedText{635, -721, "EAusfuehrungsdatum"}));
    EXPECT_FALSE(find(transferTexts(V::V20, namedPage()), "EAusfuehrungsdatum"));
}

TEST(TransferLayout, WithoutVariantClassicRowsOnly) {
    FormPage page = namedPage();
    page.setChecked("CBAnschriftweitergabe", true);
    page.setChecked("EPostbankC", true);
    EXPECT_EQ(transferTexts(std::nullopt, page), transferTexts(V::V20, page));
}

TEST(TransferLayout, AddressMarkOnlyIn24WhenChecked) {
    FormPage page = namedPage();
    EXPECT_FALSE(find(transferTexts(V::V24, page), "X"));
    page.setChecked("CBAnschriftweitergabe", true);
    EXPECT_EQ(find(transferTexts(V::V24, page), "X"), (PlacedText{1352, -636, "X"}));
    // The mark belongs to edition 24 alone.
    EXPECT_FALSE(find(transferTexts(V::V20, page), "X"));
    EXPECT_FALSE(find(transferTexts(V::Postbank, page), "X"));
}

TEST(TransferLayout, PostbankBoxBDigitByDigit) {
    FormPage page;
    page.setText("EPostbankA", "7");
    page.setText("EPostbankB", "12/34/"); // the masked text with its separators
    auto texts = transferTexts(V::Postbank, page);
    std::vector<PlacedText> boxes(texts.end() - 5, texts.end());
    const std::vector<PlacedText> expected = {
        {625, -721, "7"}, {765, -721, "1"}, {815, -721, "2"}, {915, -721, "3"}, {965, -721, "4"}};
    EXPECT_EQ(boxes, expected);

    // Box B left empty reads "  /  /" and prints four blanks; a blank optional digit too.
    page.setText("EPostbankB", "  /  /");
    texts = transferTexts(V::Postbank, page);
    for (size_t i = texts.size() - 4; i < texts.size(); ++i) EXPECT_EQ(texts[i].text, " ");
    page.setText("EPostbankB", " 5/ 6/");
    texts = transferTexts(V::Postbank, page);
    EXPECT_EQ(texts[texts.size() - 4].text, " ");
    EXPECT_EQ(texts[texts.size() - 3].text, "5");

    page.setChecked("EPostbankC", true);
    texts = transferTexts(V::Postbank, page);
    EXPECT_EQ(texts.back(), (PlacedText{1165, -721, "X"}));
}

TEST(TransferLayout, CharactersAreCodePointsNotBytes) {
    FormPage page;
    page.setText("EPostbankB", "äö/ü");
    const auto texts = transferTexts(V::Postbank, page);
    EXPECT_EQ(texts[texts.size() - 4].text, "ä");
    EXPECT_EQ(texts[texts.size() - 3].text, "ö");
    EXPECT_EQ(texts[texts.size() - 2].text, "ü");
    EXPECT_EQ(texts[texts.size() - 1].text, ""); // shorter than the mask
}

TEST(TransferLayout, OffsetsShiftEveryText) {
    auto texts = transferTexts(V::V13, namedPage());
    applyOffsets(texts, -20, 10);
    EXPECT_EQ(texts.front(), (PlacedText{50, -136, "EEmpfaenger"}));
    EXPECT_EQ(texts.back(), (PlacedText{50, -859, "EDatumUnterschrift"}));
}

TEST(TransferVariants, ButtonsCaptionsCodesAndLayouts) {
    using K = TransferLayoutKind;
    struct Row {
        V variant;
        std::string_view button, caption, formular;
        K layout;
        int bankWidth;
        bool blzMasked;
    };
    const Row rows[] = {
        {V::V13, "RB13", "SEPA/16", "13", K::Sepa, 477, true},
        {V::Hypo, "RBHypo", "SEPA/06,07,08", "Hypo", K::Sepa, 477, true},
        {V::V16, "RB16", "16/28", "16", K::Classic, 477, true},
        {V::V15, "RB15", "15", "15", K::Foreign, 245, false},
        {V::V18, "RB18", "17/18", "18", K::Classic, 477, true},
        {V::V20, "RB20", "20", "20", K::Classic, 477, true},
        {V::Postbank, "RBPostbank", "Postbank", "Postbank", K::Classic, 477, true},
        {V::V24, "RB24", "24", "24", K::Classic, 477, true},
    };
    for (const auto& r : rows) {
        const auto& info = transferVariant(r.variant);
        EXPECT_EQ(info.button, r.button);
        EXPECT_EQ(info.caption, r.caption) << r.button;
        EXPECT_EQ(info.formular, r.formular) << r.button;
        EXPECT_EQ(info.layout, r.layout) << r.button;
        EXPECT_EQ(info.bankWidth, r.bankWidth) << r.button;
        EXPECT_EQ(info.blzMasked, r.blzMasked) << r.button;
    }
}

TEST(TransferVariants, LookupByStoredTextButtonAndCaption) {
    EXPECT_EQ(transferVariantByFormular("Hypo"), V::Hypo);
    EXPECT_EQ(transferVariantByFormular("13"), V::V13);
    EXPECT_EQ(transferVariantByFormular("18"), V::V18);
    EXPECT_EQ(transferVariantByFormular("17/18"), std::nullopt);
    EXPECT_EQ(transferVariantByFormular(""), std::nullopt);
    EXPECT_EQ(transferVariantByButton("RBPostbank"), V::Postbank);
    EXPECT_EQ(transferVariantByCaption("SEPA/06,07,08"), V::Hypo);
    for (const auto& info : transferVariants()) EXPECT_EQ(&transferVariant(info.variant), &info);
}

} // namespace
} // namespace formidor::forms
