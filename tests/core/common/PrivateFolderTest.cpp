#include "common/PrivateFolder.h"

#include "PlatformFiles.h"
#include "TempDir.h"
#include "TestData.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(PrivateFolder, RemovingATreeRemovesItsLinksNeverWhatTheyPointAt)
{
    TempDir dir;
    fs::create_directories(dir.file("victim/keep"));
    TestData::writeFile(dir.file("victim/keep/file"), {1});
    fs::create_directories(dir.file("tree/sub"));
    TestData::writeFile(dir.file("tree/sub/work"), {2});
    std::string whyNot;
    if (!PlatformFiles::makeLink(dir.file("victim"), dir.file("tree/sub/folder-link"), &whyNot,
                                 true) ||
        !PlatformFiles::makeLink(dir.file("victim/keep/file"), dir.file("tree/file-link"), &whyNot))
        GTEST_SKIP() << whyNot;
    EXPECT_TRUE(PrivateFolder::removeTree(dir.file("tree")));
    EXPECT_EQ(dir.listing(), "victim");
    EXPECT_EQ(TestData::readFile(dir.file("victim/keep/file")), TestData::Bytes{1});
}

TEST(PrivateFolder, ANewFolderMustBeNewAndALinkIsNeverOwn)
{
    TempDir dir;
    EXPECT_TRUE(PrivateFolder::createNew(dir.file("mine"), nullptr));
    if (PlatformFiles::kModeBits) {
        EXPECT_EQ(fs::status(dir.file("mine")).permissions() & fs::perms::all,
                  fs::perms::owner_all);
    }
    EXPECT_FALSE(PrivateFolder::createNew(dir.file("mine"), nullptr));
    std::string error;
    if (!PlatformFiles::makeLink(dir.file("mine"), dir.file("link"), &error, true))
        GTEST_SKIP() << error;
    EXPECT_FALSE(PrivateFolder::ensure(dir.file("link"), &error));
    EXPECT_EQ(error, "it is a symbolic link");
}
