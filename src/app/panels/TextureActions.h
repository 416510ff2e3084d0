#pragma once
// The texture buttons and dialogs under the preview: loading an archive, export of the shown
// texture to PNG, the alpha view, replacement of the shown texture, export and import of the
// whole archive whose texture is shown, to and from a folder, and the shown texture sent out to
// the user's image editor. The textures themselves belong to the texture document
// (TextureArchives) and the editor's saves to its watch (TextureEditWatch); this only asks,
// starts the editor and reports.
#include "common/Reason.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class BootsDocument;
class PreviewPanel;
class QCheckBox;
class QPushButton;
class QWidget;
class TextureArchives;
class TextureEditWatch;

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

    /// Loads the two archives that lie beside the boots file `bootsFile` under their game
    /// names (in any case), when both are there; true when both loaded.
    bool loadArchivesBeside(const QString &bootsFile);

    /// The program "Edit in Image Editor" starts with the PNG's path (empty: the desktop's
    /// default program for PNG files).
    void setTextureEditor(const QString &program) { mEditorProgram = program; }
    /// Where the PNGs of textures out for editing are written; editing needs it.
    void setEditFolder(const QString &folder);
    TextureEditWatch *editWatch() const { return mWatch; }
    /// Writes the shown texture as a PNG, watches it and opens it in the image editor, never
    /// waiting for it. False (after a message) when the PNG cannot be written; an editor that
    /// cannot be started says so later in a note().
    bool editShownTexture();

    /// The name Export Texture proposes: "<boot name> (<entry name>).png", made safe for a file
    /// name; "<entry name>.png" when no boot has the shown texture.
    QString proposedExportName() const;

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
    /// A line for the status bar (a texture exported, a save from the image editor taken or
    /// refused, an image editor that could not be started).
    void note(const QString &text);

private:
    void chooseExport();
    void chooseReplacement();
    void chooseExportFolder();
    void chooseImportFolder();
    QString chooseFolder(const QString &title = QString());
    bool mayReplaceArchive(int number);
    /// The boots (list positions) whose texture is `entry` of archive 1 or 2.
    std::vector<int> bootsOf(int archive, int entry) const;
    void editSaveOfOtherSize(const QString &path, const Reason &reason);

    PreviewPanel *mPreview;
    BootsDocument *mDocument;
    TextureArchives *mTextures;
    TextureEditWatch *mWatch = nullptr;
    QString mEditorProgram;
    QWidget *mWindow;
    QString mFolder; ///< where the texture folder dialog and Export Texture start
    QString mArchiveFolder;
    bool mLoadDeclined = false;
    std::function<bool(const QString &)> mRefuse;
    QPushButton *cmdExportTexture = nullptr;
    QPushButton *cmdReplaceTexture = nullptr;
    QPushButton *cmdExportTextures = nullptr;
    QPushButton *cmdImportTextures = nullptr;
    QPushButton *cmdEditTexture = nullptr;
    QCheckBox *chkAlpha = nullptr;
};
