#include "ChangeMarks.h"

#include "BootsDocument.h"
#include "CoreStrings.h"
#include "PackSteps.h"
#include "TextureArchives.h"
#include "common/FileIo.h"
#include "pack/ArchiveDiff.h"

#include <QFileInfo>

ChangeMarks::ChangeMarks(BootsDocument *document) : QObject(document), mDocument(document)
{
    connect(document, &BootsDocument::reset, this, &ChangeMarks::documentReset);
    // A texture changed, or an archive came: the boots whose textures differ may be others.
    const auto texturesMoved = [this] {
        if (mBase == Base::Original) {
            findChangedTextures();
            emit changed();
        }
    };
    connect(&document->textures(), &TextureArchives::texturesChanged, this, texturesMoved);
    connect(&document->textures(), &TextureArchives::loaded, this, texturesMoved);
}

bool ChangeMarks::textureChanged(int position) const
{
    if (mBase != Base::Original || mChangedTextures.empty())
        return false;
    const TextureArchives::BootTexture at = mDocument->textures().textureOf(position);
    return at.found() && mChangedTextures.count({at.archive, at.entry}) > 0;
}

void ChangeMarks::findChangedTextures()
{
    mChangedTextures.clear();
    const TextureArchives &textures = mDocument->textures();
    for (const int archive : {1, 2}) {
        if (!textures.isLoaded(archive))
            continue;
        ArchiveOriginal &original = mArchiveOriginals[archive == 2 ? 1 : 0];
        if (original.load != textures.loadNumber(archive) ||
            original.source != textures.source(archive)) {
            original.load = textures.loadNumber(archive);
            original.source = textures.source(archive);
            Reason none;
            original.found =
                PackSteps::original(*mDocument, original.source, original.bytes, &none);
        }
        // An archive without a kept original has no changes to show.
        FileIo::Bytes now;
        if (!original.found ||
            !FileIo::readFile(CoreStrings::toNative(textures.workingCopy(archive)), now))
            continue;
        for (const ArchiveDiff::Entry &entry : ArchiveDiff::compare(original.bytes, now).changed)
            mChangedTextures.emplace(archive, entry.entry);
    }
}

bool ChangeMarks::showOriginal(Reason *error)
{
    std::vector<BootRecord> records;
    if (!mDocument->originalRecords(records, error))
        return false;
    set(Base::Original, QString(), std::move(records));
    return true;
}

bool ChangeMarks::compareWith(const QString &path, Reason *error)
{
    std::vector<BootRecord> records;
    if (!BootsDocument::readBoots(path, records, error))
        return false;
    set(Base::File, QFileInfo(path).absoluteFilePath(), std::move(records));
    return true;
}

void ChangeMarks::hide()
{
    if (mBase != Base::None)
        set(Base::None, QString(), {});
}

const BootRecord *ChangeMarks::reference(int position) const
{
    if (mBase == Base::None || position < 0 ||
        static_cast<std::size_t>(position) >= mRecords.size())
        return nullptr;
    return &mRecords[static_cast<std::size_t>(position)];
}

void ChangeMarks::documentReset()
{
    // Another file's boots were compared with the file that is gone; the new one has an
    // original of its own.
    Reason none;
    if (mBase != Base::Original || !mDocument->isOpen() || !showOriginal(&none))
        hide();
}

void ChangeMarks::set(Base base, const QString &file, std::vector<BootRecord> records)
{
    mBase = base;
    mFile = file;
    mRecords = std::move(records);
    if (base == Base::Original) {
        findChangedTextures();
    } else {
        mChangedTextures.clear();
        mArchiveOriginals = {};
    }
    emit changed();
}
