// Cleatwork: an editor for the football-boots database of a football video game.
#include "desktop/AppFolders.h"
#include "desktop/CommandLine.h"
#include "editor/Translation.h"
#include "frmMain.h"
#include "language/Languages.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv)
{
    // The command line is answered before the window system is needed.
    const CommandLine::Request request =
        CommandLine::parse(CommandLine::programArguments(argc, argv));
    if (request.action == CommandLine::Request::Action::Exit) {
        std::FILE *stream = request.exitCode == 0 ? stdout : stderr;
        const bool written = std::fputs(request.output.toUtf8().constData(), stream) >= 0 &&
                             std::fflush(stream) == 0;
        // An answer that cannot be written (a closed or full output) is no success.
        return written || request.exitCode != 0 ? request.exitCode : 1;
    }
    // The note about ignored files is a courtesy: a closed standard error loses only it.
    if (!request.note.isEmpty())
        (void)std::fputs(request.note.toUtf8().constData(), stderr);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cleatwork"));
    QApplication::setApplicationVersion(QStringLiteral(CLEATWORK_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.cleatwork.Cleatwork"));
    // The configured language's texts and Qt's translations are in place before any window.
    auto folders = AppFolders::forExecutable(QApplication::applicationDirPath());
    const std::string bundled = QDir::toNativeSeparators(folders->bundledFolder()).toStdString();
    const std::string own = QDir::toNativeSeparators(folders->userFolder()).toStdString();
    Translation::apply(QString::fromStdString(
        Languages::languageFile(bundled, own, Languages::configuredLanguage(bundled, own))));
    frmMain window(std::move(folders));
    window.show();
    window.openAtStart(request.file);
    return QApplication::exec();
}
