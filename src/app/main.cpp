// Cleatwork: an editor for the football-boots database of a football video game.
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
    // The configured language's texts and Qt's translations are in place before any window.
    const std::string folder =
        QDir::toNativeSeparators(QApplication::applicationDirPath()).toStdString();
    UiText::apply(QString::fromStdString(
        Languages::languageFile(folder, Languages::configuredLanguage(folder))));
    frmMain window;
    window.show();
    return QApplication::exec();
}
