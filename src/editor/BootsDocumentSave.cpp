// Saving the document: over the files it came from, or into another folder (Save As).
#include "BootsDocument.h"

#include "GuiText.h"
#include "TextureArchives.h"

#include "UiText.h"
#include "common/FileIo.h"

#include <QDir>
#include <QFileInfo>

using GuiText::toNative;
using UiText::Key;

bool BootsDocument::save(QString *error, QString *failedFile)
{
    return saveTo(mGamePath, QString(), error, failedFile);
}

bool BootsDocument::saveAs(const QString &folder, QString *error, QString *failedFile)
{
    return saveTo(saveAsFiles(folder).value(0), folder, error, failedFile);
}

QStringList BootsDocument::saveAsFiles(const QString &folder) const
{
    if (!isOpen())
        return {};
    const QDir into(folder);
    QStringList files{into.absoluteFilePath(QFileInfo(mGamePath).fileName())};
    for (int archive = 1; archive <= 2; ++archive) {
        if (mTextures->isModified(archive))
            files << into.absoluteFilePath(QFileInfo(mTextures->source(archive)).fileName());
    }
    return files;
}

bool BootsDocument::saveTo(const QString &gamePath, const QString &archiveFolder, QString *error,
                           QString *failedFile)
{
    if (!isOpen()) {
        *error = UiText::text(Key::NoFileOpen);
        return false;
    }
    // Each archive is saved on its own; one that fails keeps only itself modified. One saved
    // into another folder is worked on there from now on, whatever becomes of the rest.
    QString archiveFile;
    QString archiveError;
    bool moved = false;
    const bool archivesSaved =
        mTextures->saveInto(archiveFolder, &archiveFile, &archiveError, &moved);
    const bool bootsSaved = saveBoots(gamePath, error);
    if (failedFile)
        *failedFile = gamePath;
    if (bootsSaved && gamePath != mGamePath) {
        mGamePath = gamePath;
        moved = true;
    }
    if (moved)
        emit filesMoved();
    if (!bootsSaved)
        return false;
    mSavedRecords = mDb.records();
    if (!archivesSaved) {
        updateModified();
        *error = archiveError;
        if (failedFile)
            *failedFile = archiveFile;
        return false;
    }
    mUndoStack.setClean();
    updateModified();
    return true;
}

bool BootsDocument::saveBoots(const QString &gamePath, QString *error)
{
    if (!mDb.Zapisz("")) {
        *error = UiText::text(Key::WorkingFileNotWritten, {UiText::reason(mDb.errorReason())});
        return false;
    }
    const std::string working = mDb.Path();
    if (!mZlib.PackWesys(working)) {
        *error = UiText::text(Key::NotCompressed, {UiText::reason(mZlib.errorReason())});
        return false;
    }
    const std::string target = toNative(gamePath);
    Reason reason;
    FileIo::removeLeftoverTemporaries(target); // of a save that was killed
    if (!FileIo::copyFileAtomic(working + ".zlib", target, &reason)) {
        *error = UiText::reason(reason);
        return false;
    }
    return true;
}
