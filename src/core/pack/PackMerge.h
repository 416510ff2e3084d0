#pragma once
// Applying a pack to someone's files, or taking it back out, as a three-way merge: each field
// and texture of the pack is compared with what the receiver holds now. It holds the pack's
// result already: "already there"; it holds what the pack replaced: the change applies; it
// holds anything else: a conflict (someone else changed it too), which the receiver keeps or
// takes. A boot that is not the boot the pack was made for (another name or ID) is a conflict
// too, and a pack whose touched boots are mostly other boots was made for another file: a
// problem of the whole pack. Archives are recognised by their entry tables, not their names.
// Taking a pack back out without its receipt cannot tell the pack's values from the user's
// own, so each is a conflict. The window and the command line build this one plan; examine()
// changes nothing, apply() changes only the receiver in memory, so that the caller writes each
// file once, or none.
#include "Pack.h"
#include "archive/ArchiveEntry.h"
#include "boots/BootRecord.h"
#include "common/Reason.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace PackMerge {

using Bytes = std::vector<std::uint8_t>;

enum class Direction { Apply, Revert };
/// Applied: the change will be (or was) made.
enum class Status { Applied, AlreadyThere, Conflict, Problem };
/// What happens to conflicts: nothing changes at all (Stop), the receiver's values stay (Keep)
/// or the pack's are taken (Take).
enum class Policy { Stop, Keep, Take };

/// The receiver's files, unwrapped, in memory.
struct Receiver
{
    struct Archive
    {
        std::string name; ///< the archive's file name
        Bytes bytes;
        std::string path = {}; ///< where it is (UTF-8), for the reasons; empty: the name
        /// Named by the user for this pack: one that fits no part of the pack is a problem.
        /// The archives an editor merely has loaded are offered, not given.
        bool given = true;
        const std::string &shownName() const { return path.empty() ? name : path; }
    };
    std::vector<BootRecord> records;
    std::vector<Archive> archives;
};

/// Whether `dds` may go into `entry` of `archive` as replacing a texture with a DDS file would
/// allow (its layout the entry's); false with the reason otherwise. The DDS rules live above
/// the core, so the caller hands them in.
using TextureCheck = std::function<bool(const Bytes &archive, const ArchiveEntry &entry,
                                        const Bytes &dds, ReasonOut error)>;

/// One change of the pack, as it meets the receiver.
struct Item
{
    enum class Kind { Field, Texture };
    Kind kind = Kind::Field;
    std::size_t change = 0; ///< in pack.boots or pack.textures
    std::size_t field = 0;  ///< in the boot's fields
    Status status = Status::Applied;
    std::string current; ///< the receiver's value (a field as the table shows it)
    /// Why it is a problem, or why it is a conflict when that is more than a value changed
    /// since (another boot, no record that the pack set it); empty otherwise.
    Reason reason;
    bool include = true;  ///< false: left out
    bool take = false;    ///< for a conflict: the pack's value replaces the receiver's
    bool decided = false; ///< for a conflict: kept or taken by choice (not yet under Stop)
    /// True when the change writes into the receiver as things stand.
    bool writes() const
    {
        return include && (status == Status::Applied || (status == Status::Conflict && take));
    }
};

/// Every change of a pack as it meets one receiver.
struct Plan
{
    std::vector<Item> items; ///< fields first in the pack's order, then textures
    /// Problems of the pack as a whole (made for another file, archives that fit no part or
    /// the same part): they cannot be left out.
    std::vector<Reason> problems;
    /// The receiver's archive (index in receiver.archives) of each archive the pack names.
    std::map<std::string, std::size_t> archives;
};

/// The plan of applying or reverting `pack`. `recorded`: the pack is the receipt of an
/// apply, so a value it set is known to be its own; otherwise reverting a value that holds
/// the pack's result is a conflict ("no record that this pack set it").
Plan examine(const Pack &pack, Direction direction, const Receiver &receiver,
             const TextureCheck &check, bool recorded = false);

/// Decides every conflict by `policy` (Stop decides nothing).
void decide(Plan &plan, Policy policy);

struct Counts
{
    std::size_t applied = 0;
    std::size_t already = 0;
    std::size_t kept = 0;     ///< conflicts kept
    std::size_t taken = 0;    ///< conflicts taken
    std::size_t open = 0;     ///< conflicts not decided
    std::size_t problems = 0; ///< included problems and those of the whole pack
    std::size_t left = 0;     ///< changes left out
    std::size_t conflicts() const { return kept + taken + open; }
    std::size_t changes() const { return applied + taken; }
};
/// What the plan comes to.
Counts count(const Plan &plan);

/// True when nothing may change: a problem of the pack or an included one, or an open
/// conflict under Stop.
bool blocked(const Plan &plan, Policy policy);

/// Writes the changes that write() into `receiver`. Call only when !blocked(); items of
/// another pack or receiver are skipped.
void apply(const Pack &pack, Direction direction, const Plan &plan, Receiver &receiver);

/// The value a change puts in place and the one it replaces, in the direction of travel.
const std::string &fromOf(const PackFieldChange &field, Direction direction);
const std::string &toOf(const PackFieldChange &field, Direction direction);

/// The boots field a change names, by its English caption ("Shot Power"; a manufacturer
/// code by its maker's name).
std::string fieldCaption(const std::string &key);
/// A field's value as the command line shows it: quoted text, a number, a maker's name.
std::string shownValue(const std::string &key, const std::string &value);

/// One line for the command line, in English: the boot (number and name) and the field's
/// caption with the receiver's value and the pack's change, or the archive's entry, then
/// what happens to it (`done`: what happened).
std::string describe(const Pack &pack, Direction direction, const Item &item, bool done = false);

/// Whether the files were written: planned only (a dry run), written, or refused.
enum class Outcome { Planned, Written, NotWritten };
/// The closing line, in English, singular and plural right: "Pack “TITLE”: 7 changes
/// applied, 1 already there"; when nothing was written, only why ("nothing written: 2
/// problems").
std::string summary(const Pack &pack, Direction direction, const Counts &counts, Outcome outcome);

} // namespace PackMerge
