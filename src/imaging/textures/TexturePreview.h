#pragma once
// The preview of one texture archive entry: the entry is cut out of the unwrapped archive
// into a working file named after the entry, its DDS texture (the entry without its 16-byte
// header) is checked, decoded at its true size (as an export decodes it) and written with
// as "<name>.bmp" in the program folder, for the window to show. Only files this
// object made are ever deleted.
#include "archive/ArchiveEntry.h"
#include "common/Reason.h"
#include "imaging/pictures/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

class TexturePreview
{
public:
    using Picture = ::Picture;

    explicit TexturePreview(std::string programFolder);
    /// Removes the kept bitmap.
    ~TexturePreview();
    TexturePreview(const TexturePreview &) = delete;
    TexturePreview &operator=(const TexturePreview &) = delete;

    /// Removes the bitmap of the last run, so that no preview file outlives the window.
    void removeFiles();

    /// Runs the preview of `entry` of the archive file. On success `bitmapPath` names the bitmap to
    /// show. On failure nothing outside the program folder is touched and the previous bitmap is
    /// gone only if a new one was made. With `picture`, the decoded picture that the bitmap holds
    /// is also handed back, so that a caller can show it without reading the bitmap again.
    bool run(const std::string &archivePath, const ArchiveEntry &entry, std::string &bitmapPath,
             Picture *picture = nullptr);

    /// The entry name read by the last run (Windows-1252), even when the run failed later.
    const std::string &entryName() const { return mEntryName; }
    /// The bitmap kept from the last successful run, or the empty text.
    const std::string &lastBitmap() const { return mLastBitmap; }
    std::string errorString() const { return mError.text(); }
    const Reason &errorReason() const { return mError; }

    /// True when a 4-character entry name can be a file name in the program folder;
    /// otherwise `*error` says why.
    static bool checkName(const std::string &ansiName, ReasonOut error);

private:
    bool fail(const Reason &reason);
    static Reason nameProblemOf(const std::string &ansiName);

    std::string mProgramFolder;
    std::string mEntryName;
    std::string mLastBitmap;
    Reason mError;
};
