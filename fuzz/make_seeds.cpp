// Writes the seed inputs of the fuzz targets from the test-data writer: make-seeds FOLDER
#include "TestData.h"
#include "TestImages.h"
#include "TestZip.h"
#include "exchange/BootsTable.h"
#include "pack/PackFile.h"
#include "pack/PackMaker.h"

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const fs::path root(argv[1]);
    auto put = [&](const char *target, const char *name, const TestData::Bytes &bytes) {
        fs::create_directories(root / target);
        TestData::writeFile((root / target / name).string(), bytes);
    };
    using TestData::DdsFormat;
    const TestData::Bytes boots = TestData::bootsFile(TestData::boots(3));
    put("fuzz_baza", "three", boots);
    put("fuzz_baza", "one", TestData::bootsFile(TestData::boots(1)));
    put("fuzz_unwrap", "boots", TestData::wesys(boots));
    put("fuzz_unwrap", "small", TestData::wesys({1, 2, 3}));
    const TestData::Bytes archive =
        TestData::textureArchive({{"ab12", TestData::dds(DdsFormat::Dxt1, 4, 4, {})},
                                  {"cd34", TestData::dds(DdsFormat::Rgb24, 2, 2, {})}});
    put("fuzz_textura", "two", archive);
    put("fuzz_unwrap", "archive", TestData::wesys(archive));
    put("fuzz_dds", "dxt1", TestData::dds(DdsFormat::Dxt1, 8, 8, {10, 20, 30, 255}));
    put("fuzz_dds", "dxt5", TestData::dds(DdsFormat::Dxt5, 8, 4, {10, 20, 30, 128}));
    put("fuzz_dds", "rgb24", TestData::dds(DdsFormat::Rgb24, 3, 5, {10, 20, 30, 255}));
    put("fuzz_dds", "rgba32", TestData::dds(DdsFormat::Rgba32, 4, 4, {10, 20, 30, 40}));
    put("fuzz_dds", "dxt3-mipmaps",
        TestData::ddsOf(DdsFormat::Dxt3, TestData::pattern(8, 8, true), 4));
    put("fuzz_dds", "rgb565-mipmaps",
        TestData::ddsOf(DdsFormat::Rgb565, TestData::pattern(6, 5, false), 3));
    put("fuzz_dds", "dxt5-odd-mipmaps",
        TestData::ddsOf(DdsFormat::Dxt5, TestData::pattern(13, 7, true), 4));
    const std::string ini =
        std::string("Menu\0About\0O programie\0", 23) +
        "; comment\r\n[GroupBox]\r\nGroupBox1=List Boots\r\n[Menu]\r\nFile=File\r\n";
    put("fuzz_ini", "language", TestData::Bytes(ini.begin(), ini.end()));
    const std::string config =
        std::string("Config\0Language\0English\0", 25) + "[Config]\nLanguage=Polski";
    put("fuzz_ini", "config", TestData::Bytes(config.begin(), config.end()));
    const auto table = [](char format, const std::string &text) {
        const std::string seed = format + text;
        return TestData::Bytes(seed.begin(), seed.end());
    };
    auto records = TestData::boots(2);
    records[1].Nazwa = "Sch\xFCtze, \"Pro\"\r\n2";
    put("fuzz_table", "csv", table('c', BootsTable::csv(records)));
    put("fuzz_table", "json", table('j', BootsTable::json(records)));
    put("fuzz_table", "columns", table('c', "Sila,Nazwa\n3,\"a\"\"b\"\n4,c"));
    put("fuzz_table", "keys", table('j', "[{\"Sila\": 3}, {\"Kolor\": \"\\u00e9\"}]"));
    // Inputs that once cost time or memory far beyond their size: many empty objects in one
    // cell, a key given twice, nesting as deep as the longest input allows.
    std::string objects = "{}";
    for (int i = 1; i < 20000; ++i)
        objects += ",{}";
    put("fuzz_table", "empty-objects", table('j', "[{\"Nazwa\": [" + objects + "]}, {}]"));
    put("fuzz_table", "key-twice", table('j', "[{\"Sila\": 3, \"Sila\": 4}, {}]"));
    put("fuzz_table", "deep", table('j', std::string(30000, '[') + std::string(30000, ']')));
    const std::string utf8 = std::string("Menu\0Quit\0Zako\xC5\x84"
                                         "cz\0",
                                         19) +
                             "\xEF\xBB\xBF[Menu]\r\nFile=Plik\r\n[Messages]\r\nA=\xC5\x81\r\n";
    put("fuzz_ini", "utf8", TestData::Bytes(utf8.begin(), utf8.end()));
    // A pack of two changed fields and one texture, and one of fields only.
    PackMaker::Input input;
    input.manifest.title = "Seed";
    input.bootsName = "unnamed_1831.bin";
    input.baseBoots = boots;
    input.base = TestData::boots(3);
    input.mine = input.base;
    input.mine[1].Sila = 5;
    input.mine[2].Nazwa = "Seed boot";
    Pack pack;
    TestData::Bytes zip;
    if (!PackMaker::make(input, pack, nullptr) || !PackFile::write(pack, zip, nullptr))
        return 1;
    put("fuzz_pack", "fields", zip);
    input.archives.push_back(
        {"unnamed_5756.bin", archive,
         TestData::textureArchive({{"ab12", TestData::dds(DdsFormat::Dxt1, 4, 4, {9, 9, 9, 255})},
                                   {"cd34", TestData::dds(DdsFormat::Rgb24, 2, 2, {})}})});
    if (!PackMaker::make(input, pack, nullptr) || !PackFile::write(pack, zip, nullptr))
        return 1;
    put("fuzz_pack", "texture", zip);
    // Packs that once cost time or memory far beyond their size: 320,000 empty objects (about
    // 1.3 KB), nesting 100,000 deep, duplicate keys, and two textures of 20 MiB of zeros that
    // deflate to almost nothing.
    const std::string manifest =
        R"({"format": 2, "title": "", "author": "", "description": "", "program": "", "date": "",)"
        R"( "boots": {"name": "unnamed_1831.bin", "fingerprint": ")" +
        std::string(64, '0') + R"("}, "archives": [{"name": "unnamed_5756.bin", "fingerprint": ")" +
        std::string(64, '0') + R"(", "entries": 2, "names": ")" + std::string(64, '0') + R"("}]})";
    const auto hostile = [&](const std::string &changes,
                             std::vector<TestData::ZipEntry> more = {}) {
        std::vector<TestData::ZipEntry> entries{{"manifest.json", manifest},
                                                {"changes.json", changes}};
        entries.insert(entries.end(), more.begin(), more.end());
        return TestData::zip(entries);
    };
    for (int i = 20000; i < 320000; ++i)
        objects += ",{}";
    put("fuzz_pack", "empty-objects", hostile("{\"boots\": [" + objects + "], \"textures\": []}"));
    put("fuzz_pack", "deep",
        hostile("{\"boots\": [" + std::string(100000, '[') + std::string(100000, ']') + "]}"));
    put("fuzz_pack", "keys-twice",
        hostile(R"({"boots": [{"boot": 1, "name": "B", "id": 1, "fields": [{"key": "Sila",)"
                R"( "before": 2, "after": 4, "after": 255}]}], "boots": [], "textures": []})"));
    const std::string zeros(std::size_t{20} << 20, '\0');
    const std::string print = std::string(64, '0');
    put("fuzz_pack", "texture-bomb",
        hostile(R"({"boots": [], "textures": [{"archive": "unnamed_5756.bin", "entry": 0,)"
                R"( "name": "ab12", "before": ")" +
                    print + R"(", "after": ")" + print + R"("}]})",
                {{"textures/0.before.dds", zeros}, {"textures/0.after.dds", zeros}}));
    // Pictures of the fuzzed entry's size (16 x 16), and one of another size.
    const TestData::Image picture = TestData::pattern(16, 16, true);
    put("fuzz_picture_png", "rgba", TestData::png(picture));
    put("fuzz_picture_png", "other-size", TestData::png(TestData::pattern(4, 4, false)));
    put("fuzz_picture_bmp", "v3-24bits", TestData::bmp(picture));
    put("fuzz_picture_bmp", "v5-alpha", TestData::bmpV5(picture));
    put("fuzz_picture_tga", "plain", TestData::tga(picture));
    put("fuzz_picture_tga", "run-length", TestData::tgaRle(picture));
    TestData::Bytes padded = TestData::tga(picture);
    padded[17] = 0x20; // no alpha bits: the fourth byte of a pixel is padding
    put("fuzz_picture_tga", "no-alpha-bits", padded);
    put("fuzz_picture_jpeg", "baseline", TestData::jpeg(picture));
    const TestData::Bytes progressive = TestData::jpeg(picture, TestData::JpegCoding::Progressive);
    put("fuzz_picture_jpeg", "progressive", progressive);
    // The same file ended after its first scan, the rest of its scans missing.
    std::size_t second = 2;
    for (int scans = 0; second + 1 < progressive.size(); ++second) {
        if (progressive[second] == 0xFF && progressive[second + 1] == 0xDA && ++scans == 2)
            break;
    }
    TestData::Bytes firstScan(progressive.begin(),
                              progressive.begin() + static_cast<std::ptrdiff_t>(second));
    firstScan.insert(firstScan.end(), {0xFF, 0xD9});
    put("fuzz_picture_jpeg", "first-scan-only", firstScan);
    return 0;
}
