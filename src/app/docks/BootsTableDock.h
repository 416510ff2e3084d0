#pragma once
// The boots table (View ▸ Boots Table): every boot of the document in a sortable, filterable
// table beside the boots list. Its selected rows and current row are the document's selected
// and current boots, both ways. Cells are edited in place; rows are copied to and blocks pasted
// from spreadsheets as tab-separated text. While the document's change marks are shown, cells
// that differ are coloured and "Changed only" can hide the boots that do not.
#include <QDockWidget>
#include <QPointer>
#include <vector>

class BootsDocument;
class BootsFilterModel;
class BootsTableModel;
class Commands;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QSortFilterProxyModel;
class QTableView;

class BootsTableDock : public QDockWidget
{
    Q_OBJECT
public:
    /// Adds itself, hidden, to the bottom of `window`; its toggle is the command `mnuTable`,
    /// and it works Copy and Paste of `commands`.
    BootsTableDock(BootsDocument *document, Commands &commands, QMainWindow *window);

    QTableView *table() const { return mTable; }
    BootsTableModel *model() const { return mModel; }
    QSortFilterProxyModel *proxy() const;
    /// The View menu, for the other views of the boots to join.
    QMenu *viewMenu() const { return mView; }

    /// The file positions of the selected rows, in the order the table shows them.
    std::vector<int> selectedPositions() const;
    /// Copies the selected rows to the clipboard: the headers, then one line per row.
    /// False when no row is selected.
    bool copy();
    /// Pastes the clipboard's text at the current cell (see pasteText()).
    bool paste();
    /// Pastes a block of tab-separated lines at the current cell as one undo step, after
    /// checking every value; any problem is shown and changes nothing. True when the block
    /// was pasted (maybe changing nothing).
    bool pasteText(const QString &text);
    /// Widens each column that is narrower than its header.
    void fitHeaders();
    /// Where View ▸ Boots Table puts the keyboard focus when it hides the table.
    void setFocusOnHide(QWidget *widget) { mFocusOnHide = widget; }

signals:
    /// The number of rows selected in the table changed.
    void selectedRowsChanged(int rows);
    /// Something for the status bar: what an edit stored.
    void note(const QString &text);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    /// Tells the document the rows the user selected.
    void followTable();
    /// Selects the document's selected boots and moves to its current boot.
    void followDocument();
    void updateActions();
    /// "Changed only" is offered while there are marks to filter by.
    void marksChanged();

    BootsDocument *mDocument;
    BootsTableModel *mModel;
    BootsFilterModel *mProxy;
    QTableView *mTable;
    QLineEdit *mFilter;
    QCheckBox *mChangedOnly;
    QLabel *lblCompare = nullptr;
    int mMarksBase = 0; ///< the marks' base when the table last followed them
    QMenu *mView;
    QAction *mCopy;
    QAction *mPaste;
    QPointer<QWidget> mFocusOnHide;
    /// True while the table and the document are being made to agree.
    bool mFollowing = false;
};
