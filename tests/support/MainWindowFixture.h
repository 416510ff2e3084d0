#pragma once
// A main window in a fresh program folder (with the bundled languages), and a folder for
// game files, for the window tests.
#include "ModalAnswerer.h"
#include "TempDir.h"
#include "TestData.h"
#include "app/access/Mnemonics.h"
#include "app/frmMain.h"
#include "archive/Textura.h"
#include "boots/Baza.h"
#include "container/PesZlib.h"
#include "editor/BootsDocument.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <memory>

// Readable values in test failures.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList &texts, std::ostream *os)
{
    *os << '[' << texts.join(QStringLiteral(" | ")).toStdString() << ']';
}

class MainWindowFixture : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// Makes the window (after the test has prepared the program folder, if it wants to).
    frmMain &window();
    /// Writes a wrapped boots database into the game folder.
    QString writeGame(const std::vector<BootRecord> &records,
                      const QString &name = QStringLiteral("unnamed_1831.bin"));
    QString writeGameBytes(const TestData::Bytes &bytes, const QString &name);
    /// Opens a game file and expects it to load.
    void open(const QString &path);
    /// Drops local files on the boots list, as from the desktop.
    void drop(const QStringList &paths);
    /// Selects list entry `row` as a user's click would.
    void select(int row);
    /// The records of a wrapped game file.
    std::vector<BootRecord> recordsOf(const QString &gamePath);
    // The open boots file in the form writeGame() names it (the document keeps Qt's form; on
    // Windows the native form has backslashes).
    QString openGame();

    template <typename T> T *find(const QString &name)
    {
        T *child = mWindow->findChild<T *>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }
    QLineEdit *txt(int k) { return find<QLineEdit>(QStringLiteral("txt(%1)").arg(k)); }
    QListWidget *list() { return find<QListWidget>(QStringLiteral("List1")); }
    std::string programFile(const std::string &name) const { return programDir.file(name); }

    /// The program folder's parent: its own, so that a test can see that nothing was written
    /// past the program folder.
    TempDir programParent;
    TempDir programDir{programParent.path()};
    TempDir gameDir;
    ModalAnswerer answer;
    std::unique_ptr<frmMain> mWindow;
};
