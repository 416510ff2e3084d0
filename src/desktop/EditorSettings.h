#pragma once
// The editor's own settings, kept apart from the language choice: the recently opened boots
// files, the folders and archives last used, and the main window's geometry. One INI file; a
// missing, unreadable or malformed file gives the defaults, never an error.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

class EditorSettings
{
public:
    static constexpr int kMaxRecentFiles = 8;

    /// Settings kept in the INI file `path` (created on the first change).
    explicit EditorSettings(const QString &path);
    ~EditorSettings();

    QString path() const;

    /// The recently opened boots files, newest first, at most kMaxRecentFiles, no duplicates.
    QStringList recentFiles() const;
    /// Puts `file` first, merging it with an earlier entry of the same file.
    void addRecentFile(const QString &file);
    void removeRecentFile(const QString &file);
    void clearRecentFiles();

    QString lastBootsFolder() const;
    /// The folder the archive dialogs start in: that of the last archive, else the boots file's.
    QString archiveFolder() const;
    void setLastBootsFile(const QString &file);

    /// The archive last loaded into slot 1 or 2, or the empty text.
    QString lastArchive(int archive) const;
    void setLastArchive(int archive, const QString &file);

    /// The folder of the last export or import of a whole archive, or the empty text.
    QString textureFolder() const;
    void setTextureFolder(const QString &folder);
    /// The folder of the last boot pack (or its report) opened or written, or the empty text.
    QString packFolder() const;
    void setPackFolder(const QString &folder);

    /// The program that "Edit in Image Editor" starts with a PNG's path ([Textures]
    /// TextureEditor), or the empty text for the desktop's default program for PNG files.
    QString textureEditor() const;
    /// Whether opening a boots file loads the two texture archives beside it ([Textures]
    /// LoadArchivesBeside; on unless set to false).
    bool loadArchivesBeside() const;

    QByteArray windowGeometry() const;
    void setWindowGeometry(const QByteArray &geometry);
    /// The window's docks (place, size, shown) as QMainWindow::saveState() gives them.
    QByteArray windowState() const;
    void setWindowState(const QByteArray &state);
    /// The boots table's columns (widths) as QHeaderView::saveState() gives them.
    QByteArray tableColumns() const;
    void setTableColumns(const QByteArray &columns);

    /// Writes pending changes to the file. False when it could not be written.
    bool sync();
    /// Writes pending changes; when the file cannot be written the settings are only not
    /// remembered (a warning goes to the log), which is no reason to trouble the user.
    void store();

private:
    QString text(const char *key) const;

    std::unique_ptr<QSettings> mSettings;
};
