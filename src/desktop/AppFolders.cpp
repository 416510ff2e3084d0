#include "AppFolders.h"

#include "common/PrivateFolder.h"
#include "editor/UiText.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <atomic>

namespace {

constexpr const char *kLockName = "work.lock";
// Beside the state folder's lock, a portable copy locks its program folder itself: two copies
// with different runtime folders (two machines on one stick, two sessions) never share it.
constexpr const char *kProgramLockName = "cleatwork.lock";
constexpr const char *kCopiesName = "copies";
constexpr const char *kInstalledWorkName = "work";
constexpr const char *kSettingsName = "cleatwork.ini";

// A lock that only a dead holder gives up: it never goes stale by age.
std::unique_ptr<QLockFile> tryLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

QString canonicalOrAbsolute(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

std::string toNativeText(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

// "<folder> (<why>)" for the messages about a folder that cannot be had.
QString withReason(const QString &path, const Reason &reason)
{
    return QDir::toNativeSeparators(path) + QStringLiteral(" (") + UiText::reason(reason) +
           QStringLiteral(")");
}

// A portable copy keeps its lock and any private folders outside the program folder, under a
// name that stands for the program folder: in the user's runtime folder when it is the user's
// own, else in the user's cache folder. Never in a folder that other users share.
QString portableStateFolder(const QString &programFolder)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString base;
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) &&
        PrivateFolder::isOwn(toNativeText(runtime))) {
        base = runtime;
    } else {
        const QString cache =
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        QDir().mkpath(cache);
        base = QDir(cache).filePath(QStringLiteral("cleatwork"));
    }
    const QByteArray key = QCryptographicHash::hash(canonicalOrAbsolute(programFolder).toUtf8(),
                                                    QCryptographicHash::Sha1)
                               .toHex()
                               .left(16);
    return QDir(base).filePath(QStringLiteral("cleatwork-") + QString::fromLatin1(key));
}

} // namespace

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
    std::unique_ptr<AppFolders> folders(new AppFolders(Mode::Portable, programFolder, programFolder,
                                                       portableStateFolder(programFolder),
                                                       programFolder));
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
    mProgramLock.reset();
    QDir state(mStateFolder);
    state.rmdir(QString::fromLatin1(kCopiesName)); // only when no other copy uses it
    if (mMode == Mode::Portable)
        QDir().rmdir(mStateFolder);
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
    // The state folder and its "copies" must be this user's own: a folder someone else made
    // (or a link to one) is never used, listed or cleaned.
    Reason reason;
    if (mMode == Mode::Portable)
        QDir().mkpath(QFileInfo(stateFolder).absolutePath());
    else
        QDir().mkpath(stateFolder);
    const QString copies = QDir(stateFolder).filePath(QString::fromLatin1(kCopiesName));
    if (!PrivateFolder::ensure(toNativeText(stateFolder), &reason)) {
        mError = UiText::text(UiText::Key::CannotMakeFolder,
                              {withReason(stateFolder, reason)});
        return;
    }
    mLock = tryLock(QDir(stateFolder).filePath(QString::fromLatin1(kLockName)));
    if (mLock && mMode == Mode::Portable) {
        auto programLock = std::make_unique<QLockFile>(
            QDir(sharedWorkingFolder).filePath(QString::fromLatin1(kProgramLockName)));
        programLock->setStaleLockTime(0);
        if (programLock->tryLock(0))
            mProgramLock = std::move(programLock);
        else if (programLock->error() == QLockFile::LockFailedError)
            mLock.reset(); // a live copy with another runtime folder works there
        // else the program folder cannot hold files at all: the first working file written
        // there says so
    }
    if (mLock) {
        if (mMode == Mode::Installed &&
            !PrivateFolder::ensure(toNativeText(mWorkingFolder), &reason)) {
            mLock.reset();
            mError = UiText::text(UiText::Key::CannotMakeWorkingFolder,
                                  {withReason(mWorkingFolder, reason)});
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
        mLock = tryLock(folder + QStringLiteral(".lock"));
    if (!mLock || !PrivateFolder::createNew(toNativeText(folder), &reason)) {
        mLock.reset();
        mError = UiText::text(UiText::Key::CannotMakeWorkingFolder,
                              {withReason(folder, reason)});
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
        const std::unique_ptr<QLockFile> lock =
            tryLock(entry.absoluteFilePath() + QStringLiteral(".lock"));
        if (lock)
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
