#pragma once
// Inputs shared by the benchmarks.
#include "TestData.h"

#include <algorithm>
#include <random>

namespace BenchData {

/// A boots database of 255 records.
inline TestData::Bytes boots255()
{
    return TestData::bootsFile(TestData::boots(255));
}

/// About 16 MiB that compress like a texture archive: DXT blocks with a few recurring
/// colour end points and noisy indices.
inline TestData::Bytes archiveLike()
{
    std::mt19937 random(42);
    TestData::Bytes out;
    out.reserve(16u << 20);
    while (out.size() < (16u << 20)) {
        const std::uint8_t endpoint = static_cast<std::uint8_t>(random() % 16);
        const auto indices = static_cast<std::uint32_t>(random());
        const std::uint8_t block[16] = {255,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        endpoint,
                                        0x80,
                                        0,
                                        0x10,
                                        static_cast<std::uint8_t>(indices),
                                        static_cast<std::uint8_t>(indices >> 8),
                                        static_cast<std::uint8_t>(indices >> 16),
                                        static_cast<std::uint8_t>(indices >> 24)};
        out.insert(out.end(), block, block + 16);
    }
    return out;
}

/// About 16 MiB: 256 x 256 DXT5 entries with `levels` mipmap levels whose blocks compress like
/// a game archive's.
inline TestData::Bytes archive16MiB(int levels)
{
    constexpr int side = 256;
    const TestData::Bytes blocks = archiveLike();
    const TestData::Bytes header =
        TestData::ddsHeader(TestData::DdsFormat::Dxt5, side, side, levels);
    std::size_t levelBytes = 0;
    for (int i = 0, at = side; i < levels; ++i, at /= 2)
        levelBytes += static_cast<std::size_t>(std::max(1, at / 4) * std::max(1, at / 4) * 16);
    std::vector<TestData::ArchiveEntry> entries;
    for (std::size_t at = 0; at + levelBytes <= blocks.size(); at += levelBytes) {
        TestData::Bytes dds = header;
        dds.insert(dds.end(), blocks.begin() + static_cast<std::ptrdiff_t>(at),
                   blocks.begin() + static_cast<std::ptrdiff_t>(at + levelBytes));
        entries.push_back({"e" + std::to_string(entries.size() % 1000), dds});
    }
    return TestData::textureArchive(entries);
}

} // namespace BenchData
