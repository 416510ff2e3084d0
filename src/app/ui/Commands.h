#pragma once
// Every command of the main window's menu bar, declared in one place (Commands.cpp): the
// menus, their order and each command's id (its objectName, which checks and screen readers
// find) and shortcut. The features find their commands by id to word, connect and enable
// them; none of them places anything in a menu.
#include <QHash>
#include <QObject>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;

class Commands : public QObject
{
    Q_OBJECT
public:
    /// Builds the menu bar of `window` with every declared command in its place.
    explicit Commands(QMainWindow *window);

    /// The command `id`; every declared id has one.
    QAction *action(const QString &id) const;
    /// The menu `id` ("File", "Edit", "View", "Help").
    QMenu *menu(const QString &id) const;
    /// Puts `action`, made by its feature (a dock's own toggle), in the place declared for
    /// `id`; the shortcut declared for `id` goes with it.
    void provide(const QString &id, QAction *action);
    /// Puts the submenu `submenu` in the place declared for `id`.
    void provide(const QString &id, QMenu *submenu);

private:
    void replace(const QString &id, QAction *action);

    QHash<QString, QAction *> mActions;
    QHash<QString, QMenu *> mMenus;
};
