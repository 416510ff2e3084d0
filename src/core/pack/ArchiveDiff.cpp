#include "ArchiveDiff.h"

#include "archive/ArchiveEntry.h"
#include "archive/Textura.h"
#include "common/Ansi.h"

#include <algorithm>
#include <cstring>

namespace ArchiveDiff {

namespace {

// The texture's bytes in place, or null when the entry does not lie inside the archive.
const std::uint8_t *texturePlace(const Bytes &archive, const Textura &index, std::int32_t entry,
                                 std::size_t &length)
{
    const ArchiveEntry place = ArchiveEntry::of(index, entry);
    if (!place.liesWithin(archive.size(), nullptr) || place.textureLength() == 0)
        return nullptr;
    length = static_cast<std::size_t>(place.textureLength());
    return archive.data() + place.textureOffset();
}

Textura indexOf(const Bytes &archive)
{
    Textura index;
    std::string unreadable;
    if (Textura::checkTable(archive, &unreadable))
        index.load(archive);
    return index;
}

std::string nameIn(const Bytes &archive, const Textura &index, std::int32_t entry)
{
    std::string name;
    if (entry < 0 || entry >= index.Count() ||
        !ArchiveEntry::of(index, entry).readName(archive, name, nullptr))
        return {};
    return Ansi::toUtf8(name.substr(0, name.find('\0')));
}

} // namespace

Result compare(const Bytes &a, const Bytes &b)
{
    const Textura indexA = indexOf(a);
    const Textura indexB = indexOf(b);
    Result result;
    result.countA = indexA.Count();
    result.countB = indexB.Count();
    const std::int32_t both = std::min(result.countA, result.countB);
    for (std::int32_t i = 0; i < both; ++i) {
        std::size_t lengthA = 0, lengthB = 0;
        const std::uint8_t *textureA = texturePlace(a, indexA, i, lengthA);
        const std::uint8_t *textureB = texturePlace(b, indexB, i, lengthB);
        const bool same = lengthA == lengthB && (lengthA == 0 || (textureA && textureB &&
                                                 std::memcmp(textureA, textureB, lengthA) == 0));
        if (!same)
            result.changed.push_back({i, nameIn(b, indexB, i)});
    }
    return result;
}

bool textureOf(const Bytes &archive, std::int32_t entry, Bytes &texture)
{
    const Textura index = indexOf(archive);
    if (entry < 0 || entry >= index.Count())
        return false;
    std::size_t length = 0;
    const std::uint8_t *place = texturePlace(archive, index, entry, length);
    if (!place)
        return false;
    texture.assign(place, place + length);
    return true;
}

std::string nameOf(const Bytes &archive, std::int32_t entry)
{
    return nameIn(archive, indexOf(archive), entry);
}

bool sameHeader(const Bytes &a, const Bytes &b)
{
    const std::size_t header = std::min({std::size_t{128}, a.size(), b.size()});
    return std::equal(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(header), b.begin());
}

} // namespace ArchiveDiff
