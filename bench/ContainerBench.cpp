// Wrapping and unwrapping game files beside zlib's own one-shot calls on the same bytes, so
// that the cost of the container's file steps shows as a ratio.
#include "BenchData.h"
#include "TempDir.h"
#include "archive/ArchiveLoader.h"
#include "archive/Textura.h"
#include "container/PesZlib.h"

#include "common/FileIo.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

namespace {

TestData::Bytes input(int which)
{
    return which == 0 ? BenchData::boots255() : BenchData::archiveLike();
}

void BM_UnpackWesys(benchmark::State &state)
{
    TempDir dir;
    const TestData::Bytes plain = input(static_cast<int>(state.range(0)));
    const std::string path = dir.file("game.bin");
    TestData::writeFile(path, TestData::wesys(plain));
    PesZlib zlib(dir.path());
    for (auto _ : state) {
        if (!zlib.UnpackWesys(path))
            state.SkipWithError("unwrap failed");
        // Callers delete the output after copying it; outside the timing, so that each
        // round writes a new file as a real open does.
        state.PauseTiming();
        FileIo::removeFile(path + ".unzlib");
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plain.size()));
}

// What unwrapping cannot avoid: reading the file and one uncompress into memory.
void BM_ReadAndUncompress(benchmark::State &state)
{
    TempDir dir;
    const TestData::Bytes plain = input(static_cast<int>(state.range(0)));
    const std::string path = dir.file("game.bin");
    TestData::writeFile(path, TestData::wesys(plain));
    for (auto _ : state) {
        FileIo::Bytes file;
        FileIo::readFile(path, file);
        TestData::Bytes out(plain.size());
        uLongf length = static_cast<uLongf>(out.size());
        uncompress(out.data(), &length, file.data() + 16, static_cast<uLong>(file.size() - 16));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plain.size()));
}

void BM_PackWesys(benchmark::State &state)
{
    TempDir dir;
    const TestData::Bytes plain = input(static_cast<int>(state.range(0)));
    const std::string path = dir.file("temp.bin");
    TestData::writeFile(path, plain);
    PesZlib zlib(dir.path());
    for (auto _ : state) {
        if (!zlib.PackWesys(path))
            state.SkipWithError("wrap failed");
        state.PauseTiming();
        FileIo::removeFile(path + ".zlib");
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plain.size()));
}

void BM_Compress(benchmark::State &state)
{
    const TestData::Bytes plain = input(static_cast<int>(state.range(0)));
    TestData::Bytes out(compressBound(static_cast<uLong>(plain.size())));
    for (auto _ : state) {
        uLongf length = static_cast<uLongf>(out.size());
        compress(out.data(), &length, plain.data(), static_cast<uLong>(plain.size()));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plain.size()));
}

// Loading a texture archive as the editor does: unwrap, keep the working copy, read its table.
void BM_LoadArchive(benchmark::State &state)
{
    TempDir dir;
    TestData::Bytes plain = BenchData::archiveLike();
    TestData::putInt32(plain, 0, 1000);
    const std::string path = dir.file("unnamed_5756.bin");
    TestData::writeFile(path, TestData::wesys(plain));
    PesZlib zlib(dir.path());
    Textura index;
    std::string error;
    for (auto _ : state) {
        if (!ArchiveLoader::load(zlib, path, dir.file("File1"), index, &error))
            state.SkipWithError("load failed");
        state.PauseTiming();
        FileIo::removeFile(dir.file("File1")); // as on the first load of a session
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plain.size()));
}

} // namespace

// Argument 0: a 255-record boots file (74 KB); 1: a 16 MiB archive-like file.
BENCHMARK(BM_UnpackWesys)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndUncompress)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackWesys)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compress)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadArchive)->Unit(benchmark::kMillisecond);
