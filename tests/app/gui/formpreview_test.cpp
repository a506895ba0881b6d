// "Vorschau" of every form page and "Probedruck" of the printer page, in the assembled window: the
// preview shows exactly what "Drucken" prints and changes nothing; its print button is "Drucken".
#include "app/gui/UeberweisM.h"

#include "addressbook/addressbook.h"
#include "addressbook/datamanagement.h"
#include "app/gui/calibrationsheets.h"
#include "app/gui/printerpage.h"
#include "common/testenv.h"
#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/chequepage.h"
#include "forms/gui/depositpage.h"
#include "forms/gui/directdebitpage.h"
#include "forms/gui/formpreview.h"
#include "forms/gui/parcelpage.h"
#include "forms/gui/transferpage.h"
#include "forms/gui/z1.h"
#include "platform/gui/guard.h"
#include "platform/paths.h"
#include "platform/recordingprinter.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

struct Case {
    const char* name;
    // The page (or window) the buttons sit on, "Vorschau" and "Drucken"; types a text first.
    std::function<std::tuple<QWidget*, QAbstractButton*, QAbstractButton*>(TMainForm&)> page;
    bool journaled;
};

const Case kCases[] = {
    {"transfer",
     [](TMainForm& m) {
         m.TabSheet2->EEmpfaenger->setEditText("Finanzamt Bonn");
         m.TabSheet2->EBetrag->setText("1.234,56"); // no number: "Drucken" turns it into 0
         return std::tuple{(QWidget*)m.TabSheet2, (QAbstractButton*)m.TabSheet2->BVorschau,
                           (QAbstractButton*)m.TabSheet2->Button1};
     },
     true},
    {"cheque",
     [](TMainForm& m) {
         m.TabSheet3->EBetragV->setText("250");
         return std::tuple{(QWidget*)m.TabSheet3, (QAbstractButton*)m.TabSheet3->BVorschau,
                           (QAbstractButton*)m.TabSheet3->Button3};
     },
     true},
    {"direct debit",
     [](TMainForm& m) {
         m.TabSheet1->EBetragZ->setText("10,00");
         return std::tuple{(QWidget*)m.TabSheet1, (QAbstractButton*)m.TabSheet1->BVorschau,
                           (QAbstractButton*)m.TabSheet1->Button13};
     },
     true},
    {"cover sheet",
     [](TMainForm& m) {
         return std::tuple{(QWidget*)m.TabSheet1, (QAbstractButton*)m.TabSheet1->BVorschauD,
                           (QAbstractButton*)m.TabSheet1->Button15};
     },
     false},
    {"cash on delivery",
     [](TMainForm& m) {
         m.TabSheet6->EEmpfN->setEditText("Versand Meier");
         return std::tuple{(QWidget*)m.TabSheet6, (QAbstractButton*)m.TabSheet6->BVorschau,
                           (QAbstractButton*)m.TabSheet6->Button18};
     },
     false},
    {"parcel card",
     [](TMainForm& m) {
         return std::tuple{(QWidget*)m.TabSheet6, (QAbstractButton*)m.TabSheet6->BVorschauP,
                           (QAbstractButton*)m.TabSheet6->Button32};
     },
     false},
    {"small parcel",
     [](TMainForm& m) {
         return std::tuple{(QWidget*)m.TabSheet12, (QAbstractButton*)m.TabSheet12->BVorschau,
                           (QAbstractButton*)m.TabSheet12->Button36};
     },
     false},
    {"deposit",
     [](TMainForm& m) {
         m.TabSheet10->ComboBox1->setCurrentIndex(1);
         return std::tuple{(QWidget*)m.TabSheet10, (QAbstractButton*)m.TabSheet10->BVorschau,
                           (QAbstractButton*)m.TabSheet10->Button23};
     },
     true},
    {"foreign transfer",
     [](TMainForm& m) {
         m.Ausl->EBetrag->setText("99");
         return std::tuple{(QWidget*)m.Ausl, (QAbstractButton*)m.Ausl->BVorschau,
                           (QAbstractButton*)m.Ausl->Button1};
     },
     true},
};

class FormPreviewWindow : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    QStringList errors;
    std::unique_ptr<Printer> previous;

    void SetUp() override {
        setErrorSink([this](const QString& t) { errors << t; });
        previous = SetPrinter(std::make_unique<RecordingPrinter>(
            std::vector<RecordingPrinterConfig>{RecordingPrinterConfig::a4("Eins", 300)}, 0));
    }
    void TearDown() override {
        SetPrinter(std::move(previous));
        setErrorSink(nullptr);
    }
    RecordingPrinter& printer() { return static_cast<RecordingPrinter&>(ThePrinter()); }
};

uintmax_t journalSize() {
    std::error_code ec;
    const auto n = std::filesystem::file_size(paths::journalFile(), ec);
    return ec ? 0 : n;
}

// What the user would see changed by a print.
struct Traces {
    uintmax_t journal;
    size_t originators, recipients;
    QString count, total;
    bool operator==(const Traces&) const = default;
};
Traces traces(TMainForm& m) {
    return {journalSize(), collectionNames(kUeberwA).size(), collectionNames(kUeberwE).size(),
            m.TabSheet1->EStueckzahlD->text(), m.TabSheet1->EBetragD->text()};
}

TEST_F(FormPreviewWindow, PreviewShowsWhatDruckenPrintsAndChangesNothing) {
    auto w = CreateApplicationWindows();
    w->show();
    QApplication::processEvents();
    ASSERT_NE(w->Ausl, nullptr);
    // A calibration with every part of the frame in play.
    w->TabSheet4->EKVU->setText("-20");
    w->TabSheet4->EKHU->setText("10");
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        auto [page, vorschau, drucken] = c.page(*w);
        printer().ClearDocuments();
        const Traces before = traces(*w);
        vorschau->click();
        ASSERT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
        FormPreview* preview = formPreviewOf(page, drucken);
        ASSERT_NE(preview, nullptr);
        ASSERT_NE(preview->Window()->Form(), nullptr);
        EXPECT_TRUE(printer().Documents().empty());
        EXPECT_EQ(traces(*w), before);

        // Copy what the preview shows: its print closes the window and may replace the job.
        std::vector<MetaText> shown = preview->Job().Recorded().page(0).Texts();
        const std::string shownTitle = preview->Job().Recorded().title;
        EXPECT_FALSE(preview->Job().Sketch().boxes.empty());
        preview->Job().Print();
        ASSERT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
        ASSERT_EQ(printer().Documents().size(), 1u);
        const RecordedDocument& printed = printer().LastDocument();
        EXPECT_EQ(printed.title, shownTitle);
        const auto& texts = printed.page(0).Texts();
        ASSERT_EQ(texts.size(), shown.size());
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].text, shown[i].text);
            EXPECT_EQ(texts[i].logical, shown[i].logical);
            // The blank the frame writes before it chooses the font keeps whatever font the
            // device had; every text of the form has the form type's font.
            if (i > 0) {
                EXPECT_EQ(texts[i].font, shown[i].font) << i << " " << texts[i].text;
            }
        }
        // The drawing of the form stays on the screen.
        EXPECT_TRUE(printed.page(0).Rectangles().empty());
        // "Drucken" ran with its after-print steps.
        if (c.journaled) {
            EXPECT_GT(journalSize(), before.journal);
        }
    }
    EXPECT_EQ(w->TabSheet2->EBetrag->text(), "0");
}

TEST_F(FormPreviewWindow, ProbedruckFollowsTheOffsetsTypedOnTheSubPage) {
    auto w = CreateApplicationWindows();
    w->show();
    QApplication::processEvents();
    PrinterPage& p = *w->TabSheet4;
    auto crossAt = [&] {
        // The name of the first field is drawn where its text would be.
        const auto& texts = printer().LastDocument().page(0).Texts();
        auto it = std::find_if(texts.begin(), texts.end(),
                               [](const MetaText& t) { return t.text == "EEmpfaenger"; });
        EXPECT_NE(it, texts.end());
        return it == texts.end() ? TPoint{} : it->logical;
    };
    p.EKVU->setText("0");
    p.EKHU->setText("0");
    QTest::mouseClick(p.sub('U').probe, Qt::LeftButton);
    ASSERT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    const TPoint at0 = crossAt();
    p.EKVU->setText("35"); // typed, not yet stored
    p.EKHU->setText("-12");
    QTest::mouseClick(p.sub('U').probe, Qt::LeftButton);
    const TPoint moved = crossAt();
    EXPECT_EQ(moved.X, at0.X + 35);
    EXPECT_EQ(moved.Y, at0.Y + 12);
    // Taking over the transfer calibration leaves the sheet's button usable.
    w->TabSheet4->CBgleichV->setChecked(true);
    EXPECT_TRUE(p.sub('V').probe->isEnabled());
    EXPECT_EQ(printer().Documents().size(), 2u);
}

} // namespace
} // namespace formidor::gui
