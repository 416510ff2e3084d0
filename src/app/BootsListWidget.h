#pragma once
// The boots list: a list box that also takes game files dropped from the desktop.
#include <QListWidget>
#include <QStringList>

class BootsListWidget : public QListWidget
{
    Q_OBJECT
public:
    explicit BootsListWidget(QWidget *parent = nullptr);

signals:
    /// Local files dropped on the list, in the order the drop carried them.
    void filesDropped(const QStringList &paths);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
