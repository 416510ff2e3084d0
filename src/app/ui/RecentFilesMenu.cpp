#include "RecentFilesMenu.h"

#include "Messages.h"
#include "desktop/EditorSettings.h"
#include "editor/Translation.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>

RecentFilesMenu::RecentFilesMenu(EditorSettings &settings, QWidget *parent)
    : QMenu(parent), mSettings(settings)
{
    setObjectName(QStringLiteral("mnuRecent"));
    retranslate();
    refresh();
}

void RecentFilesMenu::retranslate()
{
    setTitle(Translation::text(Translation::Key::OpenRecent));
    if (mClear)
        mClear->setText(Translation::text(Translation::Key::ClearRecent));
}

void RecentFilesMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMenu::changeEvent(event);
}

void RecentFilesMenu::refresh()
{
    // The chosen item may be the one asking: it is deleted once its signal has returned.
    for (QAction *action : actions()) {
        removeAction(action);
        action->deleteLater();
    }
    const QStringList files = mSettings.recentFiles();
    for (const QString &file : files) {
        // "&" would otherwise mark a shortcut letter in the caption.
        QAction *item = addAction(
            QDir::toNativeSeparators(file).replace(QLatin1Char('&'), QStringLiteral("&&")));
        connect(item, &QAction::triggered, this, [this, file] { choose(file); });
    }
    addSeparator();
    mClear = addAction(Translation::text(Translation::Key::ClearRecent), this,
                       &RecentFilesMenu::clearFiles);
    mClear->setObjectName(QStringLiteral("mnuRecentClear"));
    mClear->setEnabled(!files.isEmpty());
    setEnabled(!files.isEmpty());
}

void RecentFilesMenu::choose(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        mSettings.removeRecentFile(path);
        mSettings.store();
        refresh();
        Messages::recentFileMissing(parentWidget(), path);
        return;
    }
    emit fileChosen(path);
}

void RecentFilesMenu::clearFiles()
{
    mSettings.clearRecentFiles();
    mSettings.store();
    refresh();
}
