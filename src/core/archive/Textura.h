#pragma once
// The table of contents of an unwrapped texture archive: an entry count, a second word that
// is ignored, then one row per entry (offset of its data, its length, and the position of
// its 4-byte name less 11), all signed 32-bit little-endian.
#include "common/Reason.h"

#include <cstdint>
#include <string>
#include <vector>

struct TextureEntry
{
    std::int32_t Offset = 0;
    std::int32_t Lenght = 0;
    std::int32_t Nazwa = 0;
    bool operator==(const TextureEntry &) const = default;
};

class Textura
{
public:
    using Bytes = std::vector<std::uint8_t>;

    virtual ~Textura() = default;

    const std::string &Path() const { return mPath; }
    void Path(const std::string &value) { mPath = value; }

    /// The fields of the entry that `index` designates: a negative index means entry 0 and
    /// one past the end the last entry. 0 when nothing is loaded.
    std::int32_t Get_Offset(std::int32_t index) const;
    std::int32_t Get_Lenght(std::int32_t index) const;
    std::int32_t Get_Nazwa(std::int32_t index) const;

    /// Reads the table of the archive at `path` (at Path() when empty; a non-empty path is
    /// remembered). A missing file is created empty. True when the archive has at least one
    /// entry. An archive whose table runs past the end of the file is refused (false, no
    /// entries) instead of being sized blindly.
    bool Wczytaj(const std::string &path);
    /// The same on an archive held in memory.
    bool load(const Bytes &archive);

    /// True when an archive's table can be read; otherwise (it runs past the end of the
    /// file) `*error` says why. An archive without entries is readable.
    static bool checkTable(const Bytes &archive, ReasonOut error);
    /// The same for an archive file; reads only its first four bytes.
    static bool checkFile(const std::string &path, ReasonOut error);

    std::int32_t Count() const { return static_cast<std::int32_t>(mEntries.size()); }
    bool Loaded() const { return mLoaded; }
    /// Why the last failing call failed, in English.
    std::string errorString() const { return mError.text(); }
    /// The same reason, for a window to word in the user's language.
    const Reason &errorReason() const { return mError; }

private:
    std::int32_t ResolveIndex(std::int32_t index) const;
    static Reason problemFor(std::int32_t count, std::uint64_t size);
    void readTable(const std::uint8_t *table, std::int32_t count);

    std::string mPath;
    bool mLoaded = false;
    std::vector<TextureEntry> mEntries;
    Reason mError;
};

/// The index of the second archive ("unnamed_2113.bin"): the same class under its own name.
class Textura2 : public Textura
{
};
