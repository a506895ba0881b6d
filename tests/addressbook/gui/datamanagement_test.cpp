// The data management page as a user drives it: showing the page, picking, deleting, and the
// modal list previews with their paging and printing.
#include "addressbook/gui/datamanagement.h"

#include "addressbook/addressbook.h"
#include "addressbook/datamanagement.h"
#include "common/testenv.h"
#include "platform/gui/guard.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"
#include "printjob/PJSimpleTextGrid.h"
#include "printjob/gui/PSWindow.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

QStringList items(const QListWidget* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->item(i)->text();
    return out;
}

void storeOriginator(const std::string& name, const std::string& account) {
    UeberweisungAdressen d;
    d.EAuftraggeber = name;
    d.EEigeneKontonr = account;
    d.EAuftraggeberBLZ = "37050198";
    d.EAuftraggeberBank = "Sparkasse KölnBonn";
    SaveEmpfaenger(d);
}

void select(QListWidget* box, int row) {
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {},
                      box->visualItemRect(box->item(row)).center());
}

class DataPageTest : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    QStringList errors;
    std::unique_ptr<Printer> previous;
    std::unique_ptr<QWidget> window;
    DataPage* page = nullptr;
    DataManagement* dm = nullptr;

    void SetUp() override {
        setErrorSink([this](const QString& t) { errors << t; });
        previous = SetPrinter(std::make_unique<RecordingPrinter>(
            std::vector<RecordingPrinterConfig>{RecordingPrinterConfig::a4("Eins", 300)}, 0));
    }
    void TearDown() override {
        window.reset();
        SetPrinter(std::move(previous));
        setErrorSink(nullptr);
    }
    RecordingPrinter& printer() { return static_cast<RecordingPrinter&>(ThePrinter()); }

    void showPage() {
        window = std::make_unique<QWidget>();
        window->resize(560, 460);
        page = new DataPage(window.get());
        page->resize(548, 430);
        dm = setupDataPage(page, window.get());
        window->show();
        QApplication::processEvents();
    }

    // Runs inside the modal preview of `open`, then closes it.
    void whileOpen(TPreviewWindow& w, const std::function<void()>& open,
                   const std::function<void(TPreviewForm&)> check) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(w.Form());
            check(*w.Form());
            ran = true;
            w.Close();
        });
        open();
        EXPECT_TRUE(ran);
        EXPECT_EQ(w.Form(), nullptr);
    }
};

TEST_F(DataPageTest, ShowingThePageListsBothCollectionsAndPickingShowsTheDetails) {
    storeOriginator("Jürgen Müller", "1234567");
    storeOriginator("Anna Schmidt", "7654321");
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\" + std::string(kAppKey) + "\\UeberwE\\Stadtwerke Köln", true));
        reg.WriteString("Kontonr", "99");
        reg.WriteString("Empfaenger2", "Parkgürtel 24");
        reg.WriteString("Empfaenger3", "50823 Köln");
    }
    showPage();
    EXPECT_EQ(items(page->LBAbs), (QStringList{"Anna Schmidt", "Jürgen Müller"}));
    EXPECT_EQ(items(page->LBEmpf), (QStringList{"Stadtwerke Köln"}));

    select(page->LBAbs, 1);
    EXPECT_EQ(page->LA1->text(), "Jürgen Müller");
    EXPECT_EQ(page->LA2->text(), "1234567");
    EXPECT_EQ(page->LA3->text(), "Sparkasse KölnBonn");
    EXPECT_EQ(page->LA4->text(), "37050198");
    select(page->LBEmpf, 0);
    const QStringList shown{page->LE1->text(), page->LE2->text(), page->LE3->text(),
                            page->LE4->text(), page->LE5->text(), page->LE6->text(),
                            page->LE7->text()};
    EXPECT_EQ(shown,
              (QStringList{"Stadtwerke Köln", "99", "", "", "Parkgürtel 24", "50823 Köln", ""}));

    // Records stored meanwhile appear the next time the page is shown.
    storeOriginator("Zacharias Zobel", "1");
    EXPECT_EQ(page->LBAbs->count(), 2);
    page->hide();
    page->show();
    EXPECT_EQ(page->LBAbs->count(), 3);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(DataPageTest, DeletingTheSelectedEntryShowsAtOnceAndWithoutSelectionNothingGoes) {
    storeOriginator("Anna Schmidt", "1");
    storeOriginator("Jürgen Müller", "2");
    showPage();

    page->Button30->click();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Listenindex außerhalb des gültigen Bereichs (-1)");
    EXPECT_EQ(items(page->LBAbs), (QStringList{"Anna Schmidt", "Jürgen Müller"}));

    select(page->LBAbs, 0);
    page->Button30->click();
    EXPECT_EQ(items(page->LBAbs), (QStringList{"Jürgen Müller"}));
    EXPECT_EQ(collectionNames(kUeberwA), (std::vector<std::string>{"Jürgen Müller"}));
    // The details keep showing the deleted entry until another one is picked.
    EXPECT_EQ(page->LA1->text(), "Anna Schmidt");
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(DataPageTest, ListPreviewOpensModallyPagesAndPrints) {
    for (int i = 1; i <= 26; ++i) storeOriginator("Kunde " + std::to_string(100 + i), "1");
    showPage();

    TPreviewWindow& w = dm->PreviewWindow1();
    EXPECT_EQ(w.Caption(), "Formidor 2004 - Übersicht aller Auftraggeber");
    EXPECT_EQ(dm->PreviewWindow2().Caption(), w.Caption());
    EXPECT_EQ(w.PrintJob(), &dm->SimpleTextGridPrintJob1());
    EXPECT_EQ(w.Position(), poMainFormCenter);
    EXPECT_EQ(w.Color(), QColor(Qt::black));
    EXPECT_EQ(w.ShadowColor(), QColor(Qt::black));
    EXPECT_EQ(w.ShadowSize(), 0);
    EXPECT_FALSE(w.DragScroll());
    EXPECT_EQ(w.ViewMode(), vmPageWidth);
    EXPECT_EQ(w.Font().pixelSize(), 11);
    EXPECT_EQ(QSize(w.WindowWidth(), w.WindowHeight()), QSize(400, 500));

    whileOpen(
        w, [&] { page->Button6->click(); },
        [&](TPreviewForm& f) {
            EXPECT_TRUE(f.isModal());
            EXPECT_EQ(f.windowTitle(), w.Caption());
            EXPECT_EQ(dm->SimpleTextGridPrintJob1().RowCount(), 26);
            EXPECT_EQ(f.Preview()->PageIndex(), 1);
            f.Toolbar()->Button(btnNextPage)->click();
            EXPECT_EQ(f.Preview()->PageIndex(), 2);
            f.Toolbar()->Button(btnZoomIn)->click();
            EXPECT_NE(f.Preview()->ViewMode(), vmPageWidth);
            f.Toolbar()->Button(btnPrint)->click();
        });
    ASSERT_EQ(printer().Documents().size(), 1u);
    const RecordedDocument& doc = printer().LastDocument();
    EXPECT_EQ(doc.title, "Formidor 2004 - Übersicht aller Auftraggeber");
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_TRUE(doc.page(1).FindText("Kunde 126"));

    // One entry fewer: the next preview counts again.
    select(page->LBAbs, 0);
    page->Button30->click();
    whileOpen(
        w, [&] { page->Button6->click(); },
        [&](TPreviewForm& f) {
            EXPECT_EQ(dm->SimpleTextGridPrintJob1().RowCount(), 25);
            EXPECT_EQ(f.Preview()->PageIndex(), 1);
        });
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(DataPageTest, RecipientListUnderTheSameTitlesAndAnEmptyListOpensNothing) {
    VerrechnungsscheckAdressen cheque;
    cheque.EEmpfaenger1 = "Nur Scheck";
    SaveEmpfaengerV(cheque);
    showPage();

    page->Button6->click(); // no originators
    EXPECT_EQ(dm->PreviewWindow1().Form(), nullptr);

    TPreviewWindow& w = dm->PreviewWindow2();
    whileOpen(
        w, [&] { page->Button9->click(); },
        [&](TPreviewForm& f) {
            EXPECT_EQ(dm->SimpleTextGridPrintJob2().RowCount(), 1);
            f.Toolbar()->Button(btnPrint)->click();
        });
    ASSERT_EQ(printer().Documents().size(), 1u);
    const Metafile& p = printer().LastDocument().page(0);
    for (const char* t : {"Kontoinhaber", "Kontonummer", "Institut", "BLZ", "1", "Nur Scheck"})
        EXPECT_TRUE(p.FindText(t)) << t;
    // The account, bank and bank code cells are empty: only the four titles, the number and
    // the name are drawn.
    EXPECT_EQ(p.TextStrings().size(), 6u);
}

} // namespace
} // namespace formidor::gui
