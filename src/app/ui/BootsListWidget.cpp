#include "BootsListWidget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QUrl>

#include <algorithm>
#include <optional>

namespace {

QStringList localFiles(const QMimeData *mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

// Rows tall enough for the accents above capitals ("Ü", "Ż", "Ó"), which reach above the
// font's ascent in common fonts: a row of the font's height cuts them off. The text is drawn
// centred, so the row grows by that overshoot above and below.
class AccentRoomDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QFontMetrics &metrics = option.fontMetrics;
        // Measured once a font: every row asks.
        if (!mFont || *mFont != option.font) {
            mFont = option.font;
            const QRect capitals =
                metrics.tightBoundingRect(QString::fromUtf8("ÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÑÒÓÔÕÖÙÚÛÜĄĆĘŁŃŚŹŻ"));
            mAbove = std::max(0, -capitals.top() - metrics.ascent());
        }
        size.setHeight(std::max(size.height(), metrics.height() + 2 * mAbove));
        return size;
    }

private:
    mutable std::optional<QFont> mFont;
    mutable int mAbove = 0;
};

} // namespace

BootsListWidget::BootsListWidget(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new AccentRoomDelegate(this));
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

void BootsListWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void BootsListWidget::dragMoveEvent(QDragMoveEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void BootsListWidget::dropEvent(QDropEvent *event)
{
    const QStringList paths = localFiles(event->mimeData());
    // A drop that carries no file (text, a link to a web page) is not for us.
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(paths);
}

void BootsListWidget::setEmptyHint(const QString &hint)
{
    if (hint == mEmptyHint)
        return;
    mEmptyHint = hint;
    viewport()->update();
}

void BootsListWidget::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    if (count() > 0 || mEmptyHint.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect().adjusted(12, 12, -12, -12),
                     Qt::AlignCenter | Qt::TextWordWrap, mEmptyHint);
}
