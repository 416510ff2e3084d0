// Takes a picture of the main window with a game file loaded and a boot selected, for the
// documentation and for looking at the layout:
//   screenshot PROGRAM-FOLDER SAMPLE-FOLDER OUT.png [WIDTHxHEIGHT [LANGUAGE [table]]]
// A size resizes the window, a language is picked as in the language list, and "table" shows
// the boots table docked below the panels.
#include "app/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPixmap>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 4 || argc > 7)
        return 2;
    const QString sample = QString::fromLocal8Bit(argv[2]);
    frmMain window(QString::fromLocal8Bit(argv[1]));
    if (argc > 4) {
        const QStringList size = QString::fromLatin1(argv[4]).split(QLatin1Char('x'));
        if (size.size() != 2)
            return 2;
        window.resize(size[0].toInt(), size[1].toInt());
    }
    window.show();
    if (argc > 5) {
        auto *languages = window.findChild<QComboBox *>(QStringLiteral("ComboBox"));
        const int i = languages->findText(QString::fromLocal8Bit(argv[5]));
        if (i < 0)
            return 2;
        languages->setCurrentIndex(i);
        emit languages->activated(i);
    }
    if (argc > 6)
        window.findChild<QAction *>(QStringLiteral("mnuTable"))->trigger();
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
