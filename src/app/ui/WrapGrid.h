#pragma once
// Rows of boxes that hold as many boxes a row as the width gives room for, from the counts they
// are given, and wrap the rest into more rows. Long captions in some languages and narrow
// windows then make the panels taller (they scroll down) rather than wider than the window
// (which would cut the controls at its edge); a wide window puts more boxes in a row. Each row
// is measured on its own, so that two long captions never have to share a width.
#include <QLayout>
#include <QList>
#include <vector>

class WrapGrid : public QLayout
{
public:
    /// `perRow`: the numbers of boxes a row to choose from, most first. `preferred`, one of
    /// them, is the arrangement the rows ask for; a number above it is taken only where every
    /// box gets its preferred width, the others wherever the boxes' least widths fit. The boxes
    /// fill the rows in reading order.
    WrapGrid(std::vector<int> perRow, int preferred, QWidget *parent = nullptr);
    ~WrapGrid() override;

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    void setGeometry(const QRect &rect) override;
    void invalidate() override;

    /// The number of boxes a row at `width` (the rows' own, without margins).
    int perRowAt(int width) const;

private:
    /// The boxes of one row and their widths.
    struct Row
    {
        QList<QLayoutItem *> items;
        std::vector<int> widths;
        int height = 0;
    };
    QList<QLayoutItem *> shown() const;
    int gap() const;
    /// The widest row's least (or preferred) width with `perRow` boxes a row.
    int widthNeeded(int perRow, bool preferred) const;
    /// The rows at `width` with `perRow` boxes a row.
    std::vector<Row> rows(int perRow, int width) const;
    int height(const std::vector<Row> &rows) const;

    QList<QLayoutItem *> mItems;
    std::vector<int> mPerRow;
    int mPreferred;
    mutable int mCachedWidth = -1;
    mutable int mCachedHeight = -1;
};
