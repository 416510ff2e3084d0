// Writes the demo game files of the README into the folder given: a wrapped boots database
// "unnamed_1831.bin" of invented boots, and the texture archive pair "unnamed_5756.bin" and
// "unnamed_2113.bin" holding a coloured texture for each boot.
#include "TestData.h"

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
        const TestData::Rgba colour{static_cast<std::uint8_t>(40 + i * 6),
                                    static_cast<std::uint8_t>(200 - i * 4),
                                    static_cast<std::uint8_t>((i * 53) % 256), 255};
        TestData::ArchiveEntry entry{"b" + std::to_string(100 + i),
                                     TestData::dds(TestData::DdsFormat::Dxt5, 64, 64, colour)};
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
