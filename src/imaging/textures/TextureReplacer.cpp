#include "TextureReplacer.h"

#include "ExportMark.h"
#include "TextureImage.h"
#include "common/FileIo.h"
#include "common/Reason.h"
#include "imaging/dds/DdsEncoder.h"
#include "imaging/dds/DdsLayout.h"
#include "imaging/pictures/PictureReader.h"
#include "imaging/pictures/PictureResize.h"

#include <algorithm>
#include <cstring>

namespace TextureReplacer {

bool entryLayout(const Bytes &archive, const ArchiveEntry &entry, DdsLayout &layout,
                 ReasonOut error)
{
    if (!entry.liesWithin(archive.size(), error))
        return false;
    Reason problem;
    if (DdsLayout::read(archive.data() + entry.textureOffset(),
                        static_cast<std::size_t>(entry.textureLength()), layout, &problem))
        return true;
    return error.fail(Reason(Reasons::Id::EntryNotDds, {problem}));
}

bool replace(Bytes &archive, const ArchiveEntry &entry, const Picture &picture, ReasonOut error)
{
    DdsLayout layout;
    if (!entryLayout(archive, entry, layout, error))
        return false;
    // Encoded into a copy of the texture first, so that a failure leaves the archive as it was.
    const auto texture = archive.begin() + entry.textureOffset();
    Bytes encoded(texture, texture + static_cast<std::ptrdiff_t>(layout.pixelsEnd()));
    if (!DdsEncoder::encode(layout, picture, encoded.data(), error))
        return false;
    std::copy(encoded.begin() + static_cast<std::ptrdiff_t>(layout.pixelsBegin()), encoded.end(),
              texture + static_cast<std::ptrdiff_t>(layout.pixelsBegin()));
    return true;
}

bool ddsFits(const Bytes &archive, const ArchiveEntry &entry, const Bytes &dds, ReasonOut error)
{
    DdsLayout layout;
    return ddsFits(archive, entry, dds, layout, error);
}

bool ddsFits(const Bytes &archive, const ArchiveEntry &entry, const Bytes &dds, DdsLayout &layout,
             ReasonOut error)
{
    if (!entryLayout(archive, entry, layout, error))
        return false;
    DdsLayout given;
    Reason problem;
    if (!DdsLayout::read(dds.data(), dds.size(), given, &problem))
        return error.fail(Reason(Reasons::Id::DdsFileUnusable, {problem}));
    if (!given.sameLayout(layout))
        return error.fail(Reason(
            Reasons::Id::DdsFileOtherLayout,
            {given.formatName(), std::to_string(given.width), std::to_string(given.height),
             std::to_string(given.levels.size()), layout.formatName(),
             std::to_string(layout.width), std::to_string(layout.height),
             std::to_string(layout.levels.size())}));
    return true;
}

bool replaceWithDds(Bytes &archive, const ArchiveEntry &entry, const Bytes &dds, ReasonOut error)
{
    DdsLayout layout;
    if (!ddsFits(archive, entry, dds, layout, error))
        return false;
    std::copy(dds.begin() + static_cast<std::ptrdiff_t>(layout.pixelsBegin()),
              dds.begin() + static_cast<std::ptrdiff_t>(layout.pixelsEnd()),
              archive.begin() + entry.textureOffset() +
                  static_cast<std::ptrdiff_t>(layout.pixelsBegin()));
    return true;
}

namespace {

// The picture of `file` at the entry's size: read at that size, or at its own and resized.
bool readPicture(const Bytes &file, const std::string &fileName, const DdsLayout &layout, Fit fit,
                 Picture &picture, ReasonOut error)
{
    const int width = static_cast<int>(layout.width);
    const int height = static_cast<int>(layout.height);
    if (fit == Fit::Exact)
        return TextureImage::readImage(file, fileName, width, height, picture, error);
    Picture read;
    return PictureReader::readAnySize(file.data(), file.size(), fileName, read, error) &&
           PictureResize::resize(read, width, height, picture, error);
}

} // namespace

bool refusedForSize(const Reason &error)
{
    return !error.isPlain() && error.id() == Reasons::Id::PictureOtherSize;
}

bool replaceFromFile(Bytes &archive, const ArchiveEntry &entry, const Bytes &file,
                     const std::string &fileName, ReasonOut error, bool *changed, Fit fit)
{
    Bytes before;
    if (!entryTexture(archive, entry, before, error))
        return false;
    if (isDds(file)) {
        if (!replaceWithDds(archive, entry, file, error))
            return false;
    } else if (ExportMark::untouched(file, before.data(), before.size())) {
        // A picture an export made of this very texture, not edited since: nothing to decode.
        if (changed)
            *changed = false;
        return true;
    } else {
        DdsLayout layout;
        Picture picture;
        if (!entryLayout(archive, entry, layout, error) ||
            !readPicture(file, fileName, layout, fit, picture, error))
            return false;
        // An untouched picture costs a decoding, not an encoding.
        Picture held;
        if (TextureImage::decodeEntry(archive, entry, held, nullptr) &&
            held.pixels == picture.pixels) {
            if (changed)
                *changed = false;
            return true;
        }
        if (!replace(archive, entry, picture, error))
            return false;
    }
    if (changed)
        *changed =
            !std::equal(before.begin(), before.end(),
                        archive.begin() + static_cast<std::ptrdiff_t>(entry.textureOffset()));
    return true;
}

bool readFile(const std::string &path, Bytes &file, ReasonOut error, FileIo::Links links)
{
    static_assert(kMaxFileBytes == FileIo::kMaxReadBytes, "the reader's cap is the picture's");
    return FileIo::readFile(path, file, error, links);
}

bool entryTexture(const Bytes &archive, const ArchiveEntry &entry, Bytes &dds, ReasonOut error)
{
    if (!entry.liesWithin(archive.size(), error))
        return false;
    const auto texture = archive.begin() + entry.textureOffset();
    dds.assign(texture, texture + entry.textureLength());
    return true;
}

bool isDds(const Bytes &file)
{
    return file.size() >= 4 && std::memcmp(file.data(), "DDS ", 4) == 0;
}

} // namespace TextureReplacer
