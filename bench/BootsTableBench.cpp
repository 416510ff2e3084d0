// The boots table over a 255-boot document: showing it (the model's reset, one sort, one
// filter) and pasting a whole table of cells, beside the document's step that stores them.
#include "BenchData.h"
#include "TempDir.h"
#include "editor/BootsDocument.h"
#include "editor/BootsTableModel.h"
#include "exchange/TablePaste.h"

#include <QSortFilterProxyModel>
#include <benchmark/benchmark.h>

namespace {

/// A document holding 255 boots, opened from a game file in a folder of its own.
struct OpenDocument
{
    OpenDocument()
    {
        const std::string game = dir.file("unnamed_1831.bin");
        TestData::writeFile(game, TestData::wesys(BenchData::boots255()));
        Reason error;
        opened = document.open(QString::fromStdString(game), &error);
    }
    TempDir dir;
    BootsDocument document{QString::fromStdString(dir.path())};
    bool opened = false;
};

void BM_TableResetSortFilter(benchmark::State &state)
{
    OpenDocument open;
    BootsTableModel model(&open.document);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    proxy.setSortRole(BootsTableModel::SortRole);
    proxy.setSortCaseSensitivity(Qt::CaseInsensitive);
    proxy.setFilterRole(BootsTableModel::FilterRole);
    proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    int round = 0;
    for (auto _ : state) {
        emit open.document.reset(); // as opening a file resets the table
        proxy.sort(BootsTableModel::columnOf(BootFields::field(round % 2 ? BootField::Id::ShotPower
                                                                         : BootField::Id::Name)),
                   Qt::AscendingOrder);
        proxy.setFilterFixedString(round % 2 ? QStringLiteral("boot 1") : QStringLiteral("adidas"));
        benchmark::DoNotOptimize(proxy.rowCount());
        proxy.setFilterFixedString(QString());
        ++round;
    }
    if (!open.opened)
        state.SkipWithError("the document did not open");
}

/// Every editable cell of all 255 boots, changed, as a spreadsheet would copy them.
std::string wholeTable(const std::vector<BootRecord> &records)
{
    std::vector<std::vector<std::string>> lines;
    for (std::size_t r = 0; r < records.size(); ++r) {
        BootRecord changed = records[r];
        changed.Nazwa += "x";
        changed.Sila = changed.Podkrecanie = 200;
        lines.emplace_back();
        for (int c = 1; c < BootsTableModel::kColumnCount; ++c)
            lines.back().push_back(TablePaste::shown(changed, r, BootsTableModel::columnOf(c)));
    }
    return TablePaste::join(lines);
}

TablePaste::Target wholeTarget(std::size_t rows)
{
    TablePaste::Target target;
    for (std::size_t r = 0; r < rows; ++r)
        target.rows.push_back(r);
    for (int c = 1; c < BootsTableModel::kColumnCount; ++c) {
        target.columns.push_back(BootsTableModel::columnOf(c));
        target.headers.push_back("h" + std::to_string(c));
    }
    return target;
}

// Parsing and checking 255 x 9 cells.
void BM_PasteCells(benchmark::State &state)
{
    const auto records = TestData::boots(255);
    const std::string text = wholeTable(records);
    const TablePaste::Target target = wholeTarget(records.size());
    for (auto _ : state) {
        const TablePaste::Result result = TablePaste::paste(text, records, target);
        if (!result.problems.empty())
            state.SkipWithError(result.problems[0].text().c_str());
        benchmark::DoNotOptimize(result.records.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The document's step for them, with the table following: one change and its undo a round.
void BM_PasteStep(benchmark::State &state)
{
    OpenDocument open;
    BootsTableModel model(&open.document);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    proxy.sort(BootsTableModel::columnOf(BootFields::field(BootField::Id::ShotPower)));
    const auto before = open.document.database().records();
    const TablePaste::Result pasted =
        TablePaste::paste(wholeTable(before), before, wholeTarget(before.size()));
    for (auto _ : state) {
        if (!open.document.changeRecords(QStringLiteral("Paste"), pasted.records))
            state.SkipWithError("the paste changed nothing");
        open.document.undoStack()->undo();
    }
}

} // namespace

BENCHMARK(BM_TableResetSortFilter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteCells)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteStep)->Unit(benchmark::kMillisecond);
