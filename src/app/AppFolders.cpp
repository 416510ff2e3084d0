#include "AppFolders.h"

#include "language/UiText.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <atomic>

namespace {

constexpr const char *kLockName = "work.lock";
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

// A portable copy keeps its lock and any private folders outside the program folder: in the
// user's runtime folder, under a name that stands for the program folder.
QString portableStateFolder(const QString &programFolder)
{
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    const QByteArray key = QCryptographicHash::hash(canonicalOrAbsolute(programFolder).toUtf8(),
                                                    QCryptographicHash::Sha1)
                               .toHex()
                               .left(16);
    return QDir(runtime).filePath(QStringLiteral("cleatwork-") + QString::fromLatin1(key));
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
        QDir(mWorkingFolder).removeRecursively();
    else if (mLock)
        removeWorkingFiles(mMode == Mode::Portable ? Keep::Archives : Keep::Nothing);
    if (mLock && mMode == Mode::Installed && !mPrivate)
        QDir().rmdir(mWorkingFolder); // only when empty
    mLock.reset();
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
    if (!QDir().mkpath(stateFolder)) {
        mError =
            UiText::text(UiText::Key::CannotMakeFolder, {QDir::toNativeSeparators(stateFolder)});
        return;
    }
    const QString copies = QDir(stateFolder).filePath(QString::fromLatin1(kCopiesName));
    mLock = tryLock(QDir(stateFolder).filePath(QString::fromLatin1(kLockName)));
    if (mLock) {
        if (mMode == Mode::Installed)
            QDir().mkpath(mWorkingFolder);
        // What a copy that died left behind (a program folder's archive copies stay, as after
        // a normal end).
        removeWorkingFiles(mMode == Mode::Portable ? Keep::Archives : Keep::Nothing);
        removeDeadCopies(copies);
        return;
    }

    // Another copy is running: work in a private folder, locked before it is made so that
    // no other copy takes it for a dead one's.
    removeDeadCopies(copies);
    static std::atomic<int> counter{0};
    const QString name =
        QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(counter.fetch_add(1));
    const QString folder = QDir(copies).filePath(name);
    if (QDir().mkpath(copies))
        mLock = tryLock(folder + QStringLiteral(".lock"));
    if (!mLock || !QDir().mkpath(folder)) {
        mLock.reset();
        mError =
            UiText::text(UiText::Key::CannotMakeWorkingFolder, {QDir::toNativeSeparators(folder)});
        return;
    }
    mWorkingFolder = folder;
    mPrivate = true;
}

void AppFolders::removeDeadCopies(const QString &copiesFolder) const
{
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
            QDir(entry.absoluteFilePath()).removeRecursively();
    }
}

void AppFolders::removeWorkingFiles(Keep keep) const
{
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
