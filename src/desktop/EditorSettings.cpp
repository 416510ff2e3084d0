#include "EditorSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const char *const kRecentFiles = "RecentFiles/Files";
const char *const kBootsFolder = "Folders/BootsFiles";
const char *const kArchiveFolder = "Folders/Archives";
const char *const kArchive[] = {"Archives/First", "Archives/Second"};
const char *const kGeometry = "Window/Geometry";
const char *const kWindowState = "Window/State";
const char *const kTableColumns = "Table/Columns";
const char *const kTextureFolder = "Folders/Textures";
const char *const kPackFolder = "Folders/Packs";
const char *const kTextureEditor = "Textures/TextureEditor";
const char *const kLoadArchivesBeside = "Textures/LoadArchivesBeside";

// One spelling per file, so that the same file opened by two routes is one entry.
QString canonical(const QString &file)
{
    return QDir::cleanPath(QFileInfo(file).absoluteFilePath());
}

} // namespace

EditorSettings::EditorSettings(const QString &path)
    : mSettings(std::make_unique<QSettings>(path, QSettings::IniFormat))
{
}

EditorSettings::~EditorSettings() = default;

QString EditorSettings::path() const
{
    return mSettings->fileName();
}

QString EditorSettings::text(const char *key) const
{
    // A value of another type (a list where text belongs) reads as nothing.
    const QVariant value = mSettings->value(QLatin1String(key));
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

QStringList EditorSettings::recentFiles() const
{
    QStringList files;
    const QVariant value = mSettings->value(QLatin1String(kRecentFiles));
    const QStringList stored =
        value.typeId() == QMetaType::QString ? QStringList{value.toString()} : value.toStringList();
    for (const QString &file : stored) {
        const QString clean = file.trimmed().isEmpty() ? QString() : canonical(file);
        if (!clean.isEmpty() && !files.contains(clean) && files.size() < kMaxRecentFiles)
            files << clean;
    }
    return files;
}

void EditorSettings::addRecentFile(const QString &file)
{
    QStringList files = recentFiles();
    files.removeAll(canonical(file));
    files.prepend(canonical(file));
    while (files.size() > kMaxRecentFiles)
        files.removeLast();
    mSettings->setValue(QLatin1String(kRecentFiles), files);
}

void EditorSettings::removeRecentFile(const QString &file)
{
    QStringList files = recentFiles();
    files.removeAll(canonical(file));
    mSettings->setValue(QLatin1String(kRecentFiles), files);
}

void EditorSettings::clearRecentFiles()
{
    mSettings->setValue(QLatin1String(kRecentFiles), QStringList());
}

QString EditorSettings::lastBootsFolder() const
{
    return text(kBootsFolder);
}

QString EditorSettings::archiveFolder() const
{
    const QString folder = text(kArchiveFolder);
    return folder.isEmpty() ? lastBootsFolder() : folder;
}

void EditorSettings::setLastBootsFile(const QString &file)
{
    mSettings->setValue(QLatin1String(kBootsFolder), QFileInfo(canonical(file)).path());
}

QString EditorSettings::lastArchive(int archive) const
{
    return archive == 1 || archive == 2 ? text(kArchive[archive - 1]) : QString();
}

void EditorSettings::setLastArchive(int archive, const QString &file)
{
    if (archive != 1 && archive != 2)
        return;
    mSettings->setValue(QLatin1String(kArchive[archive - 1]), canonical(file));
    mSettings->setValue(QLatin1String(kArchiveFolder), QFileInfo(canonical(file)).path());
}

QString EditorSettings::textureFolder() const
{
    return text(kTextureFolder);
}

QString EditorSettings::packFolder() const
{
    return text(kPackFolder);
}

void EditorSettings::setPackFolder(const QString &folder)
{
    mSettings->setValue(QLatin1String(kPackFolder), canonical(folder));
}

void EditorSettings::setTextureFolder(const QString &folder)
{
    mSettings->setValue(QLatin1String(kTextureFolder), canonical(folder));
}

QByteArray EditorSettings::windowGeometry() const
{
    return mSettings->value(QLatin1String(kGeometry)).toByteArray();
}

void EditorSettings::setWindowGeometry(const QByteArray &geometry)
{
    mSettings->setValue(QLatin1String(kGeometry), geometry);
}

QByteArray EditorSettings::windowState() const
{
    return mSettings->value(QLatin1String(kWindowState)).toByteArray();
}

void EditorSettings::setWindowState(const QByteArray &state)
{
    mSettings->setValue(QLatin1String(kWindowState), state);
}

QByteArray EditorSettings::tableColumns() const
{
    return mSettings->value(QLatin1String(kTableColumns)).toByteArray();
}

void EditorSettings::setTableColumns(const QByteArray &columns)
{
    mSettings->setValue(QLatin1String(kTableColumns), columns);
}

bool EditorSettings::sync()
{
    mSettings->sync();
    // A malformed file read at the start reports a format error; it is written over all the same.
    return mSettings->status() != QSettings::AccessError;
}

void EditorSettings::store()
{
    if (!sync())
        qWarning("The settings could not be written to %s.",
                 qPrintable(QDir::toNativeSeparators(path())));
}

QString EditorSettings::textureEditor() const
{
    return text(kTextureEditor).trimmed();
}

bool EditorSettings::loadArchivesBeside() const
{
    // Anything but a clear "off" keeps the default.
    const QString value = text(kLoadArchivesBeside).trimmed().toLower();
    return !(value == QLatin1String("false") || value == QLatin1String("0") ||
             value == QLatin1String("no") || value == QLatin1String("off"));
}
