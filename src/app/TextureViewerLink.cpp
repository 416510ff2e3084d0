#include "TextureViewerLink.h"

#include "app/panels/PreviewPanel.h"
#include "app/windows/frmTexture.h"
#include "editor/BootsDocument.h"
#include "editor/TextureArchives.h"
#include "editor/Translation.h"

#include <QFileInfo>
#include <QPushButton>

TextureViewerLink::TextureViewerLink(PreviewPanel *preview, const BootsDocument *document,
                                     QWidget *window)
    : QObject(preview), mDocument(document), mTextures(&document->textures()), mWindow(window)
{
    cmdViewTexture = preview->button(QStringLiteral("cmdViewTexture"));
    cmdViewTexture->setEnabled(false);
    connect(cmdViewTexture, &QPushButton::clicked, this, &TextureViewerLink::open);
    connect(preview, &PreviewPanel::pictureDoubleClicked, this, [this] {
        if (cmdViewTexture->isEnabled())
            open();
    });
    connect(document, &BootsDocument::currentBootChanged, this, &TextureViewerLink::follow);
    connect(document, &BootsDocument::reset, this, &TextureViewerLink::follow);
    connect(mTextures, &TextureArchives::loaded, this, &TextureViewerLink::follow);
    // A replaced or imported texture, or its undo, shows at once.
    connect(mTextures, &TextureArchives::texturesChanged, this, &TextureViewerLink::follow);
}

void TextureViewerLink::open()
{
    if (!mViewer) {
        mViewer = new frmTexture(mWindow);
        connect(mViewer, &frmTexture::editRequested, this, &TextureViewerLink::editRequested);
    }
    mViewer->show();
    follow();
    mViewer->raise();
    mViewer->activateWindow();
}

void TextureViewerLink::follow()
{
    const TextureArchives::BootTexture at = mTextures->textureOf(mDocument->currentBoot());
    // A texture that cannot be decoded is still worth opening: the viewer says why.
    cmdViewTexture->setEnabled(at.found());
    // A hidden viewer reads nothing; opening it reads the texture shown then.
    if (!mViewer || !mViewer->isVisible())
        return;
    if (!at.found()) {
        mViewer->clear();
        return;
    }
    const QString source = QFileInfo(mTextures->source(at.archive)).fileName();
    const QString name = mTextures->entryName(at.archive, at.entry);
    TextureArchives::Bytes dds;
    Reason error;
    if (!mTextures->entryTexture(at.archive, at.entry, dds, &error)) {
        mViewer->setUnreadable(Translation::reason(error), source, at.entry, name);
        return;
    }
    mViewer->setTexture(std::move(dds), source, at.entry, name);
}
