#pragma once
// The texts a language file carries beyond the captions of the main window: menu items, undo
// steps and messages. Unlike a caption, a text that a language lacks (or leaves empty) is
// English, so languages made before a text existed keep working.
#include "common/Reasons.h"

#include <string>
#include <vector>

namespace LanguageKeys {

enum class Key {
    // [Menu]
    Quit,
    Edit,
    Undo,
    Redo,
    UndoStep,
    RedoStep,
    ChangeBootsName,
    ChangeMaterialName,
    ChangeColorName,
    ChangeStatistics,
    ChangeAllStatistics,
    ChangeManufacturer,
    // [Messages]
    UnsavedChanges,
    SaveQuestion,
    CannotOpen,
    ProgramFolderNotWritable,
    RecordLimit,
    RecordLimitDetails,
    CannotSave,
    ReadOnly,
    CannotChangeStatistics,
    CannotLoadArchive,
    CharactersReplaced,
    NameEmpty,
    NameReserved,
    NameSeparator,
    NameControl,
    NameOuterSpaces,
    NameQuoted,
    NameNotStorable,
    LanguageNotWritten,
    // [Menu]: the steps of single statistics; [Messages]: the reasons the window gives
    ChangeShotPower,
    ChangeShotAccuracy,
    ChangeAcceleration,
    ChangeTopSpeed,
    ChangeSwerve,
    ChangeManufacturerCode,
    FolderReadOnly,
    // The boots table's export and import: [Menu]
    ExportTable,
    ImportTable,
    ImportTableStep,
    CsvTable,
    JsonTable,
    // [Messages]
    CannotExportTable,
    TableNotImported,
    TableUnchanged,
    TableImported,
    NotWrittenUntilSave,
    // [Menu] and [Messages]: the texture buttons under the preview
    ExportTexture,
    ReplaceTexture,
    ShowAlpha,
    PngImage,
    TextureImages,
    AllFiles,
    CannotExportTexture,
    CannotReplaceTexture,
    CannotChangeTexture,
    TexturesReplaced,
    // Recent files, remembered archives and finding a boot ([Menu], then [Messages])
    OpenRecent,
    ClearRecent,
    LoadLastArchives,
    FindBoot,
    RecentFileMissing,
    // The texture viewer ([Menu], then [Messages])
    ViewTexture,
    TextureViewer,
    Zoom,
    ZoomFit,
    MipmapLevel,
    MipmapLevelItem,
    Channels,
    ColorAndAlpha,
    ColorOnly,
    AlphaOnly,
    TextureInfo,
    TextureInfoOneLevel,
    TextureSource,
    UncompressedFormat,
    CannotShowTexture,
    // The boots table: [Menu], then [Messages]
    View,
    BootsTable,
    Copy,
    Paste,
    TableFilter,
    SelectedRows,
    PasteRefused,
    ValuesAdjusted,
    // The manual and the empty list's hint ([Menu], then [Messages])
    Help,
    Manual,
    EmptyListHint,
    // Texture sets: whole archives to and from a folder ([Menu], then [Messages])
    ExportTextures,
    ImportTextures,
    ImportTexturesStep,
    TexturesExported,
    EntriesSkipped,
    CannotExportTextures,
    TexturesImported,
    TexturesNotImported,
    ReadingPictures,
    UnsavedTextures,
    UnsavedBootsAndTextures,
    // Boot packs and originals ([Menu], then [Messages])
    ExportPack,
    ApplyPack,
    RevertPack,
    RevertToOriginal,
    ApplyPackStep,
    RevertPackStep,
    BootPacks,
    KeepAll,
    TakeAll,
    SaveReport,
    PackNotRead,
    PackAlreadyThere,
    PackConflict,
    PackChangesNothing,
    PackWritten,
    CannotWritePack,
    OriginalNotKept,
    AppliedPacks,
    RevertApplied,
    PackColumnBoot,
    PackColumnField,
    PackColumnYours,
    PackColumnPack,
    PackColumnResult,
    PackColumnTake,
    PackColumnTitle,
    PackColumnAuthor,
    PackColumnApplied,
    PackColumnChanges,
    PackTitleLabel,
    PackAuthorLabel,
    PackDescriptionLabel,
    PackWillChange,
    PackWillRevert,
    PackKeepYours,
    PackTakeTheirs,
    PackCannotApply,
    PackLeftOut,
    PackTicksBlocked,
    PackCannotApplyWhole,
    PackDone,
    PackCountApplied,
    PackCountReverted,
    PackCountAlready,
    PackCountKept,
    PackCountTaken,
    PackCountLeft,
    PackCountFields,
    PackCountTextures,
    PackTexture,
    SetByPack,
    ComparingWith,
    ReceiptsNotKept,
    NoPackApplied,
    // Textures from the user's image editor, and pictures of another size ([Menu], [Messages])
    EditTexture,
    EditTextureStep,
    CannotEditTexture,
    TextureEditTaken,
    TextureEditRefused,
    ResizePicture,
    ResizePictures,
    // The record editor's index, the import folder's title ([Menu]), the missing languages
    // ([Messages])
    IndexLabel,
    // What a screen reader calls the manufacturer's code, and the word a "\" between two
    // words of a caption is read as ([Menu])
    ManufacturerCode,
    WordOr,
    ImportTexturesInto,
    LanguageFilesMissing,
    // The line under the preview ([Messages])
    PreviewTexture,
    PreviewCannotShow,
    PreviewLoadArchive,
    PreviewNoTexture,
    // Changes since the original, or from another file ([Menu], then [Messages])
    Changes,
    CompareWith,
    ChangedOnly,
    ChangesOriginal,
    ChangesCompared,
    CannotCompare,
    // The base of an exported pack ([Menu], then [Messages])
    BaseFile,
    ChangesSince,
    TheOriginal,
    // File ▸ Save As… ([Menu], then [Messages])
    SaveAs,
    ReplaceFiles,
    // The buttons of the unsaved-changes question, each with its Alt letter ([Messages])
    SaveButton,
    DiscardButton,
    CancelButton,
    // Export Texture's confirmation ([Messages])
    TextureWritten,
    // [Language]
    Locale,
};

struct Entry
{
    Key key;
    const char *section;
    const char *name;
    const char *english; ///< "%1", "%2" stand for the arguments
};

/// Every key, in the order of `Key`, which is also the order the language editor writes them;
/// the reasons of the core follow, one [Messages] key each (see reasonKey).
const std::vector<Entry> &entries();
const Entry &entry(Key key);

/// The key of a core reason: "[Messages] Reason..." with the reason's English text.
Key reasonKey(Reasons::Id id);

/// The texts of a language file, indexed by `Key`, decoded to UTF-8; a key that is missing
/// or empty gives its English text.
std::vector<std::string> read(const std::string &languageFile);

/// `text` with "%1" ... "%9" replaced by `arguments` (the core's counterpart of QString::arg).
std::string format(const std::string &text, const std::vector<std::string> &arguments);

} // namespace LanguageKeys
