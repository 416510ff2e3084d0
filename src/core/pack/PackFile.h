#pragma once
// A boot pack as one zip file ("NAME.cwpack"): "manifest.json", "changes.json" and, for the
// n-th texture change, "textures/n.before.dds" and "textures/n.after.dds". A pack comes from a
// stranger, so reading trusts nothing: the zip's entry count, each entry's and the total
// unpacked size and the compression ratio are checked before anything is unpacked, names in
// the zip are looked up, never used as paths, the JSON is parsed in linear time against the
// format's shape (PackJson), and every value is checked as a boots table's would be. Any
// problem fails the whole read with one reason, printable on one line; nothing is half read.
#include "Pack.h"
#include "common/FileIo.h"
#include "common/Reason.h"

#include <cstdint>
#include <string>
#include <vector>

namespace PackFile {

using Bytes = std::vector<std::uint8_t>;

/// The largest pack file read at all: the largest file any reader takes.
constexpr std::uint64_t kMaxFileBytes = FileIo::kMaxReadBytes;
/// The most entries a zip may hold: two JSON files and two textures a change.
constexpr std::uint64_t kMaxTextures = 4096;
constexpr std::uint64_t kMaxEntries = 2 + 2 * kMaxTextures;
/// The largest unpacked JSON file and texture, and all entries together.
constexpr std::uint64_t kMaxJsonBytes = std::uint64_t{16} << 20;
constexpr std::uint64_t kMaxTextureBytes = std::uint64_t{128} << 20;
constexpr std::uint64_t kMaxTotalBytes = std::uint64_t{1} << 30;
/// Deflate cannot pack more tightly than about 1032 to 1; an entry claiming more is a bomb.
constexpr std::uint64_t kMaxRatio = 1100;
/// The most boots a pack changes: one for each position a change may name.
constexpr std::uint64_t kMaxBoots = 65536;

/// How large the textures of a pack may unpack, each and all together, checked before any is
/// unpacked. A pack's textures replace entries of the receiver's archives, so reading it for
/// them needs no more than they hold (allowFor); reading it for nothing but its contents needs
/// little (kShowLimits).
struct Limits
{
    std::uint64_t texture = kMaxTextureBytes;
    std::uint64_t textures = kMaxTotalBytes;
};
constexpr Limits kShowLimits{std::uint64_t{16} << 20, std::uint64_t{64} << 20};
/// Raises `limits` so that the pack may replace any entry of the unwrapped `archive`: a
/// texture as large as its largest entry, and each of its entries twice (before and after)
/// more in all.
void allowFor(Limits &limits, const Bytes &archive);

/// The pack as zip bytes. Fails only when the zip library does (out of memory).
bool write(const Pack &pack, Bytes &zip, ReasonOut error);
/// Writes the pack to `path`, replacing a file there safely.
bool writeFile(const Pack &pack, const std::string &path, ReasonOut error);

/// Reads a pack from zip bytes, its textures within `limits`; on failure `*error` says why and
/// `pack` is untouched.
bool read(const Bytes &zip, Pack &pack, ReasonOut error, const Limits &limits = {});
/// Reads the pack file at `path`; a file over kMaxFileBytes is refused before it is read.
bool readFile(const std::string &path, Pack &pack, ReasonOut error, const Limits &limits = {});

} // namespace PackFile
