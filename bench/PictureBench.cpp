// Reading a picture from a user (1024 x 1024, each format) with PictureReader beside the image
// library's own decoders, which it replaces for such files.
#include "TestImages.h"
#include "MFreeImage.h"
#include "imaging/pictures/PictureReader.h"

#include <FreeImage.h>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSide = 1024;

struct Format
{
    const char *name;
    TestData::Bytes (*write)(const TestData::Image &);
    FREE_IMAGE_FORMAT library;
};

TestData::Bytes jpegOf(const TestData::Image &image)
{
    return TestData::jpeg(image);
}

const Format kFormats[] = {{"picture.png", TestData::png, FIF_PNG},
                           {"picture.bmp", TestData::bmp, FIF_BMP},
                           {"picture.tga", TestData::tga, FIF_TARGA},
                           {"picture.jpg", jpegOf, FIF_JPEG}};

const TestData::Bytes &fileOf(std::size_t format)
{
    static std::vector<TestData::Bytes> files;
    if (files.empty()) {
        const TestData::Image image = TestData::pattern(kSide, kSide, true);
        for (const Format &f : kFormats)
            files.push_back(f.write(image));
    }
    return files[format];
}

void BM_ReadPicture(benchmark::State &state)
{
    const auto format = static_cast<std::size_t>(state.range(0));
    const TestData::Bytes &file = fileOf(format);
    state.SetLabel(kFormats[format].name);
    for (auto _ : state) {
        Picture picture;
        std::string error;
        if (!PictureReader::read(file.data(), file.size(), kFormats[format].name, kSide, kSide,
                                 picture, &error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}

void BM_FreeImageReadPicture(benchmark::State &state)
{
    const auto format = static_cast<std::size_t>(state.range(0));
    const TestData::Bytes &file = fileOf(format);
    state.SetLabel(kFormats[format].name);
    MFreeImage::ensureInitialised();
    for (auto _ : state) {
        FIMEMORY *memory =
            FreeImage_OpenMemory(const_cast<BYTE *>(file.data()), static_cast<DWORD>(file.size()));
        FIBITMAP *bitmap = FreeImage_LoadFromMemory(kFormats[format].library, memory, 0);
        Picture picture;
        if (!bitmap || !MFreeImage::toPicture(bitmap, picture))
            state.SkipWithError("not read");
        benchmark::DoNotOptimize(picture.pixels.data());
        FreeImage_Unload(bitmap);
        FreeImage_CloseMemory(memory);
    }
}

} // namespace

BENCHMARK(BM_ReadPicture)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreeImageReadPicture)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
