#include "BootsDocument.h"

#include "ChangeRecordCommand.h"
#include "GuiText.h"
#include "ReplaceRecordsCommand.h"
#include "TextureArchives.h"

#include "UiText.h"
#include "common/FileIo.h"
#include "common/VbNumber.h"
#include "exchange/TablePaste.h"
#include "pack/Originals.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <string>

using GuiText::toAnsi;
using GuiText::toNative;
using UiText::Key;

BootsDocument::BootsDocument(const QString &workingFolder, QObject *parent)
    : QObject(parent), mWorkingFolder(workingFolder), mZlib(toNative(workingFolder)),
      mTextures(new TextureArchives(workingFolder, &mUndoStack, this))
{
    // Every change of the records or textures ends in a step's push, undo or redo.
    connect(&mUndoStack, &QUndoStack::indexChanged, this, [this] {
        mCleanIndex = mUndoStack.cleanIndex();
        updateModified();
    });
    connect(&mUndoStack, &QUndoStack::cleanChanged, this, &BootsDocument::stackCleanChanged);
    connect(mTextures, &TextureArchives::modifiedChanged, this, &BootsDocument::updateModified);
}

BootsDocument::~BootsDocument()
{
    // The stack clears itself as it goes, after the members its signals would read.
    disconnect(&mUndoStack, nullptr, this, nullptr);
}

bool BootsDocument::isModified() const
{
    return bootsModified() || mTextures->isModified();
}

void BootsDocument::updateModified()
{
    if (isModified() == mModified)
        return;
    mModified = !mModified;
    emit modifiedChanged(mModified);
}

void BootsDocument::stackCleanChanged(bool clean)
{
    // An undo or redo that reaches the clean step keeps the stack's clean index; only setClean()
    // moves it, and only a save calls that.
    const bool marked = clean && mUndoStack.cleanIndex() != mCleanIndex;
    mCleanIndex = mUndoStack.cleanIndex();
    if (marked) {
        mSavedRecords = mDb.records();
        mTextures->markSaved();
    }
    updateModified();
}

QString BootsDocument::pathIn(const QString &name) const
{
    return QDir(mWorkingFolder).filePath(name);
}

QString BootsDocument::workingFile() const
{
    return pathIn(QStringLiteral("temp.bin"));
}

QString BootsDocument::wrappedWorkingFile() const
{
    return pathIn(QStringLiteral("temp.bin.zlib"));
}

bool BootsDocument::open(const QString &path, QString *error)
{
    const QFileInfo folder(mWorkingFolder);
    if (!folder.isDir() || !folder.isWritable()) {
        *error =
            UiText::text(Key::WorkingFolderNotWritable, {QDir::toNativeSeparators(mWorkingFolder)});
        return false;
    }
    QString reason;
    // The game file is unwrapped straight into the working file: nothing is written beside it.
    if (!mZlib.unwrapFileTo(toNative(path), toNative(workingFile())))
        reason = UiText::reason(mZlib.errorReason());
    else if (!mDb.Wczytaj(toNative(workingFile())))
        reason = UiText::reason(mDb.errorReason());
    if (!reason.isEmpty()) {
        close();
        *error = reason;
        return false;
    }
    mGamePath = QFileInfo(path).absoluteFilePath();
    Reason notKept;
    if (!mOriginalsFolder.isEmpty() &&
        !Originals::keep(toNative(mOriginalsFolder), toNative(mGamePath), &notKept))
        emit originalNotKept(mGamePath, UiText::reason(notKept));
    mSavedRecords = mDb.records();
    mTextures->discard();
    mUndoStack.clear();
    startNewStep();
    updateModified();
    emit reset();
    return true;
}

void BootsDocument::setOriginalsFolder(const QString &folder)
{
    mOriginalsFolder = folder;
    mTextures->setOriginalsFolder(folder);
}

bool BootsDocument::originalRecords(std::vector<BootRecord> &records, QString *error) const
{
    const std::string original =
        mOriginalsFolder.isEmpty() ? std::string()
                                   : Originals::find(toNative(mOriginalsFolder), toNative(mGamePath));
    if (original.empty()) {
        *error = UiText::text(Key::NoOriginal, {QDir::toNativeSeparators(mGamePath)});
        return false;
    }
    PesZlib zlib(std::string{});
    FileIo::Bytes plain;
    Baza db;
    if (!zlib.unwrapFile(original, plain)) {
        *error = UiText::reason(zlib.errorReason());
        return false;
    }
    if (!db.load(plain)) {
        *error = UiText::reason(db.errorReason());
        return false;
    }
    records = db.records();
    return true;
}

void BootsDocument::close()
{
    mGamePath.clear();
    mDb.clear();
    mSavedRecords.clear();
    mTextures->discard();
    mUndoStack.clear();
    startNewStep();
    updateModified();
    emit reset();
}

bool BootsDocument::save(QString *error, QString *failedFile)
{
    if (!isOpen()) {
        *error = UiText::text(Key::NoFileOpen);
        return false;
    }
    // Each archive is saved on its own; one that fails keeps only itself modified.
    QString archiveFile;
    QString archiveError;
    const bool archivesSaved = mTextures->save(&archiveFile, &archiveError);
    if (failedFile)
        *failedFile = mGamePath;
    if (!mDb.Zapisz("")) {
        *error = UiText::text(Key::WorkingFileNotWritten, {UiText::reason(mDb.errorReason())});
        return false;
    }
    const std::string working = mDb.Path();
    if (!mZlib.PackWesys(working)) {
        *error = UiText::text(Key::NotCompressed, {UiText::reason(mZlib.errorReason())});
        return false;
    }
    const std::string target = toNative(mGamePath);
    if (FileIo::exists(target) && !FileIo::isWritableFile(target)) {
        *error = UiText::text(Key::ReadOnly);
        return false;
    }
    Reason copyError;
    FileIo::removeLeftoverTemporaries(target); // of a save that was killed
    if (!FileIo::copyFileAtomic(working + ".zlib", target, &copyError)) {
        // The new file is made beside the old one, so the folder must take new files.
        const QString folder = QFileInfo(mGamePath).absolutePath();
        if (!QFileInfo(folder).isWritable())
            *error = UiText::text(Key::FolderReadOnly,
                                  {QDir::toNativeSeparators(folder), UiText::reason(copyError)});
        else
            *error = UiText::reason(copyError);
        return false;
    }
    if (!archivesSaved) {
        mSavedRecords = mDb.records();
        updateModified();
        *error = archiveError;
        if (failedFile)
            *failedFile = archiveFile;
        return false;
    }
    mUndoStack.setClean();
    mSavedRecords = mDb.records();
    updateModified();
    return true;
}

void BootsDocument::removeWorkingFiles()
{
    FileIo::removeFile(toNative(workingFile()));
    FileIo::removeFile(toNative(wrappedWorkingFile()));
}

std::uint8_t BootsDocument::statisticFrom(const QString &text)
{
    const auto value = VbNumber::parse(text.toStdString());
    if (!value)
        return 1;
    const double rounded = VbNumber::roundHalfEven(*value);
    if (rounded > 5)
        return 5;
    if (rounded < 0)
        return 1;
    return static_cast<std::uint8_t>(rounded);
}

std::optional<std::uint8_t> BootsDocument::valueForAll(const QString &text)
{
    const auto value = VbNumber::parse(text.toStdString());
    if (!value)
        return std::nullopt;
    const double rounded = VbNumber::roundHalfEven(*value);
    if (!(rounded >= 0 && rounded <= 5))
        return std::nullopt;
    return static_cast<std::uint8_t>(rounded);
}

std::optional<BootRecord> BootsDocument::storeFields(int index, const RecordTexts &texts)
{
    const auto i = static_cast<std::uint8_t>(index);
    std::array<std::uint8_t, 5> stats{};
    for (std::size_t s = 0; s < stats.size(); ++s)
        stats[s] = statisticFrom(texts.statistics[s]);
    // A code that is no whole number within 16 bits keeps the record's code.
    auto code = static_cast<std::int16_t>(mDb.Get_nowe(i));
    if (const auto typed = VbNumber::parse(texts.code.toStdString())) {
        const double rounded = VbNumber::roundHalfEven(*typed);
        if (rounded >= -32768 && rounded <= 32767)
            code = static_cast<std::int16_t>(rounded);
    }
    if (!mDb.Zmien_Dane(i, toAnsi(texts.name), code, mDb.Get_Pole5(i), stats[0], stats[1], stats[2],
                        stats[3], stats[4], toAnsi(texts.material), toAnsi(texts.colour)))
        return std::nullopt;
    return mDb.records()[static_cast<std::size_t>(index)];
}

bool BootsDocument::setRecord(int index, const RecordTexts &texts, RecordField field)
{
    if (!isOpen() || index < 0 || index >= mDb.Count() || index > 255)
        return false;
    const BootRecord before = mDb.records()[static_cast<std::size_t>(index)];
    const std::optional<BootRecord> after = storeFields(index, texts);
    // The record stays as it was until the step's redo stores it.
    if (!after || !mDb.setRecord(static_cast<std::size_t>(index), before) || *after == before)
        return false;
    mUndoStack.push(new ChangeRecordCommand(this, index, field, before, *after));
    return true;
}

bool BootsDocument::changeAllStatistics(std::uint8_t value, int selected,
                                        const RecordTexts &selectedTexts, QString *error)
{
    if (!isOpen()) {
        *error = UiText::text(Key::NoFileOpen);
        return false;
    }
    std::vector<BootRecord> before = mDb.records();
    // The working file is written with the new statistics and read back, so that memory
    // and the working file agree.
    if (!mDb.ZmienAll(std::to_string(value))) {
        *error = UiText::reason(mDb.errorReason());
        return false;
    }
    if (!mDb.Wczytaj(toNative(workingFile()))) {
        *error = UiText::reason(mDb.errorReason());
        // Memory keeps the records it had; the next save rewrites the working file from them.
        if (!mDb.putRecords(std::move(before)))
            close();
        return false;
    }
    if (selected >= 0 && selected < mDb.Count() && !storeFields(selected, selectedTexts)) {
        *error = UiText::reason(mDb.errorReason());
        return false;
    }
    std::vector<BootRecord> after = mDb.records();
    mUndoStack.push(new ReplaceRecordsCommand(this, UiText::text(Key::ChangeAllStatistics),
                                              std::move(before), std::move(after), true));
    return true;
}

bool BootsDocument::putRecord(int index, const BootRecord &record)
{
    if (index < 0 || !mDb.setRecord(static_cast<std::size_t>(index), record))
        return false;
    emit recordChanged(index);
    return true;
}

bool BootsDocument::putRecords(std::vector<BootRecord> records, bool rewriteWorkingFile)
{
    if (!mDb.putRecords(std::move(records)))
        return false;
    const bool written = !rewriteWorkingFile || mDb.Zapisz("");
    emit recordsReplaced();
    if (!written)
        emit workingFileFailed(UiText::reason(mDb.errorReason()));
    return written;
}

bool BootsDocument::setField(int index, RecordField field, const QString &value, QString *reason)
{
    using TablePaste::Column;
    static const Column columns[] = {
        Column::Name,         Column::Material,     Column::Colour,   Column::ShotPower,
        Column::ShotAccuracy, Column::Acceleration, Column::TopSpeed, Column::Swerve,
        Column::Manufacturer, Column::Manufacturer, Column::Position,
    };
    const Column column = columns[static_cast<int>(field)];
    if (!isOpen() || index < 0 || index >= mDb.Count() || column == Column::Position) {
        *reason = UiText::text(Key::NoFileOpen);
        return false;
    }
    const BootRecord before = mDb.records()[static_cast<std::size_t>(index)];
    BootRecord after = before;
    if (const BootsColumn *text = TablePaste::field(column); text->isText()) {
        std::string ansi = toAnsi(value);
        ansi.resize(std::min(ansi.size(), text->maxLength));
        after.*text->text = std::move(ansi);
    } else {
        Reason why;
        if (!TablePaste::store(after, static_cast<std::size_t>(index), column, value.toStdString(),
                               &why)) {
            *reason = UiText::reason(why);
            return false;
        }
    }
    if (after == before)
        return true;
    // A cell's edit is a step of its own: it merges neither with typing before nor after it.
    startNewStep();
    mUndoStack.push(new ChangeRecordCommand(this, index, field, before, after));
    startNewStep();
    return true;
}

bool BootsDocument::changeStatistics(const std::vector<int> &positions,
                                     const std::array<bool, 5> &ticked, const QString &valueText)
{
    std::uint8_t value = statisticFrom(valueText);
    if (value == 0)
        value = 1;
    std::vector<BootRecord> after = mDb.records();
    for (const int position : positions) {
        if (position < 0 || static_cast<std::size_t>(position) >= after.size())
            continue;
        BootRecord &r = after[static_cast<std::size_t>(position)];
        std::uint8_t *stats[5] = {&r.Sila, &r.Precyzja, &r.Przyspieszenie, &r.Szybkosc,
                                  &r.Podkrecanie};
        for (std::size_t s = 0; s < 5; ++s) {
            if (ticked[s])
                *stats[s] = value;
        }
    }
    return changeRecords(UiText::text(Key::ChangeStatistics), std::move(after));
}

bool BootsDocument::changeRecords(const QString &name, std::vector<BootRecord> after)
{
    if (!isOpen() || after.size() != mDb.records().size() || after == mDb.records())
        return false;
    startNewStep();
    mUndoStack.push(new ReplaceRecordsCommand(this, name, mDb.records(), std::move(after), false));
    return true;
}
