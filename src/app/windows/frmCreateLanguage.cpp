#include "frmCreateLanguage.h"

#include "common/Ansi.h"
#include "editor/Translation.h"
#include "language/Ini.h"
#include "language/LanguageKeys.h"
#include "language/Languages.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

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

// A translator sees the English text of a field's key without opening the English file.
void showEnglish(QLineEdit *field, const char *english)
{
    field->setPlaceholderText(QString::fromUtf8(english));
    field->setToolTip(QString::fromUtf8(english));
}

std::string nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace

frmCreateLanguage::frmCreateLanguage(const QString &programFolder, const QString &bundledFolder,
                                     QWidget *parent)
    : QWidget(parent, Qt::Window), mProgramFolder(programFolder),
      mBundledFolder(bundledFolder.isEmpty() ? programFolder : bundledFolder)
{
    setObjectName(QStringLiteral("frmCreateLanguage"));
    setWindowTitle(QString());
    for (int i = 0; i < 31; ++i) {
        txt[i] = new QLineEdit;
        txt[i]->setObjectName(QStringLiteral("txt(%1)").arg(i));
        connect(txt[i], &QLineEdit::textChanged, this, &frmCreateLanguage::txt_Change);
    }
    for (const auto &key : Languages::keys())
        showEnglish(txt[key.editorField], key.caption);

    auto *pages = new QTabWidget;
    pages->setObjectName(QStringLiteral("TabControl2"));
    pages->addTab(createCaptionsPage(), QStringLiteral("Main Window"));
    pages->addTab(createTextsPage(), QStringLiteral("Messages"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages);

    connect(cmdCreate, &QPushButton::clicked, this, &frmCreateLanguage::cmdCreate_Click);
    connect(cmdLoad, &QPushButton::clicked, this, &frmCreateLanguage::cmdLoad_Click);
}

QWidget *frmCreateLanguage::createCaptionsPage()
{
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

    // The nesting of the main window, laid out in rows and columns so that the window fits a
    // small screen.
    auto *names = new QHBoxLayout;
    for (int n = 3; n <= 5; ++n)
        names->addWidget(GroupBox[n]);
    static_cast<QVBoxLayout *>(GroupBox[2]->layout())->addLayout(names);
    put(GroupBox[2], GroupBox[6]);
    auto *statistics = new QGridLayout;
    int cell = 0;
    for (int n : {7, 8, 9, 10, 11, 16, 17}) {
        statistics->addWidget(GroupBox[n], cell / 2, cell % 2);
        ++cell;
    }
    auto *statisticsAndOptions = new QHBoxLayout;
    statisticsAndOptions->addLayout(statistics, 2);
    statisticsAndOptions->addWidget(GroupBox[12], 1, Qt::AlignTop);
    static_cast<QVBoxLayout *>(GroupBox[6]->layout())->addLayout(statisticsAndOptions);
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
    auto *valueAndButton = new QHBoxLayout;
    valueAndButton->addWidget(GroupBox[14]);
    valueAndButton->addWidget(GroupBox[21]);
    static_cast<QVBoxLayout *>(GroupBox[13]->layout())->addLayout(valueAndButton);
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

    auto *page = new QWidget;
    auto *columns = new QHBoxLayout(page);
    auto *left = new QVBoxLayout;
    left->addWidget(GroupBox[1]);
    left->addWidget(GroupBox[27]);
    left->addWidget(GroupBox[25]);
    left->addStretch(1);
    columns->addLayout(left, 2);
    columns->addWidget(GroupBox[2], 4);
    auto *right = new QVBoxLayout;
    right->addWidget(GroupBox[15]);
    right->addWidget(GroupBox[18]);
    right->addStretch(1);
    columns->addLayout(right, 2);
    return page;
}

QWidget *frmCreateLanguage::createTextsPage()
{
    auto *form = new QWidget;
    auto *layout = new QFormLayout(form);
    for (const auto &entry : LanguageKeys::entries()) {
        auto *field = new QLineEdit;
        field->setObjectName(QStringLiteral("txtText(%1)").arg(txtText.size()));
        showEnglish(field, entry.english);
        connect(field, &QLineEdit::textChanged, this, &frmCreateLanguage::txt_Change);
        layout->addRow(QStringLiteral("%1 / %2").arg(QString::fromLatin1(entry.section),
                                                     QString::fromLatin1(entry.name)),
                       field);
        txtText.push_back(field);
    }
    mLoadedTexts.resize(static_cast<qsizetype>(txtText.size()));
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(form);
    return scroll;
}

void frmCreateLanguage::txt_Change()
{
    cmdCreate->setEnabled(!txt[26]->text().isEmpty());
}

void frmCreateLanguage::showMessage(QMessageBox::Icon icon, const QString &name,
                                    const QString &text, const QString &details)
{
    QMessageBox box(icon, QStringLiteral("Cleatwork"), text, QMessageBox::Ok, this);
    box.setObjectName(name);
    box.setTextFormat(Qt::PlainText); // names and reasons, never HTML
    box.setInformativeText(details);
    box.exec();
}

bool frmCreateLanguage::writeField(QLineEdit *field, const std::string &file, const char *section,
                                   const char *key, std::vector<std::string> &replaced,
                                   Reason &error)
{
    Ansi::Conversion conversion;
    Reason reason;
    const bool written =
        WriteIniText(file, section, key, field->text().toStdString(), &conversion, &reason);
    if (!written && error.empty())
        error = reason;
    if (written && !conversion.replaced.empty()) {
        field->setText(QString::fromStdString(Ansi::toUtf8(conversion.ansi)));
        replaced.insert(replaced.end(), conversion.replaced.begin(), conversion.replaced.end());
    }
    return written;
}

bool frmCreateLanguage::createLanguage()
{
    const QString name = txt[26]->text();
    if (const auto problem = Languages::nameProblem(name.toStdString())) {
        QStringList arguments;
        for (const std::string &a : Languages::nameArguments(name.toStdString()))
            arguments << QString::fromStdString(a);
        showMessage(QMessageBox::Warning, QStringLiteral("nameMessage"),
                    Translation::text(*problem, arguments), QString());
        return false;
    }
    const QString folder = QDir(mProgramFolder).filePath(QStringLiteral("Language/") + name);
    QDir().mkdir(folder); // an existing folder is how an existing language is edited
    const std::string file =
        Languages::languageFile(nativePath(mProgramFolder), name.toStdString());
    bool written = true;
    std::vector<std::string> replaced;
    Reason error;
    for (const auto &key : Languages::keys())
        written =
            writeField(txt[key.editorField], file, key.section, key.written, replaced, error) &&
            written;
    // Of the other texts only those given are written: typed, changed or loaded. A text left
    // empty keeps what the file holds (a translation made elsewhere, or English).
    for (std::size_t i = 0; i < txtText.size(); ++i) {
        if (txtText[i]->text().isEmpty() && mLoadedTexts[i].isEmpty())
            continue;
        const auto &entry = LanguageKeys::entries()[i];
        written =
            writeField(txtText[i], file, entry.section, entry.name, replaced, error) && written;
    }
    if (!written) {
        showMessage(QMessageBox::Critical, QStringLiteral("writeMessage"),
                    Translation::text(Translation::Key::LanguageNotWritten, {name}),
                    QDir::toNativeSeparators(QString::fromStdString(file)) + QStringLiteral(": ") +
                        Translation::reason(error));
    } else if (!replaced.empty()) {
        Ansi::Conversion all;
        for (std::string &c : replaced) {
            if (std::find(all.replaced.begin(), all.replaced.end(), c) == all.replaced.end())
                all.replaced.push_back(std::move(c));
        }
        showMessage(QMessageBox::Information, QStringLiteral("replacedMessage"),
                    Translation::replacementNote(all), QString());
    }
    return written;
}

void frmCreateLanguage::cmdCreate_Click()
{
    createLanguage();
}

void frmCreateLanguage::loadLanguage(const QString &fileName)
{
    const std::string file = nativePath(fileName);
    for (const auto &key : Languages::keys())
        txt[key.editorField]->setText(
            QString::fromStdString(ReadIniText(file, key.section, key.key)));
    // A text the file lacks stays empty, so the field shows its English placeholder.
    for (std::size_t i = 0; i < txtText.size(); ++i) {
        const auto &entry = LanguageKeys::entries()[i];
        mLoadedTexts[i] = QString::fromStdString(ReadIniText(file, entry.section, entry.name));
        txtText[i]->setText(mLoadedTexts[i]);
    }
}

void frmCreateLanguage::cmdLoad_Click()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("CDLng"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The user's languages when there are any, otherwise the bundled ones (editing a bundled
    // language writes the user's own copy).
    const QString own = QDir(mProgramFolder).filePath(QStringLiteral("Language"));
    dialog.setDirectory(!Languages::ListLanguages(mProgramFolder.toStdString()).empty()
                            ? own
                            : QDir(mBundledFolder).filePath(QStringLiteral("Language")));
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
