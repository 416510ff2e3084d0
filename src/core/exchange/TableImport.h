#pragma once
// Reads a boots table written by BootsTable (or edited since) against a database: checks
// every row before anything changes, lists the problems or the changes, and applies them.
// Rows match boots by position; columns or keys the table leaves out keep their values.
#include "BootsTable.h"
#include "common/Reason.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class Baza;

/// Something in the table that stops the import.
struct TableProblem
{
    enum class Place { Table, Line, Index };
    Place place = Place::Table; ///< the whole table, a CSV line or a JSON array element
    std::size_t location = 0;   ///< the CSV line (from 1) or the JSON array index (from 0)
    std::string column;         ///< the column or key, or empty
    Reason reason;
    /// One line for the user: line 4, Sila: "300" lies outside 0..255 (control characters
    /// written as \xNN).
    std::string text() const;
    /// The same line as a reason, for a window to word in the user's language.
    Reason why() const;
};

/// One field that the table changes.
struct TableChange
{
    std::size_t position = 0; ///< the boot's position in the file, from 0
    std::string column;
    std::string oldValue; ///< as the table shows it (BootField::shown)
    std::string newValue;
    /// One line for the user: 3 Nazwa: "Old" -> "New" (texts quoted as JSON strings).
    std::string text() const;
};

class TableImport
{
public:
    /// Reads `table` (UTF-8, with or without a byte-order mark) and checks it against the
    /// records of `db`. True when the table can be applied; then changes() lists what it
    /// changes (maybe nothing). False with problems() otherwise.
    bool read(std::string_view table, BootsTable::Format format, const Baza &db);
    /// Reads the table file at `path` in the format its extension names (".csv", ".json");
    /// an unreadable file or another extension is a problem like any other.
    bool readFile(const std::string &path, const Baza &db);

    const std::vector<TableProblem> &problems() const { return mProblems; }
    const std::vector<TableChange> &changes() const { return mChanges; }
    /// The records as the table gives them, one per boot of the database read against.
    const std::vector<BootRecord> &records() const { return mRecords; }
    /// How many boots have at least one change.
    std::size_t changedBoots() const;
    /// "12 boots changed, 31 fields".
    std::string summary() const;
    /// Every problem, one line each.
    std::string problemText() const;

    /// Puts the changed records into `db`. False (and `db` unchanged) when the last read failed
    /// or `db` no longer holds as many records as the table.
    bool apply(Baza &db);
    std::string errorString() const { return mError.text(); }
    const Reason &errorReason() const { return mError; }

    /// At most this many problems are listed; the last one then says that more follow.
    static constexpr std::size_t kMaxProblems = 50;
    /// A JSON table nested deeper than this is refused while it is read.
    static constexpr int kMaxDepth = 64;

    /// Stores `text` (UTF-8, as a CSV field holds it) into `column` of `record` by the rules
    /// a table's cell is read by. False, with the reason, when a table's cell would be refused.
    static bool readValue(BootRecord &record, const BootField &column, std::string_view text,
                          ReasonOut reason);

private:
    struct Cell;
    class JsonRows;
    void readCsv(std::string_view table);
    void readJson(std::string_view table);
    void readCell(BootRecord &record, const BootField &column, const Cell &cell);
    void problem(const Cell &cell, const std::string &column, const Reason &reason);

    std::vector<BootRecord> mRecords;
    std::vector<TableProblem> mProblems;
    std::vector<TableChange> mChanges;
    std::size_t mRows = 0; ///< rows of the table last read
    Reason mError;
    bool mReady = false;
};
