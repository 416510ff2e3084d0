#include "Reasons.h"

#include <array>

namespace Reasons {

namespace {

constexpr std::size_t kCount = static_cast<std::size_t>(Id::PictureFileTooLarge) + 1;
constexpr std::size_t kLongestReason = 1000;

constexpr std::array<Entry, kCount> kTable = {{
    {Id::NoMemoryToRead, "ReasonNoMemoryToRead", "there is not enough memory to read the file"},
    {Id::TooLargeToRead, "ReasonTooLargeToRead", "the file is too large to read"},
    {Id::NotARegularFile, "ReasonNotARegularFile", "not a regular file"},
    {Id::ChangedWhileReading, "ReasonChangedWhileReading", "the file changed while reading"},
    {Id::CannotRead, "ReasonCannotRead", "cannot read the file"},
    {Id::RangeOutsideFile, "ReasonRangeOutsideFile", "the range lies outside the file"},
    {Id::ShorterThanExpected, "ReasonShorterThanExpected", "the file is shorter than expected"},
    {Id::WriteFailed, "ReasonWriteFailed", "write failed"},
    {Id::ReadOnlyFile, "ReasonReadOnlyFile", "the file is read-only"},
    {Id::FileMissing, "ReasonFileMissing", "the file does not exist"},
    {Id::NoMemoryToLoad, "ReasonNoMemoryToLoad", "there is not enough memory to load the file"},
    {Id::NoHeader, "ReasonNoHeader", "the file is too short to hold a header"},
    {Id::NotABootsDatabase, "ReasonNotABootsDatabase",
     "the header does not belong to a boots database"},
    {Id::NoRecordData, "ReasonNoRecordData", "the header declares no record data"},
    {Id::NoRecords, "ReasonNoRecords", "the header declares no records"},
    {Id::MoreRecordsThanFile, "ReasonMoreRecordsThanFile",
     "the header promises %1 records, more than the file holds"},
    {Id::UnendedText, "ReasonUnendedText", "record %1 has a text field without an end"},
    {Id::NothingLoaded, "ReasonNothingLoaded", "no database was loaded"},
    {Id::NothingToSave, "ReasonNothingToSave", "there are no records to save"},
    {Id::NoSuchRecord, "ReasonNoSuchRecord", "no such record"},
    {Id::NoRecordAt, "ReasonNoRecordAt", "no record at position %1"},
    {Id::ZlibNoMemory, "ReasonZlibNoMemory", "zlib ran out of memory"},
    {Id::DataDoesNotFit, "ReasonDataDoesNotFit", "the data does not fit the declared length"},
    {Id::CompressedDataDamaged, "ReasonCompressedDataDamaged", "the compressed data is damaged"},
    {Id::ZlibError, "ReasonZlibError", "zlib reported an error"},
    {Id::NoMemoryToUnwrap, "ReasonNoMemoryToUnwrap",
     "there is not enough memory to unwrap the file"},
    {Id::ContainerTooShort, "ReasonContainerTooShort",
     "the file is too short to be a WESYS container"},
    {Id::ContainerTooLarge, "ReasonContainerTooLarge",
     "the file is too large to be a WESYS container"},
    {Id::PlainLengthOutOfRange, "ReasonPlainLengthOutOfRange",
     "the declared plain length %1 is out of range"},
    {Id::NoCompressedStream, "ReasonNoCompressedStream",
     "the file is too short to hold a compressed stream"},
    {Id::DataShorterThanDeclared, "ReasonDataShorterThanDeclared",
     "the data is shorter than its declared length"},
    {Id::NoFileGiven, "ReasonNoFileGiven", "no file was given"},
    {Id::CannotWriteScratch, "ReasonCannotWriteScratch", "cannot write the scratch file: %1"},
    {Id::TooLargeForContainer, "ReasonTooLargeForContainer",
     "the file is too large for the container"},
    {Id::CannotWriteWorkingCopy, "ReasonCannotWriteWorkingCopy",
     "cannot write the working copy: %1"},
    {Id::ArchiveTableTooLong, "ReasonArchiveTableTooLong",
     "the archive's table of %1 entries runs past the end of the file"},
    {Id::CannotReadArchive, "ReasonCannotReadArchive", "cannot read the archive"},
    {Id::TableLineColumn, "ReasonTableLineColumn", "line %1, %2: %3"},
    {Id::TableLine, "ReasonTableLine", "line %1: %2"},
    {Id::TableIndexColumn, "ReasonTableIndexColumn", "index %1, %2: %3"},
    {Id::TableIndex, "ReasonTableIndex", "index %1: %2"},
    {Id::CsvNoMemory, "ReasonCsvNoMemory", "out of memory"},
    {Id::CsvStrayQuote, "ReasonCsvStrayQuote",
     "a quote inside a field that does not start with one, or text after a closing quote"},
    {Id::CsvUnclosedQuote, "ReasonCsvUnclosedQuote", "a quoted field is not closed"},
    {Id::FurtherProblems, "ReasonFurtherProblems", "further problems are not listed"},
    {Id::NotAText, "ReasonNotAText", "%1 is not a text"},
    {Id::NotInCodePage, "ReasonNotInCodePage", "holds a character that Windows-1252 cannot hold"},
    {Id::HoldsZero, "ReasonHoldsZero", "holds a zero character"},
    {Id::NotAWholeNumber, "ReasonNotAWholeNumber", "%1 is not a whole number"},
    {Id::OutsideRange, "ReasonOutsideRange", "%1 lies outside %2..%3"},
    {Id::NoHeaderRow, "ReasonNoHeaderRow", "the table has no header row"},
    {Id::NotAColumn, "ReasonNotAColumn", "is not a column of the boots table"},
    {Id::ColumnTwice, "ReasonColumnTwice", "appears twice"},
    {Id::NotAnArray, "ReasonNotAnArray", "the table is not an array of objects"},
    {Id::NotAnObject, "ReasonNotAnObject", "%1 is not an object"},
    {Id::NotAKey, "ReasonNotAKey", "is not a key of the boots table"},
    {Id::NoTableRead, "ReasonNoTableRead", "no table was read"},
    {Id::CountRow, "ReasonCountRow", "%1 row"},
    {Id::CountRows, "ReasonCountRows", "%1 rows"},
    {Id::CountBoot, "ReasonCountBoot", "%1 boot"},
    {Id::CountBoots, "ReasonCountBoots", "%1 boots"},
    {Id::CountField, "ReasonCountField", "%1 field"},
    {Id::CountFields, "ReasonCountFields", "%1 fields"},
    {Id::CountCharacter, "ReasonCountCharacter", "%1 character"},
    {Id::CountCharacters, "ReasonCountCharacters", "%1 characters"},
    {Id::RowsAgainstBoots, "ReasonRowsAgainstBoots",
     "the table has %1 where the database holds %2"},
    {Id::BootsAgainstRows, "ReasonBootsAgainstRows",
     "the database holds %1 where the table has %2"},
    {Id::FieldsAgainstHeader, "ReasonFieldsAgainstHeader", "%1 where the header has %2"},
    {Id::LongerThanField, "ReasonLongerThanField", "%1 is longer than the field keeps (%2)"},
    {Id::MoreRowsThanBoots, "ReasonMoreRowsThanBoots",
     "the table has more than %1 where the database holds %2"},
    {Id::MoreFieldsThanColumns, "ReasonMoreFieldsThanColumns",
     "more than %1 where the boots table has %2 columns"},
    {Id::NestedTooDeep, "ReasonNestedTooDeep", "the table is nested more than %1 levels deep"},
    {Id::PictureCutShort, "ReasonPictureCutShort", "the image file is cut short"},
    {Id::PictureDamaged, "ReasonPictureDamaged", "the image file is damaged"},
    {Id::PictureNoMemory, "ReasonPictureNoMemory", "there is not enough memory for the image"},
    {Id::PictureOtherSize, "ReasonPictureOtherSize", "the image is %1 x %2 pixels; the texture is %3 x %4"},
    {Id::PictureEmpty, "ReasonPictureEmpty", "the file is empty"},
    {Id::PictureNameDisagrees, "ReasonPictureNameDisagrees", "the file is a %1 image, but its name ends in %2"},
    {Id::PictureNotOfItsName, "ReasonPictureNotOfItsName", "the file's name ends in %1, but it is not a %2 image"},
    {Id::PictureUnknownFormat, "ReasonPictureUnknownFormat", "the file is not a PNG, BMP, TGA or JPEG image"},
    {Id::PictureTooLarge, "ReasonPictureTooLarge", "the texture is larger than a picture may be (4096 x 4096 pixels)"},
    {Id::BmpUnsupported, "ReasonBmpUnsupported", "this kind of BMP image is not supported"},
    {Id::BmpOutsideColourTable, "ReasonBmpOutsideColourTable", "a pixel of the BMP image lies outside its colour table"},
    {Id::TgaUnsupported, "ReasonTgaUnsupported", "this kind of TGA image is not supported"},
    {Id::TgaRunPastEnd, "ReasonTgaRunPastEnd", "a run of the TGA image passes the end of the image"},
    {Id::TgaOutsideColourMap, "ReasonTgaOutsideColourMap", "a pixel of the TGA image lies outside its colour map"},
    {Id::JpegCmykUnsupported, "ReasonJpegCmykUnsupported", "CMYK JPEG images are not supported"},
    {Id::PictureFileTooLarge, "ReasonPictureFileTooLarge", "the file is larger than 256 MiB"},
}};

constexpr bool inIdOrder()
{
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (static_cast<std::size_t>(kTable[i].id) != i)
            return false;
    }
    return true;
}
static_assert(inIdOrder());

// The argument number of a "%1" ... "%9" at pattern[i], or -1.
int placeholder(std::string_view pattern, std::size_t i)
{
    if (pattern[i] != '%' || i + 1 >= pattern.size() || pattern[i + 1] < '1' ||
        pattern[i + 1] > '9')
        return -1;
    return pattern[i + 1] - '1';
}

// Whether `text` is `pattern` with its placeholders filled by non-empty texts; `arguments`
// receives them. The first way that fits the rest of the text is taken.
bool match(std::string_view pattern, std::string_view text, std::vector<std::string> &arguments)
{
    if (pattern.empty())
        return text.empty();
    const int n = placeholder(pattern, 0);
    if (n < 0)
        return !text.empty() && text.front() == pattern.front() &&
               match(pattern.substr(1), text.substr(1), arguments);
    const auto slot = static_cast<std::size_t>(n);
    if (arguments.size() <= slot)
        arguments.resize(slot + 1);
    for (std::size_t length = 1; length <= text.size(); ++length) {
        if (match(pattern.substr(2), text.substr(length), arguments)) {
            arguments[slot] = std::string(text.substr(0, length));
            return true;
        }
    }
    return false;
}

// How well a pattern that fits names a text: one that begins with fixed text (a frame such
// as "line %1: %2" around a reason) before one that begins with an argument, then the one
// with more fixed characters.
std::size_t specificity(std::string_view pattern)
{
    std::size_t count = placeholder(pattern, 0) < 0 ? kLongestReason : 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (placeholder(pattern, i) >= 0)
            ++i;
        else
            ++count;
    }
    return count;
}

} // namespace

const std::vector<Entry> &entries()
{
    static const std::vector<Entry> table(kTable.begin(), kTable.end());
    return table;
}

const Entry &entry(Id id)
{
    return kTable[static_cast<std::size_t>(id)];
}

std::string text(Id id, const std::vector<std::string> &arguments)
{
    const std::string_view pattern = entry(id).english;
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const int n = placeholder(pattern, i);
        if (n >= 0 && static_cast<std::size_t>(n) < arguments.size()) {
            out += arguments[static_cast<std::size_t>(n)];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::optional<Found> identify(std::string_view text)
{
    // Reasons are short; a long text (a list of problems, say) is none of them.
    if (text.size() > kLongestReason)
        return std::nullopt;
    std::optional<Found> best;
    std::size_t bestFixed = 0;
    for (const Entry &e : kTable) {
        std::vector<std::string> arguments;
        const std::size_t fixed = specificity(e.english);
        if ((!best || fixed > bestFixed) && match(e.english, text, arguments)) {
            best = Found{e.id, std::move(arguments)};
            bestFixed = fixed;
        }
    }
    return best;
}

} // namespace Reasons
