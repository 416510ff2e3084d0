#include "TablePaste.h"

#include "boots/Manufacturer.h"
#include "common/Ansi.h"

#include <algorithm>

namespace TablePaste {

namespace {

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

void addProblem(Result &result, TableProblem problem)
{
    if (result.problems.size() < kMaxProblems)
        result.problems.push_back(std::move(problem));
    else if (result.problems.size() == kMaxProblems)
        result.problems.push_back(
            {TableProblem::Place::Table, 0, {}, Reason(Reasons::Id::FurtherProblems)});
}

Reason cells(std::size_t n)
{
    return Reason(n == 1 ? Reasons::Id::CountCell : Reasons::Id::CountCells, {std::to_string(n)});
}

} // namespace

std::string shown(const BootRecord &record, std::size_t position, Column column)
{
    if (!column)
        return std::to_string(position);
    if (column->id == BootField::Id::Code) {
        const std::string code = std::to_string(record.nowe);
        return Manufacturer::nameForText(code).value_or(code);
    }
    return column->shown(record);
}

bool store(BootRecord &record, std::size_t position, Column column, std::string_view text,
           ReasonOut reason)
{
    using Reasons::Id;
    if (text.size() > kMaxCellBytes)
        return reason.fail(Reason(Id::PasteCellTooLong, {std::to_string(text.size())}));
    if (!column) {
        if (text == std::to_string(position))
            return true;
        return reason.fail(Reason(Id::PasteNotOwnNumber, {quoted(text), std::to_string(position)}));
    }
    if (column->id == BootField::Id::Code) {
        if (text == shown(record, position, column))
            return true; // a name keeps the code it stands for (513 stays 513)
        if (const auto code = Manufacturer::codeForName(std::string(text))) {
            record.nowe = *code;
            return true;
        }
        if (text.empty() || (text[0] != '-' && (text[0] < '0' || text[0] > '9')))
            return reason.fail(Reason(Id::PasteNotManufacturer, {quoted(text)}));
    }
    return TableImport::readValue(record, *column, text, reason);
}

std::string join(const std::vector<std::vector<std::string>> &lines)
{
    std::string out;
    for (const auto &line : lines) {
        for (std::size_t j = 0; j < line.size(); ++j) {
            const std::string &cell = line[j];
            if (j > 0)
                out += '\t';
            if (cell.find_first_of("\t\r\n") == std::string::npos && !cell.starts_with('"')) {
                out += cell;
                continue;
            }
            out += '"';
            for (const char c : cell)
                out += c == '"' ? std::string("\"\"") : std::string(1, c);
            out += '"';
        }
        out += '\n';
    }
    return out;
}

std::vector<std::vector<std::string>> split(std::string_view text, std::size_t maxLines)
{
    std::vector<std::vector<std::string>> lines;
    if (text.empty())
        return lines;
    const std::size_t n = text.size();
    const auto endsCell = [&](std::size_t at) {
        return at == n || text[at] == '\t' || text[at] == '\n' ||
               (text[at] == '\r' && (at + 1 == n || text[at + 1] == '\n'));
    };
    std::vector<std::string> line;
    std::size_t i = 0;
    while (true) {
        std::string cell;
        std::size_t end = std::string_view::npos;
        if (i < n && text[i] == '"') {
            // A quoted cell runs to its closing quote; one that is not closed, or has text
            // after the closing quote, is plain text like any other.
            std::size_t j = i + 1;
            for (; j < n; ++j) {
                if (text[j] != '"') {
                    cell += text[j];
                } else if (j + 1 < n && text[j + 1] == '"') {
                    cell += '"';
                    ++j;
                } else {
                    break;
                }
            }
            if (j < n && endsCell(j + 1))
                end = j + 1;
            else
                cell.clear();
        }
        if (end == std::string_view::npos) {
            end = std::min(text.find_first_of("\t\n", i), n);
            cell.assign(text.substr(i, end - i));
            if (cell.ends_with('\r') && end != n && text[end] == '\n')
                cell.pop_back();
            if (cell.ends_with('\r') && end == n)
                cell.pop_back();
        } else if (end < n && text[end] == '\r') {
            ++end;
        }
        line.push_back(std::move(cell));
        if (end >= n) {
            lines.push_back(std::move(line));
            break;
        }
        i = end + 1;
        if (text[end] == '\t')
            continue;
        lines.push_back(std::move(line));
        line.clear();
        if (lines.size() > maxLines || i >= n)
            break;
    }
    return lines;
}

Result paste(std::string_view text, const std::vector<BootRecord> &records, const Target &target)
{
    Result result;
    using Reasons::Id;
    const auto refuse = [&result](Reason reason) {
        result.problems.push_back({TableProblem::Place::Table, 0, {}, std::move(reason)});
        return result;
    };
    // Sizes first: a block that cannot fit costs nothing more than counting.
    if (text.size() > kMaxBytes)
        return refuse(Reason(Id::PasteTooLong, {std::to_string(kMaxBytes)}));
    const std::size_t rows = target.rows.size();
    auto lines = split(text, rows + 1);
    std::size_t first = 0;
    if (!lines.empty() && lines[0].size() <= target.headers.size() &&
        std::equal(lines[0].begin(), lines[0].end(), target.headers.begin()))
        first = 1;
    if (lines.size() <= first)
        return refuse(Reason(Id::PasteNothing));
    if (lines.size() - first > rows)
        return refuse(Reason(Id::PasteTooManyLines, {std::to_string(rows)}));

    result.records = records;
    for (std::size_t i = first; i < lines.size(); ++i) {
        const std::size_t lineNumber = i + 1;
        const auto &line = lines[i];
        if (line.size() > target.columns.size()) {
            addProblem(result,
                       {TableProblem::Place::Line,
                        lineNumber,
                        {},
                        target.columns.size() == 1
                            ? Reason(Id::PasteTooWideOne, {cells(line.size())})
                            : Reason(Id::PasteTooWide,
                                     {cells(line.size()), std::to_string(target.columns.size())})});
            continue;
        }
        const std::size_t position = target.rows[i - first];
        if (position >= result.records.size())
            return refuse(Reason(Id::PasteBootMissing));
        BootRecord &record = result.records[position];
        for (std::size_t j = 0; j < line.size(); ++j) {
            Reason reason;
            if (!store(record, position, target.columns[j], line[j], &reason))
                addProblem(result, {TableProblem::Place::Line, lineNumber,
                                    j < target.headers.size() ? target.headers[j] : std::string(),
                                    std::move(reason)});
        }
    }
    if (!result.problems.empty())
        result.records.clear();
    return result;
}

} // namespace TablePaste
