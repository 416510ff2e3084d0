#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>

ModalAnswerer::ModalAnswerer()
{
    mTimer.setInterval(5);
    QObject::connect(&mTimer, &QTimer::timeout, [this] { poll(); });
}

ModalAnswerer::~ModalAnswerer()
{
    mTimer.stop();
}

void ModalAnswerer::then(std::function<void(QWidget *)> answer)
{
    mAnswers.push_back(std::move(answer));
    mTimer.start();
}

void ModalAnswerer::message(QMessageBox::StandardButton button)
{
    then([this, button](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box) {
            texts
                << QStringLiteral("<not a message box: %1>").arg(widget->metaObject()->className());
            widget->close();
            return;
        }
        texts << box->text();
        details << box->informativeText();
        icons.push_back(box->icon());
        names << box->objectName();
        if (QAbstractButton *b = box->button(button))
            b->click();
        else
            box->reject();
    });
}

void ModalAnswerer::file(const QString &path)
{
    then([this, path](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        if (!dialog) {
            texts << QStringLiteral("<not a file dialog>");
            widget->close();
            return;
        }
        names << dialog->objectName();
        folders << dialog->directory().absolutePath();
        texts << dialog->nameFilters().join(QLatin1Char(';'));
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
}

void ModalAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (mAnswers.empty()) {
        mTimer.stop();
        return;
    }
    // A dialog is answered once; a new dialog is a new object, even at the same address.
    if (!modal || modal->property("cleatworkAnswered").toBool())
        return;
    modal->setProperty("cleatworkAnswered", true);
    auto answer = std::move(mAnswers.front());
    mAnswers.erase(mAnswers.begin());
    answer(modal);
}
