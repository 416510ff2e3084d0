#include "Reasons.h"

#include <array>
#include <string_view>

namespace Reasons {

namespace {

constexpr std::size_t kCount = static_cast<std::size_t>(Id::ValueOutsideByte) + 1;

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
    {Id::PictureOtherSize, "ReasonPictureOtherSize",
     "the image is %1 x %2 pixels; the texture is %3 x %4"},
    {Id::PictureEmpty, "ReasonPictureEmpty", "the file is empty"},
    {Id::PictureNameDisagrees, "ReasonPictureNameDisagrees",
     "the file is a %1 image, but its name ends in %2"},
    {Id::PictureNotOfItsName, "ReasonPictureNotOfItsName",
     "the file's name ends in %1, but it is not a %2 image"},
    {Id::PictureUnknownFormat, "ReasonPictureUnknownFormat",
     "the file is not a PNG, BMP, TGA or JPEG image"},
    {Id::PictureTooLarge, "ReasonPictureTooLarge",
     "the texture is larger than a picture may be (4096 x 4096 pixels)"},
    {Id::BmpUnsupported, "ReasonBmpUnsupported", "this kind of BMP image is not supported"},
    {Id::BmpOutsideColourTable, "ReasonBmpOutsideColourTable",
     "a pixel of the BMP image lies outside its colour table"},
    {Id::TgaUnsupported, "ReasonTgaUnsupported", "this kind of TGA image is not supported"},
    {Id::TgaRunPastEnd, "ReasonTgaRunPastEnd",
     "a run of the TGA image passes the end of the image"},
    {Id::TgaOutsideColourMap, "ReasonTgaOutsideColourMap",
     "a pixel of the TGA image lies outside its colour map"},
    {Id::JpegCmykUnsupported, "ReasonJpegCmykUnsupported", "CMYK JPEG images are not supported"},
    {Id::PictureFileTooLarge, "ReasonPictureFileTooLarge", "the file is larger than 256 MiB"},
    {Id::IsLink, "ReasonIsLink", "it is a symbolic link"},
    {Id::NoSuchFolder, "ReasonNoSuchFolder", "%1: no such folder"},
    {Id::FolderUnreadable, "ReasonFolderUnreadable", "%1: the folder cannot be read: %2"},
    {Id::CannotMakeFolderBecause, "ReasonCannotMakeFolderBecause", "cannot make the folder %1: %2"},
    {Id::CannotWriteBecause, "ReasonCannotWriteBecause", "cannot write %1: %2"},
    {Id::NamedLine, "ReasonNamedLine", "%1: %2"},
    {Id::ArchiveNoEntries, "ReasonArchiveNoEntries", "the archive holds no entries"},
    {Id::EntryNameOutside, "ReasonEntryNameOutside", "the entry name lies outside the archive"},
    {Id::EntryNoTexture, "ReasonEntryNoTexture", "the entry holds no texture"},
    {Id::EntryOutside, "ReasonEntryOutside", "the entry lies outside the archive"},
    {Id::EntryNotDds, "ReasonEntryNotDds", "the entry is not a valid DDS texture: %1"},
    {Id::EntryLine, "ReasonEntryLine", "entry %1 (%2): %3"},
    {Id::ExportTargetIsLink, "ReasonExportTargetIsLink", "%1 is a symbolic link"},
    {Id::PictureNotConverted, "ReasonPictureNotConverted", "the picture could not be converted"},
    {Id::PngNotEncoded, "ReasonPngNotEncoded", "the picture could not be encoded as PNG"},
    {Id::DdsTooShort, "ReasonDdsTooShort", "the texture is too short to hold a DDS header"},
    {Id::DdsNotDds, "ReasonDdsNotDds", "the texture is not a DDS file"},
    {Id::DdsHeaderSize, "ReasonDdsHeaderSize", "the DDS header has the wrong size"},
    {Id::DdsSizeOutOfRange, "ReasonDdsSizeOutOfRange",
     "the texture's size %1 x %2 is out of range"},
    {Id::DdsCompressionUnsupported, "ReasonDdsCompressionUnsupported",
     "the texture's compression is not supported"},
    {Id::DdsPixelSizeUnsupported, "ReasonDdsPixelSizeUnsupported",
     "the texture's pixel size is not supported"},
    {Id::DdsRowsShort, "ReasonDdsRowsShort", "the texture's rows are shorter than its width"},
    {Id::DdsPixelFormatUnsupported, "ReasonDdsPixelFormatUnsupported",
     "the texture's pixel format is not supported"},
    {Id::DdsCutShort, "ReasonDdsCutShort",
     "the texture is cut short: it needs %1 bytes of pixels and holds %2"},
    {Id::DdsTooManyLevels, "ReasonDdsTooManyLevels",
     "the texture claims %1 mipmap levels, more than its size allows"},
    {Id::DdsLevelsCutShort, "ReasonDdsLevelsCutShort",
     "the texture is cut short: its %1 levels need %2 bytes of pixels and it holds %3"},
    {Id::DdsNoLevel, "ReasonDdsNoLevel", "the texture has no mipmap level %1"},
    {Id::DdsLevelCutShort, "ReasonDdsLevelCutShort", "the texture is cut short in mipmap level %1"},
    {Id::DdsPictureOtherSize, "ReasonDdsPictureOtherSize",
     "the picture is %1 x %2 pixels; the texture is %3 x %4"},
    {Id::DdsFileUnusable, "ReasonDdsFileUnusable", "the DDS file cannot be used: %1"},
    {Id::DdsFileOtherLayout, "ReasonDdsFileOtherLayout",
     "the DDS file is %1, %2 x %3 with %4 mipmap level(s); the entry is %5, %6 x %7 with %8"},
    {Id::SkippedLink, "ReasonSkippedLink", "a symbolic link, not followed"},
    {Id::SkippedFolder, "ReasonSkippedFolder", "a folder"},
    {Id::SkippedName, "ReasonSkippedName",
     "not named <number>_<name> with the extension png, bmp, tga, jpg, jpeg or dds"},
    {Id::NoSuchEntry, "ReasonNoSuchEntry", "the archive has no entry %1 (it has %2)"},
    {Id::SameEntry, "ReasonSameEntry", "%1 is for the same entry %2"},
    {Id::TableFileName, "ReasonTableFileName", "a table's file name must end in .csv or .json"},
    {Id::CsvMoreRecords, "ReasonCsvMoreRecords", "more than %1 records"},
    {Id::CsvMoreFields, "ReasonCsvMoreFields", "more than %1 fields"},
    {Id::CsvOverLimit, "ReasonCsvOverLimit", "more than the limit of records or fields"},
    {Id::PasteTooLong, "ReasonPasteTooLong",
     "the pasted text is longer than %1 bytes, more than a whole table"},
    {Id::PasteNothing, "ReasonPasteNothing", "there are no cells to paste"},
    {Id::PasteTooManyLines, "ReasonPasteTooManyLines",
     "the block has more lines than the %1 rows from the current one down"},
    {Id::CountCell, "ReasonCountCell", "%1 cell"},
    {Id::CountCells, "ReasonCountCells", "%1 cells"},
    {Id::PasteTooWideOne, "ReasonPasteTooWideOne", "%1 where 1 column follows the current one"},
    {Id::PasteTooWide, "ReasonPasteTooWide", "%1 where %2 columns follow the current one"},
    {Id::PasteBootMissing, "ReasonPasteBootMissing",
     "the table shows a boot the file does not hold"},
    {Id::PasteCellTooLong, "ReasonPasteCellTooLong", "%1 bytes is longer than any field keeps"},
    {Id::PasteNotOwnNumber, "ReasonPasteNotOwnNumber", "%1 is not the row's own number (%2)"},
    {Id::PasteNotManufacturer, "ReasonPasteNotManufacturer",
     "%1 is neither a manufacturer's name nor a code"},
    {Id::FolderExists, "ReasonFolderExists", "the folder exists already"},
    {Id::FolderNotMade, "ReasonFolderNotMade", "the folder cannot be made"},
    {Id::NotAFolder, "ReasonNotAFolder", "it is not a folder"},
    {Id::OtherUsersFolder, "ReasonOtherUsersFolder", "it belongs to another user"},
    {Id::OthersMayWrite, "ReasonOthersMayWrite", "others may write in it"},
    {Id::PictureFromOtherArchive, "ReasonPictureFromOtherArchive",
     "the picture was exported from %1, not from %2"},
    {Id::PictureFromOtherEntries, "ReasonPictureFromOtherEntries",
     "the picture was exported from another archive, %1, whose entries differ from those of %2"},
    {Id::PackTooManyFiles, "ReasonPackTooManyFiles", "it holds more than %1 files"},
    {Id::PackTableDamaged, "ReasonPackTableDamaged", "its table of files is damaged"},
    {Id::PackUnknownFile, "ReasonPackUnknownFile",
     "it holds a file the pack format does not know: %1"},
    {Id::PackFileTwice, "ReasonPackFileTwice", "it holds %1 twice"},
    {Id::PackFileEncrypted, "ReasonPackFileEncrypted", "%1 is encrypted"},
    {Id::PackFileNotDeflate, "ReasonPackFileNotDeflate",
     "%1 is packed by a method other than deflate"},
    {Id::PackFileTooLarge, "ReasonPackFileTooLarge", "%1 unpacks to more than %2 MiB"},
    {Id::PackFileRatio, "ReasonPackFileRatio",
     "%1 claims to unpack %2 times larger than it is packed, more than deflate can"},
    {Id::PackTotalTooLarge, "ReasonPackTotalTooLarge",
     "its files unpack to more than %1 MiB together"},
    {Id::PackFileMissing, "ReasonPackFileMissing", "%1 is missing"},
    {Id::PackFileNotUnpacked, "ReasonPackFileNotUnpacked", "%1 cannot be unpacked"},
    {Id::PackFileDamaged, "ReasonPackFileDamaged", "%1 is damaged"},
    {Id::PackFileOtherSize, "ReasonPackFileOtherSize",
     "%1 does not unpack to the size the zip gives"},
    {Id::PackNestedTooDeep, "ReasonPackNestedTooDeep", "it is nested more than %1 levels deep"},
    {Id::PackNotJson, "ReasonPackNotJson", "%1 is not valid JSON"},
    {Id::PackNoMember, "ReasonPackNoMember", "%1 has no %2 of the right kind"},
    {Id::PackOutsideRange, "ReasonPackOutsideRange", "%1: %2 lies outside 0..%3"},
    {Id::PackNotFingerprint, "ReasonPackNotFingerprint", "%1: %2 is not a fingerprint"},
    {Id::PackNewerFormat, "ReasonPackNewerFormat", "it is of format %1, made by a newer program"},
    {Id::PackNotFieldValue, "ReasonPackNotFieldValue", "%1: %2 is not a value the field can hold"},
    {Id::PackABoot, "ReasonPackABoot", "a boot"},
    {Id::PackBoot, "ReasonPackBoot", "boot %1"},
    {Id::PackChangedTwice, "ReasonPackChangedTwice", "%1 is changed twice"},
    {Id::PackNotAField, "ReasonPackNotAField", "%1 is no field of a boot"},
    {Id::PackFieldOf, "ReasonPackFieldOf", "%1, %2"},
    {Id::PackTooManyTextures, "ReasonPackTooManyTextures", "it changes more than %1 textures"},
    {Id::PackATexture, "ReasonPackATexture", "a texture"},
    {Id::PackEntryOf, "ReasonPackEntryOf", "%1 entry %2"},
    {Id::PackNoSuchArchive, "ReasonPackNoSuchArchive", "the manifest names no such archive"},
    {Id::PackNotItsFingerprint, "ReasonPackNotItsFingerprint",
     "the texture does not match its fingerprint"},
    {Id::PackUnnamedTextures, "ReasonPackUnnamedTextures",
     "it holds textures that no change names"},
    {Id::PackNoMemoryToMake, "ReasonPackNoMemoryToMake",
     "there is not enough memory to make a zip"},
    {Id::PackZipNotMade, "ReasonPackZipNotMade", "the zip cannot be made: %1"},
    {Id::PackZipNotReadBack, "ReasonPackZipNotReadBack", "the zip cannot be read back"},
    {Id::PackNoMemoryToRead, "ReasonPackNoMemoryToRead", "there is not enough memory to read it"},
    {Id::PackNotZip, "ReasonPackNotZip", "it is not a zip file"},
    {Id::PackArchiveNotGiven, "ReasonPackArchiveNotGiven", "the archive %1 was not given"},
    {Id::PackNoEntry, "ReasonPackNoEntry", "the archive has no entry %1"},
    {Id::PackEntryLength, "ReasonPackEntryLength",
     "the entry holds %1 bytes of texture, the pack's %2"},
    {Id::PackTexturesUnchecked, "ReasonPackTexturesUnchecked", "textures cannot be checked here"},
    {Id::PackNoBoot, "ReasonPackNoBoot", "the file has no boot %1"},
    {Id::PackBaseBoots, "ReasonPackBaseBoots", "the base holds %1 boots and the changed file %2"},
    {Id::PackBaseEntries, "ReasonPackBaseEntries",
     "the base holds %1 entries and the changed archive %2"},
    {Id::PackEntryOutside, "ReasonPackEntryOutside", "entry %1 lies outside the archive"},
    {Id::EntryNoName, "ReasonEntryNoName", "the entry has no name"},
    {Id::EntryNameNotFileName, "ReasonEntryNameNotFileName",
     "the entry name %1 is not a file name"},
    {Id::EntryNameControlCharacters, "ReasonEntryNameControlCharacters",
     "the entry name holds control characters"},
    {Id::EntryNameForbiddenCharacters, "ReasonEntryNameForbiddenCharacters",
     "the entry name holds characters a file name cannot hold"},
    {Id::EntryNameEndsInSpaceOrDot, "ReasonEntryNameEndsInSpaceOrDot",
     "the entry name ends in a space or a dot"},
    {Id::ValueOutsideByte, "ReasonValueOutsideByte", "the value must lie between 0 and 255"},
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

} // namespace Reasons
