// Boot packs beside the work they cannot avoid: the diff of two 255-boot files; applying a pack
// of 255 boots x 9 fields and 16 textures to a 16 MiB archive (with and without keeping its
// receipt) beside writing that archive once and checking the 16 DDS entries; and the list of
// every change that Apply Pack shows.
#include "BenchData.h"
#include "TempDir.h"
#include "archive/ArchiveSaver.h"
#include "archive/Textura.h"
#include "boots/Baza.h"
#include "imaging/textures/TextureReplacer.h"
#include "pack/BootsDiff.h"
#include "pack/PackFile.h"
#include "pack/PackMaker.h"
#include "pack/PackMerge.h"
#include "pack/Receipt.h"

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

// Reading the pack, the three-way check with the DDS rules, the merge, and writing the archive;
// with the argument 1 also keeping the receipt (2295 fields and the 16 textures replaced).
void BM_ApplyPack(benchmark::State &state)
{
    const bool keepsReceipt = state.range(0) != 0;
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
        const PackMerge::Plan plan =
            PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, kDdsCheck);
        if (PackMerge::blocked(plan, PackMerge::Policy::Stop))
            state.SkipWithError("blocked");
        if (keepsReceipt) {
            Receipt receipt = Receipts::make(pack, plan, receiver, "bench", dir.file("boots.bin"),
                                             Receipts::now());
            if (!Receipts::write(dir.file("receipts"), receipt, &error))
                state.SkipWithError(error.c_str());
        }
        PackMerge::apply(pack, PackMerge::Direction::Apply, plan, receiver);
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
        const PackMerge::Plan plan =
            PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, kDdsCheck);
        std::size_t length = 0;
        for (const PackMerge::Item &item : plan.items)
            length += PackMerge::describe(pack, PackMerge::Direction::Apply, item).size();
        benchmark::DoNotOptimize(length);
    }
}

} // namespace

BENCHMARK(BM_DiffBoots255)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyPack)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveArchiveAndCheck16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PackChangeList)->Unit(benchmark::kMillisecond);
