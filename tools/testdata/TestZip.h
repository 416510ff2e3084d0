#pragma once
// Zip files written entry by entry without the code under test, so that a test, a benchmark
// or a fuzz seed can hold any pack a stranger could send, hostile ones too.
#include <cstdint>
#include <string>
#include <vector>

namespace TestData {

struct ZipEntry
{
    std::string name;
    std::string data;
    std::int32_t method = 8; ///< deflate; 0 stores, 12 is bzip2
};

/// The zip of `entries` in their order, each under its name as given.
std::vector<std::uint8_t> zip(const std::vector<ZipEntry> &entries);

} // namespace TestData
