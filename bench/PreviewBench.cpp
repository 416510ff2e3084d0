// The texture preview end to end (cut, write, decode, write the bitmap, load the picture)
// beside the image library's own load and save of the same
// DDS file.
#include "TempDir.h"
#include "TestData.h"
#include "archive/Textura.h"
#include "imaging/textures/TexturePreview.h"

#include <FreeImage.h>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

const TestData::Bytes &texture()
{
    static const TestData::Bytes dds =
        TestData::dds(TestData::DdsFormat::Dxt5, 256, 256, {120, 60, 200, 255});
    return dds;
}

void BM_PreviewEntry(benchmark::State &state)
{
    TempDir program;
    const std::string archive = program.file("File1");
    TestData::writeFile(archive, TestData::textureArchive({{"ab12", texture()}}));
    Textura index;
    index.Wczytaj(archive);
    TexturePreview preview(program.path());
    std::string bitmap;
    for (auto _ : state) {
        TexturePreview::Picture picture;
        if (!preview.run(archive, ArchiveEntry::of(index, 0), bitmap, &picture))
            state.SkipWithError("preview failed");
        // The window then makes its picture of it, as it does before showing it.
        const QImage image(picture.pixels.data(), picture.width, picture.height, picture.width * 4,
                           QImage::Format_ARGB32);
        QImage shown = image.copy();
        benchmark::DoNotOptimize(shown.bits());
    }
}

void BM_FreeImageLoadSave(benchmark::State &state)
{
    TempDir dir;
    const std::string dds = dir.file("ab12.dds");
    const std::string bmp = dir.file("ab12.bmp");
    TestData::writeFile(dds, texture());
    for (auto _ : state) {
        FIBITMAP *bitmap = FreeImage_Load(FIF_DDS, dds.c_str(), 0);
        FreeImage_Save(FIF_BMP, bitmap, bmp.c_str(), 0);
        FreeImage_Unload(bitmap);
    }
}

} // namespace

BENCHMARK(BM_PreviewEntry)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreeImageLoadSave)->Unit(benchmark::kMillisecond);
