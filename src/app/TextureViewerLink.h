#pragma once
// Connects the texture viewer to the preview: "View…" under the preview or a double click on
// its picture opens the viewer, and while it is open it shows the texture of the selected boot
// as the texture document holds it.
#include <QObject>

class PreviewPanel;
class TextureArchives;
class QPushButton;
class frmTexture;

class TextureViewerLink : public QObject
{
    Q_OBJECT
public:
    /// Adds cmdViewTexture to `preview`, which shows entries of `textures`; the viewer is a
    /// window of `window`.
    TextureViewerLink(PreviewPanel *preview, const TextureArchives *textures, QWidget *window);

    /// Opens the viewer (made on first use) on the shown texture and brings it to the front.
    void open();
    /// The viewer, or null before it was first opened.
    frmTexture *viewer() const { return mViewer; }

signals:
    /// The viewer's Edit in Image Editor was pressed (for the shown texture).
    void editRequested();

private:
    void follow();

    PreviewPanel *mPreview;
    const TextureArchives *mTextures;
    QWidget *mWindow;
    frmTexture *mViewer = nullptr;
    QPushButton *cmdViewTexture;
};
