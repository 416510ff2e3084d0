#pragma once
// The texture preview ("Preview", GroupBox15): the load buttons of the two texture archives,
// their hidden entry lists and position fields, the picture of the current boot's texture and
// the line under it that names that texture (or the archive to load). It shows what the
// documents answer: the boots document which boot is current, the texture document
// (TextureArchives) which entry holds its texture. A texture that cannot be shown leaves the
// picture empty and the line says why.
#include "common/Reason.h"
#include "imaging/pictures/Picture.h"

#include <QGroupBox>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class BootsDocument;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TextureArchives;
class TexturePreview;

class PreviewPanel : public QGroupBox
{
    Q_OBJECT
public:
    /// Shows the current boot of `document` and its texture; `workingFolder` holds the
    /// preview's files.
    PreviewPanel(BootsDocument *document, const QString &workingFolder, QWidget *parent = nullptr);
    ~PreviewPanel() override;

    /// Removes the preview's files from the working folder.
    void removeFiles();

    /// The archive file whose entries the preview reads (the working copy once loaded).
    QString archivePath(int archive) const;
    /// The entry of `archive` previewed last, or -1.
    int selectedEntry(int archive) const;

    /// The button named `objectName` among those the panel declares under the picture (the
    /// features that serve them find them here), or null.
    QPushButton *button(const QString &objectName) const;
    /// The "Alpha" box, beside Edit in Image Editor.
    QCheckBox *alphaBox() const { return mAlpha; }

    /// The texture on show: its archive (0 for none), its entry and its picture.
    int shownArchive() const { return mShownArchive; }
    int shownEntry() const { return mShownEntry; }
    const Picture &shownPicture() const { return mShown; }
    /// With `showAlpha` transparent parts are drawn over a checkerboard, otherwise opaque.
    void setShowAlpha(bool showAlpha);
    /// Shows the current boot's texture again from its archive.
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
    void changeEvent(QEvent *event) override;

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
    /// Selects the entry in its hidden list and fields, as the lists have always held it.
    void selectEntry(int number, int entry);
    void previewEntry(int number, int entry);
    void drawShown();
    /// Shows no picture.
    void clearShown();
    /// Says on lblPreviewInfo what is shown, what is not and why.
    void describe();

    BootsDocument *mDocument;
    TextureArchives *mTextures;
    QString mWorkingFolder;
    std::unique_ptr<TexturePreview> mPreview;
    std::array<Archive, 2> mArchives;
    QCheckBox *mAlpha = nullptr;
    Picture mShown;
    int mShownArchive = 0;
    int mShownEntry = -1;
    /// Why the current boot's texture is not on show, when the texture document found it.
    Reason mProblem;
    bool mShowAlpha = true;
    QLabel *Img = nullptr;
    QLabel *lblPreviewInfo = nullptr;
    QPushButton *cmdOpenT = nullptr;
    QPushButton *cmdOpent2 = nullptr;
};
