// Writes the demo game files of the README into the folder given: a wrapped boots database
// "unnamed_1831.bin" of invented boots, and the texture archive pair "unnamed_5756.bin" and
// "unnamed_2113.bin" holding a texture for each boot: a drawn pattern with soft edges and
// transparent parts, tinted per boot, in every texture format the archives use, with mipmaps.
#include "TestData.h"
#include "TestImages.h"

#include <filesystem>
#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-sample FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    static const char *const makers[] = {"Adidas", "Nike", "Puma", "Umbro", "Mizuno", "Konami"};
    static const std::int32_t codes[] = {257, 258, 259, 260, 294, 261};
    static const char *const models[] = {"Striker", "Phantom", "Velocity", "Comet",
                                         "Falcon",  "Tempest", "Glide",    "Raptor"};
    static const char *const colours[] = {"Red/White",  "Black/Gold", "Blue",   "Volt",
                                          "White/Navy", "Orange",     "Silver", "Green"};
    const int count = 36;
    std::vector<BootRecord> records;
    std::vector<TestData::ArchiveEntry> first;
    std::vector<TestData::ArchiveEntry> second;
    for (int i = 0; i < count; ++i) {
        BootRecord r = TestData::boot(i);
        r.Nazwa = std::string(makers[i % 6]) + " " + models[i % 8] + " " + std::to_string(i + 1);
        r.nowe = codes[i % 6];
        r.NazwaMaterialu = i % 2 ? "Synthetic" : "Kangaroo leather";
        r.Kolor = colours[i % 8];
        records.push_back(r);
        TestData::Image picture = TestData::pattern(128, 128, true);
        for (auto &p : picture.pixels) {
            // Each boot its own colours: the channels turned round, a little darker each time.
            const std::uint8_t c[3] = {p.r, p.g, p.b};
            const auto shade = [&](int k) {
                return static_cast<std::uint8_t>(c[(k + i) % 3] * (100 - i) / 100);
            };
            p = {shade(0), shade(1), shade(2), p.a};
        }
        static const TestData::DdsFormat formats[] = {
            TestData::DdsFormat::Dxt5,   TestData::DdsFormat::Dxt1, TestData::DdsFormat::Dxt3,
            TestData::DdsFormat::Rgba32, TestData::DdsFormat::Rgb24, TestData::DdsFormat::Rgb565};
        TestData::ArchiveEntry entry{"b" + std::to_string(100 + i),
                                     TestData::ddsOf(formats[i % 6], picture, 8)};
        (i < count / 2 ? first : second).push_back(entry);
    }
    try {
        TestData::writeFile((folder / "unnamed_1831.bin").string(),
                            TestData::wesys(TestData::bootsFile(records)));
        TestData::writeFile((folder / "unnamed_5756.bin").string(),
                            TestData::wesys(TestData::textureArchive(first)));
        TestData::writeFile((folder / "unnamed_2113.bin").string(),
                            TestData::wesys(TestData::textureArchive(second)));
    } catch (const std::exception &e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
