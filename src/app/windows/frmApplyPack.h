#pragma once
// The Apply Pack (and Revert Pack) window: the pack's title and description and every change
// in columns (boot, field, the user's value, the pack's before → after, what will happen),
// in the user's language. Each change can be left out; each conflict is kept or taken, one by
// one or all at once. While a ticked change cannot be made, or the pack as a whole cannot,
// OK is disabled and a line says why: unticking the problems lets the rest be applied. The
// report can be saved. It changes nothing itself: the caller takes plan() on OK.
#include "pack/PackMerge.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmApplyPack : public QDialog
{
    Q_OBJECT
public:
    frmApplyPack(const Pack &changes, PackMerge::Direction direction, PackMerge::Plan plan,
                 QWidget *parent = nullptr);

    /// The plan with the user's choices: which changes are included, which conflicts taken.
    const PackMerge::Plan &plan() const { return mPlan; }
    /// Writes the report, in the user's language, to `path`; false, after a message, when it
    /// cannot be written.
    bool saveReport(const QString &path);
    /// Where the report dialog starts.
    void setReportFolder(const QString &folder) { mReportFolder = folder; }

private:
    void rowChanged(QTreeWidgetItem *row);
    void setAllConflicts(bool take);
    void showProblems();
    void cmdSaveReport_Click();

    const Pack &mChanges;
    PackMerge::Direction mDirection;
    PackMerge::Plan mPlan;
    QString mReportFolder;
    bool mFilling = false;
    QLabel *lblPackTitle = nullptr;
    QLabel *lblPackDescription = nullptr;
    QTreeWidget *lstChanges = nullptr;
    QLabel *lblProblems = nullptr;
    QPushButton *cmdKeepAll = nullptr;
    QPushButton *cmdTakeAll = nullptr;
    QPushButton *cmdSaveReport = nullptr;
    QDialogButtonBox *buttons = nullptr;
};
