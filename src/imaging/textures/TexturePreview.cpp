#include "TexturePreview.h"

#include "TextureImage.h"
#include "common/Ansi.h"
#include "common/FileIo.h"
#include "imaging/dds/DdsCheck.h"
#include "imaging/pictures/PictureWriter.h"

TexturePreview::TexturePreview(std::string programFolder) : mProgramFolder(std::move(programFolder))
{
}

bool TexturePreview::fail(const Reason &reason)
{
    mError = reason;
    return false;
}

bool TexturePreview::checkName(const std::string &ansiName, ReasonOut error)
{
    const Reason problem = nameProblemOf(ansiName);
    return problem.empty() || error.fail(problem);
}

Reason TexturePreview::nameProblemOf(const std::string &ansiName)
{
    using Reasons::Id;
    if (ansiName.empty())
        return Reason(Id::EntryNoName);
    if (ansiName == "." || ansiName == "..")
        return Reason(Id::EntryNameNotFileName, {"\"" + ansiName + "\""});
    for (unsigned char c : ansiName) {
        if (c < 0x20 || c == 0x7F)
            return Reason(Id::EntryNameControlCharacters);
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|')
            return Reason(Id::EntryNameForbiddenCharacters);
    }
    if (ansiName.back() == ' ' || ansiName.back() == '.')
        return Reason(Id::EntryNameEndsInSpaceOrDot);
    return {};
}

TexturePreview::~TexturePreview()
{
    removeFiles();
}

void TexturePreview::removeFiles()
{
    if (!mLastBitmap.empty())
        FileIo::removeFile(mLastBitmap);
    mLastBitmap.clear();
}

bool TexturePreview::run(const std::string &archivePath, const ArchiveEntry &at,
                         std::string &bitmapPath, Picture *picture)
{
    mError.clear();
    mEntryName.clear();
    bitmapPath.clear();
    Reason error;

    FileIo::Bytes nameBytes;
    if (at.nameOffset < 0 ||
        !FileIo::readFileRange(archivePath, static_cast<std::uint64_t>(at.nameOffset),
                               ArchiveEntry::kNameLength, nameBytes, &error))
        return fail(Reason(Reasons::Id::EntryNameOutside));
    mEntryName.assign(nameBytes.begin(), nameBytes.end());
    if (!checkName(mEntryName, &error))
        return fail(error);
    const std::string entryFile = FileIo::join(mProgramFolder, Ansi::toUtf8(mEntryName));
    const std::string bitmapFile = entryFile + ".bmp";

    FileIo::Bytes entry;
    if (at.textureLength() == 0)
        return fail(Reason(Reasons::Id::EntryNoTexture));
    if (at.dataOffset < 0 ||
        !FileIo::readFileRange(archivePath, static_cast<std::uint64_t>(at.dataOffset),
                               static_cast<std::uint64_t>(at.length), entry, &error))
        return fail(Reason(Reasons::Id::EntryOutside));
    if (!FileIo::writeFile(entryFile, entry, &error))
        return fail(error);
    const std::uint8_t *texture = entry.data() + ArchiveEntry::kHeaderSize;
    const auto textureSize = static_cast<std::size_t>(at.textureLength());
    if (!DdsCheck::check(texture, textureSize, &error)) {
        FileIo::removeFile(entryFile);
        return fail(error);
    }

    // Decoded as an export decodes it, so that the preview shows exactly what an export writes.
    Picture decoded;
    if (!TextureImage::decodeDds(texture, textureSize, decoded, &error)) {
        FileIo::removeFile(entryFile);
        return fail(error);
    }
    // Replace the previous preview's bitmap with this one.
    if (!mLastBitmap.empty())
        FileIo::removeFile(mLastBitmap);
    mLastBitmap.clear();
    FileIo::Bytes bitmap;
    const bool saved = PictureWriter::encodeBmp(decoded, bitmap, &error) &&
                       FileIo::writeFile(bitmapFile, bitmap, &error);
    FileIo::removeFile(entryFile);
    if (!saved)
        return fail(error);
    if (picture)
        *picture = std::move(decoded);
    mLastBitmap = bitmapFile;
    bitmapPath = bitmapFile;
    return true;
}
