#include "CaseName.h"
#include "boots/Baza.h"

#include "TempDir.h"
#include "TestData.h"

#include <gtest/gtest.h>

using TestData::Bytes;

namespace {

class BazaChange : public testing::Test
{
protected:
    void load(int count)
    {
        path = dir.file("temp.bin");
        original = TestData::bootsFile(TestData::boots(count));
        TestData::writeFile(path, original);
        ASSERT_TRUE(db.Wczytaj(path));
    }

    bool change(std::uint8_t index, std::uint8_t stat, const std::string &name = "Name")
    {
        std::uint8_t a = stat, b = stat, c = stat, d = stat, e = stat;
        const bool ok = db.Zmien_Dane(index, name, 258, 7, a, b, c, d, e, "Mat", "Col");
        lastClamped = a;
        return ok;
    }

    TempDir dir;
    Baza db;
    std::string path;
    Bytes original;
    std::uint8_t lastClamped = 0;
};

TEST_F(BazaChange, NewObjectRefusesChanges)
{
    EXPECT_FALSE(change(0, 3));
}

TEST_F(BazaChange, StatisticsAreClampedAndWrittenBack)
{
    load(3);
    ASSERT_TRUE(change(1, 0));
    EXPECT_EQ(lastClamped, 1);
    EXPECT_EQ(db.Get_Sila(1), 1);
    ASSERT_TRUE(change(1, 9));
    EXPECT_EQ(lastClamped, 5);
    EXPECT_EQ(db.Get_Podkrecanie(1), 5);
    ASSERT_TRUE(change(1, 3));
    EXPECT_EQ(db.Get_Szybkosc(1), 3);
}

TEST_F(BazaChange, TextsAreCutAndIdentityKept)
{
    load(3);
    const std::string longName(70, 'n');
    std::uint8_t s = 2;
    ASSERT_TRUE(db.Zmien_Dane(2, longName, -5, 99, s, s, s, s, s, std::string(200, 'm'),
                              std::string(100, 'c')));
    EXPECT_EQ(db.Get_Nazwa(2), std::string(60, 'n'));
    EXPECT_EQ(db.Get_NazwaMaterialu(2), std::string(125, 'm'));
    EXPECT_EQ(db.Get_Kolor(2), std::string(83, 'c'));
    EXPECT_EQ(db.Get_nowe(2), -5);
    EXPECT_EQ(db.Get_Pole5(2), 99);
    EXPECT_EQ(db.Get_ID(2), 2);
    EXPECT_EQ(db.Get_Kolej(2), 1002);
}

TEST_F(BazaChange, ChangeStaysInMemoryUntilSaved)
{
    load(2);
    ASSERT_TRUE(change(0, 4, "Renamed"));
    EXPECT_EQ(TestData::readFile(path), original);
    ASSERT_TRUE(db.Zapisz(""));
    Baza reread;
    ASSERT_TRUE(reread.Wczytaj(path));
    EXPECT_EQ(reread.Get_Nazwa(0), "Renamed");
    EXPECT_EQ(reread.Get_Sila(0), 4);
}

TEST_F(BazaChange, IndexPastTheEndChangesTheLastRecord)
{
    load(2);
    ASSERT_TRUE(change(200, 2, "Last"));
    EXPECT_EQ(db.Get_Nazwa(1), "Last");
    EXPECT_EQ(db.Get_Nazwa(0), "Boot 0");
}

struct AllCase
{
    const char *over;
    int written; // -1: the file must stay as it was
};

class BazaChangeAll : public BazaChange, public testing::WithParamInterface<AllCase>
{
};

TEST_P(BazaChangeAll, WritesTheValueIntoEveryStatistic)
{
    load(4);
    ASSERT_TRUE(change(1, 2, "Edited"));
    const bool ok = db.ZmienAll(GetParam().over);
    const Bytes file = TestData::readFile(path);
    if (GetParam().written < 0) {
        EXPECT_FALSE(ok);
        EXPECT_EQ(file, original);
        return;
    }
    ASSERT_TRUE(ok);
    Baza reread;
    ASSERT_TRUE(reread.load(file));
    for (std::uint8_t i = 0; i < 4; ++i) {
        EXPECT_EQ(reread.Get_Sila(i), GetParam().written);
        EXPECT_EQ(reread.Get_Precyzja(i), GetParam().written);
        EXPECT_EQ(reread.Get_Przyspieszenie(i), GetParam().written);
        EXPECT_EQ(reread.Get_Szybkosc(i), GetParam().written);
        EXPECT_EQ(reread.Get_Podkrecanie(i), GetParam().written);
        EXPECT_EQ(reread.Get_Kolej(i), db.Get_Kolej(i));
        EXPECT_EQ(reread.Get_Nazwa(i), db.Get_Nazwa(i));
    }
    EXPECT_EQ(db.Get_Sila(0), 1) << "memory keeps its statistics until reloaded";
}

INSTANTIATE_TEST_SUITE_P(Values, BazaChangeAll,
                         testing::Values(AllCase{"3", 3}, AllCase{"0", 0}, AllCase{"", 0},
                                         AllCase{"2.5", 2}, AllCase{"3.5", 4}, AllCase{"4x", 4},
                                         AllCase{"&HFF", 255}, AllCase{"&HFFFF", -1},
                                         AllCase{"255", 255}, AllCase{"256", -1}, AllCase{"-1", -1},
                                         AllCase{"-0.4", 0}, AllCase{"1e9", -1}),
                         CaseName::by([](const auto &c) { return std::string(c.over); }, "value"));

TEST_F(BazaChange, ChangeAllWithoutRecordsLeavesTheFile)
{
    path = dir.file("temp.bin");
    Bytes bad = TestData::bootsFile(TestData::boots(1));
    TestData::putInt32(bad, 0, 7);
    TestData::writeFile(path, bad);
    EXPECT_FALSE(db.Wczytaj(path));
    EXPECT_FALSE(db.ZmienAll("3"));
    EXPECT_EQ(TestData::readFile(path), bad);
}

TEST_F(BazaChange, AddNewFollowsTheLastId)
{
    EXPECT_EQ(db.Dodaj_Nowy(), 0);
    auto records = TestData::boots(2);
    records[1].ID = 254;
    path = dir.file("temp.bin");
    TestData::writeFile(path, TestData::bootsFile(records));
    ASSERT_TRUE(db.Wczytaj(path));
    EXPECT_EQ(db.Dodaj_Nowy(), 255);
    EXPECT_EQ(db.Count(), 3);
    EXPECT_EQ(db.Get_ID(2), 255);
    EXPECT_EQ(db.Get_Nazwa(2), "");
    EXPECT_EQ(db.Dodaj_Nowy(), 0);
    EXPECT_EQ(db.Count(), 3);
    EXPECT_TRUE(db.errorString().empty());
}

TEST_F(BazaChange, AddNewReportsOverflow)
{
    auto records = TestData::boots(1);
    records[0].ID = 300;
    path = dir.file("temp.bin");
    TestData::writeFile(path, TestData::bootsFile(records));
    ASSERT_TRUE(db.Wczytaj(path));
    EXPECT_EQ(db.Dodaj_Nowy(), 0);
    EXPECT_EQ(db.errorString(), "Overflow");
    EXPECT_EQ(db.Count(), 1);
}

} // namespace
