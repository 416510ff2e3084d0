// diff and bootpack from the command line: exit statuses, a round trip through real files
// byte for byte, a drifted receiver under each policy, and a pack that nothing may take.
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
    CliRun merge(const std::string &how, const std::string &options = "")
    {
        return run("bootpack " + how + " " + q(dir.file("gold.cwpack")) + " " + q(boots_("a")) +
                   " --archive " + q(archive("a")) + " " + options);
    }
};

TEST_F(PackCli, diffListsChangedBootsAndEntriesAndExitsOneWhenFilesDiffer)
{
    const CliRun r = run("diff " + q(boots_("a")) + " " + q(boots_("b")) + " --archive " +
                         q(archive("a")) + " " + q(archive("b")));
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "boot 3 \"Boot 3\": Nazwa \"Boot 3\" -> \"Gold\", Sila 4 -> 1\n"
                     "boot 9 \"Boot 9\": nowe 258 -> 300\n"
                     "2 boots differ, 3 fields\n"
                     "unnamed_5756.bin: entry 1 \"aa01\"\n"
                     "unnamed_5756.bin: 1 entries differ\n");
    EXPECT_EQ(run("diff " + q(boots_("a")) + " " + q(boots_("a"))).status, 0);
    EXPECT_EQ(run("diff " + q(boots_("a")) + " " + q(dir.file("none.bin"))).status, 2);
    const CliRun json = run("diff " + q(boots_("a")) + " " + q(boots_("b")) + " --format json");
    EXPECT_NE(json.out.find("\"Sila\": {\n          \"new\": 1,\n          \"old\": 4"),
              std::string::npos) << json.out;
}

TEST_F(PackCli, packFromAToBAppliedToAGivesBByteForByteAndRevertGivesABack)
{
    const Bytes bootsA = TestData::readFile(boots_("a")), archiveA = TestData::readFile(archive("a"));
    ASSERT_EQ(create().status, 0);
    const CliRun shown = run("bootpack show " + q(dir.file("gold.cwpack")));
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Title: Gold\n"), std::string::npos);
    EXPECT_NE(shown.out.find("2 boots, 3 fields, 1 textures\n"), std::string::npos) << shown.out;

    const CliRun applied = merge("apply");
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.out, "4 applied, 0 already there, 0 conflicts\n");
    EXPECT_EQ(TestData::readFile(boots_("a")), TestData::readFile(boots_("b")));
    EXPECT_EQ(TestData::readFile(archive("a")), TestData::readFile(archive("b")));
    EXPECT_EQ(merge("apply").out, "0 applied, 4 already there, 0 conflicts\n");

    EXPECT_EQ(merge("revert").status, 0);
    EXPECT_EQ(TestData::readFile(boots_("a")), bootsA);
    EXPECT_EQ(TestData::readFile(archive("a")), archiveA);
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
    EXPECT_NE(shown.out.find("2 boots, 3 fields, 1 textures\n"), std::string::npos) << shown.err;
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
    EXPECT_EQ(stopped.out, "boot 3 \"Boot 3\", Sila: now 2, pack 4 -> 1: conflict\n"
                           "3 applied, 0 already there, 1 conflict (nothing changed)\n");
    EXPECT_EQ(TestData::readFile(boots_("a")), before);

    EXPECT_EQ(merge("apply", "--dry-run --on-conflict take").status, 0);
    EXPECT_EQ(TestData::readFile(boots_("a")), before);
    const CliRun kept = merge("apply", "--on-conflict keep");
    EXPECT_EQ(kept.status, 0);
    EXPECT_EQ(kept.out, "boot 3 \"Boot 3\", Sila: now 2, pack 4 -> 1: conflict (kept)\n"
                        "3 applied, 0 already there, 1 conflict (kept)\n");
    const CliRun taken = merge("apply", "--on-conflict take");
    EXPECT_EQ(taken.out, "boot 3 \"Boot 3\", Sila: now 2, pack 4 -> 1: conflict (taken)\n"
                         "0 applied, 3 already there, 1 conflict (taken)\n");
    EXPECT_EQ(TestData::readFile(boots_("a")), TestData::readFile(boots_("b")));
}

TEST_F(PackCli, aTextureOfAnotherLayoutOrAMissingArchiveChangesNothing)
{
    put("b", TestData::boots(12), TestData::dds(DdsFormat::Rgba32, 4, 4, {1, 2, 3}));
    put("a", TestData::boots(12), TestData::dds(DdsFormat::Rgba32, 4, 4, {9, 9, 9}));
    ASSERT_EQ(create().status, 0);
    // The receiver's entry is as long, but DXT5 of 8 x 8: the DDS check refuses the pack's.
    put("a", TestData::boots(12), TestData::dds(DdsFormat::Dxt5, 8, 8, {9, 9, 9}));
    const Bytes before = TestData::readFile(archive("a"));
    const CliRun refused = merge("apply", "--on-conflict take");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.out.find("unnamed_5756.bin entry 1 \"aa01\": problem: "), std::string::npos)
        << refused.out;
    EXPECT_EQ(TestData::readFile(archive("a")), before);

    const CliRun noArchive = run("bootpack apply " + q(dir.file("gold.cwpack")) + " " + q(boots_("a")));
    EXPECT_EQ(noArchive.status, 2);
    EXPECT_NE(noArchive.out.find("the archive unnamed_5756.bin was not given"), std::string::npos);
}

} // namespace
