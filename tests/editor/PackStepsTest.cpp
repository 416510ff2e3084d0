// Packs and originals in the open document: applying a pack is one undo step over boots and
// textures, boots go back to the kept original with their textures as one step, and an
// exported pack holds the chosen boots with their textures.
#include "CaseName.h"
#include "TempDir.h"
#include "TestImages.h"

#include "editor/AppliedPacks.h"
#include "editor/BootsDocument.h"
#include "editor/PackSteps.h"
#include "editor/TextureArchives.h"
#include "pack/PackMaker.h"
#include "pack/Receipt.h"

#include <QUndoStack>
#include <gtest/gtest.h>
#include <set>

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

// "Gold": boot 2's Shot Power to 5 and entry 1's red from 10 to 99, over the test's files.
PackMaker::Input goldInput()
{
    PackMaker::Input input;
    input.manifest.title = "Gold";
    input.base = TestData::boots(5);
    input.baseBoots = TestData::bootsFile(input.base);
    input.mine = input.base;
    input.mine[2].Sila = 5;
    input.archives.push_back({"unnamed_5756.bin", archiveWith(10), archiveWith(99)});
    return input;
}

class PackSteps_ : public testing::Test
{
protected:
    void SetUp() override
    {
        TestData::writeFile(game, TestData::wesys(TestData::bootsFile(TestData::boots(5))));
        TestData::writeFile(archive, TestData::wesys(archiveWith(10)));
        doc.setOriginalsFolder(QString::fromStdString(programDir.file("originals")));
        Reason error;
        ASSERT_TRUE(doc.open(QString::fromStdString(game), &error)) << error.text();
        ASSERT_TRUE(doc.textures().load(1, QString::fromStdString(archive), &error))
            << error.text();
    }
    Bytes workingCopy() { return TestData::readFile(doc.textures().workingCopy(1).toStdString()); }
    void replaceTexture(std::int32_t entry, std::uint8_t red)
    {
        const std::string path = gameDir.file("new" + std::to_string(entry) + ".dds");
        TestData::writeFile(path, texture(red));
        Reason error;
        ASSERT_TRUE(doc.textures().replaceEntry(1, entry, QString::fromStdString(path), &error))
            << error.text();
    }

    TempDir programDir;
    TempDir gameDir;
    std::string game = gameDir.file("unnamed_1831.bin");
    std::string archive = gameDir.file("unnamed_5756.bin");
    BootsDocument doc{QString::fromStdString(programDir.path())};
};

TEST_F(PackSteps_, applyingAPackIsOneUndoStepOverBootsAndTextures)
{
    PackMaker::Input input = goldInput();
    Pack pack;
    ASSERT_TRUE(PackMaker::make(input, pack, nullptr));

    PackMerge::Receiver receiver;
    Reason error;
    ASSERT_TRUE(PackSteps::receiver(doc, receiver, &error)) << error.text();
    const PackMerge::Plan plan =
        PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, PackSteps::textureFits);
    ASSERT_FALSE(PackMerge::blocked(plan, PackMerge::Policy::Stop));
    const int steps = doc.undoStack()->count();
    ASSERT_TRUE(PackSteps::apply(doc, pack, PackMerge::Direction::Apply, plan,
                                 QStringLiteral("Apply Pack Gold"), {}, &error))
        << error.text();
    EXPECT_EQ(doc.undoStack()->count(), steps + 1);
    EXPECT_EQ(doc.undoStack()->undoText(), QStringLiteral("Apply Pack Gold"));
    EXPECT_EQ(doc.database().records()[2].Sila, 5);
    EXPECT_EQ(workingCopy(), archiveWith(99));

    doc.undoStack()->undo();
    EXPECT_EQ(doc.database().records(), TestData::boots(5));
    EXPECT_EQ(workingCopy(), archiveWith(10));
    EXPECT_FALSE(doc.isModified());
}

TEST_F(PackSteps_, anApplysReceiptFollowsItsStepIsFiledOnSaveAndARevertThroughItDropsIt)
{
    const QString receipts = QString::fromStdString(programDir.file("receipts"));
    doc.appliedPacks().setFolder(receipts);
    PackMaker::Input input = goldInput();
    input.mine[3].Sila = doc.database().records()[3].Sila; // already there: no receipt line
    Pack pack;
    ASSERT_TRUE(PackMaker::make(input, pack, nullptr));
    const Bytes savedGame = TestData::readFile(game), savedArchive = TestData::readFile(archive);

    PackMerge::Receiver receiver;
    Reason error;
    ASSERT_TRUE(PackSteps::receiver(doc, receiver, &error));
    const PackMerge::Plan plan =
        PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, PackSteps::textureFits);
    PackSteps::Record record{Receipts::make(pack, plan, receiver, "f1", game, Receipts::now()),
                             true, false};
    ASSERT_TRUE(PackSteps::apply(doc, pack, PackMerge::Direction::Apply, plan,
                                 QStringLiteral("Apply Pack Gold"), record, &error));
    EXPECT_EQ(doc.appliedPacks().receipts().size(), 1u);
    doc.undoStack()->undo();
    EXPECT_TRUE(doc.appliedPacks().receipts().empty());
    doc.undoStack()->redo();
    // Filed only with the saved files, and read again with them.
    EXPECT_TRUE(Receipts::list(receipts.toStdString(), game).empty());
    ASSERT_TRUE(doc.save(&error)) << error.text();
    ASSERT_EQ(Receipts::list(receipts.toStdString(), game).size(), 1u);
    doc.close();
    ASSERT_TRUE(doc.open(QString::fromStdString(game), &error));
    ASSERT_TRUE(doc.textures().load(1, QString::fromStdString(archive), &error));
    ASSERT_EQ(doc.appliedPacks().receipts().size(), 1u);
    EXPECT_EQ(doc.appliedPacks().setterOf(2, "Sila", "5"), &doc.appliedPacks().receipts()[0]);

    const Receipt kept = doc.appliedPacks().receipts()[0];
    ASSERT_TRUE(PackSteps::receiver(doc, receiver, &error));
    const PackMerge::Plan back = PackMerge::examine(kept.changes, PackMerge::Direction::Revert,
                                                    receiver, PackSteps::textureFits, true);
    ASSERT_TRUE(PackSteps::apply(doc, kept.changes, PackMerge::Direction::Revert, back,
                                 QStringLiteral("Revert Pack Gold"), {kept, false, true}, &error));
    EXPECT_TRUE(doc.appliedPacks().receipts().empty());
    ASSERT_TRUE(doc.save(&error)) << error.text();
    EXPECT_TRUE(Receipts::list(receipts.toStdString(), game).empty());
    EXPECT_EQ(TestData::readFile(game), savedGame);
    EXPECT_EQ(TestData::readFile(archive), savedArchive);
}

TEST_F(PackSteps_, revertToOriginalPutsTheSelectedBootsBackAfterASave)
{
    Reason error;
    std::vector<BootRecord> changed = TestData::boots(5);
    changed[1].Sila = 5;
    changed[3].Nazwa = "Mine";
    ASSERT_TRUE(doc.changeRecords(QStringLiteral("Change"), changed));
    ASSERT_TRUE(doc.save(&error)) << error.text();

    ASSERT_TRUE(PackSteps::revertToOriginal(doc, {1}, QStringLiteral("Revert to Original"), &error))
        << error.text();
    EXPECT_EQ(doc.database().records()[1], TestData::boots(5)[1]);
    EXPECT_EQ(doc.database().records()[3].Nazwa, "Mine");
    EXPECT_EQ(doc.undoStack()->undoText(), QStringLiteral("Revert to Original"));
    EXPECT_FALSE(
        PackSteps::revertToOriginal(doc, {1}, QStringLiteral("Revert to Original"), &error));
}

struct RevertCase
{
    const char *name;
    std::vector<int> positions;
    std::vector<int> sila;                      ///< of boots 0 to 4 afterwards
    std::pair<std::uint8_t, std::uint8_t> reds; ///< of the textures of boots 0 and 1 afterwards
};

class RevertToOriginal : public PackSteps_, public testing::WithParamInterface<RevertCase>
{
};

// Boots 1 and 3 changed a field, boots 0 and 1 their textures; boot 3's archive is not loaded.
TEST_P(RevertToOriginal, PutsTheChosenBootsAndTheirTexturesBackAsOneStep)
{
    const RevertCase &c = GetParam();
    std::vector<BootRecord> changed = TestData::boots(5);
    changed[1].Sila = 9;
    changed[3].Sila = 9;
    ASSERT_TRUE(doc.changeRecords(QStringLiteral("Change"), changed));
    replaceTexture(0, 50);
    replaceTexture(1, 60);
    const Bytes edited = workingCopy();
    const int steps = doc.undoStack()->count();

    Reason error;
    ASSERT_TRUE(PackSteps::revertToOriginal(doc, c.positions, QStringLiteral("Revert"), &error))
        << error.text();
    EXPECT_EQ(doc.undoStack()->count(), steps + 1);
    std::vector<int> sila;
    for (const BootRecord &boot : doc.database().records())
        sila.push_back(boot.Sila);
    EXPECT_EQ(sila, c.sila);
    EXPECT_EQ(workingCopy(), TestData::textureArchive({{"aa00", texture(c.reds.first)},
                                                       {"aa01", texture(c.reds.second)}}));
    doc.undoStack()->undo();
    EXPECT_EQ(doc.database().records(), changed);
    EXPECT_EQ(workingCopy(), edited);
}

INSTANTIATE_TEST_SUITE_P(
    PackSteps, RevertToOriginal,
    testing::Values(RevertCase{"a boot with its texture", {1}, {1, 2, 3, 9, 5}, {50, 10}},
                    RevertCase{"two boots", {0, 1}, {1, 2, 3, 9, 5}, {1, 10}},
                    RevertCase{
                        "a boot whose archive is not loaded", {3}, {1, 9, 3, 4, 5}, {50, 60}},
                    RevertCase{"a texture alone", {0, 2}, {1, 9, 3, 9, 5}, {1, 60}}),
    CaseName::by([](const RevertCase &c) { return c.name; }));

struct ExportCase
{
    const char *name;
    std::set<int> ticked;
    std::vector<std::size_t> boots;
    std::vector<std::int32_t> entries;
};

class ExportedPack : public PackSteps_, public testing::WithParamInterface<ExportCase>
{
};

// Boots 1 and 3 changed a field, boots 0 and 1 their textures; boot 3's archive is not loaded.
TEST_P(ExportedPack, ListsBootsChangedInAFieldOrATextureAndHoldsTheTickedOnes)
{
    const ExportCase &c = GetParam();
    std::vector<BootRecord> changed = TestData::boots(5);
    changed[3].Sila = 9;
    changed[1].Kolor = "Gold";
    ASSERT_TRUE(doc.changeRecords(QStringLiteral("Change"), changed));
    replaceTexture(0, 50);
    replaceTexture(1, 60);

    PackMaker::Input input;
    Reason error;
    ASSERT_TRUE(PackSteps::exportInput(doc, QString(), input, &error)) << error.text();
    Pack pack;
    ASSERT_TRUE(PackMaker::make(input, pack, nullptr));
    EXPECT_EQ(PackSteps::changedBoots(doc, pack), std::vector<int>({0, 1, 3}));
    PackSteps::keepOnly(doc, pack, c.ticked);
    std::vector<std::size_t> boots;
    for (const PackBootChange &boot : pack.boots)
        boots.push_back(boot.position);
    std::vector<std::int32_t> entries;
    for (const PackTextureChange &texture : pack.textures)
        entries.push_back(texture.entry);
    EXPECT_EQ(boots, c.boots);
    EXPECT_EQ(entries, c.entries);
}

INSTANTIATE_TEST_SUITE_P(PackSteps, ExportedPack,
                         testing::Values(ExportCase{"all ticked", {0, 1, 3}, {1, 3}, {0, 1}},
                                         ExportCase{"a texture alone", {0}, {}, {0}},
                                         ExportCase{
                                             "a boot without a texture at hand", {3}, {3}, {}}),
                         CaseName::by([](const ExportCase &c) { return c.name; }));

TEST_F(PackSteps_, anExportedPackMayStartFromAnotherBootsFile)
{
    std::vector<BootRecord> changed = TestData::boots(5);
    changed[3].Sila = 9;
    changed[4].Sila = 9;
    ASSERT_TRUE(doc.changeRecords(QStringLiteral("Change"), changed));
    std::vector<BootRecord> base = TestData::boots(5);
    base[3].Sila = 9;
    const std::string basePath = gameDir.file("base.bin");
    TestData::writeFile(basePath, TestData::wesys(TestData::bootsFile(base)));

    PackMaker::Input input;
    Reason error;
    ASSERT_TRUE(PackSteps::exportInput(doc, QString::fromStdString(basePath), input, &error))
        << error.text();
    Pack pack;
    ASSERT_TRUE(PackMaker::make(input, pack, nullptr));
    EXPECT_EQ(PackSteps::changedBoots(doc, pack), std::vector<int>{4});
}

} // namespace
