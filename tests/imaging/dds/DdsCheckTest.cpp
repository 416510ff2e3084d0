#include "imaging/dds/DdsCheck.h"

#include "TestData.h"

#include <cstring>
#include <gtest/gtest.h>

using TestData::Bytes;
using TestData::DdsFormat;

namespace {

bool ok(const Bytes &dds)
{
    std::string error;
    return DdsCheck::check(dds.data(), dds.size(), &error);
}

TEST(DdsCheck, AcceptsCompleteTexturesOfEveryFormat)
{
    for (DdsFormat f : {DdsFormat::Rgb24, DdsFormat::Rgba32, DdsFormat::Dxt1, DdsFormat::Dxt5}) {
        EXPECT_TRUE(ok(TestData::dds(f, 16, 8, {1, 2, 3, 4})));
        EXPECT_TRUE(ok(TestData::dds(f, 1, 1, {1, 2, 3, 4})));
        EXPECT_TRUE(ok(TestData::dds(f, 5, 3, {1, 2, 3, 4}))) << "sizes that are no block multiple";
    }
}

TEST(DdsCheck, RefusesTruncatedTextures)
{
    for (DdsFormat f : {DdsFormat::Rgb24, DdsFormat::Rgba32, DdsFormat::Dxt1, DdsFormat::Dxt5}) {
        Bytes dds = TestData::dds(f, 16, 16, {});
        dds.pop_back();
        EXPECT_FALSE(ok(dds));
    }
    EXPECT_FALSE(ok(Bytes(127, 0)));
}

TEST(DdsCheck, RefusesHugeAndEmptySizes)
{
    // The header of a 30000 x 30000 texture in a file of 65 KB.
    Bytes huge = TestData::ddsHeader(DdsFormat::Dxt1, 30000, 30000);
    huge.resize(65000, 0);
    EXPECT_FALSE(ok(huge));
    Bytes side = TestData::ddsHeader(DdsFormat::Dxt1, 16385, 4);
    side.resize(side.size() + 16385 * 2, 0);
    EXPECT_FALSE(ok(side));
    EXPECT_FALSE(ok(TestData::ddsHeader(DdsFormat::Rgb24, 0, 4)));
    Bytes negative = TestData::dds(DdsFormat::Rgb24, 4, 4, {});
    TestData::putInt32(negative, 12, -4);
    EXPECT_FALSE(ok(negative));
}

TEST(DdsCheck, RefusesWrongMagicHeaderSizeAndFormats)
{
    Bytes dds = TestData::dds(DdsFormat::Dxt5, 8, 8, {});
    Bytes magic = dds;
    magic[3] = 'X';
    EXPECT_FALSE(ok(magic));
    Bytes size = dds;
    TestData::putInt32(size, 4, 128);
    EXPECT_FALSE(ok(size));
    Bytes fourcc = dds;
    std::memcpy(fourcc.data() + 84, "ATI2", 4);
    EXPECT_FALSE(ok(fourcc));
    Bytes bits = TestData::dds(DdsFormat::Rgb24, 4, 4, {});
    TestData::putInt32(bits, 88, 12);
    EXPECT_FALSE(ok(bits));
    Bytes pitch = TestData::dds(DdsFormat::Rgb24, 4, 4, {});
    TestData::putInt32(pitch, 20, 1000); // rows further apart than the file holds
    EXPECT_FALSE(ok(pitch));
}

} // namespace
