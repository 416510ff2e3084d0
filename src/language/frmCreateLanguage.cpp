#include "frmCreateLanguage.h"

#include "Ini.h"
#include "Languages.h"
#include "common/Ansi.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QGroupBox *makeGroup(int number, const QString &caption)
{
    auto *box = new QGroupBox(caption);
    box->setObjectName(QStringLiteral("GroupBox%1").arg(number));
    new QVBoxLayout(box);
    return box;
}

void put(QGroupBox *box, QWidget *child)
{
    box->layout()->addWidget(child);
}

} // namespace

frmCreateLanguage::frmCreateLanguage(const QString &programFolder, QWidget *parent)
    : QWidget(parent, Qt::Window), mProgramFolder(programFolder)
{
    setObjectName(QStringLiteral("frmCreateLanguage"));
    setWindowTitle(QString());
    for (int i = 0; i < 31; ++i) {
        txt[i] = new QLineEdit;
        txt[i]->setObjectName(QStringLiteral("txt(%1)").arg(i));
        connect(txt[i], &QLineEdit::textChanged, this, &frmCreateLanguage::txt_Change);
    }
    for (int n = 1; n <= 20; ++n) {
        GroupBox[n] = makeGroup(n, QStringLiteral("GroupBox%1").arg(n));
        put(GroupBox[n], txt[n - 1]);
    }
    const QString buttons = QStringLiteral("Buttons");
    for (int n = 21; n <= 24; ++n) {
        GroupBox[n] = makeGroup(n, buttons);
        put(GroupBox[n], txt[n - 1]); // fields 20..23: cmdChange, cmdOpenT, cmdOpent2, cmdCreate
    }
    GroupBox[25] = makeGroup(25, QStringLiteral("Setting"));
    GroupBox[26] = makeGroup(26, QStringLiteral("Name Language"));
    put(GroupBox[26], txt[26]);
    GroupBox[27] = makeGroup(27, QStringLiteral("Menu"));
    GroupBox[28] = makeGroup(28, QStringLiteral("File"));
    put(GroupBox[28], txt[29]);
    GroupBox[29] = makeGroup(29, QStringLiteral("About"));
    put(GroupBox[29], txt[30]);
    GroupBox[30] = makeGroup(30, QStringLiteral("Open"));
    put(GroupBox[30], txt[24]);
    GroupBox[31] = makeGroup(31, QStringLiteral("Save"));
    put(GroupBox[31], txt[25]);
    GroupBox[32] = makeGroup(32, QStringLiteral("Load Language"));

    // The nesting of the main window.
    for (int n = 3; n <= 6; ++n)
        put(GroupBox[2], GroupBox[n]);
    for (int n : {7, 8, 9, 10, 11, 12, 16, 17})
        put(GroupBox[6], GroupBox[n]);
    put(GroupBox[12], GroupBox[13]);
    auto *r1 = new QRadioButton(GroupBox[13]);
    r1->setObjectName(QStringLiteral("R1"));
    r1->setEnabled(false);
    auto *r2 = new QRadioButton(GroupBox[13]);
    r2->setObjectName(QStringLiteral("R2"));
    r2->setEnabled(false);
    auto *radios = new QGridLayout;
    radios->addWidget(r1, 0, 0);
    radios->addWidget(txt[27], 0, 1);
    radios->addWidget(r2, 1, 0);
    radios->addWidget(txt[28], 1, 1);
    static_cast<QVBoxLayout *>(GroupBox[13]->layout())->addLayout(radios);
    put(GroupBox[13], GroupBox[14]);
    put(GroupBox[13], GroupBox[21]);
    put(GroupBox[15], GroupBox[22]);
    put(GroupBox[15], GroupBox[23]);
    // Controls without function, kept so that the mock-up holds what the main window holds.
    for (int i = 1; i <= 4; ++i) {
        auto *field = new QLineEdit(GroupBox[15]);
        field->setObjectName(QStringLiteral("Text%1").arg(i));
        field->hide();
    }
    for (const char *name : {"LstOffset", "LstOffset2"}) {
        auto *list = new QListWidget(GroupBox[15]);
        list->setObjectName(QString::fromLatin1(name));
        list->hide();
    }
    put(GroupBox[18], GroupBox[19]);
    put(GroupBox[18], GroupBox[20]);
    put(GroupBox[20], GroupBox[24]);

    cmdLoad = new QPushButton(QStringLiteral("Load Language"));
    cmdLoad->setObjectName(QStringLiteral("cmdLoad"));
    put(GroupBox[32], cmdLoad);
    cmdCreate = new QPushButton(QStringLiteral("Create"));
    cmdCreate->setObjectName(QStringLiteral("cmdCreate"));
    cmdCreate->setEnabled(false);
    put(GroupBox[25], GroupBox[32]);
    put(GroupBox[25], GroupBox[26]);
    put(GroupBox[25], cmdCreate);

    auto *tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("TabControl1"));
    auto *menuTab = new QWidget;
    auto *menuLayout = new QGridLayout(menuTab);
    menuLayout->addWidget(GroupBox[28], 0, 0);
    menuLayout->addWidget(GroupBox[30], 0, 1);
    menuLayout->addWidget(GroupBox[31], 1, 1);
    menuLayout->addWidget(GroupBox[29], 0, 2);
    tabs->addTab(menuTab, QStringLiteral("Menu"));
    put(GroupBox[27], tabs);

    auto *columns = new QHBoxLayout(this);
    columns->addWidget(GroupBox[1], 2);
    auto *middle = new QVBoxLayout;
    middle->addWidget(GroupBox[27]);
    middle->addWidget(GroupBox[2]);
    columns->addLayout(middle, 4);
    auto *right = new QVBoxLayout;
    right->addWidget(GroupBox[15]);
    right->addWidget(GroupBox[18]);
    right->addWidget(GroupBox[25]);
    right->addStretch(1);
    columns->addLayout(right, 2);

    connect(cmdCreate, &QPushButton::clicked, this, &frmCreateLanguage::cmdCreate_Click);
    connect(cmdLoad, &QPushButton::clicked, this, &frmCreateLanguage::cmdLoad_Click);
}

void frmCreateLanguage::txt_Change()
{
    cmdCreate->setEnabled(!txt[26]->text().isEmpty());
}

bool frmCreateLanguage::createLanguage()
{
    const QString name = txt[26]->text();
    std::string problem;
    if (!Languages::checkName(name.toStdString(), &problem)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Cleatwork"),
                        QString::fromStdString(problem), QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("nameMessage"));
        box.exec();
        return false;
    }
    const QString folder = QDir(mProgramFolder).filePath(QStringLiteral("Language/") + name);
    QDir().mkdir(folder); // an existing folder is how an existing language is edited
    const std::string file = Languages::languageFile(
        QDir::toNativeSeparators(mProgramFolder).toStdString(), name.toStdString());
    bool written = true;
    for (const auto &key : Languages::keys()) {
        const std::string value = Ansi::fromUtf8(txt[key.editorField]->text().toStdString());
        written = WriteIni(file, key.section, key.written, value) && written;
    }
    if (!written) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Cleatwork"),
                        tr("The language \"%1\" could not be written.").arg(name), QMessageBox::Ok,
                        this);
        box.setObjectName(QStringLiteral("writeMessage"));
        box.setInformativeText(QDir::toNativeSeparators(QString::fromStdString(file)));
        box.exec();
    }
    return written;
}

void frmCreateLanguage::cmdCreate_Click()
{
    createLanguage();
}

void frmCreateLanguage::loadLanguage(const QString &fileName)
{
    const std::string file = QDir::toNativeSeparators(fileName).toStdString();
    for (const auto &key : Languages::keys())
        txt[key.editorField]->setText(
            QString::fromStdString(Ansi::toUtf8(ReadIni(file, key.section, key.key))));
}

void frmCreateLanguage::cmdLoad_Click()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("CDLng"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(QDir(mProgramFolder).filePath(QStringLiteral("Language")));
    dialog.setNameFilter(QStringLiteral("LNG.ini (LNG.ini)"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().constFirst();
    if (!chosen.isEmpty())
        loadLanguage(chosen);
}

void frmCreateLanguage::closeEvent(QCloseEvent *event)
{
    hide();
    emit closed();
    event->accept();
}
