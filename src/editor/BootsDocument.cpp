#include "BootsDocument.h"

#include "AppliedPacks.h"
#include "ChangeMarks.h"
#include "ChangeRecordCommand.h"
#include "CoreStrings.h"
#include "ReplaceRecordsCommand.h"
#include "TextureArchives.h"

#include "Translation.h"
#include "boots/BootFields.h"
#include "common/FileIo.h"
#include "exchange/TablePaste.h"
#include "pack/Originals.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <string>
#include <utility>

using CoreStrings::toAnsi;
using CoreStrings::toNative;
using Translation::Key;

BootsDocument::BootsDocument(const QString &workingFolder, QObject *parent)
    : QObject(parent), mWorkingFolder(workingFolder), mZlib(toNative(workingFolder)),
      mTextures(new TextureArchives(workingFolder, &mUndoStack, this)),
      mMarks(new ChangeMarks(this)), mApplied(new AppliedPacks(this))
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

bool BootsDocument::open(const QString &path, Reason *error)
{
    const QFileInfo folder(mWorkingFolder);
    if (!folder.isDir() || !folder.isWritable()) {
        *error = Reason(Reasons::Id::WorkingFolderNotWritable, {toNative(mWorkingFolder)});
        return false;
    }
    Reason reason;
    // The game file is unwrapped straight into the working file: nothing is written beside it.
    if (!mZlib.unwrapFileTo(toNative(path), toNative(workingFile())))
        reason = mZlib.errorReason();
    else if (!mDb.Wczytaj(toNative(workingFile())))
        reason = mDb.errorReason();
    if (!reason.empty()) {
        close();
        *error = reason;
        return false;
    }
    // Kept before anything follows the new file, so that its changes can be shown at once.
    const QString gamePath = QFileInfo(path).absoluteFilePath();
    Reason notKept;
    const bool kept = mOriginalsFolder.isEmpty() ||
                      Originals::keep(toNative(mOriginalsFolder), toNative(gamePath), &notKept);
    startOver(gamePath);
    if (!kept)
        emit originalNotKept(gamePath, notKept);
    return true;
}

void BootsDocument::startOver(const QString &gamePath)
{
    const int current = mCurrentBoot;
    const std::vector<int> selected = mSelectedBoots;
    forgetSelection();
    mGamePath = gamePath;
    mSavedRecords = mDb.records();
    mTextures->discard();
    mUndoStack.clear();
    mApplied->load(gamePath);
    startNewStep();
    updateModified();
    emit reset();
    announceSelection(current, selected);
}

void BootsDocument::setOriginalsFolder(const QString &folder)
{
    mOriginalsFolder = folder;
    mTextures->setOriginalsFolder(folder);
}

bool BootsDocument::originalRecords(std::vector<BootRecord> &records, Reason *error) const
{
    const std::string original =
        mOriginalsFolder.isEmpty()
            ? std::string()
            : Originals::find(toNative(mOriginalsFolder), toNative(mGamePath));
    if (original.empty()) {
        *error = Reason(Reasons::Id::NoOriginal, {toNative(mGamePath)});
        return false;
    }
    return readBoots(QString::fromStdString(original), records, error);
}

bool BootsDocument::readBoots(const QString &path, std::vector<BootRecord> &records, Reason *error)
{
    PesZlib zlib(std::string{});
    FileIo::Bytes plain;
    Baza db;
    if (!zlib.unwrapFile(toNative(path), plain)) {
        *error = zlib.errorReason();
        return false;
    }
    if (!db.load(plain)) {
        *error = db.errorReason();
        return false;
    }
    records = db.records();
    return true;
}

void BootsDocument::close()
{
    mDb.clear();
    startOver(QString());
}

int BootsDocument::listedCount() const
{
    return std::min(mDb.Count(), kListLimit);
}

bool BootsDocument::setCurrentBoot(int index)
{
    return makeCurrent(index, true);
}

bool BootsDocument::makeCurrent(int index, bool newStep)
{
    if (index < -1 || index >= listedCount())
        return false;
    if (index == -1)
        return select(-1, {}, newStep);
    // Moving within a selection of many keeps it, as moving the current row of a table does.
    if (std::binary_search(mSelectedBoots.begin(), mSelectedBoots.end(), index))
        return select(index, mSelectedBoots, newStep);
    return select(index, {index}, newStep);
}

bool BootsDocument::setSelection(int current, std::vector<int> selected)
{
    return select(current, std::move(selected), true);
}

bool BootsDocument::select(int current, std::vector<int> selected, bool newStep)
{
    const int count = listedCount();
    if (current < -1 || current >= count)
        return false;
    std::erase_if(selected, [count](int position) { return position < 0 || position >= count; });
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    const int currentBefore = std::exchange(mCurrentBoot, current);
    const std::vector<int> selectedBefore = std::exchange(mSelectedBoots, std::move(selected));
    announceSelection(currentBefore, selectedBefore, newStep);
    return true;
}

void BootsDocument::forgetSelection()
{
    mCurrentBoot = -1;
    mSelectedBoots.clear();
}

void BootsDocument::announceSelection(int current, const std::vector<int> &selected, bool newStep)
{
    if (mSelectedBoots != selected)
        emit selectionChanged();
    if (mCurrentBoot == current)
        return;
    // Typing into a boot the user chose never merges with the edits of the one before.
    if (newStep)
        startNewStep();
    emit currentBootChanged(mCurrentBoot);
}

void BootsDocument::removeWorkingFiles()
{
    FileIo::removeFile(toNative(workingFile()));
    FileIo::removeFile(toNative(wrappedWorkingFile()));
}

BootRecord BootsDocument::withTexts(BootRecord record, const TypedFields &texts)
{
    for (const BootField &field : BootFields::all()) {
        if (const QString *text = texts.text(field))
            field.storeTyped(record, text->toStdString());
    }
    return record;
}

void BootsDocument::reportAdjustments(const QStringList &adjustments)
{
    if (!adjustments.isEmpty())
        emit valuesAdjusted(Translation::adjustmentNote(adjustments));
}

QStringList BootsDocument::valueAdjustment(const QString &valueText, std::uint8_t value)
{
    BootRecord stored;
    stored.Sila = value;
    if (BootFields::field(BootField::Id::ShotPower).readsAs(stored, valueText.toStdString()))
        return {};
    return {Translation::adjustment(Translation::caption("GroupBox14", "Value"),
                                    valueText.toStdString(), std::to_string(value), false)};
}

namespace {

std::vector<TypedText> typedTexts(const TypedFields &texts,
                                  const std::vector<const BootField *> &fields)
{
    std::vector<TypedText> typed;
    for (const BootField *field : fields) {
        if (const QString *text = texts.text(*field))
            typed.push_back({field, text->toStdString()});
    }
    return typed;
}

} // namespace

bool BootsDocument::setRecord(int index, const TypedFields &texts, const RecordEdit &edit)
{
    if (!isOpen() || index < 0 || index >= mDb.Count() || index > 255)
        return false;
    const BootRecord before = mDb.records()[static_cast<std::size_t>(index)];
    const BootRecord after = withTexts(before, texts);
    // The editor writes the whole record: a field the user did not touch may change too, and
    // says so.
    reportAdjustments(Translation::adjustments(
        BootFields::adjustments(before, after, typedTexts(texts, edit.typed))));
    if (after == before)
        return false;
    mUndoStack.push(new ChangeRecordCommand(this, index, Translation::text(edit.step), edit.merging,
                                            before, after));
    return true;
}

bool BootsDocument::changeAllStatistics(const QString &valueText, int selected,
                                        const TypedFields &selectedTexts, Reason *error)
{
    if (!isOpen()) {
        *error = Reason(Reasons::Id::NoFileOpen);
        return false;
    }
    const std::uint8_t value = BootFields::typedStatistic(valueText.toStdString());
    std::vector<BootRecord> before = mDb.records();
    // The working file is written with the new statistics and read back, so that memory
    // and the working file agree.
    if (!mDb.ZmienAll(std::to_string(value))) {
        *error = mDb.errorReason();
        return false;
    }
    if (!mDb.Wczytaj(toNative(workingFile()))) {
        *error = mDb.errorReason();
        // Memory keeps the records it had; the next save rewrites the working file from them.
        if (!mDb.putRecords(std::move(before)))
            close();
        return false;
    }
    QStringList adjustments = valueAdjustment(valueText, value);
    if (selected >= 0 && selected < mDb.Count()) {
        const auto at = static_cast<std::size_t>(selected);
        const BootRecord reloaded = mDb.records()[at];
        const BootRecord stored = withTexts(reloaded, selectedTexts);
        std::vector<FieldAdjustment> others = BootFields::adjustments(reloaded, stored, {});
        // The statistics took the value, which the adjustment of the value names already.
        std::erase_if(others, [](const FieldAdjustment &a) {
            return a.field->rule == BootField::Rule::Statistic;
        });
        adjustments << Translation::adjustments(others);
        mDb.setRecord(at, stored);
    }
    reportAdjustments(adjustments);
    std::vector<BootRecord> after = mDb.records();
    mUndoStack.push(new ReplaceRecordsCommand(this, Translation::text(Key::ChangeAllStatistics),
                                              std::move(before), std::move(after), true));
    return true;
}

bool BootsDocument::putRecord(int index, const BootRecord &record)
{
    if (index < 0 || !mDb.setRecord(static_cast<std::size_t>(index), record))
        return false;
    // The step being made or taken back keeps its place among the steps; a boot past the
    // list stays unchosen.
    makeCurrent(index, false);
    emit recordChanged(index);
    return true;
}

bool BootsDocument::putRecords(std::vector<BootRecord> records, bool rewriteWorkingFile)
{
    if (!mDb.putRecords(std::move(records)))
        return false;
    const bool written = !rewriteWorkingFile || mDb.Zapisz("");
    emit recordsReplaced();
    // Records come back as many as they were; were they fewer, no gone boot stays chosen.
    setSelection(mCurrentBoot < listedCount() ? mCurrentBoot : -1, mSelectedBoots);
    if (!written)
        emit workingFileFailed(mDb.errorReason());
    return written;
}

bool BootsDocument::setField(int index, const BootField &field, const QString &value, Reason *error)
{
    if (!isOpen() || index < 0 || index >= mDb.Count() || field.rule == BootField::Rule::None) {
        *error = Reason(Reasons::Id::NoFileOpen);
        return false;
    }
    const BootRecord before = mDb.records()[static_cast<std::size_t>(index)];
    BootRecord after = before;
    Key step = *field.undoName;
    if (field.rule == BootField::Rule::Code) {
        // The table shows the manufacturer's name: a name or a code is taken, as a paste takes
        // it, and anything else refused.
        if (!TablePaste::store(after, static_cast<std::size_t>(index), &field, value.toStdString(),
                               error))
            return false;
        step = Key::ChangeManufacturer;
    } else {
        field.storeTyped(after, value.toStdString());
        reportAdjustments(Translation::adjustments(
            BootFields::adjustments(before, after, {{&field, value.toStdString()}})));
    }
    if (after == before)
        return true;
    // A cell's edit is a step of its own: it merges neither with typing before nor after it.
    startNewStep();
    mUndoStack.push(
        new ChangeRecordCommand(this, index, Translation::text(step), nullptr, before, after));
    startNewStep();
    return true;
}

bool BootsDocument::changeStatistics(const std::vector<int> &positions,
                                     const std::array<bool, 5> &ticked, const QString &valueText)
{
    const std::uint8_t value = BootFields::typedStatistic(valueText.toStdString());
    reportAdjustments(valueAdjustment(valueText, value));
    const auto statistics = BootFields::statistics();
    std::vector<BootRecord> after = mDb.records();
    for (const int position : positions) {
        if (position < 0 || static_cast<std::size_t>(position) >= after.size())
            continue;
        BootRecord &r = after[static_cast<std::size_t>(position)];
        for (std::size_t s = 0; s < statistics.size(); ++s) {
            if (ticked[s])
                statistics[s]->setNumber(r, value);
        }
    }
    return changeRecords(Translation::text(Key::ChangeStatistics), std::move(after));
}

bool BootsDocument::changeRecords(const QString &name, std::vector<BootRecord> after)
{
    if (!isOpen() || after.size() != mDb.records().size() || after == mDb.records())
        return false;
    startNewStep();
    mUndoStack.push(new ReplaceRecordsCommand(this, name, mDb.records(), std::move(after), false));
    return true;
}
