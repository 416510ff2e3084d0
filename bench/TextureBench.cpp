// Replacing and exporting textures beside the libraries' own work on the same pictures:
// zlib's compress and libsquish's encoder for a replacement, FreeImage's DDS load and PNG save
// for an export.
#include "BenchData.h"
#include "TempDir.h"
#include "TestImages.h"
#include "archive/ArchiveEntry.h"
#include "archive/ArchiveSaver.h"
#include "imaging/textures/TextureExport.h"
#include "imaging/textures/TextureImage.h"
#include "imaging/textures/TextureReplacer.h"

#include <FreeImage.h>
#include <benchmark/benchmark.h>
#include <squish.h>
#include <zlib.h>

namespace {

constexpr int kSide = 256;

Picture picture()
{
    const TestData::Image image = TestData::pattern(kSide, kSide, true);
    Picture p{kSide, kSide, {}};
    for (const TestData::Rgba &c : image.pixels)
        p.pixels.insert(p.pixels.end(), {c.b, c.g, c.r, c.a});
    return p;
}

ArchiveEntry entry(const TestData::Bytes &archive, std::size_t k)
{
    TextureEntry row;
    row.Offset = TestData::getInt32(archive, 8 + 12 * k);
    row.Lenght = TestData::getInt32(archive, 12 + 12 * k);
    row.Nazwa = TestData::getInt32(archive, 16 + 12 * k);
    return ArchiveEntry::of(row);
}

// Replaces entry 100 of the archive in memory and saves the archive (wrap, safe replace).
void BM_ReplaceEntryAndSave(benchmark::State &state)
{
    TempDir dir;
    TestData::Bytes archive = BenchData::archive16MiB(static_cast<int>(state.range(0)));
    const Picture p = picture();
    const std::string path = dir.file("unnamed_5756.bin");
    for (auto _ : state) {
        std::string error;
        if (!TextureReplacer::replace(archive, entry(archive, 100), p, &error) ||
            !ArchiveSaver::save(archive, path, &error))
            state.SkipWithError(error.c_str());
    }
}

// The save alone: wrapping and the safe replace, whose flush to the disk is the part that
// compress does not do.
void BM_SaveArchive(benchmark::State &state)
{
    TempDir dir;
    const TestData::Bytes archive = BenchData::archive16MiB(1);
    const std::string path = dir.file("unnamed_5756.bin");
    for (auto _ : state) {
        std::string error;
        if (!ArchiveSaver::save(archive, path, &error))
            state.SkipWithError(error.c_str());
    }
}

// What a replacement cannot avoid: compress of the archive and libsquish's encoding of the
// picture.
void BM_CompressAndSquish(benchmark::State &state)
{
    const TestData::Bytes archive = BenchData::archive16MiB(1);
    const Picture p = picture();
    std::vector<std::uint8_t> rgba(p.pixels);
    TestData::Bytes blocks(kSide * kSide);
    TestData::Bytes out(compressBound(static_cast<uLong>(archive.size())));
    for (auto _ : state) {
        uLongf length = out.size();
        compress(out.data(), &length, archive.data(), static_cast<uLong>(archive.size()));
        squish::CompressImage(rgba.data(), kSide, kSide, blocks.data(),
                              squish::kDxt5 | squish::kColourIterativeClusterFit);
        benchmark::DoNotOptimize(blocks.data());
    }
}

// Sixteen 256 x 256 DXT5 entries of the drawn pattern.
std::vector<TestData::ArchiveEntry> exportEntries()
{
    const TestData::Bytes dds =
        TestData::ddsOf(TestData::DdsFormat::Dxt5, TestData::pattern(kSide, kSide, true));
    return std::vector<TestData::ArchiveEntry>(16, {"ab12", dds});
}

void BM_ExportArchiveToPng(benchmark::State &state)
{
    TempDir dir;
    const TestData::Bytes archive = TestData::textureArchive(exportEntries());
    for (auto _ : state) {
        for (std::size_t k = 0; k < 16; ++k) {
            Picture p;
            std::string error;
            if (!TextureImage::decodeEntry(archive, entry(archive, k), p, &error) ||
                !TextureExport::writePng(
                    p, dir.file(TextureExport::fileName(static_cast<int>(k), 16, "ab12")), &error))
                state.SkipWithError(error.c_str());
        }
    }
}

void BM_FreeImageDdsToPng(benchmark::State &state)
{
    TempDir dir;
    const auto entries = exportEntries();
    for (std::size_t k = 0; k < entries.size(); ++k)
        TestData::writeFile(dir.file(std::to_string(k) + ".dds"), entries[k].texture);
    for (auto _ : state) {
        for (std::size_t k = 0; k < entries.size(); ++k) {
            FIBITMAP *bitmap =
                FreeImage_Load(FIF_DDS, dir.file(std::to_string(k) + ".dds").c_str(), 0);
            FreeImage_Save(FIF_PNG, bitmap, dir.file(std::to_string(k) + ".png").c_str(), 0);
            FreeImage_Unload(bitmap);
        }
    }
}

} // namespace

BENCHMARK(BM_ReplaceEntryAndSave)->Arg(1)->Arg(9)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveArchive)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CompressAndSquish)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportArchiveToPng)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FreeImageDdsToPng)->Unit(benchmark::kMillisecond)->UseRealTime();
