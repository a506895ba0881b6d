// "Daten sichern" and "Daten einlesen" on the assembled window: the folder chosen in the
// browser, the question, the failure messages, and a confirmed restore ending the program
// without storing the window's settings or journal over the imported ones.
#include "app/backup.h"
#include "app/gui/UeberweisM.h"

#include "common/testenv.h"
#include "dialogs/gui/FolderDialog.h"
#include "platform/gui/guard.h"
#include "platform/hive.h"
#include "platform/paths.h"
#include "platform/recordingprinter.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace formidor::gui {
namespace {

namespace fs = std::filesystem;
const std::string kApp = "\\" + std::string(kAppKey);

int storedKvu() {
    TRegistry r;
    return r.OpenKey(kApp, false) ? r.ReadInteger("KVU") : 0;
}

void storeKvu(int v) {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(kApp, true));
    r.WriteInteger("KVU", v);
}

class BackupButtons : public ::testing::Test {
protected:
    test::ScopedDataHome home;
    test::TempDir folder;
    QStringList errors, messages, questions;
    int ended = 0;
    bool realEnd = false; // the program's own end, which leaves the event loop
    std::unique_ptr<Printer> previous;
    std::unique_ptr<TMainForm> w;

    void SetUp() override {
        setErrorSink([this](const QString& t) { errors << t; });
        previous = SetPrinter(std::make_unique<RecordingPrinter>(
            std::vector<RecordingPrinterConfig>{RecordingPrinterConfig::a4("Eins", 300)}, 0));
    }
    void TearDown() override {
        w.reset();
        SetPrinter(std::move(previous));
        setErrorSink(nullptr);
    }
    // The window as the user finds it, the browser answering with `chosen` (empty: cancel)
    // and the restore question with `yes`.
    void open(const fs::path& chosen, bool yes = true) {
        w = std::make_unique<TMainForm>();
        w->show();
        QApplication::processEvents();
        w->Folder->SetFolder(QString::fromStdString(chosen.string()));
        w->Folder->SetOnInitialized(
            [cancel = chosen.empty()](auto*, QDialog* d) { cancel ? d->reject() : d->accept(); });
        w->AskYesNo = [this, yes](const QString& q) {
            questions << q;
            return yes;
        };
        w->ShowMessage = [this](const QString& m) { messages << m; };
        w->EndApplication = [this, real = w->EndApplication] {
            ++ended;
            if (realEnd) real();
        };
        w->PageControl1->setCurrentWidget(w->TabSheet4);
        QApplication::processEvents();
    }
};

TEST_F(BackupButtons, BackupWritesBothFilesIntoTheChosenFolder) {
    storeKvu(12);
    open(folder.path());
    QTest::mouseClick(w->TabSheet4->Button38, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    EXPECT_TRUE(fs::exists(folder / "formidor.reg"));
    EXPECT_EQ(test::readFile(folder / "journal"), test::readFile(paths::journalFile()));
    EXPECT_EQ(ended, 0);

    // A backup that cannot be written says so, naming the file.
    fs::remove(folder / "journal");
    fs::create_directory(folder / "journal");
    QTest::mouseClick(w->TabSheet4->Button38, Qt::LeftButton);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QString::fromStdString((folder / "journal").string())))
        << errors[0].toStdString();
}

TEST_F(BackupButtons, ConfirmedRestoreEndsTheProgramWithoutStoring) {
    storeKvu(5);
    fs::create_directories(paths::journalFile().parent_path());
    test::writeFile(paths::journalFile(), std::string(440, 'a'));
    backup::SaveData(folder.path());
    storeKvu(9);
    test::writeFile(paths::journalFile(), std::string(2 * 440, 'b'));

    open(folder.path());
    w->TabSheet4->EKVU->setFocus();
    w->TabSheet4->EKVU->setText("33"); // shown, about to be stored when the field is left
    // The program's own end: it leaves the event loop and closes no window.
    realEnd = true;
    QTimer::singleShot(0, w.get(),
                       [this] { QTest::mouseClick(w->TabSheet4->Button41, Qt::LeftButton); });
    QTimer::singleShot(5000, w.get(), [] { QCoreApplication::exit(1); }); // should it not end
    const int status = QApplication::exec();
    qApp->blockSignals(false);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith("Beim Zurücklesen der Daten werden Ihre aktuellen"));
    EXPECT_EQ(messages, QStringList{"Das Programm muss jetzt neu gestartet werden !"});
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    EXPECT_EQ(storedKvu(), 5);
    EXPECT_EQ(test::readFile(paths::journalFile()), std::string(440, 'a'));

    // The window going down, closed or destroyed, stores nothing over the imported data.
    w->TabSheet4->EKVU->setText("44");
    w->close();
    EXPECT_FALSE(w->isVisible());
    QApplication::processEvents();
    w.reset();
    EXPECT_EQ(storedKvu(), 5);
    EXPECT_EQ(test::readFile(paths::journalFile()), std::string(440, 'a'));
}

TEST_F(BackupButtons, RestoreDeclinedOrRefusedChangesNothingAndGoesOn) {
    storeKvu(9);
    test::writeFile(folder / "formidor.reg", "kaputt");
    struct Case {
        fs::path chosen;
        bool yes;
        int errors;
    } cases[] = {
        {"", true, 0},               // browser cancelled
        {folder.path(), false, 0},   // "Nein"
        {folder.path(), true, 1},    // damaged backup
        {folder / "fehlt", true, 1}, // no such folder
    };
    for (const auto& c : cases) {
        errors.clear();
        messages.clear();
        open(c.chosen, c.yes);
        QTest::mouseClick(w->TabSheet4->Button41, Qt::LeftButton);
        EXPECT_EQ(errors.size(), c.errors) << c.chosen << errors.join("\n").toStdString();
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(ended, 0);
        EXPECT_EQ(storedKvu(), 9);
        w->close();
    }
}

} // namespace
} // namespace formidor::gui
