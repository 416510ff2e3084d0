#pragma once
// The undo step of an edit of one boot: the record before and after. Typing in one field of
// one boot merges into one step until another field or boot is chosen.
#include "boots/BootRecord.h"

#include <QUndoCommand>

class BootsDocument;
struct BootField;

class ChangeRecordCommand : public QUndoCommand
{
public:
    /// A step named `name`; it merges the next step typed in `merging` of the same boot
    /// (null: it merges nothing).
    ChangeRecordCommand(BootsDocument *document, int index, const QString &name,
                        const BootField *merging, BootRecord before, BootRecord after);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    BootsDocument *mDocument;
    int mIndex;
    const BootField *mMerging;
    int mStepSerial;
    BootRecord mBefore;
    BootRecord mAfter;
};
