#pragma once
// An item view that tells screen readers nothing while it is hidden. Qt's list and table
// views announce their current item as focused and their selection as changed whenever the
// program moves them, shown or not; a view kept hidden (a state holder, a closed dock) would
// otherwise make a screen reader speak items the user cannot see. Nothing can fail here.
#include <QAbstractItemView>

template <typename View> class QuietWhenHidden : public View
{
public:
    using View::View;

protected:
    // Hidden, the view still does all its own work, only without the announcements that the
    // list and table views add to it: their base is called past them on purpose.
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override
    {
        if (this->isVisible()) {
            View::currentChanged(current, previous);
            return;
        }
        // NOLINTNEXTLINE(bugprone-parent-virtual-call)
        QAbstractItemView::currentChanged(current, previous);
    }

    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override
    {
        if (this->isVisible()) {
            View::selectionChanged(selected, deselected);
            return;
        }
        // NOLINTNEXTLINE(bugprone-parent-virtual-call)
        QAbstractItemView::selectionChanged(selected, deselected);
    }
};
