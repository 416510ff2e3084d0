#pragma once
// Where the editor reads and writes. Portable: the executable's folder holds a writable
// "Language" folder and is the program folder for everything. Installed: the bundled
// languages are read from <prefix>/share/cleatwork, found from the executable's <prefix>/bin, and
// everything the editor writes goes to the user's data folder. Each running copy gets a
// working folder of its own: the first copy locks its mode's shared working folder, a later
// copy works in a private folder that is removed when it ends; what a dead copy left is
// removed at the next start.
#include "common/Reason.h"

#include <QString>
#include <QStringList>
#include <memory>

class AppFolders
{
public:
    enum class Mode { Portable, Installed };

    /// Decides the mode for the executable in `executableFolder`; `dataFolder` (empty: the
    /// system's per-user data folder of the application) is the installed mode's data folder.
    static std::unique_ptr<AppFolders> forExecutable(const QString &executableFolder,
                                                     const QString &dataFolder = QString());
    /// Portable mode in `programFolder`.
    static std::unique_ptr<AppFolders> portable(const QString &programFolder);
    /// Installed mode: bundled languages in `bundledFolder`/Language, the user's data in
    /// `dataFolder`, the editor's settings in `configFolder` (empty: the system's per-user
    /// configuration folder of the application).
    static std::unique_ptr<AppFolders> installed(const QString &bundledFolder,
                                                 const QString &dataFolder,
                                                 const QString &configFolder = QString());
    ~AppFolders();
    AppFolders(const AppFolders &) = delete;
    AppFolders &operator=(const AppFolders &) = delete;

    Mode mode() const { return mMode; }
    /// The folder that holds the bundled "Language" folder.
    QString bundledFolder() const { return mBundledFolder; }
    /// The folder that holds the user's "Language" folder and its configuration file (the
    /// program folder in portable mode).
    QString userFolder() const { return mUserFolder; }
    /// The editor's settings file (recent files, folders, window): in the program folder in
    /// portable mode, in the user's configuration folder when installed.
    QString settingsFile() const { return mSettingsFile; }
    /// Where the originals of the files the editor opened are kept: in the user's folder,
    /// never beside the game's files.
    QString originalsFolder() const;
    /// Where the receipts of the packs applied are kept, beside the originals.
    QString receiptsFolder() const;
    /// Where this copy keeps its working files.
    QString workingFolder() const { return mWorkingFolder; }
    /// Where the textures out in the user's image editor are written: a folder of the working
    /// folder, removed with this copy's working files.
    QString textureEditFolder() const;
    /// True when another running copy holds the shared working folder.
    bool isPrivate() const { return mPrivate; }
    /// Why the working folder could not be prepared; empty when it was.
    const Reason &error() const { return mError; }

    /// The names of the working files the editor makes in its working folder.
    static const QStringList &workingFileNames();
    /// True when `path` is one of the working files of this copy's working folder.
    bool isWorkingFile(const QString &path) const;

private:
    AppFolders(Mode mode, QString bundledFolder, QString userFolder, QString stateFolder,
               const QString &sharedWorkingFolder);
    void claimWorkingFolder(const QString &stateFolder, const QString &sharedWorkingFolder);
    void removeDeadCopies(const QString &copiesFolder) const;
    enum class Keep { Nothing, Archives };
    void removeWorkingFiles(Keep keep = Keep::Nothing) const;

    Mode mMode;
    QString mBundledFolder;
    QString mUserFolder;
    QString mStateFolder;
    QString mWorkingFolder;
    QString mSettingsFile;
    Reason mError;
    bool mPrivate = false;
    class HeldLock;
    std::unique_ptr<HeldLock> mLock;
};
