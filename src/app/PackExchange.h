#pragma once
// Boot packs and originals in the window: File ▸ Export Pack… (the boots changed since the
// originals or a base file, ticked in the Export Pack window), Apply Pack… and Revert Pack…
// (through the Apply Pack window, as one undo step that also adds or drops the apply's
// receipt), Applied Packs… (the receipts, and a revert through one), and Edit ▸ Revert to
// Original for the chosen boots and their textures. Messages open over the window; the
// document does the work, and the plan is the one the command line builds.
#include "editor/PackSteps.h"
#include "pack/PackMerge.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class BootsDocument;
class Commands;
class QAction;
class QWidget;

class PackExchange : public QObject
{
    Q_OBJECT
public:
    /// Works the pack commands of the File menu and Revert to Original of the Edit menu;
    /// `chosenBoots` gives the boots Revert to Original acts on.
    PackExchange(BootsDocument *document, const Commands &commands,
                 std::function<std::vector<int>()> chosenBoots, QWidget *window);

    /// Writes the changes the user ticks in the Export Pack window to `path`; false after a
    /// message, or when cancelled.
    bool exportPack(const QString &path);
    /// Reads the pack at `path`, shows its changes and, on OK, makes them one undo step.
    /// False after a message when it cannot be read; false when cancelled.
    bool mergePack(const QString &path, PackMerge::Direction direction);
    /// Shows the packs applied to the open file; reverts the chosen one through its receipt.
    bool showApplied();
    /// Takes the pack of the document's receipt `index` back out, through the window.
    bool revertApplied(std::size_t index);
    bool revertToOriginal();

    void applyTexts();
    /// The folder the pack dialogs start in.
    void setPackFolder(const QString &folder) { mPackFolder = folder; }

signals:
    /// What an apply or a revert did, for the status line.
    void note(const QString &text);
    /// A pack dialog was used in `folder`.
    void packFolderChosen(const QString &folder);

private:
    void documentReset();
    QString choosePack(const QString &objectName, bool saving);
    /// Shows `plan` of `changes`; on OK makes its changes one undo step with `record`.
    bool review(const Pack &changes, PackMerge::Direction direction, PackMerge::Plan plan,
                const PackSteps::Record &record);

    BootsDocument *mDocument;
    QWidget *mWindow;
    std::function<std::vector<int>()> mChosenBoots;
    QAction *mnuExportPack = nullptr;
    QAction *mnuApplyPack = nullptr;
    QAction *mnuRevertPack = nullptr;
    QAction *mnuAppliedPacks = nullptr;
    QString mPackFolder;
    QAction *mnuRevert = nullptr;
};
