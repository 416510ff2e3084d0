#pragma once
// The texture buttons and dialogs under the preview: loading an archive, export of the shown
// texture to PNG, the alpha view, replacement of the shown texture, and export and import of
// the whole archive whose texture is shown, to and from a folder. The textures themselves belong to
// the texture document (TextureArchives); this only asks and reports.
#include <QObject>
#include <QString>
#include <functional>

class BootsDocument;
class PreviewPanel;
class QCheckBox;
class QPushButton;
class QWidget;
class TextureArchives;

class TextureActions : public QObject
{
    Q_OBJECT
public:
    /// Adds its controls to `preview`; dialogs and messages show over `window`.
    TextureActions(PreviewPanel *preview, BootsDocument *document, QWidget *window);

    /// `refuse` is asked before an archive is loaded; true means it is not to be loaded (it
    /// has said why).
    void setRefusal(std::function<bool(const QString &)> refuse) { mRefuse = std::move(refuse); }
    /// Loads texture archive 1 or 2 without a dialog, after asking about its unsaved changes; a
    /// failure is reported in a message and leaves the loaded archive as it was.
    bool loadArchive(int archive, const QString &path);
    /// True when the last load did not happen because the user kept the archive's unsaved
    /// changes (Cancel).
    bool loadDeclined() const { return mLoadDeclined; }
    /// Asks for archive 1 or 2 in a file dialog (starting in the archive folder) and loads it.
    void chooseArchive(int archive);
    /// The folder the archive dialog starts in.
    void setArchiveFolder(const QString &folder) { mArchiveFolder = folder; }
    /// The folder the dialog of Export All and Import Folder starts in.
    void setTextureFolder(const QString &folder) { mFolder = folder; }

    /// Writes the shown texture as a PNG with alpha. False (after a message) on failure.
    bool exportShownTexture(const QString &path);
    /// Replaces the shown texture with the picture (PNG, BMP, TGA, JPEG) or DDS file at
    /// `imagePath`, as one undo step. A refused file gives one message and changes nothing.
    bool replaceShownTexture(const QString &imagePath);
    /// Writes every entry of the shown texture's archive into `folder` as "<NNN>_<name>.png",
    /// then says how many were written and which entries were skipped.
    bool exportAllTextures(const QString &folder);
    /// Imports `folder` into the shown texture's archive as one undo step, with a progress
    /// dialog while more than a few pictures are read; a summary, or one warning listing the
    /// problems (nothing changes then, nor when the user cancels).
    bool importTextures(const QString &folder);

signals:
    /// A folder was chosen for Export All or Import Folder.
    void textureFolderChosen(const QString &folder);

private:
    void chooseExport();
    void chooseReplacement();
    void chooseExportFolder();
    void chooseImportFolder();
    QString chooseFolder();
    bool mayReplaceArchive(int number);

    PreviewPanel *mPreview;
    TextureArchives *mTextures;
    QWidget *mWindow;
    QString mFolder; ///< the folder the texture folder dialog starts in
    QString mArchiveFolder;
    bool mLoadDeclined = false;
    std::function<bool(const QString &)> mRefuse;
    QPushButton *cmdExportTexture = nullptr;
    QPushButton *cmdReplaceTexture = nullptr;
    QPushButton *cmdExportTextures = nullptr;
    QPushButton *cmdImportTextures = nullptr;
    QCheckBox *chkAlpha = nullptr;
};
