#pragma once
// Textures out in the user's image editor. Each is written as a PNG into a private folder
// and its file is watched; every save the editor makes, once the file has rested for a moment,
// goes into the entry through the texture document as one undo step ("Edit Texture NNN"), as
// Replace Texture would put it. Editors that save by writing a new file and renaming it over the
// old one are followed through the folder's watch. A save that cannot be used (broken, another
// size, an archive loaded again since) changes nothing and is told once by a signal; so is a
// PNG that cannot be written when an edit starts (false and a reason).
#include "common/Reason.h"
#include "imaging/textures/TextureReplacer.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QTimer;
class TextureArchives;

class TextureEditWatch : public QObject
{
    Q_OBJECT
public:
    /// How long a file must rest after its last change before it is read.
    static constexpr int kSettleMs = 500;

    /// The PNGs go into `folder` (made private when missing); the saves into `textures`.
    TextureEditWatch(TextureArchives *textures, const QString &folder, QObject *parent = nullptr);
    ~TextureEditWatch() override;

    void setSettleTime(int ms) { mSettleMs = ms; }
    QString folder() const { return mFolder; }

    /// Writes the texture of `entry` of archive 1 or 2 as a PNG and watches it; the PNG's path,
    /// or the empty text with the reason in `error`. An entry already out is written again
    /// only when its PNG is gone.
    QString start(int archive, std::int32_t entry, Reason *error);
    bool isWatched(int archive, std::int32_t entry) const;
    int watchedCount() const { return static_cast<int>(mEdits.size()); }
    /// Ends the watches of archive 1 or 2 (0: all); their PNGs stay until the folder goes.
    void stop(int archive = 0);

    /// Takes the last save of `path` that was refused for its size alone, resized to the
    /// entry's size, as one undo step. False with the reason when it cannot be taken.
    bool takeResized(const QString &path, Reason *error);

signals:
    /// A save of the PNG became an undo step of `entry`.
    void taken(int archive, std::int32_t entry, const QString &path);
    /// A save was not taken; `reason` says why.
    void refused(const QString &path, const Reason &reason);
    /// A save was refused for its size alone; `reason` names both sizes. takeResized() takes it.
    void otherSize(const QString &path, const Reason &reason);

private:
    struct Edit
    {
        int archive = 0;
        std::int32_t entry = 0;
        int loadNumber = 0;
        QString path;
        qint64 size = -1;
        QDateTime modified;
        QTimer *timer = nullptr;
    };
    Edit *find(int archive, std::int32_t entry) const;
    Edit *find(const QString &path) const;
    /// A change in the folder or of a file: the saves that moved restart their wait.
    void look();
    void settle(Edit *edit);
    bool put(Edit *edit, TextureReplacer::Fit fit, Reason *error, bool *otherSize);
    QString pngName(int archive, std::int32_t entry) const;

    TextureArchives *mTextures;
    QString mFolder;
    int mSettleMs = kSettleMs;
    bool mChanged = false; ///< the texture document changed entries during the last put()
    QFileSystemWatcher mWatcher;
    std::vector<std::unique_ptr<Edit>> mEdits;
};
