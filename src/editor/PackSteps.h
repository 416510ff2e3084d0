#pragma once
// Boot packs and originals in the open document: the document's files as a pack meets them,
// a pack applied or reverted as one undo step over boots and textures, and boots put back as
// the kept original holds them, with their textures. Failures are false and a reason; nothing
// changes then.
#include "common/Reason.h"
#include "pack/PackMaker.h"
#include "pack/PackMerge.h"
#include "pack/Receipt.h"

#include <QString>
#include <set>
#include <vector>

class BootsDocument;

namespace PackSteps {

/// The records, and each loaded archive's working copy under its game file's name and path,
/// offered rather than given (an archive the pack does not need is no problem).
bool receiver(const BootsDocument &document, PackMerge::Receiver &receiver, Reason *error);

/// Whether a pack's texture may go into an entry: the rule of replacing a texture with a DDS.
bool textureFits(const PackMerge::Bytes &archive, const ArchiveEntry &entry,
                 const PackMerge::Bytes &dds, ReasonOut error);

/// What a step does to the receipts: an apply adds its receipt, a revert through a receipt
/// drops it. The receipt an apply adds is made by apply() from the plan and the files as the
/// step finds them; `receipt` gives it only the pack's fingerprint, the boots file and the time.
struct Record
{
    Receipt receipt;
    bool adds = false;
    bool drops = false;
};

/// The changes of `plan` (from examine() on receiver()) that write, as one undo step named
/// `text` over the boots, the textures and the receipts. False, with no step, when nothing
/// would change or a working copy cannot be read.
bool apply(BootsDocument &document, const Pack &changes, PackMerge::Direction direction,
           const PackMerge::Plan &plan, const QString &text, const Record &record, Reason *error);

/// The plain contents of the kept original of the game file `path` (the boots file or an
/// archive the document loaded).
bool original(const BootsDocument &document, const QString &path, PackMerge::Bytes &plain,
              Reason *error);

/// What a pack of the open files' changes is made from (no manifest yet): the boots since the
/// boots file at `basePath` (empty: the kept original), and each loaded archive since its kept
/// original, under its game file's name.
bool exportInput(const BootsDocument &document, const QString &basePath, PackMaker::Input &input,
                 Reason *error);
/// The boots that `pack` changes, in a field or in the texture TextureArchives::textureOf()
/// answers for them, in file order.
std::vector<int> changedBoots(const BootsDocument &document, const Pack &pack);
/// Leaves in `pack` only the boots at `positions` and their textures.
void keepOnly(const BootsDocument &document, Pack &pack, const std::set<int> &positions);

/// Puts every field of the boots at `positions` back as the kept original holds them, and
/// their textures in the loaded archives as the archives' kept originals hold them, as one
/// undo step named `text`. False, with no step, when an original is missing or unreadable
/// or nothing changes.
bool revertToOriginal(BootsDocument &document, const std::vector<int> &positions,
                      const QString &text, Reason *error);

} // namespace PackSteps
