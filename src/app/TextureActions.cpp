#include "TextureActions.h"

#include "BootsDocument.h"
#include "FileChooser.h"
#include "GuiText.h"
#include "MainWindowTexts.h"
#include "Messages.h"
#include "PreviewPanel.h"
#include "ReplaceTextureCommand.h"

#include "common/FileIo.h"
#include "language/UiText.h"
#include "textures/ArchiveSaver.h"
#include "textures/TextureExport.h"
#include "textures/TextureImage.h"
#include "textures/TextureReplacer.h"

#include <QCheckBox>
#include <QPushButton>

using GuiText::toNative;
using Key = UiText::Key;

namespace {

QString fromCore(const std::string &reason)
{
    return UiText::reason(reason);
}

// Reads the picture or DDS file at `imagePath` into the entry of the unwrapped archive.
bool replaceEntry(FileIo::Bytes &archive, const ArchiveEntry &entry, const QString &imagePath,
                  std::string *error)
{
    FileIo::Bytes image;
    return FileIo::readFile(toNative(imagePath), image, error) &&
           TextureReplacer::replaceWithFile(archive, entry, image, toNative(imagePath), error);
}

} // namespace

TextureActions::TextureActions(PreviewPanel *preview, BootsDocument *document, QWidget *window)
    : QObject(preview), mPreview(preview), mDocument(document), mWindow(window)
{
    cmdExportTexture =
        preview->addButton(QStringLiteral("cmdExportTexture"), UiText::text(Key::ExportTexture));
    cmdReplaceTexture =
        preview->addButton(QStringLiteral("cmdReplaceTexture"), UiText::text(Key::ReplaceTexture));
    chkAlpha = new QCheckBox(UiText::text(Key::ShowAlpha));
    chkAlpha->setObjectName(QStringLiteral("chkAlpha"));
    chkAlpha->setChecked(true);
    preview->addControl(chkAlpha);
    // Registered, so that a change of language re-captions them.
    MainWindowTexts::setText(cmdExportTexture, Key::ExportTexture);
    MainWindowTexts::setText(cmdReplaceTexture, Key::ReplaceTexture);
    MainWindowTexts::setText(chkAlpha, Key::ShowAlpha);
    for (QPushButton *button : {cmdExportTexture, cmdReplaceTexture})
        button->setEnabled(false);

    connect(cmdExportTexture, &QPushButton::clicked, this, &TextureActions::chooseExport);
    connect(cmdReplaceTexture, &QPushButton::clicked, this, &TextureActions::chooseReplacement);
    connect(chkAlpha, &QCheckBox::toggled, preview, &PreviewPanel::setShowAlpha);
    connect(preview, &PreviewPanel::shownChanged, this, [this](bool shown) {
        cmdExportTexture->setEnabled(shown);
        cmdReplaceTexture->setEnabled(shown);
    });
    connect(preview, &PreviewPanel::archiveLoaded, this, &TextureActions::archiveLoaded);
    connect(document, &BootsDocument::reset, this, &TextureActions::discardChanges);
    preview->setLoadGuard([this](int number) { return mayReplaceArchive(number); });
}

void TextureActions::chooseExport()
{
    const QString path = FileChooser::chooseSaveFile(
        mWindow, QStringLiteral("CDTexture"),
        UiText::text(Key::PngImage) + QStringLiteral("|*.png"), QStringLiteral("png"));
    if (!path.isEmpty())
        exportShownTexture(path);
}

void TextureActions::chooseReplacement()
{
    const QString filter = UiText::text(Key::TextureImages) +
                           QStringLiteral("|*.png *.bmp *.tga *.jpg *.jpeg *.dds|") +
                           UiText::text(Key::AllFiles) + QStringLiteral("|*.*");
    const QString path = FileChooser::chooseFile(mWindow, QStringLiteral("CDReplace"), filter);
    if (!path.isEmpty())
        replaceShownTexture(path);
}

bool TextureActions::exportShownTexture(const QString &path)
{
    if (mPreview->shownArchive() == 0) {
        Messages::cannotExportTexture(mWindow, path, UiText::text(Key::NoTextureShown));
        return false;
    }
    std::string error;
    if (TextureExport::writePng(mPreview->shownPicture(), toNative(path), &error))
        return true;
    Messages::cannotExportTexture(mWindow, path, fromCore(error));
    return false;
}

bool TextureActions::replaceShownTexture(const QString &imagePath)
{
    const int number = mPreview->shownArchive();
    if (number == 0) {
        Messages::cannotReplaceTexture(mWindow, imagePath, UiText::text(Key::NoTextureShown));
        return false;
    }
    ReplaceTextureCommand::Change change;
    change.archive = number;
    change.generation = archive(number).generation;
    change.entry = mPreview->shownEntry();
    const ArchiveEntry entry = ArchiveEntry::of(mPreview->archiveIndex(number), change.entry);
    const std::string workingCopy = toNative(mPreview->archivePath(number));
    FileIo::Bytes bytes;
    std::string error;
    // The working copy is written only once the new texture is whole.
    if (!FileIo::readFile(workingCopy, bytes, &error) ||
        !TextureReplacer::entryTexture(bytes, entry, change.before, &error) ||
        !replaceEntry(bytes, entry, imagePath, &error) ||
        !TextureReplacer::entryTexture(bytes, entry, change.after, &error)) {
        Messages::cannotReplaceTexture(mWindow, imagePath, fromCore(error));
        return false;
    }
    if (!FileIo::writeNamedFile(workingCopy, bytes, &error, FileIo::Sync::Cached)) {
        Messages::cannotReplaceTexture(
            mWindow, imagePath, UiText::text(Key::CannotWriteWorkingFile, {fromCore(error)}));
        return false;
    }
    archive(number).changed = true;
    mPreview->refreshShown();
    mDocument->undoStack()->push(
        new ReplaceTextureCommand(this, UiText::text(Key::ReplaceTexture), std::move(change)));
    return true;
}

bool TextureActions::isCurrent(int number, int generation) const
{
    return mArchives[number == 2 ? 1 : 0].generation == generation;
}

bool TextureActions::putTexture(int number, int entryIndex, const std::vector<std::uint8_t> &dds)
{
    const ArchiveEntry entry = ArchiveEntry::of(mPreview->archiveIndex(number), entryIndex);
    const std::string workingCopy = toNative(mPreview->archivePath(number));
    FileIo::Bytes bytes;
    std::string error;
    if (!FileIo::readFile(workingCopy, bytes, &error) ||
        !TextureReplacer::replaceWithDds(bytes, entry, dds, &error) ||
        !FileIo::writeNamedFile(workingCopy, bytes, &error, FileIo::Sync::Cached)) {
        Messages::cannotChangeTexture(mWindow, archive(number).source, fromCore(error));
        return false;
    }
    archive(number).changed = true;
    if (mPreview->shownArchive() == number && mPreview->shownEntry() == entryIndex)
        mPreview->refreshShown();
    return true;
}

void TextureActions::archiveLoaded(int number, const QString &path)
{
    Archive &a = archive(number);
    a.source = path;
    a.changed = false;
    ++a.generation; // the undo steps of the archive it replaced go void
}

bool TextureActions::mayReplaceArchive(int number)
{
    if (!archive(number).changed)
        return true;
    switch (Messages::unsavedTextures(mWindow, archive(number).source)) {
    case QMessageBox::Save:
        return saveArchive(number);
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool TextureActions::saveArchive(int number)
{
    Archive &a = archive(number);
    FileIo::Bytes bytes;
    std::string error;
    if (!FileIo::readFile(toNative(mPreview->archivePath(number)), bytes, &error) ||
        !ArchiveSaver::save(bytes, toNative(a.source), &error)) {
        Messages::cannotSave(mWindow, a.source, fromCore(error));
        return false;
    }
    a.changed = false;
    return true;
}

bool TextureActions::saveChangedArchives()
{
    bool all = true;
    for (int number = 1; number <= 2; ++number) {
        if (archive(number).changed && !saveArchive(number))
            all = false;
    }
    return all;
}

void TextureActions::discardChanges()
{
    // The boots file was closed or another opened: its undo steps are gone, and replacements
    // it did not save (the user discarded them) leave the working copies too.
    for (int number = 1; number <= 2; ++number) {
        Archive &a = archive(number);
        if (!a.changed)
            continue;
        a.changed = false;
        // An archive that no longer loads has said why; its working copy is then no longer
        // saved, as the user chose.
        if (!mPreview->loadArchive(number, a.source))
            qWarning("The texture archive could not be loaded again after its changes were "
                     "discarded.");
    }
}
