#pragma once
// The packs applied to the open boots file, as their receipts tell: read from the user's
// folder when the file is opened, added and dropped by the undo steps that apply a pack or
// take it back out, and filed when the file is saved, so that the folder always speaks of the
// files as saved. It answers which pack set a value, for the marks of what changed.
#include "pack/Receipt.h"

#include <QObject>
#include <QString>
#include <vector>

class AppliedPacks : public QObject
{
    Q_OBJECT
public:
    explicit AppliedPacks(QObject *parent = nullptr);

    /// Where receipts are kept (the user's folder); empty: nowhere, and none are read or kept.
    void setFolder(const QString &folder);
    QString folder() const { return mFolder; }

    /// The receipts of the boots file at `gamePath` (empty: no file), forgetting the others.
    void load(const QString &gamePath);
    /// The receipts that hold for the files as they are now, oldest first.
    const std::vector<Receipt> &receipts() const { return mReceipts; }
    /// The newest receipt of the pack with `packFingerprint`, or null.
    const Receipt *latestOf(const std::string &packFingerprint) const;
    /// The receipt of the last apply that set field `key` of the boot at `position` to the
    /// value it holds as `shown`, or null.
    const Receipt *setterOf(std::size_t position, const std::string &key,
                            const std::string &shown) const;

    /// The boots file is now the one at `gamePath` (saved elsewhere): the receipts that hold
    /// are filed for it at the next keep().
    void moveTo(const QString &gamePath);

    /// For the undo steps: a receipt that now holds, or no longer does.
    void add(const Receipt &receipt);
    void drop(const Receipt &receipt);

    /// Files the receipts added since the last save and removes those dropped (after a save).
    /// False, with the reason, when one could not be filed; the others are.
    bool keep(Reason *error);

signals:
    void changed();

private:
    QString mFolder;
    QString mGamePath;
    std::vector<Receipt> mReceipts;
    std::vector<Receipt> mKept; ///< as the folder holds them
};
