#pragma once
// What a texture archive is known by, whatever its file name or folder: the number of its
// entries and a fingerprint of their names in order. Two archives of the same game file,
// changed or not, share it; the game's two archives never do. A pack, and the mark of an
// exported folder, record it so that a renamed copy of the right archive is recognised and
// another archive is not taken for it.
#include "Pack.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace ArchiveIdentity {

/// The identity of an unwrapped archive; nothing when its table cannot be read.
std::optional<PackArchiveTable> of(const std::vector<std::uint8_t> &archive);

} // namespace ArchiveIdentity
