#include "AppFolders.h"

#include "common/LockHolder.h"
#include "common/PrivateFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>
#include <QStandardPaths>
#include <QSysInfo>
#include <atomic>

namespace {

constexpr const char *kLockName = "work.lock";
// A portable copy keeps its lock in its program folder, beside everything else it writes.
constexpr const char *kProgramLockName = "cleatwork.lock";
constexpr const char *kCopiesName = "copies";
constexpr const char *kInstalledWorkName = "work";
constexpr const char *kSettingsName = "cleatwork.ini";

QString canonicalOrAbsolute(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

// The locks this process holds, so that a lock naming this process is told from one that a
// dead copy with the same process id left.
QSet<QString> &heldLocks()
{
    static QSet<QString> held;
    return held;
}

bool sameMachine(const QString &host)
{
    // The name as QLockFile records it: on Windows the computer's name, on other systems the
    // host's.
#ifdef _WIN32
    const QString here = qEnvironmentVariable("COMPUTERNAME");
#else
    const QString here = QSysInfo::machineHostName();
#endif
    return host.isEmpty() || host == here;
}

std::string toNativeText(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

// "<folder>: <why>" for the messages about a folder that cannot be had.
Reason withReason(const QString &path, const Reason &reason)
{
    return Reason(Reasons::Id::NamedLine, {toNativeText(path), reason});
}

} // namespace

// A lock that only a dead holder gives up: it never goes stale by age.
class AppFolders::HeldLock
{
public:
    // Known by its folder's canonical path: the file itself comes and goes.
    explicit HeldLock(const QString &path)
        : mPath(QDir(canonicalOrAbsolute(QFileInfo(path).absolutePath()))
                    .filePath(QFileInfo(path).fileName())),
          mLock(path)
    {
        mLock.setStaleLockTime(0);
    }
    ~HeldLock()
    {
        if (mHeld)
            heldLocks().remove(mPath);
    }
    HeldLock(const HeldLock &) = delete;
    HeldLock &operator=(const HeldLock &) = delete;

    static std::unique_ptr<HeldLock> tryTake(const QString &path)
    {
        auto lock = std::make_unique<HeldLock>(path);
        if (!lock->take())
            return nullptr;
        return lock;
    }
    /// True when no running copy holds the lock (it is not taken).
    static bool isFree(const QString &path) { return tryTake(path) != nullptr; }
    /// True when another copy holds it (not: the lock file cannot be made at all).
    bool heldElsewhere() const { return mLock.error() == QLockFile::LockFailedError; }

    bool take()
    {
        if (!mLock.tryLock(0)) {
            if (!heldElsewhere() || !holderIsStale() || !mLock.removeStaleLockFile() ||
                !mLock.tryLock(0))
                return false;
        }
        mHeld = true;
        heldLocks().insert(mPath);
        return true;
    }

private:
    bool holderIsStale() const
    {
        qint64 pid = 0;
        QString host;
        QString application;
        if (!mLock.getLockInfo(&pid, &host, &application))
            return false;
        return LockHolder::isStale(
            {pid, sameMachine(host)},
            {LockHolder::ownPid(), heldLocks().contains(mPath), LockHolder::isRunning(pid)});
    }

    QString mPath;
    QLockFile mLock;
    bool mHeld = false;
};

std::unique_ptr<AppFolders> AppFolders::forExecutable(const QString &executableFolder,
                                                      const QString &dataFolder)
{
    const QFileInfo languages(QDir(executableFolder).filePath(QStringLiteral("Language")));
    if (languages.isDir() && QFileInfo(executableFolder).isWritable())
        return portable(executableFolder);
    const QString bundled =
        QDir::cleanPath(QDir(executableFolder).filePath(QStringLiteral(CLEATWORK_DATA_FROM_BIN)));
    return installed(bundled, dataFolder.isEmpty() ? QStandardPaths::writableLocation(
                                                         QStandardPaths::AppLocalDataLocation)
                                                   : dataFolder);
}

std::unique_ptr<AppFolders> AppFolders::portable(const QString &programFolder)
{
    std::unique_ptr<AppFolders> folders(
        new AppFolders(Mode::Portable, programFolder, programFolder, programFolder, programFolder));
    folders->mSettingsFile = QDir(programFolder).filePath(QString::fromLatin1(kSettingsName));
    return folders;
}

std::unique_ptr<AppFolders> AppFolders::installed(const QString &bundledFolder,
                                                  const QString &dataFolder,
                                                  const QString &configFolder)
{
    std::unique_ptr<AppFolders> folders(
        new AppFolders(Mode::Installed, bundledFolder, dataFolder, dataFolder,
                       QDir(dataFolder).filePath(QString::fromLatin1(kInstalledWorkName))));
    const QString config = configFolder.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                               : configFolder;
    folders->mSettingsFile = QDir(config).filePath(QString::fromLatin1(kSettingsName));
    return folders;
}

QString AppFolders::originalsFolder() const
{
    return QDir(mUserFolder).filePath(QStringLiteral("originals"));
}

QString AppFolders::receiptsFolder() const
{
    return QDir(mUserFolder).filePath(QStringLiteral("receipts"));
}

AppFolders::AppFolders(Mode mode, QString bundledFolder, QString userFolder, QString stateFolder,
                       const QString &sharedWorkingFolder)
    : mMode(mode), mBundledFolder(std::move(bundledFolder)), mUserFolder(std::move(userFolder)),
      mStateFolder(std::move(stateFolder))
{
    claimWorkingFolder(mStateFolder, sharedWorkingFolder);
}

AppFolders::~AppFolders()
{
    if (mPrivate)
        PrivateFolder::removeTree(toNativeText(mWorkingFolder));
    else if (mLock)
        removeWorkingFiles(mMode == Mode::Portable ? Keep::Archives : Keep::Nothing);
    if (mLock && mMode == Mode::Installed && !mPrivate)
        QDir().rmdir(mWorkingFolder); // only when empty
    mLock.reset();
    QDir(mStateFolder).rmdir(QString::fromLatin1(kCopiesName)); // only when no other copy uses it
}

const QStringList &AppFolders::workingFileNames()
{
    static const QStringList names = {QStringLiteral("temp.bin"),  QStringLiteral("temp.bin.zlib"),
                                      QStringLiteral("temp"),      QStringLiteral("File1"),
                                      QStringLiteral("File2"),     QStringLiteral("File1.part"),
                                      QStringLiteral("File2.part")};
    return names;
}

void AppFolders::claimWorkingFolder(const QString &stateFolder, const QString &sharedWorkingFolder)
{
    mWorkingFolder = sharedWorkingFolder;
    // The installed state folder and the "copies" of either mode must be this user's own: a
    // folder someone else made (or a link to one) is never used, listed or cleaned. A portable
    // copy's state folder is its program folder, which the user chose.
    Reason reason;
    const QString copies = QDir(stateFolder).filePath(QString::fromLatin1(kCopiesName));
    if (mMode == Mode::Installed) {
        QDir().mkpath(stateFolder);
        if (!PrivateFolder::ensure(toNativeText(stateFolder), &reason)) {
            mError = Reason(Reasons::Id::CannotMakeFolder, {withReason(stateFolder, reason)});
            return;
        }
    }
    auto lock = std::make_unique<HeldLock>(
        QDir(stateFolder)
            .filePath(QString::fromLatin1(mMode == Mode::Portable ? kProgramLockName : kLockName)));
    if (lock->take())
        mLock = std::move(lock);
    else if (mMode == Mode::Portable && !lock->heldElsewhere())
        return; // a program folder that cannot hold files: the first working file says so
    if (mLock) {
        if (mMode == Mode::Installed &&
            !PrivateFolder::ensure(toNativeText(mWorkingFolder), &reason)) {
            mLock.reset();
            mError =
                Reason(Reasons::Id::CannotMakeWorkingFolder, {withReason(mWorkingFolder, reason)});
            return;
        }
        // What a copy that died left behind (a program folder's archive copies stay, as after
        // a normal end).
        removeWorkingFiles(mMode == Mode::Portable ? Keep::Archives : Keep::Nothing);
        removeDeadCopies(copies);
        return;
    }

    // Another copy is running: work in a private folder, locked before it is made so that
    // no other copy takes it for a dead one's. The folder must be new.
    removeDeadCopies(copies);
    static std::atomic<int> counter{0};
    const QString name =
        QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(counter.fetch_add(1));
    const QString folder = QDir(copies).filePath(name);
    if (PrivateFolder::ensure(toNativeText(copies), &reason))
        mLock = HeldLock::tryTake(folder + QStringLiteral(".lock"));
    if (!mLock || !PrivateFolder::createNew(toNativeText(folder), &reason)) {
        mLock.reset();
        mError = Reason(Reasons::Id::CannotMakeWorkingFolder, {withReason(folder, reason)});
        return;
    }
    mWorkingFolder = folder;
    mPrivate = true;
}

void AppFolders::removeDeadCopies(const QString &copiesFolder) const
{
    if (!PrivateFolder::isOwn(toNativeText(copiesFolder)))
        return;
    const QDir copies(copiesFolder);
    const QFileInfoList entries =
        copies.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (!entry.isDir() || entry.isSymLink())
            continue;
        // A folder whose lock can be had belongs to a copy that is no longer running.
        if (HeldLock::isFree(entry.absoluteFilePath() + QStringLiteral(".lock")))
            PrivateFolder::removeTree(toNativeText(entry.absoluteFilePath()));
    }
}

QString AppFolders::textureEditFolder() const
{
    return QDir(mWorkingFolder).filePath(QStringLiteral("TextureEdits"));
}

void AppFolders::removeWorkingFiles(Keep keep) const
{
    // Pictures still open in an image editor go too: their watch ended with the copy.
    PrivateFolder::removeTree(toNativeText(textureEditFolder()));
    QDir folder(mWorkingFolder);
    if (mMode == Mode::Installed) {
        // The installed working folder holds nothing but working files.
        for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
            folder.remove(name);
        return;
    }
    for (const QString &name : workingFileNames()) {
        // A portable program folder keeps the archives' working copies after a normal end,
        // until the next load of the same archive replaces them.
        if (keep == Keep::Archives &&
            (name == QLatin1String("File1") || name == QLatin1String("File2")))
            continue;
        folder.remove(name);
    }
}

bool AppFolders::isWorkingFile(const QString &path) const
{
    const QFileInfo file(canonicalOrAbsolute(path));
    if (file.absolutePath() != canonicalOrAbsolute(mWorkingFolder))
        return false;
    return mPrivate || mMode == Mode::Installed || workingFileNames().contains(file.fileName());
}
