#include "MessagePresser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

void pressEveryMessage()
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box->property("answered").toBool())
            return;
        box->setProperty("answered", true);
        std::printf("MESSAGE %d %s | %s\n", static_cast<int>(box->icon()),
                    box->text().toUtf8().constData(), box->informativeText().toUtf8().constData());
        std::fflush(stdout);
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    });
    timer->start(2);
}
