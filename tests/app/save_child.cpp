// A copy of the editor that a fault test can limit or kill while it saves.
//   save-child PROGRAM-FOLDER GAME fsize BYTES: edits boot 0, limits every file it writes to
//     BYTES (0: no limit), saves once and reports the result and the messages shown.
//   save-child PROGRAM-FOLDER GAME loop: sets every statistic of every boot to 3 through
//     "All", says READY and saves again and again until it is killed.
#include "MessagePresser.h"
#include "app/frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstring>
#ifndef _WIN32
#include <sys/resource.h>
#endif

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 4)
        return 2;
    pressEveryMessage();
    frmMain window(QString::fromLocal8Bit(argv[1]));
    if (!window.openFile(QString::fromLocal8Bit(argv[2])))
        return 3;
    const QString mode = QString::fromLatin1(argv[3]);
    if (mode == QLatin1String("fsize") && argc == 5) {
        auto *list = window.findChild<QListWidget *>(QStringLiteral("List1"));
        list->setCurrentRow(0);
        window.findChild<QLineEdit *>(QStringLiteral("txt(0)"))->setText(QStringLiteral("Changed"));
        // A test may want to take the disk's room away between the edit and the save.
        std::printf("EDITED\n");
        std::fflush(stdout);
        const QString go = qEnvironmentVariable("CLEATWORK_SAVE_WHEN");
        while (!go.isEmpty() && !QFileInfo::exists(go))
            QThread::msleep(5);
#ifdef _WIN32
        if (std::strtoull(argv[4], nullptr, 10) > 0)
            return 4; // Windows cannot limit the size of the files a process writes
#else
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending us
        const rlim_t limit = std::strtoull(argv[4], nullptr, 10);
        const rlimit r{limit, limit};
        if (limit > 0)
            setrlimit(RLIMIT_FSIZE, &r);
#endif
        bool saved = window.save();
        std::printf("SAVE %s MODIFIED %d\n", saved ? "ok" : "failed", window.hasUnsavedEdits());
        std::fflush(stdout);
        // And, when the test has mended what made it fail, once more.
        const QString again = qEnvironmentVariable("CLEATWORK_SAVE_AGAIN_WHEN");
        if (!again.isEmpty()) {
            while (!QFileInfo::exists(again))
                QThread::msleep(5);
            saved = window.save();
            std::printf("SAVE %s MODIFIED %d\n", saved ? "ok" : "failed", window.hasUnsavedEdits());
        }
        return 0;
    }
    if (mode == QLatin1String("loop")) {
        window.findChild<QLineEdit *>(QStringLiteral("Over"))->setText(QStringLiteral("3"));
        window.findChild<QRadioButton *>(QStringLiteral("R2"))->click();
        window.findChild<QPushButton *>(QStringLiteral("cmdChange"))->click();
        std::printf("READY\n");
        std::fflush(stdout);
        for (;;)
            window.save();
    }
    return 2;
}
