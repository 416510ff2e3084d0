// Importing a 255-boot table as the command line does, beside opening the same game file and
// saving it: the table should cost no more than the file steps it rides on.
#include "BenchData.h"
#include "TempDir.h"
#include "boots/Baza.h"
#include "common/FileIo.h"
#include "container/PesZlib.h"
#include "exchange/TableImport.h"

#include <benchmark/benchmark.h>

namespace {

bool open(const std::string &path, Baza &db)
{
    FileIo::Bytes container, plain;
    PesZlib zlib(std::string{});
    return FileIo::readFile(path, container) && zlib.unwrap(container, plain) && db.load(plain);
}

bool save(const std::string &path, const Baza &db)
{
    FileIo::Bytes container;
    PesZlib zlib(std::string{});
    return zlib.wrap(db.save(), container) && FileIo::writeFileAtomic(path, container);
}

BootsTable::Format formatOf(const benchmark::State &state)
{
    return state.range(0) == 0 ? BootsTable::Format::Csv : BootsTable::Format::Json;
}

// A table of all 255 boots in which every boot gets new statistics.
std::string editedTable(BootsTable::Format format)
{
    auto records = TestData::boots(255);
    for (auto &r : records)
        r.Sila = r.Precyzja = r.Podkrecanie = 9;
    return BootsTable::write(records, format);
}

void BM_OpenAndSave(benchmark::State &state)
{
    TempDir dir;
    const std::string path = dir.file("unnamed_1831.bin");
    const TestData::Bytes original = TestData::wesys(BenchData::boots255());
    for (auto _ : state) {
        state.PauseTiming();
        TestData::writeFile(path, original); // as the import does
        state.ResumeTiming();
        Baza db;
        if (!open(path, db) || !save(path, db))
            state.SkipWithError("open or save failed");
    }
}

void BM_ImportTable(benchmark::State &state)
{
    TempDir dir;
    const std::string path = dir.file("unnamed_1831.bin");
    const std::string tablePath =
        dir.file(formatOf(state) == BootsTable::Format::Csv ? "table.csv" : "table.json");
    const TestData::Bytes original = TestData::wesys(BenchData::boots255());
    const std::string text = editedTable(formatOf(state));
    TestData::writeFile(tablePath, TestData::Bytes(text.begin(), text.end()));
    for (auto _ : state) {
        state.PauseTiming();
        TestData::writeFile(path, original); // every round has all 255 boots to change
        state.ResumeTiming();
        Baza db;
        TableImport import;
        if (!open(path, db) || !import.readFile(tablePath, db) || !import.apply(db) ||
            !save(path, db))
            state.SkipWithError("import failed");
    }
}

// The table step alone: reading, checking and listing the changes in memory.
void BM_ReadTable(benchmark::State &state)
{
    Baza db;
    db.load(BenchData::boots255());
    const std::string text = editedTable(formatOf(state));
    for (auto _ : state) {
        TableImport import;
        if (!import.read(text, formatOf(state), db))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(import.changes().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

} // namespace

// Argument 0: CSV; 1: JSON.
BENCHMARK(BM_OpenAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
