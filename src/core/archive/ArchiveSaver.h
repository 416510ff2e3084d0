#pragma once
// Writing a changed texture archive back to the game: the unwrapped archive in memory is
// wrapped in the WESYS container and replaces the game file safely (written beside it,
// flushed, renamed over it), so the old file stays whole on any failure.
#include "common/Reason.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ArchiveSaver {

/// Wraps `archive` (an unwrapped texture archive) and writes it over `path`. A read-only
/// `path` is refused. On failure `error` says why and `path` is as it was.
bool save(const std::vector<std::uint8_t> &archive, const std::string &path, ReasonOut error);

} // namespace ArchiveSaver
