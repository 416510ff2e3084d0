#pragma once
// The boots list ("List Boots", GroupBox1): the find field above `List1`, which holds the name
// of every boot the document lists, in file order, and shows the document's current boot. A
// boot the user picks becomes the document's current boot; the list keeps no choice of its own.
#include <QGroupBox>

class BootsDocument;
class BootsListWidget;

class BootsListPanel : public QGroupBox
{
    Q_OBJECT
public:
    /// Lists the boots of `document`; Ctrl+F and F3 of the find field work anywhere in `window`.
    BootsListPanel(BootsDocument *document, QWidget *window, QWidget *parent = nullptr);

    BootsListWidget *list() const { return List1; }

private:
    void fill();
    void rename(int index);
    /// Selects the document's current boot, or nothing.
    void showCurrent();
    void picked();

    BootsDocument *mDocument;
    BootsListWidget *List1;
    /// True while the list is being made to show the document.
    bool mFollowing = false;
};
