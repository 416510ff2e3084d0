#pragma once
// What the main window remembers from one run to the next, kept in the editor's settings
// file: the recent boots files (File ▸ Open Recent), the folders the file dialogs start in
// (the texture folder dialog's too), the two archives last loaded (reloaded in one click), the
// window's size and position, and the boots table's place, size and columns; and from the
// [Textures] section the user's image editor and whether the archives beside a boots file load.
// A settings file that cannot be read leaves everything as it starts; remembered places that no
// longer fit are dropped with a warning.
#include <QObject>
#include <memory>

class BootsDocument;
class EditorSettings;
class PreviewPanel;
class PackExchange;
class QHeaderView;
class QMainWindow;
class Commands;
class QPushButton;
class RecentFilesMenu;
class TextureActions;

class EditorMemory : public QObject
{
    Q_OBJECT
public:
    /// What is remembered, and where Open Recent and "Load last archives" go.
    struct Parts
    {
        QMainWindow *window;            ///< its size, position and docks
        const BootsDocument *document;  ///< the boots file opened, for the recent files
        Commands *commands;             ///< gets Open Recent
        PreviewPanel *preview;          ///< gets "Load last archives"
        TextureActions *textures;       ///< its archives and folders
        QHeaderView *tableColumns;      ///< the boots table's columns
        PackExchange *packs;            ///< the folder its dialogs start in
    };

    /// Reads `settingsFile` once, puts the window where it was and provides Open Recent to
    /// the commands and adds "Load last archives" to the preview.
    EditorMemory(const QString &settingsFile, const Parts &parts);
    ~EditorMemory() override;

    RecentFilesMenu *recentMenu() const { return mRecent; }
    /// The folder the boots file dialog starts in (empty: the dialog's own choice).
    QString bootsFolder() const;
    /// Loads the two archives last loaded, each as its own button would. True when both
    /// loaded.
    bool loadLastArchives();
    /// Whether opening a boots file loads the archives beside it.
    bool loadsArchivesBeside() const;
    /// Keeps the window's size and position for the next start.
    void rememberWindow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void documentReset();
    void archiveLoaded(int archive, const QString &path);
    void updateReloadButton();

    Parts mParts;
    std::unique_ptr<EditorSettings> mSettings;
    RecentFilesMenu *mRecent = nullptr;
    QPushButton *mReload = nullptr;
};
