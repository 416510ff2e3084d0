#pragma once
// The catalogue of the reasons the core gives for a failure: each has an id, a stable name
// (its language key) and its English text, in which "%1", "%2" ... stand for the arguments (a
// number, a path, or a reason of its own). A failure carries its reason as a Reason (id and
// arguments, see Reason.h) up to the window, which words it in the user's language; text()
// gives the English for the command line and logs.
#include <string>
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
    // Files and folders
    IsLink,
    NoSuchFolder,
    FolderUnreadable,
    CannotMakeFolderBecause,
    CannotWriteBecause,
    NamedLine,
    // Texture archives and their entries
    ArchiveNoEntries,
    EntryNameOutside,
    EntryNoTexture,
    EntryOutside,
    EntryNotDds,
    EntryLine,
    ExportTargetIsLink,
    PictureNotConverted,
    PngNotEncoded,
    // DDS textures
    DdsTooShort,
    DdsNotDds,
    DdsHeaderSize,
    DdsSizeOutOfRange,
    DdsCompressionUnsupported,
    DdsPixelSizeUnsupported,
    DdsRowsShort,
    DdsPixelFormatUnsupported,
    DdsCutShort,
    DdsTooManyLevels,
    DdsLevelsCutShort,
    DdsNoLevel,
    DdsLevelCutShort,
    DdsPictureOtherSize,
    DdsFileUnusable,
    DdsFileOtherLayout,
    // Folders of pictures
    SkippedLink,
    SkippedFolder,
    SkippedName,
    NoSuchEntry,
    SameEntry,
    // Tables and pasted cells
    TableFileName,
    CsvMoreRecords,
    CsvMoreFields,
    CsvOverLimit,
    PasteTooLong,
    PasteNothing,
    PasteTooManyLines,
    CountCell,
    CountCells,
    PasteTooWideOne,
    PasteTooWide,
    PasteBootMissing,
    PasteCellTooLong,
    PasteNotOwnNumber,
    PasteNotManufacturer,
    // Private folders
    FolderExists,
    FolderNotMade,
    NotAFolder,
    OtherUsersFolder,
    OthersMayWrite,
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

} // namespace Reasons
