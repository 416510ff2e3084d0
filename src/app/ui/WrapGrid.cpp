#include "WrapGrid.h"

#include <QStyle>
#include <QWidget>

#include <algorithm>

WrapGrid::WrapGrid(std::vector<int> perRow, int preferred, QWidget *parent)
    : QLayout(parent), mPerRow(std::move(perRow)), mPreferred(preferred)
{
}

WrapGrid::~WrapGrid()
{
    qDeleteAll(mItems);
}

void WrapGrid::addItem(QLayoutItem *item)
{
    mItems.append(item);
    invalidate();
}

int WrapGrid::count() const
{
    return static_cast<int>(mItems.size());
}

QLayoutItem *WrapGrid::itemAt(int index) const
{
    return mItems.value(index);
}

QLayoutItem *WrapGrid::takeAt(int index)
{
    if (index < 0 || index >= mItems.size())
        return nullptr;
    invalidate();
    return mItems.takeAt(index);
}

void WrapGrid::invalidate()
{
    mCachedWidth = -1;
    QLayout::invalidate();
}

QList<QLayoutItem *> WrapGrid::shown() const
{
    QList<QLayoutItem *> items;
    for (QLayoutItem *item : mItems) {
        if (!item->isEmpty())
            items.append(item);
    }
    return items;
}

int WrapGrid::gap() const
{
    const int own = spacing();
    if (own >= 0)
        return own;
    const QWidget *widget = parentWidget();
    return widget ? widget->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing) : 6;
}

int WrapGrid::widthNeeded(int perRow, bool preferred) const
{
    const QList<QLayoutItem *> items = shown();
    int widest = 0;
    for (qsizetype first = 0; first < items.size(); first += perRow) {
        int width = 0;
        for (qsizetype i = first; i < std::min<qsizetype>(first + perRow, items.size()); ++i) {
            const int least = items[i]->minimumSize().width();
            width += (preferred ? std::max(least, items[i]->sizeHint().width()) : least) +
                     (i > first ? gap() : 0);
        }
        widest = std::max(widest, width);
    }
    return widest;
}

int WrapGrid::perRowAt(int width) const
{
    for (const int perRow : mPerRow) {
        if (widthNeeded(perRow, perRow > mPreferred) <= width)
            return perRow;
    }
    return mPerRow.empty() ? 1 : mPerRow.back();
}

std::vector<WrapGrid::Row> WrapGrid::rows(int perRow, int width) const
{
    const QList<QLayoutItem *> items = shown();
    std::vector<Row> rows;
    for (qsizetype first = 0; first < items.size(); first += perRow) {
        Row row;
        row.items = items.mid(first, perRow);
        // Equal cells (a short last row keeps the cells of the full ones); a box that needs
        // more keeps its least width and the others share what is left.
        std::vector<int> least(static_cast<std::size_t>(perRow), 0);
        for (qsizetype i = 0; i < row.items.size(); ++i)
            least[static_cast<std::size_t>(i)] = row.items[i]->minimumSize().width();
        row.widths.assign(least.size(), -1);
        int room = width - gap() * (perRow - 1);
        int open = perRow;
        for (bool settled = false; !settled && open > 0;) {
            settled = true;
            for (std::size_t c = 0; c < least.size(); ++c) {
                if (row.widths[c] < 0 && open > 0 && least[c] > room / open) {
                    row.widths[c] = least[c];
                    room -= least[c];
                    --open;
                    settled = false;
                }
            }
        }
        for (int &cell : row.widths) {
            if (cell < 0) {
                cell = room / open;
                room -= cell;
                --open;
            }
        }
        for (qsizetype i = 0; i < row.items.size(); ++i) {
            const QLayoutItem *item = row.items[i];
            const int w = row.widths[static_cast<std::size_t>(i)];
            const int h =
                item->hasHeightForWidth() ? item->heightForWidth(w) : item->sizeHint().height();
            row.height = std::max({row.height, h, item->minimumSize().height()});
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

int WrapGrid::height(const std::vector<Row> &rows) const
{
    int total = 0;
    for (const Row &row : rows)
        total += row.height + (total > 0 ? gap() : 0);
    return total;
}

QSize WrapGrid::sizeHint() const
{
    const int width = widthNeeded(mPreferred, true);
    const QMargins m = contentsMargins();
    return {width + m.left() + m.right(), height(rows(mPreferred, width)) + m.top() + m.bottom()};
}

QSize WrapGrid::minimumSize() const
{
    // As narrow as one box a row; as low as the most boxes a row make it, since the height
    // that a width needs is what heightForWidth() answers.
    const int most = mPerRow.empty() ? 1 : mPerRow.front();
    const QMargins m = contentsMargins();
    return {widthNeeded(1, false) + m.left() + m.right(),
            height(rows(most, widthNeeded(most, false))) + m.top() + m.bottom()};
}

Qt::Orientations WrapGrid::expandingDirections() const
{
    Qt::Orientations directions;
    for (const QLayoutItem *item : mItems)
        directions |= item->expandingDirections();
    return directions;
}

bool WrapGrid::hasHeightForWidth() const
{
    return true;
}

int WrapGrid::heightForWidth(int width) const
{
    if (width != mCachedWidth) {
        const QMargins m = contentsMargins();
        const int inner = width - m.left() - m.right();
        mCachedWidth = width;
        mCachedHeight = height(rows(perRowAt(inner), inner)) + m.top() + m.bottom();
    }
    return mCachedHeight;
}

void WrapGrid::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    const QRect inner = rect.marginsRemoved(contentsMargins());
    int y = inner.top();
    for (const Row &row : rows(perRowAt(inner.width()), inner.width())) {
        int x = inner.left();
        for (qsizetype i = 0; i < row.items.size(); ++i) {
            const int w = row.widths[static_cast<std::size_t>(i)];
            row.items[i]->setGeometry(QRect(x, y, w, row.height));
            x += w + gap();
        }
        y += row.height + gap();
    }
}
