#include "ChangeRecordCommand.h"

#include "BootsDocument.h"

#include <utility>

namespace {

constexpr int kChangeRecordId = 1;

} // namespace

ChangeRecordCommand::ChangeRecordCommand(BootsDocument *document, int index, const QString &name,
                                         const BootField *merging, BootRecord before,
                                         BootRecord after)
    : QUndoCommand(name), mDocument(document), mIndex(index), mMerging(merging),
      mStepSerial(document->stepSerial()), mBefore(std::move(before)), mAfter(std::move(after))
{
}

void ChangeRecordCommand::undo()
{
    // The record exists: the step was made on it and the table keeps its size.
    mDocument->putRecord(mIndex, mBefore);
}

void ChangeRecordCommand::redo()
{
    mDocument->putRecord(mIndex, mAfter);
}

int ChangeRecordCommand::id() const
{
    return kChangeRecordId;
}

bool ChangeRecordCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const ChangeRecordCommand *>(other);
    if (!mMerging || next->mMerging != mMerging || next->mIndex != mIndex ||
        next->mStepSerial != mStepSerial)
        return false;
    mAfter = next->mAfter;
    // Typing back to where the step began leaves no step.
    setObsolete(mAfter == mBefore);
    return true;
}
