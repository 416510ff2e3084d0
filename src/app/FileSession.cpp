#include "FileSession.h"

#include "EditorMemory.h"
#include "app/panels/TextureActions.h"
#include "app/ui/FileChooser.h"
#include "app/ui/Messages.h"
#include "desktop/AppFolders.h"
#include "editor/BootsDocument.h"
#include "editor/TextureArchives.h"
#include "editor/Translation.h"

#include <QDir>
#include <QFileInfo>

const char *const FileSession::kOpenFilter =
    "unnamed_1831.bin(dt0f.img)|*unnamed_1831.bin|*unnamed_28.bin(dt0c.img)|*unnamed_28.bin|"
    "All Files | *.*";

FileSession::FileSession(BootsDocument *document, const AppFolders &folders, QWidget *window)
    : QObject(window), mDocument(document), mFolders(folders), mWindow(window)
{
    setObjectName(QStringLiteral("fileSession"));
    connect(document, &BootsDocument::workingFileFailed, this,
            [this](const Reason &reason) { Messages::workingFileNotWritten(mWindow, reason); });
    const auto originalNotKept = [this](const QString &path, const Reason &reason) {
        emit note(Translation::text(Translation::Key::OriginalNotKept,
                                    {QDir::toNativeSeparators(path), Translation::reason(reason)}));
    };
    connect(document, &BootsDocument::originalNotKept, this, originalNotKept);
    connect(&document->textures(), &TextureArchives::originalNotKept, this, originalNotKept);
    connect(document, &BootsDocument::receiptsNotKept, this, [this](const Reason &reason) {
        emit note(
            Translation::text(Translation::Key::ReceiptsNotKept, {Translation::reason(reason)}));
    });
}

void FileSession::setMemory(const EditorMemory *memory, TextureActions *textures)
{
    mMemory = memory;
    mTextures = textures;
}

bool FileSession::refuseWorkingFile(const QString &path)
{
    if (!mFolders.isWorkingFile(path))
        return false;
    Messages::cannotOpen(mWindow, path, Reason(Reasons::Id::OwnWorkingFile));
    return true;
}

bool FileSession::maybeSave()
{
    if (!mDocument->isModified())
        return true;
    // The question names what differs: the boots, the textures, or both.
    QStringList archives;
    for (int archive = 1; archive <= 2; ++archive) {
        if (mDocument->textures().isModified(archive))
            archives << mDocument->textures().source(archive);
    }
    switch (Messages::unsavedEdits(mWindow, mDocument->gamePath(), mDocument->bootsModified(),
                                   archives)) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void FileSession::open()
{
    if (!maybeSave())
        return;
    const QString path =
        FileChooser::chooseFile(mWindow, QStringLiteral("CD"), QString::fromLatin1(kOpenFilter),
                                mMemory ? mMemory->bootsFolder() : QString());
    if (!path.isEmpty())
        openFile(path);
}

void FileSession::openAfterAsking(const QString &path)
{
    if (maybeSave())
        openFile(path);
}

bool FileSession::openFile(const QString &path)
{
    if (!mFolders.error().empty()) {
        Messages::cannotOpen(mWindow, path, mFolders.error());
        return false;
    }
    if (refuseWorkingFile(path))
        return false;
    Reason reason;
    if (!mDocument->open(path, &reason)) {
        Messages::errorFile(mWindow, Translation::text(Translation::Key::CannotOpen,
                                                       {QDir::toNativeSeparators(path)}) +
                                         QLatin1Char('\n') + Translation::reason(reason));
        return false;
    }
    if (mDocument->database().Count() > BootsDocument::kListLimit)
        Messages::recordLimit(mWindow, mDocument->database().Count(), BootsDocument::kListLimit);
    if (mMemory && mTextures && mMemory->loadsArchivesBeside())
        mTextures->loadArchivesBeside(mDocument->gamePath());
    return true;
}

bool FileSession::save()
{
    if (!mDocument->isOpen())
        return false;
    Reason reason;
    QString failedFile;
    if (!mDocument->save(&reason, &failedFile)) {
        Messages::cannotSave(mWindow, failedFile, reason);
        return false;
    }
    Messages::saved(mWindow);
    return true;
}

void FileSession::saveAs(const QString &caption)
{
    if (!mDocument->isOpen())
        return;
    const QString folder =
        FileChooser::chooseFolder(mWindow, QStringLiteral("saveAsFolder"),
                                  QFileInfo(mDocument->gamePath()).absolutePath(), caption);
    if (folder.isEmpty())
        return;
    if (!Messages::replaceFiles(mWindow, folder, mDocument->saveAsFiles(folder)))
        return;
    Reason reason;
    QString failedFile;
    if (!mDocument->saveAs(folder, &reason, &failedFile)) {
        Messages::cannotSave(mWindow, failedFile, reason);
        return;
    }
    Messages::saved(mWindow);
}
