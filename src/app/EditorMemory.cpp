#include "EditorMemory.h"

#include "PackExchange.h"
#include "app/panels/PreviewPanel.h"
#include "app/panels/TextureActions.h"
#include "app/ui/Commands.h"
#include "app/ui/RecentFilesMenu.h"
#include "desktop/EditorSettings.h"
#include "editor/BootsDocument.h"
#include "editor/TextureArchives.h"
#include "editor/Translation.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>

EditorMemory::EditorMemory(const QString &settingsFile, const Parts &parts)
    : QObject(parts.window), mParts(parts),
      mSettings(std::make_unique<EditorSettings>(settingsFile))
{
    QMainWindow &window = *mParts.window;
    // A geometry from a screen that is gone is moved onto one that exists.
    const QByteArray geometry = mSettings->windowGeometry();
    if (!geometry.isEmpty() && !window.restoreGeometry(geometry))
        qWarning("The remembered window geometry was not usable.");
    // The boots table's dock and columns; anything unusable leaves them as they start.
    const QByteArray state = mSettings->windowState();
    if (!state.isEmpty() && !window.restoreState(state))
        qWarning("The remembered place of the boots table was not usable.");
    const QByteArray columns = mSettings->tableColumns();
    if (!columns.isEmpty() && !mParts.tableColumns->restoreState(columns))
        qWarning("The remembered columns of the boots table were not usable.");

    mRecent = new RecentFilesMenu(*mSettings, &window);
    mParts.commands->provide(QStringLiteral("mnuRecent"), mRecent);

    mReload = mParts.preview->button(QStringLiteral("cmdReloadArchives"));
    mReload->installEventFilter(this);
    connect(mReload, &QPushButton::clicked, this, &EditorMemory::loadLastArchives);
    mParts.textures->setArchiveFolder(mSettings->archiveFolder());
    updateReloadButton();

    connect(mParts.document, &BootsDocument::reset, this, &EditorMemory::documentReset);
    // Save As: the files saved elsewhere are the ones opened next time.
    connect(mParts.document, &BootsDocument::filesMoved, this, [this] {
        documentReset();
        for (int archive = 1; archive <= 2; ++archive) {
            const QString source = mParts.document->textures().source(archive);
            if (!source.isEmpty() && source != mSettings->lastArchive(archive))
                archiveLoaded(archive, source);
        }
    });
    connect(mParts.preview, &PreviewPanel::archiveLoaded, this, &EditorMemory::archiveLoaded);
    mParts.textures->setTextureFolder(mSettings->textureFolder());
    mParts.textures->setTextureEditor(mSettings->textureEditor());
    mParts.packs->setPackFolder(mSettings->packFolder());
    connect(mParts.packs, &PackExchange::packFolderChosen, this, [this](const QString &folder) {
        mSettings->setPackFolder(folder);
        mSettings->store();
    });
    connect(mParts.textures, &TextureActions::textureFolderChosen, this,
            [this](const QString &folder) {
                mSettings->setTextureFolder(folder);
                mSettings->store();
            });
}

EditorMemory::~EditorMemory() = default;

bool EditorMemory::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mReload && event->type() == QEvent::LanguageChange)
        mReload->setText(Translation::text(Translation::Key::LoadLastArchives));
    return QObject::eventFilter(watched, event);
}

QString EditorMemory::bootsFolder() const
{
    return mSettings->lastBootsFolder();
}

void EditorMemory::documentReset()
{
    const BootsDocument &document = *mParts.document;
    if (document.isOpen()) {
        // Another running copy may have added files since: the list grows from the file's.
        mSettings->store();
        mSettings->addRecentFile(document.gamePath());
        mSettings->setLastBootsFile(document.gamePath());
        mSettings->store();
        mRecent->refresh();
        mParts.textures->setArchiveFolder(mSettings->archiveFolder());
    }
    updateReloadButton();
}

void EditorMemory::archiveLoaded(int archive, const QString &path)
{
    mSettings->setLastArchive(archive, path);
    mSettings->store();
    mParts.textures->setArchiveFolder(mSettings->archiveFolder());
    updateReloadButton();
}

void EditorMemory::updateReloadButton()
{
    mReload->setEnabled(QFileInfo(mSettings->lastArchive(1)).isFile() &&
                        QFileInfo(mSettings->lastArchive(2)).isFile());
}

bool EditorMemory::loadLastArchives()
{
    // Each archive is loaded and checked as its button loads it; one failing keeps the other.
    const QString first = mSettings->lastArchive(1);
    const QString second = mSettings->lastArchive(2);
    const bool firstLoaded = mParts.textures->loadArchive(1, first);
    if (mParts.textures->loadDeclined())
        return false; // Cancel stops the whole reload
    const bool secondLoaded = mParts.textures->loadArchive(2, second);
    return firstLoaded && secondLoaded;
}

bool EditorMemory::loadsArchivesBeside() const
{
    return mSettings->loadArchivesBeside();
}

void EditorMemory::rememberWindow()
{
    mSettings->setWindowGeometry(mParts.window->saveGeometry());
    mSettings->setWindowState(mParts.window->saveState());
    mSettings->setTableColumns(mParts.tableColumns->saveState());
    mSettings->store();
}
