// A save from the user's image editor against Replace Texture with the same picture: both go
// into a 256 x 256 DXT5 entry with mipmaps through the texture document; the editor's save adds
// the watch (the change noticed, the file read once it rests, here without the half-second
// wait that is there only to let the editor finish writing).
#include "TempDir.h"
#include "TestImages.h"
#include "editor/TextureArchives.h"
#include "editor/TextureEditWatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUndoStack>
#include <array>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <stdexcept>

namespace {

constexpr int kSide = 256;

void needApplication()
{
    static int argc = 1;
    static char name[] = "cleatwork_bench";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        static QCoreApplication app(argc, argv);
}

// An archive of the entry and two others, loaded into a texture document, and two pictures
// that each change the entry.
struct Setup
{
    TempDir dir;
    QUndoStack stack;
    TextureArchives textures{QString::fromStdString(dir.file("work")), &stack};
    std::array<QString, 2> pictures;
    std::array<TestData::Bytes, 2> pictureBytes;

    Setup()
    {
        std::filesystem::create_directory(dir.file("work"));
        const TestData::Image pattern = TestData::pattern(kSide, kSide, true);
        const std::string archive = dir.file("unnamed_5756.bin");
        TestData::writeFile(
            archive, TestData::wesys(TestData::textureArchive(
                         {{"ab12", TestData::ddsOf(TestData::DdsFormat::Dxt5, pattern, 9)},
                          {"cd34", TestData::ddsOf(TestData::DdsFormat::Dxt5, pattern, 9)},
                          {"ef56", TestData::ddsOf(TestData::DdsFormat::Dxt1, pattern, 1)}})));
        Reason error;
        if (!textures.load(1, QString::fromStdString(archive), &error))
            throw std::runtime_error(error.text());
        for (int i = 0; i < 2; ++i) {
            TestData::Image changed = pattern;
            for (auto &p : changed.pixels)
                p.g = static_cast<std::uint8_t>(p.g / (i + 2));
            pictureBytes[static_cast<std::size_t>(i)] = TestData::png(changed);
            const std::string path = dir.file("new" + std::to_string(i) + ".png");
            TestData::writeFile(path, pictureBytes[static_cast<std::size_t>(i)]);
            pictures[static_cast<std::size_t>(i)] = QString::fromStdString(path);
        }
    }
};

void BM_ReplaceTextureInDocument(benchmark::State &state)
{
    needApplication();
    Setup s;
    std::size_t i = 0;
    for (auto _ : state) {
        Reason error;
        if (!s.textures.replaceEntry(1, 0, s.pictures[i++ % 2], &error))
            state.SkipWithError(error.text().c_str());
    }
}

void BM_EditorSaveTaken(benchmark::State &state)
{
    needApplication();
    Setup s;
    TextureEditWatch watch(&s.textures, QString::fromStdString(s.dir.file("work/edits")));
    watch.setSettleTime(0);
    Reason error;
    const std::string png = watch.start(1, 0, &error).toStdString();
    if (png.empty()) {
        state.SkipWithError(error.text().c_str());
        return;
    }
    std::size_t i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int steps = s.stack.count();
        TestData::writeFile(png, s.pictureBytes[i++ % 2]);
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        while (s.stack.count() == steps && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (s.stack.count() == steps)
            state.SkipWithError("the save was not taken");
    }
}

} // namespace

BENCHMARK(BM_ReplaceTextureInDocument)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EditorSaveTaken)->Unit(benchmark::kMillisecond)->UseRealTime();
