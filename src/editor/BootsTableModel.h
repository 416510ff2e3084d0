#pragma once
// The boots of a document as a table, one row per boot in file order and the columns of
// TablePaste::Column: what the boots table shows, sorts, filters and edits. Edits go through
// the document, so that each is an undo step; the table follows every change of the document.
#include "exchange/TablePaste.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

class BootsDocument;

class BootsTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    /// What the boots table sorts by: a number for `#` and the statistics, a text otherwise.
    static constexpr int SortRole = Qt::UserRole;
    /// What the filter searches: the name, material, colour and manufacturer's name.
    static constexpr int FilterRole = Qt::UserRole + 1;
    /// Shows at most as many boots as the boots list does.
    static constexpr int kMaxRows = 255;

    explicit BootsTableModel(BootsDocument *document, QObject *parent = nullptr);

    /// The column headers after `#`, in the order of the columns (the record editor's captions).
    void setHeaders(const QStringList &headers);
    QString header(int column) const;
    /// The English header of `column`.
    static QString englishHeader(int column);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    /// Stores an edit through the document; the cell then shows what was stored.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    static TablePaste::Column columnOf(int column)
    {
        return static_cast<TablePaste::Column>(column);
    }

signals:
    /// An edit was stored otherwise than typed (cut, best fit) or refused: `note` says so.
    void editNote(const QString &note);

private:
    struct Row
    {
        QStringList cells; ///< as shown, one per column
        QString filterText;
    };
    void reload();
    void reloadRow(int row);
    Row rowOf(int row) const;

    BootsDocument *mDocument;
    std::vector<Row> mRows;
    QStringList mHeaders;
};
