#pragma once
// The File menu's Export… and Import… of the boots table (CSV or JSON for spreadsheets and
// scripts): export writes the records as they are in memory, import checks the whole table
// first and then changes the open boots as one undo step. Nothing reaches the game file
// before Save.
#include <QObject>
#include <QString>

class BootsDocument;
class Commands;
class QAction;
class QWidget;

class TableExchange : public QObject
{
    Q_OBJECT
public:
    /// Adds Export… and Import… to `fileMenu` right after `after`; messages and dialogs
    /// open over `window`, which owns the exchange.
    TableExchange(BootsDocument *document, const Commands &commands, QWidget *window);

    /// Writes the open boots to `path` in the format its extension names. False (after a
    /// message) when nothing is open or the file could not be written.
    bool exportTable(const QString &path);
    /// Reads the table at `path` against the open boots and applies its changes as one undo
    /// step. False (after one message listing every problem, with nothing changed) when the
    /// table cannot be applied; true when it was applied or changes nothing.
    bool importTable(const QString &path);

    /// Sets the captions in the current language.
    void applyTexts();

public slots:
    void mnuExport_Click();
    void mnuImport_Click();

private:
    void documentReset();
    /// The table file chosen in a dialog named `objectName`; the empty text when the user
    /// cancelled or nothing is open.
    QString chooseTable(const QString &objectName, bool saving);

    BootsDocument *mDocument;
    QWidget *mWindow;
    QAction *mnuExport = nullptr;
    QAction *mnuImport = nullptr;
};
