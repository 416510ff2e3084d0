// Packs and originals in the open document: applying a pack is one undo step over boots and
// textures, and boots go back to the kept original as one step.
#include "TempDir.h"
#include "TestImages.h"

#include "editor/BootsDocument.h"
#include "editor/PackSteps.h"
#include "editor/TextureArchives.h"
#include "pack/PackMaker.h"

#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

using TestData::Bytes;

Bytes texture(std::uint8_t red)
{
    return TestData::dds(TestData::DdsFormat::Dxt5, 8, 8, {red, 0, 0, 255});
}

Bytes archiveWith(std::uint8_t red)
{
    return TestData::textureArchive({{"aa00", texture(1)}, {"aa01", texture(red)}});
}

class PackSteps_ : public testing::Test
{
protected:
    void SetUp() override
    {
        TestData::writeFile(game, TestData::wesys(TestData::bootsFile(TestData::boots(5))));
        TestData::writeFile(archive, TestData::wesys(archiveWith(10)));
        doc.setOriginalsFolder(QString::fromStdString(programDir.file("originals")));
        QString error;
        ASSERT_TRUE(doc.open(QString::fromStdString(game), &error)) << error.toStdString();
        ASSERT_TRUE(doc.textures().load(1, QString::fromStdString(archive), &error))
            << error.toStdString();
    }
    Bytes workingCopy() { return TestData::readFile(doc.textures().workingCopy(1).toStdString()); }

    TempDir programDir;
    TempDir gameDir;
    std::string game = gameDir.file("unnamed_1831.bin");
    std::string archive = gameDir.file("unnamed_5756.bin");
    BootsDocument doc{QString::fromStdString(programDir.path())};
};

TEST_F(PackSteps_, applyingAPackIsOneUndoStepOverBootsAndTextures)
{
    PackMaker::Input input;
    input.manifest.title = "Gold";
    input.base = TestData::boots(5);
    input.baseBoots = TestData::bootsFile(input.base);
    input.mine = input.base;
    input.mine[2].Sila = 5;
    input.archives.push_back({"unnamed_5756.bin", archiveWith(10), archiveWith(99)});
    Pack pack;
    ASSERT_TRUE(PackMaker::make(input, pack, nullptr));

    PackMerge::Receiver receiver;
    QString error;
    ASSERT_TRUE(PackSteps::receiver(doc, receiver, &error)) << error.toStdString();
    const auto items = PackMerge::examine(pack, PackMerge::Direction::Apply, receiver,
                                          PackSteps::textureFits);
    ASSERT_FALSE(PackMerge::blocked(items, PackMerge::Policy::Stop));
    const int steps = doc.undoStack()->count();
    ASSERT_TRUE(PackSteps::apply(doc, pack, PackMerge::Direction::Apply, items,
                                 QStringLiteral("Apply Pack Gold"), &error))
        << error.toStdString();
    EXPECT_EQ(doc.undoStack()->count(), steps + 1);
    EXPECT_EQ(doc.undoStack()->undoText(), QStringLiteral("Apply Pack Gold"));
    EXPECT_EQ(doc.database().records()[2].Sila, 5);
    EXPECT_EQ(workingCopy(), archiveWith(99));

    doc.undoStack()->undo();
    EXPECT_EQ(doc.database().records(), TestData::boots(5));
    EXPECT_EQ(workingCopy(), archiveWith(10));
    EXPECT_FALSE(doc.isModified());
}

TEST_F(PackSteps_, revertToOriginalPutsTheSelectedBootsBackAfterASave)
{
    QString error;
    std::vector<BootRecord> changed = TestData::boots(5);
    changed[1].Sila = 5;
    changed[3].Nazwa = "Mine";
    ASSERT_TRUE(doc.changeRecords(QStringLiteral("Change"), changed));
    ASSERT_TRUE(doc.save(&error)) << error.toStdString();

    ASSERT_TRUE(PackSteps::revertToOriginal(doc, {1}, QStringLiteral("Revert to Original"), &error))
        << error.toStdString();
    EXPECT_EQ(doc.database().records()[1], TestData::boots(5)[1]);
    EXPECT_EQ(doc.database().records()[3].Nazwa, "Mine");
    EXPECT_EQ(doc.undoStack()->undoText(), QStringLiteral("Revert to Original"));
    EXPECT_FALSE(PackSteps::revertToOriginal(doc, {1}, QStringLiteral("Revert to Original"), &error));
}

} // namespace
