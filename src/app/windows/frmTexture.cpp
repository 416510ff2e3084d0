#include "frmTexture.h"

#include "app/ui/PictureView.h"
#include "app/ui/TextureFormatNames.h"
#include "app/ui/TextureView.h"

#include "editor/Translation.h"
#include "imaging/dds/DdsDecoder.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using Key = Translation::Key;

namespace {

// cmbZoom's items: screen pixels a texture pixel, 0 for "Fit".
constexpr double kZooms[] = {0, 1, 2, 4, 8};

QLabel *labelFor(QWidget *control, const char *objectName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setBuddy(control);
    return label;
}

} // namespace

frmTexture::frmTexture(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmTexture"));
    lblTextureInfo = new QLabel(this);
    lblTextureInfo->setObjectName(QStringLiteral("lblTextureInfo"));
    lblTextureInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblTextureInfo->setWordWrap(true);
    cmbZoom = new QComboBox(this);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    for (double zoom : kZooms)
        cmbZoom->addItem(zoom > 0 ? QStringLiteral("%1%").arg(zoom * 100) : QString(), zoom);
    cmbMip = new QComboBox(this);
    cmbMip->setObjectName(QStringLiteral("cmbMip"));
    cmbChannel = new QComboBox(this);
    cmbChannel->setObjectName(QStringLiteral("cmbChannel"));
    // Each box as wide as its longest text: a narrow window never cuts one short (a box's
    // minimum size hint is less than its text; the window's minimum width grows instead).
    for (QComboBox *box : {cmbZoom, cmbMip, cmbChannel}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    }
    for (auto channels : {Channels::ColorAndAlpha, Channels::ColorOnly, Channels::AlphaOnly})
        cmbChannel->addItem(QString(), static_cast<int>(channels));
    lblZoom = labelFor(cmbZoom, "lblZoom", this);
    lblMip = labelFor(cmbMip, "lblMip", this);
    lblChannel = labelFor(cmbChannel, "lblChannel", this);
    picTexture = new TextureView(this);
    picTexture->setObjectName(QStringLiteral("picTexture"));
    cmdEditTexture = new QPushButton(this);
    cmdEditTexture->setObjectName(QStringLiteral("cmdEditTexture"));

    auto *controls = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(lblZoom), static_cast<QWidget *>(cmbZoom),
                       static_cast<QWidget *>(lblMip), static_cast<QWidget *>(cmbMip),
                       static_cast<QWidget *>(lblChannel), static_cast<QWidget *>(cmbChannel)})
        controls->addWidget(w);
    controls->addStretch(1);
    controls->addWidget(cmdEditTexture);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTextureInfo);
    layout->addLayout(controls);
    layout->addWidget(picTexture, 1);
    resize(560, 600);

    connect(cmbZoom, &QComboBox::currentIndexChanged, this,
            [this] { picTexture->setZoom(cmbZoom->currentData().toDouble()); });
    connect(cmbMip, &QComboBox::currentIndexChanged, this, &frmTexture::showLevel);
    connect(cmbChannel, &QComboBox::currentIndexChanged, this, &frmTexture::drawPicture);
    connect(cmdEditTexture, &QPushButton::clicked, this, &frmTexture::editRequested);
    retranslate();
    clear();
}

void frmTexture::setTexture(std::vector<std::uint8_t> dds, const QString &archiveName, int entry,
                            const QString &entryName)
{
    mDds = std::move(dds);
    mArchiveName = archiveName;
    mEntry = entry;
    mEntryName = entryName;
    Reason error;
    if (!DdsLayout::read(mDds.data(), mDds.size(), mLayout, &error)) {
        showProblem(Translation::reason(error));
        return;
    }
    mHasTexture = true;
    mProblem.clear();
    const int level = cmbMip->currentIndex();
    {
        const QSignalBlocker blocker(cmbMip);
        cmbMip->clear();
        for (std::size_t i = 0; i < mLayout.levels.size(); ++i)
            cmbMip->addItem(QString());
        cmbMip->setCurrentIndex(level >= 0 && level < cmbMip->count() ? level : 0);
    }
    retranslate();
    showLevel();
}

void frmTexture::setUnreadable(const QString &reason, const QString &archiveName, int entry,
                               const QString &entryName)
{
    mDds.clear();
    mArchiveName = archiveName;
    mEntry = entry;
    mEntryName = entryName;
    showProblem(reason);
}

void frmTexture::clear()
{
    mHasTexture = false;
    mProblem.clear();
    mDds.clear();
    mArchiveName.clear();
    mEntry = -1;
    mEntryName.clear();
    mPicture = {};
    const QSignalBlocker blocker(cmbMip);
    cmbMip->clear();
    picTexture->setImage(QImage());
    retranslate();
}

void frmTexture::showProblem(const QString &reason)
{
    mHasTexture = false;
    mProblem = reason;
    mPicture = {};
    const QSignalBlocker blocker(cmbMip);
    cmbMip->clear();
    picTexture->setImage(QImage());
    retranslate();
}

void frmTexture::showLevel()
{
    if (!mHasTexture)
        return;
    Reason error;
    if (!DdsDecoder::decodeLevel(mDds.data(), mDds.size(), mLayout, cmbMip->currentIndex(),
                                 mPicture, &error)) {
        showProblem(Translation::reason(error));
        return;
    }
    drawPicture();
}

void frmTexture::drawPicture()
{
    switch (static_cast<Channels>(cmbChannel->currentData().toInt())) {
    case Channels::ColorAndAlpha:
        picTexture->setImage(PictureView::image(mPicture, true));
        break;
    case Channels::ColorOnly:
        picTexture->setImage(PictureView::image(mPicture, false));
        break;
    case Channels::AlphaOnly:
        picTexture->setImage(PictureView::alpha(mPicture));
        break;
    }
}

QString frmTexture::infoText() const
{
    if (mProblem.isEmpty() && !mHasTexture)
        return Translation::reason(Reason(Reasons::Id::NoTextureShown));
    const QString source =
        Translation::text(Key::TextureSource, {mArchiveName, QString::number(mEntry), mEntryName});
    if (!mProblem.isEmpty())
        return Translation::text(Key::CannotShowTexture, {mProblem}) + QLatin1Char('\n') + source;
    const QString format = TextureFormatNames::format(mLayout);
    const Key sizeKey = mLayout.levels.size() == 1 ? Key::TextureInfoOneLevel : Key::TextureInfo;
    const QString size = Translation::text(sizeKey, {format, QString::number(mLayout.width),
                                                     QString::number(mLayout.height),
                                                     QString::number(mLayout.levels.size())});
    return size + QLatin1Char('\n') + source;
}

void frmTexture::retranslate()
{
    setWindowTitle(Translation::text(Key::TextureViewer));
    lblZoom->setText(Translation::text(Key::Zoom));
    lblMip->setText(Translation::text(Key::MipmapLevel));
    lblChannel->setText(Translation::text(Key::Channels));
    cmdEditTexture->setText(Translation::text(Key::EditTexture));
    cmdEditTexture->setEnabled(mHasTexture);
    cmbZoom->setItemText(0, Translation::text(Key::ZoomFit));
    const Key channels[] = {Key::ColorAndAlpha, Key::ColorOnly, Key::AlphaOnly};
    for (int i = 0; i < cmbChannel->count(); ++i)
        cmbChannel->setItemText(i, Translation::text(channels[i]));
    for (int i = 0; i < cmbMip->count(); ++i) {
        const DdsLayout::Level &level = mLayout.levels[static_cast<std::size_t>(i)];
        cmbMip->setItemText(i, Translation::text(Key::MipmapLevelItem,
                                                 {QString::number(i), QString::number(level.width),
                                                  QString::number(level.height)}));
    }
    lblTextureInfo->setText(infoText());
    // Read out by screen readers in place of the labels beside them.
    cmbZoom->setAccessibleName(lblZoom->text());
    cmbMip->setAccessibleName(lblMip->text());
    cmbChannel->setAccessibleName(lblChannel->text());
    picTexture->setAccessibleName(windowTitle());
}

void frmTexture::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
