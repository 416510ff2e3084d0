#pragma once
// Boot packs and originals in the open document: the document's files as a pack meets them,
// a pack applied or reverted as one undo step over boots and textures, and boots put back as
// the kept original holds them. Failures are false and a reason; nothing changes then.
#include "pack/PackMerge.h"

#include <QString>
#include <vector>

class BootsDocument;

namespace PackSteps {

/// The records, and each loaded archive's working copy under its game file's name.
bool receiver(const BootsDocument &document, PackMerge::Receiver &receiver, QString *error);

/// Whether a pack's texture may go into an entry: the rule of replacing a texture with a DDS.
bool textureFits(const PackMerge::Bytes &archive, const ArchiveEntry &entry,
                 const PackMerge::Bytes &dds, ReasonOut error);

/// The included changes of `items` (from examine() on receiver()) as one undo step named
/// `text` over the boots and the textures. False, with no step, when nothing would change or
/// a working copy cannot be read.
bool apply(BootsDocument &document, const Pack &pack, PackMerge::Direction direction,
           const std::vector<PackMerge::Item> &items, const QString &text, QString *error);

/// Puts every field of the boots at `positions` back as the kept original holds them, as one
/// undo step named `text`. False, with no step, when there is no original or nothing changes.
bool revertToOriginal(BootsDocument &document, const std::vector<int> &positions,
                      const QString &text, QString *error);

} // namespace PackSteps
