#pragma once
// The boots file being edited: the database, the game file it came from, its working files,
// the undo stack of the changes and the boots chosen in it, beside the texture archives
// (TextureArchives), whose steps share that stack. One save and one modified state cover both.
// The window shows it and asks it; it shows nothing and reports failures as false and a reason.
#include "TypedFields.h"
#include "boots/Baza.h"
#include "common/Reason.h"
#include "container/PesZlib.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>
#include <array>
#include <cstdint>
#include <vector>

class ChangeMarks;
class AppliedPacks;
class TextureArchives;

class BootsDocument : public QObject
{
    Q_OBJECT
public:
    /// `workingFolder` holds the working files ("temp.bin", "temp.bin.zlib", "temp").
    explicit BootsDocument(const QString &workingFolder, QObject *parent = nullptr);
    ~BootsDocument() override;

    QString workingFolder() const { return mWorkingFolder; }
    QString workingFile() const;
    QString wrappedWorkingFile() const;

    /// The opened game file (absolute), or the empty text when none is open.
    QString gamePath() const { return mGamePath; }
    bool isOpen() const { return !mGamePath.isEmpty(); }
    /// Edits not yet saved: the boots or the textures differ from the files they were read
    /// from or saved to (undoing back to them, or a step that a reload made void, counts as
    /// no edit).
    bool isModified() const;
    /// The records differ from the boots file as it was opened or saved.
    bool bootsModified() const { return mDb.records() != mSavedRecords; }
    TextureArchives &textures() { return *mTextures; }
    const TextureArchives &textures() const { return *mTextures; }
    /// What the table marks the boots against: the original or another file.
    ChangeMarks &changeMarks() { return *mMarks; }
    const ChangeMarks &changeMarks() const { return *mMarks; }
    const Baza &database() const { return mDb; }
    QUndoStack *undoStack() { return &mUndoStack; }

    /// Boots past the first 255 are kept and saved, but cannot be chosen or edited one by one
    /// (a record's position is one byte wide).
    static constexpr int kListLimit = 255;
    /// How many boots can be chosen: the records, up to kListLimit.
    int listedCount() const;
    /// The boot the record editor, the preview and the viewer show, or -1 for none. Opening or
    /// closing a file chooses none; choosing a boot is no edit.
    int currentBoot() const { return mCurrentBoot; }
    /// The boots chosen together (the rows selected in the boots table), in file order. The
    /// current boot is among them unless the user took it out of a selection of many.
    const std::vector<int> &selectedBoots() const { return mSelectedBoots; }
    /// Makes `index` the current boot: a boot outside the selection becomes the only one
    /// selected, one inside keeps it; -1 chooses none. False, with nothing changed, for a
    /// position that cannot be chosen.
    bool setCurrentBoot(int index);
    /// Chooses `selected` (positions that cannot be chosen are left out) and `current` (-1 or
    /// a position that can be chosen, else nothing changes) in one change.
    bool setSelection(int current, std::vector<int> selected);

    /// Unwraps the game file at `path` into the working file and loads it, with an empty
    /// undo stack. On failure `error` says why and the document holds no file, except when
    /// the working folder cannot be written: then nothing changes.
    bool open(const QString &path, Reason *error);
    /// Forgets the file: no records, no game path, an empty undo stack. Opening and closing
    /// drop the textures' changes too (their archives are loaded again).
    void close();
    /// Saves the changed texture archives, then writes the records to the working file, wraps
    /// it and replaces the game file with it. On failure `error` (and `failedFile`, when given)
    /// name the first file not saved; it is as it was and the document stays modified.
    bool save(Reason *error, QString *failedFile = nullptr);
    /// Saves as save() does, but into `folder`: the boots file and each changed archive under
    /// its own name (saveAsFiles), each replacing a file of that name there safely. The files
    /// saved there are the document's files from then on (filesMoved); one that failed, and
    /// every unchanged archive, stays where it was.
    bool saveAs(const QString &folder, Reason *error, QString *failedFile = nullptr);
    /// The files saveAs(`folder`) writes, the boots file first.
    QStringList saveAsFiles(const QString &folder) const;
    /// Deletes the working files (when the editor ends).
    void removeWorkingFiles();

    /// Where the originals of opened files are kept (the user's data folder); empty: nowhere.
    /// The boots file and the archives are kept there the first time they are opened.
    void setOriginalsFolder(const QString &folder);
    QString originalsFolder() const { return mOriginalsFolder; }
    /// The packs applied to the open file, by their receipts (kept in the user's folder).
    AppliedPacks &appliedPacks() { return *mApplied; }
    const AppliedPacks &appliedPacks() const { return *mApplied; }
    /// The records of the open file's kept original. False, with the reason, when it has none
    /// or it cannot be read.
    bool originalRecords(std::vector<BootRecord> &records, Reason *error) const;
    /// The records of the boots file at `path`, unwrapped and checked as opening does, without
    /// touching the working files. False, with the reason, when it cannot be read.
    static bool readBoots(const QString &path, std::vector<BootRecord> &records, Reason *error);

    /// Stores the record editor's fields into record `index` as one undo step, each field by
    /// its rule (BootField::storeTyped); ID, Kolej and Pole5 stay. The step is merged with the
    /// previous one when both typed in the same field of the same boot. False, with no step,
    /// when nothing is open, `index` is no record or the record would not change. Fields
    /// stored otherwise than typed or held are named by valuesAdjusted(), step or not.
    bool setRecord(int index, const TypedFields &texts, const RecordEdit &edit);
    /// Sets all five statistics of every boot to the statistic that `valueText` stands for
    /// (the statistics' rule) as one undo step: the working file is rewritten with them and
    /// reloaded. When `selected` is a record, its fields are then stored from
    /// `selectedTexts` in the same step.
    bool changeAllStatistics(const QString &valueText, int selected,
                             const TypedFields &selectedTexts, Reason *error);
    /// Stores one field of record `index` as a cell of the boots table is edited, as one undo
    /// step named by the field: a text or a statistic by the field's rule, as the record
    /// editor stores it, and a manufacturer by name or code (the table import's rules). False,
    /// with the reason and no step, for a manufacturer those rules refuse; true, with no
    /// step, when nothing changes.
    bool setField(int index, const BootField &field, const QString &value, Reason *error);
    /// Sets the statistics ticked in `ticked` (Shot Power first) of the boots at `positions`
    /// to the statistic that `valueText` stands for, as one undo step. False, with no step,
    /// when nothing changes.
    bool changeStatistics(const std::vector<int> &positions, const std::array<bool, 5> &ticked,
                          const QString &valueText);
    /// Replaces every record by `after` (as many as now) as one undo step named `name`.
    /// False, with no step, when nothing is open or nothing changes.
    bool changeRecords(const QString &name, std::vector<BootRecord> after);
    /// Ends merging: the next edit starts a step of its own (a boot or field was chosen).
    void startNewStep() { ++mStepSerial; }
    int stepSerial() const { return mStepSerial; }

    /// Puts a record back as it was (for undo commands), making its boot the current one so
    /// that an undo or redo shows what it changed; emits recordChanged.
    bool putRecord(int index, const BootRecord &record);
    /// Replaces every record at once (for undo commands and imports); emits recordsReplaced.
    /// With `rewriteWorkingFile` the working file is written from the new records too.
    bool putRecords(std::vector<BootRecord> records, bool rewriteWorkingFile);

signals:
    /// One record changed (an edit, its undo or redo).
    void recordChanged(int index);
    /// Many records changed at once; their number stays.
    void recordsReplaced();
    /// Another file was opened, or the file was closed (no boot is chosen then).
    void reset();
    /// The current boot is another one (-1: none).
    void currentBootChanged(int index);
    /// The selected boots are others.
    void selectionChanged();
    void modifiedChanged(bool modified);
    /// Save As put the boots file or an archive in another place (gamePath(),
    /// TextureArchives::source()).
    void filesMoved();
    /// Storing changed fields otherwise than the user typed them or the boot held them (a
    /// typed 300 stored as 5, a name cut to its length): `note` names each, in the user's
    /// language, with its old and new value.
    void valuesAdjusted(const QString &note);
    /// The working file could not be written after an undo or redo; memory holds the
    /// records, and the next save writes them.
    void workingFileFailed(const Reason &reason);
    /// The original of `path` could not be kept; the file opened all the same.
    void originalNotKept(const QString &path, const Reason &reason);
    /// The file was saved, but the receipt of a pack applied to it could not be kept.
    void receiptsNotKept(const Reason &reason);

private:
    void updateModified();
    /// save() and saveAs(): the boots to `gamePath`, the changed archives into
    /// `archiveFolder` (empty: over their files).
    bool saveTo(const QString &gamePath, const QString &archiveFolder, Reason *error,
                QString *failedFile);
    /// Writes the records to the working file, wraps it and replaces `gamePath` with it.
    bool saveBoots(const QString &gamePath, Reason *error);
    /// The stack was marked clean (a save): what is there now counts as saved.
    void stackCleanChanged(bool clean);
    QString pathIn(const QString &name) const;
    /// `record` with the fields that `texts` holds stored by their rules.
    static BootRecord withTexts(BootRecord record, const TypedFields &texts);
    void reportAdjustments(const QStringList &adjustments);
    /// The adjustment of the global change's value, when `value` is not what `valueText` says.
    static QStringList valueAdjustment(const QString &valueText, std::uint8_t value);
    /// Chooses no boot, silently: the file changes under the views, which a reset redraws.
    void forgetSelection();
    /// The document now holds `gamePath` (empty: no file) as mDb has it: the selection, the
    /// steps and the textures of what was open are forgotten, and everything that follows the
    /// document is told.
    void startOver(const QString &gamePath);
    /// setCurrentBoot() and setSelection(); with `newStep` a change of the current boot ends
    /// the merging of typed edits.
    bool makeCurrent(int index, bool newStep);
    bool select(int current, std::vector<int> selected, bool newStep);
    /// Says which of the current boot and the selection changed since `current`, `selected`.
    void announceSelection(int current, const std::vector<int> &selected, bool newStep = true);

    QString mWorkingFolder;
    QString mOriginalsFolder;
    QString mGamePath;
    PesZlib mZlib;
    Baza mDb;
    QUndoStack mUndoStack;
    TextureArchives *mTextures = nullptr;
    ChangeMarks *mMarks = nullptr;
    AppliedPacks *mApplied = nullptr;
    std::vector<BootRecord> mSavedRecords;
    bool mModified = false;
    int mCleanIndex = 0;
    int mStepSerial = 0;
    int mCurrentBoot = -1;
    std::vector<int> mSelectedBoots;
};
