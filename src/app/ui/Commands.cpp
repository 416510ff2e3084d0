#include "Commands.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <initializer_list>

namespace {

struct Command
{
    const char *id; ///< the action's objectName; "-" for a separator
    QKeySequence::StandardKey standard = QKeySequence::UnknownKey;
    QKeyCombination key = {};
    bool everyBinding = false; ///< every binding the platform has for `standard`, not the first
};

struct Entry
{
    const char *id; ///< the menu's objectName, or the command's for a command on the bar
    bool isMenu;
    std::initializer_list<Command> commands;
};

const Command kSeparator = {"-"};

// The menu bar as the user reads it, left to right and top to bottom.
const std::initializer_list<Entry> kMenuBar = {
    {"File",
     true,
     {
         {"mnuOpen", QKeySequence::Open},
         {"mnuRecent"}, // a submenu: the recent boots files
         {"mnuCompare"},
         kSeparator,
         {"mnuSave", QKeySequence::Save},
         {"mnuSaveAs", QKeySequence::SaveAs},
         kSeparator,
         {"mnuExport"},
         {"mnuImport"},
         kSeparator,
         {"mnuExportPack"},
         {"mnuApplyPack"},
         {"mnuRevertPack"},
         {"mnuAppliedPacks"},
         kSeparator,
         {"mnuQuit", QKeySequence::UnknownKey, Qt::CTRL | Qt::Key_Q},
     }},
    {"Edit",
     true,
     {
         {"mnuUndo", QKeySequence::Undo, {}, true},
         {"mnuRedo", QKeySequence::Redo, {}, true},
         kSeparator,
         {"mnuRevert"},
         kSeparator,
         {"mnuCopy", QKeySequence::Copy},
         {"mnuPaste", QKeySequence::Paste},
     }},
    {"View",
     true,
     {
         {"mnuTable", QKeySequence::UnknownKey, Qt::CTRL | Qt::Key_T}, // the table dock's toggle
         {"mnuChanges"},
     }},
    {"About", false, {}},
    {"Help", true, {{"mnuManual", QKeySequence::HelpContents}}},
};

void setShortcut(QAction *action, const Command &command)
{
    if (command.everyBinding)
        action->setShortcuts(command.standard);
    else if (command.standard != QKeySequence::UnknownKey)
        action->setShortcut(command.standard);
    else if (command.key != QKeyCombination())
        action->setShortcut(QKeySequence(command.key));
}

} // namespace

Commands::Commands(QMainWindow *window) : QObject(window)
{
    setObjectName(QStringLiteral("commands"));
    QMenuBar *bar = window->menuBar();
    for (const Entry &entry : kMenuBar) {
        const QString id = QString::fromLatin1(entry.id);
        if (!entry.isMenu) {
            QAction *action = bar->addAction(id);
            action->setObjectName(id);
            mActions.insert(id, action);
            continue;
        }
        QMenu *menu = bar->addMenu(QString());
        menu->setObjectName(id);
        mMenus.insert(id, menu);
        for (const Command &command : entry.commands) {
            if (*command.id == *kSeparator.id) {
                menu->addSeparator();
                continue;
            }
            QAction *action = menu->addAction(QString());
            action->setObjectName(QString::fromLatin1(command.id));
            setShortcut(action, command);
            mActions.insert(action->objectName(), action);
        }
    }
}

QAction *Commands::action(const QString &id) const
{
    QAction *action = mActions.value(id);
    Q_ASSERT_X(action, "Commands::action", qPrintable(id));
    return action;
}

QMenu *Commands::menu(const QString &id) const
{
    QMenu *menu = mMenus.value(id);
    Q_ASSERT_X(menu, "Commands::menu", qPrintable(id));
    return menu;
}

void Commands::provide(const QString &id, QAction *provided)
{
    QAction *declared = action(id);
    provided->setShortcuts(declared->shortcuts());
    replace(id, provided);
}

void Commands::provide(const QString &id, QMenu *submenu)
{
    replace(id, submenu->menuAction());
}

void Commands::replace(const QString &id, QAction *provided)
{
    QAction *declared = action(id);
    const auto places = declared->associatedObjects();
    for (QObject *place : places) {
        if (auto *menu = qobject_cast<QMenu *>(place)) {
            menu->insertAction(declared, provided);
            menu->removeAction(declared);
        }
    }
    mActions.insert(id, provided);
    delete declared;
}
