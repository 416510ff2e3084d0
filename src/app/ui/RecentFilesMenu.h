#pragma once
// File ▸ Open Recent: the boots files opened last, newest first, and Clear. A file that no
// longer exists leaves the list with a message instead of being offered for opening.
#include <QMenu>

class EditorSettings;

class RecentFilesMenu : public QMenu
{
    Q_OBJECT
public:
    RecentFilesMenu(EditorSettings &settings, QWidget *parent = nullptr);

    /// Lists the recent files of the settings again.
    void refresh();

signals:
    /// A listed file that still exists was chosen.
    void fileChosen(const QString &path);

protected:
    void changeEvent(QEvent *event) override;

private:
    void choose(const QString &path);
    void clearFiles();
    void retranslate();

    EditorSettings &mSettings;
    QAction *mClear = nullptr;
};
