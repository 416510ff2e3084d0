#include "ArchiveEntry.h"

ArchiveEntry ArchiveEntry::of(const TextureEntry &row)
{
    ArchiveEntry entry;
    entry.dataOffset = row.Offset;
    entry.length = row.Lenght;
    entry.nameOffset = static_cast<std::int64_t>(row.Nazwa) + kNameShift;
    return entry;
}

ArchiveEntry ArchiveEntry::of(const Textura &archive, std::int32_t index)
{
    TextureEntry row;
    row.Offset = archive.Get_Offset(index);
    row.Lenght = archive.Get_Lenght(index);
    row.Nazwa = archive.Get_Nazwa(index);
    return of(row);
}

bool ArchiveEntry::liesWithin(std::uint64_t archiveSize, std::string *error) const
{
    const auto size = static_cast<std::int64_t>(archiveSize);
    if (nameOffset < 0 || nameOffset + kNameLength > size) {
        if (error)
            *error = "the entry name lies outside the archive";
        return false;
    }
    if (length <= kHeaderSize) {
        if (error)
            *error = "the entry holds no texture";
        return false;
    }
    if (dataOffset < 0 || dataOffset + length > size) {
        if (error)
            *error = "the entry lies outside the archive";
        return false;
    }
    return true;
}

bool ArchiveEntry::readName(const std::vector<std::uint8_t> &archive, std::string &name,
                            std::string *error) const
{
    const auto size = static_cast<std::int64_t>(archive.size());
    if (nameOffset < 0 || nameOffset + kNameLength > size) {
        if (error)
            *error = "the entry name lies outside the archive";
        return false;
    }
    const auto begin = archive.begin() + nameOffset;
    name.assign(begin, begin + kNameLength);
    return true;
}
