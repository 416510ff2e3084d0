#pragma once
// File ▸ Applied Packs…: the packs applied to the open files, as their receipts tell (title,
// author, when applied, how many fields and textures), and the command that takes the chosen
// one back out through its receipt. It changes nothing itself: the caller reverts chosen().
#include "pack/Receipt.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

class frmAppliedPacks : public QDialog
{
    Q_OBJECT
public:
    frmAppliedPacks(const std::vector<Receipt> &receipts, QWidget *parent = nullptr);

    /// The receipt chosen when Revert Pack was pressed, or -1.
    int chosen() const { return mChosen; }

private:
    int mChosen = -1;
    QTreeWidget *lstApplied = nullptr;
    QLabel *lblNoneApplied = nullptr;
    QPushButton *cmdRevertApplied = nullptr;
};
