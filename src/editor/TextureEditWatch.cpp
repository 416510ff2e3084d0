#include "TextureEditWatch.h"

#include "CoreStrings.h"
#include "TextureArchives.h"
#include "Translation.h"

#include "common/PrivateFolder.h"
#include "imaging/textures/TextureExport.h"
#include "imaging/textures/TextureImage.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>

using CoreStrings::toNative;
using Key = Translation::Key;

TextureEditWatch::TextureEditWatch(TextureArchives *textures, const QString &folder,
                                   QObject *parent)
    : QObject(parent), mTextures(textures), mFolder(folder)
{
    connect(&mWatcher, &QFileSystemWatcher::fileChanged, this, &TextureEditWatch::look);
    connect(&mWatcher, &QFileSystemWatcher::directoryChanged, this, &TextureEditWatch::look);
    // Another archive in the slot: its entries are no longer the ones out for editing.
    connect(textures, &TextureArchives::loaded, this, [this](int archive) { stop(archive); });
    connect(textures, &TextureArchives::texturesChanged, this, [this] { mChanged = true; });
}

TextureEditWatch::~TextureEditWatch() = default;

QString TextureEditWatch::pngName(int archive, std::int32_t entry) const
{
    const QString archiveName = QFileInfo(mTextures->source(archive)).completeBaseName();
    const std::string name =
        TextureExport::fileName(entry, mTextures->index(archive).Count(),
                                CoreStrings::toAnsi(mTextures->entryName(archive, entry)));
    return archiveName + QLatin1Char('_') + QString::fromStdString(name);
}

TextureEditWatch::Edit *TextureEditWatch::find(int archive, std::int32_t entry) const
{
    for (const auto &edit : mEdits)
        if (edit->archive == archive && edit->entry == entry)
            return edit.get();
    return nullptr;
}

TextureEditWatch::Edit *TextureEditWatch::find(const QString &path) const
{
    for (const auto &edit : mEdits)
        if (edit->path == path)
            return edit.get();
    return nullptr;
}

bool TextureEditWatch::isWatched(int archive, std::int32_t entry) const
{
    return find(archive, entry) != nullptr;
}

QString TextureEditWatch::start(int archive, std::int32_t entry, Reason *error)
{
    Edit *known = find(archive, entry);
    if (known && QFileInfo::exists(known->path))
        return known->path;
    Reason reason;
    if (!PrivateFolder::ensure(toNative(mFolder), &reason)) {
        *error = Reason(Reasons::Id::CannotMakeFolder,
                        {Reason(Reasons::Id::NamedLine, {toNative(mFolder), reason})});
        return QString();
    }
    TextureArchives::Bytes dds;
    if (!mTextures->entryTexture(archive, entry, dds, error))
        return QString();
    Picture picture;
    QString path = QDir(mFolder).filePath(pngName(archive, entry));
    if (!TextureImage::decodeDds(dds.data(), dds.size(), picture, &reason) ||
        !TextureExport::writePng(picture, toNative(path), &reason, FileIo::Sync::Cached)) {
        *error = reason;
        return QString();
    }
    if (!known) {
        auto edit = std::make_unique<Edit>();
        edit->archive = archive;
        edit->entry = entry;
        edit->loadNumber = mTextures->loadNumber(archive);
        edit->path = path;
        edit->timer = new QTimer(this);
        edit->timer->setSingleShot(true);
        Edit *raw = edit.get();
        connect(edit->timer, &QTimer::timeout, this, [this, raw] { settle(raw); });
        mEdits.push_back(std::move(edit));
        known = raw;
    }
    const QFileInfo written(path);
    known->size = written.size();
    known->modified = written.lastModified();
    if (!mWatcher.directories().contains(mFolder))
        mWatcher.addPath(mFolder);
    mWatcher.addPath(path);
    return path;
}

void TextureEditWatch::stop(int archive)
{
    for (auto it = mEdits.begin(); it != mEdits.end();) {
        if (archive != 0 && (*it)->archive != archive) {
            ++it;
            continue;
        }
        mWatcher.removePath((*it)->path);
        delete (*it)->timer;
        it = mEdits.erase(it);
    }
    if (mEdits.empty() && !mWatcher.directories().isEmpty())
        mWatcher.removePaths(mWatcher.directories());
}

void TextureEditWatch::look()
{
    for (const auto &edit : mEdits) {
        const QFileInfo file(edit->path);
        if (!file.exists())
            continue; // between an editor's delete and its rename: the folder tells when it is back
        // A file renamed over the old one is a new file: the watch follows the name again.
        if (!mWatcher.files().contains(edit->path))
            mWatcher.addPath(edit->path);
        if (file.size() == edit->size && file.lastModified() == edit->modified &&
            !edit->timer->isActive())
            continue;
        edit->size = file.size();
        edit->modified = file.lastModified();
        edit->timer->start(mSettleMs);
    }
}

bool TextureEditWatch::put(Edit *edit, TextureReplacer::Fit fit, Reason *error, bool *otherSize)
{
    *otherSize = false;
    if (edit->loadNumber != mTextures->loadNumber(edit->archive)) {
        *error = Reason(Reasons::Id::NoTextureShown);
        return false;
    }
    const QString step = Translation::text(
        Key::EditTextureStep, {QStringLiteral("%1").arg(edit->entry, 3, 10, QLatin1Char('0'))});
    mChanged = false;
    if (!mTextures->replaceEntry(edit->archive, edit->entry, edit->path, error, fit, step,
                                 otherSize))
        return false;
    // A save that changed no pixel made no step and is not worth a word.
    if (mChanged)
        emit taken(edit->archive, edit->entry, edit->path);
    return true;
}

void TextureEditWatch::settle(Edit *edit)
{
    const QFileInfo file(edit->path);
    if (!file.exists())
        return;
    if (file.size() != edit->size || file.lastModified() != edit->modified) {
        // Still moving: wait for it to rest.
        edit->size = file.size();
        edit->modified = file.lastModified();
        edit->timer->start(mSettleMs);
        return;
    }
    Reason error;
    bool otherSize = false;
    if (put(edit, TextureReplacer::Fit::Exact, &error, &otherSize))
        return;
    // Said once for this save: the next signal comes only with the next change of the file.
    if (otherSize)
        emit this->otherSize(edit->path, error);
    else
        emit refused(edit->path, error);
}

bool TextureEditWatch::takeResized(const QString &path, Reason *error)
{
    Edit *edit = find(path);
    if (!edit) {
        *error = Reason(Reasons::Id::NoTextureShown);
        return false;
    }
    bool otherSize = false;
    return put(edit, TextureReplacer::Fit::Resize, error, &otherSize);
}
