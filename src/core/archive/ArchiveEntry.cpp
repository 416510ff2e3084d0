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

bool ArchiveEntry::liesWithin(std::uint64_t archiveSize, ReasonOut error) const
{
    const auto size = static_cast<std::int64_t>(archiveSize);
    if (nameOffset < 0 || nameOffset + kNameLength > size)
        return error.fail(Reason(Reasons::Id::EntryNameOutside));
    if (length <= kHeaderSize)
        return error.fail(Reason(Reasons::Id::EntryNoTexture));
    if (dataOffset < 0 || dataOffset + length > size)
        return error.fail(Reason(Reasons::Id::EntryOutside));
    return true;
}

bool ArchiveEntry::readName(const std::vector<std::uint8_t> &archive, std::string &name,
                            ReasonOut error) const
{
    const auto size = static_cast<std::int64_t>(archive.size());
    if (nameOffset < 0 || nameOffset + kNameLength > size)
        return error.fail(Reason(Reasons::Id::EntryNameOutside));
    const auto begin = archive.begin() + nameOffset;
    name.assign(begin, begin + kNameLength);
    return true;
}
