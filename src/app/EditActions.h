#pragma once
// The Edit menu's Undo and Redo of a document's undo stack, named in the current language
// after the step they take back or make again. The undo and redo keys reach them from every
// text field of the window too, instead of the field's own undo.
#include <QObject>

class QAction;
class QMenu;
class QUndoStack;

class EditActions : public QObject
{
    Q_OBJECT
public:
    /// Adds "mnuUndo" and "mnuRedo" to `menu`; `menu`'s window is where the keys are routed.
    EditActions(QUndoStack *stack, QMenu *menu);

    /// Sets the texts again from the current language.
    void retranslate();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QUndoStack *mStack;
    QWidget *mWindow;
    QAction *mUndo;
    QAction *mRedo;
};
