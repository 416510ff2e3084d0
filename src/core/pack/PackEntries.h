#pragma once
// The names of a pack's files inside its zip, and the zip's owner, for its reading and its
// writing alike.
#include <cstddef>
#include <string>
#include <zip.h>

namespace PackFile {

inline const char *const kManifest = "manifest.json";
inline const char *const kChanges = "changes.json";

/// The n-th texture change's texture as it was ("textures/n.before.dds") or as the pack has it.
inline std::string textureName(std::size_t n, bool after)
{
    return "textures/" + std::to_string(n) + (after ? ".after.dds" : ".before.dds");
}

/// Discards a zip that was not closed, changing nothing it came from.
struct ZipCloser
{
    void operator()(zip_t *z) const { zip_discard(z); }
};

} // namespace PackFile
