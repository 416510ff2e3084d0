#include "LanguageComboBox.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

LanguageComboBox::LanguageComboBox(QWidget *parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("ComboBox"));
    // Editable only so that its text can name a language the list lacks; nobody types in it.
    setEditable(true);
    lineEdit()->setReadOnly(true);
    lineEdit()->installEventFilter(this);
    setInsertPolicy(QComboBox::NoInsert);
}

bool LanguageComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        showPopup();
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}
