#include "PreviewPanel.h"

#include "app/access/QuietWhenHidden.h"
#include "app/ui/PictureView.h"
#include "app/ui/TextureFormatNames.h"
#include "app/ui/WindowCaptions.h"
#include "editor/BootsDocument.h"
#include "editor/CoreStrings.h"
#include "editor/TextureArchives.h"
#include "editor/Translation.h"

#include "imaging/textures/TexturePreview.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

using CoreStrings::toNative;
using Key = Translation::Key;

namespace {

// Every button under the picture, in the order shown. The features that serve them find them
// by name (button()); those without a text key take their captions by name, as every control
// of the main window does.
struct PreviewButton
{
    const char *objectName;
    const char *english;
    std::optional<Key> key;
};
const PreviewButton kButtons[] = {
    {"cmdOpenT", "Load unnamed_5756.bin", std::nullopt},
    {"cmdOpent2", "Load unnamed_2113.bin", std::nullopt},
    {"cmdExportTexture", nullptr, Key::ExportTexture},
    {"cmdReplaceTexture", nullptr, Key::ReplaceTexture},
    {"cmdExportTextures", nullptr, Key::ExportTextures},
    {"cmdImportTextures", nullptr, Key::ImportTextures},
    // Beside the short Alpha box rather than on a row of its own: the window must still fit
    // a laptop's screen.
    {"cmdEditTexture", nullptr, Key::EditTexture},
    {"cmdViewTexture", nullptr, Key::ViewTexture},
    {"cmdReloadArchives", nullptr, Key::LoadLastArchives},
};

} // namespace

PreviewPanel::PreviewPanel(BootsDocument *document, const QString &workingFolder, QWidget *parent)
    : QGroupBox(QStringLiteral("Preview"), parent), mDocument(document),
      mTextures(&document->textures()), mWorkingFolder(workingFolder),
      mPreview(std::make_unique<TexturePreview>(toNative(workingFolder)))
{
    setObjectName(QStringLiteral("GroupBox15"));
    auto *layout = new QVBoxLayout(this);
    Img = new QLabel(this);
    Img->setObjectName(QStringLiteral("Img"));
    // Small enough at its least for the window, with every button under it, to fit 1,000 x 700.
    Img->setMinimumSize(200, 150);
    Img->setScaledContents(true);
    Img->setFrameShape(QFrame::StyledPanel);
    Img->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(Img, 1);
    Img->installEventFilter(this);
    lblPreviewInfo = new QLabel(this);
    lblPreviewInfo->setObjectName(QStringLiteral("lblPreviewInfo"));
    // Entry names come from the archive: never read as markup.
    lblPreviewInfo->setTextFormat(Qt::PlainText);
    lblPreviewInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblPreviewInfo->setWordWrap(true);
    layout->addWidget(lblPreviewInfo);
    for (const PreviewButton &declared : kButtons) {
        auto *button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(declared.objectName));
        if (declared.key)
            WindowCaptions::setText(button, *declared.key); // again with every language
        else
            button->setText(QString::fromLatin1(declared.english));
        if (button->objectName() != QLatin1String("cmdEditTexture")) {
            layout->addWidget(button);
            continue;
        }
        mAlpha = new QCheckBox(this);
        mAlpha->setObjectName(QStringLiteral("chkAlpha"));
        mAlpha->setChecked(true);
        WindowCaptions::setText(mAlpha, Key::ShowAlpha);
        connect(mAlpha, &QCheckBox::toggled, this, &PreviewPanel::setShowAlpha);
        auto *row = new QHBoxLayout;
        row->addWidget(mAlpha);
        row->addWidget(button, 1);
        layout->addLayout(row);
    }
    cmdOpenT = button(QStringLiteral("cmdOpenT"));
    cmdOpent2 = button(QStringLiteral("cmdOpent2"));
    connect(cmdOpenT, &QPushButton::clicked, this, [this] { emit loadRequested(1); });
    connect(cmdOpent2, &QPushButton::clicked, this, [this] { emit loadRequested(2); });

    // The entry lists and the position fields hold the preview's state; they are never shown.
    for (int a = 0; a < 2; ++a) {
        Archive &each = mArchives[static_cast<std::size_t>(a)];
        each.list = new QuietWhenHidden<QListWidget>(this);
        each.list->setObjectName(a == 0 ? QStringLiteral("LstOffset")
                                        : QStringLiteral("LstOffset2"));
        each.list->hide();
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
    connect(mTextures, &TextureArchives::loaded, this, &PreviewPanel::archiveReloaded);
    connect(mTextures, &TextureArchives::texturesChanged, this, &PreviewPanel::texturesChanged);
    connect(document, &BootsDocument::currentBootChanged, this, &PreviewPanel::refreshShown);
    connect(document, &BootsDocument::reset, this, &PreviewPanel::refreshShown);
    setEnabled(false);
}

PreviewPanel::~PreviewPanel() = default;

void PreviewPanel::removeFiles()
{
    mPreview->removeFiles();
}

QPushButton *PreviewPanel::button(const QString &objectName) const
{
    return findChild<QPushButton *>(objectName, Qt::FindDirectChildrenOnly);
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
    emit archiveLoaded(number, path);
    {
        const QSignalBlocker blocker(a.list);
        a.list->clear();
        for (std::int32_t i = 0; i < entries.Count(); ++i)
            a.list->addItem(QString::number(static_cast<std::int64_t>(entries.Get_Offset(i)) + 1));
        a.list->setCurrentRow(-1);
    }
    // The current boot's texture may lie in this archive now, or elsewhere: archive 1's count
    // places the second archive's boots.
    refreshShown();
}

void PreviewPanel::texturesChanged(int number, const std::vector<std::int32_t> &entries)
{
    const TextureArchives::BootTexture at = mTextures->textureOf(mDocument->currentBoot());
    if (at.archive == number &&
        std::find(entries.begin(), entries.end(), at.entry) != entries.end())
        refreshShown();
}

void PreviewPanel::refreshShown()
{
    const TextureArchives::BootTexture at = mTextures->textureOf(mDocument->currentBoot());
    mProblem.clear();
    selectEntry(at.archive, at.entry);
    if (at.found())
        previewEntry(at.archive, at.entry);
    else
        clearShown();
    describe();
}

void PreviewPanel::selectEntry(int number, int entry)
{
    for (int a = 1; a <= 2; ++a) {
        QListWidget *list = archive(a).list;
        const QSignalBlocker blocker(list);
        list->setCurrentRow(a == number ? entry : -1);
    }
}

void PreviewPanel::previewEntry(int number, int entry)
{
    Archive &a = archive(number);
    a.selectedEntry = entry;
    // The hidden fields show the entry's length less one and its name's one-based position.
    const ArchiveEntry at = ArchiveEntry::of(mTextures->index(number), entry);
    a.lengthField->setText(QString::number(at.length - 1));
    a.namePositionField->setText(QString::number(at.namePosition()));
    std::string bitmap;
    TexturePreview::Picture picture;
    // A picture of another boot would pass for this boot's: a texture that cannot be shown
    // shows none, and nothing may export or replace it.
    if (!mPreview->run(toNative(archivePath(number)), at, bitmap, &picture)) {
        mProblem = mPreview->errorReason();
        clearShown();
        return;
    }
    // The picture the bitmap file now holds, taken from memory rather than read back.
    mShown = std::move(picture);
    mShownArchive = number;
    mShownEntry = entry;
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

void PreviewPanel::clearShown()
{
    Img->clear();
    mShown = Picture();
    mShownEntry = -1;
    if (mShownArchive == 0)
        return;
    mShownArchive = 0;
    emit shownChanged(false);
}

void PreviewPanel::describe()
{
    const int boot = mDocument->currentBoot();
    const TextureArchives::BootTexture at = mTextures->textureOf(boot);
    QString text;
    if (at.archiveToLoad != 0) {
        text = Translation::text(Key::PreviewLoadArchive,
                                 {TextureArchives::gameFileName(at.archiveToLoad)});
    } else if (at.found()) {
        const QStringList source = {QFileInfo(mTextures->source(at.archive)).fileName(),
                                    QString::number(at.entry),
                                    mTextures->entryName(at.archive, at.entry)};
        DdsLayout layout;
        Reason problem = mProblem;
        if (problem.empty() && mTextures->entryLayout(at.archive, at.entry, layout, &problem))
            text = Translation::text(Key::PreviewTexture,
                                     source + QStringList{TextureFormatNames::format(layout),
                                                          QString::number(layout.width),
                                                          QString::number(layout.height)});
        else
            text = Translation::text(Key::PreviewCannotShow,
                                     source + QStringList{Translation::reason(problem)});
    } else if (boot >= 0) {
        text = Translation::text(Key::PreviewNoTexture);
    }
    lblPreviewInfo->setText(text);
}

bool PreviewPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Img && event->type() == QEvent::MouseButtonDblClick)
        emit pictureDoubleClicked();
    return QGroupBox::eventFilter(watched, event);
}

void PreviewPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        describe();
    QGroupBox::changeEvent(event);
}
