// The main window and its printer page with a temporary hive and a recording printer: the
// start, the page switches, the close, and the calibration handlers as a user drives them.
#include "app/gui/UeberweisM.h"

#include "app/settings.h"
#include "common/testenv.h"
#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/chequepage.h"
#include "forms/gui/directdebitpage.h"
#include "forms/gui/transferpage.h"
#include "platform/datetime.h"
#include "platform/gui/guard.h"
#include "platform/gui/shell.h"
#include "platform/hive.h"
#include "platform/recordingprinter.h"

#include <QApplication>
#include <QFontDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

class MainWindow : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    QStringList errors;
    std::unique_ptr<Printer> previous;
    std::unique_ptr<TMainForm> w;
    int journalWrites = 0;

    void SetUp() override {
        setErrorSink([this](const QString& t) { errors << t; });
        previous = SetPrinter(std::make_unique<RecordingPrinter>(
            std::vector<RecordingPrinterConfig>{RecordingPrinterConfig::a4("Eins", 300),
                                                RecordingPrinterConfig::a4("Zwei", 300),
                                                RecordingPrinterConfig::a4("Drei", 600)},
            1));
    }
    void TearDown() override {
        if (w) {
            w->JournalSpeichern = nullptr;
            w->hide();
            w.reset();
        }
        SetPrinter(std::move(previous));
        setErrorSink(nullptr);
    }

    TRegistry& key() {
        reg_.OpenKey(std::string("\\") + std::string(kAppKey), true);
        return reg_;
    }

    void start() {
        w = std::make_unique<TMainForm>();
        w->JournalSpeichern = [this] { ++journalWrites; };
        w->show();
        QApplication::processEvents();
    }
    void showPage(QWidget* page) {
        w->PageControl1->setCurrentWidget(page);
        QApplication::processEvents();
    }
    PrinterPage& p() { return *w->TabSheet4; }

private:
    TRegistry reg_;
};

TEST_F(MainWindow, FirstStartShowsDefaultsAndStoresTheFonts) {
    start();
    EXPECT_EQ(w->windowTitle(), "Formidor 2021 13.0");
    EXPECT_EQ(w->size(), QSize(548, 524));
    EXPECT_EQ(w->PageControl1->currentWidget(), w->TabSheet2);
    for (char c : kFormCodes) {
        const auto& s = p().sub(c);
        EXPECT_EQ(s.kv->text(), "0");
        EXPECT_EQ(s.kh->text(), "0");
        if (s.links) {
            EXPECT_TRUE(s.links->isChecked()) << c;
        }
        if (s.gleich) {
            EXPECT_TRUE(s.gleich->isChecked()) << c;
        }
        EXPECT_EQ(s.fontName->text(), "Schrift: Courier New");
        EXPECT_EQ(s.fontSize->text(), "Größe: 8");
        EXPECT_EQ(s.fontStyle->text(), "Stil: Fett");
    }
    EXPECT_EQ(key().GetValueNames().size(), 21u);
    const QString today = QString::fromStdString(DateToStr(Date()));
    EXPECT_EQ(w->TabSheet2->EDatumUnterschrift->text(), today);
    EXPECT_EQ(w->TabSheet1->EDatumD->text(), today);
    EXPECT_EQ(w->TabSheet3->EDatum->text(), today);
    EXPECT_EQ(w->TabSheet6->NNEinlieferungsdatum->text(), today);
    EXPECT_TRUE(w->TabSheet2->RB13->isChecked());
    EXPECT_EQ(w->TabSheet2->EAuftraggeber->currentText(), "");
    EXPECT_EQ(w->TabSheet3->EOrt->text().trimmed(), "");
    EXPECT_EQ(ThePrinter().PrinterIndex(), 1) << "the default printer";
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(MainWindow, PageSwitchStoresTheCalibrationAndThePrinterPageShowsTheStore) {
    start();
    p().CBgleichA->setChecked(false); // a type with its own calibration
    p().EKVU->setText("12");
    p().EKHA->setText("-30");
    p().RBrechtsS->setChecked(true);
    showPage(w->TabSheet3);
    EXPECT_EQ(key().ReadInteger("KVU"), 12);
    EXPECT_EQ(key().ReadInteger("KHA"), -30);
    EXPECT_TRUE(key().ReadBool("rechtsS"));
    EXPECT_TRUE(key().ReadBool("NgleichU"));
    EXPECT_FALSE(key().ReadBool("OrientationU"));

    // Changed behind the page's back: the printer page shows what is stored.
    key().WriteInteger("KHL", 44);
    key().WriteBool("LgleichU", false);
    key().WriteBool("OrientationL", true);
    showPage(w->TabSheet4);
    EXPECT_EQ(p().EKHL->text(), "44");
    EXPECT_FALSE(p().CBgleichL->isChecked());
    EXPECT_TRUE(p().RBHochformatL->isChecked());
    EXPECT_EQ(p().EKVU->text(), "12");
}

TEST_F(MainWindow, ClosingWithATextInAnOffsetFieldKeepsTheWindowOpen) {
    start();
    p().CBgleichA->setChecked(false);
    p().EKVA->setText("abc");
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "'abc' ist kein gültiger Integerwert");
    EXPECT_EQ(journalWrites, 0);
    EXPECT_TRUE(key().ValueExists("KVU")) << "offsets before it are stored";
    EXPECT_FALSE(key().ValueExists("KHV"));

    p().EKVA->setText("5");
    EXPECT_TRUE(w->close());
    EXPECT_EQ(journalWrites, 1);
    EXPECT_EQ(key().ReadInteger("Printer"), 1);
}

TEST_F(MainWindow, MistypedAndMissingValuesFallBack) {
    key().WriteString("KHL", "zwölf");
    key().WriteInteger("FontSizeV", 12);
    key().WriteString("FontNameV", "Arial");
    key().WriteInteger("Printer", 7);
    key().WriteInteger("rechtsU", 5);
    start();
    EXPECT_EQ(p().EKHL->text(), "0");
    EXPECT_EQ(p().LFontNameV->text(), "Schrift: Courier New");
    EXPECT_EQ(p().LFontSizeV->text(), "Größe: 8");
    EXPECT_EQ(key().ReadInteger("FontSizeV"), 8);
    EXPECT_TRUE(key().ReadBool("FontBoldV"));
    EXPECT_EQ(ThePrinter().PrinterIndex(), 1) << "index 7 of three printers: the default";
    EXPECT_TRUE(p().RBrechtsU->isChecked());
    EXPECT_TRUE(errors.isEmpty());

    showPage(w->TabSheet3);
    EXPECT_EQ(key().GetDataType("KHL"), TRegDataType::rdInteger);
}

TEST_F(MainWindow, SameAsTransferTakesOverAndReleases) {
    start();
    key().WriteString("FontNameU", "Arial");
    key().WriteInteger("FontSizeU", 10);
    key().WriteBool("FontBoldU", false);
    p().CBgleichV->setChecked(false);
    EXPECT_TRUE(p().EKVV->isEnabled());
    p().EKVU->setText("12");
    p().EKHU->setText("-7");
    p().RBrechtsU->setChecked(true);

    p().CBgleichV->setChecked(true);
    EXPECT_EQ(p().EKVV->text(), "12");
    EXPECT_EQ(p().EKHV->text(), "-7");
    EXPECT_EQ(key().ReadInteger("KVV"), 12);
    EXPECT_EQ(key().ReadInteger("KHV"), -7);
    EXPECT_TRUE(p().RBrechtsV->isChecked());
    EXPECT_EQ(key().ReadString("FontNameV"), "Arial");
    EXPECT_EQ(key().ReadInteger("FontSizeV"), 10);
    EXPECT_FALSE(key().ReadBool("FontBoldV"));
    EXPECT_EQ(p().LFontNameV->text(), "Schrift: Arial");
    EXPECT_EQ(p().LFontStyleV->text(), "");
    for (QWidget* c : std::initializer_list<QWidget*>{p().EKVV, p().UDKHV, p().RBHochformatV,
                                                      p().RBlinksV, p().BSchriftV, p().LFontNameV})
        EXPECT_FALSE(c->isEnabled());
    EXPECT_TRUE(p().CBgleichV->isEnabled());

    // Released: the stored own calibration (here the copy just stored) and enabled controls.
    key().WriteInteger("KVV", 3);
    key().DeleteValue("rechtsV");
    p().CBgleichV->setChecked(false);
    EXPECT_EQ(p().EKVV->text(), "3");
    EXPECT_TRUE(p().RBlinksV->isChecked());
    EXPECT_TRUE(p().EKVV->isEnabled());
    EXPECT_TRUE(p().BSchriftV->isEnabled());
}

// A wrong transfer offset, with real message boxes taking the focus away and giving it back:
// the text stays in its field, each attempt to close shows one message, and once the field is
// corrected the window closes, though the taken-over types held copies of the wrong text.
TEST_F(MainWindow, AWrongOffsetStaysUntilCorrectedAndThenTheWindowCloses) {
    setErrorSink([this](const QString& t) {
        errors << t;
        QMessageBox box(QMessageBox::Critical, "Formidor", t, QMessageBox::Ok, w.get());
        QTimer::singleShot(0, &box, &QMessageBox::accept);
        box.exec();
    });
    start();
    showPage(w->TabSheet4);
    p().PageControl4->setCurrentWidget(p().TabSheet15);
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    ASSERT_TRUE(p().CBgleichV->isChecked());
    p().CBgleichL->setChecked(false); // a type with its own calibration keeps it

    p().EKVU->setFocus(Qt::MouseFocusReason);
    p().EKVU->setText("abc");
    QTest::mouseClick(p().Button40, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(errors, QStringList{"'abc' ist kein gültiger Integerwert"});
    EXPECT_EQ(p().EKVU->text(), "abc");
    errors.clear();
    // Leaving the page: the copies take the wrong text, and it is reported once.
    runGuarded([this] { p().TabSheet4Exit(); });
    EXPECT_EQ(errors, QStringList{"'abc' ist kein gültiger Integerwert"});
    EXPECT_EQ(p().EKVV->text(), "abc");
    errors.clear();

    EXPECT_FALSE(w->close());
    QApplication::processEvents();
    EXPECT_EQ(errors, QStringList{"'abc' ist kein gültiger Integerwert"});
    EXPECT_EQ(p().EKVU->text(), "abc");

    p().EKVU->setText("5");
    p().EKVL->setText("9");
    errors.clear();
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    for (const char* name : {"KVU", "KVV", "KVA", "KVN"})
        EXPECT_EQ(key().ReadInteger(name), 5) << name;
    EXPECT_EQ(key().ReadInteger("KVL"), 9);
}

TEST_F(MainWindow, FontDialogChoicesFollowTheBoldRules) {
    start();
    settings::FontChoice answer{"Arial", 11, true, false, true, false};
    bool asked = false;
    p().setFontDialog([&](QWidget*, settings::FontChoice& c) {
        asked = true;
        EXPECT_EQ(c.name, "Courier New");
        EXPECT_EQ(c.size, 8);
        EXPECT_FALSE(c.bold) << "preset from the stored flag";
        c = answer;
        return true;
    });
    key().WriteBool("FontBoldU", false);
    p().LFontStyleU->setText("");
    p().Button5->click();
    ASSERT_TRUE(asked);
    EXPECT_EQ(key().ReadString("FontNameU"), "Arial");
    EXPECT_EQ(key().ReadInteger("FontSizeU"), 11);
    EXPECT_FALSE(key().ReadBool("FontBoldU")) << "bold underlined leaves the flag";
    EXPECT_EQ(p().LFontStyleU->text(), "");
    EXPECT_EQ(p().LFontNameU->text(), "Schrift: Arial");
    EXPECT_EQ(p().LFontSizeU->text(), "Größe: 11");

    // Cancelled: nothing stored, labels from the store.
    p().setFontDialog([](QWidget*, settings::FontChoice&) { return false; });
    p().LFontNameU->setText("x");
    p().Button5->click();
    EXPECT_EQ(p().LFontNameU->text(), "Schrift: Arial");
}

// The real font dialog: it opens on the installed face the stored name is drawn with, in the
// stored size and style; confirming it untouched stores what was stored. While it is open the
// page stores and copies nothing, though the focus has left the page for the dialog.
TEST_F(MainWindow, FontDialogOpensOnTheStoredFontAndOkWithoutAChangeKeepsIt) {
    start();
    showPage(w->TabSheet4);
    p().PageControl4->setCurrentWidget(p().TabSheet16);
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::mouseClick(p().CBgleichV, Qt::LeftButton);
    ASSERT_FALSE(p().CBgleichV->isChecked());
    p().EKVU->setText("12"); // shown, not stored: a copy to the taken-over types would store it

    auto values = [this] {
        std::string all;
        for (const TRegValue& v : key().GetValues())
            all += v.name + "=" + v.text + "/" + std::to_string(v.number) + "\n";
        return all;
    };
    struct Case {
        const char* name;
        int size;
        bool bold;
        const char* shownFace;
    };
    for (const Case& c : {Case{"Courier New", 8, true, "Liberation Mono"},
                          Case{"Arial", 10, false, "Liberation Sans"}}) {
        SCOPED_TRACE(c.name);
        key().WriteString("FontNameV", c.name);
        key().WriteInteger("FontSizeV", c.size);
        key().WriteBool("FontBoldV", c.bold);
        const std::string before = values();
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            if (!d) return;
            seen = true;
            EXPECT_EQ(d->currentFont().family().toStdString(), c.shownFace);
            EXPECT_EQ(d->currentFont().pointSize(), c.size);
            EXPECT_EQ(d->currentFont().bold(), c.bold);
            EXPECT_EQ(values(), before) << "stored while the dialog was open";
            d->accept();
        });
        QTest::mouseClick(p().BSchriftV, Qt::LeftButton);
        ASSERT_TRUE(seen);
        EXPECT_EQ(values(), before);
        EXPECT_EQ(p().LFontNameV->text(), QStringLiteral("Schrift: ") + c.name);
    }
}

TEST_F(MainWindow, LeavingTheCashOnDeliveryVerticalUpDownStoresKHN) {
    start();
    showPage(w->TabSheet4);
    p().PageControl4->setCurrentWidget(p().TabSheet17);
    p().CBgleichN->setChecked(false);
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    key().DeleteValue("KVN");
    key().DeleteValue("KHN");
    p().UDKHN->setFocus();
    p().UDKHN->step(1);
    p().UDKHN->step(1);
    EXPECT_EQ(p().EKHN->text(), "2");
    p().Button40->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(key().ReadInteger("KHN"), 2);
    EXPECT_FALSE(key().ValueExists("KVN"));

    // A text that is no number: the message, nothing stored.
    p().EKVN->setFocus();
    p().EKVN->setText("1,5");
    p().Button40->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "'1,5' ist kein gültiger Integerwert");
    EXPECT_FALSE(key().ValueExists("KVN"));
}

TEST_F(MainWindow, LeavingThePrinterPageRefreshesEveryTakenOverType) {
    start();
    showPage(w->TabSheet4);
    p().PageControl4->setCurrentWidget(p().TabSheet15);
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    p().CBgleichS->setChecked(false);
    p().RBrechtsU->setChecked(true);
    p().RBlinksU->setChecked(true);
    EXPECT_FALSE(key().ReadBool("rechtsU")) << "clicking linken stores at once";
    p().EKVU->setFocus();
    p().EKVU->setText("25");
    // The focus leaves the printer page for the transfer page.
    showPage(w->TabSheet2);
    w->TabSheet2->EBetrag->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(key().ReadInteger("KVU"), 25);
    for (char c : std::string_view("VLPAN")) {
        EXPECT_EQ(p().sub(c).kv->text(), "25") << c;
        EXPECT_EQ(key().ReadInteger(settings::valueName("KV", c)), 25) << c;
    }
    EXPECT_EQ(p().EKVS->text(), "0") << "a released type keeps its own";
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(MainWindow, LandscapeInPrinterSelectionTurnsTheForeignTransferHochkant) {
    start();
    p().RBHochformatU->setChecked(true);
    p().RBHochformatA->setChecked(true);
    w->PrinterSetupDialog = [](QWidget*) {
        ThePrinter().SetPrinterIndex(2);
        ThePrinter().SetOrientation(TPrinterOrientation::poLandscape);
    };
    w->TabSheet2->Button2->click();
    EXPECT_TRUE(p().RBQuerformatA->isChecked());
    EXPECT_FALSE(key().ReadBool("OrientationA"));
    EXPECT_TRUE(p().RBHochformatU->isChecked());
    EXPECT_TRUE(key().ReadBool("OrientationU"));
    EXPECT_EQ(key().ReadInteger("Printer"), 2);
    // Every "Drucker ändern" reaches the same handler.
    EXPECT_EQ(w->PrinterChangeButtons().size(), 8);
}

TEST_F(MainWindow, ChangingTheSubPageStoresAndReappliesThePrinter) {
    start();
    showPage(w->TabSheet4);
    p().CBgleichP->setChecked(false);
    p().EKHP->setText("8");
    key().WriteInteger("Printer", 2);
    ThePrinter().SetPrinterIndex(0);
    p().PageControl4->setCurrentWidget(p().TabSheet19);
    QApplication::processEvents();
    EXPECT_EQ(key().ReadInteger("KHP"), 8);
    EXPECT_FALSE(key().ReadBool("PgleichU"));
    EXPECT_EQ(ThePrinter().PrinterIndex(), 2);
    EXPECT_EQ(p().EKHP->text(), "8") << "its own calibration shown again";
}

TEST_F(MainWindow, ImprintLinksOpenMailAndWeb) {
    start();
    QList<QUrl> opened;
    const UrlOpener before = setUrlOpener([&](const QUrl& u) {
        opened << u;
        return true;
    });
    emit p().Label31->linkActivated(QStringLiteral("x"));
    emit p().Image2->linkActivated(QStringLiteral("x"));
    setUrlOpener(before);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0].scheme(), "mailto");
    EXPECT_TRUE(opened[1].scheme().startsWith("http"));
}

TEST_F(MainWindow, AllNineTabsAreVisibleWithoutScrolling) {
    start();
    auto* bar = w->PageControl1->tabBar();
    ASSERT_EQ(bar->count(), 9);
    for (int i = 0; i < bar->count(); ++i) {
        const QRect r = bar->tabRect(i);
        EXPECT_TRUE(bar->rect().contains(r)) << i;
        EXPECT_GE(r.width(), bar->fontMetrics().horizontalAdvance(bar->tabText(i))) << i;
    }
    // Clicking a tab switches the page.
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(6).center());
    EXPECT_EQ(w->PageControl1->currentIndex(), 6);
}

} // namespace
} // namespace formidor::gui
