// The original of a file is kept once, on its first opening, and found again after the file
// changed.
#include "TempDir.h"
#include "TestData.h"
#include "pack/Originals.h"

#include <gtest/gtest.h>

namespace {

TEST(Originals, keepsTheFirstContentsAndFindsThemAfterTheFileChanged)
{
    TempDir dir;
    const std::string game = dir.file("unnamed_1831.bin");
    const std::string store = dir.file("originals");
    TestData::writeFile(game, {1, 2, 3});
    EXPECT_EQ(Originals::find(store, game), "");
    std::string error;
    ASSERT_TRUE(Originals::keep(store, game, &error)) << error;
    TestData::writeFile(game, {4, 5});
    ASSERT_TRUE(Originals::keep(store, game, &error)) << error; // a later opening keeps nothing
    const std::string original = Originals::find(store, game);
    ASSERT_NE(original, "");
    EXPECT_EQ(TestData::readFile(original), (TestData::Bytes{1, 2, 3}));
}

TEST(Originals, aDamagedCopyIsNoOriginal)
{
    TempDir dir;
    const std::string game = dir.file("unnamed_2113.bin");
    const std::string store = dir.file("originals");
    TestData::writeFile(game, {9, 9});
    std::string error;
    ASSERT_TRUE(Originals::keep(store, game, &error)) << error;
    TestData::writeFile(Originals::find(store, game), {0});
    EXPECT_EQ(Originals::find(store, game), "");
}

} // namespace
