// Cleatwork: an editor for the football-boots database of a football video game.
#include "frmMain.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cleatwork"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.cleatwork.Cleatwork"));
    frmMain window;
    window.show();
    return QApplication::exec();
}
