#pragma once
// A boot pack: the changes one modder made to a boots file and its texture archives, field by
// field and entry by entry, each with what it replaced, so that another player can apply them
// to files that others have changed too (PackMerge) and take them back out. PackFile reads and
// writes it as one zip file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// One field of one boot: its value before and after, as the boots table shows it (UTF-8 text
/// or the number in decimals), under the table's column name.
struct PackFieldChange
{
    std::string key;
    std::string before;
    std::string after;
    bool operator==(const PackFieldChange &) const = default;
};

/// The changed fields of the boot at `position` (from 0, in file order).
struct PackBootChange
{
    std::size_t position = 0;
    std::string name; ///< the boot's name in the base file (UTF-8)
    std::vector<PackFieldChange> fields;
    /// The boot's ID in the base file; packs of format 1 do not record it. With the name it
    /// tells whether the receiver's boot at `position` is the boot the pack was made for.
    std::optional<std::int32_t> id = std::nullopt;
    bool operator==(const PackBootChange &) const = default;
};

/// One entry of a texture archive: the texture (the DDS after the 16-byte entry header) that
/// it held and the one it holds in the pack, both whole, with their fingerprints.
struct PackTextureChange
{
    std::string archive; ///< the archive's file name ("unnamed_5756.bin")
    std::int32_t entry = 0;
    std::string entryName; ///< the entry's 4-character name (UTF-8)
    std::string beforeFingerprint;
    std::string afterFingerprint;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
    bool operator==(const PackTextureChange &) const = default;
};

/// What an archive is known by, whatever its file name: the number of its entries and the
/// fingerprint of their names in order (ArchiveIdentity).
struct PackArchiveTable
{
    std::int32_t entries = 0;
    std::string names;
    bool operator==(const PackArchiveTable &) const = default;
};

/// A file the pack was made from: its file name and the fingerprint of its plain contents;
/// an archive also by its entry table (packs of format 1 do not record it).
struct PackBase
{
    std::string name;
    std::string fingerprint;
    std::optional<PackArchiveTable> table = std::nullopt;
    bool operator==(const PackBase &) const = default;
};

struct PackManifest
{
    /// Format 2 adds the boots' IDs and the archives' entry tables; format 1 is still read.
    static constexpr int kFormat = 2;
    static constexpr int kOldestFormat = 1;
    int format = kFormat;
    std::string title;
    std::string author;
    std::string description;
    std::string program; ///< the program and version that made it
    std::string date;    ///< when it was made, ISO 8601 in UTC
    PackBase boots;
    std::vector<PackBase> archives;
    bool operator==(const PackManifest &) const = default;
};

struct Pack
{
    PackManifest manifest;
    std::vector<PackBootChange> boots;
    std::vector<PackTextureChange> textures;
    bool operator==(const Pack &) const = default;

    /// How many fields the pack changes, over all its boots.
    std::size_t fieldCount() const
    {
        std::size_t n = 0;
        for (const PackBootChange &b : boots)
            n += b.fields.size();
        return n;
    }
};
