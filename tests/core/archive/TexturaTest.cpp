#include "archive/ArchiveEntry.h"
#include "archive/Textura.h"

#include "TempDir.h"
#include "TestData.h"

#include <filesystem>
#include <gtest/gtest.h>

using TestData::Bytes;

namespace {

Bytes table(std::vector<TextureEntry> entries, std::int32_t secondWord = 0)
{
    Bytes out(8 + 12 * entries.size(), 0);
    TestData::putInt32(out, 0, static_cast<std::int32_t>(entries.size()));
    TestData::putInt32(out, 4, secondWord);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        TestData::putInt32(out, 8 + 12 * k, entries[k].Offset);
        TestData::putInt32(out, 12 + 12 * k, entries[k].Lenght);
        TestData::putInt32(out, 16 + 12 * k, entries[k].Nazwa);
    }
    return out;
}

const std::vector<TextureEntry> kThree = {{100, 10, 50}, {200, 20, 60}, {300, 30, 70}};

TEST(Textura, FreshIndexIsEmpty)
{
    Textura index;
    EXPECT_EQ(index.Count(), 0);
    EXPECT_EQ(index.Get_Offset(0), 0);
    EXPECT_EQ(index.Get_Lenght(-1), 0);
    EXPECT_EQ(index.Get_Nazwa(5), 0);
    EXPECT_FALSE(index.Loaded());
}

TEST(Textura, OutOfRangeIndexesMoveToTheNearestEntry)
{
    Textura index;
    ASSERT_TRUE(index.load(table(kThree)));
    EXPECT_EQ(index.Count(), 3);
    EXPECT_EQ(index.Get_Lenght(5), 30);
    EXPECT_EQ(index.Get_Lenght(-1), 10);
    EXPECT_EQ(index.Get_Lenght(-7), 10);
    EXPECT_EQ(index.Get_Offset(1), 200);
    EXPECT_EQ(index.Get_Nazwa(2), 70);
    EXPECT_EQ(index.Get_Nazwa(INT32_MIN), 50);
    EXPECT_EQ(index.Get_Nazwa(INT32_MAX), 70);
}

TEST(Textura, OneEntryAnswersEveryIndex)
{
    Textura2 index;
    ASSERT_TRUE(index.load(table({{1, 2, 3}})));
    for (std::int32_t i : {-3, 0, 1, 99})
        EXPECT_EQ(index.Get_Offset(i), 1);
}

TEST(Textura, FieldsAreSigned)
{
    Textura index;
    ASSERT_TRUE(index.load(table({{-5, -1, -100}})));
    EXPECT_EQ(index.Get_Offset(0), -5);
    EXPECT_EQ(index.Get_Lenght(0), -1);
    EXPECT_EQ(index.Get_Nazwa(0), -100);
}

TEST(Textura, SecondHeaderWordIsIgnored)
{
    Textura a;
    Textura b;
    ASSERT_TRUE(a.load(table(kThree, 0)));
    ASSERT_TRUE(b.load(table(kThree, -12345)));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.Get_Offset(i), b.Get_Offset(i));
        EXPECT_EQ(a.Get_Lenght(i), b.Get_Lenght(i));
        EXPECT_EQ(a.Get_Nazwa(i), b.Get_Nazwa(i));
    }
}

TEST(Textura, NoEntriesGivesFalse)
{
    for (std::int32_t count : {0, -1, INT32_MIN}) {
        Bytes data(8, 0);
        TestData::putInt32(data, 0, count);
        Textura index;
        EXPECT_FALSE(index.load(data)) << count;
        EXPECT_EQ(index.Count(), 0);
        EXPECT_EQ(index.Get_Offset(0), 0);
        EXPECT_TRUE(index.Loaded());
    }
}

TEST(Textura, TableRunningPastTheEndIsRefused)
{
    Bytes data = table(kThree);
    data.resize(data.size() - 1);
    Textura index;
    EXPECT_FALSE(index.load(data));
    EXPECT_EQ(index.Count(), 0);
    std::string error;
    EXPECT_FALSE(Textura::checkTable(data, &error));

    Bytes huge(8, 0);
    TestData::putInt32(huge, 0, INT32_MAX);
    EXPECT_FALSE(index.load(huge));
    EXPECT_FALSE(Textura::checkTable(huge, &error));
    EXPECT_TRUE(Textura::checkTable(table(kThree), &error));
    EXPECT_TRUE(Textura::checkTable(Bytes(8, 0), &error)) << "no entries is not a broken table";
}

TEST(Textura, ReloadReplacesEverything)
{
    TempDir dir;
    TestData::writeFile(dir.file("five"),
                        table({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}}));
    TestData::writeFile(dir.file("two"), table({{7, 7, 7}, {8, 8, 8}}));
    Textura index;
    ASSERT_TRUE(index.Wczytaj(dir.file("five")));
    ASSERT_TRUE(index.Wczytaj(dir.file("two")));
    EXPECT_EQ(index.Count(), 2);
    EXPECT_EQ(index.Get_Offset(4), 8);
    EXPECT_EQ(index.Path(), dir.file("two"));
}

TEST(Textura, EmptyPathLoadsTheRememberedPath)
{
    TempDir dir;
    TestData::writeFile(dir.file("a"), table(kThree));
    Textura index;
    index.Path(dir.file("a"));
    EXPECT_EQ(index.Count(), 0) << "writing the path reads nothing";
    ASSERT_TRUE(index.Wczytaj(""));
    EXPECT_EQ(index.Count(), 3);
}

TEST(Textura, MissingFileIsCreatedEmpty)
{
    TempDir dir;
    Textura index;
    ASSERT_TRUE(index.load(table(kThree)));
    EXPECT_FALSE(index.Wczytaj(dir.file("missing")));
    EXPECT_EQ(index.Count(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("missing")));
    EXPECT_EQ(std::filesystem::file_size(dir.file("missing")), 0u);
}

// Where an entry's data, texture and name lie, from its table row.
TEST(ArchiveEntryRule, PositionsFollowTheTableRow)
{
    const ::ArchiveEntry first = ::ArchiveEntry::of(TextureEntry{0, 40, 100});
    EXPECT_EQ(first.dataPosition(), 1) << "an entry at offset 0 is listed as 1";
    EXPECT_EQ(first.nameOffset, 111);
    EXPECT_EQ(first.namePosition(), 112);
    EXPECT_EQ(first.textureOffset(), 16);
    EXPECT_EQ(first.textureLength(), 24);
    EXPECT_EQ(::ArchiveEntry::of(TextureEntry{8, 16, 0}).textureLength(), 0);
    EXPECT_EQ(::ArchiveEntry::of(TextureEntry{8, -3, 0}).textureLength(), 0);
}

TEST(ArchiveEntryRule, EntriesOutsideTheArchiveAreRefused)
{
    const struct
    {
        TextureEntry row;
        bool inside;
    } cases[] = {
        {{0, 40, 0}, true},    {{0, 41, 0}, false},
        {{-1, 20, 0}, false},  {{0, 16, 0}, false},
        {{0, 40, 25}, true},   {{0, 40, 26}, false},
        {{0, 40, -12}, false}, {{INT32_MAX, INT32_MAX, 0}, false},
    };
    for (const auto &c : cases) {
        std::string error;
        const ::ArchiveEntry entry = ::ArchiveEntry::of(c.row);
        EXPECT_EQ(entry.liesWithin(40, &error), c.inside)
            << c.row.Offset << " " << c.row.Lenght << " " << c.row.Nazwa << ": " << error;
        std::string name;
        EXPECT_EQ(entry.readName(Bytes(40, 'a'), name, nullptr),
                  c.row.Nazwa + 15 <= 40 && c.row.Nazwa >= -11);
    }
}

} // namespace
