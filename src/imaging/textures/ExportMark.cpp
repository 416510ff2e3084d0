#include "ExportMark.h"

#include "pack/Fingerprint.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <zlib.h>

namespace ExportMark {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr char kKeyword[] = "Cleatwork export"; // with its zero byte, the text's separator
// The archive's identity follows the fingerprints as " entries N names HEX", before the name:
// a program that knows no identity still reads the name after kArchive. The rest of the text
// is the archive's name, spaces and all.
constexpr std::string_view kEntries = " entries ";
constexpr std::string_view kNames = " names ";
constexpr std::string_view kArchive = " archive ";

std::uint32_t readBig(const std::uint8_t *p)
{
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
           std::uint32_t{p[3]};
}

void putBig(Bytes &out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// FNV-1a, 64 bits: a fingerprint against accidental change, not against forgery (a file made
// to fool it only fools the user who made it).
struct Fingerprint
{
    std::uint64_t value = 14695981039346656037ULL;
    void add(const std::uint8_t *data, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i)
            value = (value ^ data[i]) * 1099511628211ULL;
    }
    std::string hex() const
    {
        static const char *const digits = "0123456789abcdef";
        std::string out;
        for (int shift = 60; shift >= 0; shift -= 4)
            out += digits[(value >> shift) & 15];
        return out;
    }
};

struct Chunks
{
    std::string imageData; ///< fingerprint of the chunks that decide the pixels
    std::string mark;      ///< the mark's text, when there is one
    std::size_t end = 0;   ///< where the end chunk starts; 0 when there is none
};

// Walks the chunks of a PNG; false when the bytes are no whole PNG.
bool walk(const Bytes &png, Chunks &chunks)
{
    if (png.size() < 8 || !std::equal(std::begin(kSignature), std::end(kSignature), png.begin()))
        return false;
    Fingerprint image;
    for (std::size_t at = 8; png.size() - at >= 12;) {
        const std::uint32_t length = readBig(png.data() + at);
        if (length > png.size() - at - 12)
            return false;
        const std::uint8_t *type = png.data() + at + 4;
        const std::uint8_t *data = type + 4;
        const bool critical = (type[0] & 0x20) == 0;
        if (std::memcmp(type, "IEND", 4) == 0) {
            chunks.imageData = image.hex();
            chunks.end = at;
            return true;
        }
        if (critical || std::memcmp(type, "tRNS", 4) == 0) {
            image.add(type, 4);
            image.add(data, length);
        } else if (std::memcmp(type, "tEXt", 4) == 0 && length > sizeof kKeyword &&
                   std::memcmp(data, kKeyword, sizeof kKeyword) == 0) {
            chunks.mark.assign(data + sizeof kKeyword, data + length);
        }
        at += 12 + std::size_t{length};
    }
    return false;
}

std::string markText(const std::uint8_t *dds, std::size_t ddsSize, const std::string &imageData)
{
    Fingerprint texture;
    texture.add(dds, ddsSize);
    return "texture " + texture.hex() + " image " + imageData;
}

struct Parts
{
    std::string fingerprints;
    Origin origin;
};

// An identity that does not read as one is left out: the mark then counts as an older one.
std::optional<PackArchiveTable> tableOf(std::string_view text)
{
    const std::size_t names = text.find(kNames);
    PackArchiveTable table;
    const char *end = text.data() + std::min(names, text.size());
    const auto [at, ec] = std::from_chars(text.data(), end, table.entries);
    if (names == std::string_view::npos || ec != std::errc() || at != end || table.entries < 0)
        return std::nullopt;
    table.names = std::string(text.substr(names + kNames.size()));
    if (!::Fingerprint::isWellFormed(table.names))
        return std::nullopt;
    return table;
}

Parts split(const std::string &mark)
{
    Parts parts;
    const std::size_t name = mark.find(kArchive);
    const std::string_view head = std::string_view(mark).substr(0, name);
    if (name != std::string::npos)
        parts.origin.archive = mark.substr(name + kArchive.size());
    const std::size_t table = head.find(kEntries);
    parts.fingerprints = std::string(head.substr(0, table));
    if (table != std::string_view::npos)
        parts.origin.table = tableOf(head.substr(table + kEntries.size()));
    return parts;
}

bool sameName(const std::string &a, const std::string &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

Bytes marked(const Bytes &png, const std::uint8_t *dds, std::size_t ddsSize, const Origin &origin)
{
    Chunks chunks;
    if (!walk(png, chunks))
        return png;
    Bytes chunk;
    std::string text = markText(dds, ddsSize, chunks.imageData);
    if (origin.table)
        text += std::string(kEntries) + std::to_string(origin.table->entries) +
                std::string(kNames) + origin.table->names;
    if (!origin.archive.empty())
        text += std::string(kArchive) + origin.archive;
    putBig(chunk, static_cast<std::uint32_t>(sizeof kKeyword + text.size()));
    chunk.insert(chunk.end(), {'t', 'E', 'X', 't'});
    chunk.insert(chunk.end(), kKeyword, kKeyword + sizeof kKeyword);
    chunk.insert(chunk.end(), text.begin(), text.end());
    putBig(chunk, static_cast<std::uint32_t>(
                      crc32(0, chunk.data() + 4, static_cast<uInt>(chunk.size() - 4))));
    Bytes out(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(chunks.end));
    out.insert(out.end(), chunk.begin(), chunk.end());
    out.insert(out.end(), png.begin() + static_cast<std::ptrdiff_t>(chunks.end), png.end());
    return out;
}

bool untouched(const Bytes &file, const std::uint8_t *dds, std::size_t ddsSize)
{
    Chunks chunks;
    return walk(file, chunks) && !chunks.mark.empty() &&
           split(chunks.mark).fingerprints == markText(dds, ddsSize, chunks.imageData);
}

Origin originOf(const Bytes &file)
{
    Chunks chunks;
    return walk(file, chunks) ? split(chunks.mark).origin : Origin();
}

bool fits(const Origin &mark, const Origin &into, ReasonOut why)
{
    if (mark.archive.empty())
        return true;
    if (mark.table && into.table) {
        return *mark.table == *into.table ||
               why.fail(Reason(Reasons::Id::PictureFromOtherEntries, {mark.archive, into.archive}));
    }
    return sameName(mark.archive, into.archive) ||
           why.fail(Reason(Reasons::Id::PictureFromOtherArchive, {mark.archive, into.archive}));
}

} // namespace ExportMark
