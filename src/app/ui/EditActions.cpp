#include "EditActions.h"

#include "Commands.h"
#include "editor/Translation.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUndoStack>

using Translation::Key;

namespace {

QString stepText(Key plain, Key step, const QString &name)
{
    return name.isEmpty() ? Translation::text(plain) : Translation::text(step, {name});
}

} // namespace

EditActions::EditActions(QUndoStack *stack, const Commands &commands)
    : QObject(commands.menu(QStringLiteral("Edit"))), mStack(stack),
      mUndo(commands.action(QStringLiteral("mnuUndo"))),
      mRedo(commands.action(QStringLiteral("mnuRedo")))
{
    mUndo->setEnabled(stack->canUndo());
    mRedo->setEnabled(stack->canRedo());
    connect(mUndo, &QAction::triggered, stack, &QUndoStack::undo);
    connect(mRedo, &QAction::triggered, stack, &QUndoStack::redo);
    connect(stack, &QUndoStack::canUndoChanged, mUndo, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, mRedo, &QAction::setEnabled);
    connect(stack, &QUndoStack::undoTextChanged, this, &EditActions::retranslate);
    connect(stack, &QUndoStack::redoTextChanged, this, &EditActions::retranslate);
    retranslate();
    qApp->installEventFilter(this);
}

void EditActions::routeKeysFrom(const QList<QLineEdit *> &fields)
{
    mFields += fields;
}

void EditActions::retranslate()
{
    mUndo->setText(stepText(Key::Undo, Key::UndoStep, mStack->undoText()));
    mRedo->setText(stepText(Key::Redo, Key::RedoStep, mStack->redoText()));
}

bool EditActions::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    // Other fields keep their own undo: what is typed there is no edit of the document.
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (!field || !mFields.contains(field))
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!key->matches(QKeySequence::Undo) && !key->matches(QKeySequence::Redo))
        return false;
    // Left unclaimed, the keys go to the window's shortcuts; when there is nothing to undo
    // or redo, the field does not take them back for its own history either.
    return true;
}
