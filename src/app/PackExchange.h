#pragma once
// Boot packs and originals in the window: File ▸ Export Pack… (the changes of the open files
// since their originals), Apply Pack… and Revert Pack… (through the Apply Pack window, as one
// undo step), and Edit ▸ Revert to Original for the chosen boots. Messages open over the
// window; the document does the work.
#include "pack/PackMerge.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class BootsDocument;
class QAction;
class QMenu;
class QWidget;

class PackExchange : public QObject
{
    Q_OBJECT
public:
    /// Adds the pack items to `fileMenu` above `quit` and Revert to Original to `editMenu`;
    /// `chosenBoots` gives the boots Revert to Original acts on.
    PackExchange(BootsDocument *document, QMenu *fileMenu, QAction *quit, QMenu *editMenu,
                 std::function<std::vector<int>()> chosenBoots, QWidget *window);

    /// Writes the changes since the originals to `path`; false after a message.
    bool exportPack(const QString &path);
    /// Reads the pack at `path`, shows its changes and, on OK, makes them one undo step.
    /// False after a message when it cannot be read; false when cancelled.
    bool mergePack(const QString &path, PackMerge::Direction direction);
    bool revertToOriginal();

    void applyTexts();

private:
    void documentReset();
    QString choosePack(const QString &objectName, bool saving);

    BootsDocument *mDocument;
    QWidget *mWindow;
    std::function<std::vector<int>()> mChosenBoots;
    QAction *mnuExportPack = nullptr;
    QAction *mnuApplyPack = nullptr;
    QAction *mnuRevertPack = nullptr;
    QAction *mnuRevert = nullptr;
};
