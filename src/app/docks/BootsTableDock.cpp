#include "BootsTableDock.h"

#include "app/access/Mnemonics.h"
#include "app/access/QuietWhenHidden.h"
#include "app/ui/Commands.h"
#include "app/ui/Messages.h"
#include "app/ui/WindowCaptions.h"
#include "editor/BootsDocument.h"
#include "editor/BootsFilterModel.h"
#include "editor/BootsTableModel.h"
#include "editor/ChangeMarks.h"

#include "boots/Manufacturer.h"
#include "editor/Translation.h"
#include "exchange/TablePaste.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using TablePaste::Column;

namespace {

/// The manufacturer in a box of the six names; texts and statistics in a line edit, which
/// takes what is typed whole, for the field's rule to store (a statistic typed as 300 is
/// stored as 5, and said so, not cut to 30 while typing).
class CellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        const Column column = BootsTableModel::columnOf(index.column());
        if (column && column->rule == BootField::Rule::Code) {
            auto *box = new QComboBox(parent);
            for (const std::string &name : Manufacturer::names())
                box->addItem(QString::fromStdString(name));
            return box;
        }
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *box = qobject_cast<QComboBox *>(editor))
            box->setCurrentIndex(box->findText(index.data().toString()));
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        if (auto *box = qobject_cast<QComboBox *>(editor)) {
            // A code without a name stays unless a name is chosen.
            if (box->currentIndex() >= 0)
                model->setData(index, box->currentText());
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

protected:
    /// A cell that differs from the marks' base is coloured, in dark themes too.
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(BootsTableModel::ChangedRole).toBool()) {
            option->backgroundBrush = QColor(255, 222, 140);
            option->palette.setColor(QPalette::Text, Qt::black);
        }
    }
};

/// Asks for room for ten boots when it is docked, but for no more than a quarter of a short
/// window (eight boots at least): the panels above keep room for the record editor and its
/// Change Stats box. The user can give it more or less. Tab and
/// Ctrl+Tab leave it, as they leave every other control, rather than walk its cells and wrap
/// round to another boot; the arrow keys walk the cells.
class BootsTableView : public QuietWhenHidden<QTableView>
{
public:
    static constexpr int kRowsWanted = 10;
    static constexpr int kRowsAtLeast = 8;

    BootsTableView() { setTabKeyNavigation(false); }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool backward =
            event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier) != 0;
        if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
            !(event->modifiers() & Qt::AltModifier)) {
            focusNextPrevChild(!backward); // without tab navigation, to the next control
            return;
        }
        QTableView::keyPressEvent(event);
    }

    /// Tab in a cell's editor stores the value and stays on the cell.
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override
    {
        const bool moves = hint == QAbstractItemDelegate::EditNextItem ||
                           hint == QAbstractItemDelegate::EditPreviousItem;
        QTableView::closeEditor(editor, moves ? QAbstractItemDelegate::NoHint : hint);
    }

public:
    QSize sizeHint() const override
    {
        QSize hint = QTableView::sizeHint();
        const int frame = horizontalHeader()->sizeHint().height() +
                          horizontalScrollBar()->sizeHint().height() + 2 * frameWidth();
        const int row = verticalHeader()->defaultSectionSize();
        int rows = kRowsWanted;
        if (const auto *docked = qobject_cast<const QMainWindow *>(window()))
            rows = std::clamp((docked->height() / 4 - frame) / row, kRowsAtLeast, kRowsWanted);
        hint.setHeight(frame + rows * row);
        return hint;
    }
};

} // namespace

BootsTableDock::BootsTableDock(BootsDocument *document, Commands &commands, QMainWindow *window)
    : QDockWidget(window), mDocument(document), mModel(new BootsTableModel(document, this)),
      mProxy(new BootsFilterModel(this)), mTable(new BootsTableView), mFilter(new QLineEdit),
      mChangedOnly(new QCheckBox), mCopy(commands.action(QStringLiteral("mnuCopy"))),
      mPaste(commands.action(QStringLiteral("mnuPaste")))
{
    setObjectName(QStringLiteral("dockTable"));
    mProxy->setSourceModel(mModel);
    mChangedOnly->setObjectName(QStringLiteral("chkChangedOnly"));

    mFilter->setObjectName(QStringLiteral("txtTableFilter"));
    mFilter->setClearButtonEnabled(true);
    mTable->setObjectName(QStringLiteral("tblBoots"));
    mTable->setModel(mProxy);
    mTable->setItemDelegate(new CellDelegate(mTable));
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    mTable->verticalHeader()->hide();
    // One line a boot, columns as wide as their English headers (the widths are remembered).
    mTable->setWordWrap(false);
    mTable->verticalHeader()->setDefaultSectionSize(mTable->fontMetrics().height() + 8);
    for (int c = 0; c < BootsTableModel::kColumnCount; ++c) {
        const Column field = BootsTableModel::columnOf(c);
        const bool text = field && field->isText();
        const int header =
            mTable->fontMetrics().horizontalAdvance(BootsTableModel::englishHeader(c)) + 30;
        mTable->setColumnWidth(c, text ? std::max(header, 140) : header);
    }
    mTable->setSortingEnabled(true);
    mTable->sortByColumn(0, Qt::AscendingOrder);

    auto *contents = new QWidget;
    auto *layout = new QVBoxLayout(contents);
    layout->setContentsMargins(4, 4, 4, 4);
    lblCompare = new QLabel(contents);
    lblCompare->setObjectName(QStringLiteral("lblCompare"));
    lblCompare->setWordWrap(true);
    lblCompare->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblCompare->hide();
    layout->addWidget(lblCompare);
    auto *filters = new QHBoxLayout;
    filters->addWidget(mFilter, 1);
    filters->addWidget(mChangedOnly);
    layout->addLayout(filters);
    layout->addWidget(mTable);
    setWidget(contents);
    window->addDockWidget(Qt::BottomDockWidgetArea, this);
    hide();

    mView = commands.menu(QStringLiteral("View"));
    WindowCaptions::setText(mView, Translation::Key::View);
    QAction *show = toggleViewAction(); // its text follows the dock's title
    show->setObjectName(QStringLiteral("mnuTable"));
    commands.provide(show->objectName(), show);
    // The keyboard follows the table: into it as it shows, back where it came from as it hides.
    connect(show, &QAction::triggered, this, [this](bool shown) {
        if (shown) {
            activateWindow();
            mTable->setFocus(Qt::ShortcutFocusReason);
        } else if (mFocusOnHide) {
            mFocusOnHide->setFocus(Qt::ShortcutFocusReason);
        }
    });

    // Copy and Paste act on the table while it has the focus; elsewhere the keys stay with the
    // text fields.
    connect(mCopy, &QAction::triggered, this, &BootsTableDock::copy);
    connect(mPaste, &QAction::triggered, this, &BootsTableDock::paste);
    for (QAction *action : {mCopy, mPaste}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        mTable->addAction(action);
    }
    WindowCaptions::setText(mCopy, Translation::Key::Copy);
    WindowCaptions::setText(mPaste, Translation::Key::Paste);
    retranslate();
    updateActions();
    marksChanged();

    connect(mFilter, &QLineEdit::textChanged, mProxy, &QSortFilterProxyModel::setFilterFixedString);
    connect(mChangedOnly, &QCheckBox::toggled, mProxy, &BootsFilterModel::setChangedOnly);
    connect(&document->changeMarks(), &ChangeMarks::changed, this, &BootsTableDock::marksChanged);
    connect(mModel, &BootsTableModel::editRefused, this,
            [this](const Reason &reason) { emit note(Translation::reason(reason)); });
    connect(mTable->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &BootsTableDock::followTable);
    connect(mTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &BootsTableDock::followTable);
    connect(document, &BootsDocument::currentBootChanged, this, &BootsTableDock::followDocument);
    connect(document, &BootsDocument::selectionChanged, this, &BootsTableDock::followDocument);
    // A reset or a filter drops selected rows without telling the selection's listeners.
    connect(mProxy, &QAbstractItemModel::modelReset, this, &BootsTableDock::followTable);
    connect(mProxy, &QAbstractItemModel::layoutChanged, this, &BootsTableDock::followTable);
    connect(mProxy, &QAbstractItemModel::rowsRemoved, this, &BootsTableDock::followTable);
    connect(this, &QDockWidget::visibilityChanged, this, &BootsTableDock::updateActions);
    // Widths remembered from another language may cut this one's headers.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            fitHeaders();
    });
    connect(qApp, &QApplication::focusChanged, this, &BootsTableDock::updateActions);
}

void BootsTableDock::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDockWidget::changeEvent(event);
}

void BootsTableDock::retranslate()
{
    setWindowTitle(Translation::text(Translation::Key::BootsTable));
    mFilter->setPlaceholderText(Translation::text(Translation::Key::TableFilter));
    mChangedOnly->setText(Translation::text(Translation::Key::ChangedOnly));
    // The columns carry the record editor's captions; one a language leaves empty is English.
    QStringList headers;
    for (int c = 1; c < BootsTableModel::kColumnCount; ++c) {
        const BootField &field = *BootsTableModel::columnOf(c);
        const auto *box = parentWidget()->findChild<QGroupBox *>(QLatin1String(field.captionKey));
        const QString caption = box ? Mnemonics::plain(box->title()) : QString();
        headers << (caption.isEmpty() ? BootsTableModel::englishHeader(c) : caption);
    }
    mModel->setHeaders(headers);
    fitHeaders();
}

void BootsTableDock::fitHeaders()
{
    // Wider where a header needs it, never narrower than the user made a column.
    QHeaderView *header = mTable->horizontalHeader();
    for (int c = 0; c < BootsTableModel::kColumnCount; ++c)
        header->resizeSection(c, std::max(header->sectionSize(c), header->sectionSizeHint(c)));
}

QSortFilterProxyModel *BootsTableDock::proxy() const
{
    return mProxy;
}

void BootsTableDock::marksChanged()
{
    const ChangeMarks &marks = mDocument->changeMarks();
    const bool shown = marks.shown();
    mChangedOnly->setEnabled(shown);
    if (!shown)
        mChangedOnly->setChecked(false);
    // The marks are in the table: asking for them (or for other ones) shows it.
    const int base = static_cast<int>(marks.base());
    if (shown && base != mMarksBase && isHidden())
        show();
    mMarksBase = base;
    // Which file the marks speak of, by folder and name: every game file has the same name.
    const QFileInfo compared(marks.comparedFile());
    lblCompare->setText(
        compared.fileName().isEmpty()
            ? QString()
            : Translation::text(
                  Translation::Key::ComparingWith,
                  {compared.fileName(), QDir::toNativeSeparators(compared.absolutePath())}));
    lblCompare->setVisible(!lblCompare->text().isEmpty());
}

std::vector<int> BootsTableDock::selectedPositions() const
{
    QModelIndexList rows = mTable->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    std::vector<int> positions;
    positions.reserve(static_cast<std::size_t>(rows.size()));
    for (const QModelIndex &row : rows)
        positions.push_back(mProxy->mapToSource(row).row());
    return positions;
}

void BootsTableDock::updateActions()
{
    const bool focused = QApplication::focusWidget() == mTable;
    const int rows = static_cast<int>(mTable->selectionModel()->selectedRows().size());
    mCopy->setEnabled(focused && rows > 0);
    mPaste->setEnabled(focused && mDocument->isOpen());
    // Rows of a table that is not shown are no choice the user can see.
    emit selectedRowsChanged(toggleViewAction()->isChecked() ? rows : 0);
}

void BootsTableDock::followTable()
{
    updateActions();
    if (mFollowing)
        return;
    // A current row the user took out of the selection leaves the current boot as it was.
    const QModelIndex current = mTable->currentIndex();
    int boot = mDocument->currentBoot();
    if (current.isValid() && mTable->selectionModel()->isRowSelected(current.row(), {}))
        boot = mProxy->mapToSource(current).row();
    mFollowing = true;
    mDocument->setSelection(boot, selectedPositions());
    mFollowing = false;
}

void BootsTableDock::followDocument()
{
    if (mFollowing)
        return;
    mFollowing = true;
    QItemSelection rows;
    for (const int position : mDocument->selectedBoots()) {
        const QModelIndex row = mProxy->mapFromSource(mModel->index(position, 0));
        if (row.isValid()) // not filtered out
            rows.select(row, row.siblingAtColumn(mProxy->columnCount() - 1));
    }
    QItemSelectionModel *selection = mTable->selectionModel();
    selection->select(rows, QItemSelectionModel::ClearAndSelect);
    const int boot = mDocument->currentBoot();
    const QModelIndex current = mTable->currentIndex();
    const QModelIndex row = mProxy->mapFromSource(mModel->index(boot, 0));
    if (row.isValid() && (!current.isValid() || mProxy->mapToSource(current).row() != boot)) {
        selection->setCurrentIndex(row.siblingAtColumn(std::max(current.column(), 0)),
                                   QItemSelectionModel::NoUpdate);
        mTable->scrollTo(row);
    }
    mFollowing = false;
    updateActions();
}

bool BootsTableDock::copy()
{
    const std::vector<int> positions = selectedPositions();
    if (positions.empty())
        return false;
    std::vector<std::vector<std::string>> lines;
    lines.reserve(positions.size() + 1);
    lines.emplace_back();
    for (int c = 0; c < BootsTableModel::kColumnCount; ++c)
        lines.back().push_back(mModel->header(c).toStdString());
    for (const int position : positions) {
        lines.emplace_back();
        for (int c = 0; c < BootsTableModel::kColumnCount; ++c)
            lines.back().push_back(mModel->index(position, c).data().toString().toStdString());
    }
    QApplication::clipboard()->setText(QString::fromStdString(TablePaste::join(lines)));
    return true;
}

bool BootsTableDock::paste()
{
    return pasteText(QApplication::clipboard()->text());
}

bool BootsTableDock::pasteText(const QString &text)
{
    const QModelIndex current = mTable->currentIndex();
    if (!mDocument->isOpen() || !current.isValid())
        return false;
    TablePaste::Target target;
    for (int row = current.row(); row < mProxy->rowCount(); ++row)
        target.rows.push_back(
            static_cast<std::size_t>(mProxy->mapToSource(mProxy->index(row, 0)).row()));
    for (int c = current.column(); c < BootsTableModel::kColumnCount; ++c) {
        target.columns.push_back(BootsTableModel::columnOf(c));
        target.headers.push_back(mModel->header(c).toStdString());
    }
    // A text too long to paste is refused as such without converting all of it.
    const auto limit = static_cast<qsizetype>(TablePaste::kMaxBytes) + 1;
    const TablePaste::Result result =
        TablePaste::paste(text.left(limit).toStdString(), mDocument->database().records(), target);
    if (!result.problems.empty()) {
        QStringList problems;
        for (const TableProblem &problem : result.problems)
            problems << Translation::reason(problem.why());
        Messages::pasteRefused(window(), problems);
        return false;
    }
    mDocument->changeRecords(Translation::text(Translation::Key::Paste), result.records);
    return true;
}
