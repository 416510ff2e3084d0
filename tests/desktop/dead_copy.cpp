// A copy of the editor that dies without cleaning up: it takes its folders, leaves a working
// file there and ends at once, running no destructor, so that its lock and its files stay
// behind for the next start to find.
//   dead-copy portable|installed PROGRAM-FOLDER DATA-FOLDER REPORT
// writes the working folder it used into REPORT (UTF-8).
#include "desktop/AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdlib>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 5)
        return 2;
    const auto folders = arguments[1] == QLatin1String("portable")
                             ? AppFolders::portable(arguments[2])
                             : AppFolders::installed(arguments[2], arguments[3]);
    QFile working(QDir(folders->workingFolder()).filePath(QStringLiteral("temp.bin")));
    QFile report(arguments[4]);
    if (!working.open(QIODevice::WriteOnly) || working.write("x") != 1 ||
        !report.open(QIODevice::WriteOnly) || report.write(folders->workingFolder().toUtf8()) < 0)
        return 3;
    working.close();
    report.close();
    std::_Exit(0);
}
