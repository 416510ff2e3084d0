#include "TexturePreview.h"

#include "TextureImage.h"
#include "common/Ansi.h"
#include "common/FileIo.h"
#include "imaging/dds/DdsCheck.h"
#include "imaging/pictures/MFreeImage.h"

TexturePreview::TexturePreview(std::string programFolder) : mProgramFolder(std::move(programFolder))
{
}

bool TexturePreview::fail(const std::string &reason)
{
    mError = reason;
    return false;
}

bool TexturePreview::checkName(const std::string &ansiName, ReasonOut error)
{
    const std::string problem = nameProblemOf(ansiName);
    return problem.empty() || error.fail(problem);
}

std::string TexturePreview::nameProblemOf(const std::string &ansiName)
{
    if (ansiName.empty())
        return "the entry has no name";
    if (ansiName == "." || ansiName == "..")
        return "the entry name \"" + ansiName + "\" is not a file name";
    for (unsigned char c : ansiName) {
        if (c < 0x20 || c == 0x7F)
            return "the entry name holds control characters";
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|')
            return "the entry name holds characters a file name cannot hold";
    }
    if (ansiName.back() == ' ' || ansiName.back() == '.')
        return "the entry name ends in a space or a dot";
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
    std::string error;

    FileIo::Bytes nameBytes;
    if (at.nameOffset < 0 ||
        !FileIo::readFileRange(archivePath, static_cast<std::uint64_t>(at.nameOffset),
                               ArchiveEntry::kNameLength, nameBytes, &error))
        return fail("the entry name lies outside the archive");
    mEntryName.assign(nameBytes.begin(), nameBytes.end());
    if (!checkName(mEntryName, &error))
        return fail(error);
    const std::string entryFile = FileIo::join(mProgramFolder, Ansi::toUtf8(mEntryName));
    const std::string bitmapFile = entryFile + ".bmp";

    FileIo::Bytes entry;
    if (at.textureLength() == 0)
        return fail("the entry holds no texture");
    if (at.dataOffset < 0 ||
        !FileIo::readFileRange(archivePath, static_cast<std::uint64_t>(at.dataOffset),
                               static_cast<std::uint64_t>(at.length), entry, &error))
        return fail("the entry lies outside the archive");
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
    MFreeImage::ensureInitialised();
    FIBITMAP *bitmap = MFreeImage::fromPicture(decoded);
    const bool saved =
        bitmap && MFreeImage::FreeImage_SaveBitmap(FIF_BMP, bitmap, bitmapFile.c_str(), 0);
    if (bitmap)
        FreeImage_Unload(bitmap);
    FileIo::removeFile(entryFile);
    if (!saved) {
        FileIo::removeFile(bitmapFile);
        return fail("the bitmap could not be written");
    }
    if (picture)
        *picture = std::move(decoded);
    mLastBitmap = bitmapFile;
    bitmapPath = bitmapFile;
    return true;
}
