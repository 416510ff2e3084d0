#pragma once
// The main window: the menus, the language controls and the wiring between the boots
// document, the boots list, the record editor and the texture preview.
#include "editor/BootsDocument.h"

#include <QMainWindow>
#include <memory>

class AppFolders;
class BootsListWidget;
class BootsTableDock;
class Commands;
class LanguageComboBox;
class EditorMemory;
class FileSession;
class GlobalChangePanel;
class LanguageSwitcher;
class OtherWindows;
class PackExchange;
class PreviewPanel;
class QAction;
class QGroupBox;
class QMenu;
class QPushButton;
class RecordEditorPanel;
class Textura;
class TextureActions;
class TextureViewerLink;

class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    /// `programFolder` holds the working files and the "Language" folder (portable mode);
    /// empty means the folders that the executable's location decides.
    explicit frmMain(const QString &programFolder = QString(), QWidget *parent = nullptr);
    explicit frmMain(std::unique_ptr<AppFolders> folders, QWidget *parent = nullptr);
    ~frmMain() override;

    /// Opens a game boots file without a dialog (what Open does after the dialog, and what a
    /// drop does). False when it did not load; the window then holds no file.
    bool openFile(const QString &path);
    /// Opens `path` once the event loop runs, exactly as File ▸ Open does after its dialog: a
    /// file that does not load gives the usual message and leaves the window empty.
    void openAtStart(const QString &path);
    /// Saves the edits over the opened game file. False (after a message) when it failed;
    /// the game file is then exactly as it was.
    bool save();
    /// Loads a texture archive without a dialog: archive 1 or 2.
    bool loadArchive(int archive, const QString &path);

    QString programFolder() const { return mProgramFolder; }
    const AppFolders &folders() const { return *mFolders; }
    /// The opened game file, or the empty text when none is open.
    QString gamePath() const { return mDocument->gamePath(); }
    bool hasUnsavedEdits() const { return mDocument->isModified(); }
    const Baza &database() const { return mDocument->database(); }
    const Textura &archiveIndex(int archive) const;
    QString workingFile() const { return mDocument->workingFile(); }
    QString wrappedWorkingFile() const { return mDocument->wrappedWorkingFile(); }

    /// The parts later features build on.
    BootsDocument &document() { return *mDocument; }
    RecordEditorPanel *recordEditor() const { return mRecordEditor; }
    GlobalChangePanel *globalChange() const { return mGlobalChange; }
    PreviewPanel *previewPanel() const { return mPreview; }
    TextureActions *textureActions() const { return mTextures; }
    TextureViewerLink *textureViewer() const { return mTextureViewer; }
    QMenu *fileMenu() const { return File; }
    QMenu *editMenu() const { return Edit; }
    BootsTableDock *bootsTable() const { return mTable; }
    QMenu *helpMenu() const { return Help; }
    Commands &commands() const { return *mCommands; }

    /// The design title: the product name and its credit.
    static QString designTitle();

public slots:
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void updateTitle();
    void cmdCreate_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void List1_Drop(const QStringList &paths);

private:
    void createControls();
    void createMenus();
    /// Shows what `sender`'s `signal` says in the status bar.
    template <class Sender> void showNotes(Sender *sender, void (Sender::*signal)(const QString &))
    {
        connect(sender, signal, this, [this](const QString &text) { showNote(text); });
    }
    void showNote(const QString &text);
    void languageApplied();

    void documentReset();

    std::unique_ptr<AppFolders> mFolders;
    QString mProgramFolder;
    BootsDocument *mDocument = nullptr;
    FileSession *mFile = nullptr;
    EditorMemory *mMemory = nullptr;
    Commands *mCommands = nullptr;

    RecordEditorPanel *mRecordEditor = nullptr;
    GlobalChangePanel *mGlobalChange = nullptr;
    PreviewPanel *mPreview = nullptr;
    TextureActions *mTextures = nullptr;
    TextureViewerLink *mTextureViewer = nullptr;
    BootsTableDock *mTable = nullptr;
    PackExchange *mPacks = nullptr;
    BootsListWidget *List1 = nullptr;
    LanguageComboBox *ComboBox = nullptr;
    LanguageSwitcher *mLanguages = nullptr;
    QMenu *File = nullptr;
    QMenu *Edit = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuSaveAs = nullptr;
    QMenu *Help = nullptr;
    OtherWindows *mOthers = nullptr;
};
