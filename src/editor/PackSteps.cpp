#include "PackSteps.h"

#include "BootsDocument.h"
#include "GuiText.h"
#include "ReplaceRecordsCommand.h"
#include "ReplaceTextureCommand.h"
#include "TextureArchives.h"
#include "UiText.h"
#include "common/FileIo.h"
#include "imaging/textures/TextureReplacer.h"
#include "pack/ArchiveDiff.h"

#include <QFileInfo>
#include <QUndoStack>
#include <set>

using GuiText::toNative;

namespace PackSteps {

bool receiver(const BootsDocument &document, PackMerge::Receiver &receiver, QString *error)
{
    PackMerge::Receiver out;
    out.records = document.database().records();
    for (const int archive : {1, 2}) {
        if (!document.textures().isLoaded(archive))
            continue;
        PackMerge::Receiver::Archive a;
        a.name = toNative(QFileInfo(document.textures().source(archive)).fileName());
        Reason reason;
        if (!FileIo::readFile(toNative(document.textures().workingCopy(archive)), a.bytes, &reason)) {
            *error = UiText::reason(reason);
            return false;
        }
        out.archives.push_back(std::move(a));
    }
    receiver = std::move(out);
    return true;
}

bool textureFits(const PackMerge::Bytes &archive, const ArchiveEntry &entry,
                 const PackMerge::Bytes &dds, ReasonOut error)
{
    DdsLayout layout;
    return TextureReplacer::ddsFits(archive, entry, dds, layout, error);
}

bool apply(BootsDocument &document, const Pack &pack, PackMerge::Direction direction,
           const std::vector<PackMerge::Item> &items, const QString &text, QString *error)
{
    PackMerge::Receiver before;
    if (!document.isOpen() || !receiver(document, before, error))
        return false;
    PackMerge::Receiver after = before;
    PackMerge::apply(pack, direction, items, after);

    auto *step = new QUndoCommand(text);
    bool changes = false;
    if (after.records != before.records) {
        new ReplaceRecordsCommand(&document, text, before.records, after.records, false, step);
        changes = true;
    }
    TextureArchives &textures = document.textures();
    std::size_t next = 0;
    for (const int archive : {1, 2}) {
        if (!textures.isLoaded(archive))
            continue;
        const PackMerge::Receiver::Archive &was = before.archives[next];
        const PackMerge::Receiver::Archive &now = after.archives[next++];
        if (was.bytes == now.bytes)
            continue;
        std::set<std::int32_t> entries;
        for (const PackMerge::Item &item : items) {
            if (item.kind == PackMerge::Item::Kind::Texture && pack.textures[item.change].archive == was.name)
                entries.insert(pack.textures[item.change].entry);
        }
        ReplaceTextureCommand::Step textureStep;
        textureStep.archive = archive;
        textureStep.loadNumber = textures.loadNumber(archive);
        for (const std::int32_t entry : entries) {
            PackMerge::Bytes old, fresh;
            ArchiveDiff::textureOf(was.bytes, entry, old);
            ArchiveDiff::textureOf(now.bytes, entry, fresh);
            if (old != fresh) {
                textureStep.before.emplace_back(entry, std::move(old));
                textureStep.after.emplace_back(entry, std::move(fresh));
            }
        }
        new ReplaceTextureCommand(&textures, std::move(textureStep), step);
        changes = true;
    }
    if (!changes) {
        delete step;
        return false;
    }
    document.startNewStep();
    document.undoStack()->push(step);
    return true;
}

bool revertToOriginal(BootsDocument &document, const std::vector<int> &positions,
                      const QString &text, QString *error)
{
    std::vector<BootRecord> original;
    if (!document.isOpen() || !document.originalRecords(original, error))
        return false;
    std::vector<BootRecord> records = document.database().records();
    for (const int position : positions) {
        const auto at = static_cast<std::size_t>(position);
        if (position >= 0 && at < records.size() && at < original.size())
            records[at] = original[at];
    }
    return document.changeRecords(text, std::move(records));
}

} // namespace PackSteps
