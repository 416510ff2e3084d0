// The texture viewer's wiring: opened from the preview, it shows the selected boot's texture
// with its format, size, levels and channels, and follows the selection.
#include "MainWindowFixture.h"
#include "TestImages.h"

#include "app/ui/TextureView.h"
#include "app/windows/frmTexture.h"

#include <QLayout>
#include <QTest>

namespace {

using TestData::DdsFormat;

class TextureViewer : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        open(writeGame(TestData::boots(4)));
        const QString archive = writeGameBytes(
            TestData::wesys(TestData::textureArchive(
                {{"ab12", TestData::ddsOf(DdsFormat::Dxt5, TestData::pattern(64, 32, true), 7)},
                 {"cd34", TestData::ddsOf(DdsFormat::Rgba32, TestData::pattern(8, 8, true))}})),
            QStringLiteral("unnamed_5756.bin"));
        ASSERT_TRUE(window().loadArchive(1, archive));
        select(0);
    }

    frmTexture *viewer() { return find<frmTexture>(QStringLiteral("frmTexture")); }
    QString info() { return find<QLabel>(QStringLiteral("lblTextureInfo"))->text(); }
};

TEST_F(TextureViewer, ViewShowsTheSelectedBootsTextureLevelsAndChannels)
{
    find<QPushButton>(QStringLiteral("cmdViewTexture"))->click();
    ASSERT_TRUE(viewer()->isVisible());
    EXPECT_EQ(info(), "DXT5, 64 × 32, 7 mipmap levels\nunnamed_5756.bin, entry 0 (ab12)");
    auto *levels = find<QComboBox>(QStringLiteral("cmbMip"));
    ASSERT_EQ(levels->count(), 7);
    EXPECT_EQ(levels->itemText(1), "Level 1: 32 × 16");
    viewer()->resize(200, 300); // narrower than its controls
    viewer()->layout()->activate();
    EXPECT_GE(levels->width(), levels->sizeHint().width()) << "the box shows its whole text";

    auto *picture = find<TextureView>(QStringLiteral("picTexture"));
    const QImage colour = picture->image();
    EXPECT_EQ(colour.size(), QSize(64, 32));
    find<QComboBox>(QStringLiteral("cmbChannel"))->setCurrentIndex(2); // alpha only
    EXPECT_NE(picture->image(), colour);
    EXPECT_TRUE(picture->image().isGrayscale());
    levels->setCurrentIndex(1);
    EXPECT_EQ(picture->image().size(), QSize(32, 16));
    find<QComboBox>(QStringLiteral("cmbZoom"))->setCurrentIndex(3); // 400%
    EXPECT_EQ(picture->scale(), 4);

    select(1);
    EXPECT_EQ(info(),
              "32-bit uncompressed, 8 × 8, 1 mipmap level\nunnamed_5756.bin, entry 1 (cd34)");
    EXPECT_EQ(levels->count(), 1);
    select(2); // a boot without a texture
    EXPECT_EQ(info(), "No texture is shown.");
}

TEST_F(TextureViewer, DoubleClickOnThePreviewOpensIt)
{
    QTest::mouseDClick(find<QLabel>(QStringLiteral("Img")), Qt::LeftButton);
    ASSERT_NE(window().findChild<frmTexture *>(QStringLiteral("frmTexture")), nullptr);
    EXPECT_TRUE(viewer()->isVisible());
    EXPECT_TRUE(info().startsWith("DXT5, 64 × 32")) << info().toStdString();
}

TEST_F(TextureViewer, FollowsAChangeOfLanguage)
{
    find<QPushButton>(QStringLiteral("cmdViewTexture"))->click();
    QComboBox *languages = find<QComboBox>(QStringLiteral("ComboBox"));
    const int deutsch = languages->findText(QStringLiteral("Deutsch"));
    ASSERT_GE(deutsch, 0);
    languages->setCurrentIndex(deutsch);
    emit languages->activated(deutsch);
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblZoom"))->text(), "Vergrößerung");
    EXPECT_TRUE(info().startsWith("DXT5, 64 × 32, 7 Mipmap-Stufen")) << info().toStdString();
}

} // namespace
