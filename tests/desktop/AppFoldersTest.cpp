#include "desktop/AppFolders.h"
#include "language/Ini.h"
#include "language/Languages.h"

#include "PlatformFiles.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

QString qtPath(const std::string &path)
{
    return QDir::fromNativeSeparators(QString::fromStdString(path));
}

void touch(const QString &path)
{
    std::ofstream(path.toStdString()) << "x";
}

using Mode = AppFolders::Mode;

// The folders of either mode over two temporary folders: the program (or bundled) folder and
// the user's data folder.
std::unique_ptr<AppFolders> foldersOf(Mode mode, const TempDir &program, const TempDir &data)
{
    const QString p = QString::fromStdString(program.path());
    return mode == Mode::Portable ? AppFolders::portable(p)
                                  : AppFolders::installed(p, QString::fromStdString(data.path()));
}

// Runs a copy that takes its folders, leaves a working file and dies without cleaning up;
// returns the working folder it used.
QString copyThatDies(Mode mode, const TempDir &program, const TempDir &data)
{
    const QString report = QString::fromStdString(data.file("dead-copy"));
    const int status = QProcess::execute(
        QString::fromUtf8(CLEATWORK_DEAD_COPY),
        {mode == Mode::Portable ? QStringLiteral("portable") : QStringLiteral("installed"),
         QString::fromStdString(program.path()), QString::fromStdString(data.path()), report});
    EXPECT_EQ(status, 0);
    QFile in(report);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const QString folder = QString::fromUtf8(in.readAll());
    in.close();
    in.remove();
    return folder;
}

TEST(AppFoldersMode, WritableFolderWithLanguagesIsPortable)
{
    TempDir program;
    fs::create_directory(program.file("Language"));
    auto folders = AppFolders::forExecutable(QString::fromStdString(program.path()));
    EXPECT_EQ(folders->mode(), Mode::Portable);
    EXPECT_EQ(folders->workingFolder().toStdString(), program.path());
    EXPECT_EQ(folders->userFolder().toStdString(), program.path());
}

TEST(AppFoldersMode, ExecutableWithoutLanguagesReadsTheInstalledDataFolder)
{
    TempDir prefix;
    TempDir data;
    fs::create_directory(prefix.file("bin"));
    auto folders = AppFolders::forExecutable(QString::fromStdString(prefix.file("bin")),
                                             QString::fromStdString(data.path()));
    EXPECT_EQ(folders->mode(), Mode::Installed);
    // Folders made from the executable's are in Qt's form (on Windows the native form has
    // backslashes); the user's folder is kept as given.
#ifdef _WIN32
    const std::string bundled = prefix.file("bin/data"); // where the installer puts them
#else
    const std::string bundled = prefix.file("share/cleatwork");
#endif
    EXPECT_EQ(folders->bundledFolder(), qtPath(bundled));
    EXPECT_EQ(folders->userFolder().toStdString(), data.path());
    EXPECT_EQ(folders->workingFolder(), qtPath(data.file("work")));
    EXPECT_EQ(prefix.listing(), "bin") << "nothing is written under the prefix";
}

class RunningCopies : public testing::TestWithParam<Mode>
{
protected:
    std::unique_ptr<AppFolders> start() { return foldersOf(GetParam(), program, data); }
    TempDir program;
    TempDir data;
};

TEST_P(RunningCopies, SecondCopyWorksInAPrivateFolderRemovedWhenItEnds)
{
    auto first = start();
    auto second = start();
    EXPECT_FALSE(first->isPrivate());
    ASSERT_TRUE(second->isPrivate());
    EXPECT_NE(first->workingFolder(), second->workingFolder());
    const QString privateFolder = second->workingFolder();
    touch(QDir(privateFolder).filePath(QStringLiteral("temp.bin")));
    second.reset();
    EXPECT_FALSE(QFileInfo::exists(privateFolder));
}

TEST_P(RunningCopies, NormalEndKeepsTheArchiveCopiesOnlyInAProgramFolder)
{
    auto first = start();
    const QDir shared(first->workingFolder());
    touch(shared.filePath(QStringLiteral("File2")));
    touch(shared.filePath(QStringLiteral("temp.bin")));
    first.reset();
    EXPECT_EQ(QFileInfo::exists(shared.filePath(QStringLiteral("File2"))),
              GetParam() == Mode::Portable);
    EXPECT_FALSE(QFileInfo::exists(shared.filePath(QStringLiteral("temp.bin"))));
}

TEST_P(RunningCopies, WhatADeadCopyLeftIsRemovedAtTheNextStart)
{
    const QString shared = copyThatDies(GetParam(), program, data);
    ASSERT_TRUE(QFileInfo::exists(QDir(shared).filePath(QStringLiteral("temp.bin"))));
    auto first = start();
    EXPECT_FALSE(first->isPrivate()) << "a dead copy's lock does not count";
    EXPECT_FALSE(QFileInfo::exists(QDir(shared).filePath(QStringLiteral("temp.bin"))));

    const QString privateFolder = copyThatDies(GetParam(), program, data);
    ASSERT_NE(privateFolder, shared);
    ASSERT_TRUE(QFileInfo::exists(privateFolder));
    auto next = start();
    EXPECT_TRUE(next->isPrivate());
    EXPECT_FALSE(QFileInfo::exists(privateFolder));
}

TEST_P(RunningCopies, EndingLeavesNoWorkingFile)
{
    const std::string before = folderSnapshot(program.path()) + folderSnapshot(data.path());
    {
        auto folders = start();
        for (const QString &name : AppFolders::workingFileNames()) {
            const bool archiveCopy = name == "File1" || name == "File2";
            if (!archiveCopy || GetParam() == Mode::Installed) // see the test above
                touch(QDir(folders->workingFolder()).filePath(name));
        }
        // A texture still out in an image editor.
        ASSERT_TRUE(QDir().mkpath(folders->textureEditFolder()));
        touch(QDir(folders->textureEditFolder())
                  .filePath(QStringLiteral("unnamed_5756_000_ab12.png")));
    }
    EXPECT_EQ(folderSnapshot(program.path()) + folderSnapshot(data.path()), before);
}

INSTANTIATE_TEST_SUITE_P(Modes, RunningCopies, testing::Values(Mode::Portable, Mode::Installed),
                         [](const testing::TestParamInfo<Mode> &tested) {
                             return tested.param == Mode::Portable ? "Portable" : "Installed";
                         });

} // namespace

// A portable copy beside the user's runtime and cache folders (temporary ones of the test).
class PortableCopy : public testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cache.path()));
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.path()));
    }
    void TearDown() override
    {
        qunsetenv("XDG_CACHE_HOME");
        qunsetenv("XDG_RUNTIME_DIR");
    }
    std::unique_ptr<AppFolders> start() const
    {
        return AppFolders::portable(QString::fromStdString(program.path()));
    }
    TempDir program, cache, runtime, victim;
};

TEST_F(PortableCopy, KeepsItsLockAndOtherCopiesInItsOwnFolder)
{
    {
        auto first = start();
        auto second = start();
        ASSERT_TRUE(second->isPrivate());
        EXPECT_EQ(QFileInfo(second->workingFolder()).absolutePath(),
                  qtPath(program.file("copies")));
        EXPECT_TRUE(fs::exists(program.file("cleatwork.lock")));
    }
    EXPECT_EQ(cache.listing() + runtime.listing(), "");
    EXPECT_EQ(program.listing(), "");
}

// A copy ended by force left its lock; the system gave this process the same id.
TEST_F(PortableCopy, ALockNamingThisProcessThatItDoesNotHoldIsStale)
{
    const QString lockFile = QString::fromStdString(program.file("cleatwork.lock"));
    QByteArray recorded; // as this process records a lock it holds
    {
        QLockFile held(lockFile);
        ASSERT_TRUE(held.tryLock(0));
        QFile file(lockFile);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        recorded = file.readAll();
    }
    QFile left(lockFile);
    ASSERT_TRUE(left.open(QIODevice::WriteOnly) && left.write(recorded) == recorded.size());
    left.close();
    touch(QString::fromStdString(program.file("temp.bin")));
    auto first = start();
    EXPECT_FALSE(first->isPrivate());
    EXPECT_FALSE(fs::exists(program.file("temp.bin"))) << "the dead copy's working file";
    EXPECT_TRUE(start()->isPrivate()) << "the lock this process holds is live";
}

TEST_F(PortableCopy, LinkedCopiesFolderIsNeitherListedNorCleaned)
{
    touch(QString::fromStdString(victim.file("9-0.lock")));
    fs::create_directories(victim.file("9-0"));
    std::string whyNot;
    if (!PlatformFiles::makeLink(victim.path(), program.file("copies"), &whyNot, true))
        GTEST_SKIP() << whyNot;
    auto first = start();
    const std::string before = folderSnapshot(victim.path());
    auto second = start();
    EXPECT_FALSE(second->error().empty());
    EXPECT_EQ(folderSnapshot(victim.path()), before);
}
