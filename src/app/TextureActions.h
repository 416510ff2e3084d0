#pragma once
// The texture buttons under the preview: export of the shown texture to PNG, the alpha view,
// and replacement of the shown texture in its archive's working copy as one undo step of the
// boots document. Keeps which archives were changed since they were loaded or saved, and saves
// them over the files they were loaded from.
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class BootsDocument;
class PreviewPanel;
class QCheckBox;
class QPushButton;
class QWidget;

class TextureActions : public QObject
{
    Q_OBJECT
public:
    /// Adds its controls to `preview`; dialogs and messages show over `window`.
    TextureActions(PreviewPanel *preview, BootsDocument *document, QWidget *window);

    /// Writes the shown texture as a PNG with alpha. False (after a message) on failure.
    bool exportShownTexture(const QString &path);
    /// Replaces the shown texture with the picture (PNG, BMP, TGA, JPEG) or DDS file at
    /// `imagePath`, as one undo step. A refused file gives one message and changes nothing.
    bool replaceShownTexture(const QString &imagePath);
    /// Saves every archive changed since it was loaded or saved over the file it was loaded
    /// from; each failure gets a message naming the file. True when every one was saved.
    bool saveChangedArchives();

    /// For the undo steps: true while `archive` is still the load numbered `generation`.
    bool isCurrent(int archive, int generation) const;
    /// For the undo steps: puts the DDS texture `dds` into `entry` of `archive`'s working copy.
    bool putTexture(int archive, int entry, const std::vector<std::uint8_t> &dds);

private:
    struct Archive
    {
        QString source; ///< the file the user loaded
        int generation = 0;
        bool changed = false;
    };
    Archive &archive(int number) { return mArchives[number == 2 ? 1 : 0]; }

    void chooseExport();
    void chooseReplacement();
    void archiveLoaded(int number, const QString &path);
    bool mayReplaceArchive(int number);
    bool saveArchive(int number);
    void discardChanges();

    PreviewPanel *mPreview;
    BootsDocument *mDocument;
    QWidget *mWindow;
    std::array<Archive, 2> mArchives;
    QPushButton *cmdExportTexture = nullptr;
    QPushButton *cmdReplaceTexture = nullptr;
    QCheckBox *chkAlpha = nullptr;
};
