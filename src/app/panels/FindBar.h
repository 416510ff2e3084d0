#pragma once
// The find field above the boots list: typing selects the first boot, from the current one
// onwards, whose name contains the text; Enter or F3 goes to the next match, Shift+F3 to the
// previous one. The list itself is never filtered. A text that matches no name colours the
// field and leaves the selection as it was.
#include <QLineEdit>

#include "editor/BootFinder.h"

class QListWidget;

class FindBar : public QLineEdit
{
    Q_OBJECT
public:
    /// Searches `list`; Ctrl+F, F3 and Shift+F3 work anywhere in `window`.
    FindBar(QListWidget *list, QWidget *window, QWidget *parent = nullptr);

    /// True while the text matches no name.
    bool notFound() const { return mNotFound; }

protected:
    void changeEvent(QEvent *event) override;

private:
    /// Selects the match from `start` on in `direction`; the empty text clears the colour.
    void findFrom(int start, BootFinder::Direction direction);
    void findNext(BootFinder::Direction direction);
    void showNotFound(bool notFound);

    QListWidget *mList;
    bool mNotFound = false;
};
