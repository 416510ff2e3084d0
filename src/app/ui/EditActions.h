#pragma once
// The Edit menu's Undo and Redo of a document's undo stack, named in the current language
// after the step they take back or make again. The undo and redo keys reach them from the
// fields that edit the document too, instead of the field's own undo; every other field (the
// find field, the value of the global change) keeps its own.
#include <QObject>

#include <QList>

class Commands;
class QAction;
class QLineEdit;
class QUndoStack;

class EditActions : public QObject
{
    Q_OBJECT
public:
    /// Works the commands "mnuUndo" and "mnuRedo" of `commands`.
    EditActions(QUndoStack *stack, const Commands &commands);

    /// The undo and redo keys typed in `fields` undo and redo the document's steps.
    void routeKeysFrom(const QList<QLineEdit *> &fields);

    /// Sets the texts again from the current language.
    void retranslate();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QUndoStack *mStack;
    QList<QLineEdit *> mFields;
    QAction *mUndo;
    QAction *mRedo;
};
