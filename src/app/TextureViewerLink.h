#pragma once
// Connects the texture viewer to the documents: "View…" under the preview or a double click on
// its picture opens the viewer, and while it is open it shows the texture of the current boot
// as the texture document holds it (or why it cannot).
#include <QObject>

class BootsDocument;
class PreviewPanel;
class TextureArchives;
class QPushButton;
class frmTexture;

class TextureViewerLink : public QObject
{
    Q_OBJECT
public:
    /// Adds cmdViewTexture to `preview`, usable while the current boot of `document` has a
    /// texture; the viewer is a window of `window`.
    TextureViewerLink(PreviewPanel *preview, const BootsDocument *document, QWidget *window);

    /// Opens the viewer (made on first use) on the current boot's texture and brings it to the
    /// front.
    void open();
    /// The viewer, or null before it was first opened.
    frmTexture *viewer() const { return mViewer; }

signals:
    /// The viewer's Edit in Image Editor was pressed (for the shown texture).
    void editRequested();

private:
    void follow();

    const BootsDocument *mDocument;
    const TextureArchives *mTextures;
    QWidget *mWindow;
    frmTexture *mViewer = nullptr;
    QPushButton *cmdViewTexture;
};
