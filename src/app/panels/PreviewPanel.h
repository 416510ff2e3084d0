#pragma once
// The texture preview ("Preview", GroupBox15): the load buttons of the two texture archives,
// their hidden entry lists and position fields, and the picture of the selected boot's
// texture. The archives themselves belong to the texture document (TextureArchives).
#include "archive/Textura.h"
#include "imaging/pictures/Picture.h"

#include <QGroupBox>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;
class TextureArchives;
class TexturePreview;

class PreviewPanel : public QGroupBox
{
    Q_OBJECT
public:
    /// Shows the archives of `archives`; `workingFolder` holds the preview's files.
    PreviewPanel(TextureArchives *archives, const QString &workingFolder,
                 QWidget *parent = nullptr);
    ~PreviewPanel() override;

    /// Removes the preview's files from the working folder.
    void removeFiles();

    /// Shows the texture of the boot at list position `bootPosition`: entry p of archive 1,
    /// or entry p minus archive 1's count of archive 2.
    void showTextureOf(int bootPosition);

    const Textura &archiveIndex(int archive) const;
    /// The archive file whose entries the preview reads (the working copy once loaded).
    QString archivePath(int archive) const;
    /// The entry of `archive` previewed last, or -1.
    int selectedEntry(int archive) const;

    /// Adds a push button below the archive buttons (for later features).
    QPushButton *addButton(const QString &objectName, const QString &caption);
    /// Adds any control below the buttons.
    void addControl(QWidget *control);

    /// The texture on show: its archive (0 for none), its entry and its picture.
    int shownArchive() const { return mShownArchive; }
    int shownEntry() const { return mShownEntry; }
    const Picture &shownPicture() const { return mShown; }
    /// With `showAlpha` transparent parts are drawn over a checkerboard, otherwise opaque.
    void setShowAlpha(bool showAlpha);
    /// Previews the shown entry again from its archive (after its texture changed).
    void refreshShown();

signals:
    /// A texture is shown, or none is (`shown` false).
    void shownChanged(bool shown);
    /// Archive 1 or 2 was loaded from the file `path`.
    void archiveLoaded(int archive, const QString &path);
    /// The load button of archive 1 or 2 was pressed.
    void loadRequested(int archive);
    /// The user double-clicked the picture.
    void pictureDoubleClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Archive
    {
        QListWidget *list = nullptr;
        QLineEdit *lengthField = nullptr;
        QLineEdit *namePositionField = nullptr;
        int selectedEntry = -1;
    };
    Archive &archive(int number) { return number == 2 ? mArchives[1] : mArchives[0]; }
    /// Fills the entry list of an archive the document has (re)loaded.
    void archiveReloaded(int number, const QString &path);
    void texturesChanged(int number, const std::vector<std::int32_t> &entries);
    void previewEntry(int archive);
    void previewEntry(int archive, int entry);
    void drawShown();
    /// The shown picture no longer belongs to the selected boot.
    void forgetShown();

    QString mWorkingFolder;
    TextureArchives *mTextures;
    std::unique_ptr<TexturePreview> mPreview;
    std::array<Archive, 2> mArchives;
    QVBoxLayout *mLayout = nullptr;
    Picture mShown;
    int mShownArchive = 0;
    int mShownEntry = -1;
    bool mShowAlpha = true;
    QLabel *Img = nullptr;
    QPushButton *cmdOpenT = nullptr;
    QPushButton *cmdOpent2 = nullptr;
};
