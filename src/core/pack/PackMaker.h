#pragma once
// Making a pack: the differences between the base files and the modder's own, boots field by
// field and texture entries whole. Fails (false, the reason in `*error`) when the two boots
// files or two archives do not hold as many boots or entries, so that no change could be
// placed.
#include "Pack.h"
#include "boots/BootRecord.h"
#include "common/Reason.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace PackMaker {

using Bytes = std::vector<std::uint8_t>;

/// A pair of unwrapped archives: as they were and as the modder has them.
struct ArchivePair
{
    std::string name; ///< the archive's file name, by which receivers find theirs
    Bytes base;
    Bytes mine;
};

struct Input
{
    PackManifest manifest; ///< title, author, description, program and date as given
    std::string bootsName;
    Bytes baseBoots; ///< plain boots files, for the base's fingerprint
    std::vector<BootRecord> base;
    std::vector<BootRecord> mine;
    std::vector<ArchivePair> archives;
    /// Only the boots at these positions (all that differ when not given).
    std::optional<std::set<std::size_t>> onlyBoots;
};

bool make(const Input &input, Pack &pack, ReasonOut error);

} // namespace PackMaker
