// Drives the editor's main window for the install check. Placed beside the installed
// editor, it finds its folders the way the editor does (from where it lies), so it runs in
// the installed mode with the installed data.
//   install-driver edit READ-ONLY-GAME WRITABLE-GAME LANGUAGE: opens the game in the read-only
//     folder, edits boot 0 and expects the save to be refused; opens the writable game, names
//     boot 0 "Installed" and saves it; picks LANGUAGE.
//   install-driver rename GAME NAME: opens the game, expects its boots listed, names boot 0
//     NAME, saves it and expects it first in the recent files (the Windows build's check of
//     the unzipped copy).
//   install-driver all GAME VALUE MEETING-FOLDER: waits until a second driver has come to
//     the meeting folder too (both are then running), sets every statistic of every boot to
//     VALUE through "All" and saves.
// Reports each step on standard output; exits with 0 when every step went as expected.
#include "MessagePresser.h"
#include "app/frmMain.h"
#include "desktop/AppFolders.h"

#include <QApplication>
#include <QComboBox>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <cstdio>

namespace {

bool step(bool ok, const char *what)
{
    std::printf("%s %s\n", ok ? "ok" : "FAILED", what);
    std::fflush(stdout);
    return ok;
}

void editFirstBoot(frmMain &window, const QString &name)
{
    window.findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(0);
    window.findChild<QLineEdit *>(QStringLiteral("txt(0)"))->setText(name);
}

bool edit(frmMain &window, const QString &readOnlyGame, const QString &game,
          const QString &language)
{
    bool ok = step(window.openFile(readOnlyGame), "open a game in a read-only folder");
    editFirstBoot(window, QStringLiteral("Refused"));
    ok = step(!window.save(), "its save is refused") && ok;
    window.setWindowModified(false);
    ok = step(window.openFile(game), "open a writable game") && ok;
    editFirstBoot(window, QStringLiteral("Installed"));
    ok = step(window.save(), "save it") && ok;
    auto *languages = window.findChild<QComboBox *>(QStringLiteral("ComboBox"));
    const int index = languages->findText(language);
    ok = step(index >= 0, "the language is listed") && ok;
    languages->setCurrentIndex(index);
    emit languages->activated(index);
    return ok;
}

bool rename(frmMain &window, const QString &game, const QString &name)
{
    bool ok = step(window.openFile(game), "open");
    ok = step(window.findChild<QListWidget *>(QStringLiteral("List1"))->count() > 0,
              "its boots are listed") && ok;
    editFirstBoot(window, name);
    ok = step(window.save(), "rename boot 0 and save") && ok;
    // The menu shows the file by its path, with an ampersand doubled.
    const QList<QAction *> recent = window.findChild<QMenu *>(QStringLiteral("mnuRecent"))->actions();
    const QString first = recent.isEmpty() ? QString() : recent.first()->text();
    const QFileInfo listed(QDir::fromNativeSeparators(first).replace(QStringLiteral("&&"),
                                                                     QStringLiteral("&")));
    return step(listed.exists() && listed.canonicalFilePath() == QFileInfo(game).canonicalFilePath(),
                "it comes first in the recent files") &&
           ok;
}

// Waits until two drivers have signed in at `folder`.
bool meet(const QString &folder)
{
    QFile signIn(QDir(folder).filePath(QString::number(QCoreApplication::applicationPid())));
    if (!signIn.open(QIODevice::WriteOnly))
        return false;
    for (int waited = 0; waited < 30000; waited += 10) {
        if (QDir(folder).entryList(QDir::Files).size() >= 2)
            return true;
        QThread::msleep(10);
    }
    return false;
}

bool changeAll(frmMain &window, const QString &game, const QString &value, const QString &meeting)
{
    bool ok = step(meet(meeting), "met the other copy");
    step(true, window.folders().isPrivate() ? "private working folder" : "shared working folder");
    ok = step(window.openFile(game), "open") && ok;
    window.findChild<QRadioButton *>(QStringLiteral("R2"))->click();
    window.findChild<QLineEdit *>(QStringLiteral("Over"))->setText(value);
    window.findChild<QPushButton *>(QStringLiteral("cmdChange"))->click();
    return step(window.save(), "change all and save") && ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cleatwork"));
    const QStringList args = QApplication::arguments().mid(1);
    pressEveryMessage();
    bool ok = false;
    {
        frmMain window;
        if (args.size() == 4 && args[0] == QLatin1String("edit"))
            ok = edit(window, args[1], args[2], args[3]);
        else if (args.size() == 3 && args[0] == QLatin1String("rename"))
            ok = rename(window, args[1], args[2]);
        else if (args.size() == 4 && args[0] == QLatin1String("all"))
            ok = changeAll(window, args[1], args[2], args[3]);
        else
            return 2;
        window.close();
    }
    return ok ? 0 : 1;
}
