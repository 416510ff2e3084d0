#include "frmMain.h"

#include "AppFolders.h"
#include "BootsListWidget.h"
#include "frmAbout.h"
#include "language/frmCreateLanguage.h"

#include "boots/Manufacturer.h"
#include "common/Ansi.h"
#include "common/FileIo.h"
#include "common/VbNumber.h"
#include "language/Ini.h"
#include "language/Languages.h"
#include "textures/ArchiveLoader.h"
#include "textures/TexturePreview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kListLimit = 255; // the list's position is one byte wide
constexpr const char *kMessageTitle = "Cleatwork";

std::string toAnsi(const QString &text)
{
    return Ansi::fromUtf8(text.toStdString());
}

QString fromAnsi(const std::string &text)
{
    return QString::fromStdString(Ansi::toUtf8(text));
}

std::string toNative(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

// A statistic as typed: not a number gives 1, a number that rounds above 5 gives 5, a
// negative number 1, anything else the rounded byte (0 becomes 1 when stored).
std::uint8_t statisticFrom(const QString &text)
{
    const auto value = VbNumber::parse(text.toStdString());
    if (!value)
        return 1;
    const double rounded = VbNumber::roundHalfEven(*value);
    if (rounded > 5)
        return 5;
    if (rounded < 0)
        return 1;
    return static_cast<std::uint8_t>(rounded);
}

// Converts a filter of the original "description|pattern|..." form into Qt's name filters.
QStringList nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1].trimmed();
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*"); // "all files" includes files without a dot here
        out << parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return out;
}

QString chooseFile(QWidget *parent, const QString &name, const QString &filter,
                   const QString &folder = QString())
{
    QFileDialog dialog(parent);
    dialog.setObjectName(name);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(nameFilters(filter));
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

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
      mZlib(toNative(mFolders->workingFolder())),
      mPreview(std::make_unique<TexturePreview>(toNative(mFolders->workingFolder())))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(designTitle() + QStringLiteral("[*]"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.cleatwork.Cleatwork"),
                                   QIcon(QStringLiteral(":/cleatwork.png"))));
    createControls();
    createMenus();
    startUp();
}

frmMain::~frmMain()
{
    mPreview.reset(); // its bitmap lies in the working folder, removed with it
}

QString frmMain::pathIn(const QString &name) const
{
    return QDir(mFolders->workingFolder()).filePath(name);
}

bool frmMain::refuseWorkingFile(const QString &path)
{
    if (!mFolders->isWorkingFile(path))
        return false;
    showError(tr("Cannot open %1.").arg(QDir::toNativeSeparators(path)),
              tr("The file is one of the editor's own working files."));
    return true;
}

QString frmMain::workingFile() const
{
    return pathIn(QStringLiteral("temp.bin"));
}

QString frmMain::wrappedWorkingFile() const
{
    return pathIn(QStringLiteral("temp.bin.zlib"));
}

const Textura &frmMain::archiveIndex(int archive) const
{
    return archive == 2 ? static_cast<const Textura &>(ArchiveIndex2) : ArchiveIndex1;
}

// ---------------------------------------------------------------------------------------
// Controls

void frmMain::createControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);
    auto *columns = new QHBoxLayout(central);
    columns->setContentsMargins(10, 10, 10, 10);
    columns->setSpacing(10);

    // Left column: the boots list.
    GroupBox[1] = groupBox(1, QStringLiteral("List Boots"));
    List1 = new BootsListWidget(GroupBox[1]);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setMinimumWidth(200);
    auto *listLayout = new QVBoxLayout(GroupBox[1]);
    listLayout->addWidget(List1);
    columns->addWidget(GroupBox[1], 3);

    // Middle column: the record editor and the global change.
    GroupBox[2] = groupBox(2, QStringLiteral("Parameters"));
    auto *parameters = new QVBoxLayout(GroupBox[2]);
    const char *const textCaptions[3] = {"Boots Name", "Material Name", "Color Name"};
    for (int k = 0; k < 9; ++k) {
        txt[k] = new QLineEdit;
        txt[k]->setObjectName(QStringLiteral("txt(%1)").arg(k));
    }
    for (int k = 0; k < 3; ++k) {
        GroupBox[3 + k] = groupBox(3 + k, QString::fromLatin1(textCaptions[k]));
        auto *l = new QVBoxLayout(GroupBox[3 + k]);
        l->addWidget(txt[k]);
        parameters->addWidget(GroupBox[3 + k]);
    }

    GroupBox[6] = groupBox(6, QStringLiteral("Statistics"));
    auto *statistics = new QGridLayout(GroupBox[6]);
    const char *const statCaptions[5] = {"Shot Power", "Shot Accuracy", "Acceleration", "Top Speed",
                                         "Swerve"};
    for (int s = 0; s < 5; ++s) {
        GroupBox[7 + s] = groupBox(7 + s, QString::fromLatin1(statCaptions[s]));
        auto *l = new QVBoxLayout(GroupBox[7 + s]);
        txt[3 + s]->setAlignment(Qt::AlignCenter);
        l->addWidget(txt[3 + s]);
        statistics->addWidget(GroupBox[7 + s], 0, s);
    }

    GroupBox[17] = groupBox(17, QStringLiteral("Producent"));
    Combo = new QComboBox(GroupBox[17]);
    Combo->setObjectName(QStringLiteral("Combo"));
    auto *producent = new QHBoxLayout(GroupBox[17]);
    producent->addWidget(Combo, 2);
    producent->addWidget(txt[8], 1);
    statistics->addWidget(GroupBox[17], 1, 0, 1, 3);

    GroupBox[16] = groupBox(16, QStringLiteral("ID/Index"));
    Lbl[1] = new QLabel(QStringLiteral("# ID"), GroupBox[16]);
    Lbl[1]->setObjectName(QStringLiteral("Lbl(1)"));
    Lbl[0] = new QLabel(QStringLiteral("# Index:"), GroupBox[16]);
    Lbl[0]->setObjectName(QStringLiteral("Lbl(0)"));
    auto *ids = new QVBoxLayout(GroupBox[16]);
    ids->addWidget(Lbl[1]);
    ids->addWidget(Lbl[0]);
    statistics->addWidget(GroupBox[16], 1, 3, 1, 2);

    GroupBox[12] = groupBox(12, QStringLiteral("Global Options"));
    GroupBox[13] = groupBox(13, QStringLiteral("Change Stats"), GroupBox[12]);
    auto *global = new QVBoxLayout(GroupBox[12]);
    global->addWidget(GroupBox[13]);
    auto *change = new QGridLayout(GroupBox[13]);
    R1 = new QRadioButton(QStringLiteral("Only selected"), GroupBox[13]);
    R1->setObjectName(QStringLiteral("R1"));
    R1->setChecked(true);
    R2 = new QRadioButton(QStringLiteral("All"), GroupBox[13]);
    R2->setObjectName(QStringLiteral("R2"));
    change->addWidget(R1, 0, 0);
    change->addWidget(R2, 1, 0);
    for (int s = 0; s < 5; ++s) {
        Ch[s] = new QCheckBox(QString::fromLatin1(statCaptions[s]), GroupBox[13]);
        Ch[s]->setObjectName(QStringLiteral("Ch%1").arg(s + 1));
        Ch[s]->setChecked(true);
        change->addWidget(Ch[s], s < 3 ? 0 : 1, 1 + (s < 3 ? s : s - 3));
    }
    GroupBox[14] = groupBox(14, QStringLiteral("Value"), GroupBox[13]);
    Over = new QLineEdit(QStringLiteral("5"), GroupBox[14]);
    Over->setObjectName(QStringLiteral("Over"));
    Over->setAlignment(Qt::AlignCenter);
    auto *value = new QVBoxLayout(GroupBox[14]);
    value->addWidget(Over);
    change->addWidget(GroupBox[14], 0, 4, 2, 1);
    cmdChange = new QPushButton(QStringLiteral("Change"), GroupBox[13]);
    cmdChange->setObjectName(QStringLiteral("cmdChange"));
    change->addWidget(cmdChange, 2, 0, 1, 5);
    statistics->addWidget(GroupBox[12], 2, 0, 1, 5);

    parameters->addWidget(GroupBox[6]);
    parameters->addStretch(1);
    GroupBox[2]->setEnabled(false);
    columns->addWidget(GroupBox[2], 5);

    // Right column: the texture preview above, the language controls below.
    auto *right = new QVBoxLayout;
    GroupBox[15] = groupBox(15, QStringLiteral("Preview"));
    auto *preview = new QVBoxLayout(GroupBox[15]);
    Img = new QLabel(GroupBox[15]);
    Img->setObjectName(QStringLiteral("Img"));
    Img->setMinimumSize(200, 180);
    Img->setScaledContents(true);
    Img->setFrameShape(QFrame::StyledPanel);
    Img->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    preview->addWidget(Img, 1);
    cmdOpenT = new QPushButton(QStringLiteral("Load unnamed_5756.bin"), GroupBox[15]);
    cmdOpenT->setObjectName(QStringLiteral("cmdOpenT"));
    cmdOpent2 = new QPushButton(QStringLiteral("Load unnamed_2113.bin"), GroupBox[15]);
    cmdOpent2->setObjectName(QStringLiteral("cmdOpent2"));
    preview->addWidget(cmdOpenT);
    preview->addWidget(cmdOpent2);
    // The entry lists and the position fields hold the preview's state; they are never shown.
    LstOffset = new QListWidget(GroupBox[15]);
    LstOffset->setObjectName(QStringLiteral("LstOffset"));
    LstOffset2 = new QListWidget(GroupBox[15]);
    LstOffset2->setObjectName(QStringLiteral("LstOffset2"));
    for (int i = 0; i < 4; ++i) {
        Text[i] = new QLineEdit(GroupBox[15]);
        Text[i]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        Text[i]->hide();
    }
    LstOffset->hide();
    LstOffset2->hide();
    GroupBox[15]->setEnabled(false);
    right->addWidget(GroupBox[15], 1);

    GroupBox[18] = groupBox(18, QStringLiteral("Other"));
    auto *other = new QVBoxLayout(GroupBox[18]);
    GroupBox[19] = groupBox(19, QStringLiteral("Language"), GroupBox[18]);
    ComboBox = new QComboBox(GroupBox[19]);
    ComboBox->setObjectName(QStringLiteral("ComboBox"));
    // Editable so that it can show a configured language that is not (or no longer) listed.
    ComboBox->setEditable(true);
    ComboBox->lineEdit()->setReadOnly(true);
    ComboBox->setInsertPolicy(QComboBox::NoInsert);
    (new QVBoxLayout(GroupBox[19]))->addWidget(ComboBox);
    GroupBox[20] = groupBox(20, QStringLiteral("Create Language"), GroupBox[18]);
    cmdCreate = new QPushButton(QStringLiteral("Create\\Edit"), GroupBox[20]);
    cmdCreate->setObjectName(QStringLiteral("cmdCreate"));
    (new QVBoxLayout(GroupBox[20]))->addWidget(cmdCreate);
    other->addWidget(GroupBox[19]);
    other->addWidget(GroupBox[20]);
    right->addWidget(GroupBox[18]);
    columns->addLayout(right, 3);

    connect(List1, &QListWidget::itemSelectionChanged, this, &frmMain::List1_Click);
    connect(List1, &BootsListWidget::filesDropped, this, &frmMain::List1_Drop);
    for (QLineEdit *field : txt)
        connect(field, &QLineEdit::textChanged, this, &frmMain::txt_Change);
    connect(Combo, &QComboBox::activated, this, &frmMain::Combo_Click);
    connect(R1, &QRadioButton::clicked, this, &frmMain::R1_Click);
    connect(R2, &QRadioButton::clicked, this, &frmMain::R2_Click);
    connect(Over, &QLineEdit::textChanged, this, &frmMain::Over_Change);
    connect(cmdChange, &QPushButton::clicked, this, &frmMain::cmdChange_Click);
    connect(cmdOpenT, &QPushButton::clicked, this, &frmMain::cmdOpenT_Click);
    connect(cmdOpent2, &QPushButton::clicked, this, &frmMain::cmdOpent2_Click);
    connect(LstOffset, &QListWidget::itemClicked, this, &frmMain::LstOffset_Click);
    connect(LstOffset2, &QListWidget::itemClicked, this, &frmMain::LstOffset2_Click);
    connect(ComboBox, &QComboBox::activated, this, &frmMain::ComboBox_Click);
    connect(cmdCreate, &QPushButton::clicked, this, &frmMain::cmdCreate_Click);

    resize(1100, 640);
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
    File->addSeparator();
    mnuQuit = File->addAction(tr("Quit"), this, &QWidget::close);
    mnuQuit->setObjectName(QStringLiteral("mnuQuit"));
    mnuQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    About = menuBar()->addAction(QStringLiteral("About"), this, &frmMain::About_Click);
    About->setObjectName(QStringLiteral("About"));
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
    ApplyLanguage();

    for (const auto &name : Manufacturer::names())
        Combo->addItem(QString::fromStdString(name));
    Combo->setCurrentIndex(-1);
}

void frmMain::ApplyLanguage()
{
    const std::string bundled = toNative(mFolders->bundledFolder());
    const std::string own = toNative(mFolders->userFolder());
    auto read = [&](const char *section, const char *key) {
        const std::string file =
            Languages::languageFile(bundled, own, ComboBox->currentText().toStdString());
        return fromAnsi(ReadIni(file, section, key));
    };
    for (const auto &k : Languages::keys()) {
        const QString objectName = QString::fromLatin1(k.control);
        const QString text = read(k.section, k.key);
        if (auto *box = findChild<QGroupBox *>(objectName))
            box->setTitle(text);
        else if (auto *button = findChild<QAbstractButton *>(objectName))
            button->setText(text);
        else if (auto *menu = findChild<QMenu *>(objectName))
            menu->setTitle(text);
        else if (auto *action = findChild<QAction *>(objectName))
            action->setText(text);
    }
    // The statistics' check boxes carry the captions of the statistics' group boxes.
    for (int s = 0; s < 5; ++s)
        Ch[s]->setText(
            read("GroupBox", QStringLiteral("GroupBox%1").arg(7 + s).toLatin1().constData()));
}

void frmMain::ComboBox_Click()
{
    ApplyLanguage();
    makeUserLanguageFolder();
    Languages::rememberLanguage(toNative(mFolders->userFolder()),
                                ComboBox->currentText().toStdString());
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

// ---------------------------------------------------------------------------------------
// Open, save, close

void frmMain::showError(const QString &text, const QString &details)
{
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kMessageTitle), text,
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("errorMessage"));
    if (!details.isEmpty())
        box.setInformativeText(details);
    box.exec();
}

void frmMain::setModified(bool modified)
{
    setWindowModified(modified);
}

bool frmMain::maybeSave()
{
    if (!isWindowModified())
        return true;
    QMessageBox box(
        QMessageBox::Warning, QString::fromLatin1(kMessageTitle),
        tr("The boots of %1 have been changed.").arg(QDir::toNativeSeparators(mGamePath)),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("unsavedMessage"));
    box.setInformativeText(tr("Do you want to save your changes?"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
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
    const QString path = chooseFile(this, QStringLiteral("CD"), QString::fromLatin1(kOpenFilter));
    if (path.isEmpty())
        return;
    openFile(path);
}

void frmMain::List1_Drop(const QStringList &paths)
{
    if (paths.isEmpty() || !maybeSave())
        return;
    openFile(paths.constFirst());
}

void frmMain::enterNoFileState()
{
    mGamePath.clear();
    setWindowTitle(designTitle() + QStringLiteral("[*]"));
    BootsDb.clear();
    {
        const QSignalBlocker blocker(List1);
        List1->clear();
    }
    clearEditor();
    mBootSelected = false;
    GroupBox[2]->setEnabled(false);
    GroupBox[15]->setEnabled(false);
    mnuSave->setEnabled(false);
    setModified(false);
}

void frmMain::clearEditor()
{
    Loading = true;
    for (QLineEdit *field : txt)
        field->clear();
    Lbl[0]->setText(QStringLiteral("# Index:"));
    Lbl[1]->setText(QStringLiteral("# ID"));
    Combo->setCurrentIndex(-1);
    Loading = false;
}

bool frmMain::openFile(const QString &path)
{
    const QFileInfo folder(mFolders->workingFolder());
    if (!mFolders->errorString().isEmpty() || !folder.isDir() || !folder.isWritable()) {
        showError(tr("Cannot open %1.").arg(QDir::toNativeSeparators(path)),
                  tr("The working folder %1 is not writable; the editor keeps its working "
                     "files there.")
                          .arg(QDir::toNativeSeparators(mFolders->workingFolder())) +
                      QLatin1Char(' ') + mFolders->errorString());
        return false;
    }
    if (refuseWorkingFile(path))
        return false;
    CurrentPath = path;
    QString reason;
    // The game file is unwrapped straight into the working file: nothing is written beside it.
    if (!mZlib.unwrapFileTo(toNative(path), toNative(workingFile())))
        reason = QString::fromStdString(mZlib.errorString());
    else if (!BootsDb.Wczytaj(toNative(workingFile())))
        reason = QString::fromStdString(BootsDb.errorString());
    if (!reason.isEmpty()) {
        enterNoFileState();
        showError(QStringLiteral("Error File"),
                  QDir::toNativeSeparators(path) + QStringLiteral(":\n") + reason);
        return false;
    }

    mGamePath = QFileInfo(path).absoluteFilePath();
    setWindowTitle(QDir::toNativeSeparators(mGamePath) + QStringLiteral("[*]"));
    clearEditor();
    mBootSelected = false;
    fillBootsList(true);
    mnuSave->setEnabled(true);
    GroupBox[2]->setEnabled(true);
    GroupBox[15]->setEnabled(true);
    setModified(false);
    return true;
}

void frmMain::fillBootsList(bool announceHiddenRecords)
{
    const QSignalBlocker blocker(List1);
    List1->clear();
    const int shown = std::min(BootsDb.Count(), kListLimit);
    for (int i = 0; i < shown; ++i)
        List1->addItem(fromAnsi(BootsDb.Get_Nazwa(static_cast<std::uint8_t>(i))));
    if (announceHiddenRecords && BootsDb.Count() > kListLimit) {
        QMessageBox box(QMessageBox::Information, QString::fromLatin1(kMessageTitle),
                        tr("This file holds %1 boots; the list shows the first %2.")
                            .arg(BootsDb.Count())
                            .arg(kListLimit),
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("recordLimitMessage"));
        box.setInformativeText(
            tr("The remaining boots are kept unchanged and saved with the file."));
        box.exec();
    }
}

bool frmMain::save()
{
    if (mGamePath.isEmpty())
        return false;
    const QString game = QDir::toNativeSeparators(mGamePath);
    auto failed = [&](const QString &reason) {
        showError(tr("Cannot save %1.").arg(game), reason);
        return false;
    };
    if (!BootsDb.Zapisz(""))
        return failed(tr("The working file could not be written: %1")
                          .arg(QString::fromStdString(BootsDb.errorString())));
    CurrentPath = workingFile();
    if (!mZlib.PackWesys(toNative(CurrentPath)))
        return failed(tr("The file could not be compressed: %1")
                          .arg(QString::fromStdString(mZlib.errorString())));
    const std::string target = toNative(mGamePath);
    if (FileIo::exists(target) && !FileIo::isWritableFile(target))
        return failed(tr("The file is read-only."));
    std::string error;
    FileIo::removeLeftoverTemporaries(target); // of a save that was killed
    if (!FileIo::copyFileAtomic(toNative(wrappedWorkingFile()), target, &error)) {
        // The new file is made beside the old one, so the folder must take new files.
        const QString folder = QFileInfo(mGamePath).absolutePath();
        if (!QFileInfo(folder).isWritable())
            return failed(
                tr("The folder %1 is read-only: %2")
                    .arg(QDir::toNativeSeparators(folder), QString::fromStdString(error)));
        return failed(QString::fromStdString(error));
    }
    setModified(false);
    QMessageBox box(QMessageBox::Information, QString::fromLatin1(kMessageTitle),
                    QStringLiteral("Saved File"), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("savedMessage"));
    box.exec();
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
    FileIo::removeFile(toNative(workingFile()));
    FileIo::removeFile(toNative(wrappedWorkingFile()));
    mPreview->removeFiles();
    if (mAbout)
        mAbout->close();
    if (mLanguageEditor) {
        disconnect(mLanguageEditor, nullptr, this, nullptr);
        mLanguageEditor->close();
    }
    event->accept();
}

// ---------------------------------------------------------------------------------------
// The record editor

void frmMain::List1_Click()
{
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    if (selected.isEmpty())
        return;
    const int position = List1->row(selected.constFirst());
    SelectedIndex = static_cast<std::uint8_t>(position);
    mBootSelected = true;
    Loading = true;
    const std::uint8_t i = SelectedIndex;
    txt[0]->setText(fromAnsi(BootsDb.Get_Nazwa(i)));
    txt[1]->setText(fromAnsi(BootsDb.Get_NazwaMaterialu(i)));
    txt[2]->setText(fromAnsi(BootsDb.Get_Kolor(i)));
    txt[3]->setText(QString::number(BootsDb.Get_Sila(i)));
    txt[4]->setText(QString::number(BootsDb.Get_Precyzja(i)));
    txt[5]->setText(QString::number(BootsDb.Get_Przyspieszenie(i)));
    txt[6]->setText(QString::number(BootsDb.Get_Szybkosc(i)));
    txt[7]->setText(QString::number(BootsDb.Get_Podkrecanie(i)));
    txt[8]->setText(QString::number(BootsDb.Get_nowe(i)));
    Lbl[0]->setText(QStringLiteral("# Index: ") + QString::number(List1->count()));
    Lbl[1]->setText(QStringLiteral("# ID      : ") + QString::number(BootsDb.Get_ID(i)));
    Producent();
    Loading = false;
    followBootSelection(position);
}

void frmMain::Producent()
{
    const auto name = Manufacturer::nameForText(txt[8]->text().toStdString());
    if (name)
        Combo->setCurrentIndex(Combo->findText(QString::fromStdString(*name)));
}

void frmMain::Combo_Click()
{
    const auto code = Manufacturer::codeForName(Combo->currentText().toStdString());
    if (code)
        txt[8]->setText(QString::number(*code));
}

void frmMain::txt_Change()
{
    // Nothing is written while the fields are being filled, nor before a boot of the
    // current file has been selected.
    if (Loading || !mBootSelected)
        return;
    const std::string name = toAnsi(txt[0]->text()).substr(0, Baza::kNameMax);
    const std::string material = toAnsi(txt[1]->text()).substr(0, Baza::kMaterialMax);
    const std::string colour = toAnsi(txt[2]->text()).substr(0, Baza::kColourMax);
    std::uint8_t sila = statisticFrom(txt[3]->text());
    std::uint8_t precyzja = statisticFrom(txt[4]->text());
    std::uint8_t przyspieszenie = statisticFrom(txt[5]->text());
    std::uint8_t szybkosc = statisticFrom(txt[6]->text());
    std::uint8_t podkrecanie = statisticFrom(txt[7]->text());
    // A code that is no whole number within 16 bits keeps the record's code.
    auto code = static_cast<std::int16_t>(BootsDb.Get_nowe(SelectedIndex));
    if (const auto typed = VbNumber::parse(txt[8]->text().toStdString())) {
        const double rounded = VbNumber::roundHalfEven(*typed);
        if (rounded >= -32768 && rounded <= 32767)
            code = static_cast<std::int16_t>(rounded);
    }
    const bool changed =
        BootsDb.Zmien_Dane(SelectedIndex, name, code, BootsDb.Get_Pole5(SelectedIndex), sila,
                           precyzja, przyspieszenie, szybkosc, podkrecanie, material, colour);
    if (!changed)
        return;
    setModified(true);
    QListWidgetItem *entry = List1->item(SelectedIndex);
    const QString shown = fromAnsi(name);
    if (entry && entry->text() != shown)
        entry->setText(shown);
}

// ---------------------------------------------------------------------------------------
// The global change of statistics

void frmMain::R1_Click()
{
    if (R1->isChecked()) {
        for (QCheckBox *box : Ch)
            box->setEnabled(true);
    }
}

void frmMain::R2_Click()
{
    if (R2->isChecked()) {
        for (QCheckBox *box : Ch)
            box->setEnabled(false);
    }
}

void frmMain::Over_Change()
{
    const auto value = VbNumber::parse(Over->text().toStdString());
    if (value && *value > 5)
        Over->setText(QStringLiteral("5"));
}

void frmMain::cmdChange_Click()
{
    if (R1->isChecked()) {
        if (!mBootSelected)
            return;
        for (int s = 0; s < 5; ++s) {
            if (Ch[s]->checkState() == Qt::Checked)
                txt[3 + s]->setText(Over->text());
        }
        return;
    }

    if (!BootsDb.ZmienAll(Over->text().toStdString())) {
        if (!Baza::valueForAll(Over->text().toStdString())) {
            QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kMessageTitle),
                            tr("The value must be a number from 0 to 5."), QMessageBox::Ok, this);
            box.setObjectName(QStringLiteral("valueMessage"));
            box.exec();
        } else {
            showError(tr("Cannot change the statistics."),
                      QString::fromStdString(BootsDb.errorString()));
        }
        return;
    }
    setModified(true);
    {
        const QSignalBlocker blocker(List1);
        List1->clear();
    }
    if (!BootsDb.Wczytaj(toNative(workingFile()))) {
        const QString reason = QString::fromStdString(BootsDb.errorString());
        enterNoFileState();
        showError(QStringLiteral("Error File"), reason);
        return;
    }
    fillBootsList(false);
    for (int s = 0; s < 5; ++s)
        txt[3 + s]->setText(Over->text());
}

// ---------------------------------------------------------------------------------------
// Texture archives and the preview

bool frmMain::loadArchive(int archive, const QString &path)
{
    const bool first = archive == 1;
    Textura &index = first ? ArchiveIndex1 : static_cast<Textura &>(ArchiveIndex2);
    QListWidget *list = first ? LstOffset : LstOffset2;
    const QString workingCopy = pathIn(first ? QStringLiteral("File1") : QStringLiteral("File2"));
    if (refuseWorkingFile(path))
        return false;
    std::string error;
    if (!ArchiveLoader::load(mZlib, toNative(path), toNative(workingCopy), index, error)) {
        showError(tr("Cannot load the texture archive %1.").arg(QDir::toNativeSeparators(path)),
                  QString::fromStdString(error));
        return false;
    }
    (first ? ArchivePath1 : ArchivePath2) = workingCopy;
    const QSignalBlocker blocker(list);
    list->clear();
    if (index.Count() == 0) {
        QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kMessageTitle), QString(),
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("emptyArchiveMessage"));
        box.exec();
        return true;
    }
    for (std::int32_t i = 0; i < index.Count(); ++i)
        list->addItem(QString::number(static_cast<std::int64_t>(index.Get_Offset(i)) + 1));
    list->setCurrentRow(-1);
    return true;
}

void frmMain::cmdOpenT_Click()
{
    const QString path = chooseFile(this, QStringLiteral("CDT"),
                                    QStringLiteral("unnamed_5756.bin|unnamed_5756.bin"));
    if (!path.isEmpty())
        loadArchive(1, path);
}

void frmMain::cmdOpent2_Click()
{
    const QString path = chooseFile(this, QStringLiteral("CDT"),
                                    QStringLiteral("unnamed_2113.bin|unnamed_2113.bin"));
    if (!path.isEmpty())
        loadArchive(2, path);
}

void frmMain::LstOffset_Click()
{
    previewEntry(1);
}

void frmMain::LstOffset2_Click()
{
    previewEntry(2);
}

void frmMain::previewEntry(int archive)
{
    const bool first = archive == 1;
    QListWidget *list = first ? LstOffset : LstOffset2;
    const Textura &index = first ? ArchiveIndex1 : static_cast<const Textura &>(ArchiveIndex2);
    QLineEdit *lengthField = first ? Text[0] : Text[2];
    QLineEdit *namePositionField = first ? Text[1] : Text[3];
    const int selected = list->currentRow();
    if (selected < 0)
        return;
    (first ? SelectedEntry1 : SelectedEntry2) = selected;
    // The hidden fields show the entry's length less one and its name's one-based position.
    const ArchiveEntry entry = ArchiveEntry::of(index, selected);
    lengthField->setText(QString::number(entry.length - 1));
    namePositionField->setText(QString::number(entry.namePosition()));
    const std::string archivePath = toNative(first ? ArchivePath1 : ArchivePath2);
    std::string bitmap;
    TexturePreview::Picture picture;
    if (!mPreview->run(archivePath, entry, bitmap, &picture))
        return;
    // The picture the bitmap file now holds, taken from memory rather than read back.
    const QImage image(picture.pixels.data(), picture.width, picture.height,
                       static_cast<qsizetype>(picture.width) * 4, QImage::Format_ARGB32);
    if (!image.isNull())
        Img->setPixmap(QPixmap::fromImage(image));
}

void frmMain::followBootSelection(int position)
{
    if (LstOffset->count() > position) {
        LstOffset->setCurrentRow(position);
        previewEntry(1);
        return;
    }
    const int second = position - LstOffset->count();
    if (second >= 0 && second < LstOffset2->count()) {
        LstOffset2->setCurrentRow(second);
        previewEntry(2);
    }
}
