#include "BootsFilterModel.h"

#include "BootsTableModel.h"

BootsFilterModel::BootsFilterModel(QObject *parent) : QSortFilterProxyModel(parent)
{
    setSortRole(BootsTableModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setFilterRole(BootsTableModel::FilterRole);
    setFilterCaseSensitivity(Qt::CaseInsensitive);
}

void BootsFilterModel::setChangedOnly(bool changedOnly)
{
    if (changedOnly == mChangedOnly)
        return;
    mChangedOnly = changedOnly;
    invalidateRowsFilter();
}

bool BootsFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (mChangedOnly) {
        const QVariant changed =
            sourceModel()->index(sourceRow, 0, sourceParent).data(BootsTableModel::RowChangedRole);
        if (changed.isValid() && !changed.toBool())
            return false;
    }
    return QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent);
}
