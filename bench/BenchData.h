#pragma once
// Inputs shared by the benchmarks.
#include "TestData.h"

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

} // namespace BenchData
