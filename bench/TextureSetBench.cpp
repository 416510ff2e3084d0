// Importing a folder of pictures into a texture archive beside the work it cannot avoid:
// libsquish's encoding of the pictures and one wrap of the archive for new pictures, the
// decoding of the entries (and of the pictures) for an untouched export.
#include "BenchData.h"
#include "TempDir.h"
#include "TestImages.h"
#include "archive/ArchiveEntry.h"
#include "archive/ArchiveSaver.h"
#include "imaging/textures/TextureImage.h"
#include "imaging/textures/TextureSet.h"

#include <benchmark/benchmark.h>
#include <squish.h>
#include <zlib.h>

namespace {

constexpr int kSide = 256;
constexpr int kPictures = 16;

// "<NNN>_<name>.png", as an export names entry k.
std::string fileOf(int k, const std::string &name)
{
    return std::string(k < 10 ? "00" : "0") + std::to_string(k) + "_" + name + ".png";
}

TestData::Image pictureOf(int k)
{
    TestData::Image image = TestData::pattern(kSide, kSide, true);
    for (auto &p : image.pixels)
        p.g = static_cast<std::uint8_t>(p.g / (k + 1));
    return image;
}

// Sixteen new pictures for entries 0 to 15, imported and saved.
void BM_ImportSixteenPicturesAndSave(benchmark::State &state)
{
    TempDir dir;
    const TestData::Bytes plain = BenchData::archive16MiB(1);
    Textura index;
    index.load(plain);
    for (int k = 0; k < kPictures; ++k)
        TestData::writeFile(dir.file(fileOf(k, "e")), TestData::png(pictureOf(k)));
    const std::string path = dir.file("unnamed_5756.bin");
    for (auto _ : state) {
        state.PauseTiming();
        TestData::Bytes archive = plain; // each round imports into the archive as it was
        state.ResumeTiming();
        TextureSet::Outcome outcome;
        std::string error;
        if (!TextureSet::importFolder(dir.path(), index, "unnamed_5756.bin", archive, outcome) ||
            outcome.replaced.size() != kPictures || !ArchiveSaver::save(archive, path, &error))
            state.SkipWithError("the import failed");
    }
}

// libsquish's encoding of the sixteen pictures and one compress of the archive.
void BM_SquishSixteenAndWrap(benchmark::State &state)
{
    const TestData::Bytes plain = BenchData::archive16MiB(1);
    std::vector<TestData::Bytes> rgba;
    for (int k = 0; k < kPictures; ++k) {
        TestData::Bytes pixels;
        for (const TestData::Rgba &c : pictureOf(k).pixels)
            pixels.insert(pixels.end(), {c.r, c.g, c.b, c.a});
        rgba.push_back(std::move(pixels));
    }
    TestData::Bytes blocks(kSide * kSide);
    TestData::Bytes out(compressBound(static_cast<uLong>(plain.size())));
    for (auto _ : state) {
        for (const TestData::Bytes &pixels : rgba)
            squish::CompressImage(pixels.data(), kSide, kSide, blocks.data(),
                                  squish::kDxt5 | squish::kColourIterativeClusterFit);
        uLongf length = static_cast<uLongf>(out.size());
        compress(out.data(), &length, plain.data(), static_cast<uLong>(plain.size()));
        benchmark::DoNotOptimize(out.data());
    }
}

// Sixteen entries of the drawn pattern and their export.
struct Untouched
{
    TempDir dir;
    TestData::Bytes plain;
    Textura index;

    Untouched()
    {
        const TestData::Bytes dds =
            TestData::ddsOf(TestData::DdsFormat::Dxt5, TestData::pattern(kSide, kSide, true));
        plain =
            TestData::textureArchive(std::vector<TestData::ArchiveEntry>(kPictures, {"ab12", dds}));
        index.load(plain);
        TextureSet::Exported exported;
        (void)TextureSet::exportAll(plain, index, "unnamed_5756.bin", dir.path(), exported,
                                    nullptr);
    }
};

void BM_ImportUntouchedExport(benchmark::State &state)
{
    Untouched set;
    for (auto _ : state) {
        TestData::Bytes archive = set.plain;
        TextureSet::Outcome outcome;
        if (!TextureSet::importFolder(set.dir.path(), set.index, "unnamed_5756.bin", archive,
                                      outcome) ||
            outcome.unchanged != kPictures)
            state.SkipWithError("the import changed something");
    }
}

// Decoding the sixteen entries; with `pictures`, the sixteen exported pictures too.
void BM_DecodeSixteen(benchmark::State &state)
{
    Untouched set;
    const bool pictures = state.range(0) != 0;
    for (auto _ : state) {
        for (int k = 0; k < kPictures; ++k) {
            Picture entry;
            TextureImage::decodeEntry(set.plain, ArchiveEntry::of(set.index, k), entry, nullptr);
            if (pictures) {
                Picture picture;
                TextureImage::readImage(TestData::readFile(set.dir.file(fileOf(k, "ab12"))),
                                        "x.png", kSide, kSide, picture, nullptr);
            }
        }
    }
}

} // namespace

BENCHMARK(BM_ImportSixteenPicturesAndSave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SquishSixteenAndWrap)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportUntouchedExport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DecodeSixteen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
