#include "WindowCaptions.h"

#include "EditActions.h"

#include "language/Ini.h"
#include "language/Languages.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QMenu>
#include <string_view>

namespace {

constexpr const char *kKeyProperty = "uiTextKey";

void setCaption(QObject *control, const QString &text)
{
    if (auto *box = qobject_cast<QGroupBox *>(control))
        box->setTitle(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setText(text);
    else if (auto *menu = qobject_cast<QMenu *>(control))
        menu->setTitle(text);
    else if (auto *action = qobject_cast<QAction *>(control))
        action->setText(text);
}

QObject *control(QWidget *window, const QString &objectName)
{
    // A group box, button or menu before an action of the same name (a menu's own action).
    if (auto *widget = window->findChild<QWidget *>(objectName))
        return widget;
    return window->findChild<QAction *>(objectName);
}

} // namespace

namespace WindowCaptions {

void apply(QWidget *window, const QString &languageFile, bool builtIn)
{
    Translation::apply(languageFile);
    const std::string file = QDir::toNativeSeparators(languageFile).toStdString();
    auto read = [&file, builtIn](const char *section, const std::string &key) {
        if (!builtIn)
            return QString::fromStdString(ReadIniText(file, section, key));
        for (const auto &k : Languages::keys()) {
            if (std::string_view(k.section) == section && k.key == key)
                return QString::fromUtf8(k.caption);
        }
        return QString();
    };
    for (const auto &k : Languages::keys()) {
        if (QObject *c = control(window, QString::fromLatin1(k.control)))
            setCaption(c, read(k.section, k.key));
    }
    // The statistics' check boxes carry the captions of the statistics' group boxes.
    for (int s = 0; s < 5; ++s) {
        if (auto *box = window->findChild<QCheckBox *>(QStringLiteral("Ch%1").arg(s + 1)))
            box->setText(read("GroupBox", "GroupBox" + std::to_string(7 + s)));
    }
    for (QObject *c : window->findChildren<QObject *>()) {
        const QVariant key = c->property(kKeyProperty);
        if (key.isValid())
            setCaption(c, Translation::text(static_cast<Translation::Key>(key.toInt())));
    }
    for (EditActions *edit : window->findChildren<EditActions *>())
        edit->retranslate();
    // Controls that caption themselves (the find field, the recent files) follow at once, also
    // when the new language loads no Qt translation of its own.
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(window, &change);
}

void setText(QObject *control, Translation::Key key)
{
    control->setProperty(kKeyProperty, static_cast<int>(key));
    setCaption(control, Translation::text(key));
}

} // namespace WindowCaptions
