#include "Textura.h"

#include "common/FileIo.h"
#include "common/LittleEndian.h"
#include "common/Reasons.h"

#include <algorithm>
#include <cstdio>

std::int32_t Textura::ResolveIndex(std::int32_t index) const
{
    if (!mLoaded || Count() <= 0)
        return -1;
    return std::clamp(index, 0, Count() - 1);
}

std::int32_t Textura::Get_Offset(std::int32_t index) const
{
    const std::int32_t i = ResolveIndex(index);
    return i < 0 ? 0 : mEntries[static_cast<std::size_t>(i)].Offset;
}

std::int32_t Textura::Get_Lenght(std::int32_t index) const
{
    const std::int32_t i = ResolveIndex(index);
    return i < 0 ? 0 : mEntries[static_cast<std::size_t>(i)].Lenght;
}

std::int32_t Textura::Get_Nazwa(std::int32_t index) const
{
    const std::int32_t i = ResolveIndex(index);
    return i < 0 ? 0 : mEntries[static_cast<std::size_t>(i)].Nazwa;
}

bool Textura::Wczytaj(const std::string &path)
{
    if (!path.empty())
        mPath = path;
    mEntries.clear();
    mLoaded = true;
    mError.clear();
    if (!FileIo::exists(mPath)) {
        // Opening a missing archive for reading creates it empty.
        if (!FileIo::writeFileAtomic(mPath, Bytes{}, &mError, FileIo::Sync::Cached))
            return false;
    }
    // Only the count and the table are read, not the entries' data.
    const std::int64_t size = FileIo::fileSize(mPath);
    Bytes head;
    if (size < 0 ||
        !FileIo::readFileRange(mPath, 0, std::min<std::int64_t>(size, 4), head, &mError))
        return false;
    if (head.size() < 4 || LittleEndian::readInt32(head.data()) < 1) {
        mError = Reason(Reasons::Id::ArchiveNoEntries);
        return false;
    }
    const std::int32_t count = LittleEndian::readInt32(head.data());
    mError = problemFor(count, static_cast<std::uint64_t>(size));
    if (!mError.empty())
        return false;
    Bytes table;
    if (!FileIo::readFileRange(mPath, 8, 12 * static_cast<std::uint64_t>(count), table, &mError))
        return false;
    readTable(table.data(), count);
    return true;
}

Reason Textura::problemFor(std::int32_t count, std::uint64_t size)
{
    if (count >= 1 && 8 + 12 * static_cast<std::uint64_t>(count) > size)
        return Reason(Reasons::Id::ArchiveTableTooLong, {std::to_string(count)});
    return {};
}

bool Textura::checkTable(const Bytes &archive, ReasonOut error)
{
    if (archive.size() < 4)
        return true;
    const Reason problem = problemFor(LittleEndian::readInt32(archive.data()), archive.size());
    return problem.empty() || error.fail(problem);
}

bool Textura::checkFile(const std::string &path, ReasonOut error)
{
    const std::int64_t size = FileIo::fileSize(path);
    Bytes head;
    Reason why;
    if (size < 0 || !FileIo::readFileRange(path, 0, std::min<std::int64_t>(size, 4), head, &why))
        return error.fail(why.empty() ? Reason(Reasons::Id::CannotReadArchive) : why);
    if (head.size() < 4)
        return true;
    const Reason problem =
        problemFor(LittleEndian::readInt32(head.data()), static_cast<std::uint64_t>(size));
    return problem.empty() || error.fail(problem);
}

void Textura::readTable(const std::uint8_t *table, std::int32_t count)
{
    mEntries.resize(static_cast<std::size_t>(count));
    const std::uint8_t *p = table;
    for (auto &entry : mEntries) {
        entry.Offset = LittleEndian::readInt32(p);
        entry.Lenght = LittleEndian::readInt32(p + 4);
        entry.Nazwa = LittleEndian::readInt32(p + 8);
        p += 12;
    }
}

bool Textura::load(const Bytes &archive)
{
    mEntries.clear();
    mLoaded = true;
    mError.clear();
    if (archive.size() < 4 || LittleEndian::readInt32(archive.data()) < 1) {
        mError = Reason(Reasons::Id::ArchiveNoEntries);
        return false;
    }
    if (!checkTable(archive, &mError))
        return false;
    readTable(archive.data() + 8, LittleEndian::readInt32(archive.data()));
    return true;
}
