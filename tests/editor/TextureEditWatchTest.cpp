// Textures out in an image editor: the saves that become undo steps and those that do not,
// written the ways editors write them (in pieces, by rename, unchanged, broken, another size).
#include "CaseName.h"
#include "TempDir.h"
#include "TestImages.h"

#include "editor/BootsDocument.h"
#include "editor/TextureArchives.h"
#include "editor/TextureEditWatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace {

using TestData::Bytes;
constexpr int kSide = 64;
// Long enough past the settle time for the watch to have read the file.
constexpr int kQuietMs = TextureEditWatch::kSettleMs * 3;

void writePart(const std::string &path, const Bytes &bytes, std::size_t from, std::size_t to)
{
    std::ofstream out(path, from == 0 ? std::ios::binary | std::ios::trunc
                                      : std::ios::binary | std::ios::app);
    out.write(reinterpret_cast<const char *>(bytes.data() + from),
              static_cast<std::streamsize>(to - from));
}

Bytes picture(TestData::Rgba colour, int width = kSide, int height = kSide)
{
    return TestData::png(TestData::solid(width, height, colour));
}

class EditWatch : public testing::Test
{
protected:
    void SetUp() override
    {
        archivePath = QString::fromStdString(gameDir.file("unnamed_5756.bin"));
        TestData::writeFile(
            archivePath.toStdString(),
            TestData::wesys(TestData::textureArchive(
                {{"ab12", TestData::ddsOf(TestData::DdsFormat::Dxt5,
                                          TestData::pattern(kSide, kSide, true), 7)},
                 {"cd34", TestData::ddsOf(TestData::DdsFormat::Dxt1,
                                          TestData::pattern(kSide, kSide, false))}})));
        Reason error;
        ASSERT_TRUE(textures.load(1, archivePath, &error)) << error.text();
        png = watch.start(1, 0, &error);
        ASSERT_FALSE(png.isEmpty()) << error.text();
    }
    // Runs events until `done` holds or a few seconds passed.
    static bool waitFor(const std::function<bool()> &done)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 5000)
            QTest::qWait(20);
        return done();
    }
    Bytes texture(std::int32_t entry)
    {
        Bytes dds;
        Reason error;
        EXPECT_TRUE(textures.entryTexture(1, entry, dds, &error));
        return dds;
    }

    TempDir workDir;
    TempDir gameDir;
    QUndoStack stack;
    TextureArchives textures{QString::fromStdString(workDir.path()), &stack};
    TextureEditWatch watch{&textures, QString::fromStdString(workDir.file("edits"))};
    QString archivePath;
    QString png;
};

TEST_F(EditWatch, WritesThePngNamedAfterArchiveEntryAndName)
{
    EXPECT_EQ(QFileInfo(png).fileName(), QStringLiteral("unnamed_5756_000_ab12.png"));
    EXPECT_TRUE(QFileInfo(png).isFile());
}

// One kind of save: what an editor does to the PNG, then how many undo steps and refusals it
// leaves once the file has rested.
struct SaveCase
{
    const char *name;
    std::function<void(const std::string &png, const std::string &folder)> save;
    int steps;
    int refusals;
    int otherSizes;
};

class Save : public EditWatch, public testing::WithParamInterface<SaveCase>
{
};

TEST_P(Save, BecomesStepsOnlyWhenItChangesPixels)
{
    const SaveCase &c = GetParam();
    QSignalSpy refused(&watch, &TextureEditWatch::refused);
    QSignalSpy otherSize(&watch, &TextureEditWatch::otherSize);
    const Bytes before = texture(0);
    c.save(png.toStdString(), workDir.file("edits"));
    if (c.steps > 0) {
        ASSERT_TRUE(waitFor([&] { return stack.count() == c.steps; }));
    }
    QTest::qWait(kQuietMs);
    EXPECT_EQ(stack.count(), c.steps);
    EXPECT_EQ(refused.count(), c.refusals);
    EXPECT_EQ(otherSize.count(), c.otherSizes);
    if (c.steps == 0) {
        EXPECT_EQ(texture(0), before) << "the entry is left alone";
    }
    for (int i = 0; i < stack.count(); ++i)
        EXPECT_EQ(stack.text(i), QStringLiteral("Edit Texture 000"));
    while (stack.canUndo())
        stack.undo();
    EXPECT_EQ(texture(0), before) << "undo takes each save back";
}

INSTANTIATE_TEST_SUITE_P(
    Editors, Save,
    testing::Values(SaveCase{"WrittenInPieces",
                             [](const std::string &png, const std::string &) {
                                 const Bytes red = picture({220, 20, 20, 255});
                                 writePart(png, red, 0, red.size() / 3);
                                 QTest::qWait(TextureEditWatch::kSettleMs / 5);
                                 writePart(png, red, red.size() / 3, red.size());
                             },
                             1, 0, 0},
                    SaveCase{
                        "WrittenByRenameTwice",
                        [](const std::string &png, const std::string &folder) {
                            TestData::writeFile(folder + "/.save.tmp", picture({20, 220, 20, 255}));
                            std::filesystem::rename(folder + "/.save.tmp", png);
                            QTest::qWait(kQuietMs);
                            TestData::writeFile(folder + "/.save.tmp", picture({20, 20, 220, 255}));
                            std::filesystem::rename(folder + "/.save.tmp", png);
                        },
                        2, 0, 0},
                    SaveCase{"RewrittenUnchanged",
                             [](const std::string &png, const std::string &) {
                                 TestData::writeFile(png, TestData::readFile(png));
                             },
                             0, 0, 0},
                    SaveCase{"Broken",
                             [](const std::string &png, const std::string &) {
                                 TestData::writeFile(png, Bytes(500, 'x'));
                             },
                             0, 1, 0},
                    SaveCase{"OtherSize",
                             [](const std::string &png, const std::string &) {
                                 TestData::writeFile(png, picture({220, 20, 20, 255}, 100, 60));
                             },
                             0, 0, 1}),
    CaseName::by([](const SaveCase &c) { return c.name; }));

TEST_F(EditWatch, SaveOfAnotherSizeIsTakenResizedWhenAsked)
{
    QSignalSpy otherSize(&watch, &TextureEditWatch::otherSize);
    TestData::writeFile(png.toStdString(), picture({220, 20, 20, 255}, 100, 60));
    ASSERT_TRUE(waitFor([&] { return otherSize.count() == 1; }));
    EXPECT_NE(otherSize.at(0).at(1).value<Reason>().text().find("100 x 60"), std::string::npos);
    Reason error;
    ASSERT_TRUE(watch.takeResized(png, &error)) << error.text();
    EXPECT_EQ(stack.count(), 1);
}

TEST_F(EditWatch, SeveralTexturesAreOutAtOnce)
{
    Reason error;
    const QString second = watch.start(1, 1, &error);
    ASSERT_FALSE(second.isEmpty()) << error.text();
    const Bytes firstBefore = texture(0);
    TestData::writeFile(second.toStdString(), picture({220, 20, 20, 255}));
    ASSERT_TRUE(waitFor([&] { return stack.count() == 1; }));
    EXPECT_EQ(stack.text(0), QStringLiteral("Edit Texture 001"));
    EXPECT_EQ(texture(0), firstBefore);
}

TEST_F(EditWatch, LoadingTheArchiveAgainEndsItsWatches)
{
    Reason error;
    ASSERT_TRUE(textures.load(1, archivePath, &error));
    EXPECT_EQ(watch.watchedCount(), 0);
    TestData::writeFile(png.toStdString(), picture({220, 20, 20, 255}));
    QTest::qWait(kQuietMs);
    EXPECT_EQ(stack.count(), 0);
}

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
