#include "common/FileIo.h"

#include "CaseName.h"
#include "PlatformFiles.h"
#include "TempDir.h"
#include "TestData.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <memory>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

TEST(FileIo, AtomicWriteReplacesWholeFileAndLeavesNoTemporary)
{
    TempDir dir;
    const std::string path = dir.file("game.bin");
    TestData::writeFile(path, TestData::Bytes(1000, 0xAA));
    std::string error;
    ASSERT_TRUE(FileIo::writeFileAtomic(path, TestData::Bytes{1, 2, 3}, &error)) << error;
    EXPECT_EQ(TestData::readFile(path), (TestData::Bytes{1, 2, 3}));
    EXPECT_EQ(dir.listing(), "game.bin");
}

TEST(FileIo, AtomicWriteIntoMissingFolderFailsCleanly)
{
    TempDir dir;
    std::string error;
    EXPECT_FALSE(FileIo::writeFileAtomic(dir.file("missing/x.bin"), TestData::Bytes{1}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(dir.listing(), "");
}

TEST(FileIo, AtomicWriteKeepsPermissionsAndFollowsLinks)
{
    TempDir dir;
    const std::string target = dir.file("real.bin");
    TestData::writeFile(target, TestData::Bytes{9});
    std::string whyNot;
    if (!PlatformFiles::makeLink(target, dir.file("link.bin"), &whyNot))
        GTEST_SKIP() << whyNot;
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(FileIo::writeFileAtomic(dir.file("link.bin"), TestData::Bytes{7, 7}));
    EXPECT_TRUE(FileIo::isLink(dir.file("link.bin")));
    EXPECT_EQ(TestData::readFile(target), (TestData::Bytes{7, 7}));
    if (PlatformFiles::kModeBits) {
        EXPECT_EQ(fs::status(target).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
}

// Files the program names itself (exports, working and scratch files) where someone planted
// a link: the link's target is never written.
struct NamedFileWriter
{
    const char *name;
    bool (*write)(const std::string &, const FileIo::Bytes &, std::string *);
    bool replacesTheLink; ///< true: a new file takes the link's place; false: refused
};

class PlantedLink : public testing::TestWithParam<NamedFileWriter>
{
};

TEST_P(PlantedLink, TargetIsNeverWrittenThrough)
{
    TempDir dir;
    const std::string target = dir.file("victim");
    TestData::writeFile(target, TestData::Bytes{9});
    std::string error;
    if (!PlatformFiles::makeLink(target, dir.file("000_ab12.png"), &error))
        GTEST_SKIP() << error;
    EXPECT_EQ(GetParam().write(dir.file("000_ab12.png"), TestData::Bytes{7, 7}, &error),
              GetParam().replacesTheLink)
        << error;
    EXPECT_EQ(TestData::readFile(target), (TestData::Bytes{9}));
    EXPECT_EQ(FileIo::isLink(dir.file("000_ab12.png")), !GetParam().replacesTheLink);
    EXPECT_EQ(dir.listing(), "000_ab12.png victim");
}

INSTANTIATE_TEST_SUITE_P(
    FileIo, PlantedLink,
    testing::Values(
        NamedFileWriter{"WriteNamedFile",
                        [](const std::string &p, const FileIo::Bytes &d, std::string *e) {
                            return FileIo::writeNamedFile(p, d, e);
                        },
                        false},
        NamedFileWriter{"WriteFile",
                        [](const std::string &p, const FileIo::Bytes &d, std::string *e) {
                            return FileIo::writeFile(p, d, e);
                        },
                        true}),
    [](const testing::TestParamInfo<NamedFileWriter> &p) { return p.param.name; });

TEST(FileIo, RangeReadsStayInsideTheFile)
{
    TempDir dir;
    const std::string path = dir.file("f");
    TestData::writeFile(path, TestData::Bytes{0, 1, 2, 3, 4});
    FileIo::Bytes out;
    EXPECT_TRUE(FileIo::readFileRange(path, 1, 3, out));
    EXPECT_EQ(out, (FileIo::Bytes{1, 2, 3}));
    EXPECT_FALSE(FileIo::readFileRange(path, 3, 3, out));
    EXPECT_FALSE(FileIo::readFileRange(path, 6, 0, out));
    EXPECT_FALSE(FileIo::readFileRange(path, UINT64_MAX, 2, out));
    EXPECT_TRUE(FileIo::readFileFrom(path, 4, out));
    EXPECT_EQ(out, (FileIo::Bytes{4}));
    EXPECT_TRUE(FileIo::readFileFrom(path, 10, out));
    EXPECT_TRUE(out.empty());
}

// What keeps a file from being replaced: each gets a reason of its own that names the file
// (or its folder), and the file is left whole.
struct Blocked
{
    const char *name;
    Reasons::Id reason;
    bool namesFolder;
    /// Makes the block on `path`; returns what holds it (if anything) or why the case cannot
    /// be made on this system.
    std::function<std::shared_ptr<void>(const std::string &path, std::string *whyNot)> make;
};

class BlockedFile : public testing::TestWithParam<Blocked>
{
};

TEST_P(BlockedFile, IsLeftWholeWithItsOwnReason)
{
    TempDir dir;
    const std::string path = dir.file("game.bin");
    TestData::writeFile(path, TestData::Bytes{1, 2, 3});
    std::string whyNot;
    std::shared_ptr<void> holder = GetParam().make(path, &whyNot);
    if (!whyNot.empty())
        GTEST_SKIP() << whyNot;
    Reason before;
    Reason during;
    const bool blockedBefore = !FileIo::mayReplace(path, &before);
    EXPECT_FALSE(FileIo::writeFileAtomic(path, TestData::Bytes{9}, &during));
    const Reason &reason = GetParam().namesFolder ? during : before;
    EXPECT_EQ(blockedBefore, !GetParam().namesFolder);
    ASSERT_FALSE(reason.isPlain()) << reason.text();
    EXPECT_EQ(reason.id(), GetParam().reason);
    EXPECT_EQ(reason.arguments().at(0).plainText(), GetParam().namesFolder ? dir.path() : path);
    EXPECT_EQ(FileIo::isWritableFile(path), GetParam().namesFolder);
    holder.reset(); // the program lets go of it
    fs::permissions(dir.path(), fs::perms::owner_all, fs::perm_options::add);
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(dir.listing(), "game.bin");
    EXPECT_EQ(TestData::readFile(path), (TestData::Bytes{1, 2, 3}));
}

std::shared_ptr<void> heldOpen(const std::string &path, std::string *whyNot,
                               PlatformFiles::HeldOpen::Sharing sharing)
{
    if (!PlatformFiles::HeldOpen::kExcludesOthers)
        *whyNot = "POSIX systems have no sharing modes: an open file may be replaced";
    return std::make_shared<PlatformFiles::HeldOpen>(path, sharing);
}

INSTANTIATE_TEST_SUITE_P(
    FileIo, BlockedFile,
    testing::Values(
        // Windows keeps others from a file that a program (the game) holds open.
        Blocked{"held open by a program sharing nothing", Reasons::Id::FileInUse, false,
                [](const std::string &path, std::string *whyNot) {
                    return heldOpen(path, whyNot, PlatformFiles::HeldOpen::Sharing::Nothing);
                }},
        Blocked{"held open by a program that lets others write but not delete",
                Reasons::Id::FileInUse, false,
                [](const std::string &path, std::string *whyNot) {
                    return heldOpen(path, whyNot, PlatformFiles::HeldOpen::Sharing::ReadAndWrite);
                }},
        Blocked{"marked read-only", Reasons::Id::FileMarkedReadOnly, false,
                [](const std::string &path, std::string *) {
                    fs::permissions(path, fs::perms::owner_read);
                    return std::shared_ptr<void>();
                }},
        Blocked{"in a folder without the right to make files", Reasons::Id::FolderNotPermitted,
                true,
                [](const std::string &path, std::string *whyNot) {
                    if (!PlatformFiles::kModeBits)
                        *whyNot = "a Windows folder's rights are its ACL, which Wine does not keep";
                    else if (PlatformFiles::isAdministrator())
                        *whyNot = "an administrator makes files in any folder";
                    else
                        fs::permissions(fs::path(path).parent_path(),
                                        fs::perms::owner_read | fs::perms::owner_exec);
                    return std::shared_ptr<void>();
                }}),
    CaseName::by([](const Blocked &c) { return c.name; }));

TEST(FileIo, LeftoverTemporariesOfAKilledSaveGoAndNothingElse)
{
    TempDir dir;
    const std::string game = dir.file("game.bin");
    for (const char *name : {"game.bin", "game.bin.cw123456.tmp", "game.bin.cw7.tmp",
                             "game.bin.cwabc.tmp", "game.bin.cw1234567.tmp", "other.bin.cw1.tmp"})
        TestData::writeFile(dir.file(name), {1});
    FileIo::removeLeftoverTemporaries(game);
    EXPECT_EQ(dir.listing(),
              "game.bin game.bin.cw1234567.tmp game.bin.cwabc.tmp other.bin.cw1.tmp");
}

#ifndef _WIN32
// What a stranger may put where a file is read. Each is refused at once: a read that waited
// would hang the program (and this test, were it not for the guard below).
struct StrangeFile
{
    const char *name;
    std::string (*make)(const TempDir &dir); ///< the path to read
    FileIo::Links links;
    const char *says;
};

class StrangeFiles : public testing::TestWithParam<StrangeFile>
{
};

TEST_P(StrangeFiles, AreRefusedWithoutWaiting)
{
    TempDir dir;
    const std::string path = GetParam().make(dir);
    const FileIo::Links links = GetParam().links;
    auto read = std::async(std::launch::async, [&] {
        FileIo::Bytes out;
        std::string error;
        const bool whole = FileIo::readFile(path, out, &error, links);
        const bool range =
            links == FileIo::Links::Follow &&
            (FileIo::readFileRange(path, 0, 1, out) || FileIo::readFileFrom(path, 1, out));
        return std::make_pair(whole || range, error);
    });
    if (read.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Lets a read blocked on a FIFO return, so that the test fails instead of hanging.
        const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
        FAIL() << "the read waited on " << GetParam().name;
    }
    const auto [read_, error] = read.get();
    EXPECT_FALSE(read_);
    EXPECT_NE(error.find(GetParam().says), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    FileIo, StrangeFiles,
    testing::Values(
        StrangeFile{"Fifo",
                    [](const TempDir &dir) {
                        const std::string path = dir.file("001_ab12.png");
                        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
                        return path;
                    },
                    FileIo::Links::Follow, "not a regular file"},
        StrangeFile{"LinkToFifo",
                    [](const TempDir &dir) {
                        const std::string path = dir.file("fifo");
                        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
                        fs::create_symlink(path, dir.file("unnamed_5756.bin"));
                        return dir.file("unnamed_5756.bin");
                    },
                    FileIo::Links::Follow, "not a regular file"},
        StrangeFile{"Socket",
                    [](const TempDir &dir) {
                        const std::string path = dir.file("s.bin");
                        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                        sockaddr_un address{};
                        address.sun_family = AF_UNIX;
                        path.copy(address.sun_path, sizeof address.sun_path - 1);
                        EXPECT_EQ(
                            ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
                        ::close(fd); // the socket's name stays in the folder
                        return path;
                    },
                    FileIo::Links::Follow, "No such device"},
        StrangeFile{"Device", [](const TempDir &) { return std::string("/dev/zero"); },
                    FileIo::Links::Follow, "not a regular file"},
        StrangeFile{"Folder", [](const TempDir &dir) { return dir.path(); }, FileIo::Links::Follow,
                    "not a regular file"},
        StrangeFile{"OverTheCap",
                    [](const TempDir &dir) {
                        const std::string path = dir.file("huge.bin");
                        TestData::writeFile(path, {1});
                        fs::resize_file(path, FileIo::kMaxReadBytes + 1); // sparse: never read
                        return path;
                    },
                    FileIo::Links::Follow, "larger than 256 MiB"},
        StrangeFile{"RefusedLink",
                    [](const TempDir &dir) {
                        TestData::writeFile(dir.file("real.png"), {1});
                        fs::create_symlink(dir.file("real.png"), dir.file("002_ab12.png"));
                        return dir.file("002_ab12.png");
                    },
                    FileIo::Links::Refuse, "symbolic link"}),
    [](const testing::TestParamInfo<StrangeFile> &p) { return p.param.name; });
#endif

TEST(FileIo, RegularFileIsReadWholeWhenLinksAreRefused)
{
    TempDir dir;
    const std::string path = dir.file("big.bin");
    TestData::writeFile(path, {7});
    fs::resize_file(path, 1 << 20);
    FileIo::Bytes out;
    std::string error;
    ASSERT_TRUE(FileIo::readFile(path, out, &error, FileIo::Links::Refuse)) << error;
    EXPECT_EQ(out.size(), std::size_t{1} << 20);
    EXPECT_EQ(out[0], 7);
}
