#pragma once
// The two texture archives being edited, as the boots are in BootsDocument: for each the file
// the user loaded, its unwrapped working copy and index, a load number, and the textures that
// differ from that file. It answers which entry holds a boot's texture. Replacing an entry and
// importing a folder are undo steps on the editor's one undo stack, acting on this document
// only. It shows nothing: failures are false and a reason, or the failed() signal for an undo
// or redo.
#include "archive/Textura.h"
#include "common/Reason.h"
#include "imaging/dds/DdsLayout.h"
#include "imaging/textures/TextureSet.h"

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

class QUndoStack;

class TextureArchives : public QObject
{
    Q_OBJECT
public:
    using Bytes = std::vector<std::uint8_t>;
    /// An entry's texture: the DDS file that follows its 16-byte entry header.
    using EntryTexture = std::pair<std::int32_t, Bytes>;

    /// Where a boot's texture lies, or why that is not known.
    struct BootTexture
    {
        int archive = 0;         ///< 1 or 2, or 0 when the texture is not at hand
        std::int32_t entry = -1; ///< the entry of `archive` that holds it
        int archiveToLoad = 0;   ///< 1 or 2 when only loading that archive can tell, else 0
        bool found() const { return archive != 0; }
        bool operator==(const BootTexture &) const = default;
    };

    /// `workingFolder` holds the working copies "File1" and "File2"; the steps go on `undoStack`.
    TextureArchives(const QString &workingFolder, QUndoStack *undoStack, QObject *parent = nullptr);

    /// Unwraps the game archive at `path` into the working copy of archive 1 or 2 and reads its
    /// table. Its earlier changes are dropped and its undo steps go void. On failure `error`
    /// says why and the archive is as it was.
    bool load(int archive, const QString &path, Reason *error);
    /// Where the originals of loaded archives are kept; empty: nowhere.
    void setOriginalsFolder(const QString &folder) { mOriginalsFolder = folder; }
    bool isLoaded(int archive) const { return !slot(archive).source.isEmpty(); }
    /// The game file the archive was loaded from.
    QString source(int archive) const { return slot(archive).source; }
    /// The unwrapped working copy that the preview reads.
    QString workingCopy(int archive) const;
    const Textura &index(int archive) const { return slot(archive).index; }
    /// The game's name of archive 1 or 2 ("unnamed_5756.bin", "unnamed_2113.bin").
    static QString gameFileName(int archive);

    /// The texture of the boot at file position `boot`. The first archive holds the textures
    /// of the first boots, one entry each in boot order, and the second goes on where the
    /// first ends; so nothing is known before the first archive is loaded, and a boot past it
    /// needs the second. A boot past both has no texture (and no archive to load).
    BootTexture textureOf(int boot) const;
    /// The boot whose texture `entry` of `archive` is (textureOf turned round), or -1.
    int bootOf(int archive, std::int32_t entry) const;

    /// Counts the loads of the archive: a step belongs to the load it was made on.
    int loadNumber(int archive) const { return slot(archive).loadNumber; }

    /// Some texture differs from the file its archive was loaded from or saved to.
    bool isModified() const { return isModified(1) || isModified(2); }
    bool isModified(int archive) const { return !slot(archive).saved.empty(); }

    /// The DDS texture of `entry` as the working copy holds it (what a viewer decodes).
    bool entryTexture(int archive, std::int32_t entry, Bytes &dds, Reason *error) const;
    /// The format, size and levels of the entry's texture; false, with the reason, when the
    /// entry holds no DDS texture that can be read.
    bool entryLayout(int archive, std::int32_t entry, DdsLayout &layout, Reason *error) const;
    /// The entry's 4-character name, or the empty text when it cannot be read.
    QString entryName(int archive, std::int32_t entry) const;

    /// Puts the picture or DDS file at `imagePath` into `entry` as one undo step named
    /// `stepText` ("Replace Texture" when empty), by the rules of
    /// TextureReplacer::replaceFromFile with `fit`. A file that changes nothing makes no step.
    /// On failure `error` says why, `otherSize` (when given) whether the picture was refused
    /// for its size alone, and nothing changed.
    bool replaceEntry(int archive, std::int32_t entry, const QString &imagePath, Reason *error,
                      TextureReplacer::Fit fit = TextureReplacer::Fit::Exact,
                      const QString &stepText = QString(), bool *otherSize = nullptr);
    /// Imports the folder by the rules of TextureSet as one undo step ("Import Textures"), made
    /// only when some entry changed. False when a file is refused (outcome.problems), the user
    /// cancelled (outcome.cancelled) or the working copy cannot be written (`error`): nothing
    /// changed then.
    bool importFolder(int archive, const QString &folder, TextureSet::Outcome &outcome,
                      Reason *error, const TextureSet::Progress &progress = {},
                      TextureReplacer::Fit fit = TextureReplacer::Fit::Exact);

    /// Saves each changed archive over its game file. False when one failed: `failedFile` and
    /// `error` name the first; the archives that were saved count as saved.
    bool save(Reason *error, QString *failedFile);
    /// Saves as save() does, each changed archive into `folder` under its own name (empty:
    /// over its file); an archive saved elsewhere is loaded from there from now on, and
    /// `moved` (when given) is set.
    bool saveInto(const QString &folder, Reason *error, QString *failedFile, bool *moved = nullptr);
    /// Saves the archive over its file, or to `target` (its file from then on).
    bool saveArchive(int archive, Reason *error, const QString &target = QString());
    /// Drops every change: each changed archive is loaded again from its game file (one that
    /// no longer loads is reported by failed() and keeps its working copy, no longer saved).
    void discard();
    /// The working copies as they are count as saved (the undo stack was marked clean).
    void markSaved();

    /// For the undo steps: puts the textures into `archive` when it is still the load
    /// `loadNumber`. False when it is not (the step is void) or the working copy could not be
    /// written (failed() says why; it still holds what it held).
    bool putTextures(int archive, int loadNumber, const std::vector<EntryTexture> &textures);

signals:
    /// Archive 1 or 2 was loaded from the game file `path`.
    void loaded(int archive, const QString &path);
    /// Entries of the archive changed (a step, its undo or redo).
    void texturesChanged(int archive, const std::vector<std::int32_t> &entries);
    void modifiedChanged();
    /// An undo or redo could not write the working copy of the archive loaded from `source`.
    void failed(const QString &source, const Reason &reason);
    /// The original of `path` could not be kept; the archive loaded all the same.
    void originalNotKept(const QString &path, const Reason &reason);

private:
    struct Archive
    {
        QString source;
        Textura index;
        int loadNumber = 0;
        /// The saved texture of each entry that now differs from it.
        std::map<std::int32_t, Bytes> saved;
    };
    Archive &slot(int archive) { return mArchives[archive == 2 ? 1 : 0]; }
    const Archive &slot(int archive) const { return mArchives[archive == 2 ? 1 : 0]; }
    bool readWorkingCopy(int archive, Bytes &bytes, Reason *error) const;
    /// Writes `bytes` as the working copy, in which the entries of `before` (given with the
    /// textures they held) now hold other textures.
    bool writeWorkingCopy(int archive, const Bytes &bytes, const std::vector<EntryTexture> &before,
                          Reason *error);
    /// Writes `after` as the working copy and makes it one undo step named `text`.
    bool changeEntries(int archive, const Bytes &before, const Bytes &after,
                       const std::vector<std::int32_t> &entries, const QString &text,
                       Reason *error);

    QString mWorkingFolder;
    QString mOriginalsFolder;
    QUndoStack *mUndoStack;
    std::array<Archive, 2> mArchives;
};
