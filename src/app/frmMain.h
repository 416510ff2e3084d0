#pragma once
// The main window: the boots list, the record editor, the global change of statistics, the
// texture preview and the language controls. It owns the editing state (the boots database,
// the texture indexes, the opened game file) and the working files in the program folder.
#include "boots/Baza.h"
#include "container/PesZlib.h"
#include "textures/Textura.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

class AppFolders;
class BootsListWidget;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class TexturePreview;
class frmAbout;
class frmCreateLanguage;

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
    /// Saves the edits over the opened game file. False (after a message) when it failed;
    /// the game file is then exactly as it was.
    bool save();
    /// Loads a texture archive without a dialog: archive 1 or 2.
    bool loadArchive(int archive, const QString &path);

    QString programFolder() const { return mProgramFolder; }
    const AppFolders &folders() const { return *mFolders; }
    /// The opened game file, or the empty text when none is open.
    QString gamePath() const { return mGamePath; }
    bool hasUnsavedEdits() const { return isWindowModified(); }
    const Baza &database() const { return BootsDb; }
    const Textura &archiveIndex(int archive) const;
    QString workingFile() const;
    QString wrappedWorkingFile() const;

    /// The design title: the product name and its credit.
    static QString designTitle();
    /// The filter text of the Open dialog, as the original program gave it.
    static const char *const kOpenFilter;

public slots:
    void mnuOpen_Click();
    void mnuSave_Click();
    void About_Click();
    void cmdCreate_Click();
    void cmdOpenT_Click();
    void cmdOpent2_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void List1_Click();
    void List1_Drop(const QStringList &paths);
    void txt_Change();
    void Combo_Click();
    void R1_Click();
    void R2_Click();
    void Over_Change();
    void cmdChange_Click();
    void LstOffset_Click();
    void LstOffset2_Click();
    void ComboBox_Click();
    void languageEditorClosed();

private:
    void createControls();
    void createMenus();
    void startUp();
    void ApplyLanguage();

    bool maybeSave();
    void enterNoFileState();
    void fillBootsList(bool announceHiddenRecords);
    void clearEditor();
    void Producent();
    void followBootSelection(int position);
    void previewEntry(int archive);
    void setModified(bool modified);
    void showError(const QString &text, const QString &details = QString());
    QString pathIn(const QString &name) const;
    bool refuseWorkingFile(const QString &path);
    void makeUserLanguageFolder();

    std::unique_ptr<AppFolders> mFolders;
    QString mProgramFolder;
    QString mGamePath;
    PesZlib mZlib;

    // Editing state.
    Baza BootsDb;
    QString CurrentPath;
    std::uint8_t SelectedIndex = 0;
    bool Loading = false;
    bool mBootSelected = false;

    // Texture archives.
    QString ArchivePath1;
    QString ArchivePath2;
    Textura ArchiveIndex1;
    Textura2 ArchiveIndex2;
    int SelectedEntry1 = -1;
    int SelectedEntry2 = -1;
    std::unique_ptr<TexturePreview> mPreview;

    // Controls, named as in the window's design.
    std::array<QGroupBox *, 21> GroupBox{};
    BootsListWidget *List1 = nullptr;
    std::array<QLineEdit *, 9> txt{};
    std::array<QLabel *, 2> Lbl{};
    QComboBox *Combo = nullptr;
    QComboBox *ComboBox = nullptr;
    QRadioButton *R1 = nullptr;
    QRadioButton *R2 = nullptr;
    std::array<QCheckBox *, 5> Ch{};
    QLineEdit *Over = nullptr;
    QPushButton *cmdChange = nullptr;
    QPushButton *cmdOpenT = nullptr;
    QPushButton *cmdOpent2 = nullptr;
    QPushButton *cmdCreate = nullptr;
    QLabel *Img = nullptr;
    QListWidget *LstOffset = nullptr;
    QListWidget *LstOffset2 = nullptr;
    std::array<QLineEdit *, 4> Text{};
    QMenu *File = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuQuit = nullptr;
    QAction *About = nullptr;

    QPointer<frmAbout> mAbout;
    QPointer<frmCreateLanguage> mLanguageEditor;
};
