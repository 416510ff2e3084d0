#pragma once
// The undo step of an edit of one boot: the record before and after. Typing in one field of
// one boot merges into one step until another field or boot is chosen.
#include "RecordTexts.h"
#include "boots/BootRecord.h"

#include <QUndoCommand>

class BootsDocument;

class ChangeRecordCommand : public QUndoCommand
{
public:
    ChangeRecordCommand(BootsDocument *document, int index, RecordField field, BootRecord before,
                        BootRecord after);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

    /// The step's name as the Edit menu shows it ("Change Boots Name").
    static QString nameOf(RecordField field);

private:
    BootsDocument *mDocument;
    int mIndex;
    RecordField mField;
    int mStepSerial;
    BootRecord mBefore;
    BootRecord mAfter;
};
