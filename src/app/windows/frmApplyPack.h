#pragma once
// The Apply Pack (and Revert Pack) window: the pack's title and description and every change
// with its status (applied, already there, conflict, problem). Each change can be left out;
// each conflict is kept or taken, one by one or all at once; problems cannot be ticked. The
// report can be saved as text. It changes nothing itself: the caller takes items() on OK.
#include "pack/PackMerge.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmApplyPack : public QDialog
{
    Q_OBJECT
public:
    frmApplyPack(const Pack &pack, PackMerge::Direction direction,
                 std::vector<PackMerge::Item> items, QWidget *parent = nullptr);

    /// The changes with the user's choices: which are included, which conflicts are taken.
    std::vector<PackMerge::Item> items() const;
    /// One line per change and the counts, as the command line prints them.
    QString report() const;
    /// Writes report() to `path`; false, after a message, when it cannot be written.
    bool saveReport(const QString &path);

private:
    void setAllConflicts(bool take);
    void cmdSaveReport_Click();

    const Pack &mPack;
    PackMerge::Direction mDirection;
    std::vector<PackMerge::Item> mItems;
    QLabel *lblPackTitle = nullptr;
    QLabel *lblPackDescription = nullptr;
    QTreeWidget *lstChanges = nullptr;
    QPushButton *cmdKeepAll = nullptr;
    QPushButton *cmdTakeAll = nullptr;
    QPushButton *cmdSaveReport = nullptr;
};
