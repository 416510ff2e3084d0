#include "TextureActions.h"

#include "PreviewPanel.h"
#include "app/ui/FileChooser.h"
#include "app/ui/Messages.h"
#include "app/ui/WindowCaptions.h"
#include "editor/BootsDocument.h"
#include "editor/CoreStrings.h"
#include "editor/TextureArchives.h"
#include "editor/TextureEditWatch.h"

#include "common/FileIo.h"
#include "desktop/DesktopLaunch.h"
#include "editor/Translation.h"
#include "imaging/textures/TextureExport.h"
#include "imaging/textures/TextureSet.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <algorithm>
#include <memory>

using CoreStrings::fromAnsi;
using CoreStrings::toNative;
using Key = Translation::Key;

namespace {

// Up to this many pictures are read without a progress dialog.
constexpr std::size_t kFewPictures = 4;

// Lines of a folder's import or export, each naming its file or entry before the reason.
QStringList fromCore(const std::vector<Reason> &lines)
{
    return Translation::reasons(lines);
}

} // namespace

TextureActions::TextureActions(PreviewPanel *preview, BootsDocument *document, QWidget *window)
    : QObject(preview), mPreview(preview), mDocument(document), mTextures(&document->textures()),
      mWindow(window)
{
    cmdExportTexture = preview->button(QStringLiteral("cmdExportTexture"));
    cmdReplaceTexture = preview->button(QStringLiteral("cmdReplaceTexture"));
    cmdExportTextures = preview->button(QStringLiteral("cmdExportTextures"));
    cmdImportTextures = preview->button(QStringLiteral("cmdImportTextures"));
    cmdEditTexture = preview->button(QStringLiteral("cmdEditTexture"));
    chkAlpha = preview->alphaBox();
    const QList<QPushButton *> buttons = {cmdExportTexture, cmdReplaceTexture, cmdExportTextures,
                                          cmdImportTextures, cmdEditTexture};
    for (QPushButton *button : buttons)
        button->setEnabled(false);

    connect(cmdExportTexture, &QPushButton::clicked, this, &TextureActions::chooseExport);
    connect(cmdReplaceTexture, &QPushButton::clicked, this, &TextureActions::chooseReplacement);
    connect(cmdExportTextures, &QPushButton::clicked, this, &TextureActions::chooseExportFolder);
    connect(cmdImportTextures, &QPushButton::clicked, this, &TextureActions::chooseImportFolder);
    connect(cmdEditTexture, &QPushButton::clicked, this, &TextureActions::editShownTexture);
    connect(preview, &PreviewPanel::shownChanged, this, [buttons](bool shown) {
        for (QPushButton *button : buttons)
            button->setEnabled(shown);
    });
    connect(mTextures, &TextureArchives::failed, this,
            [this](const QString &source, const Reason &reason) {
                Messages::cannotChangeTexture(mWindow, source, reason);
            });
    connect(preview, &PreviewPanel::loadRequested, this, &TextureActions::chooseArchive);
}

void TextureActions::chooseArchive(int number)
{
    const QString name =
        number == 1 ? QStringLiteral("unnamed_5756.bin") : QStringLiteral("unnamed_2113.bin");
    const QString path = FileChooser::chooseFile(mWindow, QStringLiteral("CDT"),
                                                 name + QLatin1Char('|') + name, mArchiveFolder);
    if (!path.isEmpty())
        loadArchive(number, path);
}

bool TextureActions::loadArchive(int number, const QString &path)
{
    mLoadDeclined = false;
    if (mRefuse && mRefuse(path))
        return false;
    if (!mayReplaceArchive(number)) {
        mLoadDeclined = true;
        return false;
    }
    Reason error;
    if (!mTextures->load(number, path, &error)) {
        Messages::cannotLoadArchive(mWindow, path, error);
        return false;
    }
    if (mTextures->index(number).Count() == 0)
        Messages::emptyArchive(mWindow);
    return true;
}

void TextureActions::chooseExport()
{
    // Proposed in the folder of the last export (or of the texture folders).
    const QString name = proposedExportName();
    const QString path = FileChooser::chooseSaveFile(
        mWindow, QStringLiteral("CDTexture"),
        Translation::text(Key::PngImage) + QStringLiteral("|*.png"), QStringLiteral("png"),
        mFolder.isEmpty() ? name : QDir(mFolder).filePath(name));
    if (!path.isEmpty())
        exportShownTexture(path);
}

void TextureActions::chooseReplacement()
{
    const QString filter = Translation::text(Key::TextureImages) +
                           QStringLiteral("|*.png *.bmp *.tga *.jpg *.jpeg *.dds|") +
                           Translation::text(Key::AllFiles) + QStringLiteral("|*.*");
    const QString path = FileChooser::chooseFile(mWindow, QStringLiteral("CDReplace"), filter);
    if (!path.isEmpty())
        replaceShownTexture(path);
}

QString TextureActions::chooseFolder(const QString &title)
{
    QString folder =
        FileChooser::chooseFolder(mWindow, QStringLiteral("CDTextureFolder"), mFolder, title);
    if (!folder.isEmpty()) {
        mFolder = folder;
        emit textureFolderChosen(folder);
    }
    return folder;
}

void TextureActions::chooseExportFolder()
{
    const QString folder = chooseFolder();
    if (!folder.isEmpty())
        exportAllTextures(folder);
}

void TextureActions::chooseImportFolder()
{
    // The title names the archive the pictures go into, so that a folder of the other one is
    // not taken for it.
    const int number = mPreview->shownArchive();
    const QString folder = chooseFolder(
        number == 0 ? QString()
                    : Translation::text(Translation::Key::ImportTexturesInto,
                                        {QFileInfo(mTextures->source(number)).fileName()}));
    if (!folder.isEmpty())
        importTextures(folder);
}

bool TextureActions::exportShownTexture(const QString &path)
{
    if (mPreview->shownArchive() == 0) {
        Messages::cannotExportTexture(mWindow, path, Reason(Reasons::Id::NoTextureShown));
        return false;
    }
    Reason error;
    if (TextureExport::writePng(mPreview->shownPicture(), toNative(path), &error)) {
        mFolder = QFileInfo(path).absolutePath();
        emit textureFolderChosen(mFolder);
        emit note(Translation::text(Key::TextureWritten, {QDir::toNativeSeparators(path)}));
        return true;
    }
    Messages::cannotExportTexture(mWindow, path, error);
    return false;
}

bool TextureActions::replaceShownTexture(const QString &imagePath)
{
    Reason error;
    bool otherSize = false;
    const int archive = mPreview->shownArchive();
    if (archive == 0)
        error = Reason(Reasons::Id::NoTextureShown);
    else if (mTextures->replaceEntry(archive, mPreview->shownEntry(), imagePath, &error,
                                     TextureReplacer::Fit::Exact, QString(), &otherSize))
        return true;
    // Another size: resized only when the user says so; otherwise the question said it all.
    if (otherSize) {
        if (!Messages::resizePicture(mWindow, QFileInfo(imagePath).fileName(), error))
            return false;
        if (mTextures->replaceEntry(archive, mPreview->shownEntry(), imagePath, &error,
                                    TextureReplacer::Fit::Resize))
            return true;
    }
    Messages::cannotReplaceTexture(mWindow, imagePath, error);
    return false;
}

bool TextureActions::exportAllTextures(const QString &folder)
{
    const int number = mPreview->shownArchive();
    FileIo::Bytes archive;
    Reason error;
    TextureSet::Exported exported;
    if (number == 0) {
        Messages::cannotExportTextures(mWindow, folder, Reason(Reasons::Id::NoTextureShown));
        return false;
    }
    if (FileIo::readFile(toNative(mTextures->workingCopy(number)), archive, &error) &&
        TextureSet::exportAll(
            archive, mTextures->index(number),
            toNative(QFileInfo(mTextures->source(number)).fileName()), toNative(folder), exported,
            &error, [this, number](std::int32_t entry) {
                std::vector<std::string> names;
                for (const int boot : bootsOf(number, entry))
                    names.push_back(
                        fromAnsi(mDocument->database().Get_Nazwa(static_cast<std::uint8_t>(boot)))
                            .toStdString());
                return names;
            })) {
        Messages::texturesExported(mWindow, exported.written, folder, fromCore(exported.skipped));
        return true;
    }
    Messages::cannotExportTextures(mWindow, folder, error);
    return false;
}

bool TextureActions::importTextures(const QString &folder)
{
    const int number = mPreview->shownArchive();
    if (number == 0) {
        Messages::cannotImportTextures(mWindow, folder, Reason(Reasons::Id::NoTextureShown));
        return false;
    }
    std::unique_ptr<QProgressDialog> progress;
    const auto onProgress = [&](std::size_t done, std::size_t total) {
        if (!progress && total > kFewPictures) {
            progress = std::make_unique<QProgressDialog>(mWindow); // Qt's own Cancel
            progress->setLabelText(Translation::text(Key::ReadingPictures));
            progress->setRange(0, static_cast<int>(total));
            progress->setObjectName(QStringLiteral("progressTextures"));
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(0);
        }
        if (!progress)
            return true;
        progress->setValue(static_cast<int>(done)); // a modal dialog handles events here
        return !progress->wasCanceled();
    };
    TextureSet::Outcome outcome;
    Reason error;
    bool imported = mTextures->importFolder(number, folder, outcome, &error, onProgress);
    progress.reset();
    // Pictures refused for their size alone: resized when the user says so.
    if (!outcome.cancelled && !outcome.problems.empty() &&
        outcome.otherSize == static_cast<int>(outcome.problems.size())) {
        if (!Messages::resizePictures(mWindow, outcome.otherSize, fromCore(outcome.problems)))
            return false;
        imported = mTextures->importFolder(number, folder, outcome, &error, onProgress,
                                           TextureReplacer::Fit::Resize);
        progress.reset();
    }
    if (outcome.cancelled)
        return false;
    if (!outcome.problems.empty()) {
        Messages::texturesNotImported(mWindow, folder, fromCore(outcome.problems));
        return false;
    }
    if (!imported) {
        Messages::cannotImportTextures(mWindow, folder, error);
        return false;
    }
    Messages::texturesImported(mWindow, static_cast<int>(outcome.replaced.size()),
                               outcome.unchanged, static_cast<int>(outcome.skipped.size()),
                               mTextures->source(number));
    return true;
}

bool TextureActions::mayReplaceArchive(int number)
{
    if (!mTextures->isModified(number))
        return true;
    switch (Messages::unsavedTextures(mWindow, mTextures->source(number))) {
    case QMessageBox::Save: {
        Reason error;
        if (mTextures->saveArchive(number, &error))
            return true;
        Messages::cannotSave(mWindow, mTextures->source(number), error);
        return false;
    }
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

std::vector<int> TextureActions::bootsOf(int archive, int entry) const
{
    const int boot = mTextures->bootOf(archive, entry);
    if (boot < 0 || boot >= mDocument->listedCount())
        return {};
    return {boot};
}

QString TextureActions::proposedExportName() const
{
    const int archive = mPreview->shownArchive();
    const QString entryName = mTextures->entryName(archive, mPreview->shownEntry()).trimmed();
    const std::vector<int> boots = bootsOf(archive, mPreview->shownEntry());
    QString name = entryName.isEmpty() ? QStringLiteral("texture") : entryName;
    if (!boots.empty()) {
        const QString boot =
            fromAnsi(mDocument->database().Get_Nazwa(static_cast<std::uint8_t>(boots.front())))
                .trimmed();
        if (!boot.isEmpty())
            name = boot + QStringLiteral(" (") + name + QLatin1Char(')');
    }
    // Characters no file name on any of the users' systems may hold.
    for (QChar &c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    if (name.startsWith(QLatin1Char('.')))
        name[0] = QLatin1Char('_');
    return name + QStringLiteral(".png");
}

bool TextureActions::loadArchivesBeside(const QString &bootsFile)
{
    const QDir folder = QFileInfo(bootsFile).absoluteDir();
    QStringList found;
    for (const QString &name :
         {QStringLiteral("unnamed_5756.bin"), QStringLiteral("unnamed_2113.bin")}) {
        // Game files copied from Windows may come in any case.
        const QStringList matches = folder.entryList({name}, QDir::Files);
        if (matches.isEmpty())
            return false;
        found << folder.filePath(matches.front());
    }
    bool loaded = true;
    for (int number = 1; number <= 2; ++number) {
        const QString path = found[number - 1];
        if (mTextures->isLoaded(number) && !mTextures->isModified(number) &&
            QFileInfo(mTextures->source(number)) == QFileInfo(path))
            continue;
        loaded = loadArchive(number, path) && loaded;
        if (mLoadDeclined)
            return false;
    }
    return loaded;
}

void TextureActions::setEditFolder(const QString &folder)
{
    delete mWatch;
    mWatch = new TextureEditWatch(mTextures, folder, this);
    // A closed or another boots file: the textures out for editing are no longer its.
    connect(mDocument, &BootsDocument::reset, mWatch, [this] { mWatch->stop(); });
    connect(mWatch, &TextureEditWatch::taken, this, [this](int, std::int32_t, const QString &path) {
        emit note(Translation::text(Key::TextureEditTaken, {QFileInfo(path).fileName()}));
    });
    connect(mWatch, &TextureEditWatch::refused, this,
            [this](const QString &path, const Reason &reason) {
                emit note(
                    Translation::text(Key::TextureEditRefused,
                                      {QFileInfo(path).fileName(), Translation::reason(reason)}));
            });
    connect(mWatch, &TextureEditWatch::otherSize, this, &TextureActions::editSaveOfOtherSize);
}

void TextureActions::editSaveOfOtherSize(const QString &path, const Reason &reason)
{
    Reason error = reason;
    if (Messages::resizePicture(mWindow, QFileInfo(path).fileName(), reason) &&
        mWatch->takeResized(path, &error))
        return;
    emit note(Translation::text(Key::TextureEditRefused,
                                {QFileInfo(path).fileName(), Translation::reason(error)}));
}

bool TextureActions::editShownTexture()
{
    const int archive = mPreview->shownArchive();
    Reason error(Reasons::Id::NoTextureShown);
    const QString png = archive == 0 || !mWatch
                            ? QString()
                            : mWatch->start(archive, mPreview->shownEntry(), &error);
    if (png.isEmpty()) {
        Messages::cannotEditTexture(mWindow, error);
        return false;
    }
    // The editor runs on its own: its saves come back through the watch, whenever they come.
    // Whether it started is known only later; a failure is a line in the status bar.
    const QString what = QDir::toNativeSeparators(mEditorProgram.isEmpty() ? png : mEditorProgram);
    DesktopLaunch::open(png, mEditorProgram, this, [this, what] {
        emit note(Translation::text(Key::CannotEditTexture, {what}));
    });
    return true;
}
