#include "CaseName.h"
#include "common/FileIo.h"
#include "container/PesZlib.h"

#include "TempDir.h"
#include "TestData.h"

#include <gtest/gtest.h>
#include <random>
#include <zlib.h>

using TestData::Bytes;

namespace {

Bytes randomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes out(n);
    for (auto &b : out)
        b = static_cast<std::uint8_t>(random());
    return out;
}

class PesZlibFiles : public testing::Test
{
protected:
    TempDir programDir;
    TempDir gameDir;
    PesZlib zlib{programDir.path()};
};

TEST_F(PesZlibFiles, WrapThenUnwrapGivesTheSameBytes)
{
    for (std::size_t size : {std::size_t{1}, std::size_t{100}, std::size_t{70000}}) {
        const Bytes plain = randomBytes(size, static_cast<unsigned>(size));
        const std::string path = gameDir.file("data.bin");
        TestData::writeFile(path, plain);
        ASSERT_TRUE(zlib.PackWesys(path)) << zlib.errorString();
        const Bytes wrapped = TestData::readFile(path + ".zlib");
        EXPECT_EQ(Bytes(wrapped.begin(), wrapped.begin() + 8),
                  (Bytes{0x00, 0x01, 0x01, 'W', 'E', 'S', 'Y', 'S'}));
        EXPECT_EQ(TestData::getInt32(wrapped, 8), static_cast<std::int32_t>(wrapped.size() - 16));
        EXPECT_EQ(TestData::getInt32(wrapped, 12), static_cast<std::int32_t>(size));

        const std::string copy = gameDir.file("copy.bin");
        TestData::writeFile(copy, wrapped);
        ASSERT_TRUE(zlib.UnpackWesys(copy)) << zlib.errorString();
        EXPECT_EQ(TestData::readFile(copy + ".unzlib"), plain);
        EXPECT_EQ(programDir.listing(), "") << "the scratch file must not outlive unwrapping";
    }
}

TEST_F(PesZlibFiles, StreamIsZlibDefaultCompression)
{
    const Bytes plain = TestData::bootsFile(TestData::boots(10));
    const std::string path = gameDir.file("b.bin");
    TestData::writeFile(path, plain);
    ASSERT_TRUE(zlib.PackWesys(path));
    EXPECT_EQ(TestData::readFile(path + ".zlib"), TestData::wesys(plain));
}

TEST_F(PesZlibFiles, WrappingTwiceGivesTheSameBytes)
{
    const std::string path = gameDir.file("temp.bin");
    TestData::writeFile(path, TestData::bootsFile(TestData::boots(3)));
    ASSERT_TRUE(zlib.PackWesys(path));
    const Bytes first = TestData::readFile(path + ".zlib");
    ASSERT_TRUE(zlib.PackWesys(path));
    EXPECT_EQ(TestData::readFile(path + ".zlib"), first);
}

TEST_F(PesZlibFiles, UnwrappingIgnoresTheFirstTwelveBytes)
{
    Bytes wrapped = TestData::wesys(TestData::Bytes{5, 6, 7});
    for (int i = 0; i < 12; ++i)
        wrapped[static_cast<std::size_t>(i)] = 0xFF;
    const std::string path = gameDir.file("odd.bin");
    TestData::writeFile(path, wrapped);
    ASSERT_TRUE(zlib.UnpackWesys(path));
    EXPECT_EQ(TestData::readFile(path + ".unzlib"), (Bytes{5, 6, 7}));
}

TEST_F(PesZlibFiles, EmptyPathUsesTheRememberedPathOfEachOperation)
{
    const std::string packed = gameDir.file("p.bin");
    const std::string unpacked = gameDir.file("u.bin");
    TestData::writeFile(packed, Bytes{1, 2});
    TestData::writeFile(unpacked, TestData::wesys(Bytes{3, 4}));
    ASSERT_TRUE(zlib.PackWesys(packed));
    ASSERT_TRUE(zlib.UnpackWesys(unpacked));
    TestData::writeFile(packed, Bytes{9});
    FileIo::removeFile(unpacked + ".unzlib");
    ASSERT_TRUE(zlib.PackWesys(""));
    ASSERT_TRUE(zlib.UnpackWesys(""));
    PesZlib reader(programDir.path());
    Bytes plain;
    ASSERT_TRUE(reader.unwrap(TestData::readFile(packed + ".zlib"), plain));
    EXPECT_EQ(plain, (Bytes{9}));
    EXPECT_EQ(TestData::readFile(unpacked + ".unzlib"), (Bytes{3, 4}));
}

TEST_F(PesZlibFiles, WrappingAMissingFileFailsAndKeepsTheOldOutput)
{
    const std::string path = gameDir.file("gone.bin");
    TestData::writeFile(path + ".zlib", Bytes{42});
    EXPECT_FALSE(zlib.PackWesys(path));
    EXPECT_FALSE(zlib.errorString().empty());
    EXPECT_EQ(TestData::readFile(path + ".zlib"), (Bytes{42}));
}

TEST_F(PesZlibFiles, WrappingAnEmptyFileWorks)
{
    const std::string path = gameDir.file("empty.bin");
    TestData::writeFile(path, Bytes{});
    ASSERT_TRUE(zlib.PackWesys(path));
    const Bytes wrapped = TestData::readFile(path + ".zlib");
    EXPECT_EQ(TestData::getInt32(wrapped, 12), 0);
}

struct BadContainer
{
    const char *what;
    Bytes bytes;
    friend void PrintTo(const BadContainer &c, std::ostream *os) { *os << c.what; }
};

Bytes withPlainLength(Bytes wrapped, std::int32_t length)
{
    TestData::putInt32(wrapped, 12, length);
    return wrapped;
}

Bytes zipBomb()
{
    // 64 MiB of zeros, declared as 1 KiB.
    return withPlainLength(TestData::wesys(Bytes(64u << 20, 0)), 1024);
}

class PesZlibRejects : public testing::TestWithParam<BadContainer>
{
};

TEST_P(PesZlibRejects, LeavesNothingBehind)
{
    TempDir programDir;
    TempDir gameDir;
    PesZlib zlib(programDir.path());
    const std::string path = gameDir.file("bad.bin");
    TestData::writeFile(path, GetParam().bytes);
    EXPECT_FALSE(zlib.UnpackWesys(path)) << GetParam().what;
    EXPECT_FALSE(zlib.errorString().empty());
    EXPECT_EQ(gameDir.listing(), "bad.bin");
    EXPECT_EQ(programDir.listing(), "");

    Bytes plain;
    EXPECT_FALSE(zlib.unwrap(GetParam().bytes, plain));
    EXPECT_TRUE(plain.empty());
}

const Bytes kGood = TestData::wesys(TestData::bootsFile(TestData::boots(4)));

INSTANTIATE_TEST_SUITE_P(
    Malformed, PesZlibRejects,
    testing::Values(BadContainer{"empty", {}},
                    BadContainer{"15 bytes", Bytes(kGood.begin(), kGood.begin() + 15)},
                    BadContainer{"zero length", withPlainLength(kGood, 0)},
                    BadContainer{"negative length", withPlainLength(kGood, -5)},
                    BadContainer{"huge length", withPlainLength(kGood, 0x7FFFFFF0)},
                    BadContainer{"more than the data can expand to",
                                 withPlainLength(kGood, 200 << 20)},
                    BadContainer{"length too small", withPlainLength(kGood, 100)},
                    BadContainer{"length too large", withPlainLength(kGood, 10000)},
                    BadContainer{"truncated stream", Bytes(kGood.begin(), kGood.end() - 20)},
                    BadContainer{"not zlib", Bytes(64, 0x55)}, BadContainer{"zip bomb", zipBomb()}),
    CaseName::by([](const auto &c) { return std::string(c.what); }));

TEST(PesZlibFailures, UnreadableFileFails)
{
    TempDir programDir;
    PesZlib zlib(programDir.path());
    EXPECT_FALSE(zlib.UnpackWesys(programDir.file("missing.bin")));
    EXPECT_FALSE(zlib.UnpackWesys(programDir.path())); // a folder
    EXPECT_EQ(programDir.listing(), "");
}

TEST(PesZlibBytes, CompressCapacityIsOnePercentPlusTwelve)
{
    PesZlib zlib("");
    Bytes buffer = randomBytes(100, 1);
    const Bytes original = buffer;
    ASSERT_TRUE(zlib.CompressBytes(buffer));
    std::int32_t size = 100;
    ASSERT_TRUE(zlib.UncompressBytes(buffer, size));
    EXPECT_EQ(size, 100);
    EXPECT_EQ(buffer, original);
}

TEST(PesZlibBytes, UncompressReportsTheRealLength)
{
    PesZlib zlib("");
    Bytes buffer = {1, 2, 3};
    ASSERT_TRUE(zlib.CompressBytes(buffer));
    std::int32_t size = 50; // a larger area than needed
    ASSERT_TRUE(zlib.UncompressBytes(buffer, size));
    EXPECT_EQ(size, 3);
    EXPECT_EQ(buffer, (Bytes{1, 2, 3}));
}

TEST(PesZlibFilesInner, CompressFileWritesASizePrefixedStream)
{
    TempDir dir;
    PesZlib zlib(dir.path());
    TestData::writeFile(dir.file("plain"), Bytes{4, 5, 6, 7});
    ASSERT_TRUE(zlib.CompressFile(dir.file("plain"), dir.file("inner")));
    const Bytes inner = TestData::readFile(dir.file("inner"));
    EXPECT_EQ(TestData::getInt32(inner, 0), 4);
    ASSERT_TRUE(zlib.UncompressFile(dir.file("inner"), dir.file("back")));
    EXPECT_EQ(TestData::readFile(dir.file("back")), (Bytes{4, 5, 6, 7}));
}

} // namespace
