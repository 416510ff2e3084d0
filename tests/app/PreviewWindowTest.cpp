#include "CaseName.h"
#include "MainWindowFixture.h"
#include "app/panels/PreviewPanel.h"

#include <QImage>
#include <QPixmap>
#include <filesystem>

namespace fs = std::filesystem;
using TestData::DdsFormat;

namespace {

TestData::Rgba colourOf(int i)
{
    return {static_cast<std::uint8_t>(40 * i), static_cast<std::uint8_t>(255 - 40 * i), 128, 255};
}

std::vector<TestData::ArchiveEntry> entries(int first, int count)
{
    std::vector<TestData::ArchiveEntry> out;
    for (int i = first; i < first + count; ++i)
        out.push_back(
            {"t" + std::to_string(100 + i), TestData::dds(DdsFormat::Dxt5, 16, 16, colourOf(i))});
    return out;
}

class PreviewWindow : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        open(writeGame(TestData::boots(6)));
        archive1 = writeGameBytes(TestData::wesys(TestData::textureArchive(entries(0, 4))),
                                  "unnamed_5756.bin");
        archive2 = writeGameBytes(TestData::wesys(TestData::textureArchive(entries(4, 2))),
                                  "unnamed_2113.bin");
    }

    QColor shownColour()
    {
        const QPixmap picture = find<QLabel>("Img")->pixmap();
        if (picture.isNull())
            return QColor();
        return picture.toImage().pixelColor(0, 0);
    }

    void expectShows(int i)
    {
        const QColor c = shownColour();
        ASSERT_TRUE(c.isValid()) << "no picture for boot " << i;
        EXPECT_NEAR(c.red(), colourOf(i).r, 8) << "boot " << i;
        EXPECT_NEAR(c.green(), colourOf(i).g, 8) << "boot " << i;
    }

    QListWidget *lst(int archive)
    {
        return find<QListWidget>(archive == 1 ? "LstOffset" : "LstOffset2");
    }
    QString info() { return find<QLabel>("lblPreviewInfo")->text(); }
    bool pictureShown() { return !find<QLabel>("Img")->pixmap().isNull(); }

    QString archive1;
    QString archive2;
};

TEST_F(PreviewWindow, LoadingAnArchiveListsItsEntries)
{
    answer.file(archive1);
    find<QPushButton>("cmdOpenT")->click();
    EXPECT_EQ(answer.names.value(0), "CDT");
    EXPECT_EQ(answer.texts.value(0), "unnamed_5756.bin (unnamed_5756.bin)");
    ASSERT_EQ(lst(1)->count(), 4);
    const Textura &index = window().archiveIndex(1);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lst(1)->item(i)->text(), QString::number(index.Get_Offset(i) + 1));
    EXPECT_EQ(lst(1)->currentRow(), -1);
    EXPECT_TRUE(fs::exists(programFile("File1")));
    EXPECT_EQ(gameDir.listing(), "unnamed_1831.bin unnamed_2113.bin unnamed_5756.bin");
    EXPECT_TRUE(find<QLabel>("Img")->pixmap().isNull()) << "loading runs no preview";

    answer.file(archive2);
    find<QPushButton>("cmdOpent2")->click();
    EXPECT_EQ(answer.texts.value(1), "unnamed_2113.bin (unnamed_2113.bin)");
    EXPECT_EQ(lst(2)->count(), 2);
    EXPECT_TRUE(fs::exists(programFile("File2")));
}

TEST_F(PreviewWindow, OpeningABootsFileLoadsTheTwoArchivesBesideIt)
{
    open(writeGame(TestData::boots(6))); // again, now that both archives lie beside it
    EXPECT_EQ(lst(1)->count(), 4);
    EXPECT_EQ(lst(2)->count(), 2);
    select(5);
    expectShows(5);
}

TEST_F(PreviewWindow, CancelledDialogKeepsTheArchive)
{
    ASSERT_TRUE(window().loadArchive(1, archive1));
    answer.file(QString());
    find<QPushButton>("cmdOpenT")->click();
    EXPECT_EQ(lst(1)->count(), 4);
    EXPECT_EQ(window().archiveIndex(1).Count(), 4);
}

TEST_F(PreviewWindow, PreviewFilesGoWhenTheWindowCloses)
{
    ASSERT_TRUE(window().loadArchive(1, archive1));
    select(0);
    ASSERT_TRUE(fs::exists(programFile("t100.bmp")));
    window().close();
    EXPECT_FALSE(fs::exists(programFile("t100.bmp")));
}

TEST_F(PreviewWindow, BootSelectionShowsItsTextureAcrossBothArchives)
{
    ASSERT_TRUE(window().loadArchive(1, archive1));
    ASSERT_TRUE(window().loadArchive(2, archive2));
    for (int boot : {0, 3, 4, 5, 1}) {
        select(boot);
        expectShows(boot);
    }
    select(4);
    EXPECT_EQ(lst(2)->currentRow(), 0) << "boot 4 is the second archive's first entry";
    EXPECT_EQ(find<QLineEdit>("Text3")->text(),
              QString::number(window().archiveIndex(2).Get_Lenght(0) - 1));
    EXPECT_EQ(find<QLineEdit>("Text4")->text(),
              QString::number(window().archiveIndex(2).Get_Nazwa(0) + 12));
    // One bitmap in the program folder: the one shown last.
    int bitmaps = 0;
    for (const auto &e : fs::directory_iterator(programDir.path()))
        bitmaps += e.path().extension() == ".bmp";
    EXPECT_EQ(bitmaps, 1);
    EXPECT_TRUE(fs::exists(programFile("t104.bmp")));
    EXPECT_FALSE(fs::exists(programFile("t104")));
}

TEST_F(PreviewWindow, ABootWhoseArchiveIsNotLoadedShowsNoTextureAndSaysWhichToLoad)
{
    select(2);
    EXPECT_FALSE(pictureShown());
    EXPECT_EQ(info(), "Load unnamed_5756.bin to see this boot's texture.")
        << "the first archive's count places every boot";
    ASSERT_TRUE(window().loadArchive(1, archive1));
    expectShows(2);
    select(5); // past the first archive, and no second archive loaded
    EXPECT_FALSE(pictureShown()) << "not the picture of the boot before";
    EXPECT_EQ(info(), "Load unnamed_2113.bin to see this boot's texture.");
    for (const char *button : {"cmdExportTexture", "cmdReplaceTexture", "cmdEditTexture"})
        EXPECT_FALSE(find<QPushButton>(button)->isEnabled()) << button;
}

TEST_F(PreviewWindow, LoadingAnArchiveShowsTheSelectedBootsTextureAtOnce)
{
    select(1);
    ASSERT_TRUE(window().loadArchive(1, archive1));
    expectShows(1);
    EXPECT_EQ(info(), "unnamed_5756.bin, entry 1 (t101): DXT5, 16 × 16");
    EXPECT_TRUE(find<QPushButton>("cmdExportTexture")->isEnabled());
    select(4);
    ASSERT_TRUE(window().loadArchive(2, archive2));
    expectShows(4);
    EXPECT_EQ(info(), "unnamed_2113.bin, entry 0 (t104): DXT5, 16 × 16");
}

TEST_F(PreviewWindow, ReopeningTheFileShowsNoTextureUntilABootIsSelected)
{
    ASSERT_TRUE(window().loadArchive(1, archive1));
    select(1);
    expectShows(1);
    open(writeGame(TestData::boots(6)));
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_FALSE(pictureShown());
    EXPECT_EQ(info(), "");
    for (const char *button : {"cmdExportTexture", "cmdReplaceTexture", "cmdViewTexture"})
        EXPECT_FALSE(find<QPushButton>(button)->isEnabled()) << button;
    select(3);
    expectShows(3);
}

TEST_F(PreviewWindow, TheLineUnderThePreviewFollowsTheLanguage)
{
    ASSERT_TRUE(window().loadArchive(1, archive1));
    select(5);
    QComboBox *languages = find<QComboBox>("ComboBox");
    const int deutsch = languages->findText(QStringLiteral("Deutsch"));
    ASSERT_GE(deutsch, 0);
    languages->setCurrentIndex(deutsch);
    emit languages->activated(deutsch);
    EXPECT_EQ(info(), "Laden Sie unnamed_2113.bin, um die Textur dieses Schuhs zu sehen.");
    select(0);
    EXPECT_EQ(info(), "unnamed_5756.bin, Eintrag 0 (t100): DXT5, 16 × 16");
}

TEST_F(PreviewWindow, EmptyArchiveShowsTheEmptyMessage)
{
    TestData::Bytes empty(8, 0);
    const QString path = writeGameBytes(TestData::wesys(empty), "empty.bin");
    answer.message();
    ASSERT_TRUE(window().loadArchive(1, path));
    EXPECT_EQ(answer.names, QStringList({"emptyArchiveMessage"}));
    EXPECT_EQ(answer.texts, QStringList({""}));
    EXPECT_EQ(answer.icons.at(0), QMessageBox::NoIcon);
    EXPECT_EQ(lst(1)->count(), 0);
    select(0);
    EXPECT_TRUE(find<QLabel>("Img")->pixmap().isNull());
}

TEST_F(PreviewWindow, LoadingTheSameArchiveTwiceRefillsTheList)
{
    ASSERT_TRUE(window().loadArchive(1, archive1));
    select(1);
    const QString smaller = writeGameBytes(TestData::wesys(TestData::textureArchive(entries(0, 2))),
                                           "unnamed_5756.bin");
    ASSERT_TRUE(window().loadArchive(1, smaller));
    EXPECT_EQ(lst(1)->count(), 2);
    EXPECT_EQ(lst(1)->currentRow(), 1) << "the selected boot's entry, shown at once";
    EXPECT_EQ(window().archiveIndex(1).Count(), 2);
}

// Boot 4's texture lies past archive 1's four entries: a first archive of another size moves it.
TEST_F(PreviewWindow, ReloadingTheFirstArchiveForgetsASecondArchiveTexture)
{
    ASSERT_TRUE(window().loadArchive(1, archive1));
    ASSERT_TRUE(window().loadArchive(2, archive2));
    select(4);
    ASSERT_EQ(window().previewPanel()->shownArchive(), 2);
    const QString smaller = writeGameBytes(TestData::wesys(TestData::textureArchive(entries(0, 2))),
                                           "unnamed_5756.bin");
    ASSERT_TRUE(window().loadArchive(1, smaller));
    EXPECT_EQ(window().previewPanel()->shownArchive(), 0);
    EXPECT_TRUE(find<QLabel>("Img")->pixmap().isNull());
}

struct BadArchive
{
    const char *what;
    TestData::Bytes bytes;
    friend void PrintTo(const BadArchive &c, std::ostream *os) { *os << c.what; }
};

TestData::Bytes tableTooLong()
{
    TestData::Bytes archive = TestData::textureArchive(entries(0, 2));
    TestData::putInt32(archive, 0, 100000);
    return TestData::wesys(archive);
}

class FailedArchiveLoad : public PreviewWindow, public testing::WithParamInterface<BadArchive>
{
};

TEST_P(FailedArchiveLoad, SaysSoAndKeepsTheLoadedArchive)
{
    ASSERT_TRUE(window().loadArchive(1, archive1));
    const TestData::Bytes file1 = TestData::readFile(programFile("File1"));
    const QString bad = writeGameBytes(GetParam().bytes, "bad.bin");
    answer.message();
    EXPECT_FALSE(window().loadArchive(1, bad));
    ASSERT_EQ(answer.icons.size(), 1u);
    EXPECT_EQ(answer.icons[0], QMessageBox::Critical);
    EXPECT_TRUE(answer.texts[0].contains(bad));
    EXPECT_EQ(lst(1)->count(), 4);
    EXPECT_EQ(window().archiveIndex(1).Count(), 4);
    EXPECT_EQ(TestData::readFile(programFile("File1")), file1);
    EXPECT_FALSE(fs::exists(bad.toStdString() + ".unzlib"));
    select(1);
    expectShows(1);
}

INSTANTIATE_TEST_SUITE_P(Archives, FailedArchiveLoad,
                         testing::Values(BadArchive{"not a container", TestData::Bytes(50, 7)},
                                         BadArchive{"table past the end", tableTooLong()},
                                         BadArchive{"declared too large",
                                                    [] {
                                                        TestData::Bytes b = TestData::wesys(
                                                            TestData::Bytes(100, 1));
                                                        TestData::putInt32(b, 12, 0x7FFFFFF0);
                                                        return b;
                                                    }()}),
                         CaseName::by([](const auto &c) { return std::string(c.what); }));

TEST_F(PreviewWindow, HostileEntriesNeverWriteOutsideTheProgramFolder)
{
    TestData::Bytes truncated = TestData::dds(DdsFormat::Dxt5, 256, 256, {});
    truncated.resize(300);
    std::vector<TestData::ArchiveEntry> hostile = {
        {"../e", TestData::dds(DdsFormat::Dxt1, 4, 4, {})},
        {"ok01", TestData::dds(DdsFormat::Dxt1, 4, 4, {250, 0, 0, 255})},
        {"trnc", truncated}};
    TestData::Bytes archive = TestData::textureArchive(hostile);
    const QString path = writeGameBytes(TestData::wesys(archive), "unnamed_5756.bin");
    ASSERT_TRUE(window().loadArchive(1, path));
    const std::string before = gameDir.listing();
    select(1);
    const QColor shown = shownColour();
    ASSERT_TRUE(shown.isValid());
    EXPECT_GT(shown.red(), 200);
    select(0);
    EXPECT_FALSE(pictureShown()) << "an entry that cannot be shown shows no other boot's picture";
    EXPECT_TRUE(info().startsWith("unnamed_5756.bin, entry 0 (../e) cannot be shown: "))
        << info().toStdString();
    select(1);
    select(2);
    EXPECT_FALSE(pictureShown());
    EXPECT_FALSE(find<QPushButton>("cmdExportTexture")->isEnabled());
    EXPECT_EQ(gameDir.listing(), before);
    EXPECT_FALSE(fs::exists(fs::path(programParent.path()) / "e"));
    EXPECT_FALSE(fs::exists(fs::path(programParent.path()) / "e.bmp"));
}

} // namespace
