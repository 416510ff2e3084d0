#include "TextureViewerLink.h"

#include "app/panels/PreviewPanel.h"
#include "app/ui/MainWindowTexts.h"
#include "app/windows/frmTexture.h"
#include "editor/TextureArchives.h"


#include <QFileInfo>
#include <QPushButton>

TextureViewerLink::TextureViewerLink(PreviewPanel *preview, const TextureArchives *textures,
                                     QWidget *window)
    : QObject(preview), mPreview(preview), mTextures(textures), mWindow(window)
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
    // A replaced or imported texture, or its undo, shows at once.
    connect(textures, &TextureArchives::texturesChanged, this, &TextureViewerLink::follow);
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
    const QString source = QFileInfo(mTextures->source(archive)).fileName();
    TextureArchives::Bytes dds;
    QString error;
    if (!mTextures->entryTexture(archive, number, dds, &error)) {
        mViewer->setUnreadable(error, source, number, QString());
        return;
    }
    mViewer->setTexture(std::move(dds), source, number, mTextures->entryName(archive, number));
}
