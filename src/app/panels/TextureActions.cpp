#include "TextureActions.h"

#include "PreviewPanel.h"
#include "app/ui/FileChooser.h"
#include "app/ui/MainWindowTexts.h"
#include "app/ui/Messages.h"
#include "editor/BootsDocument.h"
#include "editor/GuiText.h"
#include "editor/TextureArchives.h"

#include "common/FileIo.h"
#include "editor/UiText.h"
#include "imaging/textures/TextureExport.h"
#include "imaging/textures/TextureSet.h"

#include <QCheckBox>
#include <QProgressDialog>
#include <QPushButton>
#include <memory>

using GuiText::toNative;
using Key = UiText::Key;

namespace {

QString fromCore(const Reason &reason)
{
    return UiText::reason(reason);
}

// Up to this many pictures are read without a progress dialog.
constexpr std::size_t kFewPictures = 4;

// Lines of a folder's import or export, each naming its file or entry before the reason.
QStringList fromCore(const std::vector<Reason> &lines)
{
    return UiText::reasons(lines);
}

} // namespace

TextureActions::TextureActions(PreviewPanel *preview, BootsDocument *document, QWidget *window)
    : QObject(preview), mPreview(preview), mTextures(&document->textures()), mWindow(window)
{
    cmdExportTexture =
        preview->addButton(QStringLiteral("cmdExportTexture"), UiText::text(Key::ExportTexture));
    cmdReplaceTexture =
        preview->addButton(QStringLiteral("cmdReplaceTexture"), UiText::text(Key::ReplaceTexture));
    cmdExportTextures =
        preview->addButton(QStringLiteral("cmdExportTextures"), UiText::text(Key::ExportTextures));
    cmdImportTextures =
        preview->addButton(QStringLiteral("cmdImportTextures"), UiText::text(Key::ImportTextures));
    chkAlpha = new QCheckBox(UiText::text(Key::ShowAlpha));
    chkAlpha->setObjectName(QStringLiteral("chkAlpha"));
    chkAlpha->setChecked(true);
    preview->addControl(chkAlpha);
    // Registered, so that a change of language re-captions them.
    MainWindowTexts::setText(cmdExportTexture, Key::ExportTexture);
    MainWindowTexts::setText(cmdReplaceTexture, Key::ReplaceTexture);
    MainWindowTexts::setText(cmdExportTextures, Key::ExportTextures);
    MainWindowTexts::setText(cmdImportTextures, Key::ImportTextures);
    MainWindowTexts::setText(chkAlpha, Key::ShowAlpha);
    const QList<QPushButton *> buttons = {cmdExportTexture, cmdReplaceTexture, cmdExportTextures,
                                          cmdImportTextures};
    for (QPushButton *button : buttons)
        button->setEnabled(false);

    connect(cmdExportTexture, &QPushButton::clicked, this, &TextureActions::chooseExport);
    connect(cmdReplaceTexture, &QPushButton::clicked, this, &TextureActions::chooseReplacement);
    connect(cmdExportTextures, &QPushButton::clicked, this, &TextureActions::chooseExportFolder);
    connect(cmdImportTextures, &QPushButton::clicked, this, &TextureActions::chooseImportFolder);
    connect(chkAlpha, &QCheckBox::toggled, preview, &PreviewPanel::setShowAlpha);
    connect(preview, &PreviewPanel::shownChanged, this, [buttons](bool shown) {
        for (QPushButton *button : buttons)
            button->setEnabled(shown);
    });
    connect(mTextures, &TextureArchives::failed, this,
            [this](const QString &source, const QString &reason) {
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
    QString error;
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

QString TextureActions::chooseFolder()
{
    QString folder = FileChooser::chooseFolder(mWindow, QStringLiteral("CDTextureFolder"), mFolder);
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
    const QString folder = chooseFolder();
    if (!folder.isEmpty())
        importTextures(folder);
}

bool TextureActions::exportShownTexture(const QString &path)
{
    if (mPreview->shownArchive() == 0) {
        Messages::cannotExportTexture(mWindow, path, UiText::text(Key::NoTextureShown));
        return false;
    }
    Reason error;
    if (TextureExport::writePng(mPreview->shownPicture(), toNative(path), &error))
        return true;
    Messages::cannotExportTexture(mWindow, path, fromCore(error));
    return false;
}

bool TextureActions::replaceShownTexture(const QString &imagePath)
{
    QString error;
    if (mPreview->shownArchive() == 0)
        error = UiText::text(Key::NoTextureShown);
    else if (mTextures->replaceEntry(mPreview->shownArchive(), mPreview->shownEntry(), imagePath,
                                     &error))
        return true;
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
        Messages::cannotExportTextures(mWindow, folder, UiText::text(Key::NoTextureShown));
        return false;
    }
    if (FileIo::readFile(toNative(mTextures->workingCopy(number)), archive, &error) &&
        TextureSet::exportAll(archive, mTextures->index(number), toNative(folder), exported,
                              &error)) {
        Messages::texturesExported(mWindow, exported.written, folder, fromCore(exported.skipped));
        return true;
    }
    Messages::cannotExportTextures(mWindow, folder, fromCore(error));
    return false;
}

bool TextureActions::importTextures(const QString &folder)
{
    const int number = mPreview->shownArchive();
    if (number == 0) {
        Messages::cannotImportTextures(mWindow, folder, UiText::text(Key::NoTextureShown));
        return false;
    }
    std::unique_ptr<QProgressDialog> progress;
    const auto onProgress = [&](std::size_t done, std::size_t total) {
        if (!progress && total > kFewPictures) {
            progress = std::make_unique<QProgressDialog>(mWindow); // Qt's own Cancel
            progress->setLabelText(UiText::text(Key::ReadingPictures));
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
    QString error;
    const bool imported = mTextures->importFolder(number, folder, outcome, &error, onProgress);
    progress.reset();
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
        QString error;
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
