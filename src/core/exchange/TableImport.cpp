#include "TableImport.h"

#include "CsvReader.h"
#include "boots/Baza.h"
#include "common/Ansi.h"
#include "common/FileIo.h"
#include "common/Printable.h"
#include "common/Reason.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>

struct TableImport::Cell
{
    TableProblem::Place place;
    std::size_t location;
    const nlohmann::json *json; ///< the value of a JSON key, or null for CSV
    std::string_view csv;       ///< the text of a CSV field
};

namespace {

/// `utf8` in Windows-1252; false when a character has no counterpart there (the conversion
/// turns it into "?").
bool toAnsi(std::string_view utf8, std::string &ansi)
{
    ansi = Ansi::fromUtf8(utf8);
    return std::count(ansi.begin(), ansi.end(), '?') == std::count(utf8.begin(), utf8.end(), '?');
}

std::string jsonQuoted(std::string_view text)
{
    return nlohmann::json(std::string(text))
        .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Control characters as \xNN, so that a problem line stays one line and sends the terminal
// nothing but text.
std::string escapedLine(const std::string &text)
{
    static const char *const hex = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            out.append("\\x").append(1, hex[u >> 4]).append(1, hex[u & 15]);
        else
            out += c;
    }
    return out;
}

// "1 row", "2 rows": `one` and `many` are the reasons of the two forms.
Reason plural(std::size_t n, Reasons::Id one, Reasons::Id many)
{
    return Reason(n == 1 ? one : many, {std::to_string(n)});
}

// The reason with its plain texts (names, values) escaped as escapedLine() does.
Reason escaped(const Reason &reason)
{
    if (reason.isPlain())
        return escapedLine(reason.plainText());
    std::vector<Reason> arguments;
    for (const Reason &argument : reason.arguments())
        arguments.push_back(escaped(argument));
    return Reason(reason.id(), std::move(arguments));
}

} // namespace

std::string TableProblem::text() const
{
    return why().text();
}

Reason TableProblem::why() const
{
    using Reasons::Id;
    const std::string at = std::to_string(location);
    if (place == Place::Table)
        return escaped(column.empty() ? reason : Reason(Id::NamedLine, {column, reason}));
    const bool line = place == Place::Line;
    if (column.empty())
        return escaped(Reason(line ? Id::TableLine : Id::TableIndex, {at, reason}));
    return escaped(Reason(line ? Id::TableLineColumn : Id::TableIndexColumn, {at, column, reason}));
}

std::string TableChange::text() const
{
    const BootField *c = BootsTable::column(column);
    const auto shown = [c](const std::string &v) { return c && c->isText() ? jsonQuoted(v) : v; };
    return std::to_string(position) + " " + column + ": " + shown(oldValue) + " -> " +
           shown(newValue);
}

void TableImport::problem(const Cell &cell, const std::string &column, const Reason &reason)
{
    if (mProblems.size() < kMaxProblems)
        mProblems.push_back({cell.place, cell.location, column, reason});
    else if (mProblems.size() == kMaxProblems)
        mProblems.push_back(
            {TableProblem::Place::Table, 0, {}, Reason(Reasons::Id::FurtherProblems)});
}

void TableImport::readCell(BootRecord &record, const BootField &column, const Cell &cell)
{
    if (column.isText()) {
        if (cell.json && !cell.json->is_string())
            return problem(cell, column.name, Reason(Reasons::Id::NotAText, {cell.json->dump()}));
        const std::string_view utf8 =
            cell.json ? std::string_view(cell.json->get_ref<const std::string &>()) : cell.csv;
        std::string ansi;
        const bool fits = toAnsi(utf8, ansi);
        if (ansi == record.*column.text)
            return; // an unchanged text stays, even one longer than a change may make it
        if (!fits)
            return problem(cell, column.name, Reason(Reasons::Id::NotInCodePage));
        if (ansi.find('\0') != std::string::npos)
            return problem(cell, column.name, Reason(Reasons::Id::HoldsZero));
        if (const auto control = Printable::firstControl(utf8))
            return problem(cell, column.name, Reason(Reasons::Id::ControlCharacter, {*control}));
        if (ansi.size() > column.maxLength)
            return problem(cell, column.name,
                           Reason(Reasons::Id::LongerThanField,
                                  {plural(ansi.size(), Reasons::Id::CountCharacter,
                                          Reasons::Id::CountCharacters),
                                   std::to_string(column.maxLength)}));
        record.*column.text = std::move(ansi);
        return;
    }
    std::int64_t value = 0;
    bool whole = false;
    bool inRange = true;
    if (cell.json) {
        if (cell.json->is_number_unsigned()) {
            const auto u = cell.json->get<std::uint64_t>();
            inRange = u <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
            value = inRange ? static_cast<std::int64_t>(u) : 0;
            whole = true;
        } else if (cell.json->is_number_integer()) {
            value = cell.json->get<std::int64_t>();
            whole = true;
        }
    } else {
        const char *end = cell.csv.data() + cell.csv.size();
        const auto [at, ec] = std::from_chars(cell.csv.data(), end, value);
        whole = at == end && (ec == std::errc{} || ec == std::errc::result_out_of_range);
        inRange = ec == std::errc{};
    }
    const bool kept = column.id == BootField::Id::ID || column.id == BootField::Id::Kolej;
    if (whole && inRange && value >= column.min && value <= column.max) {
        // As every edit does, a table leaves a boot's ID and Kolej as they are.
        if (kept && value != column.number(record))
            return problem(cell, column.name, Reason(Reasons::Id::FieldKept));
        return column.setNumber(record, value);
    }
    const std::string shown = cell.json ? cell.json->dump() : jsonQuoted(cell.csv);
    if (!whole)
        return problem(cell, column.name, Reason(Reasons::Id::NotAWholeNumber, {shown}));
    problem(cell, column.name,
            Reason(Reasons::Id::OutsideRange,
                   {shown, std::to_string(column.min), std::to_string(column.max)}));
}

void TableImport::readCsv(std::string_view table)
{
    CsvReader reader;
    // No more rows than the database has boots (and a header), no more fields than columns:
    // compared while reading, before a row beyond them is built.
    const std::size_t boots = mRecords.size();
    const std::size_t columns = BootsTable::columns().size();
    reader.setLimits(boots + 1, columns);
    if (!reader.read(table)) {
        if (reader.tooManyRecords())
            mProblems.push_back(
                {TableProblem::Place::Table,
                 0,
                 {},
                 Reason(Reasons::Id::MoreRowsThanBoots,
                        {plural(boots, Reasons::Id::CountRow, Reasons::Id::CountRows),
                         plural(boots, Reasons::Id::CountBoot, Reasons::Id::CountBoots)})});
        else if (reader.overLimit())
            mProblems.push_back(
                {TableProblem::Place::Line,
                 reader.errorLine(),
                 {},
                 Reason(Reasons::Id::MoreFieldsThanColumns,
                        {plural(columns, Reasons::Id::CountField, Reasons::Id::CountFields),
                         std::to_string(columns)})});
        else
            mProblems.push_back(
                {TableProblem::Place::Line, reader.errorLine(), {}, reader.errorReason()});
        return;
    }
    const auto &rows = reader.records();
    if (rows.empty()) {
        mProblems.push_back({TableProblem::Place::Table, 0, {}, Reason(Reasons::Id::NoHeaderRow)});
        return;
    }
    std::vector<const BootField *> header;
    for (const std::string &name : rows[0].fields) {
        const BootField *column = BootsTable::column(name);
        const Cell cell{TableProblem::Place::Line, rows[0].line, nullptr, {}};
        if (!column)
            problem(cell, name, Reason(Reasons::Id::NotAColumn));
        else if (std::find(header.begin(), header.end(), column) != header.end())
            problem(cell, name, Reason(Reasons::Id::ColumnTwice));
        header.push_back(column);
    }
    if (!mProblems.empty())
        return;
    mRecords.resize(std::max(mRecords.size(), rows.size() - 1));
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto &row = rows[i];
        Cell cell{TableProblem::Place::Line, row.line, nullptr, {}};
        if (row.fields.size() != header.size()) {
            problem(cell, {},
                    Reason(Reasons::Id::FieldsAgainstHeader,
                           {plural(row.fields.size(), Reasons::Id::CountField,
                                   Reasons::Id::CountFields),
                            std::to_string(header.size())}));
            continue;
        }
        for (std::size_t j = 0; j < header.size(); ++j) {
            cell.csv = row.fields[j];
            readCell(mRecords[i - 1], *header[j], cell);
        }
    }
    mRows = rows.size() - 1;
}

// The JSON table read event by event straight into the records, without a document: rows are
// counted against the boots as they begin, each cell is read as its value ends, and a list or
// object inside a row, which no cell holds, is refused without being kept. Time and memory so
// follow the table's length and the database's boots, whatever the table holds.
class TableImport::JsonRows
{
public:
    using Json = nlohmann::json;

    explicit JsonRows(TableImport &import) : mImport(import) {}

    bool null() { return value(Json(nullptr)); }
    bool boolean(bool v) { return value(Json(v)); }
    bool number_integer(Json::number_integer_t v) { return value(Json(v)); }
    bool number_unsigned(Json::number_unsigned_t v) { return value(Json(v)); }
    bool number_float(Json::number_float_t v, const Json::string_t &) { return value(Json(v)); }
    bool string(Json::string_t &v) { return value(Json(std::move(v))); }
    bool binary(Json::binary_t &) { return value(Json(nullptr)); }
    bool start_object(std::size_t) { return open(true); }
    bool start_array(std::size_t) { return open(false); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(Json::string_t &key)
    {
        if (mDepth != 2 || !mRowIsObject)
            return true;
        mColumn = BootsTable::column(key);
        mKey = jsonQuoted(key);
        if (!mKeys.insert(key).second) {
            mColumn = nullptr;
            mImport.problem(at(), {}, Reason(Reasons::Id::JsonKeyTwice, {mKey}));
        } else if (!mColumn) {
            mImport.problem(at(), mKey, Reason(Reasons::Id::NotAKey));
        }
        return true;
    }

    bool parse_error(std::size_t, const std::string &, const Json::exception &e)
    {
        std::string reason = e.what();
        reason.erase(0, reason.find("] ") == std::string::npos ? 0 : reason.find("] ") + 2);
        return refuse(reason);
    }

    std::size_t rows() const { return mRows; }
    const Reason &refusal() const { return mRefusal; }

private:
    Cell at() const { return {TableProblem::Place::Index, mRows - 1, nullptr, {}}; }

    bool refuse(Reason reason)
    {
        mRefusal = std::move(reason);
        return false;
    }

    // A row begins: one more than the database has boots stops the reading.
    bool row()
    {
        const std::size_t boots = mImport.mRecords.size();
        if (++mRows <= boots)
            return true;
        return refuse(Reason(Reasons::Id::MoreRowsThanBoots,
                             {plural(boots, Reasons::Id::CountRow, Reasons::Id::CountRows),
                              plural(boots, Reasons::Id::CountBoot, Reasons::Id::CountBoots)}));
    }

    bool value(const Json &v)
    {
        if (mDepth == 0)
            return refuse(Reason(Reasons::Id::NotAnArray));
        if (mDepth == 1) {
            if (!row())
                return false;
            mImport.problem(at(), {}, Reason(Reasons::Id::NotAnObject, {v.dump().substr(0, 40)}));
        } else if (mDepth == 2 && mRowIsObject && mColumn) {
            mImport.readCell(mImport.mRecords[mRows - 1], *mColumn,
                             {TableProblem::Place::Index, mRows - 1, &v, {}});
        }
        return true;
    }

    bool open(bool object)
    {
        if (mDepth >= kMaxDepth)
            return refuse(Reason(Reasons::Id::NestedTooDeep, {std::to_string(kMaxDepth)}));
        if (mDepth == 0 && object)
            return refuse(Reason(Reasons::Id::NotAnArray));
        if (mDepth == 1) {
            if (!row())
                return false;
            mRowIsObject = object;
            mKeys.clear();
            if (!object)
                mImport.problem(at(), {}, Reason(Reasons::Id::NotAnObject, {"[...]"}));
        } else if (mDepth == 2 && mRowIsObject && mColumn) {
            // A cell's value is a text or a number, never a list or an object.
            const char *shown = object ? "{...}" : "[...]";
            mImport.problem(at(), mColumn->name,
                            Reason(mColumn->isText() ? Reasons::Id::NotAText
                                                     : Reasons::Id::NotAWholeNumber,
                                   {shown}));
        }
        ++mDepth;
        return true;
    }

    bool close()
    {
        --mDepth;
        return true;
    }

    TableImport &mImport;
    Reason mRefusal;
    int mDepth = 0;
    std::size_t mRows = 0;
    bool mRowIsObject = false;
    std::set<std::string> mKeys; ///< the keys of the current row so far
    const BootField *mColumn = nullptr;
    std::string mKey;
};

void TableImport::readJson(std::string_view table)
{
    JsonRows rows(*this);
    if (!nlohmann::json::sax_parse(table.begin(), table.end(), &rows)) {
        // A refusal of the whole table stands alone.
        mProblems = {{TableProblem::Place::Table, 0, {}, rows.refusal()}};
        return;
    }
    mRows = rows.rows();
}

bool TableImport::read(std::string_view table, BootsTable::Format format, const Baza &db)
{
    mProblems.clear();
    mChanges.clear();
    mError.clear();
    mReady = false;
    mRows = 0;
    const std::vector<BootRecord> &before = db.records();
    mRecords = before;
    if (table.starts_with("\xEF\xBB\xBF"))
        table.remove_prefix(3);
    if (format == BootsTable::Format::Csv)
        readCsv(table);
    else
        readJson(table);
    if (mProblems.empty() && mRows != before.size())
        mProblems.push_back(
            {TableProblem::Place::Table,
             0,
             {},
             Reason(Reasons::Id::RowsAgainstBoots,
                    {plural(mRows, Reasons::Id::CountRow, Reasons::Id::CountRows),
                     plural(before.size(), Reasons::Id::CountBoot, Reasons::Id::CountBoots)})});
    if (!mProblems.empty()) {
        mRecords.clear();
        mError = problemText();
        return false;
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        for (const BootField &column : BootsTable::columns()) {
            const bool same = column.isText()
                                  ? before[i].*column.text == mRecords[i].*column.text
                                  : column.number(before[i]) == column.number(mRecords[i]);
            if (!same)
                mChanges.push_back(
                    {i, column.name, column.shown(before[i]), column.shown(mRecords[i])});
        }
    }
    mReady = true;
    return true;
}

bool TableImport::readFile(const std::string &path, const Baza &db)
{
    const auto format = BootsTable::formatOf(path);
    FileIo::Bytes table;
    Reason error(Reasons::Id::TableFileName);
    if (!format || !FileIo::readFile(path, table, &error)) {
        mProblems = {{TableProblem::Place::Table, 0, {}, error}};
        mChanges.clear();
        mRecords.clear();
        mError = problemText();
        mReady = false;
        return false;
    }
    return read({reinterpret_cast<const char *>(table.data()), table.size()}, *format, db);
}

std::size_t TableImport::changedBoots() const
{
    std::size_t boots = 0;
    for (std::size_t i = 0; i < mChanges.size(); ++i)
        boots += i == 0 || mChanges[i].position != mChanges[i - 1].position;
    return boots;
}

std::string TableImport::summary() const
{
    return plural(changedBoots(), Reasons::Id::CountBoot, Reasons::Id::CountBoots).text() +
           " changed, " +
           plural(mChanges.size(), Reasons::Id::CountField, Reasons::Id::CountFields).text();
}

std::string TableImport::problemText() const
{
    std::string out;
    for (const TableProblem &p : mProblems)
        out += p.text() + "\n";
    return out;
}

bool TableImport::apply(Baza &db)
{
    if (!mReady) {
        mError = Reason(Reasons::Id::NoTableRead);
        return false;
    }
    if (db.records().size() != mRecords.size()) {
        mError =
            Reason(Reasons::Id::BootsAgainstRows,
                   {plural(db.records().size(), Reasons::Id::CountBoot, Reasons::Id::CountBoots),
                    plural(mRecords.size(), Reasons::Id::CountRow, Reasons::Id::CountRows)});
        return false;
    }
    for (std::size_t i = 0; i < mChanges.size(); ++i) {
        const std::size_t at = mChanges[i].position;
        if ((i == 0 || at != mChanges[i - 1].position) && !db.setRecord(at, mRecords[at])) {
            mError = db.errorReason();
            return false;
        }
    }
    return true;
}

bool TableImport::readValue(BootRecord &record, const BootField &column, std::string_view text,
                            ReasonOut reason)
{
    TableImport import;
    import.readCell(record, column, {TableProblem::Place::Table, 0, nullptr, text});
    if (import.mProblems.empty())
        return true;
    return reason.fail(import.mProblems.front().reason);
}
