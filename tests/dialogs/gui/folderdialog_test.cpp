// The folder browser as a user meets it: opening on a folder, confirming or cancelling, the
// status line, a new folder created and reopened on, one that cannot be created, and the
// captions of the locale's language.
#include "dialogs/gui/FolderDialog.h"

#include "common/testenv.h"

#include <QFileSystemModel>
#include <QLabel>
#include <QLocale>
#include <QTest>
#include <QTreeView>
#include <filesystem>
#include <gtest/gtest.h>

namespace formidor::dialogs {
namespace {

namespace fs = std::filesystem;
using F = TBrowseInfoFlags;

QString q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

class FolderDialogTest : public ::testing::Test {
protected:
    test::TempDir dir;
    QLocale before;

    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        fs::create_directories(dir / "Daten");
    }
    void TearDown() override { QLocale::setDefault(before); }

    // Runs Execute; `step(run)` acts on the open browser of each run (0, 1, ...).
    bool execute(TFolderDialog& d, std::function<void(int, QDialog*)> step) {
        int run = 0;
        d.SetOnInitialized([&](TFolderDialog*, QDialog* w) { step(run++, w); });
        return d.Execute();
    }
};

TEST_F(FolderDialogTest, OpensOnTheFolderAndReturnsTheChoice) {
    // Deep enough for the status line to shorten.
    const fs::path deep = dir / ".versteckt" / "Dokumente und Einstellungen" / "Benutzer" /
                          "Eigene Dateien" / "Sicherungen" / "Formulare";
    fs::create_directories(deep);
    TFolderDialog d;
    d.SetFolder(q(deep));
    QString status, title;
    bool current = false;
    QStringList changes;
    d.SetOnSelectionChanged(
        [&](TFolderDialog*, QDialog*, const QModelIndex& item, const QString& folder) {
            EXPECT_TRUE(item.isValid());
            changes << folder;
        });
    EXPECT_TRUE(execute(d, [&](int, QDialog* w) {
        current = d.Tree()->currentIndex().isValid();
        status = d.StatusLine()->text();
        title = d.TitleLabel()->text();
        w->accept();
    }));
    EXPECT_TRUE(current);
    EXPECT_EQ(title, "Ausgewählter Ordner:");
    EXPECT_LE(status.size(), 50);
    EXPECT_TRUE(status.startsWith("/...")) << status.toStdString();
    EXPECT_TRUE(status.endsWith("/Eigene Dateien/Sicherungen/Formulare")) << status.toStdString();
    EXPECT_EQ(d.Folder(), q(deep));
    EXPECT_EQ(d.DisplayName(), "Formulare");
    EXPECT_EQ(changes, QStringList{q(deep)});

    // Cancelled: false, and the folder stays.
    d.SetFolder(q(dir / "Daten"));
    EXPECT_FALSE(execute(d, [](int, QDialog* w) { w->reject(); }));
    EXPECT_EQ(d.Folder(), q(dir / "Daten"));
}

TEST_F(FolderDialogTest, WithoutAFolderNothingIsSelectedAndOkWaitsForOne) {
    for (const QString& start : {QString(), q(dir / "gibt es nicht")}) {
        TFolderDialog d;
        d.SetFlags({F::ShowPath, F::OnlyFileSystem});
        d.SetFolder(start);
        bool okBefore = true, newBefore = true, okAfter = false, newAfter = false;
        EXPECT_TRUE(execute(d, [&](int, QDialog* w) {
            EXPECT_FALSE(d.Tree()->currentIndex().isValid());
            okBefore = d.OkButton()->isEnabled();
            newBefore = d.NewFolderHandle()->isEnabled();
            d.SetSelectedFolder(q(dir / "Daten")); // selects it in the open browser
            okAfter = d.OkButton()->isEnabled();
            newAfter = d.NewFolderHandle()->isEnabled();
            QTest::mouseClick(d.OkButton(), Qt::LeftButton);
        }));
        EXPECT_FALSE(okBefore);
        EXPECT_FALSE(newBefore);
        EXPECT_TRUE(okAfter);
        EXPECT_TRUE(newAfter);
        EXPECT_EQ(d.Folder(), q(dir / "Daten"));
    }
}

TEST_F(FolderDialogTest, NewFolderIsCreatedAndTheBrowserReopensOnIt) {
    TFolderDialog d;
    d.SetFolder(q(dir / "Daten"));
    QString asked;
    d.AskFolderName = [&](QWidget*, const QString& caption) {
        asked = caption;
        return QStringLiteral("Archiv");
    };
    QString reopenedOn;
    EXPECT_TRUE(execute(d, [&](int run, QDialog* w) {
        if (run == 0) {
            QTest::mouseClick(d.NewFolderHandle(), Qt::LeftButton);
        } else {
            reopenedOn = d.SelectedFolder();
            w->accept();
        }
    }));
    EXPECT_EQ(asked, "Neuer Ordner");
    EXPECT_TRUE(fs::is_directory(dir / "Daten" / "Archiv"));
    EXPECT_EQ(reopenedOn, q(dir / "Daten" / "Archiv"));
    EXPECT_EQ(d.Folder(), q(dir / "Daten" / "Archiv"));

    // Cancelled after creating: the folder is the one the last browser opened on.
    d.SetFolder(q(dir.path()));
    d.AskFolderName = [](QWidget*, const QString&) { return QStringLiteral("Neu"); };
    EXPECT_FALSE(execute(d, [&](int run, QDialog* w) {
        if (run == 0)
            QTest::mouseClick(d.NewFolderHandle(), Qt::LeftButton);
        else
            w->reject();
    }));
    EXPECT_EQ(d.Folder(), q(dir / "Neu"));
}

TEST_F(FolderDialogTest, AFolderThatCannotBeCreatedIsReported) {
    test::writeFile(dir / "Daten" / "Datei", "x"); // a file where a folder would have to go
    TFolderDialog d;
    d.SetFolder(q(dir / "Daten"));
    d.AskFolderName = [](QWidget*, const QString&) { return QStringLiteral("Datei/Unter"); };
    QString caption, text, reopenedOn;
    d.ShowWarning = [&](QWidget*, const QString& c, const QString& t) {
        caption = c;
        text = t;
    };
    EXPECT_FALSE(execute(d, [&](int run, QDialog* w) {
        if (run == 0) {
            QTest::mouseClick(d.NewFolderHandle(), Qt::LeftButton);
        } else {
            reopenedOn = d.SelectedFolder();
            w->reject();
        }
    }));
    EXPECT_EQ(caption, "Neuer Ordner");
    EXPECT_TRUE(text.startsWith("Das Verzeichnis oder die Datei kann nicht erstellt werden."))
        << text.toStdString();
    EXPECT_TRUE(text.contains("existiert nicht")) << text.toStdString(); // the reason
    EXPECT_EQ(reopenedOn, q(dir / "Daten"));
    EXPECT_EQ(d.Folder(), q(dir / "Daten"));
}

TEST_F(FolderDialogTest, NewFolderButtonSitsInTheLowerLeftCorner) {
    TFolderDialog d;
    d.SetFolder(q(dir.path()));
    QRect g, resized;
    int dpi = 0, height = 0, resizedHeight = 0;
    bool hidden = false;
    execute(d, [&](int, QDialog* w) {
        dpi = w->logicalDpiX();
        g = d.NewFolderHandle()->geometry();
        height = w->height();
        w->resize(w->width() + 50, w->height() + 80);
        resized = d.NewFolderHandle()->geometry();
        resizedHeight = w->height();
        d.SetNewFolderVisible(false);
        hidden = d.NewFolderHandle()->isHidden();
        w->reject();
    });
    ASSERT_EQ(dpi, 96) << "the offscreen screen's resolution";
    EXPECT_EQ(g.left(), 12);
    EXPECT_EQ(g.top(), height - 36);
    EXPECT_EQ(g.height(), 23);
    EXPECT_GE(g.width(), 75);
    EXPECT_EQ(resized.top(), resizedHeight - 36);
    EXPECT_TRUE(hidden);
}

TEST_F(FolderDialogTest, RootChoicesOfThisSystem) {
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(dir.path().string()));
    struct Case {
        TSHFolders root;
        QString top; // the folder the tree starts below; empty: the computer with "/" in it
    } cases[] = {
        {TSHFolders::foDesktopExpanded, QString()},
        {TSHFolders::foControlPanel, QString()},
        {TSHFolders::foMyComputer, "/"},
        {TSHFolders::foPersonal, q(dir.path())},
    };
    for (const auto& c : cases) {
        TFolderDialog d;
        d.SetRootFolder(c.root);
        QString top = "?";
        execute(d, [&](int, QDialog* w) {
            const QModelIndex root = d.Tree()->rootIndex();
            top = root.isValid() ? root.data(QFileSystemModel::FilePathRole).toString() : QString();
            w->reject();
        });
        EXPECT_EQ(top, c.top) << static_cast<int>(c.root);
    }
    // A start folder outside the root is not selected.
    test::TempDir outside;
    TFolderDialog d;
    d.SetRootFolder(TSHFolders::foPersonal);
    d.SetFolder(q(outside.path()));
    bool selected = true;
    execute(d, [&](int, QDialog* w) {
        selected = d.Tree()->currentIndex().isValid();
        w->reject();
    });
    EXPECT_FALSE(selected);
    qputenv("HOME", oldHome);
}

TEST_F(FolderDialogTest, CaptionsFollowTheLanguageOfTheLocale) {
    struct Case {
        QLocale locale;
        const char *label, *button;
    } cases[] = {
        {QLocale(QLocale::German, QLocale::Austria), "Ausgewählter Ordner:", "Neuer Ordner"},
        {QLocale(QLocale::French, QLocale::France), "Dossier Courant:", "Nouveau Dossier"},
        {QLocale(QLocale::Swedish, QLocale::Sweden), "Current folder:", "New folder"},
    };
    for (const auto& c : cases) {
        QLocale::setDefault(c.locale);
        TFolderDialog d;
        EXPECT_EQ(d.LabelCaption(), c.label);
        EXPECT_EQ(d.NewFolderCaption(), c.button);
        EXPECT_FALSE(d.LabelCaptionsStored());
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TFolderDialog d;
    d.SetNewFolderCaptions({"Default=Anlegen"});
    EXPECT_EQ(d.NewFolderCaption(), "Anlegen");
    EXPECT_TRUE(d.NewFolderCaptionsStored());
    d.SetVersion("9");
    EXPECT_EQ(d.Version(), "3.00.00.00");
    EXPECT_EQ(d.Flags(), TBrowseInfoFlagSet{F::ShowPath});
    EXPECT_EQ(d.RootFolder(), TSHFolders::foDesktopExpanded);
}

} // namespace
} // namespace formidor::dialogs
