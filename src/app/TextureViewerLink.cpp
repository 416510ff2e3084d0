#include "TextureViewerLink.h"

#include "GuiText.h"
#include "MainWindowTexts.h"
#include "PreviewPanel.h"
#include "frmTexture.h"

#include "common/Ansi.h"
#include "common/FileIo.h"
#include "textures/ArchiveEntry.h"

#include <QFileInfo>
#include <QPushButton>

TextureViewerLink::TextureViewerLink(PreviewPanel *preview, QWidget *window)
    : QObject(preview), mPreview(preview), mWindow(window)
{
    cmdViewTexture = preview->addButton(QStringLiteral("cmdViewTexture"),
                                        UiText::text(UiText::Key::ViewTexture));
    MainWindowTexts::setText(cmdViewTexture, UiText::Key::ViewTexture);
    cmdViewTexture->setEnabled(false);
    connect(cmdViewTexture, &QPushButton::clicked, this, &TextureViewerLink::open);
    connect(preview, &PreviewPanel::pictureDoubleClicked, this, [this] {
        if (mPreview->shownArchive() != 0)
            open();
    });
    connect(preview, &PreviewPanel::shownChanged, this, [this](bool shown) {
        cmdViewTexture->setEnabled(shown);
        follow();
    });
    connect(preview, &PreviewPanel::archiveLoaded, this,
            [this](int archive, const QString &path) { mSources[archive == 2 ? 1 : 0] = path; });
}

void TextureViewerLink::open()
{
    if (!mViewer)
        mViewer = new frmTexture(mWindow);
    mViewer->show();
    follow();
    mViewer->raise();
    mViewer->activateWindow();
}

void TextureViewerLink::follow()
{
    // A hidden viewer reads nothing; opening it reads the texture shown then.
    if (!mViewer || !mViewer->isVisible())
        return;
    const int archive = mPreview->shownArchive();
    if (archive == 0) {
        mViewer->clear();
        return;
    }
    const int number = mPreview->shownEntry();
    const ArchiveEntry entry = ArchiveEntry::of(mPreview->archiveIndex(archive), number);
    const std::string path = GuiText::toNative(mPreview->archivePath(archive));
    const QString source = QFileInfo(mSources[archive == 2 ? 1 : 0]).fileName();
    FileIo::Bytes name;
    FileIo::Bytes dds;
    std::string error;
    if (!FileIo::readFileRange(path, static_cast<std::uint64_t>(entry.nameOffset),
                               ArchiveEntry::kNameLength, name, &error) ||
        !FileIo::readFileRange(path, static_cast<std::uint64_t>(entry.textureOffset()),
                               static_cast<std::uint64_t>(entry.textureLength()), dds, &error)) {
        mViewer->setUnreadable(QString::fromStdString(error), source, number, QString());
        return;
    }
    std::string ansi(name.begin(), name.end());
    ansi = ansi.substr(0, ansi.find('\0'));
    mViewer->setTexture(std::move(dds), source, number, QString::fromStdString(Ansi::toUtf8(ansi)));
}
