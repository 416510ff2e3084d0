#include "BootsTableModel.h"

#include "AppliedPacks.h"
#include "BootsDocument.h"
#include "ChangeMarks.h"
#include "Translation.h"
#include "pack/BootsDiff.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <array>
#include <optional>

using TablePaste::Column;

namespace {

using Id = BootField::Id;

constexpr std::array<std::optional<Id>, BootsTableModel::kColumnCount> kColumns = {
    std::nullopt,  Id::Name,         Id::Code,         Id::Material, Id::Colour,
    Id::ShotPower, Id::ShotAccuracy, Id::Acceleration, Id::TopSpeed, Id::Swerve};

bool isNumber(Column column)
{
    return !column || !column->isText();
}

} // namespace

Column BootsTableModel::columnOf(int column)
{
    if (column < 0 || column >= kColumnCount || !kColumns[static_cast<std::size_t>(column)])
        return nullptr;
    return &BootFields::field(*kColumns[static_cast<std::size_t>(column)]);
}

int BootsTableModel::columnOf(const BootField &field)
{
    for (int c = 0; c < kColumnCount; ++c) {
        if (kColumns[static_cast<std::size_t>(c)] == field.id)
            return c;
    }
    return -1;
}

BootsTableModel::BootsTableModel(BootsDocument *document, QObject *parent)
    : QAbstractTableModel(parent), mDocument(document)
{
    for (int c = 0; c < kColumnCount; ++c)
        mHeaders << englishHeader(c);
    reload();
    connect(document, &BootsDocument::reset, this, [this] {
        beginResetModel();
        reload();
        endResetModel();
    });
    connect(document, &BootsDocument::recordChanged, this, [this](int row) {
        if (row < 0 || row >= rowCount())
            return;
        mRows[static_cast<std::size_t>(row)] = rowOf(row);
        emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
    });
    connect(&document->changeMarks(), &ChangeMarks::changed, this, &BootsTableModel::marksChanged);
    // Many boots at once: their number stays, so the rows (and the selection) stay too.
    connect(document, &BootsDocument::recordsReplaced, this, [this] {
        const auto before = mRows.size();
        reload();
        if (mRows.size() != before) {
            beginResetModel();
            endResetModel();
        } else if (!mRows.empty()) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
        }
    });
}

QString BootsTableModel::englishHeader(int column)
{
    if (column < 0 || column >= kColumnCount)
        return {};
    const Column field = columnOf(column);
    return QString::fromLatin1(field ? field->caption : "#");
}

void BootsTableModel::setHeaders(const QStringList &headers)
{
    for (qsizetype i = 0; i < headers.size() && i + 1 < mHeaders.size(); ++i)
        mHeaders[i + 1] = headers[i];
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

QString BootsTableModel::header(int column) const
{
    return mHeaders.value(column);
}

BootsTableModel::Row BootsTableModel::rowOf(int row) const
{
    const BootRecord &record = mDocument->database().records()[static_cast<std::size_t>(row)];
    Row r;
    for (int c = 0; c < kColumnCount; ++c)
        r.cells << QString::fromStdString(
            TablePaste::shown(record, static_cast<std::size_t>(row), columnOf(c)));
    // A name the manufacturer has; a bare code is no name to find.
    const bool named = r.cells[2] != QString::number(record.nowe);
    r.filterText = r.cells[1] + QLatin1Char('\n') + r.cells[3] + QLatin1Char('\n') + r.cells[4] +
                   QLatin1Char('\n') + (named ? r.cells[2] : QString());
    const ChangeMarks &marks = mDocument->changeMarks();
    if (!marks.shown())
        return r;
    const BootRecord *base = marks.reference(row);
    for (int c = 0; c < kColumnCount; ++c) {
        // A boot the base does not have differs in every field.
        r.marked << (!base && c > 0);
        r.reference << (r.marked.back() ? QStringLiteral("\u2014") : QString());
    }
    if (!base || marks.textureChanged(row)) {
        r.changed = true;
        if (!base)
            return r;
    }
    for (const PackFieldChange &change : BootsDiff::fieldsOf(*base, record)) {
        r.changed = true;
        for (int c = 1; c < kColumnCount; ++c) {
            if (change.key == columnOf(c)->name) {
                // As the table shows it: a manufacturer by its name.
                r.marked[c] = true;
                r.reference[c] = QString::fromStdString(
                    TablePaste::shown(*base, static_cast<std::size_t>(row), columnOf(c)));
            }
        }
    }
    return r;
}

void BootsTableModel::marksChanged()
{
    reload();
    if (!mRows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

QString BootsTableModel::toolTip(const Row &row, int column) const
{
    if (!row.marked.value(column))
        return QString();
    const QString base = row.reference.value(column);
    const ChangeMarks &marks = mDocument->changeMarks();
    // Every game file has the same name: the folder tells which one.
    if (marks.base() == ChangeMarks::Base::File)
        return Translation::text(Translation::Key::ChangesCompared,
                                 {QDir::toNativeSeparators(marks.comparedFile()), base});
    QString tip = Translation::text(Translation::Key::ChangesOriginal, {base});
    const BootField *field = columnOf(column);
    const auto position = static_cast<std::size_t>(row.cells.value(0).toInt());
    const std::vector<BootRecord> &records = mDocument->database().records();
    if (field && position < records.size()) {
        if (const Receipt *setter = mDocument->appliedPacks().setterOf(
                position, field->name, field->shown(records[position]))) {
            const QDateTime when =
                QDateTime::fromString(QString::fromStdString(setter->applied), Qt::ISODate);
            tip +=
                QLatin1Char('\n') +
                Translation::text(Translation::Key::SetByPack,
                                  {QString::fromStdString(setter->title),
                                   QLocale().toString(when.toLocalTime(), QLocale::ShortFormat)});
        }
    }
    return tip;
}

void BootsTableModel::reload()
{
    const int count = std::min(static_cast<int>(mDocument->database().records().size()), kMaxRows);
    mRows.clear();
    mRows.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row)
        mRows.push_back(rowOf(row));
}

int BootsTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(mRows.size());
}

int BootsTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant BootsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row &row = mRows[static_cast<std::size_t>(index.row())];
    const Column column = columnOf(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        // A text for every cell, so that a statistic is typed like any field, digit by digit.
        return row.cells[index.column()];
    case SortRole:
        if (isNumber(column))
            return row.cells[index.column()].toInt();
        return row.cells[index.column()];
    case FilterRole:
        return row.filterText;
    case ChangedRole:
        if (!mDocument->changeMarks().shown())
            return {};
        return row.marked.value(index.column());
    case RowChangedRole:
        if (!mDocument->changeMarks().shown())
            return {};
        return row.changed;
    case ReferenceRole:
        return row.reference.value(index.column());
    case Qt::ToolTipRole:
        return toolTip(row, index.column());
    case Qt::TextAlignmentRole:
        if (isNumber(column))
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant BootsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return mHeaders.value(section);
    // Every first click on a header sorts ascending.
    if (role == Qt::InitialSortOrderRole)
        return static_cast<int>(Qt::AscendingOrder);
    return {};
}

Qt::ItemFlags BootsTableModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid() || !columnOf(index.column()))
        return flags;
    return flags | Qt::ItemIsEditable;
}

bool BootsTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    Reason reason;
    if (!mDocument->setField(index.row(), *columnOf(index.column()), value.toString(), &reason)) {
        emit editRefused(reason);
        return false;
    }
    return true;
}
