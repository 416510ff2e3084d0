#pragma once
// The boots table as shown: sorted, filtered by a text (BootsTableModel::FilterRole) and, on
// request, by "changed only" (boots that differ from the document's change marks). Changed-only
// keeps every boot while no marks are shown, so the table never empties for want of them.
#include <QSortFilterProxyModel>

class BootsFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit BootsFilterModel(QObject *parent = nullptr);

    bool changedOnly() const { return mChangedOnly; }
    void setChangedOnly(bool changedOnly);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    bool mChangedOnly = false;
};
