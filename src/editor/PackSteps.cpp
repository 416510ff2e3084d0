#include "PackSteps.h"

#include "AppliedPacks.h"
#include "BootsDocument.h"
#include "CoreStrings.h"
#include "ReplaceRecordsCommand.h"
#include "ReplaceTextureCommand.h"
#include "TextureArchives.h"
#include "boots/Baza.h"
#include "common/FileIo.h"
#include "container/PesZlib.h"
#include "imaging/textures/TextureReplacer.h"
#include "pack/ArchiveDiff.h"
#include "pack/Originals.h"

#include <QDir>
#include <QFileInfo>
#include <QUndoStack>
#include <set>
#include <utility>

using CoreStrings::toNative;

namespace PackSteps {

namespace {

using TextureKey = std::pair<std::string, std::int32_t>; // an archive's file name, an entry

std::string archiveName(const TextureArchives &textures, int archive)
{
    return toNative(QFileInfo(textures.source(archive)).fileName());
}

/// The archive and entry of the texture of each boot at `positions` that has one at hand.
std::set<TextureKey> texturesOf(const BootsDocument &document, const std::vector<int> &positions)
{
    std::set<TextureKey> keys;
    for (const int position : positions) {
        const TextureArchives::BootTexture at = document.textures().textureOf(position);
        if (at.found())
            keys.emplace(archiveName(document.textures(), at.archive), at.entry);
    }
    return keys;
}

/// The step that puts the textures of the boots at `positions` in `archive` back as its kept
/// original holds them; no entries when they hold them already.
bool textureRevert(const BootsDocument &document, int archive, const std::vector<int> &positions,
                   ReplaceTextureCommand::Step &step, Reason *error)
{
    const TextureArchives &textures = document.textures();
    std::set<std::int32_t> entries;
    for (const int position : positions) {
        const TextureArchives::BootTexture at = textures.textureOf(position);
        if (at.archive == archive)
            entries.insert(at.entry);
    }
    if (entries.empty())
        return true;
    PackMerge::Bytes kept;
    if (!original(document, textures.source(archive), kept, error))
        return false;
    step.archive = archive;
    step.loadNumber = textures.loadNumber(archive);
    for (const std::int32_t entry : entries) {
        PackMerge::Bytes was, now;
        // An entry the original does not have has nothing to go back to.
        if (!ArchiveDiff::textureOf(kept, entry, was))
            continue;
        if (!textures.entryTexture(archive, entry, now, error))
            return false;
        if (was != now) {
            step.before.emplace_back(entry, std::move(now));
            step.after.emplace_back(entry, std::move(was));
        }
    }
    return true;
}

// The receipt an apply adds, or the one a revert through it drops, as a part of its step.
class ReceiptCommand : public QUndoCommand
{
public:
    ReceiptCommand(AppliedPacks *applied, Receipt receipt, bool adds, QUndoCommand *parent)
        : QUndoCommand(parent), mApplied(applied), mReceipt(std::move(receipt)), mAdds(adds)
    {
    }
    void redo() override { mAdds ? mApplied->add(mReceipt) : mApplied->drop(mReceipt); }
    void undo() override { mAdds ? mApplied->drop(mReceipt) : mApplied->add(mReceipt); }

private:
    AppliedPacks *mApplied;
    Receipt mReceipt;
    bool mAdds;
};

} // namespace

bool original(const BootsDocument &document, const QString &path, PackMerge::Bytes &plain,
              Reason *error)
{
    const QString folder = document.originalsFolder();
    const std::string kept =
        folder.isEmpty() ? std::string() : Originals::find(toNative(folder), toNative(path));
    if (kept.empty()) {
        *error = Reason(Reasons::Id::NoOriginal, {CoreStrings::toNative(path)});
        return false;
    }
    PesZlib zlib(std::string{});
    if (!zlib.unwrapFile(kept, plain)) {
        *error = zlib.errorReason();
        return false;
    }
    return true;
}

bool exportInput(const BootsDocument &document, const QString &basePath, PackMaker::Input &input,
                 Reason *error)
{
    PackMaker::Input out;
    Baza base;
    PackMerge::Receiver mine;
    if (!document.isOpen() || !receiver(document, mine, error))
        return false;
    if (basePath.isEmpty()) {
        if (!original(document, document.gamePath(), out.baseBoots, error))
            return false;
    } else if (PesZlib zlib(std::string{}); !zlib.unwrapFile(toNative(basePath), out.baseBoots)) {
        *error = zlib.errorReason();
        return false;
    }
    if (!base.load(out.baseBoots)) {
        *error = base.errorReason();
        return false;
    }
    out.bootsName = toNative(QFileInfo(document.gamePath()).fileName());
    out.base = base.records();
    out.mine = std::move(mine.records);
    std::size_t next = 0;
    for (const int archive : {1, 2}) {
        if (!document.textures().isLoaded(archive))
            continue;
        PackMaker::ArchivePair pair;
        pair.name = mine.archives[next].name;
        pair.mine = std::move(mine.archives[next++].bytes);
        if (!original(document, document.textures().source(archive), pair.base, error))
            return false;
        out.archives.push_back(std::move(pair));
    }
    input = std::move(out);
    return true;
}

std::vector<int> changedBoots(const BootsDocument &document, const Pack &pack)
{
    std::set<int> changed;
    for (const PackBootChange &boot : pack.boots)
        changed.insert(static_cast<int>(boot.position));
    std::set<TextureKey> textures;
    for (const PackTextureChange &texture : pack.textures)
        textures.emplace(texture.archive, texture.entry);
    const auto count = static_cast<int>(document.database().records().size());
    for (int position = 0; position < count && !textures.empty(); ++position) {
        const std::set<TextureKey> own = texturesOf(document, {position});
        if (!own.empty() && textures.count(*own.begin()))
            changed.insert(position);
    }
    return {changed.begin(), changed.end()};
}

void keepOnly(const BootsDocument &document, Pack &pack, const std::set<int> &positions)
{
    std::erase_if(pack.boots, [&positions](const PackBootChange &boot) {
        return !positions.count(static_cast<int>(boot.position));
    });
    const std::set<TextureKey> kept =
        texturesOf(document, std::vector<int>(positions.begin(), positions.end()));
    std::erase_if(pack.textures, [&kept](const PackTextureChange &texture) {
        return !kept.count({texture.archive, texture.entry});
    });
}

bool receiver(const BootsDocument &document, PackMerge::Receiver &receiver, Reason *error)
{
    PackMerge::Receiver out;
    out.records = document.database().records();
    for (const int archive : {1, 2}) {
        if (!document.textures().isLoaded(archive))
            continue;
        PackMerge::Receiver::Archive a;
        a.name = toNative(QFileInfo(document.textures().source(archive)).fileName());
        a.path = toNative(QDir::toNativeSeparators(document.textures().source(archive)));
        a.given = false; // loaded, not chosen for the pack
        if (!FileIo::readFile(toNative(document.textures().workingCopy(archive)), a.bytes, error))
            return false;
        out.archives.push_back(std::move(a));
    }
    receiver = std::move(out);
    return true;
}

bool textureFits(const PackMerge::Bytes &archive, const ArchiveEntry &entry,
                 const PackMerge::Bytes &dds, ReasonOut error)
{
    return TextureReplacer::ddsFits(archive, entry, dds, error);
}

bool apply(BootsDocument &document, const Pack &changes, PackMerge::Direction direction,
           const PackMerge::Plan &plan, const QString &text, const Record &record, Reason *error)
{
    PackMerge::Receiver before;
    if (!document.isOpen() || !receiver(document, before, error))
        return false;
    PackMerge::Receiver after = before;
    PackMerge::apply(changes, direction, plan, after);

    auto *step = new QUndoCommand(text);
    bool changed = false;
    if (after.records != before.records) {
        new ReplaceRecordsCommand(&document, text, before.records, after.records, false, step);
        changed = true;
    }
    TextureArchives &textures = document.textures();
    std::size_t next = 0;
    for (const int archive : {1, 2}) {
        if (!textures.isLoaded(archive))
            continue;
        const std::size_t at = next++;
        const PackMerge::Bytes &was = before.archives[at].bytes;
        const PackMerge::Bytes &now = after.archives[at].bytes;
        if (was == now)
            continue;
        std::set<std::int32_t> entries;
        for (const PackMerge::Item &item : plan.items) {
            if (item.kind != PackMerge::Item::Kind::Texture || !item.writes())
                continue;
            const PackTextureChange &t = changes.textures[item.change];
            const auto found = plan.archives.find(t.archive);
            if (found != plan.archives.end() && found->second == at)
                entries.insert(t.entry);
        }
        ReplaceTextureCommand::Step textureStep;
        textureStep.archive = archive;
        textureStep.loadNumber = textures.loadNumber(archive);
        for (const std::int32_t entry : entries) {
            PackMerge::Bytes old, fresh;
            ArchiveDiff::textureOf(was, entry, old);
            ArchiveDiff::textureOf(now, entry, fresh);
            if (old != fresh) {
                textureStep.before.emplace_back(entry, std::move(old));
                textureStep.after.emplace_back(entry, std::move(fresh));
            }
        }
        new ReplaceTextureCommand(&textures, std::move(textureStep), step);
        changed = true;
    }
    if (!changed) {
        delete step;
        return false;
    }
    if (record.adds) {
        Receipt made = Receipts::make(changes, plan, before, record.receipt.packFingerprint,
                                      record.receipt.boots, record.receipt.applied);
        if (!made.empty())
            new ReceiptCommand(&document.appliedPacks(), std::move(made), true, step);
    }
    if (record.drops)
        new ReceiptCommand(&document.appliedPacks(), record.receipt, false, step);
    document.startNewStep();
    document.undoStack()->push(step);
    return true;
}

bool revertToOriginal(BootsDocument &document, const std::vector<int> &positions,
                      const QString &text, Reason *error)
{
    std::vector<BootRecord> original;
    if (!document.isOpen() || !document.originalRecords(original, error))
        return false;
    const std::vector<BootRecord> &before = document.database().records();
    std::vector<BootRecord> records = before;
    for (const int position : positions) {
        const auto at = static_cast<std::size_t>(position);
        if (position >= 0 && at < records.size() && at < original.size())
            records[at] = original[at];
    }
    std::vector<ReplaceTextureCommand::Step> textureSteps;
    for (const int archive : {1, 2}) {
        ReplaceTextureCommand::Step textureStep;
        if (!document.textures().isLoaded(archive))
            continue;
        if (!textureRevert(document, archive, positions, textureStep, error))
            return false;
        if (!textureStep.before.empty())
            textureSteps.push_back(std::move(textureStep));
    }
    if (records == before && textureSteps.empty())
        return false;
    auto *step = new QUndoCommand(text);
    if (records != before)
        new ReplaceRecordsCommand(&document, text, before, std::move(records), false, step);
    for (ReplaceTextureCommand::Step &textureStep : textureSteps)
        new ReplaceTextureCommand(&document.textures(), std::move(textureStep), step);
    document.startNewStep();
    document.undoStack()->push(step);
    return true;
}

} // namespace PackSteps
