#pragma once
// The boots table's cells as spreadsheets exchange them: copied as tab-separated lines (the
// convention LibreOffice, Excel and Google Sheets share) and pasted back as a block that is
// checked whole, by the table import's rules, before anything changes.
#include "BootsTable.h"
#include "TableImport.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace TablePaste {

/// A column of the boots table is a field of the boot, or null for `#`, the boot's position.
using Column = const BootField *;

/// The cell of the boot at `position` as the table shows it (UTF-8): the position, a text,
/// the manufacturer's name for the code (the code when it has none), a number as stored.
std::string shown(const BootRecord &record, std::size_t position, Column column);

/// Stores a cell's text into `record` by the table import's rules; a manufacturer may also be
/// one of the six names, and the name the boot already shows keeps its code. `#` is never
/// written: it must be `position`. False with the reason (as the import words it) otherwise.
bool store(BootRecord &record, std::size_t position, Column column, std::string_view text,
           ReasonOut reason);

/// Lines of cells separated by tabs, each line ended by a line feed; a cell holding a tab or
/// a line break, or starting with a quote, is quoted with its quotes doubled.
std::string join(const std::vector<std::vector<std::string>> &lines);
/// The lines of tab-separated cells in `text`, read as join() writes them (CR LF ends a line
/// too, and a last line break ends the block). Stops after `maxLines` + 1 lines.
std::vector<std::vector<std::string>> split(std::string_view text, std::size_t maxLines);

/// Where a block goes: the boots of the shown rows from the current one down (positions in
/// the file) and the shown columns from the current one across, with their shown headers.
struct Target
{
    std::vector<std::size_t> rows;
    std::vector<Column> columns;
    std::vector<std::string> headers;
};

struct Result
{
    std::vector<BootRecord> records;    ///< every boot, with the block in it; empty on problems
    std::vector<TableProblem> problems; ///< located by pasted line and column header
};

/// Longest text a paste takes: a whole table of the longest texts is well below it.
inline constexpr std::size_t kMaxBytes = std::size_t{512} * 1024;
/// Longest cell: the longest field, 125 characters, of three bytes each, with room to spare.
inline constexpr std::size_t kMaxCellBytes = 512;
inline constexpr std::size_t kMaxProblems = 100;

/// Pastes the tab-separated `text` onto `records` at `target`. A first line equal to the
/// headers of the columns it would fill is skipped; a block running past the last row or
/// column is a problem; any problem leaves no records.
Result paste(std::string_view text, const std::vector<BootRecord> &records, const Target &target);

} // namespace TablePaste
