#pragma once
// What the pack rule tests share: a small texture of a given red, an archive of two entries
// holding it, and a texture check that takes everything.
#include "TestData.h"
#include "archive/ArchiveEntry.h"
#include "common/Reason.h"

namespace PackSamples {

using TestData::Bytes;

inline Bytes texture(std::uint8_t red)
{
    return TestData::dds(TestData::DdsFormat::Rgba32, 4, 4, {red, 0, 0, 255});
}

/// Entry 0 (named `first`) holds texture(red), entry 1 texture(7).
inline Bytes archiveWith(std::uint8_t red, const char *first = "ab01")
{
    return TestData::textureArchive({{first, texture(red)}, {"ab02", texture(7)}});
}

inline bool fits(const Bytes &, const ArchiveEntry &, const Bytes &, ReasonOut)
{
    return true;
}

} // namespace PackSamples
