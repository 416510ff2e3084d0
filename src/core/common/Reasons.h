#pragma once
// The reasons the core gives for a failure: each has an id, a stable name and its English
// text, in which "%1", "%2" ... stand for the arguments (a number, a path, or a reason of its
// own). The core makes its error texts with text(), so they stay plain English strings under
// the one error convention (false or an error string, then errorString() or `*error`); a
// window finds the reason again with identify() and shows its own language's text for it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Reasons {

// New reasons go at the end: the position is part of the language keys' order.
enum class Id {
    // Files
    NoMemoryToRead,
    TooLargeToRead,
    NotARegularFile,
    ChangedWhileReading,
    CannotRead,
    RangeOutsideFile,
    ShorterThanExpected,
    WriteFailed,
    ReadOnlyFile,
    // Boots database
    FileMissing,
    NoMemoryToLoad,
    NoHeader,
    NotABootsDatabase,
    NoRecordData,
    NoRecords,
    MoreRecordsThanFile,
    UnendedText,
    NothingLoaded,
    NothingToSave,
    NoSuchRecord,
    NoRecordAt,
    // WESYS container
    ZlibNoMemory,
    DataDoesNotFit,
    CompressedDataDamaged,
    ZlibError,
    NoMemoryToUnwrap,
    ContainerTooShort,
    ContainerTooLarge,
    PlainLengthOutOfRange,
    NoCompressedStream,
    DataShorterThanDeclared,
    NoFileGiven,
    CannotWriteScratch,
    TooLargeForContainer,
    // Texture archives
    CannotWriteWorkingCopy,
    ArchiveTableTooLong,
    CannotReadArchive,
    // Tables
    TableLineColumn,
    TableLine,
    TableIndexColumn,
    TableIndex,
    CsvNoMemory,
    CsvStrayQuote,
    CsvUnclosedQuote,
    FurtherProblems,
    NotAText,
    NotInCodePage,
    HoldsZero,
    NotAWholeNumber,
    OutsideRange,
    NoHeaderRow,
    NotAColumn,
    ColumnTwice,
    NotAnArray,
    NotAnObject,
    NotAKey,
    NoTableRead,
    // Counted things (arguments of the reasons that follow)
    CountRow,
    CountRows,
    CountBoot,
    CountBoots,
    CountField,
    CountFields,
    CountCharacter,
    CountCharacters,
    RowsAgainstBoots,
    BootsAgainstRows,
    FieldsAgainstHeader,
    LongerThanField,
    MoreRowsThanBoots,
    MoreFieldsThanColumns,
    NestedTooDeep,
    // Pictures from users
    PictureCutShort,
    PictureDamaged,
    PictureNoMemory,
    PictureOtherSize,
    PictureEmpty,
    PictureNameDisagrees,
    PictureNotOfItsName,
    PictureUnknownFormat,
    PictureTooLarge,
    BmpUnsupported,
    BmpOutsideColourTable,
    TgaUnsupported,
    TgaRunPastEnd,
    TgaOutsideColourMap,
    JpegCmykUnsupported,
    PictureFileTooLarge,
};

struct Entry
{
    Id id;
    const char *name;    ///< the language key's name: "Reason" followed by the id's name
    const char *english; ///< "%1", "%2" stand for the arguments
};

/// Every reason, in the order of `Id`.
const std::vector<Entry> &entries();
const Entry &entry(Id id);

/// The English text of `id` with "%1" ... "%9" replaced by `arguments`.
std::string text(Id id, const std::vector<std::string> &arguments = {});

struct Found
{
    Id id;
    std::vector<std::string> arguments;
};

/// The reason whose English text `text` is, with the arguments it was made with. When several
/// fit, one that begins with fixed text (a frame around another reason) wins, then the one
/// with the most fixed characters. Nothing for any other text.
std::optional<Found> identify(std::string_view text);

} // namespace Reasons
