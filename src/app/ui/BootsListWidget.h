#pragma once
// The boots list: a list box that also takes game files dropped from the desktop, and says
// what to do while it is empty.
#include <QListWidget>
#include <QStringList>

class BootsListWidget : public QListWidget
{
    Q_OBJECT
public:
    explicit BootsListWidget(QWidget *parent = nullptr);

    /// The text drawn in the middle of the empty list (not an entry: the count stays 0).
    void setEmptyHint(const QString &hint);
    QString emptyHint() const { return mEmptyHint; }

signals:
    /// Local files dropped on the list, in the order the drop carried them.
    void filesDropped(const QStringList &paths);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString mEmptyHint;
};
