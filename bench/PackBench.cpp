// Boot packs beside the work they cannot avoid: the diff of two 255-boot files; applying a pack
// of 255 boots x 9 fields and 16 textures to a 16 MiB archive beside writing that archive once
// and checking the 16 DDS entries; and the list of every change that Apply Pack shows. Then a
// stranger's packs that once cost far more than their size: reading them grows with their
// bytes alone, and textures too large for the archives are refused before they are unpacked.
#include "BenchData.h"
#include "TempDir.h"
#include "TestZip.h"
#include "archive/ArchiveSaver.h"
#include "archive/Textura.h"
#include "boots/Baza.h"
#include "imaging/textures/TextureReplacer.h"
#include "pack/BootsDiff.h"
#include "pack/PackFile.h"
#include "pack/PackMaker.h"
#include "pack/PackMerge.h"

#include <benchmark/benchmark.h>

namespace {

using TestData::Bytes;

// Every boot with its nine editable fields changed.
std::vector<BootRecord> changedBoots()
{
    std::vector<BootRecord> boots = TestData::boots(255);
    for (BootRecord &b : boots) {
        b.Nazwa += " Gold";
        b.NazwaMaterialu += " Gold";
        b.Kolor += " Gold";
        b.nowe = 300;
        b.Sila = static_cast<std::uint8_t>(6 - b.Sila);
        b.Precyzja = static_cast<std::uint8_t>(6 - b.Precyzja + 5);
        b.Przyspieszenie = static_cast<std::uint8_t>(b.Przyspieszenie + 10);
        b.Szybkosc = static_cast<std::uint8_t>(b.Szybkosc + 10);
        b.Podkrecanie = static_cast<std::uint8_t>(b.Podkrecanie + 10);
    }
    return boots;
}

ArchiveEntry entryOf(const Bytes &archive, std::int32_t k)
{
    Textura index;
    index.load(archive);
    return ArchiveEntry::of(index, k);
}

// The 16 MiB archive and the same with 16 entries' pixels inverted.
struct Archives
{
    Bytes base = BenchData::archive16MiB(1);
    Bytes mine = base;
    Archives()
    {
        for (std::int32_t k = 0; k < 16; ++k) {
            const ArchiveEntry e = entryOf(mine, k * 10);
            for (std::int64_t at = e.textureOffset() + 128; at < e.dataOffset + e.length; ++at)
                mine[static_cast<std::size_t>(at)] ^= 0xFF;
        }
    }
};

Bytes packBytes(const Archives &archives)
{
    PackMaker::Input input;
    input.bootsName = "unnamed_1831.bin";
    input.base = TestData::boots(255);
    input.baseBoots = TestData::bootsFile(input.base);
    input.mine = changedBoots();
    input.archives.push_back({"unnamed_5756.bin", archives.base, archives.mine});
    Pack pack;
    Bytes zip;
    if (!PackMaker::make(input, pack, nullptr) || !PackFile::write(pack, zip, nullptr))
        std::abort();
    return zip;
}

const auto kDdsCheck = [](const Bytes &archive, const ArchiveEntry &entry, const Bytes &dds,
                          ReasonOut error) {
    DdsLayout layout;
    return TextureReplacer::ddsFits(archive, entry, dds, layout, error);
};

void BM_DiffBoots255(benchmark::State &state)
{
    const Bytes a = BenchData::boots255();
    const Bytes b = TestData::bootsFile(changedBoots());
    for (auto _ : state) {
        Baza first, second;
        if (!first.load(a) || !second.load(b))
            state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(BootsDiff::compare(first.records(), second.records()));
    }
}

// Reading the pack, the three-way check with the DDS rules, the merge, and writing the archive.
void BM_ApplyPack(benchmark::State &state)
{
    TempDir dir;
    const Archives archives;
    const Bytes zip = packBytes(archives);
    const std::string path = dir.file("unnamed_5756.bin");
    for (auto _ : state) {
        Pack pack;
        std::string error;
        if (!PackFile::read(zip, pack, &error))
            state.SkipWithError(error.c_str());
        PackMerge::Receiver receiver{TestData::boots(255), {{"unnamed_5756.bin", archives.base}}};
        auto items = PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, kDdsCheck);
        if (PackMerge::blocked(items, PackMerge::Policy::Stop))
            state.SkipWithError("blocked");
        PackMerge::apply(pack, PackMerge::Direction::Apply, items, receiver);
        if (!ArchiveSaver::save(receiver.archives[0].bytes, path, &error))
            state.SkipWithError(error.c_str());
    }
}

// What applying cannot avoid: writing the archive once and checking the 16 DDS entries.
void BM_SaveArchiveAndCheck16(benchmark::State &state)
{
    TempDir dir;
    const Archives archives;
    const std::string path = dir.file("unnamed_5756.bin");
    for (auto _ : state) {
        std::string error;
        for (std::int32_t k = 0; k < 16; ++k) {
            const ArchiveEntry e = entryOf(archives.mine, k * 10);
            const Bytes dds(archives.mine.begin() + e.textureOffset(),
                            archives.mine.begin() + e.dataOffset + e.length);
            if (!kDdsCheck(archives.base, e, dds, &error))
                state.SkipWithError(error.c_str());
        }
        if (!ArchiveSaver::save(archives.mine, path, &error))
            state.SkipWithError(error.c_str());
    }
}

// What the Apply Pack list rests on: reading the pack, every change's status and its line.
void BM_PackChangeList(benchmark::State &state)
{
    const Archives archives;
    const Bytes zip = packBytes(archives);
    const PackMerge::Receiver receiver{TestData::boots(255), {{"unnamed_5756.bin", archives.base}}};
    for (auto _ : state) {
        Pack pack;
        if (!PackFile::read(zip, pack, nullptr))
            state.SkipWithError("not read");
        const auto items =
            PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, kDdsCheck);
        std::size_t length = 0;
        for (const PackMerge::Item &item : items)
            length += PackMerge::describe(pack, PackMerge::Direction::Apply, item).size();
        benchmark::DoNotOptimize(length);
    }
}

// A pack of the given changes.json beside a well-formed manifest.
Bytes packOfChanges(const std::string &changes)
{
    const std::string print(64, '0');
    const std::string manifest =
        R"({"format": 2, "title": "", "author": "", "description": "",)"
        R"( "program": "", "date": "", "boots": {"name": "b", "fingerprint": ")" +
        print + R"("}, "archives": []})";
    return TestData::zip({{"manifest.json", manifest}, {"changes.json", changes}});
}

std::string repeated(const std::string &text, std::int64_t times)
{
    std::string out;
    out.reserve(text.size() * static_cast<std::size_t>(times));
    for (std::int64_t i = 0; i < times; ++i)
        out += text;
    return out;
}

void readRefused(benchmark::State &state, const Bytes &zip, const PackFile::Limits &limits)
{
    for (auto _ : state) {
        Pack pack;
        if (PackFile::read(zip, pack, nullptr, limits))
            state.SkipWithError("read");
    }
    state.counters["pack_bytes"] = static_cast<double>(zip.size());
}

// The list of boots holding N empty objects: 320,000 make a pack of 1.3 KB, 5,000,000 one of
// about 16 KB. The list is refused at its 65,537th item, however long it runs on.
void BM_ReadPackOfEmptyObjects(benchmark::State &state)
{
    const std::string changes = "{\"boots\": [{}" + repeated(",{}", state.range(0) - 1) + "]}";
    readRefused(state, packOfChanges(changes), {});
}

// A list of boots nested N deep: refused at the first list where a boot belongs.
void BM_ReadPackOfDeepLists(benchmark::State &state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    const std::string changes = "{\"boots\": [" + std::string(n, '[') + std::string(n, ']') + "]}";
    readRefused(state, packOfChanges(changes), {});
}

// The most empty objects the format's shape lets through: N boots of twelve empty fields each,
// parsed whole and then refused at the first boot's missing position. Time per byte stays flat.
void BM_ReadPackOfEmptyBoots(benchmark::State &state)
{
    const std::string boot = R"({"fields": [{}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}]})";
    const std::string changes =
        "{\"boots\": [" + boot + repeated("," + boot, state.range(0) - 1) + "], \"textures\": []}";
    readRefused(state, packOfChanges(changes), {});
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * changes.size()));
}

// Four textures of 127 MiB of zeros (a pack of about 1 MB): refused from the zip's table of
// files alone, for show (the fixed limits) and for an apply to the 16 MiB archive (its largest
// entry), before a byte is unpacked.
void BM_ReadTextureBomb(benchmark::State &state)
{
    static const Bytes zip = [] {
        const std::string zeros(std::size_t{127} << 20, '\0');
        std::vector<TestData::ZipEntry> entries{{"manifest.json", "{}"}, {"changes.json", "{}"}};
        for (const char *name : {"textures/0.before.dds", "textures/0.after.dds",
                                 "textures/1.before.dds", "textures/1.after.dds"})
            entries.push_back({name, zeros});
        return TestData::zip(entries);
    }();
    PackFile::Limits limits = PackFile::kShowLimits;
    if (state.range(0) == 1)
        PackFile::allowFor(limits, Archives().base);
    readRefused(state, zip, limits);
}

} // namespace

BENCHMARK(BM_ReadPackOfEmptyObjects)->Arg(320000)->Arg(5000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPackOfDeepLists)->Arg(100000)->Arg(5000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPackOfEmptyBoots)
    ->Arg(4096)
    ->Arg(16384)
    ->Arg(65536)
    ->Unit(benchmark::kMillisecond);
// Argument 0: as show reads it; 1: as an apply to the 16 MiB archive reads it.
BENCHMARK(BM_ReadTextureBomb)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DiffBoots255)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyPack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveArchiveAndCheck16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PackChangeList)->Unit(benchmark::kMillisecond);
