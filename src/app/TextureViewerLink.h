#pragma once
// Connects the texture viewer to the preview: "View…" under the preview or a double click on
// its picture opens the viewer, and while it is open it shows the texture of the selected boot,
// read from the shown entry of the archive's working copy.
#include <QObject>
#include <QString>
#include <array>

class PreviewPanel;
class QPushButton;
class frmTexture;

class TextureViewerLink : public QObject
{
    Q_OBJECT
public:
    /// Adds cmdViewTexture to `preview`; the viewer is a window of `window`.
    TextureViewerLink(PreviewPanel *preview, QWidget *window);

    /// Opens the viewer (made on first use) on the shown texture and brings it to the front.
    void open();
    /// The viewer, or null before it was first opened.
    frmTexture *viewer() const { return mViewer; }

private:
    void follow();

    PreviewPanel *mPreview;
    QWidget *mWindow;
    frmTexture *mViewer = nullptr;
    QPushButton *cmdViewTexture;
    std::array<QString, 2> mSources; ///< the file each archive was loaded from
};
