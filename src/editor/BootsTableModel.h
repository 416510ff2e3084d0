#pragma once
// The boots of a document as a table, one row per boot in file order: its position `#`, then
// the name, manufacturer, material, colour and the five statistics. What the boots table
// shows, sorts, filters and edits. Edits go through
// the document, so that each is an undo step; the table follows every change of the document.
// While the document's ChangeMarks are shown, each cell tells whether it differs from them and
// what they hold there.
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
    /// Whether the cell differs from the marks' base; no value while no marks are shown.
    static constexpr int ChangedRole = Qt::UserRole + 2;
    /// Whether the boot differs from the base in any field; no value while no marks are shown.
    static constexpr int RowChangedRole = Qt::UserRole + 3;
    /// What the base holds in a cell that differs (a dash for a boot it does not have).
    static constexpr int ReferenceRole = Qt::UserRole + 4;
    /// Shows at most as many boots as the boots list does.
    static constexpr int kMaxRows = 255;
    static constexpr int kColumnCount = 10;

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

    /// The field that `column` shows, or null for `#` (and for no column).
    static TablePaste::Column columnOf(int column);
    /// The column that shows `field`, or -1.
    static int columnOf(const BootField &field);

signals:
    /// An edit was refused for `reason`. (What an edit stored otherwise than typed, the
    /// document reports.)
    void editRefused(const Reason &reason);

private:
    struct Row
    {
        QStringList cells; ///< as shown, one per column
        QString filterText;
        bool changed = false;  ///< differs from the marks' base anywhere
        QList<bool> marked;    ///< by column, while marks are shown: differs from the base
        QStringList reference; ///< the base's text of each marked cell
    };
    void reload();
    void reloadRow(int row);
    Row rowOf(int row) const;
    void marksChanged();
    QString toolTip(const Row &row, int column) const;

    BootsDocument *mDocument;
    std::vector<Row> mRows;
    QStringList mHeaders;
};
