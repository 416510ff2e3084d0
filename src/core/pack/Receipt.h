#pragma once
// What one apply of a pack changed in one boots file and its archives, kept so that the pack
// can be taken back out exactly: each field with the value it replaced and the value it
// wrote, each texture with the bytes it replaced. A value that was already the pack's is not
// in it, so a revert leaves it alone; a value changed since is a conflict. Receipts live in
// the user's own folder (never beside the game's files), filed under a fingerprint of the
// boots file's path, as a JSON file and one DDS file per replaced texture. Failures are false
// and a reason; a failed write leaves no receipt.
#include "Pack.h"
#include "PackMerge.h"
#include "common/Reason.h"

#include <string>
#include <vector>

struct Receipt
{
    std::string id;              ///< its name in the folder; given by Receipts::write
    std::string packFingerprint; ///< of the pack file applied
    std::string title;
    std::string author;
    std::string packDate;              ///< when the pack was made
    std::string applied;               ///< when it was applied, ISO 8601 in UTC
    std::string boots;                 ///< the boots file's path (UTF-8)
    std::vector<std::string> archives; ///< the paths of the archives it changed
    /// The changes as a pack from the file before the apply to the file after it: fields with
    /// the receiver's old values as "before", textures with the bytes they replaced, archives
    /// named by their file names and known by their tables.
    Pack changes;

    bool empty() const { return changes.boots.empty() && changes.textures.empty(); }
    std::size_t fieldCount() const { return changes.fieldCount(); }
    std::size_t textureCount() const { return changes.textures.size(); }
    bool operator==(const Receipt &) const = default;
};

namespace Receipts {

/// The receipt of applying `plan` of `pack` to `before`, the receiver as it was; the
/// archives' paths are taken from `before`.
Receipt make(const Pack &pack, const PackMerge::Plan &plan, const PackMerge::Receiver &before,
             const std::string &packFingerprint, const std::string &bootsPath,
             const std::string &applied);

/// Files `receipt` in `folder` (made, private, when missing) and sets its id.
bool write(const std::string &folder, Receipt &receipt, ReasonOut error);

/// The receipts filed for the boots file at `path`, oldest first. One that cannot be read is
/// left out, its reason added to `unreadable` when given.
std::vector<Receipt> list(const std::string &folder, const std::string &path,
                          std::vector<Reason> *unreadable = nullptr);

/// Removes a filed receipt; true when it is gone.
bool remove(const std::string &folder, const Receipt &receipt);

/// The newest receipt of the pack with `packFingerprint`, or null.
const Receipt *latest(const std::vector<Receipt> &receipts, const std::string &packFingerprint);

/// What taking a pack back out goes through.
struct Revert
{
    /// The newest receipt of the pack's apply (it says exactly what the apply changed), or
    /// null: then the pack itself.
    const Receipt *receipt = nullptr;
    /// The plan of the receipt's changes or the pack's; the pack's problems with the files as
    /// a whole stand in it either way.
    PackMerge::Plan plan;
    const Pack &changes(const Pack &pack) const { return receipt ? receipt->changes : pack; }
};
/// The revert of `pack` (fingerprint `packFingerprint`) from `receiver`, through the newest of
/// `receipts` that recorded its apply when there is one.
Revert revert(const Pack &pack, const std::string &packFingerprint,
              const std::vector<Receipt> &receipts, const PackMerge::Receiver &receiver,
              const PackMerge::TextureCheck &check);

/// The time now, ISO 8601 in UTC ("2026-12-09T19:30:00Z").
std::string now();

} // namespace Receipts
