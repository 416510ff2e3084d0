#pragma once
// Reads CSV text (RFC 4180: quoted fields, doubled quotes, commas and line breaks inside
// quotes, CRLF or LF line ends) into records, each with the line it starts on. Blank lines
// are skipped; spaces belong to the field.
#include "common/Reason.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CsvReader
{
public:
    struct Record
    {
        std::size_t line = 0; ///< counted from 1
        std::vector<std::string> fields;
    };

    /// Reads all of `text`. False for malformed CSV: errorString() and errorLine() say why
    /// and where; the records read up to there stay in records().
    bool read(std::string_view text);

    /// Bounds what one read keeps: a record beyond `records`, or a field beyond `fields` in
    /// one record, stops the read (overLimit() then says so) before it is stored.
    void setLimits(std::size_t records, std::size_t fields);
    /// True when the last read stopped at a limit.
    bool overLimit() const { return mOverRecords || mOverFields; }
    bool tooManyRecords() const { return mOverRecords; }

    const std::vector<Record> &records() const { return mRecords; }
    /// Why the last failing call failed, in English.
    std::string errorString() const { return mError.text(); }
    /// The same reason, for a window to word in the user's language.
    const Reason &errorReason() const { return mError; }
    std::size_t errorLine() const { return mErrorLine; }

private:
    static void fieldEnded(void *data, std::size_t size, void *self);
    static void recordEnded(int terminator, void *self);

    std::vector<Record> mRecords;
    std::vector<std::string> mFields;
    std::size_t mFirstFieldLine = 0;
    std::size_t mLine = 0; ///< the line being fed to the parser
    Reason mError;
    std::size_t mErrorLine = 0;
    std::size_t mMaxRecords = static_cast<std::size_t>(-1);
    std::size_t mMaxFields = static_cast<std::size_t>(-1);
    bool mOverRecords = false;
    bool mOverFields = false;
};
