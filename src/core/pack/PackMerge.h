#pragma once
// Applying a pack to someone's files, or taking it back out, as a three-way merge: each field
// and texture of the pack is compared with what the receiver holds now. It holds the pack's
// result already: "already there"; it holds what the pack replaced: the change applies; it
// holds anything else: a conflict (someone else changed it too), which the receiver keeps or
// takes. A boot the file does not have, an archive not given or a texture the archive cannot
// hold is a problem. examine() changes nothing; apply() changes only the receiver in memory,
// so that the caller writes each file once, or none.
#include "Pack.h"
#include "archive/ArchiveEntry.h"
#include "boots/BootRecord.h"
#include "common/Reason.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace PackMerge {

using Bytes = std::vector<std::uint8_t>;

enum class Direction { Apply, Revert };
enum class Status { Applied, AlreadyThere, Conflict, Problem };
/// What happens to conflicts: nothing changes at all (Stop), the receiver's values stay (Keep)
/// or the pack's are taken (Take).
enum class Policy { Stop, Keep, Take };

/// The receiver's files, unwrapped, in memory.
struct Receiver
{
    struct Archive
    {
        std::string name; ///< the archive's file name, as packs name it
        Bytes bytes;
    };
    std::vector<BootRecord> records;
    std::vector<Archive> archives;
};

/// Whether `dds` may go into `entry` of `archive` as replacing a texture with a DDS file would
/// allow (its layout the entry's); false with the reason otherwise. The DDS rules live above
/// the core, so the caller hands them in.
using TextureCheck =
    std::function<bool(const Bytes &archive, const ArchiveEntry &entry, const Bytes &dds,
                       ReasonOut error)>;

/// One change of the pack, as it meets the receiver.
struct Item
{
    enum class Kind { Field, Texture };
    Kind kind = Kind::Field;
    std::size_t change = 0; ///< in pack.boots or pack.textures
    std::size_t field = 0;  ///< in the boot's fields
    Status status = Status::Applied;
    std::string current; ///< the receiver's value (a field as the table shows it)
    Reason problem;      ///< why it is a problem
    bool include = true; ///< false: left out
    bool take = false;   ///< for a conflict: the pack's value replaces the receiver's
    bool decided = false; ///< for a conflict: kept or taken by choice (not yet under Stop)
};

/// The status of every change of `pack`, fields first in the pack's order, then textures.
std::vector<Item> examine(const Pack &pack, Direction direction, const Receiver &receiver,
                          const TextureCheck &check);

/// Decides every conflict by `policy` (Stop decides nothing).
void decide(std::vector<Item> &items, Policy policy);

struct Counts
{
    std::size_t applied = 0;
    std::size_t already = 0;
    std::size_t kept = 0;  ///< conflicts kept
    std::size_t taken = 0; ///< conflicts taken
    std::size_t problems = 0;
    std::size_t conflicts() const { return kept + taken; }
};
/// What the included items come to.
Counts count(const std::vector<Item> &items);

/// True when nothing may change: an included problem, or a conflict under Stop.
bool blocked(const std::vector<Item> &items, Policy policy);

/// Writes the included changes that apply and the conflicts taken into `receiver`. Call only
/// when !blocked(); items of another pack or receiver are skipped.
void apply(const Pack &pack, Direction direction, const std::vector<Item> &items,
           Receiver &receiver);

/// One line for the user: the boot (number and name), the field, the receiver's value, the
/// pack's before and after, and the status; a texture by its archive, entry and name.
std::string describe(const Pack &pack, Direction direction, const Item &item);
/// "N applied, M already there, K conflicts (kept|taken)", with any problems.
std::string summary(const Counts &counts, Policy policy);

} // namespace PackMerge
