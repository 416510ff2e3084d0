#include "frmMain.h"

#include "EditorMemory.h"
#include "TableExchange.h"
#include "TextureViewerLink.h"
#include "app/access/Mnemonics.h"
#include "app/access/WindowAccess.h"
#include "app/docks/BootsTableDock.h"
#include "app/panels/BootsListPanel.h"
#include "app/panels/PreviewPanel.h"
#include "app/panels/RecordEditorPanel.h"
#include "app/panels/TextureActions.h"
#include "app/ui/BootsListWidget.h"
#include "app/ui/EditActions.h"
#include "app/ui/FileChooser.h"
#include "app/ui/LanguageComboBox.h"
#include "app/ui/MainWindowTexts.h"
#include "app/ui/Messages.h"
#include "app/ui/RecentFilesMenu.h"
#include "app/windows/frmAbout.h"
#include "app/windows/frmCreateLanguage.h"
#include "app/windows/frmManual.h"
#include "desktop/AppFolders.h"
#include "editor/BootsDocument.h"
#include "editor/GuiText.h"
#include "editor/TextureArchives.h"

#include "language/Languages.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

using GuiText::toNative;

namespace {

QGroupBox *groupBox(int number, const QString &caption, QWidget *parent = nullptr)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(QStringLiteral("GroupBox%1").arg(number));
    return box;
}

} // namespace

const char *const frmMain::kOpenFilter =
    "unnamed_1831.bin(dt0f.img)|*unnamed_1831.bin|*unnamed_28.bin(dt0c.img)|*unnamed_28.bin|"
    "All Files | *.*";

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
      mDocument(new BootsDocument(mFolders->workingFolder(), this))
{
    setObjectName(QStringLiteral("frmMain"));
    // Mnemonics, tab order and accessible names follow every window's captions.
    WindowAccess::watchApplication();
    setWindowTitle(designTitle() + QStringLiteral("[*]"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.cleatwork.Cleatwork"),
                                   QIcon(QStringLiteral(":/cleatwork.png"))));
    createControls();
    createMenus();
    startUp();
    mMemory = new EditorMemory(*this);
    connect(mMemory->recentMenu(), &RecentFilesMenu::fileChosen, this, [this](const QString &path) {
        if (maybeSave())
            openFile(path);
    });

    connect(mDocument, &BootsDocument::reset, this, &frmMain::documentReset);
    connect(mDocument, &BootsDocument::recordChanged, this, &frmMain::recordChanged);
    connect(mDocument, &BootsDocument::recordsReplaced, this, &frmMain::recordsReplaced);
    connect(mDocument, &BootsDocument::currentBootChanged, this, &frmMain::showCurrentBoot);
    connect(mDocument, &BootsDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(mDocument, &BootsDocument::workingFileFailed, this,
            [this](const QString &reason) { Messages::workingFileNotWritten(this, reason); });
}

frmMain::~frmMain() = default;

bool frmMain::refuseWorkingFile(const QString &path)
{
    if (!mFolders->isWorkingFile(path))
        return false;
    Messages::cannotOpen(this, path, UiText::text(UiText::Key::OwnWorkingFile));
    return true;
}

const Textura &frmMain::archiveIndex(int archive) const
{
    return mDocument->textures().index(archive);
}

// ---------------------------------------------------------------------------------------
// Controls and menus

void frmMain::createControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);
    auto *columns = new QHBoxLayout(central);
    columns->setContentsMargins(10, 10, 10, 10);
    columns->setSpacing(10);

    // Left column: the boots list.
    auto *listBox = new BootsListPanel(mDocument, this);
    List1 = listBox->list();
    columns->addWidget(listBox, 3);

    // Middle column: the record editor; right column: the preview above the language controls.
    mRecordEditor = new RecordEditorPanel;
    columns->addWidget(mRecordEditor, 5);
    auto *right = new QVBoxLayout;
    mPreview = new PreviewPanel(mDocument, mFolders->workingFolder());
    mTextures = new TextureActions(mPreview, mDocument, this);
    mTextures->setRefusal([this](const QString &path) { return refuseWorkingFile(path); });
    mTextureViewer = new TextureViewerLink(mPreview, mDocument, this);
    right->addWidget(mPreview, 1);
    right->addWidget(createOtherGroup());
    columns->addLayout(right, 3);

    connect(List1, &BootsListWidget::filesDropped, this, &frmMain::List1_Drop);
    connect(mRecordEditor, &RecordEditorPanel::fieldEdited, this, &frmMain::storeFields);
    connect(mRecordEditor, &RecordEditorPanel::changeRequested, this, &frmMain::cmdChange_Click);
    connect(mRecordEditor, &RecordEditorPanel::charactersReplaced, statusBar(),
            [this](const QString &note) { statusBar()->showMessage(note); });
    resize(1100, 640);
}

QGroupBox *frmMain::createOtherGroup()
{
    QGroupBox *other = groupBox(18, QStringLiteral("Other"));
    auto *layout = new QVBoxLayout(other);
    QGroupBox *language = groupBox(19, QStringLiteral("Language"), other);
    ComboBox = new LanguageComboBox(language);
    (new QVBoxLayout(language))->addWidget(ComboBox);
    QGroupBox *create = groupBox(20, QStringLiteral("Create Language"), other);
    cmdCreate = new QPushButton(QStringLiteral("Create\\Edit"), create);
    cmdCreate->setObjectName(QStringLiteral("cmdCreate"));
    (new QVBoxLayout(create))->addWidget(cmdCreate);
    layout->addWidget(language);
    layout->addWidget(create);
    connect(ComboBox, &QComboBox::activated, this, &frmMain::ComboBox_Click);
    connect(cmdCreate, &QPushButton::clicked, this, &frmMain::cmdCreate_Click);
    return other;
}

void frmMain::createMenus()
{
    File = menuBar()->addMenu(QStringLiteral("File"));
    File->setObjectName(QStringLiteral("File"));
    mnuOpen = File->addAction(QStringLiteral("Open"), this, &frmMain::mnuOpen_Click);
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    mnuOpen->setShortcut(QKeySequence::Open);
    File->addSeparator();
    mnuSave = File->addAction(QStringLiteral("Save"), this, &frmMain::mnuSave_Click);
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    mnuSave->setShortcut(QKeySequence::Save);
    mnuSave->setEnabled(false);
    new TableExchange(mDocument, File, mnuSave, this); // Export… and Import… of the boots table
    File->addSeparator();
    mnuQuit = File->addAction(QString(), this, &QWidget::close);
    mnuQuit->setObjectName(QStringLiteral("mnuQuit"));
    mnuQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    MainWindowTexts::setText(mnuQuit, UiText::Key::Quit);

    Edit = menuBar()->addMenu(QString());
    Edit->setObjectName(QStringLiteral("Edit"));
    MainWindowTexts::setText(Edit, UiText::Key::Edit);
    auto *edit = new EditActions(mDocument->undoStack(), Edit);
    edit->routeKeysFrom(mRecordEditor->recordFields());

    // View ▸ Boots Table, and Copy and Paste of the table's cells in Edit.
    mTable = new BootsTableDock(mDocument, Edit, this);
    connect(mTable, &BootsTableDock::selectedRowsChanged, mRecordEditor,
            [this](int rows) { mRecordEditor->setSelectedRowsAvailable(rows > 0); });
    connect(mTable, &BootsTableDock::note, statusBar(),
            [this](const QString &note) { statusBar()->showMessage(note); });

    About = menuBar()->addAction(QStringLiteral("About"), this, &frmMain::About_Click);
    About->setObjectName(QStringLiteral("About"));

    Help = menuBar()->addMenu(QString());
    Help->setObjectName(QStringLiteral("Help"));
    MainWindowTexts::setText(Help, UiText::Key::Help);
    mnuManual = Help->addAction(QString(), this, &frmMain::mnuManual_Click);
    mnuManual->setObjectName(QStringLiteral("mnuManual"));
    mnuManual->setShortcut(QKeySequence::HelpContents);
    MainWindowTexts::setText(mnuManual, UiText::Key::Manual);
}

// ---------------------------------------------------------------------------------------
// Start-up and languages

void frmMain::startUp()
{
    const std::string bundled = toNative(mFolders->bundledFolder());
    const std::string own = toNative(mFolders->userFolder());
    const QString configured = QString::fromStdString(Languages::configuredLanguage(bundled, own));
    {
        const QSignalBlocker blocker(ComboBox);
        for (const auto &name : Languages::ListLanguages(bundled, own))
            ComboBox->addItem(QString::fromStdString(name));
        if (ComboBox->count() > 0)
            ComboBox->setCurrentIndex(0);
        ComboBox->setEditText(configured);
    }
    mLanguage = configured;
    ApplyLanguage();
}

void frmMain::ApplyLanguage()
{
    MainWindowTexts::apply(
        this, QString::fromStdString(Languages::languageFile(
                  toNative(mFolders->bundledFolder()), toNative(mFolders->userFolder()),
                  ComboBox->currentText().toStdString())));
    // The hint names the menu path in the language's own words.
    auto shown = [](const QString &caption, const char *english) {
        const QString text = Mnemonics::plain(caption);
        return text.isEmpty() ? QString::fromLatin1(english) : text;
    };
    List1->setEmptyHint(UiText::text(UiText::Key::EmptyListHint,
                                     {shown(File->title(), "File") + QStringLiteral(" \u25B8 ") +
                                      shown(mnuOpen->text(), "Open")}));
    if (mManual) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(mManual, &change);
    }
    WindowAccess::update(this); // now that every control has its new caption
}

void frmMain::ComboBox_Click()
{
    // A name the configuration would store as another one would leave the next start without
    // this language (and without captions): the choice is refused and the current one stays.
    const std::string chosen = ComboBox->currentText().toStdString();
    if (const auto problem = Languages::nameProblem(chosen)) {
        {
            const QSignalBlocker blocker(ComboBox);
            ComboBox->setCurrentIndex(ComboBox->findText(mLanguage));
            ComboBox->setEditText(mLanguage);
        }
        QStringList arguments;
        for (const std::string &a : Languages::nameArguments(chosen))
            arguments << QString::fromStdString(a);
        Messages::languageRefused(this, UiText::text(*problem, arguments));
        return;
    }
    mLanguage = ComboBox->currentText();
    ApplyLanguage();
    makeUserLanguageFolder();
    // The choice is kept for the next start; a configuration that cannot be written only
    // loses that.
    if (!Languages::rememberLanguage(toNative(mFolders->userFolder()),
                                     ComboBox->currentText().toStdString()))
        qWarning("The language choice could not be remembered.");
}

void frmMain::makeUserLanguageFolder()
{
    // An installed editor starts without a folder for the user's own languages.
    if (mFolders->mode() == AppFolders::Mode::Installed)
        QDir().mkpath(QDir(mFolders->userFolder()).filePath(QStringLiteral("Language")));
}

void frmMain::cmdCreate_Click()
{
    makeUserLanguageFolder();
    if (!mLanguageEditor) {
        mLanguageEditor = new frmCreateLanguage(mFolders->userFolder(), mFolders->bundledFolder());
        mLanguageEditor->setAttribute(Qt::WA_DeleteOnClose);
        connect(mLanguageEditor, &frmCreateLanguage::closed, this, &frmMain::languageEditorClosed);
    }
    mLanguageEditor->show();
    mLanguageEditor->raise();
    hide();
}

void frmMain::languageEditorClosed()
{
    show();
}

void frmMain::About_Click()
{
    if (!mAbout) {
        mAbout = new frmAbout;
        mAbout->setAttribute(Qt::WA_DeleteOnClose);
    }
    mAbout->show();
    mAbout->raise();
    mAbout->activateWindow();
}

void frmMain::mnuManual_Click()
{
    if (!mManual) {
        mManual = new frmManual;
        mManual->setAttribute(Qt::WA_DeleteOnClose);
    }
    mManual->show();
    mManual->raise();
    mManual->activateWindow();
}

// ---------------------------------------------------------------------------------------
// Open, save, close

bool frmMain::maybeSave()
{
    if (!mDocument->isModified())
        return true;
    // The question names what differs: the boots, the textures, or both.
    QStringList archives;
    for (int archive = 1; archive <= 2; ++archive) {
        if (mDocument->textures().isModified(archive))
            archives << mDocument->textures().source(archive);
    }
    switch (
        Messages::unsavedEdits(this, mDocument->gamePath(), mDocument->bootsModified(), archives)) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void frmMain::mnuOpen_Click()
{
    if (!maybeSave())
        return;
    const QString path = FileChooser::chooseFile(
        this, QStringLiteral("CD"), QString::fromLatin1(kOpenFilter), mMemory->bootsFolder());
    if (!path.isEmpty())
        openFile(path);
}

void frmMain::List1_Drop(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    // The drop is accepted at once; the question about unsaved edits and any error come
    // after the file manager's drag has ended.
    const QString &path = paths.constFirst();
    QMetaObject::invokeMethod(
        this,
        [this, path] {
            if (maybeSave())
                openFile(path);
        },
        Qt::QueuedConnection);
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
    if (!mFolders->errorString().isEmpty()) {
        Messages::cannotOpen(this, path, mFolders->errorString());
        return false;
    }
    if (refuseWorkingFile(path))
        return false;
    QString reason;
    if (!mDocument->open(path, &reason)) {
        Messages::errorFile(
            this, UiText::text(UiText::Key::CannotOpen, {QDir::toNativeSeparators(path)}) +
                      QLatin1Char('\n') + reason);
        return false;
    }
    if (mDocument->database().Count() > BootsDocument::kListLimit)
        Messages::recordLimit(this, mDocument->database().Count(), BootsDocument::kListLimit);
    return true;
}

void frmMain::documentReset()
{
    const bool open = mDocument->isOpen();
    setWindowTitle((open ? QDir::toNativeSeparators(mDocument->gamePath()) : designTitle()) +
                   QStringLiteral("[*]"));
    mRecordEditor->clear();
    mnuSave->setEnabled(open);
    mRecordEditor->setEnabled(open);
    mPreview->setEnabled(open);
    setWindowModified(mDocument->isModified());
}

bool frmMain::save()
{
    if (!mDocument->isOpen())
        return false;
    QString reason;
    QString failedFile;
    if (!mDocument->save(&reason, &failedFile)) {
        Messages::cannotSave(this, failedFile, reason);
        return false;
    }
    Messages::saved(this);
    return true;
}

void frmMain::mnuSave_Click()
{
    save();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    mMemory->rememberWindow();
    mDocument->removeWorkingFiles();
    mPreview->removeFiles();
    if (mAbout)
        mAbout->close();
    if (mManual)
        mManual->close();
    if (mLanguageEditor) {
        disconnect(mLanguageEditor, nullptr, this, nullptr);
        mLanguageEditor->close();
    }
    event->accept();
}

// ---------------------------------------------------------------------------------------
// The boots list, the record editor and the global change

void frmMain::showCurrentBoot()
{
    const int boot = mDocument->currentBoot();
    if (boot < 0) {
        mRecordEditor->clear();
        return;
    }
    mDocument->startNewStep();
    mRecordEditor->showRecord(mDocument->database(), boot, mDocument->listedCount());
}

void frmMain::storeFields(RecordField field)
{
    // Fields are disabled until a boot is selected; nothing is stored before.
    const int boot = mDocument->currentBoot();
    if (boot < 0)
        return;
    mStoring = true;
    mDocument->setRecord(boot, mRecordEditor->texts(), field);
    mStoring = false;
}

void frmMain::recordChanged(int index)
{
    // An undo or redo shows the boot it changed (the document made it current); the user's own
    // edit keeps the typed text.
    if (!mStoring && index == mDocument->currentBoot())
        showCurrentBoot();
}

void frmMain::recordsReplaced()
{
    if (!mStoring)
        showCurrentBoot();
}

void frmMain::cmdChange_Click()
{
    if (mRecordEditor->selectedRowsChosen()) {
        mDocument->changeStatistics(mDocument->selectedBoots(), mRecordEditor->tickedStatistics(),
                                    mRecordEditor->valueText());
        return;
    }
    const int boot = mDocument->currentBoot();
    if (mRecordEditor->onlySelected()) {
        if (boot < 0)
            return;
        // The rule runs even when a field already showed the value; with nothing ticked
        // there is nothing to set, and the boot is not stored again either.
        if (mRecordEditor->putValueInTickedStatistics())
            storeFields(RecordField::Statistics);
        return;
    }
    const auto value = BootsDocument::valueForAll(mRecordEditor->valueText());
    if (!value) {
        Messages::valueOutOfRange(this);
        return;
    }
    if (boot >= 0)
        mRecordEditor->putValueInAllStatistics();
    QString reason;
    mStoring = true;
    const bool changed =
        mDocument->changeAllStatistics(*value, boot, mRecordEditor->texts(), &reason);
    mStoring = false;
    if (!changed) {
        showCurrentBoot(); // the fields show the statistics the boot still has
        Messages::cannotChangeStatistics(this, reason);
    }
}

// ---------------------------------------------------------------------------------------
// Texture archives

bool frmMain::loadArchive(int archive, const QString &path)
{
    return mTextures->loadArchive(archive, path);
}
