#pragma once
// The boots file being edited: the database, the game file it came from, its working files
// and the undo stack of the changes, beside the texture archives (TextureArchives), whose
// steps share that stack. One save and one modified state cover both. The window shows it and
// asks it; it shows nothing and reports failures as false and a reason.
#include "RecordTexts.h"
#include "boots/Baza.h"
#include "container/PesZlib.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

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
    const Baza &database() const { return mDb; }
    QUndoStack *undoStack() { return &mUndoStack; }

    /// Unwraps the game file at `path` into the working file and loads it, with an empty
    /// undo stack. On failure `error` says why and the document holds no file, except when
    /// the working folder cannot be written: then nothing changes.
    bool open(const QString &path, QString *error);
    /// Forgets the file: no records, no game path, an empty undo stack. Opening and closing
    /// drop the textures' changes too (their archives are loaded again).
    void close();
    /// Saves the changed texture archives, then writes the records to the working file, wraps
    /// it and replaces the game file with it. On failure `error` (and `failedFile`, when given)
    /// name the first file not saved; it is as it was and the document stays modified.
    bool save(QString *error, QString *failedFile = nullptr);
    /// Deletes the working files (when the editor ends).
    void removeWorkingFiles();

    /// Where the originals of opened files are kept (the user's data folder); empty: nowhere.
    /// The boots file and the archives are kept there the first time they are opened.
    void setOriginalsFolder(const QString &folder);
    QString originalsFolder() const { return mOriginalsFolder; }
    /// The records of the open file's kept original. False, with the reason, when it has none
    /// or it cannot be read.
    bool originalRecords(std::vector<BootRecord> &records, QString *error) const;

    /// A statistic as typed: not a number or a negative number gives 1, a number that
    /// rounds above 5 gives 5, any other number its rounded value (ties to even).
    static std::uint8_t statisticFrom(const QString &text);
    /// The value that "All" takes: a number that rounds to 0..5; nothing for other texts.
    static std::optional<std::uint8_t> valueForAll(const QString &text);

    /// Stores the editor's fields into record `index` as one undo step: texts cut to
    /// 60/125/83 characters, each statistic by statisticFrom() and then 0 as 1, the code as
    /// a whole number within 16 bits (any other text keeps the record's code); ID, Kolej
    /// and Pole5 stay. The step is (merged with the
    /// previous step when it edited the same field of the same boot). False, with no step,
    /// when nothing is open, `index` is no record or the record would not change.
    bool setRecord(int index, const RecordTexts &texts, RecordField field);
    /// Sets all five statistics of every boot to `value` (0..5) as one undo step: the
    /// working file is rewritten with them and reloaded. When `selected` is a record, its
    /// fields are then stored from `selectedTexts` in the same step.
    bool changeAllStatistics(std::uint8_t value, int selected, const RecordTexts &selectedTexts,
                             QString *error);
    /// Stores one field of record `index` as a cell of the boots table is edited, as one undo
    /// step named by the field: a text by the record editor's rule (best fit in Windows-1252,
    /// cut to 60/125/83 characters), a statistic as the whole number 0..255 it is and a
    /// manufacturer by name or code (the table import's rules). False, with the reason and
    /// no step, for a value those rules refuse; true, with no step, when nothing changes.
    bool setField(int index, RecordField field, const QString &value, QString *reason);
    /// Sets the statistics ticked in `ticked` (Shot Power first) of the boots at `positions`
    /// to the value typed in `valueText` (statisticFrom(), then 0 as 1), as one undo step.
    /// False, with no step, when nothing changes.
    bool changeStatistics(const std::vector<int> &positions, const std::array<bool, 5> &ticked,
                          const QString &valueText);
    /// Replaces every record by `after` (as many as now) as one undo step named `name`.
    /// False, with no step, when nothing is open or nothing changes.
    bool changeRecords(const QString &name, std::vector<BootRecord> after);
    /// Ends merging: the next edit starts a step of its own (a boot or field was chosen).
    void startNewStep() { ++mStepSerial; }
    int stepSerial() const { return mStepSerial; }

    /// Puts a record back as it was (for undo commands); emits recordChanged.
    bool putRecord(int index, const BootRecord &record);
    /// Replaces every record at once (for undo commands and imports); emits recordsReplaced.
    /// With `rewriteWorkingFile` the working file is written from the new records too.
    bool putRecords(std::vector<BootRecord> records, bool rewriteWorkingFile);

signals:
    /// One record changed (an edit, its undo or redo).
    void recordChanged(int index);
    /// Many records changed at once; their number stays.
    void recordsReplaced();
    /// Another file was opened, or the file was closed.
    void reset();
    void modifiedChanged(bool modified);
    /// The working file could not be written after an undo or redo; memory holds the
    /// records, and the next save writes them.
    void workingFileFailed(const QString &reason);
    /// The original of `path` could not be kept; the file opened all the same.
    void originalNotKept(const QString &path, const QString &reason);

private:
    void updateModified();
    /// The stack was marked clean (a save): what is there now counts as saved.
    void stackCleanChanged(bool clean);
    QString pathIn(const QString &name) const;
    /// Stores the fields into record `index` by the core's change rule; the record after.
    std::optional<BootRecord> storeFields(int index, const RecordTexts &texts);

    QString mWorkingFolder;
    QString mOriginalsFolder;
    QString mGamePath;
    PesZlib mZlib;
    Baza mDb;
    QUndoStack mUndoStack;
    TextureArchives *mTextures = nullptr;
    std::vector<BootRecord> mSavedRecords;
    bool mModified = false;
    int mCleanIndex = 0;
    int mStepSerial = 0;
};
