#include "FindBar.h"

#include "editor/Translation.h"

#include <QEvent>
#include <QListWidget>
#include <QShortcut>

#include <algorithm>

FindBar::FindBar(QListWidget *list, QWidget *window, QWidget *parent)
    : QLineEdit(parent), mList(list)
{
    setObjectName(QStringLiteral("txtFind"));
    setClearButtonEnabled(true);
    setPlaceholderText(Translation::text(Translation::Key::FindBoot));

    auto *focus = new QShortcut(QKeySequence::Find, window);
    connect(focus, &QShortcut::activated, this, [this] {
        setFocus(Qt::ShortcutFocusReason);
        selectAll();
    });
    auto *next = new QShortcut(QKeySequence(Qt::Key_F3), window);
    connect(next, &QShortcut::activated, this,
            [this] { findNext(BootFinder::Direction::Forward); });
    auto *previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), window);
    connect(previous, &QShortcut::activated, this,
            [this] { findNext(BootFinder::Direction::Backward); });
    connect(this, &QLineEdit::returnPressed, this,
            [this] { findNext(BootFinder::Direction::Forward); });
    // Typing keeps the current boot when it still matches.
    connect(this, &QLineEdit::textChanged, this,
            [this] { findFrom(std::max(mList->currentRow(), 0), BootFinder::Direction::Forward); });
}

void FindBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        setPlaceholderText(Translation::text(Translation::Key::FindBoot));
    QLineEdit::changeEvent(event);
}

void FindBar::findNext(BootFinder::Direction direction)
{
    const int current = mList->currentRow();
    if (current < 0)
        findFrom(direction == BootFinder::Direction::Forward ? 0 : -1, direction);
    else
        findFrom(current + (direction == BootFinder::Direction::Forward ? 1 : -1), direction);
}

void FindBar::findFrom(int start, BootFinder::Direction direction)
{
    if (text().isEmpty()) {
        showNotFound(false);
        return;
    }
    QStringList names;
    names.reserve(mList->count());
    for (int row = 0; row < mList->count(); ++row)
        names << mList->item(row)->text();
    const int row = BootFinder::find(names, text(), start, direction);
    showNotFound(row < 0);
    if (row < 0)
        return;
    // Selected as a click selects it: the window shows the boot's fields.
    mList->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    mList->scrollToItem(mList->item(row));
}

void FindBar::showNotFound(bool notFound)
{
    if (notFound == mNotFound)
        return;
    mNotFound = notFound;
    setStyleSheet(notFound ? QStringLiteral("QLineEdit { background-color: #ffd6d6; }")
                           : QString());
}
