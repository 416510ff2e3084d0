#include "CaseName.h"
#include "MainWindowFixture.h"
#include "TestImages.h"

#include "app/panels/PreviewPanel.h"
#include "app/panels/TextureActions.h"
#include "app/windows/frmTexture.h"
#include "editor/TextureEditWatch.h"
#include "archive/ArchiveEntry.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>
#include <filesystem>

namespace {

using TestData::DdsFormat;
constexpr int kSide = 16;
constexpr int kEntry = 1; // the texture of boot 1

TestData::Image pictureOf(int i)
{
    TestData::Image image = TestData::pattern(kSide, kSide, true);
    for (auto &p : image.pixels)
        p.b = static_cast<std::uint8_t>(p.b / (i + 1));
    return image;
}

TestData::Bytes archiveOf(int variant)
{
    std::vector<TestData::ArchiveEntry> entries;
    for (int i = 0; i < 3; ++i)
        entries.push_back(
            {"t10" + std::to_string(i), TestData::ddsOf(DdsFormat::Dxt5, pictureOf(i + variant))});
    return TestData::textureArchive(entries);
}

class TextureWindow : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        open(writeGame(TestData::boots(4)));
        original = archiveOf(0);
        archive = writeGameBytes(TestData::wesys(original), "unnamed_5756.bin");
        ASSERT_TRUE(window().loadArchive(1, archive));
        select(kEntry);
        ASSERT_EQ(preview()->shownEntry(), kEntry);
        replacement = TestData::opaque(TestData::pattern(kSide, kSide, false));
    }

    PreviewPanel *preview() { return window().previewPanel(); }
    TextureActions *actions() { return window().textureActions(); }
    QString gameFile(const TestData::Bytes &bytes, const char *name)
    {
        return writeGameBytes(bytes, QString::fromLatin1(name));
    }
    TestData::Bytes saved() { return TestData::unwrap(TestData::readFile(archive.toStdString())); }
    TestData::Bytes workingCopy()
    {
        return TestData::readFile(preview()->archivePath(1).toStdString());
    }
    void saveExpecting(const char *message)
    {
        answer.message();
        window().save();
        EXPECT_EQ(answer.names.value(answer.names.size() - 1), QString::fromLatin1(message));
    }

    TestData::Bytes original;
    QString archive;
    TestData::Image replacement;
};

struct Replacement
{
    const char *name;
    bool dds;
};

class ReplaceAndSave : public TextureWindow, public testing::WithParamInterface<Replacement>
{
};

TEST_P(ReplaceAndSave, OnlyTheEntrysPixelBytesChange)
{
    const TestData::Bytes dds = TestData::ddsOf(DdsFormat::Dxt5, replacement);
    const QString image =
        GetParam().dds ? gameFile(dds, "new.dds") : gameFile(TestData::png(replacement), "new.png");
    answer.file(image);
    find<QPushButton>("cmdReplaceTexture")->click();
    EXPECT_EQ(answer.names.value(0), "CDReplace");
    EXPECT_TRUE(window().isWindowModified());
    EXPECT_EQ(find<QAction>("mnuUndo")->text(), "Undo Replace Texture");
    saveExpecting("savedMessage");
    EXPECT_FALSE(window().isWindowModified());

    const TestData::Bytes after = saved();
    ASSERT_EQ(after.size(), original.size());
    const ArchiveEntry entry = ArchiveEntry::of(window().archiveIndex(1), kEntry);
    const auto pixels = static_cast<std::size_t>(entry.textureOffset() + 128);
    const auto end = static_cast<std::size_t>(entry.dataOffset + entry.length);
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i < pixels || i >= end) {
            ASSERT_EQ(after[i], original[i]) << "byte " << i << " outside the entry's pixels";
        }
    }
    const TestData::Bytes texture(after.begin() + entry.textureOffset(), after.begin() + end);
    if (GetParam().dds) {
        EXPECT_EQ(texture, dds) << "a DDS is copied as it is";
    } else {
        for (int channel = 0; channel < 4; ++channel)
            EXPECT_LT(TestData::meanError(TestData::decodeDds(texture), replacement, channel),
                      0.03);
    }
    // The preview shows the new picture at once.
    const auto &shown = preview()->shownPicture().pixels;
    EXPECT_NEAR(shown[2], replacement.at(0, 0).r, 12);
}

INSTANTIATE_TEST_SUITE_P(Window, ReplaceAndSave,
                         testing::Values(Replacement{"Png", false}, Replacement{"Dds", true}),
                         CaseName::by([](const Replacement &r) { return r.name; }));

TEST_F(TextureWindow, BootWithoutATextureCannotReplaceTheLastShownOne)
{
    select(3); // archive 1 holds three entries: boot 3 has none
    EXPECT_FALSE(find<QPushButton>("cmdReplaceTexture")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("cmdExportTexture")->isEnabled());
    select(kEntry);
    EXPECT_TRUE(find<QPushButton>("cmdReplaceTexture")->isEnabled());
}

TEST_F(TextureWindow, UndoThenSaveRestoresTheOriginalArchive)
{
    ASSERT_TRUE(actions()->replaceShownTexture(gameFile(TestData::png(replacement), "new.png")));
    saveExpecting("savedMessage");
    ASSERT_NE(saved(), original);
    find<QAction>("mnuUndo")->trigger();
    EXPECT_TRUE(window().isWindowModified());
    saveExpecting("savedMessage");
    EXPECT_EQ(saved(), original);
    find<QAction>("mnuRedo")->trigger();
    EXPECT_NE(workingCopy(), original) << "redo puts the new texture back";
}

TEST_F(TextureWindow, WrongSizePictureGivesOneMessageAndChangesNothing)
{
    const QString small = gameFile(TestData::png(TestData::solid(8, 8, {})), "small.png");
    answer.message(QMessageBox::No);
    EXPECT_FALSE(actions()->replaceShownTexture(small));
    EXPECT_EQ(answer.names, QStringList({"resizeMessage"}));
    EXPECT_TRUE(answer.texts.value(0).contains("small.png"));
    EXPECT_TRUE(answer.texts.value(0).contains("8 x 8")) << answer.texts.value(0).toStdString();
    EXPECT_TRUE(answer.texts.value(0).contains("16 x 16"));
    EXPECT_EQ(workingCopy(), original);
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_EQ(window().document().undoStack()->count(), 0);
}

TEST_F(TextureWindow, WrongSizePictureIsResizedWhenTheUserSaysSo)
{
    const QString small =
        gameFile(TestData::png(TestData::solid(10, 6, {200, 30, 10, 255})), "small.png");
    answer.message(QMessageBox::Yes);
    ASSERT_TRUE(actions()->replaceShownTexture(small));
    EXPECT_EQ(answer.names, QStringList({"resizeMessage"}));
    EXPECT_EQ(find<QAction>("mnuUndo")->text(), "Undo Replace Texture");
    EXPECT_NEAR(preview()->shownPicture().pixels[2], 200, 12);
}

TEST_F(TextureWindow, ExportProposesTheBootAndEntryName)
{
    QString proposed;
    answer.then([&proposed](QWidget *dialog) {
        auto *files = qobject_cast<QFileDialog *>(dialog);
        ASSERT_NE(files, nullptr);
        proposed = QFileInfo(files->selectedFiles().value(0)).fileName();
        files->reject();
    });
    find<QPushButton>("cmdExportTexture")->click();
    EXPECT_EQ(proposed, "Boot 1 (t101).png");
}

TEST_F(TextureWindow, EachSaveInTheImageEditorIsAnUndoStepThatSaveWrites)
{
    const std::string red = gameDir.file("red.png");
    const std::string blue = gameDir.file("blue.png");
    TestData::writeFile(red, TestData::png(TestData::solid(kSide, kSide, {230, 10, 10, 255})));
    TestData::writeFile(blue, TestData::png(TestData::solid(kSide, kSide, {10, 10, 230, 255})));
    // The test's image editor saves red, then blue (fake_image_editor.cpp).
    qputenv("FAKE_EDITOR_SAVES", QByteArray::fromStdString(red + "\n" + blue));
    actions()->setTextureEditor(QStringLiteral(CLEATWORK_FAKE_IMAGE_EDITOR));
    QUndoStack *stack = window().document().undoStack();
    const auto waitForSteps = [stack](int steps) {
        for (int i = 0; i < 500 && stack->count() < steps; ++i)
            QTest::qWait(20);
        return stack->count() == steps;
    };
    find<QPushButton>("cmdEditTexture")->click();
    ASSERT_TRUE(waitForSteps(1));
    EXPECT_NEAR(preview()->shownPicture().pixels[2], 230, 12) << "the preview shows the red save";
    ASSERT_TRUE(waitForSteps(2));
    EXPECT_NEAR(preview()->shownPicture().pixels[0], 230, 12) << "and then the blue one";
    EXPECT_EQ(find<QAction>("mnuUndo")->text(), "Undo Edit Texture 001");
    find<QAction>("mnuUndo")->trigger();
    EXPECT_NEAR(preview()->shownPicture().pixels[2], 230, 12) << "undo takes back one save";
    saveExpecting("savedMessage");
    const ArchiveEntry entry = ArchiveEntry::of(window().archiveIndex(1), kEntry);
    const TestData::Bytes after = saved();
    const TestData::Image written = TestData::decodeDds(TestData::Bytes(
        after.begin() + entry.textureOffset(), after.begin() + entry.dataOffset + entry.length));
    EXPECT_NEAR(written.at(0, 0).r, 230, 12);
}

TEST_F(TextureWindow, ViewerSendsTheShownTextureToTheImageEditor)
{
    qunsetenv("FAKE_EDITOR_SAVES"); // the test's image editor ends at once, saving nothing
    actions()->setTextureEditor(QStringLiteral(CLEATWORK_FAKE_IMAGE_EDITOR));
    find<QPushButton>("cmdViewTexture")->click();
    auto *viewer = window().findChild<frmTexture *>();
    ASSERT_NE(viewer, nullptr);
    viewer->findChild<QPushButton *>(QStringLiteral("cmdEditTexture"))->click();
    EXPECT_TRUE(actions()->editWatch()->isWatched(1, kEntry));
}

// The editor is started without the window waiting on it: one that cannot be started is a line
// in the status bar, and the window goes on at once.
TEST_F(TextureWindow, AnImageEditorThatCannotStartSaysSoInTheStatusBar)
{
    const QString missing = QString::fromStdString(gameDir.file("no-such-editor.exe"));
    actions()->setTextureEditor(missing);
    find<QPushButton>("cmdEditTexture")->click();
    QStatusBar *status = window().statusBar();
    for (int i = 0; i < 250 && status->currentMessage().isEmpty(); ++i)
        QTest::qWait(20);
    EXPECT_EQ(status->currentMessage(),
              "Cannot open the texture in the image editor: " + QDir::toNativeSeparators(missing));
    EXPECT_EQ(answer.icons.size(), 0u) << "no message box holds the window";
}

TEST_F(TextureWindow, ExportWritesThePngOfTheShownPicture)
{
    std::filesystem::create_directory(gameDir.file("exports"));
    const std::string path = gameDir.file("exports/out.png");
    answer.file(QString::fromStdString(path));
    find<QPushButton>("cmdExportTexture")->click();
    EXPECT_EQ(answer.names.value(0), "CDTexture");
    const QImage png(QString::fromStdString(path));
    ASSERT_EQ(png.size(), QSize(kSide, kSide));
    const QImage argb = png.convertToFormat(QImage::Format_ARGB32);
    const auto &shown = preview()->shownPicture().pixels;
    EXPECT_EQ(TestData::Bytes(argb.constBits(), argb.constBits() + shown.size()), shown);
    EXPECT_EQ(window().statusBar()->currentMessage(),
              "The texture was written to " +
                  QDir::toNativeSeparators(QString::fromStdString(path)) + ".");
    answer.file(QString());
    find<QPushButton>("cmdExportTexture")->click();
    EXPECT_EQ(QDir(answer.folders.value(1)), QDir(QString::fromStdString(gameDir.file("exports"))))
        << "the next export starts in the folder of this one";
}

TEST_F(TextureWindow, AlphaOffShowsTheStoredColoursOpaque)
{
    const auto &shown = preview()->shownPicture().pixels;
    const std::size_t corner = (kSide - 1) * 4; // the top-right pixel is fully transparent
    ASSERT_EQ(shown[corner + 3], 0);
    const QColor stored(shown[corner + 2], shown[corner + 1], shown[corner]);
    auto cornerShown = [this] {
        return find<QLabel>("Img")->pixmap().toImage().pixelColor(kSide - 1, 0);
    };
    EXPECT_NE(cornerShown(), stored) << "the checkerboard shows through";
    find<QCheckBox>("chkAlpha")->click();
    EXPECT_EQ(cornerShown(), stored);
}

TEST_F(TextureWindow, ChangedArchiveAsksBeforeTheWindowCloses)
{
    ASSERT_TRUE(actions()->replaceShownTexture(gameFile(TestData::png(replacement), "new.png")));
    answer.message(QMessageBox::Cancel);
    EXPECT_FALSE(window().close());
    EXPECT_EQ(answer.names, QStringList({"unsavedMessage"}));
    EXPECT_EQ(answer.texts.value(0), QStringLiteral("The textures of %1 have been changed.")
                                         .arg(QDir::toNativeSeparators(archive)))
        << "the boots did not change";
}

TEST_F(TextureWindow, FailedArchiveSaveKeepsTheWindowModified)
{
    ASSERT_TRUE(actions()->replaceShownTexture(gameFile(TestData::png(replacement), "new.png")));
    std::filesystem::permissions(archive.toStdString(), std::filesystem::perms::owner_read);
    saveExpecting("errorMessage");
    EXPECT_TRUE(answer.texts.value(0).contains("unnamed_5756.bin"));
    EXPECT_EQ(answer.names.size(), 1) << "no \"Saved File\"";
    EXPECT_TRUE(window().isWindowModified());
    EXPECT_EQ(saved(), original);
}

TEST_F(TextureWindow, ReloadingAChangedArchiveAsksAndVoidsItsUndoSteps)
{
    ASSERT_TRUE(actions()->replaceShownTexture(gameFile(TestData::png(replacement), "new.png")));
    const QString other = gameFile(TestData::wesys(archiveOf(3)), "other.bin");
    answer.message(QMessageBox::Cancel);
    EXPECT_FALSE(window().loadArchive(1, other));
    EXPECT_NE(workingCopy(), original) << "cancel keeps the replacement";
    answer.message(QMessageBox::Discard);
    ASSERT_TRUE(window().loadArchive(1, other));
    find<QAction>("mnuUndo")->trigger();
    EXPECT_EQ(workingCopy(), archiveOf(3)) << "an old step never writes into another archive";
}

TEST_F(TextureWindow, DiscardedReplacementsLeaveTheWorkingCopyAndAreNeverSaved)
{
    ASSERT_TRUE(actions()->replaceShownTexture(gameFile(TestData::png(replacement), "new.png")));
    open(writeGame(TestData::boots(2), "unnamed_28.bin")); // the edits are discarded
    EXPECT_EQ(workingCopy(), original);
    saveExpecting("savedMessage");
    EXPECT_EQ(TestData::readFile(archive.toStdString()), TestData::wesys(original));
}

// Export All and Import Folder: the folder dialog, the summary and one undo step.
class TextureFolder : public TextureWindow
{
protected:
    QString folder(const char *name)
    {
        const QString path = QString::fromStdString(gameDir.file(name));
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }
    void importFrom(const QString &path, const char *message)
    {
        answer.file(path);
        answer.message();
        find<QPushButton>("cmdImportTextures")->click();
        EXPECT_EQ(answer.names, QStringList({"CDTextureFolder", message}));
    }
    TestData::Bytes entryBytes(const TestData::Bytes &plain, int entry)
    {
        const ArchiveEntry at = ArchiveEntry::of(window().archiveIndex(1), entry);
        return TestData::Bytes(plain.begin() + at.dataOffset,
                               plain.begin() + at.dataOffset + at.length);
    }
};

TEST_F(TextureFolder, ExportAllWritesOnePngPerEntry)
{
    const QString out = folder("out");
    answer.file(out);
    answer.message();
    find<QPushButton>("cmdExportTextures")->click();
    EXPECT_EQ(answer.names, QStringList({"CDTextureFolder", "texturesExportedMessage"}));
    EXPECT_EQ(QDir(out).entryList(QDir::Files),
              QStringList({"000_t100.png", "001_t101.png", "002_t102.png", "index.csv"}));
    const TestData::Bytes index = TestData::readFile(out.toStdString() + "/index.csv");
    EXPECT_NE(std::string(index.begin(), index.end()).find("\r\n1,t101,Boot 1\r\n"),
              std::string::npos)
        << "each entry with the boots that use it";
}

TEST_F(TextureFolder, ImportDialogNamesTheArchiveItImportsInto)
{
    QString title;
    answer.then([&title](QWidget *dialog) {
        title = dialog->windowTitle();
        qobject_cast<QDialog *>(dialog)->reject();
    });
    find<QPushButton>("cmdImportTextures")->click();
    EXPECT_EQ(title, "Import Textures into " + QFileInfo(archive).fileName());
    EXPECT_EQ(workingCopy(), original);
}

TEST_F(TextureFolder, ImportIsOneStepThatSaveWrites)
{
    const QString set = folder("set");
    const TestData::Bytes png = TestData::png(replacement);
    TestData::writeFile(set.toStdString() + "/001_a.png", png);
    TestData::writeFile(set.toStdString() + "/002_b.png", png);
    importFrom(set, "texturesImportedMessage");
    EXPECT_NEAR(preview()->shownPicture().pixels[2], replacement.at(0, 0).r, 12)
        << "the preview shows the new texture";
    const TestData::Bytes imported = workingCopy();
    find<QAction>("mnuUndo")->trigger();
    EXPECT_EQ(workingCopy(), original);
    EXPECT_FALSE(window().isWindowModified());
    find<QAction>("mnuRedo")->trigger();
    EXPECT_EQ(workingCopy(), imported);
    saveExpecting("savedMessage");
    const TestData::Bytes after = saved();
    EXPECT_EQ(entryBytes(after, 0), entryBytes(original, 0));
    EXPECT_NE(entryBytes(after, 1), entryBytes(original, 1));
    EXPECT_NE(entryBytes(after, 2), entryBytes(original, 2));
}

TEST_F(TextureFolder, PicturesOfAnotherSizeAreResizedWhenTheUserSaysSo)
{
    const QString set = folder("set");
    TestData::writeFile(set.toStdString() + "/001_a.png",
                        TestData::png(TestData::solid(40, 24, {200, 30, 10, 255})));
    answer.file(set);
    answer.message(QMessageBox::Yes);
    answer.message();
    find<QPushButton>("cmdImportTextures")->click();
    EXPECT_EQ(answer.names,
              QStringList({"CDTextureFolder", "resizeMessage", "texturesImportedMessage"}));
    EXPECT_TRUE(answer.details.value(0).contains("40 x 24")) << answer.details.value(0).toStdString();
    EXPECT_EQ(find<QAction>("mnuUndo")->text(), "Undo Import Textures");
}

TEST_F(TextureFolder, BrokenPictureIsRefusedNamingIt)
{
    const QString set = folder("set");
    TestData::Bytes cut = TestData::png(replacement);
    cut.resize(cut.size() / 2);
    TestData::writeFile(set.toStdString() + "/001_bad.png", cut);
    importFrom(set, "textureProblemsMessage");
    EXPECT_TRUE(answer.details.value(0).startsWith("001_bad.png: "))
        << answer.details.value(0).toStdString();
    EXPECT_EQ(workingCopy(), original);
    EXPECT_EQ(window().document().undoStack()->count(), 0);
}

TEST_F(TextureFolder, CancelledProgressChangesNothing)
{
    // An archive of more entries than are read without a progress dialog, all of them repainted.
    std::vector<TestData::ArchiveEntry> entries;
    const QString set = folder("set");
    for (int i = 0; i < 6; ++i) {
        entries.push_back(
            {"t20" + std::to_string(i), TestData::ddsOf(DdsFormat::Dxt5, pictureOf(i))});
        TestData::writeFile(set.toStdString() + "/00" + std::to_string(i) + "_e.png",
                            TestData::png(replacement));
    }
    const TestData::Bytes six = TestData::textureArchive(entries);
    ASSERT_TRUE(window().loadArchive(1, gameFile(TestData::wesys(six), "six.bin")));
    select(2); // another boot, so that the selection changes
    ASSERT_EQ(preview()->shownArchive(), 1);
    answer.file(set);
    answer.then([](QWidget *dialog) {
        auto *progress = qobject_cast<QProgressDialog *>(dialog);
        ASSERT_NE(progress, nullptr);
        progress->cancel();
    });
    find<QPushButton>("cmdImportTextures")->click();
    EXPECT_EQ(workingCopy(), six);
    EXPECT_EQ(window().document().undoStack()->count(), 0);
}

} // namespace
