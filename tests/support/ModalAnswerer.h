#pragma once
// Answers the modal dialogs that a window opens during a test: each expected dialog is met
// by a callback that runs once the dialog is the active modal widget.
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

class QFileDialog;

class ModalAnswerer
{
public:
    ModalAnswerer();
    ~ModalAnswerer();

    /// Expects a message box and presses `button`.
    void message(QMessageBox::StandardButton button = QMessageBox::Ok);
    /// Expects a file dialog and chooses `path` (the empty text cancels it).
    void file(const QString &path);
    /// Expects any modal widget and runs `answer` on it.
    void then(std::function<void(QWidget *)> answer);

    /// Texts, icons and object names of the message boxes met, in order.
    QStringList texts;
    QStringList details;
    std::vector<QMessageBox::Icon> icons;
    QStringList names;
    /// The folders the file dialogs met started in, in order.
    QStringList folders;
    /// Dialogs expected but never met.
    int pending() const { return static_cast<int>(mAnswers.size()); }

private:
    void poll();
    std::vector<std::function<void(QWidget *)>> mAnswers;
    QTimer mTimer;
};
