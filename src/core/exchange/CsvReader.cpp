#include "CsvReader.h"

#include "common/Reasons.h"

#include <algorithm>
#include <csv.h>
#include <memory>

namespace {

int noSpaces(unsigned char)
{
    return 0;
}

struct ParserFree
{
    void operator()(csv_parser *p) const
    {
        csv_free(p);
        delete p;
    }
};

} // namespace

void CsvReader::fieldEnded(void *data, std::size_t size, void *self)
{
    auto *reader = static_cast<CsvReader *>(self);
    if (reader->mFields.size() >= reader->mMaxFields) {
        reader->mOverFields = true;
        return;
    }
    std::string field(static_cast<const char *>(data), size);
    if (reader->mFields.empty()) {
        // A field ends on the line being fed; line breaks inside it push its start back.
        const auto breaks = static_cast<std::size_t>(std::count(field.begin(), field.end(), '\n'));
        reader->mFirstFieldLine = reader->mLine - std::min(breaks, reader->mLine - 1);
    }
    reader->mFields.push_back(std::move(field));
}

void CsvReader::recordEnded(int, void *self)
{
    auto *reader = static_cast<CsvReader *>(self);
    if (reader->overLimit() || reader->mRecords.size() >= reader->mMaxRecords) {
        reader->mOverRecords = reader->mOverRecords || !reader->mOverFields;
        reader->mFields.clear();
        return;
    }
    reader->mRecords.push_back({reader->mFirstFieldLine, std::move(reader->mFields)});
    reader->mFields.clear();
}

void CsvReader::setLimits(std::size_t records, std::size_t fields)
{
    mMaxRecords = records;
    mMaxFields = fields;
}

bool CsvReader::read(std::string_view text)
{
    mRecords.clear();
    mFields.clear();
    mError.clear();
    mErrorLine = 0;
    mOverRecords = false;
    mOverFields = false;
    std::unique_ptr<csv_parser, ParserFree> parser(new csv_parser);
    if (csv_init(parser.get(), CSV_STRICT | CSV_STRICT_FINI) != 0) {
        mError = Reason(Reasons::Id::CsvNoMemory);
        return false;
    }
    csv_set_space_func(parser.get(), noSpaces);
    // Fed one line at a time, so that every record knows its line.
    mLine = 0;
    std::size_t lastRecordLine = 0;
    while (!text.empty()) {
        ++mLine;
        const std::size_t end = std::min(text.find('\n'), text.size() - 1) + 1;
        const std::size_t before = mRecords.size();
        if (csv_parse(parser.get(), text.data(), end, fieldEnded, recordEnded, this) != end) {
            const int code = csv_error(parser.get());
            mError = code == CSV_EPARSE ? Reason(Reasons::Id::CsvStrayQuote)
                                        : Reason(csv_strerror(code));
            mErrorLine = mLine;
            return false;
        }
        if (mRecords.size() != before)
            lastRecordLine = mLine;
        if (overLimit()) {
            mError = mOverRecords
                         ? Reason(Reasons::Id::CsvMoreRecords, {std::to_string(mMaxRecords)})
                         : Reason(Reasons::Id::CsvMoreFields, {std::to_string(mMaxFields)});
            mErrorLine = mLine;
            return false;
        }
        text.remove_prefix(end);
    }
    if (csv_fini(parser.get(), fieldEnded, recordEnded, this) != 0) {
        mError = Reason(Reasons::Id::CsvUnclosedQuote);
        mErrorLine = lastRecordLine + 1;
        return false;
    }
    if (overLimit()) {
        mError = Reason(Reasons::Id::CsvOverLimit);
        mErrorLine = mLine;
        return false;
    }
    return true;
}
