#pragma once
// What the main window remembers from one run to the next, kept in the editor's settings
// file: the recent boots files (File ▸ Open Recent), the folders the file dialogs start in
// (the texture folder dialog's too), the two archives last loaded (reloaded in one click), the
// window's size and position, and the boots table's place, size and columns; and from the
// [Textures] section the user's image editor and whether the archives beside a boots file load.
#include <QObject>
#include <memory>

class EditorSettings;
class PreviewPanel;
class QPushButton;
class RecentFilesMenu;
class TextureActions;
class frmMain;

class EditorMemory : public QObject
{
    Q_OBJECT
public:
    /// Reads the settings once, puts the window where it was and adds Open Recent to its
    /// File menu and "Load last archives" to its preview.
    explicit EditorMemory(frmMain &window);
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

    frmMain &mWindow;
    PreviewPanel *mPreview;
    TextureActions *mTextures;
    std::unique_ptr<EditorSettings> mSettings;
    RecentFilesMenu *mRecent = nullptr;
    QPushButton *mReload = nullptr;
};
