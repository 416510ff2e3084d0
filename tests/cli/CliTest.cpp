#include "CliFixture.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

using TestData::Bytes;

namespace {

TEST_F(Cli, UnpackAndPackRoundTrip)
{
    const std::string path = game(TestData::boots(3));
    CliRun r = run("unpack '" + path + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(TestData::readFile(path + ".unzlib"), TestData::bootsFile(TestData::boots(3)));
    r = run("pack '" + path + ".unzlib'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(TestData::readFile(path + ".unzlib.zlib"), TestData::readFile(path));
}

TEST_F(Cli, FailuresExitNonZeroWithOneLine)
{
    TestData::writeFile(dir.file("junk.bin"), Bytes(40, 1));
    for (const std::string &args :
         std::vector<std::string>{"unpack '" + dir.file("junk.bin") + "'",
                                  "pack '" + dir.file("missing") + "'", "", "frobnicate"}) {
        const CliRun r = run(args);
        EXPECT_NE(r.status, 0) << args;
        EXPECT_NE(r.err.find("cleatwork-cli: "), std::string::npos) << args;
    }
    EXPECT_EQ(dir.listing(), "junk.bin");
}

TEST_F(Cli, FileTooLargeForAContainerIsRefusedUnread)
{
    const std::string huge = dir.file("huge.bin");
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, std::uintmax_t{3} << 30); // sparse
    for (const char *command : {"unpack", "dump", "textures"}) {
        const CliRun r = run(std::string(command) + " '" + huge + "'");
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_NE(r.err.find("too large"), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_EQ(dir.listing(), "huge.bin");
}

TEST_F(Cli, DumpPrintsEveryFieldInFileOrder)
{
    auto records = TestData::boots(2);
    records[1].Nazwa = "Sch\xFCtze, \"Pro\"";
    const CliRun r = run("dump '" + game(records) + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Nazwa: Boot 0"), std::string::npos);
    EXPECT_NE(r.out.find("Nazwa: Schütze, \"Pro\""), std::string::npos);
    EXPECT_LT(r.out.find("# 0"), r.out.find("# 1"));
    EXPECT_NE(r.out.find("Kolej: 1001"), std::string::npos);
}

TEST_F(Cli, DumpCsvQuotesTexts)
{
    auto records = TestData::boots(2);
    records[1].Kolor = "Red, \"White\"";
    const CliRun r = run("dump '" + game(records) + "' --csv");
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string header, first, second;
    std::getline(lines, header);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(header, "\xEF\xBB\xBFNazwa,ID,Kolej,nowe,Pole5,Sila,Precyzja,Przyspieszenie,Szybkosc,"
                      "Podkrecanie,NazwaMaterialu,Kolor\r");
    EXPECT_EQ(first, "Boot 0,0,1000,257,0,1,2,3,4,5,Material 0,Colour 0\r");
    EXPECT_EQ(second, "Boot 1,1,1001,258,7,2,3,4,5,1,Material 1,\"Red, \"\"White\"\"\"\r");
}

TEST_F(Cli, DumpJsonKeysFieldsByName)
{
    auto records = TestData::boots(1);
    records[0].Nazwa = "A\"b\\c\x01\xE9";
    const CliRun r = run("dump --json '" + game(records) + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[\n  {\"Nazwa\": \"A\\\"b\\\\c\\u0001é\", \"ID\": 0, \"Kolej\": 1000, "
                     "\"nowe\": 257, \"Pole5\": 0, \"Sila\": 1, \"Precyzja\": 2, "
                     "\"Przyspieszenie\": 3, \"Szybkosc\": 4, \"Podkrecanie\": 5, "
                     "\"NazwaMaterialu\": \"Material 0\", \"Kolor\": \"Colour 0\"}\n]\n");
}

TEST_F(Cli, ImportWritesAnEditedDumpAndNothingElse)
{
    const std::string path = game(TestData::boots(3));
    CliRun r = run("dump --csv '" + path + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string table = dir.file("table.csv");
    std::string csv = r.out;
    const std::string row = "Boot 1,1,1001,258,7,2,3,4,5,1,Material 1,Colour 1";
    ASSERT_NE(csv.find(row), std::string::npos);
    csv.replace(csv.find(row), row.size(),
                "\"Boot, \"\"Pro\"\"\",1,1001,999,7,2,5,4,1,1,Material 1,Colour 1");
    TestData::writeFile(table, Bytes(csv.begin(), csv.end()));

    const Bytes before = TestData::readFile(path);
    r = run("import '" + path + "' '" + table + "' --dry-run");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1 Nazwa: \"Boot 1\" -> \"Boot, \\\"Pro\\\"\"\n1 nowe: 258 -> 999\n"
                     "1 Precyzja: 3 -> 5\n1 Szybkosc: 5 -> 1\n"
                     "1 boot changed, 4 fields (dry run: nothing written)\n");
    EXPECT_EQ(TestData::readFile(path), before);

    r = run("import '" + path + "' '" + table + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1 boot changed, 4 fields\n");
    auto expected = TestData::boots(3);
    expected[1].Nazwa = "Boot, \"Pro\"";
    expected[1].nowe = 999;
    expected[1].Precyzja = 5;
    expected[1].Szybkosc = 1;
    EXPECT_EQ(TestData::readFile(path), TestData::wesys(TestData::bootsFile(expected)));
    EXPECT_EQ(dir.listing(), "table.csv unnamed_1831.bin");
}

TEST_F(Cli, ImportOfAnUnchangedDumpLeavesTheFileAsItWas)
{
    const std::string path = game(TestData::boots(4));
    const Bytes before = TestData::readFile(path);
    for (const char *format : {"json", "csv"}) {
        CliRun r = run("dump --" + std::string(format) + " '" + path + "'");
        const std::string table = dir.file(std::string("table.") + format);
        TestData::writeFile(table, Bytes(r.out.begin(), r.out.end()));
        r = run("import '" + path + "' '" + table + "'");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "0 boots changed, 0 fields\n");
        EXPECT_EQ(TestData::readFile(path), before) << format;
    }
}

TEST_F(Cli, ImportOfABadTableNamesEachProblemAndWritesNothing)
{
    const std::string path = game(TestData::boots(2));
    const Bytes before = TestData::readFile(path);
    const std::string table = dir.file("t.csv");
    const std::string bad = "Sila,Kolor\nx,a\n300,\"b\n";
    TestData::writeFile(table, Bytes(bad.begin(), bad.end()));
    CliRun r = run("import '" + path + "' '" + table + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("t.csv: line 3: a quoted field is not closed"), std::string::npos)
        << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line for one problem";
    for (const std::string &args :
         {" '" + table + "' extra", " '" + dir.file("t.txt") + "'", std::string()}) {
        r = run("import '" + path + "'" + args);
        EXPECT_EQ(r.status, 1) << args;
    }
    EXPECT_EQ(TestData::readFile(path), before);
    EXPECT_EQ(dir.listing(), "t.csv unnamed_1831.bin");
}

TEST_F(Cli, DumpOfANonDatabaseSaysErrorFile)
{
    const std::string path = dir.file("archive.bin");
    TestData::writeFile(path, TestData::wesys(Bytes(100, 3)));
    const CliRun r = run("dump '" + path + "'");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("Error File"), std::string::npos);
    EXPECT_EQ(dir.listing(), "archive.bin") << "dump writes no files";
}

TEST_F(Cli, TexturesListsEveryEntry)
{
    const std::string path = dir.file("unnamed_5756.bin");
    const Bytes archive =
        TestData::textureArchive({{"ab12", TestData::dds(TestData::DdsFormat::Dxt1, 4, 4, {})},
                                  {"cd34", TestData::dds(TestData::DdsFormat::Rgb24, 2, 2, {})}});
    TestData::writeFile(path, TestData::wesys(archive));
    const CliRun r = run("textures '" + path + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto field = [&](std::size_t at) {
        return std::to_string(TestData::getInt32(archive, at));
    };
    EXPECT_EQ(r.out, "0\t" + field(8) + "\t" + field(12) + "\tab12\n1\t" + field(20) + "\t" +
                         field(24) + "\tcd34\n");
}

TEST_F(Cli, TextureConvertsOneEntryToABitmap)
{
    const std::string path = dir.file("unnamed_2113.bin");
    TestData::writeFile(path, TestData::wesys(TestData::textureArchive(
                                  {{"ab12", TestData::dds(TestData::DdsFormat::Dxt1, 4, 4, {})},
                                   {"cd34", TestData::dds(TestData::DdsFormat::Dxt5, 8, 8, {})}})));
    const std::string out = dir.file("out.bmp");
    CliRun r = run("texture '" + path + "' 1 '" + out + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const Bytes bmp = TestData::readFile(out);
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(TestData::getInt32(bmp, 18), 8); // width
    for (const std::string bad : {"2", "-1", "x", "1x"}) {
        r = run("texture '" + path + "' " + bad + " '" + dir.file("bad.bmp") + "'");
        EXPECT_NE(r.status, 0) << bad;
    }
    EXPECT_EQ(dir.listing(), "out.bmp unnamed_2113.bin");
}

TEST_F(Cli, TexturesRefusesABrokenTable)
{
    Bytes archive =
        TestData::textureArchive({{"ab12", TestData::dds(TestData::DdsFormat::Dxt1, 4, 4, {})}});
    TestData::putInt32(archive, 0, 1000000);
    const std::string path = dir.file("bad.bin");
    TestData::writeFile(path, TestData::wesys(archive));
    const CliRun r = run("textures '" + path + "'");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("runs past the end"), std::string::npos);
}

TEST_F(Cli, HelpForProgramAndEveryCommand)
{
    for (const char *args : {"--help", "unpack --help", "pack --help", "dump --help",
                             "import --help", "textures --help", "texture --help",
                             "replace-texture --help"}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 0) << args;
        EXPECT_NE(r.out.find("Usage: cleatwork-cli"), std::string::npos) << args;
    }
}

} // namespace
