// diff and bootpack from the command line: exit statuses, a round trip through real files
// byte for byte through the apply's receipt, a drifted receiver under each policy, and packs
// that nothing may take; every line says what was done, and only that.
#include "CliFixture.h"
#include "pack/PackFile.h"

#include <filesystem>

namespace {

using TestData::DdsFormat;

Bytes texture(std::uint8_t red, DdsFormat format = DdsFormat::Rgba32)
{
    return TestData::dds(format, 8, 8, {red, 0, 0, 255});
}

class PackCli : public Cli
{
protected:
    // A under "a/", B under "b/", each a boots file and an archive of the game's names.
    void SetUp() override
    {
        std::filesystem::create_directories(dir.file("a"));
        std::filesystem::create_directories(dir.file("b"));
        std::vector<BootRecord> b = TestData::boots(12);
        b[3].Sila = 1;
        b[3].Nazwa = "Gold";
        b[9].nowe = 300;
        put("a", TestData::boots(12), texture(10));
        put("b", b, texture(99));
    }
    void put(const std::string &folder, const std::vector<BootRecord> &boots, const Bytes &second)
    {
        TestData::writeFile(boots_(folder), TestData::wesys(TestData::bootsFile(boots)));
        TestData::writeFile(archive(folder), TestData::wesys(TestData::textureArchive(
                                                 {{"aa00", texture(1)}, {"aa01", second}})));
    }
    std::string boots_(const std::string &folder) { return dir.file(folder + "/unnamed_1831.bin"); }
    std::string archive(const std::string &folder) { return dir.file(folder + "/unnamed_5756.bin"); }
    std::string q(const std::string &path) { return "'" + path + "'"; }
    CliRun create()
    {
        return run("bootpack create " + q(dir.file("gold.cwpack")) + " --base " + q(boots_("a")) +
                   " --boots " + q(boots_("b")) + " --archive " + q(archive("a")) + " " +
                   q(archive("b")) + " --title Gold");
    }
    // Receipts go to a folder of the test's, never the user's.
    CliRun merge(const std::string &how, const std::string &options = "",
                 const std::string &receipts = "receipts")
    {
        return run("bootpack " + how + " " + q(dir.file("gold.cwpack")) + " " + q(boots_("a")) +
                   " --archive " + q(archive("a")) + " --receipts " + q(dir.file(receipts)) +
                   " " + options);
    }
};

TEST_F(PackCli, diffListsChangedBootsAndEntriesByCaptionAndExitsOneWhenFilesDiffer)
{
    const CliRun r = run("diff " + q(boots_("a")) + " " + q(boots_("b")) + " --archive " +
                         q(archive("a")) + " " + q(archive("b")));
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "boot 3 \"Boot 3\": Boots Name \"Boot 3\" -> \"Gold\", Shot Power 4 -> 1\n"
                     "boot 9 \"Boot 9\": Producent Nike (258) -> 300\n"
                     "2 boots differ, 3 fields\n"
                     "unnamed_5756.bin: entry 1 \"aa01\"\n"
                     "unnamed_5756.bin: 1 entry differs\n");
    EXPECT_EQ(run("diff " + q(boots_("a")) + " " + q(boots_("a"))).status, 0);
    EXPECT_EQ(run("diff " + q(boots_("a")) + " " + q(dir.file("none.bin"))).status, 2);
    const CliRun json = run("diff " + q(boots_("a")) + " " + q(boots_("b")) + " --format json");
    EXPECT_NE(json.out.find("\"Sila\": {\n          \"new\": 1,\n          \"old\": 4"),
              std::string::npos) << json.out;
}

TEST_F(PackCli, applyListsEachChangeAndRevertThroughItsReceiptGivesTheFilesBackByteForByte)
{
    ASSERT_EQ(create().status, 0);
    // The receiver set boot 3's name to the pack's already: the revert must leave it.
    std::vector<BootRecord> mine = TestData::boots(12);
    mine[3].Nazwa = "Gold";
    put("a", mine, texture(10));
    const Bytes bootsA = TestData::readFile(boots_("a")), archiveA = TestData::readFile(archive("a"));
    const CliRun shown = run("bootpack show " + q(dir.file("gold.cwpack")));
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Title: Gold\n"), std::string::npos);
    EXPECT_NE(shown.out.find("2 boots, 3 fields, 1 texture\n"), std::string::npos) << shown.out;

    const CliRun applied = merge("apply");
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.out, "boot 3 \"Boot 3\", Shot Power: 4 -> 1: changed\n"
                           "boot 9 \"Boot 9\", Producent: Nike (258) -> 300: changed\n"
                           "unnamed_5756.bin entry 1 \"aa01\": changed\n"
                           "Pack \u201cGold\u201d: 3 changes applied, 1 already there\n");
    EXPECT_EQ(TestData::readFile(boots_("a")), TestData::readFile(boots_("b")));
    EXPECT_EQ(TestData::readFile(archive("a")), TestData::readFile(archive("b")));
    EXPECT_EQ(merge("apply", "--quiet").out, "Pack \u201cGold\u201d: 0 changes applied, 4 already there\n");
    const CliRun listed = run("bootpack applied " + q(boots_("a")) + " --receipts " + q(dir.file("receipts")));
    EXPECT_NE(listed.out.find("\u201cGold\u201d by , applied "), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find(": 2 fields, 1 texture\n1 pack applied\n"), std::string::npos) << listed.out;

    // Without the receipt nothing tells the pack's values from the user's own.
    const CliRun unrecorded = merge("revert", "", "elsewhere");
    EXPECT_EQ(unrecorded.status, 1);
    EXPECT_NE(unrecorded.out.find("conflict (no record that this pack set it)"), std::string::npos);
    EXPECT_NE(unrecorded.out.find("nothing written: 4 conflicts\n"), std::string::npos) << unrecorded.out;
    EXPECT_EQ(TestData::readFile(boots_("a")), TestData::readFile(boots_("b")));

    const CliRun reverted = merge("revert");
    EXPECT_EQ(reverted.status, 0) << reverted.out << reverted.err;
    EXPECT_EQ(TestData::readFile(boots_("a")), bootsA);
    EXPECT_EQ(TestData::readFile(archive("a")), archiveA);
    EXPECT_EQ(run("bootpack applied " + q(boots_("a")) + " --receipts " + q(dir.file("receipts"))).out,
              "0 packs applied\n");
}

TEST_F(PackCli, showPrintsAPacksTextsEscapedOneLineEach)
{
    ASSERT_EQ(create().status, 0);
    Pack pack;
    ASSERT_TRUE(PackFile::readFile(dir.file("gold.cwpack"), pack, nullptr));
    pack.manifest.title = "Gold\n2 boots, 0 fields, 0 textures\x1B[2J";
    pack.manifest.description = "line\r\nline \xC2\x9B" "31m";
    pack.manifest.author = "Me\tYou";
    ASSERT_TRUE(PackFile::writeFile(pack, dir.file("gold.cwpack"), nullptr));
    const CliRun shown = run("bootpack show " + q(dir.file("gold.cwpack")));
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Title: Gold\\n2 boots, 0 fields, 0 textures\\x1b[2J\n"),
              std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("Description: line\\r\\nline \\u{009b}31m\n"), std::string::npos);
    EXPECT_NE(shown.out.find("Author: Me\\tYou\n"), std::string::npos);
    EXPECT_EQ(shown.out.find('\x1B'), std::string::npos);
}

// Packs already shared are of the first format: no boot's ID, no archive's table.
TEST_F(PackCli, aPackOfTheFirstFormatStillShowsAndApplies)
{
    ASSERT_EQ(create().status, 0);
    Pack pack;
    ASSERT_TRUE(PackFile::readFile(dir.file("gold.cwpack"), pack, nullptr));
    pack.manifest.format = 1;
    for (PackBase &archive : pack.manifest.archives)
        archive.table.reset();
    for (PackBootChange &boot : pack.boots)
        boot.id.reset();
    ASSERT_TRUE(PackFile::writeFile(pack, dir.file("gold.cwpack"), nullptr));
    const CliRun shown = run("bootpack show " + q(dir.file("gold.cwpack")));
    EXPECT_NE(shown.out.find("2 boots, 3 fields, 1 texture\n"), std::string::npos) << shown.err;
    EXPECT_EQ(merge("apply").status, 0);
    EXPECT_EQ(TestData::readFile(boots_("a")), TestData::readFile(boots_("b")));
}

TEST_F(PackCli, driftedReceiverStopsWithEveryConflictNamedThenKeepsOrTakes)
{
    ASSERT_EQ(create().status, 0);
    std::vector<BootRecord> drifted = TestData::boots(12);
    drifted[3].Sila = 2;
    put("a", drifted, texture(10));
    const Bytes before = TestData::readFile(boots_("a"));
    const CliRun stopped = merge("apply");
    EXPECT_EQ(stopped.status, 1);
    EXPECT_EQ(stopped.out, "boot 3 \"Boot 3\", Shot Power: yours 2, 4 -> 1: conflict\n"
                           "nothing written: 1 conflict\n");
    EXPECT_EQ(TestData::readFile(boots_("a")), before);

    EXPECT_EQ(merge("apply", "--dry-run --on-conflict take").status, 0);
    EXPECT_EQ(TestData::readFile(boots_("a")), before);
    const CliRun kept = merge("apply", "--on-conflict keep --quiet");
    EXPECT_EQ(kept.status, 0);
    EXPECT_EQ(kept.out, "Pack \u201cGold\u201d: 3 changes applied, 1 conflict kept\n");
    const CliRun taken = merge("apply", "--on-conflict take");
    EXPECT_EQ(taken.out, "boot 3 \"Boot 3\", Shot Power: yours 2, 4 -> 1: conflict: took the pack's\n"
                         "Pack \u201cGold\u201d: 1 change applied, 3 already there, 1 conflict taken\n");
    EXPECT_EQ(TestData::readFile(boots_("a")), TestData::readFile(boots_("b")));
}

TEST_F(PackCli, packsThatCannotFitChangeNothingWhateverThePolicy)
{
    put("b", TestData::boots(12), TestData::dds(DdsFormat::Rgba32, 4, 4, {1, 2, 3}));
    put("a", TestData::boots(12), TestData::dds(DdsFormat::Rgba32, 4, 4, {9, 9, 9}));
    ASSERT_EQ(create().status, 0);
    // The receiver's entry is as long, but DXT5 of 8 x 8: the DDS check refuses the pack's.
    put("a", TestData::boots(12), TestData::dds(DdsFormat::Dxt5, 8, 8, {9, 9, 9}));
    const Bytes before = TestData::readFile(archive("a"));
    const CliRun refused = merge("apply", "--on-conflict take");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.out.find("unnamed_5756.bin entry 1 \"aa01\": cannot apply: "), std::string::npos)
        << refused.out;
    EXPECT_NE(refused.out.find("nothing written: 1 problem\n"), std::string::npos) << refused.out;
    EXPECT_EQ(TestData::readFile(archive("a")), before);

    const CliRun noArchive = run("bootpack apply " + q(dir.file("gold.cwpack")) + " " +
                                 q(boots_("a")) + " --receipts " + q(dir.file("receipts")));
    EXPECT_EQ(noArchive.status, 2);
    EXPECT_NE(noArchive.out.find("the archive unnamed_5756.bin was not given"), std::string::npos);

}

TEST_F(PackCli, aRenamedArchiveIsRecognisedAPackForAnotherFileRefusedAndAnEmptyOneNotMade)
{
    ASSERT_EQ(create().status, 0);
    std::filesystem::rename(archive("a"), dir.file("a/my textures.bin"));
    const CliRun applied = run("bootpack apply " + q(dir.file("gold.cwpack")) + " " +
                               q(boots_("a")) + " --archive " + q(dir.file("a/my textures.bin")) +
                               " --receipts " + q(dir.file("receipts")) + " --quiet");
    EXPECT_EQ(applied.status, 0) << applied.out << applied.err;
    EXPECT_EQ(TestData::readFile(dir.file("a/my textures.bin")), TestData::readFile(archive("b")));

    // Boots with other names at the same places: a pack for another file.
    std::vector<BootRecord> other = TestData::boots(12);
    for (BootRecord &boot : other)
        boot.Nazwa = "Legacy " + boot.Nazwa;
    put("a", other, texture(10));
    const Bytes otherBoots = TestData::readFile(boots_("a"));
    const CliRun otherFile = merge("apply", "--on-conflict take");
    EXPECT_EQ(otherFile.status, 2);
    EXPECT_NE(otherFile.out.find("cannot apply: the pack was made for another boots file: boot 3 is "
                                 "\u201cLegacy Boot 3\u201d here, \u201cBoot 3\u201d in the pack's base"),
              std::string::npos) << otherFile.out;
    EXPECT_EQ(TestData::readFile(boots_("a")), otherBoots);

    const CliRun empty = run("bootpack create " + q(dir.file("none.cwpack")) + " --base " +
                             q(boots_("b")) + " --boots " + q(boots_("b")));
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.err.find("nothing differs from the base"), std::string::npos) << empty.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.cwpack")));
}

} // namespace
