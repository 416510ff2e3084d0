// Importing a 255-boot table as the command line does, beside opening the same game file and
// saving it: the table should cost no more than the file steps it rides on. And a table whose
// reading once took seconds for a few hundred kilobytes: now linear in its size.
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

// A JSON table of 255 rows whose first cell holds N empty objects: read in one pass, the cell
// refused without its objects ever being kept, so the time grows with the table's bytes alone.
void BM_ReadTableOfEmptyObjects(benchmark::State &state)
{
    Baza db;
    db.load(BenchData::boots255());
    std::string text = "[{\"Nazwa\": [{}";
    for (std::int64_t i = 1; i < state.range(0); ++i)
        text += ",{}";
    text += "]}";
    for (int i = 1; i < 255; ++i)
        text += ", {}";
    text += "]";
    for (auto _ : state) {
        TableImport import;
        if (import.read(text, BootsTable::Format::Json, db))
            state.SkipWithError("read");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

} // namespace

BENCHMARK(BM_ReadTableOfEmptyObjects)
    ->Arg(20000)
    ->Arg(320000)
    ->Arg(1280000)
    ->Unit(benchmark::kMillisecond);
// Argument 0: CSV; 1: JSON.
BENCHMARK(BM_OpenAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
