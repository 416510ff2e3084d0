#include "PreviewPanel.h"

#include "app/ui/PictureView.h"
#include "editor/GuiText.h"
#include "editor/TextureArchives.h"

#include "imaging/textures/TexturePreview.h"

#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

using GuiText::toNative;

PreviewPanel::PreviewPanel(TextureArchives *archives, const QString &workingFolder, QWidget *parent)
    : QGroupBox(QStringLiteral("Preview"), parent), mWorkingFolder(workingFolder),
      mTextures(archives), mPreview(std::make_unique<TexturePreview>(toNative(workingFolder)))
{
    setObjectName(QStringLiteral("GroupBox15"));
    mLayout = new QVBoxLayout(this);
    Img = new QLabel(this);
    Img->setObjectName(QStringLiteral("Img"));
    // Small enough at its least for the window, with every button under it, to fit 1,000 x 700.
    Img->setMinimumSize(200, 150);
    Img->setScaledContents(true);
    Img->setFrameShape(QFrame::StyledPanel);
    Img->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    mLayout->addWidget(Img, 1);
    Img->installEventFilter(this);
    cmdOpenT = addButton(QStringLiteral("cmdOpenT"), QStringLiteral("Load unnamed_5756.bin"));
    cmdOpent2 = addButton(QStringLiteral("cmdOpent2"), QStringLiteral("Load unnamed_2113.bin"));
    connect(cmdOpenT, &QPushButton::clicked, this, [this] { emit loadRequested(1); });
    connect(cmdOpent2, &QPushButton::clicked, this, [this] { emit loadRequested(2); });

    // The entry lists and the position fields hold the preview's state; they are never shown.
    for (int a = 0; a < 2; ++a) {
        Archive &each = mArchives[static_cast<std::size_t>(a)];
        each.list = new QListWidget(this);
        each.list->setObjectName(a == 0 ? QStringLiteral("LstOffset")
                                        : QStringLiteral("LstOffset2"));
        each.list->hide();
        connect(each.list, &QListWidget::itemClicked, this, [this, a] { previewEntry(a + 1); });
    }
    std::array<QLineEdit *, 4> text{};
    for (int i = 0; i < 4; ++i) {
        text[static_cast<std::size_t>(i)] = new QLineEdit(this);
        text[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        text[static_cast<std::size_t>(i)]->hide();
    }
    mArchives[0].lengthField = text[0];
    mArchives[0].namePositionField = text[1];
    mArchives[1].lengthField = text[2];
    mArchives[1].namePositionField = text[3];
    connect(archives, &TextureArchives::loaded, this, &PreviewPanel::archiveReloaded);
    connect(archives, &TextureArchives::texturesChanged, this, &PreviewPanel::texturesChanged);
    setEnabled(false);
}

PreviewPanel::~PreviewPanel() = default;

void PreviewPanel::removeFiles()
{
    mPreview->removeFiles();
}

QPushButton *PreviewPanel::addButton(const QString &objectName, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    addControl(button);
    return button;
}

void PreviewPanel::addControl(QWidget *control)
{
    control->setParent(this);
    mLayout->addWidget(control);
}

const Textura &PreviewPanel::archiveIndex(int archive) const
{
    return mTextures->index(archive);
}

QString PreviewPanel::archivePath(int number) const
{
    return mTextures->isLoaded(number) ? mTextures->workingCopy(number) : QString();
}

int PreviewPanel::selectedEntry(int number) const
{
    return mArchives[number == 2 ? 1 : 0].selectedEntry;
}

void PreviewPanel::archiveReloaded(int number, const QString &path)
{
    Archive &a = archive(number);
    const Textura &entries = mTextures->index(number);
    // The shown texture belonged to the archive that the load replaced, or was found past
    // archive 1's entries, whose count the load of archive 1 may have changed.
    if (mShownArchive == number || (number == 1 && mShownArchive == 2)) {
        mShownArchive = 0;
        mShown = Picture();
        Img->clear();
        emit shownChanged(false);
    }
    emit archiveLoaded(number, path);
    const QSignalBlocker blocker(a.list);
    a.list->clear();
    for (std::int32_t i = 0; i < entries.Count(); ++i)
        a.list->addItem(QString::number(static_cast<std::int64_t>(entries.Get_Offset(i)) + 1));
    a.list->setCurrentRow(-1);
}

void PreviewPanel::texturesChanged(int number, const std::vector<std::int32_t> &entries)
{
    if (mShownArchive == number &&
        std::find(entries.begin(), entries.end(), mShownEntry) != entries.end())
        refreshShown();
}

void PreviewPanel::previewEntry(int number)
{
    previewEntry(number, archive(number).list->currentRow());
}

void PreviewPanel::previewEntry(int number, int selected)
{
    Archive &a = archive(number);
    if (selected < 0)
        return;
    a.selectedEntry = selected;
    // The hidden fields show the entry's length less one and its name's one-based position.
    const ArchiveEntry entry = ArchiveEntry::of(mTextures->index(number), selected);
    a.lengthField->setText(QString::number(entry.length - 1));
    a.namePositionField->setText(QString::number(entry.namePosition()));
    std::string bitmap;
    TexturePreview::Picture picture;
    // A texture that cannot be shown keeps the previous picture; the preview says nothing. The
    // picture no longer belongs to the selected boot, so nothing may export or replace it.
    if (!mPreview->run(toNative(archivePath(number)), entry, bitmap, &picture)) {
        forgetShown();
        return;
    }
    // The picture the bitmap file now holds, taken from memory rather than read back.
    mShown = std::move(picture);
    mShownArchive = number;
    mShownEntry = selected;
    drawShown();
    emit shownChanged(true);
}

void PreviewPanel::drawShown()
{
    const QImage image = PictureView::image(mShown, mShowAlpha);
    if (!image.isNull())
        Img->setPixmap(QPixmap::fromImage(image));
}

void PreviewPanel::setShowAlpha(bool showAlpha)
{
    mShowAlpha = showAlpha;
    if (mShownArchive != 0)
        drawShown();
}

void PreviewPanel::refreshShown()
{
    if (mShownArchive != 0)
        previewEntry(mShownArchive, mShownEntry);
}

void PreviewPanel::showTextureOf(int bootPosition)
{
    QListWidget *first = mArchives[0].list;
    QListWidget *second = mArchives[1].list;
    if (first->count() > bootPosition) {
        first->setCurrentRow(bootPosition);
        previewEntry(1);
        return;
    }
    const int inSecond = bootPosition - first->count();
    if (inSecond >= 0 && inSecond < second->count()) {
        second->setCurrentRow(inSecond);
        previewEntry(2);
        return;
    }
    forgetShown(); // the boot has no texture in the loaded archives
}

bool PreviewPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Img && event->type() == QEvent::MouseButtonDblClick)
        emit pictureDoubleClicked();
    return QGroupBox::eventFilter(watched, event);
}

void PreviewPanel::forgetShown()
{
    if (mShownArchive == 0)
        return;
    mShownArchive = 0;
    mShownEntry = -1;
    emit shownChanged(false);
}
