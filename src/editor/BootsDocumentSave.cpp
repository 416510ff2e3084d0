// Saving the document: over the files it came from, or into another folder (Save As).
#include "BootsDocument.h"

#include "AppliedPacks.h"
#include "CoreStrings.h"
#include "TextureArchives.h"
#include "common/FileIo.h"

#include <QDir>
#include <QFileInfo>

using CoreStrings::toNative;

bool BootsDocument::save(Reason *error, QString *failedFile)
{
    return saveTo(mGamePath, QString(), error, failedFile);
}

bool BootsDocument::saveAs(const QString &folder, Reason *error, QString *failedFile)
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

bool BootsDocument::saveTo(const QString &gamePath, const QString &archiveFolder, Reason *error,
                           QString *failedFile)
{
    if (!isOpen()) {
        *error = Reason(Reasons::Id::NoFileOpen);
        return false;
    }
    // Each archive is saved on its own; one that fails keeps only itself modified. One saved
    // into another folder is worked on there from now on, whatever becomes of the rest.
    QString archiveFile;
    Reason archiveError;
    bool moved = false;
    const bool archivesSaved =
        mTextures->saveInto(archiveFolder, &archiveError, &archiveFile, &moved);
    const bool bootsSaved = saveBoots(gamePath, error);
    if (failedFile)
        *failedFile = gamePath;
    if (bootsSaved && gamePath != mGamePath) {
        mGamePath = gamePath;
        mApplied->moveTo(gamePath);
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
    // The receipts of the packs applied speak of the files as saved.
    if (Reason notKept; !mApplied->keep(&notKept))
        emit receiptsNotKept(notKept);
    return true;
}

bool BootsDocument::saveBoots(const QString &gamePath, Reason *error)
{
    if (!mDb.Zapisz("")) {
        *error = Reason(Reasons::Id::WorkingFileNotWritten, {mDb.errorReason()});
        return false;
    }
    const std::string working = mDb.Path();
    if (!mZlib.PackWesys(working)) {
        *error = Reason(Reasons::Id::NotCompressed, {mZlib.errorReason()});
        return false;
    }
    const std::string target = toNative(gamePath);
    FileIo::removeLeftoverTemporaries(target); // of a save that was killed
    return FileIo::copyFileAtomic(working + ".zlib", target, error);
}
