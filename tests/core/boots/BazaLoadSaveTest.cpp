#include "CaseName.h"
#include "boots/Baza.h"

#include "TempDir.h"
#include "TestData.h"

#include <gtest/gtest.h>

using TestData::Bytes;

namespace {

class BazaFile : public testing::Test
{
protected:
    std::string write(const Bytes &data, const std::string &name = "temp.bin")
    {
        const std::string path = dir.file(name);
        TestData::writeFile(path, data);
        return path;
    }

    TempDir dir;
    Baza db;
};

TEST_F(BazaFile, LoadsEveryFieldOfEveryRecord)
{
    auto records = TestData::boots(3);
    records[1].nowe = -2;
    records[1].ID = -300;
    records[2].Nazwa = "Sch\xFCtze";
    ASSERT_TRUE(db.Wczytaj(write(TestData::bootsFile(records))));
    ASSERT_EQ(db.Count(), 3);
    EXPECT_EQ(db.records(), records);
    EXPECT_EQ(db.Get_Nazwa(2), "Sch\xFCtze");
    EXPECT_EQ(db.Get_ID(1), -300);
    EXPECT_EQ(db.Get_nowe(1), -2);
    EXPECT_EQ(db.Get_Kolej(0), 1000);
    EXPECT_EQ(db.Get_Pole5(2), 14);
    EXPECT_EQ(db.Get_Sila(0), 1);
    EXPECT_EQ(db.Get_Precyzja(0), 2);
    EXPECT_EQ(db.Get_Przyspieszenie(0), 3);
    EXPECT_EQ(db.Get_Szybkosc(0), 4);
    EXPECT_EQ(db.Get_Podkrecanie(0), 5);
    EXPECT_EQ(db.Get_NazwaMaterialu(1), "Material 1");
    EXPECT_EQ(db.Get_Kolor(1), "Colour 1");
}

TEST_F(BazaFile, SavingUnchangedRecordsGivesTheSameBytes)
{
    const Bytes original = TestData::bootsFile(TestData::boots(2));
    const std::string path = write(original);
    ASSERT_TRUE(db.Wczytaj(path));
    ASSERT_TRUE(db.Zapisz(""));
    EXPECT_EQ(TestData::readFile(path), original);
    EXPECT_EQ(db.save(), original);
}

TEST_F(BazaFile, SavingOverALongerFileLeavesExactlyTheRecords)
{
    const std::string path = write(TestData::bootsFile(TestData::boots(2)));
    ASSERT_TRUE(db.Wczytaj(path));
    const std::string other = write(Bytes(5000, 0x77), "other.bin");
    ASSERT_TRUE(db.Zapisz(other));
    EXPECT_EQ(TestData::readFile(other).size(), 32u + 2u * 292u);
    EXPECT_EQ(db.Path(), path) << "saving elsewhere must not change the remembered path";
}

TEST_F(BazaFile, MissingFileKeepsThePreviousRecords)
{
    ASSERT_TRUE(db.Wczytaj(write(TestData::bootsFile(TestData::boots(2)))));
    EXPECT_FALSE(db.Wczytaj(dir.file("missing.bin")));
    EXPECT_EQ(db.Count(), 2);
    EXPECT_EQ(db.Path(), dir.file("missing.bin"));
}

TEST_F(BazaFile, RejectedFileLeavesNoRecords)
{
    ASSERT_TRUE(db.Wczytaj(write(TestData::bootsFile(TestData::boots(2)))));
    Bytes bad = TestData::bootsFile(TestData::boots(2));
    TestData::putInt32(bad, 16, 0);
    EXPECT_FALSE(db.Wczytaj(write(bad, "bad.bin")));
    EXPECT_EQ(db.Count(), 0);
    EXPECT_EQ(db.Get_Nazwa(0), "");
    EXPECT_FALSE(db.Zapisz(dir.file("out.bin")));
    EXPECT_FALSE(Baza::File_Exists(dir.file("out.bin")));
}

TEST_F(BazaFile, IndexPastTheEndMeansTheLastRecord)
{
    ASSERT_TRUE(db.Wczytaj(write(TestData::bootsFile(TestData::boots(10)))));
    EXPECT_EQ(db.Get_Nazwa(200), "Boot 9");
    EXPECT_EQ(db.Get_Nazwa(255), "Boot 9");
    EXPECT_EQ(db.Get_Nazwa(0), "Boot 0");
}

TEST_F(BazaFile, NewObjectIsEmpty)
{
    EXPECT_EQ(db.Count(), 0);
    EXPECT_EQ(db.Get_Nazwa(0), "");
    EXPECT_EQ(db.Get_ID(0), 0);
    EXPECT_EQ(db.Get_Kolor(3), "");
    EXPECT_FALSE(db.Zapisz(dir.file("x.bin")));
    EXPECT_FALSE(Baza::File_Exists(dir.file("x.bin")));
}

TEST_F(BazaFile, FourLetterNameRoundTrips)
{
    auto records = TestData::boots(1);
    records[0].Nazwa = "Abcd";
    const std::string path = write(TestData::bootsFile(records));
    ASSERT_TRUE(db.Wczytaj(path));
    EXPECT_EQ(db.Get_Nazwa(0), "Abcd");
    ASSERT_TRUE(db.Zapisz(""));
    const Bytes saved = TestData::readFile(path);
    const Bytes expected = TestData::bootsFile(records);
    EXPECT_EQ(Bytes(saved.begin() + 32, saved.begin() + 96),
              Bytes(expected.begin() + 32, expected.begin() + 96));
}

TEST_F(BazaFile, FileExistsSeesFilesAndFolders)
{
    EXPECT_TRUE(Baza::File_Exists(dir.path()));
    EXPECT_FALSE(Baza::File_Exists(dir.file("nothing")));
}

TEST(BazaCount, RoundsTiesToEven)
{
    EXPECT_EQ(Baza::recordCountFor(584), 2);
    EXPECT_EQ(Baza::recordCountFor(438), 2);
    EXPECT_EQ(Baza::recordCountFor(730), 2);
    EXPECT_EQ(Baza::recordCountFor(146), 0);
    EXPECT_EQ(Baza::recordCountFor(147), 1);
    EXPECT_EQ(Baza::recordCountFor(1022), 4); // 3.5 records
}

struct BadHeader
{
    const char *what;
    Bytes bytes;
    friend void PrintTo(const BadHeader &c, std::ostream *os) { *os << c.what; }
};

Bytes headerWith(std::size_t offset, std::int32_t value)
{
    Bytes data = TestData::bootsFile(TestData::boots(2));
    TestData::putInt32(data, offset, value);
    return data;
}

Bytes textWithoutEnd(std::size_t fieldOffset, std::size_t width)
{
    Bytes data = TestData::bootsFile(TestData::boots(2));
    for (std::size_t i = 0; i < width; ++i)
        data[32 + 292 + fieldOffset + i] = 'x';
    return data;
}

class BazaRejects : public testing::TestWithParam<BadHeader>
{
};

TEST_P(BazaRejects, MalformedFile)
{
    Baza db;
    EXPECT_FALSE(db.load(GetParam().bytes)) << GetParam().what;
    EXPECT_EQ(db.Count(), 0);
    EXPECT_FALSE(db.errorString().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Headers, BazaRejects,
    testing::Values(BadHeader{"word 0", headerWith(0, 2)}, BadHeader{"word 1", headerWith(4, 9)},
                    BadHeader{"word 2", headerWith(8, 33)},
                    BadHeader{"word 4 zero", headerWith(16, 0)},
                    BadHeader{"word 5", headerWith(20, 1)}, BadHeader{"word 6", headerWith(24, 1)},
                    BadHeader{"word 7", headerWith(28, -1)},
                    BadHeader{"no data", headerWith(12, 0)},
                    BadHeader{"negative data", headerWith(12, -292)},
                    BadHeader{"rounds to zero", headerWith(12, 146)},
                    BadHeader{"more records than the file holds", headerWith(12, 3 * 292)},
                    BadHeader{"huge data length", headerWith(12, 0x7FFFFFFF)},
                    BadHeader{"short header", Bytes(31, 0)},
                    BadHeader{"name without end", textWithoutEnd(0, 64)},
                    BadHeader{"material without end", textWithoutEnd(76, 129)},
                    BadHeader{"colour without end", textWithoutEnd(205, 87)}),
    CaseName::by([](const auto &c) { return std::string(c.what); }));

} // namespace
