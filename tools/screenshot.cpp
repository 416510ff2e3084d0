// Takes a picture of the main window with a game file loaded and a boot selected, for the
// documentation: screenshot PROGRAM-FOLDER SAMPLE-FOLDER OUT.png
#include "app/frmMain.h"

#include <QApplication>
#include <QListWidget>
#include <QPixmap>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QString sample = QString::fromLocal8Bit(argv[2]);
    frmMain window(QString::fromLocal8Bit(argv[1]));
    window.show();
    if (!window.openFile(sample + QStringLiteral("/unnamed_1831.bin")))
        return 1;
    window.loadArchive(1, sample + QStringLiteral("/unnamed_5756.bin"));
    window.loadArchive(2, sample + QStringLiteral("/unnamed_2113.bin"));
    window.findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(3);
    QTimer::singleShot(300, [&] {
        window.grab().save(QString::fromLocal8Bit(argv[3]));
        app.quit();
    });
    return QApplication::exec();
}
