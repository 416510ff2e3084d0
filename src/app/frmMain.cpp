#include "frmMain.h"

#include "ChangeView.h"
#include "EditorMemory.h"
#include "FileSession.h"
#include "OtherWindows.h"
#include "PackExchange.h"
#include "TableExchange.h"
#include "TextureViewerLink.h"
#include "app/access/Mnemonics.h"
#include "app/access/WindowAccess.h"
#include "app/docks/BootsTableDock.h"
#include "app/panels/BootsListPanel.h"
#include "app/panels/GlobalChangePanel.h"
#include "app/panels/LanguagePanel.h"
#include "app/panels/PreviewPanel.h"
#include "app/panels/RecordEditorPanel.h"
#include "app/panels/TextureActions.h"
#include "app/ui/BootsListWidget.h"
#include "app/ui/Commands.h"
#include "app/ui/EditActions.h"
#include "app/ui/FirstWindowSize.h"
#include "app/ui/LanguageSwitcher.h"
#include "app/ui/RecentFilesMenu.h"
#include "app/ui/WindowCaptions.h"
#include "desktop/AppFolders.h"
#include "editor/AppliedPacks.h"
#include "editor/BootsDocument.h"
#include "editor/TextureArchives.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

QString frmMain::designTitle()
{
    return QStringLiteral("Cleatwork - by Cleatwork contributors");
}

frmMain::frmMain(const QString &programFolder, QWidget *parent)
    : frmMain(programFolder.isEmpty()
                  ? AppFolders::forExecutable(QCoreApplication::applicationDirPath())
                  : AppFolders::portable(programFolder),
              parent)
{
}

frmMain::frmMain(std::unique_ptr<AppFolders> folders, QWidget *parent)
    : QMainWindow(parent), mFolders(std::move(folders)), mProgramFolder(mFolders->userFolder()),
      mDocument(new BootsDocument(mFolders->workingFolder(), this)),
      mFile(new FileSession(mDocument, *mFolders, this))
{
    setObjectName(QStringLiteral("frmMain"));
    mDocument->setOriginalsFolder(mFolders->originalsFolder());
    mDocument->appliedPacks().setFolder(mFolders->receiptsFolder());
    // Mnemonics, tab order and accessible names follow every window's captions.
    WindowAccess::watchApplication();
    setWindowTitle(designTitle() + QStringLiteral("[*]"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.cleatwork.Cleatwork"),
                                   QIcon(QStringLiteral(":/cleatwork.png"))));
    mOthers = new OtherWindows(this, mFolders->userFolder(), mFolders->bundledFolder());
    createControls();
    createMenus();
    mMemory =
        new EditorMemory(mFolders->settingsFile(), {this, mDocument, mCommands, mPreview, mTextures,
                                                    mTable->table()->horizontalHeader(), mPacks});
    mFile->setMemory(mMemory, mTextures);
    connect(mMemory->recentMenu(), &RecentFilesMenu::fileChosen, mFile,
            &FileSession::openAfterAsking);
    // Last, so that the captions and their mnemonics are chosen for every control at once.
    mLanguages = new LanguageSwitcher(*mFolders, ComboBox, this);
    connect(mLanguages, &LanguageSwitcher::applied, this, &frmMain::languageApplied);
    showNotes(mLanguages, &LanguageSwitcher::note);
    showNotes(mFile, &FileSession::note);
    mLanguages->startUp();

    connect(mDocument, &BootsDocument::reset, this, &frmMain::documentReset);
    connect(mDocument, &BootsDocument::filesMoved, this, &frmMain::updateTitle);
    connect(mDocument, &BootsDocument::modifiedChanged, this, &QWidget::setWindowModified);
}

frmMain::~frmMain() = default;

void frmMain::showNote(const QString &text)
{
    statusBar()->showMessage(text);
}

const Textura &frmMain::archiveIndex(int archive) const
{
    return mDocument->textures().index(archive);
}

void frmMain::createControls()
{
    // The panels scroll rather than hold their height, so that the boots table docked below
    // them can take the room the user gives it.
    auto *panels = new QScrollArea(this);
    panels->setObjectName(QStringLiteral("scrollPanels"));
    panels->setWidgetResizable(true);
    panels->setFrameShape(QFrame::NoFrame);
    panels->setFocusPolicy(Qt::NoFocus);
    auto *central = new QWidget;
    central->setObjectName(QStringLiteral("centralWidget"));
    panels->setWidget(central);
    setCentralWidget(panels);
    auto *columns = new QHBoxLayout(central);
    columns->setContentsMargins(10, 10, 10, 10);
    columns->setSpacing(10);

    // Left column: the boots list.
    auto *listBox = new BootsListPanel(mDocument, this);
    List1 = listBox->list();
    columns->addWidget(listBox, 2);

    // Middle column: the record editor; right column: the preview above the language controls.
    mRecordEditor = new RecordEditorPanel(mDocument);
    mGlobalChange = new GlobalChangePanel(mDocument, mRecordEditor);
    mRecordEditor->setGlobalChange(mGlobalChange);
    columns->addWidget(mRecordEditor, 5);
    auto *right = new QVBoxLayout;
    mPreview = new PreviewPanel(mDocument, mFolders->workingFolder());
    mTextures = new TextureActions(mPreview, mDocument, this);
    mTextures->setRefusal([this](const QString &path) { return mFile->refuseWorkingFile(path); });
    mTextures->setEditFolder(mFolders->textureEditFolder());
    showNotes(mTextures, &TextureActions::note);
    mTextureViewer = new TextureViewerLink(mPreview, mDocument, this);
    connect(mTextureViewer, &TextureViewerLink::editRequested, mTextures,
            &TextureActions::editShownTexture);
    right->addWidget(mPreview, 1);
    auto *other = new LanguagePanel;
    ComboBox = other->languageList();
    connect(other->createButton(), &QPushButton::clicked, this, &frmMain::cmdCreate_Click);
    right->addWidget(other);
    columns->addLayout(right, 2);

    connect(List1, &BootsListWidget::filesDropped, this, &frmMain::List1_Drop);
    // What storing changed otherwise than typed or held, from the editor and the table alike.
    showNotes(mDocument, &BootsDocument::valuesAdjusted);
    FirstWindowSize::apply(*this, *central); // a remembered size replaces it (EditorMemory)
}

void frmMain::createMenus()
{
    mCommands = new Commands(this);
    File = mCommands->menu(QStringLiteral("File"));
    File->setTitle(QStringLiteral("File"));
    Edit = mCommands->menu(QStringLiteral("Edit"));
    WindowCaptions::setText(Edit, Translation::Key::Edit);
    Help = mCommands->menu(QStringLiteral("Help"));
    WindowCaptions::setText(Help, Translation::Key::Help);
    const auto command = [this](const char *id, auto slot, const QString &english = QString()) {
        QAction *action = mCommands->action(QString::fromLatin1(id));
        connect(action, &QAction::triggered, this, slot);
        if (!english.isEmpty())
            action->setText(english);
        return action;
    };
    mnuOpen = command("mnuOpen", &frmMain::mnuOpen_Click, QStringLiteral("Open"));
    mnuSave = command("mnuSave", &frmMain::mnuSave_Click, QStringLiteral("Save"));
    mnuSaveAs = command("mnuSaveAs", &frmMain::mnuSaveAs_Click);
    WindowCaptions::setText(mnuSaveAs, Translation::Key::SaveAs);
    for (QAction *action : {mnuSave, mnuSaveAs})
        action->setEnabled(false);
    WindowCaptions::setText(command("mnuQuit", &QWidget::close), Translation::Key::Quit);
    command("About", [this] { mOthers->showAbout(); });
    WindowCaptions::setText(command("mnuManual", [this] { mOthers->showManual(); }),
                            Translation::Key::Manual);

    new TableExchange(mDocument, *mCommands, this); // Export… and Import… of the boots table
    auto *edit = new EditActions(mDocument->undoStack(), *mCommands);
    edit->routeKeysFrom(mRecordEditor->recordFields());
    // File ▸ Export/Apply/Revert Pack… and Edit ▸ Revert to Original for the chosen boots.
    mPacks = new PackExchange(
        mDocument, *mCommands, [this] { return mDocument->selectedBoots(); }, this);
    showNotes(mPacks, &PackExchange::note);

    // View ▸ Boots Table, and Copy and Paste of the table's cells in Edit.
    mTable = new BootsTableDock(mDocument, *mCommands, this);
    mTable->setFocusOnHide(List1);
    connect(mTable, &BootsTableDock::selectedRowsChanged, mGlobalChange,
            [this](int rows) { mGlobalChange->setSelectedRowsAvailable(rows > 0); });
    showNotes(mTable, &BootsTableDock::note);
    // View ▸ Changes and File ▸ Compare With…, marked in the table.
    new ChangeView(mDocument, *mCommands, this);
}

void frmMain::languageApplied()
{
    // The hint names the menu path in the language's own words.
    auto shown = [](const QString &caption, const char *english) {
        const QString text = Mnemonics::plain(caption);
        return text.isEmpty() ? QString::fromLatin1(english) : text;
    };
    List1->setEmptyHint(
        Translation::text(Translation::Key::EmptyListHint,
                          {shown(File->title(), "File") + QStringLiteral(" \u25B8 ") +
                           shown(mnuOpen->text(), "Open")}));
    mOthers->retranslate();
}

void frmMain::cmdCreate_Click()
{
    mLanguages->makeUserLanguageFolder();
    mOthers->showLanguageEditor();
}

void frmMain::mnuOpen_Click()
{
    mFile->open();
}

void frmMain::List1_Drop(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    // The drop is accepted at once; the question about unsaved edits and any error come
    // after the file manager's drag has ended.
    const QString &path = paths.constFirst();
    QMetaObject::invokeMethod(
        this, [this, path] { mFile->openAfterAsking(path); }, Qt::QueuedConnection);
}

void frmMain::openAtStart(const QString &path)
{
    if (path.isEmpty())
        return;
    // Queued, so that a message about the file appears over the shown window.
    QTimer::singleShot(0, this, [this, path] { openFile(path); });
}

bool frmMain::openFile(const QString &path)
{
    return mFile->openFile(path);
}

void frmMain::updateTitle()
{
    setWindowTitle(
        (mDocument->isOpen() ? QDir::toNativeSeparators(mDocument->gamePath()) : designTitle()) +
        QStringLiteral("[*]"));
}

void frmMain::documentReset()
{
    const bool open = mDocument->isOpen();
    updateTitle();
    mnuSave->setEnabled(open);
    mnuSaveAs->setEnabled(open);
    mPreview->setEnabled(open);
    setWindowModified(mDocument->isModified());
}

bool frmMain::save()
{
    return mFile->save();
}

void frmMain::mnuSave_Click()
{
    save();
}

void frmMain::mnuSaveAs_Click()
{
    mFile->saveAs(Mnemonics::plain(mnuSaveAs->text()));
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!mFile->maybeSave()) {
        event->ignore();
        return;
    }
    mMemory->rememberWindow();
    mDocument->removeWorkingFiles();
    mPreview->removeFiles();
    mOthers->closeAll();
    event->accept();
}

bool frmMain::loadArchive(int archive, const QString &path)
{
    return mTextures->loadArchive(archive, path);
}
