#include "TextureArchives.h"

#include "CoreStrings.h"
#include "ReplaceTextureCommand.h"

#include "Translation.h"
#include "archive/ArchiveEntry.h"
#include "archive/ArchiveLoader.h"
#include "archive/ArchiveSaver.h"
#include "common/FileIo.h"
#include "container/PesZlib.h"
#include "imaging/textures/TextureReplacer.h"
#include "pack/Originals.h"

#include <QDir>
#include <QFileInfo>
#include <QUndoStack>
#include <limits>

using CoreStrings::fromAnsi;
using CoreStrings::toNative;
using Key = Translation::Key;

namespace {

// The texture of `entry` in an unwrapped archive, or nothing when it lies outside.
TextureArchives::Bytes textureIn(const TextureArchives::Bytes &archive, const Textura &index,
                                 std::int32_t entry)
{
    TextureArchives::Bytes texture;
    if (!TextureReplacer::entryTexture(archive, ArchiveEntry::of(index, entry), texture, nullptr))
        texture.clear();
    return texture;
}

} // namespace

TextureArchives::TextureArchives(const QString &workingFolder, QUndoStack *undoStack,
                                 QObject *parent)
    : QObject(parent), mWorkingFolder(workingFolder), mUndoStack(undoStack)
{
}

QString TextureArchives::workingCopy(int archive) const
{
    return QDir(mWorkingFolder)
        .filePath(archive == 2 ? QStringLiteral("File2") : QStringLiteral("File1"));
}

QString TextureArchives::gameFileName(int archive)
{
    return archive == 2 ? QStringLiteral("unnamed_2113.bin") : QStringLiteral("unnamed_5756.bin");
}

TextureArchives::BootTexture TextureArchives::textureOf(int boot) const
{
    BootTexture at;
    if (boot < 0)
        return at;
    if (!isLoaded(1)) {
        at.archiveToLoad = 1; // its count places every boot
        return at;
    }
    const std::int32_t first = index(1).Count();
    if (boot < first)
        return {1, boot, 0};
    if (!isLoaded(2)) {
        at.archiveToLoad = 2;
        return at;
    }
    const std::int64_t inSecond = static_cast<std::int64_t>(boot) - first;
    if (inSecond < index(2).Count())
        return {2, static_cast<std::int32_t>(inSecond), 0};
    return at;
}

int TextureArchives::bootOf(int archive, std::int32_t entry) const
{
    if ((archive != 1 && archive != 2) || !isLoaded(1) || !isLoaded(archive) || entry < 0 ||
        entry >= index(archive).Count())
        return -1;
    const std::int64_t boot = archive == 1 ? entry : std::int64_t{index(1).Count()} + entry;
    return boot <= std::numeric_limits<int>::max() ? static_cast<int>(boot) : -1;
}

bool TextureArchives::load(int archive, const QString &path, Reason *error)
{
    Archive &a = slot(archive);
    PesZlib zlib(toNative(mWorkingFolder));
    Textura index;
    if (!ArchiveLoader::load(zlib, toNative(path), toNative(workingCopy(archive)), index, error))
        return false;
    const bool wasModified = isModified();
    a.source = QFileInfo(path).absoluteFilePath();
    if (Reason reason; !mOriginalsFolder.isEmpty() &&
                       !Originals::keep(toNative(mOriginalsFolder), toNative(a.source), &reason))
        emit originalNotKept(a.source, reason);
    a.index = index;
    a.saved.clear();
    ++a.loadNumber; // the steps of the load it replaced go void
    emit loaded(archive, path);
    if (wasModified != isModified())
        emit modifiedChanged();
    return true;
}

bool TextureArchives::readWorkingCopy(int archive, Bytes &bytes, Reason *error) const
{
    return FileIo::readFile(toNative(workingCopy(archive)), bytes, error);
}

bool TextureArchives::entryTexture(int archive, std::int32_t entry, Bytes &dds, Reason *error) const
{
    const Archive &a = slot(archive);
    if (!isLoaded(archive) || entry < 0 || entry >= a.index.Count()) {
        *error = Reason(Reasons::Id::NoTextureShown);
        return false;
    }
    const ArchiveEntry at = ArchiveEntry::of(a.index, entry);
    return FileIo::readFileRange(toNative(workingCopy(archive)),
                                 static_cast<std::uint64_t>(at.textureOffset()),
                                 static_cast<std::uint64_t>(at.textureLength()), dds, error);
}

bool TextureArchives::entryLayout(int archive, std::int32_t entry, DdsLayout &layout,
                                  Reason *error) const
{
    Bytes dds;
    if (!entryTexture(archive, entry, dds, error))
        return false;
    return DdsLayout::read(dds.data(), dds.size(), layout, error);
}

QString TextureArchives::entryName(int archive, std::int32_t entry) const
{
    const Archive &a = slot(archive);
    if (!isLoaded(archive) || entry < 0 || entry >= a.index.Count())
        return QString();
    const ArchiveEntry at = ArchiveEntry::of(a.index, entry);
    Bytes name;
    if (!FileIo::readFileRange(toNative(workingCopy(archive)),
                               static_cast<std::uint64_t>(at.nameOffset),
                               static_cast<std::uint64_t>(ArchiveEntry::kNameLength), name))
        return QString();
    const std::string text(name.begin(), name.end());
    return fromAnsi(text.substr(0, text.find('\0')));
}

bool TextureArchives::writeWorkingCopy(int archive, const Bytes &bytes,
                                       const std::vector<EntryTexture> &before, Reason *error)
{
    Archive &a = slot(archive);
    Reason reason;
    if (!FileIo::writeFileAtomic(toNative(workingCopy(archive)), bytes, &reason,
                                 FileIo::Sync::Cached)) {
        *error = Reason(Reasons::Id::CannotWriteWorkingFile, {reason});
        return false;
    }
    const bool wasModified = isModified();
    // An entry differs from the file until it holds the saved texture again.
    std::vector<std::int32_t> entries;
    for (const auto &[entry, held] : before) {
        entries.push_back(entry);
        auto saved = a.saved.find(entry);
        if (saved == a.saved.end())
            saved = a.saved.emplace(entry, held).first;
        if (saved->second == textureIn(bytes, a.index, entry))
            a.saved.erase(saved);
    }
    emit texturesChanged(archive, entries);
    if (wasModified != isModified())
        emit modifiedChanged();
    return true;
}

bool TextureArchives::changeEntries(int archive, const Bytes &before, const Bytes &after,
                                    const std::vector<std::int32_t> &entries, const QString &text,
                                    Reason *error)
{
    const Textura &index = slot(archive).index;
    ReplaceTextureCommand::Step step;
    step.archive = archive;
    step.loadNumber = loadNumber(archive);
    for (const std::int32_t entry : entries) {
        step.before.emplace_back(entry, textureIn(before, index, entry));
        step.after.emplace_back(entry, textureIn(after, index, entry));
    }
    if (!writeWorkingCopy(archive, after, step.before, error))
        return false;
    mUndoStack->push(new ReplaceTextureCommand(this, text, std::move(step)));
    return true;
}

bool TextureArchives::replaceEntry(int archive, std::int32_t entry, const QString &imagePath,
                                   Reason *error, TextureReplacer::Fit fit, const QString &stepText,
                                   bool *otherSize)
{
    if (otherSize)
        *otherSize = false;
    const Archive &a = slot(archive);
    if (!isLoaded(archive) || entry < 0 || entry >= a.index.Count()) {
        *error = Reason(Reasons::Id::NoTextureShown);
        return false;
    }
    Bytes before;
    if (!readWorkingCopy(archive, before, error))
        return false;
    Bytes image;
    Bytes after = before;
    Reason reason;
    bool changed = false;
    if (!TextureReplacer::readFile(toNative(imagePath), image, &reason) ||
        !TextureReplacer::replaceFromFile(after, ArchiveEntry::of(a.index, entry), image,
                                          toNative(QFileInfo(imagePath).fileName()), &reason,
                                          &changed, fit)) {
        if (otherSize)
            *otherSize = TextureReplacer::refusedForSize(reason);
        *error = reason;
        return false;
    }
    return !changed ||
           changeEntries(archive, before, after, {entry},
                         stepText.isEmpty() ? Translation::text(Key::ReplaceTexture) : stepText,
                         error);
}

bool TextureArchives::importFolder(int archive, const QString &folder, TextureSet::Outcome &outcome,
                                   Reason *error, const TextureSet::Progress &progress,
                                   TextureReplacer::Fit fit)
{
    outcome = TextureSet::Outcome();
    if (!isLoaded(archive)) {
        *error = Reason(Reasons::Id::NoTextureShown);
        return false;
    }
    Bytes before;
    if (!readWorkingCopy(archive, before, error))
        return false;
    // The set goes into a copy, dropped on any refusal: the working copy takes all or nothing.
    Bytes after = before;
    if (!TextureSet::importFolder(toNative(folder), slot(archive).index,
                                  toNative(QFileInfo(slot(archive).source).fileName()), after,
                                  outcome, progress, fit))
        return false;
    std::vector<std::int32_t> entries;
    for (const TextureSet::Match &m : outcome.replaced)
        entries.push_back(m.entry);
    return entries.empty() || changeEntries(archive, before, after, entries,
                                            Translation::text(Key::ImportTexturesStep), error);
}

bool TextureArchives::putTextures(int archive, int load, const std::vector<EntryTexture> &textures)
{
    const Archive &a = slot(archive);
    if (load != a.loadNumber)
        return false; // another load stands where this one was
    Bytes bytes;
    Reason error;
    std::vector<EntryTexture> before;
    bool put = readWorkingCopy(archive, bytes, &error);
    for (std::size_t i = 0; put && i < textures.size(); ++i) {
        const auto &[entry, texture] = textures[i];
        before.emplace_back(entry, textureIn(bytes, a.index, entry));
        put = TextureReplacer::replaceWithDds(bytes, ArchiveEntry::of(a.index, entry), texture,
                                              &error);
    }
    if (put && writeWorkingCopy(archive, bytes, before, &error))
        return true;
    emit failed(a.source, error);
    return false;
}

bool TextureArchives::saveArchive(int archive, Reason *error, const QString &target)
{
    Archive &a = slot(archive);
    const QString path = target.isEmpty() ? a.source : target;
    Bytes bytes;
    if (!readWorkingCopy(archive, bytes, error) ||
        !ArchiveSaver::save(bytes, toNative(path), error))
        return false;
    a.source = path;
    const bool wasModified = isModified();
    a.saved.clear();
    if (wasModified != isModified())
        emit modifiedChanged();
    return true;
}

bool TextureArchives::save(Reason *error, QString *failedFile)
{
    return saveInto(QString(), error, failedFile);
}

bool TextureArchives::saveInto(const QString &folder, Reason *error, QString *failedFile,
                               bool *moved)
{
    bool all = true;
    for (int archive = 1; archive <= 2; ++archive) {
        if (!isModified(archive))
            continue;
        const QString source = slot(archive).source;
        const QString target =
            folder.isEmpty() ? source : QDir(folder).absoluteFilePath(QFileInfo(source).fileName());
        Reason reason;
        if (saveArchive(archive, &reason, target)) {
            if (moved && target != source)
                *moved = true;
            continue;
        }
        if (all) {
            *failedFile = target;
            *error = reason;
        }
        all = false;
    }
    return all;
}

void TextureArchives::discard()
{
    for (int archive = 1; archive <= 2; ++archive) {
        Reason reason;
        if (!isModified(archive) || load(archive, slot(archive).source, &reason))
            continue;
        slot(archive).saved.clear();
        emit modifiedChanged();
        emit failed(slot(archive).source, reason);
    }
}

void TextureArchives::markSaved()
{
    const bool wasModified = isModified();
    for (Archive &a : mArchives)
        a.saved.clear();
    if (wasModified)
        emit modifiedChanged();
}
