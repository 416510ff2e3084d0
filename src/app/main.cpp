// Cleatwork: an editor for the football-boots database of a football video game.
#include "AppFolders.h"
#include "frmMain.h"
#include "language/Languages.h"
#include "language/UiText.h"

#include <QApplication>
#include <QDir>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cleatwork"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.cleatwork.Cleatwork"));
    // The configured language's texts and Qt's translations are in place before any window.
    auto folders = AppFolders::forExecutable(QApplication::applicationDirPath());
    const std::string bundled = QDir::toNativeSeparators(folders->bundledFolder()).toStdString();
    const std::string own = QDir::toNativeSeparators(folders->userFolder()).toStdString();
    UiText::apply(QString::fromStdString(
        Languages::languageFile(bundled, own, Languages::configuredLanguage(bundled, own))));
    frmMain window(std::move(folders));
    window.show();
    return QApplication::exec();
}
