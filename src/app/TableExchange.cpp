#include "TableExchange.h"

#include "app/ui/Commands.h"
#include "app/ui/Messages.h"
#include "app/ui/WindowCaptions.h"
#include "editor/BootsDocument.h"
#include "editor/CoreStrings.h"
#include "editor/ReplaceRecordsCommand.h"

#include "editor/Translation.h"
#include "exchange/BootsTable.h"
#include "exchange/TableImport.h"

#include <QAction>
#include <QFileDialog>
#include <QStringList>

using CoreStrings::toNative;

namespace {

// The dialogs' filters, in this order: the index of the chosen one names its extension.
const char *const kExtensions[] = {"csv", "json"};

QStringList tableFilters()
{
    return {Translation::text(Translation::Key::CsvTable) + QStringLiteral(" (*.csv)"),
            Translation::text(Translation::Key::JsonTable) + QStringLiteral(" (*.json)")};
}

} // namespace

TableExchange::TableExchange(BootsDocument *document, const Commands &commands, QWidget *window)
    : QObject(window), mDocument(document), mWindow(window),
      mnuExport(commands.action(QStringLiteral("mnuExport"))),
      mnuImport(commands.action(QStringLiteral("mnuImport")))
{
    setObjectName(QStringLiteral("tableExchange"));
    applyTexts();
    documentReset();

    connect(mnuExport, &QAction::triggered, this, &TableExchange::mnuExport_Click);
    connect(mnuImport, &QAction::triggered, this, &TableExchange::mnuImport_Click);
    connect(mDocument, &BootsDocument::reset, this, &TableExchange::documentReset);
}

void TableExchange::applyTexts()
{
    // Registered, so that a change of language re-captions them.
    WindowCaptions::setText(mnuExport, Translation::Key::ExportTable);
    WindowCaptions::setText(mnuImport, Translation::Key::ImportTable);
}

void TableExchange::documentReset()
{
    mnuExport->setEnabled(mDocument->isOpen());
    mnuImport->setEnabled(mDocument->isOpen());
}

QString TableExchange::chooseTable(const QString &objectName, bool saving)
{
    if (!mDocument->isOpen())
        return QString();
    QFileDialog dialog(mWindow);
    dialog.setObjectName(objectName);
    dialog.setNameFilters(tableFilters());
    if (saving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // A name typed without an extension takes the chosen type's (and is then the name the
        // dialog asks about before replacing a file).
        dialog.setDefaultSuffix(QString::fromLatin1(kExtensions[0]));
        connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
            const qsizetype type = dialog.nameFilters().indexOf(filter);
            if (type >= 0)
                dialog.setDefaultSuffix(QString::fromLatin1(kExtensions[type]));
        });
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    QString path = dialog.selectedFiles().constFirst();
    const qsizetype type = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
    // A name whose extension names no table format ("boots.v2") gets the chosen type's.
    if (saving && type >= 0 && !BootsTable::formatOf(toNative(path)))
        path += QLatin1Char('.') + QString::fromLatin1(kExtensions[type]);
    return path;
}

void TableExchange::mnuExport_Click()
{
    const QString path = chooseTable(QStringLiteral("CDExport"), true);
    if (!path.isEmpty())
        exportTable(path);
}

void TableExchange::mnuImport_Click()
{
    const QString path = chooseTable(QStringLiteral("CDImport"), false);
    if (!path.isEmpty())
        importTable(path);
}

bool TableExchange::exportTable(const QString &path)
{
    if (!mDocument->isOpen())
        return false;
    Reason error;
    // The records as they are in memory: edits not yet saved are part of the table.
    if (!BootsTable::writeFile(toNative(path), mDocument->database().records(), &error)) {
        Messages::cannotExportTable(mWindow, path, error);
        return false;
    }
    return true;
}

bool TableExchange::importTable(const QString &path)
{
    if (!mDocument->isOpen())
        return false;
    TableImport table;
    if (!table.readFile(toNative(path), mDocument->database())) {
        QStringList problems;
        for (const TableProblem &problem : table.problems())
            problems << Translation::reason(problem.why());
        Messages::tableNotImported(mWindow, path, problems);
        return false;
    }
    if (table.changes().empty()) {
        Messages::tableUnchanged(mWindow, path);
        return true;
    }
    // The working file is rewritten with every step, as the other changes of many boots do,
    // so that it agrees with memory whichever way the step goes.
    mDocument->undoStack()->push(
        new ReplaceRecordsCommand(mDocument, Translation::text(Translation::Key::ImportTableStep),
                                  mDocument->database().records(), table.records(), true));
    Messages::tableImported(mWindow, static_cast<int>(table.changedBoots()),
                            static_cast<int>(table.changes().size()), mDocument->gamePath());
    return true;
}
