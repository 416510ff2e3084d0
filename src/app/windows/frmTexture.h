#pragma once
// The texture viewer: a window beside the main window that shows one texture at its true
// aspect ratio, zoomed, level by level and channel by channel, with its format and origin.
// It only shows what it is handed; TextureViewerLink hands it the texture of the selected boot.
#include "imaging/dds/DdsLayout.h"
#include "imaging/pictures/Picture.h"

#include <QWidget>
#include <cstdint>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class TextureView;

class frmTexture : public QWidget
{
    Q_OBJECT
public:
    /// What cmbChannel shows.
    enum class Channels { ColorAndAlpha, ColorOnly, AlphaOnly };

    explicit frmTexture(QWidget *parent = nullptr);

    /// Shows the DDS texture `dds`: entry `entry` (named `entryName`) of the archive file
    /// `archiveName`. Zoom and channels stay; so does the mipmap level while the texture has it.
    void setTexture(std::vector<std::uint8_t> dds, const QString &archiveName, int entry,
                    const QString &entryName);
    /// Shows why the texture of entry `entry` of `archiveName` cannot be shown.
    void setUnreadable(const QString &reason, const QString &archiveName, int entry,
                       const QString &entryName);
    /// Shows no texture.
    void clear();

signals:
    /// The user asked to paint the shown texture in the image editor (cmdEditTexture).
    void editRequested();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showLevel();
    void drawPicture();
    void showProblem(const QString &reason);
    void retranslate();
    QString infoText() const;

    std::vector<std::uint8_t> mDds;
    DdsLayout mLayout;
    bool mHasTexture = false;
    QString mProblem;
    QString mArchiveName;
    int mEntry = -1;
    QString mEntryName;
    Picture mPicture;

    QLabel *lblTextureInfo;
    QLabel *lblZoom;
    QLabel *lblMip;
    QLabel *lblChannel;
    QComboBox *cmbZoom;
    QComboBox *cmbMip;
    QComboBox *cmbChannel;
    TextureView *picTexture;
    QPushButton *cmdEditTexture;
};
