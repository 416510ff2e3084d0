#pragma once
// Builds small game files for tests, benchmarks and the demo sample: plain and wrapped boots
// databases, texture archives and DDS textures. It writes the formats on its own (not
// through the code under test), so a fault in the program's writer cannot hide itself.
#include "boots/BootRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace TestData {

using Bytes = std::vector<std::uint8_t>;

/// An invented boot: name "Boot <i>", a known maker code, statistics 1..5.
BootRecord boot(int i);
std::vector<BootRecord> boots(int count);

/// A plain boots file: the 32-byte header and 292-byte records.
Bytes bootsFile(const std::vector<BootRecord> &records);
/// The same header, but with any data length (for malformed files).
Bytes bootsHeader(std::int32_t dataLength);

/// Wraps plain bytes in the WESYS container with zlib's compress.
Bytes wesys(const Bytes &plain);
/// The plain contents of a WESYS container (zlib's uncompress on the stream at offset 16).
Bytes unwrap(const Bytes &container);

struct ArchiveEntry
{
    std::string name; ///< the 4-character entry name
    Bytes texture;    ///< the DDS file that follows the 16-byte entry header
};
/// A plain texture archive: entry count, a second word, the table, then each entry's name
/// (at Nazwa + 11) and its data (a 16-byte entry header and the texture).
Bytes textureArchive(const std::vector<ArchiveEntry> &entries, std::int32_t secondWord = 0);

struct Rgba
{
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
};
enum class DdsFormat { Rgb24, Rgba32, Rgb565, Dxt1, Dxt3, Dxt5 };
/// A DDS texture of one colour; block formats are built from blocks computed here.
Bytes dds(DdsFormat format, int width, int height, Rgba colour);
/// Only the 128-byte DDS header (magic and header), with the given fields.
Bytes ddsHeader(DdsFormat format, int width, int height, int levels = 1);

void writeFile(const std::string &path, const Bytes &data);
Bytes readFile(const std::string &path);

void putInt32(Bytes &data, std::size_t offset, std::int32_t value);
std::int32_t getInt32(const Bytes &data, std::size_t offset);

} // namespace TestData
