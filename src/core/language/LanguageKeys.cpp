#include "LanguageKeys.h"

#include "Ini.h"
#include "common/FileIo.h"

#include <array>

namespace LanguageKeys {

namespace {

constexpr std::size_t kCount = static_cast<std::size_t>(Key::Locale) + 1;

constexpr std::array<Entry, kCount> kTable = {{
    {Key::Quit, "Menu", "Quit", "Quit"},
    {Key::Edit, "Menu", "Edit", "Edit"},
    {Key::Undo, "Menu", "Undo", "Undo"},
    {Key::Redo, "Menu", "Redo", "Redo"},
    {Key::UndoStep, "Menu", "UndoStep", "Undo %1"},
    {Key::RedoStep, "Menu", "RedoStep", "Redo %1"},
    {Key::ChangeBootsName, "Menu", "ChangeBootsName", "Change Boots Name"},
    {Key::ChangeMaterialName, "Menu", "ChangeMaterialName", "Change Material Name"},
    {Key::ChangeColorName, "Menu", "ChangeColorName", "Change Color Name"},
    {Key::ChangeStatistics, "Menu", "ChangeStatistics", "Change Statistics"},
    {Key::ChangeAllStatistics, "Menu", "ChangeAllStatistics", "Change Statistics of All Boots"},
    {Key::ChangeManufacturer, "Menu", "ChangeManufacturer", "Change Manufacturer"},
    {Key::UnsavedChanges, "Messages", "UnsavedChanges", "The boots of %1 have been changed."},
    {Key::SaveQuestion, "Messages", "SaveQuestion", "Do you want to save your changes?"},
    {Key::CannotOpen, "Messages", "CannotOpen", "Cannot open %1."},
    {Key::ProgramFolderNotWritable, "Messages", "ProgramFolderNotWritable",
     "The program folder %1 is not writable; the editor keeps its working files there."},
    {Key::RecordLimit, "Messages", "RecordLimit",
     "This file holds %1 boots; the list shows the first %2."},
    {Key::RecordLimitDetails, "Messages", "RecordLimitDetails",
     "The remaining boots are kept unchanged and saved with the file."},
    {Key::CannotSave, "Messages", "CannotSave", "Cannot save %1."},
    {Key::ReadOnly, "Messages", "ReadOnly", "The file is read-only."},
    {Key::CannotChangeStatistics, "Messages", "CannotChangeStatistics",
     "Cannot change the statistics."},
    {Key::CannotLoadArchive, "Messages", "CannotLoadArchive",
     "Cannot load the texture archive %1."},
    {Key::CharactersReplaced, "Messages", "CharactersReplaced",
     "Not in Windows-1252, stored as the closest letter or \"?\": %1"},
    {Key::NameEmpty, "Messages", "NameEmpty", "The language needs a name."},
    {Key::NameReserved, "Messages", "NameReserved", "\"%1\" cannot be the name of a language."},
    {Key::NameSeparator, "Messages", "NameSeparator",
     "A language name cannot contain \"/\" or \"\\\"."},
    {Key::NameControl, "Messages", "NameControl",
     "A language name cannot contain control characters."},
    {Key::NameOuterSpaces, "Messages", "NameOuterSpaces",
     "A language name cannot begin or end with a space."},
    {Key::NameQuoted, "Messages", "NameQuoted",
     "A language name cannot be enclosed in quotation marks."},
    {Key::NameNotStorable, "Messages", "NameNotStorable",
     "The configuration file cannot store the name \"%1\"; it would read back as \"%2\"."},
    {Key::LanguageNotWritten, "Messages", "LanguageNotWritten",
     "The language \"%1\" could not be written."},
    {Key::ChangeShotPower, "Menu", "ChangeShotPower", "Change Shot Power"},
    {Key::ChangeShotAccuracy, "Menu", "ChangeShotAccuracy", "Change Shot Accuracy"},
    {Key::ChangeAcceleration, "Menu", "ChangeAcceleration", "Change Acceleration"},
    {Key::ChangeTopSpeed, "Menu", "ChangeTopSpeed", "Change Top Speed"},
    {Key::ChangeSwerve, "Menu", "ChangeSwerve", "Change Swerve"},
    {Key::ChangeManufacturerCode, "Menu", "ChangeManufacturerCode", "Change Manufacturer Code"},
    {Key::FolderReadOnly, "Messages", "FolderReadOnly", "The folder %1 is read-only: %2"},
    {Key::ExportTable, "Menu", "ExportTable", "Export…"},
    {Key::ImportTable, "Menu", "ImportTable", "Import…"},
    {Key::ImportTableStep, "Menu", "ImportTableStep", "Import Table"},
    {Key::CsvTable, "Menu", "CsvTable", "CSV table"},
    {Key::JsonTable, "Menu", "JsonTable", "JSON table"},
    {Key::CannotExportTable, "Messages", "CannotExportTable", "Cannot export the table to %1."},
    {Key::TableNotImported, "Messages", "TableNotImported",
     "The table %1 was not imported; nothing has changed."},
    {Key::TableUnchanged, "Messages", "TableUnchanged", "The table %1 changes nothing."},
    {Key::TableImported, "Messages", "TableImported", "Boots changed: %1, fields changed: %2."},
    {Key::NotWrittenUntilSave, "Messages", "NotWrittenUntilSave",
     "Nothing is written to %1 until you save."},
    {Key::ExportTexture, "Menu", "ExportTexture", "Export Texture"},
    {Key::ReplaceTexture, "Menu", "ReplaceTexture", "Replace Texture"},
    {Key::ShowAlpha, "Menu", "ShowAlpha", "Alpha"},
    {Key::PngImage, "Menu", "PngImage", "PNG Image"},
    {Key::TextureImages, "Menu", "TextureImages", "Images"},
    {Key::AllFiles, "Menu", "AllFiles", "All Files"},
    {Key::CannotExportTexture, "Messages", "CannotExportTexture",
     "Cannot export the texture to %1."},
    {Key::CannotReplaceTexture, "Messages", "CannotReplaceTexture",
     "Cannot replace the texture with %1."},
    {Key::CannotChangeTexture, "Messages", "CannotChangeTexture",
     "Cannot change the texture in the working copy of %1."},
    {Key::TexturesReplaced, "Messages", "TexturesReplaced",
     "Textures of %1 have been replaced and not saved."},
    {Key::OpenRecent, "Menu", "OpenRecent", "Open Recent"},
    {Key::ClearRecent, "Menu", "ClearRecent", "Clear"},
    {Key::LoadLastArchives, "Menu", "LoadLastArchives", "Load last archives"},
    {Key::FindBoot, "Menu", "FindBoot", "Find a boot"},
    {Key::RecentFileMissing, "Messages", "RecentFileMissing",
     "%1 no longer exists. It has been removed from the recent files."},
    {Key::ViewTexture, "Menu", "ViewTexture", "View…"},
    {Key::TextureViewer, "Menu", "TextureViewer", "Texture Viewer"},
    {Key::Zoom, "Menu", "Zoom", "Zoom"},
    {Key::ZoomFit, "Menu", "ZoomFit", "Fit"},
    {Key::MipmapLevel, "Menu", "MipmapLevel", "Mipmap level"},
    {Key::MipmapLevelItem, "Menu", "MipmapLevelItem", "Level %1: %2 × %3"},
    {Key::Channels, "Menu", "Channels", "Show"},
    {Key::ColorAndAlpha, "Menu", "ColorAndAlpha", "Color and alpha"},
    {Key::ColorOnly, "Menu", "ColorOnly", "Color only"},
    {Key::AlphaOnly, "Menu", "AlphaOnly", "Alpha only"},
    {Key::TextureInfo, "Menu", "TextureInfo", "%1, %2 × %3, %4 mipmap levels"},
    {Key::TextureInfoOneLevel, "Menu", "TextureInfoOneLevel", "%1, %2 × %3, 1 mipmap level"},
    {Key::TextureSource, "Menu", "TextureSource", "%1, entry %2 (%3)"},
    {Key::UncompressedFormat, "Menu", "UncompressedFormat", "%1-bit uncompressed"},
    {Key::CannotShowTexture, "Messages", "CannotShowTexture", "The texture cannot be shown: %1"},
    {Key::View, "Menu", "View", "View"},
    {Key::BootsTable, "Menu", "BootsTable", "Boots Table"},
    {Key::Copy, "Menu", "Copy", "Copy"},
    {Key::Paste, "Menu", "Paste", "Paste"},
    {Key::TableFilter, "Menu", "TableFilter", "Filter by name, material, colour or manufacturer"},
    {Key::SelectedRows, "Menu", "SelectedRows", "Selected rows"},
    {Key::PasteRefused, "Messages", "PasteRefused",
     "The cells were not pasted; nothing has changed."},
    {Key::ValuesAdjusted, "Messages", "ValuesAdjusted", "Adjusted to the fields' limits: %1"},
    {Key::Help, "Menu", "Help", "Help"},
    {Key::Manual, "Menu", "Manual", "Manual"},
    {Key::EmptyListHint, "Messages", "EmptyListHint", "Open a boots file with %1, or drop it here"},
    {Key::ExportTextures, "Menu", "ExportTextures", "Export All…"},
    {Key::ImportTextures, "Menu", "ImportTextures", "Import Folder…"},
    {Key::ImportTexturesStep, "Menu", "ImportTexturesStep", "Import Textures"},
    {Key::TexturesExported, "Messages", "TexturesExported", "%1 textures were written to %2."},
    {Key::EntriesSkipped, "Messages", "EntriesSkipped",
     "%1 entries are not valid textures and were skipped:"},
    {Key::CannotExportTextures, "Messages", "CannotExportTextures",
     "Cannot export the textures to %1."},
    {Key::TexturesImported, "Messages", "TexturesImported",
     "%1 textures replaced, %2 unchanged, %3 files skipped."},
    {Key::TexturesNotImported, "Messages", "TexturesNotImported",
     "The folder %1 was not imported; nothing has changed."},
    {Key::ReadingPictures, "Messages", "ReadingPictures", "Reading the pictures…"},
    {Key::UnsavedTextures, "Messages", "UnsavedTextures", "The textures of %1 have been changed."},
    {Key::UnsavedBootsAndTextures, "Messages", "UnsavedBootsAndTextures",
     "The boots of %1 and the textures of %2 have been changed."},
    {Key::ExportPack, "Menu", "ExportPack", "Export Pack…"},
    {Key::ApplyPack, "Menu", "ApplyPack", "Apply Pack…"},
    {Key::RevertPack, "Menu", "RevertPack", "Revert Pack…"},
    {Key::RevertToOriginal, "Menu", "RevertToOriginal", "Revert to Original"},
    {Key::ApplyPackStep, "Menu", "ApplyPackStep", "Apply Pack %1"},
    {Key::RevertPackStep, "Menu", "RevertPackStep", "Revert Pack %1"},
    {Key::BootPacks, "Menu", "BootPacks", "Boot packs"},
    {Key::KeepAll, "Menu", "KeepAll", "Keep All"},
    {Key::TakeAll, "Menu", "TakeAll", "Take All"},
    {Key::SaveReport, "Menu", "SaveReport", "Save Report…"},
    {Key::PackNotRead, "Messages", "PackNotRead", "The pack %1 cannot be used: %2"},
    {Key::PackAlreadyThere, "Messages", "PackAlreadyThere", "already there"},
    {Key::PackConflict, "Messages", "PackConflict", "conflict"},
    {Key::PackChangesNothing, "Messages", "PackChangesNothing",
     "The pack %1 changes nothing here."},
    {Key::PackWritten, "Messages", "PackWritten", "The pack %1 holds %2 boots and %3 textures."},
    {Key::CannotWritePack, "Messages", "CannotWritePack", "Cannot write the pack %1: %2"},
    {Key::OriginalNotKept, "Messages", "OriginalNotKept",
     "The original of %1 could not be kept: %2"},
    {Key::AppliedPacks, "Menu", "AppliedPacks", "Applied Packs…"},
    {Key::RevertApplied, "Menu", "RevertApplied", "Revert Pack"},
    {Key::PackColumnBoot, "Menu", "PackColumnBoot", "Boot"},
    {Key::PackColumnField, "Menu", "PackColumnField", "Field"},
    {Key::PackColumnYours, "Menu", "PackColumnYours", "Yours"},
    {Key::PackColumnPack, "Menu", "PackColumnPack", "Pack"},
    {Key::PackColumnResult, "Menu", "PackColumnResult", "Result"},
    {Key::PackColumnTake, "Menu", "PackColumnTake", "Take the pack's"},
    {Key::PackColumnTitle, "Menu", "PackColumnTitle", "Title"},
    {Key::PackColumnAuthor, "Menu", "PackColumnAuthor", "Author"},
    {Key::PackColumnApplied, "Menu", "PackColumnApplied", "Applied"},
    {Key::PackColumnChanges, "Menu", "PackColumnChanges", "Changes"},
    {Key::PackTitleLabel, "Menu", "PackTitleLabel", "Title:"},
    {Key::PackAuthorLabel, "Menu", "PackAuthorLabel", "Author:"},
    {Key::PackDescriptionLabel, "Menu", "PackDescriptionLabel", "Description:"},
    {Key::PackWillChange, "Messages", "PackWillChange", "will change"},
    {Key::PackWillRevert, "Messages", "PackWillRevert", "will go back"},
    {Key::PackKeepYours, "Messages", "PackKeepYours", "conflict: keep yours"},
    {Key::PackTakeTheirs, "Messages", "PackTakeTheirs", "conflict: take the pack's"},
    {Key::PackCannotApply, "Messages", "PackCannotApply", "cannot apply: %1"},
    {Key::PackLeftOut, "Messages", "PackLeftOut", "left out"},
    {Key::PackTicksBlocked, "Messages", "PackTicksBlocked",
     "A ticked change cannot be made: untick it to apply the rest."},
    {Key::PackCannotApplyWhole, "Messages", "PackCannotApplyWhole",
     "This pack cannot be applied: %1"},
    {Key::PackDone, "Messages", "PackDone", "Pack “%1”: %2"},
    {Key::PackCountApplied, "Messages", "PackCountApplied", "%1 change applied|%1 changes applied"},
    {Key::PackCountReverted, "Messages", "PackCountReverted",
     "%1 change reverted|%1 changes reverted"},
    {Key::PackCountAlready, "Messages", "PackCountAlready", "%1 already there|%1 already there"},
    {Key::PackCountKept, "Messages", "PackCountKept", "%1 conflict kept|%1 conflicts kept"},
    {Key::PackCountTaken, "Messages", "PackCountTaken", "%1 conflict taken|%1 conflicts taken"},
    {Key::PackCountLeft, "Messages", "PackCountLeft", "%1 left out|%1 left out"},
    {Key::PackCountFields, "Messages", "PackCountFields", "%1 field|%1 fields"},
    {Key::PackCountTextures, "Messages", "PackCountTextures", "%1 texture|%1 textures"},
    {Key::PackTexture, "Messages", "PackTexture", "texture %1 “%2”"},
    {Key::SetByPack, "Messages", "SetByPack", "Set by pack “%1” on %2"},
    {Key::ComparingWith, "Messages", "ComparingWith", "Compared with %1 in %2"},
    {Key::ReceiptsNotKept, "Messages", "ReceiptsNotKept",
     "The receipt of a pack applied to the saved file could not be kept: %1"},
    {Key::NoPackApplied, "Messages", "NoPackApplied", "No pack has been applied to this file."},
    {Key::EditTexture, "Menu", "EditTexture", "Edit in Image Editor"},
    {Key::EditTextureStep, "Menu", "EditTextureStep", "Edit Texture %1"},
    {Key::CannotEditTexture, "Messages", "CannotEditTexture",
     "Cannot open the texture in the image editor: %1"},
    {Key::TextureEditTaken, "Messages", "TextureEditTaken",
     "Texture %1 was taken from the image editor."},
    {Key::TextureEditRefused, "Messages", "TextureEditRefused", "The picture %1 was not taken: %2"},
    {Key::ResizePicture, "Messages", "ResizePicture", "%1: %2. Resize it to the texture's size?"},
    {Key::ResizePictures, "Messages", "ResizePictures",
     "%1 pictures are not the size of their textures. Resize them to their textures' sizes?"},
    {Key::IndexLabel, "Menu", "IndexLabel", "# Index:"},
    {Key::ManufacturerCode, "Menu", "ManufacturerCode", "Manufacturer code"},
    {Key::WordOr, "Menu", "WordOr", "or"},
    {Key::ImportTexturesInto, "Menu", "ImportTexturesInto", "Import Textures into %1"},
    {Key::LanguageFilesMissing, "Messages", "LanguageFilesMissing",
     "No language files were found in %1; the texts are the program's own English."},
    {Key::PreviewTexture, "Messages", "PreviewTexture", "%1, entry %2 (%3): %4, %5 × %6"},
    {Key::PreviewCannotShow, "Messages", "PreviewCannotShow",
     "%1, entry %2 (%3) cannot be shown: %4"},
    {Key::PreviewLoadArchive, "Messages", "PreviewLoadArchive",
     "Load %1 to see this boot's texture."},
    {Key::PreviewNoTexture, "Messages", "PreviewNoTexture",
     "The loaded archives hold no texture for this boot."},
    {Key::Changes, "Menu", "Changes", "Changes"},
    {Key::CompareWith, "Menu", "CompareWith", "Compare With…"},
    {Key::ChangedOnly, "Menu", "ChangedOnly", "Changed only"},
    {Key::ChangesOriginal, "Messages", "ChangesOriginal", "Original: %1"},
    {Key::ChangesCompared, "Messages", "ChangesCompared", "In %1: %2"},
    {Key::CannotCompare, "Messages", "CannotCompare", "Cannot compare with %1: %2"},
    {Key::BaseFile, "Menu", "BaseFile", "Base File…"},
    {Key::ChangesSince, "Messages", "ChangesSince", "Changes since %1"},
    {Key::TheOriginal, "Messages", "TheOriginal", "the original"},
    {Key::SaveAs, "Menu", "SaveAs", "Save As…"},
    {Key::ReplaceFiles, "Messages", "ReplaceFiles",
     "The folder %1 already holds %2. Replace them?"},
    {Key::SaveButton, "Messages", "SaveButton", "&Save"},
    {Key::DiscardButton, "Messages", "DiscardButton", "&Discard"},
    {Key::CancelButton, "Messages", "CancelButton", "&Cancel"},
    {Key::TextureWritten, "Messages", "TextureWritten", "The texture was written to %1."},
    {Key::Locale, "Language", "Locale", "en"},
}};

// A text is found by its key's value, so the table follows the order of `Key`.
constexpr bool inKeyOrder()
{
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (static_cast<std::size_t>(kTable[i].key) != i)
            return false;
    }
    return true;
}
static_assert(inKeyOrder());

} // namespace

const std::vector<Entry> &entries()
{
    static const std::vector<Entry> table = [] {
        std::vector<Entry> all(kTable.begin(), kTable.end());
        for (const Reasons::Entry &r : Reasons::entries())
            all.push_back({reasonKey(r.id), "Messages", r.name, r.english});
        return all;
    }();
    return table;
}

Key reasonKey(Reasons::Id id)
{
    return static_cast<Key>(kCount + static_cast<std::size_t>(id));
}

const Entry &entry(Key key)
{
    return entries()[static_cast<std::size_t>(key)];
}

std::vector<std::string> read(const std::string &languageFile)
{
    FileIo::Bytes data;
    std::string contents;
    if (FileIo::readFile(languageFile, data))
        contents.assign(data.begin(), data.end());
    std::vector<std::string> texts;
    texts.reserve(entries().size());
    for (const Entry &e : entries()) {
        std::string text = IniText::decode(contents, IniText::read(contents, e.section, e.name));
        texts.push_back(text.empty() ? e.english : std::move(text));
    }
    return texts;
}

std::string format(const std::string &text, const std::vector<std::string> &arguments)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto n = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && n < arguments.size()) {
            out += arguments[n];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace LanguageKeys
