#include "desktop/AppFolders.h"
#include "TempDir.h"
#include "language/Ini.h"
#include "language/Languages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

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
        touch(QDir(folders->textureEditFolder()).filePath(QStringLiteral("unnamed_5756_000_ab12.png")));
    }
    EXPECT_EQ(folderSnapshot(program.path()) + folderSnapshot(data.path()), before);
}

INSTANTIATE_TEST_SUITE_P(Modes, RunningCopies, testing::Values(Mode::Portable, Mode::Installed),
                         [](const testing::TestParamInfo<Mode> &tested) {
                             return tested.param == Mode::Portable ? "Portable" : "Installed";
                         });

} // namespace

// Portable starts beside folders other users prepared: the runtime and cache folders are
// temporary ones of the test, and "another user" is a uid nobody has (so the test needs root).
class ForeignFolders : public testing::Test
{
protected:
    void SetUp() override
    {
#ifdef _WIN32
        GTEST_SKIP() << "folders of another user in a shared runtime or cache folder are a POSIX "
                        "rule; a Windows user's local AppData is the user's own";
#else
        if (::geteuid() != 0)
            GTEST_SKIP() << "only root can make folders that belong to another user";
#endif
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cache.path()));
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.path()));
        fs::create_directories(victim.file("9-0"));
        touch(QString::fromStdString(victim.file("9-0/work")));
        touch(QString::fromStdString(victim.file(".profile")));
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
    // The state folder a start uses (made by a start that ends at once).
    std::string stateFolderIn(const std::string &base) const
    {
        auto probe = start();
        for (const auto &e : fs::directory_iterator(base))
            if (e.path().filename().string().starts_with("cleatwork-"))
                return e.path().string();
        return {};
    }
    // A folder of another user whose "copies" link into the victim's home.
    void plant(const std::string &folder) const
    {
        fs::create_directories(folder);
        fs::create_directory_symlink(victim.path(), fs::path(folder) / "copies");
        ASSERT_TRUE(giveAway(folder, true));
    }
    // Gives `path` (a link itself, not what it names, when `link`) to a user nobody is.
    static bool giveAway(const std::string &path, bool link)
    {
#ifdef _WIN32
        (void)path;
        (void)link;
        return false;
#else
        constexpr uid_t kStranger = 4242;
        return (link ? ::lchown : ::chown)(path.c_str(), kStranger, kStranger) == 0;
#endif
    }
    TempDir program, cache, runtime, victim;
};

TEST_F(ForeignFolders, StartRemovesNothingThroughFoldersAnotherUserPrepared)
{
    ASSERT_TRUE(giveAway(runtime.path(), false));
    const std::string fallback = stateFolderIn(cache.path() + "/cleatwork");
    ASSERT_FALSE(fallback.empty());
    const std::string inRuntime = runtime.path() + "/" + fs::path(fallback).filename().string();
    plant(fallback);
    plant(inRuntime);
    const std::string before = folderSnapshot(victim.path());
    auto first = start();
    auto second = start();
    EXPECT_FALSE(first->errorString().isEmpty()) << "another user's state folder is refused";
    EXPECT_EQ(folderSnapshot(victim.path()), before);
}

TEST_F(ForeignFolders, LinkedCopiesFolderIsNeitherListedNorCleaned)
{
    auto first = start();
    const std::string state = runtime.path() + "/" +
                              fs::path(stateFolderIn(runtime.path())).filename().string();
    fs::remove(state + "/copies");
    fs::create_directory_symlink(victim.path(), state + "/copies");
    const std::string before = folderSnapshot(victim.path());
    auto second = start();
    EXPECT_FALSE(second->errorString().isEmpty());
    EXPECT_EQ(folderSnapshot(victim.path()), before);
}

TEST_F(ForeignFolders, CopiesWithDifferentRuntimeFoldersNeverShareTheProgramFolder)
{
    auto first = start();
    touch(QDir(first->workingFolder()).filePath(QStringLiteral("temp.bin")));
    TempDir otherRuntime;
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(otherRuntime.path()));
    auto second = start();
    EXPECT_TRUE(second->isPrivate());
    EXPECT_TRUE(QFileInfo::exists(QDir(first->workingFolder()).filePath(QStringLiteral("temp.bin"))));
}
